// Computes the shipped table of guaranteed systems (data/garantiesysteme.txt) with a long budget
// per entry, and measures what the reduction needs for the same guarantees.
//
//   garantie_tabelle --datei data/garantiesysteme.txt [--sekunden S] [--von V] [--bis V]
//                    [--garantie T/P] [--seed N] [--stillstand K] [--symmetrie M,F]
//                    [--temperatur T]
//       For v = von..bis and every guarantee (or only T/P): searches from the entry already in
//       the file (if any) and writes the file again whenever a smaller complete system is found.
//       --symmetrie searches systems that a permutation with cycles of length M on all but F of
//       the points leaves unchanged; --temperatur sets the annealing's temperature instead of
//       estimating it from the start system. Prints one line per entry: v, t, p, rows, seconds.
//   garantie_tabelle --datei data/garantiesysteme.txt --bahnen M,F --reihen R [--sekunden S]
//                    [--von V] [--bis V] [--garantie T/P] [--seed N]
//       The same with the search over the orbits of that permutation (system/garantie_bahnen.h),
//       at most R rows (default: one fewer than the entry in the file).
//   garantie_tabelle --kuerzung [--von V] [--bis V]
//       For v = von..bis (at least 9): the reduction's rows on the numbers 1..v (thresholds -1,
//       default filters, seed 1, 750 rows wanted) and, per guarantee, how many of them, taken in
//       order, are needed until the guarantee holds (exact check).

#include "geschichte.h"
#include "system/garantie.h"
#include "system/garantie_bahnen.h"
#include "system/garantie_suche.h"
#include "system/garantiesystem.h"
#include "system/kuerzung.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace pyra::system;

