// The batch companion is killed with SIGKILL at random moments while it computes the analysis,
// stores a reduction of 750 rows and merges an online update. After every kill the database must
// pass SQLite's integrity check, open through the store, and still hold every record committed
// before the kill: the draws, the rows of an earlier completed reduction, and for the reduction
// and the update (each one transaction) either the whole new result or the old state.
//
// The delays come from a calibration run of each command (and of a command that only starts and
// closes), so that most kills land inside the work. PYRA_ABBRUECHE sets the number of kills per
// command (default 50).

#include "common/sql.h"
#include "common/tempdir.h"
#include "data/datamodule.h"
#include "maintenance/testserver.h"
#include "store/schema.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using pyra::test::sql_text;
using pyra::test::TempDir;
using Clock = std::chrono::steady_clock;

int abbrueche() {
    const char* n = std::getenv("PYRA_ABBRUECHE");
    return n && std::atoi(n) > 0 ? std::atoi(n) : 50;
}

// Starts pyra-lotto-cli --dir DIR ARGS, output to /dev/null.
pid_t starten(const std::string& dir, const std::vector<std::string>& args) {
    std::vector<std::string> alle = {PYRA_CLI, "--dir", dir};
    alle.insert(alle.end(), args.begin(), args.end());
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        std::vector<char*> argv;
        for (auto& a : alle) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// Runs the command to its end; returns the exit status and the time it took.
int ausfuehren(const std::string& dir, const std::vector<std::string>& args, double* sekunden = nullptr) {
    const auto anfang = Clock::now();
    const pid_t pid = starten(dir, args);
    int status = 0;
    waitpid(pid, &status, 0);
    if (sekunden) *sekunden = std::chrono::duration<double>(Clock::now() - anfang).count();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs the command and kills it after the delay. True when the kill hit the running process
// (false when it had already ended by itself).
bool toeten_nach(const std::string& dir, const std::vector<std::string>& args, double sekunden) {
    const pid_t pid = starten(dir, args);
    const auto ende = Clock::now() + std::chrono::duration<double>(sekunden);
    int status = 0;
    while (Clock::now() < ende) {
        if (waitpid(pid, &status, WNOHANG) == pid) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

void kopieren(const std::string& von, const std::string& nach) {
    for (const auto& e : fs::directory_iterator(von))
        if (e.path().filename().string().rfind("Datenbank_Lotto", 0) == 0)
            fs::copy_file(e.path(), nach + e.path().filename().string(),
                          fs::copy_options::overwrite_existing);
}

std::string hauptdatei(const std::string& dir) {
    return dir + "Datenbank_Lotto.tdbd";
}

// The key of every record of every table of the main database.
std::map<std::string, std::set<std::string>> alle_schluessel(const std::string& dir) {
    std::map<std::string, std::set<std::string>> s;
    for (const auto& t : pyra::store::mainSchema()) {
        if (t.primaryKey.empty()) continue;
        std::string spalten;
        for (const auto& k : t.primaryKey)
            spalten += (spalten.empty() ? "" : ", ") + pyra::store::quoteIdent(k);
        std::istringstream ein(
            sql_text(hauptdatei(dir), "SELECT " + spalten + " FROM " + pyra::store::quoteIdent(t.name)));
        for (std::string z; std::getline(ein, z);) s[t.name].insert(z);
    }
    return s;
}

const char* const ziehungen_sql =
    "SELECT ID_Verband, ID_Ziehung, Jahr, Woche, AB, Zahl_01, Zahl_02, Zahl_03, Zahl_04, Zahl_05, Zahl_06, "
    "Zusatzzahl, Superzahl, Zahl_01_g, Zahl_02_g, Zahl_03_g, Zahl_04_g, Zahl_05_g, Zahl_06_g FROM Zahlen "
    "ORDER BY ID_Verband, ID_Ziehung, Jahr, Woche, AB";
const char* const gewinne_sql = "SELECT * FROM Gewinn ORDER BY ID_Verband, Jahr, Woche, ID_Ziehung, Rang";

// The first line where two dumps differ, for the failure message.
std::string unterschied(const std::string& erwartet, const std::string& ist, const char* name) {
    std::istringstream a(erwartet), b(ist);
    std::string x, y;
    int n = 0, abweichend = 0;
    std::string erste;
    while (true) {
        const bool ha = static_cast<bool>(std::getline(a, x)), hb = static_cast<bool>(std::getline(b, y));
        if (!ha && !hb) break;
        ++n;
        if (x != y || ha != hb) {
            if (!abweichend)
                erste =
                    "Zeile " + std::to_string(n) + ": " + (ha ? x : "<fehlt>") + " / " + (hb ? y : "<fehlt>");
            ++abweichend;
        }
        if (!ha) x.clear();
        if (!hb) y.clear();
    }
    return std::string(name) + ": " + std::to_string(abweichend) + " Zeilen anders, " + erste + "\n";
}

class Testdialog_still : public pyra::data::Benutzerdialog {
  public:
    void Meldung(const std::string&) override {}
    bool Frage(const std::string&) override { return true; }
};

// What holds after every kill, whatever the command: the file is whole, the store opens it, and
// no record that was there before is gone.
void grundpruefung(const std::string& dir, const std::map<std::string, std::set<std::string>>& vorher) {
    ASSERT_EQ(sql_text(hauptdatei(dir), "PRAGMA integrity_check"), "ok\n");
    {
        pyra::data::Globale_Zustaende g;
        g.Programmverzeichnis = dir;
        pyra::data::Fensterzustand f;
        Testdialog_still d;
        pyra::data::DataModule_Lotto dm(g, f, d);
        ASSERT_NO_THROW(dm.Datenbank_Open());
        EXPECT_GT(dm.Table_Wahl.RecordCount(), 0);
        dm.Datenbank_Close();
    }
    const auto jetzt = alle_schluessel(dir);
    for (const auto& [tabelle, schluessel] : vorher) {
        const auto& da = jetzt.count(tabelle) ? jetzt.at(tabelle) : std::set<std::string>{};
        for (const auto& k : schluessel)
            ASSERT_TRUE(da.count(k)) << "Satz " << k << " der Tabelle " << tabelle << " fehlt";
    }
}

// Calibration, then kills until `abbrueche()` kills hit the running command. pruefen runs after
// every kill on the directory of that run.
struct Ergebnis {
    int treffer = 0, versuche = 0;
    double von = 0, bis = 0;
};

Ergebnis toeten_und_pruefen(const std::string& basis, const std::vector<std::string>& befehl,
                            const std::function<void(const std::string&)>& pruefen) {
    Ergebnis e;
    double leer = 1e9, voll = 0;
    for (int i = 0; i < 3; ++i) {
        TempDir t;
        kopieren(basis, t.dir());
        double s = 0;
        EXPECT_EQ(ausfuehren(t.dir(), {"auswahl"}, &s), 0);
        leer = std::min(leer, s);
        TempDir u;
        kopieren(basis, u.dir());
        EXPECT_EQ(ausfuehren(u.dir(), befehl, &s), 0);
        voll = std::max(voll, s);
    }
    // From within the start-up to the end of the work; a run that ends before its kill lowers the
    // upper end, so that the kills keep landing while the program runs.
    e.von = 0.5 * leer;
    e.bis = std::max(voll, e.von + 0.01);
    std::mt19937 zufall(20261210);
    const int ziel = abbrueche();
    double bis = e.bis;
    while (e.treffer < ziel && e.versuche < 4 * ziel) {
        ++e.versuche;
        TempDir t;
        kopieren(basis, t.dir());
        // Every other kill falls into the last sixth, where the results are written.
        const double anfang = e.versuche % 2 ? e.von : std::max(e.von, bis - (bis - e.von) / 6);
        const double d = std::uniform_real_distribution<double>(anfang, bis)(zufall);
        if (toeten_nach(t.dir(), befehl, d))
            ++e.treffer;
        else
            bis = std::max(e.von + 0.005, d); // this run was quicker than the calibration runs
        SCOPED_TRACE("Abbruch nach " + std::to_string(d) + " s (Versuch " + std::to_string(e.versuche) + ")");
        pruefen(t.dir());
        if (::testing::Test::HasFatalFailure() || ::testing::Test::HasNonfatalFailure()) break;
    }
    std::printf("%s: %d Abbrüche in %d Läufen, Verzögerung %.3f..%.3f s\n", befehl[0].c_str(), e.treffer,
                e.versuche, e.von, e.bis);
    return e;
}

// The default database, prepared by the commands, in a directory of its own.
class Absturzsicherheit : public ::testing::Test {
  protected:
    TempDir basis;
    void vorbereiten(const std::vector<std::vector<std::string>>& befehle) {
        ASSERT_EQ(ausfuehren(basis.dir(), {"anlegen"}), 0);
        for (const auto& b : befehle) ASSERT_EQ(ausfuehren(basis.dir(), b), 0) << b[0];
        // Every command begins with the selection refresh, which creates the records of the
        // selected week once; here, so that what a killed run leaves can be compared.
        ASSERT_EQ(ausfuehren(basis.dir(), {"auswahl"}), 0);
    }
};

TEST_F(Absturzsicherheit, AKillDuringTheAnalysisLeavesTheResultsAsTheyWere) {
    vorbereiten({});
    const auto vorher = alle_schluessel(basis.dir());
    const std::string ziehungen = sql_text(hauptdatei(basis.dir()), ziehungen_sql);
    const std::string gewinne = sql_text(hauptdatei(basis.dir()), gewinne_sql);
    const auto e = toeten_und_pruefen(basis.dir(), {"analyse"}, [&](const std::string& dir) {
        grundpruefung(dir, vorher);
        // The analysis writes only derived fields and its own tables; the results stay as they were.
        EXPECT_EQ(sql_text(hauptdatei(dir), ziehungen_sql), ziehungen);
        EXPECT_EQ(sql_text(hauptdatei(dir), gewinne_sql), gewinne);
    });
    EXPECT_GE(e.treffer, abbrueche());
}

TEST_F(Absturzsicherheit, AKillWhileStoringAReductionLeavesAWholeDatabase) {
    // Week 50 holds a completed system; week 49 the 750 emptied rows of an earlier system, with
    // other marks. The kills hit the reduction of week 49.
    const std::vector<std::string> zahlen_50 = {"markieren", "1",  "3",  "5",  "8",  "13", "17", "21",
                                                "24",        "28", "31", "35", "40", "42", "45", "49"};
    std::vector<std::string> zahlen_49 = {"markieren", "2",  "4",  "6",  "9",  "11", "14", "19",
                                          "23",        "27", "30", "33", "38", "41", "44", "47"};
    std::vector<std::string> zahlen_49_neu = zahlen_49;
    zahlen_49_neu.back() = "48";
    vorbereiten({{"auswahl", "--woche", "50"},
                 zahlen_50,
                 {"einstellung", "Reihenberechnung=750"},
                 {"kuerzung", "--seed", "1"},
                 {"auswahl", "--woche", "49"},
                 zahlen_49,
                 {"kuerzung", "--seed", "1"},
                 {"entsperren"},
                 zahlen_49_neu});
    const std::string reihen_sql = "SELECT * FROM Reihen WHERE Woche = %d ORDER BY ID_Verband, Jahr, "
                                   "ID_Ziehung, ID_Tendenz, ID_Allgorithmus, Reihe";
    auto reihen = [&](const std::string& dir, int woche) {
        char sql[256];
        std::snprintf(sql, sizeof sql, reihen_sql.c_str(), woche);
        return sql_text(hauptdatei(dir), sql);
    };
    const std::string woche_50 = reihen(basis.dir(), 50);
    const std::string woche_49_alt = reihen(basis.dir(), 49);
    ASSERT_EQ(
        sql_text(hauptdatei(basis.dir()), "SELECT count(*), count(Tipp_Zahl_1) FROM Reihen WHERE Woche = 50"),
        "750|750\n");
    ASSERT_EQ(
        sql_text(hauptdatei(basis.dir()), "SELECT count(*), count(Tipp_Zahl_1) FROM Reihen WHERE Woche = 49"),
        "750|0\n");
    // The complete result of the run that is killed.
    TempDir voll;
    kopieren(basis.dir(), voll.dir());
    ASSERT_EQ(ausfuehren(voll.dir(), {"kuerzung", "--seed", "7"}), 0);
    const std::string woche_49_neu = reihen(voll.dir(), 49);
    ASSERT_NE(woche_49_neu, woche_49_alt);

    const auto vorher = alle_schluessel(basis.dir());
    const std::string ziehungen = sql_text(hauptdatei(basis.dir()), ziehungen_sql);
    int alt = 0, neu = 0;
    const auto e = toeten_und_pruefen(basis.dir(), {"kuerzung", "--seed", "7"}, [&](const std::string& dir) {
        grundpruefung(dir, vorher);
        EXPECT_EQ(reihen(dir, 50), woche_50);
        const std::string r = reihen(dir, 49);
        EXPECT_TRUE(r == woche_49_alt || r == woche_49_neu) << "Woche 49 hält einen Teil der neuen Reihen";
        (r == woche_49_neu ? neu : alt)++;
        EXPECT_EQ(sql_text(hauptdatei(dir), ziehungen_sql), ziehungen);
    });
    std::printf("Woche 49 danach: %d mal der alte Stand, %d mal die neuen Reihen\n", alt, neu);
    EXPECT_GE(e.treffer, abbrueche());
}

TEST_F(Absturzsicherheit, AKillWhileMergingAnUpdateLeavesAWholeDatabase) {
    vorbereiten({});
    // The update: the whole history exported by another installation, with changed winners and
    // Superzahlen and draws of weeks that are not in this database yet.
    TempDir quelle;
    ASSERT_EQ(ausfuehren(quelle.dir(), {"anlegen"}), 0);
    ASSERT_EQ(ausfuehren(quelle.dir(), {"export", "--ab-jahr", "1955"}), 0);
    const std::string upd = quelle.file("Datenbank_Lotto_Update.tdbd");
    ASSERT_EQ(sql_text(upd, "UPDATE Gewinn_Update SET Anzahl = Anzahl + 1"), "");
    ASSERT_EQ(sql_text(upd, "UPDATE Zahlen_Update SET Superzahl = (Superzahl + 1) % 10 WHERE Jahr >= 2000"),
              "");
    ASSERT_EQ(
        sql_text(upd,
                 "WITH RECURSIVE w(n) AS (SELECT 35 UNION ALL SELECT n + 1 FROM w WHERE n < 45) "
                 "INSERT INTO Zahlen_Update (ID_Verband, ID_Ziehung, Jahr, Woche, AB, Zahl_01, Zahl_02, "
                 "Zahl_03, Zahl_04, Zahl_05, Zahl_06) SELECT 3, 2, 2026, n, 1, 3, 9, 17, 25, 33, 41 FROM w"),
        "");
    ASSERT_EQ(sql_text(upd, "PRAGMA wal_checkpoint(TRUNCATE)").substr(0, 1), "0");
    std::string inhalt;
    {
        std::ifstream ein(upd, std::ios::binary);
        inhalt.assign(std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>());
    }
    ASSERT_GT(inhalt.size(), 100000u);
    pyra::test::Testserver server({{"/update", {200, inhalt}}});
    const std::vector<std::string> befehl = {"aktualisierung", "--url", server.url("/update")};

    TempDir voll;
    kopieren(basis.dir(), voll.dir());
    ASSERT_EQ(ausfuehren(voll.dir(), befehl), 0);
    const std::string alt =
        sql_text(hauptdatei(basis.dir()), ziehungen_sql) + sql_text(hauptdatei(basis.dir()), gewinne_sql);
    const std::string neu =
        sql_text(hauptdatei(voll.dir()), ziehungen_sql) + sql_text(hauptdatei(voll.dir()), gewinne_sql);
    ASSERT_NE(alt, neu);

    const auto vorher = alle_schluessel(basis.dir());
    int n_alt = 0, n_neu = 0;
    const auto e = toeten_und_pruefen(basis.dir(), befehl, [&](const std::string& dir) {
        grundpruefung(dir, vorher);
        const std::string jetzt =
            sql_text(hauptdatei(dir), ziehungen_sql) + sql_text(hauptdatei(dir), gewinne_sql);
        EXPECT_TRUE(jetzt == alt || jetzt == neu)
            << "die Haupttabellen halten einen Teil der Aktualisierung\n"
            << unterschied(alt, jetzt, "alt") << unterschied(neu, jetzt, "neu");
        (jetzt == neu ? n_neu : n_alt)++;
    });
    std::printf("Haupttabellen danach: %d mal der alte Stand, %d mal zusammengeführt\n", n_alt, n_neu);
    EXPECT_GE(e.treffer, abbrueche());
}

} // namespace
