#include "common/datenmodul_umgebung.h"
#include "common/kleiner_datentraeger.h"
#include "platform/instanz/einzelinstanz.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace pyra;
using store::Value;

namespace {

class DataModuleTest : public test::Datenmodul_Umgebung {
  protected:
    void reihen_anlegen(int n) {
        for (int r = 1; r <= n; ++r)
            dm->Table_Reihen.AppendRecord({3, dm->Wahl("Jahr_aktuell"), dm->Wahl("Woche_aktuell"),
                                           dm->Wahl("ID_Ziehung"), 0, 0, r, 1, 2, 3, 4, 5, 6 + r, 3});
    }
};

TEST_F(DataModuleTest, StartSequenceSetsFlagsAndSelection) {
    EXPECT_FALSE(g.Start_Ende_aktiv);
    EXPECT_TRUE(g.Reihen_loeschen_erlaubt);
    EXPECT_TRUE(g.Leerlauf_fertig);
    EXPECT_TRUE(g.Statistik_neu_berechnen);
    EXPECT_EQ(dm->Wahl("Woche_aktuell"), 50);
    EXPECT_EQ(dm->Table_Zahl_Daten.RecordCount(), 49);
    EXPECT_FALSE(fenster.system_gesperrt);
    EXPECT_TRUE(fenster.eingaben_lotto);
}

TEST_F(DataModuleTest, OnlyMissingStatisticsRecordsAreAppended) {
    waehle(2025, 3);
    auto& zd = dm->Table_Zahl_Daten;
    for (int i = 0; i < 19; ++i) {
        zd.Last();
        zd.Delete();
    }
    zd.Locate("Zahl", {10});
    zd.Edit();
    zd.FieldByName("Haeufigkeit_Wo").SetInteger(77);
    zd.Post();
    ASSERT_EQ(zd.RecordCount(), 30);
    dm->DataSource_WocheDataChange();
    EXPECT_EQ(zd.RecordCount(), 49);
    ASSERT_TRUE(zd.Locate("Zahl", {10}));
    EXPECT_EQ(zd.FieldByName("Haeufigkeit_Wo").AsInteger(), 77);
    EXPECT_EQ(zd.RecNo(), 10);
}

TEST_F(DataModuleTest, MarkChangeOnUnlockedSystemEmptiesRowsButKeepsThem) {
    reihen_anlegen(20);
    dm->DataSource_WocheDataChange();
    EXPECT_TRUE(fenster.system_gesperrt);
    EXPECT_EQ(fenster.reihen_gesamt, "20");
    EXPECT_FALSE(fenster.eingaben_lotto);
    EXPECT_FALSE(fenster.eingaben_kuerzung);
    EXPECT_FALSE(fenster.eingaben_analyse);

    dm->CheckBox_SystemClick(false); // unlock: rows and counter stay
    EXPECT_TRUE(fenster.eingaben_lotto);
    EXPECT_EQ(fenster.reihen_gesamt, "20");
    EXPECT_EQ(dm->Table_Reihen.RecordCount(), 20);

    dm->Table_Optionen.Edit();
    dm->Table_Optionen.FieldByName("Checkbox_05").SetString("t");
    dm->Table_Optionen.Post();
    EXPECT_EQ(fenster.reihen_gesamt, "0");
    EXPECT_EQ(dm->Table_Reihen.RecordCount(), 20);
    for (dm->Table_Reihen.First(); !dm->Table_Reihen.Eof(); dm->Table_Reihen.Next()) {
        EXPECT_TRUE(dm->Table_Reihen.FieldByName("Tipp_Zahl_1").IsNull());
        EXPECT_TRUE(dm->Table_Reihen.FieldByName("Richtige").IsNull());
        EXPECT_FALSE(dm->Table_Reihen.FieldByName("Reihe").IsNull());
    }
    dm->DataSource_WocheDataChange(); // emptied rows: unlocked, counter 0
    EXPECT_FALSE(fenster.system_gesperrt);
    EXPECT_EQ(fenster.reihen_gesamt, "0");
}

TEST_F(DataModuleTest, EmptyingTheRowsIsAllOrNothing) {
    reihen_anlegen(20);
    dm->DataSource_WocheDataChange();
    dm->CheckBox_SystemClick(false);
    const std::string datei = tmp.file("Datenbank_Lotto.tdbd");
    // The disk fills up while row 15 is emptied.
    test::sql_text(datei,
                   "CREATE TRIGGER voll BEFORE UPDATE ON Reihen WHEN NEW.Reihe = 15 AND "
                   "NEW.Tipp_Zahl_1 IS NULL BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END");
    dm->Table_Optionen.Edit();
    dm->Table_Optionen.FieldByName("Checkbox_05").SetString("t");
    EXPECT_THROW(dm->Table_Optionen.Post(), store::StoreError);
    EXPECT_EQ(test::sql_text(datei, "SELECT count(*) FROM Reihen WHERE Tipp_Zahl_1 IS NOT NULL"), "20\n");
    // The cursor shows what the file holds, so the next change empties all rows again.
    EXPECT_GT(dm->Table_Reihen.FieldByName("Tipp_Zahl_1").AsInteger(), 0);
}

TEST_F(DataModuleTest, NoEmptyingDuringStartCommitOrClose) {
    reihen_anlegen(3);
    dm->CheckBox_SystemClick(false);
    g.Reihen_loeschen_erlaubt = false; // as during a selection commit
    dm->Table_Optionen_2.Edit();
    dm->Table_Optionen_2.FieldByName("Endziffer").SetInteger(4);
    dm->Table_Optionen_2.Post();
    g.Reihen_loeschen_erlaubt = true;
    EXPECT_EQ(dm->Table_Reihen.FieldByName("Tipp_Zahl_1").AsInteger(), 1);
    dm->Schliessen();
    dm->DataSource_OptionenUpdateData();
    EXPECT_EQ(dm->Table_Reihen.FieldByName("Tipp_Zahl_1").AsInteger(), 1);
    EXPECT_EQ(dm->Table_Wahl.FieldByName("Woche_Export").AsInteger(), 1);
}

TEST_F(DataModuleTest, SelectingAWeekWithRowsLocksAndLeavesThemUntouched) {
    reihen_anlegen(5);
    waehle(2025, 3);
    EXPECT_FALSE(fenster.system_gesperrt);
    EXPECT_FALSE(fenster.reihengitter_mit_reihen);
    waehle(2026, 50);
    EXPECT_TRUE(fenster.system_gesperrt);
    EXPECT_TRUE(fenster.reihengitter_mit_reihen);
    EXPECT_EQ(fenster.reihen_gesamt, "5");
    EXPECT_EQ(dm->Table_Reihen.FieldByName("Tipp_Zahl_6").AsInteger(), 7);
    // Checking the box on a selection without rows locks; the next refresh unlocks again.
    waehle(2025, 3);
    dm->CheckBox_SystemClick(true);
    EXPECT_FALSE(fenster.eingaben_lotto);
    dm->DataSource_WocheDataChange();
    EXPECT_TRUE(fenster.eingaben_lotto);
}

TEST_F(DataModuleTest, CalculatedDisplayFields) {
    data::Dezimaltrennzeichen_setzen(',');
    auto& zd = dm->Table_Zahl_Daten;
    zd.Locate("Zahl", {1});
    zd.Edit();
    zd.FieldByName("Wahrscheinlichkeit").SetFloat(12.2449);
    zd.Post();
    EXPECT_EQ(zd.FieldByName("Wahrscheinlichkeit_Str").AsString(), "12,2%");
    zd.Edit();
    zd.FieldByName("Wahrscheinlichkeit").SetFloat(0.0);
    zd.Post();
    EXPECT_EQ(zd.FieldByName("Wahrscheinlichkeit_Str").AsString(), "");
    dm->Table_Gw_Erwartung.AppendRecord({0.0});
    EXPECT_EQ(dm->Table_Gw_Erwartung.FieldByName("Gw_3_3_Str").AsString(), "0,0%");
    EXPECT_EQ(dm->Table_Gw_Erwartung.FieldByName("Gw_5_6_Str").AsString(), "0,0%");
    dm->Table_Gewinn.AppendRecord({3, 2026, 50, 1, 1, 0});
    EXPECT_EQ(dm->Table_Gewinn.FieldByName("Mal").AsString(), "x");
    data::Dezimaltrennzeichen_setzen(0);
}

TEST_F(DataModuleTest, AssociationWithoutSettingsGetsAnEmptyRecordAndNoStatistics) {
    dm->Table_Verband.AppendRecord({6, "Testland"});
    dm->Table_Wahl.Edit();
    dm->Table_Wahl.FieldByName("ID_Verband").SetInteger(6);
    dm->DataSource_VerbandDataChange();
    dm->Auswahl_uebernehmen();
    EXPECT_EQ(dm->Table_Lotto.RecordCount(), 1);
    EXPECT_TRUE(dm->Table_Lotto.FieldByName("Zahlen_bis").IsNull());
    EXPECT_EQ(dm->Table_Zahl_Daten.RecordCount(), 0);
    EXPECT_EQ(dm->Table_Optionen.RecordCount(), 1);
}

TEST_F(DataModuleTest, DamagedNumberRangeGetsNoMoreThan49StatisticsRecords) {
    dm->Table_Lotto.Edit();
    dm->Table_Lotto.FieldByName("Zahlen_bis").SetInteger(11532);
    dm->Table_Lotto.Post();
    waehle(2025, 3);
    EXPECT_EQ(dm->Table_Zahl_Daten.RecordCount(), 49);
    dm->Table_Zahl_Daten.Last();
    EXPECT_EQ(dm->Table_Zahl_Daten.FieldByName("Zahl").AsInteger(), 49);
}

TEST_F(DataModuleTest, AssociationFilterShowsOnlyThreeToSix) {
    auto& t = dm->Table_Verband;
    const auto gezeigt = [&t] {
        std::vector<std::int64_t> ids;
        for (t.First(); !t.Eof(); t.Next()) ids.push_back(t.FieldByName("ID_Verband").AsInteger());
        std::sort(ids.begin(), ids.end());
        return ids;
    };
    std::vector<std::int64_t> erwartet = gezeigt();
    ASSERT_EQ(std::count(erwartet.begin(), erwartet.end(), 6), 0);
    t.AppendRecord({2, "Zwei"});
    t.AppendRecord({6, "Sechs"});
    t.AppendRecord({7, "Sieben"});
    t.Refresh();
    erwartet.push_back(6);
    EXPECT_EQ(gezeigt(), erwartet);
}

TEST(Standarddatenbank, SideFilesOfAMissingDatabaseAreMovedAsideNotReplayed) {
    test::TempDir tmp;
    const std::string datei = tmp.file("Datenbank_Lotto.tdbd");
    ASSERT_TRUE(data::Standarddatenbank_anlegen(tmp.dir(), {2026, 12, 10}));
    // A write whose log was never folded into the file, as after a kill: keep a copy of the log.
    {
        test::Sql_Verbindung db(datei);
        ASSERT_EQ(db.ausfuehren("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0; "
                                "UPDATE Lotto SET Reihenberechnung=7"),
                  "");
        std::filesystem::copy_file(datei + "-wal", tmp.file("wal.kopie"));
        std::filesystem::copy_file(datei + "-shm", tmp.file("shm.kopie"));
    }
    std::filesystem::remove(datei);
    std::filesystem::copy_file(tmp.file("wal.kopie"), datei + "-wal");
    std::filesystem::copy_file(tmp.file("shm.kopie"), datei + "-shm");
    // An earlier .alt is kept as well.
    { std::ofstream(datei + "-wal.alt") << "frueher"; }
    // The update database may have lost its file too.
    const std::string update = tmp.file("Datenbank_Lotto_Update.tdbd");
    std::filesystem::remove(update);
    std::filesystem::copy_file(tmp.file("wal.kopie"), update + "-wal");

    std::vector<std::string> beiseite;
    ASSERT_TRUE(data::Standarddatenbank_anlegen(tmp.dir(), {2026, 12, 10}, {}, &beiseite));
    EXPECT_EQ(beiseite,
              (std::vector<std::string>{datei + "-wal.alt2", datei + "-shm.alt", update + "-wal.alt"}));
    EXPECT_EQ(test::sql_text(update, "PRAGMA integrity_check"), "ok\n");
    EXPECT_EQ(std::filesystem::file_size(datei + "-wal.alt2"),
              std::filesystem::file_size(tmp.file("wal.kopie")));
    EXPECT_FALSE(std::filesystem::exists(datei + "-wal"));
    EXPECT_EQ(test::sql_text(datei, "PRAGMA integrity_check"), "ok\n");
    EXPECT_EQ(test::sql_text(datei, "SELECT count(*) FROM Lotto WHERE Reihenberechnung=7"), "0\n");
    EXPECT_NE(data::Meldung_Begleitdateien(beiseite).find(datei + "-shm.alt"), std::string::npos);
}

TEST(Standarddatenbank, AFullDiskLeavesNoHalfMadeFileAndSaysSo) {
    // Too small for the schema, and too small for the shipped history.
    for (const int kilobyte : {48, 1200}) {
        test::TempDir tmp;
        const auto zeilen =
            test::auf_kleinem_datentraeger(tmp.path().string(), kilobyte, [](const std::string& dir) {
                std::vector<std::string> r;
                try {
                    data::Standarddatenbank_anlegen(dir + "/", {2026, 12, 10});
                    r.push_back("angelegt");
                } catch (const std::exception& e) {
                    r.push_back(e.what());
                }
                for (const auto& eintrag : std::filesystem::directory_iterator(dir))
                    r.push_back("übrig: " + eintrag.path().filename().string());
                return r;
            });
        if (!zeilen) {
            GTEST_SKIP() << "no small file system can be mounted here";
        }
        EXPECT_EQ(*zeilen, std::vector<std::string>{"Der Datenträger ist voll; die Datenbank '" + tmp.dir() +
                                                    "Datenbank_Lotto.tdbd' wurde nicht angelegt."})
            << kilobyte;
    }
}

TEST(Einzelinstanz, SecondHolderIsRefused) {
    test::TempDir tmp;
    platform::Einzelinstanz a(tmp.path().string());
    ASSERT_TRUE(a.erhalten());
    {
        // flock locks belong to the open file description, so a second open in the same process
        // conflicts like a second process would.
        platform::Einzelinstanz b(tmp.path().string());
        EXPECT_FALSE(b.erhalten());
    }
}

} // namespace
