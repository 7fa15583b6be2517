#pragma once

// The derived fields of every draw of a series: run length, sum, even count, how many of its
// numbers recur from the draws and same-week draws before it, and its overdue sum.

#include "stats/serie.h"
#include "stats/zahlenstatistik.h"

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace pyra::stats {

struct Ziehungsmerkmale {
    int EZDVFS = 0;
    int Summe = 0;
    int G_U = 0;
    std::array<int, 7> Ziehung_Wo{}; // Ziehung_Wo_1z .. Ziehung_Wo_7z
    std::array<int, 7> Ziehung_Ja{}; // Ziehung_Ja_1z .. Ziehung_Ja_7z
    int Summe_Wo = 0;

    bool operator==(const Ziehungsmerkmale&) const = default;
};

// One entry per row from the first row up to the last processed one; rows without results
// have no value (their stored fields are not touched).
using Merkmalsliste = std::vector<std::optional<Ziehungsmerkmale>>;

// The fields of a draw with numbers a, given the working table counted relative to it.
Ziehungsmerkmale Merkmale_einer_Ziehung(const Sechs& a, const Zahlenstatistik& vorher);

// The fields of every row with results from the first row up to and including serie[bis]
// (bis past the end: up to the last row), in one pass over the series. Each row's values equal
// those from a fresh count relative to that row.
Merkmalsliste Ziehungsmerkmale_berechnen(const Serie& serie, std::size_t bis);

// The same up to and including the key (jahr, woche).
Merkmalsliste Ziehungsmerkmale_berechnen(const Serie& serie, int jahr, int woche);

// Reference version: a fresh count relative to every row, quadratic in the number of rows.
Merkmalsliste Ziehungsmerkmale_nachzaehlen(const Serie& serie, std::size_t bis);

} // namespace pyra::stats
