#pragma once

#include <string>

namespace pyra::data {

// How the core talks to the user. The desktop program answers with message boxes, the hourglass
// cursor and the Escape key; tests and the batch companion answer from a script.
class Benutzerdialog {
  public:
    virtual ~Benutzerdialog() = default;
    // Information message with the button OK.
    virtual void Meldung(const std::string& text) = 0;
    // Question with the buttons Yes and No; true for Yes.
    virtual bool Frage(const std::string& text) = 0;
    // Hourglass cursor on or off.
    virtual void Warten_anzeigen(bool /*an*/) {}
    // Lets pending window messages run: at most one without waiting, or all of them.
    virtual void Nachrichten_verarbeiten(bool /*nur_eine*/) {}
    // True while the user holds the Escape key.
    virtual bool Abbruch_gewuenscht() { return false; }
};

// What the data module hands to the windows: the enabled state of the system inputs, the system
// check box, the row counter of the toolbar and which source the row grid shows. This base keeps
// the state for tests and the batch companion; the desktop program applies it to its controls.
class Fensterzustand {
  public:
    virtual ~Fensterzustand() = default;

    // Board check boxes, bank numbers and the menu item "Reihenkürzung" of the main window.
    virtual void Optionen_Lotto(bool enabled) { eingaben_lotto = enabled; }
    // The 17 option controls of the reduction options dialog.
    virtual void Optionen_Kuerzung(bool enabled) { eingaben_kuerzung = enabled; }
    // The three threshold fields of the analysis dialog.
    virtual void Optionen_Analyse(bool enabled) { eingaben_analyse = enabled; }
    // Checked state of CheckBox_System (checked = locked).
    virtual void CheckBox_System_setzen(bool checked) { system_gesperrt = checked; }
    // Text of the row counter Edit_Reihen_Gesamt.
    virtual void Reihen_Gesamt_anzeigen(const std::string& text) { reihen_gesamt = text; }
    // The row grid shows DataSource_Reihen (true) or DataSource_Dummy (false).
    virtual void Reihengitter_binden(bool mit_reihen) { reihengitter_mit_reihen = mit_reihen; }

    bool eingaben_lotto = true;
    bool eingaben_kuerzung = true;
    bool eingaben_analyse = true;
    bool system_gesperrt = false;
    std::string reihen_gesamt = "0";
    bool reihengitter_mit_reihen = false;
};

} // namespace pyra::data
