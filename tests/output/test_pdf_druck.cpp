// Slip pages printed through the Qt adapter into PDF files; the marks are read back with
// pdftotext -bbox and compared with the positions the layout gives.

#include "output/spielschein_druck.h"
#include "platform/printer/qt_drucker.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <optional>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include <unistd.h>

using namespace pyra::output;
using pyra::platform::Pdf_vollstaendig;
using pyra::platform::Qt_Drucker;
namespace fs = std::filesystem;

namespace {

struct Wort {
    double x, y;
    std::string text;
};

// Words of the first page with their top-left corner in points.
std::vector<Wort> woerter(const fs::path& pdf) {
    const fs::path html = pdf.string() + ".html";
    const std::string befehl =
        std::string(PYRA_PDFTOTEXT) + " -bbox '" + pdf.string() + "' '" + html.string() + "' 2>/dev/null";
    if (std::system(befehl.c_str()) != 0) return {};
    std::ifstream ein(html);
    std::stringstream s;
    s << ein.rdbuf();
    const std::string inhalt = s.str();
    static const std::regex wort(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="[0-9.]+" yMax="[0-9.]+">([^<]*)</word>)re");
    std::vector<Wort> liste;
    for (auto it = std::sregex_iterator(inhalt.begin(), inhalt.end(), wort); it != std::sregex_iterator();
         ++it)
        liste.push_back({std::stod((*it)[1]), std::stod((*it)[2]), (*it)[3]});
    return liste;
}

class PdfDruck : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::string(PYRA_PDFTOTEXT).find("NOTFOUND") != std::string::npos)
            GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        verzeichnis = fs::temp_directory_path() /
                      (std::string("pyra_pdf_") + info->name() + "_" + std::to_string(::getpid()));
        fs::remove_all(verzeichnis);
        fs::create_directories(verzeichnis);
    }
    void TearDown() override {
        if (!verzeichnis.empty()) fs::remove_all(verzeichnis);
    }
    fs::path verzeichnis;
};

Scheinlayout testlayout() {
    Scheinlayout l;
    l.Reihe_links = {20, 220, 20, 220, 0, 0, 0, 0, 0, 0, 0, 0};
    l.Reihe_oben = {40, 40, 200, 200, 0, 0, 0, 0, 0, 0, 0, 0};
    l.Zahl_Abstand_links = 22.5;
    l.Zahl_Abstand_oben = 18.7;
    l.Schriftgroesse = 10;
    l.Super_77_links = 380;
    l.Super_77_oben = 500;
    l.Super_6_links = 0; // at the page edge
    l.Super_6_oben = 560;
    l.MiSa_links = -1; // no mark
    l.MiSa_oben = 560;
    return l;
}

std::vector<Tippreihe> testreihen() {
    std::vector<Tippreihe> rs(3);
    rs[0].Reihe = 1;
    rs[0].Tipp_Zahl = {1, 9, 17, 25, 33, 49};
    rs[1].Reihe = 2;
    rs[1].Tipp_Zahl = {7, 13, 19, 31, 37, 43};
    rs[2].Reihe = 3;
    rs[2].Tipp_Zahl = {2, 4, 6, 8, std::nullopt, 12};
    return rs;
}

} // namespace

TEST_F(PdfDruck, MarksSitAtTheComputedPlaces) {
    const fs::path datei = verzeichnis / "schein.pdf";
    auto drucker = Qt_Drucker::Pdf_Drucker(datei);
    const Scheinlayout l = testlayout();
    const auto rs = testreihen();
    ASSERT_FALSE(Spielschein_drucken(*drucker, "   1", "   3", rs, l));
    ASSERT_TRUE(fs::exists(datei));

    // The PDF page is A4 without margins: 595.28 points across, 841.89 down.
    const int breite = drucker->Seitenbreite();
    const int hoehe = drucker->Seitenhoehe();
    ASSERT_GT(breite, 420);
    ASSERT_GT(hoehe, 594);
    const double pt_x = 595.276 / breite;
    const double pt_y = 841.89 / hoehe;

    std::vector<std::pair<double, double>> erwartet;
    for (int k = 1; k <= 3; ++k)
        for (const auto& z : rs[k - 1].Tipp_Zahl)
            if (z)
                erwartet.emplace_back(Pixel_links(Position_links(l, *z, k), breite) * pt_x,
                                      Pixel_oben(Position_oben(l, *z, k), hoehe) * pt_y);
    erwartet.emplace_back(Pixel_links(380, breite) * pt_x, Pixel_oben(500, hoehe) * pt_y);
    erwartet.emplace_back(0.0, Pixel_oben(560, hoehe) * pt_y);

    std::vector<Wort> gelesen = woerter(datei);
    ASSERT_EQ(gelesen.size(), erwartet.size());
    for (const Wort& w : gelesen) EXPECT_EQ(w.text, "x");

    // Both lists in reading order; each mark within a point or so of its place (the top edge
    // comes from the font's ascent as the PDF reader sees it). Neighbouring cells
    // are more than 10 points apart, so a mark in the wrong cell cannot pass.
    auto ordnen = [](auto& v, auto x, auto y) {
        std::sort(v.begin(), v.end(), [&](const auto& a, const auto& b) {
            return std::make_pair(std::lround(y(a)), x(a)) < std::make_pair(std::lround(y(b)), x(b));
        });
    };
    ordnen(
        gelesen, [](const Wort& w) { return w.x; }, [](const Wort& w) { return w.y; });
    ordnen(
        erwartet, [](const auto& p) { return p.first; }, [](const auto& p) { return p.second; });
    for (std::size_t i = 0; i < erwartet.size(); ++i) {
        SCOPED_TRACE("Marke " + std::to_string(i));
        EXPECT_NEAR(gelesen[i].x, erwartet[i].first, 0.5);
        EXPECT_NEAR(gelesen[i].y, erwartet[i].second, 1.5);
    }
}

