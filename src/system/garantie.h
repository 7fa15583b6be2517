#pragma once

// Guarantees of a system and their exact check.
//
// A guarantee "t if p" (3 <= t <= p <= 6) holds for a set of rows when every choice of p system
// numbers meets at least one row in t or more numbers. A choice that no row meets in t numbers is
// a hole; the coverage is the share of all choices of p system numbers that are not holes. This
// is the exact value of what the simulation of expected winnings estimates for the field Gw_t_p.

#include "system/grundlagen.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pyra::system {

struct Garantie {
    int t = 3; // hits at least
    int p = 3; // system numbers among the drawn numbers
    friend bool operator==(const Garantie&, const Garantie&) = default;
};

// The nine guarantees in the order of the fields of Gw_Erwartung (3/3, 3/4, ..., 5/6).
inline constexpr std::array<Garantie, 9> Garantien{
    {{3, 3}, {3, 4}, {3, 5}, {3, 6}, {4, 4}, {4, 5}, {4, 6}, {5, 5}, {5, 6}}};

// True for 3 <= t <= p <= 6.
bool Garantie_gueltig(const Garantie& g);
// Position 0..8 of a valid guarantee in Garantien.
int Garantie_Index(const Garantie& g);

// Most example holes reported per guarantee.
inline constexpr int Max_Beispielloecher = 20;

struct Garantiewert {
    Garantie G;
    std::uint64_t Auswahlen = 0; // choices of p system numbers, C(v, p)
    std::uint64_t Loecher = 0;   // of them, holes
    double Abdeckung = 0;        // percentage of choices that are not holes, 0..100
    // The first holes in ascending order of their numbers (at most Max_Beispielloecher), each
    // as the p system numbers ascending.
    std::vector<std::vector<int>> Beispiele;
};

struct Garantiepruefung {
    // False when the enumeration would take too long (see Garantiepruefung_moeglich); then no
    // value was computed and the caller falls back to the simulation's estimate.
    bool Exakt = false;
    int Systemzahlen = 0; // v
    int Reihen = 0;       // rows checked
    std::array<Garantiewert, 9> Werte{};
};

// Whether the exact check of `reihen` rows against v system numbers is computed: it enumerates
// every choice of up to six system numbers, and is refused where that would take more than about
// two seconds on an ordinary machine. Up to 49 system numbers and 750 rows it never is (about
// half a second at most).
bool Garantiepruefung_moeglich(int systemzahlen, int reihen);

// The exact check of the given rows (at most the first 750 are used; numbers that are no system
// number up to N and empty numbers are ignored) for the nine guarantees over the system numbers
// 1..N. Counts every choice of p system numbers for p = 3..6; with fewer than p system numbers
// there is no choice and the coverage of that p is 100.
Garantiepruefung Garantie_pruefen(std::span<const Reihe> reihen, const Systemflags& systemzahlen,
                                  int zahlen_bis);

// The same on numbers 0..v-1 given as bit sets (bit i = number i), without the size limit; the
// examples hold the numbers 0..v-1. For the search, the tests and the benchmarks.
Garantiepruefung Garantie_pruefen_Masken(std::span<const std::uint64_t> reihen, int v);

// Holes of one guarantee for rows given as bit sets over numbers 0..v-1.
std::uint64_t Loecher_zaehlen(std::span<const std::uint64_t> reihen, int v, const Garantie& g);

} // namespace pyra::system
