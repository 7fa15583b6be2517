#include "system/statistik.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace pyra::system;

namespace {

Zahlenmenge menge(std::initializer_list<int> zahlen) {
    Zahlenmenge m;
    for (int z : zahlen) m.aufnehmen(z);
    return m;
}

Ziehung ziehung(int jahr, int woche, Reihe zahlen) {
    return Ziehung{jahr, woche, zahlen};
}

} // namespace

TEST(Prozente, RoundHalfToEven) {
    const struct {
        double wert;
        int erwartet;
    } faelle[] = {{12.5, 12},  {13.5, 14}, {12.4999, 12}, {12.5001, 13}, {0.5, 0}, {1.5, 2},
                  {99.5, 100}, {-2.5, -2}, {-3.5, -4},    {0.0, 0},      {NAN, 0}, {7.0, 7}};
    for (const auto& f : faelle) EXPECT_EQ(Runden_halb_gerade(f.wert), f.erwartet) << f.wert;
}

TEST(Prozente, TablesTakeRecordsByPosition) {
    std::vector<std::array<double, 7>> saetze;
    for (int k = 1; k <= 9; ++k) saetze.push_back({k + 0.5, 1, 2, 3, 4, 5, 6.5});
    const Prozenttabelle t = Wochenprozente(saetze);
    EXPECT_EQ(t[1][0], 2); // 1.5
    EXPECT_EQ(t[2][0], 2); // 2.5
    EXPECT_EQ(t[7][0], 8); // 7.5; records 8 and 9 are ignored
    EXPECT_EQ(t[7][6], 6);
    EXPECT_EQ(t[0], (std::array<int, 7>{}));

    const std::vector<std::array<double, 7>> zwei{{10, 20, 30, 40, 50, 60, 70}, {1, 1, 1, 1, 1, 1, 1}};
    const Prozenttabelle j = Jahresprozente(zwei);
    EXPECT_EQ(j[1][6], 70);
    EXPECT_EQ(j[3], (std::array<int, 7>{})); // missing records leave zeros

    std::vector<double> baender(20, 0.0);
    for (std::size_t b = 0; b < 20; ++b) baender[b] = static_cast<double>(b + 1) + 0.5;
    const Summentabelle s = Summenprozente(baender);
    EXPECT_EQ(s[1], 2);   // 1.5
    EXPECT_EQ(s[15], 16); // 15.5; records after the fifteenth are ignored
    EXPECT_EQ(Summenprozente(std::vector<double>{}), Summentabelle{});
}

