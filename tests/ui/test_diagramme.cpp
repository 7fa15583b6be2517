// The chart window on a program run over the default database: opened from the menu and the
// statistics grid's context menu, every series equal to the table it draws, following the
// selection while open, pictures and printing of the shown chart.

#include "data/datum.h"
#include "data/standarddatenbank.h"
#include "lauf.h"
#include "platform/printer/qt_drucker.h"
#include "stats/analyse_store.h"
#include "stats/diagrammwerte.h"
#include "stats/zahl_daten_store.h"
#include "ui/diagramme/diagramm_bau.h"
#include "ui/diagramme/form_diagramme.h"
#include "ui/gemeinsam/anwendung.h"
#include "ui/hauptfenster/kernanbindung.h"
#include "ui/steuerelemente/db_grid.h"

#include <QAbstractBarSeries>
#include <QAction>
#include <QApplication>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QImageReader>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

using namespace pyra;
using test::Lauf;
namespace fs = std::filesystem;

namespace {

QAbstractBarSeries* balkenreihe(QChart* c) {
    for (QAbstractSeries* s : c->series())
        if (auto* b = qobject_cast<QAbstractBarSeries*>(s)) return b;
    return nullptr;
}

// The values of a bar set of a chart of the window.
QList<double> balken(ui::TForm_Diagramme* f, ui::Diagrammart art, int set) {
    QList<double> werte;
    QChart* c = f->ChartView[static_cast<std::size_t>(art)]->chart();
    QAbstractBarSeries* b = c ? balkenreihe(c) : nullptr;
    if (!b || set >= b->count()) return werte;
    QBarSet* s = b->barSets().at(set);
    for (int i = 0; i < s->count(); ++i) werte << s->at(i);
    return werte;
}

// The series of a chart by its name.
QLineSeries* linie(ui::TForm_Diagramme* f, ui::Diagrammart art, const QString& anfang) {
    for (QAbstractSeries* s : f->ChartView[static_cast<std::size_t>(art)]->chart()->series())
        if (auto* l = qobject_cast<QLineSeries*>(s); l && l->name().startsWith(anfang)) return l;
    return nullptr;
}

// A field of every row of a restricted cursor, in key order.
QList<double> spalte(store::Table& t, const char* feld) {
    QList<double> werte;
    for (t.First(); !t.Eof(); t.Next()) werte << t.FieldByName(feld).AsFloat();
    t.First();
    return werte;
}

QList<double> liste(const std::array<double, 7>& a) {
    return QList<double>(a.begin(), a.end());
}

void warten_bis_gezeichnet() {
    QTest::qWait(20); // the window draws changes once they are done
}

} // namespace

class Diagramme : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void menu_and_context_menu_open_the_window();
    void every_series_equals_its_table();
    void follows_the_selection_while_open();
    void without_draws_and_with_a_damaged_setting();
    void picture_and_print_of_the_shown_chart();

  private:
    test::TempDir vorlage_;
};

void Diagramme::initTestCase() {
    QVERIFY(data::Standarddatenbank_anlegen(vorlage_.dir(), {2024, 3, 14},
                                            ui::kern::Standarddatenbank_nachbereiten()));
}

void Diagramme::init() {
    data::Dezimaltrennzeichen_setzen(',');
}

void Diagramme::menu_and_context_menu_open_the_window() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.form->show();
    ui::TForm_Diagramme* f = l.form->Form_Diagramme;
    QVERIFY(!f->isVisible());
    QCOMPARE(l.form->MenuItem_Diagramme->text(), QStringLiteral("Diagramme"));
    l.form->MenuItem_Diagramme->trigger();
    QVERIFY(f->isVisible());
    QVERIFY(!f->isModal()); // the main window stays usable
    QCOMPARE(f->windowTitle(), QStringLiteral("  Diagramme"));
    const QStringList titel = {"Häufigkeit", "Rückstand", "Wiederholungen", "Rückstandssummen", "Verlauf"};
    QCOMPARE(f->TabWidget_Diagramme->count(), 5);
    for (int i = 0; i < 5; ++i) QCOMPARE(f->TabWidget_Diagramme->tabText(i), titel[i]);
    QCOMPARE(f->Auswahl(ui::Diagrammart::Verlauf), 1); // the grid stands on its first row

    // The grid's context menu: the Verlauf follows the number clicked, also while open.
    QVERIFY(l.form->DBGrid_Zahlen->actions().contains(l.form->MenuItem_Gitter_Diagramme));
    QCOMPARE(l.form->DBGrid_Zahlen->contextMenuPolicy(), Qt::ActionsContextMenu);
    QVERIFY(l.dm->Table_Zahl_Daten.Locate("Zahl", {17}));
    l.form->MenuItem_Gitter_Diagramme->trigger();
    QCOMPARE(f->Auswahl(ui::Diagrammart::Verlauf), 17);
    QVERIFY(f->ChartView[4]->chart()->title().contains(QStringLiteral("Zahl 17")));
    // The menu item brings the open window to the front without changing the number.
    QVERIFY(l.dm->Table_Zahl_Daten.Locate("Zahl", {3}));
    l.form->MenuItem_Diagramme->trigger();
    QCOMPARE(f->Auswahl(ui::Diagrammart::Verlauf), 17);
    f->Button_Schliessen->click();
    QVERIFY(!f->isVisible());
}

