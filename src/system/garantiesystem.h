#pragma once

// Guaranteed systems on the player's numbers: the system numbers up to N and the bank numbers
// of the selection, a guarantee "t if p", optionally the row filter. Every row holds the bank
// numbers; the guarantee counts the other system numbers only: every choice of p of them meets
// some row in t. Without bank numbers and filter, systems of 7..20 numbers start from the
// shipped table (found by this program's own search, relabelled onto the player's numbers).

#include "system/garantie.h"
#include "system/garantie_suche.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace pyra::system {

// Fewest system numbers for a guaranteed system.
inline constexpr int Mindestzahl_Garantie = 7;

struct Garantieeingabe {
    Systemflags Systemzahlen{};
    std::array<int, 3> Bankzahlen{}; // Bankzahl_1 .. Bankzahl_3; only marked ones up to N count
    int Zahlen_bis = 49;
    Garantie G;
    // The row filter (Reihe_pruefen with the selection's options); empty: every row.
    std::function<bool(const Reihe&)> Filter;
    double Sekunden = 10;
    std::uint64_t Startwert = 1;
    int Threads = 2;
    bool Tabelle = true;            // start from the shipped table where it applies
    std::uint64_t Max_Schritte = 0; // budget of moves (0: none), for repeatable short runs
    const std::atomic<bool>* Stopp = nullptr;
    Suchstand* Stand = nullptr;
};

enum class Garantiefehler {
    Keiner,
    Zu_wenige_Systemzahlen, // fewer than seven system numbers up to N
    Garantie_ungueltig,     // not 3 <= t <= p <= 6
    Zu_viele_Bankzahlen,    // t above 6 - b: no row can hit t of the other numbers
    Zu_wenige_freie,        // fewer than p system numbers besides the bank numbers
    Zu_gross,               // too many choices of p numbers to search
    Keine_Reihe_erlaubt,    // the filter refuses every row
};

struct Garantiesystem {
    Garantiefehler Fehler = Garantiefehler::Keiner;
    bool Vollstaendig = false;
    std::vector<Reihe> Reihen;   // ascending numbers in each row, rows in ascending order
    std::uint64_t Loecher = 0;   // choices of p of the other numbers no row meets in t
    std::uint64_t Auswahlen = 0; // all such choices
    double Abdeckung = 0;        // percentage of them that are covered
    int Systemzahlen = 0;        // v
    int Bankzahlen = 0;          // b
    bool Aus_Tabelle = false;    // the shipped table gave the start
    Suchende Ende = Suchende::Ausgeschoepft;
};

// The checks before a search; Keiner when it can run.
Garantiefehler Garantie_pruefen_Eingabe(const Garantieeingabe& e);

// The search for the system with the fewest rows (at most 750; when none is complete, the one
// with the fewest holes).
Garantiesystem Garantiesystem_suchen(const Garantieeingabe& e);

// The shipped system for v = 7..20 numbers and a guarantee, as bit sets over 0..v-1; empty when
// the table holds none.
std::vector<std::uint64_t> Tabellensystem(int v, const Garantie& g);

// The shipped table as text, one entry a line: "v t p m" and the m rows, each six letters
// (A = number 1 of the v, B = 2, ...).
const char* Garantietabelle_Text();

// Reads one line of that format; false when it is not an entry.
bool Tabellenzeile_lesen(const std::string& zeile, int& v, Garantie& g, std::vector<std::uint64_t>& reihen);
// Writes one entry in that format.
std::string Tabellenzeile_schreiben(int v, const Garantie& g, const std::vector<std::uint64_t>& reihen);

} // namespace pyra::system
