// The guaranteed-system dialog on a program run over the default database: the menu item follows
// the lock, a run stores a complete system and reports it, the stop button keeps a complete
// system, refusals leave the dialog open with nothing stored; and the line "exakt" of the
// expected-winnings dialog.

#include "common/gespeicherte_reihen.h"
#include "data/datum.h"
#include "data/standarddatenbank.h"
#include "lauf.h"
#include "system/garantie.h"
#include "ui/dialoge/form_garantiesystem.h"
#include "ui/dialoge/form_gewinnerwartung.h"
#include "ui/hauptfenster/kernanbindung.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <vector>

using namespace pyra;
using test::Lauf;

namespace {

void markieren(Lauf& l, const std::vector<int>& zahlen) {
    for (int z : zahlen) l.form->DBCheckBox_Zahl[static_cast<std::size_t>(z - 1)]->click();
}

// The stored rows of the selection, as the exact check reads them.
std::vector<system::Reihe> gespeicherte_reihen(Lauf& l) {
    return test::gespeicherte_reihen(l.dm->Table_Reihen);
}

std::uint64_t loecher(Lauf& l, const std::vector<int>& zahlen, system::Garantie g) {
    system::Systemflags s{};
    for (int z : zahlen) s[static_cast<std::size_t>(z)] = true;
    const auto p = system::Garantie_pruefen(gespeicherte_reihen(l), s, 49);
    return p.Werte[static_cast<std::size_t>(system::Garantie_Index(g))].Loecher;
}

bool menuepunkt_frei(Lauf& l) {
    // The item is brought up to date when the menu "Reihen" opens.
    for (QObject* o : l.form->MenuItem_Garantiesystem->associatedObjects())
        if (auto* m = qobject_cast<QMenu*>(o)) emit m->aboutToShow();
    return l.form->MenuItem_Garantiesystem->isEnabled();
}

const std::vector<int> Zwoelf{3, 7, 12, 19, 23, 28, 31, 36, 40, 44, 47, 49};

} // namespace

class Garantiedialog : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void start_stores_a_complete_system_and_locks();
    void stop_keeps_a_complete_system();
    void refusals_leave_the_dialog_open();
    void guarantee_text_follows_the_input();
    void expected_winnings_show_exact_values();

  private:
    test::TempDir vorlage_;
};

void Garantiedialog::initTestCase() {
    QVERIFY(data::Standarddatenbank_anlegen(vorlage_.dir(), {2024, 3, 14},
                                            ui::kern::Standarddatenbank_nachbereiten()));
}

void Garantiedialog::init() {
    data::Dezimaltrennzeichen_setzen(',');
}

