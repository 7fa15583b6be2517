// The print and text-export dialogs' operations over the data module, on a small database: one
// selection (Deutschland, week 7 of 2021, draw 1) with 40 rows, a few rows of another week, and a
// 12-box slip layout.

#include "common/tempdir.h"
#include "common/testdialog.h"
#include "data/datamodule.h"
#include "output/druckformular_store.h"
#include "output/scheinlayout.h"
#include "output/textformular_store.h"
#include "store/schema.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

using namespace pyra;
namespace fs = std::filesystem;

namespace {

// Page of 4200 × 5940 device pixels: 10 pixels per unit both ways.
class Aufzeichnender_Drucker : public output::Drucker {
  public:
    std::vector<std::string> ereignisse;
    int fehler_bei_text = -1; // throws at this drawn text (0-based)

    void Druckauftrag_beginnen() override { ereignisse.push_back("beginnen"); }
    int Seitenbreite() const override { return 4200; }
    int Seitenhoehe() const override { return 5940; }
    void Schrift_setzen(const std::string& name, int groesse) override {
        ereignisse.push_back("schrift " + name + " " + std::to_string(groesse));
    }
    void Text_ausgeben(int x, int y, const std::string& text) override {
        if (fehler_bei_text-- == 0) throw std::runtime_error("Papierstau");
        ereignisse.push_back(text + "@" + std::to_string(x) + "," + std::to_string(y));
    }
    void Druckauftrag_beenden() override { ereignisse.push_back("beenden"); }
    void Druckauftrag_abbrechen() noexcept override { ereignisse.push_back("abbrechen"); }
};

// Row r of the selection holds (r-1) mod 44 + 1 … + 5.
int zahl(int reihe, int j) {
    return (reihe - 1) % 44 + 1 + j;
}

// Layout of the fixture: box k at 20 + 30(k-1) across and 10 + 45(k-1) down, number spacing
// 8.5 across and 16.7 down (only 16 of it counts).
int links(int n, int k) {
    return 20 + 30 * (k - 1) + static_cast<int>(std::trunc(((n - 1) % 7) * 8.5));
}
int oben(int n, int k) {
    return 10 + 45 * (k - 1) + ((n - 1) / 7) * 16;
}
std::string marke(int x_einheiten, int y_einheiten) {
    return "x@" + std::to_string(x_einheiten * 10) + "," + std::to_string(y_einheiten * 10);
}

class Formulare : public ::testing::Test {
  protected:
    test::TempDir tmp;
    data::Globale_Zustaende g;
    data::Fensterzustand fenster;
    test::Testdialog dialog;
    std::vector<store::DataEvent> gitter; // what the main window's row grid hears; outlives dm
    std::unique_ptr<data::DataModule_Lotto> dm;

