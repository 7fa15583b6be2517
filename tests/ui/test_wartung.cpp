// The maintenance dialogs on a temporary program directory: the spreadsheet import (F7) with the
// committed fixture workbooks, the update export (F8) and the menu command "Aktualisierung"
// against servers on 127.0.0.1.

#include "common/sql.h"
#include "data/standarddatenbank.h"
#include "lauf.h"
#include "maintenance/aktualisierung.h"
#include "maintenance/testserver.h"
#include "maintenance/zahlen_quoten_einlesen.h"
#include "store/store.h"
#include "ui/dialoge/form_export.h"
#include "ui/dialoge/form_zahlen_quoten_einlesen.h"
#include "ui/gemeinsam/anwendung.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/hauptfenster/kernanbindung.h"
#include "ui/steuerelemente/db_edit.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace pyra;
namespace fs = std::filesystem;

using test::Lauf;

namespace {

const QString Fixtures = QStringLiteral(PYRA_FIXTURES "/workbooks/");
const QString Frage = QString::fromUtf8(maintenance::Frage_Einlesen);

std::string lesen(const std::string& datei) {
    std::ifstream f(datei, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string abfrage(Lauf& l, const std::string& sql) {
    return test::sql_text(l.dir.file("Datenbank_Lotto.tdbd"), sql);
}

// Everything the import and the update may change, condensed.
std::string bestand(Lauf& l) {
    return abfrage(l, "SELECT count(*), total(Zahl_01), total(Zahl_06), total(Zahl_01_g), total(Zusatzzahl) "
                      "FROM Zahlen") +
           abfrage(l, "SELECT count(*), total(Anzahl), total(Gewinn) FROM Gewinn");
}

std::string ziehung(Lauf& l, int jahr, int woche, int z) {
    return abfrage(l, "SELECT Zahl_01, Zahl_02, Zahl_03, Zahl_04, Zahl_05, Zahl_06, Zahl_01_g, Zahl_06_g "
                      "FROM Zahlen WHERE ID_Verband=3 AND AB=1 AND ID_Ziehung=" +
                          std::to_string(z) + " AND Jahr=" + std::to_string(jahr) +
                          " AND Woche=" + std::to_string(woche));
}

// The position a dialog takes beside the main window on this screen.
QPoint erwartete_position(Lauf& l, int dy_klein) {
    const QSize s = l.form->screen()->size();
    const bool gross = s.width() >= 1024 && s.height() >= 768;
    return l.form->frameGeometry().topLeft() + QPoint(10, gross ? 90 : dy_klein);
}

// Fills the import dialog's four edits as the user does, leaving each one.
void parameter(ui::TForm_Zahlen_Quoten_einlesen* d, const QString& jahr, const QString& von,
               const QString& bis, const QString& datei) {
    Lauf::tippen_und_verlassen(d->DBEdit_Woche_von, von);
    Lauf::tippen_und_verlassen(d->DBEdit_Woche_bis, bis);
    Lauf::tippen_und_verlassen(d->DBEdit_Jahr, jahr);
    Lauf::tippen_und_verlassen(d->DBEdit_Excel_Datei, datei);
}

} // namespace

class Wartung : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void cleanup();
    void dialogs_with_caption_place_and_controls();
    void keys_f7_and_f8_show_the_dialogs();
    void import_from_a_workbook_data();
    void import_from_a_workbook();
    void import_answered_no_and_refused_input_read_nothing();
    void unreadable_workbook_is_reported_data();
    void unreadable_workbook_is_reported();
    void closing_stores_the_parameters_data();
    void closing_stores_the_parameters();
    void export_writes_the_update_database();
    void update_without_connection_or_file_changes_nothing();
    void update_merges_and_shows_the_selection_again();

  private:
    test::TempDir vorlage_;
};

void Wartung::initTestCase() {
    QVERIFY(data::Standarddatenbank_anlegen(vorlage_.dir(), {2024, 3, 14},
                                            ui::kern::Standarddatenbank_nachbereiten()));
}

void Wartung::cleanup() {
    ui::Aktualisierungsadresse_setzen({});
    QVERIFY(QApplication::overrideCursor() == nullptr); // no hourglass left behind
}

void Wartung::dialogs_with_caption_place_and_controls() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.form->move(40, 30);
    l.form->show();

