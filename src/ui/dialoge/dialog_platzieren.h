#pragma once

// Where a dialog appears: at an offset from the main window's top-left corner, one offset for
// screens smaller than 1024 x 768 and a larger one for bigger screens.

#include <QPoint>
#include <QSize>
#include <QString>

class QWidget;

namespace pyra::ui {

struct Versatz {
    int dx_klein, dy_klein; // screens smaller than 1024 x 768
    int dx_gross, dy_gross; // screens of at least 1024 x 768
};

// The offsets of the program's dialogs, by class name ("TForm_Ziehung", ...). Unknown names get
// those of the draw-results dialog.
Versatz Versatz_fuer(const QString& dialog);

// The position for a dialog: main window's top-left plus the offset for this screen size.
QPoint Dialogposition(const QPoint& hauptfenster, const QSize& bildschirm, const Versatz& versatz);

// Moves the dialog to its place relative to the main window, on the main window's screen.
void Dialog_platzieren(QWidget* dialog, const QWidget* hauptfenster, const Versatz& versatz);
void Dialog_platzieren(QWidget* dialog, const QWidget* hauptfenster, const QString& dialogname);

} // namespace pyra::ui
