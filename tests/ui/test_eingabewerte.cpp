// Typed values in the main window's bound number edits: text that is no whole number, or a
// number outside the field's range, is refused with a German message; the box shows the stored
// value again, the cursor is back in browse state and the file keeps the stored value. A refused
// bank number does not empty the rows of an unlocked system.

#include "common/sql.h"
#include "data/eingabepruefung.h"
#include "data/standarddatenbank.h"
#include "lauf.h"
#include "ui/hauptfenster/kernanbindung.h"

#include <QtTest>

using namespace pyra;
using test::Lauf;

class Eingabewerte : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void wrong_numbers_are_refused_data();
    void wrong_numbers_are_refused();
    void range_limits_are_accepted_data();
    void range_limits_are_accepted();

  private:
    test::TempDir vorlage_;
};

namespace {

const QStringList falsche_eingaben = {"abc", "12a", "1e99", "-5", "99999999999", "3,5", "0", "750000"};

struct Feld {
    ui::DBEdit* edit;
    store::Table* tabelle;
    const char* tabellenname;
};

Feld feld(Lauf& l, const QString& name) {
    if (name == "Bankzahl_1") return {l.form->DBEdit_Bankzahl[0], &l.dm->Table_Optionen, "Optionen"};
    if (name == "Bankzahl_2") return {l.form->DBEdit_Bankzahl[1], &l.dm->Table_Optionen, "Optionen"};
    if (name == "Bankzahl_3") return {l.form->DBEdit_Bankzahl[2], &l.dm->Table_Optionen, "Optionen"};
    if (name == "Reihenberechnung") return {l.form->DBEdit_Reihen, &l.dm->Table_Lotto, "Lotto"};
    return {l.form->DBEdit_Zahlen, &l.dm->Table_Lotto, "Lotto"};
}

// Enters a text as the user does; the range box "Zahlen" is shown only (disabled), so its
// text is handed over the way a pending input is, to see that the box would refuse it too.
void eingeben(ui::DBEdit* e, const QString& text) {
    if (e->isEnabled() && text.isEmpty()) {
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QFocusEvent aus(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(e, &aus);
    } else if (e->isEnabled()) {
        Lauf::tippen_und_verlassen(e, text);
    } else {
        e->setText(text);
        e->setModified(true);
        e->uebernehmen();
    }
}

// The stored value as the file holds it, read past every cursor.
std::string gespeichert(Lauf& l, const char* tabelle, const QString& name) {
    const std::string wo = std::string(tabelle) == "Lotto"
                               ? "ID_Verband = 3"
                               : "ID_Verband = 3 AND Jahr = " + std::to_string(l.wahl("Jahr_aktuell")) +
                                     " AND Woche = " + std::to_string(l.wahl("Woche_aktuell")) +
                                     " AND ID_Ziehung = " + std::to_string(l.wahl("ID_Ziehung"));
    return test::sql_text(l.dir.file("Datenbank_Lotto.tdbd"),
                          "SELECT " + name.toStdString() + " FROM " + tabelle + " WHERE " + wo);
}

} // namespace

void Eingabewerte::initTestCase() {
    QVERIFY(data::Standarddatenbank_anlegen(vorlage_.dir(), {2024, 3, 14},
                                            ui::kern::Standarddatenbank_nachbereiten()));
}

void Eingabewerte::wrong_numbers_are_refused_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("vorher"); // stored before the wrong inputs; "" keeps the default
    QTest::newRow("Bankzahl 1") << "Bankzahl_1"
                                << "7";
    QTest::newRow("Bankzahl 2 leer") << "Bankzahl_2"
                                     << "";
    QTest::newRow("Bankzahl 3") << "Bankzahl_3"
                                << "49";
    QTest::newRow("Reihen") << "Reihenberechnung"
                            << "300";
    QTest::newRow("Zahlen") << "Zahlen_bis"
                            << "";
}

