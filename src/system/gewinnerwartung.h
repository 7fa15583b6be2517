#pragma once

// Expected winnings: random draws in which exactly k of the six numbers are system numbers
// (k = 3..6), each scored by the best row among rows 1..R; for 3 <= h <= k <= 6 the share of
// draws in which some row has at least h hits.

#include "system/grundlagen.h"
#include "system/zufall.h"

#include <array>
#include <cstdint>
#include <span>

namespace pyra::system {

// The nine result fields of the Gw_Erwartung record, percentages 0..100, unrounded.
struct Gewinnerwartungswerte {
    double Gw_3_3 = 0, Gw_3_4 = 0, Gw_3_5 = 0, Gw_3_6 = 0;
    double Gw_4_4 = 0, Gw_4_5 = 0, Gw_4_6 = 0;
    double Gw_5_5 = 0, Gw_5_6 = 0;
    friend bool operator==(const Gewinnerwartungswerte&, const Gewinnerwartungswerte&) = default;
};

struct Gewinnerwartungsergebnis {
    // False when fewer than six system numbers lie up to N: nothing was simulated and the caller
    // reports "Mindestens 6 Systemzahlen festlegen!".
    bool Gestartet = false;
    // Gewinnerwartung[h][k]: simulated draws with k system numbers whose best row had h hits
    // (h, k = 3..6; other entries stay 0).
    std::array<std::array<std::int32_t, 7>, 7> Gewinnerwartung{};
    Gewinnerwartungswerte Werte;
};

enum class Simulationsverfahren {
    Schnell, // per-number bit sets over the rows, added bit-sliced
    Direkt,  // every simulated draw compared with every row, 36 comparisons a row
};

// At least six system numbers up to N (otherwise the simulation could never draw k = 6).
bool Simulation_moeglich(const Systemflags& systemzahlen, int zahlen_bis);

// One number for the simulated draw: uniform among the numbers 1..N whose mark equals `gewollt`
// and that are not yet in `kandidat`; 0 when there is none.
int Simulationszahl_waehlen(bool gewollt, const Reihe& kandidat, const Systemflags& systemzahlen,
                            int zahlen_bis, Zufallsgenerator& zufall);

// A simulated draw: positions 1..k system numbers, k+1..6 other numbers, not sorted.
Reihe Ziehung_simulieren(int k, const Systemflags& systemzahlen, int zahlen_bis, Zufallsgenerator& zufall);

// The nine values from the counters: 100 * (G[h][k] + ... + G[k][k]) / S. S <= 0 gives zeros.
Gewinnerwartungswerte Gewinnerwartung_auswerten(const std::array<std::array<std::int32_t, 7>, 7>& g,
                                                int wiederholungen);

// The simulation run. `reihen` are the system's rows in key order (ascending Reihe; at most the
// first 750 are used, emptied rows included); `reihe` is R, the Reihe of the grid's current row:
// rows 1..R take part. `wiederholungen` is S; each repetition simulates one draw for every k that
// has enough numbers (k = 3, 4, 5 only when at least 6-k numbers up to N are not system numbers;
// k = 6 always). For the same random stream both methods give the same counters.
Gewinnerwartungsergebnis
Gewinnerwartung_berechnen(std::span<const Reihe> reihen, int reihe, int wiederholungen, int zahlen_bis,
                          const Systemflags& systemzahlen, Zufallsgenerator& zufall,
                          Simulationsverfahren verfahren = Simulationsverfahren::Schnell);

} // namespace pyra::system
