#include "system/garantie_bahnen.h"

#include "system/bits.h"
#include "system/garantie_suche.h"
#include "system/zufall.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cstddef>
#include <limits>
#include <utility>

namespace pyra::system {

namespace {

using intern::binom;
using Uhr = std::chrono::steady_clock;

constexpr int Max_Punkte = 30;

std::size_t z(int i) {
    return static_cast<std::size_t>(i);
}

// Position of a set of r points among all r-sets in ascending order of their bit sets.
std::size_t rang(std::uint64_t m) {
    std::size_t r = 0;
    for (int i = 1; m != 0; m &= m - 1, ++i) r += binom(std::countr_zero(m), i);
    return r;
}

// The next larger bit set with as many bits.
std::uint64_t naechste_menge(std::uint64_t m) {
    const std::uint64_t c = m & (0 - m);
    const std::uint64_t r = m + c;
    return (((r ^ m) >> 2) / c) | r;
}

std::uint64_t bild(const std::vector<int>& g, std::uint64_t m) {
    std::uint64_t r = 0;
    for (; m != 0; m &= m - 1) r |= std::uint64_t{1} << g[z(std::countr_zero(m))];
    return r;
}

// The orbits of the r-sets of n points: for every r-set (by its position) the orbit it lies in,
// and per orbit one member and the size.
struct Bahnen {
    std::vector<std::int32_t> bahn;
    std::vector<std::uint64_t> vertreter;
    std::vector<std::int32_t> groesse;
};

Bahnen bahnen_bilden(int n, int r, const std::vector<std::vector<int>>& erzeuger) {
    Bahnen b;
    const std::size_t anzahl = binom(n, r);
    b.bahn.assign(anzahl, -1);
    std::vector<std::uint64_t> stapel;
    std::uint64_t m = (std::uint64_t{1} << r) - 1;
    for (std::size_t i = 0; i < anzahl; ++i, m = naechste_menge(m)) {
        if (b.bahn[i] >= 0) continue;
        const auto id = static_cast<std::int32_t>(b.vertreter.size());
        b.vertreter.push_back(m);
        b.bahn[i] = id;
        std::int32_t groesse = 1;
        stapel.assign(1, m);
        while (!stapel.empty()) {
            const std::uint64_t x = stapel.back();
            stapel.pop_back();
            for (const auto& g : erzeuger) {
                const std::uint64_t y = bild(g, x);
                std::int32_t& ziel = b.bahn[rang(y)];
                if (ziel < 0) {
                    ziel = id;
                    ++groesse;
                    stapel.push_back(y);
                }
            }
        }
        b.groesse.push_back(groesse);
    }
    return b;
}

// Calls f for every r-subset of the set m.
template <class F> void teilmengen(std::uint64_t m, int r, F&& f) {
    if (r == 0) {
        f(std::uint64_t{0});
        return;
    }
    std::array<int, 64> a{};
    int anzahl = 0;
    for (; m != 0; m &= m - 1) a[z(anzahl++)] = std::countr_zero(m);
    if (r > anzahl) return;
    for (std::uint64_t s = (std::uint64_t{1} << r) - 1; s < (std::uint64_t{1} << anzahl);
         s = naechste_menge(s)) {
        std::uint64_t t = 0;
        for (std::uint64_t u = s; u != 0; u &= u - 1) t |= std::uint64_t{1} << a[z(std::countr_zero(u))];
        f(t);
    }
}

bool gueltig(const Bahnenauftrag& a) {
    if (a.n < 1 || a.n > Max_Punkte || !Garantie_gueltig(a.G) || a.k < a.G.t || a.k > 6 || a.k >= a.n ||
        a.G.p > a.n || a.Max_Bloecke < 1 || (a.Sekunden <= 0 && a.Max_Schritte == 0))
        return false;
    for (const auto& g : a.Erzeuger) {
        if (static_cast<int>(g.size()) != a.n) return false;
        std::vector<bool> gesehen(z(a.n));
        for (int x : g) {
            if (x < 0 || x >= a.n || gesehen[z(x)]) return false;
            gesehen[z(x)] = true;
        }
    }
    return true;
}

// The local search over the block orbits; see the header.
class Bahnensuche {
  public:
    Bahnensuche(const Bahnen& auswahl, const Bahnen& bloecke, std::vector<std::vector<std::int32_t>> deckt)
        : auswahl_(auswahl), bloecke_(bloecke), deckt_(std::move(deckt)) {
        const std::size_t ne = auswahl_.vertreter.size(), ns = bloecke_.vertreter.size();
        gedeckt_von_.resize(ne);
        for (std::size_t s = 0; s < ns; ++s)
            for (std::int32_t e : deckt_[s]) gedeckt_von_[z(e)].push_back(static_cast<std::int32_t>(s));
        anzahl_.assign(ne, 0);
        summe_.assign(ne, 0);
        gewicht_.assign(ne, 1);
        wert_.assign(ns, 0);
        drin_.assign(ns, 0);
        frei_.assign(ns, 1);
        alter_.assign(ns, 0);
        pos_.assign(ns, -1);
        offen_pos_.assign(ne, -1);
        for (std::size_t e = 0; e < ne; ++e) {
            oeffnen(static_cast<std::int32_t>(e));
            for (std::int32_t s : gedeckt_von_[e]) wert_[z(s)] += 1;
        }
    }