    void SetUp() override {
        const std::string pfad = tmp.file("Datenbank_Lotto.tdbd");
        store::Database::createFile(pfad, store::mainSchema());
        {
            store::Database db;
            db.SetLocation(pfad);
            db.SetConnected(true);
            db.exec("INSERT INTO Wahl (ID_Verband, Jahr_aktuell, Woche_aktuell, ID_Ziehung, ID_Tendenz, "
                    "ID_Allgorithmus) VALUES (3, 2021, 7, 1, 0, 0)");
            std::string lotto = "INSERT INTO Lotto (ID_Verband, Zahlen_bis, Zahl_Abstand_links, "
                                "Zahl_Abstand_oben, Schriftgroesse, MiSa_links, MiSa_oben";
            std::string werte = " VALUES (3, 49, 8.5, 16.7, 12, 400, 580";
            for (int k = 1; k <= 12; ++k) {
                char feld[64];
                std::snprintf(feld, sizeof feld, ", Reihe_%02d_links, Reihe_%02d_oben", k, k);
                lotto += feld;
                werte += ", " + std::to_string(20 + 30 * (k - 1)) + ", " + std::to_string(10 + 45 * (k - 1));
            }
            db.exec(lotto + ")" + werte + ")");
            auto reihe = [&](int woche, int r) {
                std::string sql = "INSERT INTO Reihen (ID_Verband, Jahr, Woche, ID_Ziehung, ID_Tendenz, "
                                  "ID_Allgorithmus, Reihe, Tipp_Zahl_1, Tipp_Zahl_2, Tipp_Zahl_3, "
                                  "Tipp_Zahl_4, Tipp_Zahl_5, Tipp_Zahl_6) VALUES (3, 2021, " +
                                  std::to_string(woche) + ", 1, 0, 0, " + std::to_string(r);
                for (int j = 0; j < 6; ++j) sql += ", " + std::to_string(zahl(r, j));
                db.exec(sql + ")");
            };
            for (int r = 1; r <= 40; ++r) reihe(7, r);
            for (int r = 1; r <= 50; ++r) reihe(8, r); // another week: never read
            db.SetConnected(false);
        }
        g.Programmverzeichnis = tmp.dir();
        dm = std::make_unique<data::DataModule_Lotto>(g, fenster, dialog);
        dm->Datenbank_Open();
        dm->DataSource_WocheDataChange();
        dm->DataSource_Reihen.addListener(
            {[this](store::DataSource&, store::DataEvent e, const store::Field*) { gitter.push_back(e); },
             {}});
    }

    std::int64_t aktuelle_reihe() { return dm->Table_Reihen.FieldByName("Reihe").AsInteger(); }

    void tipp_zahl_1_leeren(int reihe) {
        ASSERT_TRUE(dm->Table_Reihen.Locate("Reihe", {reihe}));
        dm->Table_Reihen.Edit();
        dm->Table_Reihen.FieldByName("Tipp_Zahl_1").Clear();
        dm->Table_Reihen.Post();
    }

    // The page of rows von … von+anzahl-1 in boxes 1 …, with the draw-day mark at 400/580.
    static std::vector<std::string> seite(int von, int anzahl, int schrift = 12) {
        std::vector<std::string> e = {"beginnen", "schrift System " + std::to_string(schrift)};
        for (int k = 1; k <= anzahl; ++k)
            for (int j = 0; j < 6; ++j) {
                const int n = zahl(von + k - 1, j);
                e.push_back(marke(links(n, k), oben(n, k)));
            }
        e.push_back(marke(400, 580));
        e.push_back("beenden");
        return e;
    }

