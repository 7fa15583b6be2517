#pragma once

// Features of the six numbers of one draw. Values outside 1..49 are never used to index a
// per-number column.

#include "stats/serie.h"

namespace pyra::stats {

// Length of the longest run of consecutive numbers among the values 1..49 (a duplicate breaks
// the run; other values are left out), at least 1.
int Laengste_Folge(const Sechs& a);

// How many of the six values are even numbers 2..48.
int Anzahl_Gerade(const Sechs& a);

// With R an overdue column: 7 when any value was never drawn (R = -1) or is not a number 1..49,
// otherwise how many values have R < k.
int Wiederholungen(const Sechs& a, const Spalte& R, int k);

// Sum of the six overdue values in draws, or 0 when any value was never drawn or is not a
// number 1..49.
int Summe_Rueckstaendig(const Sechs& a, const Spalte& Rueckstaendig_Wo);

// The same two on the overdue values of the six numbers themselves (-1 = not determinable).
using SechsWerte = std::array<std::int32_t, 6>;
int Wiederholungen_der_Werte(const SechsWerte& r, int k);
int Summe_der_Werte(const SechsWerte& r);

// The overdue values of the six numbers read from a column (-1 for values outside 1..49).
SechsWerte Werte_aus_Spalte(const Sechs& a, const Spalte& R);

} // namespace pyra::stats
