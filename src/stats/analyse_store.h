#pragma once

// The recurrence and sum analysis through the data module: the derived fields of the draws in
// Table_Zahlen, the three distribution tables of the current association and draw day, the rows
// the analysis dialog creates when it is shown, and the dialog's calculation.

#include "data/datamodule.h"

#include <functional>
#include <string>

namespace pyra::stats {

// Writes EZDVFS, Summe, G_U, Ziehung_Wo_1z .. 7z, Ziehung_Ja_1z .. 7z and Summe_Wo of every row
// with results of the current series (Table_Zahlen) up to and including the row (jahr, woche);
// when that row is missing, up to the last row before it. Every value equals a fresh count
// relative to its row; one pass over the series. Rows already holding these values are not
// posted again; every post passes Table_ZahlenBeforePost. Rows after the given week are not
// touched. What was written stays when an error stops the run. Leaves Table_Zahlen on the first
// row of the series.
void Ziehungsmerkmale_berechnen(data::DataModule_Lotto& dm, int jahr, int woche);

// Counts the stored derived fields of the rows with results up to and including (jahr, woche)
// and writes the percentages into the rows of Ziehung_Wo_z, Ziehung_Ja_z and Summe_Ru of the
// current association and draw day, the r-th row in key order standing for z = r (band r).
// Rows beyond the seventh (fifteenth) get 0. Leaves Table_Zahlen on the first row of the series.
void Analysewerte_berechnen(data::DataModule_Lotto& dm, int jahr, int woche);

// The show step of the analysis dialog: appends the missing rows of Ziehung_Wo_z and
// Ziehung_Ja_z (z = 1..7) and Summe_Ru (bands 1-10 .. 141-150) of the current association and
// draw day, then First on each of the three cursors.
void Analyse_Zeilen_anlegen(data::DataModule_Lotto& dm);

inline constexpr const char* kMeldung_Analyse_berechnet = "Analysewerte wurden neu berechnet!";

struct Analyseergebnis {
    bool berechnet = false;
    std::string fehler; // the error's text when the calculation stopped
};

// The calculation button: reopens the draws query, Ziehungsmerkmale_berechnen and
// Analysewerte_berechnen for the selected week, then `fertig` (by default the message
// "Analysewerte wurden neu berechnet!" through the data module's dialog; the dialog passes its
// own step that restores the cursor first), then PostIfEditing on Table_Zahlen. Any error is
// caught: nothing more is shown and the tables keep what was written up to the error.
Analyseergebnis Analyse_berechnen(data::DataModule_Lotto& dm, const std::function<void()>& fertig = {});

} // namespace pyra::stats
