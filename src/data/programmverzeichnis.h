#pragma once

#include <filesystem>
#include <string>

namespace pyra::data {

// The program directory with a trailing separator: the directory of the running executable when
// it is writable and not part of an installation, otherwise the per-user data directory
// $XDG_DATA_HOME/pyra-lotto/ (default ~/.local/share/pyra-lotto/), which is created when missing.
std::string Programmverzeichnis_bestimmen();

// The same for the executable at `programmdatei`. An executable counts as installed when its
// directory has the installation's data directory beside it (<prefix>/bin next to
// <prefix>/share/pyra-lotto, where the help document goes); an installed program never writes
// into its bin directory, even when it may (as root, or with a prefix in the user's home).
std::string Programmverzeichnis_bestimmen(const std::filesystem::path& programmdatei);

} // namespace pyra::data
