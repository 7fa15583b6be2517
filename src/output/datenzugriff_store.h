#pragma once

// What the slip printing and the text export read from the data module's cursors: the slip
// layout of the current association and the rows of the current selection.

#include "data/datamodule.h"
#include "output/scheinlayout.h"
#include "output/spielscheine.h"

namespace pyra::output {

// The layout fields of the current Table_Lotto record as they stand, a pending edit from the
// layout dialog included (it need not be posted). Without an open cursor or a record every
// field reads empty.
Scheinlayout Scheinlayout_aus_Lotto(data::DataModule_Lotto& dm);

// The current record of a Reihen cursor: Reihe and Tipp_Zahl_1 … Tipp_Zahl_6 (empty stays empty).
Tippreihe Tippreihe_lesen(store::DataSet& reihen);

} // namespace pyra::output
