#pragma once

// Basic types of the reduced-system core: rows, draws, sets of numbers and the marks of the
// system numbers. Numbers are 1..49; 0 is an empty number.

#include <array>
#include <cstdint>
#include <string>

namespace pyra::system {

// The row store holds at most this many rows; a run never produces more.
inline constexpr int Max_Reihen = 750;
// Candidates drawn in every pass of the search.
inline constexpr int Versuche_je_Durchlauf = 10000;
// Largest number any working table has room for.
inline constexpr int Hoechste_Zahl = 49;
// Fewest system numbers up to N for a reduction and for the simulation.
inline constexpr int Mindestzahl_Kuerzung = 9;
inline constexpr int Mindestzahl_Simulation = 6;

// Six numbers of a row or a draw; 0 means "empty".
using Reihe = std::array<int, 6>;

// The marks of the system numbers: index 1..49, index 0 unused.
using Systemflags = std::array<bool, Hoechste_Zahl + 1>;

// One record of the draws series.
struct Ziehung {
    int Jahr = 0;
    int Woche = 0;
    Reihe Zahlen{}; // Zahl_01 .. Zahl_06; empty fields read 0

    bool hat_Ergebnisse() const { return Zahlen[0] > 0; }
};

// A set of numbers 1..49 (bit n stands for number n).
struct Zahlenmenge {
    std::uint64_t Bits = 0;

    static constexpr bool gueltig(int n) { return n >= 1 && n <= Hoechste_Zahl; }
    bool enthaelt(int n) const { return gueltig(n) && ((Bits >> n) & 1u) != 0; }
    void aufnehmen(int n) {
        if (gueltig(n)) Bits |= std::uint64_t{1} << n;
    }
    friend bool operator==(const Zahlenmenge&, const Zahlenmenge&) = default;
};

// N clamped to the numbers the working tables know (0..49).
inline int Zahlen_bis_begrenzt(int zahlen_bis) {
    return zahlen_bis < 0 ? 0 : (zahlen_bis > Hoechste_Zahl ? Hoechste_Zahl : zahlen_bis);
}

// Number of marked numbers among 1..N (marks above N do not count).
int Anzahl_Systemzahlen_ermitteln(const Systemflags& systemzahlen, int zahlen_bis);

// The marks as stored in Checkbox_01 .. Checkbox_49: exactly "t" marks a number, anything else
// (empty included) does not.
Systemflags Systemzahlen_aus_Markierungen(const std::array<std::string, Hoechste_Zahl>& checkboxen);

// True when the row holds no empty number.
bool Reihe_vollstaendig(const Reihe& reihe);

} // namespace pyra::system
