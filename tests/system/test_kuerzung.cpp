#include "system/kuerzung.h"
#include "system/texte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace pyra::system;

namespace {

Kuerzungseingabe eingabe(std::initializer_list<int> zahlen, int reihen, std::array<int, 3> bankzahlen = {}) {
    Kuerzungseingabe e;
    for (int z : zahlen) e.Systemzahlen[static_cast<std::size_t>(z)] = true;
    e.Bankzahlen = bankzahlen;
    e.Reihenberechnung = reihen;
    e.Schwellen = {-1, -1, -1}; // below every percentage: only the overlap decides
    return e;
}

// A scripted user: aborts after pass `abbruch_bei` and answers the question with `antwort`.
struct Skript {
    int abbruch_bei = 0;
    bool antwort = true;
    std::vector<int> gezeigt;
    std::vector<std::string> fragen;
    std::vector<std::string> meldungen;

    Kuerzungsablauf ablauf() {
        return {[this](int i, const Reihe&) {
                    gezeigt.push_back(i);
                    return i == abbruch_bei;
                },
                [this](const std::string& f) {
                    fragen.push_back(f);
                    return antwort;
                },
                [this](const std::string& m) { meldungen.push_back(m); }};
    }
};

Kuerzungsergebnis lauf(const Kuerzungseingabe& e, std::uint64_t seed, Skript& skript,
                       Kuerzungsverfahren v = Kuerzungsverfahren::Schnell) {
    Zufallsgenerator z(seed);
    return Reihenkuerzung(e, z, skript.ablauf(), v);
}

Kuerzungsergebnis lauf(const Kuerzungseingabe& e, std::uint64_t seed,
                       Kuerzungsverfahren v = Kuerzungsverfahren::Schnell) {
    Skript s;
    return lauf(e, seed, s, v);
}

bool enthaelt(const Reihe& r, int z) {
    return std::find(r.begin(), r.end(), z) != r.end();
}

// Every row: six distinct ascending system numbers; no row twice.
void pruefe_reihen(const std::vector<Reihe>& reihen, const Systemflags& system) {
    std::set<Reihe> gesehen;
    for (const Reihe& r : reihen) {
        EXPECT_TRUE(std::is_sorted(r.begin(), r.end()));
        EXPECT_EQ(std::adjacent_find(r.begin(), r.end()), r.end());
        for (int z : r) EXPECT_TRUE(z >= 1 && z <= 49 && system[static_cast<std::size_t>(z)]) << z;
        EXPECT_TRUE(gesehen.insert(r).second) << "row repeated";
    }
}

const std::initializer_list<int> Zwoelf{3, 7, 12, 18, 22, 25, 29, 33, 38, 41, 44, 47};
const std::initializer_list<int> Neun{2, 5, 11, 17, 23, 30, 36, 42, 48};

} // namespace

TEST(Kandidat, BankNumberRules) {
    const struct {
        std::array<int, 3> banken;
        int zahlen_bis;
        std::vector<int> immer; // in every candidate
        std::vector<int> nie;   // in none
    } faelle[] = {
        {{5, 5, 0}, 49, {5}, {}},         // a repeated bank number is taken once
        {{40, 50, -3}, 49, {}, {40}},     // unmarked, above 49 and negative: ignored
        {{47, 8, 0}, 45, {8}, {47}},      // marked but above N: ignored
        {{8, 9, 10}, 49, {8, 9, 10}, {}}, // three banks
    };
    Systemflags system{};
    for (int z : {1, 5, 8, 9, 10, 13, 21, 34, 44, 47}) system[static_cast<std::size_t>(z)] = true;
    Zufallsgenerator zufall(11);
    for (const auto& f : faelle) {
        for (int i = 0; i < 200; ++i) {
            const Reihe k = Kandidat_bilden(system, f.banken, f.zahlen_bis, zufall);
            ASSERT_TRUE(Reihe_vollstaendig(k));
            EXPECT_TRUE(std::is_sorted(k.begin(), k.end()));
            EXPECT_EQ(std::adjacent_find(k.begin(), k.end()), k.end());
            for (int z : k) EXPECT_TRUE(system[static_cast<std::size_t>(z)] && z <= f.zahlen_bis);
            for (int z : f.immer) EXPECT_TRUE(enthaelt(k, z)) << z;
            for (int z : f.nie) EXPECT_FALSE(enthaelt(k, z)) << z;
        }
    }
    // Fewer than six fitting numbers: the open positions stay empty instead of looping forever.
    Systemflags vier{};
    for (int z : {1, 2, 3, 4}) vier[static_cast<std::size_t>(z)] = true;
    EXPECT_FALSE(Reihe_vollstaendig(Kandidat_bilden(vier, {}, 49, zufall)));
}