    std::uint64_t loecher() const { return loecher_; }
    int kosten() const { return kosten_; }
    bool vollstaendig() const { return offen_.empty(); }
    const std::vector<std::int32_t>& auswahl() const { return gewaehlt_; }

    // Greedy: the orbit that closes the most choices per row, until every choice is covered.
    void gierig() {
        while (!offen_.empty()) {
            std::int32_t beste = -1;
            double bester = 0;
            for (std::size_t s = 0; s < drin_.size(); ++s) {
                if (drin_[s] || deckt_[s].empty()) continue;
                const double w = verhaeltnis(static_cast<std::int32_t>(s));
                if (beste < 0 || w > bester) {
                    beste = static_cast<std::int32_t>(s);
                    bester = w;
                }
            }
            if (beste < 0) return;
            hinzufuegen(beste);
        }
    }

    // Takes out the chosen orbit that opens the fewest weighted choices per row (the oldest on a
    // tie), other than `ausser` unless it is the only one.
    void entfernen(std::int32_t ausser) {
        std::int32_t beste = -1;
        for (std::int32_t s : gewaehlt_)
            if (s != ausser && besser(s, beste)) beste = s;
        if (beste < 0 && !gewaehlt_.empty()) beste = gewaehlt_.front(); // only `ausser` is left
        if (beste >= 0) herausnehmen(beste);
    }

    // One step at the bound: out the cheapest, in the best that covers a random open choice, raise
    // the weights of the open choices; while the bound is exceeded (orbits differ in size), out
    // again.
    void schritt(int grenze, Zufallsgenerator& zufall, std::uint64_t nummer) {
        schritt_ = nummer;
        entfernen(zuletzt_);
        const std::int32_t e = offen_[z(zufall.unter(static_cast<int>(offen_.size())))];
        std::int32_t beste = -1;
        for (std::int32_t s : gedeckt_von_[z(e)])
            if (!drin_[z(s)] && frei_[z(s)] && besser(s, beste)) beste = s;
        if (beste < 0)
            for (std::int32_t s : gedeckt_von_[z(e)])
                if (!drin_[z(s)] && besser(s, beste)) beste = s;
        hinzufuegen(beste);
        zuletzt_ = beste;
        for (std::int32_t u : offen_) {
            gewicht_[z(u)] += 1;
            for (std::int32_t s : gedeckt_von_[z(u)]) wert_[z(s)] += 1;
        }
        while (kosten_ > grenze) entfernen(beste);
    }

  private:
    double verhaeltnis(std::int32_t s) const {
        return static_cast<double>(wert_[z(s)]) / bloecke_.groesse[z(s)];
    }

    bool besser(std::int32_t s, std::int32_t beste) const {
        if (beste < 0) return true;
        const double a = verhaeltnis(s), b = verhaeltnis(beste);
        return a > b || (a == b && alter_[z(s)] < alter_[z(beste)]);
    }

