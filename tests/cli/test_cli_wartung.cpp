// The batch companion's maintenance commands end to end: the import of the committed fixture
// workbooks, the export, and the online update from a server on 127.0.0.1.

#include "common/cli_lauf.h"
#include "common/sql.h"
#include "common/tempdir.h"
#include "maintenance/testserver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using pyra::test::cli;
using pyra::test::Testserver;

using pyra::test::sql_text;

std::string lesen(const std::string& datei) {
    std::ifstream f(datei, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

const std::string fixtures = std::string(PYRA_FIXTURES) + "/workbooks/";
const std::string frage = "Richtige Excel-Datei zum Jahr?! - Einlesen?\n";

class CliWartung : public ::testing::Test {
  protected:
    pyra::test::TempDir tmp;
    pyra::test::CliErgebnis run(const std::string& args, const pyra::test::TempDir* dir = nullptr) {
        return cli(PYRA_CLI, "--dir '" + (dir ? dir : &tmp)->path().string() + "' " + args);
    }
    std::string abfrage(const std::string& sql) { return sql_text(tmp.file("Datenbank_Lotto.tdbd"), sql); }
    std::string ziehung(int jahr, int woche, int z) {
        return abfrage(
            "SELECT Zahl_01, Zahl_02, Zahl_03, Zahl_04, Zahl_05, Zahl_06, Zahl_01_g, Zahl_06_g FROM Zahlen "
            "WHERE ID_Verband=3 AND ID_Ziehung=" +
            std::to_string(z) + " AND Jahr=" + std::to_string(jahr) + " AND Woche=" + std::to_string(woche));
    }
    std::string klasse(int jahr, int woche, int z, int rang) {
        return abfrage("SELECT Anzahl, ifnull(Gewinn, '-') FROM Gewinn WHERE ID_Verband=3 AND ID_Ziehung=" +
                       std::to_string(z) + " AND Jahr=" + std::to_string(jahr) +
                       " AND Woche=" + std::to_string(woche) + " AND Rang=" + std::to_string(rang));
    }
};

class CliEinlesen : public CliWartung, public ::testing::WithParamInterface<const char*> {};

TEST_P(CliEinlesen, FixtureWorkbooksOfBothLayouts) {
    const std::string b = "'" + fixtures + "zahlen_quoten_b." + GetParam() + "'";
    const std::string a = "'" + fixtures + "zahlen_quoten_a." + GetParam() + "'";

    ASSERT_EQ(run("start --datum 2026-12-10").status, 0);
    const std::string preis1 =
        abfrage("SELECT ifnull(Gewinn, '-') FROM Gewinn WHERE ID_Verband=3 AND ID_Ziehung=1 AND "
                "Jahr=2020 AND Woche=53 AND Rang=1");
    // Layout B, 2021: 2 January is week 53 of 2020, the Tuesday row is not read, row 5 holds
    // twice 7 and a 50; the date of row 6 is a text.
    auto r = run("einlesen --datei " + b + " --jahr 2021 --von 1 --bis 53");
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(r.ausgabe, frage + "3 Ziehungen eingelesen.\n"
                                 "Übersprungen (keine sechs verschiedenen Zahlen von 1 bis 49): Zeile 5.\n");
    EXPECT_EQ(ziehung(2020, 53, 1), "4|9|16|25|36|49|4|49\n");
    EXPECT_EQ(ziehung(2021, 1, 2), "2|11|19|30|41|47|2|47\n");
    EXPECT_EQ(ziehung(2021, 2, 2), "5|10|15|20|25|30|5|30\n");
    EXPECT_EQ(klasse(2020, 53, 1, 1), "0|" + preis1) << "no winners: the prize stays";
    EXPECT_EQ(klasse(2020, 53, 1, 2), "2|1234567.8\n");
    EXPECT_EQ(klasse(2020, 53, 1, 8), "1098765|11.2\n");
    EXPECT_EQ(klasse(2020, 53, 1, 9), "1234567|6.0\n");
    EXPECT_EQ(klasse(2021, 1, 2, 1), "1|9876543.2\n");
    const std::string zahlen = abfrage("SELECT count(*) FROM Zahlen"),
                      gewinn = abfrage("SELECT count(*) FROM Gewinn");
    // The same weeks again: overwritten, not doubled.
    ASSERT_EQ(run("einlesen --datei " + b + " --jahr 2021 --von 1 --bis 53").status, 0);
    EXPECT_EQ(abfrage("SELECT count(*) FROM Zahlen"), zahlen);
    EXPECT_EQ(abfrage("SELECT count(*) FROM Gewinn"), gewinn);

    // Layout B, 2016: prizes read like 2021, class 9 has 5.00.
    r = run("einlesen --datei " + b + " --jahr 2016 --von 1 --bis 1");
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(r.ausgabe, frage + "1 Ziehung eingelesen.\n");
    EXPECT_EQ(ziehung(2016, 1, 2), "2|8|14|26|37|42|2|42\n");
    EXPECT_EQ(klasse(2016, 1, 2, 2), "3|345678.9\n");
    EXPECT_EQ(klasse(2016, 1, 2, 9), "876543|5.0\n");

    // Layout A, 2014: the Saturday rows take the week above; 31 December 2014 is week 1 of 2015;
    // "1.234.567" winners are no number in this layout.
    r = run("einlesen --datei " + a + " --jahr 2014 --von 1 --bis 53");
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(r.ausgabe, frage + "6 Ziehungen eingelesen.\n"
                                 "Übersprungen (keine sechs verschiedenen Zahlen von 1 bis 49): Zeile 4.\n");
    EXPECT_EQ(ziehung(2014, 1, 2), "5|12|23|34|41|49|5|49\n");
    EXPECT_EQ(ziehung(2014, 1, 1), "3|17|22|28|39|44|3|44\n");
    EXPECT_EQ(ziehung(2014, 2, 1), "1|2|3|4|5|6|1|6\n");
    EXPECT_EQ(ziehung(2014, 52, 1), "10|20|30|31|32|33|10|33\n");
    EXPECT_EQ(ziehung(2015, 1, 2), "2|9|14|27|38|45|2|45\n");
    EXPECT_EQ(klasse(2014, 1, 1, 1), "1|1234567.8\n");
    EXPECT_EQ(klasse(2014, 1, 2, 9), "512345|5.0\n");
    EXPECT_EQ(klasse(2015, 1, 2, 2), "1|600000.0\n");

    // A week range that is empty and a year before 2014 read nothing.
    const std::string alles = abfrage("SELECT count(*), total(Zahl_01), total(Zahl_06) FROM Zahlen");
    r = run("einlesen --datei " + b + " --jahr 2021 --von 10 --bis 2");
    EXPECT_EQ(r.ausgabe, frage + "0 Ziehungen eingelesen.\n");
    r = run("einlesen --datei " + a + " --jahr 2013 --von 1 --bis 53");
    EXPECT_EQ(r.ausgabe, frage + "0 Ziehungen eingelesen.\n");
    EXPECT_EQ(abfrage("SELECT count(*), total(Zahl_01), total(Zahl_06) FROM Zahlen"), alles);
    EXPECT_EQ(abfrage("SELECT ZQ_Jahr, ZQ_Woche_von, ZQ_Woche_bis FROM Wahl"), "2013|1|53\n");
}

INSTANTIATE_TEST_SUITE_P(Formats, CliEinlesen, ::testing::Values("xlsx", "ods", "xls"));

TEST_F(CliWartung, UnreadableWorkbookIsReportedAndNothingWritten) {
    ASSERT_EQ(run("start --datum 2026-12-10").status, 0);
    const std::string vorher =
        abfrage("SELECT count(*), total(Zahl_01) FROM Zahlen") + abfrage("SELECT count(*) FROM Gewinn");
    const std::string fehlt = tmp.file("fehlt.xlsx");
    auto r = run("einlesen --datei '" + fehlt + "' --jahr 2021 --von 1 --bis 53");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.ausgabe.rfind(frage, 0), 0u);
    EXPECT_NE(r.ausgabe.find("fehlt.xlsx"), std::string::npos) << r.ausgabe;
    // A workbook without the year's sheet.
    r = run("einlesen --datei '" + fixtures + "zahlen_quoten_b.xlsx' --jahr 2030 --von 1 --bis 53");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(abfrage("SELECT count(*), total(Zahl_01) FROM Zahlen") + abfrage("SELECT count(*) FROM Gewinn"),
              vorher);
    EXPECT_EQ(run("einlesen --datei x.xlsx --jahr 2021").status, 2);
    EXPECT_EQ(run("einlesen --datei x.xlsx --jahr 2021 --von 1 --bis 54").status, 1);
}

TEST_F(CliWartung, ExportServedOnLoopbackIsMergedByAnotherInstallation) {
    // The export of this installation from 2025 on ...
    ASSERT_EQ(run("export --ab-jahr 2025").status, 0);
    const std::string datei = tmp.file("Datenbank_Lotto_Update.tdbd");
    EXPECT_EQ(sql_text(datei, "SELECT count(*) FROM Zahlen_Update"),
              abfrage("SELECT count(*) FROM Zahlen WHERE Jahr >= 2025 AND Zahl_01 IS NOT NULL"));
    EXPECT_EQ(sql_text(datei, "SELECT count(*) FROM Gewinn_Update"),
              abfrage("SELECT count(*) FROM Gewinn WHERE Jahr >= 2025"));
    // ... with a corrected draw and a new one ...
    sql_text(
        datei,
        "UPDATE Zahlen_Update SET Zahl_01=1 WHERE ID_Verband=3 AND ID_Ziehung=1 AND Jahr=2025 AND Woche=10");
    sql_text(datei,
             "INSERT INTO Zahlen_Update (ID_Verband, ID_Ziehung, Jahr, Woche, AB, Zahl_01, Zahl_02, Zahl_03, "
             "Zahl_04, Zahl_05, Zahl_06) VALUES (3, 1, 2027, 5, 1, 7, 8, 9, 10, 11, 12)");
    const std::string inhalt = lesen(datei);
    ASSERT_GT(inhalt.size(), 4096u);

    // ... is downloaded and merged by another installation.
    pyra::test::TempDir andere;
    Testserver server({{"/software/DO7_Dazov/Datenbank_Lotto_Update.tdbd", {200, inhalt}}});
    auto r =
        run("aktualisierung --url " + server.url("/software/DO7_Dazov/Datenbank_Lotto_Update.tdbd"), &andere);
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(r.ausgabe, "Aktualisierung OK - Bitte Hinweise (Hilfe) beachten!\n");
    const std::string andere_db = andere.file("Datenbank_Lotto.tdbd");
    EXPECT_EQ(sql_text(andere_db,
                       "SELECT Zahl_01 FROM Zahlen WHERE ID_Verband=3 AND ID_Ziehung=1 AND Jahr=2025 AND "
                       "Woche=10"),
              "1\n");
    EXPECT_EQ(sql_text(andere_db, "SELECT Zahl_06 FROM Zahlen WHERE Jahr=2027 AND Woche=5"), "12\n");
    EXPECT_EQ(lesen(andere.file("Datenbank_Lotto_Update.tdbd")), inhalt);

    // A missing file on the server and a host without a server fail with their messages.
    const std::string vorher = sql_text(andere_db, "SELECT count(*), total(Zahl_01) FROM Zahlen");
    r = run("aktualisierung --url " + server.url("/gibt/es/nicht"), &andere);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.ausgabe, "Aktualisierung fehlgeschlagen!\n");
    EXPECT_NE(r.fehler.find("404"), std::string::npos) << r.fehler;
    r = run("aktualisierung --url http://127.0.0.1:" + std::to_string(pyra::test::freier_port()) + "/x",
            &andere);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.ausgabe, "Keine Verbindung zum Internet.\n");
    EXPECT_EQ(sql_text(andere_db, "SELECT count(*), total(Zahl_01) FROM Zahlen"), vorher);
    EXPECT_EQ(run("aktualisierung --url ftp://127.0.0.1/x", &andere).status, 1);
}

