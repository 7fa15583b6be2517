#pragma once

// Helpers of the store-bound statistics: reading a series from a draws cursor, the derived fields
// of a Zahlen row by name, and running bulk work with suspended display updates and in one commit.

#include "stats/serie.h"
#include "stats/ziehungsmerkmale.h"
#include "store/store.h"

#include <array>
#include <cstdint>
#include <optional>

namespace pyra::stats::intern {

// Zahl_01 .. Zahl_06.
extern const std::array<const char*, 6> kZahlFelder;

// The 18 derived fields of a Zahlen row in this order: EZDVFS, Summe, G_U, Ziehung_Wo_1z ..
// Ziehung_Wo_7z, Ziehung_Ja_1z .. Ziehung_Ja_7z, Summe_Wo.
extern const std::array<const char*, 18> kMerkmalFelder;

// The values to store for the derived fields, in the order of kMerkmalFelder. A value that does
// not fit the small-integer field (the sum of a row holding numbers far outside 1..49) is left
// empty instead of refusing the whole write.
using Merkmalwerte = std::array<std::optional<std::int64_t>, 18>;
Merkmalwerte Werte(const Ziehungsmerkmale& m);

// Reads every record of a draws cursor (Query_Zahlen or Table_Zahlen) in the cursor's order: Jahr,
// Woche and the six numbers (empty reads 0). Leaves the cursor on its first record.
Serie Serie_lesen(store::DataSet& ds);

// Runs f with the cursor's display updates suspended; they are resumed on every exit path.
template <class F> void ohne_anzeige(store::DataSet& ds, F&& f) {
    ds.DisableControls();
    try {
        f();
    } catch (...) {
        try {
            ds.EnableControls();
        } catch (...) {
            // The first error is the one to report.
        }
        throw;
    }
    ds.EnableControls();
}

// Runs f inside one transaction. What f has written is committed also when it fails, so an error
// keeps the records written before it; the error is passed on.
template <class F> void in_einem_schritt(store::Database& db, F&& f) {
    store::Database::Transaction tx(db);
    try {
        f();
    } catch (...) {
        try {
            tx.Commit();
        } catch (...) {
            // The first error is the one to report.
        }
        throw;
    }
    tx.Commit();
}

} // namespace pyra::stats::intern
