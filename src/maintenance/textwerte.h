#pragma once

// Reading the texts of workbook cells. The workbooks are German: decimal comma, "." as the
// thousands separator, dates as dd.mm.yyyy. The texts are read that way whatever the locale of
// the machine is.

#include "data/datum.h"

#include <string>

namespace pyra::maintenance {

// A whole number: optional blanks around it, an optional sign and digits only ("12", " -3 ").
// False for anything else, also for "1.234" and "12,0".
bool Text_als_Ganzzahl(const std::string& text, long long& out);

// A decimal number with a decimal comma: optional sign, digits, optionally "," and digits
// ("12,50", "-0,5", "7"). No thousands separator and no exponent.
bool Text_als_Dezimalzahl(const std::string& text, double& out);

// Deletes the first ".", then the next one, at most `anzahl` of them: "1.234.567" -> "1234567".
std::string Punkte_entfernen(std::string text, int anzahl = 2);

// A date dd.mm.yyyy (day and month with one or two digits, a four-digit year; blanks around it
// allowed). False for anything else or a day that does not exist.
bool Text_als_Datum(const std::string& text, data::Datum& out);

} // namespace pyra::maintenance
