#include "platform/printer/qt_drucker.h"
#include "ui/diagramme/diagramm_bau.h"

#include <QPainter>

#include <algorithm>
#include <stdexcept>

namespace pyra::ui {

std::string Diagramm_drucken(platform::Qt_Drucker& drucker, Diagrammart art,
                             const stats::Diagrammdaten& daten, int auswahl) {
    drucker.Dokument_benennen("Diagramm " + Diagrammtitel(art).toStdString(),
                              "Diagramm_" + Diagrammart_Name(art), "Das Diagramm");
    drucker.Druckauftrag_beginnen();
    try {
        QPainter* maler = drucker.Maler();
        if (!maler) throw std::runtime_error("Der Druckauftrag kann nicht gestartet werden.");
        // The chart is laid out at 1000 x 700 units and scaled to the page's width less a border,
        // at the top of the page.
        const QSizeF groesse(1000, 700);
        const double rand = drucker.Seitenbreite() * 0.06;
        const double faktor = std::min((drucker.Seitenbreite() - 2 * rand) / groesse.width(),
                                       (drucker.Seitenhoehe() - 2 * rand) / groesse.height());
        maler->save();
        maler->translate(rand, rand);
        maler->scale(faktor, faktor);
        Diagramm_malen(*maler, groesse, art, daten, auswahl);
        maler->restore();
    } catch (...) {
        drucker.Druckauftrag_abbrechen();
        throw;
    }
    drucker.Druckauftrag_beenden();
    return drucker.Hinweis();
}

} // namespace pyra::ui
