#include "stats/zahlentipp.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace pyra::stats;

namespace {

std::vector<ZahlDaten> leere_zeilen(int anzahl) {
    std::vector<ZahlDaten> z(anzahl);
    for (int i = 0; i < anzahl; ++i) z[i].Zahl = i + 1;
    return z;
}

ZahlDaten zeile(int zahl, std::optional<double> w, std::optional<std::int64_t> hj,
                std::optional<std::int64_t> rj) {
    ZahlDaten z;
    z.Zahl = zahl;
    z.Wahrscheinlichkeit = w;
    z.Haeufigkeit_Ja = hj;
    z.Rueckstaendig_Ja = rj;
    return z;
}

} // namespace

TEST(Zahlentipp, WithoutCountedDrawsTiesFollowTheNumberOrder) {
    // No counted draws: equal W, Haeufigkeit_Ja 0 and empty Rueckstaendig_Ja everywhere, so every
    // index visits in Zahl order and number n gets rank sum 3n.
    auto zeilen = leere_zeilen(49);
    const auto tipp = Statistik_berechnen(Serie{}, 2024, 20, 49, zeilen);
    for (const ZahlDaten& z : zeilen) {
        EXPECT_EQ(*z.Zahlentipp, 3 * z.Zahl);
        EXPECT_DOUBLE_EQ(*z.Wahrscheinlichkeit, 600.0 / 49);
        EXPECT_EQ(*z.Haeufigkeit_Wo, 0);
        EXPECT_FALSE(z.Rueckstaendig_Wo.has_value()); // never written
    }
    std::vector<int> erste15(15);
    std::iota(erste15.begin(), erste15.end(), 1);
    EXPECT_EQ(tipp, erste15);
}

TEST(Zahlentipp, RankSumsFollowTheOrderOfEachIndex) {
    // Rows given out of Zahl order on purpose.
    std::vector<ZahlDaten> zeilen{
        zeile(4, 12.0, 1, 3),            //
        zeile(1, 12.5, 1, std::nullopt), // empty overdue: last under Index_Rueckstaendigkeit_J
        zeile(3, 12.0, 2, 0),            //
        zeile(2, 11.0, 0, 3),            //
        zeile(5, std::nullopt, 2, 0),    // empty W: last under Index_Wahrscheinlichkeit
    };
    // Haeufigkeit_Ja desc:  3(2) 5(2) 1(1) 4(1) 2(0)        -> ranks 3:1 5:2 1:3 4:4 2:5
    // Rueckstaendig_Ja:     2(3) 4(3) 3(0) 5(0) 1(empty)    -> ranks 2:1 4:2 3:3 5:4 1:5
    // Wahrscheinlichkeit:   1(12.5) 3(12) 4(12) 2(11) 5(-)  -> ranks 1:1 3:2 4:3 2:4 5:5
    const auto tipp = Zahlentipp_berechnen(zeilen);
    auto summe = [&](int zahl) {
        for (const auto& z : zeilen)
            if (z.Zahl == zahl) return *z.Zahlentipp;
        return std::int64_t{-1};
    };
    EXPECT_EQ(summe(1), 3 + 5 + 1);
    EXPECT_EQ(summe(2), 5 + 1 + 4);
    EXPECT_EQ(summe(3), 1 + 3 + 2);
    EXPECT_EQ(summe(4), 4 + 2 + 3);
    EXPECT_EQ(summe(5), 2 + 4 + 5);
    // Ascending rank sum, equal sums by Zahl; fewer than 15 rows give a shorter tip.
    EXPECT_EQ(tipp, (std::vector<int>{3, 1, 4, 2, 5}));
}

TEST(Zahlentipp, UnknownOverdueKeepsTheStoredValue) {
    Zahlenstatistik t = Zahlenstatistik_zaehlen(Serie{}, 2024, 1);
    t.Rueckstaendig_Wo[1] = 4;
    t.Rueckstaendig_Ja[1] = 0;
    t.Haeufigkeit_Wo[1] = 7;
    auto zeilen = leere_zeilen(3);
    zeilen.push_back(zeile(46, 1.0, 9, 9)); // above N: untouched
    for (auto& z : zeilen) {
        z.Rueckstaendig_Wo = 11;
        z.Rueckstaendig_Ja = 12;
    }
    Zahl_Daten_uebernehmen(t, 45, zeilen);
    EXPECT_EQ(*zeilen[0].Rueckstaendig_Wo, 4);
    EXPECT_EQ(*zeilen[0].Rueckstaendig_Ja, 0);
    EXPECT_EQ(*zeilen[0].Haeufigkeit_Wo, 7);
    EXPECT_EQ(*zeilen[1].Rueckstaendig_Wo, 11); // -1 is not written: the old value stays
    EXPECT_EQ(*zeilen[1].Rueckstaendig_Ja, 12);
    EXPECT_EQ(*zeilen[1].Haeufigkeit_Ja, 0);
    EXPECT_EQ(*zeilen[3].Haeufigkeit_Ja, 9);
    EXPECT_DOUBLE_EQ(*zeilen[3].Wahrscheinlichkeit, 1.0);

    auto nichts = leere_zeilen(2);
    Zahl_Daten_uebernehmen(t, 0, nichts);
    EXPECT_FALSE(nichts[0].Haeufigkeit_Wo.has_value());
}

TEST(Zahlentipp, StatisticsOfOneWeek) {
    // Week 3 of 2024: numbers 1..6 drawn in week 2 and 7..12 in week 3 of 2023.
    const Serie serie{
        {2023, 2, {1, 2, 3, 4, 5, 6}},
        {2023, 3, {7, 8, 9, 10, 11, 12}},
        {2024, 2, {1, 2, 3, 4, 5, 13}},
        {2024, 3, {}},
    };
    auto zeilen = leere_zeilen(49);
    const auto tipp = Statistik_berechnen(serie, 2024, 3, 49, zeilen);
    EXPECT_EQ(*zeilen[0].Haeufigkeit_Wo, 2);
    EXPECT_EQ(*zeilen[0].Rueckstaendig_Wo, 0);
    EXPECT_EQ(*zeilen[6].Rueckstaendig_Wo, 1);
    EXPECT_EQ(*zeilen[6].Haeufigkeit_Ja, 1);
    EXPECT_EQ(*zeilen[6].Rueckstaendig_Ja, 0);
    EXPECT_FALSE(zeilen[0].Rueckstaendig_Ja.has_value());
    // Ranks: 7..12 lead both same-week indexes (1..6), the rest follows in Zahl order; W puts
    // 1..5 first (drawn twice), then 6, 7..12, 13 and the never drawn numbers in Zahl order.
    EXPECT_EQ(*zeilen[6].Zahlentipp, 1 + 1 + 7);
    EXPECT_EQ(*zeilen[0].Zahlentipp, 7 + 7 + 1);
    EXPECT_EQ(*zeilen[5].Zahlentipp, 12 + 12 + 6);
    EXPECT_EQ(*zeilen[13].Zahlentipp, 14 + 14 + 14);
    EXPECT_EQ(tipp, (std::vector<int>{7, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 6, 13, 14, 15}));
}
