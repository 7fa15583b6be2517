#include "system/gewinnerwartung.h"
#include "system/kuerzung.h"
#include "system/texte.h"

#include "common/systemflags.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace pyra::system;

namespace {

using pyra::test::flags;

// Every combination of six of the given numbers, ascending.
std::vector<Reihe> vollsystem(const std::vector<int>& zahlen) {
    std::vector<Reihe> reihen;
    const int n = static_cast<int>(zahlen.size());
    std::vector<bool> wahl(zahlen.size(), false);
    std::fill(wahl.begin(), wahl.begin() + 6, true);
    do {
        Reihe r{};
        std::size_t p = 0;
        for (int i = 0; i < n; ++i)
            if (wahl[static_cast<std::size_t>(i)]) r[p++] = zahlen[static_cast<std::size_t>(i)];
        reihen.push_back(r);
    } while (std::prev_permutation(wahl.begin(), wahl.end()));
    return reihen;
}

std::vector<double> werte(const Gewinnerwartungswerte& w) {
    return {w.Gw_3_3, w.Gw_3_4, w.Gw_3_5, w.Gw_3_6, w.Gw_4_4, w.Gw_4_5, w.Gw_4_6, w.Gw_5_5, w.Gw_5_6};
}

Gewinnerwartungsergebnis simulieren(const std::vector<Reihe>& reihen, int r, int s, int n,
                                    const Systemflags& f, std::uint64_t seed,
                                    Simulationsverfahren v = Simulationsverfahren::Schnell) {
    Zufallsgenerator z(seed);
    return Gewinnerwartung_berechnen(reihen, r, s, n, f, z, v);
}

const std::vector<int> Neun{2, 5, 11, 17, 23, 30, 36, 42, 48};

} // namespace

TEST(Gewinnerwartung, FullSystemOfNineGivesOneHundredEverywhere) {
    const std::vector<Reihe> reihen = vollsystem(Neun);
    ASSERT_EQ(reihen.size(), 84u);
    for (const auto v : {Simulationsverfahren::Schnell, Simulationsverfahren::Direkt}) {
        const Gewinnerwartungsergebnis e = simulieren(reihen, 84, 500, 49, flags(Neun), 1, v);
        EXPECT_TRUE(e.Gestartet);
        for (double w : werte(e.Werte)) EXPECT_EQ(w, 100.0);
    }
}

TEST(Gewinnerwartung, ValuesFallFromThreeToFiveHits) {
    const std::vector<int> zwoelf{3, 7, 12, 18, 22, 25, 29, 33, 38, 41, 44, 47};
    Kuerzungseingabe k;
    k.Systemzahlen = flags(zwoelf);
    k.Reihenberechnung = 30;
    k.Schwellen = {-1, -1, -1};
    Zufallsgenerator z(4);
    const std::vector<Reihe> reihen = Reihenkuerzung(k, z).Reihen;
    ASSERT_EQ(reihen.size(), 30u);

    const Gewinnerwartungsergebnis e = simulieren(reihen, 30, 5000, 49, k.Systemzahlen, 8);
    const Gewinnerwartungswerte& w = e.Werte;
    EXPECT_GE(w.Gw_3_4, w.Gw_4_4);
    EXPECT_GE(w.Gw_3_5, w.Gw_4_5);
    EXPECT_GE(w.Gw_4_5, w.Gw_5_5);
    EXPECT_GE(w.Gw_3_6, w.Gw_4_6);
    EXPECT_GE(w.Gw_4_6, w.Gw_5_6);
    for (double x : werte(w)) EXPECT_TRUE(x >= 0.0 && x <= 100.0) << x;
    // A 30-row system misses some draws: the strict values are below 100.
    EXPECT_LT(w.Gw_5_6, 100.0);
    EXPECT_GT(w.Gw_3_6, 0.0);
}