void Garantiedialog::start_stores_a_complete_system_and_locks() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    markieren(l, Zwoelf);
    QVERIFY(l.form->MenuItem_Garantiesystem->isEnabled());
    auto* d = l.form->Form_Garantiesystem;
    d->FormShow(l.form.get());
    QCOMPARE(d->SpinEdit_Sekunden->value(), 10);
    QVERIFY(!d->CheckBox_Filter->isChecked());
    d->SpinEdit_Richtige->setValue(3);
    d->SpinEdit_Gewinnzahlen->setValue(4);
    d->SpinEdit_Sekunden->setValue(1);

    bool gesehen = false;
    d->bei_fortschritt = [&](const system::Garantiefortschritt&) {
        // While it runs: only the stop button works.
        gesehen = true;
        QVERIFY(d->BitBtn_Stopp->isEnabled());
        QVERIFY(!d->BitBtn_Start->isEnabled());
        QVERIFY(!d->SpinEdit_Richtige->isEnabled());
        QVERIFY(!d->BitBtn_Schliessen->isEnabled());
    };
    QCOMPARE(d->Start(), system::Garantiebefehl_Ende::Ausgefuehrt);
    Q_UNUSED(gesehen); // the shipped 6 rows may end the search before the first report

    const auto reihen = gespeicherte_reihen(l);
    QCOMPARE(l.meldungen, QStringList{QStringLiteral("Garantiesystem mit %1 Reihen erstellt: mindestens 3 "
                                                     "Richtige, wenn 4 Gewinnzahlen unter den 12 "
                                                     "Systemzahlen sind.")
                                          .arg(reihen.size())});
    QVERIFY(reihen.size() <= 7);
    QCOMPARE(loecher(l, Zwoelf, {3, 4}), 0u);
    for (const auto& r : reihen)
        for (int z : r) QVERIFY(std::find(Zwoelf.begin(), Zwoelf.end(), z) != Zwoelf.end());

    // Stored and locked: the board is closed and the command is no longer offered.
    QVERIFY(!l.form->DBCheckBox_Zahl[2]->isEnabled());
    QVERIFY(!menuepunkt_frei(l));
    QVERIFY(d->BitBtn_Start->isEnabled());
    QVERIFY(!d->BitBtn_Stopp->isEnabled());
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void Garantiedialog::stop_keeps_a_complete_system() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    // 16 numbers with a bank number: no shipped system applies, the search starts greedily.
    const std::vector<int> zahlen{1, 4, 6, 9, 13, 17, 20, 22, 25, 30, 33, 35, 38, 41, 45, 48};
    markieren(l, zahlen);
    auto& o = l.dm->Table_Optionen;
    o.Edit();
    o.FieldByName("Bankzahl_1").SetInteger(13);
    o.Post();
    auto* d = l.form->Form_Garantiesystem;
    d->FormShow(l.form.get());
    d->SpinEdit_Richtige->setValue(4);
    d->SpinEdit_Gewinnzahlen->setValue(4);
    d->SpinEdit_Sekunden->setValue(600);
    int beste = 0;
    QString fortschritt;
    d->bei_fortschritt = [&](const system::Garantiefortschritt& f) {
        if (f.Reihen == 0) return;
        beste = f.Reihen;
        fortschritt = d->Label_Fortschritt->text();
        d->BitBtn_Stopp->click();
    };
    QElapsedTimer uhr;
    uhr.start();
    QCOMPARE(d->Start(), system::Garantiebefehl_Ende::Ausgefuehrt);
    QVERIFY(uhr.elapsed() < 60'000);
    QVERIFY(beste > 0);
    QVERIFY(fortschritt.startsWith(QStringLiteral("Bestes System: %1 Reihen - noch ").arg(beste)));

    const auto reihen = gespeicherte_reihen(l);
    QVERIFY(!reihen.empty());
    QVERIFY(static_cast<int>(reihen.size()) <= beste);
    for (const auto& r : reihen) QVERIFY(std::find(r.begin(), r.end(), 13) != r.end());
    // Complete on the other 15 numbers: every four of them meet some row in four.
    std::vector<int> andere;
    for (int z : zahlen)
        if (z != 13) andere.push_back(z);
    QCOMPARE(loecher(l, andere, {4, 4}), 0u);
    QVERIFY(
        l.meldungen.last().startsWith(QStringLiteral("Garantiesystem mit %1 Reihen erstellt: mindestens 4 "
                                                     "Richtige, wenn 4 Gewinnzahlen unter den 15 "
                                                     "Systemzahlen außer den Bankzahlen sind.")
                                          .arg(reihen.size())));
}

void Garantiedialog::refusals_leave_the_dialog_open() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    markieren(l, {2, 4, 6, 8, 10, 12});
    auto* d = l.form->Form_Garantiesystem;
    d->FormShow(l.form.get());
    d->SpinEdit_Sekunden->setValue(1);
    QCOMPARE(d->Start(), system::Garantiebefehl_Ende::Abgelehnt);
    QCOMPARE(l.meldungen, QStringList{QStringLiteral("Mindestens 7 Systemzahlen festlegen!")});
    QCOMPARE(l.gefuellte_reihen(), 0);
    QVERIFY(d->BitBtn_Start->isEnabled());
    QVERIFY(d->SpinEdit_Richtige->isEnabled());

    // A stored system (locked): the menu item is off, the show step does nothing, and a start
    // through the dialog is refused without touching the rows.
    markieren(l, {14});
    l.reihen_anlegen(2);
    l.dm->Auswahl_uebernehmen();
    QVERIFY(!menuepunkt_frei(l));
    l.form->MenuItem_Garantiesystem->trigger();
    QVERIFY(!d->isVisible());
    QCOMPARE(d->Start(), system::Garantiebefehl_Ende::Gesperrt);
    QCOMPARE(l.gefuellte_reihen(), 2);
}

