// The main window on a temporary program directory with the default database: start sequence,
// selection commit, board and lock, sort click, bound edits, hints and messages.

#include "common/tempdir.h"
#include "data/datamodule.h"
#include "data/datum.h"
#include "data/standarddatenbank.h"
#include "lauf.h"
#include "system/texte.h"
#include "ui/dialoge/form_copyright.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/gemeinsam/qt_benutzerdialog.h"
#include "ui/gemeinsam/shell_oeffnen.h"
#include "ui/hauptfenster/fensterzustand_lotto.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/hauptfenster/kernanbindung.h"
#include "ui/hauptfenster/statuszeile.h"
#include "ui/steuerelemente/db_checkbox.h"
#include "ui/steuerelemente/db_edit.h"
#include "ui/steuerelemente/db_grid.h"
#include "ui/steuerelemente/db_lookupcombobox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace pyra;
namespace fs = std::filesystem;

using test::Lauf;

class Hauptfenster : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void start_sequence_selects_the_week_data();
    void start_sequence_selects_the_week();
    void selection_is_taken_with_the_mouse();
    void selection_is_taken_with_the_keyboard();
    void number_click_empties_the_rows_of_an_unlocked_system();
    void bank_number_empties_the_rows_of_an_unlocked_system();
    void lock_states();
    void smaller_number_range_locks_the_higher_numbers_data();
    void smaller_number_range_locks_the_higher_numbers();
    void reduction_does_nothing_while_locked();
    void reduction_builds_locks_and_counts();
    void reduction_refused_and_cancelled();
    void win_evaluation_writes_the_hits();
    void sort_click_answered_no_keeps_the_order();
    void sort_click_answered_yes_sorts();
    void sort_click_asks_nothing_when_results_exist();
    void row_input_is_stored_on_leaving();
    void refused_row_input_shows_a_message_and_the_old_value();
    void hints_in_the_status_bar();
    void help_asks_and_opens_nothing_on_no();
    void copyright_with_the_current_year_and_addresses();
    void unreadable_database_is_reported_and_not_replaced();
    void closing_notes_the_export_and_empties_no_rows();

  private:
    test::TempDir vorlage_;
};

void Hauptfenster::initTestCase() {
    // The database as the program creates it, with its analysis tables.
    QVERIFY(data::Standarddatenbank_anlegen(vorlage_.dir(), {2024, 3, 14},
                                            ui::kern::Standarddatenbank_nachbereiten()));
}

void Hauptfenster::start_sequence_selects_the_week_data() {
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("woche");
    QTest::addColumn<int>("ziehung");
    QTest::newRow("Donnerstag") << 14 << 11 << 1;
    QTest::newRow("Mittwoch") << 13 << 11 << 2;
    QTest::newRow("Montag") << 18 << 12 << 2;
}

void Hauptfenster::start_sequence_selects_the_week() {
    QFETCH(int, tag);
    QFETCH(int, woche);
    QFETCH(int, ziehung);
    Lauf l(vorlage_.dir(), {2024, 3, tag});
    QVERIFY(l.meldungen.isEmpty());
    QCOMPARE(l.wahl("Jahr_aktuell"), 2024);
    QCOMPARE(l.wahl("Woche_aktuell"), woche);
    QCOMPARE(l.wahl("ID_Ziehung"), ziehung);
    // The lists show the selection and keep their lookup cursors on it.
    QCOMPARE(l.form->DBLookupComboBox_Spielwoche->currentText(), QStringLiteral("%1. Woche").arg(woche));
    QCOMPARE(l.form->DBLookupComboBox_Jahr->currentText(), QStringLiteral("2024"));
    QCOMPARE(l.form->DBLookupComboBox_Verband->currentText(), QStringLiteral("Deutschland"));
    QCOMPARE(l.form->DBLookupComboBox_Ziehung->currentText(),
             ziehung == 1 ? QStringLiteral("Sa/So") : QStringLiteral("Mi"));
    QCOMPARE(l.dm->Table_Woche.FieldByName("ID_Woche").AsInteger(), woche);
    QCOMPARE(l.dm->Table_Ziehung.FieldByName("ID_Ziehung").AsInteger(), ziehung);
    // Caption and labels from Wahl, settings of the association, the statistics rows.
    QCOMPARE(l.form->windowTitle().toStdString(),
             l.dm->Table_Wahl.FieldByName("Form_Anwendung_Caption").AsString());
    QCOMPARE(l.form->Label_Homepage->text().toStdString(),
             l.dm->Table_Wahl.FieldByName("Homepage").AsString());
    QCOMPARE(l.form->Label_Software_fuer->text(), QStringLiteral("Sportwetten, Toto, Lotto und Roulette"));
    QCOMPARE(l.form->DBEdit_Zahlen->text(), QStringLiteral("49"));
    QCOMPARE(l.form->DBGrid_Zahlen->modell().rowCount(), 49);
    QCOMPARE(l.form->DBGrid_Zahlen->modell().text(48, 0), QStringLiteral("49"));
    // A new week: unlocked, no rows.
    QCOMPARE(l.form->Edit_Reihen_Gesamt->text(), QStringLiteral("0"));
    QVERIFY(!l.form->CheckBox_System->isChecked());
    QVERIFY(l.board_frei());
    QCOMPARE(l.form->DBGrid_Reihen_Kuerzung->modell().rowCount(), 0);
    QVERIFY(l.form->RadioButton_Sortierung[0]->isChecked());
    QVERIFY(l.globals.Leerlauf_fertig);
    QVERIFY(!l.globals.Start_Ende_aktiv);
}

