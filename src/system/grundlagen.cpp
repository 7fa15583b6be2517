#include "system/grundlagen.h"

namespace pyra::system {

int Anzahl_Systemzahlen_ermitteln(const Systemflags& systemzahlen, int zahlen_bis) {
    const int n = Zahlen_bis_begrenzt(zahlen_bis);
    int anzahl = 0;
    for (int z = 1; z <= n; ++z)
        if (systemzahlen[z]) ++anzahl;
    return anzahl;
}

Systemflags Systemzahlen_aus_Markierungen(const std::array<std::string, Hoechste_Zahl>& checkboxen) {
    Systemflags flags{};
    for (int z = 1; z <= Hoechste_Zahl; ++z) flags[z] = checkboxen[z - 1] == "t";
    return flags;
}

bool Reihe_vollstaendig(const Reihe& reihe) {
    for (int z : reihe)
        if (z == 0) return false;
    return true;
}

} // namespace pyra::system
