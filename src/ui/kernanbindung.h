#pragma once

// The core operations behind the main window's commands. The window calls only these, so the
// operations of the statistics and systems libraries are wired in one place.

#include "data/datamodule.h"

#include <functional>
#include <string>

namespace pyra::ui::kern {

// Sort click for the button 0..5 ("Z", "W%", "Hf", "Rs", "HJ", "RJ"): recomputes out-of-date
// statistics (asking when the results of the draw before the selected week are missing), then sets
// the order of Table_Zahl_Daten and moves to its first row.
void Sortierung_anwenden(data::DataModule_Lotto& dm, int knopf);

// "Reihenkürzung" (from the menu item's and the toolbar button's handler): checks, confirmation,
// the run with the running row count reported after each row, storing the rows and the lock.
void Reihenkuerzung(data::DataModule_Lotto& dm, const std::function<void(int)>& zaehler);

// "Gewinnermittlung": the hits of every row of the selection against the selected week's draw.
void Gewinnermittlung(data::DataModule_Lotto& dm);

// Runs on a newly created default database before it is finished.
std::function<void(sqlite3*)> Standarddatenbank_nachbereiten();

} // namespace pyra::ui::kern
