#pragma once

// The stored per-number results of a selection (its Zahl_Daten rows) and the 15-number tip
// taken from their rank sums.

#include "stats/serie.h"
#include "stats/zahlenstatistik.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pyra::stats {

// The stored fields of one Zahl_Daten row; an empty optional is an empty field.
struct ZahlDaten {
    int Zahl = 0;
    std::optional<double> Wahrscheinlichkeit;
    std::optional<std::int64_t> Haeufigkeit_Wo;
    std::optional<std::int64_t> Rueckstaendig_Wo;
    std::optional<std::int64_t> Haeufigkeit_Ja;
    std::optional<std::int64_t> Rueckstaendig_Ja;
    std::optional<std::int64_t> Zahlentipp;
};

// Writes the working table into the rows of the numbers 1..N (N above 49 is taken as 49; N of
// 0 or less writes nothing). The overdue fields are written only when 0 or more, so a number
// not found in the counted draws keeps its old stored value. Rows of other numbers are left.
void Zahl_Daten_uebernehmen(const Zahlenstatistik& tabelle, int n_max, std::span<ZahlDaten> zeilen);

// Visiting order of the rows under an index, as positions into `zeilen`:
// Index_Wahrscheinlichkeit, Index_Haeufigkeit_Ja, Index_Rueckstaendigkeit_J order descending by
// their field with empty fields last, Index_Zahlentipp ascending with empty fields first; equal
// keys ascending by Zahl.
enum class ZahlIndex {
    Wahrscheinlichkeit,
    Haeufigkeit_Wo,
    Rueckstaendig_Wo,
    Haeufigkeit_Ja,
    Rueckstaendig_Ja,
    Zahlentipp
};
std::vector<std::size_t> Reihenfolge(std::span<const ZahlDaten> zeilen, ZahlIndex index);

// Sets Zahlentipp of every row to its rank sum (rank under Haeufigkeit_Ja + under
// Rueckstaendig_Ja + under Wahrscheinlichkeit, ranks being 1-based visiting positions) and
// returns the tip: the Zahl of the first 15 rows under Index_Zahlentipp (fewer when there are
// fewer rows; the tip fields after them keep their stored values).
std::vector<int> Zahlentipp_berechnen(std::span<ZahlDaten> zeilen);

// The whole recomputation of a selection without the store: count relative to (jahr, woche),
// estimate, take over into the rows, rank sums and tip. Returns the tip.
std::vector<int> Statistik_berechnen(const Serie& serie, int jahr, int woche, int n_max,
                                     std::span<ZahlDaten> zeilen);

} // namespace pyra::stats
