#include "system/gewinn.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pyra::system;

TEST(Gewinn, HitsPerRow) {
    const Reihe ziehung{3, 11, 19, 27, 35, 43};
    const struct {
        Reihe reihe;
        Reihe ziehung;
        int treffer;
    } faelle[] = {
        {{3, 11, 19, 27, 35, 43}, ziehung, 6},
        {{1, 2, 4, 5, 6, 7}, ziehung, 0},
        {{3, 4, 5, 6, 7, 43}, ziehung, 2},
        {{3, 4, 5, 6, 7, 43}, {43, 35, 27, 19, 11, 3}, 2}, // order of the drawn numbers does not matter
        {{0, 0, 0, 0, 0, 0}, ziehung, 0},                  // emptied row
        // Empty numbers are never hits, not even against a draw with empty numbers.
        {{0, 0, 0, 0, 0, 0}, {3, 11, 0, 0, 0, 0}, 0},
        {{3, 3, 3, 11, 50, -1}, ziehung, 2}, // a number written twice counts once
    };
    for (const auto& f : faelle) EXPECT_EQ(Treffer_zaehlen(f.reihe, f.ziehung), f.treffer);
}

TEST(Gewinn, EvaluatesEveryRowInOrderAndNeedsResults) {
    const std::vector<Reihe> reihen{{1, 2, 3, 4, 5, 6}, {1, 2, 3, 10, 11, 12}, {}, {20, 21, 22, 23, 24, 25}};
    const Reihe ziehung{1, 2, 3, 4, 11, 30};
    EXPECT_EQ(Gewinn_ermitteln(reihen, ziehung), (std::vector<int>{4, 4, 0, 0}));
    EXPECT_TRUE(Gewinn_ermitteln({}, ziehung).empty());
    EXPECT_TRUE(Ziehungsergebnisse_vorhanden(ziehung));
    EXPECT_FALSE(Ziehungsergebnisse_vorhanden({0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(Ziehungsergebnisse_vorhanden({-1, 2, 3, 4, 5, 6}));
}
