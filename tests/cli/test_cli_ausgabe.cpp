// The batch companion's text export and slip printing, end to end on a fresh directory: the
// default database with its German slip layout, rows put in with plain SQL.

#include "common/cli_lauf.h"
#include "common/sql.h"
#include "common/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using pyra::test::cli;

// Row r of the fixture: six distinct numbers spread over the whole board.
int zahl(int reihe, int j) {
    return ((reihe - 1) * 7 + j * 8) % 49 + 1;
}

std::string lesen(const fs::path& p) {
    std::ifstream ein(p, std::ios::binary);
    std::stringstream s;
    s << ein.rdbuf();
    return s.str();
}

struct Punkt {
    double x, y;
};

// The marks of the first PDF page (top-left corners in points) and the page size in points.
struct Pdfseite {
    double breite = 0, hoehe = 0;
    std::vector<Punkt> marken;
};

Pdfseite pdf_lesen(const fs::path& pdf) {
    Pdfseite s;
    const std::string html = pdf.string() + ".html";
    if (std::system(("pdftotext -bbox '" + pdf.string() + "' '" + html + "' 2>/dev/null").c_str()) != 0)
        return s;
    const std::string inhalt = lesen(html);
    std::smatch m;
    if (std::regex_search(inhalt, m, std::regex(R"re(<page width="([0-9.]+)" height="([0-9.]+)")re"))) {
        s.breite = std::stod(m[1]);
        s.hoehe = std::stod(m[2]);
    }
    static const std::regex wort(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)"[^>]*>([^<]*)</word>)re");
    for (auto it = std::sregex_iterator(inhalt.begin(), inhalt.end(), wort); it != std::sregex_iterator();
         ++it) {
        EXPECT_EQ((*it)[3], "x");
        s.marken.push_back({std::stod((*it)[1]), std::stod((*it)[2])});
    }
    return s;
}

class CliAusgabe : public ::testing::Test {
  protected:
    pyra::test::TempDir tmp;

    pyra::test::CliErgebnis run(const std::string& args) {
        return cli(PYRA_CLI, "--dir '" + tmp.path().string() + "' " + args);
    }

    std::string datei() const { return tmp.file("Datenbank_Lotto.tdbd"); }
    void sql(const std::string& befehl) {
        EXPECT_EQ(pyra::test::sql_ausfuehren(datei(), befehl), "") << befehl;
    }
    // The first value of the answer; -1 when there is none.
    long long wert(const std::string& abfrage) {
        return static_cast<long long>(pyra::test::sql_wert(datei(), abfrage).value_or(-1));
    }
    double lotto(const std::string& feld) {
        return pyra::test::sql_wert(datei(), "SELECT " + feld + " FROM Lotto WHERE ID_Verband = 3")
            .value_or(-1);
    }

    // Week 7 of 2021, Saturday draw, with 30 rows (the reduction is another command's work).
    void SetUp() override {
        auto r = run("start --datum 2021-02-18");
        ASSERT_EQ(r.status, 0) << r.fehler;
        ASSERT_NE(r.ausgabe.find("ID_Verband=3 Jahr_aktuell=2021 Woche_aktuell=7 ID_Ziehung=1"),
                  std::string::npos);
        std::string befehl = "BEGIN;";
        for (int reihe = 1; reihe <= 30; ++reihe) {
            befehl += "INSERT INTO Reihen (ID_Verband, Jahr, Woche, ID_Ziehung, ID_Tendenz, ID_Allgorithmus, "
                      "Reihe, Tipp_Zahl_1, Tipp_Zahl_2, Tipp_Zahl_3, Tipp_Zahl_4, Tipp_Zahl_5, Tipp_Zahl_6) "
                      "VALUES (3, 2021, 7, 1, 0, 0, " +
                      std::to_string(reihe);
            for (int j = 0; j < 6; ++j) befehl += ", " + std::to_string(zahl(reihe, j));
            befehl += ");";
        }
        sql(befehl + "COMMIT;");
    }

    static std::string zeilen(int von, int bis, const std::string& trennzeichen) {
        std::string t;
        for (int r = von; r <= bis; ++r) {
            for (int j = 0; j < 6; ++j) t += (j ? trennzeichen : "") + std::to_string(zahl(r, j));
            t += "\r\n";
        }
        return t;
    }

