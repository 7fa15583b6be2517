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

} // namespace pyra::ui
