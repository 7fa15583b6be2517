#pragma once

// The window "Diagramme": five charts of the draws before the selected week (frequency, overdue,
// recurrence, overdue sums, running deviation of one number), each beside what pure chance
// gives. It stays open beside the main window and follows every change of the selection, the
// draws and the analysis tables. The charts come from the renderer (diagramm_bau.h), their
// numbers from the core.

#include "data/datamodule.h"
#include "stats/diagrammwerte.h"
#include "ui/diagramme/diagrammbild.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;

namespace pyra::platform {
class Qt_Drucker;
}

namespace pyra::ui {

class TForm_Diagramme : public QDialog {
    Q_OBJECT
  public:
    explicit TForm_Diagramme(QWidget* eltern = nullptr);
    ~TForm_Diagramme() override;

    // Binds the window to the data module and follows its changes; nullptr unbinds it.
    void binden(data::DataModule_Lotto* dm);

    // Opens the window (or brings it to the front). The Verlauf chart takes the statistics grid's
    // current number when the window opens, and with zahl_aus_gitter also when it is open.
    void zeigen(QWidget* hauptfenster, bool zahl_aus_gitter = false);

    // Reads the data of the current selection and draws the charts again when it changed.
    void Aktualisieren();

    // The chart of the current tab as a picture file (PNG or SVG by the file's ending) in the
    // size the chart has on the screen; "Speichern als Bild…" asks for the file first.
    void Bild_speichern(const QString& datei);
    void Button_SpeichernClick();
    // The chart of the current tab on the default printer, or into a PDF file in "Arbeit" when
    // no printer is installed.
    void Button_DruckenClick();

    // The printer of a click; tests hand in a PDF printer.
    using Druckerwahl = std::function<std::unique_ptr<platform::Qt_Drucker>()>;
    void Drucker_setzen(Druckerwahl wahl) { druckerwahl_ = std::move(wahl); }

    Diagrammart Art_gewaehlt() const;
    // The choice of a chart: the number of Verlauf, z of Wiederholungen.
    int Auswahl(Diagrammart art) const;
    const stats::Diagrammdaten& Daten() const { return daten_; }
    // How many times the charts were built since the window was created.
    int Aufbauten() const { return aufbauten_; }

    QTabWidget* TabWidget_Diagramme = nullptr;
    std::array<QChartView*, kAnzahl_Diagramme> ChartView{};
    std::array<QLabel*, kAnzahl_Diagramme> Label_Satz{};
    QComboBox* ComboBox_Wiederholung = nullptr; // z = 1..7
    QComboBox* ComboBox_Zahl = nullptr;         // 1..N
    QPushButton* Button_Speichern = nullptr;
    QPushButton* Button_Drucken = nullptr;
    QPushButton* Button_Schliessen = nullptr;

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    QWidget* seite_anlegen(Diagrammart art, QComboBox* auswahl, const QString& beschriftung);
    void diagramm_setzen(Diagrammart art);
    void zahlenliste_setzen(int n_max);
    void spaeter_aktualisieren();
    void loesen();

    data::DataModule_Lotto* dm_ = nullptr;
    std::vector<std::pair<store::DataSource*, int>> zuhoerer_;
    QTimer* aktualisierung_ = nullptr;
    stats::Diagrammdaten daten_;
    bool gelesen_ = false;
    bool veraltet_ = true;
    int aufbauten_ = 0;
    Druckerwahl druckerwahl_;
};

} // namespace pyra::ui
