#pragma once

// The search for a guaranteed system with as few rows as possible.
//
// On points 0..n-1 it looks for blocks of k points such that every choice of p points meets some
// block in t or more points. A greedy start (each new block covers the most open choices among a
// few candidates built around open choices) gives a complete system; then, one block fewer at a
// time, simulated annealing on the number of holes at a fixed block count tries to close the holes
// that removing a block opened, by moving one point of a block so that it covers a random hole.
// The holes are kept in a list with their positions, every choice has a counter of the blocks
// covering it, and for every point a bit set tells which blocks hold it, so a move costs only the
// choices it changes.
//
// Two threads work on every size with their own seeds; of those that succeed, the one that needed
// the fewest steps wins (the lower thread on a tie), so the result depends on the seed and on how
// many sizes were tried, not on how the threads were scheduled. A search that ends by itself
// (every size tried until the attempts ran out, or the lower bound reached) is repeatable from its
// seed; one cut short by the time budget or the stop flag keeps the best complete system found
// until then.

#include "system/garantie.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace pyra::system {

// Largest number of choices of p points the search keeps counters for (6 bytes each per thread).
inline constexpr std::uint64_t Max_Suchauswahlen = 3'000'000;

// What the search reports while it runs; read from any thread.
struct Suchstand {
    std::atomic<int> Reihen{0};             // rows of the best complete system so far, 0 = none yet
    std::atomic<std::uint64_t> Loecher{0};  // holes of the best system when none is complete yet
    std::atomic<std::uint64_t> Schritte{0}; // moves tried so far
};

struct Suchauftrag {
    int n = 0;  // points 0..n-1
    int k = 6;  // points per block
    Garantie G; // every p of the points meet a block in t
    // Which blocks may be used (bit i = point i); empty: every block.
    std::function<bool(std::uint64_t)> Erlaubt;
    std::vector<std::uint64_t> Start; // a system to improve on (complete or not); empty: greedy start
    // A permutation of the points 0..n-1 under which the system is to stay the same (every block
    // comes with its images); empty: none. Start then holds one block of each orbit.
    std::vector<int> Symmetrie;
    // Temperature of the annealing at the start; 0: estimated from the moves of the start system.
    // The two threads work at 0.8 and 1.25 times it and the winner's becomes the next.
    double Temperatur = 0;
    int Max_Bloecke = Max_Reihen;
    double Sekunden = 10;           // time budget; 0 or less: no limit
    std::uint64_t Max_Schritte = 0; // budget of moves over all threads and sizes; 0: no limit
    std::uint64_t Startwert = 1;
    int Threads = 2;
    // The threads compare their systems after every epoch of moves (0: about a second's work);
    // the search ends after this many epochs in a row without a smaller (or, while none is
    // complete, a less holey) system.
    std::uint64_t Schritte_je_Epoche = 0;
    int Stillstand = 8;
    const std::atomic<bool>* Stopp = nullptr; // set: end now, keeping the best system
    Suchstand* Stand = nullptr;
};

enum class Suchende {
    Untergrenze,   // the system has the fewest blocks any system can have
    Ausgeschoepft, // the attempts for the next smaller size ran out
    Zeit,          // time budget used up
    Schritte,      // move budget used up
    Gestoppt,      // stop flag
};

struct Suchergebnis {
    std::vector<std::uint64_t> Bloecke; // the best complete system, or the best incomplete one
    bool Vollstaendig = false;
    std::uint64_t Loecher = 0;   // holes of Bloecke
    std::uint64_t Auswahlen = 0; // C(n, p)
    std::uint64_t Schritte = 0;
    Suchende Ende = Suchende::Ausgeschoepft;
};

// A lower bound on the blocks of any complete system (Schönheim's bound where t = p, the counting
// bound otherwise).
int Untergrenze(int n, int k, const Garantie& g);

// Whether the search can run: 3 <= t <= p <= 6, t <= k < n, p <= n <= 49 and C(n, p) at most
// Max_Suchauswahlen.
bool Suche_moeglich(int n, int k, const Garantie& g);

// The search. Requires Suche_moeglich.
Suchergebnis Deckung_suchen(const Suchauftrag& auftrag);

} // namespace pyra::system
