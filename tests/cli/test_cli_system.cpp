// A week's system work through the batch companion: reduction, lock, win evaluation and expected
// winnings on the shipped history.

#include "common/cli_lauf.h"
#include "common/sql.h"
#include "common/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <vector>

namespace {

using pyra::test::cli;
using pyra::test::zeilen;

std::vector<int> zahlen(const std::string& zeile) {
    std::vector<int> out;
    std::istringstream in(zeile);
    for (std::string f; std::getline(in, f, ';');) out.push_back(f.empty() ? -1 : std::stoi(f));
    return out;
}

class CliSystem : public ::testing::Test {
  protected:
    pyra::test::TempDir tmp;

    pyra::test::CliErgebnis lauf(const std::string& args) {
        return cli(PYRA_CLI, "--dir '" + tmp.dir() + "' " + args);
    }

    void vorbereiten(int reihen) {
        ASSERT_EQ(lauf("start --datum 2024-03-14").status, 0);
        ASSERT_EQ(lauf("markieren 3 7 11 15 19 22 26 30 34 38 41 45").status, 0);
        ASSERT_EQ(lauf("bankzahlen 22").status, 0);
        ASSERT_EQ(
            lauf("einstellung Reihenberechnung=" + std::to_string(reihen) + " Gewinnerwartung=3000").status,
            0);
    }
};

TEST_F(CliSystem, ReductionPrintsDistinctRowsOfTheSystemNumbersAndLocks) {
    vorbereiten(30);
    const auto r = lauf("kuerzung --seed 5");
    ASSERT_EQ(r.status, 0) << r.fehler;
    const auto z = zeilen(r.ausgabe);
    ASSERT_EQ(z.size(), 32u);
    EXPECT_EQ(z[0], "System wird mit 12 Zahlen erstellt und gespeichert!");
    EXPECT_EQ(z[1], "Reihe;Tipp_Zahl_1;Tipp_Zahl_2;Tipp_Zahl_3;Tipp_Zahl_4;Tipp_Zahl_5;Tipp_Zahl_6");
    const std::set<int> system = {3, 7, 11, 15, 19, 22, 26, 30, 34, 38, 41, 45};
    std::set<std::vector<int>> verschieden;
    for (std::size_t i = 2; i < z.size(); ++i) {
        auto w = zahlen(z[i]);
        ASSERT_EQ(w.size(), 7u);
        EXPECT_EQ(w[0], static_cast<int>(i) - 1);
        std::vector<int> reihe(w.begin() + 1, w.end());
        for (int n : reihe) EXPECT_TRUE(system.count(n)) << z[i];
        EXPECT_TRUE(std::is_sorted(reihe.begin(), reihe.end()));
        EXPECT_NE(std::find(reihe.begin(), reihe.end(), 22), reihe.end()) << "bank number missing: " << z[i];
        verschieden.insert(reihe);
    }
    EXPECT_EQ(verschieden.size(), 30u);

    // The same seed in another directory gives the same rows.
    pyra::test::TempDir zweit;
    for (const char* a : {"start --datum 2024-03-14", "markieren 3 7 11 15 19 22 26 30 34 38 41 45",
                          "bankzahlen 22", "einstellung Reihenberechnung=30 Gewinnerwartung=3000"})
        ASSERT_EQ(cli(PYRA_CLI, "--dir '" + zweit.dir() + "' " + a).status, 0);
    EXPECT_EQ(cli(PYRA_CLI, "--dir '" + zweit.dir() + "' kuerzung --seed 5").ausgabe, r.ausgabe);

    // The week now holds a locked system.
    auto erneut = lauf("kuerzung --seed 6");
    EXPECT_EQ(erneut.status, 1);
    EXPECT_NE(erneut.fehler.find("gesperrt"), std::string::npos);
    EXPECT_EQ(lauf("markieren 1 2 3").status, 1);
}

TEST_F(CliSystem, LockNoteCarriesOverToTheNextCall) {
    vorbereiten(10);
    // The row count keeps to the 1..750 the row store has room for.
    EXPECT_EQ(lauf("einstellung Reihenberechnung=-5").status, 1);
    EXPECT_EQ(lauf("einstellung Reihenberechnung=751").status, 1);
    ASSERT_EQ(lauf("kuerzung --seed 1").status, 0);
    EXPECT_EQ(lauf("entsperren").status, 0);
    // Unlocked: a mark change empties the rows, and a new system can be built.
    ASSERT_EQ(lauf("markieren 3 7 11 15 19 22 26 30").status, 0);
    const auto wenig = lauf("kuerzung --seed 1");
    EXPECT_EQ(wenig.status, 1);
    EXPECT_EQ(zeilen(wenig.ausgabe), std::vector<std::string>{"Mindestens 9 Systemzahlen festlegen!"});
    ASSERT_EQ(lauf("markieren 3 7 11 15 19 22 26 30 34 38").status, 0);
    EXPECT_EQ(lauf("kuerzung --seed 1").status, 0);
    // The new system is locked again, and "sperren" after "entsperren" locks too.
    EXPECT_EQ(lauf("markieren 1 2 3").status, 1);
    EXPECT_EQ(lauf("entsperren").status, 0);
    EXPECT_EQ(lauf("sperren").status, 0);
    EXPECT_EQ(lauf("markieren 1 2 3").status, 1);
}

TEST_F(CliSystem, WinEvaluationAndExpectedWinnings) {
    vorbereiten(40);
    EXPECT_EQ(lauf("gewinnermittlung").status, 1); // no rows yet
    ASSERT_EQ(lauf("kuerzung --seed 3").status, 0);

    // 2024 week 11, Saturday: the shipped draw of 16 March 2024.
    const auto g = lauf("gewinnermittlung");
    ASSERT_EQ(g.status, 0) << g.fehler;
    const auto z = zeilen(g.ausgabe);
    ASSERT_EQ(z.size(), 41u);
    EXPECT_EQ(z[0], "Reihe;Tipp_Zahl_1;Tipp_Zahl_2;Tipp_Zahl_3;Tipp_Zahl_4;Tipp_Zahl_5;Tipp_Zahl_6;Richtige");
    // Each row's hits are its numbers among the six drawn that week, read from the file itself.
    const auto gezogen = zahlen(pyra::test::sql_text(
        tmp.file("Datenbank_Lotto.tdbd"),
        "SELECT Zahl_01 || ';' || Zahl_02 || ';' || Zahl_03 || ';' || Zahl_04 || ';' || Zahl_05 || ';' || "
        "Zahl_06 FROM Zahlen WHERE ID_Verband = 3 AND ID_Ziehung = 1 AND Jahr = 2024 AND Woche = 11"));
    ASSERT_EQ(gezogen.size(), 6u);
    int mit_treffern = 0;
    for (std::size_t i = 1; i < z.size(); ++i) {
        const auto w = zahlen(z[i]);
        ASSERT_EQ(w.size(), 8u);
        const auto treffer = std::count_if(w.begin() + 1, w.begin() + 7, [&](int n) {
            return std::find(gezogen.begin(), gezogen.end(), n) != gezogen.end();
        });
        EXPECT_EQ(w[7], treffer) << z[i];
        mit_treffern += treffer > 0;
    }
    EXPECT_GT(mit_treffern, 0); // the week is one where the system hits at all

    const auto eins = lauf("gewinnerwartung --seed 9 --reihe 1");
    ASSERT_EQ(eins.status, 0) << eins.fehler;
    auto e = zeilen(eins.ausgabe);
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0], "  Gewinnerwartung bei 1 Reihe / 12 Systemzahlen");
    EXPECT_EQ(e[1], "Gw_3_3;Gw_3_4;Gw_3_5;Gw_3_6;Gw_4_4;Gw_4_5;Gw_4_6;Gw_5_5;Gw_5_6");

    // Without --reihe the last row counts; more rows never lower a value.
    const auto alle = lauf("gewinnerwartung --seed 9");
    ASSERT_EQ(alle.status, 0);
    auto a = zeilen(alle.ausgabe);
    EXPECT_EQ(a[0], "  Gewinnerwartung bei 40 Reihen / 12 Systemzahlen");
    std::istringstream w1(e[2]), w40(a[2]);
    for (std::string x, y; std::getline(w1, x, ';') && std::getline(w40, y, ';');)
        EXPECT_GE(std::stod(y), std::stod(x));

    const auto falsch = lauf("gewinnerwartung --reihe 41");
    EXPECT_EQ(falsch.status, 1);
    EXPECT_EQ(lauf("gewinnerwartung --reihe x").status, 1);
}

} // namespace