TEST(Verlauf, SetsAndOverdueWalkBackFromTheReference) {
    // Week 10 is the reference week; rows without results are skipped and advance no counter.
    const std::vector<Ziehung> serie{
        ziehung(2019, 10, {40, 41, 42, 43, 44, 45}), // same week, two years back
        ziehung(2020, 10, {1, 2, 3, 4, 5, 6}),       // same week, one year back
        ziehung(2020, 11, {7, 8, 9, 10, 11, 12}),    ziehung(2021, 8, {1, 13, 14, 15, 16, 17}),
        ziehung(2021, 9, {0, 0, 0, 0, 0, 0}),        // no results
        ziehung(2021, 10, {20, 21, 22, 23, 24, 25}), // the reference itself never counts
        ziehung(2021, 11, {30, 31, 32, 33, 34, 35}), // after the reference
    };
    const std::size_t ref = 5;
    ASSERT_EQ(Referenz_suchen(serie, 2021, 10), std::optional<std::size_t>(ref));
    EXPECT_FALSE(Referenz_suchen(serie, 2022, 1).has_value());

    const Mengenfolge w = Wochenmenge(serie, ref);
    EXPECT_EQ(w[1], menge({1, 13, 14, 15, 16, 17}));
    EXPECT_EQ(w[2], menge({1, 13, 14, 15, 16, 17, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(w[3], menge({1, 13, 14, 15, 16, 17, 7, 8, 9, 10, 11, 12, 2, 3, 4, 5, 6}));
    EXPECT_EQ(w[4],
              menge({1, 13, 14, 15, 16, 17, 7, 8, 9, 10, 11, 12, 2, 3, 4, 5, 6, 40, 41, 42, 43, 44, 45}));
    EXPECT_EQ(w[7], w[4]); // fewer than seven earlier draws

    const Mengenfolge j = Jahresmenge(serie, ref);
    EXPECT_EQ(j[1], menge({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(j[2], menge({1, 2, 3, 4, 5, 6, 40, 41, 42, 43, 44, 45}));
    EXPECT_EQ(j[7], j[2]);

    const Rueckstandstabelle r = Rueckstand(serie, ref);
    EXPECT_EQ(r[13], 0); // in the draw right before (the row without results does not count)
    EXPECT_EQ(r[1], 0);
    EXPECT_EQ(r[7], 1);
    EXPECT_EQ(r[2], 2);
    EXPECT_EQ(r[40], 3);
    EXPECT_EQ(r[20], -1); // only in the reference draw
    EXPECT_EQ(r[30], -1); // only after it
    EXPECT_EQ(r[49], -1);
}

TEST(Verlauf, SevenDrawsAtMostAndBadNumbersIgnored) {
    std::vector<Ziehung> serie;
    for (int i = 0; i < 10; ++i) serie.push_back(ziehung(2000, i + 1, {i + 1, 0, 50, -4, 99, 49}));
    serie.push_back(ziehung(2000, 11, {}));
    const Mengenfolge w = Wochenmenge(serie, 10);
    EXPECT_EQ(w[1], menge({10, 49}));
    EXPECT_EQ(w[7], menge({4, 5, 6, 7, 8, 9, 10, 49})); // the draws 10 back to 4
    const Rueckstandstabelle r = Rueckstand(serie, 10);
    EXPECT_EQ(r[49], 0);
    EXPECT_EQ(r[1], 9);
    // No reference week past the end: same-week sets stay empty, every draw counts as earlier.
    EXPECT_EQ(Jahresmenge(serie, 99)[7], Zahlenmenge{});
    EXPECT_EQ(Wochenmenge(serie, 99)[1], menge({10, 49})); // the last row has no results
    EXPECT_EQ(Rueckstand(std::vector<Ziehung>{}, 0)[5], -1);
}

namespace {

// A basis where numbers 1..6 were in the last draw and 7..12 in the one before; every other
// number has an overdue of 10.
Statistikgrundlage grundlage() {
    Statistikgrundlage g;
    for (std::size_t k = 1; k <= 7; ++k) {
        g.Wochenmenge[k] =
            k == 1 ? menge({1, 2, 3, 4, 5, 6}) : menge({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
        g.Jahresmenge[k] = menge({1, 2});
        for (std::size_t v = 0; v < 7; ++v) {
            g.Wochenprozente[k][v] = static_cast<int>(10 * k + v);
            g.Jahresprozente[k][v] = static_cast<int>(v + 1);
        }
    }
    for (int n = 1; n <= 49; ++n) g.Rueckstand[static_cast<std::size_t>(n)] = n <= 6 ? 0 : n <= 12 ? 1 : 10;
    for (std::size_t b = 1; b <= 15; ++b) g.Summenprozente[b] = static_cast<int>(100 + b);
    return g;
}

} // namespace

TEST(Statistik, ScoreLooksUpEveryTableAndRejectsAtTheThreshold) {
    const Statistikgrundlage g = grundlage();
    const Reihe k{1, 2, 7, 20, 30, 40}; // 2 in Wochenmenge[1], 3 in [2..7]; 2 in every Jahresmenge
    bool verworfen = false;
    const Schwellenwerte keine{-1, -1, -1};
    // (12 + 23 + 33 + 43 + 53 + 63 + 73) / 7 = 300 / 7 = 42 (truncated)
    EXPECT_EQ(Wochenbewertung(k, g, keine, verworfen), 42);
    EXPECT_EQ(Jahresbewertung(k, g, keine, verworfen), 3);
    // overdue sum 0 + 0 + 1 + 10 + 10 + 10 = 31 -> band 4
    EXPECT_EQ(Summenbewertung(k, g, keine, verworfen), 104);
    EXPECT_FALSE(verworfen);
    const Statistikwertung w = Statistik_bewerten(k, g, keine);
    EXPECT_EQ(w.Punkte, 42 + 3 + 2 * 104);
    EXPECT_FALSE(w.Verworfen);

    // A threshold equal to the smallest looked-up percentage rejects; one below it does not.
    EXPECT_TRUE(Statistik_bewerten(k, g, {12, -1, -1}).Verworfen);
    EXPECT_FALSE(Statistik_bewerten(k, g, {11, -1, -1}).Verworfen);
    EXPECT_TRUE(Statistik_bewerten(k, g, {-1, 3, -1}).Verworfen);
    EXPECT_TRUE(Statistik_bewerten(k, g, {-1, -1, 104}).Verworfen);
    EXPECT_FALSE(Statistik_bewerten(k, g, {-1, -1, 103}).Verworfen);
    // A rejected row still gets its full score.
    EXPECT_EQ(Statistik_bewerten(k, g, {100, 100, 200}).Punkte, w.Punkte);
}

TEST(Statistik, OverdueSumBands) {
    Statistikgrundlage g;
    for (std::size_t b = 1; b <= 15; ++b) g.Summenprozente[b] = static_cast<int>(b);
    const auto band = [&](int summe, int schwelle = -1) {
        // five numbers never drawn (-1 each) and one number carrying the rest
        g.Rueckstand.fill(-1);
        g.Rueckstand[6] = summe + 5;
        bool verworfen = false;
        const int p = Summenbewertung({1, 2, 3, 4, 5, 6}, g, {0, 0, schwelle}, verworfen);
        return std::pair{p, verworfen};
    };
    EXPECT_EQ(band(1), std::pair(1, false));
    EXPECT_EQ(band(10), std::pair(1, false));
    EXPECT_EQ(band(11), std::pair(2, false));
    EXPECT_EQ(band(150), std::pair(15, false));
    // Outside 1..150 the percentage is 0: passes a threshold of -1, fails one of 0.
    EXPECT_EQ(band(151), std::pair(0, false));
    EXPECT_EQ(band(0), std::pair(0, false));
    EXPECT_EQ(band(-6), std::pair(0, false));
    EXPECT_EQ(band(151, 0), std::pair(0, true));
    EXPECT_EQ(band(0, 0), std::pair(0, true));
}

TEST(Statistik, OverlapScoreCountsEverySlot) {
    std::vector<Reihe> slots(Max_Reihen);
    const Reihe k{1, 2, 3, 4, 5, 6};
    EXPECT_EQ(Ueberdeckung_bewerten(k, slots), 750.0); // all empty: weight 1 each
    slots[0] = {1, 2, 3, 4, 5, 6};
    slots[1] = {1, 2, 3, 40, 41, 42};
    slots[2] = {6, 10, 11, 12, 13, 14};
    slots[3] = {20, 21, 22, 23, 24, 25};
    EXPECT_EQ(Ueberdeckung_bewerten(k, slots), 1e14 + 1e8 + 1e3 + 1 + 746);
    // The order of the numbers does not matter.
    EXPECT_EQ(Ueberdeckung_bewerten({6, 5, 4, 3, 2, 1}, slots), Ueberdeckung_bewerten(k, slots));
}
