#pragma once

// The window state the data module hands over, applied to the main window's controls. The two
// option dialogs register their own appliers when they exist; until then their state is kept.

#include "data/benutzerdialog.h"

#include <functional>

namespace pyra::ui {

class TForm_Lotto;

class Fensterzustand_Lotto : public data::Fensterzustand {
  public:
    explicit Fensterzustand_Lotto(TForm_Lotto& form) : form_(form) {}

    void Optionen_Lotto(bool enabled) override;
    void Optionen_Kuerzung(bool enabled) override;
    void Optionen_Analyse(bool enabled) override;
    void CheckBox_System_setzen(bool checked) override;
    void Reihen_Gesamt_anzeigen(const std::string& text) override;
    void Reihengitter_binden(bool mit_reihen) override;

    // `Optionen` of the reduction options dialog and of the analysis dialog.
    std::function<void(bool)> Kuerzung_Optionen;
    std::function<void(bool)> Analyse_Optionen;

  private:
    TForm_Lotto& form_;
};

} // namespace pyra::ui
