#include "ui/gemeinsam/qt_benutzerdialog.h"

#include "ui/gemeinsam/meldungen.h"

#include <QApplication>
#include <QKeyEvent>

namespace pyra::ui {

Qt_Benutzerdialog::Qt_Benutzerdialog(QObject* eltern) : QObject(eltern) {
    if (qApp) qApp->installEventFilter(this);
}

Qt_Benutzerdialog::~Qt_Benutzerdialog() {
    while (warten_ > 0) {
        QApplication::restoreOverrideCursor();
        --warten_;
    }
}

void Qt_Benutzerdialog::Meldung(const std::string& text) {
    ui::Meldung(fenster_, QString::fromStdString(text));
}

bool Qt_Benutzerdialog::Frage(const std::string& text) {
    return ui::Frage(fenster_, QString::fromStdString(text));
}

void Qt_Benutzerdialog::Warten_anzeigen(bool an) {
    if (an) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++warten_;
    } else if (warten_ > 0) {
        QApplication::restoreOverrideCursor();
        --warten_;
    }
}

void Qt_Benutzerdialog::Nachrichten_verarbeiten(bool /*nur_eine*/) {
    // Qt has no "one message only"; what is pending now is handled, nothing is waited for.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool Qt_Benutzerdialog::eventFilter(QObject* objekt, QEvent* ereignis) {
    switch (ereignis->type()) {
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(ereignis);
        if (k->key() == Qt::Key_Escape) escape_unten_ = true;
        break;
    }
    case QEvent::KeyRelease: {
        auto* k = static_cast<QKeyEvent*>(ereignis);
        if (k->key() == Qt::Key_Escape && !k->isAutoRepeat()) escape_unten_ = false;
        break;
    }
    case QEvent::ApplicationDeactivate:
        // The release of a key pressed before switching away never arrives.
        escape_unten_ = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(objekt, ereignis);
}

} // namespace pyra::ui
