#include "common/kleiner_datentraeger.h"
#include "common/sql.h"
#include "common/tempdir.h"
#include "store/store.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <utility>

using namespace pyra::store;

namespace {

class StoreTest : public ::testing::Test {
  protected:
    pyra::test::TempDir tmp;
    std::string path = tmp.file("Datenbank_Lotto.tdbd");
    Database db{"TdbDatabase_Lotto"};

    void SetUp() override {
        Database::createFile(path, mainSchema());
        db.SetLocation(path);
        db.SetConnected(true);
    }

    void addWahl(int verband, int jahr, int woche, int ziehung) {
        Table w(db, "w", "Wahl");
        w.Open();
        w.Append();
        w.FieldByName("ID_Verband").SetInteger(verband);
        w.FieldByName("Jahr_aktuell").SetInteger(jahr);
        w.FieldByName("Woche_aktuell").SetInteger(woche);
        w.FieldByName("ID_Ziehung").SetInteger(ziehung);
        w.FieldByName("ID_Tendenz").SetInteger(0);
        w.FieldByName("ID_Allgorithmus").SetInteger(0);
        w.Post();
    }
};

TEST_F(StoreTest, AppendRecordFillsLeadingFieldsAndLeavesTheRestNull) {
    Table z(db, "Table_Zahlen", "Zahlen");
    z.Open();
    z.AppendRecord({3, 1, 2024, 10, 1});
    EXPECT_EQ(z.RecordCount(), 1);
    EXPECT_EQ(z.FieldByName("woche").AsInteger(), 10); // names match without regard to case
    EXPECT_TRUE(z.FieldByName("Zahl_01").IsNull());
    EXPECT_EQ(z.FieldByName("Zahl_01").AsInteger(), 0);
    EXPECT_EQ(z.FieldByName("Zahl_01").AsString(), "");
}

TEST_F(StoreTest, AFullDiskIsReportedAsAFullDiskWhetherAPostOrACommitRunsOutOfSpace) {
    Table z(db, "z", "Zahlen");
    z.Open();
    signal(SIGXFSZ, SIG_IGN);
    rlimit alt{};
    getrlimit(RLIMIT_FSIZE, &alt);
    rlimit klein = alt;
    klein.rlim_cur = 256 * 1024;
    std::vector<std::string> meldungen;
    setrlimit(RLIMIT_FSIZE, &klein);
    for (int runde = 0; runde < 2; ++runde) {
        try {
            std::optional<Database::Transaction> tx;
            if (runde == 1) tx.emplace(db); // the second time the rows wait for one commit
            for (int w = 1; w <= 53; ++w)
                for (int j = 1955; j <= 2100; ++j) z.AppendRecord({3 + runde, 1, j, w, 1, 1, 2, 3, 4, 5, 6});
            if (tx) tx->Commit();
        } catch (const StoreError& e) {
            meldungen.push_back(e.what());
        }
    }
    setrlimit(RLIMIT_FSIZE, &alt);
    ASSERT_EQ(meldungen.size(), 2u);
    for (const auto& m : meldungen)
        EXPECT_EQ(m, "Der Datenträger ist voll; der Datensatz wurde nicht gespeichert.");
}

TEST_F(StoreTest, RequiredFieldDuplicateKeyAndRangeAreRefusedWithAMessage) {
    Table z(db, "Table_Zahlen", "Zahlen");
    z.Open();
    EXPECT_THROW(z.AppendRecord({3, 1, 2024}), StoreError); // Woche and AB missing
    z.AppendRecord({3, 1, 2024, 10, 1});
    try {
        z.AppendRecord({3, 1, 2024, 10, 1});
        FAIL() << "duplicate key accepted";
    } catch (const StoreError& e) {
        EXPECT_NE(std::string(e.what()).find("Schlüsselverletzung"), std::string::npos);
    }
    z.Edit();
    EXPECT_THROW(z.FieldByName("Zahl_01").SetString("abc"), StoreError);
    EXPECT_THROW(z.FieldByName("Zahl_01").SetInteger(40000), StoreError);
    z.FieldByName("Zahl_01").SetString(" 7 ");
    z.Post();
    EXPECT_EQ(z.RecordCount(), 1);
    EXPECT_EQ(z.FieldByName("Zahl_01").AsInteger(), 7);
}

TEST_F(StoreTest, RestrictionFollowsMasterFieldWhileMasterIsEdited) {
    addWahl(3, 2024, 10, 1);
    Table wahl(db, "Table_Wahl", "Wahl");
    DataSource dsWahl("DataSource_Wahl", &wahl);
    Table zd(db, "Table_Zahl_Daten", "Zahl_Daten");
    zd.SetMaster(&dsWahl, "ID_Verband;Jahr_aktuell;Woche_Aktuell;ID_Ziehung",
                 "ID_Verband;Jahr;Woche;ID_Ziehung");
    Table reihen(db, "Table_Reihen", "Reihen");
    reihen.SetMaster(&dsWahl, "ID_Verband;Jahr_aktuell;Woche_aktuell;ID_Ziehung;ID_Tendenz;ID_Allgorithmus",
                     "ID_Verband;Jahr;Woche;ID_Ziehung;ID_Tendenz;ID_Allgorithmus");
    wahl.Open();
    zd.Open();
    reihen.Open();
    zd.AppendRecord({3, 2024, 10, 1, 5});
    zd.AppendRecord({3, 2024, 11, 1, 6});
    zd.AppendRecord({4, 2024, 10, 1, 7}); // another association: never visible here
    reihen.AppendRecord({3, 2024, 11, 1, 0, 0, 1, 1, 2, 3, 4, 5, 6});
    EXPECT_EQ(zd.RecordCount(), 1);
    EXPECT_EQ(reihen.RecordCount(), 0);
    EXPECT_FALSE(zd.Locate("Zahl", {7}));

    wahl.Edit();
    wahl.FieldByName("Woche_aktuell").SetInteger(11); // not yet posted
    EXPECT_EQ(zd.RecordCount(), 1);
    EXPECT_EQ(zd.FieldByName("Zahl").AsInteger(), 6);
    EXPECT_EQ(reihen.RecordCount(), 1);
    wahl.Post();
    EXPECT_EQ(zd.FieldByName("Zahl").AsInteger(), 6);
}

TEST_F(StoreTest, LocateOnChainedRestrictionSeesOnlyItsRecords) {
    addWahl(3, 2024, 10, 1);
    Table wahl(db, "Table_Wahl", "Wahl");
    DataSource dsWahl("DataSource_Wahl", &wahl);
    Table zahlen(db, "Table_Zahlen", "Zahlen");
    DataSource dsZahlen("DataSource_Zahlen", &zahlen);
    Table gewinn(db, "Table_Gewinn", "Gewinn");
    zahlen.SetMaster(&dsWahl, "ID_Verband;ID_Ziehung", "ID_Verband;ID_Ziehung");
    gewinn.SetMaster(&dsZahlen, "ID_Verband;Jahr;Woche;ID_Ziehung", "ID_Verband;Jahr;Woche;ID_Ziehung");
    wahl.Open();
    zahlen.Open();
    gewinn.Open();
    Table all(db, "z2", "Zahlen");
    all.Open();
    all.AppendRecord({3, 1, 2024, 9, 1});
    all.AppendRecord({3, 1, 2024, 10, 1});
    all.AppendRecord({4, 1, 2024, 10, 1});
    Table g2(db, "g2", "Gewinn");
    g2.Open();
    g2.AppendRecord({3, 2024, 10, 1, 1, 5, 100.0});
    g2.AppendRecord({3, 2024, 10, 1, 2, 7, 50.0});
    g2.AppendRecord({3, 2024, 9, 1, 1, 1, 10.0});
    zahlen.Refresh();
    EXPECT_EQ(zahlen.RecordCount(), 2);
    ASSERT_TRUE(zahlen.Locate("Jahr;Woche", {2024, 10}));
    EXPECT_EQ(zahlen.FieldByName("ID_Verband").AsInteger(), 3);
    EXPECT_EQ(gewinn.RecordCount(), 2);
    zahlen.Prior();
    EXPECT_EQ(gewinn.RecordCount(), 1);
    EXPECT_DOUBLE_EQ(gewinn.FieldByName("Gewinn").AsFloat(), 10.0);
}

TEST_F(StoreTest, NavigationFlagsAndDeleteWhileSteppingBackwards) {
    Table r(db, "Table_Reihen", "Reihen");
    r.Open();
    EXPECT_TRUE(r.Eof());
    EXPECT_TRUE(r.Bof());
    for (int i = 1; i <= 4; ++i) r.AppendRecord({3, 2024, 10, 1, 0, 0, i});
    r.Locate("Reihe", {2});
    EXPECT_FALSE(r.Bof());
    r.Prior();
    EXPECT_FALSE(r.Bof()); // moving onto the first record does not set Bof
    r.Prior();
    EXPECT_TRUE(r.Bof());
    EXPECT_EQ(r.FieldByName("Reihe").AsInteger(), 1);
    r.Last();
    EXPECT_TRUE(r.Eof());
    r.Delete(); // deleting the last record: the cursor stands on the new last one
    EXPECT_EQ(r.FieldByName("Reihe").AsInteger(), 3);
    r.Prior();
    EXPECT_EQ(r.FieldByName("Reihe").AsInteger(), 2);
    r.First();
    r.Delete();
    EXPECT_EQ(r.FieldByName("Reihe").AsInteger(), 2); // the record that followed
    EXPECT_EQ(r.RecordCount(), 2);
}

TEST_F(StoreTest, PostIfEditingOnlyPostsInEditState) {
    Table r(db, "Table_Reihen", "Reihen");
    r.Open();
    r.PostIfEditing(); // browse: nothing
    r.Append();
    r.FieldByName("ID_Verband").SetInteger(3);
    r.PostIfEditing(); // insert: left alone
    EXPECT_EQ(r.State(), DataSetState::Insert);
    for (auto* f : {"Jahr", "Woche", "ID_Ziehung", "ID_Tendenz", "ID_Allgorithmus", "Reihe"})
        r.FieldByName(f).SetInteger(1);
    r.Post();
    r.Edit();
    r.FieldByName("Tipp_Zahl_1").SetInteger(5);
    r.PostIfEditing();
    EXPECT_EQ(r.State(), DataSetState::Browse);
    Table other(db, "x", "Reihen");
    other.Open();
    EXPECT_EQ(other.FieldByName("Tipp_Zahl_1").AsInteger(), 5);
}

TEST_F(StoreTest, SetFieldsKeepsAndClearsAsAsked) {
    Table r(db, "Table_Reihen", "Reihen");
    r.Open();
    r.AppendRecord({3, 2024, 10, 1, 0, 0, 1, 4, 5, 6, 7, 8, 9, 3, 2});
    r.Edit();
    std::vector<Value> v(7, Value::keep());
    for (int i = 0; i < 8; ++i) v.push_back(Value::null());
    r.SetFields(v);
    r.Post();
    EXPECT_EQ(r.FieldByName("Reihe").AsInteger(), 1);
    EXPECT_TRUE(r.FieldByName("Tipp_Zahl_1").IsNull());
    EXPECT_TRUE(r.FieldByName("Richtige").IsNull());
    EXPECT_TRUE(r.FieldByName("Zusatzzahl").IsNull());
}

TEST_F(StoreTest, NamedIndexOrdersDescendingWithEmptyValuesLastAndFollowsPosts) {
    Table zd(db, "Table_Zahl_Daten", "Zahl_Daten");
    zd.Open();
    zd.AppendRecord({3, 2024, 10, 1, 1, 5.0});
    zd.AppendRecord({3, 2024, 10, 1, 2});
    zd.AppendRecord({3, 2024, 10, 1, 3, 7.0});
    zd.AppendRecord({3, 2024, 10, 1, 4, 5.0});
    zd.SetIndexName("Index_Wahrscheinlichkeit");
    std::vector<int> order;
    for (zd.First(); !zd.Eof(); zd.Next())
        order.push_back(static_cast<int>(zd.FieldByName("Zahl").AsInteger()));
    EXPECT_EQ(order, (std::vector<int>{3, 1, 4, 2}));
    zd.Locate("Zahl", {2});
    zd.Edit();
    zd.FieldByName("Wahrscheinlichkeit").SetFloat(9.0);
    zd.Post();
    EXPECT_EQ(zd.RecNo(), 1); // the posted record moved to its place in the order
    zd.SetIndexName("");
    zd.First();
    EXPECT_EQ(zd.FieldByName("Zahl").AsInteger(), 1);
    EXPECT_THROW(zd.SetIndexName("Index_Gibt_Es_Nicht"), StoreError);
}

TEST_F(StoreTest, FilterCalcFieldsAndDisableControls) {
    Table v(db, "Table_Verband", "Verband");
    DataSource ds("DataSource_Verband", &v);
    int changes = 0;
    ds.OnDataChange = [&](DataSource&, DataEvent, const Field*) { ++changes; };
    v.Filtered = true;
    v.OnFilterRecord = [](DataSet& d) {
        auto id = d.FieldByName("ID_Verband").AsInteger();
        return id >= 3 && id <= 6;
    };
    v.Open();
    for (int i = 1; i <= 7; ++i) v.AppendRecord({i, "V" + std::to_string(i)});
    v.Refresh();
    EXPECT_EQ(v.RecordCount(), 4);
    EXPECT_FALSE(v.Locate("ID_Verband", {7}));

    Table g(db, "Table_Gewinn", "Gewinn");
    g.OnCalcFields = [](DataSet& d) {
        d.FieldByName("Mal").SetString(d.FieldByName("Anzahl").IsNull() ? "" : "x");
    };
    g.Open();
    g.AppendRecord({3, 2024, 10, 1, 1, 0});
    g.AppendRecord({3, 2024, 10, 1, 2});
    g.First();
    EXPECT_EQ(g.FieldByName("Mal").AsString(), "x");
    g.Next();
    EXPECT_EQ(g.FieldByName("Mal").AsString(), "");

    changes = 0;
    v.DisableControls();
    for (v.First(); !v.Eof(); v.Next()) {
    }
    EXPECT_EQ(changes, 0);
    v.EnableControls();
    EXPECT_EQ(changes, 1);
}

TEST_F(StoreTest, OnUpdateDataAndBeforePostRunOnEveryPost) {
    Table z(db, "Table_Zahlen", "Zahlen");
    DataSource ds("DataSource_Zahlen", &z);
    std::vector<std::string> calls;
    ds.OnUpdateData = [&](DataSource&) { calls.push_back("update"); };
    z.BeforePost = [&](Table& t) {
        calls.push_back("before");
        t.FieldByName("AB").SetInteger(1);
    };
    z.Open();
    z.AppendRecord({3, 1, 2024, 10, 2});
    EXPECT_EQ(z.FieldByName("AB").AsInteger(), 1);
    EXPECT_EQ(calls, (std::vector<std::string>{"update", "before"}));
}

TEST_F(StoreTest, QueriesTakeNamedParametersAndSeePostedData) {
    Table z(db, "Table_Zahlen", "Zahlen");
    z.Open();
    z.AppendRecord({3, 1, 2024, 11, 1, 1, 2, 3, 4, 5, 6});
    z.AppendRecord({3, 1, 2023, 50, 1});
    z.AppendRecord({3, 2, 2024, 11, 1});
    Query q(db, "Query_Zahlen",
            "SELECT * FROM Zahlen WHERE ID_Verband = :ID_Verband AND \n"
            "ID_Ziehung = :ID_Ziehung ORDER BY Jahr, Woche ASC");
    q.ParamByName("ID_Verband") = 3;
    q.ParamByName("ID_Ziehung") = 1;
    q.Open();
    EXPECT_EQ(q.FieldCount(), 37);
    EXPECT_EQ(q.RecordCount(), 2);
    EXPECT_EQ(q.FieldByName("Jahr").AsInteger(), 2023);
    ASSERT_TRUE(q.Locate("Jahr;Woche", {2024, 11}));
    EXPECT_EQ(q.FieldByName("Zahl_06").AsInteger(), 6);
    q.Prior();
    q.Prior();
    EXPECT_TRUE(q.Bof());

    Query r(db, "Query_Reihen",
            "SELECT * FROM Reihen WHERE ID_Verband = :ID_Verband AND \n"
            "Jahr = :Jahr AND Woche = :Woche AND ID_Ziehung = :ID_Ziehung AND\n"
            "ID_Tendenz = :ID_Tendenz AND ID_Allgorithmus = :ID_Allgorithmus");
    for (auto* p : {"ID_Verband", "Jahr", "Woche", "ID_Ziehung", "ID_Tendenz", "ID_Allgorithmus"})
        r.ParamByName(p) = 0;
    r.Open();
    EXPECT_EQ(r.FieldCount(), 15);
}

TEST_F(StoreTest, EmptyTableDeletesEveryRecordOfTheTable) {
    Table z(db, "Table_Zahlen", "Zahlen");
    z.Open();
    z.AppendRecord({3, 1, 2024, 11, 1});
    z.AppendRecord({4, 1, 2024, 11, 1});
    z.Close();
    z.EmptyTable();
    z.Open();
    EXPECT_EQ(z.RecordCount(), 0);
}

TEST(StoreFiles, BadFilesAreReportedAndLeftUntouched) {
    pyra::test::TempDir tmp;
    struct Case {
        std::string name;
        std::string content;
    };
    for (const Case& c : {Case{"text.tdbd", "Das ist keine Datenbank, nur Text.\n"}, Case{"leer.tdbd", ""}}) {
        std::string p = tmp.file(c.name);
        std::ofstream(p, std::ios::binary) << c.content;
        Database db;
        db.SetLocation(p);
        if (c.content.empty()) {
            // An empty file is a valid empty SQLite database, but it lacks every table.
            db.SetConnected(true);
            Table t(db, "Table_Wahl", "Wahl");
            try {
                t.Open();
                FAIL();
            } catch (const StoreError& e) {
                EXPECT_NE(std::string(e.what()).find("fehlt die Tabelle 'Wahl'"), std::string::npos);
            }
        } else {
            try {
                db.SetConnected(true);
                FAIL() << c.name;
            } catch (const StoreError& e) {
                EXPECT_NE(std::string(e.what()).find(p), std::string::npos);
            }
        }
        std::ifstream in(p, std::ios::binary);
        std::string back((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(back, c.content);
    }
    Database db;
    db.SetLocation(tmp.file("fehlt.tdbd"));
    EXPECT_THROW(db.SetConnected(true), StoreError);
    EXPECT_FALSE(std::filesystem::exists(tmp.file("fehlt.tdbd")));
    // A log left beside the name of a new database is neither applied to it nor removed.
    const std::string neu = tmp.file("neu.tdbd");
    std::ofstream(neu + "-wal", std::ios::binary) << "alt";
    EXPECT_THROW(Database::createFile(neu, mainSchema()), StoreError);
    EXPECT_FALSE(std::filesystem::exists(neu));
    EXPECT_EQ(std::filesystem::file_size(neu + "-wal"), 3u);
}

// Runs the check as an ordinary user: root ignores file permissions, so as root a child process
// gives up its rights first. Returns the child's exit status (0 when every check passed).
int als_benutzer(const std::function<bool()>& pruefung) {
    if (geteuid() != 0) return pruefung() ? 0 : 1;
    const pid_t pid = fork();
    if (pid == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
        _exit(pruefung() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}

// On a real full file system SQLite fails with SQLITE_FULL or with an I/O error whose cause is
// ENOSPC, depending on which of its files could not grow; reading a database in WAL mode fails too
// when its -shm cannot be made. Each case gets the full-disk message, and nothing is damaged.
TEST(StoreFiles, AFullFileSystemGivesTheFullDiskMessageAndLosesNothing) {
    pyra::test::TempDir tmp;
    const auto zeilen =
        pyra::test::auf_kleinem_datentraeger(tmp.path().string(), 1024, [](const std::string& dir) {
            std::vector<std::string> r;
            const std::string p = dir + "/Datenbank_Lotto.tdbd";
            Database::createFile(p, mainSchema());
            {
                Database db;
                db.SetLocation(p);
                db.SetConnected(true);
                Table z(db, "z", "Zahlen");
                z.Open();
                z.AppendRecord({3, 1, 2024, 1, 1, 1, 2, 3, 4, 5, 6});
                const std::string fueller = pyra::test::datentraeger_fuellen(dir);
                try {
                    for (int w = 2; w <= 53; ++w) z.AppendRecord({3, 1, 2024, w, 1, 1, 2, 3, 4, 5, 6});
                    r.push_back("gespeichert");
                } catch (const StoreError& e) {
                    r.push_back(e.what());
                }
                ::unlink(fueller.c_str());
                db.SetConnected(false);
            }
            // Not even the -shm of a database fits any more; nor does a new database.
            const std::string fueller = pyra::test::datentraeger_fuellen(dir);
            try {
                Database db;
                db.SetLocation(p);
                db.SetConnected(true);
                r.push_back("geöffnet");
            } catch (const StoreError& e) {
                r.push_back(e.what());
            }
            try {
                Database::createFile(dir + "/neu.tdbd", mainSchema());
                r.push_back("angelegt");
            } catch (const StoreError& e) {
                r.push_back(e.what());
            }
            for (const auto& eintrag : std::filesystem::directory_iterator(dir))
                if (eintrag.path().filename().string().rfind("neu.tdbd", 0) == 0)
                    r.push_back("übrig: " + eintrag.path().filename().string());
            ::unlink(fueller.c_str());
            // With room again, the database opens with what was stored before the disk filled.
            Database db;
            db.SetLocation(p);
            db.SetConnected(true);
            Table z(db, "z", "Zahlen");
            z.Open();
            r.push_back(z.Locate("Woche", {1}) ? "Woche 1 da" : "Woche 1 fehlt");
            return r;
        });
    if (!zeilen) {
        GTEST_SKIP() << "no small file system can be mounted here";
    }
    const std::string p = tmp.path().string() + "/Datenbank_Lotto.tdbd";
    const std::vector<std::string> erwartet = {
        "Der Datenträger ist voll; der Datensatz wurde nicht gespeichert.",
        "Der Datenträger ist voll; die Datenbank '" + p +
            "' kann nicht geöffnet werden. Bitte Platz schaffen und erneut versuchen.",
        "Der Datenträger ist voll; die Datenbank '" + tmp.path().string() +
            "/neu.tdbd' wurde nicht angelegt.",
        "Woche 1 da",
    };
    EXPECT_EQ(*zeilen, erwartet);
}

TEST(StoreFiles, AReadOnlyDatabaseIsRefusedAndIsWritableOnceTheUserFixesIt) {
    pyra::test::TempDir tmp;
    std::string p = tmp.file("ro.tdbd");
    Database::createFile(p, mainSchema());
    namespace fs = std::filesystem;
    fs::permissions(tmp.path(), fs::perms::all);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(p.c_str(), 65534, 65534), 0);
    }
    fs::permissions(p, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(als_benutzer([&] {
                  Database db;
                  db.SetLocation(p);
                  try {
                      db.SetConnected(true);
                      return false;
                  } catch (const StoreError& e) {
                      return std::string(e.what()).find("schreibgeschützt") != std::string::npos;
                  }
              }),
              0);
    // No side file was left behind, so making the file writable is all the user has to do.
    EXPECT_FALSE(fs::exists(p + "-shm"));
    EXPECT_FALSE(fs::exists(p + "-wal"));
    fs::permissions(p, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(als_benutzer([&] {
                  Database db;
                  db.SetLocation(p);
                  db.SetConnected(true);
                  db.exec("INSERT INTO Woche (ID_Woche, Woche) VALUES (1, '01. Woche')");
                  db.SetConnected(false);
                  return true;
              }),
              0);
    // An empty write-protected side file holds nothing and is simply made writable.
    { std::ofstream(p + "-wal"); }
    if (geteuid() == 0) {
        ASSERT_EQ(chown((p + "-wal").c_str(), 65534, 65534), 0);
    }
    fs::permissions(p + "-wal", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(als_benutzer([&] {
                  Database db;
                  db.SetLocation(p);
                  db.SetConnected(true);
                  db.exec("INSERT INTO Woche (ID_Woche, Woche) VALUES (2, '02. Woche')");
                  return true;
              }),
              0);
    // A write-protected side file with content makes SQLite read only as well: the message names
    // that file, not the database the user already made writable.
    { std::ofstream(p + "-shm", std::ios::binary) << std::string(32768, '\0'); }
    if (geteuid() == 0) {
        ASSERT_EQ(chown((p + "-shm").c_str(), 65534, 65534), 0);
    }
    fs::permissions(p + "-shm", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(als_benutzer([&] {
                  Database db;
                  db.SetLocation(p);
                  try {
                      db.SetConnected(true);
                      return false;
                  } catch (const StoreError& e) {
                      return std::string(e.what()).find("'" + p +
                                                        "-shm' neben der Datenbank ist schreibgeschützt") !=
                             std::string::npos;
                  }
              }),
              0);
}

TEST(StoreFiles, SchemaHasTheTablesFieldsAndIndexesUnderTheirNames) {
    pyra::test::TempDir tmp;
    std::string p = tmp.file("s.tdbd");
    Database::createFile(p, mainSchema());
    // The answer's rows, one name each.
    auto names = [&](const std::string& sql) {
        std::vector<std::string> out;
        std::istringstream rows(pyra::test::sql_text(p, sql));
        for (std::string row; std::getline(rows, row);) out.push_back(row);
        return out;
    };
    auto tables = names("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name");
    EXPECT_EQ(tables.size(), 17u);
    auto cols = names("SELECT name FROM pragma_table_info('Zahlen')");
    ASSERT_EQ(cols.size(), 37u);
    EXPECT_EQ(cols[4], "AB");
    EXPECT_EQ(cols[36], "Summe_Wo");
    auto ocols = names("SELECT name FROM pragma_table_info('Optionen_2')");
    EXPECT_EQ(ocols.size(), 24u);
    auto lotto = names("SELECT name FROM pragma_table_info('Lotto')");
    EXPECT_EQ(lotto[4], "Reihe_01_links");
    EXPECT_EQ(lotto[16], "Reihe_01_oben");
    auto idx = names(
        "SELECT name FROM sqlite_master WHERE type='index' AND tbl_name='Zahl_Daten' AND name LIKE 'Index%'");
    EXPECT_EQ(idx.size(), 6u);
}

} // namespace

TEST(StoreNumbers, FractionsAreWrittenAndReadTheSameWayWhateverTheLocale) {
    // The desktop program runs under the player's locale; with a German one the C library writes
    // and reads numbers with a comma. The store's texts keep the point, and both are read.
    const std::string vorher = std::setlocale(LC_NUMERIC, nullptr);
    const bool deutsch = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    const std::pair<double, std::string> faelle[] = {
        {8.5, "8.5"}, {44.1240478781284, "44.1240478781284"}, {-0.25, "-0.25"}, {1e20, "1e+20"}, {12, "12"}};
    for (const auto& [zahl, text] : faelle) {
        EXPECT_EQ(pyra::store::Value(zahl).asString(), text);
        double gelesen = 0;
        EXPECT_TRUE(pyra::store::parseFloat(text, gelesen)) << text;
        EXPECT_EQ(gelesen, zahl);
    }
    double gelesen = 0;
    EXPECT_TRUE(pyra::store::parseFloat(" 8,5 ", gelesen));
    EXPECT_EQ(gelesen, 8.5);
    EXPECT_TRUE(pyra::store::parseFloat("+3.25", gelesen));
    EXPECT_EQ(gelesen, 3.25);
    EXPECT_FALSE(pyra::store::parseFloat("1e999", gelesen));
    EXPECT_FALSE(pyra::store::parseFloat("8.5x", gelesen));
    std::setlocale(LC_NUMERIC, vorher.c_str());
    if (!deutsch) GTEST_SKIP() << "German locale not installed: checked in the C locale only";
}
