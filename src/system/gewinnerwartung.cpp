#include "system/gewinnerwartung.h"

#include "system/bits.h"
#include "system/gewinn.h"

#include <algorithm>
#include <bit>

namespace pyra::system {

namespace {

using Zaehler = std::array<std::array<std::int32_t, 7>, 7>;

// k = 3, 4, 5 need 6-k numbers up to N that are not system numbers; k = 6 is always simulated.
std::array<bool, 7> simulierte_k(int zahlen_bis, int anzahl_systemzahlen) {
    std::array<bool, 7> aktiv{};
    for (int k = 3; k <= 6; ++k)
        aktiv[static_cast<std::size_t>(k)] = k == 6 || zahlen_bis - (6 - k) >= anzahl_systemzahlen;
    return aktiv;
}

void zaehlen(Zaehler& g, int beste, int k) {
    if (beste >= 3) ++g[static_cast<std::size_t>(beste)][static_cast<std::size_t>(k)];
}

void direkt_simulieren(std::span<const Reihe> slots, int wiederholungen, int n,
                       const Systemflags& systemzahlen, const std::array<bool, 7>& aktiv,
                       Zufallsgenerator& zufall, Zaehler& g) {
    for (int w = 0; w < wiederholungen; ++w) {
        for (int k = 3; k <= 6; ++k) {
            if (!aktiv[static_cast<std::size_t>(k)]) continue;
            const Reihe kandidat = Ziehung_simulieren(k, systemzahlen, n, zufall);
            int beste = 0;
            for (const Reihe& slot : slots) beste = std::max(beste, Treffer_zaehlen(slot, kandidat));
            zaehlen(g, beste, k);
        }
    }
}

// The rows as per-number bit sets (bit t of zeilen_mit[n] = row t+1 holds n); a simulated draw
// adds its six sets bit-sliced and reads the best row's hits from the three count planes.
void schnell_simulieren(std::span<const Reihe> slots, int wiederholungen, int n,
                        const Systemflags& systemzahlen, const std::array<bool, 7>& aktiv,
                        Zufallsgenerator& zufall, Zaehler& g) {
    constexpr int Worte = (Max_Reihen + 63) / 64;
    std::array<std::array<std::uint64_t, Worte>, Hoechste_Zahl + 1> zeilen_mit{};
    for (std::size_t t = 0; t < slots.size(); ++t) {
        Zahlenmenge m;
        for (int z : slots[t]) m.aufnehmen(z);
        for (std::uint64_t rest = m.Bits; rest != 0; rest &= rest - 1)
            zeilen_mit[static_cast<std::size_t>(std::countr_zero(rest))][t / 64] |= std::uint64_t{1}
                                                                                    << (t % 64);
    }
    const int worte = static_cast<int>((slots.size() + 63) / 64);

    std::array<int, Hoechste_Zahl> system{}, andere{};
    int anzahl_system = 0, anzahl_andere = 0;
    for (int z = 1; z <= n; ++z) {
        if (systemzahlen[static_cast<std::size_t>(z)])
            system[static_cast<std::size_t>(anzahl_system++)] = z;
        else
            andere[static_cast<std::size_t>(anzahl_andere++)] = z;
    }

    for (int w = 0; w < wiederholungen; ++w) {
        for (int k = 3; k <= 6; ++k) {
            if (!aktiv[static_cast<std::size_t>(k)]) continue;
            // Ranks first, then indices: the j-th smallest free index is the j-th smallest fitting
            // number, as drawing position by position gives.
            int index[6];
            for (int j = 0; j < k; ++j) index[j] = zufall.unter(anzahl_system - j);
            for (int j = k; j < 6; ++j) index[j] = zufall.unter(anzahl_andere - (j - k));
            intern::raenge_aufloesen(index, k);
            intern::raenge_aufloesen(index + k, 6 - k);
            int zahlen[6];
            for (int j = 0; j < k; ++j) zahlen[j] = system[static_cast<std::size_t>(index[j])];
            for (int j = k; j < 6; ++j) zahlen[j] = andere[static_cast<std::size_t>(index[j])];

            const auto& a = zeilen_mit[static_cast<std::size_t>(zahlen[0])];
            const auto& b = zeilen_mit[static_cast<std::size_t>(zahlen[1])];
            const auto& c = zeilen_mit[static_cast<std::size_t>(zahlen[2])];
            const auto& d = zeilen_mit[static_cast<std::size_t>(zahlen[3])];
            const auto& e = zeilen_mit[static_cast<std::size_t>(zahlen[4])];
            const auto& f = zeilen_mit[static_cast<std::size_t>(zahlen[5])];
            std::uint64_t sechs = 0, fuenf = 0, vier = 0, drei = 0;
            for (std::size_t i = 0; i < static_cast<std::size_t>(worte); ++i) {
                const intern::Zaehlebenen z = intern::sechs_addieren(a[i], b[i], c[i], d[i], e[i], f[i]);
                sechs |= z.zwei & z.vier;
                fuenf |= z.eins & z.vier;
                vier |= z.vier;
                drei |= z.eins & z.zwei;
            }
            const int beste = sechs ? 6 : fuenf ? 5 : vier ? 4 : drei ? 3 : 0;
            zaehlen(g, beste, k);
        }
    }
}

} // namespace

bool Simulation_moeglich(const Systemflags& systemzahlen, int zahlen_bis) {
    return Anzahl_Systemzahlen_ermitteln(systemzahlen, zahlen_bis) >= Mindestzahl_Simulation;
}

int Simulationszahl_waehlen(bool gewollt, const Reihe& kandidat, const Systemflags& systemzahlen,
                            int zahlen_bis, Zufallsgenerator& zufall) {
    const int n = Zahlen_bis_begrenzt(zahlen_bis);
    std::array<int, Hoechste_Zahl> passend{};
    int anzahl = 0;
    for (int v = 1; v <= n; ++v)
        if (systemzahlen[static_cast<std::size_t>(v)] == gewollt &&
            std::find(kandidat.begin(), kandidat.end(), v) == kandidat.end())
            passend[static_cast<std::size_t>(anzahl++)] = v;
    return anzahl == 0 ? 0 : passend[static_cast<std::size_t>(zufall.unter(anzahl))];
}

Reihe Ziehung_simulieren(int k, const Systemflags& systemzahlen, int zahlen_bis, Zufallsgenerator& zufall) {
    Reihe kandidat{};
    for (int p = 0; p < 6; ++p)
        kandidat[static_cast<std::size_t>(p)] =
            Simulationszahl_waehlen(p < k, kandidat, systemzahlen, zahlen_bis, zufall);
    return kandidat;
}

Gewinnerwartungswerte Gewinnerwartung_auswerten(const Zaehler& g, int wiederholungen) {
    Gewinnerwartungswerte w;
    if (wiederholungen <= 0) return w;
    // 100 * (G[h][k] + ... + G[k][k]) / S; the product in 64 bits so that a large S cannot wrap.
    const auto wert = [&](int h, int k) {
        std::int64_t summe = 0;
        for (int j = h; j <= k; ++j) summe += g[static_cast<std::size_t>(j)][static_cast<std::size_t>(k)];
        return static_cast<double>(100 * summe) / static_cast<double>(wiederholungen);
    };
    w.Gw_3_3 = wert(3, 3);
    w.Gw_3_4 = wert(3, 4);
    w.Gw_3_5 = wert(3, 5);
    w.Gw_3_6 = wert(3, 6);
    w.Gw_4_4 = wert(4, 4);
    w.Gw_4_5 = wert(4, 5);
    w.Gw_4_6 = wert(4, 6);
    w.Gw_5_5 = wert(5, 5);
    w.Gw_5_6 = wert(5, 6);
    return w;
}

Gewinnerwartungsergebnis Gewinnerwartung_berechnen(std::span<const Reihe> reihen, int reihe,
                                                   int wiederholungen, int zahlen_bis,
                                                   const Systemflags& systemzahlen, Zufallsgenerator& zufall,
                                                   Simulationsverfahren verfahren) {
    Gewinnerwartungsergebnis ergebnis;
    const int n = Zahlen_bis_begrenzt(zahlen_bis);
    const int anzahl = Anzahl_Systemzahlen_ermitteln(systemzahlen, n);
    if (anzahl < Mindestzahl_Simulation) return ergebnis;
    ergebnis.Gestartet = true;
    if (wiederholungen <= 0) return ergebnis;

    // Slots 1..R of the row store; slots past the copied rows are empty and score 0.
    const std::size_t r = static_cast<std::size_t>(std::clamp(reihe, 0, Max_Reihen));
    const std::span<const Reihe> slots = reihen.first(std::min(r, reihen.size()));
    const std::array<bool, 7> aktiv = simulierte_k(n, anzahl);
    if (verfahren == Simulationsverfahren::Direkt)
        direkt_simulieren(slots, wiederholungen, n, systemzahlen, aktiv, zufall, ergebnis.Gewinnerwartung);
    else
        schnell_simulieren(slots, wiederholungen, n, systemzahlen, aktiv, zufall, ergebnis.Gewinnerwartung);
    ergebnis.Werte = Gewinnerwartung_auswerten(ergebnis.Gewinnerwartung, wiederholungen);
    return ergebnis;
}

} // namespace pyra::system
