#pragma once

// The reduction options dialog: the filter options of the selection's Optionen_2 record (runs of
// consecutive numbers, last digits, ranges of ten, blocks and columns of seven, sum range, count
// of even numbers), edited directly through data-aware controls.

#include "data/datamodule.h"

#include <QDialog>

#include <array>
#include <vector>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace pyra::ui {

class DBCheckBox;
class DBEdit;

class TForm_Kuerzung : public QDialog {
    Q_OBJECT
  public:
    explicit TForm_Kuerzung(QWidget* eltern = nullptr);

    // Binds the option controls to DataSource_Optionen_2; nullptr unbinds.
    void binden(data::DataModule_Lotto* dm);

    // The show step and the modal run.
    void zeigen(QWidget* hauptfenster);
    // The show step alone: places the dialog, applies the lock state and makes sure the analysis
    // tables hold their rows (tests call it instead of zeigen).
    void FormShow(QWidget* hauptfenster);
    // Hands over pending input and saves the options record.
    void FormClose();
    // Enables or disables the 17 option controls (the system lock); OK stays enabled.
    void Optionen(bool enabled);

    // The 17 option controls in tab order.
    std::vector<QWidget*> Optionsfelder() const;

    QFrame* Bevel_Optionen = nullptr;
    DBCheckBox* DBCheckBox_Zwillinge = nullptr;
    DBCheckBox* DBCheckBox_Drillinge = nullptr;
    DBCheckBox* DBCheckBox_Vierling = nullptr;
    DBCheckBox* DBCheckBox_Fuenfling = nullptr;
    QLabel* Label_Endziffer = nullptr;
    DBEdit* DBEdit_Endziffer = nullptr;
    QLabel* Label_Zehner = nullptr;
    DBEdit* DBEdit_Zehner = nullptr;
    QLabel* Label_7er = nullptr;
    DBEdit* DBEdit_7er = nullptr;
    QLabel* Label_7er_vt = nullptr;
    DBEdit* DBEdit_7er_vt = nullptr;
    QLabel* Label_Quersumme_von = nullptr;
    DBEdit* DBEdit_Summe_von = nullptr;
    QLabel* Label_Quersumme_bis = nullptr;
    DBEdit* DBEdit_Summe_bis = nullptr;
    QLabel* Label_Gerade = nullptr;
    std::array<DBCheckBox*, 7> DBCheckBox_Gerade{}; // DBCheckBox_Gerade_0 .. DBCheckBox_Gerade_6
    QPushButton* BitBtn_OK = nullptr;

  public slots:
    void done(int ergebnis) override;

  private:
    std::vector<DBEdit*> Zahlenfelder() const;

    data::DataModule_Lotto* dm_ = nullptr;
};

} // namespace pyra::ui