void Eingabewerte::wrong_numbers_are_refused() {
    QFETCH(QString, name);
    QFETCH(QString, vorher);
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    // An unlocked system with filled rows: a bank number that is taken would empty them.
    l.reihen_anlegen(2);
    l.dm->Auswahl_uebernehmen();
    l.form->CheckBox_System->click();
    QVERIFY(!l.form->CheckBox_System->isChecked());
    const Feld f = feld(l, name);
    if (!vorher.isEmpty()) {
        eingeben(f.edit, vorher);
        QVERIFY2(l.meldungen.isEmpty(), qPrintable(l.meldungen.join('\n')));
    }
    const QString angezeigt = f.edit->text();
    const std::string im_file = gespeichert(l, f.tabellenname, name);
    const int reihen = l.gefuellte_reihen();
    QCOMPARE(reihen, name.startsWith("Bankzahl") && !vorher.isEmpty() ? 0 : 2);

    for (const QString& falsch : falsche_eingaben) {
        l.meldungen.clear();
        eingeben(f.edit, falsch);
        const QString wo = name + " <- \"" + falsch + "\"";
        QVERIFY2(l.meldungen.size() == 1, qPrintable(wo + ": " + l.meldungen.join(" | ")));
        // The message names the field as the window labels it.
        const QString bezeichnung = QString::fromStdString(data::Feldbezeichnung(name.toStdString()));
        QVERIFY2(bezeichnung != name &&
                     l.meldungen[0].contains(QStringLiteral("„") + bezeichnung + QStringLiteral("“")),
                 qPrintable(wo + ": " + l.meldungen[0]));
        QVERIFY2(f.edit->text() == angezeigt, qPrintable(wo + ": zeigt " + f.edit->text()));
        QVERIFY2(!f.edit->isModified(), qPrintable(wo));
        QVERIFY2(f.tabelle->State() == store::DataSetState::Browse, qPrintable(wo));
        QVERIFY2(QString::fromStdString(f.tabelle->FieldByName(name.toStdString()).AsString()) == angezeigt,
                 qPrintable(wo));
        QVERIFY2(gespeichert(l, f.tabellenname, name) == im_file, qPrintable(wo));
        QVERIFY2(l.gefuellte_reihen() == reihen, qPrintable(wo + ": Reihen geleert"));
    }
}

void Eingabewerte::range_limits_are_accepted_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<QString>("gespeichert");
    QTest::newRow("Bankzahl 1") << "Bankzahl_1"
                                << "1"
                                << "1\n";
    QTest::newRow("Bankzahl 49") << "Bankzahl_2"
                                 << "49"
                                 << "49\n";
    QTest::newRow("Bankzahl leer") << "Bankzahl_3"
                                   << ""
                                   << "-\n";
    // Texts that read back differently from what was typed.
    QTest::newRow("Bankzahl mit Leerzeichen") << "Bankzahl_1"
                                              << " 8 "
                                              << "8\n";
    QTest::newRow("Bankzahl mit Null vorn") << "Bankzahl_2"
                                            << "07"
                                            << "7\n";
    QTest::newRow("Reihen mit Plus") << "Reihenberechnung"
                                     << "+12"
                                     << "12\n";
    QTest::newRow("Reihen 1") << "Reihenberechnung"
                              << "1"
                              << "1\n";
    QTest::newRow("Reihen 750") << "Reihenberechnung"
                                << "750"
                                << "750\n";
}

void Eingabewerte::range_limits_are_accepted() {
    QFETCH(QString, name);
    QFETCH(QString, eingabe);
    QFETCH(QString, gespeichert);
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    const Feld f = feld(l, name);
    // A different value first, so that the input is a change.
    eingeben(f.edit, name.startsWith("Bankzahl") ? "5" : "20");
    eingeben(f.edit, eingabe);
    QVERIFY2(l.meldungen.isEmpty(), qPrintable(l.meldungen.join('\n')));
    QCOMPARE(f.tabelle->State(), store::DataSetState::Browse);
    QCOMPARE(QString::fromStdString(::gespeichert(l, f.tabellenname, name)), gespeichert);
}

QTEST_MAIN(Eingabewerte)
#include "test_eingabewerte.moc"
