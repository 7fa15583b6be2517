// The reduction, win evaluation and expected-winnings commands over a real database: the command
// flow, what is stored in table Reihen and Gw_Erwartung, and what the user sees.

#include "common/gespeicherte_reihen.h"
#include "common/sql.h"
#include "common/tempdir.h"
#include "common/testdialog.h"
#include "data/datamodule.h"
#include "data/standarddatenbank.h"
#include "system/systembefehle_store.h"
#include "system/texte.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <set>

using namespace pyra;
using store::Value;

namespace {

std::string feld(const char* vorsilbe, int n) {
    char b[32];
    std::snprintf(b, sizeof b, "%s%02d", vorsilbe, n);
    return b;
}

// Counts the progress calls and can press Escape or start the command again from inside the run.
class Laufdialog : public test::Testdialog {
  public:
    bool Abbruch_gewuenscht() override { return abbruch_nach > 0 && ++abfragen >= abbruch_nach; }
    void Nachrichten_verarbeiten(bool nur_eine) override {
        if (nur_eine && waehrend_des_laufs) waehrend_des_laufs();
    }
    void Warten_anzeigen(bool an) override { wartet += an ? 1 : -1; }
    int abbruch_nach = 0;
    int abfragen = 0;
    int wartet = 0;
    std::function<void()> waehrend_des_laufs;
};

// Records the running row counts the command reports.
class Zaehlfenster : public data::Fensterzustand {
  public:
    void Reihen_Gesamt_anzeigen(const std::string& text) override {
        data::Fensterzustand::Reihen_Gesamt_anzeigen(text);
        angezeigt.push_back(text);
    }
    std::vector<std::string> angezeigt;
};

class SystembefehleTest : public ::testing::Test {
  protected:
    std::unique_ptr<test::TempDir> tmp;
    data::Globale_Zustaende g;
    Zaehlfenster fenster;
    Laufdialog dialog;
    std::unique_ptr<data::DataModule_Lotto> dm;

    void SetUp() override { neu_starten(); }
    void TearDown() override { dm->Datenbank_Close(); }

    // A fresh program directory with the default database, without its analysis tables (tests
    // that run a reduction set the thresholds below every percentage); 2024 week 11, Saturday.
    void neu_starten() {
        if (dm) dm->Datenbank_Close();
        dm.reset();
        tmp = std::make_unique<test::TempDir>();
        dialog = Laufdialog();
        fenster = Zaehlfenster();
        g = data::Globale_Zustaende();
        data::Standarddatenbank_anlegen(tmp->dir(), {2024, 3, 14});
        g.Programmverzeichnis = tmp->dir();
        dm = std::make_unique<data::DataModule_Lotto>(g, fenster, dialog);
        dm->Startsequenz({2024, 3, 14});
    }

