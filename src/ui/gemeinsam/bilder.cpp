#include "ui/gemeinsam/bilder.h"

#include <QPainter>
#include <QSvgRenderer>

namespace pyra::ui {

QPixmap Bild(const QString& ressource, const QSize& groesse) {
    QPixmap p(groesse);
    p.fill(Qt::transparent);
    QSvgRenderer r(ressource);
    if (!r.isValid()) return p;
    QSizeF s = r.defaultSize();
    s.scale(groesse, Qt::KeepAspectRatio);
    QPainter maler(&p);
    maler.setRenderHint(QPainter::Antialiasing);
    r.render(&maler,
             QRectF(QPointF((groesse.width() - s.width()) / 2, (groesse.height() - s.height()) / 2), s));
    return p;
}

} // namespace pyra::ui