void Hauptfenster::selection_is_taken_with_the_mouse() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.form->DBCheckBox_Zahl[6]->click(); // a mark for week 11
    l.woche_waehlen(9);
    QCOMPARE(l.dm->Table_Wahl.State(), store::DataSetState::Browse); // the commit stored the selection
    QCOMPARE(l.wahl("Woche_aktuell"), 9);
    QCOMPARE(l.dm->Table_Zahlen.FieldByName("Woche").AsInteger(), 9);
    QCOMPARE(l.dm->Table_Optionen.RecordCount(), 1);
    QCOMPARE(l.dm->Table_Optionen.FieldByName("Woche").AsInteger(), 9);
    QCOMPARE(l.form->DBGrid_Zahlen->modell().rowCount(), 49);
    QVERIFY(!l.form->DBCheckBox_Zahl[6]->isChecked()); // week 9 has its own marks
    l.woche_waehlen(11);
    QVERIFY(l.form->DBCheckBox_Zahl[6]->isChecked()); // and week 11 keeps its mark
    // Another association: its settings and its number range.
    l.form->DBLookupComboBox_Verband->waehlen(4);
    l.form->DBLookupComboBox_Verband->hidePopup();
    QTest::qWait(1);
    QCOMPARE(l.wahl("ID_Verband"), 4);
    QCOMPARE(l.form->DBEdit_Zahlen->text(), QStringLiteral("45"));
    QCOMPARE(l.form->DBGrid_Zahlen->modell().rowCount(), 45);
    QVERIFY(l.meldungen.isEmpty());
}

void Hauptfenster::selection_is_taken_with_the_keyboard() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    QTest::keyClick(l.form->DBLookupComboBox_Spielwoche, Qt::Key_Down);
    QCOMPARE(l.dm->Table_Wahl.State(), store::DataSetState::Browse);
    QCOMPARE(l.wahl("Woche_aktuell"), 12);
    QCOMPARE(l.dm->Table_Zahlen.FieldByName("Woche").AsInteger(), 12);
    QCOMPARE(l.dm->Table_Zahl_Daten.FieldByName("Woche").AsInteger(), 12);
    QTest::keyClick(l.form->DBLookupComboBox_Ziehung, Qt::Key_Down);
    QCOMPARE(l.wahl("ID_Ziehung"), 2);
    QCOMPARE(l.form->DBLookupComboBox_Ziehung->currentText(), QStringLiteral("Mi"));

    // The wheel over a closed list changes nothing: without the list's close the selection would
    // change without the rest of its commit.
    auto* liste = l.form->DBLookupComboBox_Spielwoche;
    const QPointF mitte = liste->rect().center();
    QWheelEvent rad(mitte, liste->mapToGlobal(mitte), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
    QApplication::sendEvent(liste, &rad);
    QCOMPARE(l.wahl("Woche_aktuell"), 12);
    QCOMPARE(liste->currentText(), QStringLiteral("12. Woche"));
    QCOMPARE(l.dm->Table_Wahl.State(), store::DataSetState::Browse);
}

