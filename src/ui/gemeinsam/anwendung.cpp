#include "ui/gemeinsam/anwendung.h"

#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/meldungen.h"

#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

static void ressourcen_initialisieren() {
    Q_INIT_RESOURCE(pyra);
}

namespace pyra::ui {

void Ressourcen_laden() {
    static bool geladen = false;
    if (!geladen) {
        ressourcen_initialisieren();
        geladen = true;
    }
}

Lotto_Anwendung::Lotto_Anwendung(int& argc, char** argv) : QApplication(argc, argv) {
    Ressourcen_laden();
    setApplicationName(Anwendungstitel);
    // Lets the desktop match the window to its menu entry (also on Wayland).
    setDesktopFileName(QStringLiteral("de.pyra_lotto.PyraLotto"));
    setApplicationDisplayName(QString());
    setWindowIcon(QIcon(QStringLiteral(":/pyra/pyra-lotto.svg")));
}

bool Lotto_Anwendung::notify(QObject* empfaenger, QEvent* ereignis) {
    try {
        return QApplication::notify(empfaenger, ereignis);
    } catch (const std::exception& e) {
        Fehlerbericht(activeWindow(), QString::fromUtf8(e.what()));
    } catch (...) {
        Fehlerbericht(activeWindow(), QStringLiteral("Unbekannter Fehler."));
    }
    return false;
}

bool Uebersetzungen_laden(QApplication& app) {
    auto* uebersetzung = new QTranslator(&app);
    const QString ordner = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!uebersetzung->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                            QStringLiteral("_"), ordner)) {
        delete uebersetzung;
        return false;
    }
    app.installTranslator(uebersetzung);
    return true;
}

QString Stil_anwenden(QApplication& app) {
    Ressourcen_laden();
    QFile datei(QStringLiteral(":/pyra/emerald_light_slate.qss"));
    if (!datei.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("Der Stil \"Emerald Light Slate\" konnte nicht geladen werden.");
    const QString blatt = QString::fromUtf8(datei.readAll());
    if (blatt.trimmed().isEmpty())
        return QStringLiteral("Der Stil \"Emerald Light Slate\" konnte nicht geladen werden.");
    app.setStyle(QStringLiteral("Fusion"));
    app.setStyleSheet(blatt);
    return {};
}

} // namespace pyra::ui