    static std::string lesen(const fs::path& p) {
        std::ifstream ein(p, std::ios::binary);
        std::stringstream s;
        s << ein.rdbuf();
        return s.str();
    }
};

TEST_F(Formulare, RowRangeFollowsTheSlip) {
    output::Druckformular f(*dm);
    f.FormShow();
    EXPECT_EQ(f.Reihen_pro_Spielschein, 12);
    EXPECT_EQ(f.Edit_Reihe_von, "   1");
    EXPECT_EQ(f.Edit_Reihe_bis, "  12");
    EXPECT_TRUE(f.BitBtn_Druck);

    gitter.clear();
    f.ListBox_Spielschein = 3;
    f.Reihenbereich_setzen();
    EXPECT_EQ(f.Edit_Reihe_von, "  37");
    EXPECT_EQ(f.Edit_Reihe_bis, "  48");
    EXPECT_TRUE(f.BitBtn_Druck);
    // The cursor moved to the slip's first row, and the row grid heard of it.
    EXPECT_EQ(aktuelle_reihe(), 37);
    EXPECT_NE(std::find(gitter.begin(), gitter.end(), store::DataEvent::Scrolled), gitter.end());
}

TEST_F(Formulare, PrintButtonOnlyWithAFirstRow) {
    tipp_zahl_1_leeren(13); // first row of slip 2
    tipp_zahl_1_leeren(26); // second row of slip 3
    struct Fall {
        int eintrag;
        bool moeglich;
    } faelle[] = {{0, true}, {1, false}, {2, true}, {3, true}, {4, false} /* row 49 does not exist */};
    output::Druckformular f(*dm);
    f.FormShow();
    for (const auto& fall : faelle) {
        f.ListBox_Spielschein = fall.eintrag;
        f.Reihenbereich_setzen();
        EXPECT_EQ(f.BitBtn_Druck, fall.moeglich) << "Spielschein " << fall.eintrag + 1;
    }
    EXPECT_TRUE(dialog.meldungen.empty());
}

TEST_F(Formulare, PrintWalksFromTheFirstRowAlongTheCursor) {
    output::Druckformular f(*dm);
    f.FormShow();

    // The last, short slip: rows 37 … 40 in boxes 1 … 4, the cursor stops at the table's end.
    f.ListBox_Spielschein = 3;
    f.Reihenbereich_setzen();
    Aufzeichnender_Drucker d;
    ASSERT_TRUE(f.Spielschein_drucken(d));
    EXPECT_EQ(d.ereignisse, seite(37, 4));
    EXPECT_EQ(aktuelle_reihe(), 40);

    // A lowered last row prints fewer rows; the cursor stands after the last printed one.
    f.ListBox_Spielschein = 1;
    f.Reihenbereich_setzen();
    f.Edit_Reihe_bis = "  15";
    Aufzeichnender_Drucker d2;
    ASSERT_TRUE(f.Spielschein_drucken(d2));
    EXPECT_EQ(d2.ereignisse, seite(13, 3));
    EXPECT_EQ(aktuelle_reihe(), 16);

    // A range longer than the slip prints its twelve boxes, not the 4 rows that a length of
    // 260 kept in 8 bits would give.
    f.Edit_Reihe_von = "1";
    f.Edit_Reihe_bis = "260";
    Aufzeichnender_Drucker d3;
    ASSERT_TRUE(f.Spielschein_drucken(d3));
    EXPECT_EQ(d3.ereignisse, seite(1, 12));
    EXPECT_TRUE(dialog.meldungen.empty());
}

TEST_F(Formulare, UnsavedLayoutValuesApply) {
    // Values typed into the layout dialog are used before anything posts them.
    dm->Table_Lotto.Edit();
    dm->Table_Lotto.FieldByName("Schriftgroesse").SetInteger(9);
    dm->Table_Lotto.FieldByName("Reihe_12_links").SetInteger(0);
    dm->Table_Lotto.FieldByName("MiSa_oben").Clear();

    output::Druckformular f(*dm);
    f.FormShow();
    EXPECT_EQ(f.Edit_Reihe_bis, "  11");
    Aufzeichnender_Drucker d;
    ASSERT_TRUE(f.Spielschein_drucken(d));
    std::vector<std::string> erwartet = seite(1, 11, 9);
    erwartet.erase(erwartet.end() - 2); // no draw-day mark without its vertical position
    EXPECT_EQ(d.ereignisse, erwartet);

    output::Textformular t(*dm);
    t.FormShow();
    EXPECT_EQ(t.Edit_Reihe_bis, "  11");
    EXPECT_EQ(dm->Table_Lotto.State(), store::DataSetState::Edit);
}

TEST_F(Formulare, PrintErrorsAreReported) {
    output::Druckformular f(*dm);
    f.FormShow();
    f.ListBox_Spielschein = 1;
    f.Reihenbereich_setzen();

    f.Edit_Reihe_bis = "zwoelf";
    Aufzeichnender_Drucker d;
    EXPECT_FALSE(f.Spielschein_drucken(d));
    EXPECT_TRUE(d.ereignisse.empty()); // no job started
    EXPECT_EQ(aktuelle_reihe(), 13);   // and the cursor did not move

    f.Edit_Reihe_bis = "24";
    Aufzeichnender_Drucker d2;
    d2.fehler_bei_text = 1;
    EXPECT_FALSE(f.Spielschein_drucken(d2));
    EXPECT_EQ(d2.ereignisse.back(), "abbrechen");
    EXPECT_EQ(dialog.meldungen,
              (std::vector<std::string>{"Bitte Anzahl der Reihen eingeben!",
                                        "Der Spielschein wurde nicht gedruckt: Papierstau"}));
}

TEST_F(Formulare, TextFileUpToTheChosenSlip) {
    tipp_zahl_1_leeren(5);
    output::Textformular t(*dm);
    t.FormShow();
    EXPECT_EQ(t.Edit_Reihe_bis, "  12");
    EXPECT_EQ(t.Edit_Trennzeichen, ",");
    EXPECT_EQ(t.Dateiname, "7_2021.txt");
    const fs::path datei = tmp.path() / "Arbeit" / "7_2021.txt";
    EXPECT_EQ(t.Datei(), datei);
    ASSERT_TRUE(fs::exists(datei));
    EXPECT_EQ(fs::file_size(datei), 0u);

    t.ListBox_Spielschein = 2;
    t.Reihe_bis_setzen();
    EXPECT_EQ(t.Edit_Reihe_bis, "  36");
    ASSERT_TRUE(t.Textdatei_schreiben());

    // Rows 1 … 36 of this week only; row 5 without its first number is left out, the rest
    // follows it.
    std::string erwartet;
    for (int r = 1; r <= 36; ++r) {
        if (r == 5) continue;
        for (int j = 0; j < 6; ++j) erwartet += (j ? "," : "") + std::to_string(zahl(r, j));
        erwartet += "\r\n";
    }
    EXPECT_EQ(lesen(datei), erwartet);
    EXPECT_EQ(aktuelle_reihe(), 37); // the walk stopped at the first row beyond the slip

    // Showing the dialog again leaves the written file as it is.
    output::Textformular wieder(*dm);
    wieder.FormShow();
    EXPECT_EQ(lesen(datei), erwartet);
    EXPECT_TRUE(dialog.meldungen.empty());
}

TEST_F(Formulare, TextFileWithoutRowBoxesAndBadInput) {
    output::Textformular t(*dm);
    t.FormShow();
    ASSERT_TRUE(t.Textdatei_schreiben());
    const fs::path datei = t.Datei();
    const std::string zwoelf = lesen(datei);
    ASSERT_EQ(std::count(zwoelf.begin(), zwoelf.end(), '\n'), 12);

    // Not a whole number: the message, and the file stays as it was.
    t.Edit_Reihe_bis = "  1 2";
    EXPECT_FALSE(t.Textdatei_schreiben());
    EXPECT_EQ(dialog.meldungen, std::vector<std::string>{"Bitte Anzahl der Reihen eingeben!"});
    EXPECT_EQ(lesen(datei), zwoelf);

    // A layout without row boxes: last row 0, the file is rewritten empty.
    dm->Table_Lotto.Edit();
    for (int k = 1; k <= 12; ++k) dm->Table_Lotto.FieldByName(output::Feldname_Reihe_links(k)).SetInteger(-k);
    t.Reihe_bis_setzen();
    EXPECT_EQ(t.Edit_Reihe_bis, "   0");
    ASSERT_TRUE(t.Textdatei_schreiben());
    EXPECT_EQ(fs::file_size(datei), 0u);

    // The file deleted since the dialog was shown: nothing is written or said.
    fs::remove(datei);
    t.Edit_Reihe_bis = "40";
    EXPECT_FALSE(t.Textdatei_schreiben());
    EXPECT_FALSE(fs::exists(datei));
    EXPECT_EQ(dialog.meldungen.size(), 1u);
}

TEST_F(Formulare, AWorkFolderThatCannotBeMadeIsReported) {
    std::ofstream(tmp.path() / "Arbeit") << "eine Datei, kein Verzeichnis";
    output::Textformular t(*dm);
    t.FormShow();
    ASSERT_EQ(dialog.meldungen.size(), 1u);
    EXPECT_NE(dialog.meldungen[0].find("Arbeit"), std::string::npos);
    EXPECT_FALSE(t.Textdatei_schreiben());
    EXPECT_EQ(dialog.meldungen.size(), 1u);
}

} // namespace
