#pragma once

// A text box bound to a field of a cursor's current record. It shows the field and writes what
// the user typed back when the focus leaves it, when Enter is pressed, or when the cursor asks
// for pending input before a post. A value the store refuses, or a number outside the range of
// the field's meaning (a bank number 1..49, at most 750 rows), is reported and the stored value
// comes back.

#include "ui/steuerelemente/datenverbindung.h"

#include <QLineEdit>

namespace pyra::ui {

class DBEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit DBEdit(QWidget* eltern = nullptr);

    void binden(store::DataSource* quelle, const std::string& feld);
    const std::string& feld() const { return feld_; }

    // Writes a changed text into the field (the cursor goes into edit state). Returns false when
    // the store refused the value; the message has been shown and the stored value is back.
    bool uebernehmen();

    // Post the record right after writing (for boxes whose record nothing else posts).
    void sofort_speichern(bool an) { sofort_speichern_ = an; }

  signals:
    // The focus has left the box (after the text was written).
    void verlassen();

  protected:
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void anzeigen();
    // The field's value as the box shows it.
    QString feldtext() const;

    Datenverbindung verbindung_;
    std::string feld_;
    bool sofort_speichern_ = false;
    bool schreibt_ = false;
    bool uebernimmt_ = false;
};

} // namespace pyra::ui