void Garantiedialog::guarantee_text_follows_the_input() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    markieren(l, Zwoelf);
    auto* d = l.form->Form_Garantiesystem;
    d->FormShow(l.form.get());
    d->SpinEdit_Richtige->setValue(4);
    d->SpinEdit_Gewinnzahlen->setValue(6);
    QCOMPARE(d->Label_Garantie->text(),
             QStringLiteral("Mindestens 4 Richtige, wenn 6 Gewinnzahlen unter den 12 Systemzahlen sind."));
    QVERIFY(d->BitBtn_Start->isEnabled());
    d->SpinEdit_Richtige->setValue(5);
    d->SpinEdit_Gewinnzahlen->setValue(4);
    QCOMPARE(d->Label_Garantie->text(),
             QStringLiteral("Es kann nicht mehr Richtige als Gewinnzahlen geben."));
    QVERIFY(!d->BitBtn_Start->isEnabled());

    auto& o = l.dm->Table_Optionen;
    o.Edit();
    o.FieldByName("Bankzahl_1").SetInteger(7);
    o.FieldByName("Bankzahl_2").SetInteger(49);
    o.Post();
    d->SpinEdit_Gewinnzahlen->setValue(5);
    QCOMPARE(d->Label_Garantie->text(), QStringLiteral("Mindestens 5 Richtige, wenn 5 Gewinnzahlen unter den "
                                                       "10 Systemzahlen außer den Bankzahlen sind."));
    QVERIFY(d->Label_Bankzahlen->text().contains(QStringLiteral("Bankzahlen")));
}

void Garantiedialog::expected_winnings_show_exact_values() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    // Nine system numbers, one row of six of them (1 8 15 22 29 36).
    markieren(l, {1, 8, 15, 22, 29, 36, 2, 9, 16});
    l.reihen_anlegen(1);
    l.dm->Auswahl_uebernehmen();
    auto& t = l.dm->Table_Lotto;
    t.Edit();
    t.FieldByName("Gewinnerwartung").SetInteger(100);
    t.Post();
    auto* g = l.form->Form_Gewinnerwartung;
    QVERIFY(g->FormShow(l.form.get()));
    // Choices of p of the nine numbers that meet the row in t or more, counted by hand: 3/3 20 of
    // 84, 3/4 75 of 126, 3/5 111 of 126, 3/6 all 84, 4/4 15 of 126, 4/5 51 of 126, 4/6 64 of 84,
    // 5/5 6 of 126, 5/6 19 of 84.
    const QStringList erwartet{QStringLiteral("23,8%"),  QStringLiteral("59,5%"), QStringLiteral("88,1%"),
                               QStringLiteral("100,0%"), QStringLiteral("11,9%"), QStringLiteral("40,5%"),
                               QStringLiteral("76,2%"),  QStringLiteral("4,8%"),  QStringLiteral("22,6%")};
    for (int i = 0; i < 9; ++i) QCOMPARE(g->Label_Exakt[static_cast<std::size_t>(i)]->text(), erwartet[i]);
    QCOMPARE(g->Label_Exakt_Titel->text(), QStringLiteral("Untere Zeile: exakt"));
    QVERIFY(l.meldungen.isEmpty());
    g->done(QDialog::Accepted);

    // A row with a number that is no system number: the simulation also draws such numbers, so
    // hits on system numbers alone are no exact form of its values, and none are shown.
    Lauf m(vorlage_.dir(), {2024, 3, 14});
    markieren(m, {1, 8, 15, 22, 29, 2, 9, 16, 3});
    m.reihen_anlegen(1); // 1 8 15 22 29 36
    m.dm->Auswahl_uebernehmen();
    auto* h = m.form->Form_Gewinnerwartung;
    QVERIFY(h->FormShow(m.form.get()));
    for (QLabel* w : h->Label_Exakt) QCOMPARE(w->text(), QStringLiteral("-"));
    QCOMPARE(h->Label_Exakt_Titel->text(), QStringLiteral("Reihen mit anderen Zahlen: nicht exakt"));
    h->done(QDialog::Accepted);
}

QTEST_MAIN(Garantiedialog)
#include "test_garantiesystem.moc"
