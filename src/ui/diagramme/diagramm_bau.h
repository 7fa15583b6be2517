#pragma once

// Building the charts of the draw history with Qt Charts, and drawing them with the sentence
// beneath onto any painter (window, picture file, printer). The numbers come from the core.

#include "ui/diagramme/diagrammbild.h"

#include <QColor>
#include <QString>

#include <memory>

class QApplication;
class QChart;
class QPainter;
class QSizeF;

namespace pyra::platform {
class Qt_Drucker;
}

namespace pyra::ui {

// The colour of the charts' background.
QColor Diagrammflaeche();

// The caption of a chart's tab: "Häufigkeit", "Rückstand", "Wiederholungen",
// "Rückstandssummen", "Verlauf".
QString Diagrammtitel(Diagrammart art);

// A new chart, owned by the caller, in the program's colours, with German axis titles; every bar
// and line point carries its exact value as a tool tip (the texts are also kept in the property
// "pyra_tipps" of each bar set, in bar order).
QChart* Diagramm_bauen(Diagrammart art, const stats::Diagrammdaten& daten, int auswahl);

// The sentence beneath a chart: the test's verdict, what chance expects, where the values come
// from.
QString Unterzeile(Diagrammart art, const stats::Diagrammdaten& daten, int auswahl);

// Draws the chart and its sentence into the rectangle (0, 0, groesse) of the painter.
void Diagramm_malen(QPainter& maler, const QSizeF& groesse, Diagrammart art,
                    const stats::Diagrammdaten& daten, int auswahl);

// Prints the chart on one page through the program's printer adapter (the default printer, or
// a PDF file in "Arbeit" when none is installed). Returns the notice for the user, empty when
// there is nothing to tell. Throws std::runtime_error when the job fails.
std::string Diagramm_drucken(platform::Qt_Drucker& drucker, Diagrammart art,
                             const stats::Diagrammdaten& daten, int auswahl);

// Makes sure a QApplication exists while this object lives; without a display it uses the
// "offscreen" platform. Throws std::runtime_error when another kind of Qt application runs.
class Diagrammumgebung {
  public:
    Diagrammumgebung();
    ~Diagrammumgebung();
    Diagrammumgebung(const Diagrammumgebung&) = delete;
    Diagrammumgebung& operator=(const Diagrammumgebung&) = delete;

  private:
    int argc_ = 1;
    char name_[16] = "pyra-lotto";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

} // namespace pyra::ui
