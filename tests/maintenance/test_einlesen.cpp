#include "common/datenmodul_umgebung.h"
#include "common/schlechte_ziehungen.h"
#include "maintenance/zahlen_quoten_einlesen.h"

#include <map>

using namespace pyra;
using maintenance::ImportFehler;
using maintenance::Zahlen_Quoten_einlesen;

namespace {

// A workbook in memory: sheets of cells given as the texts the real reader would return.
class Testmappe : public maintenance::Zellenleser {
  public:
    using Zeile = std::map<int, std::string>; // column -> text
    std::map<int, std::map<int, Zeile>> blaetter;
    std::string datei = "/daten/Lotto.xlsx";

    int geoeffnet = 0; // sheet opened, 0 when closed
    int oeffnungen = 0;

    void Oeffnen(const std::string& d, int blatt) override {
        ++oeffnungen;
        if (d != datei) throw ImportFehler("Die Arbeitsmappe '" + d + "' wurde nicht gefunden.");
        if (!blaetter.count(blatt))
            throw ImportFehler("Die Arbeitsmappe '" + d + "' hat kein Blatt " + std::to_string(blatt) + ".");
        geoeffnet = blatt;
    }
    void Schliessen() override { geoeffnet = 0; }
    std::string Text(int z, int s) override {
        if (!geoeffnet) throw ImportFehler("Keine Arbeitsmappe geöffnet.");
        if (z < 1 || s < 1) throw ImportFehler("Zelle außerhalb des Blatts.");
        auto& b = blaetter[geoeffnet];
        auto zi = b.find(z);
        if (zi == b.end()) return {};
        auto si = zi->second.find(s);
        return si == zi->second.end() ? std::string() : si->second;
    }
    long long Ganzzahl(int z, int s) override {
        std::string t = Text(z, s);
        if (t.empty()) return 0;
        std::int64_t v = 0;
        if (!store::parseInteger(t, v)) throw ImportFehler("Die Zelle hält keine ganze Zahl: " + t);
        return v;
    }

    // Layout A (2014, 2015): week, draw day, numbers in drawing order, then winners and prize of
    // classes 1..9 from column 12 on.
    void zeile_a(int blatt, int z, const std::string& woche, const std::string& tag,
                 const std::vector<std::string>& zahlen, const std::vector<std::string>& quoten = {}) {
        Zeile& r = blaetter[blatt][z];
        r[1] = woche;
        r[3] = tag;
        for (size_t i = 0; i < zahlen.size(); ++i) r[4 + static_cast<int>(i)] = zahlen[i];
        for (size_t i = 0; i < quoten.size(); ++i) r[12 + static_cast<int>(i)] = quoten[i];
    }
    // Layout B (from 2016): date, numbers from column 3, winners and prizes from column 15 on.
    void zeile_b(int blatt, int z, const std::string& datum, const std::vector<std::string>& zahlen,
                 const std::vector<std::string>& quoten = {}) {
        Zeile& r = blaetter[blatt][z];
        r[1] = datum;
        for (size_t i = 0; i < zahlen.size(); ++i) r[3 + static_cast<int>(i)] = zahlen[i];
        for (size_t i = 0; i < quoten.size(); ++i) r[15 + static_cast<int>(i)] = quoten[i];
    }
};

const std::vector<std::string> sechs = {"5", "12", "23", "34", "41", "49"};

class Einlesen : public test::Datenmodul_Umgebung {
  protected:
    Testmappe mappe;

    // The four fields of the dialog, typed but not yet stored.
    void parameter(int jahr, int von, int bis, const std::string& datei = "/daten/Lotto.xlsx") {
        auto& w = dm->Table_Wahl;
        w.Edit();
        w.FieldByName("ZQ_Jahr").SetInteger(jahr);
        w.FieldByName("ZQ_Woche_von").SetInteger(von);
        w.FieldByName("ZQ_Woche_bis").SetInteger(bis);
        w.FieldByName("ZQ_Excel").SetString(datei);
    }

    Zahlen_Quoten_einlesen einlesen() {
        Zahlen_Quoten_einlesen e(*dm, mappe);
        e.Einlesen_Zahlen_Quoten();
        return e;
    }