void Diagramme::every_series_equals_its_table() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.form->show();
    // The grid's recomputation (sort button "Hf") and the analysis up to the selected week.
    l.form->RadioButton_Sortierung[2]->click();
    stats::Analyse_Zeilen_anlegen(*l.dm);
    QVERIFY(stats::Analyse_berechnen(*l.dm, [] {}).berechnet);
    ui::TForm_Diagramme* f = l.form->Form_Diagramme;
    l.form->MenuItem_Diagramme->trigger();
    const stats::Diagrammdaten& d = f->Daten();
    QCOMPARE(d.Ziehungen, 3570);

    // Frequency and overdue: the grid's Zahl_Daten rows in number order.
    store::Table& zd = l.dm->Table_Zahl_Daten;
    zd.SetIndexName("");
    QCOMPARE(balken(f, ui::Diagrammart::Haeufigkeit, 0), spalte(zd, "Haeufigkeit_Wo"));
    auto* x = qobject_cast<QCategoryAxis*>(
        f->ChartView[0]->chart()->axes(Qt::Horizontal, balkenreihe(f->ChartView[0]->chart())).value(0));
    QVERIFY(x);
    QCOMPARE(x->min(), -0.5);
    QCOMPARE(x->max(), 48.5);
    QCOMPARE(x->categoriesLabels().last(), QStringLiteral("49"));
    QCOMPARE(x->endValue(QStringLiteral("49")), 48.0); // under the 49th bar
    const QList<double> normal = balken(f, ui::Diagrammart::Rueckstand, 0);
    const QList<double> lang = balken(f, ui::Diagrammart::Rueckstand, 1);
    const QList<double> rs = spalte(zd, "Rueckstaendig_Wo");
    QCOMPARE(normal.size(), 49);
    int markiert = 0;
    for (int i = 0; i < 49; ++i) {
        QCOMPARE(normal[i] + lang[i], rs[i]); // every number was drawn in 3,570 draws
        QVERIFY(normal[i] == 0 || lang[i] == 0);
        if (lang[i] > 0) ++markiert;
    }
    QVERIFY(markiert >= 6);
    // The expectation line and band from the chance formulas; the sentence from the test.
    const double erwartet = 3570 * 6.0 / 49;
    QCOMPARE(linie(f, ui::Diagrammart::Haeufigkeit, QStringLiteral("Erwartung"))->at(0).y(), erwartet);
    QCOMPARE(linie(f, ui::Diagrammart::Rueckstand, QStringLiteral("mittlerer"))->at(0).y(),
             stats::Erwarteter_Rueckstand(3570, 49));
    QCOMPARE(f->Label_Satz[0]->text(), QString::fromStdString(stats::Testsatz(
                                           stats::Chiquadrat_testen(d.Statistik.Haeufigkeit_Wo, 3570, 49))));
    QVERIFY(
        f->Label_Satz[0]->text().startsWith(QStringLiteral("Die Abweichungen liegen im Rahmen des Zufalls")));
    // Each bar carries its exact value as its tool tip.
    auto* hf = balkenreihe(f->ChartView[0]->chart())->barSets().at(0);
    QVERIFY(hf->property("pyra_tipps")
                .toStringList()
                .at(6)
                .startsWith(QStringLiteral("Zahl 7: %1-mal gezogen")
                                .arg(QLocale(QLocale::German).toString(int(hf->at(6))))));

    // Recurrence shares: the rows of Ziehung_Wo_z and Ziehung_Ja_z, beside the chance shares.
    for (int z : {1, 3, 7}) {
        f->ComboBox_Wiederholung->setCurrentIndex(z - 1);
        QCOMPARE(f->Auswahl(ui::Diagrammart::Wiederholungen), z);
        auto zeile = [&](store::Table& t) {
            QList<double> werte;
            t.First();
            for (int r = 1; r < z; ++r) t.Next();
            for (const char* feld :
                 {"0_Zahlen", "1_Zahl", "2_Zahlen", "3_Zahlen", "4_Zahlen", "5_Zahlen", "6_Zahlen"})
                werte << t.FieldByName(feld).AsFloat();
            t.First();
            return werte;
        };
        QCOMPARE(balken(f, ui::Diagrammart::Wiederholungen, 0), zeile(l.dm->Table_Ziehung_Wo_z));
        QCOMPARE(balken(f, ui::Diagrammart::Wiederholungen, 2), zeile(l.dm->Table_Ziehung_Ja_z));
        QCOMPARE(balken(f, ui::Diagrammart::Wiederholungen, 1),
                 liste(stats::Zufallsanteile_gezaehlt(
                     49, z, stats::Vergleichslaengen(d.Vorher, d.Vorher.size(), false))));
        QCOMPARE(balken(f, ui::Diagrammart::Wiederholungen, 3),
                 liste(stats::Zufallsanteile_gezaehlt(
                     49, z, stats::Vergleichslaengen(d.Vorher, d.Vorher.size(), true))));
    }
    // z = 1 in draws: only the first few dozen of 3,570 draws are left out for a number never
    // drawn before, so the shares are within 0.02 points of the hypergeometric formula
    // C(6, v) C(43, 6 − v) / C(49, 6).
    const double c496 = 13983816.0;
    const double formel[7] = {6096454 / c496, 5775588 / c496, 1851150 / c496, 246820 / c496,
                              13545 / c496,   258 / c496,     1 / c496};
    f->ComboBox_Wiederholung->setCurrentIndex(0);
    for (int v = 0; v <= 6; ++v)
        QVERIFY2(std::fabs(balken(f, ui::Diagrammart::Wiederholungen, 1)[v] - 100 * formel[v]) < 0.02,
                 qPrintable(QString::number(v)));

    // Sum bands: the Prozent of the fifteen Summe_Ru rows.
    QCOMPARE(balken(f, ui::Diagrammart::Summen, 0), spalte(l.dm->Table_Summe_Ru, "Prozent"));

    // Verlauf: one point per counted draw, ending at the count minus its expectation.
    f->ComboBox_Zahl->setCurrentIndex(12);
    QLineSeries* v = linie(f, ui::Diagrammart::Verlauf, QStringLiteral("Zahl 13"));
    QVERIFY(v);
    QCOMPARE(v->count(), 3570);
    QVERIFY(zd.Locate("Zahl", {13}));
    QVERIFY(std::fabs(v->at(v->count() - 1).y() - (zd.FieldByName("Haeufigkeit_Wo").AsFloat() - erwartet)) <
            1e-9);
}

