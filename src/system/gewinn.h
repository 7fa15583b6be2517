#pragma once

// Win evaluation: the hits of each row of a system against the six drawn numbers.

#include "system/grundlagen.h"

#include <span>
#include <vector>

namespace pyra::system {

// True when the draw has results (Zahl_01 greater than 0); otherwise the evaluation reports
// "Ziehungsergebnisse fehlen!" and changes nothing.
bool Ziehungsergebnisse_vorhanden(const Reihe& ziehung);

// Hits of one row: how many of the row's numbers are among the drawn numbers (0..6). Empty
// numbers (0) and values outside 1..49 are never hits, and a number written twice in a row
// counts once, so an emptied row scores 0 against any draw.
int Treffer_zaehlen(const Reihe& reihe, const Reihe& ziehung);

// Richtige of every row, in the order of the rows.
std::vector<int> Gewinn_ermitteln(std::span<const Reihe> reihen, const Reihe& ziehung);

} // namespace pyra::system
