// The fast search pass. It makes exactly the decisions of the plain method, candidate for
// candidate, but at a fraction of the cost:
//
// - A candidate is drawn as indices into the pool of free system numbers (system numbers up to N
//   that are not bank numbers, ascending): the ranks of all open positions are drawn first and
//   then turned into indices at once. Picking the j-th smallest free index is picking the j-th
//   smallest fitting number, so the rows follow the same random stream.
// - While the space of possible candidates is small enough, every candidate has a slot in a
//   table (indexed by the rank of its index set): its filter and statistics verdict are worked out
//   once per run, and its overlap score is brought up to date only with the rows stored since the
//   candidate was last seen (each new row replaces an empty slot of weight 1).
// - Otherwise the overlap score comes from per-number bit sets over the stored rows, added up
//   bit-sliced, so a candidate costs a few operations per 64 stored rows.

#include "system/bits.h"
#include "system/kuerzung_intern.h"

#include <bit>
#include <vector>

namespace pyra::system {

namespace {

using intern::Binomial;
using intern::bits_zaehlen;

// Largest candidate space that gets a table (16 bytes an entry). Measured: the table wins up to
// about 23 free system numbers (C(23,6) = 100,947 candidates); beyond, its entries are visited so
// rarely that cache misses and long catch-ups cost more than scoring from the bit sets.
constexpr std::uint64_t Tabellengrenze = std::uint64_t{1} << 17;
constexpr int Worte = (Max_Reihen + 63) / 64;

enum class Zustand : std::uint8_t { Unbekannt, Gueltig, Verworfen };

struct Eintrag {
    std::int64_t ueberdeckung = Max_Reihen; // all slots empty, weight 1 each
    std::int32_t statistik = 0;
    std::uint16_t angewandt = 0; // stored rows already in `ueberdeckung`
    Zustand zustand = Zustand::Unbekannt;
};

constexpr std::array<std::int64_t, 7> zuwachs() {
    std::array<std::int64_t, 7> z{};
    for (std::size_t v = 0; v < 7; ++v) z[v] = Ueberdeckungsgewicht[v] - 1;
    return z;
}
constexpr std::array<std::int64_t, 7> Zuwachs = zuwachs();

Reihe reihe_aus(std::uint64_t maske) {
    Reihe r{};
    for (std::size_t p = 0; p < 6 && maske != 0; ++p) {
        r[p] = std::countr_zero(maske);
        maske &= maske - 1;
    }
    return r;
}

std::uint64_t maske_aus(const Reihe& r) {
    std::uint64_t m = 0;
    for (int z : r)
        if (Zahlenmenge::gueltig(z)) m |= std::uint64_t{1} << z;
    return m;
}

// The six sets of rows holding the candidate's numbers, added bit-sliced, give for every stored
// row how many numbers it shares with the candidate. Built twice, with and without the popcount
// instruction; the loader picks the one the processor supports.
__attribute__((target_clones("popcnt", "default"))) std::int64_t
ueberdeckung_aus_bitsets(const std::uint64_t* a, const std::uint64_t* b, const std::uint64_t* c,
                         const std::uint64_t* d, const std::uint64_t* e, const std::uint64_t* f, int worte) {
    std::array<std::int64_t, 7> h{};
    for (int w = 0; w < worte; ++w) {
        const intern::Zaehlebenen z = intern::sechs_addieren(a[w], b[w], c[w], d[w], e[w], f[w]);
        h[1] += std::popcount(z.eins & ~z.zwei & ~z.vier);
        h[2] += std::popcount(~z.eins & z.zwei & ~z.vier);
        h[3] += std::popcount(z.eins & z.zwei & ~z.vier);
        h[4] += std::popcount(~z.eins & ~z.zwei & z.vier);
        h[5] += std::popcount(z.eins & ~z.zwei & z.vier);
        h[6] += std::popcount(z.zwei & z.vier);
    }
    std::int64_t u = Max_Reihen; // every slot weighs 1 when empty or sharing nothing
    for (std::size_t v = 1; v < 7; ++v) u += h[v] * Zuwachs[v];
    return u;
}

class Schnellsuche final : public intern::Suche {
  public:
    Schnellsuche(const Kuerzungseingabe& e, bool mit_tabelle) : e_(e), filter_(e.Filter) {
        const int n = Zahlen_bis_begrenzt(e.Zahlen_bis);
        for (int b : e.Bankzahlen) {
            if (b < 1 || b > n || !e.Systemzahlen[static_cast<std::size_t>(b)]) continue;
            const std::uint64_t bit = std::uint64_t{1} << b;
            if ((bank_maske_ & bit) != 0) continue;
            bank_maske_ |= bit;
            ++offen_abzug_;
        }
        offen_ = 6 - offen_abzug_;
        for (int z = 1; z <= n; ++z)
            if (e.Systemzahlen[static_cast<std::size_t>(z)] && ((bank_maske_ >> z) & 1u) == 0)
                pool_[static_cast<std::size_t>(pool_groesse_++)] = z;
        zeilen_.reserve(Max_Reihen);
        const std::uint64_t raum =
            pool_groesse_ >= offen_
                ? Binomial.c[static_cast<std::size_t>(pool_groesse_)][static_cast<std::size_t>(offen_)]
                : 0;
        if (mit_tabelle && raum > 0 && raum <= Tabellengrenze) tabelle_.resize(raum);
    }

