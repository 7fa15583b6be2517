// Number statistics and the recurrence and sum analysis.

#include "cli/kontext.h"
#include "stats/analyse_store.h"
#include "stats/diagrammdaten_store.h"
#include "stats/standardanalyse_store.h"
#include "stats/zahl_daten_store.h"
#include "store/store.h"

#include <charconv>

namespace pyra::cli {

namespace {

// Every record of the cursor in its current order, the given fields separated by ';', under a
// header line of the field names.
void tabelle_ausgeben(store::Table& t, const std::vector<std::string>& namen) {
    std::vector<store::Field> felder;
    std::string kopf;
    for (const auto& n : namen) {
        felder.push_back(t.FieldByName(n));
        kopf += (kopf.empty() ? "" : ";") + n;
    }
    std::cout << kopf << "\n";
    t.First();
    while (!t.Eof()) {
        std::string zeile;
        for (std::size_t i = 0; i < felder.size(); ++i) zeile += (i ? ";" : "") + feldtext(felder[i]);
        std::cout << zeile << "\n";
        t.Next();
    }
    t.First();
}

std::string zahltext(double wert) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, wert);
    return std::string(buf, r.ptr);
}

// The frequency test of the draws before the selected week, without recomputing or writing
// anything: chi-square, degrees of freedom, p and the number of draws, then the sentence the
// chart window shows.
int frequenztest(Kontext& k) {
    stats::Chiquadrattest t;
    int ziehungen = 0;
    try {
        const stats::Diagrammdaten d = stats::Diagrammdaten_lesen(k.dm);
        ziehungen = d.Ziehungen;
        t = stats::Chiquadrat_testen(d.Statistik.Haeufigkeit_Wo, d.Ziehungen, d.Zahlen_bis);
    } catch (const store::StoreError& e) {
        throw Befehlsfehler(e.what());
    }
    if (!t.moeglich) throw Befehlsfehler(stats::Testsatz(t));
    std::cout << "Chi_Quadrat=" << zahltext(t.Chiquadrat) << " Freiheitsgrade=" << t.Freiheitsgrade
              << " p=" << zahltext(t.p) << " Ziehungen=" << ziehungen << "\n"
              << stats::Testsatz(t) << "\n";
    return 0;
}

int statistik(Kontext& k) {
    Argumente a(k.args);
    const bool test = a.schalter("test");
    const auto trotzdem = a.option("trotzdem");
    if (!a.rest().empty()) throw Aufruffehler("statistik nimmt nur --trotzdem ja|nein oder --test.");
    if (test && trotzdem)
        throw Aufruffehler("statistik --test rechnet nichts neu und nimmt kein --trotzdem.");
    if (test) return frequenztest(k);
    k.dialog.antworten = {trotzdem ? ja_nein(*trotzdem) : true};
    try {
        stats::Sortierung_anwenden(k.dm, stats::Sortierung::Zahl);
    } catch (const store::StoreError& e) {
        throw Befehlsfehler(e.what());
    }
    // The rows in Zahl order also when the question was answered No.
    store::Table& zd = k.dm.Table_Zahl_Daten;
    zd.SetIndexName("");
    tabelle_ausgeben(zd, {"Zahl", "Wahrscheinlichkeit", "Haeufigkeit_Wo", "Rueckstaendig_Wo",
                          "Haeufigkeit_Ja", "Rueckstaendig_Ja", "Zahlentipp"});

    std::string tipp = "Zahlentipp";
    store::Table& t = k.dm.Table_Zahlentipp;
    t.First();
    for (int i = 1; i <= 15; ++i)
        tipp += ";" + (t.RecordCount() ? feldtext(t.FieldByName(data::Feldname("Zahl_", i))) : std::string());
    std::cout << tipp << "\n";
    return 0;
}

int analyse(Kontext& k) {
    Argumente a(k.args);
    if (!a.rest().empty()) throw Aufruffehler("analyse nimmt keine Argumente.");
    try {
        stats::Analyse_Zeilen_anlegen(k.dm);
    } catch (const store::StoreError& e) {
        throw Befehlsfehler(e.what());
    }
    const stats::Analyseergebnis e = stats::Analyse_berechnen(k.dm);
    if (!e.berechnet) throw Befehlsfehler("Die Analysewerte wurden nicht berechnet: " + e.fehler);
    const std::vector<std::string> prozente = {"0_Zahlen", "1_Zahl",   "2_Zahlen", "3_Zahlen",
                                               "4_Zahlen", "5_Zahlen", "6_Zahlen"};
    std::vector<std::string> wo = {"Woche_z"}, ja = {"Jahr_z"};
    wo.insert(wo.end(), prozente.begin(), prozente.end());
    ja.insert(ja.end(), prozente.begin(), prozente.end());
    tabelle_ausgeben(k.dm.Table_Ziehung_Wo_z, wo);
    tabelle_ausgeben(k.dm.Table_Ziehung_Ja_z, ja);
    tabelle_ausgeben(k.dm.Table_Summe_Ru, {"Von", "Bis", "Prozent"});
    return 0;
}

} // namespace

void befehle_registrieren_statistik() {
    auto& b = befehle();
    b["statistik"] = {
        statistik, "statistik [--trotzdem ja|nein] [--test]", [](const std::vector<std::string>& args) {
            Argumente a(args);
            if (a.schalter("test") && a.option("trotzdem"))
                throw Aufruffehler("statistik --test rechnet nichts neu und nimmt kein --trotzdem.");
        }};
    b["analyse"] = {analyse, "analyse"};
}

std::function<void(sqlite3*)> standard_nachbereiten() {
    return [](sqlite3* db) { stats::Standarddatenbank_nachbereiten(db); };
}

} // namespace pyra::cli
