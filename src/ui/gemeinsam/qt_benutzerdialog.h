#pragma once

// The user dialog of the core, answered by the desktop program: message boxes, the hourglass
// cursor, pending window messages and the state of the Escape key.

#include "data/benutzerdialog.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace pyra::ui {

class Qt_Benutzerdialog : public QObject, public data::Benutzerdialog {
    Q_OBJECT
  public:
    // Watches the keyboard of the whole application for the Escape key.
    explicit Qt_Benutzerdialog(QObject* eltern = nullptr);
    ~Qt_Benutzerdialog() override;

    // The window the message boxes belong to.
    void Fenster_setzen(QWidget* fenster) { fenster_ = fenster; }

    void Meldung(const std::string& text) override;
    bool Frage(const std::string& text) override;
    void Warten_anzeigen(bool an) override;
    void Nachrichten_verarbeiten(bool nur_eine) override;
    bool Abbruch_gewuenscht() override { return escape_unten_; }

  protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

  private:
    QPointer<QWidget> fenster_;
    bool escape_unten_ = false;
    int warten_ = 0;
};

} // namespace pyra::ui