    std::string ziehung(int jahr, int woche, int z) {
        return abfrage(
            "SELECT Zahl_01, Zahl_02, Zahl_03, Zahl_04, Zahl_05, Zahl_06, Zahl_01_g, Zahl_02_g, Zahl_03_g, "
            "Zahl_04_g, Zahl_05_g, Zahl_06_g, AB FROM Zahlen WHERE ID_Verband=3 AND ID_Ziehung=" +
            std::to_string(z) + " AND Jahr=" + std::to_string(jahr) + " AND Woche=" + std::to_string(woche));
    }
    std::string quoten(int jahr, int woche, int z) {
        return abfrage(
            "SELECT group_concat(Anzahl || ':' || ifnull(Gewinn, '-'), ' ') FROM (SELECT * FROM Gewinn "
            "WHERE ID_Verband=3 AND ID_Ziehung=" +
            std::to_string(z) + " AND Jahr=" + std::to_string(jahr) + " AND Woche=" + std::to_string(woche) +
            " ORDER BY Rang)");
    }
    void restriktionen_wie_vorher() {
        EXPECT_EQ(dm->Table_Zahlen.MasterSource(), &dm->DataSource_Wahl);
        EXPECT_EQ(dm->Table_Gewinn.MasterSource(), &dm->DataSource_Zahlen);
        // Table_Zahlen sees only the selection's association and draw again.
        EXPECT_EQ(std::to_string(dm->Table_Zahlen.RecordCount()) + "\n",
                  abfrage("SELECT count(*) FROM Zahlen WHERE ID_Verband=3 AND ID_Ziehung=1"));
    }
};

TEST_F(Einlesen, LayoutAWeekFromTheRowAboveAndTheTurnOfTheYear) {
    // 2014: the Saturday rows carry no week; 31 December 2014 is week 1 of 2015.
    mappe.blaetter[60][1] = {{1, "KW"}, {3, "Tag"}};
    mappe.zeile_a(60, 2, "1", "MI", {"5", "12", "23", "34", "41", "49"},
                  {"0", "0,00", "2", "512345,60", "31", "10234,5", "512", "3456,70", "2741", "210,40",
                   "32123", "45,10", "61234", "21,30", "612345", "10,60", "1.234.567", "9,99"});
    mappe.zeile_a(60, 3, "", "SA", {"44", "3", "17", "22", "28", "39"}, {"1", "1234567,8"});
    mappe.zeile_a(60, 4, "52", "MI", {"8", "15", "16", "23", "42", "47"});
    mappe.zeile_a(60, 5, "", "SA", {"10", "20", "30", "31", "32", "33"});
    mappe.zeile_a(60, 6, "1", "MI", {"2", "9", "14", "27", "38", "45"});
    // Prizes stored before: a class without winners keeps its prize.
    sql("DELETE FROM Gewinn WHERE ID_Verband=3 AND Jahr=2014 AND Woche=1 AND ID_Ziehung=2;"
        "INSERT INTO Gewinn VALUES (3, 2014, 1, 2, 1, 0, 999.5), (3, 2014, 1, 2, 9, 0, 4.5)");
    parameter(2014, 1, 53);
    einlesen();

    EXPECT_EQ(dialog.fragen, std::vector<std::string>{"Richtige Excel-Datei zum Jahr?! - Einlesen?"});
    EXPECT_EQ(dialog.meldungen, std::vector<std::string>{"5 Ziehungen eingelesen."});
    EXPECT_EQ(ziehung(2014, 1, 2), "5|12|23|34|41|49|5|12|23|34|41|49|1\n");
    EXPECT_EQ(ziehung(2014, 1, 1), "3|17|22|28|39|44|44|3|17|22|28|39|1\n");
    EXPECT_EQ(ziehung(2014, 52, 2), "8|15|16|23|42|47|8|15|16|23|42|47|1\n");
    EXPECT_EQ(ziehung(2014, 52, 1), "10|20|30|31|32|33|10|20|30|31|32|33|1\n");
    EXPECT_EQ(ziehung(2015, 1, 2), "2|9|14|27|38|45|2|9|14|27|38|45|1\n");
    // Class 1 has no winners and class 9's text "1.234.567" is no whole number in this layout:
    // both get 0 winners and keep the prize they had.
    EXPECT_EQ(quoten(2014, 1, 2), "0:999.5 2:512345.6 31:10234.5 512:3456.7 2741:210.4 32123:45.1 61234:21.3 "
                                  "612345:10.6 0:4.5\n");
    EXPECT_EQ(
        abfrage("SELECT Anzahl, Gewinn FROM Gewinn WHERE ID_Verband=3 AND ID_Ziehung=1 AND Jahr=2014 AND "
                "Woche=1 AND Rang=1"),
        "1|1234567.8\n");
    EXPECT_EQ(mappe.geoeffnet, 0) << "the workbook is closed";
    restriktionen_wie_vorher();
    // The import's parameters are stored.
    EXPECT_EQ(abfrage("SELECT ZQ_Jahr, ZQ_Woche_von, ZQ_Woche_bis, ZQ_Excel FROM Wahl"),
              "2014|1|53|/daten/Lotto.xlsx\n");
}

TEST_F(Einlesen, LayoutAClassNineGetsFiveWhenItHasWinners) {
    mappe.zeile_a(61, 2, "3", "SA", sechs,
                  {"0", "", "0", "", "0", "", "0", "", "0", "", "0", "", "0", "", "0", "", "650000", "7,77"});
    parameter(2015, 1, 53);
    einlesen();
    EXPECT_EQ(
        abfrage("SELECT Anzahl, Gewinn FROM Gewinn WHERE ID_Verband=3 AND ID_Ziehung=1 AND Jahr=2015 AND "
                "Woche=3 AND Rang=9"),
        "650000|5.0\n");
}

TEST_F(Einlesen, LayoutAWeekAtTheTopOfASheetBelongsToTheYearBefore) {
    // The 2015 sheet begins with the Saturday of 27 December 2014 (week 52 of 2014).
    mappe.zeile_a(61, 1, "52", "SA", {"10", "20", "30", "31", "32", "33"});
    mappe.zeile_a(61, 2, "1", "SA", {"6", "13", "19", "24", "31", "40"});
    parameter(2015, 1, 53);
    einlesen();
    EXPECT_EQ(ziehung(2014, 52, 1), "10|20|30|31|32|33|10|20|30|31|32|33|1\n");
    EXPECT_EQ(ziehung(2015, 1, 1), "6|13|19|24|31|40|6|13|19|24|31|40|1\n");
    EXPECT_EQ(dialog.meldungen.back(), "2 Ziehungen eingelesen.");
}

TEST_F(Einlesen, LayoutAFirstRowWithoutWeekIsNotRead) {
    mappe.zeile_a(60, 1, "", "SA", sechs);
    parameter(2014, 0, 53);
    const std::string vorher = haupttabellen();
    einlesen();
    EXPECT_EQ(dialog.meldungen.back(), "0 Ziehungen eingelesen.");
    EXPECT_TRUE(haupttabellen() == vorher);
}

TEST_F(Einlesen, LayoutBDatesQuotasAndClassNine) {
    // 2021 is sheet 6. 2 January 2021 is a Saturday in week 53 of 2020; 5 January a Tuesday.
    const std::vector<std::string> q21 = {
        "0",      "unbesetzt", "2",     "1.234.567,80", "61",    "9.876,50",  "1.234", "3.210,90",  "5.678",
        "198,40", "67.890",    "47,30", "112.233",      "23,10", "1.098.765", "11,20", "1.234.567", "9,99"};
    mappe.blaetter[6][1] = {{1, "Datum"}, {3, "Z1"}};
    mappe.zeile_b(6, 2, "02.01.2021", {"4", "9", "16", "25", "36", "49"}, q21);
    mappe.zeile_b(6, 3, "05.01.2021", sechs, q21);
    mappe.zeile_b(6, 4, "06.01.2021", {"47", "2", "11", "19", "30", "41"}, {"1", "9876543,2"});
    // 2018 (sheet 3) reads its prizes like 2021; class 9 has 5.00 there.
    mappe.zeile_b(3, 2, "06.01.2018", sechs, q21);
    parameter(2021, 1, 53);
    einlesen();
    EXPECT_EQ(dialog.meldungen.back(), "2 Ziehungen eingelesen.");
    EXPECT_EQ(ziehung(2020, 53, 1), "4|9|16|25|36|49|4|9|16|25|36|49|1\n");
    EXPECT_EQ(ziehung(2021, 1, 2), "2|11|19|30|41|47|47|2|11|19|30|41|1\n");
    EXPECT_EQ(
        abfrage("SELECT count(*) FROM Zahlen WHERE Jahr=2021 AND Woche=1 AND ID_Ziehung=1 AND Zahl_01=5 AND "
                "Zahl_06=49"),
        "0\n")
        << "the Tuesday row is not read";
    EXPECT_EQ(
        abfrage("SELECT group_concat(Anzahl || ':' || Gewinn, ' ') FROM (SELECT * FROM Gewinn WHERE "
                "ID_Verband=3 AND ID_Ziehung=1 AND Jahr=2020 AND Woche=53 AND Rang>1 ORDER BY Rang)"),
        "2:1234567.8 61:9876.5 1234:3210.9 5678:198.4 67890:47.3 112233:23.1 1098765:11.2 1234567:6.0\n");

    dialog.meldungen.clear();
    parameter(2018, 1, 53);
    einlesen();
    EXPECT_EQ(dialog.meldungen.back(), "1 Ziehung eingelesen.");
    EXPECT_EQ(
        abfrage("SELECT group_concat(Anzahl || ':' || Gewinn, ' ') FROM (SELECT * FROM Gewinn WHERE "
                "ID_Verband=3 AND ID_Ziehung=1 AND Jahr=2018 AND Woche=1 AND Rang IN (2, 9) ORDER BY Rang)"),
        "2:1234567.8 1234567:5.0\n");
}

TEST_F(Einlesen, RangesThatReadNothing) {
    mappe.zeile_b(6, 2, "02.01.2021", sechs);
    mappe.zeile_b(6, 3, "13.01.2021", sechs);
    mappe.zeile_a(59, 2, "2", "SA", sechs);
    const std::string vorher = haupttabellen();
    struct Fall {
        int jahr, von, bis;
        int oeffnungen; // the workbook is not even opened for a year without layout
    } faelle[] = {{2021, 10, 2, 1}, {2021, 3, 52, 1}, {2013, 1, 53, 0}};
    for (auto& f : faelle) {
        mappe.oeffnungen = 0;
        dialog.meldungen.clear();
        parameter(f.jahr, f.von, f.bis);
        einlesen();
        EXPECT_EQ(dialog.meldungen, std::vector<std::string>{"0 Ziehungen eingelesen."})
            << f.jahr << " " << f.von;
        EXPECT_EQ(mappe.oeffnungen, f.oeffnungen) << f.jahr;
        EXPECT_TRUE(haupttabellen() == vorher) << f.jahr << " " << f.von;
    }
}

TEST_F(Einlesen, ImportingTwiceOverwritesInsteadOfDuplicating) {
    mappe.zeile_b(6, 2, "13.01.2021", sechs, {"1", "100,00", "3", "50,00"});
    parameter(2021, 1, 53);
    einlesen();
    const std::string zahlen = abfrage("SELECT count(*) FROM Zahlen"),
                      gewinn = abfrage("SELECT count(*) FROM Gewinn");
    // Second run: other numbers, class 1 now without winners.
    mappe.zeile_b(6, 2, "13.01.2021", {"1", "2", "3", "4", "5", "6"}, {"0", "unbesetzt", "4", "40,00"});
    einlesen();
    EXPECT_EQ(abfrage("SELECT count(*) FROM Zahlen"), zahlen);
    EXPECT_EQ(abfrage("SELECT count(*) FROM Gewinn"), gewinn);
    EXPECT_EQ(ziehung(2021, 2, 2), "1|2|3|4|5|6|1|2|3|4|5|6|1\n");
    EXPECT_EQ(quoten(2021, 2, 2).substr(0, 17), "0:100.0 4:40.0 0:");
}

TEST_F(Einlesen, RowsWithoutSixDistinctNumbersAreSkippedAndReported) {
    mappe.zeile_b(6, 2, "02.01.2021", sechs);
    mappe.zeile_b(6, 3, "06.01.2021", {"7", "7", "13", "20", "21", "22"}); // twice 7
    mappe.zeile_b(6, 4, "09.01.2021", {"1", "2", "3", "4", "5", "50"});    // 50
    mappe.zeile_b(6, 5, "13.01.2021", {"1", "2", "3", "4", "5", ""});      // empty
    mappe.zeile_b(6, 6, "16.01.2021", {"1", "2", "x", "4", "5", "6"});     // no number
    mappe.zeile_b(6, 7, "20.01.2021", {"0", "2", "3", "4", "5", "6"});     // 0
    mappe.zeile_b(6, 8, "23.01.2021", {"8", "9", "10", "11", "12", "13"});
    const std::string bereich =
        "SELECT * FROM Zahlen WHERE ID_Verband=3 AND Jahr=2021 AND (Woche IN (1, 2) OR (Woche=3 "
        "AND ID_Ziehung=2)) ORDER BY 1, 2, 4";
    const std::string vorher = abfrage(bereich);
    parameter(2021, 1, 53);
    einlesen();
    EXPECT_EQ(dialog.meldungen,
              std::vector<std::string>{"2 Ziehungen eingelesen.\nÜbersprungen (keine sechs "
                                       "verschiedenen Zahlen von 1 bis 49): Zeilen 3, 4, 5, 6, 7."});
    EXPECT_EQ(abfrage(bereich), vorher);
    EXPECT_EQ(ziehung(2021, 3, 1), "8|9|10|11|12|13|8|9|10|11|12|13|1\n");
}

TEST_F(Einlesen, NumbersAreCheckedAgainstTheRangeOfTheAssociation) {
    // Austria draws 6 of 45.
    dm->Table_Wahl.Edit();
    dm->Table_Wahl.FieldByName("ID_Verband").SetInteger(4);
    dm->DataSource_VerbandDataChange();
    dm->Auswahl_uebernehmen();
    mappe.zeile_b(6, 2, "02.01.2021", {"1", "2", "3", "4", "5", "47"});
    mappe.zeile_b(6, 3, "02.01.2021", {"1", "2", "3", "4", "5", "45"});
    // A Sunday is no draw day of the workbook: not read, not reported.
    mappe.zeile_b(6, 4, "03.01.2021", {"1", "2", "3", "4", "5", "46"});
    parameter(2021, 1, 53);
    einlesen();
    EXPECT_EQ(
        dialog.meldungen.back(),
        "1 Ziehung eingelesen.\nÜbersprungen (keine sechs verschiedenen Zahlen von 1 bis 45): Zeile 2.");
}

TEST_F(Einlesen, DeclinedOrUnreadableWorkbookWritesNothing) {
    mappe.zeile_b(6, 2, "02.01.2021", sechs);
    const std::string vorher = haupttabellen();

    parameter(2021, 1, 53);
    dialog.antworten = {false};
    Zahlen_Quoten_einlesen e(*dm, mappe);
    EXPECT_FALSE(e.Einlesen_Zahlen_Quoten());
    EXPECT_EQ(mappe.oeffnungen, 0);
    EXPECT_TRUE(dialog.meldungen.empty());

    parameter(2021, 1, 53, "/daten/anders.xlsx");
    EXPECT_FALSE(e.Einlesen_Zahlen_Quoten());
    EXPECT_EQ(dialog.meldungen,
              std::vector<std::string>{"Die Arbeitsmappe '/daten/anders.xlsx' wurde nicht gefunden."});

    dialog.meldungen.clear();
    parameter(2020, 1, 53); // sheet 5 is missing
    EXPECT_FALSE(e.Einlesen_Zahlen_Quoten());
    EXPECT_EQ(dialog.meldungen,
              std::vector<std::string>{"Die Arbeitsmappe '/daten/Lotto.xlsx' hat kein Blatt 5."});
    EXPECT_TRUE(haupttabellen() == vorher);
    restriktionen_wie_vorher();
}

TEST_F(Einlesen, StoreErrorEndsTheRunWithRestrictionsRestored) {
    mappe.zeile_b(6, 2, "02.01.2021", sechs);
    mappe.zeile_b(6, 3, "06.01.2021", sechs);
    int posts = 0;
    dm->Table_Gewinn.BeforePost = [&](store::Table&) {
        if (++posts == 12) throw store::StoreError("Der Datenträger ist voll.");
    };
    parameter(2021, 1, 53);
    const std::string vorher = haupttabellen();
    Zahlen_Quoten_einlesen e(*dm, mappe);
    EXPECT_THROW(e.Einlesen_Zahlen_Quoten(), store::StoreError);
    EXPECT_EQ(mappe.geoeffnet, 0);
    EXPECT_EQ(dialog.sanduhr, (std::vector<bool>{true, false}));
    dm->Table_Gewinn.BeforePost = nullptr;
    restriktionen_wie_vorher();
    // The workbook is written in one commit: the first draw, written before the error, is gone
    // with it, and no draw is left without its prize classes.
    EXPECT_TRUE(haupttabellen() == vorher);
}

TEST_F(Einlesen, LayoutASortedNewestFirstFilesEveryDrawUnderItsOwnYear) {
    // The 2014 sheet from 31 December 2014 (week 1 of 2015) back to 1 January 2014.
    const std::vector<std::string> z1 = {"1", "2", "3", "4", "5", "6"};
    const std::vector<std::string> z2 = {"7", "8", "9", "10", "11", "12"};
    const std::vector<std::string> z3 = {"13", "14", "15", "16", "17", "18"};
    mappe.zeile_a(60, 1, "1", "MI", z1);  // 31.12.2014 -> 2015
    mappe.zeile_a(60, 2, "52", "SA", z2); // 27.12.2014
    mappe.zeile_a(60, 3, "20", "SA", z3);
    mappe.zeile_a(60, 4, "2", "SA", z2);
    mappe.zeile_a(60, 5, "1", "SA", z3); // 04.01.2014
    mappe.zeile_a(60, 6, "", "MI", z1);  // 01.01.2014, week from the row above
    const std::string jahr_2015 = abfrage(
        "SELECT * FROM Zahlen WHERE ID_Verband=3 AND Jahr=2015 AND Woche IN (2, 20, 52) ORDER BY 2, 4");
    parameter(2014, 1, 53);
    einlesen();
    EXPECT_EQ(dialog.meldungen.back(), "6 Ziehungen eingelesen.");
    EXPECT_EQ(ziehung(2015, 1, 2), "1|2|3|4|5|6|1|2|3|4|5|6|1\n");
    EXPECT_EQ(ziehung(2014, 52, 1), "7|8|9|10|11|12|7|8|9|10|11|12|1\n");
    EXPECT_EQ(ziehung(2014, 20, 1), "13|14|15|16|17|18|13|14|15|16|17|18|1\n");
    EXPECT_EQ(ziehung(2014, 1, 1), "13|14|15|16|17|18|13|14|15|16|17|18|1\n");
    EXPECT_EQ(ziehung(2014, 1, 2), "1|2|3|4|5|6|1|2|3|4|5|6|1\n");
    // The stored draws of 2015 are untouched.
    EXPECT_EQ(
        abfrage(
            "SELECT * FROM Zahlen WHERE ID_Verband=3 AND Jahr=2015 AND Woche IN (2, 20, 52) ORDER BY 2, 4"),
        jahr_2015);
}

TEST_F(Einlesen, LayoutAOutOfOrderRowsAtTheTurnOfTheYearAreSkippedAndReported) {
    mappe.zeile_a(60, 1, "20", "SA", sechs);
    mappe.zeile_a(60, 2, "1", "MI", sechs); // after week 20 and before week 10: no certain year
    mappe.zeile_a(60, 3, "10", "SA", sechs);
    mappe.zeile_a(60, 4, "30", "SA", sechs);
    // A date in column 2 decides all the same.
    mappe.zeile_a(60, 5, "1", "MI", {"2", "9", "14", "27", "38", "45"});
    mappe.blaetter[60][5][2] = "31.12.2014";
    const std::string vorher = ziehung(2014, 1, 2);
    parameter(2014, 1, 53);
    einlesen();
    EXPECT_EQ(dialog.meldungen.back(), "4 Ziehungen eingelesen.\nÜbersprungen (Jahr nicht sicher bestimmbar, "
                                       "die Zeilen stehen nicht in zeitlicher Folge): Zeile 2.");
    EXPECT_EQ(ziehung(2014, 1, 2), vorher);
    EXPECT_EQ(ziehung(2015, 1, 2), "2|9|14|27|38|45|2|9|14|27|38|45|1\n");
}

TEST_F(Einlesen, BadDrawsOfTheDrawRulesAreSkipped) {
    int zeile = 0;
    for (const auto& f : test::schlechte_ziehungen()) {
        if (!f.nur_sechs_zahlen()) continue;
        std::vector<std::string> zahlen;
        for (auto& z : f.werte.zahlen) zahlen.push_back(std::to_string(*z));
        ++zeile;
        mappe.zeile_b(6, zeile, "0" + std::to_string(zeile) + ".01.2021", zahlen);
    }
    ASSERT_GT(zeile, 3);
    const std::string vorher = haupttabellen();
    parameter(2021, 1, 53);
    einlesen();
    EXPECT_EQ(dialog.meldungen.back().substr(0, 24), "0 Ziehungen eingelesen.\n");
    EXPECT_TRUE(haupttabellen() == vorher);
}

TEST_F(Einlesen, SelectionCursorsStandOnTheSelectedWeekAfterwards) {
    mappe.zeile_b(6, 2, "02.01.2021", sechs);
    parameter(2021, 1, 53);
    einlesen();
    EXPECT_EQ(dm->Table_Zahlen.FieldByName("Jahr").AsInteger(), 2026);
    EXPECT_EQ(dm->Table_Zahlen.FieldByName("Woche").AsInteger(), 50);
    EXPECT_TRUE(g.Statistik_neu_berechnen);
}

} // namespace
