#pragma once

// The commands of guaranteed systems over the data module: "Garantiesystem" (search and store a
// system with a guarantee) and the exact guarantee check of the selection's rows.

#include "data/datamodule.h"
#include "system/garantie.h"
#include "system/garantiesystem.h"
#include "system/gewinnerwartung.h"
#include "system/systembefehle_store.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace pyra::system {

// Shortest and longest time budget of the search, and its default, in seconds.
inline constexpr int Garantie_Sekunden_min = 1;
inline constexpr int Garantie_Sekunden_max = 600;
inline constexpr int Garantie_Sekunden_Standard = 10;

struct Garantieauftrag {
    Garantie G;
    // The time budget of the whole command, from `Beginn` until the rows are stored; capped to
    // 1..600.
    int Sekunden = Garantie_Sekunden_Standard;
    // When the command began for the user (the batch companion: its start); empty: when the
    // command is entered.
    std::optional<std::chrono::steady_clock::time_point> Beginn;
    bool Filter = false; // only rows that pass the reduction's filters
    int Threads = 2;
};

// What the search has reached, for the progress display.
struct Garantiefortschritt {
    int Reihen = 0;             // rows of the best complete system so far, 0 = none yet
    std::uint64_t Loecher = 0;  // holes of the best system while none is complete
    double Sekunden_uebrig = 0; // time left of the budget
};

// Called about ten times a second while the search runs (on the thread that called the
// command); returns true when the user wants to stop (the best system found so far is kept).
using Garantieablauf = std::function<bool(const Garantiefortschritt&)>;

enum class Garantiebefehl_Ende {
    Gesperrt,          // the system is locked
    Laeuft_bereits,    // a search or a reduction runs
    System_vorhanden,  // the selection already holds a system
    Abgelehnt,         // too few numbers, an impossible guarantee, no row passes: message shown
    Nicht_gespeichert, // no complete system, and the user did not want the incomplete one
    Ausgefuehrt,       // the rows were stored
};

struct Garantiebefehl_Ergebnis {
    Garantiebefehl_Ende Ende = Garantiebefehl_Ende::Gesperrt;
    Garantiesystem System;
};

// Whether the command can start: the system is not locked, the selection holds no filled rows
// and nothing runs. (Too few system numbers are refused by the command with a message.)
bool Garantiesystem_moeglich(data::DataModule_Lotto& dm);

// The guarantee in words for the selection's system and bank numbers (see Text_Garantie).
std::string Garantie_beschreiben(data::DataModule_Lotto& dm, const Garantie& g);

// "Garantiesystem": the checks, the search (on worker threads, while `ablauf` is called on this
// one and pending window messages are let through), the question for an incomplete system, then
// the rows stored exactly as the reduction stores its rows, the system locked, the row grid
// bound, and the message with the guarantee.
Garantiebefehl_Ergebnis Garantiesystem_Befehl(data::DataModule_Lotto& dm, const Garantieauftrag& auftrag,
                                              const Laufoptionen& optionen = {},
                                              const Garantieablauf& ablauf = {});

// True while "Garantiesystem" runs.
bool Garantiesystem_laeuft();

// The exact check of rows 1..R of the selection (R = Reihe of the row cursor's current row, as
// for the expected winnings) against its system numbers. When the check would take too long,
// Pruefung.Exakt is false and Schaetzung holds the simulation's estimate (S draws per k from
// the association's settings; nothing is stored).
struct Garantiepruefung_Anzeige {
    int Reihe = 0;
    Garantiepruefung Pruefung;
    // Some checked row holds a number that is no system number. The check counts hits on system
    // numbers only, while the simulation also draws the other numbers, so its values are then no
    // exact form of the simulated ones.
    bool Fremde_Zahlen = false;
    bool Geschaetzt = false;
    Gewinnerwartungswerte Schaetzung;
};
Garantiepruefung_Anzeige Garantiepruefung_Befehl(data::DataModule_Lotto& dm,
                                                 const Laufoptionen& optionen = {});

} // namespace pyra::system
