#pragma once

#include "data/datamodule.h"
#include "data/ziehungsregeln.h"

#include <array>
#include <optional>
#include <string>

namespace pyra::data {

// The values of a draw as the fields of the cursor's current record hold them.
Ziehungswerte Ziehungswerte_lesen(store::DataSet& t);

// Enters or corrects the draw of the current association and draw day in the given week: the
// numbers are checked by the draw rules and stored ascending; Zusatzzahl and Superzahl only when
// given. A drawn order stored for other numbers no longer belongs to the draw and is emptied.
// Throws store::StoreError with the message when a value is refused; nothing is stored then.
// Marks the statistics out of date.
void Ziehung_eintragen(DataModule_Lotto& dm, int jahr, int woche, std::array<int, 6> zahlen,
                       std::optional<int> zusatzzahl, std::optional<int> superzahl);

} // namespace pyra::data
