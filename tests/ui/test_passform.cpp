// The windows as the platform of the run draws them: offscreen, and in CI on a real X server
// (QT_QPA_PLATFORM=xcb under xvfb-run) at the scale factors 1 and 1.5, where the fonts have the
// metrics a player sees. In every window each caption fits its control, each control lies inside
// its parent, each box shows its largest value, each grid column its widest value, and the grids
// show their columns (and the rows the layout has room for) without scroll bars.

#include "data/standarddatenbank.h"
#include "lauf.h"
#include "ui/dialoge/form_analyse.h"
#include "ui/dialoge/form_ascii.h"
#include "ui/dialoge/form_copyright.h"
#include "ui/dialoge/form_druck.h"
#include "ui/dialoge/form_druckeinstellung.h"
#include "ui/dialoge/form_export.h"
#include "ui/dialoge/form_gewinnerwartung.h"
#include "ui/dialoge/form_kuerzung.h"
#include "ui/dialoge/form_zahlen_quoten_einlesen.h"
#include "ui/dialoge/form_zahlentipp.h"
#include "ui/dialoge/form_ziehung.h"
#include "ui/gemeinsam/anwendung.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/hauptfenster/kernanbindung.h"
#include "ui/steuerelemente/db_grid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStyledItemDelegate>
#include <QtTest>

#include <algorithm>
#include <utility>
#include <vector>

using namespace pyra;
using test::Lauf;

namespace {

// The controls of the layout carry the names of the windows' tables; what Qt adds inside them
// (scroll bars, headers, cell editors) does not.
const QStringList Vorsilben = {
    "Label_",    "DBEdit_",      "Edit_",    "BitBtn_",  "SpeedButton_",      "DBCheckBox_",
    "CheckBox_", "RadioButton_", "DBGrid_",  "ListBox_", "DBLookupComboBox_", "Image_",
    "Panel_",    "Bevel_",       "GroupBox_"};

bool steuerelement(const QWidget* w) {
    for (const QString& v : Vorsilben)
        if (w->objectName().startsWith(v)) return true;
    return false;
}

QString name(const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

// The room in which a text box draws its text, measured the way QLineEdit paints.
QRect textflaeche(const QLineEdit* e) {
    QStyleOptionFrame o;
    o.initFrom(e);
    o.rect = e->contentsRect();
    o.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &o, e) : 0;
    o.midLineWidth = 0;
    o.state |= QStyle::State_Sunken;
    o.features = QStyleOptionFrame::None;
    const QRect r =
        e->style()->subElementRect(QStyle::SE_LineEditContents, &o, e).marginsRemoved(e->textMargins());
    return r.adjusted(2, 0, -2, 0); // QLineEdit's own margin on either side
}

struct Passform {
    QStringList fehler;

    void pruefen(bool gut, const QString& was) {
        if (!gut) fehler << was;
    }

    // Captions fit their controls; every control of the layout lies inside its parent.
    void steuerelemente(QWidget* fenster) {
        for (QWidget* w : fenster->findChildren<QWidget*>()) {
            if (!steuerelement(w) || !w->isVisibleTo(fenster) || w->window() != fenster) continue;
            const QRect innen = w->parentWidget()->rect();
            pruefen(innen.contains(w->geometry()),
                    QStringLiteral("%1 ragt aus %2 heraus").arg(name(w), name(w->parentWidget())));
            const QFontMetrics fm(w->font());
            if (auto* l = qobject_cast<QLabel*>(w); l && l->pixmap().isNull() && !l->text().isEmpty()) {
                const int breite = l->contentsRect().width() - 2 * l->margin();
                pruefen(fm.horizontalAdvance(l->text()) <= breite,
                        QStringLiteral("%1: \"%2\" ist breiter als das Feld").arg(name(l), l->text()));
            } else if (auto* k = qobject_cast<QCheckBox*>(w)) {
                pruefen(k->sizeHint().width() <= k->width(),
                        QStringLiteral("%1: \"%2\" passt nicht").arg(name(k), k->text()));
            } else if (auto* r = qobject_cast<QRadioButton*>(w)) {
                pruefen(r->sizeHint().width() <= r->width(),
                        QStringLiteral("%1: \"%2\" passt nicht").arg(name(r), r->text()));
            } else if (auto* b = qobject_cast<QPushButton*>(w); b && !b->text().isEmpty()) {
                // The style sheet's border and padding take 11 pixels on either side.
                pruefen(fm.horizontalAdvance(b->text()) <= b->width() - 22,
                        QStringLiteral("%1: \"%2\" passt nicht").arg(name(b), b->text()));
            }
        }
    }

