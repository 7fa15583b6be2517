// The batch companion's charts and frequency test, end to end on a temporary directory.

#include "common/cli_lauf.h"
#include "common/sql.h"
#include "common/tempdir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

using pyra::test::cli;
using pyra::test::zeilen;

class CliDiagramm : public ::testing::Test {
  protected:
    pyra::test::TempDir tmp;

    pyra::test::CliErgebnis run(const std::string& args) {
        return cli(PYRA_CLI, "--dir '" + tmp.path().string() + "' " + args);
    }
    std::string pfad(const std::string& name) { return tmp.file(name); }

    // Statistics rows of the selection 2024/11 that hold a computed frequency.
    int berechnete_zeilen() {
        return static_cast<int>(
            pyra::test::sql_wert(pfad("Datenbank_Lotto.tdbd"),
                                 "SELECT count(*) FROM Zahl_Daten WHERE Haeufigkeit_Wo IS NOT "
                                 "NULL AND Jahr = 2024 AND Woche = 11 AND ID_Verband = 3 AND "
                                 "ID_Ziehung = 1")
                .value_or(-1));
    }
};

// Width and height from a PNG file's header chunk, {0, 0} when it is no PNG.
std::pair<std::uint32_t, std::uint32_t> png_groesse(const std::string& datei) {
    std::ifstream ein(datei, std::ios::binary);
    unsigned char kopf[24] = {};
    ein.read(reinterpret_cast<char*>(kopf), sizeof kopf);
    if (ein.gcount() != 24 || kopf[0] != 0x89 || kopf[1] != 'P' || kopf[12] != 'I' || kopf[13] != 'H')
        return {0, 0};
    auto wort = [&](int i) {
        return std::uint32_t(kopf[i]) << 24 | std::uint32_t(kopf[i + 1]) << 16 |
               std::uint32_t(kopf[i + 2]) << 8 | kopf[i + 3];
    };
    return {wort(16), wort(20)};
}

std::string inhalt(const std::string& datei) {
    std::ifstream ein(datei, std::ios::binary);
    std::ostringstream s;
    s << ein.rdbuf();
    return s.str();
}

// "A=1 B=2" into {A: 1, B: 2}.
std::map<std::string, std::string> werte(const std::string& zeile) {
    std::map<std::string, std::string> m;
    std::istringstream in(zeile);
    for (std::string teil; in >> teil;)
        if (const auto p = teil.find('='); p != std::string::npos) m[teil.substr(0, p)] = teil.substr(p + 1);
    return m;
}

} // namespace

TEST_F(CliDiagramm, FrequencyTestPrintsChiSquareDegreesAndPWithoutWriting) {
    ASSERT_EQ(run("start --datum 2024-03-14").status, 0); // 2024 week 11, German Saturday draw
    const int vorher = berechnete_zeilen();
    const auto r = run("statistik --test");
    ASSERT_EQ(r.status, 0) << r.fehler;
    const auto z = zeilen(r.ausgabe);
    ASSERT_EQ(z.size(), 2u) << r.ausgabe;
    const auto w = werte(z[0]);
    // The same values as a second implementation (scipy) over the shipped history.
    EXPECT_NEAR(std::stod(w.at("Chi_Quadrat")), 64.4217054263566, 1e-9);
    EXPECT_EQ(w.at("Freiheitsgrade"), "48");
    EXPECT_NEAR(std::stod(w.at("p")), 0.05680429581767471, 1e-12);
    EXPECT_EQ(w.at("Ziehungen"), "3570");
    EXPECT_EQ(z[1],
              "Die Abweichungen liegen im Rahmen des Zufalls (χ² = 64,4 bei 48 Freiheitsgraden, p = 0,06).");

    // Nothing is recomputed or written: the selection's statistics rows stay as they were.
    EXPECT_EQ(berechnete_zeilen(), vorher);
}

TEST_F(CliDiagramm, EveryChartRendersOffscreenAtTheAskedSize) {
    ASSERT_EQ(run("start --datum 2024-03-14").status, 0);
    for (const char* art : {"haeufigkeit", "rueckstand", "wiederholungen", "summen", "verlauf"}) {
        const std::string datei = pfad(std::string(art) + ".png");
        const auto r =
            run(std::string("diagramm --art ") + art + " --datei '" + datei + "' --breite 640 --hoehe 480");
        ASSERT_EQ(r.status, 0) << art << ": " << r.fehler;
        EXPECT_EQ(r.ausgabe, "Diagramm gespeichert: " + datei + "\n");
        EXPECT_EQ(png_groesse(datei), std::make_pair(640u, 480u)) << art;
        EXPECT_GT(std::filesystem::file_size(datei), 5000u) << art; // more than an empty picture
    }
    // SVG by the file's ending, with the default size; --zahl picks the number of the Verlauf.
    const auto r = run("diagramm --art verlauf --zahl 13 --datei '" + pfad("verlauf.SVG") + "'");
    ASSERT_EQ(r.status, 0) << r.fehler;
    const std::string svg = inhalt(pfad("verlauf.SVG"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("width=\"1000\""), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
    EXPECT_NE(svg.find("Verlauf der Zahl 13"), std::string::npos);
    // No temporary file stays behind.
    for (const auto& e : std::filesystem::directory_iterator(tmp.path()))
        EXPECT_EQ(e.path().filename().string().find(".neu"), std::string::npos) << e.path();
}

TEST_F(CliDiagramm, WrongCommandLinesAndRefusedFiles) {
    struct Fall {
        const char* args;
        int status;
    };
    // Usage errors and refused sizes are found before any database is created.
    for (const Fall& f :
         {Fall{"diagramm --art torte --datei x.png", 2}, Fall{"diagramm --art summen --datei x.pdf", 2},
          Fall{"diagramm --art summen", 2}, Fall{"diagramm --art summen --zahl 3 --datei x.png", 2},
          Fall{"diagramm --art summen --datei x.png --breite 50", 1},
          Fall{"diagramm --art summen --datei x.png --hoehe 99999", 1},
          Fall{"statistik --test --trotzdem ja", 2}}) {
        const auto r = run(f.args);
        EXPECT_EQ(r.status, f.status) << f.args << "\n" << r.fehler;
        EXPECT_FALSE(std::filesystem::exists(pfad("Datenbank_Lotto.tdbd"))) << f.args;
    }

    ASSERT_EQ(run("auswahl --verband 5").status, 0); // Schweiz, 6 aus 42
    const auto zu_gross = run("diagramm --art verlauf --zahl 45 --datei '" + pfad("v.png") + "'");
    EXPECT_EQ(zu_gross.status, 1);
    EXPECT_NE(zu_gross.fehler.find("zwischen 1 und 42"), std::string::npos) << zu_gross.fehler;
    EXPECT_EQ(run("diagramm --art wiederholungen --zahl 8 --datei '" + pfad("w.png") + "'").status, 1);

    // A file that is not a picture of that kind stays as it is.
    { std::ofstream(pfad("notiz.png")) << "meine Notizen"; }
    const auto r = run("diagramm --art summen --datei '" + pfad("notiz.png") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.fehler.find("kein PNG-Bild"), std::string::npos) << r.fehler;
    EXPECT_EQ(inhalt(pfad("notiz.png")), "meine Notizen");
    // A missing folder is reported, not a crash.
    const auto ordner = run("diagramm --art summen --datei '" + pfad("fehlt/bild.png") + "'");
    EXPECT_EQ(ordner.status, 1);
    EXPECT_NE(ordner.fehler.find("konnte nicht geschrieben werden"), std::string::npos) << ordner.fehler;
}
