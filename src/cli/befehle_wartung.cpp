#include "cli/kontext.h"

namespace pyra::cli {

void befehle_registrieren_wartung() {}

} // namespace pyra::cli
