// The guaranteed-system command and the exact check over a real database: what is stored in
// table Reihen, the lock, the refusals and the question for an incomplete system.

#include "common/gespeicherte_reihen.h"
#include "common/sql.h"
#include "common/tempdir.h"
#include "common/testdialog.h"
#include "data/datamodule.h"
#include "data/standarddatenbank.h"
#include "system/garantiebefehle_store.h"
#include "system/texte.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <set>

using namespace pyra;
using store::Value;

namespace {

class GarantiebefehlTest : public ::testing::Test {
  protected:
    test::TempDir tmp;
    data::Globale_Zustaende g;
    data::Fensterzustand fenster;
    test::Testdialog dialog;
    std::unique_ptr<data::DataModule_Lotto> dm;

    void SetUp() override {
        data::Standarddatenbank_anlegen(tmp.dir(), {2024, 3, 14});
        g.Programmverzeichnis = tmp.dir();
        dm = std::make_unique<data::DataModule_Lotto>(g, fenster, dialog);
        dm->Startsequenz({2024, 3, 14});
    }
    void TearDown() override { dm->Datenbank_Close(); }

    void markieren(const std::set<int>& zahlen, std::array<Value, 3> bank = {Value(), Value(), Value()}) {
        auto& o = dm->Table_Optionen;
        o.Edit();
        for (int n = 1; n <= 49; ++n) {
            char f[32];
            std::snprintf(f, sizeof f, "Checkbox_%02d", n);
            o.FieldByName(f).SetString(zahlen.count(n) ? "t" : "f");
        }
        for (int j = 0; j < 3; ++j) o.FieldByName("Bankzahl_" + std::to_string(j + 1)).SetValue(bank[j]);
        o.Post();
    }
    void emptied_rows(int n) {
        for (int r = 1; r <= n; ++r) {
            std::vector<Value> v = {dm->Wahl("ID_Verband"),
                                    dm->Wahl("Jahr_aktuell"),
                                    dm->Wahl("Woche_aktuell"),
                                    dm->Wahl("ID_Ziehung"),
                                    0,
                                    0,
                                    r};
            for (int k = 0; k < 7; ++k) v.push_back(Value());
            dm->Table_Reihen.AppendRecord(v);
        }
        dm->Table_Reihen.First();
    }
    std::vector<system::Reihe> gespeichert() { return test::gespeicherte_reihen(dm->Table_Reihen); }
    std::string sql(const std::string& abfrage) {
        return test::sql_text(tmp.file("Datenbank_Lotto.tdbd"), abfrage);
    }
    system::Garantiebefehl_Ergebnis
    ausfuehren(system::Garantie gar, bool filter = false, const system::Garantieablauf& ablauf = {},
               std::optional<std::chrono::steady_clock::time_point> beginn = std::nullopt) {
        system::Garantieauftrag a;
        a.G = gar;
        a.Sekunden = 2;
        a.Filter = filter;
        a.Beginn = beginn;
        return system::Garantiesystem_Befehl(*dm, a, {.Startwert = 3}, ablauf);
    }
};

const std::set<int> Zwoelf{3, 7, 11, 15, 19, 22, 26, 30, 34, 38, 41, 45};

} // namespace

