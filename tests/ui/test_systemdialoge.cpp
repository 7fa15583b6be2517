// The analysis dialog, the reduction options dialog and the expected-winnings dialog on a
// program run over the default database: captions and placement through the menu, the show
// steps, the calculation button, the lock of the option controls, the row emptying through the
// bound controls, and the simulation's caption and refusal.

#include "data/datum.h"
#include "data/standarddatenbank.h"
#include "lauf.h"
#include "system/texte.h"
#include "ui/dialoge/dialog_platzieren.h"
#include "ui/dialoge/form_analyse.h"
#include "ui/dialoge/form_gewinnerwartung.h"
#include "ui/dialoge/form_kuerzung.h"
#include "ui/gemeinsam/anwendung.h"
#include "ui/hauptfenster/kernanbindung.h"
#include "ui/steuerelemente/db_checkbox.h"
#include "ui/steuerelemente/db_edit.h"
#include "ui/steuerelemente/db_grid.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace pyra;
using test::Lauf;

namespace {

// Removes every row of a restricted cursor (the analysis tables of the current association and
// draw day), so that the show step has to create them.
void leeren(store::Table& t) {
    while (t.RecordCount() > 0) {
        t.First();
        t.Delete();
    }
}

// Marks the numbers on the board (before rows exist, so nothing is emptied).
void markieren(Lauf& l, std::initializer_list<int> zahlen) {
    for (int z : zahlen) l.form->DBCheckBox_Zahl[z - 1]->click();
}

void simulationen_setzen(Lauf& l, int anzahl) {
    auto& t = l.dm->Table_Lotto;
    t.Edit();
    t.FieldByName("Gewinnerwartung").SetInteger(anzahl);
    t.Post();
}

void reihe_waehlen(Lauf& l, int reihe) {
    QVERIFY(l.dm->Table_Reihen.Locate("Reihe", {reihe}));
}

// Runs a menu command whose dialog is modal: the dialog is looked at and closed from the event
// loop once it is showing.
struct Gezeigt {
    bool sichtbar = false;
    QString titel;
    QPoint versatz; // dialog's top-left corner relative to the main window's
};
Gezeigt modal_zeigen(QDialog* dialog, QAction* befehl) {
    Gezeigt g;
    QTimer::singleShot(0, dialog, [&g, dialog] {
        g.sichtbar = dialog->isVisible();
        g.titel = dialog->windowTitle();
        g.versatz = dialog->frameGeometry().topLeft() - dialog->parentWidget()->frameGeometry().topLeft();
        dialog->accept();
    });
    befehl->trigger();
    return g;
}

// The offset of the placement table for the test screen.
QPoint versatz(Lauf& l) {
    const QSize s = l.form->screen()->size();
    return s.width() >= 1024 && s.height() >= 768 ? QPoint(10, 90) : QPoint(10, 78);
}

// The text a grid shows in a cell (through the column's display format).
QString angezeigt(ui::DBGrid* g, int zeile, int spalte) {
    const QModelIndex i = g->model()->index(zeile, spalte);
    auto* format = qobject_cast<QStyledItemDelegate*>(g->itemDelegateForIndex(i));
    return format ? format->displayText(i.data(), QLocale()) : i.data().toString();
}

// The controls reached with Tab from `von`.
QWidget* naechster_tabstopp(QWidget* von) {
    for (QWidget* w = von->nextInFocusChain(); w && w != von; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled()) return w;
    return nullptr;
}

} // namespace

class Systemdialoge : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void menu_shows_the_dialogs_with_caption_and_place();
    void showing_the_analysis_adds_missing_rows();
    void analysis_calculation_fills_the_grids();
    void input_empties_the_rows_of_an_unlocked_system_data();
    void input_empties_the_rows_of_an_unlocked_system();
    void option_fields_follow_the_lock();
    void reduction_controls_and_their_binding();
    void expected_winnings_caption_data();
    void expected_winnings_caption();
    void expected_winnings_without_six_system_numbers_or_rows();
    void expected_winnings_count_is_stored_on_closing();
    void expected_winnings_up_to_row_recalculates();

  private:
    test::TempDir vorlage_;
};

void Systemdialoge::initTestCase() {
    QVERIFY(data::Standarddatenbank_anlegen(vorlage_.dir(), {2024, 3, 14},
                                            ui::kern::Standarddatenbank_nachbereiten()));
}

