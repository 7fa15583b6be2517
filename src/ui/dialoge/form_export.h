#pragma once

// The export dialog (F8): writes the update database Datenbank_Lotto_Update.tdbd from the draws
// and quotas of the main database, from the year Wahl.Jahr_Export on.

#include "data/datamodule.h"

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

namespace pyra::ui {

class DBEdit;

class TForm_Export : public QDialog {
    Q_OBJECT
  public:
    explicit TForm_Export(QWidget* eltern = nullptr);

    // Binds the two edits to Wahl (nullptr unbinds them).
    void binden(data::DataModule_Lotto* dm);

    // Places the dialog beside the main window and shows it modally.
    void zeigen(QWidget* hauptfenster);
    // The same without showing (tests).
    void vorbereiten(QWidget* hauptfenster);

    // "Export": stores the typed year and refills the update database. An error is reported and
    // leaves the previous content of the file as it was.
    void BitBtn_ExportClick();
    // Closing: stores the typed year and closes the update tables and the unrestricted cursors.
    void FormClose();

    QLabel* Label_Woche = nullptr;
    QLabel* Label_Jahr = nullptr;
    DBEdit* DBEdit_Woche = nullptr;
    DBEdit* DBEdit_Jahr = nullptr;
    QPushButton* BitBtn_Export = nullptr;
    QPushButton* BitBtn_OK = nullptr;

  public slots:
    void done(int ergebnis) override;

  private:
    data::DataModule_Lotto* dm_ = nullptr;
};

// Download address of the menu command "Aktualisierung". Empty (the default) means the update
// server's address; tests point it at a server on this machine.
void Aktualisierungsadresse_setzen(const std::string& url);
const std::string& Aktualisierungsadresse();

} // namespace pyra::ui
