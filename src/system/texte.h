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

// Guaranteed systems.
inline constexpr const char* Text_Mindestens_7_Systemzahlen = "Mindestens 7 Systemzahlen festlegen!";
inline constexpr const char* Text_Garantie_ungueltig =
    "Die Garantie muss 3 bis 6 Richtige bei höchstens 6 Gewinnzahlen sein, und nicht mehr Richtige als "
    "Gewinnzahlen!";
inline constexpr const char* Text_Keine_Reihe_besteht_Filter = "Keine Reihe besteht die Filter der Kürzung!";

// "Garantiesystem mit m Reihen erstellt: mindestens t Richtige, wenn p Gewinnzahlen unter den v
// Systemzahlen sind." With bank numbers the guarantee counts the other system numbers only, and
// the text says so.
std::string Text_Garantiesystem_erstellt(int reihen, int t, int p, int systemzahlen, int bankzahlen);
// "Mindestens t Richtige, wenn p Gewinnzahlen unter den v Systemzahlen sind." (with bank numbers:
// "... unter den v-b Systemzahlen außer den Bankzahlen sind.").
std::string Text_Garantie(int t, int p, int systemzahlen, int bankzahlen);
// After storing a system that does not hold the guarantee for every draw.
std::string Text_Garantiesystem_unvollstaendig_gespeichert(int reihen, int t, int p, int systemzahlen,
                                                           int bankzahlen, double abdeckung);
// The question whether to store a system that does not hold the guarantee for every draw.
std::string Frage_Garantiesystem_unvollstaendig(int reihen, double abdeckung, bool mit_filter);
// Refusals before the search.
std::string Text_Garantie_zu_viele_Bankzahlen(int bankzahlen, int t);
std::string Text_Garantie_zu_wenige_freie(int p, int bankzahlen);
std::string Text_Garantie_zu_gross(int t, int p);
// A percentage with one decimal and a decimal comma; never shown as 100,0 while something is
// missing, nor as 0,0 while something is there.
std::string Prozent_Text(double prozent, bool vollstaendig);

// "System wird mit <n> Zahlen erstellt und gespeichert!" (confirmation before a run).
std::string Text_System_wird_erstellt(int anzahl_systemzahlen);

// "Nur <i-1> Systemreihen erstellt - Übernehmen?" when pass i found no acceptable candidate.
std::string Frage_Teilergebnis(int durchlauf);

// Follows "Nur 0 Systemreihen erstellt - Übernehmen?" when a percentage threshold is above 0:
// the thresholds rejected every candidate of the first pass.
inline constexpr const char* Text_Schwellen_verwerfen_alle =
    "Keine Reihe hat die Schwellen unter „Optionen → Analyse“ (% Wo, % Ja, % Su) zusammen mit den "
    "Filtern unter „Optionen → Kürzung“ erfüllt. Mit niedrigeren Schwellen oder weniger strengen "
    "Filtern werden Reihen gefunden.";

// Without rows the win evaluation and the expected winnings have nothing to work on.
inline constexpr const char* Text_Keine_Reihen =
    "Keine Reihen vorhanden! - Zuerst die Reihenkürzung ausführen.";

// What the win evaluation found: "12 Reihen ausgewertet – beste Reihe: 4 Richtige".
std::string Text_Gewinnermittlung(int reihen, int beste_richtige);

// Caption of the expected-winnings dialog for rows 1..R and the count of system numbers.
std::string Titel_Gewinnerwartung(int reihe, int anzahl_systemzahlen);

} // namespace pyra::system
