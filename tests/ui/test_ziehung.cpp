// The draw-results dialog and the number-tip dialog on a temporary program directory with the
// default database: caption and placement, the selected week's draw, entry in the grids with its
// checks, the close step, the stored tip.

#include "common/schlechte_ziehungen.h"
#include "common/sql.h"
#include "data/datum.h"
#include "data/standarddatenbank.h"
#include "lauf.h"
#include "ui/dialoge/dialog_platzieren.h"
#include "ui/dialoge/form_zahlentipp.h"
#include "ui/dialoge/form_ziehung.h"
#include "ui/gemeinsam/anwendung.h"
#include "ui/hauptfenster/kernanbindung.h"
#include "ui/steuerelemente/db_grid.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

#include <set>

using namespace pyra;
using test::Lauf;

namespace {

// Columns of the results grid.
constexpr int Sp_Woche = 0, Sp_Jahr = 1, Sp_Zahl_01 = 2, Sp_Zusatzzahl = 8;

QPoint erwarteter_platz(const QWidget* hauptfenster) {
    const QSize s = hauptfenster->screen()->size();
    const bool gross = s.width() >= 1024 && s.height() >= 768;
    return hauptfenster->frameGeometry().topLeft() + QPoint(10, gross ? 90 : 78);
}

// The stored numbers of a draw of the German Saturday draw: "Z1|..|Z6|Zusatzzahl", "-" for empty.
std::string gespeichert(Lauf& l, int jahr, int woche) {
    return test::sql_text(
        l.dm->Datenbankpfad(),
        "SELECT Zahl_01, Zahl_02, Zahl_03, Zahl_04, Zahl_05, Zahl_06, Zusatzzahl FROM Zahlen "
        "WHERE ID_Verband = 3 AND ID_Ziehung = 1 AND Jahr = " +
            std::to_string(jahr) + " AND Woche = " + std::to_string(woche));
}

} // namespace

class Ziehungsdialoge : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void draw_opens_on_the_selected_week();
    void draw_caption_follows_the_draw_day();
    void week_without_result_shows_an_empty_row();
    void invalid_draw_is_refused_data();
    void invalid_draw_is_refused();
    void the_bad_draws_of_the_core_rules_are_refused();
    void valid_draw_is_stored_ascending();
    void a_new_week_is_added();
    void no_number_in_a_cell_is_refused_data();
    void no_number_in_a_cell_is_refused();
    void prize_classes_are_edited();
    void winnings_in_millions_are_fully_visible();
    void closing_sets_recalculate_statistics();
    void two_grids_on_one_source_settle();
    void number_tip_shows_the_stored_tip();

  private:
    test::TempDir vorlage_;
};

void Ziehungsdialoge::initTestCase() {
    QVERIFY(data::Standarddatenbank_anlegen(vorlage_.dir(), {2024, 3, 14},
                                            ui::kern::Standarddatenbank_nachbereiten()));
}

void Ziehungsdialoge::init() {
    data::Dezimaltrennzeichen_setzen(',');
}

