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

// Checks a text for the field before it is stored: empty when it may go to the store (which still
// refuses what is no number of the field's type), else the message for the user.
std::string Eingabe_pruefen(const std::string& feld, const std::string& text);

} // namespace pyra::data
