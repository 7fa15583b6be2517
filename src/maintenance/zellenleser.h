#pragma once

// Read access to one worksheet of a spreadsheet workbook, as the draw-data import needs it.
// The import logic works against this interface only; the platform library supplies the reader
// for xlsx, ods and xls files (Zellenleser_erzeugen). Header only: the core can use it without
// linking the platform library.

#include <memory>
#include <stdexcept>
#include <string>

namespace pyra::maintenance {

// A workbook that cannot be opened or a cell that cannot be read as asked. The message is German,
// names the file and can be shown to the user as it stands.
class ImportFehler : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One open worksheet of one workbook, read-only.
class Zellenleser {
  public:
    virtual ~Zellenleser() = default;

    // Opens the workbook read-only and selects worksheet number blatt (1-based, workbook order).
    // Throws ImportFehler (a std::runtime_error with a German message naming the file) when the
    // file is missing, not a workbook of a known kind, damaged, or has no such sheet.
    virtual void Oeffnen(const std::string& datei, int blatt) = 0;

    // Closes the workbook; never saves anything.
    virtual void Schliessen() = 0;

    // Value of cell (zeile, spalte), both 1-based, as text: texts as they stand; numbers as the
    // German system formats them (decimal comma, no thousands separator, shortest exact form:
    // 5 -> "5", 1234.5 -> "1234,5"); cells with a date format as "dd.mm.yyyy"; empty -> "".
    // Throws ImportFehler when no workbook is open or the cell lies outside any worksheet
    // (row or column below 1).
    virtual std::string Text(int zeile, int spalte) = 0;

    // Value as a whole number: empty -> 0; a number -> rounded to the nearest whole number;
    // a text holding a whole number -> that number; anything else throws ImportFehler.
    virtual long long Ganzzahl(int zeile, int spalte) = 0;
};

// The reader of the platform library: picks xlsx, ods or xls by the file's content.
std::unique_ptr<Zellenleser> Zellenleser_erzeugen();

} // namespace pyra::maintenance
