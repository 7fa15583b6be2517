#include "system/systembefehle_store.h"

#include "system/gewinn.h"
#include "system/statistik.h"
#include "system/texte.h"
#include "system/zufall.h"

#include <vector>

namespace pyra::system {

using store::Value;

namespace {

int ganzzahl(store::DataSet& t, const std::string& feld) {
    return t.RecordCount() > 0 ? static_cast<int>(t.FieldByName(feld).AsInteger()) : 0;
}

Reihe sechs_zahlen(store::DataSet& t, const std::string& vorsilbe, bool zwei_stellen) {
    Reihe r{};
    for (int k = 0; k < 6; ++k) {
        const std::string f =
            zwei_stellen ? data::Feldname(vorsilbe, k + 1) : vorsilbe + std::to_string(k + 1);
        r[k] = static_cast<int>(t.FieldByName(f).AsInteger());
    }
    return r;
}

// The fields 0_Zahlen .. 6_Zahlen of every record of an analysis table, in key order.
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

Filteroptionen Filter_lesen(store::Table& o2) {
    Filteroptionen f;
    if (o2.RecordCount() == 0) return f;
    auto s = [&](const char* feld) { return o2.FieldByName(feld).AsString(); };
    auto i = [&](const char* feld) { return static_cast<int>(o2.FieldByName(feld).AsInteger()); };
    f.Checkbox_Zwillinge = s("Checkbox_Zwillinge");
    f.Checkbox_Drillinge = s("Checkbox_Drillinge");
    f.Checkbox_Vierling = s("Checkbox_Vierling");
    f.Checkbox_Fuenfling = s("Checkbox_Fuenfling");
    f.Endziffer = i("Endziffer");
    f.Zehner = i("Zehner");
    f.Siebener = i("7_er");
    f.Siebener_vt = i("7_er_vt");
    f.Quersumme_von = i("Quersumme_von");
    f.Quersumme_bis = i("Quersumme_bis");
    for (int g = 0; g <= 6; ++g)
        f.Checkbox_Gerade[g] = o2.FieldByName(data::Feldname("Checkbox_Gerade_", g)).AsString();
    return f;
}

// Everything the run reads from the tables, in the order the run builds it: the draws series of
// the association and draw day, the history sets and percentage tables relative to the selected
// week, the filters and thresholds, the bank numbers, N and the number of rows.
Kuerzungseingabe Eingabe_lesen(data::DataModule_Lotto& dm, const Systemflags& systemzahlen) {
    Kuerzungseingabe e;
    e.Systemzahlen = systemzahlen;
    for (int j = 0; j < 3; ++j)
        e.Bankzahlen[j] = ganzzahl(dm.Table_Optionen, "Bankzahl_" + std::to_string(j + 1));
    e.Zahlen_bis = dm.Zahlen_bis();
    e.Reihenberechnung = ganzzahl(dm.Table_Lotto, "Reihenberechnung");
    e.Filter = Filter_lesen(dm.Table_Optionen_2);
    auto& o2 = dm.Table_Optionen_2;
    e.Schwellen = {ganzzahl(o2, "Prozent_Woche"), ganzzahl(o2, "Prozent_Jahr"),
                   ganzzahl(o2, "Prozent_Summe")};

    dm.Oeffne_Query_Zahlen();
    std::vector<Ziehung> serie;
    auto& q = dm.Query_Zahlen;
    for (q.First(); !q.Eof(); q.Next()) {
        Ziehung z;
        z.Jahr = static_cast<int>(q.FieldByName("Jahr").AsInteger());
        z.Woche = static_cast<int>(q.FieldByName("Woche").AsInteger());
        z.Zahlen = sechs_zahlen(q, "Zahl_", true);
        serie.push_back(z);
    }
    q.First();
    const auto referenz = Referenz_suchen(serie, dm.Wahl("Jahr_aktuell"), dm.Wahl("Woche_aktuell"));
    std::vector<double> summen;
    auto& s = dm.Table_Summe_Ru;
    s.DisableControls();
    for (s.First(); !s.Eof(); s.Next()) summen.push_back(s.FieldByName("Prozent").AsFloat());
    s.First();
    s.EnableControls();
    e.Grundlage = Statistikgrundlage_bilden(serie, referenz ? *referenz : serie.size(),
                                            Verteilung_lesen(dm.Table_Ziehung_Wo_z),
                                            Verteilung_lesen(dm.Table_Ziehung_Ja_z), summen);
    return e;
}

bool laeuft = false;

// Restores the idle flag, the cursor and the running mark however the command ends.
struct Befehlsrahmen {
    data::DataModule_Lotto& dm;
    bool wartet = false;
    bool haelt_lauf = false;
    ~Befehlsrahmen() {
        if (wartet) dm.dialog.Warten_anzeigen(false);
        if (haelt_lauf) laeuft = false;
        dm.globals.Leerlauf_fertig = true;
    }
};

std::uint64_t Startwert(const Laufoptionen& o) {
    return o.Startwert ? *o.Startwert : Startwert_aus_Uhr();
}

} // namespace

// Rows 1..m into the selection's rows: a row number that exists is overwritten in place (Richtige
// and Zusatzzahl kept), a new one appended; then every row beyond m is deleted, emptied or not, so
// no row of an earlier system stays behind the new ones. One transaction, so an interruption
// leaves the earlier state. Inside it the rows are read again from the file: when another
// process stored a system for this selection meanwhile, nothing is written and the error says so.
void Reihen_speichern(data::DataModule_Lotto& dm, const std::vector<Reihe>& reihen) {
    auto& t = dm.Table_Reihen;
    store::Database::Transaction tx(dm.TdbDatabase_Lotto);
    t.DisableControls();
    try {
        // The same test as before the run, on what the file holds now.
        t.Refresh();
        t.First();
        if (!t.Eof() && t.FieldByName("Tipp_Zahl_1").AsInteger() > 0)
            throw store::StoreError(Text_System_inzwischen_gespeichert);
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
        const auto m = static_cast<std::int64_t>(reihen.size());
        t.First();
        while (!t.Eof()) {
            if (t.FieldByName("Reihe").AsInteger() > m)
                t.Delete();
            else
                t.Next();
        }
        tx.Commit();
    } catch (...) {
        t.Cancel();
        t.Refresh(); // the cursor shows again what the file holds
        t.EnableControls();
        throw;
    }
    t.First();
    t.EnableControls();
}

Filteroptionen Filteroptionen_lesen(data::DataModule_Lotto& dm) {
    return Filter_lesen(dm.Table_Optionen_2);
}

Systemflags Systemzahlen_lesen(data::DataModule_Lotto& dm) {
    std::array<std::string, Hoechste_Zahl> marken;
    auto& o = dm.Table_Optionen;
    if (o.Active() && o.RecordCount() > 0)
        for (int n = 1; n <= Hoechste_Zahl; ++n)
            marken[n - 1] = o.FieldByName(data::Feldname("Checkbox_", n)).AsString();
    return Systemzahlen_aus_Markierungen(marken);
}

int Anzahl_Systemzahlen_ermitteln(data::DataModule_Lotto& dm) {
    return Anzahl_Systemzahlen_ermitteln(Systemzahlen_lesen(dm), dm.Zahlen_bis());
}

bool Reihenkuerzung_laeuft() {
    return laeuft;
}

Kuerzungsbefehl_Ende Reihenkuerzung_Befehl(data::DataModule_Lotto& dm, const Laufoptionen& optionen) {
    // A second start while a run lets window messages through is ignored, and touches nothing of
    // the run under way.
    if (laeuft) return Kuerzungsbefehl_Ende::Laeuft_bereits;
    Befehlsrahmen rahmen{dm};
    if (!dm.fenster.eingaben_lotto) return Kuerzungsbefehl_Ende::Gesperrt;
    auto& reihen = dm.Table_Reihen;
    if (!reihen.Active()) return Kuerzungsbefehl_Ende::Gesperrt;
    if (reihen.RecordCount() > 0 && reihen.FieldByName("Tipp_Zahl_1").AsInteger() > 0)
        return Kuerzungsbefehl_Ende::System_vorhanden;
    laeuft = true;
    rahmen.haelt_lauf = true;
    dm.globals.Leerlauf_fertig = false;
    dm.Table_Optionen.PostIfEditing();

    const Systemflags systemzahlen = Systemzahlen_lesen(dm);
    const int n = Anzahl_Systemzahlen_ermitteln(systemzahlen, dm.Zahlen_bis());
    if (n < Mindestzahl_Kuerzung) {
        dm.dialog.Meldung(Text_Mindestens_9_Systemzahlen);
        return Kuerzungsbefehl_Ende::Zu_wenige_Zahlen;
    }
    if (!dm.dialog.Frage(Text_System_wird_erstellt(n))) return Kuerzungsbefehl_Ende::Nicht_bestaetigt;
    dm.dialog.Warten_anzeigen(true);
    rahmen.wartet = true;

    const Kuerzungseingabe eingabe = Eingabe_lesen(dm, systemzahlen);
    Zufallsgenerator zufall(Startwert(optionen));
    Kuerzungsablauf ablauf;
    ablauf.Reihe_gefunden = [&](int i, const Reihe&) {
        dm.fenster.Reihen_Gesamt_anzeigen(std::to_string(i));
        dm.dialog.Nachrichten_verarbeiten(true);
        const bool abbruch = dm.dialog.Abbruch_gewuenscht();
        if (!abbruch) dm.dialog.Nachrichten_verarbeiten(false);
        return abbruch;
    };
    ablauf.Frage = [&](const std::string& f) { return dm.dialog.Frage(f); };
    ablauf.Meldung = [&](const std::string& m) { dm.dialog.Meldung(m); };
    const Kuerzungsergebnis ergebnis = Reihenkuerzung(eingabe, zufall, ablauf, optionen.Kuerzung);
    const bool keine_reihe =
        (ergebnis.Ende == Kuerzungsende::Teilergebnis || ergebnis.Ende == Kuerzungsende::Verworfen) &&
        ergebnis.Durchlaeufe == 1;
    const Schwellenwerte& s = eingabe.Schwellen;
    if (keine_reihe && (s.Prozent_Woche > 0 || s.Prozent_Jahr > 0 || s.Prozent_Summe > 0))
        dm.dialog.Meldung(Text_Schwellen_verwerfen_alle);
    if (ergebnis.Speichern) Reihen_speichern(dm, ergebnis.Reihen);

    // The lock depends only on whether the selection has rows (emptied ones included).
    const bool mit_reihen = reihen.RecordCount() > 0;
    if (mit_reihen)
        dm.Sperren(); // shows the number of rows
    else
        dm.fenster.Reihen_Gesamt_anzeigen("0");
    dm.fenster.Reihengitter_binden(mit_reihen);
    return Kuerzungsbefehl_Ende::Ausgefuehrt;
}

Gewinnermittlung_Ende Gewinnermittlung_Befehl(data::DataModule_Lotto& dm, Gewinnermittlung_Bilanz* bilanz) {
    auto& t = dm.Table_Reihen;
    if (!t.Active() || t.RecordCount() == 0) return Gewinnermittlung_Ende::Keine_Reihen;
    Reihe ziehung{};
    if (dm.Table_Zahlen.Locate("Jahr;Woche", {dm.Wahl("Jahr_aktuell"), dm.Wahl("Woche_aktuell")}))
        ziehung = sechs_zahlen(dm.Table_Zahlen, "Zahl_", true);
    if (!Ziehungsergebnisse_vorhanden(ziehung)) {
        dm.dialog.Meldung(Text_Ziehungsergebnisse_fehlen);
        return Gewinnermittlung_Ende::Ergebnisse_fehlen;
    }
    // Gewinn_ermitteln: every row in key order, Richtige from its hits. One transaction, so the
    // rows never show a mix of old and new counts.
    store::Database::Transaction tx(dm.TdbDatabase_Lotto);
    t.DisableControls();
    Gewinnermittlung_Bilanz b;
    try {
        for (t.First(); !t.Eof(); t.Next()) {
            const Reihe reihe = sechs_zahlen(t, "Tipp_Zahl_", false);
            const int richtige = Treffer_zaehlen(reihe, ziehung);
            t.Edit();
            t.FieldByName("Richtige").SetInteger(richtige);
            t.Post();
            ++b.Reihen;
            if (b.Beste_Reihe == 0 || richtige > b.Beste_Richtige) {
                b.Beste_Richtige = richtige;
                b.Beste_Reihe = ganzzahl(t, "Reihe");
            }
        }
        tx.Commit();
    } catch (...) {
        t.Cancel();
        t.Refresh();
        t.EnableControls();
        throw;
    }
    t.First();
    t.EnableControls();
    if (bilanz) *bilanz = b;
    return Gewinnermittlung_Ende::Ausgefuehrt;
}

std::vector<Reihe> Systemreihen_lesen(data::DataModule_Lotto& dm, int bis) {
    dm.Oeffne_Query_Reihen();
    std::vector<Reihe> reihen;
    auto& q = dm.Query_Reihen;
    for (q.First(); !q.Eof() && static_cast<int>(reihen.size()) < bis; q.Next())
        reihen.push_back(sechs_zahlen(q, "Tipp_Zahl_", false));
    q.First();
    return reihen;
}

bool Gewinnerwartung_moeglich(data::DataModule_Lotto& dm) {
    return dm.Table_Reihen.Active() && dm.Table_Reihen.RecordCount() > 0;
}

Gewinnerwartung_Anzeige Gewinnerwartung_zeigen(data::DataModule_Lotto& dm, const Laufoptionen& optionen) {
    Gewinnerwartung_Anzeige a;
    const Systemflags systemzahlen = Systemzahlen_lesen(dm);
    const int zahlen_bis = dm.Zahlen_bis();
    const int anzahl = Anzahl_Systemzahlen_ermitteln(systemzahlen, zahlen_bis);
    const int r = ganzzahl(dm.Table_Reihen, "Reihe");
    a.Titel = Titel_Gewinnerwartung(r, anzahl);

    auto& gw = dm.Table_Gw_Erwartung;
    if (gw.RecordCount() == 0) gw.AppendRecord({});
    gw.First();

    if (!Simulation_moeglich(systemzahlen, zahlen_bis)) {
        dm.dialog.Meldung(Text_Mindestens_6_Systemzahlen);
        return a;
    }

    dm.dialog.Warten_anzeigen(true);
    struct Cursor_zurueck {
        data::DataModule_Lotto& dm;
        ~Cursor_zurueck() { dm.dialog.Warten_anzeigen(false); }
    } zurueck{dm};

    const std::vector<Reihe> reihen = Systemreihen_lesen(dm, Max_Reihen);

    const int wiederholungen = ganzzahl(dm.Table_Lotto, "Gewinnerwartung");
    Zufallsgenerator zufall(Startwert(optionen));
    const Gewinnerwartungsergebnis e = Gewinnerwartung_berechnen(reihen, r, wiederholungen, zahlen_bis,
                                                                 systemzahlen, zufall, optionen.Simulation);
    a.Gestartet = e.Gestartet;
    a.Werte = e.Werte;

    const auto& w = e.Werte;
    gw.Edit();
    gw.FieldByName("Gw_3_3").SetFloat(w.Gw_3_3);
    gw.FieldByName("Gw_3_4").SetFloat(w.Gw_3_4);
    gw.FieldByName("Gw_3_5").SetFloat(w.Gw_3_5);
    gw.FieldByName("Gw_3_6").SetFloat(w.Gw_3_6);
    gw.FieldByName("Gw_4_4").SetFloat(w.Gw_4_4);
    gw.FieldByName("Gw_4_5").SetFloat(w.Gw_4_5);
    gw.FieldByName("Gw_4_6").SetFloat(w.Gw_4_6);
    gw.FieldByName("Gw_5_5").SetFloat(w.Gw_5_5);
    gw.FieldByName("Gw_5_6").SetFloat(w.Gw_5_6);
    gw.Post();
    return a;
}

} // namespace pyra::system
