// The exact guarantee check. Every choice of up to six system numbers is visited once, in
// ascending order, by extending a smaller choice by a larger number. For every number a bit set
// tells which rows hold it; adding these bit sets bit-sliced (three bit planes, counts 0..6) gives
// for the current choice and every row how many numbers they share, 64 rows at a time. A choice
// of p numbers is a hole of "t if p" when no row reaches t.

#include "system/bits.h"
#include "system/garantie.h"

#include <algorithm>
#include <bit>

namespace pyra::system {

namespace {

using intern::Binomial;

constexpr int Max_Worte = (Max_Reihen + 63) / 64;

// Counts per row as three bit planes.
struct Ebenen {
    std::array<std::uint64_t, Max_Worte> eins{}, zwei{}, vier{};
};

template <int W> class Zaehlung {
  public:
    Zaehlung(std::span<const std::uint64_t> reihen, int v, Garantiepruefung& e) : v_(v), e_(e) {
        for (std::size_t r = 0; r < reihen.size(); ++r)
            for (int z = 0; z < v; ++z)
                if ((reihen[r] >> z) & 1u) zeilen_[z][r / 64] |= std::uint64_t{1} << (r % 64);
        for (int i = 0; i < 9; ++i) {
            const Garantie g = Garantien[static_cast<std::size_t>(i)];
            index_[g.t][g.p] = i;
        }
    }

    void laufen() {
        Ebenen leer;
        besuchen(leer, 0, 0);
    }

  private:
    // Flags of the largest shares with any row: bit 0 "some row has 3", bit 1 "4", bit 2 "5".
    static int erreicht(const Ebenen& e) {
        std::uint64_t drei = 0, vier = 0, fuenf = 0;
        for (int w = 0; w < W; ++w) {
            drei |= e.vier[w] | (e.zwei[w] & e.eins[w]);
            vier |= e.vier[w];
            fuenf |= e.vier[w] & (e.zwei[w] | e.eins[w]);
        }
        return (drei != 0 ? 1 : 0) | (vier != 0 ? 2 : 0) | (fuenf != 0 ? 4 : 0);
    }

    static void addieren(Ebenen& ziel, const Ebenen& e, const std::array<std::uint64_t, Max_Worte>& m) {
        for (int w = 0; w < W; ++w) {
            const std::uint64_t c1 = e.eins[w] & m[w];
            const std::uint64_t c2 = e.zwei[w] & c1;
            ziel.eins[w] = e.eins[w] ^ m[w];
            ziel.zwei[w] = e.zwei[w] ^ c1;
            ziel.vier[w] = e.vier[w] | c2;
        }
    }

    void werten(int tiefe, int flags) {
        for (int t = 3; t <= tiefe && t <= 5; ++t) {
            if ((flags >> (t - 3)) & 1) continue;
            Garantiewert& g = e_.Werte[static_cast<std::size_t>(index_[t][tiefe])];
            ++g.Loecher;
            if (static_cast<int>(g.Beispiele.size()) < Max_Beispielloecher)
                g.Beispiele.emplace_back(auswahl_.begin(), auswahl_.begin() + tiefe);
        }
    }

    void besuchen(const Ebenen& e, int tiefe, int ab) {
        for (int z = ab; z < v_; ++z) {
            Ebenen neu;
            addieren(neu, e, zeilen_[z]);
            auswahl_[tiefe] = z;
            const int d = tiefe + 1;
            const int flags = d >= 3 ? erreicht(neu) : 0;
            if (d >= 3) werten(d, flags);
            if (d == 6) continue;
            if ((flags & 4) != 0) continue; // every larger choice holds a row with five: no holes
            besuchen(neu, d, z + 1);
        }
    }

    int v_;
    Garantiepruefung& e_;
    std::array<std::array<std::uint64_t, Max_Worte>, 64> zeilen_{};
    std::array<std::array<int, 7>, 7> index_{};
    std::array<int, 6> auswahl_{};
};

template <int W> void zaehlen(std::span<const std::uint64_t> reihen, int v, Garantiepruefung& e) {
    Zaehlung<W>(reihen, v, e).laufen();
}

using Zaehler = void (*)(std::span<const std::uint64_t>, int, Garantiepruefung&);
template <std::size_t... I> constexpr std::array<Zaehler, sizeof...(I)> zaehler(std::index_sequence<I...>) {
    return {&zaehlen<static_cast<int>(I) + 1>...};
}
constexpr auto Zaehler_je_Worte = zaehler(std::make_index_sequence<Max_Worte>{});

std::uint64_t auswahlen(int v, int p) {
    return v >= p && v <= Hoechste_Zahl ? Binomial.c[static_cast<std::size_t>(v)][static_cast<std::size_t>(p)]
                                        : 0;
}

} // namespace

bool Garantie_gueltig(const Garantie& g) {
    return g.t >= 3 && g.t <= g.p && g.p <= 6;
}

int Garantie_Index(const Garantie& g) {
    for (int i = 0; i < 9; ++i)
        if (Garantien[static_cast<std::size_t>(i)] == g) return i;
    return -1;
}

bool Garantiepruefung_moeglich(int systemzahlen, int reihen) {
    if (systemzahlen < 0 || systemzahlen > Hoechste_Zahl) return false;
    // Work: every choice of one to six numbers costs about 25 ns plus 0.5 ns per 64 rows
    // (measured with bench_system on a 2-core x86-64 machine: 30 numbers and 750 rows take 23 ms,
    // 49 numbers and 100 rows 0.4 s). Refused above one second by that measure, which leaves room
    // for a machine half as fast; 49 numbers and 750 rows need about half a second.
    const int worte = std::max(1, (std::min(reihen, Max_Reihen) + 63) / 64);
    std::uint64_t knoten = 0;
    for (int d = 1; d <= 6; ++d) knoten += auswahlen(systemzahlen, d);
    return static_cast<double>(knoten) * (25e-9 + 0.5e-9 * worte) <= 1.0;
}

Garantiepruefung Garantie_pruefen_Masken(std::span<const std::uint64_t> reihen, int v) {
    Garantiepruefung e;
    e.Exakt = true;
    e.Systemzahlen = v;
    if (reihen.size() > static_cast<std::size_t>(Max_Reihen)) reihen = reihen.first(Max_Reihen);
    e.Reihen = static_cast<int>(reihen.size());
    for (std::size_t i = 0; i < 9; ++i) e.Werte[i].G = Garantien[i];
    if (v < 0 || v > Hoechste_Zahl) return e;
    const int worte = std::max(1, static_cast<int>((reihen.size() + 63) / 64));
    Zaehler_je_Worte[static_cast<std::size_t>(worte - 1)](reihen, v, e);
    for (auto& w : e.Werte) {
        w.Auswahlen = auswahlen(v, w.G.p);
        w.Abdeckung = w.Auswahlen == 0 ? 100.0
                                       : 100.0 * static_cast<double>(w.Auswahlen - w.Loecher) /
                                             static_cast<double>(w.Auswahlen);
    }
    return e;
}

Garantiepruefung Garantie_pruefen(std::span<const Reihe> reihen, const Systemflags& systemzahlen,
                                  int zahlen_bis) {
    const int n = Zahlen_bis_begrenzt(zahlen_bis);
    std::array<int, Hoechste_Zahl + 1> index{};
    std::vector<int> zahl_von;
    index.fill(-1);
    for (int z = 1; z <= n; ++z)
        if (systemzahlen[static_cast<std::size_t>(z)]) {
            index[static_cast<std::size_t>(z)] = static_cast<int>(zahl_von.size());
            zahl_von.push_back(z);
        }
    const int v = static_cast<int>(zahl_von.size());
    if (reihen.size() > static_cast<std::size_t>(Max_Reihen)) reihen = reihen.first(Max_Reihen);
    if (!Garantiepruefung_moeglich(v, static_cast<int>(reihen.size()))) {
        Garantiepruefung e;
        e.Systemzahlen = v;
        e.Reihen = static_cast<int>(reihen.size());
        for (std::size_t i = 0; i < 9; ++i) e.Werte[i].G = Garantien[i];
        return e;
    }
    std::vector<std::uint64_t> masken;
    masken.reserve(reihen.size());
    for (const Reihe& r : reihen) {
        std::uint64_t m = 0;
        for (int z : r)
            if (Zahlenmenge::gueltig(z) && index[static_cast<std::size_t>(z)] >= 0)
                m |= std::uint64_t{1} << index[static_cast<std::size_t>(z)];
        masken.push_back(m);
    }
    Garantiepruefung e = Garantie_pruefen_Masken(masken, v);
    for (auto& w : e.Werte)
        for (auto& loch : w.Beispiele)
            for (int& z : loch) z = zahl_von[static_cast<std::size_t>(z)];
    return e;
}

std::uint64_t Loecher_zaehlen(std::span<const std::uint64_t> reihen, int v, const Garantie& g) {
    const int i = Garantie_Index(g);
    return i < 0 ? 0 : Garantie_pruefen_Masken(reihen, v).Werte[static_cast<std::size_t>(i)].Loecher;
}

} // namespace pyra::system