    auto* e = l.form->Form_Zahlen_Quoten_einlesen;
    QVERIFY(e && e->isHidden());
    QCOMPARE(e->parentWidget(), l.form.get());
    e->vorbereiten(l.form.get());
    QCOMPARE(e->windowTitle(), QStringLiteral("  Zahlen, Quoten einlesen"));
    QCOMPARE(e->pos(), erwartete_position(l, 90));
    QCOMPARE(e->minimumSize(), e->maximumSize()); // fixed border
    QCOMPARE(e->Label_Wochen->text(), QStringLiteral("Wochen"));
    QCOMPARE(e->Label_Trennstrich->text(), QStringLiteral("-"));
    QCOMPARE(e->Label_Jahr->text(), QStringLiteral("Jahr"));
    QCOMPARE(e->Label_Excel->text(), QStringLiteral("Excel"));
    QCOMPARE(e->BitBtn_Einlesen_Zahlen_Quoten->text(), QStringLiteral("Einlesen"));
    QCOMPARE(e->BitBtn_OK->text(), QStringLiteral("OK"));
    QCOMPARE(e->RadioButton_Mittwoch->text(), QStringLiteral("Mittwoch"));
    QCOMPARE(e->RadioButton_Samstag->text(), QStringLiteral("Samstag"));
    QVERIFY(e->RadioButton_Mittwoch->isChecked() && !e->RadioButton_Samstag->isChecked());
    QVERIFY(!e->RadioButton_Mittwoch->isEnabled() && !e->RadioButton_Samstag->isEnabled());
    for (const char* name : {"DBEdit_Woche_von", "DBEdit_Woche_bis", "DBEdit_Jahr", "DBEdit_Excel_Datei"})
        QVERIFY2(e->findChild<ui::DBEdit*>(QString::fromLatin1(name)), name);
    // The edits show the stored import parameters.
    l.dm->Table_Wahl.Edit();
    l.dm->Table_Wahl.FieldByName("ZQ_Jahr").SetInteger(2019);
    l.dm->Table_Wahl.FieldByName("ZQ_Excel").SetString("/daten/Lotto.xlsx");
    l.dm->Table_Wahl.Post();
    QCOMPARE(e->DBEdit_Jahr->text(), QStringLiteral("2019"));
    QCOMPARE(e->DBEdit_Excel_Datei->text(), QStringLiteral("/daten/Lotto.xlsx"));
    // The file chooser hands its choice to the record.
    e->Excel_Datei_setzen(Fixtures + QStringLiteral("zahlen_quoten_a.ods"));
    QCOMPARE(QString::fromStdString(l.dm->Table_Wahl.FieldByName("ZQ_Excel").AsString()),
             Fixtures + QStringLiteral("zahlen_quoten_a.ods"));

    auto* x = l.form->Form_Export;
    QVERIFY(x && x->isHidden());
    x->vorbereiten(l.form.get());
    QCOMPARE(x->windowTitle(), QStringLiteral("  Export"));
    QCOMPARE(x->pos(), erwartete_position(l, 88));
    QCOMPARE(x->minimumSize(), x->maximumSize());
    QCOMPARE(x->BitBtn_Export->text(), QStringLiteral("Export"));
    QCOMPARE(x->BitBtn_OK->text(), QStringLiteral("OK"));
    QVERIFY(!x->DBEdit_Woche->isEnabled());
    QVERIFY(x->DBEdit_Jahr->isEnabled());
    QCOMPARE(x->DBEdit_Woche->text(), QString::number(l.wahl("Woche_Export")));
    QCOMPARE(x->DBEdit_Jahr->text(),
             QString::fromStdString(l.dm->Table_Wahl.FieldByName("Jahr_Export").AsString()));
    QVERIFY(l.meldungen.isEmpty());
}