TEST_F(GarantiebefehlTest, StoresTheRowsAsTheReductionDoesAndLocks) {
    markieren(Zwoelf);
    emptied_rows(20); // an earlier, larger system: every row beyond the new ones goes
    ASSERT_TRUE(system::Garantiesystem_moeglich(*dm));
    const auto r = ausfuehren({3, 4});
    ASSERT_EQ(r.Ende, system::Garantiebefehl_Ende::Ausgefuehrt);
    ASSERT_TRUE(r.System.Vollstaendig);
    const int m = static_cast<int>(r.System.Reihen.size());
    EXPECT_EQ(gespeichert(), r.System.Reihen);
    EXPECT_EQ(
        sql("SELECT count(*), min(Reihe), max(Reihe), max(ID_Tendenz), max(ID_Allgorithmus) FROM Reihen"),
        std::to_string(m) + "|1|" + std::to_string(m) + "|0|0\n");
    ASSERT_EQ(dialog.meldungen.size(), 1u);
    EXPECT_EQ(dialog.meldungen[0],
              "Garantiesystem mit " + std::to_string(m) +
                  " Reihen erstellt: mindestens 3 Richtige, wenn 4 Gewinnzahlen unter den 12 "
                  "Systemzahlen sind.");
    EXPECT_TRUE(fenster.system_gesperrt);
    EXPECT_TRUE(fenster.reihengitter_mit_reihen);
    EXPECT_EQ(fenster.reihen_gesamt, std::to_string(m));
    EXPECT_TRUE(g.Leerlauf_fertig);
    EXPECT_FALSE(system::Garantiesystem_moeglich(*dm));

    // The exact check of the stored rows, the cursor on the last row.
    dm->Table_Reihen.Last();
    const auto p = system::Garantiepruefung_Befehl(*dm);
    ASSERT_TRUE(p.Pruefung.Exakt);
    EXPECT_EQ(p.Reihe, m);
    EXPECT_EQ(p.Pruefung.Reihen, m);
    EXPECT_EQ(p.Pruefung.Werte[1].Loecher, 0u); // 3/4
    EXPECT_EQ(p.Pruefung.Werte[1].Abdeckung, 100.0);
    // Only row 1: a row meets 20 of the 220 choices of three in three numbers.
    dm->Table_Reihen.First();
    const auto eins = system::Garantiepruefung_Befehl(*dm);
    EXPECT_EQ(eins.Pruefung.Reihen, 1);
    EXPECT_EQ(eins.Pruefung.Werte[0].Loecher, 200u);
}

TEST_F(GarantiebefehlTest, RefusesLockedSystemsExistingSystemsAndTooFewNumbers) {
    markieren({1, 2, 3, 4, 5, 6});
    EXPECT_EQ(ausfuehren({3, 3}).Ende, system::Garantiebefehl_Ende::Abgelehnt);
    EXPECT_EQ(dialog.meldungen, std::vector<std::string>{"Mindestens 7 Systemzahlen festlegen!"});
    EXPECT_EQ(sql("SELECT count(*) FROM Reihen"), "0\n");

    markieren(Zwoelf, {Value(3), Value(7), Value(11)});
    dialog.meldungen.clear();
    EXPECT_EQ(ausfuehren({4, 5}).Ende, system::Garantiebefehl_Ende::Abgelehnt);
    EXPECT_EQ(dialog.meldungen, std::vector<std::string>{system::Text_Garantie_zu_viele_Bankzahlen(3, 4)});

    markieren(Zwoelf);
    ASSERT_EQ(ausfuehren({3, 3}).Ende, system::Garantiebefehl_Ende::Ausgefuehrt);
    const std::string vorher = sql("SELECT * FROM Reihen ORDER BY Reihe");
    EXPECT_EQ(ausfuehren({3, 4}).Ende, system::Garantiebefehl_Ende::Gesperrt);
    dm->CheckBox_SystemClick(false); // unlocked, but the rows are still filled
    EXPECT_EQ(ausfuehren({3, 4}).Ende, system::Garantiebefehl_Ende::System_vorhanden);
    EXPECT_EQ(sql("SELECT * FROM Reihen ORDER BY Reihe"), vorher);
    EXPECT_TRUE(g.Leerlauf_fertig);
}

TEST_F(GarantiebefehlTest, AnIncompleteSystemIsStoredOnlyWhenWanted) {
    // With consecutive numbers forbidden in a row, no row holds 1 and 2: the choices {1, 2, x}
    // of "3 if 3" stay holes.
    markieren({1, 2, 10, 20, 30, 35, 40, 45});
    auto& o2 = dm->Table_Optionen_2;
    o2.Edit();
    o2.FieldByName("Checkbox_Zwillinge").SetString("f");
    o2.Post();
    emptied_rows(3);
    dialog.antworten = {false};
    const auto nein = ausfuehren({3, 3}, /*filter=*/true);
    EXPECT_EQ(nein.Ende, system::Garantiebefehl_Ende::Nicht_gespeichert);
    ASSERT_EQ(dialog.fragen.size(), 1u);
    const int m = static_cast<int>(nein.System.Reihen.size());
    EXPECT_EQ(dialog.fragen[0],
              "Mit den Filtern der Kürzung ist kein vollständiges Garantiesystem gefunden worden. "
              "Die besten " +
                  std::to_string(m) + " Reihen decken 89,3 % der Fälle ab - Übernehmen?");
    EXPECT_EQ(sql("SELECT count(*), count(Tipp_Zahl_1) FROM Reihen"), "3|0\n");
    EXPECT_FALSE(fenster.system_gesperrt);

    dialog.fragen.clear();
    const auto ja = ausfuehren({3, 3}, true);
    ASSERT_EQ(ja.Ende, system::Garantiebefehl_Ende::Ausgefuehrt);
    for (const auto& r : gespeichert()) {
        const bool eins = std::find(r.begin(), r.end(), 1) != r.end();
        const bool zwei = std::find(r.begin(), r.end(), 2) != r.end();
        EXPECT_FALSE(eins && zwei);
    }
    EXPECT_EQ(dialog.meldungen.back(),
              system::Text_Garantiesystem_unvollstaendig_gespeichert(
                  static_cast<int>(ja.System.Reihen.size()), 3, 3, 8, 0, 100.0 * 50 / 56));
    EXPECT_TRUE(fenster.system_gesperrt);
}

