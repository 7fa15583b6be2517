#pragma once

// The three distribution tables of the recurrence and sum analysis, from the derived fields of
// the draws up to a given draw.

#include "stats/ziehungsmerkmale.h"

#include <array>
#include <cstdint>
#include <span>

namespace pyra::stats {

struct Analysewerte {
    // Counters: [z-1][v] for z = 1..7 and v = 0..6; bands b = 1..15 at [b-1].
    std::array<std::array<std::int32_t, 7>, 7> CW{};
    std::array<std::array<std::int32_t, 7>, 7> CJ{};
    std::array<std::int32_t, 15> CS{};
    std::array<std::int32_t, 7> TW{};
    std::array<std::int32_t, 7> TJ{};
    std::int32_t TS = 0;

    // Percentages, unrounded: the rows of Ziehung_Wo_z and Ziehung_Ja_z (fields 0_Zahlen ..
    // 6_Zahlen) and the Prozent of the Summe_Ru bands; all 0 where nothing was counted.
    std::array<std::array<double, 7>, 7> Ziehung_Wo_z{};
    std::array<std::array<double, 7>, 7> Ziehung_Ja_z{};
    std::array<double, 15> Summe_Ru{};
};

// Band 1..15 of an overdue sum (band b holds 10*b-9 .. 10*b), or 0 for sums outside 1..150.
int Summenband(int summe);

// Counts the derived fields of the given rows (rows with results only). A recurrence value
// outside 0..6 (7 = not determinable) and an overdue sum outside 1..150 are left out.
Analysewerte Analysewerte_berechnen(std::span<const Ziehungsmerkmale> zeilen);

// The same over every row of a list that has values.
Analysewerte Analysewerte_berechnen(const Merkmalsliste& liste);

} // namespace pyra::stats
