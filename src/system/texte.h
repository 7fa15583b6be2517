#pragma once

// The user-visible texts of the reduction, the win evaluation and the simulation.

#include <string>

namespace pyra::system {

inline constexpr const char* Text_Mindestens_9_Systemzahlen = "Mindestens 9 Systemzahlen festlegen!";
inline constexpr const char* Text_Mindestens_6_Systemzahlen = "Mindestens 6 Systemzahlen festlegen!";
inline constexpr const char* Text_Berechnung_abgebrochen = "Berechnung abgebrochen!";
inline constexpr const char* Text_Ziehungsergebnisse_fehlen = "Ziehungsergebnisse fehlen!";
// When another process stored a system for the selection while this one was computing.
inline constexpr const char* Text_System_inzwischen_gespeichert =
    "Für diese Auswahl wurde inzwischen ein System gespeichert. Die neuen Reihen wurden nicht gespeichert.";

// "System wird mit <n> Zahlen erstellt und gespeichert!" (confirmation before a run).
std::string Text_System_wird_erstellt(int anzahl_systemzahlen);

// "Nur <i-1> Systemreihen erstellt - Übernehmen?" when pass i found no acceptable candidate.
std::string Frage_Teilergebnis(int durchlauf);

// Caption of the expected-winnings dialog for rows 1..R and the count of system numbers.
std::string Titel_Gewinnerwartung(int reihe, int anzahl_systemzahlen);

} // namespace pyra::system