    void markieren(const std::set<int>& zahlen, std::array<Value, 3> bank = {Value(), Value(), Value()}) {
        auto& o = dm->Table_Optionen;
        o.Edit();
        for (int n = 1; n <= 49; ++n)
            o.FieldByName(feld("Checkbox_", n)).SetString(zahlen.count(n) ? "t" : "f");
        for (int j = 0; j < 3; ++j) o.FieldByName("Bankzahl_" + std::to_string(j + 1)).SetValue(bank[j]);
        o.Post();
    }
    void optionen(const std::string& name, long long wert) {
        auto& o2 = dm->Table_Optionen_2;
        o2.Edit();
        o2.FieldByName(name).SetInteger(wert);
        o2.Post();
    }
    void schwellen(int wert) {
        for (const char* f : {"Prozent_Woche", "Prozent_Jahr", "Prozent_Summe"}) optionen(f, wert);
    }
    void lotto(const std::string& name, long long wert) {
        auto& l = dm->Table_Lotto;
        l.Edit();
        l.FieldByName(name).SetInteger(wert);
        l.Post();
    }
    // Twelve system numbers, thresholds off, n rows wanted.
    void bereit(int reihen) {
        markieren({3, 7, 11, 15, 19, 22, 26, 30, 34, 38, 41, 45});
        schwellen(-1);
        lotto("Reihenberechnung", reihen);
    }
    std::vector<system::Reihe> reihen() { return test::gespeicherte_reihen(dm->Table_Reihen); }
    void reihen_anlegen(int n, bool leer = false) {
        for (int r = 1; r <= n; ++r) {
            std::vector<Value> v = {dm->Wahl("ID_Verband"),
                                    dm->Wahl("Jahr_aktuell"),
                                    dm->Wahl("Woche_aktuell"),
                                    dm->Wahl("ID_Ziehung"),
                                    0,
                                    0,
                                    r};
            for (int k = 0; k < 6; ++k) v.push_back(leer ? Value() : Value(r + 7 * k));
            v.push_back(leer ? Value() : Value(5));
            dm->Table_Reihen.AppendRecord(v);
        }
        dm->Table_Reihen.First();
    }
};

TEST_F(SystembefehleTest, CommandStopsBeforeTheRunAndAlwaysRestoresTheIdleFlag) {
    using E = system::Kuerzungsbefehl_Ende;
    struct Fall {
        const char* name;
        std::function<void()> vorbereiten;
        E ende;
        std::vector<std::string> meldungen;
        std::size_t fragen;
    };
    const std::vector<Fall> faelle = {
        {"gesperrt", [&] { dm->Sperren(); }, E::Gesperrt, {}, 0},
        {"System vorhanden", [&] { reihen_anlegen(3); }, E::System_vorhanden, {}, 0},
        {"acht Zahlen, Zahlen über N zählen nicht",
         [&] {
             lotto("Zahlen_bis", 45);
             markieren({1, 2, 3, 4, 5, 6, 7, 8, 46});
         },
         E::Zu_wenige_Zahlen,
         {"Mindestens 9 Systemzahlen festlegen!"},
         0},
        {"Nein zur Bestätigung",
         [&] {
             bereit(5);
             dialog.antworten = {false};
         },
         E::Nicht_bestaetigt,
         {},
         1},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        neu_starten();
        const auto vorher = reihen();
        f.vorbereiten();
        g.Leerlauf_fertig = true;
        EXPECT_EQ(system::Reihenkuerzung_Befehl(*dm, {.Startwert = 1}), f.ende);
        EXPECT_EQ(dialog.meldungen, f.meldungen);
        EXPECT_EQ(dialog.fragen.size(), f.fragen);
        EXPECT_TRUE(g.Leerlauf_fertig);
        EXPECT_EQ(dialog.wartet, 0);
        EXPECT_FALSE(system::Reihenkuerzung_laeuft());
        if (f.ende != E::System_vorhanden) {
            EXPECT_EQ(reihen(), vorher);
        }
    }
}

TEST_F(SystembefehleTest, RunStoresTheRowsLocksAndShowsTheRunningCount) {
    bereit(10);
    markieren({3, 7, 11, 15, 19, 22, 26, 30, 34, 38, 41, 45}, {Value(7), Value(49), Value(7)});
    EXPECT_EQ(system::Reihenkuerzung_Befehl(*dm, {.Startwert = 42}),
              system::Kuerzungsbefehl_Ende::Ausgefuehrt);
    EXPECT_EQ(dialog.fragen, std::vector<std::string>{"System wird mit 12 Zahlen erstellt und gespeichert!"});
    EXPECT_TRUE(dialog.meldungen.empty());

    const auto r = reihen();
    ASSERT_EQ(r.size(), 10u);
    std::set<system::Reihe> verschieden(r.begin(), r.end());
    EXPECT_EQ(verschieden.size(), 10u);
    auto& t = dm->Table_Reihen;
    EXPECT_EQ(t.RecNo(), 1);
    int nr = 1;
    for (t.First(); !t.Eof(); t.Next(), ++nr) {
        EXPECT_EQ(t.FieldByName("Reihe").AsInteger(), nr);
        EXPECT_EQ(t.FieldByName("ID_Tendenz").AsInteger(), 0);
        EXPECT_EQ(t.FieldByName("ID_Allgorithmus").AsInteger(), 0);
        EXPECT_TRUE(t.FieldByName("Richtige").IsNull());
        const auto& z = r[nr - 1];
        EXPECT_TRUE(std::is_sorted(z.begin(), z.end()));
        // The marked bank number is in every row; 49 is not marked and is ignored.
        EXPECT_NE(std::find(z.begin(), z.end(), 7), z.end());
        EXPECT_EQ(std::find(z.begin(), z.end(), 49), z.end());
    }

    const std::vector<std::string> zaehler = {"1", "2", "3", "4",  "5", "6",
                                              "7", "8", "9", "10", "10"}; // the last from the lock
    // Reading the inputs may show the current count 0 first.
    auto erste_zahl = std::find(fenster.angezeigt.begin(), fenster.angezeigt.end(), "1");
    EXPECT_EQ(std::vector<std::string>(erste_zahl, fenster.angezeigt.end()), zaehler);
    EXPECT_TRUE(fenster.system_gesperrt);
    EXPECT_FALSE(fenster.eingaben_lotto);
    EXPECT_FALSE(fenster.eingaben_kuerzung);
    EXPECT_FALSE(fenster.eingaben_analyse);
    EXPECT_TRUE(fenster.reihengitter_mit_reihen);
    EXPECT_EQ(dialog.wartet, 0);

    // The same seed on the same input gives the same rows.
    auto erste = r;
    dm->Entsperren();
    markieren({3, 7, 11, 15, 19, 22, 26, 30, 34, 38, 41, 45},
              {Value(7), Value(49), Value(7)}); // empties the rows
    EXPECT_EQ(system::Reihenkuerzung_Befehl(*dm, {.Startwert = 42}),
              system::Kuerzungsbefehl_Ende::Ausgefuehrt);
    EXPECT_EQ(reihen(), erste);
}

TEST_F(SystembefehleTest, NewRowsOverwriteEmptiedRowsInPlaceAndTheRestIsDeleted) {
    bereit(10);
    reihen_anlegen(20, /*leer=*/true);
    EXPECT_EQ(system::Reihenkuerzung_Befehl(*dm, {.Startwert = 7}),
              system::Kuerzungsbefehl_Ende::Ausgefuehrt);
    auto& t = dm->Table_Reihen;
    ASSERT_EQ(t.RecordCount(), 10);
    for (t.First(); !t.Eof(); t.Next()) {
        EXPECT_GT(t.FieldByName("Tipp_Zahl_1").AsInteger(), 0);
        EXPECT_TRUE(t.FieldByName("Richtige").IsNull()); // kept as it was
    }
    EXPECT_EQ(fenster.reihen_gesamt, "10");
}

TEST_F(SystembefehleTest, RowsLeftFilledBehindAnEmptiedFirstRowAreDeletedToo) {
    // What an interrupted emptying of an earlier version left: row 1 emptied, rows 2..20 filled.
    bereit(10);
    reihen_anlegen(20);
    auto& t = dm->Table_Reihen;
    t.First();
    t.Edit();
    for (int k = 1; k <= 6; ++k) t.FieldByName("Tipp_Zahl_" + std::to_string(k)).SetValue(Value());
    t.Post();
    EXPECT_EQ(system::Reihenkuerzung_Befehl(*dm, {.Startwert = 7}),
              system::Kuerzungsbefehl_Ende::Ausgefuehrt);
    EXPECT_EQ(test::sql_text(tmp->file("Datenbank_Lotto.tdbd"), "SELECT count(*), max(Reihe) FROM Reihen"),
              "10|10\n");
}

TEST_F(SystembefehleTest, ASystemStoredMeanwhileByAnotherProcessIsNotOverwritten) {
    bereit(10);
    const std::string datei = tmp->file("Datenbank_Lotto.tdbd");
    bool geschrieben = false;
    dialog.waehrend_des_laufs = [&] {
        if (geschrieben) return;
        geschrieben = true;
        test::sql_text(datei, "INSERT INTO Reihen (ID_Verband, Jahr, Woche, ID_Ziehung, ID_Tendenz, "
                              "ID_Allgorithmus, Reihe, Tipp_Zahl_1, Tipp_Zahl_2, Tipp_Zahl_3, Tipp_Zahl_4, "
                              "Tipp_Zahl_5, Tipp_Zahl_6) VALUES (3, 2024, 11, 1, 0, 0, 1, 1, 2, 3, 4, 5, 6)");
    };
    try {
        system::Reihenkuerzung_Befehl(*dm, {.Startwert = 7});
        ADD_FAILURE() << "the command stored over the other system";
    } catch (const store::StoreError& e) {
        EXPECT_EQ(std::string(e.what()), system::Text_System_inzwischen_gespeichert);
    }
    EXPECT_EQ(test::sql_text(datei, "SELECT count(*), Tipp_Zahl_6 FROM Reihen"), "1|6\n");
}

TEST_F(SystembefehleTest, PartialSystemYesAndNo) {
    // No row has an even count that is allowed: the first pass finds nothing.
    bereit(10);
    for (int gerade = 0; gerade <= 6; ++gerade) {
        auto& o2 = dm->Table_Optionen_2;
        o2.Edit();
        o2.FieldByName(feld("Checkbox_Gerade_", gerade)).SetString("f");
        o2.Post();
    }
    // "No" on a selection with emptied rows: the rows stay as they were, and the selection is
    // locked because it has rows.
    reihen_anlegen(4, true);
    dialog.antworten = {true, false};
    EXPECT_EQ(system::Reihenkuerzung_Befehl(*dm, {.Startwert = 3}),
              system::Kuerzungsbefehl_Ende::Ausgefuehrt);
    EXPECT_EQ(dialog.fragen.back(), "Nur 0 Systemreihen erstellt - Übernehmen?");
    EXPECT_EQ(dm->Table_Reihen.RecordCount(), 4);
    EXPECT_TRUE(fenster.system_gesperrt);
    EXPECT_TRUE(fenster.reihengitter_mit_reihen);

    // "Yes": rows 1..0 are stored and the emptied rows deleted; the selection is left unlocked
    // with an empty grid.
    dm->Entsperren();
    dialog.antworten = {true, true};
    EXPECT_EQ(system::Reihenkuerzung_Befehl(*dm, {.Startwert = 3}),
              system::Kuerzungsbefehl_Ende::Ausgefuehrt);
    EXPECT_EQ(dm->Table_Reihen.RecordCount(), 0);
    EXPECT_FALSE(fenster.system_gesperrt);
    EXPECT_FALSE(fenster.reihengitter_mit_reihen);
}

TEST_F(SystembefehleTest, ZeroThresholdsWithEmptyAnalysisTablesRejectTheFirstPass) {
    markieren({3, 7, 11, 15, 19, 22, 26, 30, 34, 38, 41, 45});
    schwellen(0);
    lotto("Reihenberechnung", 5);
    dialog.antworten = {true, true};
    system::Reihenkuerzung_Befehl(*dm, {.Startwert = 1});
    EXPECT_EQ(dialog.fragen.back(), "Nur 0 Systemreihen erstellt - Übernehmen?");
    EXPECT_EQ(dm->Table_Reihen.RecordCount(), 0);
    EXPECT_TRUE(dialog.meldungen.empty());

    // Thresholds above 0 that reject every candidate: the question is followed by the hint.
    schwellen(100);
    dialog.antworten = {true, true};
    system::Reihenkuerzung_Befehl(*dm, {.Startwert = 1});
    EXPECT_EQ(dialog.fragen.back(), "Nur 0 Systemreihen erstellt - Übernehmen?");
    EXPECT_EQ(dialog.meldungen, std::vector<std::string>{system::Text_Schwellen_verwerfen_alle});
}

TEST_F(SystembefehleTest, EscapeAndSecondStartDuringTheRun) {
    bereit(10);
    dialog.abbruch_nach = 5;
    system::Kuerzungsbefehl_Ende zweiter = system::Kuerzungsbefehl_Ende::Ausgefuehrt;
    dialog.waehrend_des_laufs = [&] {
        if (!system::Reihenkuerzung_laeuft()) return;
        zweiter = system::Reihenkuerzung_Befehl(*dm, {.Startwert = 9});
    };
    EXPECT_EQ(system::Reihenkuerzung_Befehl(*dm, {.Startwert = 9}),
              system::Kuerzungsbefehl_Ende::Ausgefuehrt);
    EXPECT_EQ(zweiter, system::Kuerzungsbefehl_Ende::Laeuft_bereits);
    EXPECT_EQ(dialog.meldungen, std::vector<std::string>{"Berechnung abgebrochen!"});
    EXPECT_EQ(dm->Table_Reihen.RecordCount(), 4); // the row of pass 5 is dropped
    EXPECT_TRUE(g.Leerlauf_fertig);
}

TEST_F(SystembefehleTest, WinEvaluation) {
    using E = system::Gewinnermittlung_Ende;
    EXPECT_EQ(system::Gewinnermittlung_Befehl(*dm), E::Keine_Reihen);
    EXPECT_TRUE(dialog.meldungen.empty());

    reihen_anlegen(3); // rows r, r+7, ..., r+35
    // The selected week without results.
    auto& z = dm->Table_Zahlen;
    ASSERT_TRUE(z.Locate("Jahr;Woche", {dm->Wahl("Jahr_aktuell"), dm->Wahl("Woche_aktuell")}));
    z.Edit();
    for (int k = 1; k <= 6; ++k) z.FieldByName(feld("Zahl_", k)).Clear();
    z.Post();
    EXPECT_EQ(system::Gewinnermittlung_Befehl(*dm), E::Ergebnisse_fehlen);
    EXPECT_EQ(dialog.meldungen, std::vector<std::string>{"Ziehungsergebnisse fehlen!"});
    EXPECT_TRUE(dm->Table_Reihen.FieldByName("Richtige").AsInteger() == 5);

    // Draw 2 9 16 23 30 36 (any order): row 1 = 1 8 15 22 29 36 has one hit, row 2 =
    // 2 9 16 23 30 37 five, row 3 none.
    ASSERT_TRUE(z.Locate("Jahr;Woche", {dm->Wahl("Jahr_aktuell"), dm->Wahl("Woche_aktuell")}));
    z.Edit();
    const int gezogen[6] = {36, 9, 16, 2, 30, 23};
    for (int k = 0; k < 6; ++k) z.FieldByName(feld("Zahl_", k + 1)).SetInteger(gezogen[k]);
    z.Post();
    for (int mal = 0; mal < 2; ++mal) {
        system::Gewinnermittlung_Bilanz bilanz;
        EXPECT_EQ(system::Gewinnermittlung_Befehl(*dm, &bilanz), E::Ausgefuehrt);
        // What was found: three rows, the best (row 2) with five hits.
        EXPECT_EQ(bilanz.Reihen, 3);
        EXPECT_EQ(bilanz.Beste_Richtige, 5);
        EXPECT_EQ(bilanz.Beste_Reihe, 2);
        auto& t = dm->Table_Reihen;
        EXPECT_EQ(t.RecNo(), 1);
        std::vector<long long> richtige;
        for (t.First(); !t.Eof(); t.Next()) richtige.push_back(t.FieldByName("Richtige").AsInteger());
        EXPECT_EQ(richtige, (std::vector<long long>{1, 5, 0}));
    }
}

TEST_F(SystembefehleTest, ExpectedWinningsShowStep) {
    markieren({1, 2, 3, 4, 5, 6, 8, 9, 10}); // nine system numbers
    reihen_anlegen(12);
    lotto("Gewinnerwartung", 2000);
    auto& gw = dm->Table_Gw_Erwartung;
    gw.EmptyTable();

    auto& t = dm->Table_Reihen;
    ASSERT_TRUE(t.Locate("Reihe", {1}));
    auto a = system::Gewinnerwartung_zeigen(*dm, {.Startwert = 5});
    EXPECT_EQ(a.Titel, "  Gewinnerwartung bei 1 Reihe / 9 Systemzahlen");
    EXPECT_TRUE(a.Gestartet);
    ASSERT_EQ(gw.RecordCount(), 1);
    EXPECT_DOUBLE_EQ(gw.FieldByName("Gw_3_6").AsFloat(), a.Werte.Gw_3_6);
    EXPECT_GE(a.Werte.Gw_3_6, a.Werte.Gw_4_6);
    EXPECT_GE(a.Werte.Gw_4_6, a.Werte.Gw_5_6);
    EXPECT_EQ(dialog.wartet, 0);

    ASSERT_TRUE(t.Locate("Reihe", {12}));
    a = system::Gewinnerwartung_zeigen(*dm, {.Startwert = 5});
    EXPECT_EQ(a.Titel, "  Gewinnerwartung bei 12 Reihen / 9 Systemzahlen");
    EXPECT_EQ(system::Gewinnerwartung_zeigen(*dm, {.Startwert = 5}).Werte, a.Werte);
    EXPECT_EQ(gw.RecordCount(), 1);

    // No repetitions: nine zeros.
    lotto("Gewinnerwartung", 0);
    EXPECT_EQ(system::Gewinnerwartung_zeigen(*dm, {.Startwert = 5}).Werte, system::Gewinnerwartungswerte{});
    EXPECT_EQ(gw.FieldByName("Gw_3_3").AsFloat(), 0.0);

    // Fewer than six system numbers: the message, no simulation, the record keeps its values.
    lotto("Gewinnerwartung", 2000);
    gw.Edit();
    gw.FieldByName("Gw_3_3").SetFloat(12.5);
    gw.Post();
    dm->Entsperren();
    markieren({1, 2, 3, 4, 5});
    a = system::Gewinnerwartung_zeigen(*dm, {.Startwert = 5});
    EXPECT_FALSE(a.Gestartet);
    EXPECT_EQ(dialog.meldungen.back(), "Mindestens 6 Systemzahlen festlegen!");
    EXPECT_EQ(gw.FieldByName("Gw_3_3").AsFloat(), 12.5);
}

} // namespace
