#include "system/gewinn.h"

namespace pyra::system {

bool Ziehungsergebnisse_vorhanden(const Reihe& ziehung) {
    return ziehung[0] > 0;
}

int Treffer_zaehlen(const Reihe& reihe, const Reihe& ziehung) {
    Zahlenmenge gezogen;
    for (int d : ziehung) gezogen.aufnehmen(d);
    Zahlenmenge getroffen;
    for (int z : reihe)
        if (gezogen.enthaelt(z)) getroffen.aufnehmen(z);
    int treffer = 0;
    for (std::uint64_t b = getroffen.Bits; b != 0; b &= b - 1) ++treffer;
    return treffer;
}

std::vector<int> Gewinn_ermitteln(std::span<const Reihe> reihen, const Reihe& ziehung) {
    std::vector<int> richtige;
    richtige.reserve(reihen.size());
    for (const Reihe& r : reihen) richtige.push_back(Treffer_zaehlen(r, ziehung));
    return richtige;
}

} // namespace pyra::system
