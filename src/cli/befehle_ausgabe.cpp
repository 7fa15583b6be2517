#include "cli/kontext.h"

namespace pyra::cli {

void befehle_registrieren_ausgabe() {}

} // namespace pyra::cli
