#pragma once

// The expected-winnings dialog: when shown it simulates draws against the first rows of the
// system (up to the row the main window's row grid stands on) and shows for three to six drawn
// system numbers how often a row reaches three, four or five hits. The number of simulated
// draws is a setting of the association, edited here for the next run. A second line "exakt"
// beneath the simulated values shows the exact nine values of the same rows (every possible
// draw counted instead of simulated ones). "bis Reihe" runs the simulation again over rows 1 to
// the row typed there (the row grid's cursor moves to it).

#include "data/datamodule.h"

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pyra::ui {

class DBEdit;
class DBGrid;

class TForm_Gewinnerwartung : public QDialog {
    Q_OBJECT
  public:
    explicit TForm_Gewinnerwartung(QWidget* eltern = nullptr);

    // Binds the grid to DataSource_Gw_Erwartung and the edit to DataSource_Lotto; nullptr unbinds.
    void binden(data::DataModule_Lotto* dm);

    // The show step, then the modal run when the simulation took place.
    void zeigen(QWidget* hauptfenster);
    // The show step alone: places the dialog and, under the hourglass, sets the caption and runs
    // the simulation. Returns false when fewer than six system numbers are marked: the message
    // has been shown and nothing was simulated (tests call it instead of zeigen).
    bool FormShow(QWidget* hauptfenster);
    // Hands over pending input and saves the association's settings.
    void FormClose();
    // Runs the simulation again over rows 1 to the row in Edit_bis_Reihe (1 to the number of
    // rows; otherwise a message and no run).
    void BitBtn_BerechnungClick();

    DBGrid* DBGrid_Gewinnerwartung = nullptr;
    DBEdit* DBEdit_Anzahl_Reihen = nullptr;
    QPushButton* BitBtn_OK = nullptr;
    // The exact values under the simulated ones, one label per column, and the line's title.
    QFrame* Panel_Exakt = nullptr;
    std::array<QLabel*, 9> Label_Exakt{};
    QLabel* Label_Exakt_Titel = nullptr;
    QLabel* Label_bis_Reihe = nullptr;
    QLineEdit* Edit_bis_Reihe = nullptr;
    QPushButton* BitBtn_Berechnung = nullptr;

  public slots:
    void done(int ergebnis) override;

  private:
    // Caption and simulation for the row cursor's current row; false as FormShow.
    bool simulieren();

    data::DataModule_Lotto* dm_ = nullptr;
};

} // namespace pyra::ui
