#include "ui/gemeinsam/aussehen.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWidget>

namespace pyra::ui {

namespace {
// The margin QLineEdit keeps between its contents rectangle and the text, on either side.
constexpr int Eingaberand = 2;
constexpr int Kleinste_Schrift = 8;

int pixelgroesse(const QFont& f) {
    if (f.pixelSize() > 0) return f.pixelSize();
    return QFontMetrics(f).height();
}
} // namespace

QFont Schrift(int pixel, bool fett) {
    QFont f;
    // The program brings its font along (DejaVu Sans): the layout's fixed sizes were chosen for
    // its metrics, and the fit tests measure with it.
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
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

QFont Schrift_fuer_Breite(QFont schrift, const QString& text, int breite) {
    int pixel = pixelgroesse(schrift);
    while (pixel > Kleinste_Schrift && QFontMetrics(schrift).horizontalAdvance(text) > breite) {
        --pixel;
        schrift.setPixelSize(pixel);
    }
    return schrift;
}

int Textbreite(const QLineEdit* feld) {
    QStyleOptionFrame option;
    option.initFrom(feld);
    option.rect = feld->contentsRect();
    option.lineWidth =
        feld->hasFrame() ? feld->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, feld) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    option.features = QStyleOptionFrame::None;
    QRect r = feld->style()->subElementRect(QStyle::SE_LineEditContents, &option, feld);
    r = r.marginsRemoved(feld->textMargins());
    return r.width() - 2 * Eingaberand;
}

void Eingabe_einpassen(QLineEdit* feld, const QString& groesster_wert) {
    feld->setFont(Schrift_fuer_Breite(feld->font(), groesster_wert, Textbreite(feld)));
}

void Beschriftung_einpassen(QWidget* w, int breite) {
    // The control's width beyond its text (the indicator of a check box, say) stays the same.
    QFont schrift = w->font();
    for (int pixel = pixelgroesse(schrift); w->sizeHint().width() > breite && pixel > Kleinste_Schrift;) {
        schrift.setPixelSize(--pixel);
        w->setFont(schrift);
    }
    // A control placed without a size takes the size of its text.
    if (w->property("pyra_textgroesse").toBool()) w->adjustSize();
}

} // namespace pyra::ui