void Hauptfenster::number_click_empties_the_rows_of_an_unlocked_system() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.reihen_anlegen(3);
    l.dm->Auswahl_uebernehmen();
    QCOMPARE(l.form->Edit_Reihen_Gesamt->text(), QStringLiteral("3"));
    QVERIFY(l.form->CheckBox_System->isChecked());
    QCOMPARE(l.form->DBGrid_Reihen_Kuerzung->modell().rowCount(), 3);
    QCOMPARE(l.form->DBGrid_Reihen_Kuerzung->modell().text(1, 1), QStringLiteral("2"));

    l.form->CheckBox_System->click(); // unlock
    QVERIFY(l.board_frei());
    l.form->DBCheckBox_Zahl[4]->click(); // number 5
    QCOMPARE(l.dm->Table_Optionen.FieldByName("Checkbox_05").AsString(), std::string("t"));
    QCOMPARE(l.dm->Table_Optionen.State(), store::DataSetState::Browse);
    QCOMPARE(l.gefuellte_reihen(), 0);
    QCOMPARE(l.dm->Table_Reihen.RecordCount(), 3); // the rows stay as emptied rows
    QCOMPARE(l.form->Edit_Reihen_Gesamt->text(), QStringLiteral("0"));
    QCOMPARE(l.form->DBGrid_Reihen_Kuerzung->modell().text(1, 0), QStringLiteral("2"));
    QCOMPARE(l.form->DBGrid_Reihen_Kuerzung->modell().text(1, 1), QString());
    // The statistics grid moved to the clicked number.
    QCOMPARE(l.dm->Table_Zahl_Daten.FieldByName("Zahl").AsInteger(), 5);
    QCOMPARE(l.form->DBGrid_Zahlen->currentIndex().row(), 4);
    // Emptied rows: the next refresh leaves the system unlocked.
    l.dm->Auswahl_uebernehmen();
    QVERIFY(!l.form->CheckBox_System->isChecked());
    QVERIFY(l.board_frei());
    QCOMPARE(l.form->Edit_Reihen_Gesamt->text(), QStringLiteral("0"));
}

void Hauptfenster::bank_number_empties_the_rows_of_an_unlocked_system() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.reihen_anlegen(2);
    l.dm->Auswahl_uebernehmen();
    l.form->CheckBox_System->click();
    Lauf::tippen_und_verlassen(l.form->DBEdit_Bankzahl[0], QStringLiteral("7"));
    QCOMPARE(l.dm->Table_Optionen.State(), store::DataSetState::Browse);
    QCOMPARE(l.dm->Table_Optionen.FieldByName("Bankzahl_1").AsInteger(), 7);
    QCOMPARE(l.gefuellte_reihen(), 0);
    QCOMPARE(l.form->Edit_Reihen_Gesamt->text(), QStringLiteral("0"));
}

void Hauptfenster::lock_states() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto& f = *l.fenster;
    // Refresh of a selection with filled rows: locked.
    l.reihen_anlegen(4);
    l.woche_waehlen(10);
    l.woche_waehlen(11);
    QVERIFY(l.board_gesperrt());
    QVERIFY(!f.eingaben_kuerzung);
    QVERIFY(!f.eingaben_analyse);
    QVERIFY(l.form->CheckBox_System->isChecked());
    QCOMPARE(l.form->Edit_Reihen_Gesamt->text(), QStringLiteral("4"));
    // Everything else stays usable.
    for (QWidget* w : std::initializer_list<QWidget*>{
             l.form->DBLookupComboBox_Spielwoche, l.form->DBEdit_Reihen, l.form->CheckBox_System,
             l.form->SpeedButton_Reihenkuerzung, l.form->DBGrid_Reihen_Kuerzung, l.form->DBGrid_Zahlen})
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
    QVERIFY(!l.form->DBEdit_Zahlen->isEnabled());

    // Unchecking unlocks and keeps rows and counter; the status bar says what the next change
    // of an input does.
    l.form->CheckBox_System->click();
    QVERIFY(l.board_frei());
    QVERIFY(f.eingaben_kuerzung && f.eingaben_analyse);
    QCOMPARE(l.gefuellte_reihen(), 4);
    QCOMPARE(l.form->Edit_Reihen_Gesamt->text(), QStringLiteral("4"));
    QCOMPARE(
        l.form->StatusBar->panel(0),
        QStringLiteral("System entsperrt: Die nächste Änderung einer Zahl oder Option leert die 4 Reihen."));
    // Checking again locks.
    l.form->CheckBox_System->click();
    QVERIFY(l.board_gesperrt());

    // A selection without rows: checking locks, the next refresh unlocks.
    l.woche_waehlen(9);
    QVERIFY(l.board_frei());
    QVERIFY(!l.form->CheckBox_System->isChecked());
    l.form->CheckBox_System->click();
    QVERIFY(l.board_gesperrt());
    QVERIFY(!f.eingaben_kuerzung);
    QCOMPARE(l.form->Edit_Reihen_Gesamt->text(), QStringLiteral("0"));
    l.dm->Auswahl_uebernehmen();
    QVERIFY(l.board_frei());
    QVERIFY(!l.form->CheckBox_System->isChecked());
}

