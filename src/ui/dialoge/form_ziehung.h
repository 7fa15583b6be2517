#pragma once

// The draw-results dialog: every draw of the current association and draw day, the numbers in
// drawn order and the prize classes of the draw under the cursor, all edited in place. A draw row
// is checked when it is left: six distinct numbers from 1 to N (stored ascending) or none at all.

#include "data/datamodule.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace pyra::ui {

class DBGrid;

class TForm_Ziehung : public QDialog {
    Q_OBJECT
  public:
    explicit TForm_Ziehung(QWidget* eltern = nullptr);

    // Binds the grids to the data module's sources; nullptr unbinds them.
    void binden(data::DataModule_Lotto* dm);

    // The show step followed by the modal run. ziehungstext: the draw day as the main window's
    // draw-day list shows it.
    void zeigen(QWidget* hauptfenster, const QString& ziehungstext);
    // The show step alone (tests): placement, caption, the selected week's draw, focus.
    void FormShow(QWidget* hauptfenster, const QString& ziehungstext);
    // The close step: marks the statistics out of date and posts pending input. False when a row
    // was refused; the dialog then stays open with the input for correction.
    bool FormClose();

    DBGrid* DBGrid_Ziehungsergebnisse = nullptr;
    DBGrid* DBGrid_Gewinn = nullptr;
    QLabel* Label_Reihenfolge = nullptr;
    DBGrid* DBGrid_Reihenfolge_gezogene_Zahlen = nullptr;
    QPushButton* BitBtn_OK = nullptr;

    // True while a row of either table holds input that is not stored (refused or still typed).
    bool Eingabe_ausstehend() const;
    // Drops that input: the stored values come back.
    void Eingabe_verwerfen();

  public slots:
    void done(int ergebnis) override;

  protected:
    void keyPressEvent(QKeyEvent* e) override;

  private:
    // The check before a draw record is posted (throws store::StoreError with the message).
    void Ziehung_pruefen(store::Table& t);
    // Posts the pending input of the other table before one grid edits or moves.
    bool Gewinn_speichern();
    bool Ziehung_speichern();

    data::DataModule_Lotto* dm_ = nullptr;
};

// Checks a draw record before it is posted by the draw rules of the core (data/ziehungsregeln.h),
// and a new record's week and year, then puts its six numbers in ascending order. Throws
// store::StoreError with the German message; nothing is changed then.
void Ziehungszeile_pruefen(store::Table& zahlen, int n);

} // namespace pyra::ui
