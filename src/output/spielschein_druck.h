#pragma once

// Printing the rows of one play slip: an "x" on the cell of every number of every row of the
// range, then the three tick boxes, one page per call.

#include "output/drucker.h"
#include "output/scheinlayout.h"
#include "output/spielscheine.h"

#include <optional>
#include <string>
#include <vector>

namespace pyra::output {

inline constexpr const char* Schriftart_Markierung = "System";
inline constexpr const char* Markierung = "x";

// What the print dialog shows for a picked slip.
struct Druckbereich {
    int Reihen_pro_Spielschein = 0; // row boxes of the slip
    std::string Reihe_von;          // texts of the two range edits, padded to four characters
    std::string Reihe_bis;
    bool Drucken_moeglich = false; // the first row exists and has Tipp_Zahl_1
};

// Range of slip entry i (0-based) for the layout; reihen are the rows of the selection in
// Reihe order.
Druckbereich Reihenbereich_setzen(const Scheinlayout& layout, std::int64_t eintrag,
                                  const std::vector<Tippreihe>& reihen);

// Prints the rows from the row whose Reihe is the number in reihe_von up to the number in
// reihe_bis onto one page. Rows go into the row boxes 1, 2, … in order; a range longer than
// the slip's row boxes prints only as many rows as the slip has boxes, and printing stops
// at the last row. Empty numbers, and numbers outside 1 … 49, get no mark.
// Returns the message for the user when nothing or not all could be printed: the texts are no
// whole numbers (no job is started), or the printer failed (the job is abandoned).
std::optional<std::string> Spielschein_drucken(Drucker& drucker, const std::string& reihe_von,
                                               const std::string& reihe_bis,
                                               const std::vector<Tippreihe>& reihen,
                                               const Scheinlayout& layout);

} // namespace pyra::output
