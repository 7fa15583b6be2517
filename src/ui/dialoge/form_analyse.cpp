#include "ui/dialoge/form_analyse.h"

#include "data/datum.h"
#include "stats/analyse_store.h"
#include "ui/dialoge/dialog_platzieren.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_edit.h"
#include "ui/steuerelemente/db_grid.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>

#include <cstdio>

namespace pyra::ui {

namespace {

const QString Hinweis_Woche = QStringLiteral("Analyse des Wiederauftretens von Zahlen / Woche ");
const QString Hinweis_Jahr = QStringLiteral("Analyse des Wiederauftretens von Zahlen / Jahr");

// Shows the percentages with one decimal ("0.0"), with the decimal separator of the program's
// other number texts; empty fields stay empty.
class Prozentformat : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& wert, const QLocale& locale) const override {
        const QString text = wert.toString();
        bool zahl = false;
        const double d = text.toDouble(&zahl);
        if (!zahl) return QStyledItemDelegate::displayText(wert, locale);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.1f", d);
        QString s = QString::fromLatin1(buf);
        s.replace(QLatin1Char('.'), QLatin1Char(data::Dezimaltrennzeichen()));
        return s;
    }
};

const char* const Prozentfelder[] = {"0_Zahlen", "1_Zahl",   "2_Zahlen", "3_Zahlen",
                                     "4_Zahlen", "5_Zahlen", "6_Zahlen"};

Spalte spalte(const char* feld, const QString& titel, int breite, Qt::Alignment ausrichtung,
              const char* groesster_wert, std::optional<QColor> hintergrund = {}) {
    Spalte s;
    s.groesster_wert = QString::fromUtf8(groesster_wert);
    s.feld = feld;
    s.titel = titel;
    s.breite = breite;
    s.ausrichtung = ausrichtung;
    s.hintergrund = hintergrund;
    return s;
}

constexpr Qt::Alignment rechts = Qt::AlignRight | Qt::AlignVCenter;

std::vector<Spalte> wiederholungsspalten(const char* zeilenfeld) {
    std::vector<Spalte> s;
    s.push_back(spalte(zeilenfeld, QStringLiteral("Zh"), 30, Qt::AlignCenter, "99"));
    for (int v = 0; v <= 6; ++v)
        s.push_back(spalte(Prozentfelder[v], QStringLiteral("%1 %").arg(v), 42, rechts, "100,0"));
    return s;
}

std::vector<Spalte> summenspalten() {
    return {spalte("Von", QStringLiteral("von"), 38, rechts, "150"),
            spalte("Bis", QStringLiteral("bis"), 38, rechts, "150"),
            spalte("Prozent", QStringLiteral("%"), 48, rechts, "100,0")};
}

// A read-only grid of the dialog; the percentage columns from `erste_prozentspalte` on get the
// one-decimal format.
DBGrid* gitter(QWidget* eltern, std::vector<Spalte> spalten, const std::string& schluessel,
               int erste_prozentspalte, const char* name, const QString& hinweis) {
    const int n = static_cast<int>(spalten.size());
    auto* g = new DBGrid(std::move(spalten), schluessel, true, eltern);
    benennen(g, name, hinweis);
    auto* format = new Prozentformat(g);
    for (int i = erste_prozentspalte; i < n; ++i) g->setItemDelegateForColumn(i, format);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return g;
}

// The picture of the calculation button: three bars of a distribution.
QIcon Berechnungsbild() {
    QPixmap bild(24, 24);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1f, 0x2d, 0x36), 1));
    p.drawLine(3, 21, 21, 21);
    const int hoehen[] = {8, 15, 11};
    const QColor farben[] = {QColor(0x2e, 0x8b, 0x57), Farbe_Teal, QColor(0x8f, 0xb9, 0xa2)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(farben[i]);
        p.drawRect(QRectF(4.5 + i * 6, 20.5 - hoehen[i], 4, hoehen[i]));
    }
    return QIcon(bild);
}

QLabel* beschriftung(QWidget* eltern, const QString& text, const char* name, const QString& hinweis,
                     int links, int oben) {
    auto* l = new QLabel(text, eltern);
    benennen(l, name, hinweis);
    platzieren(l, links, oben);
    return l;
}