namespace {

struct Datei {
    std::vector<std::string> kopf; // comment lines, kept as they are
    std::map<std::array<int, 3>, std::vector<std::uint64_t>> eintraege;
};

Datei lesen(const std::string& pfad) {
    Datei d;
    std::ifstream ein(pfad);
    std::string zeile;
    while (std::getline(ein, zeile)) {
        int v = 0;
        Garantie g;
        std::vector<std::uint64_t> r;
        if (Tabellenzeile_lesen(zeile, v, g, r))
            d.eintraege[{v, g.t, g.p}] = r;
        else if (!zeile.empty() && zeile[0] == '#')
            d.kopf.push_back(zeile);
    }
    return d;
}

void schreiben(const std::string& pfad, const Datei& d) {
    const std::string neu = pfad + ".neu";
    {
        std::ofstream aus(neu);
        for (const auto& k : d.kopf) aus << k << '\n';
        for (const auto& [s, r] : d.eintraege) aus << Tabellenzeile_schreiben(s[0], {s[1], s[2]}, r) << '\n';
    }
    std::filesystem::rename(neu, pfad);
}

std::vector<int> symmetrie(int n, const std::string& text) {
    if (text.empty()) return {};
    int m = 1, f = 0;
    if (std::sscanf(text.c_str(), "%d,%d", &m, &f) != 2 || m < 2 || f < 0 || f > n) return {};
    std::vector<int> s(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) s[static_cast<std::size_t>(i)] = i;
    const int zyklen = (n - f) / m;
    for (int c = 0; c < zyklen; ++c)
        for (int i = 0; i < m; ++i) s[static_cast<std::size_t>(c * m + i)] = c * m + (i + 1) % m;
    return s;
}

int tabelle(const std::map<std::string, std::string>& o) {
    const std::string pfad = o.at("datei");
    const double sekunden = o.count("sekunden") ? std::atof(o.at("sekunden").c_str()) : 120;
    const int von = o.count("von") ? std::atoi(o.at("von").c_str()) : 7;
    const int bis = o.count("bis") ? std::atoi(o.at("bis").c_str()) : 20;
    const int stillstand = o.count("stillstand") ? std::atoi(o.at("stillstand").c_str()) : 30;
    const std::uint64_t seed = o.count("seed") ? std::strtoull(o.at("seed").c_str(), nullptr, 10) : 1;
    const std::string nur = o.count("garantie") ? o.at("garantie") : "";
    const std::string sym = o.count("symmetrie") ? o.at("symmetrie") : "";
    const double temperatur = o.count("temperatur") ? std::atof(o.at("temperatur").c_str()) : 0;
    Datei d = lesen(pfad);
    for (int v = von; v <= bis; ++v)
        for (const Garantie& g : Garantien) {
            if (!nur.empty() && nur != std::to_string(g.t) + "/" + std::to_string(g.p)) continue;
            const std::array<int, 3> schluessel{v, g.t, g.p};
            const auto alt = d.eintraege.find(schluessel);
            const int untergrenze = Untergrenze(v, 6, g);
            if (untergrenze > Max_Reihen) {
                std::printf("%d %d/%d -: mindestens %d Reihen\n", v, g.t, g.p, untergrenze);
                continue;
            }
            if (alt != d.eintraege.end() && static_cast<int>(alt->second.size()) <= untergrenze) {
                std::printf("%d %d/%d %zu (Untergrenze)\n", v, g.t, g.p, alt->second.size());
                continue;
            }
            const std::size_t bisher = alt == d.eintraege.end() ? 0 : alt->second.size();
            const auto start = std::chrono::steady_clock::now();
            Suchergebnis e;
            if (o.count("bahnen")) {
                Bahnenauftrag b;
                b.n = v;
                b.G = g;
                const std::vector<int> erzeuger = symmetrie(v, o.at("bahnen"));
                if (!erzeuger.empty()) b.Erzeuger.push_back(erzeuger);
                b.Max_Bloecke = o.count("reihen") ? std::atoi(o.at("reihen").c_str())
                                : bisher > 0      ? static_cast<int>(bisher) - 1
                                                  : Max_Reihen;
                b.Sekunden = sekunden;
                b.Startwert = seed;
                const Bahnenergebnis r = Bahnen_suchen(b);
                if (!r.Gueltig) {
                    std::printf("%d %d/%d -: Suche ueber Bahnen nicht moeglich (Reihen %d)\n", v, g.t, g.p,
                                b.Max_Bloecke);
                    continue;
                }
                e.Bloecke = r.Bloecke;
                e.Vollstaendig = r.Vollstaendig;
                e.Loecher = r.Loecher;
            } else {
                Suchauftrag a;
                a.n = v;
                a.k = 6;
                a.G = g;
                a.Symmetrie = symmetrie(v, sym);
                if (alt != d.eintraege.end() && a.Symmetrie.empty()) a.Start = alt->second;
                a.Sekunden = sekunden;
                a.Startwert = seed;
                a.Threads = 1;
                a.Stillstand = stillstand;
                a.Temperatur = temperatur;
                e = Deckung_suchen(a);
            }
            const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const bool gut = e.Vollstaendig && Loecher_zaehlen(e.Bloecke, v, g) == 0;
            if (gut && (bisher == 0 || e.Bloecke.size() < bisher)) {
                d.eintraege[schluessel] = e.Bloecke;
                schreiben(pfad, d);
            }
            if (gut)
                std::printf("%d %d/%d %zu %.1f s%s\n", v, g.t, g.p, e.Bloecke.size(), s,
                            bisher != 0 && e.Bloecke.size() >= bisher ? " (keine Verbesserung)" : "");
            else
                std::printf("%d %d/%d -: nicht in %zu Reihen (%llu Loecher) %.1f s\n", v, g.t, g.p,
                            e.Bloecke.size(), static_cast<unsigned long long>(e.Loecher), s);
            std::fflush(stdout);
        }
    return 0;
}

int kuerzung(const std::map<std::string, std::string>& o) {
    const int von = std::max(9, o.count("von") ? std::atoi(o.at("von").c_str()) : 9);
    const int bis = o.count("bis") ? std::atoi(o.at("bis").c_str()) : 20;
    for (int v = von; v <= bis; ++v) {
        Kuerzungseingabe e;
        for (int z = 1; z <= v; ++z) e.Systemzahlen[static_cast<std::size_t>(z)] = true;
        e.Reihenberechnung = Max_Reihen;
        e.Schwellen = {-1, -1, -1};
        e.Grundlage = bench::geteilte_grundlage();
        Zufallsgenerator z(1);
        const Kuerzungsergebnis r = Reihenkuerzung(e, z);
        std::vector<std::uint64_t> masken;
        for (const Reihe& reihe : r.Reihen) {
            std::uint64_t m = 0;
            for (int x : reihe)
                if (x >= 1) m |= std::uint64_t{1} << (x - 1);
            masken.push_back(m);
        }
        std::printf("%d (%zu Reihen):", v, masken.size());
        for (const Garantie& g : Garantien) {
            // Holes never grow with more rows: the smallest prefix without holes by bisection.
            const auto loecher = [&](std::size_t m) {
                return Loecher_zaehlen(std::span<const std::uint64_t>(masken).first(m), v, g);
            };
            if (masken.empty() || loecher(masken.size()) > 0) {
                std::printf(" %d/%d -", g.t, g.p);
                continue;
            }
            std::size_t unten = 0, oben = masken.size();
            while (unten + 1 < oben) {
                const std::size_t mitte = (unten + oben) / 2;
                (loecher(mitte) == 0 ? oben : unten) = mitte;
            }
            std::printf(" %d/%d %zu", g.t, g.p, oben);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a.rfind("--", 0) != 0) {
            std::cerr << "unbekanntes Argument: " << a << '\n';
            return 2;
        }
        a = a.substr(2);
        if (a == "kuerzung")
            o[a] = "1";
        else if (i + 1 < argc)
            o[a] = argv[++i];
        else {
            std::cerr << "Wert fehlt: --" << a << '\n';
            return 2;
        }
    }
    if (o.count("kuerzung")) return kuerzung(o);
    if (!o.count("datei")) {
        std::cerr
            << "garantie_tabelle --datei DATEI [--sekunden S] [--von V] [--bis V] [--garantie T/P] "
               "[--seed N] [--stillstand K] [--symmetrie M,F] [--temperatur T] [--bahnen M,F --reihen R]\n"
               "garantie_tabelle --kuerzung [--von V] [--bis V]\n";
        return 2;
    }
    return tabelle(o);
}