void Hauptfenster::smaller_number_range_locks_the_higher_numbers_data() {
    QTest::addColumn<int>("verband");
    QTest::addColumn<int>("zahlen_bis");
    QTest::addColumn<QString>("bild");
    QTest::newRow("Österreich") << 4 << 45 << QStringLiteral(":/pyra/spielschein_45.svg");
    QTest::newRow("Schweiz") << 5 << 42 << QStringLiteral(":/pyra/spielschein_42.svg");
    QTest::newRow("Deutschland") << 3 << 49 << QStringLiteral(":/pyra/spielschein.svg");
}

void Hauptfenster::smaller_number_range_locks_the_higher_numbers() {
    QFETCH(int, verband);
    QFETCH(int, zahlen_bis);
    QFETCH(QString, bild);
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.form->DBLookupComboBox_Verband->waehlen(4); // from another association
    l.form->DBLookupComboBox_Verband->hidePopup();
    QTest::qWait(1);
    l.form->DBLookupComboBox_Verband->waehlen(verband);
    l.form->DBLookupComboBox_Verband->hidePopup();
    QTest::qWait(1);
    QCOMPARE(l.dm->Zahlen_bis(), zahlen_bis);
    // The numbers of the game can be marked, the others not, also after a lock and an unlock.
    for (int runde = 0; runde < 2; ++runde) {
        for (int nn = 1; nn <= 49; ++nn)
            QVERIFY2(l.form->DBCheckBox_Zahl[nn - 1]->isEnabled() == (nn <= zahlen_bis),
                     qPrintable(QString::number(nn)));
        l.form->CheckBox_System->click();
        QVERIFY(l.board_gesperrt());
        l.form->CheckBox_System->click();
    }
    // The slip picture is that of the association's game.
    QCOMPARE(l.form->Image_Spielschein->property("pyra_bild").toString(), bild);
}

void Hauptfenster::reduction_does_nothing_while_locked() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.reihen_anlegen(2);
    l.dm->Auswahl_uebernehmen();
    l.form->SpeedButton_Reihenkuerzung->click();
    QVERIFY(l.meldungen.isEmpty());
    QVERIFY(l.fragen.isEmpty());
    QCOMPARE(l.gefuellte_reihen(), 2);
    QVERIFY(!l.form->Kuerzung_laeuft());
}

void Hauptfenster::reduction_builds_locks_and_counts() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    Lauf::tippen_und_verlassen(l.form->DBEdit_Reihen, QStringLiteral("15"));
    for (int n : {2, 5, 9, 13, 17, 21, 26, 30, 34, 38, 42, 47}) l.form->DBCheckBox_Zahl[n - 1]->click();
    Lauf::tippen_und_verlassen(l.form->DBEdit_Bankzahl[0], QStringLiteral("13"));
    // Three emptied rows of an earlier, larger system are refilled or deleted.
    l.reihen_anlegen(18);
    l.dm->DataSource_OptionenUpdateData();
    QCOMPARE(l.gefuellte_reihen(), 0);
    QStringList zaehler;
    connect(l.form->Edit_Reihen_Gesamt, &QLineEdit::textChanged, [&](const QString& t) { zaehler << t; });

    l.form->SpeedButton_Reihenkuerzung->click();
    QCOMPARE(l.fragen, QStringList{QStringLiteral("System wird mit 12 Zahlen erstellt und gespeichert!")});
    QVERIFY(l.meldungen.isEmpty());
    QCOMPARE(l.dm->Table_Reihen.RecordCount(), 15);
    QCOMPARE(l.gefuellte_reihen(), 15);
    // The running count after each row, then the number of rows of the locked system.
    QCOMPARE(zaehler.mid(0, 15).join(','), QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15"));
    QCOMPARE(l.form->Edit_Reihen_Gesamt->text(), QStringLiteral("15"));
    QVERIFY(l.board_gesperrt());
    QVERIFY(l.form->CheckBox_System->isChecked());
    QCOMPARE(l.form->DBGrid_Reihen_Kuerzung->modell().rowCount(), 15);
    // Every row: six ascending numbers of the system, with the bank number.
    auto& m = l.form->DBGrid_Reihen_Kuerzung->modell();
    for (int r = 0; r < 15; ++r) {
        QCOMPARE(m.text(r, 0), QString::number(r + 1));
        QStringList zahlen;
        for (int k = 1; k <= 6; ++k) zahlen << m.text(r, k);
        QVERIFY2(zahlen.contains(QStringLiteral("13")), qPrintable(zahlen.join(' ')));
        for (int k = 1; k < 6; ++k) QVERIFY(zahlen[k - 1].toInt() < zahlen[k].toInt());
    }
    QVERIFY(l.globals.Leerlauf_fertig);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(!l.form->Kuerzung_laeuft());
    // Locked: the toolbar button does nothing.
    l.form->SpeedButton_Reihenkuerzung->click();
    QCOMPARE(l.fragen.size(), 1);
}