DBEdit* schwelle(QWidget* eltern, const char* name, const QString& hinweis, int links, int oben) {
    auto* e = new DBEdit(eltern);
    benennen(e, name, hinweis);
    e->setAlignment(Qt::AlignCenter);
    e->setMaxLength(4);
    platzieren(e, links, oben, 33, 22);
    return e;
}

} // namespace

TForm_Analyse::TForm_Analyse(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Form_Analyse"));
    setWindowTitle(QStringLiteral("  Optionen Analyse"));
    setStatusTip(QStringLiteral("Analyse bisheriger Ziehungen und Optionen für die Systemerstellung"));
    setStyleSheet(QStringLiteral("QDialog#Form_Analyse { background-color: #008080; }"));
    setFont(Schrift(13, true));
    setFixedSize(530, 387);
    setModal(true);

    // Created in tab order: the three grids, the thresholds, the calculation button, OK.
    Label_Woche = beschriftung(this, QStringLiteral("Woche"), "Label_Woche", Hinweis_Woche, 16, 3);
    DBGrid_Woche = gitter(this, wiederholungsspalten("Woche_z"), "Woche_z", 1, "DBGrid_Woche", Hinweis_Woche);
    DBGrid_Woche->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    platzieren(DBGrid_Woche, 16, 20, 328, 156);

    Label_Jahr = beschriftung(this, QStringLiteral("Jahr"), "Label_Jahr", Hinweis_Jahr, 16, 181);
    DBGrid_Jahr = gitter(this, wiederholungsspalten("Jahr_z"), "Jahr_z", 1, "DBGrid_Jahr", Hinweis_Jahr);
    DBGrid_Jahr->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    platzieren(DBGrid_Jahr, 16, 198, 328, 156);

    Label_Summe = beschriftung(this, QStringLiteral("Summe"), "Label_Summe", QString(), 366, 3);
    DBGrid_Summe = gitter(this, summenspalten(), "Von;Bis", 2, "DBGrid_Summe",
                          QStringLiteral("Summe Rückständigkeit der Zahlen einer Ziehung"));
    platzieren(DBGrid_Summe, 366, 20, 148, 334);

    const QString hinweis_wo = QStringLiteral("Woche filtern");
    const QString hinweis_ja = QStringLiteral("Jahr filtern");
    const QString hinweis_su = QStringLiteral("Summe Rückständigkeit filtern");
    Label_Prozent_Wo = beschriftung(this, QStringLiteral("% Wo"), "Label_Prozent_Wo", hinweis_wo, 16, 364);
    DBEdit_Prozent_Wo = schwelle(this, "DBEdit_Prozent_Wo", hinweis_wo, 58, 360);
    Label_Prozent_Jahr =
        beschriftung(this, QStringLiteral("% Ja"), "Label_Prozent_Jahr", hinweis_ja, 112, 364);
    DBEdit_Prozent_Jahr = schwelle(this, "DBEdit_Prozent_Jahr", hinweis_ja, 148, 360);
    Label_Prozent_Summe =
        beschriftung(this, QStringLiteral("% Su"), "Label_Prozent_Summe", hinweis_su, 202, 364);
    DBEdit_Prozent_Summe = schwelle(this, "DBEdit_Prozent_Summe", hinweis_su, 240, 360);

    BitBtn_Berechnung = new QPushButton(this);
    benennen(BitBtn_Berechnung, "BitBtn_Berechnung", QStringLiteral("Berechnung der Analysewerte"));
    BitBtn_Berechnung->setIcon(Berechnungsbild());
    BitBtn_Berechnung->setIconSize(QSize(24, 24));
    BitBtn_Berechnung->setAutoDefault(false);
    platzieren(BitBtn_Berechnung, 366, 358, 44, 26);
    connect(BitBtn_Berechnung, &QPushButton::clicked, this, [this] { BitBtn_BerechnungClick(); });

    BitBtn_OK = new QPushButton(QStringLiteral("OK"), this);
    benennen(BitBtn_OK, "BitBtn_OK", QStringLiteral("Beenden des Dialoges"));
    BitBtn_OK->setDefault(true);
    platzieren(BitBtn_OK, 420, 359, 94, 25);
    connect(BitBtn_OK, &QPushButton::clicked, this, &QDialog::accept);

    QWidget* reihenfolge[] = {DBGrid_Woche,        DBGrid_Jahr,          DBGrid_Summe,      DBEdit_Prozent_Wo,
                              DBEdit_Prozent_Jahr, DBEdit_Prozent_Summe, BitBtn_Berechnung, BitBtn_OK};
    for (std::size_t i = 1; i < std::size(reihenfolge); ++i) setTabOrder(reihenfolge[i - 1], reihenfolge[i]);

    Schrift_vererben(this);
    for (DBEdit* e : {DBEdit_Prozent_Wo, DBEdit_Prozent_Jahr, DBEdit_Prozent_Summe})
        Eingabe_einpassen(e, QStringLiteral("100"));
    Groesse_anpassen(this);
}