    Reihe Reihe_suchen(Zufallsgenerator& zufall) override {
        Bester b;
        if (pool_groesse_ < offen_) {
            // Not enough system numbers: positions stay empty and every try fails.
            for (int versuch = 0; versuch < Versuche_je_Durchlauf; ++versuch)
                for (int a = 0; a < pool_groesse_; ++a) zufall.unter(pool_groesse_ - a);
            return Reihe{};
        }
        if (tabelle_.empty()) {
            for (int versuch = 0; versuch < Versuche_je_Durchlauf; ++versuch) {
                const Kandidat k = ziehen(zufall);
                if (!filter_.besteht(k.maske)) continue;
                const Reihe reihe = reihe_aus(k.maske);
                const std::int64_t u = ueberdeckung(reihe);
                if (u > b.bewertung) continue;
                const Statistikwertung w = Statistik_bewerten(reihe, e_.Grundlage, e_.Schwellen);
                if (!w.Verworfen) b.vergleichen(u, w.Punkte, k.maske);
            }
        } else {
            // Drawing consumes all the randomness, so the next candidate is drawn before the current
            // one is judged and its table entry fetched ahead.
            Kandidat naechster = ziehen(zufall);
            for (int versuch = 0; versuch < Versuche_je_Durchlauf; ++versuch) {
                const Kandidat k = naechster;
                if (versuch + 1 < Versuche_je_Durchlauf) {
                    naechster = ziehen(zufall);
                    __builtin_prefetch(&tabelle_[naechster.rang]);
                }
                Eintrag& eintrag = tabelle_[k.rang];
                if (eintrag.zustand == Zustand::Unbekannt) beurteilen(eintrag, k.maske);
                if (eintrag.zustand == Zustand::Verworfen) continue;
                for (; eintrag.angewandt < static_cast<std::uint16_t>(gespeichert_); ++eintrag.angewandt)
                    eintrag.ueberdeckung +=
                        Zuwachs[static_cast<std::size_t>(bits_zaehlen(k.maske & zeilen_[eintrag.angewandt]))];
                b.vergleichen(eintrag.ueberdeckung, eintrag.statistik, k.maske);
            }
        }
        return b.maske == 0 ? Reihe{} : reihe_aus(b.maske);
    }

    void Reihe_aufnehmen(const Reihe& reihe) override {
        const std::uint64_t m = maske_aus(reihe);
        const std::size_t wort = static_cast<std::size_t>(gespeichert_) / 64;
        const std::uint64_t bit = std::uint64_t{1} << (gespeichert_ % 64);
        for (std::uint64_t rest = m; rest != 0; rest &= rest - 1)
            zeilen_mit_[static_cast<std::size_t>(std::countr_zero(rest))][wort] |= bit;
        zeilen_.push_back(m);
        ++gespeichert_;
    }