    // Each box shows its largest value whole.
    void eingaben(const std::vector<std::pair<QLineEdit*, QString>>& tabelle) {
        for (const auto& [e, wert] : tabelle) {
            const QRect r = textflaeche(e);
            const QFontMetrics fm(e->font());
            pruefen(fm.horizontalAdvance(wert) <= r.width() && fm.height() <= r.height() + 2,
                    QStringLiteral("%1 zeigt %2 nicht ganz (%3 Pixel für %4)")
                        .arg(name(e), wert)
                        .arg(r.width())
                        .arg(fm.horizontalAdvance(wert)));
        }
    }

    // The grid's columns are all in view and their widest values and titles fit; `zeilen` rows
    // (from the first one shown; -1: all) are in view whole. Without `blaettern` no scroll bar
    // shows.
    void gitter(ui::DBGrid* g, int zeilen, bool blaettern = false) {
        if (zeilen < 0) zeilen = g->model()->rowCount();
        const auto& spalten = g->modell().spalten();
        int summe = 0;
        for (int i = 0; i < static_cast<int>(spalten.size()); ++i) {
            const ui::Spalte& s = spalten[static_cast<std::size_t>(i)];
            pruefen(g->columnWidth(i) == s.breite, QStringLiteral("%1: Spalte %2 ist %3 statt %4 breit")
                                                       .arg(name(g), s.titel)
                                                       .arg(g->columnWidth(i))
                                                       .arg(s.breite));
            summe += g->columnWidth(i);
            if (!s.groesster_wert.isEmpty()) {
                const QFontMetrics fm(g->modell().Zellenschrift(i));
                pruefen(fm.horizontalAdvance(s.groesster_wert) <= g->Textbreite_der_Spalte(i),
                        QStringLiteral("%1: %2 passt nicht in Spalte %3")
                            .arg(name(g), s.groesster_wert, s.titel));
                // The values shown now, as the cell draws them, fit as well.
                for (int z = 0; z < std::min(g->model()->rowCount(), 60); ++z) {
                    const QModelIndex zelle = g->model()->index(z, i);
                    auto* d = qobject_cast<QStyledItemDelegate*>(g->itemDelegateForIndex(zelle));
                    const QString text =
                        d ? d->displayText(zelle.data(), g->locale()) : zelle.data().toString();
                    pruefen(
                        fm.horizontalAdvance(text) <= g->Textbreite_der_Spalte(i),
                        QStringLiteral("%1: \"%2\" passt nicht in Spalte %3").arg(name(g), text, s.titel));
                }
            }
            QFont kopf = g->horizontalHeader()->font();
            kopf.setBold(true);
            pruefen(QFontMetrics(kopf).horizontalAdvance(s.titel) <= g->columnWidth(i) - 2,
                    QStringLiteral("%1: Titel %2 passt nicht").arg(name(g), s.titel));
        }
        pruefen(summe <= g->viewport()->width(), QStringLiteral("%1: %2 Pixel Spalten in %3 Pixeln")
                                                     .arg(name(g))
                                                     .arg(summe)
                                                     .arg(g->viewport()->width()));
        pruefen(!g->horizontalScrollBar()->isVisible(),
                name(g) + QStringLiteral(": waagrechte Bildlaufleiste"));
        if (!blaettern)
            pruefen(!g->verticalScrollBar()->isVisible(),
                    name(g) + QStringLiteral(": senkrechte Bildlaufleiste"));
        if (zeilen == 0) return;
        const int erste = g->rowAt(0);
        pruefen(g->model()->rowCount() >= zeilen && erste >= 0,
                QStringLiteral("%1: %2 Zeilen erwartet, %3 da")
                    .arg(name(g))
                    .arg(zeilen)
                    .arg(g->model()->rowCount()));
        for (int z = erste; z >= 0 && z < erste + zeilen; ++z) {
            const int oben = g->rowViewportPosition(z);
            pruefen(oben >= 0 && oben + g->rowHeight(z) <= g->viewport()->height(),
                    QStringLiteral("%1: Zeile %2 ist nicht ganz zu sehen").arg(name(g)).arg(z + 1));
        }
    }
};

// Shows a window as the player sees it (not modal, so that the test goes on).
void zeigen(QWidget* w) {
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCoreApplication::processEvents();
}

#define PASSFORM_PRUEFEN(p) QVERIFY2((p).fehler.isEmpty(), qPrintable((p).fehler.join(QStringLiteral("\n"))))

void markieren(Lauf& l, std::initializer_list<int> zahlen) {
    auto& o = l.dm->Table_Optionen;
    o.Edit();
    for (int z : zahlen) o.FieldByName(data::Feldname("Checkbox_", z)).SetString("t");
    o.Post();
}

} // namespace

