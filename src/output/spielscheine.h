#pragma once

// The slip list shown by the print and text-export dialogs, the row range of a slip and the
// rows of a system as the output reads them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pyra::output {

constexpr int Spielschein_Anzahl = 250;

// The message of the print and text-export dialogs when the row numbers cannot be used or the
// output fails.
inline constexpr const char* Meldung_Anzahl_Reihen = "Bitte Anzahl der Reihen eingeben!";

// The print refusal when the association's slip layout has no row box: a page would come out
// blank.
inline constexpr const char* Meldung_Kein_Scheinlayout =
    "Für diesen Lottoverband ist kein Spielschein eingerichtet: Die Abstände der Reihen fehlen "
    "(Drucken → Einstellungen). Es wurde nichts gedruckt.";

// One row of the current system: its number Reihe and Tipp_Zahl_1 … Tipp_Zahl_6 (each may be
// empty).
struct Tippreihe {
    std::int64_t Reihe = 0;
    std::array<std::optional<int>, 6> Tipp_Zahl{};
};

// Text of entry i (0-based) of the slip list: "  01.Spielschein" … "  99.Spielschein",
// "100.Spielschein" … "250.Spielschein".
std::string Spielschein_Text(int eintrag);
// All 250 entries in order.
std::vector<std::string> Spielschein_Liste();

// Rows covered by slip entry i with n rows per slip: von = i × n + 1, bis = (i + 1) × n.
struct Reihenbereich {
    std::int64_t von = 0;
    std::int64_t bis = 0;
};
Reihenbereich Reihenbereich_berechnen(std::int64_t eintrag, int reihen_pro_spielschein);

// Decimal text of a row number, padded on the left with spaces to at least four characters.
std::string Reihenzahl_Text(std::int64_t zahl);

// Reads the text of a row edit as a whole number: leading spaces, an optional sign and digits,
// nothing else. Returns nothing when the text is no whole number or does not fit 32 bits.
std::optional<std::int64_t> Ganzzahl_lesen(const std::string& text);

} // namespace pyra::output