void Ziehungsdialoge::draw_opens_on_the_selected_week() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Ziehung;
    QVERIFY(d);
    QVERIFY(d->isHidden());
    QCOMPARE(d->windowTitle(), QStringLiteral("  Ziehungsergebnisse"));
    l.dm->Table_Zahlen.First(); // whatever row was current before

    d->FormShow(l.form.get(), l.form->DBLookupComboBox_Ziehung->currentText());
    QCOMPARE(d->pos(), erwarteter_platz(l.form.get()));
    d->show();
    QCOMPARE(d->windowTitle(), QStringLiteral("   Ziehungsergebnisse  (Sa/So)"));
    QCOMPARE(d->size(), QSize(620, 288));
    QCOMPARE(d->focusWidget(), d->DBGrid_Ziehungsergebnisse);

    // The selected week's draw, in the results grid and in the drawn-order grid.
    QCOMPARE(l.dm->Table_Zahlen.FieldByName("Jahr").AsInteger(), 2024);
    QCOMPARE(l.dm->Table_Zahlen.FieldByName("Woche").AsInteger(), 11);
    auto& m = d->DBGrid_Ziehungsergebnisse->modell();
    const int z = m.aktuelle_zeile();
    QCOMPARE(d->DBGrid_Ziehungsergebnisse->currentIndex().row(), z);
    QStringList zeile;
    for (int s = 0; s < m.columnCount(); ++s) zeile << m.text(z, s);
    QCOMPARE(zeile.join(' '), QStringLiteral("11 2024 5 16 19 25 40 48 "));
    auto& g = d->DBGrid_Reihenfolge_gezogene_Zahlen->modell();
    QCOMPARE(g.aktuelle_zeile(), z);
    QCOMPARE(g.text(z, 0), QStringLiteral("16"));
    QCOMPARE(g.text(z, 5), QStringLiteral("48"));

    // The prize classes of that draw: "x" where a count is given, payouts with two decimals;
    // the column of "x" has no title.
    auto& p = d->DBGrid_Gewinn->modell();
    QCOMPARE(p.rowCount(), 9);
    QCOMPARE(p.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QString());
    QCOMPARE(p.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Gewinn"));
    QCOMPARE(p.text(1, 0), QStringLiteral("2"));
    QCOMPARE(p.text(1, 1), QStringLiteral("2"));
    QCOMPARE(p.text(1, 2), QStringLiteral("x"));
    QCOMPARE(p.text(1, 3), QStringLiteral("1767798,60"));
    QCOMPARE(p.text(8, 3), QStringLiteral("6,00"));
    QCOMPARE(p.text(0, 3), QString()); // class 1 without payout
    d->BitBtn_OK->click();
    QVERIFY(d->isHidden());
    QVERIFY(l.meldungen.isEmpty());
}

void Ziehungsdialoge::draw_caption_follows_the_draw_day() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    // The menu command opens the dialog modally; it is closed from the event loop.
    QTimer::singleShot(0, l.form->Form_Ziehung, [&] { l.form->Form_Ziehung->BitBtn_OK->click(); });
    l.form->MenuItem_Eingabe_Daten->trigger();
    QCOMPARE(l.form->Form_Ziehung->windowTitle(), QStringLiteral("   Ziehungsergebnisse  (Sa/So)"));

    QTest::keyClick(l.form->DBLookupComboBox_Ziehung, Qt::Key_Down); // Wednesday draw
    QCOMPARE(l.wahl("ID_Ziehung"), 2);
    l.dm->Table_Zahlen.First();
    QTimer::singleShot(0, l.form->Form_Ziehung, [&] { l.form->Form_Ziehung->BitBtn_OK->click(); });
    l.form->MenuItem_Eingabe_Daten->trigger();
    QCOMPARE(l.form->Form_Ziehung->windowTitle(), QStringLiteral("   Ziehungsergebnisse  (Mi)"));
    QCOMPARE(l.dm->Table_Zahlen.FieldByName("ID_Ziehung").AsInteger(), 2);
    QCOMPARE(l.dm->Table_Zahlen.FieldByName("Woche").AsInteger(), 11);
    QVERIFY(l.meldungen.isEmpty());
}

void Ziehungsdialoge::week_without_result_shows_an_empty_row() {
    Lauf l(vorlage_.dir(), {2026, 10, 15}); // after the shipped history
    auto* d = l.form->Form_Ziehung;
    d->FormShow(l.form.get(), l.form->DBLookupComboBox_Ziehung->currentText());
    auto& m = d->DBGrid_Ziehungsergebnisse->modell();
    const int z = m.aktuelle_zeile();
    QCOMPARE(z, m.rowCount() - 1); // the newest week
    QCOMPARE(m.text(z, Sp_Woche), QStringLiteral("42"));
    QCOMPARE(m.text(z, Sp_Jahr), QStringLiteral("2026"));
    for (int s = Sp_Zahl_01; s <= Sp_Zusatzzahl; ++s) QCOMPARE(m.text(z, s), QString());
    QCOMPARE(d->DBGrid_Gewinn->modell().rowCount(), 0);
}

