#pragma once

// The import dialog (F7): week range, year and workbook path of the spreadsheet import, stored in
// the selection record Wahl, and the button that reads the draws and quotas of those weeks.

#include "data/datamodule.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace pyra::ui {

class DBEdit;

class TForm_Zahlen_Quoten_einlesen : public QDialog {
    Q_OBJECT
  public:
    explicit TForm_Zahlen_Quoten_einlesen(QWidget* eltern = nullptr);

    // Binds the four edits to Wahl (nullptr unbinds them).
    void binden(data::DataModule_Lotto* dm);

    // Places the dialog beside the main window and shows it modally.
    void zeigen(QWidget* hauptfenster);
    // The same without showing (tests).
    void vorbereiten(QWidget* hauptfenster);

    // "Einlesen": stores the typed parameters and runs the import into the selected association.
    // Every outcome is reported in a message; an error never leaves the handler.
    void BitBtn_Einlesen_Zahlen_QuotenClick();
    // "OK": stores the typed parameters and closes the dialog.
    void BitBtn_OKClick();
    // The file chooser beside the path; Excel_Datei_setzen takes the chosen file.
    void SpeedButton_Excel_DateiClick();
    void Excel_Datei_setzen(const QString& pfad);

    QLabel* Label_Wochen = nullptr;
    QLabel* Label_Trennstrich = nullptr;
    QLabel* Label_Jahr = nullptr;
    QLabel* Label_Excel = nullptr;
    DBEdit* DBEdit_Woche_von = nullptr;
    DBEdit* DBEdit_Woche_bis = nullptr;
    DBEdit* DBEdit_Jahr = nullptr;
    DBEdit* DBEdit_Excel_Datei = nullptr;
    QToolButton* SpeedButton_Excel_Datei = nullptr;
    QRadioButton* RadioButton_Mittwoch = nullptr;
    QRadioButton* RadioButton_Samstag = nullptr;
    QPushButton* BitBtn_Einlesen_Zahlen_Quoten = nullptr;
    QPushButton* BitBtn_OK = nullptr;

  public slots:
    void reject() override;

  private:
    // Hands what was typed into the edits to the record; false when a value was refused (the
    // edit has reported it).
    bool Eingaben_uebernehmen();
    // Stores the record if it is being edited; a refusal of the store is reported.
    bool Wahl_speichern();

    data::DataModule_Lotto* dm_ = nullptr;
};

} // namespace pyra::ui
