#pragma once

// The text-export dialog: pick a play slip, and "Text - Datei" writes every row up to that
// slip's last row into the week's text file in "Arbeit". The logic is output::Textformular;
// this class copies the controls into it and back.

#include "data/datamodule.h"

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pyra::output {
class Textformular;
}

namespace pyra::ui {

class Spielscheinliste;

class TForm_ASCII : public QDialog {
    Q_OBJECT
  public:
    explicit TForm_ASCII(QWidget* eltern = nullptr);
    ~TForm_ASCII() override;

    // Binds the dialog to the data module; nullptr unbinds it.
    void binden(data::DataModule_Lotto* dm);

    // FormShow: places the dialog, selects slip entry 0, separator ",", the last row, and
    // makes sure the week's file exists.
    void vorbereiten(QWidget* hauptfenster);
    // vorbereiten, then shows the dialog modally.
    void zeigen(QWidget* hauptfenster);

    // The last row of the selected slip into Edit_Reihe_bis.
    void Reihe_bis_setzen();
    // Rewrites the week's file with the rows up to Edit_Reihe_bis.
    void Textdatei_schreiben();
    void BitBtn_TextdateiClick();

    // The week's file as fixed by the last showing; empty before.
    QString Datei() const;

    Spielscheinliste* ListBox_Spielschein = nullptr;
    QLabel* Label_Reihen = nullptr;
    QLineEdit* Edit_Reihe_bis = nullptr;
    QLineEdit* Edit_Trennzeichen = nullptr;
    QPushButton* BitBtn_Textdatei = nullptr;
    QPushButton* BitBtn_OK = nullptr;
    QLabel* Image_Drucker = nullptr;

  private:
    void formular_lesen();
    void formular_zeigen();

    std::unique_ptr<output::Textformular> formular_;
};

} // namespace pyra::ui
