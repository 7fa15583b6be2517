// Reader of legacy xls workbooks (BIFF) through libfreexl, which opens the file read-only.

#include "blatt.h"
#include "formate.h"
#include "meldungen.h"

#include <freexl.h>

#include <cstdio>
#include <cstring>

namespace pyra::platform::sheet {

namespace {

class Handle {
  public:
    ~Handle() {
        if (h_) freexl_close(h_);
    }
    const void* h_ = nullptr;
};

bool datum_lesen(const char* text, int& j, int& m, int& t) {
    // freexl gives dates as "YYYY-MM-DD", date-times as "YYYY-MM-DD HH:MM:SS".
    char rest = 0;
    const int n = std::sscanf(text, "%4d-%2d-%2d%c", &j, &m, &t, &rest);
    return (n == 3 || (n == 4 && rest == ' ')) && datum_gueltig(j, m, t);
}

} // namespace

void xls_lesen(const std::string& datei, int blatt, Blatt& ziel) {
    Handle mappe;
    // freexl asks to be closed even when opening failed; the handle does that.
    if (freexl_open(datei.c_str(), &mappe.h_) != FREEXL_OK) {
        beschaedigt(datei, "die xls-Datei kann nicht gelesen werden");
    }
    unsigned int anzahl = 0;
    if (freexl_get_info(mappe.h_, FREEXL_BIFF_SHEET_COUNT, &anzahl) != FREEXL_OK)
        beschaedigt(datei, "die Liste der Tabellenblätter fehlt");
    if (blatt < 1 || static_cast<unsigned>(blatt) > anzahl)
        kein_blatt(datei, blatt, static_cast<int>(anzahl));
    if (freexl_select_active_worksheet(mappe.h_, static_cast<unsigned short>(blatt - 1)) != FREEXL_OK)
        beschaedigt(datei, "das Tabellenblatt " + std::to_string(blatt) + " kann nicht gelesen werden");
    unsigned int zeilen = 0;
    unsigned short spalten = 0;
    if (freexl_worksheet_dimensions(mappe.h_, &zeilen, &spalten) != FREEXL_OK)
        beschaedigt(datei, "das Tabellenblatt " + std::to_string(blatt) + " kann nicht gelesen werden");

    for (unsigned int r = 0; r < zeilen && r < max_zeilen; ++r) {
        for (unsigned short c = 0; c < spalten && c < max_spalten; ++c) {
            FreeXL_CellValue wert;
            if (freexl_get_cell_value(mappe.h_, r, c, &wert) != FREEXL_OK) continue;
            const auto z = r + 1, s = static_cast<std::uint32_t>(c) + 1;
            int j = 0, m = 0, t = 0;
            switch (wert.type) {
            case FREEXL_CELL_INT:
                ziel.zahl(z, s, wert.value.int_value);
                break;
            case FREEXL_CELL_DOUBLE:
                ziel.zahl(z, s, wert.value.double_value);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
                if (wert.value.text_value) ziel.text(z, s, wert.value.text_value);
                break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
                if (wert.value.text_value && datum_lesen(wert.value.text_value, j, m, t))
                    ziel.datum(z, s, j, m, t);
                else if (wert.value.text_value)
                    ziel.text(z, s, wert.value.text_value);
                break;
            case FREEXL_CELL_TIME:
                if (wert.value.text_value) ziel.text(z, s, wert.value.text_value);
                break;
            default:
                break;
            }
        }
    }
}

} // namespace pyra::platform::sheet
