// The spreadsheet cell reader against workbooks made by a real spreadsheet program (the same
// content in xlsx, ods and xls), a hand-made xlsx for the paths that program does not write, and
// damaged and hostile files.

#include "blatt.h"
#include "formate.h"
#include "maintenance/zellenleser.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;
using pyra::maintenance::ImportFehler;
using pyra::maintenance::Zellenleser_erzeugen;

namespace {

const fs::path mappen = fs::path(PYRA_FIXTURES) / "workbooks";

std::string inhalt(const fs::path& datei) {
    std::ifstream ein(datei, std::ios::binary);
    std::stringstream s;
    s << ein.rdbuf();
    return s.str();
}

class TempVerzeichnis {
  public:
    TempVerzeichnis() {
        pfad_ = fs::temp_directory_path() /
                ("pyra_sheet_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(pfad_);
        fs::create_directories(pfad_);
    }
    ~TempVerzeichnis() { fs::remove_all(pfad_); }
    fs::path operator/(const std::string& name) const { return pfad_ / name; }

  private:
    fs::path pfad_;
};

// The message of the ImportFehler that f throws; fails the test when f throws nothing.
template <class F> std::string fehlertext(F f) {
    try {
        f();
    } catch (const ImportFehler& e) {
        return e.what();
    }
    ADD_FAILURE() << "no ImportFehler";
    return {};
}

// ---------------------------------------------------------------------------------------------
// One table of cells, read from the same workbook in each of the three formats.

struct Erwartet {
    char layout; // 'a' or 'b'
    int blatt, zeile, spalte;
    const char* text;
    std::optional<long long> ganzzahl; // nullopt: Ganzzahl throws
};

const Erwartet zellen[] = {
    // Layout A, sheet 60 (2014): header, numeric and text cells, dates, empty cells.
    {'a', 60, 1, 1, "KW", std::nullopt},
    {'a', 60, 2, 1, "1", 1},
    {'a', 60, 2, 2, "01.01.2014", 41640},
    {'a', 60, 2, 3, "MI", std::nullopt},
    {'a', 60, 2, 4, "5", 5},
    {'a', 60, 2, 9, "49", 49},
    {'a', 60, 2, 15, "512345,60", std::nullopt},
    {'a', 60, 2, 28, "512345", 512345},
    {'a', 60, 3, 1, "", 0}, // second draw of the week, column 1 empty
    {'a', 60, 3, 3, "SA", std::nullopt},
    {'a', 60, 3, 4, "3", 3}, // number written as text
    {'a', 60, 3, 12, "1", 1},
    {'a', 60, 3, 13, "1234567,8", 1234568}, // numeric prize: decimal comma, rounded
    {'a', 60, 4, 5, "5", 5},
    {'a', 60, 4, 7, "50", 50},
    {'a', 60, 4, 8, "0", 0},
    {'a', 60, 4, 9, "", 0},
    {'a', 60, 4, 28, "1.234.567", std::nullopt},
    {'a', 60, 8, 1, "1", 1},
    {'a', 60, 8, 2, "31.12.2014", 42004},
    {'a', 60, 8, 27, "10,50", std::nullopt},
    {'a', 60, 9, 1, "", 0},  // below the last row
    {'a', 60, 2, 30, "", 0}, // right of the last column
    {'a', 61, 2, 2, "03.01.2015", 42007},
    {'a', 61, 3, 4, "1", 1},
    {'a', 59, 1, 1, "", 0}, // an empty sheet before
    // Layout B, sheet 1 (2016) and sheet 6 (2021).
    {'b', 1, 2, 1, "02.01.2016", 42371},
    {'b', 1, 2, 16, "unbesetzt", std::nullopt},
    {'b', 1, 2, 29, "1.234.567", std::nullopt},
    {'b', 1, 3, 16, "8.765.432,10", std::nullopt},
    {'b', 5, 1, 1, "", 0},
    {'b', 6, 2, 1, "02.01.2021", 44198},
    {'b', 6, 2, 3, "4", 4},
    {'b', 6, 2, 9, "0", 0},
    {'b', 6, 2, 31, "1.234.567", std::nullopt},
    {'b', 6, 2, 32, "6,00", std::nullopt},
    {'b', 6, 2, 42, "Lotto  6 aus 49", std::nullopt}, // two blanks kept
    {'b', 6, 2, 43, "Quote fett", std::nullopt},      // rich text runs
    {'b', 6, 2, 44, "1234,5", 1235},                  // half rounds away from zero
    {'b', 6, 3, 1, "06.01.2021", 44202},
    {'b', 6, 3, 3, "2", 2},
    {'b', 6, 3, 16, "9876543,2", 9876543},
    {'b', 6, 3, 18, "456789,1", 456789},
    {'b', 6, 3, 31, "1098765", 1098765},
    {'b', 6, 3, 32, "6", 6},
    {'b', 6, 4, 1, "05.01.2021", 44201}, // a Tuesday
    {'b', 6, 5, 4, "7", 7},
    {'b', 6, 5, 6, "50", 50},
    {'b', 6, 5, 8, "", 0},
    {'b', 6, 6, 1, "13.01.2021", std::nullopt}, // date written as text
    {'b', 6, 6, 31, "1.000.000", std::nullopt},
};

class ZellenJeFormat : public ::testing::TestWithParam<const char*> {};

TEST_P(ZellenJeFormat, ReadsTheSameValuesAsTheOtherFormats) {
    auto leser = Zellenleser_erzeugen();
    std::string offen;
    for (const Erwartet& e : zellen) {
        const fs::path datei = mappen / (std::string("zahlen_quoten_") + e.layout + "." + GetParam());
        if (offen != datei.string() + "#" + std::to_string(e.blatt)) {
            leser->Oeffnen(datei.string(), e.blatt);
            offen = datei.string() + "#" + std::to_string(e.blatt);
        }
        SCOPED_TRACE(datei.filename().string() + " Blatt " + std::to_string(e.blatt) + " Zeile " +
                     std::to_string(e.zeile) + " Spalte " + std::to_string(e.spalte));
        EXPECT_EQ(leser->Text(e.zeile, e.spalte), e.text);
        if (e.ganzzahl) {
            EXPECT_EQ(leser->Ganzzahl(e.zeile, e.spalte), *e.ganzzahl);
        } else {
            const std::string meldung = fehlertext([&] { leser->Ganzzahl(e.zeile, e.spalte); });
            EXPECT_NE(meldung.find("keine ganze Zahl"), std::string::npos) << meldung;
            EXPECT_NE(meldung.find(datei.string()), std::string::npos) << meldung;
        }
    }
}

// Results of formulas as the file stores them. libfreexl skips formula cells of xls files; the
// reader takes their results from the file itself.
TEST_P(ZellenJeFormat, ReadsTheResultOfAFormula) {
    auto leser = Zellenleser_erzeugen();
    leser->Oeffnen((mappen / (std::string("zahlen_quoten_b.") + GetParam())).string(), 6);
    EXPECT_EQ(leser->Text(2, 41), "13");
    EXPECT_EQ(leser->Ganzzahl(2, 41), 13);
    EXPECT_EQ(leser->Text(2, 45), "06.01.2021");
    EXPECT_EQ(leser->Ganzzahl(2, 45), 44202);
    EXPECT_EQ(leser->Text(2, 46), "#DIV/0!");
    EXPECT_THROW(leser->Ganzzahl(2, 46), ImportFehler);
    EXPECT_EQ(leser->Text(2, 47), "WAHR");
    EXPECT_THROW(leser->Ganzzahl(2, 47), ImportFehler);
    // LibreOffice stores no text result of a formula in xls files, only in xlsx and ods.
    if (std::string(GetParam()) != "xls") {
        EXPECT_EQ(leser->Text(2, 40), "Ziehung Sa");
    }
}

TEST_P(ZellenJeFormat, AMissingSheetIsReportedWithTheFileName) {
    auto leser = Zellenleser_erzeugen();
    const std::string a = (mappen / (std::string("zahlen_quoten_a.") + GetParam())).string();
    const std::string b = (mappen / (std::string("zahlen_quoten_b.") + GetParam())).string();
    for (const auto& [datei, blatt] : {std::pair{a, 62}, {a, 0}, {b, 7}, {b, -1}}) {
        const std::string meldung = fehlertext([&] { leser->Oeffnen(datei, blatt); });
        EXPECT_NE(meldung.find("kein Tabellenblatt Nummer " + std::to_string(blatt)), std::string::npos)
            << meldung;
        EXPECT_NE(meldung.find(datei), std::string::npos) << meldung;
    }
    // A failed open leaves no workbook open.
    EXPECT_NE(fehlertext([&] { leser->Text(1, 1); }).find("keine Arbeitsmappe"), std::string::npos);
}

TEST_P(ZellenJeFormat, ReadsWithoutWritingToTheWorkbook) {
    TempVerzeichnis tmp;
    const fs::path kopie = tmp / (std::string("mappe.") + GetParam());
    fs::copy_file(mappen / (std::string("zahlen_quoten_b.") + GetParam()), kopie);
    const auto zeit = fs::last_write_time(kopie) - std::chrono::hours(1);
    fs::last_write_time(kopie, zeit);
    const std::string vorher = inhalt(kopie);

    auto leser = Zellenleser_erzeugen();
    leser->Oeffnen(kopie.string(), 6);
    EXPECT_EQ(leser->Text(2, 1), "02.01.2021");
    leser->Schliessen();
    leser->Oeffnen(kopie.string(), 1);
    leser.reset();

    EXPECT_EQ(fs::last_write_time(kopie), zeit);
    EXPECT_EQ(inhalt(kopie), vorher);
}

INSTANTIATE_TEST_SUITE_P(Formats, ZellenJeFormat, ::testing::Values("xlsx", "ods", "xls"));

// ---------------------------------------------------------------------------------------------
// Files that are no workbook at all.

TEST(Zellenleser, AMissingOrDamagedWorkbookIsReported) {
    TempVerzeichnis tmp;
    const std::string xlsx = inhalt(mappen / "zahlen_quoten_b.xlsx");
    const std::string xls = inhalt(mappen / "zahlen_quoten_b.xls");
    std::ofstream(tmp / "text.xlsx") << "Datum;Zahl\n02.01.2021;4\n";
    std::ofstream(tmp / "leer.xlsx");
    std::ofstream(tmp / "abgeschnitten.xlsx", std::ios::binary) << xlsx.substr(0, xlsx.size() / 2);
    std::ofstream(tmp / "abgeschnitten.xls", std::ios::binary) << xls.substr(0, 1024);
    fs::create_directory(tmp / "ordner.xlsx");

    const struct {
        fs::path datei;
        const char* meldung;
    } faelle[] = {
        {tmp / "fehlt.xlsx", "wurde nicht gefunden"},
        {tmp / "text.xlsx", "keine Arbeitsmappe einer bekannten Art"},
        {tmp / "leer.xlsx", "keine Arbeitsmappe einer bekannten Art"},
        {tmp / "ordner.xlsx", "keine Arbeitsmappe einer bekannten Art"},
        {tmp / "abgeschnitten.xlsx", "ist beschädigt"},
        {tmp / "abgeschnitten.xls", "ist beschädigt"},
        {mappen / "kaputt_xml.xlsx", "kein gültiges XML"},
        {mappen / "kaputt_verweis.xlsx", "Verweis auf einen Text, den es nicht gibt"},
        {mappen / "kaputt_teil_fehlt.xlsx", "fehlt"},
        {mappen / "kaputt_freexl.xls", "ist beschädigt"}, // libfreexl reads past its buffers here
        {mappen / "bombe_gross.xlsx", "ist zu groß"},
        {mappen / "bombe_elemente.xlsx", "ist zu groß"},
        {mappen / "bombe_wiederholung.ods", "ist zu groß"},
    };
    auto leser = Zellenleser_erzeugen();
    for (const auto& f : faelle) {
        const std::string meldung = fehlertext([&] { leser->Oeffnen(f.datei.string(), 1); });
        EXPECT_NE(meldung.find(f.meldung), std::string::npos) << f.datei << ": " << meldung;
        EXPECT_NE(meldung.find(f.datei.string()), std::string::npos) << meldung;
    }
    // No file chosen at all: a message that says so, not a file name in empty quotes.
    EXPECT_EQ(fehlertext([&] { leser->Oeffnen("", 1); }), "Es ist keine Arbeitsmappe angegeben.");
}

// ---------------------------------------------------------------------------------------------
// The hand-made xlsx: absolute relationship targets, inline strings, custom and built-in date
// formats, booleans, errors, escaped characters, a chart sheet between two worksheets.

TEST(Zellenleser, AHandMadeXlsxGivesItsTextsDatesAndWholeNumbers) {
    const struct {
        int zeile, spalte;
        const char* text;
        std::optional<long long> ganzzahl;
    } faelle[] = {
        {1, 1, "Inline", std::nullopt},
        {1, 2, "Fett", std::nullopt},
        {2, 1, "02.01.2021", 44198}, // custom format DD.MM.YYYY
        {2, 2, "02.01.2021", 44198}, // built-in 14, with a time of day
        {2, 3, "01.01.1900", 1},
        {2, 4, "29.02.1900", 60}, // the day the 1900 date system counts but the calendar has not
        {2, 5, "01.03.1900", 61},
        {2, 6, "1234,5", 1235},      // 0.00 is no date format
        {2, 7, "1234,5", 1235},      // d and y only inside quotes
        {2, 8, "06.01.2021", 44202}, // built-in 22, date and time
        {3, 1, "Formel", std::nullopt},
        {3, 2, "WAHR", std::nullopt},
        {3, 3, "#DIV/0!", std::nullopt},
        {3, 4, "Text", std::nullopt},
        {3, 5, "Quote fett", std::nullopt}, // phonetic run left out
        {3, 6, "Zeile\rzwei ", std::nullopt},
        {3, 7, "0,3", std::nullopt}, // not a whole-number text, but a number: see below
        {3, 8, "-7,5", -8},
        {3, 9, "", 0}, // styled cell without a value
        {4, 1, "ohne Bezug", std::nullopt},
        {4, 2, "42", 42},
    };
    auto leser = Zellenleser_erzeugen();
    const std::string datei = (mappen / "handgemacht.xlsx").string();
    leser->Oeffnen(datei, 1);
    for (const auto& f : faelle) {
        SCOPED_TRACE("Zeile " + std::to_string(f.zeile) + " Spalte " + std::to_string(f.spalte));
        EXPECT_EQ(leser->Text(f.zeile, f.spalte), f.text);
        if (f.ganzzahl) {
            EXPECT_EQ(leser->Ganzzahl(f.zeile, f.spalte), *f.ganzzahl);
        }
    }
    EXPECT_EQ(leser->Ganzzahl(3, 7), 0); // 0.30000000000000004 rounds to 0
    EXPECT_THROW(leser->Ganzzahl(3, 1), ImportFehler);
    EXPECT_THROW(leser->Ganzzahl(3, 2), ImportFehler);
    EXPECT_THROW(leser->Ganzzahl(3, 3), ImportFehler);
    // Positions outside any sheet are an error, not an empty cell.
    EXPECT_THROW(leser->Text(0, 1), ImportFehler);
    EXPECT_THROW(leser->Ganzzahl(1, 0), ImportFehler);

    // The chart sheet between the two worksheets is not counted.
    leser->Oeffnen(datei, 2);
    EXPECT_EQ(leser->Text(1, 1), "7");
    EXPECT_EQ(leser->Text(1, 2), "zweites");
    EXPECT_NE(fehlertext([&] { leser->Oeffnen(datei, 3); }).find("(sie hat 2 Tabellenblätter)"),
              std::string::npos);

    leser->Oeffnen((mappen / "handgemacht_1904.xlsx").string(), 1);
    EXPECT_EQ(leser->Text(1, 1), "02.01.2021");
    EXPECT_EQ(leser->Ganzzahl(1, 1), 44198);

    leser->Schliessen();
    EXPECT_THROW(leser->Text(1, 1), ImportFehler);
}

TEST(Zellenleser, WholeNumbersAreReadFromTexts) {
    // Texts are read by the same rules in every format, so the sheet store is asked directly.
    using pyra::platform::sheet::Blatt;
    Blatt blatt("mappe.xlsx");
    const struct {
        const char* text;
        std::optional<long long> wert;
    } faelle[] = {
        {"17", 17},
        {" 17 ", 17},
        {"-3", -3},
        {"+4", 4},
        {"", 0},
        {"  ", 0},
        {"1.234", std::nullopt},
        {"5,0", std::nullopt},
        {"12a", std::nullopt},
        {"+-1", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    std::uint32_t zeile = 1;
    for (const auto& f : faelle) blatt.text(zeile++, 1, f.text);
    blatt.zahl(zeile, 1, 1e19);
    blatt.abschliessen();
    zeile = 1;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text);
        if (f.wert) {
            EXPECT_EQ(blatt.Ganzzahl(static_cast<int>(zeile), 1), *f.wert);
        } else {
            EXPECT_THROW(blatt.Ganzzahl(static_cast<int>(zeile), 1), ImportFehler);
        }
        ++zeile;
    }
    EXPECT_THROW(blatt.Ganzzahl(static_cast<int>(zeile), 1), ImportFehler); // beyond long long
}

TEST(Zellenleser, NumbersAreShownWithADecimalComma) {
    using pyra::platform::sheet::zahl_als_text;
    const struct {
        double wert;
        const char* text;
    } faelle[] = {
        {5, "5"},
        {1234.5, "1234,5"},
        {-0.25, "-0,25"},
        {-0.0, "0"},
        {0.1 + 0.2, "0,3"},
        {1234567.8, "1234567,8"},
        {100, "100"},
        {1e14, "100000000000000"},
        {1e15, "1E+15"},
        {0.00001, "0,00001"},
        {0.000001, "1E-06"},
        {123456789012345678.0, "1,23456789012346E+17"},
        {2.0 / 3.0, "0,666666666666667"},
    };
    for (const auto& f : faelle) EXPECT_EQ(zahl_als_text(f.wert), f.text) << f.wert;
}

TEST(Zellenleser, DateFormatsAreToldFromOtherNumberFormats) {
    using pyra::platform::sheet::ist_datumsformat;
    const struct {
        const char* code;
        bool datum;
    } faelle[] = {
        {"DD\\.MM\\.YYYY", true}, {"dd/mm/yy;@", true}, {"[$-407]mmmm\\ yyyy", true},   {"yyyy", true},
        {"General", false},       {"0.00", false},      {"#,##0.00\\ \"Tage\"", false}, {"[Red]0", false},
        {"0_m", false},           {"@", false},
    };
    for (const auto& f : faelle) EXPECT_EQ(ist_datumsformat(std::string(f.code)), f.datum) << f.code;
    for (unsigned id : {14u, 17u, 22u, 45u, 57u}) EXPECT_TRUE(ist_datumsformat(id)) << id;
    for (unsigned id : {0u, 1u, 4u, 10u, 49u}) EXPECT_FALSE(ist_datumsformat(id)) << id;
}

} // namespace
