#pragma once

// The ranges of the number fields that the player types: the store only knows the range of the
// column type (-32768..32767), which would let a bank number -5 or a row count of 9999 through.
// The windows' edits and the batch companion check their input here, so both accept the same.

#include <cstdint>
#include <optional>
#include <string>

namespace pyra::data {

struct Zahlenbereich {
    std::int64_t von = 0;
    std::int64_t bis = 0;
    bool pflicht = false; // an empty value is refused
};

// The range of a field by its name (any case); nullopt for fields without one.
std::optional<Zahlenbereich> Zahlenbereich_des_Feldes(const std::string& feld);

// The name of a field as the windows label it ("3. Zahl" for Zahl_03, "2. Bankzahl" for
// Bankzahl_2, "Reihen" for Reihenberechnung); the field's own name when no window shows it.
std::string Feldbezeichnung(const std::string& feld);

// A message of the store names fields by their internal names in single quotes ('Zahl_03');
// this gives each known one its window label in German quotes („3. Zahl“).
std::string Feldnamen_ersetzen(const std::string& meldung);

// Checks a text for the field before it is stored: empty when it may go to the store (which still
// refuses what is no number of the field's type), else the message for the user. The message names
// the field as the windows label it, or by its own name (mit_feldname: the user typed that name).
std::string Eingabe_pruefen(const std::string& feld, const std::string& text, bool mit_feldname = false);

} // namespace pyra::data
