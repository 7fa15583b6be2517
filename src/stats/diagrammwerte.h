#pragma once

// What the charts of the draw history show, and what pure chance would give beside it: the
// frequency test against equal chances, the expected count and its spread, the expected overdue,
// the chance shares of recurring numbers and the running deviation of one number.

#include "stats/serie.h"
#include "stats/zahlenstatistik.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace pyra::stats {

// Regularised upper incomplete gamma function Q(a, x) = Γ(a, x) / Γ(a) for a > 0 and x >= 0:
// the probability that a chi-square variable with 2a degrees of freedom exceeds 2x.
// Returns NaN for arguments outside that range.
double Gamma_Q(double a, double x);

// The chi-square test of the counts of the numbers 1..N against equal chances.
struct Chiquadrattest {
    bool moeglich = false; // false without counted draws or for N outside 7..49
    double Chiquadrat = 0;
    int Freiheitsgrade = 0;
    double p = 1;
};

// A draw holds six distinct numbers, so the counts are not multinomial: with n draws and
// p = 6/N the statistic X = Σ (O − np)² · (N − 1) / (N · n · p · (1 − p)) follows chi-square with
// N − 1 degrees of freedom. `haeufigkeit` holds the counts of the numbers 1..N.
Chiquadrattest Chiquadrat_testen(const Spalte& haeufigkeit, int ziehungen, int n_max);

// The sentence beneath the frequency chart, e.g. "Die Abweichungen liegen im Rahmen des Zufalls
// (χ² = 41,3 bei 48 Freiheitsgraden, p = 0,74)."; p below 0.01 says that they do not.
std::string Testsatz(const Chiquadrattest& test);

// Expected count of one number in n draws (n · 6 / N) and its binomial standard deviation.
double Erwartete_Haeufigkeit(int ziehungen, int n_max);
double Streuung_Haeufigkeit(int ziehungen, int n_max);

// Expected overdue of a number under chance among the numbers drawn at least once in the last n
// draws: Σ r · q^r · p / (1 − q^n) over r = 0..n−1, p = 6/N, q = 1 − p. 0 without draws.
double Erwarteter_Rueckstand(int ziehungen, int n_max);

// Shares in percent, v = 0..6, of draws of which v numbers were drawn in at least one of the z
// draws before, when every draw is pure chance: the numbers of z draws cover m numbers with a
// probability computed step by step, and v then follows the hypergeometric distribution
// C(m, v) · C(N − m, 6 − v) / C(N, 6). All 0 for N outside 6..49 or z outside 1..7.
std::array<double, 7> Zufallsanteile(int n_max, int z);

// For every row with results of serie[0..ende), oldest first: how many earlier rows with results
// its comparison series holds, all earlier rows (draws) or the earlier rows of its week
// (same-week draws).
std::vector<int> Vergleichslaengen(const Serie& serie, std::size_t ende, bool gleiche_woche);

// The chance shares as the analysis counts: it leaves out a draw when one of its numbers is in
// none of the earlier draws of its comparison series (recurrence value 7), which happens often
// in short series such as the draws of one week in earlier years. For a draw with m earlier
// draws and k = min(z, m), the chance that v of its six numbers lie among the k latest draws and
// all six among the m is
//   C(6, v) · Σ_y (−1)^y C(v, y) (C(N − 6 + v − y, 6) / C(N, 6))^k
//           · Σ_y (−1)^y C(6 − v, y) (C(N − y, 6) / C(N, 6))^(m − k);
// the share of v is its sum over the draws (one entry of `vergleichslaengen` each) divided by the
// sum over all v. Long series give the shares of Zufallsanteile. All 0 when no draw can count.
std::array<double, 7> Zufallsanteile_gezaehlt(int n_max, int z, const std::vector<int>& vergleichslaengen);

// The numbers drawn longest ago: the six largest overdue values (a number never drawn counts as
// the longest), ties at the sixth place included. Entry n is true for a marked number n.
std::array<bool, kGroessteZahl + 1> Laengste_Rueckstaende(const Spalte& rueckstaendig, int n_max);

// One point of the running deviation of a number: after the draw (Jahr, Woche), how many times
// more (or fewer) it was drawn than the expected i · 6 / N in the first i counted draws, and the
// binomial standard deviation sqrt(i · p · (1 − p)) of that deviation.
struct Verlaufspunkt {
    int Jahr = 0;
    int Woche = 0;
    double Abweichung = 0;
    double Streuung = 0;
};

// The running deviation of `zahl` over the rows with results of serie[0..ende), oldest first.
std::vector<Verlaufspunkt> Abweichungsverlauf(const Serie& serie, std::size_t ende, int zahl, int n_max);

// Percent per z = 1..7 (index z − 1) and v = 0..6, as in Ziehung_Wo_z and Ziehung_Ja_z.
using Verteilung = std::array<std::array<double, 7>, 7>;

// Everything the charts of one selection draw.
struct Diagrammdaten {
    int Jahr = 0; // the selected week: the charts count the draws before it
    int Woche = 0;
    int Zahlen_bis = 0;        // N, limited to 0..49
    int Ziehungen = 0;         // counted draws: rows with results before the selected week
    Zahlenstatistik Statistik; // their frequencies and overdue values, as the statistics grid counts
    Serie Vorher;              // the rows of the series before the selected week, oldest first
    // The analysis tables of the association and draw day as stored (0 where a row is missing).
    Verteilung Ziehung_Wo_z{};
    Verteilung Ziehung_Ja_z{};
    std::array<double, 15> Summe_Ru{};
    bool Analyse_vorhanden = false; // the analysis tables hold rows

    bool operator==(const Diagrammdaten&) const = default;
};

// The per-number part from a whole series: the rows before (jahr, woche), their count and counts.
Diagrammdaten Diagrammdaten_bilden(const Serie& serie, int jahr, int woche, int zahlen_bis);

} // namespace pyra::stats
