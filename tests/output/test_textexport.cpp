#include "output/textexport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include <fstream>
#include <sstream>

#include <unistd.h>

using namespace pyra::output;
namespace fs = std::filesystem;

namespace {

class Textexport : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        verzeichnis = fs::temp_directory_path() /
                      (std::string("pyra_textexport_") + info->name() + "_" + std::to_string(::getpid()));
        fs::remove_all(verzeichnis);
        fs::create_directories(verzeichnis);
    }
    void TearDown() override { fs::remove_all(verzeichnis); }

    static std::string lesen(const fs::path& p) {
        std::ifstream ein(p, std::ios::binary);
        std::stringstream s;
        s << ein.rdbuf();
        return s.str();
    }
    static void schreiben(const fs::path& p, const std::string& inhalt) {
        std::ofstream(p, std::ios::binary) << inhalt;
    }

    fs::path verzeichnis;
};

Tippreihe reihe(std::int64_t nr, std::array<std::optional<int>, 6> zahlen) {
    Tippreihe t;
    t.Reihe = nr;
    t.Tipp_Zahl = zahlen;
    return t;
}

std::vector<Tippreihe> reihen(int anzahl) {
    std::vector<Tippreihe> rs;
    for (int r = 1; r <= anzahl; ++r) rs.push_back(reihe(r, {r, r + 1, r + 2, r + 3, r + 4, 49}));
    return rs;
}

std::string zeilen(int von, int bis) {
    std::string s;
    for (int r = von; r <= bis; ++r)
        s += std::to_string(r) + "," + std::to_string(r + 1) + "," + std::to_string(r + 2) + "," +
             std::to_string(r + 3) + "," + std::to_string(r + 4) + ",49\r\n";
    return s;
}

Scheinlayout boxen(int anzahl) {
    Scheinlayout l;
    for (int k = 0; k < anzahl; ++k) l.Reihe_links[k] = 10 + k;
    return l;
}

} // namespace

TEST_F(Textexport, CreatingMakesAnEmptyFileAndLeavesAnExistingOneAlone) {
    const Textdatei t = Textdatei_anlegen(verzeichnis, 7, 2021);
    EXPECT_FALSE(t.Meldung);
    EXPECT_EQ(t.Datei, verzeichnis / "Arbeit" / "7_2021.txt");
    ASSERT_TRUE(fs::exists(t.Datei));
    EXPECT_EQ(fs::file_size(t.Datei), 0u);

    schreiben(t.Datei, "1,2,3,4,5,6\r\n");
    const Textdatei wieder = Textdatei_anlegen(verzeichnis, 7, 2021); // shown again, same week
    EXPECT_FALSE(wieder.Meldung);
    EXPECT_EQ(lesen(wieder.Datei), "1,2,3,4,5,6\r\n");

    EXPECT_EQ(Textdatei_anlegen(verzeichnis, 53, 2020).Datei.filename(), "53_2020.txt");
}

TEST_F(Textexport, CreatingReportsAFolderThatCannotBeMade) {
    schreiben(verzeichnis / "datei", "");
    const Textdatei t = Textdatei_anlegen(verzeichnis / "datei", 7, 2021);
    ASSERT_TRUE(t.Meldung);
    EXPECT_NE(t.Meldung->find("Arbeit"), std::string::npos);
}

TEST_F(Textexport, SlipThreeOfTwelveBoxes) {
    const Reihe_bis bis = Reihe_bis_setzen(boxen(12), 2);
    EXPECT_EQ(bis.Reihen_pro_Spielschein, 12);
    EXPECT_EQ(bis.Text, "  36");
    const fs::path datei = Textdatei_anlegen(verzeichnis, 7, 2021).Datei;
    EXPECT_FALSE(Textdatei_schreiben(datei, bis.Text, ",", reihen(40)));
    EXPECT_EQ(lesen(datei), zeilen(1, 36));
}

TEST_F(Textexport, WithoutBoxesTheFileIsEmpty) {
    Scheinlayout l = boxen(0);
    l.Reihe_links[4] = -3; // negative is no box
    const Reihe_bis bis = Reihe_bis_setzen(l, 5);
    EXPECT_EQ(bis.Text, "   0");
    const fs::path datei = Textdatei_anlegen(verzeichnis, 7, 2021).Datei;
    schreiben(datei, "alter Inhalt\r\n");
    EXPECT_FALSE(Textdatei_schreiben(datei, bis.Text, ",", reihen(10)));
    EXPECT_EQ(lesen(datei), "");
}

