#pragma once

// A search for guaranteed systems that a group of permutations of the points leaves unchanged.
//
// Under the group, the choices of p points and the blocks of k points fall into orbits. When one
// block of an orbit meets one choice of another orbit in t points, every choice of that orbit is
// met in t points by some block of the first, since the group moves both together. So a system
// made of whole block orbits is a cover of the choice orbits by block orbits, a far smaller
// problem than the cover of the choices by blocks: for 20 points, 4 if 4 and two cycles of ten,
// 4845 choices and 38760 blocks become 489 and 3888 orbits.
//
// The cover is searched by a weighted local search at a fixed bound on the rows: from a greedy
// start cut down to the bound, each step takes out the orbit whose removal opens the fewest
// (weighted) choices and puts in the orbit that closes the most among those covering a random
// open choice, then every choice still open weighs one more, so that choices that stay open are
// closed first. An orbit goes back in only after a choice it covers has changed between open and
// covered since it was taken out. Whenever all choices are covered, the system is kept and the
// bound drops below it; the search ends there when that is under the lower bound.
//
// Meant for the long offline runs that make the shipped table: its memory grows with the number
// of block orbits times the choices one block covers.

#include "system/garantie.h"

#include <cstdint>
#include <vector>

namespace pyra::system {

struct Bahnenauftrag {
    int n = 0;  // points 0..n-1, at most 30
    int k = 6;  // points per block
    Garantie G; // every p of the points meet a block in t
    // Generators of the group, each a permutation of 0..n-1; none: every orbit is one block.
    std::vector<std::vector<int>> Erzeuger;
    int Max_Bloecke = 0; // the bound: rows of the system at most
    // Budgets; the search ends at the first one used up (at least one must be set).
    double Sekunden = 10;           // time; 0 or less: none
    std::uint64_t Max_Schritte = 0; // steps; 0: none
    std::uint64_t Startwert = 1;
};

struct Bahnenergebnis {
    bool Gueltig = false; // false: the task could not be searched (sizes, generators)
    // The smallest complete system found, or, when none fits the bound, the one with the fewest
    // holes; bit sets over 0..n-1, ascending.
    std::vector<std::uint64_t> Bloecke;
    bool Vollstaendig = false;
    std::uint64_t Loecher = 0;
    int Auswahlbahnen = 0; // orbits of the choices of p points
    int Blockbahnen = 0;   // orbits of the blocks
    std::uint64_t Schritte = 0;
};

Bahnenergebnis Bahnen_suchen(const Bahnenauftrag& auftrag);

} // namespace pyra::system