void Hauptfenster::reduction_refused_and_cancelled() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    for (int n = 1; n <= 8; ++n) l.form->DBCheckBox_Zahl[n - 1]->click();
    l.form->MenuItem_Reihenkuerzung->trigger();
    QCOMPARE(l.meldungen, QStringList{QStringLiteral("Mindestens 9 Systemzahlen festlegen!")});
    QVERIFY(l.fragen.isEmpty());

    l.form->DBCheckBox_Zahl[9]->click();
    l.antworten = {false};
    l.form->MenuItem_Reihenkuerzung->trigger();
    QCOMPARE(l.fragen.size(), 1);
    QCOMPARE(l.dm->Table_Reihen.RecordCount(), 0);
    QVERIFY(l.board_frei());

    // Escape held: the run stops after its first row and drops it.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(l.form.get(), &escape);
    l.form->MenuItem_Reihenkuerzung->trigger();
    QKeyEvent los(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(l.form.get(), &los);
    QCOMPARE(l.meldungen.last(), QStringLiteral("Berechnung abgebrochen!"));
    QCOMPARE(l.dm->Table_Reihen.RecordCount(), 0);
    QVERIFY(l.board_frei());
    // After the run the counter shows the rows the week holds.
    QCOMPARE(l.form->Edit_Reihen_Gesamt->text(), QStringLiteral("0"));
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(l.globals.Leerlauf_fertig);
}

void Hauptfenster::win_evaluation_writes_the_hits() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    // Without rows nothing is evaluated; the player learns why.
    l.form->MenuItem_Gewinnermittlung->trigger();
    QCOMPARE(l.meldungen, QStringList{QString::fromUtf8(system::Text_Keine_Reihen)});
    l.meldungen.clear();
    auto& z = l.dm->Table_Zahlen;
    QVERIFY(z.Locate("Jahr;Woche", {2024, 11}));
    std::array<int, 6> d{};
    for (int k = 0; k < 6; ++k)
        d[k] = static_cast<int>(z.FieldByName("Zahl_0" + std::to_string(k + 1)).AsInteger());
    QVERIFY(d[0] > 0);
    std::vector<int> frei;
    for (int n = 1; n <= 49 && frei.size() < 6; ++n)
        if (std::find(d.begin(), d.end(), n) == d.end()) frei.push_back(n);
    // Row 1 three drawn numbers, row 2 none, row 3 the draw in reverse order.
    l.dm->Table_Reihen.AppendRecord({3, 2024, 11, 1, 0, 0, 1, d[0], d[1], d[2], frei[0], frei[1], frei[2]});
    l.dm->Table_Reihen.AppendRecord(
        {3, 2024, 11, 1, 0, 0, 2, frei[0], frei[1], frei[2], frei[3], frei[4], frei[5]});
    l.dm->Table_Reihen.AppendRecord({3, 2024, 11, 1, 0, 0, 3, d[5], d[4], d[3], d[2], d[1], d[0]});
    l.dm->Auswahl_uebernehmen();
    l.dm->Table_Reihen.Last();
    l.form->MenuItem_Gewinnermittlung->trigger();
    // The command says what it found and the grid stands on the best row.
    QCOMPARE(l.meldungen, QStringList{QStringLiteral("3 Reihen ausgewertet – beste Reihe: 6 Richtige")});
    auto& m = l.form->DBGrid_Reihen_Kuerzung->modell();
    QCOMPARE(m.text(0, 7), QStringLiteral("3"));
    QCOMPARE(m.text(1, 7), QStringLiteral("0"));
    QCOMPARE(m.text(2, 7), QStringLiteral("6"));
    QCOMPARE(l.dm->Table_Reihen.RecNo(), 3);
    QCOMPARE(m.aktuelle_zeile(), 2);
    l.meldungen.clear();
    // A week without results: the message, nothing changes.
    l.woche_waehlen(53);
    l.dm->Table_Reihen.AppendRecord({3, 2024, 53, 1, 0, 0, 1, 1, 2, 3, 4, 5, 6});
    l.form->MenuItem_Gewinnermittlung->trigger();
    QCOMPARE(l.meldungen, QStringList{QStringLiteral("Ziehungsergebnisse fehlen!")});
    QVERIFY(l.dm->Table_Reihen.FieldByName("Richtige").IsNull());
}

