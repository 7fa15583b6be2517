#pragma once

// The rules of a draw, in one place for every way a draw enters the database: the draw-results
// dialog, the batch companion, the spreadsheet import and the check of an update file.

#include <array>
#include <optional>
#include <string>

namespace pyra::data {

// The values of one draw record; an empty field is nullopt.
struct Ziehungswerte {
    std::array<std::optional<int>, 6> zahlen;      // Zahl_01 .. Zahl_06
    std::optional<int> zusatzzahl;                 // Zusatzzahl
    std::optional<int> superzahl;                  // Superzahl
    std::array<std::optional<int>, 6> reihenfolge; // Zahl_01_g .. Zahl_06_g, the drawn order
};

// What is wrong with the draw of an association whose numbers run from 1 to n; an empty text when
// it may be stored. The six numbers are all empty (no result yet) or six distinct numbers 1..n;
// the drawn order is empty or six distinct numbers 1..n; the Zusatzzahl lies in
// 1..n and not among the six; the Superzahl in 0..9. The text is the message for the user.
std::string Ziehung_pruefen(const Ziehungswerte& z, int n);

// The six numbers alone: six distinct numbers from 1 to n, else the message.
std::string Ziehungszahlen_pruefen(const std::array<int, 6>& zahlen, int n);

// Year 1955..2100 and week 1..53 of a draw's key, else the message.
std::string Spielwoche_pruefen(int jahr, int woche);

} // namespace pyra::data
