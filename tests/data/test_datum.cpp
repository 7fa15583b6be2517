#include "data/datum.h"

#include <gtest/gtest.h>

using namespace pyra::data;

TEST(Datum, IsoWeekYearAndDrawDay) {
    struct Fall {
        Datum d;
        int jahr, woche, wochentag, ziehung;
    } faelle[] = {
        {{2021, 1, 1}, 2020, 53, 5, 1},  // Friday in the last week of 2020
        {{2024, 12, 31}, 2025, 1, 2, 2}, // Tuesday in the first week of 2025
        {{2022, 1, 1}, 2021, 52, 6, 1},   {{2022, 12, 31}, 2022, 52, 6, 1}, {{2014, 1, 1}, 2014, 1, 3, 2},
        {{2014, 12, 31}, 2015, 1, 3, 2},  {{2026, 12, 10}, 2026, 50, 4, 1}, {{2026, 12, 13}, 2026, 50, 7, 1},
        {{2026, 12, 14}, 2026, 51, 1, 2},
    };
    for (auto& f : faelle) {
        auto w = ISO_Woche(f.d);
        EXPECT_EQ(w.jahr, f.jahr) << f.d.jahr << "-" << f.d.monat << "-" << f.d.tag;
        EXPECT_EQ(w.woche, f.woche) << f.d.jahr << "-" << f.d.monat << "-" << f.d.tag;
        EXPECT_EQ(Wochentag(f.d), f.wochentag);
        EXPECT_EQ(Ziehung_zum_Wochentag(f.d), f.ziehung);
    }
}

TEST(Datum, WeekendDrawOnMondayOrTuesdayBelongsToTheWeekBefore) {
    // Easter Monday 1959 (30 March) held the weekend draw.
    EXPECT_EQ(Spielwoche_der_Ziehung({1959, 3, 30}, 1).woche, ISO_Woche({1959, 3, 29}).woche);
    EXPECT_EQ(Spielwoche_der_Ziehung({1961, 12, 26}, 1).woche, ISO_Woche({1961, 12, 24}).woche);
    // A Wednesday draw keeps its own week.
    EXPECT_EQ(Spielwoche_der_Ziehung({1961, 12, 26}, 2).woche, ISO_Woche({1961, 12, 26}).woche);
}

TEST(Datum, ReadsGermanAndIsoDatesOnly) {
    Datum d;
    EXPECT_TRUE(Datum_lesen("02.01.2021", d));
    EXPECT_EQ(d.jahr, 2021);
    EXPECT_EQ(d.monat, 1);
    EXPECT_EQ(d.tag, 2);
    EXPECT_TRUE(Datum_lesen("2024-02-29", d));
    for (auto* bad : {"", "31.02.2021", "2023-02-29", "1.1", "heute", "01.13.2020", "2021-01-01x"})
        EXPECT_FALSE(Datum_lesen(bad, d)) << bad;
}
