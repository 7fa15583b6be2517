#pragma once

// A series of draws: the rows of one association and draw day in ascending (Jahr, Woche) order,
// as the statistics read them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace pyra::stats {

// The per-number working tables hold the numbers 1..49.
inline constexpr int kGroessteZahl = 49;

inline constexpr bool Zahl_im_Bereich(int zahl) {
    return zahl >= 1 && zahl <= kGroessteZahl;
}

// The six numbers of a draw (Zahl_01..Zahl_06).
using Sechs = std::array<int, 6>;

// One column of the per-number working table, indexed by the number 1..49; entry 0 is unused.
using Spalte = std::array<std::int32_t, kGroessteZahl + 1>;

struct Ziehung {
    int Jahr = 0;
    int Woche = 0;
    Sechs Zahl{}; // an empty field reads 0

    // A row has results when Zahl_01 is greater than 0; rows without results are skipped by every
    // count.
    bool hat_Ergebnisse() const { return Zahl[0] > 0; }

    bool operator==(const Ziehung&) const = default;
};

// Ascending by (Jahr, Woche); the searches below rely on that order.
using Serie = std::vector<Ziehung>;

// Index of the row with this key, if the series holds one.
std::optional<std::size_t> Position_suchen(const Serie& serie, int jahr, int woche);

// Number of rows whose key lies before (jahr, woche).
std::size_t Zeilen_vor(const Serie& serie, int jahr, int woche);

// Reads one series from the draw history's CSV format (header with at least the columns verband,
// ziehung, jahr, woche, z1..z6; empty numbers read 0). Rows are sorted by (Jahr, Woche).
// Throws std::runtime_error when a needed column is missing or a field is not a number.
Serie Serie_aus_CSV(std::string_view text, int verband, int ziehung);

} // namespace pyra::stats
