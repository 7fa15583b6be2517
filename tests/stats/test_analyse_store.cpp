// The recurrence and sum analysis through the data module's cursors, and the analysis of the
// default database.

#include "data/standarddatenbank.h"
#include "historie.h"
#include "speicher_fixture.h"
#include "stats/analyse_store.h"
#include "stats/standardanalyse_store.h"
#include "stats/zahl_daten_store.h"
#include "stats/zahlentipp.h"
#include "stats/ziehungsmerkmale.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace pyra;

namespace {

std::string sel(int jahr, int woche) {
    return " WHERE ID_Verband = 3 AND ID_Ziehung = 1 AND Jahr = " + std::to_string(jahr) +
           " AND Woche = " + std::to_string(woche);
}

class AnalyseSpeicher : public test::Speicher {
  protected:
    // Sets the stored derived fields of a row: Ziehung_Wo_kz, Ziehung_Ja_kz and Summe_Wo.
    void felder(int jahr, int woche, const std::array<int, 7>& wo, const std::array<int, 7>& ja,
                int summe_wo) {
        std::string s = "UPDATE Zahlen SET Summe_Wo = " + std::to_string(summe_wo);
        for (int k = 1; k <= 7; ++k)
            s += ", Ziehung_Wo_" + std::to_string(k) + "z = " + std::to_string(wo[k - 1]) + ", Ziehung_Ja_" +
                 std::to_string(k) + "z = " + std::to_string(ja[k - 1]);
        sql(s + sel(jahr, woche));
    }