void Wartung::keys_f7_and_f8_show_the_dialogs() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.form->show();
    for (auto [taste, dialog] : {std::pair<int, QDialog*>{Qt::Key_F7, l.form->Form_Zahlen_Quoten_einlesen},
                                 std::pair<int, QDialog*>{Qt::Key_F8, l.form->Form_Export}}) {
        bool war_modal_offen = false;
        QTimer::singleShot(0, dialog, [&war_modal_offen, dialog] {
            war_modal_offen = dialog->isVisible() && QApplication::activeModalWidget() == dialog;
            dialog->reject();
        });
        l.form->FormKeyDown(taste);
        QVERIFY(war_modal_offen);
        QVERIFY(dialog->isHidden());
    }
    QVERIFY(l.meldungen.isEmpty());
}

void Wartung::import_from_a_workbook_data() {
    QTest::addColumn<QString>("format");
    QTest::newRow("xlsx") << QStringLiteral("xlsx");
    QTest::newRow("ods") << QStringLiteral("ods");
    QTest::newRow("xls") << QStringLiteral("xls");
}

void Wartung::import_from_a_workbook() {
    QFETCH(QString, format);
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Zahlen_Quoten_einlesen;
    d->vorbereiten(l.form.get());
    d->show();
    const int zahlen_vorher = l.dm->Table_Zahlen.RecordCount();
    const std::string gewinne = abfrage(l, "SELECT count(*) FROM Gewinn");

    // Layout B, 2021: three draws (2 January lies in week 53 of 2020), row 5 is skipped. The
    // year is typed and the button clicked without leaving the box first.
    parameter(d, QStringLiteral("2020"), QStringLiteral("1"), QStringLiteral("53"),
              Fixtures + QStringLiteral("zahlen_quoten_b.") + format);
    d->DBEdit_Jahr->setFocus();
    d->DBEdit_Jahr->selectAll();
    QTest::keyClicks(d->DBEdit_Jahr, QStringLiteral("2021"));
    l.globals.Statistik_neu_berechnen = false;
    QTest::mouseClick(d->BitBtn_Einlesen_Zahlen_Quoten, Qt::LeftButton);

    QCOMPARE(l.fragen, QStringList{Frage});
    QCOMPARE(l.meldungen, QStringList{QStringLiteral("3 Ziehungen eingelesen.\nÜbersprungen (keine sechs "
                                                     "verschiedenen Zahlen von 1 bis 49): Zeile 5.")});
    QCOMPARE(ziehung(l, 2020, 53, 1), std::string("4|9|16|25|36|49|4|49\n"));
    QCOMPARE(ziehung(l, 2021, 1, 2), std::string("2|11|19|30|41|47|2|47\n"));
    QCOMPARE(ziehung(l, 2021, 2, 2), std::string("5|10|15|20|25|30|5|30\n"));
    QCOMPARE(abfrage(l, "SELECT Anzahl, Gewinn FROM Gewinn WHERE ID_Verband=3 AND ID_Ziehung=1 AND "
                        "Jahr=2020 AND Woche=53 AND Rang=2"),
             std::string("2|1234567.8\n"));
    QCOMPARE(abfrage(l, "SELECT ZQ_Jahr, ZQ_Woche_von, ZQ_Woche_bis FROM Wahl"), std::string("2021|1|53\n"));
    // The shipped history already held these draws: overwritten, not doubled.
    QCOMPARE(abfrage(l, "SELECT count(*) FROM Gewinn"), gewinne);
    // The selection's cursor is restricted again and stands on the selected week.
    QCOMPARE(l.dm->Table_Zahlen.RecordCount(), zahlen_vorher);
    QCOMPARE(l.dm->Table_Zahlen.FieldByName("Jahr").AsInteger(), 2024);
    QCOMPARE(l.dm->Table_Zahlen.FieldByName("Woche").AsInteger(), 11);
    QVERIFY(l.globals.Statistik_neu_berechnen);
    d->BitBtn_OK->click();
    QVERIFY(d->isHidden());
}