TEST(Gewinnerwartung, SimulatesOnlyTheDrawsThatHaveEnoughNumbers) {
    std::vector<int> alle;
    for (int z = 1; z <= 49; ++z) alle.push_back(z);
    const std::vector<Reihe> reihen{{1, 2, 3, 4, 5, 6}, {1, 2, 3, 7, 8, 9}, {10, 11, 12, 13, 14, 15}};
    // All 49 marked: only k = 6.
    const Gewinnerwartungsergebnis e = simulieren(reihen, 3, 2000, 49, flags(alle), 2);
    for (int h = 3; h <= 6; ++h)
        for (int k = 3; k <= 5; ++k) EXPECT_EQ(e.Gewinnerwartung[h][k], 0);
    EXPECT_EQ(e.Werte.Gw_3_3, 0.0);
    EXPECT_EQ(e.Werte.Gw_3_5, 0.0);
    EXPECT_EQ(e.Werte.Gw_5_5, 0.0);
    EXPECT_GT(e.Gewinnerwartung[3][6], 0);

    // With N = 12 and a full system of the marked numbers every simulated k scores 100 % at
    // h = 3; a k that is not simulated stays 0. Nine marked leave three others: all k run.
    // Ten marked leave two: k = 3 is skipped.
    const std::vector<int> neun{1, 2, 3, 4, 5, 6, 7, 8, 9};
    const std::vector<int> zehn{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const Gewinnerwartungsergebnis a = simulieren(vollsystem(neun), 84, 300, 12, flags(neun), 3);
    EXPECT_EQ(werte(a.Werte), std::vector<double>(9, 100.0));
    const Gewinnerwartungsergebnis b = simulieren(vollsystem(zehn), 210, 300, 12, flags(zehn), 3);
    EXPECT_EQ(b.Werte.Gw_3_3, 0.0);
    EXPECT_EQ(b.Werte.Gw_3_4, 100.0);
    EXPECT_EQ(b.Werte.Gw_5_6, 100.0);
}

TEST(Gewinnerwartung, OnlyRowsUpToTheCurrentRowTakePart) {
    const std::vector<Reihe> reihen = vollsystem(Neun);
    // Row 1 alone cannot cover every draw of six system numbers; rows past the list are empty.
    const Gewinnerwartungsergebnis eine = simulieren(reihen, 1, 2000, 49, flags(Neun), 5);
    EXPECT_LT(eine.Werte.Gw_3_3, 100.0);
    EXPECT_GT(eine.Werte.Gw_3_3, 0.0);
    EXPECT_EQ(eine.Werte.Gw_3_6, 100.0); // six of nine drawn always leave three of row 1
    const Gewinnerwartungsergebnis keine = simulieren(reihen, 0, 2000, 49, flags(Neun), 5);
    EXPECT_EQ(werte(keine.Werte), std::vector<double>(9, 0.0));
    EXPECT_TRUE(keine.Gestartet);
    const Gewinnerwartungsergebnis mehr = simulieren(reihen, 5000, 500, 49, flags(Neun), 5);
    EXPECT_EQ(werte(mehr.Werte), std::vector<double>(9, 100.0));
}

TEST(Gewinnerwartung, NoRepetitionsOrTooFewSystemNumbers) {
    const std::vector<Reihe> reihen = vollsystem(Neun);
    for (const int s : {0, -3}) {
        const Gewinnerwartungsergebnis e = simulieren(reihen, 84, s, 49, flags(Neun), 1);
        EXPECT_TRUE(e.Gestartet);
        EXPECT_EQ(werte(e.Werte), std::vector<double>(9, 0.0));
    }
    // Five marked up to N (the sixth lies above N): not started.
    const Systemflags fuenf = flags({1, 2, 3, 4, 5, 47});
    EXPECT_FALSE(Simulation_moeglich(fuenf, 45));
    EXPECT_TRUE(Simulation_moeglich(fuenf, 49));
    const Gewinnerwartungsergebnis e = simulieren(reihen, 84, 100, 45, fuenf, 1);
    EXPECT_FALSE(e.Gestartet);
    EXPECT_EQ(werte(e.Werte), std::vector<double>(9, 0.0));
    EXPECT_STREQ(Text_Mindestens_6_Systemzahlen, "Mindestens 6 Systemzahlen festlegen!");
}

TEST(Gewinnerwartung, ValuesFromTheCounters) {
    std::array<std::array<std::int32_t, 7>, 7> g{};
    g[3][4] = 1;
    g[4][4] = 2;
    g[3][6] = 1;
    g[6][6] = 1;
    const Gewinnerwartungswerte w = Gewinnerwartung_auswerten(g, 3);
    EXPECT_EQ(w.Gw_3_4, 100.0);
    EXPECT_DOUBLE_EQ(w.Gw_4_4, 200.0 / 3.0);
    EXPECT_DOUBLE_EQ(w.Gw_3_6, 200.0 / 3.0);
    EXPECT_DOUBLE_EQ(w.Gw_4_6, 100.0 / 3.0);
    EXPECT_EQ(w.Gw_3_3, 0.0);
    // 100 times a count of 30 million does not fit 32 bits; the value is still right.
    std::array<std::array<std::int32_t, 7>, 7> gross{};
    gross[6][6] = 30'000'000;
    EXPECT_EQ(Gewinnerwartung_auswerten(gross, 30'000'000).Gw_3_6, 100.0);
}

TEST(Gewinnerwartung, SimulatedDrawsHaveKSystemNumbersFirst) {
    const Systemflags f = flags(Neun);
    Zufallsgenerator z(6);
    for (int k = 3; k <= 6; ++k) {
        for (int i = 0; i < 200; ++i) {
            const Reihe d = Ziehung_simulieren(k, f, 45, z);
            Reihe sortiert = d;
            std::sort(sortiert.begin(), sortiert.end());
            EXPECT_EQ(std::adjacent_find(sortiert.begin(), sortiert.end()), sortiert.end());
            for (int p = 0; p < 6; ++p) {
                EXPECT_TRUE(d[p] >= 1 && d[p] <= 45);
                EXPECT_EQ(f[static_cast<std::size_t>(d[p])], p < k);
            }
        }
    }
}

TEST(Gewinnerwartung, FastMethodCountsLikeTheDirectMethod) {
    const std::vector<int> zwoelf{3, 7, 12, 18, 22, 25, 29, 33, 38, 41, 44, 47};
    Kuerzungseingabe k;
    k.Systemzahlen = flags(zwoelf);
    k.Reihenberechnung = 150;
    k.Schwellen = {-1, -1, -1};
    Zufallsgenerator z(12);
    std::vector<Reihe> reihen = Reihenkuerzung(k, z).Reihen;
    reihen.insert(reihen.begin() + 40, Reihe{}); // an emptied row among them
    const struct {
        int r;
        int n;
    } faelle[] = {{151, 49}, {64, 49}, {65, 45}, {1, 49}};
    for (const auto& f : faelle) {
        const Gewinnerwartungsergebnis schnell =
            simulieren(reihen, f.r, 3000, f.n, k.Systemzahlen, 77, Simulationsverfahren::Schnell);
        const Gewinnerwartungsergebnis direkt =
            simulieren(reihen, f.r, 3000, f.n, k.Systemzahlen, 77, Simulationsverfahren::Direkt);
        EXPECT_EQ(schnell.Gewinnerwartung, direkt.Gewinnerwartung) << f.r;
        EXPECT_EQ(schnell.Werte, direkt.Werte) << f.r;
    }
}

TEST(Gewinnerwartung, Caption) {
    EXPECT_EQ(Titel_Gewinnerwartung(1, 9), "  Gewinnerwartung bei 1 Reihe / 9 Systemzahlen");
    EXPECT_EQ(Titel_Gewinnerwartung(12, 15), "  Gewinnerwartung bei 12 Reihen / 15 Systemzahlen");
    EXPECT_EQ(Titel_Gewinnerwartung(0, 9), "  Gewinnerwartung bei 0 Reihen / 9 Systemzahlen");
}
