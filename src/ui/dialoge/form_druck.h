#pragma once

// The print dialog: pick a play slip, see its row range, print it on one page per click. The
// logic is output::Druckformular; this class copies the controls into it and back.

#include "data/datamodule.h"
#include "output/drucker.h"

#include <QDialog>
#include <QListWidget>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pyra::output {
class Druckformular;
}

namespace pyra::ui {

// The slip list of the print and text-export dialogs: 250 entries "  01.Spielschein" …
// "250.Spielschein" on white. Releasing a key or the mouse button over it calls the handler.
class Spielscheinliste : public QListWidget {
    Q_OBJECT
  public:
    explicit Spielscheinliste(QWidget* eltern = nullptr);

    void Loslassen_setzen(std::function<void()> handler) { loslassen_ = std::move(handler); }

  protected:
    void keyReleaseEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    std::function<void()> loslassen_;
};

class TForm_Druck : public QDialog {
    Q_OBJECT
  public:
    explicit TForm_Druck(QWidget* eltern = nullptr);
    ~TForm_Druck() override;

    // Binds the dialog to the data module; nullptr unbinds it.
    void binden(data::DataModule_Lotto* dm);

    // The printer of a click. Default: the system's default printer, or a PDF file in "Arbeit"
    // when none is installed. Tests hand in a recording printer.
    using Druckerwahl = std::function<std::unique_ptr<output::Drucker>()>;
    void Drucker_setzen(Druckerwahl wahl) { druckerwahl_ = std::move(wahl); }

    // FormShow: places the dialog, selects slip entry 0 and sets the row range.
    void vorbereiten(QWidget* hauptfenster);
    // vorbereiten, then shows the dialog modally.
    void zeigen(QWidget* hauptfenster);

    // Rows per slip, both range edits and the print button from the selected slip; the row
    // cursor moves to the slip's first row.
    void Reihenbereich_setzen();
    // Prints the range in the edits on one page.
    void Spielschein_drucken();
    void BitBtn_DruckClick();

    QLabel* Image_Drucker = nullptr;
    Spielscheinliste* ListBox_Spielschein = nullptr;
    QLabel* Label_Reihen = nullptr;
    QLineEdit* Edit_Reihe_von = nullptr;
    QLineEdit* Edit_Reihe_bis = nullptr;
    QPushButton* BitBtn_Druck = nullptr;
    QPushButton* BitBtn_OK = nullptr;

  private:
    void formular_lesen();
    void formular_zeigen();
    std::unique_ptr<output::Drucker> drucker_anlegen();

    data::DataModule_Lotto* dm_ = nullptr;
    std::unique_ptr<output::Druckformular> formular_;
    Druckerwahl druckerwahl_;
};

} // namespace pyra::ui