void Ziehungsdialoge::invalid_draw_is_refused_data() {
    QTest::addColumn<QStringList>("zahlen"); // empty entries are left untouched
    QTest::addColumn<QString>("zusatzzahl");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("doppelte Zahl") << QStringList{"7", "2", "3", "4", "7", "9"} << QString()
                                   << QStringLiteral("Die Zahl 7 kommt doppelt vor.");
    QTest::newRow("50") << QStringList{"1", "2", "3", "4", "5", "50"} << QString()
                        << QStringLiteral("Die Zahl 50 liegt nicht im Bereich von 1 bis 49.");
    QTest::newRow("eine fehlt") << QStringList{"1", "2", "", "4", "5", "6"} << QString()
                                << QStringLiteral("Die Ziehung ist unvollständig: eine Zahl fehlt.");
    QTest::newRow("nur Zusatzzahl außerhalb")
        << QStringList{"", "", "", "", "", ""} << QStringLiteral("0")
        << QStringLiteral("Die Zusatzzahl muss zwischen 1 und 49 liegen.");
    QTest::newRow("Zusatzzahl unter den sechs")
        << QStringList{"1", "2", "3", "4", "5", "6"} << QStringLiteral("6")
        << QStringLiteral("Die Zusatzzahl darf nicht unter den sechs");
}

void Ziehungsdialoge::invalid_draw_is_refused() {
    QFETCH(QStringList, zahlen);
    QFETCH(QString, zusatzzahl);
    QFETCH(QString, meldung);
    Lauf l(vorlage_.dir(), {2026, 10, 15});
    auto* d = l.form->Form_Ziehung;
    d->FormShow(l.form.get(), l.form->DBLookupComboBox_Ziehung->currentText());
    d->show();
    auto* gitter = d->DBGrid_Ziehungsergebnisse;
    auto& m = gitter->modell();
    const int z = m.aktuelle_zeile();
    for (int i = 0; i < 6; ++i)
        if (!zahlen[i].isEmpty()) QVERIFY(m.zelle_setzen(z, Sp_Zahl_01 + i, zahlen[i]));
    if (!zusatzzahl.isEmpty()) QVERIFY(m.zelle_setzen(z, Sp_Zusatzzahl, zusatzzahl));
    QVERIFY(l.meldungen.isEmpty()); // single cells are not checked yet

    // Leaving the row is refused with the message; the cursor and the input stay.
    QVERIFY(!m.zeile_waehlen(0));
    QCOMPARE(l.meldungen.size(), 1);
    QVERIFY2(l.meldungen[0].startsWith(meldung), qPrintable(l.meldungen[0]));
    QCOMPARE(gitter->currentIndex().row(), z);
    QCOMPARE(l.dm->Table_Zahlen.FieldByName("Woche").AsInteger(), 42);
    for (int i = 0; i < 6; ++i) QCOMPARE(m.text(z, Sp_Zahl_01 + i), zahlen[i]);
    QCOMPARE(gespeichert(l, 2026, 42), std::string("-|-|-|-|-|-|-\n"));
    // The message says how to drop the input.
    QVERIFY2(l.meldungen[0].endsWith(QStringLiteral("\rEsc verwirft die Eingabe.")),
             qPrintable(l.meldungen[0]));

    // A click on another row is refused the same way, and the highlight stays on the refused row.
    const QRect andere = gitter->visualRect(m.index(z - 1, Sp_Zahl_01));
    QVERIFY(gitter->viewport()->rect().contains(andere.center()));
    QTest::mouseClick(gitter->viewport(), Qt::LeftButton, {}, andere.center());
    QCoreApplication::processEvents();
    QCOMPARE(l.meldungen.size(), 2);
    QCOMPARE(m.aktuelle_zeile(), z);
    QCOMPARE(gitter->currentIndex().row(), z);
    QVERIFY(gitter->selectionModel()->isSelected(gitter->currentIndex()));
    QVERIFY(!gitter->selectionModel()->isSelected(m.index(z - 1, Sp_Zahl_01)));

    // Closing is refused as well: the dialog stays open with the input.
    d->BitBtn_OK->click();
    QVERIFY(d->isVisible());
    QCOMPARE(l.meldungen.size(), 3);
    QCOMPARE(gespeichert(l, 2026, 42), std::string("-|-|-|-|-|-|-\n"));

    // Escape drops the input wherever the focus is (here on the OK button); the dialog stays
    // open on the stored values, and then closes.
    d->BitBtn_OK->setFocus();
    QTest::keyClick(d->BitBtn_OK, Qt::Key_Escape);
    QVERIFY(d->isVisible());
    QVERIFY(!m.ausstehend());
    QCOMPARE(m.text(z, Sp_Zahl_01 + 5), QString());
    d->BitBtn_OK->click();
    QVERIFY(d->isHidden());
    QCOMPARE(gespeichert(l, 2026, 42), std::string("-|-|-|-|-|-|-\n"));
}

