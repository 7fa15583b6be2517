#pragma once

// A grid over a cursor: the rows of a Tabellenmodell with the column widths and looks of its
// column definitions. The selected row follows the cursor, and choosing a row moves it. Read only
// unless a column allows editing; then typing or a double click edits a cell, Insert or Down on
// the last row adds a record, and Escape drops the pending changes of the row.

#include "ui/steuerelemente/tabellenmodell.h"

#include <QTableView>

namespace pyra::ui {

class DBGrid : public QTableView {
    Q_OBJECT
  public:
    // zeilenauswahl: whole rows are selected (else single cells).
    DBGrid(std::vector<Spalte> spalten, const std::string& schluesselfelder, bool zeilenauswahl,
           QWidget* eltern = nullptr);

    void quelle_setzen(store::DataSource* quelle);
    Tabellenmodell& modell() { return *modell_; }

    // Shows one record, the cursor's current one, in a row as high as the grid's room: a grid
    // of the layout's small height would otherwise show parts of two rows and a scroll bar.
    void Einzeilig();

    // The room a cell of the column has for its text.
    int Textbreite_der_Spalte(int spalte) const;

  protected:
    void currentChanged(const QModelIndex& aktuell, const QModelIndex& vorher) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void updateGeometries() override;

  private:
    void cursor_folgen(int zeile);
    void schrift_uebernehmen();
    int Zellenrand() const;
    void zeilenhoehe_setzen();

    Tabellenmodell* modell_;
    bool folgt_ = false;
    bool einzeilig_ = false;
};

} // namespace pyra::ui
