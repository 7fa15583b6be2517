#pragma once

// Colours and fonts of the windows.

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

namespace pyra::ui {

inline const QColor Farbe_Teal{0x00, 0x80, 0x80};
inline const QColor Farbe_Navy{0x00, 0x00, 0x80};
inline const QColor Farbe_Maroon{0x80, 0x00, 0x00};
inline const QColor Farbe_Silver{0xC0, 0xC0, 0xC0};
inline const QColor Farbe_Weiss{0xFF, 0xFF, 0xFF};

// The nearest installed sans-serif font at the given pixel height.
QFont Schrift(int pixel, bool fett);

// Hands each control the font of its parent unless the control has a font of its own. With the
// program's style sheet in force Qt does not pass fonts down by itself.
void Schrift_vererben(QWidget* wurzel);

// Application title, shown in message boxes.
inline const QString Anwendungstitel = QStringLiteral("Zolt's Pyra-Lotto 7.3");

} // namespace pyra::ui
