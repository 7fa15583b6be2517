#include "common/schlechte_ziehungen.h"
#include "data/ziehungsregeln.h"

#include <gtest/gtest.h>

using namespace pyra;

namespace {

TEST(Ziehungsregeln, EveryBadDrawIsRefusedWithAMessage) {
    for (const auto& f : test::schlechte_ziehungen())
        EXPECT_FALSE(data::Ziehung_pruefen(f.werte, 49).empty()) << f.name;
}

TEST(Ziehungsregeln, GoodDrawsAndDrawsWithoutResultPass) {
    data::Ziehungswerte w;
    EXPECT_EQ(data::Ziehung_pruefen(w, 49), ""); // no result yet
    w.superzahl = 0;                             // Superzahl 0 is a real one
    EXPECT_EQ(data::Ziehung_pruefen(w, 49), "");
    w.zahlen = {44, 3, 11, 25, 38, 17};
    w.reihenfolge = w.zahlen;
    w.zusatzzahl = 9;
    EXPECT_EQ(data::Ziehung_pruefen(w, 49), "");
    // The same draw in 6 aus 42 has a 44.
    EXPECT_EQ(data::Ziehung_pruefen(w, 42),
              "Die Zahl 44 liegt nicht im Bereich von 1 bis 42. Eine Ziehung besteht aus sechs verschiedenen "
              "Zahlen von 1 bis 42.");
    // A damaged number range refuses every draw with numbers.
    EXPECT_NE(data::Ziehung_pruefen(w, 50).find("kein gültiger Zahlenbereich"), std::string::npos);
}

} // namespace