void Systemdialoge::init() {
    data::Dezimaltrennzeichen_setzen(',');
}

void Systemdialoge::menu_shows_the_dialogs_with_caption_and_place() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(l.form.get()));
    l.form->move(40, 30);
    markieren(l, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    l.reihen_anlegen(2);
    l.dm->Auswahl_uebernehmen();
    simulationen_setzen(l, 50);

    Gezeigt a = modal_zeigen(l.form->Form_Analyse, l.form->MenuItem_Analyse);
    QVERIFY(a.sichtbar);
    QCOMPARE(a.titel, QStringLiteral("  Optionen Analyse"));
    QCOMPARE(a.versatz, versatz(l));

    Gezeigt k = modal_zeigen(l.form->Form_Kuerzung, l.form->MenuItem_Kuerzung);
    QVERIFY(k.sichtbar);
    QCOMPARE(k.titel, QStringLiteral("  Optionen Kürzung"));
    QCOMPARE(k.versatz, versatz(l));

    // The row grid stands on the last row after the refresh.
    Gezeigt g = modal_zeigen(l.form->Form_Gewinnerwartung, l.form->MenuItem_Gewinnerwartung);
    QVERIFY(g.sichtbar);
    QCOMPARE(g.titel, QStringLiteral("  Gewinnerwartung bei 2 Reihen / 9 Systemzahlen"));
    QCOMPARE(g.versatz, versatz(l));
    QVERIFY(QApplication::overrideCursor() == nullptr); // the hourglass is gone again

    // Placed again at every show: the main window moved.
    l.form->move(90, 60);
    a = modal_zeigen(l.form->Form_Analyse, l.form->MenuItem_Analyse);
    QCOMPARE(a.versatz, versatz(l));
    QVERIFY(l.meldungen.isEmpty());
}

void Systemdialoge::showing_the_analysis_adds_missing_rows() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* f = l.form->Form_Analyse;
    leeren(l.dm->Table_Ziehung_Wo_z);
    leeren(l.dm->Table_Ziehung_Ja_z);
    leeren(l.dm->Table_Summe_Ru);
    // One row left in place: only the missing ones are added.
    l.dm->Table_Summe_Ru.AppendRecord({3, 1, 141, 150, {}, 12.25});
    f->FormShow(l.form.get());
    QCOMPARE(f->DBGrid_Woche->modell().rowCount(), 7);
    QCOMPARE(f->DBGrid_Jahr->modell().rowCount(), 7);
    QCOMPARE(f->DBGrid_Summe->modell().rowCount(), 15);
    auto& m = f->DBGrid_Summe->modell();
    QCOMPARE(m.text(0, 0), QStringLiteral("1"));
    QCOMPARE(m.text(0, 1), QStringLiteral("10"));
    QCOMPARE(m.text(14, 0), QStringLiteral("141"));
    // New rows show empty percentages; nothing is computed by showing.
    QCOMPARE(angezeigt(f->DBGrid_Woche, 0, 1), QString());
    QCOMPARE(f->DBGrid_Woche->modell().text(6, 0), QStringLiteral("7"));
    QCOMPARE(f->DBGrid_Jahr->modell().text(6, 0), QStringLiteral("7"));
    // Showing again adds nothing.
    f->FormShow(l.form.get());
    QCOMPARE(l.dm->Table_Ziehung_Wo_z.RecordCount(), 7);
    QCOMPARE(l.dm->Table_Summe_Ru.RecordCount(), 15);

    // Tab order: the three grids, "% Wo", "% Ja", "% Su", the calculation button, OK.
    const std::vector<QWidget*> folge = {
        f->DBGrid_Woche,        f->DBGrid_Jahr,          f->DBGrid_Summe,      f->DBEdit_Prozent_Wo,
        f->DBEdit_Prozent_Jahr, f->DBEdit_Prozent_Summe, f->BitBtn_Berechnung, f->BitBtn_OK};
    for (std::size_t i = 1; i < folge.size(); ++i)
        QVERIFY2(naechster_tabstopp(folge[i - 1]) == folge[i], qPrintable(folge[i - 1]->objectName()));
}