    // Where the marks of rows von … von+anzahl-1 and the three tick boxes go, in page units,
    // worked out from the Lotto record of Deutschland.
    std::vector<std::pair<long, long>> erwartete_einheiten(int von, int anzahl) {
        const double abstand_links = lotto("Zahl_Abstand_links");
        const long abstand_oben = static_cast<long>(lotto("Zahl_Abstand_oben"));
        std::vector<std::pair<long, long>> e;
        for (int k = 1; k <= anzahl; ++k) {
            char feld[32];
            std::snprintf(feld, sizeof feld, "Reihe_%02d_", k);
            const long links = static_cast<long>(lotto(std::string(feld) + "links"));
            const long oben = static_cast<long>(lotto(std::string(feld) + "oben"));
            for (int j = 0; j < 6; ++j) {
                const int n = zahl(von + k - 1, j);
                e.emplace_back(links + static_cast<long>(std::trunc(((n - 1) % 7) * abstand_links)),
                               oben + ((n - 1) / 7) * abstand_oben);
            }
        }
        for (const char* feld : {"Super_77", "Super_6", "MiSa"})
            e.emplace_back(static_cast<long>(lotto(std::string(feld) + "_links")),
                           static_cast<long>(lotto(std::string(feld) + "_oben")));
        return e;
    }

    // Compares the marks of a printed page with the expected cells. The PDF page is A4 at the
    // printer's 1200 dots per inch; a unit is a whole number of dots (page dots div 420 across,
    // div 594 down) and a dot is 72/1200 of a point.
    void marken_pruefen(const fs::path& pdf, std::vector<std::pair<long, long>> einheiten) {
        Pdfseite seite = pdf_lesen(pdf);
        ASSERT_GT(seite.breite, 0) << "pdftotext konnte " << pdf << " nicht lesen";
        const long punkte_x = static_cast<long>(seite.breite / 72 * 1200) / 420;
        const long punkte_y = static_cast<long>(seite.hoehe / 72 * 1200) / 594;
        std::vector<Punkt> erwartet;
        for (const auto& [x, y] : einheiten)
            erwartet.push_back({x * punkte_x * 72.0 / 1200, y * punkte_y * 72.0 / 1200});
        auto ordnen = [](std::vector<Punkt>& v) {
            std::sort(v.begin(), v.end(), [](const Punkt& a, const Punkt& b) {
                return std::make_pair(std::lround(a.y), a.x) < std::make_pair(std::lround(b.y), b.x);
            });
        };
        ordnen(seite.marken);
        ordnen(erwartet);
        ASSERT_EQ(seite.marken.size(), erwartet.size());
        // A unit is about 1.4 points: a mark one unit off, let alone in a wrong cell, cannot pass.
        for (std::size_t i = 0; i < erwartet.size(); ++i) {
            EXPECT_NEAR(seite.marken[i].x, erwartet[i].x, 0.5) << "Marke " << i;
            EXPECT_NEAR(seite.marken[i].y, erwartet[i].y, 0.5) << "Marke " << i;
        }
    }

    static bool pdftotext_da() { return std::system("command -v pdftotext >/dev/null 2>&1") == 0; }
};

TEST_F(CliAusgabe, TextFileWritesTheRowsUpToTheSlip) {
    const fs::path datei = tmp.path() / "Arbeit" / "7_2021.txt";
    auto r = run("textdatei --schein 2");
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(r.ausgabe, datei.string() + "\n");
    EXPECT_EQ(lesen(datei), zeilen(1, 24, ","));

    // --bis overrides the slip's last row; the separator is written as typed.
    r = run("textdatei --schein 3 --bis 5 --trennzeichen ' ; '");
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(lesen(datei), zeilen(1, 5, " ; "));

    // The third slip would reach row 36; rows stop at the table's end.
    r = run("textdatei --schein 3");
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(lesen(datei), zeilen(1, 30, ","));
}

