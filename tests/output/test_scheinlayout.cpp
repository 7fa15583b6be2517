#include "output/scheinlayout.h"
#include "output/spielscheine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace pyra::output;

namespace {

Scheinlayout layout_mit_abstaenden(double links, double oben) {
    Scheinlayout l;
    for (int k = 0; k < 12; ++k) {
        l.Reihe_links[k] = 100 + 40 * k;
        l.Reihe_oben[k] = 30 + 70 * k;
    }
    l.Zahl_Abstand_links = links;
    l.Zahl_Abstand_oben = oben;
    return l;
}

} // namespace

struct Positionsfall {
    double abstand_links, abstand_oben;
    int n, k;
    std::int64_t links, oben;
};

TEST(Scheinlayout, PositionsOfTheNumbers) {
    // L(k) = 100 + 40(k-1), O(k) = 30 + 70(k-1)
    const Positionsfall faelle[] = {
        {8.5, 8.5, 1, 1, 100, 30},
        {8.5, 8.5, 3, 1, 100 + 17, 30},   // 2 × 8.5 = 17 across
        {8.5, 8.5, 15, 2, 140, 100 + 16}, // line 2: 2 × Trunc(8.5) = 16 down, not 17
        {8.5, 8.5, 2, 1, 100 + 8, 30},    // 1 × 8.5 truncated
        {8.5, 8.5, 49, 12, 540 + 51, 800 + 48},
        {8.3, 8.9, 7, 1, 100 + 49, 30},  // 6 × 8.3 = 49.8 → 49 (multiplied first)
        {8.3, 8.9, 43, 1, 100, 30 + 48}, // 6 × Trunc(8.9) = 48, not 53
        {8.5, 8.5, 3, 13, 17, 0},        // no row box 13
        {8.5, 8.5, 3, 0, 17, 0},
        {8.5, 8.5, 0, 1, 100, 30}, // number outside 1 … 49: no in-box term
        {8.5, 8.5, 50, 1, 100, 30},
        {-8.5, -8.5, 17, 1, 100 - 17, 30 - 16}, // truncation toward zero
    };
    for (const auto& f : faelle) {
        const Scheinlayout l = layout_mit_abstaenden(f.abstand_links, f.abstand_oben);
        SCOPED_TRACE("n=" + std::to_string(f.n) + " k=" + std::to_string(f.k) +
                     " abstand=" + std::to_string(f.abstand_links));
        EXPECT_EQ(Position_links(l, f.n, f.k), f.links);
        EXPECT_EQ(Position_oben(l, f.n, f.k), f.oben);
    }
}

TEST(Scheinlayout, AbsurdSpacingsDoNotOverflow) {
    const Scheinlayout l = layout_mit_abstaenden(1e300, std::nan(""));
    EXPECT_GT(Position_links(l, 7, 1), 0);
    EXPECT_EQ(Position_oben(l, 49, 1), 30);
}

TEST(Scheinlayout, PixelsPerUnitAreWhole) {
    EXPECT_EQ(Pixel_links(1, 4960), 11); // 4960 div 420 = 11, not 11.8
    EXPECT_EQ(Pixel_links(100, 4960), 1100);
    EXPECT_EQ(Pixel_oben(100, 7016), 1100); // 7016 div 594 = 11
    EXPECT_EQ(Pixel_oben(594, 7016), 6534);
    EXPECT_EQ(Pixel_links(0, 4960), 0);
    EXPECT_EQ(Pixel_links(50, 419), 0); // less than one pixel per unit
}

