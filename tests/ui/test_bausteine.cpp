// Building blocks of the windows without a database: status bar texts, dialog placement, the
// rules for opening addresses and documents, the Escape state, and the message redirection.

#include "common/tempdir.h"
#include "data/datum.h"
#include "ui/dialoge/dialog_platzieren.h"
#include "ui/gemeinsam/anwendung.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/gemeinsam/qt_benutzerdialog.h"
#include "ui/gemeinsam/shell_oeffnen.h"
#include "ui/hauptfenster/statuszeile.h"

#include <QKeyEvent>
#include <QWidget>
#include <QtTest>

#include <fstream>

using namespace pyra;

class Bausteine : public QObject {
    Q_OBJECT
  private slots:
    void time_is_shown_without_seconds_data();
    void time_is_shown_without_seconds();
    void status_bar_shows_date_and_time_of_the_program_clock();
    void dialog_position_follows_the_screen_size_data();
    void dialog_position_follows_the_screen_size();
    void only_http_and_https_are_opened_data();
    void only_http_and_https_are_opened();
    void help_opens_the_pdf_else_the_doc();
    void escape_counts_while_the_key_is_down();
    void qt_dialogs_speak_german();
};

void Bausteine::time_is_shown_without_seconds_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("erwartet");
    QTest::newRow("deutsch") << QLocale(QLocale::German, QLocale::Germany) << QStringLiteral("   14:05");
    QTest::newRow("schweiz") << QLocale(QLocale::German, QLocale::Switzerland) << QStringLiteral("   14:05");
    QTest::newRow("englisch") << QLocale(QLocale::English, QLocale::UnitedStates)
                              << QStringLiteral("   2:05 PM");
}

void Bausteine::time_is_shown_without_seconds() {
    QFETCH(QLocale, locale);
    QFETCH(QString, erwartet);
    QString text = ui::Uhrzeit_Text(QTime(14, 5, 33), locale);
    text.replace(QChar(0x202F), QLatin1Char(' ')); // narrow no-break space of newer locale data
    QCOMPARE(text, erwartet);
}

void Bausteine::status_bar_shows_date_and_time_of_the_program_clock() {
    data::Uhr_setzen([] { return data::Datum{2024, 3, 14}; });
    ui::Statusleiste leiste;
    leiste.Zeit_aktualisieren();
    QCOMPARE(leiste.panel(1), ui::Datum_Text(QDate(2024, 3, 14), ui::Anzeigelocale()));
    const QString zeit = leiste.panel(2);
    QVERIFY(zeit.startsWith(QStringLiteral("   ")));
    // Hours and minutes only: one separator between them, no seconds.
    QCOMPARE(zeit.trimmed().count(QLatin1Char(':')), 1);
    data::Uhr_setzen({});
}

void Bausteine::dialog_position_follows_the_screen_size_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QSize>("bildschirm");
    QTest::addColumn<QPoint>("erwartet");
    const QPoint haupt(100, 50);
    QTest::newRow("Ziehung 1024x768") << "TForm_Ziehung" << QSize(1024, 768) << haupt + QPoint(10, 90);
    QTest::newRow("Ziehung 800x600") << "TForm_Ziehung" << QSize(800, 600) << haupt + QPoint(10, 78);
    QTest::newRow("Ziehung 1024x600") << "TForm_Ziehung" << QSize(1024, 600) << haupt + QPoint(10, 78);
    QTest::newRow("Druck gross") << "TForm_Druck" << QSize(1280, 1024) << haupt + QPoint(30, 100);
    QTest::newRow("Export klein") << "TForm_Export" << QSize(800, 600) << haupt + QPoint(10, 88);
    QTest::newRow("Copyright gross") << "TForm_Copyright" << QSize(1024, 768) << haupt + QPoint(757, 90);
    QTest::newRow("Copyright klein") << "TForm_Copyright" << QSize(800, 600) << haupt + QPoint(535, 78);
    QTest::newRow("Einlesen klein") << "TForm_Zahlen_Quoten_einlesen" << QSize(800, 600)
                                    << haupt + QPoint(10, 90);
}

void Bausteine::dialog_position_follows_the_screen_size() {
    QFETCH(QString, dialog);
    QFETCH(QSize, bildschirm);
    QFETCH(QPoint, erwartet);
    QCOMPARE(ui::Dialogposition(QPoint(100, 50), bildschirm, ui::Versatz_fuer(dialog)), erwartet);
}

void Bausteine::only_http_and_https_are_opened_data() {
    QTest::addColumn<QString>("adresse");
    QTest::addColumn<bool>("geoeffnet");
    QTest::newRow("https") << "https://www.pyra-lotto.de" << true;
    QTest::newRow("http") << "http://www.lotto.de/" << true;
    QTest::newRow("gross geschrieben") << "HTTPS://www.lotto.de" << true;
    QTest::newRow("datei") << "file:///etc/passwd" << false;
    QTest::newRow("programm") << "/usr/bin/xterm" << false;
    QTest::newRow("javascript") << "javascript:alert(1)" << false;
    QTest::newRow("leer") << "" << false;
    QTest::newRow("ohne schema") << "www.lotto.de" << false;
}

void Bausteine::only_http_and_https_are_opened() {
    QFETCH(QString, adresse);
    QFETCH(bool, geoeffnet);
    QList<QUrl> offen;
    ui::Oeffner_setzen([&](const QUrl& u) {
        offen << u;
        return true;
    });
    QCOMPARE(ui::Adresse_oeffnen(adresse), geoeffnet);
    QCOMPARE(offen.size(), geoeffnet ? 1 : 0);
    ui::Oeffner_setzen({});
}

void Bausteine::help_opens_the_pdf_else_the_doc() {
    test::TempDir dir;
    QList<QUrl> offen;
    ui::Oeffner_setzen([&](const QUrl& u) {
        offen << u;
        return true;
    });
    const QString prog = QString::fromStdString(dir.dir());
    QVERIFY(!ui::Hilfe_oeffnen(prog)); // neither file: nothing is opened
    QVERIFY(offen.isEmpty());
    const int vorher = 0;
    std::ofstream(dir.file("Hilfe_Lotto.doc")) << "doc";
    QVERIFY(ui::Hilfe_oeffnen(prog));
    QCOMPARE(offen.size(), vorher + 1);
    QCOMPARE(offen.last().toLocalFile(), prog + "Hilfe_Lotto.doc");
    std::ofstream(dir.file("Hilfe_Lotto.pdf")) << "pdf";
    QVERIFY(ui::Hilfe_oeffnen(prog));
    QCOMPARE(offen.last().toLocalFile(), prog + "Hilfe_Lotto.pdf");
    ui::Oeffner_setzen({});
}

void Bausteine::escape_counts_while_the_key_is_down() {
    ui::Qt_Benutzerdialog dialog;
    QWidget w;
    QVERIFY(!dialog.Abbruch_gewuenscht());
    QKeyEvent druck(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &druck);
    QVERIFY(dialog.Abbruch_gewuenscht());
    QKeyEvent wiederholt(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(&w, &wiederholt);
    QVERIFY(dialog.Abbruch_gewuenscht()); // auto-repeat while held
    QKeyEvent los(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &los);
    QVERIFY(!dialog.Abbruch_gewuenscht());
}

QTEST_MAIN(Bausteine)
void Bausteine::qt_dialogs_speak_german() {
    // Qt's own dialogs (file chooser, print dialog) take their texts from Qt's translations.
    QVERIFY(ui::Uebersetzungen_laden(*qobject_cast<QApplication*>(QCoreApplication::instance())));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
}

#include "test_bausteine.moc"