void Ziehungsdialoge::the_bad_draws_of_the_core_rules_are_refused() {
    // The check the dialog runs before a row is posted, with the table of bad draws that every
    // way into the database is tested with.
    Lauf l(vorlage_.dir(), {2026, 10, 15});
    auto& t = l.dm->Table_Zahlen;
    QVERIFY(t.Locate("Jahr;Woche", {2026, 42}));
    for (const auto& f : test::schlechte_ziehungen()) {
        t.Edit();
        auto setzen = [&](const std::string& feld, const std::optional<int>& v) {
            t.FieldByName(feld).SetValue(v ? store::Value(*v) : store::Value());
        };
        for (int i = 0; i < 6; ++i) {
            setzen(data::Feldname("Zahl_", i + 1), f.werte.zahlen[i]);
            setzen(data::Feldname("Zahl_", i + 1) + "_g", f.werte.reihenfolge[i]);
        }
        setzen("Zusatzzahl", f.werte.zusatzzahl);
        setzen("Superzahl", f.werte.superzahl);
        bool abgelehnt = false;
        try {
            ui::Ziehungszeile_pruefen(t, 49);
        } catch (const store::StoreError&) {
            abgelehnt = true;
        }
        t.Cancel();
        QVERIFY2(abgelehnt, f.name.c_str());
    }
    QCOMPARE(gespeichert(l, 2026, 42), std::string("-|-|-|-|-|-|-\n"));
}