TEST_F(Textexport, RowsWithoutAFirstNumberAreSkipped) {
    const std::vector<Tippreihe> rs = {
        reihe(1, {3, 11, 17, 25, 38, 44}),
        reihe(2, {std::nullopt, 5, 6, 7, 8, 9}),
        reihe(3, {}),
        reihe(4, {1, std::nullopt, 3, std::nullopt, 5, std::nullopt}), // empty numbers give 0
        reihe(5, {2, 4, 6, 8, 10, 12}),
        reihe(6, {7, 8, 9, 10, 11, 12}), // beyond bis
    };
    const fs::path datei = Textdatei_anlegen(verzeichnis, 1, 2024).Datei;
    EXPECT_FALSE(Textdatei_schreiben(datei, "   5", ",", rs));
    EXPECT_EQ(lesen(datei), "3,11,17,25,38,44\r\n1,0,3,0,5,0\r\n2,4,6,8,10,12\r\n");
}

TEST_F(Textexport, SeparatorAsTyped) {
    const std::vector<Tippreihe> rs = {reihe(1, {3, 11, 17, 25, 38, 44})};
    const std::pair<std::string, std::string> faelle[] = {
        {",", "3,11,17,25,38,44\r\n"},
        {" ; ", "3 ; 11 ; 17 ; 25 ; 38 ; 44\r\n"},
        {"\t", "3\t11\t17\t25\t38\t44\r\n"},
        {"--->", "3--->11--->17--->25--->38--->44\r\n"},
    };
    const fs::path datei = Textdatei_anlegen(verzeichnis, 7, 2021).Datei;
    for (const auto& [trenner, erwartet] : faelle) {
        EXPECT_FALSE(Textdatei_schreiben(datei, "1", trenner, rs));
        EXPECT_EQ(lesen(datei), erwartet);
    }
    // No separator, or one with a digit or a line break, would make lines whose numbers cannot be
    // read back.
    for (const char* trenner : {"", "0", "a1", "\n", ";\r"}) {
        EXPECT_EQ(Textdatei_schreiben(datei, "1", trenner, rs), Meldung_Trennzeichen) << trenner;
        EXPECT_EQ(lesen(datei), "3--->11--->17--->25--->38--->44\r\n");
    }
}

TEST_F(Textexport, MoreRowsThanTheSlipHoldsStopAtTheEndOfTheTable) {
    const fs::path datei = Textdatei_anlegen(verzeichnis, 7, 2021).Datei;
    EXPECT_FALSE(Textdatei_schreiben(datei, "100", ",", reihen(15)));
    EXPECT_EQ(lesen(datei), zeilen(1, 15));
}

TEST_F(Textexport, AMissingFileIsNoError) {
    const fs::path datei = verzeichnis / "Arbeit" / "7_2021.txt";
    EXPECT_FALSE(Textdatei_schreiben(datei, "  12", ",", reihen(12)));
    EXPECT_FALSE(fs::exists(datei));
}

TEST_F(Textexport, ABadLastRowIsReportedAndLeavesTheFile) {
    const fs::path datei = Textdatei_anlegen(verzeichnis, 7, 2021).Datei;
    schreiben(datei, "1,2,3,4,5,6\r\n");
    for (const char* bis : {"", "zwölf", "12 Reihen", "1,5"}) {
        EXPECT_EQ(Textdatei_schreiben(datei, bis, ",", reihen(12)), "Bitte Anzahl der Reihen eingeben!");
        EXPECT_EQ(lesen(datei), "1,2,3,4,5,6\r\n");
    }
}

TEST_F(Textexport, AWriteErrorLeavesThePreviousFileAndNamesIt) {
    const fs::path datei = Textdatei_anlegen(verzeichnis, 7, 2021).Datei;
    schreiben(datei, "1,2,3,4,5,6\r\n");
    {
        // A full disk: every file of this process may hold at most 4 KB (750 rows need 13 KB).
        signal(SIGXFSZ, SIG_IGN);
        rlimit alt{};
        getrlimit(RLIMIT_FSIZE, &alt);
        rlimit klein = alt;
        klein.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &klein);
        const auto meldung = Textdatei_schreiben(datei, "750", ",", reihen(750));
        setrlimit(RLIMIT_FSIZE, &alt);
        ASSERT_TRUE(meldung);
        EXPECT_NE(meldung->find(datei.string()), std::string::npos) << *meldung;
        EXPECT_NE(*meldung, Meldung_Anzahl_Reihen);
    }
    EXPECT_EQ(lesen(datei), "1,2,3,4,5,6\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(verzeichnis / "Arbeit"), fs::directory_iterator()), 1)
        << "no temporary file is left behind";

    // A directory or a device under the file's name is never replaced.
    const fs::path ordner = verzeichnis / "Arbeit" / "8_2021.txt";
    fs::create_directories(ordner);
    const auto meldung = Textdatei_schreiben(ordner, "1", ",", reihen(1));
    ASSERT_TRUE(meldung);
    EXPECT_NE(meldung->find("Verzeichnis"), std::string::npos) << *meldung;
    EXPECT_TRUE(fs::is_directory(ordner));
}
