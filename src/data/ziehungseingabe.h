#pragma once

#include "data/datamodule.h"

#include <array>
#include <optional>
#include <string>

namespace pyra::data {

// Checks the six numbers of a draw with results: six distinct numbers from 1 to n.
// Returns the German message for the user, or an empty text when they are fine.
std::string Ziehungszahlen_pruefen(const std::array<int, 6>& zahlen, int n);

// Enters or corrects the draw of the current association and draw day in the given week: the
// numbers are checked and stored ascending; Zusatzzahl (1..n, not among the six) and Superzahl
// (0..9) only when given. Throws store::StoreError with the message when a value is refused;
// nothing is stored then. Marks the statistics out of date.
void Ziehung_eintragen(DataModule_Lotto& dm, int jahr, int woche, std::array<int, 6> zahlen,
                       std::optional<int> zusatzzahl, std::optional<int> superzahl);

} // namespace pyra::data