TEST(Scheinlayout, RowBoxesAreCountedNotListed) {
    struct Fall {
        std::array<int, 12> links;
        int erwartet;
    };
    const Fall faelle[] = {
        {{5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5}, 12},
        {{10, 20, 30, 40, 0, 0, 0, 0, 0, 0, 0, 0}, 4},
        {{10, -20, 30, 40, 0, 0, 0, 0, 0, 0, 0, 0}, 3}, // negative is no box
        {{10, 0, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 2},    // boxes 1 and 3
        {{}, 0},                                        // all empty
    };
    for (const auto& f : faelle) {
        Scheinlayout l;
        l.Reihe_links = f.links;
        EXPECT_EQ(Reihenfelder_zaehlen(l), f.erwartet);
    }
}

TEST(Scheinlayout, ReadsTheLayoutByFieldName) {
    std::map<std::string, double> werte = {
        {"Reihe_01_links", 12},      {"Reihe_03_links", 77},      {"Reihe_12_oben", 530},
        {"Zahl_Abstand_links", 8.5}, {"Zahl_Abstand_oben", 9.75}, {"Schriftgroesse", 10},
        {"Super_77_links", 0},       {"Super_77_oben", 300},      {"MiSa_oben", -4},
    };
    const Scheinlayout l = Scheinlayout_lesen([&](const std::string& name) -> std::optional<double> {
        auto it = werte.find(name);
        if (it == werte.end()) return std::nullopt;
        return it->second;
    });
    EXPECT_EQ(l.Reihe_links[0], 12);
    EXPECT_EQ(l.Reihe_links[1], 0);
    EXPECT_EQ(l.Reihe_links[2], 77);
    EXPECT_EQ(l.Reihe_oben[11], 530);
    EXPECT_DOUBLE_EQ(l.Zahl_Abstand_links, 8.5);
    EXPECT_DOUBLE_EQ(l.Zahl_Abstand_oben, 9.75);
    EXPECT_EQ(l.Schriftgroesse, 10);
    EXPECT_EQ(l.Super_77_links, 0);
    EXPECT_EQ(l.Super_77_oben, 300);
    EXPECT_FALSE(l.Super_6_links.has_value());
    EXPECT_FALSE(l.MiSa_links.has_value());
    EXPECT_EQ(l.MiSa_oben, -4);
}

TEST(Spielscheinliste, TextsOfTheSlipList) {
    const auto liste = Spielschein_Liste();
    ASSERT_EQ(liste.size(), 250u);
    EXPECT_EQ(liste[0], "  01.Spielschein");
    EXPECT_EQ(liste[8], "  09.Spielschein");
    EXPECT_EQ(liste[98], "  99.Spielschein");
    EXPECT_EQ(liste[99], "100.Spielschein");
    EXPECT_EQ(liste[249], "250.Spielschein");
}

TEST(Spielscheinliste, RowRangeOfASlipAndRowNumberTexts) {
    EXPECT_EQ(Reihenbereich_berechnen(0, 12).von, 1);
    EXPECT_EQ(Reihenbereich_berechnen(0, 12).bis, 12);
    EXPECT_EQ(Reihenbereich_berechnen(3, 12).von, 37);
    EXPECT_EQ(Reihenbereich_berechnen(3, 12).bis, 48);
    EXPECT_EQ(Reihenbereich_berechnen(249, 12).bis, 3000);
    EXPECT_EQ(Reihenbereich_berechnen(5, 0).von, 1); // no row boxes
    EXPECT_EQ(Reihenbereich_berechnen(5, 0).bis, 0);

    EXPECT_EQ(Reihenzahl_Text(1), "   1");
    EXPECT_EQ(Reihenzahl_Text(12), "  12");
    EXPECT_EQ(Reihenzahl_Text(0), "   0");
    EXPECT_EQ(Reihenzahl_Text(3000), "3000");
    EXPECT_EQ(Reihenzahl_Text(12345), "12345");
}

TEST(Spielscheinliste, ReadsOnlyWholeNumbers) {
    const std::pair<const char*, std::optional<std::int64_t>> faelle[] = {
        {"  12", 12},
        {"12", 12},
        {"-3", -3},
        {"+7", 7},
        {"   0", 0},
        {"", {}},
        {"   ", {}},
        {"12 ", {}},
        {"1x", {}},
        {"1.5", {}},
        {"-", {}},
        {"99999999999", {}},
        {"2147483647", 2147483647},
    };
    for (const auto& [text, erwartet] : faelle)
        EXPECT_EQ(Ganzzahl_lesen(text), erwartet) << '"' << text << '"';
}
