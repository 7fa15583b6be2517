#include "system/garantiesystem.h"

#include "system/bits.h"

#include <algorithm>
#include <bit>
#include <map>
#include <sstream>

namespace pyra::system {

using intern::binom;

namespace {

struct Zahlen {
    std::vector<int> frei; // system numbers up to N that are not bank numbers, ascending
    std::vector<int> bank; // valid bank numbers in the order given, each once
    int v = 0;
};

Zahlen zahlen_bestimmen(const Garantieeingabe& e) {
    Zahlen z;
    const int n = Zahlen_bis_begrenzt(e.Zahlen_bis);
    for (int b : e.Bankzahlen)
        if (b >= 1 && b <= n && e.Systemzahlen[static_cast<std::size_t>(b)] &&
            std::find(z.bank.begin(), z.bank.end(), b) == z.bank.end())
            z.bank.push_back(b);
    for (int i = 1; i <= n; ++i)
        if (e.Systemzahlen[static_cast<std::size_t>(i)]) {
            ++z.v;
            if (std::find(z.bank.begin(), z.bank.end(), i) == z.bank.end()) z.frei.push_back(i);
        }
    return z;
}

Reihe reihe_aus(std::uint64_t maske, const Zahlen& z) {
    Reihe r{};
    std::size_t p = 0;
    for (int b : z.bank) r[p++] = b;
    for (; maske != 0 && p < 6; maske &= maske - 1)
        r[p++] = z.frei[static_cast<std::size_t>(std::countr_zero(maske))];
    std::sort(r.begin(), r.end());
    return r;
}

using Tabelle = std::map<std::array<int, 3>, std::vector<std::uint64_t>>;

const Tabelle& tabelle() {
    static const Tabelle t = [] {
        Tabelle gelesen;
        std::istringstream ein(Garantietabelle_Text());
        std::string zeile;
        while (std::getline(ein, zeile)) {
            int v = 0;
            Garantie g;
            std::vector<std::uint64_t> reihen;
            if (Tabellenzeile_lesen(zeile, v, g, reihen)) gelesen[{v, g.t, g.p}] = std::move(reihen);
        }
        return gelesen;
    }();
    return t;
}

} // namespace

bool Tabellenzeile_lesen(const std::string& zeile, int& v, Garantie& g, std::vector<std::uint64_t>& reihen) {
    std::istringstream s(zeile);
    int m = 0;
    if (!(s >> v >> g.t >> g.p >> m) || v < 7 || v > 26 || !Garantie_gueltig(g) || m < 1 || m > Max_Reihen)
        return false;
    reihen.clear();
    std::string r;
    while (s >> r) {
        if (r.size() != 6) return false;
        std::uint64_t maske = 0;
        for (char c : r) {
            const int i = c - 'A';
            if (i < 0 || i >= v) return false;
            maske |= std::uint64_t{1} << i;
        }
        if (std::popcount(maske) != 6) return false;
        reihen.push_back(maske);
    }
    return static_cast<int>(reihen.size()) == m;
}

std::string Tabellenzeile_schreiben(int v, const Garantie& g, const std::vector<std::uint64_t>& reihen) {
    std::string s = std::to_string(v) + " " + std::to_string(g.t) + " " + std::to_string(g.p) + " " +
                    std::to_string(reihen.size());
    for (std::uint64_t m : reihen) {
        s += ' ';
        for (; m != 0; m &= m - 1) s += static_cast<char>('A' + std::countr_zero(m));
    }
    return s;
}

std::vector<std::uint64_t> Tabellensystem(int v, const Garantie& g) {
    const auto& t = tabelle();
    const auto it = t.find({v, g.t, g.p});
    return it == t.end() ? std::vector<std::uint64_t>{} : it->second;
}

Garantiefehler Garantie_pruefen_Eingabe(const Garantieeingabe& e) {
    const Zahlen z = zahlen_bestimmen(e);
    if (z.v < Mindestzahl_Garantie) return Garantiefehler::Zu_wenige_Systemzahlen;
    if (!Garantie_gueltig(e.G)) return Garantiefehler::Garantie_ungueltig;
    const int k = 6 - static_cast<int>(z.bank.size());
    if (e.G.t > k) return Garantiefehler::Zu_viele_Bankzahlen;
    const int n = static_cast<int>(z.frei.size());
    if (n < e.G.p) return Garantiefehler::Zu_wenige_freie;
    if (!Suche_moeglich(n, k, e.G)) return Garantiefehler::Zu_gross;
    return Garantiefehler::Keiner;
}

Garantiesystem Garantiesystem_suchen(const Garantieeingabe& e) {
    Garantiesystem s;
    const Zahlen z = zahlen_bestimmen(e);
    s.Systemzahlen = z.v;
    s.Bankzahlen = static_cast<int>(z.bank.size());
    s.Fehler = Garantie_pruefen_Eingabe(e);
    if (s.Fehler != Garantiefehler::Keiner) return s;

    const int n = static_cast<int>(z.frei.size());
    Suchauftrag a;
    a.n = n;
    a.k = 6 - s.Bankzahlen;
    a.G = e.G;
    if (e.Filter) a.Erlaubt = [&](std::uint64_t m) { return e.Filter(reihe_aus(m, z)); };
    a.Sekunden = e.Sekunden;
    a.Startwert = e.Startwert;
    a.Threads = e.Threads;
    a.Max_Schritte = e.Max_Schritte;
    a.Stopp = e.Stopp;
    a.Stand = e.Stand;
    if (e.Tabelle && s.Bankzahlen == 0 && !e.Filter) {
        a.Start = Tabellensystem(n, e.G);
        s.Aus_Tabelle = !a.Start.empty();
        // The table's systems come from long runs: a short look for a smaller one is enough.
        if (s.Aus_Tabelle) a.Stillstand = 2;
    }
    const Suchergebnis r = Deckung_suchen(a);
    s.Ende = r.Ende;
    if (r.Bloecke.empty()) {
        s.Fehler = Garantiefehler::Keine_Reihe_erlaubt;
        return s;
    }
    s.Vollstaendig = r.Vollstaendig;
    s.Loecher = r.Loecher;
    s.Auswahlen = binom(n, e.G.p);
    s.Abdeckung = s.Auswahlen == 0 ? 100.0
                                   : 100.0 * static_cast<double>(s.Auswahlen - s.Loecher) /
                                         static_cast<double>(s.Auswahlen);
    for (std::uint64_t m : r.Bloecke) s.Reihen.push_back(reihe_aus(m, z));
    std::sort(s.Reihen.begin(), s.Reihen.end());
    return s;
}

} // namespace pyra::system
