#include "ui/kernanbindung.h"

#include "stats/standardanalyse.h"
#include "stats/zahl_daten.h"

namespace pyra::ui::kern {

void Sortierung_anwenden(data::DataModule_Lotto& dm, int knopf) {
    stats::Sortierung_anwenden(dm, static_cast<stats::Sortierung>(knopf));
}

std::function<void(sqlite3*)> Standarddatenbank_nachbereiten() {
    return [](sqlite3* db) { stats::Standarddatenbank_nachbereiten(db); };
}

} // namespace pyra::ui::kern
