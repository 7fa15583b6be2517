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

// Applies the visual style "Emerald Light Slate", the program's own style sheet. Returns an empty
// text on success, else the message to show.
QString Stil_anwenden(QApplication& app);

} // namespace pyra::ui
