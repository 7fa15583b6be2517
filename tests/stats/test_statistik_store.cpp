// The per-number statistics through the data module's cursors: count, estimate, stored fields,
// rank sums and tip, and the sort click with its question.

#include "speicher_fixture.h"
#include "stats/zahl_daten_store.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

using namespace pyra;
using stats::Sortierergebnis;
using stats::Sortierung;

namespace {

class StatistikSpeicher : public test::Speicher {
  protected:
    // Three draws with results before the reference week 2026/10 (one of them in week 10 of 2025,
    // a same-week draw), a row without results between them, the reference row with numbers of
    // its own and a row after it.
    void serie() {
        ziehung(2024, 10, {1, 2, 3, 4, 5, 6});
        ziehung(2024, 11, {});
        ziehung(2025, 10, {1, 7, 8, 9, 10, 11});
        ziehung(2025, 20, {2, 7, 12, 13, 14, 15});
        ziehung(2026, 10, {40, 41, 42, 43, 44, 45});
        ziehung(2026, 11, {46, 47, 48, 49, 1, 2});
    }
};

TEST_F(StatistikSpeicher, CountEstimateRankSumsAndTipOfTheSelectedWeek) {
    lotto(49);
    wahl(2026, 10);
    serie();
    // Number 16 is in no counted draw: its stored overdue value stays.
    sql("INSERT INTO Zahl_Daten (ID_Verband, Jahr, Woche, ID_Ziehung, Zahl, Rueckstaendig_Wo) "
        "VALUES (3, 2026, 10, 1, 16, 5)");
    oeffnen();
    stats::Statistik_aktualisieren(*dm);

    struct Fall {
        int zahl;
        std::optional<double> hf, rs, hj, rj, rangsumme;
    };
    const std::optional<double> leer;
    const Fall faelle[] = {
        {1, 2, 1, 2, 0, 8},          {2, 2, 0, 1, 1, 5},      {3, 1, 2, 1, 1, 9},
        {6, 1, 2, 1, 1, 18},         {7, 2, 0, 1, 0, 17},     {8, 1, 1, 1, 0, 24},
        {12, 1, 0, 0, leer, 36},     {16, 0, 5, 0, leer, 48}, // never drawn: old Rs kept, RJ stays empty
        {40, 0, leer, 0, leer, 120}, // the reference row's own numbers are not counted
        {46, 0, leer, 0, leer, 138}, // nor the rows after it
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.zahl);
        EXPECT_EQ(zahl_daten(2026, 10, f.zahl, "Haeufigkeit_Wo"), f.hf);
        EXPECT_EQ(zahl_daten(2026, 10, f.zahl, "Rueckstaendig_Wo"), f.rs);
        EXPECT_EQ(zahl_daten(2026, 10, f.zahl, "Haeufigkeit_Ja"), f.hj);
        EXPECT_EQ(zahl_daten(2026, 10, f.zahl, "Rueckstaendig_Ja"), f.rj);
        EXPECT_EQ(zahl_daten(2026, 10, f.zahl, "Zahlentipp"), f.rangsumme);
    }

    // W unrounded: D = 3 draws, the overdue values sum to 13 over the drawn numbers and -34 over
    // the 34 numbers never drawn.
    const double b = 600.0 / 49;
    const double a = -21.0 / 49;
    EXPECT_DOUBLE_EQ(*zahl_daten(2026, 10, 1, "Wahrscheinlichkeit"), (200.0 / 3 + b + 0.1 * (1 - a)) / 2);
    EXPECT_DOUBLE_EQ(*zahl_daten(2026, 10, 49, "Wahrscheinlichkeit"), (0.0 + b + 0.1 * (-1 - a)) / 2);

