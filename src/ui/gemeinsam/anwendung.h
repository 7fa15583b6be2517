#pragma once

// The application object of the desktop program: an error that escapes a handler reaches the
// default error report (a message box with the error's text) instead of ending the program.

#include <QApplication>

namespace pyra::ui {

class Lotto_Anwendung : public QApplication {
    Q_OBJECT
  public:
    Lotto_Anwendung(int& argc, char** argv);
    bool notify(QObject* empfaenger, QEvent* ereignis) override;
};

// Makes the pictures and the style sheet available (they are linked into the program).
void Ressourcen_laden();

// Loads Qt's German translations, so that Qt's own dialogs (file chooser, print dialog) speak
// German like the program. False when they are not installed (Debian: qt6-translations-l10n).
bool Uebersetzungen_laden(QApplication& app);

// Applies the visual style "Emerald Light Slate", the program's own style sheet. Returns an empty
// text on success, else the message to show.
QString Stil_anwenden(QApplication& app);

} // namespace pyra::ui
