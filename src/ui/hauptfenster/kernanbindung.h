#pragma once

// The statistics operations behind the main window's sort buttons and the default database.

#include "data/datamodule.h"

#include <functional>
#include <string>

namespace pyra::ui::kern {

// Sort click for the button 0..5 ("Z", "W%", "Hf", "Rs", "HJ", "RJ"): recomputes out-of-date
// statistics (asking when the results of the draw before the selected week are missing), then sets
// the order of Table_Zahl_Daten and moves to its first row. False when the user declined the
// recomputation: statistics and order stay as they were.
bool Sortierung_anwenden(data::DataModule_Lotto& dm, int knopf);

// Runs on a newly created default database before it is finished.
std::function<void(sqlite3*)> Standarddatenbank_nachbereiten();

} // namespace pyra::ui::kern
