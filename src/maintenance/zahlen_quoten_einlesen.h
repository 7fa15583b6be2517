#pragma once

// Import of the draw results and prize quotas of one year from a spreadsheet workbook into the
// tables Zahlen and Gewinn. The parameters come from the Wahl record (ZQ_Woche_von, ZQ_Woche_bis,
// ZQ_Jahr, ZQ_Excel); the rows go to the selected association.
//
// Two layouts: layout A for the years 2014 and 2015 (week number in column 1, draw day "SA" or
// "MI" in column 3), layout B from 2016 (draw date in column 1). The year selects layout and
// worksheet. The workbook is read through a Zellenleser and never written.

#include "data/datamodule.h"
#include "maintenance/zellenleser.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace pyra::maintenance {

inline constexpr const char* Frage_Einlesen = "Richtige Excel-Datei zum Jahr?! - Einlesen?";

class Zahlen_Quoten_einlesen {
  public:
    Zahlen_Quoten_einlesen(data::DataModule_Lotto& dm, Zellenleser& leser);

    // The whole import: asks first, reads the rows 1..250 of the year's worksheet and writes
    // every draw of the week range with its nine prize classes. Rows whose numbers are not six
    // distinct numbers of the association's range are skipped; at the end a message tells how
    // many draws were read and which rows were skipped. A workbook or sheet that cannot be
    // opened is reported and nothing is written. Errors of the table store end the run (the
    // draws written before stay) and are passed on. False when the user declined or the
    // workbook could not be opened.
    bool Einlesen_Zahlen_Quoten();

    // Worksheet of a year: 2014 -> 60, 2015 -> 61 (one sheet a year from 1955), from 2016 one
    // sheet a year from 2016 (2016 -> 1). 0 for years before 2014, which have no layout.
    static int Blattnummer(int jahr);

    // Readings of one row of the open worksheet. Each gives 0 when the cell cannot be read.
    int Woche_lesen(int jahr, int zeile);   // calendar week (layout B: ISO week of the date)
    int Ziehung_lesen(int jahr, int zeile); // 1 Saturday draw, 2 Wednesday draw, else 0
    // Fills Zahlen: positions 1..6 the numbers in drawing order, 7..12 the same ascending.
    // True when they are six distinct numbers from 1 to `hoechste_zahl`.
    bool Zahlen_lesen(int jahr, int zeile);
    long long Anzahl_lesen(int jahr, int zeile, int klasse); // winners in prize class 1..9
    double Gewinn_lesen(int jahr, int zeile, int klasse);    // prize per winner in class 1..9

    // Writing one draw under the year and week given: the Zahlen row (found or appended) from
    // the working record, and its nine Gewinn rows from row `zeile` of the run's worksheet. The
    // restriction of Table_Zahlen or Table_Gewinn is lifted while the rows are searched and
    // written, and restored afterwards, also when writing fails. Within a run both stay lifted
    // from the first row to the last.
    void Zahlen_schreiben(int jahr, int woche, int ziehung);
    void Gewinn_schreiben(int jahr, int woche, int zeile, int ziehung);

    std::array<int, 13> Zahlen{}; // working record, positions 1..12 (0 unused)
    int hoechste_zahl = 49;       // set from Zahlen_bis of the association at the start of a run

    // Outcome of the last run.
    int eingelesen = 0;             // draws written
    std::vector<int> uebersprungen; // rows skipped for their numbers
    std::vector<int> ohne_jahr;     // layout-A rows whose year cannot be told with certainty

    // The closing message of a run, e.g. "12 Ziehungen eingelesen." and on a second line
    // "Übersprungen (keine sechs verschiedenen Zahlen von 1 bis 49): Zeilen 17, 40.", and on a
    // further line the rows whose year could not be told.
    std::string Abschlussmeldung() const;

    // Layout A rows carry a week but no year. The year of each row of the open worksheet of
    // year `jahr`, from rows 1..250, read before anything is written: from the date in column 2
    // when the row has one (its ISO week-numbering year), else from the week and the order of
    // the sheet. Weeks 2..51 belong to `jahr`. Week 1 and weeks 52/53 lie at the turn of a year:
    // in a sheet sorted oldest first, weeks 52/53 before the year's other weeks belong to the
    // year before and week 1 after them to the next; newest first, the other way round. The
    // order is taken from the weeks 2..51 of the sheet (oldest first when it has none of them);
    // when they run both ways, a row at the turn of a year has no certain year (nullopt).
    std::vector<std::optional<int>> Spieljahre_Layout_A(int jahr);

  private:
    int Spieljahr(int jahr, int zeile);
    bool Datum_lesen(int zeile, data::Datum& d);
    std::string Text(int zeile, int spalte); // "" when the cell cannot be read

    data::DataModule_Lotto& dm_;
    Zellenleser& leser_;
    int verband_ = 0;
    int zq_jahr_ = 0;                 // year of the worksheet; the year a draw is stored under may differ
    bool ohne_restriktionen_ = false; // a run has lifted both restrictions already
    std::vector<std::optional<int>> jahre_a_; // layout A: the year of each row (index = row)
};

} // namespace pyra::maintenance
