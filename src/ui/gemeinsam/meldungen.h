#pragma once

// The program's modal message boxes. A test sets a redirection that records the texts and answers
// the questions, so no box blocks a test run.

#include <QString>

#include <functional>

class QWidget;

namespace pyra::ui {

struct Meldungsumleitung {
    std::function<void(const QString&)> meldung; // information messages and error reports
    std::function<bool(const QString&)> frage;   // questions; true for Yes
};
// An empty redirection shows real message boxes again.
void Meldungen_umleiten(Meldungsumleitung umleitung);

// Information message with the button OK.
void Meldung(QWidget* eltern, const QString& text);
// Question with the information icon and the buttons Yes and No; true for Yes.
bool Frage(QWidget* eltern, const QString& text);
// Confirmation with the question icon and the buttons Yes and No; true for Yes.
bool Bestaetigung(QWidget* eltern, const QString& text);
// The default error report: the error's text with the error icon and OK.
void Fehlerbericht(QWidget* eltern, const QString& text);

// Runs a handler of a window or dialog. An error it throws ends only this handler and is shown
// with the default error report on `eltern`. Returns false when the handler failed.
bool Ausfuehren(QWidget* eltern, const std::function<void()>& handler);

// Shows the hourglass for as long as it lives, so every way out of a long command restores the
// pointer.
class Sanduhr {
  public:
    Sanduhr();
    ~Sanduhr();
    Sanduhr(const Sanduhr&) = delete;
    Sanduhr& operator=(const Sanduhr&) = delete;
    // Restores the pointer early (before a final message, say); the destructor then does nothing.
    void beenden();

  private:
    bool aktiv_ = true;
};

} // namespace pyra::ui
