#include "ui/kernanbindung.h"

#include "stats/standardanalyse.h"
#include "stats/zahl_daten.h"
#include "system/gewinn.h"
#include "system/kuerzung.h"
#include "system/texte.h"

#include <cstdio>

namespace pyra::ui::kern {

using store::Value;

void Sortierung_anwenden(data::DataModule_Lotto& dm, int knopf) {
    stats::Sortierung_anwenden(dm, static_cast<stats::Sortierung>(knopf));
}

std::function<void(sqlite3*)> Standarddatenbank_nachbereiten() {
    return [](sqlite3* db) { stats::Standarddatenbank_nachbereiten(db); };
}

// -------------------------------------------------------------------------------------------
// INTERIM: the store-bound parts of "Reihenkürzung" and "Gewinnermittlung" until the systems
// library offers them as core operations. They read the inputs through the data module's
// cursors, run the systems library's computations and store the results; swap them for the
// library's operations when those exist.

namespace {

std::string zwei_stellen(const char* vorsilbe, int n) {
    char b[32];
    std::snprintf(b, sizeof b, "%s%02d", vorsilbe, n);
    return b;
}

system::Systemflags Systemzahlen_lesen(data::DataModule_Lotto& dm) {
    std::array<std::string, system::Hoechste_Zahl> marken;
    if (dm.Table_Optionen.RecordCount() > 0)
        for (int n = 1; n <= system::Hoechste_Zahl; ++n)
            marken[n - 1] = dm.Table_Optionen.FieldByName(zwei_stellen("Checkbox_", n)).AsString();
    return system::Systemzahlen_aus_Markierungen(marken);
}

std::vector<std::array<double, 7>> Verteilung_lesen(store::Table& t) {
    static const char* felder[7] = {"0_Zahlen", "1_Zahl",   "2_Zahlen", "3_Zahlen",
                                    "4_Zahlen", "5_Zahlen", "6_Zahlen"};
    std::vector<std::array<double, 7>> v;
    t.DisableControls();
    for (t.First(); !t.Eof(); t.Next()) {
        std::array<double, 7> zeile{};
        for (int i = 0; i < 7; ++i) zeile[i] = t.FieldByName(felder[i]).AsFloat();
        v.push_back(zeile);
    }
    t.First();
    t.EnableControls();
    return v;
}

system::Kuerzungseingabe Eingabe_lesen(data::DataModule_Lotto& dm, const system::Systemflags& systemzahlen) {
    system::Kuerzungseingabe e;
    e.Systemzahlen = systemzahlen;
    auto& o = dm.Table_Optionen;
    for (int j = 0; j < 3; ++j)
        e.Bankzahlen[j] =
            o.RecordCount() > 0
                ? static_cast<int>(o.FieldByName("Bankzahl_" + std::to_string(j + 1)).AsInteger())
                : 0;
    e.Zahlen_bis = dm.Zahlen_bis();
    e.Reihenberechnung = dm.Table_Lotto.RecordCount() > 0
                             ? static_cast<int>(dm.Table_Lotto.FieldByName("Reihenberechnung").AsInteger())
                             : 0;
    auto& o2 = dm.Table_Optionen_2;
    if (o2.RecordCount() > 0) {
        auto s = [&](const char* f) { return o2.FieldByName(f).AsString(); };
        auto i = [&](const char* f) { return static_cast<int>(o2.FieldByName(f).AsInteger()); };
        e.Filter.Checkbox_Zwillinge = s("Checkbox_Zwillinge");
        e.Filter.Checkbox_Drillinge = s("Checkbox_Drillinge");
        e.Filter.Checkbox_Vierling = s("Checkbox_Vierling");
        e.Filter.Checkbox_Fuenfling = s("Checkbox_Fuenfling");
        e.Filter.Endziffer = i("Endziffer");
        e.Filter.Zehner = i("Zehner");
        e.Filter.Siebener = i("7_er");
        e.Filter.Siebener_vt = i("7_er_vt");
        e.Filter.Quersumme_von = i("Quersumme_von");
        e.Filter.Quersumme_bis = i("Quersumme_bis");
        for (int g = 0; g <= 6; ++g)
            e.Filter.Checkbox_Gerade[g] = o2.FieldByName(zwei_stellen("Checkbox_Gerade_", g)).AsString();
        e.Schwellen = {i("Prozent_Woche"), i("Prozent_Jahr"), i("Prozent_Summe")};
    }

    dm.Oeffne_Query_Zahlen();
    std::vector<system::Ziehung> serie;
    auto& q = dm.Query_Zahlen;
    for (q.First(); !q.Eof(); q.Next()) {
        system::Ziehung z;
        z.Jahr = static_cast<int>(q.FieldByName("Jahr").AsInteger());
        z.Woche = static_cast<int>(q.FieldByName("Woche").AsInteger());
        for (int k = 0; k < 6; ++k)
            z.Zahlen[k] = static_cast<int>(q.FieldByName(zwei_stellen("Zahl_", k + 1)).AsInteger());
        serie.push_back(z);
    }
    q.First();
    auto ref = system::Referenz_suchen(serie, dm.Wahl("Jahr_aktuell"), dm.Wahl("Woche_aktuell"));
    std::vector<double> summen;
    auto& s = dm.Table_Summe_Ru;
    s.DisableControls();
    for (s.First(); !s.Eof(); s.Next()) summen.push_back(s.FieldByName("Prozent").AsFloat());
    s.First();
    s.EnableControls();
    e.Grundlage = system::Statistikgrundlage_bilden(serie, ref ? *ref : serie.size(),
                                                    Verteilung_lesen(dm.Table_Ziehung_Wo_z),
                                                    Verteilung_lesen(dm.Table_Ziehung_Ja_z), summen);
    return e;
}

void Reihen_speichern(data::DataModule_Lotto& dm, const std::vector<system::Reihe>& reihen) {
    auto& t = dm.Table_Reihen;
    store::Database::Transaction tx(dm.TdbDatabase_Lotto);
    t.DisableControls();
    try {
        for (int r = 1; r <= static_cast<int>(reihen.size()); ++r) {
            const auto& z = reihen[r - 1];
            if (t.Locate("Reihe", {r})) {
                t.Edit();
                t.SetFields({Value::keep(), Value::keep(), Value::keep(), Value::keep(), 0, 0, r, z[0], z[1],
                             z[2], z[3], z[4], z[5]});
                t.Post();
            } else {
                t.AppendRecord({dm.Wahl("ID_Verband"), dm.Wahl("Jahr_aktuell"), dm.Wahl("Woche_aktuell"),
                                dm.Wahl("ID_Ziehung"), 0, 0, r, z[0], z[1], z[2], z[3], z[4], z[5]});
            }
        }
        // Emptied rows left over from an earlier, larger system.
        t.First();
        while (!t.Eof()) {
            if (t.FieldByName("Tipp_Zahl_1").IsNull())
                t.Delete();
            else
                t.Next();
        }
        t.First();
    } catch (...) {
        t.EnableControls();
        throw;
    }
    tx.Commit();
    t.EnableControls();
}

// Restores the idle flag and the cursor whichever way the command ends.
struct Befehlsrahmen {
    data::DataModule_Lotto& dm;
    bool wartet = false;
    ~Befehlsrahmen() {
        if (wartet) dm.dialog.Warten_anzeigen(false);
        dm.globals.Leerlauf_fertig = true;
    }
};

} // namespace

void Reihenkuerzung(data::DataModule_Lotto& dm, const std::function<void(int)>& zaehler) {
    if (!dm.Table_Reihen.Active()) return;
    if (dm.Table_Reihen.RecordCount() > 0 && dm.Table_Reihen.FieldByName("Tipp_Zahl_1").AsInteger() > 0)
        return;
    Befehlsrahmen rahmen{dm};
    dm.globals.Leerlauf_fertig = false;
    dm.Table_Optionen.PostIfEditing();
    const system::Systemflags systemzahlen = Systemzahlen_lesen(dm);
    const int n = system::Anzahl_Systemzahlen_ermitteln(systemzahlen, dm.Zahlen_bis());
    if (n < system::Mindestzahl_Kuerzung) {
        dm.dialog.Meldung(system::Text_Mindestens_9_Systemzahlen);
        return;
    }
    if (!dm.dialog.Frage(system::Text_System_wird_erstellt(n))) return;
    dm.dialog.Warten_anzeigen(true);
    rahmen.wartet = true;

    const system::Kuerzungseingabe eingabe = Eingabe_lesen(dm, systemzahlen);
    system::Zufallsgenerator zufall(system::Startwert_aus_Uhr());
    system::Kuerzungsablauf ablauf;
    ablauf.Reihe_gefunden = [&](int i, const system::Reihe&) {
        if (zaehler) zaehler(i);
        dm.dialog.Nachrichten_verarbeiten(true);
        const bool abbruch = dm.dialog.Abbruch_gewuenscht();
        if (!abbruch) dm.dialog.Nachrichten_verarbeiten(false);
        return abbruch;
    };
    ablauf.Frage = [&](const std::string& f) { return dm.dialog.Frage(f); };
    ablauf.Meldung = [&](const std::string& m) { dm.dialog.Meldung(m); };
    const system::Kuerzungsergebnis ergebnis = system::Reihenkuerzung(eingabe, zufall, ablauf);
    if (ergebnis.Speichern) Reihen_speichern(dm, ergebnis.Reihen);

    const bool mit_reihen = dm.Table_Reihen.RecordCount() > 0;
    if (mit_reihen) dm.Sperren();
    dm.fenster.Reihengitter_binden(mit_reihen);
}

void Gewinnermittlung(data::DataModule_Lotto& dm) {
    auto& t = dm.Table_Reihen;
    if (!t.Active() || t.RecordCount() == 0) return;
    if (!dm.Table_Zahlen.Locate("Jahr;Woche", {dm.Wahl("Jahr_aktuell"), dm.Wahl("Woche_aktuell")})) return;
    system::Reihe ziehung{};
    for (int k = 0; k < 6; ++k)
        ziehung[k] = static_cast<int>(dm.Table_Zahlen.FieldByName(zwei_stellen("Zahl_", k + 1)).AsInteger());
    if (!system::Ziehungsergebnisse_vorhanden(ziehung)) {
        dm.dialog.Meldung(system::Text_Ziehungsergebnisse_fehlen);
        return;
    }
    store::Database::Transaction tx(dm.TdbDatabase_Lotto);
    t.DisableControls();
    try {
        for (t.First(); !t.Eof(); t.Next()) {
            system::Reihe reihe{};
            for (int k = 0; k < 6; ++k)
                reihe[k] = static_cast<int>(t.FieldByName("Tipp_Zahl_" + std::to_string(k + 1)).AsInteger());
            t.Edit();
            t.FieldByName("Richtige").SetInteger(system::Treffer_zaehlen(reihe, ziehung));
            t.Post();
        }
        t.First();
    } catch (...) {
        t.EnableControls();
        throw;
    }
    tx.Commit();
    t.EnableControls();
}

} // namespace pyra::ui::kern
