#include "ui/hauptfenster/kernanbindung.h"

#include "stats/standardanalyse_store.h"
#include "stats/zahl_daten_store.h"

namespace pyra::ui::kern {

bool Sortierung_anwenden(data::DataModule_Lotto& dm, int knopf) {
    return stats::Sortierung_anwenden(dm, static_cast<stats::Sortierung>(knopf)) !=
           stats::Sortierergebnis::Abgelehnt;
}

std::function<void(sqlite3*)> Standarddatenbank_nachbereiten() {
    return [](sqlite3* db) { stats::Standarddatenbank_nachbereiten(db); };
}

} // namespace pyra::ui::kern