    const int tipp[] = {2, 1, 3, 4, 5, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    for (int i = 0; i < 15; ++i) {
        char feld[16];
        std::snprintf(feld, sizeof feld, "Zahl_%02d", i + 1);
        EXPECT_EQ(wert(std::string("SELECT ") + feld + " FROM Zahlentipp WHERE Jahr = 2026 AND Woche = 10"),
                  tipp[i])
            << feld;
    }
    EXPECT_EQ(dm->Table_Zahl_Daten.IndexName(), "Index_Zahlentipp");
    EXPECT_EQ(wert("SELECT count(*) FROM Zahl_Daten WHERE Wahrscheinlichkeit IS NOT NULL"), 49);
}

TEST_F(StatistikSpeicher, WithFewerThan15RowsTheLaterTipFieldsKeepTheirValues) {
    lotto(10);
    wahl(2026, 10);
    serie();
    sql("INSERT INTO Zahlentipp VALUES (3, 2026, 10, 1, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, "
        "99, 99)");
    oeffnen();
    ASSERT_EQ(dm->Table_Zahl_Daten.RecordCount(), 10);
    stats::Statistik_aktualisieren(*dm);

    std::set<int> tipp;
    for (int i = 1; i <= 10; ++i)
        tipp.insert(static_cast<int>(
            *wert("SELECT Zahl_" + std::string(i < 10 ? "0" : "") + std::to_string(i) + " FROM Zahlentipp")));
    EXPECT_EQ(tipp, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(wert("SELECT Zahl_11 + Zahl_12 + Zahl_13 + Zahl_14 + Zahl_15 FROM Zahlentipp"), 5 * 99);
    EXPECT_EQ(wert("SELECT count(*) FROM Zahlentipp"), 1);
}

TEST_F(StatistikSpeicher, SortClickAsksWhenTheDrawBeforeHasNoResults) {
    lotto(49);
    wahl(2024, 12);
    ziehung(2024, 10, {1, 2, 3, 4, 5, 6});
    ziehung(2024, 11, {});
    oeffnen();
    auto& zd = dm->Table_Zahl_Daten;
    ASSERT_TRUE(g.Statistik_neu_berechnen);
    zd.SetIndexName("Index_Haeufigkeit_Wo"); // the order of an earlier click

    // No: nothing computed, the order stays, the flag is cleared.
    dialog.antworten = {false};
    EXPECT_EQ(stats::Sortierung_anwenden(*dm, Sortierung::Wahrscheinlichkeit), Sortierergebnis::Abgelehnt);
    ASSERT_EQ(dialog.fragen.size(), 1u);
    EXPECT_EQ(dialog.fragen[0], "Ziehungsergebnisse fehlen! - Trotzdem berechnen?");
    EXPECT_FALSE(g.Statistik_neu_berechnen);
    EXPECT_EQ(zd.IndexName(), "Index_Haeufigkeit_Wo");
    EXPECT_EQ(zahl_daten(2024, 12, 1, "Wahrscheinlichkeit"), std::nullopt);

    // The next click sorts without asking and without computing.
    EXPECT_EQ(stats::Sortierung_anwenden(*dm, Sortierung::Rueckstaendigkeit_Ja), Sortierergebnis::Sortiert);
    EXPECT_EQ(dialog.fragen.size(), 1u);
    EXPECT_EQ(zd.IndexName(), "Index_Rueckstaendigkeit_J");
    EXPECT_EQ(zahl_daten(2024, 12, 1, "Wahrscheinlichkeit"), std::nullopt);

    // Out of date again, Yes: computed, then the chosen order from its first row.
    g.Statistik_neu_berechnen = true;
    dialog.antworten = {true};
    EXPECT_EQ(stats::Sortierung_anwenden(*dm, Sortierung::Haeufigkeit), Sortierergebnis::Neu_berechnet);
    EXPECT_EQ(dialog.fragen.size(), 2u);
    EXPECT_FALSE(g.Statistik_neu_berechnen);
    EXPECT_EQ(zahl_daten(2024, 12, 1, "Haeufigkeit_Wo"), 1);
    EXPECT_EQ(zd.IndexName(), "Index_Haeufigkeit_Wo");
    EXPECT_EQ(zd.RecNo(), 1);
    EXPECT_EQ(zd.FieldByName("Zahl").AsInteger(), 1); // the drawn 1..6 first, then by Zahl

    EXPECT_EQ(stats::Sortierung_anwenden(*dm, Sortierung::Zahl), Sortierergebnis::Sortiert);
    EXPECT_EQ(zd.IndexName(), "");
    EXPECT_EQ(zd.FieldByName("Zahl").AsInteger(), 1);
}

TEST_F(StatistikSpeicher, WhichRowTheQuestionLooksAt) {
    lotto(49);
    wahl(2024, 10);
    ziehung(2024, 10, {1, 2, 3, 4, 5, 6});
    ziehung(2024, 11, {});
    oeffnen();
    struct Fall {
        int jahr, woche;
        bool fragt;
    } faelle[] = {
        {2024, 10, false}, // first row of the series: Prior stays on it, and it has results
        {2024, 11, false}, // the draw before has results
        {2024, 12, true},  // 2024/11 has none
        {2020, 5, true},   // a new first row: it looks at the row itself, which has none
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::to_string(f.jahr) + "/" + std::to_string(f.woche));
        waehle(f.jahr, f.woche);
        dialog.fragen.clear();
        EXPECT_EQ(stats::Sortierung_anwenden(*dm, Sortierung::Wahrscheinlichkeit),
                  Sortierergebnis::Neu_berechnet);
        EXPECT_EQ(dialog.fragen.size(), f.fragt ? 1u : 0u);
    }
}

TEST_F(StatistikSpeicher, NumbersOutside1To49AreIgnoredByTheCount) {
    lotto(49);
    wahl(2026, 10);
    ziehung(2025, 1, {3, 50, 99, 7, 0, 32000});
    ziehung(2025, 2, {1, 2, 3, 4, 5, 6});
    ziehung(2025, 3, {-4, 7, 8, 9, 10, 11}); // no results: Zahl_01 is not above 0
    oeffnen();
    stats::Statistik_aktualisieren(*dm);
    EXPECT_EQ(zahl_daten(2026, 10, 3, "Haeufigkeit_Wo"), 2);
    EXPECT_EQ(zahl_daten(2026, 10, 3, "Rueckstaendig_Wo"), 0);
    EXPECT_EQ(zahl_daten(2026, 10, 7, "Haeufigkeit_Wo"), 1);
    EXPECT_EQ(zahl_daten(2026, 10, 7, "Rueckstaendig_Wo"), 1);
    EXPECT_EQ(zahl_daten(2026, 10, 8, "Haeufigkeit_Wo"), 0);
    EXPECT_EQ(wert("SELECT sum(Haeufigkeit_Wo) FROM Zahl_Daten"), 8);
}

} // namespace