void Hauptfenster::sort_click_answered_no_keeps_the_order() {
    // After the last shipped draw: the week before the selected one has no results.
    Lauf l(vorlage_.dir(), {2030, 1, 17});
    l.woche_waehlen(2);
    l.woche_waehlen(3);
    QVERIFY(l.globals.Statistik_neu_berechnen);
    l.antworten = {false};
    l.form->RadioButton_Sortierung[1]->click(); // "W%"
    QCOMPARE(l.fragen, QStringList{QStringLiteral("Ziehungsergebnisse fehlen! - Trotzdem berechnen?")});
    QCOMPARE(l.dm->Table_Zahl_Daten.IndexName(), std::string());
    // The buttons show the order in force again.
    QVERIFY(l.form->RadioButton_Sortierung[0]->isChecked());
    QVERIFY(!l.form->RadioButton_Sortierung[1]->isChecked());
    QCOMPARE(l.form->Sortierung_gewaehlt(), 0);
    QVERIFY(!l.globals.Statistik_neu_berechnen);
    QCOMPARE(l.form->DBGrid_Zahlen->modell().text(0, 0), QStringLiteral("1"));
    QCOMPARE(l.form->DBGrid_Zahlen->modell().text(0, 2), QString()); // nothing computed
    // The next click sorts without asking again.
    l.form->RadioButton_Sortierung[2]->click(); // "Hf"
    QCOMPARE(l.fragen.size(), 1);
    QCOMPARE(l.dm->Table_Zahl_Daten.IndexName(), std::string("Index_Haeufigkeit_Wo"));
    QVERIFY(l.form->RadioButton_Sortierung[2]->isChecked());
}

void Hauptfenster::sort_click_answered_yes_sorts() {
    Lauf l(vorlage_.dir(), {2030, 1, 17});
    l.woche_waehlen(2);
    l.woche_waehlen(3);
    l.antworten = {true};
    l.form->RadioButton_Sortierung[1]->click();
    QCOMPARE(l.fragen.size(), 1);
    QCOMPARE(l.dm->Table_Zahl_Daten.IndexName(), std::string("Index_Wahrscheinlichkeit"));
    QVERIFY(!l.globals.Statistik_neu_berechnen);
    QCOMPARE(l.dm->Table_Zahl_Daten.RecNo(), 1);
    // Recomputed from the whole history: the grid shows the estimate, highest first.
    auto& m = l.form->DBGrid_Zahlen->modell();
    QVERIFY(m.text(0, 1).endsWith(QLatin1Char('%')));
    QVERIFY(m.text(0, 2).toInt() > 0);
    const double erste = m.text(0, 1).chopped(1).replace(',', '.').toDouble();
    const double letzte = m.text(48, 1).chopped(1).replace(',', '.').toDouble();
    QVERIFY(erste >= letzte);
    // "Z" shows the numbers 1..49 again.
    l.form->RadioButton_Sortierung[0]->click();
    for (int i = 0; i < 49; ++i) QCOMPARE(l.form->DBGrid_Zahlen->modell().text(i, 0), QString::number(i + 1));
}

