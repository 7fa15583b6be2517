#include "stats/serie.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace pyra::stats;

TEST(Serie, FromCsvTakesOnlyTheChosenSeriesSorted) {
    const char* text =
        "verband,ziehung,jahr,woche,datum,z1,z2,z3,z4,z5,z6,g1,g2,g3,g4,g5,g6,zusatzzahl,superzahl\r\n"
        "3,1,2024,2,2024-01-13,1,6,8,26,27,48,6,48,27,1,8,26,,6\r\n"
        "3,2,2024,2,2024-01-10,2,3,4,5,6,7,,,,,,,,\r\n"
        "3,1,2023,52,2023-12-30,9,10,11,12,13,14,,,,,,,,\r\n"
        "4,1,2024,1,2024-01-07,1,2,3,4,5,6,,,,,,,,\r\n"
        "3,1,2024,3,2024-01-20,,,,,,,,,,,,,,\r\n";
    const Serie serie = Serie_aus_CSV(text, 3, 1);
    ASSERT_EQ(serie.size(), 3u);
    EXPECT_EQ(serie[0].Jahr, 2023);
    EXPECT_EQ(serie[0].Woche, 52);
    EXPECT_EQ(serie[1].Zahl, (Sechs{1, 6, 8, 26, 27, 48}));
    EXPECT_FALSE(serie[2].hat_Ergebnisse());
    EXPECT_EQ(Position_suchen(serie, 2024, 2), std::optional<std::size_t>(1));
    EXPECT_EQ(Position_suchen(serie, 2024, 1), std::nullopt);
    EXPECT_EQ(Zeilen_vor(serie, 2024, 1), 1u);
    EXPECT_EQ(Zeilen_vor(serie, 2030, 1), 3u);
}

TEST(Serie, FromCsvRefusesBadRowsAndReadsAnEmptyText) {
    EXPECT_THROW(Serie_aus_CSV("verband,ziehung,jahr,woche,z1,z2,z3,z4,z5\n", 3, 1), std::runtime_error);
    EXPECT_THROW(
        Serie_aus_CSV("verband,ziehung,jahr,woche,z1,z2,z3,z4,z5,z6\n3,1,2024,x,1,2,3,4,5,6\n", 3, 1),
        std::runtime_error);
    EXPECT_THROW(Serie_aus_CSV("verband,ziehung,jahr,woche,z1,z2,z3,z4,z5,z6\n3,1,2024\n", 3, 1),
                 std::runtime_error);
    EXPECT_TRUE(Serie_aus_CSV("", 3, 1).empty());
}