void Ziehungsdialoge::valid_draw_is_stored_ascending() {
    Lauf l(vorlage_.dir(), {2026, 10, 15});
    auto* d = l.form->Form_Ziehung;
    d->FormShow(l.form.get(), l.form->DBLookupComboBox_Ziehung->currentText());
    auto& m = d->DBGrid_Ziehungsergebnisse->modell();
    auto& g = d->DBGrid_Reihenfolge_gezogene_Zahlen->modell();
    const int z = m.aktuelle_zeile();
    const QStringList gezogen{"40", "5", "33", "12", "49", "1"};
    for (int i = 0; i < 6; ++i) {
        QVERIFY(m.zelle_setzen(z, Sp_Zahl_01 + i, gezogen[i]));
        QVERIFY(g.zelle_setzen(z, i, gezogen[i]));
    }
    QVERIFY(m.zelle_setzen(z, Sp_Zusatzzahl, QStringLiteral("7")));
    l.globals.Statistik_neu_berechnen = false;
    QVERIFY(m.zeile_waehlen(0)); // leaving the row posts it
    QVERIFY(l.meldungen.isEmpty());
    QCOMPARE(gespeichert(l, 2026, 42), std::string("1|5|12|33|40|49|7\n"));
    QCOMPARE(
        test::sql_text(l.dm->Datenbankpfad(),
                       "SELECT Zahl_01_g, Zahl_06_g, AB FROM Zahlen WHERE ID_Verband = 3 AND ID_Ziehung = 1 "
                       "AND Jahr = 2026 AND Woche = 42"),
        std::string("40|1|1\n"));
    QVERIFY(l.globals.Statistik_neu_berechnen);
    QCOMPARE(m.text(z, Sp_Zahl_01), QStringLiteral("1"));
    QCOMPARE(m.text(z, Sp_Zahl_01 + 5), QStringLiteral("49"));

    // Correcting one number of a stored draw puts it in its place; emptying all six is allowed.
    QVERIFY(m.zeile_waehlen(z));
    QVERIFY(m.zelle_setzen(z, Sp_Zahl_01 + 5, QStringLiteral("3")));
    QVERIFY(m.zeile_speichern());
    QCOMPARE(gespeichert(l, 2026, 42), std::string("1|3|5|12|33|40|7\n"));
    for (int i = 0; i < 6; ++i) QVERIFY(m.zelle_setzen(z, Sp_Zahl_01 + i, QString()));
    QVERIFY(m.zeile_speichern());
    QCOMPARE(gespeichert(l, 2026, 42), std::string("-|-|-|-|-|-|7\n"));
    QVERIFY(l.meldungen.isEmpty());
}

void Ziehungsdialoge::a_new_week_is_added() {
    Lauf l(vorlage_.dir(), {2026, 10, 15});
    auto* d = l.form->Form_Ziehung;
    d->FormShow(l.form.get(), l.form->DBLookupComboBox_Ziehung->currentText());
    d->show();
    auto* gitter = d->DBGrid_Ziehungsergebnisse;
    auto& m = gitter->modell();
    const int zeilen = m.rowCount();
    // Week and year of a stored draw are its key and stay; the numbers can be edited.
    QVERIFY(!(m.flags(m.index(0, Sp_Woche)) & Qt::ItemIsEditable));
    QVERIFY(!(m.flags(m.index(0, Sp_Jahr)) & Qt::ItemIsEditable));
    QVERIFY(m.flags(m.index(0, Sp_Zahl_01)) & Qt::ItemIsEditable);

    // Down on the last row adds a row for a week that has none.
    gitter->setCurrentIndex(m.index(zeilen - 1, Sp_Zahl_01));
    QTest::keyClick(gitter, Qt::Key_Down);
    QCOMPARE(m.rowCount(), zeilen + 1);
    QCOMPARE(m.aktuelle_zeile(), zeilen);
    QCOMPARE(gitter->currentIndex().row(), zeilen);
    QVERIFY(m.flags(m.index(zeilen, Sp_Woche)) & Qt::ItemIsEditable);
    QCOMPARE(m.text(zeilen - 1, Sp_Woche), QStringLiteral("42")); // the other rows still show
    QVERIFY(m.zelle_setzen(zeilen, Sp_Woche, QStringLiteral("44")));
    QVERIFY(m.zelle_setzen(zeilen, Sp_Jahr, QStringLiteral("2026")));
    const QStringList zahlen{"9", "8", "7", "6", "5", "4"};
    for (int i = 0; i < 6; ++i) QVERIFY(m.zelle_setzen(zeilen, Sp_Zahl_01 + i, zahlen[i]));
    QCOMPARE(m.text(zeilen, Sp_Zahl_01), QStringLiteral("9"));
    d->BitBtn_OK->click(); // the row being added is saved on close
    QVERIFY(d->isHidden());
    QVERIFY2(l.meldungen.isEmpty(), qPrintable(l.meldungen.join('\n')));
    QCOMPARE(gespeichert(l, 2026, 44), std::string("4|5|6|7|8|9|-\n"));
    QCOMPARE(m.rowCount(), zeilen + 1);

    // A week that is already there is refused by the store and stays for correction.
    QVERIFY(m.zeile_anhaengen());
    QVERIFY(m.zelle_setzen(zeilen + 1, Sp_Woche, QStringLiteral("42")));
    QVERIFY(m.zelle_setzen(zeilen + 1, Sp_Jahr, QStringLiteral("2026")));
    QVERIFY(!m.zeile_speichern());
    QCOMPARE(l.meldungen.size(), 1);
    QVERIFY(l.meldungen[0].startsWith(QStringLiteral("Schlüsselverletzung")));
    QVERIFY(m.ausstehend());
    QVERIFY(m.zelle_setzen(zeilen + 1, Sp_Woche, QStringLiteral("54")));
    QVERIFY(!m.zeile_speichern());
    // The input stays for correction; the message says how to drop it.
    QCOMPARE(l.meldungen.last(),
             QStringLiteral("Die Woche muss zwischen 1 und 53 liegen.\rEsc verwirft die Eingabe."));
    QVERIFY(m.zelle_setzen(zeilen + 1, Sp_Woche, QStringLiteral("45")));
    QVERIFY(m.zeile_speichern());
    QCOMPARE(gespeichert(l, 2026, 45), std::string("-|-|-|-|-|-|-\n"));
    QCOMPARE(m.rowCount(), zeilen + 2);
}

