#pragma once

#include "data/datum.h"

#include <functional>
#include <string>
#include <vector>

struct sqlite3;

namespace pyra::data {

// Creates Datenbank_Lotto.tdbd in the directory (with trailing separator) when it is missing:
// schema, lookups, one Lotto record per association, the Wahl record and the shipped draw history.
// nachbereiten runs on the new file before it is finished (the analysis tables are computed
// there). Also creates the empty update database Datenbank_Lotto_Update.tdbd when missing.
// An existing file is never touched. Returns true when the main database was created.
// Side files (-wal, -shm, -journal) left beside a missing database would be replayed by SQLite
// onto the new file; they are renamed to "<name>.alt" (".alt2", ... when that exists) before the
// new file is put in place, never deleted, and their new names are added to beiseitegelegt. The
// same holds for the update database.
bool Standarddatenbank_anlegen(const std::string& verzeichnis, const Datum& heute,
                               const std::function<void(sqlite3*)>& nachbereiten = {},
                               std::vector<std::string>* beiseitegelegt = nullptr);

// The message for side files moved aside at creation; empty when there were none.
std::string Meldung_Begleitdateien(const std::vector<std::string>& beiseitegelegt);

// Creates an empty update database at the path when it is missing; side files of the missing
// file are moved aside as above.
void Updatedatenbank_anlegen(const std::string& pfad, std::vector<std::string>* beiseitegelegt = nullptr);

} // namespace pyra::data