class Passform_Test : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void main_window_fits();
    void draw_window_fits();
    void number_tip_window_fits();
    void expected_winnings_window_fits();
    void reduction_window_fits();
    void analysis_window_fits();
    void print_window_fits();
    void print_settings_window_fits();
    void text_file_window_fits();
    void export_window_fits();
    void import_window_fits();
    void copyright_window_fits();

  private:
    test::TempDir vorlage_;
};

void Passform_Test::initTestCase() {
    // The program's style sheet decides the room of every box; the fit is measured with it.
    QCOMPARE(ui::Stil_anwenden(*qApp), QString());
    QVERIFY(data::Standarddatenbank_anlegen(vorlage_.dir(), {2024, 3, 14},
                                            ui::kern::Standarddatenbank_nachbereiten()));
}

void Passform_Test::main_window_fits() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    // A reduction of 12 rows, evaluated: the grid shows rows, hits and no scroll bar.
    l.reihen_anlegen(12);
    l.dm->Auswahl_uebernehmen();
    zeigen(l.form.get());
    Passform p;
    p.steuerelemente(l.form.get());
    p.eingaben({{l.form->Edit_Reihen_Gesamt, QStringLiteral("750")},
                {l.form->DBEdit_Reihen, QStringLiteral("750")},
                {l.form->DBEdit_Zahlen, QStringLiteral("49")},
                {l.form->DBEdit_Bankzahl[0], QStringLiteral("49")},
                {l.form->DBEdit_Bankzahl[1], QStringLiteral("49")},
                {l.form->DBEdit_Bankzahl[2], QStringLiteral("49")}});
    p.gitter(l.form->DBGrid_Reihen_Kuerzung, 12);
    p.gitter(l.form->DBGrid_Zahlen, 20, true); // 49 rows: the grid scrolls
    PASSFORM_PRUEFEN(p);
}

void Passform_Test::draw_window_fits() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Ziehung;
    d->FormShow(l.form.get(), QStringLiteral("Sa/So"));
    zeigen(d);
    Passform p;
    p.steuerelemente(d);
    p.gitter(d->DBGrid_Ziehungsergebnisse, 10, true);
    p.gitter(d->DBGrid_Gewinn, 0, true);
    // The drawn order of the draw under the cursor: its one row in full view.
    p.gitter(d->DBGrid_Reihenfolge_gezogene_Zahlen, 1);
    QCOMPARE(d->DBGrid_Reihenfolge_gezogene_Zahlen->rowAt(0),
             d->DBGrid_Reihenfolge_gezogene_Zahlen->modell().aktuelle_zeile());
    d->hide();
    PASSFORM_PRUEFEN(p);
}

void Passform_Test::number_tip_window_fits() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Zahlentipp;
    zeigen(d);
    Passform p;
    p.steuerelemente(d);
    p.gitter(d->DBGrid_Zahlentipp, 0); // no tip computed for the week yet
    d->hide();
    PASSFORM_PRUEFEN(p);
}

void Passform_Test::expected_winnings_window_fits() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    markieren(l, {3, 7, 12, 16, 19, 23, 27, 31, 35});
    l.reihen_anlegen(12);
    l.dm->Auswahl_uebernehmen();
    auto* d = l.form->Form_Gewinnerwartung;
    QVERIFY(d->FormShow(l.form.get()));
    zeigen(d);
    Passform p;
    p.steuerelemente(d);
    p.eingaben(
        {{d->Edit_bis_Reihe, QStringLiteral("750")}, {d->DBEdit_Anzahl_Reihen, QStringLiteral("100000000")}});
    p.gitter(d->DBGrid_Gewinnerwartung, 1);
    d->hide();
    PASSFORM_PRUEFEN(p);
}