TEST(Kuerzung, BankNumbersInEveryRow) {
    const Kuerzungseingabe e = eingabe(Zwoelf, 40, {7, 41, 0});
    const Kuerzungsergebnis r = lauf(e, 3);
    EXPECT_EQ(r.Ende, Kuerzungsende::Vollstaendig);
    ASSERT_EQ(r.Reihen.size(), 40u);
    pruefe_reihen(r.Reihen, e.Systemzahlen);
    for (const Reihe& reihe : r.Reihen) EXPECT_TRUE(enthaelt(reihe, 7) && enthaelt(reihe, 41));
}

TEST(Kuerzung, NineNumbersWithThreeBanksGiveTwentyRowsThenAsk) {
    // Three banks plus three of the other six: C(6,3) = 20 different rows exist.
    const Kuerzungseingabe e = eingabe(Neun, 25, {5, 30, 48});
    for (const bool ja : {true, false}) {
        Skript s;
        s.antwort = ja;
        const Kuerzungsergebnis r = lauf(e, 17, s);
        ASSERT_EQ(s.fragen, std::vector<std::string>{"Nur 20 Systemreihen erstellt - Übernehmen?"});
        EXPECT_EQ(s.gezeigt.size(), 20u);
        EXPECT_EQ(r.Durchlaeufe, 21);
        if (ja) {
            EXPECT_EQ(r.Ende, Kuerzungsende::Teilergebnis);
            EXPECT_TRUE(r.Speichern);
            ASSERT_EQ(r.Reihen.size(), 20u);
            pruefe_reihen(r.Reihen, e.Systemzahlen);
            for (const Reihe& reihe : r.Reihen)
                EXPECT_TRUE(enthaelt(reihe, 5) && enthaelt(reihe, 30) && enthaelt(reihe, 48));
        } else {
            EXPECT_EQ(r.Ende, Kuerzungsende::Verworfen);
            EXPECT_FALSE(r.Speichern);
            EXPECT_TRUE(r.Reihen.empty());
        }
    }
}

TEST(Kuerzung, FullSystemOfNineNumbersHasEveryRowOnce) {
    const Kuerzungseingabe e = eingabe(Neun, 84);
    const Kuerzungsergebnis r = lauf(e, 5);
    EXPECT_EQ(r.Ende, Kuerzungsende::Vollstaendig);
    ASSERT_EQ(r.Reihen.size(), 84u);
    pruefe_reihen(r.Reihen, e.Systemzahlen); // 84 distinct rows of nine numbers: all of them
}