    void oeffnen(std::int32_t e) {
        offen_pos_[z(e)] = static_cast<std::int32_t>(offen_.size());
        offen_.push_back(e);
        loecher_ += static_cast<std::uint64_t>(auswahl_.groesse[z(e)]);
    }

    void schliessen(std::int32_t e) {
        const std::int32_t p = offen_pos_[z(e)], letzte = offen_.back();
        offen_[z(p)] = letzte;
        offen_pos_[z(letzte)] = p;
        offen_.pop_back();
        offen_pos_[z(e)] = -1;
        loecher_ -= static_cast<std::uint64_t>(auswahl_.groesse[z(e)]);
    }

    // wert_ of an orbit not chosen: the weight of the open choices it covers; of a chosen one:
    // minus the weight of the choices that only it covers.
    void hinzufuegen(std::int32_t s) {
        drin_[z(s)] = 1;
        pos_[z(s)] = static_cast<std::int32_t>(gewaehlt_.size());
        gewaehlt_.push_back(s);
        kosten_ += bloecke_.groesse[z(s)];
        alter_[z(s)] = schritt_;
        wert_[z(s)] = 0;
        for (std::int32_t e : deckt_[z(s)]) {
            const std::int32_t c = ++anzahl_[z(e)];
            if (c == 1) {
                schliessen(e);
                for (std::int32_t x : gedeckt_von_[z(e)]) {
                    wert_[z(x)] -= gewicht_[z(e)];
                    frei_[z(x)] = 1;
                }
            } else if (c == 2) {
                wert_[z(summe_[z(e)])] += gewicht_[z(e)]; // the one that covered it alone
            }
            summe_[z(e)] += s;
        }
    }

    void herausnehmen(std::int32_t s) {
        drin_[z(s)] = 0;
        const std::int32_t p = pos_[z(s)], letzte = gewaehlt_.back();
        gewaehlt_[z(p)] = letzte;
        pos_[z(letzte)] = p;
        gewaehlt_.pop_back();
        pos_[z(s)] = -1;
        kosten_ -= bloecke_.groesse[z(s)];
        alter_[z(s)] = schritt_;
        wert_[z(s)] = 0;
        for (std::int32_t e : deckt_[z(s)]) {
            const std::int32_t c = --anzahl_[z(e)];
            summe_[z(e)] -= s;
            if (c == 0) {
                oeffnen(e);
                for (std::int32_t x : gedeckt_von_[z(e)]) {
                    wert_[z(x)] += gewicht_[z(e)];
                    frei_[z(x)] = 1;
                }
            } else if (c == 1) {
                wert_[z(summe_[z(e)])] -= gewicht_[z(e)]; // the one that covers it alone now
            }
        }
        frei_[z(s)] = 0;
    }

