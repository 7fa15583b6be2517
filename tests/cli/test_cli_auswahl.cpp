#include "common/cli_lauf.h"
#include "common/schlechte_ziehungen.h"
#include "common/sql.h"
#include "common/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <unistd.h>

namespace {

using pyra::test::cli;

class CliAuswahl : public ::testing::Test {
  protected:
    pyra::test::TempDir tmp;
    pyra::test::CliErgebnis run(const std::string& args) {
        return cli(PYRA_CLI, "--dir '" + tmp.path().string() + "' " + args);
    }

    // The first value of the answer; -1 when there is none.
    long long zahl(const std::string& sql) {
        return static_cast<long long>(
            pyra::test::sql_wert(tmp.file("Datenbank_Lotto.tdbd"), sql).value_or(-1));
    }
};

TEST_F(CliAuswahl, AnlegenCreatesBothDatabasesWithTheHistory) {
    auto r = run("anlegen");
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_TRUE(std::filesystem::exists(tmp.file("Datenbank_Lotto.tdbd")));
    EXPECT_TRUE(std::filesystem::exists(tmp.file("Datenbank_Lotto_Update.tdbd")));
    EXPECT_EQ(zahl("SELECT count(*) FROM Zahlen WHERE ID_Verband=3 AND ID_Ziehung=1"), 3698);
    // The draws of 1 January and 31 December 2022 both exist under their own play week.
    EXPECT_EQ(
        zahl("SELECT Zahl_01 FROM Zahlen WHERE ID_Verband=3 AND ID_Ziehung=1 AND Jahr=2021 AND Woche=52"),
        10);
    EXPECT_EQ(
        zahl("SELECT count(*) FROM Zahlen WHERE ID_Verband=3 AND ID_Ziehung=1 AND Jahr=2022 AND Woche=52"),
        1);
    EXPECT_EQ(zahl("SELECT count(*) FROM Zahlen WHERE AB<>1"), 0);
    EXPECT_EQ(run("anlegen").ausgabe.rfind("Datenbank vorhanden", 0), 0u);
}

TEST_F(CliAuswahl, StartTakesThePlayWeekOfTheDate) {
    struct Fall {
        const char* datum;
        const char* auswahl;
    } faelle[] = {
        {"2026-12-09", "Jahr_aktuell=2026 Woche_aktuell=50 ID_Ziehung=2"}, // Wednesday
        {"2026-12-10", "Jahr_aktuell=2026 Woche_aktuell=50 ID_Ziehung=1"}, // Thursday
        {"2021-01-01", "Jahr_aktuell=2020 Woche_aktuell=53 ID_Ziehung=1"},
        {"2024-12-31", "Jahr_aktuell=2025 Woche_aktuell=1 ID_Ziehung=2"},
    };
    for (auto& f : faelle) {
        auto r = run(std::string("start --datum ") + f.datum);
        ASSERT_EQ(r.status, 0) << r.fehler;
        EXPECT_NE(r.ausgabe.find(f.auswahl), std::string::npos) << f.datum << ": " << r.ausgabe;
    }
}

TEST_F(CliAuswahl, AuswahlOfANewWeekCreatesItsRecords) {
    ASSERT_EQ(run("start --datum 2026-12-10").status, 0);
    auto r = run("auswahl --jahr 2027 --woche 7 --ziehung 2");
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(r.ausgabe, "ID_Verband=3 Jahr_aktuell=2027 Woche_aktuell=7 ID_Ziehung=2\n");
    const std::string sel = " WHERE ID_Verband=3 AND Jahr=2027 AND Woche=7 AND ID_Ziehung=2";
    EXPECT_EQ(zahl("SELECT count(*) FROM Zahlen" + sel + " AND AB=1 AND Zahl_01 IS NULL"), 1);
    EXPECT_EQ(zahl("SELECT count(*) FROM Zahl_Daten" + sel), 49);
    EXPECT_EQ(zahl("SELECT min(Zahl) || max(Zahl) FROM Zahl_Daten" + sel), 149);
    EXPECT_EQ(zahl("SELECT count(*) FROM Optionen" + sel + " AND Checkbox_01='f' AND Checkbox_49='f'"), 1);
    EXPECT_EQ(
        zahl(
            "SELECT count(*) FROM Optionen_2" + sel +
            " AND Prozent_Woche=0 AND Checkbox_Fuenfling='t' AND Endziffer=5 AND Zehner=6 AND \"7_er\"=6 AND "
            "\"7_er_vt\"=6 AND Quersumme_von=21 AND Quersumme_bis=279 AND Checkbox_Gerade_06='t'"),
        1);
    // A second commit of the same selection appends nothing.
    ASSERT_EQ(run("auswahl").status, 0);
    EXPECT_EQ(zahl("SELECT count(*) FROM Zahl_Daten" + sel), 49);
}

TEST_F(CliAuswahl, BadValuesAreRefusedAndNothingIsStored) {
    ASSERT_EQ(run("start --datum 2026-12-10").status, 0);
    struct Fall {
        const char* args;
        int status;
    } faelle[] = {
        {"auswahl --woche 54", 1},
        {"auswahl --woche zehn", 1},
        {"auswahl --verband 2", 1},
        {"auswahl --woche", 2},
        {"ziehung --jahr 2026 --woche 50 1 2 3 4 5 5", 1},
        {"ziehung --jahr 2026 --woche 50 0 2 3 4 5 6", 1},
        {"ziehung --jahr 2026 --woche 50 1 2 3 4 5 50", 1},
        {"ziehung --jahr 2026 --woche 50 1 2 3 4 5 6 --zusatzzahl 6", 1},
        {"ziehung --jahr 2026 --woche 50 1 2 3", 2},
        {"markieren 0", 1},
        {"markieren 1 2 x", 1},
        {"optionen Endziffer=abc", 1},
        {"optionen Gibtsnicht=1", 1},
        {"optionen ID_Verband=4", 1},
        {"einstellung Zahlen_bis=50", 1},
        {"einstellung Reihenberechnung=70000", 1},
        // The batch companion takes what the windows take.
        {"einstellung Reihenberechnung=", 1},
        {"einstellung Zahlen_bis=", 1},
        {"bankzahlen 0", 1},
        {"bankzahlen 7 50", 1},
        {"bankzahlen -5", 1},
        {"unbekannt", 2},
        {"analyse --woche 3", 2},
        {"kuerzung --seed", 2},
        {"export", 2},
    };
    for (auto& f : faelle) {
        auto r = run(f.args);
        EXPECT_EQ(r.status, f.status) << f.args;
        EXPECT_FALSE(r.fehler.empty()) << f.args;
    }
    EXPECT_EQ(zahl("SELECT Zahl_01 IS NULL FROM Zahlen WHERE ID_Verband=3 AND ID_Ziehung=1 AND Jahr=2026 AND "
                   "Woche=50"),
              1);
    EXPECT_EQ(zahl("SELECT Endziffer FROM Optionen_2 WHERE Jahr=2026 AND Woche=50"), 5);
    EXPECT_EQ(zahl("SELECT Zahlen_bis FROM Lotto WHERE ID_Verband=3"), 49);
    EXPECT_EQ(zahl("SELECT count(*) FROM Lotto WHERE Reihenberechnung IS NULL OR Zahlen_bis IS NULL"), 0);
    EXPECT_EQ(zahl("SELECT count(*) FROM Optionen WHERE Bankzahl_1 IS NOT NULL OR Bankzahl_2 IS NOT NULL"),
              0);
}

TEST_F(CliAuswahl, AMisplacedOrEmptyDirIsAUsageErrorAndCreatesNothing) {
    // Without a valid --dir in front the program would work on its default directory.
    const std::filesystem::path standard =
        std::filesystem::path(PYRA_CLI).parent_path() / "Datenbank_Lotto.tdbd";
    const bool vorher = std::filesystem::exists(standard);
    for (const std::string& args :
         {"anlegen --dir '" + tmp.path().string() + "'", "analyse --dir '" + tmp.path().string() + "'",
          std::string("--dir '' anlegen"), std::string("--dir")}) {
        auto r = cli(PYRA_CLI, args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.fehler.find("Aufruf:"), std::string::npos) << args;
    }
    EXPECT_EQ(std::filesystem::exists(standard), vorher);
    EXPECT_FALSE(std::filesystem::exists(tmp.file("Datenbank_Lotto.tdbd")));
}

TEST_F(CliAuswahl, AnlegenReportsAnEmptyOrDamagedFileInsteadOfCallingItPresent) {
    { std::ofstream(tmp.file("Datenbank_Lotto.tdbd")); }
    auto r = run("anlegen");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.ausgabe.find("Datenbank vorhanden"), std::string::npos);
    EXPECT_NE(r.fehler.find("Datenbank_Lotto.tdbd"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(tmp.file("Datenbank_Lotto.tdbd")), 0u);
}

TEST_F(CliAuswahl, DrawEntryStoresTheNumbersAscending) {
    ASSERT_EQ(run("start --datum 2026-12-10").status, 0);
    auto r = run("ziehung --jahr 2026 --woche 50 44 3 17 9 28 1 --superzahl 7");
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(zahl("SELECT Zahl_01*100 + Zahl_06 FROM Zahlen WHERE ID_Verband=3 AND ID_Ziehung=1 AND "
                   "Jahr=2026 AND Woche=50"),
              144);
    EXPECT_EQ(
        zahl("SELECT Superzahl FROM Zahlen WHERE ID_Verband=3 AND ID_Ziehung=1 AND Jahr=2026 AND Woche=50"),
        7);
}

TEST_F(CliAuswahl, BadDrawsAreRefusedByTheDrawRules) {
    ASSERT_EQ(run("start --datum 2026-12-10").status, 0);
    for (const auto& f : pyra::test::schlechte_ziehungen()) {
        if (!f.ohne_reihenfolge()) continue;
        std::string args = "ziehung --jahr 2026 --woche 50";
        for (auto& z : f.werte.zahlen) args += " " + std::to_string(*z);
        if (f.werte.zusatzzahl) args += " --zusatzzahl " + std::to_string(*f.werte.zusatzzahl);
        if (f.werte.superzahl) args += " --superzahl " + std::to_string(*f.werte.superzahl);
        auto r = run(args);
        EXPECT_EQ(r.status, 1) << f.name << ": " << r.fehler;
    }
    EXPECT_EQ(zahl("SELECT count(*) FROM Zahlen WHERE Jahr=2026 AND Woche=50 AND Zahl_01 IS NOT NULL"), 0);
}

TEST_F(CliAuswahl, CorrectedNumbersDropTheDrawnOrderOfTheOldOnes) {
    ASSERT_EQ(run("start --datum 2026-12-10").status, 0);
    const std::string wo = " FROM Zahlen WHERE ID_Verband=3 AND ID_Ziehung=1 AND Jahr=2025 AND Woche=10";
    ASSERT_EQ(zahl("SELECT count(*)" + wo + " AND Zahl_01_g IS NOT NULL"), 1);
    const std::string alt = pyra::test::sql_text(
        tmp.file("Datenbank_Lotto.tdbd"), "SELECT Zahl_01, Zahl_02, Zahl_03, Zahl_04, Zahl_05, Zahl_06" + wo);
    std::string gleiche = alt.substr(0, alt.size() - 1);
    std::replace(gleiche.begin(), gleiche.end(), '|', ' ');
    // The same numbers again keep their drawn order ...
    ASSERT_EQ(run("ziehung --jahr 2025 --woche 10 " + gleiche).status, 0);
    EXPECT_EQ(zahl("SELECT count(*)" + wo + " AND Zahl_01_g IS NOT NULL"), 1);
    // ... other numbers drop it.
    auto r = run("ziehung --jahr 2025 --woche 10 1 2 3 4 5 6");
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(zahl("SELECT count(*)" + wo + " AND Zahl_01_g IS NULL AND Zahl_06_g IS NULL AND Zahl_06 = 6"),
              1);
}

TEST_F(CliAuswahl, MarksBankNumbersAndSettingsAreStored) {
    ASSERT_EQ(run("start --datum 2026-12-10").status, 0);
    ASSERT_EQ(run("markieren 1 7 49").status, 0);
    ASSERT_EQ(run("bankzahlen 7").status, 0);
    ASSERT_EQ(run("optionen Endziffer=4 Checkbox_Gerade_03=f").status, 0);
    ASSERT_EQ(run("einstellung Reihenberechnung=20").status, 0);
    const std::string sel = " WHERE ID_Verband=3 AND Jahr=2026 AND Woche=50 AND ID_Ziehung=1";
    EXPECT_EQ(zahl("SELECT (Checkbox_01='t') + (Checkbox_07='t') + (Checkbox_49='t') + (Checkbox_02='t') "
                   "FROM Optionen" +
                   sel),
              3);
    EXPECT_EQ(zahl("SELECT Bankzahl_1 FROM Optionen" + sel), 7);
    EXPECT_EQ(zahl("SELECT Bankzahl_2 IS NULL FROM Optionen" + sel), 1);
    EXPECT_EQ(zahl("SELECT Endziffer FROM Optionen_2" + sel), 4);
    EXPECT_EQ(zahl("SELECT Reihenberechnung FROM Lotto WHERE ID_Verband=3"), 20);
    // An empty box before a filled one, as the window allows.
    ASSERT_EQ(run("bankzahlen '' 9").status, 0);
    EXPECT_EQ(zahl("SELECT (Bankzahl_1 IS NULL) * 100 + Bankzahl_2 FROM Optionen" + sel), 109);
}

TEST_F(CliAuswahl, AnUnreadableDatabaseIsReportedAndNeverReplaced) {
    {
        FILE* f = std::fopen(tmp.file("Datenbank_Lotto.tdbd").c_str(), "w");
        std::fputs("kein SQLite", f);
        std::fclose(f);
    }
    auto r = run("start --datum 2026-12-10");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.fehler.find("Datenbank_Lotto.tdbd"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(tmp.file("Datenbank_Lotto.tdbd")), 11u);
}

} // namespace

namespace {
TEST(CliEinzelinstanz, SecondInstanceEndsWithoutTouchingTheDatabase) {
    pyra::test::TempDir tmp;
    // Hold the lock the way a running program does.
    // The lock belongs to the database, whatever session the other process runs in.
    std::string lock = tmp.file("Datenbank_Lotto.tdbd.lock");
    int fd = open(lock.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    auto r = cli(PYRA_CLI, "--dir '" + tmp.path().string() + "' anlegen");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.ausgabe, "Anwendung läuft bereits!\n");
    EXPECT_FALSE(std::filesystem::exists(tmp.file("Datenbank_Lotto.tdbd")));
    flock(fd, LOCK_UN);
    close(fd);
}
} // namespace