void Systemdialoge::analysis_calculation_fills_the_grids() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* f = l.form->Form_Analyse;
    leeren(l.dm->Table_Ziehung_Wo_z);
    leeren(l.dm->Table_Ziehung_Ja_z);
    leeren(l.dm->Table_Summe_Ru);
    f->FormShow(l.form.get());
    QVERIFY(l.meldungen.isEmpty());

    QTest::mouseClick(f->BitBtn_Berechnung, Qt::LeftButton);
    QCOMPARE(l.meldungen, QStringList{QStringLiteral("Analysewerte wurden neu berechnet!")});
    QVERIFY(!f->BitBtn_Berechnung->testAttribute(Qt::WA_SetCursor)); // default cursor again

    // Each row of the recurrence grids: seven percentages "0.0" adding up to 100.
    for (ui::DBGrid* g : {f->DBGrid_Woche, f->DBGrid_Jahr}) {
        QCOMPARE(g->modell().rowCount(), 7);
        for (int z = 0; z < 7; ++z) {
            double summe = 0;
            for (int v = 1; v <= 7; ++v) {
                const QString text = angezeigt(g, z, v);
                QVERIFY2(QRegularExpression(QStringLiteral("^\\d{1,3},\\d$")).match(text).hasMatch(),
                         qPrintable(g->objectName() + QStringLiteral(": ") + text));
                summe += QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
            }
            QVERIFY2(std::abs(summe - 100) < 0.4, qPrintable(QString::number(summe)));
        }
    }
    // The displayed text is the stored value with one decimal.
    auto& t = l.dm->Table_Ziehung_Wo_z;
    t.First();
    char erwartet[32];
    std::snprintf(erwartet, sizeof erwartet, "%.1f", t.FieldByName("1_Zahl").AsFloat());
    QCOMPARE(angezeigt(f->DBGrid_Woche, 0, 2),
             QString::fromLatin1(erwartet).replace(QLatin1Char('.'), QLatin1Char(',')));
    double summe = 0;
    for (int b = 0; b < 15; ++b)
        summe += angezeigt(f->DBGrid_Summe, b, 2).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    QVERIFY(std::abs(summe - 100) < 1);
    // The columns under their titles.
    QCOMPARE(f->DBGrid_Woche->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Zh"));
    QCOMPARE(f->DBGrid_Woche->model()->headerData(7, Qt::Horizontal).toString(), QStringLiteral("6 %"));
    QCOMPARE(f->DBGrid_Summe->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("%"));
    QCOMPARE(l.dm->Table_Zahlen.State(), store::DataSetState::Browse);

    // An error during the calculation ends it quietly: no message, the default cursor is back.
    l.dm->Table_Summe_Ru.Close();
    QTest::mouseClick(f->BitBtn_Berechnung, Qt::LeftButton);
    QCOMPARE(l.meldungen.size(), 1);
    QVERIFY(!f->BitBtn_Berechnung->testAttribute(Qt::WA_SetCursor));
}

// A change through each kind of bound option control of an unlocked system with rows empties the
// rows; a refused value is reported, stored values and rows stay.
void Systemdialoge::input_empties_the_rows_of_an_unlocked_system_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("steuerelement");
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("gespeichert");
    QTest::addColumn<bool>("geleert");
    QTest::newRow("% Wo") << "analyse"
                          << "DBEdit_Prozent_Wo"
                          << "5"
                          << "Prozent_Woche"
                          << "5" << true;
    QTest::newRow("% Su") << "analyse"
                          << "DBEdit_Prozent_Summe"
                          << "3"
                          << "Prozent_Summe"
                          << "3" << true;
    QTest::newRow("Endziffer") << "kuerzung"
                               << "DBEdit_Endziffer"
                               << "4"
                               << "Endziffer"
                               << "4" << true;
    QTest::newRow("Summe bis") << "kuerzung"
                               << "DBEdit_Summe_bis"
                               << "250"
                               << "Quersumme_bis"
                               << "250" << true;
    QTest::newRow("Gerade 3") << "kuerzung"
                              << "DBCheckBox_Gerade_3"
                              << ""
                              << "Checkbox_Gerade_03"
                              << "f" << true;
    QTest::newRow("Zwillinge") << "kuerzung"
                               << "DBCheckBox_Zwillinge"
                               << ""
                               << "Checkbox_Zwillinge"
                               << "f" << true;
    QTest::newRow("Text abgelehnt") << "kuerzung"
                                    << "DBEdit_Zehner"
                                    << "abc"
                                    << "Zehner"
                                    << "6" << false;
    QTest::newRow("% Ja abgelehnt") << "analyse"
                                    << "DBEdit_Prozent_Jahr"
                                    << "x1"
                                    << "Prozent_Jahr"
                                    << "0" << false;
}

