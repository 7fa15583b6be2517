// Reduced systems: the reduction, the lock, the win evaluation and the expected winnings.

#include "cli/kontext.h"
#include "store/store.h"
#include "system/garantiebefehle_store.h"
#include "system/systembefehle_store.h"
#include "system/texte.h"

#include <filesystem>
#include <fstream>

namespace pyra::cli {

namespace {

// In the window the lock lives as long as the program runs. Each call of the batch companion is a
// run of its own, so "entsperren" leaves a note naming the selection in the program directory;
// the next call unlocks that selection again after its refresh. "sperren" and a new system remove
// the note.
std::filesystem::path sperrvermerk(Kontext& k) {
    return std::filesystem::path(k.dm.globals.Programmverzeichnis) / "pyra-lotto-cli.entsperrt";
}

std::string auswahl_schluessel(data::DataModule_Lotto& dm) {
    return std::to_string(dm.Wahl("ID_Verband")) + ";" + std::to_string(dm.Wahl("Jahr_aktuell")) + ";" +
           std::to_string(dm.Wahl("Woche_aktuell")) + ";" + std::to_string(dm.Wahl("ID_Ziehung"));
}

void vermerk_loeschen(Kontext& k) {
    std::error_code ec;
    std::filesystem::remove(sperrvermerk(k), ec);
}

// The rows of the selection under a header line, fields separated by ';'.
void reihen_ausgeben(Kontext& k, bool mit_richtigen) {
    std::vector<std::string> namen = {"Reihe",       "Tipp_Zahl_1", "Tipp_Zahl_2", "Tipp_Zahl_3",
                                      "Tipp_Zahl_4", "Tipp_Zahl_5", "Tipp_Zahl_6"};
    if (mit_richtigen) namen.push_back("Richtige");
    store::Table& t = k.dm.Table_Reihen;
    std::string kopf;
    for (const auto& n : namen) kopf += (kopf.empty() ? "" : ";") + n;
    std::cout << kopf << "\n";
    for (t.First(); !t.Eof(); t.Next()) {
        std::string zeile;
        for (std::size_t i = 0; i < namen.size(); ++i)
            zeile += (i ? ";" : "") + feldtext(t.FieldByName(namen[i]));
        std::cout << zeile << "\n";
    }
    t.First();
}

system::Laufoptionen laufoptionen(Kontext& k) {
    system::Laufoptionen o;
    if (k.seed) o.Startwert = *k.seed;
    return o;
}

int kuerzung(Kontext& k) {
    Argumente a(k.args);
    const auto antwort = a.option("antwort");
    if (!a.rest().empty()) throw Aufruffehler("kuerzung nimmt nur --seed S und --antwort ja|nein.");
    // The confirmation is answered Yes; --antwort answers the partial-result question.
    k.dialog.antworten = {true};
    if (antwort) k.dialog.antworten.push_back(ja_nein(*antwort));
    system::Kuerzungsbefehl_Ende ende;
    try {
        ende = system::Reihenkuerzung_Befehl(k.dm, laufoptionen(k));
    } catch (const store::StoreError& e) {
        throw Befehlsfehler(e.what());
    }
    switch (ende) {
    case system::Kuerzungsbefehl_Ende::Gesperrt:
        throw Befehlsfehler("Das System dieser Woche ist gesperrt. Erst 'entsperren', dann ändern.");
    case system::Kuerzungsbefehl_Ende::System_vorhanden:
        throw Befehlsfehler("Diese Woche hat bereits ein System. Erst die Zahlen oder Optionen ändern "
                            "(das leert die Reihen), dann neu kürzen.");
    case system::Kuerzungsbefehl_Ende::Laeuft_bereits:
    case system::Kuerzungsbefehl_Ende::Zu_wenige_Zahlen:
    case system::Kuerzungsbefehl_Ende::Nicht_bestaetigt:
        return 1; // the message is already on standard output
    case system::Kuerzungsbefehl_Ende::Ausgefuehrt:
        break;
    }
    if (k.fenster.system_gesperrt) vermerk_loeschen(k);
    reihen_ausgeben(k, false);
    return 0;
}

int sperren(Kontext& k) {
    if (!Argumente(k.args).leer()) throw Aufruffehler("sperren nimmt keine Argumente.");
    k.dm.CheckBox_SystemClick(true);
    vermerk_loeschen(k);
    std::cout << "System gesperrt: " << auswahl_text(k.dm) << "\n";
    return 0;
}

int entsperren(Kontext& k) {
    if (!Argumente(k.args).leer()) throw Aufruffehler("entsperren nimmt keine Argumente.");
    k.dm.CheckBox_SystemClick(false);
    std::ofstream f(sperrvermerk(k), std::ios::trunc);
    f << auswahl_schluessel(k.dm) << "\n";
    if (!f.flush())
        throw Befehlsfehler("Die Datei '" + sperrvermerk(k).string() + "' kann nicht geschrieben werden.");
    std::cout << "System entsperrt: " << auswahl_text(k.dm) << "\n";
    return 0;
}

int gewinnermittlung(Kontext& k) {
    if (!Argumente(k.args).leer()) throw Aufruffehler("gewinnermittlung nimmt keine Argumente.");
    system::Gewinnermittlung_Ende ende;
    try {
        ende = system::Gewinnermittlung_Befehl(k.dm);
    } catch (const store::StoreError& e) {
        throw Befehlsfehler(e.what());
    }
    if (ende == system::Gewinnermittlung_Ende::Keine_Reihen)
        throw Befehlsfehler("Diese Woche hat keine Systemreihen.");
    if (ende == system::Gewinnermittlung_Ende::Ergebnisse_fehlen) return 1;
    reihen_ausgeben(k, true);
    return 0;
}

// The start of the commands that evaluate rows 1..R: the command line may hold only --reihe R
// (else `aufruf` is the usage error), the week must have rows, and the rows' cursor goes on row
// R, or on the last row without --reihe.
void bis_reihe_vorbereiten(Kontext& k, const std::string& aufruf) {
    Argumente a(k.args);
    const auto reihe = a.option("reihe");
    if (!a.rest().empty()) throw Aufruffehler(aufruf);
    if (!system::Gewinnerwartung_moeglich(k.dm)) throw Befehlsfehler("Diese Woche hat keine Systemreihen.");
    store::Table& t = k.dm.Table_Reihen;
    if (reihe) {
        const long long r = ganzzahl(*reihe, "Die Reihe", 1, 750);
        if (!t.Locate("Reihe", {r}))
            throw Befehlsfehler("Die Reihe " + std::to_string(r) + " gibt es nicht.");
    } else {
        t.Last();
    }
}

int gewinnerwartung(Kontext& k) {
    bis_reihe_vorbereiten(k, "gewinnerwartung nimmt nur --seed S und --reihe R.");
    system::Gewinnerwartung_Anzeige anzeige;
    try {
        anzeige = system::Gewinnerwartung_zeigen(k.dm, laufoptionen(k));
    } catch (const store::StoreError& e) {
        throw Befehlsfehler(e.what());
    }
    if (!anzeige.Gestartet) return 1;
    std::cout << anzeige.Titel << "\n";
    static const char* felder[9] = {"Gw_3_3", "Gw_3_4", "Gw_3_5", "Gw_3_6", "Gw_4_4",
                                    "Gw_4_5", "Gw_4_6", "Gw_5_5", "Gw_5_6"};
    std::string kopf, werte;
    store::Table& gw = k.dm.Table_Gw_Erwartung;
    for (int i = 0; i < 9; ++i) {
        kopf += (i ? ";" : "") + std::string(felder[i]);
        werte += (i ? ";" : "") + feldtext(gw.FieldByName(felder[i]));
    }
    std::cout << kopf << "\n" << werte << "\n";
    return 0;
}

int garantie(Kontext& k) {
    Argumente a(k.args);
    const auto t = a.option("t");
    const auto p = a.option("p");
    const auto sekunden = a.option("sekunden");
    const auto filter = a.option("filter");
    const auto antwort = a.option("antwort");
    if (!a.rest().empty())
        throw Aufruffehler("garantie nimmt nur --t T, --p P, --sekunden S, --filter ja|nein, --seed N und "
                           "--antwort ja|nein.");
    if (!t || !p) throw Aufruffehler("garantie braucht --t T und --p P.");
    system::Garantieauftrag auftrag;
    auftrag.G = {static_cast<int>(ganzzahl(*t, "Die Zahl der Richtigen (--t)", 3, 6)),
                 static_cast<int>(ganzzahl(*p, "Die Zahl der Gewinnzahlen (--p)", 3, 6))};
    if (auftrag.G.t > auftrag.G.p) throw Befehlsfehler(system::Text_Garantie_ungueltig);
    if (sekunden)
        auftrag.Sekunden =
            static_cast<int>(ganzzahl(*sekunden, "Die Suchzeit (--sekunden)", system::Garantie_Sekunden_min,
                                      system::Garantie_Sekunden_max));
    if (filter) auftrag.Filter = ja_nein(*filter);
    auftrag.Beginn = k.beginn; // the budget counts from the start of the process
    // --antwort answers the question whether to store an incomplete system.
    k.dialog.antworten.clear();
    if (antwort) k.dialog.antworten.push_back(ja_nein(*antwort));
    system::Garantiebefehl_Ergebnis r;
    try {
        r = system::Garantiesystem_Befehl(k.dm, auftrag, laufoptionen(k));
    } catch (const store::StoreError& e) {
        throw Befehlsfehler(e.what());
    }
    switch (r.Ende) {
    case system::Garantiebefehl_Ende::Gesperrt:
        throw Befehlsfehler("Das System dieser Woche ist gesperrt. Erst 'entsperren', dann ändern.");
    case system::Garantiebefehl_Ende::System_vorhanden:
        throw Befehlsfehler("Diese Woche hat bereits ein System. Erst die Zahlen oder Optionen ändern "
                            "(das leert die Reihen), dann ein Garantiesystem erstellen.");
    case system::Garantiebefehl_Ende::Laeuft_bereits:
    case system::Garantiebefehl_Ende::Abgelehnt:
    case system::Garantiebefehl_Ende::Nicht_gespeichert:
        return 1; // the message is already on standard output
    case system::Garantiebefehl_Ende::Ausgefuehrt:
        break;
    }
    if (k.fenster.system_gesperrt) vermerk_loeschen(k);
    reihen_ausgeben(k, false);
    return 0;
}

// "t/p;coverage;holes;examples" for the nine guarantees; examples as numbers separated by
// blanks, one hole from the next by '|'.
int pruefung(Kontext& k) {
    bis_reihe_vorbereiten(k, "pruefung nimmt nur --reihe R.");
    system::Garantiepruefung_Anzeige anzeige;
    try {
        anzeige = system::Garantiepruefung_Befehl(k.dm, laufoptionen(k));
    } catch (const store::StoreError& e) {
        throw Befehlsfehler(e.what());
    }
    const auto& pr = anzeige.Pruefung;
    if (!pr.Exakt) {
        std::cout << "Zu viele Systemzahlen für die exakte Prüfung: geschätzte Werte der Simulation.\n";
        if (!anzeige.Geschaetzt) {
            std::cout << system::Text_Mindestens_6_Systemzahlen << "\n";
            return 1;
        }
        const auto& w = anzeige.Schaetzung;
        const double werte[9] = {w.Gw_3_3, w.Gw_3_4, w.Gw_3_5, w.Gw_3_6, w.Gw_4_4,
                                 w.Gw_4_5, w.Gw_4_6, w.Gw_5_5, w.Gw_5_6};
        std::cout << "Garantie;Abdeckung (geschätzt)\n";
        for (std::size_t i = 0; i < 9; ++i)
            std::cout << system::Garantien[i].t << "/" << system::Garantien[i].p << ";"
                      << system::Prozent_Text(werte[i], werte[i] >= 100.0) << "\n";
        return 0;
    }
    std::cout << "Exakte Prüfung von " << pr.Reihen << (pr.Reihen == 1 ? " Reihe" : " Reihen") << " mit "
              << pr.Systemzahlen << " Systemzahlen\n";
    std::cout << "Garantie;Abdeckung;Löcher;Auswahlen;Beispiele\n";
    for (const auto& w : pr.Werte) {
        std::string beispiele;
        for (const auto& loch : w.Beispiele) {
            if (!beispiele.empty()) beispiele += "|";
            for (std::size_t i = 0; i < loch.size(); ++i)
                beispiele += (i ? " " : "") + std::to_string(loch[i]);
        }
        std::cout << w.G.t << "/" << w.G.p << ";" << system::Prozent_Text(w.Abdeckung, w.Loecher == 0) << ";"
                  << w.Loecher << ";" << w.Auswahlen << ";" << beispiele << "\n";
    }
    return 0;
}

} // namespace

void Sperrvermerk_anwenden(Kontext& k) {
    std::ifstream f(sperrvermerk(k));
    std::string schluessel;
    if (f && std::getline(f, schluessel) && schluessel == auswahl_schluessel(k.dm))
        k.dm.CheckBox_SystemClick(false);
}

void befehle_registrieren_system() {
    auto& b = befehle();
    b["kuerzung"] = {kuerzung, "kuerzung [--seed S] [--antwort ja|nein]"};
    b["sperren"] = {sperren, "sperren"};
    b["entsperren"] = {entsperren, "entsperren"};
    b["gewinnermittlung"] = {gewinnermittlung, "gewinnermittlung"};
    b["gewinnerwartung"] = {gewinnerwartung, "gewinnerwartung [--seed S] [--reihe R]"};
    b["garantie"] = {garantie,
                     "garantie --t T --p P [--sekunden S] [--filter ja|nein] [--seed N] [--antwort ja|nein]"};
    b["pruefung"] = {pruefung, "pruefung [--reihe R]"};
}

} // namespace pyra::cli
