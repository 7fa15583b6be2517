#include "system/filter.h"
#include "system/garantie.h"
#include "system/garantie_bahnen.h"
#include "system/garantie_suche.h"
#include "system/garantiesystem.h"
#include "system/zufall.h"

#include "common/systemflags.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

using namespace pyra::system;

namespace {

using pyra::test::flags;

// Every choice of r of the given numbers, ascending, in lexicographic order.
std::vector<std::vector<int>> auswahlen(const std::vector<int>& zahlen, int r) {
    std::vector<std::vector<int>> aus;
    std::vector<int> wahl;
    auto rek = [&](auto&& selbst, std::size_t ab) -> void {
        if (static_cast<int>(wahl.size()) == r) {
            aus.push_back(wahl);
            return;
        }
        for (std::size_t i = ab; i < zahlen.size(); ++i) {
            wahl.push_back(zahlen[i]);
            selbst(selbst, i + 1);
            wahl.pop_back();
        }
    };
    rek(rek, 0);
    return aus;
}

int treffer(const Reihe& r, const std::vector<int>& auswahl) {
    int h = 0;
    for (int z : auswahl) h += std::count(r.begin(), r.end(), z) > 0;
    return h;
}

// The plain way: every choice of p system numbers against every row.
Garantiewert plain(const std::vector<Reihe>& reihen, const std::vector<int>& system, Garantie g) {
    Garantiewert w;
    w.G = g;
    for (const auto& a : auswahlen(system, g.p)) {
        ++w.Auswahlen;
        const bool gedeckt =
            std::any_of(reihen.begin(), reihen.end(), [&](const Reihe& r) { return treffer(r, a) >= g.t; });
        if (!gedeckt) {
            ++w.Loecher;
            if (static_cast<int>(w.Beispiele.size()) < Max_Beispielloecher) w.Beispiele.push_back(a);
        }
    }
    return w;
}

std::vector<int> zahlen_der(const Garantieeingabe& e) {
    std::vector<int> z;
    for (int i = 1; i <= e.Zahlen_bis; ++i)
        if (e.Systemzahlen[static_cast<std::size_t>(i)]) z.push_back(i);
    return z;
}

Garantieeingabe eingabe(const std::vector<int>& zahlen, Garantie g, std::uint64_t seed = 1) {
    Garantieeingabe e;
    e.Systemzahlen = flags(zahlen);
    e.G = g;
    e.Sekunden = 20;
    e.Startwert = seed;
    e.Max_Schritte = 400'000;
    return e;
}

const std::vector<int> Zwoelf{3, 7, 12, 18, 22, 25, 29, 33, 38, 41, 44, 47};

} // namespace

TEST(Garantiepruefung, AgreesWithPlainEnumeration) {
    // Random rows (with an empty number now and then and numbers that are no system numbers)
    // on 8 to 11 system numbers: every count and every example hole as the plain way finds them.
    Zufallsgenerator z(5);
    for (int fall = 0; fall < 12; ++fall) {
        std::vector<int> system;
        const int v = 8 + fall % 4;
        for (int i = 0; i < v; ++i) system.push_back(2 + 3 * i + fall % 2);
        std::vector<Reihe> reihen;
        for (int r = 0; r < 3 + 4 * fall; ++r) {
            Reihe reihe{};
            for (int& x : reihe)
                x = z.unter(4) == 0 ? z.unter(50) : system[static_cast<std::size_t>(z.unter(v))];
            reihen.push_back(reihe);
        }
        const Garantiepruefung e = Garantie_pruefen(reihen, flags(system), 49);
        ASSERT_TRUE(e.Exakt);
        EXPECT_EQ(e.Systemzahlen, v);
        for (std::size_t i = 0; i < 9; ++i) {
            const Garantiewert w = plain(reihen, system, Garantien[i]);
            SCOPED_TRACE("Fall " + std::to_string(fall) + ", " + std::to_string(w.G.t) + "/" +
                         std::to_string(w.G.p));
            EXPECT_EQ(e.Werte[i].G, w.G);
            EXPECT_EQ(e.Werte[i].Auswahlen, w.Auswahlen);
            EXPECT_EQ(e.Werte[i].Loecher, w.Loecher);
            EXPECT_EQ(e.Werte[i].Beispiele, w.Beispiele);
            EXPECT_DOUBLE_EQ(e.Werte[i].Abdeckung, 100.0 * static_cast<double>(w.Auswahlen - w.Loecher) /
                                                       static_cast<double>(w.Auswahlen));
        }
    }
}

