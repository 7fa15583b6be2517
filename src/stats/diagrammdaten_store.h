#pragma once

// The data of the charts for the current selection, read from the data module's database without
// moving any of its cursors, so that an open chart window never disturbs the grids and dialogs.

#include "data/datamodule.h"
#include "stats/diagrammwerte.h"

namespace pyra::stats {

// For the association, draw day and week of the Wahl record: the draws of the series (the rows
// Query_Zahlen delivers) counted before the selected week, exactly as the statistics grid's
// recomputation counts them, and the rows of Ziehung_Wo_z, Ziehung_Ja_z and Summe_Ru of the
// association and draw day in key order (the r-th row standing for z = r, band r), as the
// reduction reads them. N is Zahlen_bis of the association's Lotto record.
Diagrammdaten Diagrammdaten_lesen(data::DataModule_Lotto& dm);

// The number of the statistics grid's current row (Table_Zahl_Daten); 1 when there is none.
int Zahl_im_Gitter(data::DataModule_Lotto& dm);

} // namespace pyra::stats