void Hauptfenster::sort_click_asks_nothing_when_results_exist() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.form->RadioButton_Sortierung[3]->click(); // "Rs"
    QVERIFY(l.fragen.isEmpty());
    QVERIFY(l.meldungen.isEmpty());
    QCOMPARE(l.dm->Table_Zahl_Daten.IndexName(), std::string("Index_Rueckstaendigkeit_W"));
    auto& m = l.form->DBGrid_Zahlen->modell();
    QCOMPARE(m.rowCount(), 49);
    // Recomputed: ordered by the overdue count, highest first.
    QVERIFY(!m.text(0, 3).isEmpty());
    QVERIFY(m.text(0, 3).toInt() >= m.text(48, 3).toInt());
    QVERIFY(m.text(0, 3).toInt() > 0);
}

void Hauptfenster::row_input_is_stored_on_leaving() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    Lauf::tippen_und_verlassen(l.form->DBEdit_Reihen, QStringLiteral("300"));
    QCOMPARE(l.dm->Table_Lotto.State(), store::DataSetState::Browse);
    QCOMPARE(l.dm->Table_Lotto.FieldByName("Reihenberechnung").AsInteger(), 300);
    // Read back from the file: stored at once.
    store::Table lotto(l.dm->TdbDatabase_Lotto, "pruef", "Lotto");
    lotto.Open();
    QVERIFY(lotto.Locate("ID_Verband", {3}));
    QCOMPARE(lotto.FieldByName("Reihenberechnung").AsInteger(), 300);
    // Leaving without a change writes nothing.
    QFocusEvent aus(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(l.form->DBEdit_Reihen, &aus);
    QCOMPARE(l.dm->Table_Lotto.State(), store::DataSetState::Browse);
    QVERIFY(l.meldungen.isEmpty());
}

void Hauptfenster::refused_row_input_shows_a_message_and_the_old_value() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    Lauf::tippen_und_verlassen(l.form->DBEdit_Reihen, QStringLiteral("1x"));
    QCOMPARE(l.meldungen.size(), 1);
    // The field is named as the window labels it.
    QCOMPARE(l.meldungen[0], QStringLiteral("'1x' ist keine gültige ganze Zahl für das Feld „Reihen“."));
    QCOMPARE(l.form->DBEdit_Reihen->text(), QStringLiteral("12"));
    QCOMPARE(l.dm->Table_Lotto.State(), store::DataSetState::Browse);
    QCOMPARE(l.dm->Table_Lotto.FieldByName("Reihenberechnung").AsInteger(), 12);
}

void Hauptfenster::hints_in_the_status_bar() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    struct Fall {
        QWidget* w;
        QString hinweis;
    };
    const QList<Fall> faelle = {
        {l.form->DBGrid_Reihen_Kuerzung, QStringLiteral("Reihen des Systems")},
        {l.form->SpeedButton_Reihenkuerzung,
         QStringLiteral("Ermittlung Systemreihen und Reihenkürzung des Systems")},
        {l.form->DBLookupComboBox_Verband,
         QStringLiteral("Wahl des Landes (Deutschland, Österreich, Schweiz)")},
        {l.form->DBCheckBox_Zahl[48], QStringLiteral("Markieren der Zahlen für die Ziehung/ das System")},
        {l.form->CheckBox_System, QStringLiteral("System sperren / entsperren")},
        {l.form->Label_Software, QStringLiteral("Aufruf der Homepage")},
    };
    for (const Fall& f : faelle) {
        QEnterEvent betreten(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(f.w, &betreten);
        QCOMPARE(l.form->StatusBar->panel(0), f.hinweis);
        QCOMPARE(f.w->toolTip(), f.hinweis);
    }
    l.form->MenuItem_Gewinnermittlung->showStatusText(l.form->menuBar());
    QCOMPARE(l.form->StatusBar->panel(0), QStringLiteral("Zolt's Pyra - Lotto 7.3"));
}

