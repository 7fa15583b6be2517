#include "common/cli_lauf.h"
#include "common/sql.h"
#include "common/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>
#include <vector>

namespace {

using pyra::test::cli;
using pyra::test::zeilen;

std::vector<std::string> felder(const std::string& zeile) {
    std::vector<std::string> out;
    std::string f;
    std::istringstream in(zeile);
    while (std::getline(in, f, ';')) out.push_back(f);
    if (!zeile.empty() && zeile.back() == ';') out.emplace_back();
    return out;
}

class CliStatistik : public ::testing::Test {
  protected:
    pyra::test::TempDir tmp;

    pyra::test::CliErgebnis run(const std::string& args) {
        return cli(PYRA_CLI, "--dir '" + tmp.path().string() + "' " + args);
    }

    // The first value of the answer; -1 when there is none.
    double zahl(const std::string& sql) {
        return pyra::test::sql_wert(tmp.file("Datenbank_Lotto.tdbd"), sql).value_or(-1);
    }

    // The 49 rows after the header; fails the test when the layout is not header, 49 rows, tip.
    std::vector<std::vector<std::string>> tabelle(const std::string& ausgabe, std::string& tipp) {
        auto z = zeilen(ausgabe);
        std::size_t kopf = 0;
        while (kopf < z.size() && z[kopf].rfind("Zahl;", 0) != 0) ++kopf;
        EXPECT_EQ(kopf + 51, z.size()) << ausgabe;
        if (kopf + 51 != z.size()) return {};
        EXPECT_EQ(z[kopf],
                  "Zahl;Wahrscheinlichkeit;Haeufigkeit_Wo;Rueckstaendig_Wo;Haeufigkeit_Ja;Rueckstaendig_Ja;"
                  "Zahlentipp");
        std::vector<std::vector<std::string>> t;
        for (std::size_t i = kopf + 1; i < kopf + 50; ++i) t.push_back(felder(z[i]));
        tipp = z.back();
        return t;
    }
};

TEST_F(CliStatistik, StatistikOfAWeekOf2024PrintsTheRowsAndTheTip) {
    ASSERT_EQ(run("start --datum 2024-05-16").status, 0); // Thursday: Saturday draw of week 20
    auto r = run("statistik");
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(r.ausgabe.find("Ziehungsergebnisse fehlen"), std::string::npos);
    std::string tipp;
    const auto t = tabelle(r.ausgabe, tipp);
    ASSERT_EQ(t.size(), 49u);

    const std::string vorher = " FROM Zahlen WHERE ID_Verband = 3 AND ID_Ziehung = 1 AND Zahl_01 > 0 AND "
                               "(Jahr < 2024 OR (Jahr = 2024 AND Woche < 20))";
    const double ziehungen = zahl("SELECT count(*)" + vorher);
    const double wochen_20 = zahl("SELECT count(*)" + vorher + " AND Woche = 20");
    ASSERT_GT(ziehungen, 3000);

    double summe_w = 0, summe_hf = 0, summe_hj = 0;
    std::set<int> zuletzt_gezogen;
    std::vector<std::pair<int, int>> rangsummen;
    for (int n = 1; n <= 49; ++n) {
        const auto& f = t[n - 1];
        ASSERT_EQ(f.size(), 7u) << n;
        EXPECT_EQ(std::stoi(f[0]), n);
        const double w = std::stod(f[1]);
        EXPECT_GT(w, 6.0);
        EXPECT_LT(w, 20.0);
        summe_w += w;
        summe_hf += std::stoi(f[2]);
        summe_hj += std::stoi(f[4]);
        if (std::stoi(f[3]) == 0) zuletzt_gezogen.insert(n);
        rangsummen.emplace_back(std::stoi(f[6]), n);
    }
    // F sums to 600 and U to 49 times 600/49: the mean W is 600/49.
    EXPECT_NEAR(summe_w, 600.0, 1e-6);
    EXPECT_EQ(summe_hf, 6 * ziehungen);
    EXPECT_EQ(summe_hj, 6 * wochen_20);
    // Overdue 0: exactly the numbers of the draw before, week 19.
    std::set<int> woche_19;
    for (int i = 1; i <= 6; ++i)
        woche_19.insert(static_cast<int>(
            zahl("SELECT Zahl_0" + std::to_string(i) +
                 " FROM Zahlen WHERE ID_Verband = 3 AND ID_Ziehung = 1 AND Jahr = 2024 AND Woche = 19")));
    EXPECT_EQ(zuletzt_gezogen, woche_19);

    // The tip: the 15 smallest rank sums, ties by Zahl.
    std::sort(rangsummen.begin(), rangsummen.end());
    std::string erwartet = "Zahlentipp";
    for (int i = 0; i < 15; ++i) erwartet += ";" + std::to_string(rangsummen[i].second);
    EXPECT_EQ(tipp, erwartet);
}

TEST_F(CliStatistik, MissingResultsAskAndTrotzdemAnswers) {
    ASSERT_EQ(run("start --datum 2030-01-10").status, 0); // 2030/2, no results yet
    ASSERT_EQ(run("auswahl --woche 3").status, 0);        // the draw before, 2030/2, has none

    auto nein = run("statistik --trotzdem nein");
    ASSERT_EQ(nein.status, 0) << nein.fehler;
    EXPECT_EQ(zeilen(nein.ausgabe).front(), "Ziehungsergebnisse fehlen! - Trotzdem berechnen?");
    std::string tipp;
    auto t = tabelle(nein.ausgabe, tipp);
    ASSERT_EQ(t.size(), 49u);
    EXPECT_EQ(t[0], (std::vector<std::string>{"1", "", "", "", "", "", ""})); // nothing stored yet
    EXPECT_EQ(tipp, "Zahlentipp" + std::string(15, ';'));

    auto ja = run("statistik");
    ASSERT_EQ(ja.status, 0) << ja.fehler;
    EXPECT_EQ(zeilen(ja.ausgabe).front(), "Ziehungsergebnisse fehlen! - Trotzdem berechnen?");
    t = tabelle(ja.ausgabe, tipp);
    ASSERT_EQ(t.size(), 49u);
    EXPECT_FALSE(t[0][1].empty());
    EXPECT_EQ(felder(tipp).size(), 16u);
    EXPECT_EQ(
        zahl("SELECT sum(Haeufigkeit_Wo) FROM Zahl_Daten WHERE Jahr = 2030 AND Woche = 3"),
        6 * zahl("SELECT count(*) FROM Zahlen WHERE ID_Verband = 3 AND ID_Ziehung = 1 AND Zahl_01 > 0"));

    EXPECT_EQ(run("statistik --trotzdem vielleicht").status, 2);
    EXPECT_EQ(run("statistik 7").status, 2);
}

TEST_F(CliStatistik, DefaultDatabaseHoldsTheAnalysisAndAnalysePrintsTheTables) {
    ASSERT_EQ(run("anlegen").status, 0);
    const std::string summe = "\"0_Zahlen\" + \"1_Zahl\" + \"2_Zahlen\" + \"3_Zahlen\" + \"4_Zahlen\" + "
                              "\"5_Zahlen\" + \"6_Zahlen\"";
    EXPECT_EQ(zahl("SELECT count(*) FROM Ziehung_Wo_z"), 6 * 7);
    EXPECT_EQ(zahl("SELECT count(*) FROM Ziehung_Ja_z"), 6 * 7);
    EXPECT_EQ(zahl("SELECT count(*) FROM Summe_Ru"), 6 * 15);
    EXPECT_LT(zahl("SELECT max(abs(" + summe + " - 100)) FROM Ziehung_Wo_z"), 1e-9);
    EXPECT_EQ(zahl("SELECT count(*) FROM Zahlen WHERE Zahl_01 > 0 AND (EZDVFS IS NULL OR Summe_Wo IS NULL OR "
                   "Ziehung_Ja_7z IS NULL)"),
              0);
    const double vorher =
        zahl("SELECT \"1_Zahl\" FROM Ziehung_Wo_z WHERE ID_Verband = 3 AND ID_Ziehung = 1 AND "
             "Woche_z = 1");
    EXPECT_GT(vorher, 30);
    EXPECT_LT(vorher, 60);

    // The calculation for a week after the newest shipped draw gives the shipped values again.
    ASSERT_EQ(run("start --datum 2026-12-10").status, 0);
    auto r = run("analyse");
    ASSERT_EQ(r.status, 0) << r.fehler;
    const auto z = zeilen(r.ausgabe);
    ASSERT_EQ(z.size(), 1u + 8 + 8 + 16) << r.ausgabe;
    EXPECT_EQ(z[0], "Analysewerte wurden neu berechnet!");
    EXPECT_EQ(z[1], "Woche_z;0_Zahlen;1_Zahl;2_Zahlen;3_Zahlen;4_Zahlen;5_Zahlen;6_Zahlen");
    EXPECT_EQ(z[9], "Jahr_z;0_Zahlen;1_Zahl;2_Zahlen;3_Zahlen;4_Zahlen;5_Zahlen;6_Zahlen");
    EXPECT_EQ(z[17], "Von;Bis;Prozent");
    const auto zeile1 = felder(z[2]);
    ASSERT_EQ(zeile1.size(), 8u);
    EXPECT_EQ(zeile1[0], "1");
    EXPECT_EQ(std::stod(zeile1[2]), vorher);
    double s = 0;
    for (std::size_t i = 1; i < zeile1.size(); ++i) s += std::stod(zeile1[i]);
    EXPECT_NEAR(s, 100.0, 1e-9);
    EXPECT_EQ(felder(z[32]).at(0), "141");
    EXPECT_EQ(
        zahl("SELECT \"1_Zahl\" FROM Ziehung_Wo_z WHERE ID_Verband = 3 AND ID_Ziehung = 1 AND Woche_z = 1"),
        vorher);
}

} // namespace