void Diagramme::follows_the_selection_while_open() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.form->show();
    ui::TForm_Diagramme* f = l.form->Form_Diagramme;
    l.form->MenuItem_Diagramme->trigger();
    QCOMPARE(f->Daten().Woche, 11);
    const int aufbauten = f->Aufbauten();

    // A sort click recomputes the grid: the charts' data stay the same, nothing is rebuilt.
    l.form->RadioButton_Sortierung[1]->click();
    warten_bis_gezeichnet();
    QCOMPARE(f->Aufbauten(), aufbauten);

    l.woche_waehlen(5);
    warten_bis_gezeichnet();
    QCOMPARE(f->Daten().Woche, 5);
    QCOMPARE(f->Daten().Ziehungen, 3564);
    QCOMPARE(f->Aufbauten(), aufbauten + 1);
    QVERIFY(f->ChartView[0]->chart()->title().contains(QStringLiteral("vor Woche 5/2024")));

    // Another association: 45 numbers.
    l.form->DBLookupComboBox_Verband->waehlen(4);
    l.form->DBLookupComboBox_Verband->hidePopup();
    warten_bis_gezeichnet();
    QCOMPARE(f->Daten().Zahlen_bis, 45);
    QCOMPARE(f->ComboBox_Zahl->count(), 45);
    QCOMPARE(balken(f, ui::Diagrammart::Haeufigkeit, 0).size(), 45);

    // While closed it reads nothing; on opening again it shows the present selection.
    f->close();
    const int geschlossen = f->Aufbauten();
    l.woche_waehlen(8);
    warten_bis_gezeichnet();
    QCOMPARE(f->Aufbauten(), geschlossen);
    l.form->MenuItem_Diagramme->trigger();
    QCOMPARE(f->Daten().Woche, 8);

    // The database closes with the main window: the chart window goes too.
    l.dm->Schliessen();
    l.dm->Datenbank_Close();
    QVERIFY(!f->isVisible());
}

