#include "stats/zahlenstatistik.h"

#include <gtest/gtest.h>

using namespace pyra::stats;

namespace {

constexpr double kB49 = 600.0 / 49;
const Sechs kLeer{};

Ziehung zg(int jahr, int woche, Sechs zahlen) {
    return Ziehung{jahr, woche, zahlen};
}

void erwarte_nichts_gezaehlt(const Zahlenstatistik& t) {
    for (int n = 1; n <= 49; ++n) {
        EXPECT_EQ(t.Haeufigkeit_Wo[n], 0) << n;
        EXPECT_EQ(t.Rueckstaendig_Wo[n], -1) << n;
        EXPECT_EQ(t.Haeufigkeit_Ja[n], 0) << n;
        EXPECT_EQ(t.Rueckstaendig_Ja[n], -1) << n;
    }
}

} // namespace

TEST(Wahrscheinlichkeit, WorkedExampleOfOneNumber) {
    // N = 49, D = 1000, drawn 130 times, overdue 10, mean overdue 7.2
    const Schaetzung s = Schaetzung_einer_Zahl(49, 130, 10, 1000, 7.2);
    EXPECT_DOUBLE_EQ(s.F, 13.0);
    EXPECT_NEAR(s.U, 12.524897959, 1e-9);
    EXPECT_NEAR(s.W, 12.762448979, 1e-9);
    EXPECT_DOUBLE_EQ(s.W, (13.0 + (kB49 + 0.1 * (10 - 7.2))) / 2);
}

TEST(Wahrscheinlichkeit, TableUsesTheTruncatedMeans) {
    Zahlenstatistik t;
    // Frequencies sum to 6005: D = 1000 (truncated). Overdue values sum to 343: A = 7.
    t.Haeufigkeit_Wo[1] = 130;
    for (int n = 2; n <= 49; ++n) t.Haeufigkeit_Wo[n] = n <= 20 ? 123 : 122; // 19*123 + 29*122
    t.Rueckstaendig_Wo[1] = 10;
    t.Rueckstaendig_Wo[2] = -1;
    for (int n = 3; n <= 49; ++n) t.Rueckstaendig_Wo[n] = n <= 7 ? 8 : 7; // 5*8 + 42*7
    ASSERT_EQ(130 + 19 * 123 + 29 * 122, 6005);
    ASSERT_EQ(10 - 1 + 5 * 8 + 42 * 7, 343);

    Wahrscheinlichkeit_berechnen(t, 49);
    EXPECT_DOUBLE_EQ(t.F[1], 13.0);
    EXPECT_DOUBLE_EQ(t.W[1], (13.0 + (kB49 + 0.1 * (10 - 7.0))) / 2);
    EXPECT_DOUBLE_EQ(t.F[2], 12.3);
    EXPECT_DOUBLE_EQ(t.U[2], kB49 + 0.1 * (-1 - 7.0)); // never drawn: -1 takes part
    EXPECT_DOUBLE_EQ(t.W[49], (12.2 + (kB49 + 0.1 * (7 - 7.0))) / 2);
}

TEST(Wahrscheinlichkeit, NoDrawsAndNumbersAboveTheRangeGiveTheBaseValue) {
    Zahlenstatistik leer = Zahlenstatistik_zaehlen(Serie{}, 2024, 1);
    Wahrscheinlichkeit_berechnen(leer, 49);
    for (int n = 1; n <= 49; ++n) EXPECT_DOUBLE_EQ(leer.W[n], kB49);
    EXPECT_NEAR(leer.W[1], 12.244897959, 1e-9);

    // N = 45: numbers above N keep the base value even when they were counted.
    Zahlenstatistik t;
    t.Rueckstaendig_Wo.fill(0);
    for (int n = 1; n <= 49; ++n) t.Haeufigkeit_Wo[n] = 12;
    Wahrscheinlichkeit_berechnen(t, 45); // S = 540, D = 90
    EXPECT_DOUBLE_EQ(t.F[45], 1200.0 / 90);
    EXPECT_DOUBLE_EQ(t.W[46], 600.0 / 45);

    // N above 49 is taken as 49; N of 0 or less estimates nothing.
    Zahlenstatistik gross = t;
    Wahrscheinlichkeit_berechnen(gross, 60);
    EXPECT_DOUBLE_EQ(gross.U[49], kB49);
    Zahlenstatistik null = t;
    Wahrscheinlichkeit_berechnen(null, 0);
    EXPECT_EQ(null.W[1], 0.0);
}

TEST(Zahlenstatistik, EmptySeriesAndFirstRowCountNothing) {
    erwarte_nichts_gezaehlt(Zahlenstatistik_zaehlen(Serie{}, 2024, 10));
    erwarte_nichts_gezaehlt(Zahlenstatistik_zaehlen(Serie{}, std::size_t{0}));
    const Serie ohne_ergebnisse{zg(2024, 1, kLeer), zg(2024, 2, kLeer), zg(2024, 3, kLeer)};
    erwarte_nichts_gezaehlt(Zahlenstatistik_zaehlen(ohne_ergebnisse, std::size_t{2}));

    // The reference row is the first row: nothing is counted, even its own entered numbers.
    const Serie serie{zg(2024, 1, {1, 2, 3, 4, 5, 6}), zg(2024, 2, {7, 8, 9, 10, 11, 12})};
    erwarte_nichts_gezaehlt(Zahlenstatistik_zaehlen(serie, std::size_t{0}));
    erwarte_nichts_gezaehlt(Zahlenstatistik_zaehlen(serie, 2024, 1));
}

