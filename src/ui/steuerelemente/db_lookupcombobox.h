#pragma once

// A selection list bound to a key field: it offers the entries of a lookup cursor (key field and
// text field), writes the chosen key into the bound field and keeps the lookup cursor on the
// entry of the current value, so the lookup cursor's notifications follow every move.

#include "ui/steuerelemente/datenverbindung.h"

#include <QComboBox>

#include <cstdint>
#include <vector>

namespace pyra::ui {

class DBLookupComboBox : public QComboBox {
    Q_OBJECT
  public:
    explicit DBLookupComboBox(QWidget* eltern = nullptr);

    void binden(store::DataSource* quelle, const std::string& feld, store::DataSource* liste,
                const std::string& schluesselfeld, const std::string& listenfeld);

    // Chooses the entry with this key as the user would (writes the field, moves the lookup cursor).
    void waehlen(std::int64_t schluessel);
    // The keys of the entries, in list order.
    const std::vector<std::int64_t>& schluessel() const { return schluessel_; }

  signals:
    // The list was closed (CloseUp).
    void geschlossen();
    // A key was released while the list had the focus (KeyUp).
    void taste_losgelassen();

  public:
    void hidePopup() override;

  protected:
    void keyReleaseEvent(QKeyEvent* e) override;
    // The wheel over the closed list is ignored: a choice takes effect with the list's close, and
    // the wheel would change the value without it.
    void wheelEvent(QWheelEvent* e) override;

  private:
    void liste_laden();
    void anzeigen();
    void gewaehlt(int index);
    void lookup_nachfuehren(std::int64_t wert);

    Datenverbindung daten_;
    Datenverbindung liste_;
    std::string feld_, schluesselfeld_, listenfeld_;
    std::vector<std::int64_t> schluessel_;
    bool laedt_ = false;
    bool schreibt_ = false;
};

} // namespace pyra::ui
