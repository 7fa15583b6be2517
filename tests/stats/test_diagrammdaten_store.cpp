// The charts' data read through the data module: equal to the tables the charts stand for, and
// read without moving or posting any of the module's cursors.

#include "common/tempdir.h"
#include "common/testdialog.h"
#include "data/standarddatenbank.h"
#include "stats/analyse_store.h"
#include "stats/diagrammdaten_store.h"
#include "stats/standardanalyse_store.h"
#include "stats/zahl_daten_store.h"

#include <gtest/gtest.h>

using namespace pyra;

namespace {

class Diagrammdatenbank : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        vorlage_ = new test::TempDir;
        ASSERT_TRUE(data::Standarddatenbank_anlegen(vorlage_->dir(), {2024, 3, 14},
                                                    stats::Standarddatenbank_nachbereiten));
    }
    static void TearDownTestSuite() {
        delete vorlage_;
        vorlage_ = nullptr;
    }

    void SetUp() override {
        std::filesystem::copy_file(vorlage_->file("Datenbank_Lotto.tdbd"), dir.file("Datenbank_Lotto.tdbd"));
        g.Programmverzeichnis = dir.dir();
        g.Reihen_loeschen_erlaubt = true;
        g.Leerlauf_fertig = true;
        dm = std::make_unique<data::DataModule_Lotto>(g, fenster, dialog);
        dm->Startsequenz({2024, 3, 14}); // 2024 week 11, German Saturday draw
    }
    void TearDown() override { dm->Datenbank_Close(); }

    static test::TempDir* vorlage_;
    test::TempDir dir;
    data::Globale_Zustaende g;
    data::Fensterzustand fenster;
    test::Testdialog dialog;
    std::unique_ptr<data::DataModule_Lotto> dm;
};
test::TempDir* Diagrammdatenbank::vorlage_ = nullptr;

// The seven percentages of each row of an analysis table cursor, in its key order.
stats::Verteilung verteilung(store::Table& t) {
    const char* felder[7] = {"0_Zahlen", "1_Zahl",   "2_Zahlen", "3_Zahlen",
                             "4_Zahlen", "5_Zahlen", "6_Zahlen"};
    stats::Verteilung v{};
    std::size_t r = 0;
    for (t.First(); !t.Eof() && r < 7; t.Next(), ++r)
        for (int s = 0; s < 7; ++s) v[r][s] = t.FieldByName(felder[s]).AsFloat();
    t.First();
    return v;
}

} // namespace

TEST_F(Diagrammdatenbank, SeriesEqualTheTablesTheyDraw) {
    ASSERT_EQ(dm->Wahl("Jahr_aktuell"), 2024);
    ASSERT_EQ(dm->Wahl("Woche_aktuell"), 11);
    stats::Statistik_aktualisieren(*dm);
    stats::Analyse_Zeilen_anlegen(*dm);
    ASSERT_TRUE(stats::Analyse_berechnen(*dm, [] {}).berechnet);

    const stats::Diagrammdaten d = stats::Diagrammdaten_lesen(*dm);
    EXPECT_EQ(d.Zahlen_bis, 49);
    EXPECT_EQ(d.Ziehungen, 3570);

    // Frequency and overdue: the statistics grid's Zahl_Daten rows after its recomputation.
    store::Table& zd = dm->Table_Zahl_Daten;
    zd.SetIndexName("");
    int zeilen = 0;
    for (zd.First(); !zd.Eof(); zd.Next(), ++zeilen) {
        const int zahl = static_cast<int>(zd.FieldByName("Zahl").AsInteger());
        EXPECT_EQ(d.Statistik.Haeufigkeit_Wo[zahl], zd.FieldByName("Haeufigkeit_Wo").AsInteger()) << zahl;
        EXPECT_EQ(d.Statistik.Rueckstaendig_Wo[zahl], zd.FieldByName("Rueckstaendig_Wo").AsInteger()) << zahl;
    }
    EXPECT_EQ(zeilen, 49);

    // Recurrence shares and sum bands: the rows of the analysis tables.
    EXPECT_TRUE(d.Analyse_vorhanden);
    EXPECT_EQ(d.Ziehung_Wo_z, verteilung(dm->Table_Ziehung_Wo_z));
    EXPECT_EQ(d.Ziehung_Ja_z, verteilung(dm->Table_Ziehung_Ja_z));
    store::Table& su = dm->Table_Summe_Ru;
    std::size_t b = 0;
    for (su.First(); !su.Eof(); su.Next(), ++b)
        EXPECT_EQ(d.Summe_Ru[b], su.FieldByName("Prozent").AsFloat()) << b;
    EXPECT_EQ(b, 15u);
    EXPECT_GT(d.Ziehung_Wo_z[0][0], 30.0); // not an empty table
}

TEST_F(Diagrammdatenbank, ReadingMovesNoCursorAndPostsNoPendingEdit) {
    ASSERT_TRUE(dm->Table_Zahl_Daten.Locate("Zahl", {17}));
    EXPECT_EQ(stats::Zahl_im_Gitter(*dm), 17);
    store::Table& zahlen = dm->Table_Zahlen;
    zahlen.Last();
    const int recno = zahlen.RecNo();
    zahlen.Edit();
    zahlen.FieldByName("Superzahl").SetInteger(9);

    const stats::Diagrammdaten d = stats::Diagrammdaten_lesen(*dm);
    EXPECT_GT(d.Ziehungen, 0);
    EXPECT_EQ(stats::Zahl_im_Gitter(*dm), 17);
    EXPECT_EQ(zahlen.State(), store::DataSetState::Edit); // the user's edit stays pending
    EXPECT_EQ(zahlen.RecNo(), recno);
    zahlen.Cancel();
}

TEST_F(Diagrammdatenbank, MissingAnalysisRowsReadAsZero) {
    dm->TdbDatabase_Lotto.exec("DELETE FROM Ziehung_Wo_z; DELETE FROM Ziehung_Ja_z; DELETE FROM Summe_Ru");
    const stats::Diagrammdaten d = stats::Diagrammdaten_lesen(*dm);
    EXPECT_FALSE(d.Analyse_vorhanden);
    EXPECT_EQ(d.Ziehung_Wo_z, stats::Verteilung{});
    EXPECT_EQ(d.Summe_Ru, (std::array<double, 15>{}));
}
