#pragma once

// The German messages of ImportFehler, in one place so that all formats say the same.

#include "maintenance/zellenleser.h"

#include <string>

namespace pyra::platform::sheet {

[[noreturn]] void fehlt(const std::string& datei);
[[noreturn]] void nicht_lesbar(const std::string& datei);
[[noreturn]] void unbekannte_art(const std::string& datei);
[[noreturn]] void beschaedigt(const std::string& datei, const std::string& grund);
[[noreturn]] void zu_gross(const std::string& datei, const std::string& was);
[[noreturn]] void kein_blatt(const std::string& datei, int blatt, int anzahl);

// A text shortened for a message, cut only between whole UTF-8 characters.
std::string gekuerzt(const std::string& text, std::size_t laenge = 40);

} // namespace pyra::platform::sheet
