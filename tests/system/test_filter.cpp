#include "system/filter.h"
#include "system/zufall.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace pyra::system;

namespace {

struct Filterfall {
    const char* name;
    Reihe reihe;
    std::function<void(Filteroptionen&)> setzen;
    bool besteht;
};

const Filterfall Faelle[] = {
    // Runs: only the longest run is judged; 5 and 6 both go by Fuenfling.
    {"run of six judged by Fuenfling",
     {1, 2, 3, 4, 5, 6},
     [](auto& o) { o.Checkbox_Fuenfling = "f"; },
     false},
    {"run of six ignores the shorter runs' boxes",
     {1, 2, 3, 4, 5, 6},
     [](auto& o) { o.Checkbox_Zwillinge = o.Checkbox_Drillinge = o.Checkbox_Vierling = "f"; },
     true},
    {"run of five judged by Fuenfling",
     {1, 2, 3, 4, 5, 20},
     [](auto& o) { o.Checkbox_Fuenfling = "f"; },
     false},
    {"three plus a pair, twins blocked",
     {1, 2, 3, 10, 11, 40},
     [](auto& o) { o.Checkbox_Zwillinge = "f"; },
     true},
    {"three plus a pair, triples blocked",
     {1, 2, 3, 10, 11, 40},
     [](auto& o) { o.Checkbox_Drillinge = "f"; },
     false},
    {"two pairs judged by Zwillinge",
     {4, 5, 20, 21, 33, 47},
     [](auto& o) { o.Checkbox_Zwillinge = "f"; },
     false},
    {"no run passes with every box blocked",
     {2, 4, 6, 8, 10, 12},
     [](auto& o) {
         o.Checkbox_Zwillinge = o.Checkbox_Drillinge = o.Checkbox_Vierling = o.Checkbox_Fuenfling = "f";
     },
     true},
    {"only exactly f blocks", {1, 2, 30, 33, 40, 45}, [](auto& o) { o.Checkbox_Zwillinge = ""; }, true},
    {"capital F does not block", {1, 2, 30, 33, 40, 45}, [](auto& o) { o.Checkbox_Zwillinge = "F"; }, true},
    // Last digits.
    {"five equal last digits, Endziffer 5", {1, 11, 21, 31, 41, 49}, [](auto& o) { o.Endziffer = 5; }, true},
    {"five equal last digits, Endziffer 4", {1, 11, 21, 31, 41, 49}, [](auto& o) { o.Endziffer = 4; }, false},
    {"empty Endziffer rejects every row", {3, 14, 25, 36, 47, 48}, [](auto& o) { o.Endziffer = 0; }, false},
    // Ranges of ten: 1-9 is the first range.
    {"three in 1-9, Zehner 2", {1, 5, 9, 12, 25, 38}, [](auto& o) { o.Zehner = 2; }, false},
    {"at most two per range, Zehner 2", {9, 10, 20, 30, 40, 49}, [](auto& o) { o.Zehner = 2; }, true},
    // Blocks and columns of seven.
    {"one column, 7er 1", {7, 14, 21, 28, 35, 42}, [](auto& o) { o.Siebener = 1; }, true},
    {"one column, 7er vt 6", {7, 14, 21, 28, 35, 42}, [](auto& o) { o.Siebener_vt = 6; }, true},
    {"one column, 7er vt 5", {7, 14, 21, 28, 35, 42}, [](auto& o) { o.Siebener_vt = 5; }, false},
    {"two in block 43-49, 7er 1", {1, 9, 17, 25, 43, 49}, [](auto& o) { o.Siebener = 1; }, false},
    // Sum bounds belong to the allowed range.
    {"sum equals von", {1, 2, 3, 4, 5, 6}, [](auto& o) { o.Quersumme_von = 21; }, true},
    {"sum below von", {1, 2, 3, 4, 5, 6}, [](auto& o) { o.Quersumme_von = 22; }, false},
    {"sum equals bis", {44, 45, 46, 47, 48, 49}, [](auto& o) { o.Quersumme_bis = 279; }, true},
    {"sum above bis", {44, 45, 46, 47, 48, 49}, [](auto& o) { o.Quersumme_bis = 278; }, false},
    {"empty Quersumme_bis rejects", {1, 2, 3, 4, 5, 6}, [](auto& o) { o.Quersumme_bis = 0; }, false},
    {"von above bis rejects",
     {10, 20, 30, 31, 40, 41},
     [](auto& o) { o.Quersumme_von = 200, o.Quersumme_bis = 100; },
     false},
};

} // namespace

