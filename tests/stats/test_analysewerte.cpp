#include "stats/analysewerte.h"

#include <gtest/gtest.h>

using namespace pyra::stats;

namespace {

Ziehungsmerkmale mit(int wo1, int summe_wo) {
    Ziehungsmerkmale m;
    m.Ziehung_Wo.fill(7);
    m.Ziehung_Ja.fill(7);
    m.Ziehung_Wo[0] = wo1;
    m.Summe_Wo = summe_wo;
    return m;
}

} // namespace

TEST(Analysewerte, PercentagesOfOneRow) {
    // 1000 draws for z = 1: 412 share no number with the draw before, 451 one, 124 two, 13 three.
    std::vector<Ziehungsmerkmale> zeilen;
    for (auto [wert, anzahl] : {std::pair{0, 412}, {1, 451}, {2, 124}, {3, 13}})
        for (int i = 0; i < anzahl; ++i) zeilen.push_back(mit(wert, 0));
    const Analysewerte a = Analysewerte_berechnen(zeilen);
    EXPECT_EQ(a.TW[0], 1000);
    EXPECT_EQ(a.Ziehung_Wo_z[0][0], 41200.0 / 1000);
    EXPECT_EQ(a.Ziehung_Wo_z[0][1], 45100.0 / 1000);
    EXPECT_EQ(a.Ziehung_Wo_z[0][2], 12400.0 / 1000);
    EXPECT_EQ(a.Ziehung_Wo_z[0][3], 1300.0 / 1000);
    EXPECT_EQ(a.Ziehung_Wo_z[0][4], 0.0);
    // z = 2..7 and the same-week rows only held 7 (not determinable), the sums were 0.
    EXPECT_EQ(a.TW[1], 0);
    EXPECT_EQ(a.TJ[0], 0);
    EXPECT_EQ(a.TS, 0);
    EXPECT_EQ(a.Ziehung_Ja_z[0][0], 0.0);
    EXPECT_EQ(a.Summe_Ru[0], 0.0);
}

TEST(Analysewerte, SumsFallIntoTheirBands) {
    const std::pair<int, int> faelle[] = {{0, 0},    {1, 1},    {10, 1},  {11, 2},
                                          {149, 15}, {150, 15}, {151, 0}, {-5, 0}};
    for (auto [summe, band] : faelle) EXPECT_EQ(Summenband(summe), band) << summe;

    const std::vector<Ziehungsmerkmale> zeilen{mit(7, 150), mit(7, 151), mit(7, 1), mit(7, 0), mit(7, 11)};
    const Analysewerte a = Analysewerte_berechnen(zeilen);
    EXPECT_EQ(a.TS, 3);
    EXPECT_EQ(a.CS[14], 1);
    EXPECT_EQ(a.CS[0], 1);
    EXPECT_EQ(a.CS[1], 1);
    EXPECT_EQ(a.Summe_Ru[14], 100.0 / 3);
}

TEST(Analysewerte, StoredValuesOutsideTheRangeAreNotCounted) {
    // Stored fields may hold anything; values outside 0..6 must not be counted anywhere.
    Ziehungsmerkmale m = mit(-1, 20);
    m.Ziehung_Wo[1] = 8;
    m.Ziehung_Ja[0] = -100;
    m.Ziehung_Ja[1] = 6;
    const Analysewerte a = Analysewerte_berechnen(std::vector<Ziehungsmerkmale>{m});
    EXPECT_EQ(a.TW[0], 0);
    EXPECT_EQ(a.TW[1], 0);
    EXPECT_EQ(a.TJ[0], 0);
    EXPECT_EQ(a.CJ[1][6], 1);
    EXPECT_EQ(a.Ziehung_Ja_z[1][6], 100.0);
}

TEST(Analysewerte, RowsUpToTheSelectedWeekAreCounted) {
    const Serie serie{
        {2020, 1, {1, 2, 3, 4, 5, 6}}, // first draws: 7 and sum 0, nothing counted
        {2020, 2, {1, 2, 3, 4, 5, 6}}, // overdue 0: sum 0, six recurring
        {2020, 3, {}},                 // without results
        {2020, 4, {1, 2, 3, 4, 5, 7}}, // 7 never drawn
        {2020, 5, {1, 2, 3, 4, 5, 7}}, // overdue 0
        {2020, 6, {1, 2, 3, 4, 5, 6}}, // selected week, already drawn
        {2020, 7, {1, 2, 3, 4, 5, 6}}, // later: never counted
    };
    const Analysewerte a = Analysewerte_berechnen(Ziehungsmerkmale_berechnen(serie, 2020, 6));
    EXPECT_EQ(a.TW[0], 3);
    EXPECT_EQ(a.CW[0][6], 2);
    EXPECT_EQ(a.CW[0][5], 1); // week 6: 6 was last drawn two draws before
    EXPECT_EQ(a.TS, 1);       // only week 6 has a sum above 0 (6 overdue by 2)
    EXPECT_EQ(a.CS[0], 1);

    // A series whose only draw with results is its first: all zero.
    const Analysewerte leer = Analysewerte_berechnen(Ziehungsmerkmale_berechnen(Serie{serie[0]}, 0));
    for (int z = 0; z < 7; ++z) {
        EXPECT_EQ(leer.TW[z], 0);
        EXPECT_EQ(leer.TJ[z], 0);
        for (int v = 0; v < 7; ++v) EXPECT_EQ(leer.Ziehung_Wo_z[z][v] + leer.Ziehung_Ja_z[z][v], 0.0);
    }
    for (double p : leer.Summe_Ru) EXPECT_EQ(p, 0.0);
}