    const Bahnen& auswahl_;
    const Bahnen& bloecke_;
    std::vector<std::vector<std::int32_t>> deckt_;       // per block orbit: the choice orbits it covers
    std::vector<std::vector<std::int32_t>> gedeckt_von_; // per choice orbit: the block orbits covering it
    std::vector<std::int32_t> anzahl_;                   // per choice orbit: chosen orbits covering it
    std::vector<std::int64_t> summe_;                    // and the sum of their numbers
    std::vector<std::int64_t> gewicht_;
    std::vector<std::int64_t> wert_;
    std::vector<char> drin_;
    std::vector<char> frei_; // may go back in: a choice it covers changed since it was taken out
    std::vector<std::uint64_t> alter_;
    std::vector<std::int32_t> pos_;
    std::vector<std::int32_t> gewaehlt_;
    std::vector<std::int32_t> offen_;
    std::vector<std::int32_t> offen_pos_;
    std::uint64_t loecher_ = 0;
    int kosten_ = 0;
    std::uint64_t schritt_ = 0;
    std::int32_t zuletzt_ = -1;
};

} // namespace

Bahnenergebnis Bahnen_suchen(const Bahnenauftrag& a) {
    Bahnenergebnis ergebnis;
    if (!gueltig(a)) return ergebnis;
    ergebnis.Gueltig = true;
    const Bahnen auswahl = bahnen_bilden(a.n, a.G.p, a.Erzeuger);
    const Bahnen bloecke = a.k == a.G.p ? auswahl : bahnen_bilden(a.n, a.k, a.Erzeuger);
    ergebnis.Auswahlbahnen = static_cast<int>(auswahl.vertreter.size());
    ergebnis.Blockbahnen = static_cast<int>(bloecke.vertreter.size());

    // Which choice orbits each block orbit covers: the choices with i >= t points in its first
    // block and p - i outside.
    const std::uint64_t alle = (std::uint64_t{1} << a.n) - 1;
    std::vector<std::vector<std::int32_t>> deckt(bloecke.vertreter.size());
    std::vector<std::size_t> stempel(auswahl.vertreter.size(), std::numeric_limits<std::size_t>::max());
    for (std::size_t s = 0; s < bloecke.vertreter.size(); ++s) {
        const std::uint64_t b = bloecke.vertreter[s];
        for (int i = a.G.t; i <= std::min(a.k, a.G.p); ++i)
            teilmengen(b, i, [&](std::uint64_t innen) {
                teilmengen(alle & ~b, a.G.p - i, [&](std::uint64_t aussen) {
                    const std::int32_t e = auswahl.bahn[rang(innen | aussen)];
                    if (stempel[z(e)] != s) {
                        stempel[z(e)] = s;
                        deckt[s].push_back(e);
                    }
                });
            });
    }

    Bahnensuche suche(auswahl, bloecke, std::move(deckt));
    suche.gierig();
    while (suche.kosten() > a.Max_Bloecke) suche.entfernen(-1);

    const auto frist = Uhr::now() + std::chrono::duration_cast<Uhr::duration>(
                                        std::chrono::duration<double>(a.Sekunden > 0 ? a.Sekunden : 0));
    Zufallsgenerator zufall(a.Startwert);
    std::vector<std::int32_t> beste = suche.auswahl();
    bool vollstaendig = suche.vollstaendig();
    std::uint64_t loecher = suche.loecher();
    int grenze = a.Max_Bloecke;
    const int untergrenze = Untergrenze(a.n, a.k, a.G);
    for (std::uint64_t schritt = 1;; ++schritt) {
        if (suche.vollstaendig()) {
            beste = suche.auswahl();
            vollstaendig = true;
            loecher = 0;
            grenze = suche.kosten() - 1;
            if (grenze < untergrenze) break;
            while (suche.kosten() > grenze) suche.entfernen(-1);
            continue;
        }
        if (!vollstaendig && suche.loecher() < loecher) {
            beste = suche.auswahl();
            loecher = suche.loecher();
        }
        if (a.Max_Schritte > 0 && schritt > a.Max_Schritte) break;
        if (a.Sekunden > 0 && (schritt & 255) == 0 && Uhr::now() >= frist) break;
        suche.schritt(grenze, zufall, schritt);
        ergebnis.Schritte = schritt;
    }

    // The blocks: every orbit chosen, in full.
    for (std::int32_t s : beste) {
        const std::uint64_t v = bloecke.vertreter[z(s)];
        std::vector<std::uint64_t> stapel{v};
        const std::size_t anfang = ergebnis.Bloecke.size();
        ergebnis.Bloecke.push_back(v);
        while (!stapel.empty()) {
            const std::uint64_t x = stapel.back();
            stapel.pop_back();
            for (const auto& g : a.Erzeuger) {
                const std::uint64_t y = bild(g, x);
                if (std::find(ergebnis.Bloecke.begin() + static_cast<std::ptrdiff_t>(anfang),
                              ergebnis.Bloecke.end(), y) == ergebnis.Bloecke.end()) {
                    ergebnis.Bloecke.push_back(y);
                    stapel.push_back(y);
                }
            }
        }
    }
    std::sort(ergebnis.Bloecke.begin(), ergebnis.Bloecke.end());
    ergebnis.Vollstaendig = vollstaendig;
    ergebnis.Loecher = loecher;
    return ergebnis;
}

} // namespace pyra::system