void Ziehungsdialoge::no_number_in_a_cell_is_refused_data() {
    QTest::addColumn<QString>("gitter");
    QTest::addColumn<int>("spalte");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("meldung");
    QTest::addColumn<QString>("bleibt");
    QTest::newRow("Buchstaben in einer Gewinnzahl")
        << "DBGrid_Ziehungsergebnisse" << Sp_Zahl_01 << "abc"
        << "'abc' ist keine gültige ganze Zahl für das Feld „1. Zahl“."
        << "5";
    QTest::newRow("zu groß für das Feld")
        << "DBGrid_Ziehungsergebnisse" << Sp_Zusatzzahl << "70000"
        << "Der Wert 70000 liegt außerhalb des Bereichs des Feldes „Zusatzzahl“ (-32768 bis 32767)."
        << "";
    QTest::newRow("Komma in der gezogenen Reihenfolge")
        << "DBGrid_Reihenfolge_gezogene_Zahlen" << 0 << "1,5"
        << "'1,5' ist keine gültige ganze Zahl für das Feld „1. Zahl der gezogenen Reihenfolge“."
        << "16";
    QTest::newRow("Text als Gewinn") << "DBGrid_Gewinn" << 3 << "viel"
                                     << "'viel' ist keine gültige Zahl für das Feld „Gewinn“."
                                     << "9720,60";
}

void Ziehungsdialoge::no_number_in_a_cell_is_refused() {
    QFETCH(QString, gitter);
    QFETCH(int, spalte);
    QFETCH(QString, text);
    QFETCH(QString, meldung);
    QFETCH(QString, bleibt);
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Ziehung;
    d->FormShow(l.form.get(), l.form->DBLookupComboBox_Ziehung->currentText());
    d->show();
    auto* g = d->findChild<ui::DBGrid*>(gitter);
    QVERIFY(g);
    auto& m = g->modell();
    const int z = gitter == "DBGrid_Gewinn" ? 2 : m.aktuelle_zeile();
    const std::string vorher = test::sql_text(l.dm->Datenbankpfad(), "SELECT * FROM Zahlen") +
                               test::sql_text(l.dm->Datenbankpfad(), "SELECT * FROM Gewinn");
    // Typed into the cell's editor as the user does.
    g->setCurrentIndex(m.index(z, spalte));
    g->setFocus();
    QTest::keyClick(g, Qt::Key_F2);
    auto* editor = g->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor hands its text over from the event loop
    QCOMPARE(l.meldungen, QStringList{meldung});
    QVERIFY(d->isVisible()); // Enter ends the cell, not the dialog
    QVERIFY(!m.ausstehend());
    QCOMPARE(m.text(z, spalte), bleibt);
    QCOMPARE(test::sql_text(l.dm->Datenbankpfad(), "SELECT * FROM Zahlen") +
                 test::sql_text(l.dm->Datenbankpfad(), "SELECT * FROM Gewinn"),
             vorher);
}

