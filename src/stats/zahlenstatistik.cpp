#include "stats/zahlenstatistik.h"

#include <algorithm>
#include <optional>

namespace pyra::stats {

namespace {

// Counts the rows serie[0..ende) from the newest backwards; rows with Woche == woche are the
// same-week draws.
Zahlenstatistik zaehlen(const Serie& serie, std::size_t ende, std::optional<int> woche) {
    Zahlenstatistik t;
    t.Rueckstaendig_Wo.fill(-1);
    t.Rueckstaendig_Ja.fill(-1);
    std::int32_t zaehler = 0;
    std::int32_t zaehler_ja = 0;
    for (std::size_t i = std::min(ende, serie.size()); i-- > 0;) {
        const Ziehung& z = serie[i];
        if (!z.hat_Ergebnisse()) continue;
        for (int v : z.Zahl)
            if (Zahl_im_Bereich(v)) ++t.Haeufigkeit_Wo[v];
        for (int v : z.Zahl)
            if (Zahl_im_Bereich(v) && t.Rueckstaendig_Wo[v] == -1) t.Rueckstaendig_Wo[v] = zaehler;
        ++zaehler;
        if (woche && z.Woche == *woche) {
            for (int v : z.Zahl)
                if (Zahl_im_Bereich(v)) ++t.Haeufigkeit_Ja[v];
            for (int v : z.Zahl)
                if (Zahl_im_Bereich(v) && t.Rueckstaendig_Ja[v] == -1) t.Rueckstaendig_Ja[v] = zaehler_ja;
            ++zaehler_ja;
        }
    }
    return t;
}

} // namespace

Zahlenstatistik Zahlenstatistik_zaehlen(const Serie& serie, std::size_t referenz) {
    if (referenz >= serie.size()) return zaehlen(serie, serie.size(), std::nullopt);
    return zaehlen(serie, referenz, serie[referenz].Woche);
}

Zahlenstatistik Zahlenstatistik_zaehlen(const Serie& serie, int jahr, int woche) {
    return zaehlen(serie, Zeilen_vor(serie, jahr, woche), woche);
}

Schaetzung Schaetzung_einer_Zahl(int n_max, std::int32_t haeufigkeit, std::int32_t rueckstaendig,
                                 std::int32_t d, double a) {
    const double b = 600.0 / n_max;
    Schaetzung s;
    // The product stays an integer; only the division is in floating point.
    s.F = static_cast<double>(std::int64_t{100} * haeufigkeit) / d;
    s.U = b + 0.1 * (rueckstaendig - a);
    s.W = (s.F + s.U) / 2;
    return s;
}

void Wahrscheinlichkeit_berechnen(Zahlenstatistik& t, int n_max) {
    if (n_max <= 0) {
        t.F.fill(0);
        t.U.fill(0);
        t.W.fill(0);
        return;
    }
    const int n_bis = std::min(n_max, kGroessteZahl);
    const double b = 600.0 / n_bis; // expected share of one number: six of N, in percent
    t.F.fill(b);
    t.U.fill(b);
    t.W.fill(b);

    std::int64_t summe = 0;
    for (int n = 1; n <= n_bis; ++n) summe += t.Haeufigkeit_Wo[n];
    const std::int64_t d = summe / 6; // counted draws
    if (d == 0) return;

    std::int64_t summe_r = 0;
    for (int n = 1; n <= n_bis; ++n) summe_r += t.Rueckstaendig_Wo[n]; // -1 counts as -1
    const double a = static_cast<double>(summe_r) / n_bis;

    for (int n = 1; n <= n_bis; ++n) {
        const Schaetzung s = Schaetzung_einer_Zahl(n_bis, t.Haeufigkeit_Wo[n], t.Rueckstaendig_Wo[n],
                                                   static_cast<std::int32_t>(d), a);
        t.F[n] = s.F;
        t.U[n] = s.U;
        t.W[n] = s.W;
    }
}

} // namespace pyra::stats
