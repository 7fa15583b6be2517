#include "stats/zahlen_funktionen.h"

#include <gtest/gtest.h>

#include <functional>

using namespace pyra::stats;

namespace {

// An overdue column: number n has overdue value n % 5, except 13 and 14 that were never drawn.
Spalte beispielspalte() {
    Spalte r{};
    for (int n = 1; n <= kGroessteZahl; ++n) r[n] = n % 5;
    r[13] = -1;
    r[14] = -1;
    r[0] = 1000; // must never be read
    return r;
}

struct Fall {
    const char* was;
    std::function<int()> rechnung;
    int erwartet;
};

} // namespace

TEST(ZahlenFunktionen, WorkedExamplesOfEveryFunction) {
    const Spalte r = beispielspalte();
    const Fall faelle[] = {
        {"Folge 1,2,3,10,11,20",
         [] {
             return Laengste_Folge({1, 2, 3, 10, 11, 20});
         },
         3},
        {"Folge ohne Nachbarn",
         [] {
             return Laengste_Folge({5, 10, 15, 20, 25, 30});
         },
         1},
        {"Folge 1..6",
         [] {
             return Laengste_Folge({1, 2, 3, 4, 5, 6});
         },
         6},
        {"Folge unsortiert",
         [] {
             return Laengste_Folge({20, 11, 3, 10, 2, 1});
         },
         3},
        {"Folge mit Doppelter unterbricht",
         [] {
             return Laengste_Folge({1, 2, 2, 3, 4, 9});
         },
         3},
        {"Folge am oberen Rand",
         [] {
             return Laengste_Folge({44, 45, 46, 47, 48, 49});
         },
         6},
        {"Folge ohne Werte ausserhalb 1..49",
         [] {
             return Laengste_Folge({0, 1, 2, 50, 51, 52});
         },
         2},
        {"Folge nur ungueltige Werte",
         [] {
             return Laengste_Folge({0, 0, 0, -1, 50, 99});
         },
         1},
        {"Gerade alle",
         [] {
             return Anzahl_Gerade({2, 4, 6, 8, 10, 12});
         },
         6},
        {"Gerade keine",
         [] {
             return Anzahl_Gerade({1, 3, 5, 7, 9, 49});
         },
         0},
        {"Gerade nur 2..48",
         [] {
             return Anzahl_Gerade({0, 50, 48, 2, -2, 1});
         },
         2},
        // overdue values of 1,2,3,4,5,6 are 1,2,3,4,0,1
        {"Wiederholungen k=1",
         [&] {
             return Wiederholungen({1, 2, 3, 4, 5, 6}, r, 1);
         },
         1},
        {"Wiederholungen k=2",
         [&] {
             return Wiederholungen({1, 2, 3, 4, 5, 6}, r, 2);
         },
         3},
        {"Wiederholungen k=7",
         [&] {
             return Wiederholungen({1, 2, 3, 4, 5, 6}, r, 7);
         },
         6},
        {"Wiederholungen nie gezogen",
         [&] {
             return Wiederholungen({1, 2, 3, 4, 5, 13}, r, 7);
         },
         7},
        {"Wiederholungen Wert 0",
         [&] {
             return Wiederholungen({1, 2, 3, 4, 5, 0}, r, 7);
         },
         7},
        {"Wiederholungen Wert 50",
         [&] {
             return Wiederholungen({50, 2, 3, 4, 5, 6}, r, 1);
         },
         7},
        {"Summe",
         [&] {
             return Summe_Rueckstaendig({1, 2, 3, 4, 5, 6}, r);
         },
         11},
        {"Summe nie gezogen",
         [&] {
             return Summe_Rueckstaendig({14, 2, 3, 4, 5, 6}, r);
         },
         0},
        {"Summe Wert 0",
         [&] {
             return Summe_Rueckstaendig({1, 2, 3, 4, 5, 0}, r);
         },
         0},
        {"Summe Wert 99",
         [&] {
             return Summe_Rueckstaendig({99, 2, 3, 4, 5, 6}, r);
         },
         0},
    };
    for (const Fall& f : faelle) EXPECT_EQ(f.rechnung(), f.erwartet) << f.was;
}