void Systemdialoge::input_empties_the_rows_of_an_unlocked_system() {
    QFETCH(QString, dialog);
    QFETCH(QString, steuerelement);
    QFETCH(QString, eingabe);
    QFETCH(QString, feld);
    QFETCH(QString, gespeichert);
    QFETCH(bool, geleert);
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.reihen_anlegen(3);
    l.dm->Auswahl_uebernehmen();
    l.form->CheckBox_System->click(); // unlock, rows kept
    QCOMPARE(l.gefuellte_reihen(), 3);

    QDialog* d = dialog == QLatin1String("analyse") ? static_cast<QDialog*>(l.form->Form_Analyse)
                                                    : static_cast<QDialog*>(l.form->Form_Kuerzung);
    if (dialog == QLatin1String("analyse"))
        l.form->Form_Analyse->FormShow(l.form.get());
    else
        l.form->Form_Kuerzung->FormShow(l.form.get());
    QWidget* w = d->findChild<QWidget*>(steuerelement);
    QVERIFY(w);
    QVERIFY(w->isEnabled());
    if (auto* e = qobject_cast<ui::DBEdit*>(w))
        Lauf::tippen_und_verlassen(e, eingabe);
    else
        qobject_cast<ui::DBCheckBox*>(w)->click();
    d->done(QDialog::Accepted); // the close step saves the record

    auto& t = l.dm->Table_Optionen_2;
    QCOMPARE(t.State(), store::DataSetState::Browse);
    QCOMPARE(QString::fromStdString(t.FieldByName(feld.toStdString()).AsString()), gespeichert);
    QCOMPARE(l.gefuellte_reihen(), geleert ? 0 : 3);
    QCOMPARE(l.dm->Table_Reihen.RecordCount(), 3);
    QCOMPARE(l.form->Edit_Reihen_Gesamt->text(), geleert ? QStringLiteral("0") : QStringLiteral("3"));
    QCOMPARE(l.meldungen.isEmpty(), geleert);
}

void Systemdialoge::option_fields_follow_the_lock() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* k = l.form->Form_Kuerzung;
    auto* a = l.form->Form_Analyse;
    const std::vector<QWidget*> kuerzung = k->Optionsfelder();
    QCOMPARE(kuerzung.size(), std::size_t(17));
    const std::vector<QWidget*> analyse = {a->DBEdit_Prozent_Wo, a->DBEdit_Prozent_Jahr,
                                           a->DBEdit_Prozent_Summe};
    auto alle = [&](bool an) {
        for (QWidget* w : kuerzung)
            if (w->isEnabled() != an) return false;
        for (QWidget* w : analyse)
            if (w->isEnabled() != an) return false;
        return true;
    };
    QVERIFY(alle(true));

    // A week with rows is locked at its refresh, while the dialogs are hidden.
    l.reihen_anlegen(2);
    l.woche_waehlen(10);
    l.woche_waehlen(11);
    QVERIFY(l.form->CheckBox_System->isChecked());
    QVERIFY(alle(false));
    // OK, the grids and the calculation button stay usable.
    for (QWidget* w : std::initializer_list<QWidget*>{k->BitBtn_OK, a->BitBtn_OK, a->BitBtn_Berechnung,
                                                      a->DBGrid_Woche, a->DBGrid_Summe})
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
    // The state holds when the dialogs are shown.
    k->FormShow(l.form.get());
    a->FormShow(l.form.get());
    QVERIFY(alle(false));

    l.form->CheckBox_System->click(); // unlock
    QVERIFY(alle(true));
    l.form->CheckBox_System->click(); // lock again
    QVERIFY(alle(false));

    // Dialogs bound afresh take the current state.
    l.form->Datenmodul_setzen(nullptr, nullptr);
    k->Optionen(true);
    l.form->Datenmodul_setzen(l.dm.get(), l.dialog.get());
    QVERIFY(alle(false));
}

