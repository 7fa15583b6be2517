#pragma once

// The per-number working table of a count: frequencies and overdue values of every number 1..49
// in the draws before a reference draw, and the probability estimate derived from them.

#include "stats/serie.h"

#include <array>
#include <cstddef>

namespace pyra::stats {

struct Zahlenstatistik {
    Spalte Haeufigkeit_Wo{};   // counted draws containing the number
    Spalte Rueckstaendig_Wo{}; // counted draws more recent than the last one containing it; -1 none
    Spalte Haeufigkeit_Ja{};   // the same over the same-week draws
    Spalte Rueckstaendig_Ja{};
    std::array<double, kGroessteZahl + 1> F{}; // frequency estimate, percent
    std::array<double, kGroessteZahl + 1> U{}; // overdue estimate, percent
    std::array<double, kGroessteZahl + 1> W{}; // probability estimate, the mean of F and U

    bool operator==(const Zahlenstatistik&) const = default;
};

// Counts the rows before the reference row serie[referenz], walking back from the row just
// before it; a same-week draw is a row with the reference row's Woche. Rows without results
// are skipped and values outside 1..49 are ignored. A reference past the end counts every row
// and none as same-week.
Zahlenstatistik Zahlenstatistik_zaehlen(const Serie& serie, std::size_t referenz);

// The same for the reference key (Jahr, Woche): counts the rows before that key, same-week
// rows are those with this Woche. Equal to the version above when the row exists.
Zahlenstatistik Zahlenstatistik_zaehlen(const Serie& serie, int jahr, int woche);

// Estimate of one number: n drawn `haeufigkeit` times in d counted draws, overdue
// `rueckstaendig`, mean overdue a of all numbers, numbers 1..n_max.
struct Schaetzung {
    double F = 0;
    double U = 0;
    double W = 0;
};
Schaetzung Schaetzung_einer_Zahl(int n_max, std::int32_t haeufigkeit, std::int32_t rueckstaendig,
                                 std::int32_t d, double a);

// Fills F, U and W of every entry from the counts of numbers 1..N. N above 49 is taken as 49
// (the table has no further entries); for N of 0 or less there is nothing to estimate and F, U
// and W are 0.
void Wahrscheinlichkeit_berechnen(Zahlenstatistik& tabelle, int n_max);

} // namespace pyra::stats
