#include "ui/gemeinsam/aussehen.h"

#include <QStringList>
#include <QWidget>

namespace pyra::ui {

QFont Schrift(int pixel, bool fett) {
    QFont f;
    // Liberation Sans has the metrics of the narrow sans-serif fonts the layout was made for;
    // DejaVu Sans is on every Debian desktop.
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans"),
                   QStringLiteral("Sans Serif")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixel);
    f.setBold(fett);
    return f;
}

void Schrift_vererben(QWidget* wurzel) {
    for (QWidget* kind : wurzel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (kind->isWindow()) continue;
        if (!kind->testAttribute(Qt::WA_SetFont)) kind->setFont(wurzel->font());
        Schrift_vererben(kind);
    }
}

} // namespace pyra::ui
