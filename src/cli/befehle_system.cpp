#include "cli/kontext.h"

namespace pyra::cli {

void befehle_registrieren_system() {}

} // namespace pyra::cli
