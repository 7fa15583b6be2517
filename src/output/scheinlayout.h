#pragma once

// Slip layout: where on the printed page the row boxes, the number cells inside a box and the
// three tick boxes of a play slip lie. Positions are whole page units measured from the left
// and top edges of the printable area; the page is 420 units wide and 594 units high.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace pyra::output {

constexpr int Reihenfelder_max = 12; // row boxes a slip can have
constexpr int Einheiten_breit = 420; // horizontal page units
constexpr int Einheiten_hoch = 594;  // vertical page units

// The layout fields of an association's Lotto record. Empty fields of the row boxes, the
// distances and the font size read as 0; the tick boxes keep "empty" because an empty tick
// box position means "no mark".
struct Scheinlayout {
    std::array<int, Reihenfelder_max> Reihe_links{}; // Reihe_01_links … Reihe_12_links
    std::array<int, Reihenfelder_max> Reihe_oben{};  // Reihe_01_oben … Reihe_12_oben
    double Zahl_Abstand_links = 0.0;
    double Zahl_Abstand_oben = 0.0;
    int Schriftgroesse = 0;
    std::optional<int> Super_77_links, Super_77_oben;
    std::optional<int> Super_6_links, Super_6_oben;
    std::optional<int> MiSa_links, MiSa_oben;
};

// Reads the layout by field name ("Reihe_01_links", "Zahl_Abstand_oben", "MiSa_oben", …).
// feld returns the field's value, or nothing when the field is empty.
using Feldleser = std::function<std::optional<double>(const std::string& feldname)>;
Scheinlayout Scheinlayout_lesen(const Feldleser& feld);

// Name of the field of row box k (1 … 12), e.g. "Reihe_03_links" / "Reihe_03_oben".
std::string Feldname_Reihe_links(int k);
std::string Feldname_Reihe_oben(int k);

// Number of fields Reihe_01_links … Reihe_12_links greater than 0 (0 … 12). It is a count,
// not a list: boxes 1 and 3 set and box 2 at 0 give 2.
int Reihenfelder_zaehlen(const Scheinlayout& layout);

// Position in page units of the cell of number n in row box k.
// Across: L(k) + Trunc(column × Zahl_Abstand_links) — multiplied first, then truncated.
// Down:   O(k) + line × Trunc(Zahl_Abstand_oben) — truncated first, then multiplied.
// k outside 1 … 12 gives no row-box term; n outside 1 … 49 gives no in-box term.
std::int64_t Position_links(const Scheinlayout& layout, int n, int k);
std::int64_t Position_oben(const Scheinlayout& layout, int n, int k);

// Page units to device pixels. The scale is a whole number of pixels per unit: the printable
// width (height) divided by 420 (594) with the remainder dropped, before multiplying.
std::int64_t Pixel_links(std::int64_t einheiten, int seitenbreite);
std::int64_t Pixel_oben(std::int64_t einheiten, int seitenhoehe);

} // namespace pyra::output