TEST_F(CliAusgabe, WrongValuesAndCommandLinesAreRefused) {
    std::ofstream(tmp.path() / "schein.pdf") << "alt";
    struct Fall {
        const char* args;
        int status;
        const char* fehler;
    } faelle[] = {
        {"textdatei --schein 0", 1, "zwischen 1 und 250"},
        {"textdatei --schein 251", 1, "zwischen 1 und 250"},
        {"textdatei --schein zwei", 1, "keine ganze Zahl"},
        {"textdatei --bis 1.5", 1, "keine ganze Zahl"},
        {"textdatei --bis -3", 1, "--bis"},
        {"drucken --von x", 1, "keine ganze Zahl"},
        {"drucken --schein 3 --von 31", 1, "die Reihe 31 gibt es nicht"},
        {"drucken --schein 4", 1, "die Reihe 37 gibt es nicht"},
        {"drucken --pdf /gibt/es/nicht/schein.pdf", 1, "gibt es nicht"},
        {"textdatei --trennzeichen ''", 1, "Trennzeichen"},
        {"textdatei --trennzeichen 7", 1, "Trennzeichen"},
        {"textdatei 3", 2, "Aufruf"},
        {"textdatei --schein", 2, "fehlt der Wert"},
        {"drucken --farbe rot", 2, "Unbekannte Option --farbe"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.args);
        auto r = run(f.args);
        EXPECT_EQ(r.status, f.status) << r.ausgabe << r.fehler;
        EXPECT_NE(r.fehler.find(f.fehler), std::string::npos) << r.fehler;
    }
    // A file that is no PDF, the open database among them, is never written over.
    for (const char* ziel : {"schein.pdf", "Datenbank_Lotto.tdbd"}) {
        auto r = run("drucken --pdf '" + (tmp.path() / ziel).string() + "'");
        EXPECT_EQ(r.status, 1) << ziel;
        EXPECT_NE(r.ausgabe.find("keine PDF-Datei"), std::string::npos) << r.ausgabe;
    }
    // Nothing was written anywhere.
    EXPECT_FALSE(fs::exists(tmp.path() / "Arbeit" / "7_2021.txt"));
    EXPECT_EQ(lesen(tmp.path() / "schein.pdf"), "alt");
    EXPECT_EQ(wert("SELECT count(*) FROM Reihen WHERE Tipp_Zahl_1 IS NOT NULL"), 30);
}

TEST_F(CliAusgabe, AWorkFolderThatCannotBeMadeIsReported) {
    std::ofstream(tmp.path() / "Arbeit") << "eine Datei";
    auto r = run("textdatei");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.ausgabe.find("kann nicht angelegt werden!"), std::string::npos) << r.ausgabe;
}

TEST_F(CliAusgabe, PrintingToPdfPutsTheMarksAtTheComputedPlaces) {
    if (!pdftotext_da()) GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    // A fractional line spacing: only its whole part counts, before multiplying.
    sql("UPDATE Lotto SET Zahl_Abstand_oben = 16.7 WHERE ID_Verband = 3");
    const fs::path pdf = tmp.path() / "schein.pdf";
    auto r = run("drucken --schein 2 --pdf '" + pdf.string() + "'");
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(r.ausgabe, pdf.string() + "\n");
    marken_pruefen(pdf, erwartete_einheiten(13, 12));

    // The last, short slip: rows 25 … 30 in boxes 1 … 6; an existing file is replaced.
    r = run("drucken --schein 3 --pdf '" + pdf.string() + "'");
    ASSERT_EQ(r.status, 0) << r.fehler;
    marken_pruefen(pdf, erwartete_einheiten(25, 6));

    // A range of the user's own, always from box 1.
    r = run("drucken --von 3 --bis 4 --pdf '" + pdf.string() + "'");
    ASSERT_EQ(r.status, 0) << r.fehler;
    marken_pruefen(pdf, erwartete_einheiten(3, 2));
}

TEST_F(CliAusgabe, WithoutAPrinterThePageGoesToTheWorkFolder) {
    if (std::system("lpstat -a 2>/dev/null | grep -q .") == 0) GTEST_SKIP() << "a printer is installed";
    auto r = run("drucken");
    ASSERT_EQ(r.status, 0) << r.fehler;
    const fs::path pdf = tmp.path() / "Arbeit" / "Spielschein_7_2021_1.pdf";
    EXPECT_EQ(r.ausgabe, "Kein Drucker installiert! Der Spielschein wurde in die Datei " + pdf.string() +
                             " geschrieben.\n");
    EXPECT_TRUE(fs::exists(pdf));
    if (pdftotext_da()) marken_pruefen(pdf, erwartete_einheiten(1, 12));
}

} // namespace