TEST(Zahlenstatistik, OverdueCountsAcrossRowsWithoutResults) {
    const Serie serie{
        zg(2023, 1, {1, 40, 41, 42, 43, 44}),  //
        zg(2023, 2, kLeer),                    // no results: changes nothing
        zg(2023, 3, {2, 40, 41, 42, 43, 45}),  //
        zg(2023, 4, kLeer),                    //
        zg(2023, 5, {3, 40, 41, 42, 43, 46}),  //
        zg(2023, 6, {20, 21, 22, 23, 24, 25}), // reference: its own numbers are not counted
        zg(2023, 7, {1, 2, 3, 4, 5, 6}),       // after the reference
    };
    const Zahlenstatistik t = Zahlenstatistik_zaehlen(serie, std::size_t{5});
    EXPECT_EQ(t.Rueckstaendig_Wo[3], 0);
    EXPECT_EQ(t.Rueckstaendig_Wo[2], 1);
    EXPECT_EQ(t.Rueckstaendig_Wo[1], 2);
    EXPECT_EQ(t.Rueckstaendig_Wo[40], 0);
    EXPECT_EQ(t.Haeufigkeit_Wo[40], 3);
    EXPECT_EQ(t.Haeufigkeit_Wo[1], 1);
    EXPECT_EQ(t.Haeufigkeit_Wo[20], 0);
    EXPECT_EQ(t.Rueckstaendig_Wo[20], -1);
    EXPECT_EQ(t.Haeufigkeit_Wo[4], 0);

    // The key version agrees, also for a week that is not stored (counts the rows before it).
    const Zahlenstatistik k = Zahlenstatistik_zaehlen(serie, 2023, 6);
    EXPECT_EQ(k.Rueckstaendig_Wo, t.Rueckstaendig_Wo);
    EXPECT_EQ(k.Haeufigkeit_Wo, t.Haeufigkeit_Wo);
    const Zahlenstatistik danach = Zahlenstatistik_zaehlen(serie, 2023, 8);
    EXPECT_EQ(danach.Rueckstaendig_Wo[1], 0);
    EXPECT_EQ(danach.Haeufigkeit_Wo[1], 2);
}

TEST(Zahlenstatistik, SameWeekOfEarlierYearsAndAllDrawsAreCountedApart) {
    const Serie serie{
        zg(2021, 10, {1, 2, 30, 31, 32, 33}), //
        zg(2022, 10, {2, 3, 30, 31, 32, 34}), //
        zg(2023, 5, {4, 30, 31, 32, 35, 36}), // another week: only the all-draws counts
        zg(2023, 10, kLeer),                  // same week without results: skipped
        zg(2024, 10, {7, 8, 9, 10, 11, 12}),  // reference
    };
    const Zahlenstatistik t = Zahlenstatistik_zaehlen(serie, 2024, 10);
    EXPECT_EQ(t.Haeufigkeit_Wo[4], 1);
    EXPECT_EQ(t.Haeufigkeit_Ja[4], 0);
    EXPECT_EQ(t.Rueckstaendig_Ja[4], -1);
    EXPECT_EQ(t.Haeufigkeit_Ja[30], 2);
    EXPECT_EQ(t.Rueckstaendig_Ja[3], 0);
    EXPECT_EQ(t.Rueckstaendig_Ja[1], 1);
    EXPECT_EQ(t.Rueckstaendig_Ja[2], 0);
    EXPECT_EQ(t.Haeufigkeit_Ja[2], 2);
    EXPECT_EQ(t.Rueckstaendig_Wo[1], 2);
}

TEST(Zahlenstatistik, NumbersOutsideTheRangeAreIgnored) {
    const Serie serie{
        zg(2024, 1, {9, 10, 11, 12, 13, 14}),
        zg(2024, 2, {5, 0, 50, 99, -3, 7}),    // stored faults: only 5 and 7 count
        zg(2024, 3, {60, 61, 62, 63, 64, 65}), // has results (Zahl_01 > 0), nothing countable
        zg(2024, 4, {1, 2, 3, 4, 5, 6}),
    };
    const Zahlenstatistik t = Zahlenstatistik_zaehlen(serie, std::size_t{3});
    EXPECT_EQ(t.Haeufigkeit_Wo[5], 1);
    EXPECT_EQ(t.Rueckstaendig_Wo[5], 1); // the row of 60..65 still is a draw
    EXPECT_EQ(t.Rueckstaendig_Wo[9], 2);
    EXPECT_EQ(t.Haeufigkeit_Wo[49], 0);
    int summe = 0;
    for (int n = 1; n <= 49; ++n) summe += t.Haeufigkeit_Wo[n];
    EXPECT_EQ(summe, 8);
}
