// Draw data maintenance: spreadsheet import, online update, update export.

#include "cli/kontext.h"
#include "maintenance/aktualisierung.h"
#include "maintenance/update_export.h"
#include "maintenance/zahlen_quoten_einlesen.h"
#include "maintenance/zellenleser.h"

#include <filesystem>

namespace pyra::cli {

namespace {

int einlesen(Kontext& k) {
    Argumente a(k.args);
    auto datei = a.option("datei");
    auto jahr = a.option("jahr");
    auto von = a.option("von");
    auto bis = a.option("bis");
    if (!a.rest().empty() || !datei || !jahr || !von || !bis)
        throw Aufruffehler("einlesen braucht --datei, --jahr, --von und --bis.");
    const long long j = ganzzahl(*jahr, "Jahr", 1955, 2100);
    const long long w1 = ganzzahl(*von, "Woche von", 0, 53);
    const long long w2 = ganzzahl(*bis, "Woche bis", 0, 53);
    std::error_code ec;
    std::string pfad = std::filesystem::absolute(*datei, ec).string();
    if (ec) pfad = *datei;
    if (pfad.size() > 200) throw Befehlsfehler("Der Pfad der Arbeitsmappe ist länger als 200 Zeichen.");

    // The four fields of the import dialog.
    auto& wahl = k.dm.Table_Wahl;
    wahl.Edit();
    wahl.FieldByName("ZQ_Jahr").SetInteger(j);
    wahl.FieldByName("ZQ_Woche_von").SetInteger(w1);
    wahl.FieldByName("ZQ_Woche_bis").SetInteger(w2);
    wahl.FieldByName("ZQ_Excel").SetString(pfad);

    auto leser = maintenance::Zellenleser_erzeugen();
    maintenance::Zahlen_Quoten_einlesen import(k.dm, *leser);
    const bool gelesen = import.Einlesen_Zahlen_Quoten();
    // The dialog's OK button: the fields are stored.
    wahl.PostIfEditing();
    return gelesen ? 0 : 1;
}

int aktualisierung(Kontext& k) {
    Argumente a(k.args);
    auto url = a.option("url");
    if (!a.rest().empty()) throw Aufruffehler("aktualisierung nimmt nur --url.");
    maintenance::Aktualisierung u(k.dm);
    if (url) {
        platform::Adresse adr;
        if (!platform::Adresse_zerlegen(*url, adr))
            throw Befehlsfehler("'" + *url + "' ist keine http- oder https-Adresse.");
        u.url = *url;
    }
    if (u.Aktualisierung_durchfuehren()) return 0;
    if (!u.fehlergrund.empty()) std::cerr << u.fehlergrund << "\n";
    return 1;
}

int exportieren(Kontext& k) {
    Argumente a(k.args);
    auto ab = a.option("ab-jahr");
    if (!a.rest().empty() || !ab) throw Aufruffehler("export braucht --ab-jahr.");
    const long long j = ganzzahl(*ab, "Jahr", 0, 9999);
    auto& wahl = k.dm.Table_Wahl;
    wahl.Edit();
    wahl.FieldByName("Jahr_Export").SetInteger(j);
    wahl.Post();
    const auto ergebnis = maintenance::Export_durchfuehren(k.dm);
    maintenance::Export_schliessen(k.dm);
    k.dialog.Meldung(maintenance::Meldung_Export(ergebnis, static_cast<int>(j), k.dm.Updatepfad()));
    return 0;
}

} // namespace

void befehle_registrieren_wartung() {
    auto& b = befehle();
    b["einlesen"] = {einlesen, "einlesen --datei F --jahr J --von W1 --bis W2"};
    b["aktualisierung"] = {aktualisierung, "aktualisierung [--url URL]"};
    b["export"] = {exportieren, "export --ab-jahr J"};
}

} // namespace pyra::cli
