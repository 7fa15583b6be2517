#pragma once

// The analysis dialog: the recurrence tables by weeks and by years and the overdue-sum bands of
// the current association and draw day, the three percentage thresholds of the selection, and the
// button that recomputes the tables from the draw history up to the selected week.

#include "data/datamodule.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pyra::ui {

class DBEdit;
class DBGrid;

class TForm_Analyse : public QDialog {
    Q_OBJECT
  public:
    explicit TForm_Analyse(QWidget* eltern = nullptr);

    // Binds the grids and the threshold fields to the data module's sources; nullptr unbinds.
    void binden(data::DataModule_Lotto* dm);

    // The show step and the modal run.
    void zeigen(QWidget* hauptfenster);
    // The show step alone: places the dialog, applies the lock state and creates the missing
    // table rows (tests call it instead of zeigen).
    void FormShow(QWidget* hauptfenster);
    // Recomputes the per-draw fields and the three tables for the selected week.
    void BitBtn_BerechnungClick();
    // Hands over pending input and saves pending edits.
    void FormClose();
    // Enables or disables the three threshold fields (the system lock).
    void Optionen(bool enabled);

    QLabel* Label_Woche = nullptr;
    DBGrid* DBGrid_Woche = nullptr;
    QLabel* Label_Jahr = nullptr;
    DBGrid* DBGrid_Jahr = nullptr;
    QLabel* Label_Summe = nullptr;
    DBGrid* DBGrid_Summe = nullptr;
    QLabel* Label_Prozent_Wo = nullptr;
    DBEdit* DBEdit_Prozent_Wo = nullptr;
    QLabel* Label_Prozent_Jahr = nullptr;
    DBEdit* DBEdit_Prozent_Jahr = nullptr;
    QLabel* Label_Prozent_Summe = nullptr;
    DBEdit* DBEdit_Prozent_Summe = nullptr;
    QPushButton* BitBtn_Berechnung = nullptr;
    QPushButton* BitBtn_OK = nullptr;

  public slots:
    void done(int ergebnis) override;

  private:
    data::DataModule_Lotto* dm_ = nullptr;
};

} // namespace pyra::ui