void Wartung::import_answered_no_and_refused_input_read_nothing() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Zahlen_Quoten_einlesen;
    d->vorbereiten(l.form.get());
    d->show();
    const std::string vorher = bestand(l);
    parameter(d, QStringLiteral("2021"), QStringLiteral("1"), QStringLiteral("53"),
              Fixtures + QStringLiteral("zahlen_quoten_b.xlsx"));
    l.antworten = {false};
    d->BitBtn_Einlesen_Zahlen_Quoten->click();
    QCOMPARE(l.fragen, QStringList{Frage});
    QVERIFY(l.meldungen.isEmpty());
    QCOMPARE(bestand(l), vorher);

    // A year that is no number: the store refuses it, the import is not started.
    l.fragen.clear();
    d->DBEdit_Jahr->setFocus();
    d->DBEdit_Jahr->selectAll();
    QTest::keyClicks(d->DBEdit_Jahr, QStringLiteral("zwei"));
    d->BitBtn_Einlesen_Zahlen_Quoten->click();
    QVERIFY(l.fragen.isEmpty());
    QCOMPARE(l.meldungen.size(), 1);
    QCOMPARE(d->DBEdit_Jahr->text(), QStringLiteral("2021"));
    QCOMPARE(bestand(l), vorher);
}

void Wartung::unreadable_workbook_is_reported_data() {
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QString>("jahr");
    QTest::newRow("fehlt") << QStringLiteral("fehlt.xlsx") << QStringLiteral("2021");
    QTest::newRow("leerer Pfad") << QString() << QStringLiteral("2021");
    QTest::newRow("kaputtes XML") << Fixtures + QStringLiteral("kaputt_xml.xlsx") << QStringLiteral("2021");
    QTest::newRow("kaputte xls") << Fixtures + QStringLiteral("kaputt_freexl.xls") << QStringLiteral("2021");
    QTest::newRow("Jahr ohne Blatt") << Fixtures + QStringLiteral("zahlen_quoten_b.xlsx")
                                     << QStringLiteral("2030");
}

void Wartung::unreadable_workbook_is_reported() {
    QFETCH(QString, datei);
    QFETCH(QString, jahr);
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Zahlen_Quoten_einlesen;
    d->vorbereiten(l.form.get());
    d->show();
    const QString pfad =
        datei == QStringLiteral("fehlt.xlsx") ? QString::fromStdString(l.dir.file("fehlt.xlsx")) : datei;
    const std::string vorher = bestand(l);
    const int zahlen_vorher = l.dm->Table_Zahlen.RecordCount();
    parameter(d, jahr, QStringLiteral("1"), QStringLiteral("53"), pfad);
    d->BitBtn_Einlesen_Zahlen_Quoten->click();
    QCOMPARE(l.fragen, QStringList{Frage});
    QCOMPARE(l.meldungen.size(), 1);
    QVERIFY2(!l.meldungen[0].contains(QStringLiteral("eingelesen")), qPrintable(l.meldungen[0]));
    if (!pfad.isEmpty())
        QVERIFY2(l.meldungen[0].contains(QFileInfo(pfad).fileName()), qPrintable(l.meldungen[0]));
    QCOMPARE(bestand(l), vorher);
    QCOMPARE(l.dm->Table_Zahlen.RecordCount(), zahlen_vorher);
}

void Wartung::closing_stores_the_parameters_data() {
    QTest::addColumn<bool>("mit_ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Fenster geschlossen") << false;
}

