#pragma once

// Export of the update database: Datenbank_Lotto_Update.tdbd in the program directory is
// refilled from the tables Zahlen and Gewinn, from the year Wahl.Jahr_Export on.

#include "data/datamodule.h"

#include <string>

namespace pyra::maintenance {

struct Exportergebnis {
    int ziehungen = 0; // rows written to Zahlen_Update
    int quoten = 0;    // rows written to Gewinn_Update
};

// Empties both update tables and writes every Zahlen row from Jahr_Export on that has results
// (Zahl_01 not empty) and every Gewinn row from Jahr_Export on. The update database is created
// when it is missing. Everything is written in one transaction: an error leaves the previous
// content of the file as it was and is passed on. Afterwards the file stands alone (no pending
// write-ahead log), ready to be copied; the update tables stay open until Export_schliessen.
Exportergebnis Export_durchfuehren(data::DataModule_Lotto& dm);

// What the export tells the user: "42 Ziehungen und 378 Gewinnquoten ab 2025 in die Datei …
// geschrieben."
std::string Meldung_Export(const Exportergebnis& e, int ab_jahr, const std::string& datei);

// Closing the export dialog: closes Table_Zahlen_Update, Table_Zahlen_2, Table_Gewinn_Update and
// Table_Gewinn_2, each if open.
void Export_schliessen(data::DataModule_Lotto& dm);

} // namespace pyra::maintenance