TEST_F(CliWartung, MergingTheOwnExportChangesNothingAndNoZeroIsInvented) {
    const std::string db = tmp.file("Datenbank_Lotto.tdbd");
    ASSERT_EQ(run("start --datum 2026-12-10").status, 0);
    auto alles = [&] { return sql_text(db, "SELECT * FROM Zahlen ORDER BY 1, 2, 3, 4, 5"); };
    const std::string vorher = alles();
    ASSERT_EQ(run("export --ab-jahr 1955").status, 0);
    std::string inhalt = lesen(tmp.file("Datenbank_Lotto_Update.tdbd"));
    {
        Testserver server({{"/u.tdbd", {200, inhalt}}});
        auto r = run("aktualisierung --url " + server.url("/u.tdbd"));
        ASSERT_EQ(r.status, 0) << r.fehler;
    }
    EXPECT_TRUE(alles() == vorher);

    // A file of an earlier version wrote every empty field as 0: the Austrian draw keeps its empty
    // Superzahl and drawn order.
    const std::string u = tmp.file("Datenbank_Lotto_Update.tdbd");
    sql_text(u, "UPDATE Zahlen_Update SET Superzahl=0, Zahl_01_g=0, Zahl_02_g=0, Zahl_03_g=0, Zahl_04_g=0, "
                "Zahl_05_g=0, Zahl_06_g=0, Zusatzzahl=ifnull(Zusatzzahl, 0), Summe=ifnull(Summe, 0)");
    inhalt = lesen(u);
    Testserver server({{"/u.tdbd", {200, inhalt}}});
    auto r = run("aktualisierung --url " + server.url("/u.tdbd"));
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(sql_text(db,
                       "SELECT count(*) FROM Zahlen WHERE ID_Verband IN (4, 5) AND (Zahl_01_g IS NOT NULL OR "
                       "(ID_Verband = 4 AND Superzahl IS NOT NULL))"),
              "0\n");
}

TEST_F(CliWartung, ExportAfterEveryStoredYearLeavesTheUpdateTablesEmpty) {
    ASSERT_EQ(run("export --ab-jahr 2020").status, 0);
    auto r = run("export --ab-jahr 2101");
    ASSERT_EQ(r.status, 0) << r.fehler;
    const std::string datei = tmp.file("Datenbank_Lotto_Update.tdbd");
    EXPECT_EQ(r.ausgabe, "0 Ziehungen und 0 Gewinnquoten ab 2101 in die Datei " + datei + " geschrieben.\n");
    EXPECT_EQ(sql_text(datei, "SELECT count(*) FROM Zahlen_Update"), "0\n");
    EXPECT_EQ(sql_text(datei, "SELECT count(*) FROM Gewinn_Update"), "0\n");
    EXPECT_EQ(abfrage("SELECT Jahr_Export FROM Wahl"), "2101\n");
    EXPECT_EQ(run("export").status, 2);
}

} // namespace