TEST(Kuerzung, EscapeKeepsRowsBeforeThePassExceptInTheLastPass) {
    const Kuerzungseingabe e = eingabe(Zwoelf, 10);
    const Kuerzungsergebnis voll = lauf(e, 21);
    ASSERT_EQ(voll.Reihen.size(), 10u);
    const struct {
        int pass;
        std::size_t behalten;
    } faelle[] = {{5, 4}, {1, 0}, {9, 8}, {10, 10}};
    for (const auto& f : faelle) {
        Skript s;
        s.abbruch_bei = f.pass;
        const Kuerzungsergebnis r = lauf(e, 21, s);
        EXPECT_EQ(r.Ende, Kuerzungsende::Abgebrochen) << f.pass;
        EXPECT_TRUE(r.Speichern);
        EXPECT_EQ(s.meldungen, std::vector<std::string>{"Berechnung abgebrochen!"});
        EXPECT_EQ(s.gezeigt.size(), static_cast<std::size_t>(f.pass));
        EXPECT_TRUE(s.fragen.empty());
        ASSERT_EQ(r.Reihen.size(), f.behalten) << f.pass;
        EXPECT_TRUE(std::equal(r.Reihen.begin(), r.Reihen.end(), voll.Reihen.begin()));
    }
}

TEST(Kuerzung, ZeroThresholdsWithEmptyTablesRejectEverythingInPassOne) {
    Kuerzungseingabe e = eingabe(Zwoelf, 10);
    e.Schwellen = {}; // the defaults 0 against all-zero percentage tables
    for (const bool ja : {true, false}) {
        Skript s;
        s.antwort = ja;
        const Kuerzungsergebnis r = lauf(e, 1, s);
        EXPECT_EQ(s.fragen, std::vector<std::string>{"Nur 0 Systemreihen erstellt - Übernehmen?"});
        EXPECT_TRUE(s.gezeigt.empty());
        EXPECT_TRUE(r.Reihen.empty());
        EXPECT_EQ(r.Speichern, ja);
        EXPECT_EQ(r.Ende, ja ? Kuerzungsende::Teilergebnis : Kuerzungsende::Verworfen);
    }
}

TEST(Kuerzung, FiltersThatNoRowMeetsEndTheFirstPass) {
    Kuerzungseingabe e = eingabe(Zwoelf, 10);
    e.Filter.Zehner = 0; // empty field
    Skript s;
    const Kuerzungsergebnis r = lauf(e, 1, s);
    EXPECT_EQ(s.fragen.size(), 1u);
    EXPECT_EQ(r.Ende, Kuerzungsende::Teilergebnis);
    EXPECT_TRUE(r.Reihen.empty());
}

TEST(Kuerzung, RowCountIsCappedAndNonPositiveRunsNoPass) {
    for (const int n : {0, -5}) {
        Skript s;
        const Kuerzungsergebnis r = lauf(eingabe(Zwoelf, n), 1, s);
        EXPECT_EQ(r.Ende, Kuerzungsende::Keine_Durchlaeufe);
        EXPECT_TRUE(r.Speichern); // nothing to store; emptied rows get deleted
        EXPECT_TRUE(r.Reihen.empty());
        EXPECT_TRUE(s.gezeigt.empty());
    }
    EXPECT_EQ(lauf(eingabe(Zwoelf, 1), 1).Reihen.size(), 1u);

    const Kuerzungseingabe e = eingabe(Zwoelf, 5000);
    Skript s;
    const Kuerzungsergebnis r = lauf(e, 9, s);
    EXPECT_EQ(r.Ende, Kuerzungsende::Vollstaendig);
    ASSERT_EQ(r.Reihen.size(), 750u);
    EXPECT_EQ(s.gezeigt.back(), 750);
    pruefe_reihen(r.Reihen, e.Systemzahlen);
}

TEST(Kuerzung, SameSeedSameRows) {
    const Kuerzungseingabe e = eingabe(Zwoelf, 20);
    EXPECT_EQ(lauf(e, 99).Reihen, lauf(e, 99).Reihen);
    EXPECT_NE(lauf(e, 99).Reihen, lauf(e, 100).Reihen);
}

