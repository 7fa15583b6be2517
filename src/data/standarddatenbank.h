#pragma once

#include "data/datum.h"

#include <functional>
#include <string>

struct sqlite3;

namespace pyra::data {

// Creates Datenbank_Lotto.tdbd in the directory (with trailing separator) when it is missing:
// schema, lookups, one Lotto record per association, the Wahl record and the shipped draw history.
// nachbereiten runs on the new file before it is finished (the analysis tables are computed
// there). Also creates the empty update database Datenbank_Lotto_Update.tdbd when missing.
// An existing file is never touched. Returns true when the main database was created.
bool Standarddatenbank_anlegen(const std::string& verzeichnis, const Datum& heute,
                               const std::function<void(sqlite3*)>& nachbereiten = {});

// Creates an empty update database at the path when it is missing.
void Updatedatenbank_anlegen(const std::string& pfad);

} // namespace pyra::data
