#include "maintenance/textwerte.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

using namespace pyra;
using namespace pyra::maintenance;

namespace {

TEST(Textwerte, WholeNumbers) {
    struct Fall {
        const char* text;
        bool ok;
        long long wert;
    } faelle[] = {{"12", true, 12},
                  {" 7 ", true, 7},
                  {"-3", true, -3},
                  {"+4", true, 4},
                  {"", false, 0},
                  {"1.234", false, 0},
                  {"12,0", false, 0},
                  {"12a", false, 0},
                  {"1 2", false, 0},
                  {"-", false, 0},
                  {"1234567", true, 1234567},
                  {"99999999999999999999", false, 0}};
    for (auto& f : faelle) {
        long long v = -99;
        EXPECT_EQ(Text_als_Ganzzahl(f.text, v), f.ok) << f.text;
        if (f.ok) {
            EXPECT_EQ(v, f.wert) << f.text;
        }
    }
}

TEST(Textwerte, DecimalNumbersWithCommaWhateverTheLocale) {
    // A locale with the decimal point must not change how the German texts are read.
    std::setlocale(LC_ALL, "C");
    struct Fall {
        const char* text;
        bool ok;
        double wert;
    } faelle[] = {
        {"12,50", true, 12.5}, {"512345,60", true, 512345.6}, {"7", true, 7.0},       {"-0,5", true, -0.5},
        {",5", true, 0.5},     {"12.50", false, 0},           {"1.234,50", false, 0}, {"unbesetzt", false, 0},
        {"", false, 0},        {"1,2,3", false, 0},           {"1e5", false, 0}};
    for (auto& f : faelle) {
        double v = -99;
        EXPECT_EQ(Text_als_Dezimalzahl(f.text, v), f.ok) << f.text;
        if (f.ok) {
            EXPECT_DOUBLE_EQ(v, f.wert) << f.text;
        }
    }
}

TEST(Textwerte, AtMostTwoThousandsSeparatorsAreDeleted) {
    EXPECT_EQ(Punkte_entfernen("1.234.567"), "1234567");
    EXPECT_EQ(Punkte_entfernen("1.234.567,80"), "1234567,80");
    EXPECT_EQ(Punkte_entfernen("1.234.567.890"), "1234567.890");
    EXPECT_EQ(Punkte_entfernen("234,50"), "234,50");
}

TEST(Textwerte, GermanDates) {
    data::Datum d;
    ASSERT_TRUE(Text_als_Datum("02.01.2021", d));
    EXPECT_EQ(d.jahr, 2021);
    EXPECT_EQ(d.monat, 1);
    EXPECT_EQ(d.tag, 2);
    ASSERT_TRUE(Text_als_Datum(" 6.1.2016 ", d));
    EXPECT_EQ(d.tag, 6);
    for (const char* falsch :
         {"31.02.2021", "2021-01-02", "02.01.21", "02/01/2021", "44198", "", "Datum", "1.1.2021 x"})
        EXPECT_FALSE(Text_als_Datum(falsch, d)) << falsch;
}

} // namespace
