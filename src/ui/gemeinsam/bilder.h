#pragma once

// The program's pictures, drawn from its own SVG resources at the size they are shown.

#include <QPixmap>
#include <QString>

namespace pyra::ui {

// Renders the SVG resource into a pixmap of the given size (keeping the aspect ratio, centred on
// a transparent background).
QPixmap Bild(const QString& ressource, const QSize& groesse);

} // namespace pyra::ui