    double prozent(const std::string& tabelle, const std::string& schluessel, int z,
                   const std::string& feld) {
        return wert("SELECT \"" + feld + "\" FROM " + tabelle +
                    " WHERE ID_Verband = 3 AND ID_Ziehung = 1 AND " + schluessel + " = " + std::to_string(z))
            .value_or(-1);
    }
};

TEST_F(AnalyseSpeicher, ShowStepCreatesTheTwentyNineRowsOnce) {
    lotto(49);
    wahl(2026, 10);
    sql("INSERT INTO Ziehung_Wo_z (ID_Verband, ID_Ziehung, Woche_z, \"0_Zahlen\") VALUES (3, 1, 3, 42)");
    oeffnen();
    for (int mal = 0; mal < 2; ++mal) {
        stats::Analyse_Zeilen_anlegen(*dm);
        EXPECT_EQ(wert("SELECT count(*) FROM Ziehung_Wo_z WHERE ID_Verband = 3 AND ID_Ziehung = 1"), 7);
        EXPECT_EQ(wert("SELECT count(*) FROM Ziehung_Ja_z WHERE ID_Verband = 3 AND ID_Ziehung = 1"), 7);
        EXPECT_EQ(wert("SELECT count(*) FROM Summe_Ru WHERE ID_Verband = 3 AND ID_Ziehung = 1"), 15);
    }
    EXPECT_EQ(wert("SELECT \"0_Zahlen\" FROM Ziehung_Wo_z WHERE Woche_z = 3"), 42);
    EXPECT_EQ(wert("SELECT \"0_Zahlen\" FROM Ziehung_Wo_z WHERE Woche_z = 4"), std::nullopt);
    EXPECT_EQ(wert("SELECT sum(Von) FROM Summe_Ru"), 1065); // 1, 11, ..., 141
    EXPECT_EQ(wert("SELECT Bis FROM Summe_Ru WHERE Von = 141"), 150);
    EXPECT_EQ(dm->Table_Summe_Ru.RecNo(), 1);
}

TEST_F(AnalyseSpeicher, TablesCountTheRowsWithResultsUpToTheWeek) {
    lotto(49);
    wahl(2025, 10);
    ziehung(2024, 10, {1, 2, 3, 4, 5, 6});
    ziehung(2024, 11, {});
    ziehung(2024, 12, {1, 2, 3, 4, 5, 6});
    ziehung(2025, 10, {1, 2, 3, 4, 5, 6});
    ziehung(2025, 11, {1, 2, 3, 4, 5, 6});
    const std::array<int, 7> sieben{7, 7, 7, 7, 7, 7, 7};
    felder(2024, 10, {0, 1, 2, 3, 4, 5, 6}, sieben, 150);                // sum 150: band 141-150
    felder(2024, 11, {1, 1, 1, 1, 1, 1, 1}, sieben, 20);                 // no results: not counted
    felder(2024, 12, {0, 0, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 1, 1, 1}, 151); // 151: in no band
    felder(2025, 10, {6, 6, 6, 6, 6, 6, 6}, sieben, 5);                  // the selected week itself
    felder(2025, 11, {2, 2, 2, 2, 2, 2, 2}, {2, 2, 2, 2, 2, 2, 2}, 30);  // after it
    sql("INSERT INTO Summe_Ru (ID_Verband, ID_Ziehung, Von, Bis, Prozent) VALUES (3, 1, 151, 160, 12)");
    oeffnen();
    stats::Analyse_Zeilen_anlegen(*dm);
    stats::Analysewerte_berechnen(*dm, 2025, 10);

    const double drittel = 100.0 / 3;
    EXPECT_DOUBLE_EQ(prozent("Ziehung_Wo_z", "Woche_z", 1, "0_Zahlen"), 2 * drittel);
    EXPECT_DOUBLE_EQ(prozent("Ziehung_Wo_z", "Woche_z", 1, "6_Zahlen"), drittel);
    EXPECT_DOUBLE_EQ(prozent("Ziehung_Wo_z", "Woche_z", 2, "1_Zahl"), drittel);
    EXPECT_DOUBLE_EQ(prozent("Ziehung_Wo_z", "Woche_z", 2, "2_Zahlen"), 0);
    EXPECT_DOUBLE_EQ(prozent("Ziehung_Wo_z", "Woche_z", 7, "6_Zahlen"), 2 * drittel);
    // The value 7 (not determinable) is left out: only one draw counts for Ja.
    EXPECT_DOUBLE_EQ(prozent("Ziehung_Ja_z", "Jahr_z", 4, "1_Zahl"), 100);
    EXPECT_DOUBLE_EQ(prozent("Ziehung_Ja_z", "Jahr_z", 4, "0_Zahlen"), 0);

    EXPECT_DOUBLE_EQ(prozent("Summe_Ru", "Von", 1, "Prozent"), 50);
    EXPECT_DOUBLE_EQ(prozent("Summe_Ru", "Von", 141, "Prozent"), 50);
    EXPECT_DOUBLE_EQ(prozent("Summe_Ru", "Von", 11, "Prozent"), 0);
    EXPECT_DOUBLE_EQ(prozent("Summe_Ru", "Von", 21, "Prozent"), 0);
    EXPECT_DOUBLE_EQ(prozent("Summe_Ru", "Von", 151, "Prozent"), 0); // a row beyond band 15
}

TEST_F(AnalyseSpeicher, CalculationWritesTheFieldsOfAFreshCountForEveryRow) {
    lotto(49);
    wahl(2026, 10);
    const stats::Serie serie = {
        {2024, 10, {1, 2, 3, 4, 5, 6}},         {2024, 11, {}},
        {2024, 12, {1, 2, 3, 4, 5, 6}},         {2025, 10, {1, 2, 3, 20, 21, 22}},
        {2025, 11, {3, 50, 0, 7, 1, 2}},        // numbers outside 1..49
        {2025, 12, {30000, 30000, 1, 2, 3, 4}}, // its sum does not fit the field
        {2026, 10, {1, 2, 3, 4, 5, 20}},        // the selected week, already drawn
        {2026, 11, {7, 8, 9, 10, 11, 12}},      // after it: untouched
    };
    for (const auto& z : serie) ziehung(z.Jahr, z.Woche, z.Zahl);
    oeffnen();
    stats::Analyse_Zeilen_anlegen(*dm);
    const stats::Analyseergebnis e = stats::Analyse_berechnen(*dm);
    ASSERT_TRUE(e.berechnet) << e.fehler;
    EXPECT_EQ(dialog.meldungen, std::vector<std::string>{"Analysewerte wurden neu berechnet!"});

    const stats::Merkmalsliste erwartet = stats::Ziehungsmerkmale_nachzaehlen(serie, 6);
    for (std::size_t i = 0; i < serie.size(); ++i) {
        const std::string w = sel(serie[i].Jahr, serie[i].Woche);
        SCOPED_TRACE(w);
        EXPECT_EQ(wert("SELECT AB FROM Zahlen" + w), 1);
        if (i >= erwartet.size() || !erwartet[i]) {
            EXPECT_EQ(wert("SELECT EZDVFS FROM Zahlen" + w), std::nullopt);
            EXPECT_EQ(wert("SELECT Summe_Wo FROM Zahlen" + w), std::nullopt);
            continue;
        }
        const stats::Ziehungsmerkmale& m = *erwartet[i];
        EXPECT_EQ(wert("SELECT EZDVFS FROM Zahlen" + w), m.EZDVFS);
        EXPECT_EQ(wert("SELECT G_U FROM Zahlen" + w), m.G_U);
        EXPECT_EQ(wert("SELECT Summe_Wo FROM Zahlen" + w), m.Summe_Wo);
        if (serie[i].Jahr == 2025 && serie[i].Woche == 12)
            EXPECT_EQ(wert("SELECT Summe FROM Zahlen" + w), std::nullopt);
        else
            EXPECT_EQ(wert("SELECT Summe FROM Zahlen" + w), m.Summe);
        for (int k = 1; k <= 7; ++k) {
            EXPECT_EQ(wert("SELECT Ziehung_Wo_" + std::to_string(k) + "z FROM Zahlen" + w),
                      m.Ziehung_Wo[k - 1]);
            EXPECT_EQ(wert("SELECT Ziehung_Ja_" + std::to_string(k) + "z FROM Zahlen" + w),
                      m.Ziehung_Ja[k - 1]);
        }
    }
    // Spot checks of the reference: the first draw, the full repeat, the rows with odd numbers.
    EXPECT_EQ(wert("SELECT Ziehung_Wo_1z * 10 + Summe_Wo FROM Zahlen" + sel(2024, 10)), 70);
    EXPECT_EQ(wert("SELECT Ziehung_Wo_1z FROM Zahlen" + sel(2024, 12)), 6);
    EXPECT_EQ(wert("SELECT Ziehung_Wo_7z * 10 + Summe_Wo FROM Zahlen" + sel(2025, 11)), 70);
    // 2026/10: 1, 2, 3 and 20 were in week 10 of 2025, 4 and 5 in week 10 of 2024.
    EXPECT_EQ(wert("SELECT Ziehung_Ja_1z * 10 + Ziehung_Ja_2z FROM Zahlen" + sel(2026, 10)), 46);

    // The tables: only 2024/12 (all six repeated) and 2026/10 (1, 2, 3, 4 from the draw before)
    // have determinable values.
    EXPECT_DOUBLE_EQ(prozent("Ziehung_Wo_z", "Woche_z", 1, "6_Zahlen"), 50);
    EXPECT_DOUBLE_EQ(prozent("Ziehung_Wo_z", "Woche_z", 1, "4_Zahlen"), 50);

    // A second run gives the same.
    ASSERT_TRUE(stats::Analyse_berechnen(*dm).berechnet);
    EXPECT_DOUBLE_EQ(prozent("Ziehung_Wo_z", "Woche_z", 1, "6_Zahlen"), 50);
    EXPECT_EQ(wert("SELECT Ziehung_Wo_1z FROM Zahlen" + sel(2026, 10)), 4);
}

// The default database is created with its analysis computed; the dialog's calculation through
// the cursors gives the same values, and the sort click the same statistics as the pure count.
TEST(Standarddatenbank, AnalysisEqualsTheDialogsCalculationAndStatisticsThePureCount) {
    test::TempDir mit, ohne;
    ASSERT_TRUE(
        data::Standarddatenbank_anlegen(mit.dir(), {2026, 12, 10}, stats::Standarddatenbank_nachbereiten));
    ASSERT_TRUE(data::Standarddatenbank_anlegen(ohne.dir(), {2026, 12, 10}));
    {
        data::Globale_Zustaende g;
        g.Programmverzeichnis = ohne.dir();
        data::Fensterzustand fenster;
        test::Testdialog dialog;
        data::DataModule_Lotto dm(g, fenster, dialog);
        dm.Startsequenz({2026, 12, 10}); // 2026/50, after the newest shipped draw
        stats::Analyse_Zeilen_anlegen(dm);
        const auto e = stats::Analyse_berechnen(dm);
        ASSERT_TRUE(e.berechnet) << e.fehler;
    }

    test::Sql_Verbindung db(ohne.file("Datenbank_Lotto.tdbd"));
    ASSERT_EQ(db.ausfuehren("ATTACH '" + mit.file("Datenbank_Lotto.tdbd") + "' AS m"), "");
    auto zahl = [&](const std::string& text) { return db.wert(text).value_or(-1); };
    std::string verschieden = "a.EZDVFS IS NOT b.EZDVFS OR a.Summe IS NOT b.Summe OR a.G_U IS NOT b.G_U OR "
                              "a.Summe_Wo IS NOT b.Summe_Wo";
    for (int k = 1; k <= 7; ++k)
        verschieden += " OR a.Ziehung_Wo_" + std::to_string(k) + "z IS NOT b.Ziehung_Wo_" +
                       std::to_string(k) + "z OR a.Ziehung_Ja_" + std::to_string(k) +
                       "z IS NOT b.Ziehung_Ja_" + std::to_string(k) + "z";
    EXPECT_EQ(
        zahl("SELECT count(*) FROM main.Zahlen a JOIN m.Zahlen b USING (ID_Verband, ID_Ziehung, Jahr, Woche) "
             "WHERE a.ID_Verband = 3 AND a.ID_Ziehung = 1 AND a.Zahl_01 > 0 AND (" +
             verschieden + ")"),
        0);
    EXPECT_GT(zahl("SELECT count(*) FROM m.Zahlen WHERE ID_Verband = 3 AND ID_Ziehung = 1 AND EZDVFS > 0"),
              3000);
    EXPECT_EQ(zahl("SELECT count(*) FROM m.Zahlen WHERE Zahl_01 > 0 AND Summe_Wo IS NULL"), 0);

    std::string abweichung = "0";
    for (const char* f : {"0_Zahlen", "1_Zahl", "2_Zahlen", "3_Zahlen", "4_Zahlen", "5_Zahlen", "6_Zahlen"})
        abweichung += std::string(" + abs(a.\"") + f + "\" - b.\"" + f + "\")";
    EXPECT_EQ(
        zahl("SELECT count(*) FROM main.Ziehung_Wo_z a JOIN m.Ziehung_Wo_z b USING (ID_Verband, ID_Ziehung, "
             "Woche_z) WHERE a.ID_Verband = 3 AND a.ID_Ziehung = 1 AND " +
             abweichung + " = 0"),
        7);
    EXPECT_EQ(
        zahl("SELECT count(*) FROM main.Ziehung_Ja_z a JOIN m.Ziehung_Ja_z b USING (ID_Verband, ID_Ziehung, "
             "Jahr_z) WHERE a.ID_Verband = 3 AND a.ID_Ziehung = 1 AND " +
             abweichung + " = 0"),
        7);
    EXPECT_EQ(
        zahl(
            "SELECT count(*) FROM main.Summe_Ru a JOIN m.Summe_Ru b USING (ID_Verband, ID_Ziehung, Von, Bis) "
            "WHERE a.ID_Verband = 3 AND a.ID_Ziehung = 1 AND a.Prozent = b.Prozent"),
        15);
    // Every association and draw day of the default database has its tables, each row adding up to 100.
    EXPECT_EQ(zahl("SELECT count(*) FROM m.Ziehung_Wo_z"), 6 * 7);
    EXPECT_EQ(zahl("SELECT count(*) FROM m.Ziehung_Ja_z"), 6 * 7);
    EXPECT_EQ(zahl("SELECT count(*) FROM m.Summe_Ru"), 6 * 15);
    EXPECT_LT(zahl("SELECT max(abs(\"0_Zahlen\" + \"1_Zahl\" + \"2_Zahlen\" + \"3_Zahlen\" + \"4_Zahlen\" + "
                   "\"5_Zahlen\" + \"6_Zahlen\" - 100)) FROM m.Ziehung_Ja_z"),
              1e-9);
    EXPECT_LT(
        zahl("SELECT max(abs(s - 100)) FROM (SELECT sum(Prozent) AS s FROM m.Summe_Ru GROUP BY ID_Verband, "
             "ID_Ziehung)"),
        1e-9);

    // The sort click on week 20 of 2024 stores what the pure count gives for the shipped series.
    data::Globale_Zustaende g;
    g.Programmverzeichnis = mit.dir();
    data::Fensterzustand fenster;
    test::Testdialog dialog;
    data::DataModule_Lotto dm(g, fenster, dialog);
    dm.Startsequenz({2024, 5, 16});
    ASSERT_EQ(dm.Wahl("Woche_aktuell"), 20);
    ASSERT_EQ(stats::Sortierung_anwenden(dm, stats::Sortierung::Zahl), stats::Sortierergebnis::Neu_berechnet);
    EXPECT_TRUE(dialog.fragen.empty());

    std::vector<stats::ZahlDaten> zeilen(49);
    for (int n = 1; n <= 49; ++n) zeilen[n - 1].Zahl = n;
    const auto tipp =
        stats::Statistik_berechnen(stats::Serie_aus_CSV(historie::ziehungen_csv, 3, 1), 2024, 20, 49, zeilen);
    auto& zd = dm.Table_Zahl_Daten;
    auto feld = [&](const char* name) -> std::optional<std::int64_t> {
        const auto f = zd.FieldByName(name);
        if (f.IsNull()) return std::nullopt;
        return f.AsInteger();
    };
    ASSERT_EQ(zd.RecordCount(), 49);
    for (const auto& z : zeilen) {
        ASSERT_TRUE(zd.Locate("Zahl", {z.Zahl}));
        SCOPED_TRACE(z.Zahl);
        ASSERT_TRUE(z.Wahrscheinlichkeit.has_value());
        EXPECT_DOUBLE_EQ(zd.FieldByName("Wahrscheinlichkeit").AsFloat(), *z.Wahrscheinlichkeit);
        EXPECT_EQ(feld("Haeufigkeit_Wo"), z.Haeufigkeit_Wo);
        EXPECT_EQ(feld("Rueckstaendig_Wo"), z.Rueckstaendig_Wo);
        EXPECT_EQ(feld("Haeufigkeit_Ja"), z.Haeufigkeit_Ja);
        EXPECT_EQ(feld("Rueckstaendig_Ja"), z.Rueckstaendig_Ja);
        EXPECT_EQ(feld("Zahlentipp"), z.Zahlentipp);
    }
    ASSERT_EQ(tipp.size(), 15u);
    for (int i = 0; i < 15; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "Zahl_%02d", i + 1);
        EXPECT_EQ(dm.Table_Zahlentipp.FieldByName(name).AsInteger(), tipp[i]) << name;
    }
}

} // namespace
