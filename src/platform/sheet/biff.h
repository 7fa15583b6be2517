#pragma once

// A small reader of the parts of an xls file (BIFF8 in an OLE compound file) that libfreexl does
// not give: the kind of each sheet (so that only worksheets are counted, as in the other formats)
// and the stored results of formula cells. Every offset and length is checked; a file it cannot
// follow simply yields no information.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pyra::platform::sheet {

struct BiffBlatt {
    std::uint32_t position = 0; // offset of the sheet's BOF record in the Workbook stream
    std::uint8_t art = 0;       // 0 worksheet, 1 macro sheet, 2 chart, 6 VB module
};

struct BiffMappe {
    std::string strom; // the Workbook stream
    std::vector<BiffBlatt> blaetter;
    std::vector<bool> datum_xf; // per cell format: shows a date
    bool system_1904 = false;
};

// The Workbook stream and the sheet list of a BIFF8 file; false when the file cannot be followed.
bool biff_mappe_lesen(const std::string& datei_inhalt, BiffMappe& mappe);

// The stored result of a formula cell (row and column 1-based).
struct Formelwert {
    enum Art { Zahl, Datum, Text, Wahrheitswert, Fehler } art = Zahl;
    double zahl = 0; // Datum: serial of the 1900 date system
    std::string text;
};

// Calls f for every formula cell of the sheet with this index (all sheets counted) that holds a
// stored result.
void biff_formeln_lesen(const BiffMappe& mappe, std::size_t index,
                        const std::function<void(std::uint32_t, std::uint32_t, const Formelwert&)>& f);

} // namespace pyra::platform::sheet