void Systemdialoge::reduction_controls_and_their_binding() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* k = l.form->Form_Kuerzung;
    k->FormShow(l.form.get());
    // The defaults of a new selection.
    for (QCheckBox* b : std::initializer_list<QCheckBox*>{k->DBCheckBox_Zwillinge, k->DBCheckBox_Drillinge,
                                                          k->DBCheckBox_Vierling, k->DBCheckBox_Fuenfling})
        QVERIFY(b->isChecked());
    for (auto* b : k->DBCheckBox_Gerade) QVERIFY(b->isChecked());
    QCOMPARE(k->DBEdit_Endziffer->text(), QStringLiteral("5"));
    QCOMPARE(k->DBEdit_7er->text(), QStringLiteral("6"));
    QCOMPARE(k->DBEdit_Summe_von->text(), QStringLiteral("21"));
    QCOMPARE(k->DBEdit_Summe_bis->text(), QStringLiteral("279"));
    // Tab order: the 17 option controls, then OK.
    std::vector<QWidget*> folge = k->Optionsfelder();
    folge.push_back(k->BitBtn_OK);
    for (std::size_t i = 1; i < folge.size(); ++i)
        QVERIFY2(naechster_tabstopp(folge[i - 1]) == folge[i], qPrintable(folge[i - 1]->objectName()));

    // Another week has its own options.
    k->DBCheckBox_Vierling->click();
    QCOMPARE(l.dm->Table_Optionen_2.FieldByName("Checkbox_Vierling").AsString(), std::string("f"));
    l.woche_waehlen(9);
    QVERIFY(k->DBCheckBox_Vierling->isChecked());
    l.woche_waehlen(11);
    QVERIFY(!k->DBCheckBox_Vierling->isChecked());
}

void Systemdialoge::expected_winnings_caption_data() {
    QTest::addColumn<int>("reihe");
    QTest::addColumn<QString>("titel");
    QTest::newRow("Reihe 1") << 1 << QStringLiteral("  Gewinnerwartung bei 1 Reihe / 10 Systemzahlen");
    QTest::newRow("Reihe 12") << 12 << QStringLiteral("  Gewinnerwartung bei 12 Reihen / 10 Systemzahlen");
}