namespace {

// A draw history and analysis tables with some spread, so that the statistics score breaks ties
// and the thresholds reject part of the candidates.
Statistikgrundlage zufaellige_grundlage(std::uint64_t seed) {
    Zufallsgenerator z(seed);
    std::vector<Ziehung> serie;
    for (int i = 0; i < 160; ++i) {
        Ziehung d{2000 + i / 52, 1 + i % 52, {}};
        if (z.unter(10) != 0) {
            for (std::size_t p = 0; p < 6; ++p) {
                int v;
                do v = 1 + z.unter(49);
                while (std::find(d.Zahlen.begin(), d.Zahlen.end(), v) != d.Zahlen.end());
                d.Zahlen[p] = v;
            }
            std::sort(d.Zahlen.begin(), d.Zahlen.end());
        }
        serie.push_back(d);
    }
    std::vector<std::array<double, 7>> wo(7), ja(7);
    std::vector<double> su(15);
    for (auto* t : {&wo, &ja})
        for (auto& satz : *t)
            for (double& x : satz) x = z.unter(60) / 2.0;
    for (double& x : su) x = z.unter(60) / 2.0;
    return Statistikgrundlage_bilden(serie, 150, wo, ja, su);
}

} // namespace

TEST(Kuerzung, FastMethodsReturnTheRowsOfTheDirectMethod) {
    struct Fall {
        std::vector<int> zahlen;
        std::array<int, 3> banken;
        int reihen;
        Schwellenwerte schwellen;
        void (*filter)(Filteroptionen&);
        std::uint64_t seed;
    };
    const Fall faelle[] = {
        {{2, 5, 11, 17, 23, 30, 36, 42, 48}, {}, 30, {-1, -1, -1}, [](Filteroptionen&) {}, 1},
        {{1, 4, 9, 10, 16, 25, 26, 36, 44, 49},
         {9, 0, 0},
         20,
         {3, 2, 1},
         [](Filteroptionen& o) { o.Checkbox_Zwillinge = "f"; },
         2},
        {{3, 6, 8, 13, 19, 21, 27, 31, 35, 40, 46},
         {21, 46, 99},
         12,
         {-1, -1, 0},
         [](Filteroptionen& o) { o.Checkbox_Gerade[3] = "f"; },
         3},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13},
         {},
         8,
         {1, 1, -1},
         [](Filteroptionen& o) {
             o.Endziffer = 2;
             o.Zehner = 3;
         },
         4},
        // Runs out of rows in pass 21.
        {{2, 5, 11, 17, 23, 30, 36, 42, 48}, {5, 30, 48}, 25, {-1, -1, -1}, [](Filteroptionen&) {}, 5},
    };
    for (const Fall& f : faelle) {
        Kuerzungseingabe e;
        for (int z : f.zahlen) e.Systemzahlen[static_cast<std::size_t>(z)] = true;
        e.Bankzahlen = f.banken;
        e.Reihenberechnung = f.reihen;
        e.Schwellen = f.schwellen;
        f.filter(e.Filter);
        e.Grundlage = zufaellige_grundlage(f.seed);

        Skript s_direkt, s_schnell, s_ohne;
        const Kuerzungsergebnis direkt = lauf(e, f.seed, s_direkt, Kuerzungsverfahren::Direkt);
        const Kuerzungsergebnis schnell = lauf(e, f.seed, s_schnell, Kuerzungsverfahren::Schnell);
        const Kuerzungsergebnis ohne = lauf(e, f.seed, s_ohne, Kuerzungsverfahren::Schnell_ohne_Tabelle);
        EXPECT_FALSE(direkt.Reihen.empty()) << f.seed;
        EXPECT_EQ(schnell.Reihen, direkt.Reihen) << f.seed;
        EXPECT_EQ(ohne.Reihen, direkt.Reihen) << f.seed;
        EXPECT_EQ(schnell.Ende, direkt.Ende) << f.seed;
        EXPECT_EQ(ohne.Ende, direkt.Ende) << f.seed;
        EXPECT_EQ(s_schnell.fragen, s_direkt.fragen) << f.seed;
    }
}