void Diagramme::without_draws_and_with_a_damaged_setting() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.form->show();
    ui::TForm_Diagramme* f = l.form->Form_Diagramme;
    l.form->MenuItem_Diagramme->trigger();
    auto zahlen_bis = [&](int n) {
        l.dm->Table_Lotto.Edit();
        l.dm->Table_Lotto.FieldByName("Zahlen_bis").SetInteger(n);
        l.dm->Table_Lotto.Post();
        warten_bis_gezeichnet();
    };
    // A damaged number range draws what it can and tests nothing; 99 is taken as 49.
    for (int n : {0, 3, 99}) {
        zahlen_bis(n);
        QCOMPARE(f->Daten().Zahlen_bis, std::min(n, 49));
        QCOMPARE(balken(f, ui::Diagrammart::Haeufigkeit, 0).size(), std::min(n, 49));
        QCOMPARE(f->Label_Satz[0]->text().startsWith(QStringLiteral("Die Abweichungen")), n == 99);
    }
    zahlen_bis(49);

    // The first week of the history: no draws before it.
    l.dm->Table_Wahl.Edit();
    l.dm->Table_Wahl.FieldByName("Jahr_aktuell").SetInteger(1955);
    l.dm->Table_Wahl.FieldByName("Woche_aktuell").SetInteger(40);
    l.dm->Auswahl_uebernehmen();
    warten_bis_gezeichnet();
    QCOMPARE(f->Daten().Ziehungen, 0);
    const QString keine =
        QStringLiteral("Vor der gewählten Woche liegen keine Ziehungen vor; ein Test ist nicht möglich.");
    QCOMPARE(f->Label_Satz[0]->text(), keine);
    QCOMPARE(f->Label_Satz[4]->text(), keine);
    QCOMPARE(linie(f, ui::Diagrammart::Verlauf, QStringLiteral("Zahl"))->count(), 0);
    for (int i = 0; i < ui::kAnzahl_Diagramme; ++i) QVERIFY(!f->ChartView[i]->grab().isNull());
}

void Diagramme::picture_and_print_of_the_shown_chart() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.form->show();
    ui::TForm_Diagramme* f = l.form->Form_Diagramme;
    l.form->MenuItem_Diagramme->trigger();
    f->resize(900, 650);
    QVERIFY(QTest::qWaitForWindowExposed(f));

    // The picture has the size the chart has on the screen.
    f->TabWidget_Diagramme->setCurrentIndex(3);
    const QString png = QString::fromStdString(l.dir.file("summen.png"));
    QVERIFY(ui::Ausfuehren(f, [&] { f->Bild_speichern(png); }));
    QCOMPARE(QImageReader(png).size(), f->ChartView[3]->size());
    const QString svg = QString::fromStdString(l.dir.file("summen.svg"));
    QVERIFY(ui::Ausfuehren(f, [&] { f->Bild_speichern(svg); }));
    QVERIFY(QFileInfo(svg).size() > 1000);
    // A wrong ending is reported, nothing written.
    QVERIFY(!ui::Ausfuehren(f, [&] { f->Bild_speichern(QString::fromStdString(l.dir.file("summen.gif"))); }));
    QVERIFY(l.meldungen.last().contains(QStringLiteral("PNG (.png) oder SVG (.svg)")));
    QVERIFY(!QFileInfo::exists(QString::fromStdString(l.dir.file("summen.gif"))));

    // Printing into a given PDF file.
    const fs::path pdf = l.dir.path() / "diagramm.pdf";
    f->Drucker_setzen([&] { return platform::Qt_Drucker::Pdf_Drucker(pdf); });
    const auto meldungen = l.meldungen.size();
    f->Button_Drucken->click();
    QVERIFY(platform::Pdf_vollstaendig(pdf));
    QCOMPARE(l.meldungen.size(), meldungen);

    // Without a printer the page goes into "Arbeit", as slips do, and the user is told.
    f->Drucker_setzen({});
    if (!platform::Qt_Drucker::Standarddrucker(l.dir.path(), 11, 2024)->Pdf_Ausgabe())
        QSKIP("Auf diesem Rechner ist ein Drucker eingerichtet; es würde wirklich gedruckt.");
    f->Button_Drucken->click();
    const fs::path arbeit = l.dir.path() / "Arbeit" / "Diagramm_summen_1.pdf";
    QVERIFY2(platform::Pdf_vollstaendig(arbeit), arbeit.c_str());
    QCOMPARE(l.meldungen.last(),
             QStringLiteral("Kein Drucker installiert! Das Diagramm wurde in die Datei ") +
                 QString::fromStdString(arbeit.string()) + QStringLiteral(" geschrieben."));
}

QTEST_MAIN(Diagramme)
#include "test_diagramme.moc"