void Systemdialoge::expected_winnings_caption() {
    QFETCH(int, reihe);
    QFETCH(QString, titel);
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    markieren(l, {1, 8, 15, 22, 29, 36, 43, 2, 9, 16});
    l.reihen_anlegen(12);
    l.dm->Auswahl_uebernehmen();
    simulationen_setzen(l, 200);
    reihe_waehlen(l, reihe);
    auto* g = l.form->Form_Gewinnerwartung;
    QVERIFY(g->FormShow(l.form.get()));
    QCOMPARE(g->windowTitle(), titel);
    QVERIFY(l.meldungen.isEmpty());
    QVERIFY(QApplication::overrideCursor() == nullptr);
    // The grid shows the nine stored values of this run.
    auto& m = g->DBGrid_Gewinnerwartung->modell();
    QCOMPARE(m.rowCount(), 1);
    QCOMPARE(m.columnCount(), 9);
    QCOMPARE(m.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("3/3"));
    QCOMPARE(m.headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("4/5"));
    QCOMPARE(m.headerData(8, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("5/6"));
    auto& gw = l.dm->Table_Gw_Erwartung;
    QVERIFY(!gw.FieldByName("Gw_3_6").IsNull());
    QCOMPARE(m.text(0, 3).toStdString(), gw.FieldByName("Gw_3_6_Str").AsString());
    QVERIFY(m.text(0, 3).endsWith(QLatin1Char('%')));
}

void Systemdialoge::expected_winnings_without_six_system_numbers_or_rows() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* g = l.form->Form_Gewinnerwartung;
    // No rows: the menu command shows nothing but says why.
    l.form->MenuItem_GewinnerwartungClick();
    QCOMPARE(l.meldungen, QStringList{QString::fromUtf8(system::Text_Keine_Reihen)});
    QVERIFY(!g->isVisible());
    l.meldungen.clear();

    markieren(l, {3, 5, 7, 9, 11});
    l.reihen_anlegen(3);
    l.dm->Auswahl_uebernehmen();
    auto& gw = l.dm->Table_Gw_Erwartung;
    if (gw.RecordCount() == 0) gw.AppendRecord({});
    gw.First();
    gw.Edit();
    gw.FieldByName("Gw_3_3").SetFloat(12.5);
    gw.Post();

    // Five system numbers: the message, no simulation, and the dialog stays closed (modal run
    // would block here otherwise).
    l.form->MenuItem_GewinnerwartungClick();
    QCOMPARE(l.meldungen, QStringList{QStringLiteral("Mindestens 6 Systemzahlen festlegen!")});
    QVERIFY(!g->isVisible());
    QCOMPARE(gw.FieldByName("Gw_3_3").AsFloat(), 12.5);
    QCOMPARE(g->windowTitle(), QStringLiteral("  Gewinnerwartung"));
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void Systemdialoge::expected_winnings_count_is_stored_on_closing() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    markieren(l, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    l.reihen_anlegen(1);
    l.dm->Auswahl_uebernehmen();
    simulationen_setzen(l, 100);
    auto* g = l.form->Form_Gewinnerwartung;
    QVERIFY(g->FormShow(l.form.get()));
    QCOMPARE(g->DBEdit_Anzahl_Reihen->text(), QStringLiteral("100"));
    // Typed and not left: the close step still takes it over and stores it.
    g->DBEdit_Anzahl_Reihen->setFocus();
    g->DBEdit_Anzahl_Reihen->selectAll();
    QTest::keyClicks(g->DBEdit_Anzahl_Reihen, QStringLiteral("500"));
    g->done(QDialog::Accepted);
    QCOMPARE(l.dm->Table_Lotto.State(), store::DataSetState::Browse);
    QCOMPARE(l.dm->Table_Lotto.FieldByName("Gewinnerwartung").AsInteger(), 500);
    l.dm->Table_Lotto.Refresh();
    QCOMPARE(l.dm->Table_Lotto.FieldByName("Gewinnerwartung").AsInteger(), 500);
    // Nothing else changed by the close step: the rows keep their numbers.
    QCOMPARE(l.gefuellte_reihen(), 1);
}

void Systemdialoge::expected_winnings_up_to_row_recalculates() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    markieren(l, {1, 8, 15, 22, 29, 36, 43, 2, 9, 16});
    l.reihen_anlegen(12);
    l.dm->Auswahl_uebernehmen();
    simulationen_setzen(l, 200);
    reihe_waehlen(l, 1);
    auto* g = l.form->Form_Gewinnerwartung;
    // Opened on row 1 (as after a reduction): the field holds that row.
    QVERIFY(g->FormShow(l.form.get()));
    QCOMPARE(g->windowTitle(), QStringLiteral("  Gewinnerwartung bei 1 Reihe / 10 Systemzahlen"));
    QCOMPARE(g->Edit_bis_Reihe->text(), QStringLiteral("1"));

    // Up to row 12: the caption and the values are those of rows 1 to 12, and the row grid
    // stands on row 12 (its cursor row is what the next opening takes).
    g->Edit_bis_Reihe->setText(QStringLiteral("12"));
    g->BitBtn_Berechnung->click();
    QVERIFY(l.meldungen.isEmpty());
    QCOMPARE(g->windowTitle(), QStringLiteral("  Gewinnerwartung bei 12 Reihen / 10 Systemzahlen"));
    QCOMPARE(l.dm->Table_Reihen.FieldByName("Reihe").AsInteger(), 12);
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // Rows outside 1..12 are refused with a message; nothing is run again.
    const double vorher = l.dm->Table_Gw_Erwartung.FieldByName("Gw_3_6").AsFloat();
    for (const char* falsch : {"0", "13", "x", ""}) {
        g->Edit_bis_Reihe->setText(QString::fromUtf8(falsch));
        g->BitBtn_Berechnung->click();
        QCOMPARE(l.meldungen, QStringList{QStringLiteral("Bitte eine Reihe von 1 bis 12 eingeben!")});
        l.meldungen.clear();
    }
    QCOMPARE(g->windowTitle(), QStringLiteral("  Gewinnerwartung bei 12 Reihen / 10 Systemzahlen"));
    QCOMPARE(l.dm->Table_Gw_Erwartung.FieldByName("Gw_3_6").AsFloat(), vorher);
}

QTEST_MAIN(Systemdialoge)
#include "test_systemdialoge.moc"