void Wartung::closing_stores_the_parameters() {
    QFETCH(bool, mit_ok);
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Zahlen_Quoten_einlesen;
    d->vorbereiten(l.form.get());
    d->show();
    Lauf::tippen_und_verlassen(d->DBEdit_Woche_von, QStringLiteral("3"));
    d->DBEdit_Woche_bis->setFocus();
    d->DBEdit_Woche_bis->selectAll();
    QTest::keyClicks(d->DBEdit_Woche_bis, QStringLiteral("17")); // still in the box
    if (mit_ok)
        d->BitBtn_OK->click();
    else
        d->close();
    QVERIFY(d->isHidden());
    QCOMPARE(d->result(), int(mit_ok ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(abfrage(l, "SELECT ZQ_Woche_von, ZQ_Woche_bis FROM Wahl"), std::string("3|17\n"));
    QVERIFY(l.fragen.isEmpty() && l.meldungen.isEmpty());
}

void Wartung::export_writes_the_update_database() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* x = l.form->Form_Export;
    x->vorbereiten(l.form.get());
    x->show();
    const std::string update = l.dir.file("Datenbank_Lotto_Update.tdbd");
    Lauf::tippen_und_verlassen(x->DBEdit_Jahr, QStringLiteral("2023"));
    x->BitBtn_Export->click();
    // The export says what it wrote and where.
    QCOMPARE(l.meldungen.size(), 1);
    QVERIFY2(
        l.meldungen[0].endsWith(QString::fromStdString(" ab 2023 in die Datei " + update + " geschrieben.")),
        qPrintable(l.meldungen[0]));
    QCOMPARE(l.wahl("Jahr_Export"), 2023);
    QCOMPARE(abfrage(l, "SELECT Jahr_Export FROM Wahl"), std::string("2023\n"));
    const std::string zahlen = abfrage(
        l, "SELECT count(*), min(Jahr), total(Zahl_01) FROM Zahlen WHERE Jahr>=2023 AND Zahl_01 IS NOT NULL");
    QVERIFY(zahlen.rfind("0|", 0) != 0);
    QCOMPARE(test::sql_text(update, "SELECT count(*), min(Jahr), total(Zahl_01) FROM Zahlen_Update"), zahlen);
    QCOMPARE(test::sql_text(update, "SELECT count(*) FROM Gewinn_Update"),
             abfrage(l, "SELECT count(*) FROM Gewinn WHERE Jahr>=2023"));
    QVERIFY(l.dm->Table_Zahlen_Update.Active()); // open until the dialog closes
    x->BitBtn_OK->click();
    QVERIFY(x->isHidden());
    for (store::Table* t : {&l.dm->Table_Zahlen_Update, &l.dm->Table_Zahlen_2, &l.dm->Table_Gewinn_Update,
                            &l.dm->Table_Gewinn_2})
        QVERIFY2(!t->Active(), t->Name().c_str());

    // A later year than any stored one empties both tables.
    l.meldungen.clear();
    x->vorbereiten(l.form.get());
    x->show();
    Lauf::tippen_und_verlassen(x->DBEdit_Jahr, QStringLiteral("2090"));
    x->BitBtn_Export->click();
    x->reject();
    QCOMPARE(test::sql_text(update, "SELECT count(*) FROM Zahlen_Update"), std::string("0\n"));
    QCOMPARE(test::sql_text(update, "SELECT count(*) FROM Gewinn_Update"), std::string("0\n"));
    QVERIFY(!l.dm->Table_Zahlen_Update.Active());
    QCOMPARE(l.meldungen.size(), 1);
    QVERIFY(l.meldungen[0].startsWith(QStringLiteral("0 Ziehungen und 0 Gewinnquoten ab 2090")));
}

void Wartung::update_without_connection_or_file_changes_nothing() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    const std::string vorher = bestand(l);
    l.globals.Statistik_neu_berechnen = false;
    // Nobody listens on this port: no connection.
    ui::Aktualisierungsadresse_setzen("http://127.0.0.1:" + std::to_string(test::freier_port()) +
                                      "/software/DO7_Dazov/Datenbank_Lotto_Update.tdbd");
    l.form->MenuItem_Aktualisierung->trigger();
    QCOMPARE(l.meldungen, QStringList{QString::fromUtf8(maintenance::Meldung_keine_Verbindung)});
    QCOMPARE(bestand(l), vorher);

    // A server without the file, and one that sends no database.
    test::Testserver server({{"/kaputt", {200, std::string("kein SQLite")}}});
    for (const char* pfad : {"/fehlt", "/kaputt"}) {
        l.meldungen.clear();
        ui::Aktualisierungsadresse_setzen(server.url(pfad));
        l.form->MenuItem_Aktualisierung->trigger();
        QCOMPARE(l.meldungen, QStringList{QString::fromUtf8(maintenance::Meldung_fehlgeschlagen)});
        QCOMPARE(bestand(l), vorher);
    }
    QVERIFY(!l.dm->Table_Zahlen_2.Active() && !l.dm->Table_Zahlen_Update.Active());
    QVERIFY(!l.globals.Statistik_neu_berechnen);
}

