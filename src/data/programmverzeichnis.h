#pragma once

#include <string>

namespace pyra::data {

// The program directory with a trailing separator: the directory of the running executable when
// it is writable, otherwise the per-user data directory $XDG_DATA_HOME/pyra-lotto/
// (default ~/.local/share/pyra-lotto/), which is created when missing.
std::string Programmverzeichnis_bestimmen();

} // namespace pyra::data
