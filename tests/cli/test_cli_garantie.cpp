// Guaranteed systems and the exact check through the batch companion.

#include "common/cli_lauf.h"
#include "common/tempdir.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <vector>

namespace {

using pyra::test::cli;
using pyra::test::zeilen;

std::vector<std::string> felder(const std::string& zeile) {
    std::vector<std::string> out;
    std::istringstream in(zeile);
    for (std::string f; std::getline(in, f, ';');) out.push_back(f);
    return out;
}

class CliGarantie : public ::testing::Test {
  protected:
    pyra::test::TempDir tmp;

    pyra::test::CliErgebnis lauf(const std::string& args) {
        return cli(PYRA_CLI, "--dir '" + tmp.dir() + "' " + args);
    }
    void SetUp() override { ASSERT_EQ(lauf("start --datum 2024-03-14").status, 0); }
};

TEST_F(CliGarantie, GuaranteedSystemIsStoredAndTheCheckFindsNoHole) {
    ASSERT_EQ(lauf("markieren 3 7 11 15 19 22 26 30 34 38 41 45").status, 0);
    const auto r = lauf("garantie --t 3 --p 4 --sekunden 2 --seed 1");
    ASSERT_EQ(r.status, 0) << r.fehler;
    const auto z = zeilen(r.ausgabe);
    ASSERT_GE(z.size(), 3u);
    const std::size_t m = z.size() - 2;
    EXPECT_EQ(
        z[0],
        "Garantiesystem mit " + std::to_string(m) +
            " Reihen erstellt: mindestens 3 Richtige, wenn 4 Gewinnzahlen unter den 12 Systemzahlen sind.");
    EXPECT_EQ(z[1], "Reihe;Tipp_Zahl_1;Tipp_Zahl_2;Tipp_Zahl_3;Tipp_Zahl_4;Tipp_Zahl_5;Tipp_Zahl_6");
    EXPECT_LE(m, 7u);

    const auto p = lauf("pruefung");
    ASSERT_EQ(p.status, 0) << p.fehler;
    const auto q = zeilen(p.ausgabe);
    ASSERT_EQ(q.size(), 11u);
    EXPECT_EQ(q[0], "Exakte Prüfung von " + std::to_string(m) + " Reihen mit 12 Systemzahlen");
    EXPECT_EQ(q[1], "Garantie;Abdeckung;Löcher;Auswahlen;Beispiele");
    EXPECT_EQ(q[3], "3/4;100,0 %;0;495;");
    const auto drei_drei = felder(q[2]);
    ASSERT_EQ(drei_drei.size(), 5u);
    EXPECT_EQ(drei_drei[0], "3/3");
    EXPECT_EQ(drei_drei[3], "220");
    EXPECT_GT(std::stoi(drei_drei[2]), 0);
    // Up to 20 example holes, each three system numbers.
    std::istringstream beispiele(drei_drei[4]);
    int anzahl = 0;
    for (std::string loch; std::getline(beispiele, loch, '|'); ++anzahl) {
        std::istringstream zahlen(loch);
        int n = 0, x;
        while (zahlen >> x) ++n;
        EXPECT_EQ(n, 3) << loch;
    }
    EXPECT_EQ(anzahl, std::min(20, std::stoi(drei_drei[2])));

    // Row 1 alone.
    const auto eins = zeilen(lauf("pruefung --reihe 1").ausgabe);
    ASSERT_EQ(eins.size(), 11u);
    EXPECT_EQ(eins[0], "Exakte Prüfung von 1 Reihe mit 12 Systemzahlen");
    EXPECT_EQ(felder(eins[2])[2], "200");

    // The system is locked now: a second guaranteed system is refused.
    const auto zweit = lauf("garantie --t 3 --p 3");
    EXPECT_EQ(zweit.status, 1);
    EXPECT_NE(zweit.fehler.find("gesperrt"), std::string::npos);
}

TEST_F(CliGarantie, RefusalsAndWrongCommandLines) {
    ASSERT_EQ(lauf("markieren 1 2 3 4 5 6").status, 0);
    const auto wenig = lauf("garantie --t 3 --p 3");
    EXPECT_EQ(wenig.status, 1);
    EXPECT_EQ(wenig.ausgabe, "Mindestens 7 Systemzahlen festlegen!\n");
    EXPECT_EQ(lauf("garantie --t 3").status, 2);
    EXPECT_EQ(lauf("garantie --t 4 --p 3").status, 1);
    EXPECT_EQ(lauf("garantie --t 3 --p 3 --sekunden 0").status, 1);
    EXPECT_EQ(lauf("garantie --t 3 --p 3 --filter vielleicht").status, 2);
    EXPECT_EQ(lauf("pruefung").status, 1); // no rows yet
}

TEST_F(CliGarantie, IncompleteSystemFollowsTheAnswer) {
    // No two consecutive numbers in a row: {1, 2, x} cannot be covered.
    ASSERT_EQ(lauf("markieren 1 2 10 20 30 35 40 45").status, 0);
    ASSERT_EQ(lauf("optionen Checkbox_Zwillinge=f").status, 0);
    const auto nein = lauf("garantie --t 3 --p 3 --filter ja --sekunden 1 --antwort nein");
    EXPECT_EQ(nein.status, 1);
    const auto z = zeilen(nein.ausgabe);
    ASSERT_EQ(z.size(), 1u);
    EXPECT_NE(z[0].find("89,3 %"), std::string::npos) << z[0];
    EXPECT_EQ(lauf("pruefung").status, 1);

    const auto ja = lauf("garantie --t 3 --p 3 --filter ja --sekunden 1 --antwort ja");
    ASSERT_EQ(ja.status, 0) << ja.fehler;
    const auto w = zeilen(ja.ausgabe);
    ASSERT_GE(w.size(), 4u);
    EXPECT_EQ(w[1].rfind("Garantiesystem mit ", 0), 0u);
    EXPECT_NE(w[1].find("89,3 %"), std::string::npos);
    for (std::size_t i = 3; i < w.size(); ++i) {
        const auto f = felder(w[i]);
        const std::set<std::string> reihe(f.begin() + 1, f.end());
        EXPECT_FALSE(reihe.count("1") && reihe.count("2")) << w[i];
    }
}
} // namespace