TEST(Garantiepruefung, FullSystemOfNineIsCompleteEverywhereAndOneRowIsNot) {
    const std::vector<int> neun{2, 5, 11, 17, 23, 30, 36, 42, 48};
    std::vector<Reihe> voll;
    for (const auto& a : auswahlen(neun, 6)) voll.push_back({a[0], a[1], a[2], a[3], a[4], a[5]});
    ASSERT_EQ(voll.size(), 84u);
    const Garantiepruefung e = Garantie_pruefen(voll, flags(neun), 49);
    ASSERT_TRUE(e.Exakt);
    for (const auto& w : e.Werte) {
        EXPECT_EQ(w.Abdeckung, 100.0);
        EXPECT_EQ(w.Loecher, 0u);
        EXPECT_TRUE(w.Beispiele.empty());
    }
    // One row: 3 of its 6 numbers make up 20 of the 84 choices of three.
    const Garantiepruefung eins = Garantie_pruefen(std::vector<Reihe>{voll.front()}, flags(neun), 49);
    EXPECT_EQ(eins.Werte[0].Loecher, 84u - 20u);
    EXPECT_EQ(eins.Werte[0].Beispiele.size(), static_cast<std::size_t>(Max_Beispielloecher));
}

TEST(Garantiepruefung, EveryRealSystemIsCheckedExactly) {
    EXPECT_TRUE(Garantiepruefung_moeglich(49, 750));
    EXPECT_FALSE(Garantiepruefung_moeglich(50, 1));
}

TEST(Garantiesuche, FoundSystemsAreCompleteAndSmall) {
    // Small cases with a size the search reaches within a million moves.
    struct Fall {
        int v;
        Garantie g;
        std::size_t hoechstens;
    };
    for (const Fall& f : {Fall{9, {3, 3}, 7}, Fall{12, {3, 4}, 7}, Fall{12, {4, 6}, 7}, Fall{8, {5, 5}, 12},
                          Fall{9, {4, 4}, 12}}) {
        Suchauftrag a;
        a.n = f.v;
        a.G = f.g;
        a.Sekunden = 0;
        a.Schritte_je_Epoche = 50'000;
        a.Max_Schritte = 1'000'000;
        const Suchergebnis e = Deckung_suchen(a);
        SCOPED_TRACE(std::to_string(f.v) + ": " + std::to_string(f.g.t) + "/" + std::to_string(f.g.p));
        EXPECT_TRUE(e.Vollstaendig);
        EXPECT_EQ(Loecher_zaehlen(e.Bloecke, f.v, f.g), 0u);
        EXPECT_LE(e.Bloecke.size(), f.hoechstens);
        EXPECT_GE(static_cast<int>(e.Bloecke.size()), Untergrenze(f.v, 6, f.g));
        for (std::uint64_t b : e.Bloecke) EXPECT_EQ(std::popcount(b), 6);
    }
}

TEST(Garantiesuche, SameSeedSameSystemAlsoWithTwoThreads) {
    for (int threads : {1, 2}) {
        Suchauftrag a;
        a.n = 14;
        a.G = {4, 5};
        a.Sekunden = 0;
        a.Threads = threads;
        a.Startwert = 7;
        a.Schritte_je_Epoche = 20'000;
        a.Max_Schritte = 400'000;
        const Suchergebnis x = Deckung_suchen(a);
        const Suchergebnis y = Deckung_suchen(a);
        SCOPED_TRACE(threads);
        EXPECT_EQ(x.Bloecke, y.Bloecke);
        EXPECT_EQ(x.Schritte, y.Schritte);
        a.Startwert = 8;
        EXPECT_TRUE(Deckung_suchen(a).Vollstaendig);
    }
}