void Ziehungsdialoge::winnings_in_millions_are_fully_visible() {
    // A week of the shipped quotas (2024, week 11).
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Ziehung;
    d->FormShow(l.form.get(), l.form->DBLookupComboBox_Ziehung->currentText());
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    auto* g = d->DBGrid_Gewinn;
    auto& p = g->modell();
    QVERIFY(p.rowCount() >= 2);
    constexpr int Sp_Gewinn = 3;
    auto tooltip = [g, &p](int zeile) {
        QToolTip::hideText();
        const QPoint ort = g->visualRect(p.index(zeile, Sp_Gewinn)).center();
        QHelpEvent e(QEvent::ToolTip, ort, g->viewport()->mapToGlobal(ort));
        QCoreApplication::sendEvent(g->viewport(), &e);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    // Tens of millions fit the column whole; a value beyond is shortened and shown whole in its
    // tool tip; where nothing is cut the grid's own hint shows.
    QVERIFY(p.zelle_setzen(0, Sp_Gewinn, QStringLiteral("64585388,2")));
    QCOMPARE(p.text(0, Sp_Gewinn), QStringLiteral("64585388,20"));
    QVERIFY(QFontMetrics(p.Zellenschrift(Sp_Gewinn)).horizontalAdvance(p.text(0, Sp_Gewinn)) <=
            g->Textbreite_der_Spalte(Sp_Gewinn));
    QCOMPARE(tooltip(0), g->toolTip());
    QVERIFY(p.zelle_setzen(1, Sp_Gewinn, QStringLiteral("12345678901,5")));
    QCOMPARE(tooltip(1), QStringLiteral("12345678901,50"));
    p.zeile_verwerfen();
    d->hide();
}

void Ziehungsdialoge::prize_classes_are_edited() {
    Lauf l(vorlage_.dir(), {2026, 10, 15});
    auto* d = l.form->Form_Ziehung;
    d->FormShow(l.form.get(), l.form->DBLookupComboBox_Ziehung->currentText());
    auto& p = d->DBGrid_Gewinn->modell();
    auto& m = d->DBGrid_Ziehungsergebnisse->modell();
    QCOMPARE(p.rowCount(), 0);
    // A prize class for the week without results; the count brings the "x".
    QVERIFY(p.zeile_anhaengen());
    QCOMPARE(p.rowCount(), 1);
    QVERIFY(p.zelle_setzen(0, 0, QStringLiteral("2")));
    QVERIFY(p.zelle_setzen(0, 1, QStringLiteral("3")));
    QVERIFY(p.zelle_setzen(0, 3, QStringLiteral("12345,5")));
    QCOMPARE(p.text(0, 2), QStringLiteral("x"));
    // Typing a number of the draw first posts the prize row.
    QVERIFY(m.zelle_setzen(m.aktuelle_zeile(), Sp_Zusatzzahl, QStringLiteral("8")));
    QVERIFY(!p.ausstehend());
    QCOMPARE(test::sql_text(
                 l.dm->Datenbankpfad(),
                 "SELECT Jahr, Woche, ID_Ziehung, Rang, Anzahl, Gewinn FROM Gewinn WHERE ID_Verband = 3 "
                 "AND Jahr = 2026 AND Woche = 42"),
             std::string("2026|42|1|2|3|12345.5\n"));
    QCOMPARE(p.text(0, 3), QStringLiteral("12345,50"));
    // A prize row without its class is refused by the store.
    QVERIFY(p.zeile_anhaengen()); // posts the draw row first
    QCOMPARE(gespeichert(l, 2026, 42), std::string("-|-|-|-|-|-|8\n"));
    QVERIFY(p.zelle_setzen(1, 1, QStringLiteral("4")));
    QVERIFY(!d->FormClose());
    QCOMPARE(l.meldungen, QStringList{QStringLiteral(
                              "Das Feld „Rang“ muss einen Wert haben.\rEsc verwirft die Eingabe.")});
    p.zeile_verwerfen();
    QVERIFY(d->FormClose());
}

void Ziehungsdialoge::closing_sets_recalculate_statistics() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Ziehung;
    for (auto schliessen :
         {+[](ui::TForm_Ziehung* f) { f->BitBtn_OK->click(); }, +[](ui::TForm_Ziehung* f) { f->close(); }}) {
        l.globals.Statistik_neu_berechnen = false;
        d->FormShow(l.form.get(), l.form->DBLookupComboBox_Ziehung->currentText());
        d->show();
        schliessen(d); // nothing changed
        QVERIFY(d->isHidden());
        QVERIFY(l.globals.Statistik_neu_berechnen);
    }
    QCOMPARE(gespeichert(l, 2024, 11), std::string("5|16|19|25|40|48|-\n"));
}

