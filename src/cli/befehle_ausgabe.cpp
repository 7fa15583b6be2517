// Output: the text export of the rows and printing one play slip.

#include "cli/kontext.h"
#include "output/druckformular_store.h"
#include "output/spielscheine.h"
#include "output/textexport.h"
#include "output/textformular_store.h"
#include "platform/printer/qt_drucker.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>

namespace pyra::cli {

namespace {

namespace fs = std::filesystem;

constexpr long long Groesste_Reihe = std::numeric_limits<std::int32_t>::max();

// Slip I counted from 1 as the entry of the slip list (counted from 0).
std::int64_t spielschein_eintrag(const std::optional<std::string>& text) {
    if (!text) return 0;
    return ganzzahl(*text, "Spielschein (--schein)", 1, output::Spielschein_Anzahl) - 1;
}

void keine_weiteren_argumente(Argumente& a, const std::string& befehl) {
    const auto rest = a.rest();
    if (!rest.empty()) throw Aufruffehler(befehl + ": unerwartetes Argument '" + rest.front() + "'.");
}

int textdatei(Kontext& k) {
    Argumente a(k.args);
    const auto schein = a.option("schein");
    const auto bis = a.option("bis");
    const auto trennzeichen = a.option("trennzeichen");
    keine_weiteren_argumente(a, "textdatei");
    const std::int64_t eintrag = spielschein_eintrag(schein);
    const long long letzte = bis ? ganzzahl(*bis, "Letzte Reihe (--bis)", 0, Groesste_Reihe) : 0;
    if (trennzeichen)
        if (auto fehler = output::Trennzeichen_pruefen(*trennzeichen)) throw Befehlsfehler(*fehler);

    // The dialog's steps: shown, slip picked, separator typed, "Text - Datei" clicked.
    output::Textformular f(k.dm);
    f.FormShow();
    f.ListBox_Spielschein = eintrag;
    f.Reihe_bis_setzen();
    if (bis) f.Edit_Reihe_bis = std::to_string(letzte);
    if (trennzeichen) f.Edit_Trennzeichen = *trennzeichen;
    if (!f.Textdatei_schreiben())
        throw Befehlsfehler("Die Textdatei " + f.Datei().string() + " wurde nicht geschrieben.");
    std::cout << f.Datei().string() << "\n";
    return 0;
}

int drucken(Kontext& k) {
    Argumente a(k.args);
    const auto schein = a.option("schein");
    const auto von = a.option("von");
    const auto bis = a.option("bis");
    const auto pdf = a.option("pdf");
    keine_weiteren_argumente(a, "drucken");
    const std::int64_t eintrag = spielschein_eintrag(schein);
    const long long erste = von ? ganzzahl(*von, "Erste Reihe (--von)", 1, Groesste_Reihe) : 0;
    const long long letzte = bis ? ganzzahl(*bis, "Letzte Reihe (--bis)", 0, Groesste_Reihe) : 0;
    fs::path pdf_datei;
    if (pdf) {
        if (pdf->empty()) throw Befehlsfehler("Zu --pdf fehlt der Dateiname.");
        std::error_code fehler;
        pdf_datei = fs::absolute(*pdf, fehler);
        if (fehler || !fs::is_directory(pdf_datei.parent_path(), fehler))
            throw Befehlsfehler("Das Verzeichnis der PDF-Datei " + *pdf + " gibt es nicht.");
        if (fs::is_directory(pdf_datei, fehler))
            throw Befehlsfehler("Die PDF-Datei " + *pdf + " ist ein Verzeichnis.");
    }

    // The dialog's steps: shown, slip picked, range edited, "Drucken" clicked.
    output::Druckformular f(k.dm);
    f.FormShow();
    f.ListBox_Spielschein = eintrag;
    f.Reihenbereich_setzen();
    if (von) {
        f.Edit_Reihe_von = std::to_string(erste);
        f.BitBtn_Druck = f.Druck_moeglich();
    }
    if (bis) f.Edit_Reihe_bis = std::to_string(letzte);
    if (!f.BitBtn_Druck)
        throw Befehlsfehler("Der Spielschein kann nicht gedruckt werden: die Reihe " +
                            std::to_string(output::Ganzzahl_lesen(f.Edit_Reihe_von).value_or(0)) +
                            " gibt es nicht oder sie ist leer.");

    // Printing needs no screen; without a chosen platform the page is laid out off screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    platform::Druckumgebung umgebung;
    auto drucker =
        pdf ? platform::Qt_Drucker::Pdf_Drucker(pdf_datei)
            : platform::Qt_Drucker::Standarddrucker(k.dm.globals.Programmverzeichnis,
                                                    k.dm.Wahl("Woche_aktuell"), k.dm.Wahl("Jahr_aktuell"));
    if (!f.Spielschein_drucken(*drucker)) throw Befehlsfehler("Der Spielschein wurde nicht gedruckt.");
    if (const std::string hinweis = drucker->Hinweis(); !hinweis.empty()) k.dialog.Meldung(hinweis);
    if (pdf)
        std::cout << drucker->Pdf_Datei().string() << "\n";
    else if (!drucker->Pdf_Ausgabe())
        std::cout << "Spielschein an den Drucker " << drucker->Druckername() << " gesendet.\n";
    return 0;
}

} // namespace

void befehle_registrieren_ausgabe() {
    befehle()["textdatei"] = {textdatei, "textdatei [--schein I] [--bis N] [--trennzeichen T]"};
    befehle()["drucken"] = {drucken, "drucken [--schein I] [--von V] [--bis B] [--pdf DATEI]"};
}

} // namespace pyra::cli
