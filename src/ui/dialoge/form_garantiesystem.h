#pragma once

// The guaranteed-system dialog: the player chooses the guarantee (t hits when p winning numbers
// are among the system numbers), the time budget and whether the reduction's filters apply, and
// starts the search. While it runs the dialog shows the rows of the best complete system so far
// and the time left; "Stopp" ends the search and keeps the best complete system. The core
// command stores the rows and reports the result.

#include "data/datamodule.h"
#include "system/garantiebefehle_store.h"

#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace pyra::ui {

class TForm_Garantiesystem : public QDialog {
    Q_OBJECT
  public:
    explicit TForm_Garantiesystem(QWidget* eltern = nullptr);

    void binden(data::DataModule_Lotto* dm);

    // Places the dialog, shows the guarantee for the marked numbers, then runs it modally.
    void zeigen(QWidget* hauptfenster);
    // The show step alone (tests call it instead of zeigen).
    void FormShow(QWidget* hauptfenster);

    // "Start": runs the command with the chosen values. Returns how it ended; the dialog closes
    // when the rows were stored.
    system::Garantiebefehl_Ende Start();
    bool laeuft() const { return laeuft_; }

    QFrame* Bevel_Garantie = nullptr;
    QLabel* Label_Richtige = nullptr;
    QSpinBox* SpinEdit_Richtige = nullptr;
    QLabel* Label_Gewinnzahlen = nullptr;
    QSpinBox* SpinEdit_Gewinnzahlen = nullptr;
    QLabel* Label_Garantie = nullptr;
    QLabel* Label_Sekunden = nullptr;
    QSpinBox* SpinEdit_Sekunden = nullptr;
    QCheckBox* CheckBox_Filter = nullptr;
    QLabel* Label_Bankzahlen = nullptr;
    QLabel* Label_Fortschritt = nullptr;
    QProgressBar* ProgressBar_Zeit = nullptr;
    QPushButton* BitBtn_Start = nullptr;
    QPushButton* BitBtn_Stopp = nullptr;
    QPushButton* BitBtn_Schliessen = nullptr;

    // Test hook: called with every progress report of a run, after the display was updated.
    std::function<void(const system::Garantiefortschritt&)> bei_fortschritt;

  public slots:
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    void Garantie_anzeigen();
    void Fortschritt_anzeigen(const system::Garantiefortschritt& f);
    void Eingaben_freigeben(bool an);

    data::DataModule_Lotto* dm_ = nullptr;
    bool laeuft_ = false;
    bool stopp_ = false;
};

} // namespace pyra::ui