void Wartung::update_merges_and_shows_the_selection_again() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    // An update that corrects the selected draw (2024, week 11, Saturday).
    test::TempDir quelle;
    const std::string datei = quelle.file("u.tdbd");
    store::Database::createFile(datei, store::updateSchema());
    QCOMPARE(test::sql_text(datei,
                            "INSERT INTO Zahlen_Update (ID_Verband, ID_Ziehung, Jahr, Woche, AB, Zahl_01, "
                            "Zahl_02, Zahl_03, Zahl_04, Zahl_05, Zahl_06, Zusatzzahl, Superzahl, Zahl_01_g, "
                            "Zahl_02_g, Zahl_03_g, Zahl_04_g, Zahl_05_g, Zahl_06_g, Summe) VALUES "
                            "(3, 1, 2024, 11, 1, 1, 2, 3, 4, 5, 6, 0, 8, 6, 5, 4, 3, 2, 1, 21)"),
             std::string());
    test::Testserver server({{"/software/DO7_Dazov/Datenbank_Lotto_Update.tdbd", {200, lesen(datei)}}});
    ui::Aktualisierungsadresse_setzen(server.url("/software/DO7_Dazov/Datenbank_Lotto_Update.tdbd"));
    const std::string anzahl = abfrage(l, "SELECT count(*) FROM Zahlen");
    QCOMPARE(l.dm->Table_Zahlen.FieldByName("Woche").AsInteger(), 11);
    QVERIFY(l.dm->Table_Zahlen.FieldByName("Zahl_01_g").AsInteger() != 6);

    l.globals.Statistik_neu_berechnen = false;
    l.form->MenuItem_Aktualisierung->trigger();
    QCOMPARE(l.meldungen, QStringList{QString::fromUtf8(maintenance::Meldung_OK)});
    QCOMPARE(ziehung(l, 2024, 11, 1), std::string("1|2|3|4|5|6|6|1\n"));
    QCOMPARE(abfrage(l, "SELECT count(*) FROM Zahlen"), anzahl);
    // The selection's cursor shows the merged draw.
    QVERIFY(l.dm->Table_Zahlen.Locate("Jahr;Woche", {2024, 11}));
    QCOMPARE(l.dm->Table_Zahlen.FieldByName("Zahl_01_g").AsInteger(), 6);
    QVERIFY(l.globals.Statistik_neu_berechnen);
    QVERIFY(!l.dm->Table_Zahlen_2.Active() && !l.dm->Table_Zahlen_Update.Active());
}

QTEST_MAIN(Wartung)
#include "test_wartung.moc"
