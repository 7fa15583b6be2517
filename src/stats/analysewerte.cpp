#include "stats/analysewerte.h"

namespace pyra::stats {

namespace {

double prozent(std::int32_t anzahl, std::int32_t gesamt) {
    // The product stays an integer; only the division is in floating point.
    return static_cast<double>(std::int64_t{anzahl} * 100) / gesamt;
}

void zeilen_prozent(const std::array<std::array<std::int32_t, 7>, 7>& c, std::array<std::int32_t, 7>& t,
                    std::array<std::array<double, 7>, 7>& p) {
    for (int z = 0; z < 7; ++z) {
        t[z] = 0;
        for (int v = 0; v < 7; ++v) t[z] += c[z][v];
        for (int v = 0; v < 7; ++v) p[z][v] = t[z] > 0 ? prozent(c[z][v], t[z]) : 0.0;
    }
}

} // namespace

int Summenband(int summe) {
    return summe >= 1 && summe <= 150 ? (summe + 9) / 10 : 0;
}

Analysewerte Analysewerte_berechnen(std::span<const Ziehungsmerkmale> zeilen) {
    Analysewerte a;
    for (const Ziehungsmerkmale& m : zeilen) {
        for (int z = 0; z < 7; ++z) {
            // 7 marks a draw whose recurrence cannot be told; anything outside 0..6 is left out
            if (m.Ziehung_Wo[z] >= 0 && m.Ziehung_Wo[z] < 7) ++a.CW[z][m.Ziehung_Wo[z]];
            if (m.Ziehung_Ja[z] >= 0 && m.Ziehung_Ja[z] < 7) ++a.CJ[z][m.Ziehung_Ja[z]];
        }
        if (const int b = Summenband(m.Summe_Wo); b > 0) ++a.CS[b - 1];
    }
    zeilen_prozent(a.CW, a.TW, a.Ziehung_Wo_z);
    zeilen_prozent(a.CJ, a.TJ, a.Ziehung_Ja_z);
    a.TS = 0;
    for (auto c : a.CS) a.TS += c;
    for (int b = 0; b < 15; ++b) a.Summe_Ru[b] = a.TS > 0 ? prozent(a.CS[b], a.TS) : 0.0;
    return a;
}

Analysewerte Analysewerte_berechnen(const Merkmalsliste& liste) {
    std::vector<Ziehungsmerkmale> zeilen;
    zeilen.reserve(liste.size());
    for (const auto& m : liste)
        if (m) zeilen.push_back(*m);
    return Analysewerte_berechnen(zeilen);
}

} // namespace pyra::stats
