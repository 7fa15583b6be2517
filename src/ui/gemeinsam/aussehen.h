#pragma once

// Colours and fonts of the windows, and the fitting of texts into the fixed geometry of the
// controls.

#include <QColor>
#include <QFont>
#include <QString>

class QLineEdit;
class QWidget;

namespace pyra::ui {

inline const QColor Farbe_Teal{0x00, 0x80, 0x80};
inline const QColor Farbe_Navy{0x00, 0x00, 0x80};
inline const QColor Farbe_Maroon{0x80, 0x00, 0x00};
inline const QColor Farbe_Silver{0xC0, 0xC0, 0xC0};
inline const QColor Farbe_Weiss{0xFF, 0xFF, 0xFF};

// The program's font, DejaVu Sans (installed with the program), at the given pixel height.
QFont Schrift(int pixel, bool fett);

// Hands each control the font of its parent unless the control has a font of its own. With the
// program's style sheet in force Qt does not pass fonts down by itself.
void Schrift_vererben(QWidget* wurzel);

// The font, made smaller pixel by pixel until the text is at most `breite` pixels wide (never
// below 8 pixels). The controls have the fixed sizes of the layout; a font of the desktop's
// metrics would otherwise cut their texts.
QFont Schrift_fuer_Breite(QFont schrift, const QString& text, int breite);

// The width in which a text box draws its text: its contents less the frame, the padding of the
// style sheet, the text margins and the box's own margin on either side.
int Textbreite(const QLineEdit* feld);

// Gives a text box the largest font (not larger than its own) in which `groesster_wert` fits.
void Eingabe_einpassen(QLineEdit* feld, const QString& groesster_wert);

// Gives a control with a text (label, check box, radio button) the largest font (not larger than
// its own) in which it needs at most `breite` pixels; one placed without a size is sized to its
// text.
void Beschriftung_einpassen(QWidget* w, int breite);

// Application title, shown in message boxes.
inline const QString Anwendungstitel = QStringLiteral("Zolt's Pyra-Lotto 7.3");

} // namespace pyra::ui
