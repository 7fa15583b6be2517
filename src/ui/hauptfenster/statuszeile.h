#pragma once

// The main window's status bar: panel 0 the hint of the control under the mouse, panel 1 today's
// date in the locale's short date format, panel 2 three spaces and the time without seconds.
// Date and time are refreshed whenever the event loop is about to wait.

#include <QDate>
#include <QLocale>
#include <QStatusBar>
#include <QTime>

class QLabel;

namespace pyra::ui {

// The locale of the displays: the user's, or German when the system names none ("C").
QLocale Anzeigelocale();

// "   " + the time in the locale's time format without its seconds.
QString Uhrzeit_Text(const QTime& zeit, const QLocale& locale);
// The date in the locale's short date format.
QString Datum_Text(const QDate& datum, const QLocale& locale);

class Statusleiste : public QStatusBar {
    Q_OBJECT
  public:
    explicit Statusleiste(QWidget* eltern = nullptr);

    void Hinweis_setzen(const QString& text);
    // Panels 1 and 2 from the program's clock.
    void Zeit_aktualisieren();

    QString panel(int i) const;

  private:
    QLabel* panels_[3];
};

} // namespace pyra::ui