TEST(Filter, CasesOfTheOptions) {
    for (const Filterfall& f : Faelle) {
        Filteroptionen o;
        f.setzen(o);
        EXPECT_EQ(Reihe_pruefen(f.reihe, o), f.besteht) << f.name;
    }
}

TEST(Filter, EvenCountBlocksOnlyItsOwnCount) {
    Filteroptionen o;
    o.Checkbox_Gerade[3] = "f";
    // Rows with 0..6 even numbers.
    const Reihe mit_gerade[7] = {{1, 3, 5, 7, 9, 11}, {2, 3, 5, 7, 9, 11}, {2, 4, 5, 7, 9, 11},
                                 {2, 4, 6, 7, 9, 11}, {2, 4, 6, 8, 9, 11}, {2, 4, 6, 8, 10, 11},
                                 {2, 4, 6, 8, 10, 12}};
    for (int g = 0; g <= 6; ++g) EXPECT_EQ(Reihe_pruefen(mit_gerade[g], o), g != 3) << g << " even";
}

TEST(Filter, DefaultsRestrictNothing) {
    const Filteroptionen o;
    Zufallsgenerator z(7);
    for (int i = 0; i < 20000; ++i) {
        Reihe r{};
        for (std::size_t p = 0; p < 6; ++p) {
            int v;
            do v = 1 + z.unter(49);
            while (std::find(r.begin(), r.end(), v) != r.end());
            r[p] = v;
        }
        std::sort(r.begin(), r.end());
        ASSERT_TRUE(Reihe_pruefen(r, o))
            << r[0] << ' ' << r[1] << ' ' << r[2] << ' ' << r[3] << ' ' << r[4] << ' ' << r[5];
    }
}

TEST(Filter, PreparedFilterAgreesWithTheRowTest) {
    // Random options around the interesting limits against random rows: both verdicts agree.
    Zufallsgenerator z(31);
    const char* kaestchen[] = {"t", "f", "", "x"};
    int verworfen = 0;
    for (int runde = 0; runde < 300; ++runde) {
        Filteroptionen o;
        for (std::string* k :
             {&o.Checkbox_Zwillinge, &o.Checkbox_Drillinge, &o.Checkbox_Vierling, &o.Checkbox_Fuenfling})
            *k = kaestchen[z.unter(4)];
        for (std::string& k : o.Checkbox_Gerade) k = z.unter(5) == 0 ? "f" : "t";
        for (int* grenze : {&o.Endziffer, &o.Zehner, &o.Siebener, &o.Siebener_vt}) *grenze = z.unter(8) - 1;
        o.Quersumme_von = z.unter(3) == 0 ? 21 : 10 + z.unter(150);
        o.Quersumme_bis = z.unter(3) == 0 ? 279 : 100 + z.unter(200);
        const Filterpruefung vorbereitet(o);
        for (int i = 0; i < 300; ++i) {
            Reihe r{};
            std::uint64_t maske = 0;
            for (std::size_t p = 0; p < 6; ++p) {
                int v;
                do v = 1 + z.unter(49);
                while ((maske >> v) & 1u);
                maske |= std::uint64_t{1} << v;
                r[p] = v;
            }
            std::sort(r.begin(), r.end());
            const bool erwartet = Reihe_pruefen(r, o);
            verworfen += !erwartet;
            ASSERT_EQ(vorbereitet.besteht(maske), erwartet) << "round " << runde << " row " << i;
        }
    }
    EXPECT_GT(verworfen, 1000); // the options did reject a good share
    EXPECT_LT(verworfen, 89000);
}
