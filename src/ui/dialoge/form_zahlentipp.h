#pragma once

// The number-tip dialog: the fifteen tip numbers stored for the current selection.

#include "data/datamodule.h"

#include <QDialog>

class QPushButton;

namespace pyra::ui {

class DBGrid;

class TForm_Zahlentipp : public QDialog {
    Q_OBJECT
  public:
    explicit TForm_Zahlentipp(QWidget* eltern = nullptr);

    // Binds the grid to the data module's tip source; nullptr unbinds it.
    void binden(data::DataModule_Lotto* dm);

    // Places the dialog and shows it modally.
    void zeigen(QWidget* hauptfenster);
    // The show step alone (tests).
    void FormShow(QWidget* hauptfenster);

    DBGrid* DBGrid_Zahlentipp = nullptr;
    QPushButton* BitBtn_OK = nullptr;
};

} // namespace pyra::ui
