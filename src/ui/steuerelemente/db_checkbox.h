#pragma once

// A check box bound to a yes/no field ("t" checked, "f" unchecked). A click stores the new state
// at once (Edit, SetString, Post) and then announces the click.

#include "ui/steuerelemente/datenverbindung.h"

#include <QCheckBox>

namespace pyra::ui {

class DBCheckBox : public QCheckBox {
    Q_OBJECT
  public:
    explicit DBCheckBox(const QString& text, QWidget* eltern = nullptr);

    void binden(store::DataSource* quelle, const std::string& feld);
    const std::string& feld() const { return feld_; }

  signals:
    // The user changed the box and the state has been stored.
    void geklickt();

  private:
    void anzeigen();
    void speichern(bool an);

    Datenverbindung verbindung_;
    std::string feld_;
    bool schreibt_ = false;
};

} // namespace pyra::ui
