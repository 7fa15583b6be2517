#pragma once

// The commands of the reduced system as the windows and the batch companion call them: they read
// their inputs through the data module's cursors, run the computations of this library and store
// the results. Messages, questions, the hourglass, the running row count, pending window messages
// and the Escape key go through the data module's user dialog and window state.

#include "data/datamodule.h"
#include "system/gewinnerwartung.h"
#include "system/grundlagen.h"
#include "system/kuerzung.h"

#include <cstdint>
#include <optional>
#include <string>

namespace pyra::system {

// The marks Checkbox_01 .. Checkbox_49 of the selection's Optionen record (none without a record).
Systemflags Systemzahlen_lesen(data::DataModule_Lotto& dm);
// Number of marked numbers among 1..N of the selection's association.
int Anzahl_Systemzahlen_ermitteln(data::DataModule_Lotto& dm);

// The row filter options of the selection's Optionen_2 record (the defaults without a record).
Filteroptionen Filteroptionen_lesen(data::DataModule_Lotto& dm);

// Stores rows 1..m of a new system for the selection in one transaction (rows that exist are
// overwritten, new ones appended, every row beyond m deleted). Refuses with a StoreError, writing
// nothing, when the selection's first row in the file is filled meanwhile (another process
// stored a system).
void Reihen_speichern(data::DataModule_Lotto& dm, const std::vector<Reihe>& reihen);

// How a run is seeded and which method it uses. Without a seed the generator is seeded from the
// clock, once per run.
struct Laufoptionen {
    std::optional<std::uint64_t> Startwert;
    Kuerzungsverfahren Kuerzung = Kuerzungsverfahren::Schnell;
    Simulationsverfahren Simulation = Simulationsverfahren::Schnell;
};

// How the command "Reihenkürzung" ended.
enum class Kuerzungsbefehl_Ende {
    Gesperrt,         // the command is disabled (system locked)
    Laeuft_bereits,   // a run is under way; the second start is ignored
    System_vorhanden, // the selection already holds a system
    Zu_wenige_Zahlen, // fewer than nine system numbers: message shown
    Nicht_bestaetigt, // the confirmation was not answered Yes
    Ausgefuehrt,      // the run took place (its rows may or may not have been stored)
};

// "Reihenkürzung": the checks, the confirmation, the run with the running row count after each
// row, storing the rows in table Reihen, the lock when rows exist, the row-grid binding.
// Leerlauf_fertig and the cursor are restored however the command ends.
Kuerzungsbefehl_Ende Reihenkuerzung_Befehl(data::DataModule_Lotto& dm, const Laufoptionen& optionen = {});

// True while "Reihenkürzung" runs.
bool Reihenkuerzung_laeuft();

// How the command "Gewinnermittlung" ended.
enum class Gewinnermittlung_Ende {
    Keine_Reihen,      // the selection has no rows: nothing happens
    Ergebnisse_fehlen, // the selected week's draw has no numbers: message shown
    Ausgefuehrt,
};

// What an evaluation found.
struct Gewinnermittlung_Bilanz {
    int Reihen = 0;         // rows evaluated
    int Beste_Richtige = 0; // the most hits of a row
    int Beste_Reihe = 0;    // Reihe of the first row with that many hits (0 without rows)
};

// "Gewinnermittlung": Richtige of every row of the selection against the selected week's draw;
// afterwards the row cursor stands on row 1. bilanz, when given, receives what was found.
Gewinnermittlung_Ende Gewinnermittlung_Befehl(data::DataModule_Lotto& dm,
                                              Gewinnermittlung_Bilanz* bilanz = nullptr);

// The show step of the expected-winnings dialog, without the window.
struct Gewinnerwartung_Anzeige {
    std::string Titel;      // "  Gewinnerwartung bei R Reihe(n) / n Systemzahlen"
    bool Gestartet = false; // false: fewer than six system numbers up to N, message shown
    Gewinnerwartungswerte Werte;
};

// Rows 1..bis of the selection in key order, as the simulation and the exact check take them;
// an empty number reads 0. Leaves the rows' query on its first record.
std::vector<Reihe> Systemreihen_lesen(data::DataModule_Lotto& dm, int bis);

// True when the menu command "Gewinnerwartung" shows its dialog: the selection has a row.
bool Gewinnerwartung_moeglich(data::DataModule_Lotto& dm);

// Caption from the row cursor's current Reihe R, the Gw_Erwartung record (appended when missing),
// the simulation over rows 1..R with S = Gewinnerwartung of the Lotto record, and the nine values
// posted into Gw_Erwartung. With fewer than six system numbers up to N: the message
// "Mindestens 6 Systemzahlen festlegen!" and no simulation (the record keeps its values).
Gewinnerwartung_Anzeige Gewinnerwartung_zeigen(data::DataModule_Lotto& dm, const Laufoptionen& optionen = {});

} // namespace pyra::system