  private:
    struct Kandidat {
        std::uint64_t maske; // bank numbers and drawn numbers
        std::uint32_t rang;  // table index (rank of the drawn pool indices)
    };

    // Best candidate of the pass: lower overlap wins, on a tie the higher statistics score; an
    // equal candidate never replaces an earlier one.
    struct Bester {
        std::int64_t bewertung = static_cast<std::int64_t>(Ueberdeckung_Start);
        std::int32_t statistik = 0;
        std::uint64_t maske = 0;
        void vergleichen(std::int64_t u, std::int32_t s, std::uint64_t m) {
            if (u < bewertung || (u == bewertung && s > statistik)) {
                bewertung = u;
                statistik = s;
                maske = m;
            }
        }
    };

    Kandidat ziehen(Zufallsgenerator& zufall) const {
        int index[6];
        for (int a = 0; a < offen_; ++a) index[a] = zufall.unter(pool_groesse_ - a);
        intern::raenge_aufloesen(index, offen_);
        std::uint64_t gezogen = 0; // bit i: pool index i
        Kandidat k{bank_maske_, 0};
        for (int a = 0; a < offen_; ++a) {
            gezogen |= std::uint64_t{1} << index[a];
            k.maske |= std::uint64_t{1} << pool_[static_cast<std::size_t>(index[a])];
        }
        // Combinatorial number system: the rank among all sets of that many pool indices.
        for (std::size_t q = 1; gezogen != 0; ++q, gezogen &= gezogen - 1)
            k.rang += Binomial.c[static_cast<std::size_t>(std::countr_zero(gezogen))][q];
        return k;
    }

    void beurteilen(Eintrag& eintrag, std::uint64_t maske) const {
        if (!filter_.besteht(maske)) {
            eintrag.zustand = Zustand::Verworfen;
            return;
        }
        const Reihe k = reihe_aus(maske);
        const Statistikwertung w = Statistik_bewerten(k, e_.Grundlage, e_.Schwellen);
        eintrag.zustand = w.Verworfen ? Zustand::Verworfen : Zustand::Gueltig;
        eintrag.statistik = w.Punkte;
    }

    // Overlap score from the per-number bit sets.
    std::int64_t ueberdeckung(const Reihe& k) const {
        return ueberdeckung_aus_bitsets(zeilen_mit_[static_cast<std::size_t>(k[0])].data(),
                                        zeilen_mit_[static_cast<std::size_t>(k[1])].data(),
                                        zeilen_mit_[static_cast<std::size_t>(k[2])].data(),
                                        zeilen_mit_[static_cast<std::size_t>(k[3])].data(),
                                        zeilen_mit_[static_cast<std::size_t>(k[4])].data(),
                                        zeilen_mit_[static_cast<std::size_t>(k[5])].data(),
                                        (gespeichert_ + 63) / 64);
    }

    const Kuerzungseingabe& e_;
    const Filterpruefung filter_;
    std::uint64_t bank_maske_ = 0;
    int offen_abzug_ = 0;
    int offen_ = 6;
    std::array<int, Hoechste_Zahl> pool_{}; // free system numbers, ascending
    int pool_groesse_ = 0;
    std::vector<Eintrag> tabelle_;
    std::vector<std::uint64_t> zeilen_;                                            // masks of the stored rows
    std::array<std::array<std::uint64_t, Worte>, Hoechste_Zahl + 1> zeilen_mit_{}; // rows holding n
    int gespeichert_ = 0;
};

} // namespace

std::unique_ptr<intern::Suche> intern::schnelle_Suche(const Kuerzungseingabe& eingabe, bool mit_tabelle) {
    return std::make_unique<Schnellsuche>(eingabe, mit_tabelle);
}

} // namespace pyra::system