TEST_F(PdfDruck, WithoutAPrinterThePageGoesToTheWorkFolder) {
    auto drucker = Qt_Drucker::Standarddrucker(verzeichnis, 7, 2021);
    if (!drucker->Pdf_Ausgabe()) GTEST_SKIP() << "a printer is installed: " << drucker->Druckername();

    const auto rs = testreihen();
    ASSERT_FALSE(Spielschein_drucken(*drucker, "1", "2", rs, testlayout()));
    const fs::path erste = verzeichnis / "Arbeit" / "Spielschein_7_2021_1.pdf";
    EXPECT_EQ(drucker->Pdf_Datei(), erste);
    EXPECT_NE(drucker->Hinweis().find(erste.string()), std::string::npos);
    EXPECT_EQ(woerter(erste).size(), 14u); // 12 numbers and two tick boxes

    // A second click never overwrites the first page.
    const auto vorher = fs::last_write_time(erste);
    ASSERT_FALSE(Spielschein_drucken(*drucker, "1", "2", rs, testlayout()));
    EXPECT_EQ(drucker->Pdf_Datei(), verzeichnis / "Arbeit" / "Spielschein_7_2021_2.pdf");
    EXPECT_TRUE(fs::exists(drucker->Pdf_Datei()));
    EXPECT_EQ(fs::last_write_time(erste), vorher);
}

TEST_F(PdfDruck, ACancelledJobLeavesNoFile) {
    const fs::path datei = verzeichnis / "abbruch.pdf";
    auto drucker = Qt_Drucker::Pdf_Drucker(datei);
    drucker->Druckauftrag_beginnen();
    drucker->Schrift_setzen("System", 12);
    drucker->Text_ausgeben(100, 100, "x");
    drucker->Druckauftrag_abbrechen();
    EXPECT_FALSE(fs::exists(datei));
    EXPECT_TRUE(drucker->Pdf_Datei().empty());
}

TEST_F(PdfDruck, AnUnwritableTargetIsReported) {
    auto drucker = Qt_Drucker::Pdf_Drucker(verzeichnis / "fehlt" / "schein.pdf");
    EXPECT_EQ(Spielschein_drucken(*drucker, "1", "3", testreihen(), testlayout()),
              "Der Spielschein wurde nicht gedruckt: Die PDF-Datei " +
                  (verzeichnis / "fehlt" / "schein.pdf").string() + " kann nicht angelegt werden.");
    EXPECT_FALSE(fs::exists(verzeichnis / "fehlt" / "schein.pdf"));
}

TEST_F(PdfDruck, AFullDiskLeavesThePreviousFile) {
    const fs::path datei = verzeichnis / "schein.pdf";
    {
        auto drucker = Qt_Drucker::Pdf_Drucker(datei);
        ASSERT_FALSE(Spielschein_drucken(*drucker, "1", "3", testreihen(), testlayout()));
    }
    const auto vorher = fs::file_size(datei);
    // A full disk: no file of this process may grow beyond 1 KB. Qt's PDF engine does not report
    // the failed write itself.
    signal(SIGXFSZ, SIG_IGN);
    rlimit alt{};
    getrlimit(RLIMIT_FSIZE, &alt);
    rlimit klein = alt;
    klein.rlim_cur = 1024;
    std::optional<std::string> meldung;
    {
        auto drucker = Qt_Drucker::Pdf_Drucker(datei);
        setrlimit(RLIMIT_FSIZE, &klein);
        meldung = Spielschein_drucken(*drucker, "1", "3", testreihen(), testlayout());
        setrlimit(RLIMIT_FSIZE, &alt);
    }
    ASSERT_TRUE(meldung);
    EXPECT_NE(meldung->find(datei.string()), std::string::npos) << *meldung;
    EXPECT_EQ(fs::file_size(datei), vorher);
    EXPECT_TRUE(Pdf_vollstaendig(datei));
    EXPECT_EQ(std::distance(fs::directory_iterator(verzeichnis), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
}

TEST_F(PdfDruck, AnExistingFileThatIsNoPdfIsNeverOverwritten) {
    const fs::path datei = verzeichnis / "Datenbank_Lotto.tdbd";
    {
        std::ofstream f(datei, std::ios::binary);
        f << "SQLite format 3" << '\0' << "rest of a database";
    }
    const auto vorher = fs::file_size(datei);
    auto drucker = Qt_Drucker::Pdf_Drucker(datei);
    const auto meldung = Spielschein_drucken(*drucker, "1", "3", testreihen(), testlayout());
    ASSERT_TRUE(meldung);
    EXPECT_NE(meldung->find("keine PDF-Datei"), std::string::npos) << *meldung;
    EXPECT_EQ(fs::file_size(datei), vorher);
}

TEST(Schrift, TheSystemFontIsAnInstalledSansSerif) {
    const std::string familie = Qt_Drucker::Schriftfamilie("System");
    EXPECT_FALSE(familie.empty());
    EXPECT_TRUE(QFontDatabase::hasFamily(QString::fromStdString(familie))) << familie;
    const bool serifen =
        familie.find("Serif") != std::string::npos && familie.find("Sans") == std::string::npos;
    EXPECT_FALSE(serifen) << familie;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