namespace {

// Points 0..n-1 in cycles of length m (the rest fixed), as one permutation.
std::vector<int> zyklen(int n, int m, int fest) {
    std::vector<int> s(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) s[static_cast<std::size_t>(i)] = i;
    for (int c = 0; c < (n - fest) / m; ++c)
        for (int i = 0; i < m; ++i) s[static_cast<std::size_t>(c * m + i)] = c * m + (i + 1) % m;
    return s;
}

std::uint64_t abbild(const std::vector<int>& g, std::uint64_t b) {
    std::uint64_t r = 0;
    for (int i = 0; i < 64; ++i)
        if (b >> i & 1) r |= std::uint64_t{1} << g[static_cast<std::size_t>(i)];
    return r;
}

} // namespace

TEST(Garantiebahnen, SystemsOfWholeOrbitsAreCompleteSymmetricAndRepeatable) {
    struct Fall {
        int v;
        Garantie g;
        std::vector<int> erzeuger; // empty: no symmetry
        int hoechstens;
        std::uint64_t schritte;
    };
    // 12 numbers in four cycles of three, 4 if 6: the six pairs of cycles.
    for (const Fall& f :
         {Fall{12, {4, 4}, zyklen(12, 3, 0), 44, 100'000}, Fall{12, {4, 6}, zyklen(12, 3, 0), 6, 5000},
          Fall{13, {3, 4}, zyklen(13, 3, 1), 12, 20'000}, Fall{9, {3, 3}, {}, 7, 100'000}}) {
        Bahnenauftrag a;
        a.n = f.v;
        a.G = f.g;
        if (!f.erzeuger.empty()) a.Erzeuger.push_back(f.erzeuger);
        a.Max_Bloecke = f.hoechstens;
        a.Sekunden = 0;
        a.Max_Schritte = f.schritte;
        const Bahnenergebnis e = Bahnen_suchen(a);
        SCOPED_TRACE(std::to_string(f.v) + ": " + std::to_string(f.g.t) + "/" + std::to_string(f.g.p));
        ASSERT_TRUE(e.Gueltig);
        EXPECT_TRUE(e.Vollstaendig);
        EXPECT_EQ(Loecher_zaehlen(e.Bloecke, f.v, f.g), 0u);
        EXPECT_LE(static_cast<int>(e.Bloecke.size()), f.hoechstens);
        const std::set<std::uint64_t> system(e.Bloecke.begin(), e.Bloecke.end());
        EXPECT_EQ(system.size(), e.Bloecke.size());
        for (std::uint64_t b : e.Bloecke) {
            EXPECT_EQ(std::popcount(b), 6);
            if (!f.erzeuger.empty()) {
                EXPECT_TRUE(system.count(abbild(f.erzeuger, b)));
            }
        }
        EXPECT_EQ(Bahnen_suchen(a).Bloecke, e.Bloecke);
    }
}

TEST(Garantiebahnen, ABoundTooTightGivesTheFewestHolesFoundCountedRight) {
    // Below the lower bound of 33 rows; and below the size of any orbit of a cycle of twelve.
    for (const auto& [zyklus, grenze] : {std::pair{zyklen(12, 4, 0), 30}, std::pair{zyklen(12, 12, 0), 5}}) {
        Bahnenauftrag a;
        a.n = 12;
        a.G = {4, 4};
        a.Erzeuger.push_back(zyklus);
        a.Max_Bloecke = grenze;
        a.Sekunden = 0;
        a.Max_Schritte = 20'000;
        const Bahnenergebnis e = Bahnen_suchen(a);
        SCOPED_TRACE(grenze);
        ASSERT_TRUE(e.Gueltig);
        EXPECT_FALSE(e.Vollstaendig);
        EXPECT_LE(static_cast<int>(e.Bloecke.size()), grenze);
        EXPECT_GT(e.Loecher, 0u);
        EXPECT_EQ(e.Loecher, Loecher_zaehlen(e.Bloecke, 12, a.G));
    }
}

TEST(Garantiebahnen, RefusesWhatItCannotSearch) {
    Bahnenauftrag gut;
    gut.n = 10;
    gut.G = {3, 4};
    gut.Max_Bloecke = 20;
    gut.Sekunden = 0;
    gut.Max_Schritte = 100;
    EXPECT_TRUE(Bahnen_suchen(gut).Gueltig);
    std::vector<Bahnenauftrag> schlecht(5, gut);
    schlecht[0].Erzeuger.push_back({0, 0, 1, 2, 3, 4, 5, 6, 7, 8}); // not a permutation
    schlecht[1].Erzeuger.push_back({1, 0});                         // of other points
    schlecht[2].Max_Schritte = 0;                                   // no budget at all
    schlecht[3].n = 31;
    schlecht[4].G = {4, 3};
    for (const Bahnenauftrag& a : schlecht) EXPECT_FALSE(Bahnen_suchen(a).Gueltig);
}

TEST(Garantiesystem, RowsOnThePlayersNumbersHoldTheGuarantee) {
    Garantieeingabe e = eingabe(Zwoelf, {3, 4});
    e.Tabelle = false;
    const Garantiesystem s = Garantiesystem_suchen(e);
    ASSERT_EQ(s.Fehler, Garantiefehler::Keiner);
    EXPECT_TRUE(s.Vollstaendig);
    EXPECT_EQ(s.Systemzahlen, 12);
    EXPECT_LE(s.Reihen.size(), 7u);
    EXPECT_TRUE(std::is_sorted(s.Reihen.begin(), s.Reihen.end()));
    for (const Reihe& r : s.Reihen) {
        EXPECT_TRUE(std::is_sorted(r.begin(), r.end()));
        for (int z : r) EXPECT_TRUE(std::find(Zwoelf.begin(), Zwoelf.end(), z) != Zwoelf.end());
    }
    const Garantiepruefung p = Garantie_pruefen(s.Reihen, flags(Zwoelf), 49);
    EXPECT_EQ(p.Werte[static_cast<std::size_t>(Garantie_Index({3, 4}))].Loecher, 0u);
}

TEST(Garantiesystem, BankNumbersAreInEveryRowAndTheGuaranteeHoldsOnTheOthers) {
    Garantieeingabe e = eingabe({1, 4, 9, 16, 20, 25, 31, 36, 40, 44, 47}, {3, 4});
    e.Bankzahlen = {9, 9, 48}; // a repeated and an unmarked bank number count for nothing
    const Garantiesystem s = Garantiesystem_suchen(e);
    ASSERT_EQ(s.Fehler, Garantiefehler::Keiner);
    EXPECT_TRUE(s.Vollstaendig);
    EXPECT_EQ(s.Bankzahlen, 1);
    const std::vector<int> andere{1, 4, 16, 20, 25, 31, 36, 40, 44, 47};
    for (const Reihe& r : s.Reihen) EXPECT_TRUE(std::find(r.begin(), r.end(), 9) != r.end());
    EXPECT_EQ(plain(s.Reihen, andere, {3, 4}).Loecher, 0u);

    // Three bank numbers leave three places: three hits among the others, never four.
    e.Bankzahlen = {1, 4, 16};
    e.G = {4, 4};
    EXPECT_EQ(Garantiesystem_suchen(e).Fehler, Garantiefehler::Zu_viele_Bankzahlen);
    e.G = {3, 5};
    const Garantiesystem drei = Garantiesystem_suchen(e);
    ASSERT_EQ(drei.Fehler, Garantiefehler::Keiner);
    for (const Reihe& r : drei.Reihen)
        for (int b : {1, 4, 16}) EXPECT_TRUE(std::find(r.begin(), r.end(), b) != r.end());
    EXPECT_EQ(plain(drei.Reihen, {20, 25, 31, 36, 40, 44, 47, 9}, {3, 5}).Loecher, 0u);
}

TEST(Garantiesystem, RefusesWhatCannotBeSearched) {
    EXPECT_EQ(Garantiesystem_suchen(eingabe({1, 2, 3, 4, 5, 6}, {3, 3})).Fehler,
              Garantiefehler::Zu_wenige_Systemzahlen);
    EXPECT_EQ(Garantiesystem_suchen(eingabe(Zwoelf, {5, 4})).Fehler, Garantiefehler::Garantie_ungueltig);
    Garantieeingabe e = eingabe({1, 2, 3, 4, 5, 6, 7}, {3, 6});
    e.Bankzahlen = {1, 2, 0};
    EXPECT_EQ(Garantiesystem_suchen(e).Fehler, Garantiefehler::Zu_wenige_freie);
    std::vector<int> alle;
    for (int i = 1; i <= 49; ++i) alle.push_back(i);
    EXPECT_EQ(Garantiesystem_suchen(eingabe(alle, {3, 6})).Fehler, Garantiefehler::Zu_gross);
    // Numbers above N do not count.
    Garantieeingabe ueber = eingabe({40, 41, 42, 43, 44, 45, 46}, {3, 3});
    ueber.Zahlen_bis = 45;
    EXPECT_EQ(Garantiesystem_suchen(ueber).Fehler, Garantiefehler::Zu_wenige_Systemzahlen);
}

TEST(Garantiesystem, WithFiltersEveryRowPassesThem) {
    Filteroptionen f;
    f.Checkbox_Zwillinge = "f"; // no two consecutive numbers
    f.Checkbox_Gerade[3] = "f"; // not three even numbers
    f.Quersumme_bis = 150;
    const std::vector<int> zahlen{1, 2, 3, 5, 8, 9, 13, 14, 21, 22, 30, 34, 40, 41};
    Garantieeingabe e = eingabe(zahlen, {3, 4});
    e.Filter = [f](const Reihe& r) { return Reihe_pruefen(r, f); };
    const Garantiesystem s = Garantiesystem_suchen(e);
    ASSERT_EQ(s.Fehler, Garantiefehler::Keiner);
    ASSERT_FALSE(s.Reihen.empty());
    for (const Reihe& r : s.Reihen) EXPECT_TRUE(Reihe_pruefen(r, f));
    EXPECT_EQ(plain(s.Reihen, zahlen, {3, 4}).Loecher, s.Loecher);
    EXPECT_EQ(s.Vollstaendig, s.Loecher == 0);

    // A filter that no row passes.
    f.Endziffer = 0;
    e.Filter = [f](const Reihe& r) { return Reihe_pruefen(r, f); };
    EXPECT_EQ(Garantiesystem_suchen(e).Fehler, Garantiefehler::Keine_Reihe_erlaubt);
}

TEST(Garantiesystem, FiltersThatForbidCoverageGiveTheBestIncompleteSystem) {
    // Without rows holding both 1 and 2, the choices {1, 2, x} of "3 if 3" stay holes.
    Garantieeingabe e = eingabe({1, 2, 10, 20, 30, 35, 40, 45}, {3, 3});
    e.Filter = [](const Reihe& r) {
        return !(std::find(r.begin(), r.end(), 1) != r.end() && std::find(r.begin(), r.end(), 2) != r.end());
    };
    e.Sekunden = 3;
    const Garantiesystem s = Garantiesystem_suchen(e);
    ASSERT_EQ(s.Fehler, Garantiefehler::Keiner);
    EXPECT_FALSE(s.Vollstaendig);
    EXPECT_EQ(s.Loecher, 6u); // {1, 2, x} for the six other numbers
    EXPECT_EQ(s.Auswahlen, 56u);
    EXPECT_NEAR(s.Abdeckung, 100.0 * 50 / 56, 1e-9);
    EXPECT_LE(s.Reihen.size(), static_cast<std::size_t>(Max_Reihen));
}

TEST(Garantiesystem, StoppedSearchKeepsACompleteSystem) {
    std::atomic<bool> stopp{true}; // stopped before the first move
    Suchstand stand;
    Garantieeingabe e = eingabe({1, 3, 5, 8, 11, 14, 17, 20, 23, 26, 29, 32, 35, 38, 41, 44}, {4, 4});
    e.Stopp = &stopp;
    e.Stand = &stand;
    e.Tabelle = false;
    const Garantiesystem s = Garantiesystem_suchen(e);
    EXPECT_EQ(s.Ende, Suchende::Gestoppt);
    EXPECT_TRUE(s.Vollstaendig);
    EXPECT_EQ(stand.Reihen.load(), static_cast<int>(s.Reihen.size()));
    EXPECT_EQ(plain(s.Reihen, zahlen_der(e), {4, 4}).Loecher, 0u);

    // Stopped from another thread while it runs: twenty numbers and 4 if 4 keep the search busy
    // far beyond the moment its first complete system stands, however slow the machine.
    Garantieeingabe g =
        eingabe({1, 3, 5, 8, 11, 14, 17, 20, 23, 26, 29, 32, 35, 38, 41, 44, 45, 46, 47, 48}, {4, 4});
    Suchstand laufend;
    stopp = false;
    g.Stopp = &stopp;
    g.Stand = &laufend;
    g.Tabelle = false;
    g.Sekunden = 60;
    std::jthread halt([&] {
        while (laufend.Reihen.load() == 0) std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        stopp = true;
    });
    const Garantiesystem t = Garantiesystem_suchen(g);
    EXPECT_EQ(t.Ende, Suchende::Gestoppt);
    EXPECT_TRUE(t.Vollstaendig);
    EXPECT_EQ(plain(t.Reihen, zahlen_der(g), {4, 4}).Loecher, 0u);
}

TEST(Garantietabelle, EveryShippedSystemIsComplete) {
    std::istringstream ein(Garantietabelle_Text());
    std::string zeile;
    std::set<std::array<int, 3>> gesehen;
    while (std::getline(ein, zeile)) {
        if (zeile.empty() || zeile[0] == '#') continue;
        int v = 0;
        Garantie g;
        std::vector<std::uint64_t> reihen;
        ASSERT_TRUE(Tabellenzeile_lesen(zeile, v, g, reihen)) << zeile.substr(0, 40);
        SCOPED_TRACE(std::to_string(v) + ": " + std::to_string(g.t) + "/" + std::to_string(g.p));
        EXPECT_TRUE(gesehen.insert({v, g.t, g.p}).second);
        EXPECT_EQ(Loecher_zaehlen(reihen, v, g), 0u);
        EXPECT_LE(reihen.size(), static_cast<std::size_t>(Max_Reihen));
        EXPECT_EQ(Tabellensystem(v, g), reihen);
        EXPECT_EQ(Tabellenzeile_schreiben(v, g, reihen), zeile);
    }
}

TEST(Garantietabelle, TableEntriesAreRelabelledOntoThePlayersNumbers) {
    const std::vector<std::uint64_t> t = Tabellensystem(12, {3, 4});
    ASSERT_FALSE(t.empty());
    const Garantiesystem s = Garantiesystem_suchen(eingabe(Zwoelf, {3, 4}));
    EXPECT_TRUE(s.Aus_Tabelle);
    EXPECT_LE(s.Reihen.size(), t.size());
    EXPECT_EQ(plain(s.Reihen, Zwoelf, {3, 4}).Loecher, 0u);
}
