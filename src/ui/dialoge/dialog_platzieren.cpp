#include "ui/dialoge/dialog_platzieren.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <map>

namespace pyra::ui {

Versatz Versatz_fuer(const QString& dialog) {
    static const std::map<QString, Versatz> tabelle = {
        {QStringLiteral("TForm_Ziehung"), {10, 78, 10, 90}},
        {QStringLiteral("TForm_Zahlentipp"), {10, 78, 10, 90}},
        {QStringLiteral("TForm_Kuerzung"), {10, 78, 10, 90}},
        {QStringLiteral("TForm_Analyse"), {10, 78, 10, 90}},
        {QStringLiteral("TForm_Gewinnerwartung"), {10, 78, 10, 90}},
        {QStringLiteral("TForm_Druckeinstellung"), {10, 78, 10, 90}},
        {QStringLiteral("TForm_Druck"), {10, 78, 30, 100}},
        {QStringLiteral("TForm_ASCII"), {10, 78, 30, 100}},
        {QStringLiteral("TForm_Export"), {10, 88, 10, 90}},
        {QStringLiteral("TForm_Copyright"), {535, 78, 757, 90}},
        {QStringLiteral("TForm_Zahlen_Quoten_einlesen"), {10, 90, 10, 90}},
    };
    auto it = tabelle.find(dialog);
    return it != tabelle.end() ? it->second : Versatz{10, 78, 10, 90};
}

QPoint Dialogposition(const QPoint& hauptfenster, const QSize& bildschirm, const Versatz& v) {
    const bool gross = bildschirm.width() >= 1024 && bildschirm.height() >= 768;
    return hauptfenster + (gross ? QPoint(v.dx_gross, v.dy_gross) : QPoint(v.dx_klein, v.dy_klein));
}

void Dialog_platzieren(QWidget* dialog, const QWidget* hauptfenster, const Versatz& versatz) {
    if (!dialog || !hauptfenster) return;
    const QScreen* s = hauptfenster->screen() ? hauptfenster->screen() : QGuiApplication::primaryScreen();
    const QSize bildschirm = s ? s->size() : QSize(1024, 768);
    // The window's top-left corner includes its frame, as the placement table counts it.
    dialog->move(Dialogposition(hauptfenster->frameGeometry().topLeft(), bildschirm, versatz));
}

void Dialog_platzieren(QWidget* dialog, const QWidget* hauptfenster, const QString& dialogname) {
    Dialog_platzieren(dialog, hauptfenster, Versatz_fuer(dialogname));
}

} // namespace pyra::ui
