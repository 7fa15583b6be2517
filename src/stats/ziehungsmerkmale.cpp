#include "stats/ziehungsmerkmale.h"

#include "stats/zahlen_funktionen.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace pyra::stats {

namespace {

Ziehungsmerkmale merkmale(const Sechs& a, const SechsWerte& r_wo, const SechsWerte& r_ja) {
    Ziehungsmerkmale m;
    m.EZDVFS = Laengste_Folge(a);
    m.Summe = std::accumulate(a.begin(), a.end(), 0);
    m.G_U = Anzahl_Gerade(a);
    for (int k = 1; k <= 7; ++k) {
        m.Ziehung_Wo[k - 1] = Wiederholungen_der_Werte(r_wo, k);
        m.Ziehung_Ja[k - 1] = Wiederholungen_der_Werte(r_ja, k);
    }
    m.Summe_Wo = Summe_der_Werte(r_wo);
    return m;
}

// Number of rows from the first up to and including serie[bis].
std::size_t bis_einschliesslich(const Serie& serie, std::size_t bis) {
    return serie.empty() ? 0 : std::min(bis, serie.size() - 1) + 1;
}

// Where each number was last drawn, as the running number of the row with results that held it.
struct Verlauf {
    std::int32_t zaehler = 0; // rows with results seen so far
    Spalte zuletzt;           // -1: not drawn yet

    Verlauf() { zuletzt.fill(-1); }

    // Overdue values of the six numbers relative to the next row: rows with results since the
    // last one containing the number.
    SechsWerte rueckstaendig(const Sechs& a) const {
        SechsWerte r{};
        for (int i = 0; i < 6; ++i) {
            const int v = a[i];
            r[i] = Zahl_im_Bereich(v) && zuletzt[v] >= 0 ? zaehler - 1 - zuletzt[v] : -1;
        }
        return r;
    }

    void aufnehmen(const Sechs& a) {
        for (int v : a)
            if (Zahl_im_Bereich(v)) zuletzt[v] = zaehler;
        ++zaehler;
    }
};

Merkmalsliste in_einem_durchgang(const Serie& serie, std::size_t ende) {
    Merkmalsliste liste(ende);
    Verlauf alle;
    std::vector<Verlauf> wochen(54); // weeks 0..53; other stored weeks in `andere`
    std::map<int, Verlauf> andere;
    for (std::size_t i = 0; i < ende; ++i) {
        const Ziehung& z = serie[i];
        if (!z.hat_Ergebnisse()) continue;
        Verlauf& woche =
            z.Woche >= 0 && z.Woche < static_cast<int>(wochen.size()) ? wochen[z.Woche] : andere[z.Woche];
        liste[i] = merkmale(z.Zahl, alle.rueckstaendig(z.Zahl), woche.rueckstaendig(z.Zahl));
        alle.aufnehmen(z.Zahl);
        woche.aufnehmen(z.Zahl);
    }
    return liste;
}

} // namespace

Ziehungsmerkmale Merkmale_einer_Ziehung(const Sechs& a, const Zahlenstatistik& vorher) {
    return merkmale(a, Werte_aus_Spalte(a, vorher.Rueckstaendig_Wo),
                    Werte_aus_Spalte(a, vorher.Rueckstaendig_Ja));
}

Merkmalsliste Ziehungsmerkmale_berechnen(const Serie& serie, std::size_t bis) {
    return in_einem_durchgang(serie, bis_einschliesslich(serie, bis));
}

Merkmalsliste Ziehungsmerkmale_berechnen(const Serie& serie, int jahr, int woche) {
    std::size_t ende = Zeilen_vor(serie, jahr, woche);
    if (Position_suchen(serie, jahr, woche)) ++ende;
    return in_einem_durchgang(serie, ende);
}

Merkmalsliste Ziehungsmerkmale_nachzaehlen(const Serie& serie, std::size_t bis) {
    const std::size_t ende = bis_einschliesslich(serie, bis);
    Merkmalsliste liste(ende);
    for (std::size_t i = ende; i-- > 0;) {
        if (!serie[i].hat_Ergebnisse()) continue;
        liste[i] = Merkmale_einer_Ziehung(serie[i].Zahl, Zahlenstatistik_zaehlen(serie, i));
    }
    return liste;
}

} // namespace pyra::stats
