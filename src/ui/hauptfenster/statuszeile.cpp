#include "ui/hauptfenster/statuszeile.h"

#include "data/datum.h"

#include <QAbstractEventDispatcher>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>

namespace pyra::ui {

QLocale Anzeigelocale() {
    QLocale l;
    if (l.language() == QLocale::C) return QLocale(QLocale::German, QLocale::Germany);
    return l;
}

QString Uhrzeit_Text(const QTime& zeit, const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::ShortFormat);
    // A short format with seconds loses them together with the separator before them.
    static const QRegularExpression sekunden(QStringLiteral("[^Hhmsap]*s+"));
    format.remove(sekunden);
    return QStringLiteral("   ") + locale.toString(zeit, format.trimmed());
}

QString Datum_Text(const QDate& datum, const QLocale& locale) {
    return locale.toString(datum, QLocale::ShortFormat);
}

Statusleiste::Statusleiste(QWidget* eltern) : QStatusBar(eltern) {
    setSizeGripEnabled(false);
    const int breiten[3] = {740, 140, 120};
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setObjectName(QStringLiteral("StatusBar_Panel_%1").arg(i));
        panels_[i]->setAlignment(Qt::AlignCenter);
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        panels_[i]->setFixedWidth(breiten[i] - (i == 0 ? 4 : 2));
        addWidget(panels_[i]);
    }
    Zeit_aktualisieren();
    // The idle moment refreshes the clock; a slow timer wakes the loop when nothing else happens.
    if (auto* d = QAbstractEventDispatcher::instance())
        connect(d, &QAbstractEventDispatcher::aboutToBlock, this, &Statusleiste::Zeit_aktualisieren);
    auto* uhr = new QTimer(this);
    uhr->setInterval(1000);
    connect(uhr, &QTimer::timeout, this, &Statusleiste::Zeit_aktualisieren);
    uhr->start();
}

void Statusleiste::Hinweis_setzen(const QString& text) {
    panels_[0]->setText(text);
}

void Statusleiste::Zeit_aktualisieren() {
    const QLocale l = Anzeigelocale();
    const data::Datum d = data::Heute();
    const data::Uhrzeit z = data::Jetzt();
    panels_[1]->setText(Datum_Text(QDate(d.jahr, d.monat, d.tag), l));
    panels_[2]->setText(Uhrzeit_Text(QTime(z.stunde, z.minute, z.sekunde), l));
}

QString Statusleiste::panel(int i) const {
    return i >= 0 && i < 3 ? panels_[i]->text() : QString();
}

} // namespace pyra::ui