TEST_F(GarantiebefehlTest, StopKeepsACompleteSystemAndProgressIsReported) {
    markieren({1, 3, 5, 8, 11, 14, 17, 20, 23, 26, 29, 32, 35, 38, 41, 44});
    std::vector<system::Garantiefortschritt> gesehen;
    const auto r = ausfuehren({4, 4}, false, [&](const system::Garantiefortschritt& f) {
        gesehen.push_back(f);
        return true; // the stop button, at the first look
    });
    ASSERT_EQ(r.Ende, system::Garantiebefehl_Ende::Ausgefuehrt);
    EXPECT_TRUE(r.System.Vollstaendig);
    EXPECT_EQ(r.System.Ende, system::Suchende::Gestoppt);
    ASSERT_FALSE(gesehen.empty());
    EXPECT_GT(gesehen.front().Reihen, 0);
    EXPECT_LE(gesehen.front().Sekunden_uebrig, 2.0);
    dm->Table_Reihen.Last();
    EXPECT_EQ(system::Garantiepruefung_Befehl(*dm).Pruefung.Werte[4].Loecher, 0u); // 4/4
}

// The budget covers the whole command from its beginning: when that lies so far back that the
// budget is spent, the search still ends at once with its complete start system (a search
// budget of zero or less would mean no limit at all).
TEST_F(GarantiebefehlTest, ABudgetSpentBeforeTheSearchStillStoresACompleteSystem) {
    markieren({1, 3, 5, 8, 11, 14, 17, 20, 23, 26, 29, 32, 35, 38, 41, 44});
    std::vector<system::Garantiefortschritt> gesehen;
    const auto r = ausfuehren(
        {4, 4}, true,
        [&](const system::Garantiefortschritt& f) {
            gesehen.push_back(f);
            return false;
        },
        std::chrono::steady_clock::now() - std::chrono::hours(1));
    ASSERT_EQ(r.Ende, system::Garantiebefehl_Ende::Ausgefuehrt);
    EXPECT_TRUE(r.System.Vollstaendig);
    EXPECT_EQ(r.System.Ende, system::Suchende::Zeit);
    for (const auto& f : gesehen) EXPECT_EQ(f.Sekunden_uebrig, 0.0);
    dm->Table_Reihen.Last();
    EXPECT_EQ(system::Garantiepruefung_Befehl(*dm).Pruefung.Werte[4].Loecher, 0u); // 4/4
}

TEST_F(GarantiebefehlTest, BankNumbersAreInEveryStoredRow) {
    markieren({2, 9, 13, 18, 24, 27, 31, 36, 40, 46}, {Value(9), Value(27), Value()});
    const auto r = ausfuehren({3, 4});
    ASSERT_EQ(r.Ende, system::Garantiebefehl_Ende::Ausgefuehrt);
    for (const auto& reihe : gespeichert()) {
        EXPECT_TRUE(std::find(reihe.begin(), reihe.end(), 9) != reihe.end());
        EXPECT_TRUE(std::find(reihe.begin(), reihe.end(), 27) != reihe.end());
    }
    EXPECT_EQ(
        dialog.meldungen.back(),
        "Garantiesystem mit " + std::to_string(r.System.Reihen.size()) +
            " Reihen erstellt: mindestens 3 Richtige, wenn 4 Gewinnzahlen unter den 8 Systemzahlen außer den "
            "Bankzahlen sind.");
}
