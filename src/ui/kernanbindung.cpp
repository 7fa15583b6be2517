#include "ui/kernanbindung.h"

#include "stats/standardanalyse.h"
#include "stats/zahl_daten.h"

namespace pyra::ui::kern {

void Sortierung_anwenden(data::DataModule_Lotto& dm, int knopf) {
    stats::Sortierung_anwenden(dm, static_cast<stats::Sortierung>(knopf));
}

void Reihenkuerzung(data::DataModule_Lotto& dm, const std::function<void(int)>& zaehler) {
    // INTERIM until the systems library's store-bound reduction command is available.
    (void)dm;
    (void)zaehler;
}

void Gewinnermittlung(data::DataModule_Lotto& dm) {
    // INTERIM until the systems library's store-bound win evaluation is available.
    (void)dm;
}

std::function<void(sqlite3*)> Standarddatenbank_nachbereiten() {
    return [](sqlite3* db) { stats::Standarddatenbank_nachbereiten(db); };
}

} // namespace pyra::ui::kern
