#pragma once

// The analysis of a newly created default database: per-draw fields of every shipped draw and
// the three distribution tables of each association and draw day, up to its newest draw.

struct sqlite3;

namespace pyra::stats {

// Runs on the open database of Standarddatenbank_anlegen inside its transaction: for every
// association and draw day found in Zahlen, writes the derived fields of each draw with results
// and replaces its rows of Ziehung_Wo_z (7), Ziehung_Ja_z (7) and Summe_Ru (15) with the
// distribution up to the newest draw. The values equal those of the dialog's calculation for a
// week at or after the newest draw. Throws store::StoreError on a database error.
void Standarddatenbank_nachbereiten(sqlite3* db);

} // namespace pyra::stats
