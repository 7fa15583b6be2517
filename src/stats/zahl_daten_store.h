#pragma once

// The per-number statistics of the current selection through the data module: the count over
// the draws query, the probability estimate, writing the selection's Zahl_Daten rows, the rank
// sums with the 15-number tip, and the whole recomputation of the sort buttons.

#include "data/datamodule.h"
#include "stats/zahlenstatistik.h"

#include <string>

namespace pyra::stats {

// Counts the draws of Query_Zahlen before the reference draw (jahr, woche): frequencies and
// overdue values in draws and in same-week draws. Opens the draws query when it is not open.
// Values outside 1..49 are ignored. Leaves the query on its first record.
Zahlenstatistik Zahlenstatistik_zaehlen(data::DataModule_Lotto& dm, int jahr, int woche);

// Fills F, U and W of the working table for the numbers 1..Zahlen_bis of the association.
void Wahrscheinlichkeit_berechnen(data::DataModule_Lotto& dm, Zahlenstatistik& tabelle);

// Writes the working table into the selection's Zahl_Daten rows (Locate, Edit, Post per number;
// numbers without a row are skipped). The overdue fields are written only when 0 or more.
void Zahl_Daten_schreiben(data::DataModule_Lotto& dm, const Zahlenstatistik& tabelle);

// Rank sums and tip: each row's Zahlentipp becomes its visiting position under
// Index_Haeufigkeit_Ja plus under Index_Rueckstaendigkeit_J plus under Index_Wahrscheinlichkeit;
// the Zahl of the first 15 rows under Index_Zahlentipp go into the selection's Zahlentipp row
// (appended when missing; with fewer rows the later tip fields keep their values).
// Table_Zahl_Daten is left on Index_Zahlentipp.
void Zahlentipp_ermitteln(data::DataModule_Lotto& dm);

// Count relative to the selected week, estimate, Zahl_Daten rows and tip, in one commit.
void Statistik_aktualisieren(data::DataModule_Lotto& dm);

// The six sort buttons of the statistics grid, left to right "Z", "W%", "Hf", "Rs", "HJ", "RJ".
enum class Sortierung {
    Zahl,
    Wahrscheinlichkeit,
    Haeufigkeit,
    Rueckstaendigkeit,
    Haeufigkeit_Ja,
    Rueckstaendigkeit_Ja
};

// IndexName of Table_Zahl_Daten for a sort button ("" for the order by Zahl).
std::string Indexname(Sortierung sortierung);

inline constexpr const char* kFrage_Ergebnisse_fehlen = "Ziehungsergebnisse fehlen! - Trotzdem berechnen?";

enum class Sortierergebnis {
    Sortiert,      // the statistics were up to date; only the order was set
    Neu_berechnet, // recomputed, then the order set
    Abgelehnt      // the user answered No: statistics and order stay as they were
};

// The sort click. When Statistik_neu_berechnen is set it is cleared, the draws query is reopened
// and the draw before the selected week is looked at; when its results are missing the user is
// asked "Ziehungsergebnisse fehlen! - Trotzdem berechnen?" through the data module's dialog, and
// No ends the click. Then Statistik_aktualisieren, the index of the chosen button and First.
Sortierergebnis Sortierung_anwenden(data::DataModule_Lotto& dm, Sortierung sortierung);

} // namespace pyra::stats