void Hauptfenster::help_asks_and_opens_nothing_on_no() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    std::ofstream(l.dir.file("Hilfe_Lotto.pdf")) << "pdf";
    QList<QUrl> offen;
    ui::Oeffner_setzen([&](const QUrl& u) {
        offen << u;
        return true;
    });
    l.antworten = {false};
    l.form->FormKeyDown(Qt::Key_F1);
    QCOMPARE(l.fragen, QStringList{QStringLiteral(
                           "Die vollständige Hilfe liegt als pdf (doc) -Datei im "
                           "Installationsverzeichnis vor!\rStarten (pdf-Reader erforderlich)? ")});
    QVERIFY(offen.isEmpty());
    l.form->MenuItem_Hilfe->trigger();
    QCOMPARE(offen.size(), 1);
    QCOMPARE(offen[0].toLocalFile(), QString::fromStdString(l.dir.file("Hilfe_Lotto.pdf")));
    QVERIFY(l.meldungen.isEmpty());

    // Without a program for pdf files nothing opens: the player learns why, and where the file is.
    ui::Oeffner_setzen([](const QUrl&) { return false; });
    l.form->MenuItem_Hilfe->trigger();
    QCOMPARE(l.meldungen.size(), 1);
    QVERIFY2(l.meldungen[0].contains(QString::fromStdString(l.dir.file("Hilfe_Lotto.pdf"))),
             qPrintable(l.meldungen[0]));
    ui::Oeffner_setzen({});
}

void Hauptfenster::copyright_with_the_current_year_and_addresses() {
    Lauf l(vorlage_.dir(), {2031, 6, 5});
    l.form->Form_Copyright->vorbereiten(l.dm.get(), l.form.get());
    QVERIFY(l.form->Form_Copyright->Label_C->text().contains(QStringLiteral("2031")));
    QCOMPARE(l.form->Form_Copyright->windowTitle(), QStringLiteral("  Copyright"));
    QCOMPARE(l.form->Form_Copyright->Label_Homepage->text().toStdString(),
             l.dm->Table_Wahl.FieldByName("Homepage").AsString());
    QCOMPARE(l.form->Form_Copyright->Label_Partnerseite->text().toStdString(),
             l.dm->Table_Wahl.FieldByName("Partnerseite").AsString());
    // The box names the program and its version.
    QCOMPARE(l.form->Form_Copyright->Label_Version->text(), QStringLiteral("Pyra-Lotto, Version 7.3.0"));
    // Alt and the underlined letter open the menus: every title has its letter, no two the same.
    QSet<int> tasten;
    for (QAction* a : l.form->menuBar()->actions()) {
        const QKeySequence taste = QKeySequence::mnemonic(a->text());
        QVERIFY2(!taste.isEmpty(), qPrintable(a->text()));
        QVERIFY2(!tasten.contains(taste[0].toCombined()), qPrintable(a->text()));
        tasten.insert(taste[0].toCombined());
    }
    QCOMPARE(l.form->menuBar()->actions().first()->text(), QStringLiteral("&Ziehungen"));
}

void Hauptfenster::unreadable_database_is_reported_and_not_replaced() {
    test::TempDir kaputt;
    const std::string inhalt = "kein SQLite, sondern Text";
    std::ofstream(kaputt.file("Datenbank_Lotto.tdbd")) << inhalt;
    QVERIFY(!data::Standarddatenbank_anlegen(kaputt.dir(), {2024, 3, 14}));
    Lauf l(kaputt.dir(), {2024, 3, 14});
    QCOMPARE(l.meldungen.size(), 1);
    QVERIFY(!l.meldungen[0].isEmpty());
    std::ifstream ein(l.dir.file("Datenbank_Lotto.tdbd"));
    std::string gelesen((std::istreambuf_iterator<char>(ein)), std::istreambuf_iterator<char>());
    QCOMPARE(gelesen, inhalt);
    // The window stays usable without data.
    l.form->RadioButton_Sortierung[2]->click();
    l.form->DBCheckBox_Zahl[0]->click();
    l.form->close();
}

void Hauptfenster::closing_notes_the_export_and_empties_no_rows() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.reihen_anlegen(2);
    l.dm->Auswahl_uebernehmen();
    l.form->CheckBox_System->click(); // unlocked with filled rows
    QVERIFY(l.form->close());
    QVERIFY(l.globals.Start_Ende_aktiv);
    QVERIFY(!l.globals.Reihen_loeschen_erlaubt);
    QCOMPARE(l.dm->Table_Wahl.FieldByName("Woche_Export").AsInteger(), 1);
    QCOMPARE(l.dm->Table_Wahl.State(), store::DataSetState::Browse);
    // An option posted while closing no longer empties the rows.
    l.dm->Table_Optionen.Edit();
    l.dm->Table_Optionen.FieldByName("Checkbox_01").SetString("t");
    l.dm->Table_Optionen.Post();
    QCOMPARE(l.gefuellte_reihen(), 2);
}

QTEST_MAIN(Hauptfenster)
#include "test_hauptfenster.moc"