void TForm_Analyse::binden(data::DataModule_Lotto* dm) {
    dm_ = dm;
    DBGrid_Woche->quelle_setzen(dm ? &dm->DataSource_Ziehung_Wo_z : nullptr);
    DBGrid_Jahr->quelle_setzen(dm ? &dm->DataSource_Ziehung_Ja_z : nullptr);
    DBGrid_Summe->quelle_setzen(dm ? &dm->DataSource_Summe_Ru : nullptr);
    DBEdit_Prozent_Wo->binden(dm ? &dm->DataSource_Optionen_2 : nullptr, "Prozent_Woche");
    DBEdit_Prozent_Jahr->binden(dm ? &dm->DataSource_Optionen_2 : nullptr, "Prozent_Jahr");
    DBEdit_Prozent_Summe->binden(dm ? &dm->DataSource_Optionen_2 : nullptr, "Prozent_Summe");
    if (dm) Optionen(dm->fenster.eingaben_analyse);
}

void TForm_Analyse::FormShow(QWidget* hauptfenster) {
    Dialog_platzieren(this, hauptfenster, QStringLiteral("TForm_Analyse"));
    if (!dm_) return;
    Optionen(dm_->fenster.eingaben_analyse);
    // Showing computes nothing: the grids show the last calculation for this association and
    // draw day; only missing rows are created.
    stats::Analyse_Zeilen_anlegen(*dm_);
}

void TForm_Analyse::zeigen(QWidget* hauptfenster) {
    FormShow(hauptfenster);
    exec();
}

void TForm_Analyse::BitBtn_BerechnungClick() {
    if (!dm_) return;
    BitBtn_Berechnung->setCursor(Qt::BusyCursor);
    BitBtn_Berechnung->repaint();
    auto normal = [this] {
        BitBtn_Berechnung->unsetCursor();
        BitBtn_Berechnung->repaint();
    };
    // Errors are caught by the calculation itself: the tables keep what was written up to the
    // error and no message is shown; the button gets its cursor back either way.
    try {
        stats::Analyse_berechnen(*dm_, [&] {
            normal();
            Meldung(this, QString::fromUtf8(stats::kMeldung_Analyse_berechnet));
        });
    } catch (...) {
        normal();
        throw;
    }
    normal();
}

void TForm_Analyse::Optionen(bool enabled) {
    for (DBEdit* e : {DBEdit_Prozent_Wo, DBEdit_Prozent_Jahr, DBEdit_Prozent_Summe}) e->setEnabled(enabled);
}

void TForm_Analyse::FormClose() {
    if (!dm_) return;
    // A value still in a field that has the focus is written before the records are saved.
    for (DBEdit* e : {DBEdit_Prozent_Wo, DBEdit_Prozent_Jahr, DBEdit_Prozent_Summe})
        if (e->isModified()) e->uebernehmen();
    for (store::Table* t :
         {&dm_->Table_Optionen_2, &dm_->Table_Ziehung_Ja_z, &dm_->Table_Ziehung_Wo_z, &dm_->Table_Summe_Ru})
        Speichern_beim_Schliessen(this, *t);
}

void TForm_Analyse::done(int ergebnis) {
    FormClose();
    QDialog::done(ergebnis);
}

} // namespace pyra::ui