void Passform_Test::reduction_window_fits() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Kuerzung;
    zeigen(d);
    Passform p;
    p.steuerelemente(d);
    p.eingaben({{d->DBEdit_Endziffer, QStringLiteral("6")},
                {d->DBEdit_Zehner, QStringLiteral("6")},
                {d->DBEdit_7er, QStringLiteral("6")},
                {d->DBEdit_7er_vt, QStringLiteral("6")},
                {d->DBEdit_Summe_von, QStringLiteral("279")},
                {d->DBEdit_Summe_bis, QStringLiteral("279")}});
    d->hide();
    PASSFORM_PRUEFEN(p);
}

void Passform_Test::analysis_window_fits() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Analyse;
    zeigen(d);
    Passform p;
    p.steuerelemente(d);
    p.eingaben({{d->DBEdit_Prozent_Wo, QStringLiteral("100")},
                {d->DBEdit_Prozent_Jahr, QStringLiteral("100")},
                {d->DBEdit_Prozent_Summe, QStringLiteral("100")}});
    p.gitter(d->DBGrid_Woche, -1);
    p.gitter(d->DBGrid_Jahr, -1);
    p.gitter(d->DBGrid_Summe, 10, true);
    d->hide();
    PASSFORM_PRUEFEN(p);
}

void Passform_Test::print_window_fits() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Druck;
    d->vorbereiten(l.form.get());
    zeigen(d);
    Passform p;
    p.steuerelemente(d);
    // 250 slips of 12 rows.
    p.eingaben({{d->Edit_Reihe_von, QStringLiteral("3000")}, {d->Edit_Reihe_bis, QStringLiteral("3000")}});
    d->hide();
    PASSFORM_PRUEFEN(p);
}

void Passform_Test::print_settings_window_fits() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Druckeinstellung;
    d->vorbereiten(l.form.get(), QStringLiteral("Deutschland"));
    zeigen(d);
    Passform p;
    p.steuerelemente(d);
    p.eingaben({{d->DBEdit_Abstand_links_innerhalb, QStringLiteral("99,99")},
                {d->DBEdit_Abstand_oben_innerhalb, QStringLiteral("99,99")},
                {d->DBEdit_Schriftgroesse, QStringLiteral("99")}});
    d->hide();
    PASSFORM_PRUEFEN(p);
}

void Passform_Test::text_file_window_fits() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_ASCII;
    d->vorbereiten(l.form.get());
    zeigen(d);
    Passform p;
    p.steuerelemente(d);
    p.eingaben({{d->Edit_Reihe_bis, QStringLiteral("3000")}, {d->Edit_Trennzeichen, QStringLiteral(" ; ")}});
    d->hide();
    PASSFORM_PRUEFEN(p);
}

void Passform_Test::export_window_fits() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Export;
    zeigen(d);
    Passform p;
    p.steuerelemente(d);
    p.eingaben({{d->DBEdit_Woche, QStringLiteral("53")}, {d->DBEdit_Jahr, QStringLiteral("2100")}});
    d->hide();
    PASSFORM_PRUEFEN(p);
}

void Passform_Test::import_window_fits() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Zahlen_Quoten_einlesen;
    zeigen(d);
    Passform p;
    p.steuerelemente(d);
    p.eingaben({{d->DBEdit_Woche_von, QStringLiteral("53")},
                {d->DBEdit_Woche_bis, QStringLiteral("53")},
                {d->DBEdit_Jahr, QStringLiteral("2100")}});
    d->hide();
    PASSFORM_PRUEFEN(p);
}

void Passform_Test::copyright_window_fits() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    auto* d = l.form->Form_Copyright;
    d->vorbereiten(l.dm.get(), l.form.get());
    zeigen(d);
    Passform p;
    p.steuerelemente(d);
    d->hide();
    PASSFORM_PRUEFEN(p);
}

QTEST_MAIN(Passform_Test)
#include "test_passform.moc"
