#pragma once

// The readers of the three workbook formats. Each fills the cells of worksheet number blatt
// (1-based, workbook order) into ziel and throws ImportFehler when the file is damaged or has
// no such sheet.

#include <string>

namespace pyra::platform::sheet {

class Blatt;
class Paket;

// Whether a zip package is an OOXML package (xlsx) or an OpenDocument spreadsheet (ods).
bool ist_ooxml(const Paket& paket);
bool ist_ods(const Paket& paket);

void xlsx_lesen(const Paket& paket, int blatt, Blatt& ziel);
void ods_lesen(const Paket& paket, int blatt, Blatt& ziel);
void xls_lesen(const std::string& datei, int blatt, Blatt& ziel);

// Whether a number format code of an xlsx file shows a date: it holds d, m or y outside quoted
// texts, bracketed parts and escaped characters.
bool ist_datumsformat(const std::string& code);
bool ist_datumsformat(unsigned format_id);

} // namespace pyra::platform::sheet