void Ziehungsdialoge::two_grids_on_one_source_settle() {
    // The results grid and the drawn-order grid read the same cursor; reading one must not make
    // the other read again (which would repeat for ever while the dialog is open).
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Ziehung;
    d->FormShow(l.form.get(), l.form->DBLookupComboBox_Ziehung->currentText());
    d->show();
    QTest::qWait(50);
    QSignalSpy a(&d->DBGrid_Ziehungsergebnisse->modell(), &QAbstractItemModel::modelReset);
    QSignalSpy b(&d->DBGrid_Reihenfolge_gezogene_Zahlen->modell(), &QAbstractItemModel::modelReset);
    d->DBGrid_Ziehungsergebnisse->viewport()->update();
    d->DBGrid_Reihenfolge_gezogene_Zahlen->viewport()->update();
    QTest::qWait(100);
    QCOMPARE(a.count() + b.count(), 0);
    d->close();
}

void Ziehungsdialoge::number_tip_shows_the_stored_tip() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Zahlentipp;
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QStringLiteral("  Zahlentipp"));
    l.form->RadioButton_Sortierung[1]->click(); // recomputes the statistics and the tip
    QTimer::singleShot(0, d, [d] { d->BitBtn_OK->click(); });
    l.form->MenuItem_Zahlentipp->trigger();
    QVERIFY(d->isHidden());
    QCOMPARE(d->size(), QSize(620, 115));
    d->move(0, 0);
    d->FormShow(l.form.get());
    QCOMPARE(d->pos(), erwarteter_platz(l.form.get()));
    auto& m = d->DBGrid_Zahlentipp->modell();
    QCOMPARE(m.rowCount(), 1);
    QCOMPARE(m.columnCount(), 15);
    std::set<int> zahlen;
    for (int i = 0; i < 15; ++i) {
        QCOMPARE(m.headerData(i, Qt::Horizontal, Qt::DisplayRole).toString(), QString::number(i + 1));
        const QString t = m.text(0, i);
        QCOMPARE(t.toStdString(),
                 l.dm->Table_Zahlentipp
                     .FieldByName(i < 9 ? "Zahl_0" + std::to_string(i + 1) : "Zahl_" + std::to_string(i + 1))
                     .AsString());
        QVERIFY(t.toInt() >= 1 && t.toInt() <= 49);
        zahlen.insert(t.toInt());
    }
    QCOMPARE(zahlen.size(), size_t(15));
    QVERIFY(!(m.flags(m.index(0, 0)) & Qt::ItemIsEditable));

    // A selection whose statistics were never recomputed shows no numbers.
    l.woche_waehlen(20);
    d->FormShow(l.form.get());
    QCOMPARE(m.rowCount(), 0);
    QVERIFY(l.meldungen.isEmpty());
}

QTEST_MAIN(Ziehungsdialoge)
#include "test_ziehung.moc"
