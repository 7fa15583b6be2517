#include "ui/gemeinsam/meldungen.h"

#include "data/eingabepruefung.h"
#include "ui/gemeinsam/aussehen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace pyra::ui {

namespace {

Meldungsumleitung& umleitung() {
    static Meldungsumleitung u;
    return u;
}

// Message texts use "\r" as line break; the box needs "\n".
QString anzeigetext(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QMessageBox::StandardButton zeigen(QWidget* eltern, QMessageBox::Icon icon, const QString& text,
                                   QMessageBox::StandardButtons knoepfe,
                                   QMessageBox::StandardButton standard) {
    QMessageBox box(icon, Anwendungstitel, anzeigetext(text), knoepfe, eltern);
    box.setDefaultButton(standard);
    // Questions show German buttons whatever translations are installed.
    if (auto* ja = box.button(QMessageBox::Yes)) ja->setText(QStringLiteral("&Ja"));
    if (auto* nein = box.button(QMessageBox::No)) nein->setText(QStringLiteral("&Nein"));
    // The hourglass of a long command must not hide the pointer while the user answers.
    bool wartend = QApplication::overrideCursor() != nullptr;
    if (wartend) QApplication::setOverrideCursor(Qt::ArrowCursor);
    auto antwort = static_cast<QMessageBox::StandardButton>(box.exec());
    if (wartend) QApplication::restoreOverrideCursor();
    return antwort;
}

} // namespace

void Meldungen_umleiten(Meldungsumleitung u) {
    umleitung() = std::move(u);
}

// Fields named in a message of the store appear as the windows label them.
static QString mit_feldbezeichnungen(const QString& text) {
    return QString::fromStdString(data::Feldnamen_ersetzen(text.toStdString()));
}

void Meldung(QWidget* eltern, const QString& roh) {
    const QString text = mit_feldbezeichnungen(roh);
    if (umleitung().meldung) {
        umleitung().meldung(text);
        return;
    }
    zeigen(eltern, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool Frage(QWidget* eltern, const QString& text) {
    if (umleitung().frage) return umleitung().frage(text);
    return zeigen(eltern, QMessageBox::Information, text, QMessageBox::Yes | QMessageBox::No,
                  QMessageBox::Yes) == QMessageBox::Yes;
}

bool Bestaetigung(QWidget* eltern, const QString& text) {
    if (umleitung().frage) return umleitung().frage(text);
    return zeigen(eltern, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                  QMessageBox::Yes) == QMessageBox::Yes;
}

void Fehlerbericht(QWidget* eltern, const QString& roh) {
    const QString text = mit_feldbezeichnungen(roh);
    if (umleitung().meldung) {
        umleitung().meldung(text);
        return;
    }
    zeigen(eltern, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool Ausfuehren(QWidget* eltern, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        Fehlerbericht(eltern, QString::fromUtf8(e.what()));
    } catch (...) {
        Fehlerbericht(eltern, QStringLiteral("Unbekannter Fehler."));
    }
    return false;
}

Sanduhr::Sanduhr() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

Sanduhr::~Sanduhr() {
    beenden();
}

void Sanduhr::beenden() {
    if (!aktiv_) return;
    aktiv_ = false;
    QApplication::restoreOverrideCursor();
}

} // namespace pyra::ui
