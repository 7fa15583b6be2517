#include "cli/kontext.h"

namespace pyra::cli {

void befehle_registrieren_statistik() {}

} // namespace pyra::cli

namespace pyra::cli {
std::function<void(sqlite3*)> standard_nachbereiten() { return {}; }
} // namespace pyra::cli
