#include "ui/dialoge/form_ziehung.h"

#include "data/ziehungseingabe.h"
#include "ui/dialoge/dialog_platzieren.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <optional>

namespace pyra::ui {

namespace {

const QString Titel_Entwurf = QStringLiteral("  Ziehungsergebnisse");
const QString Hinweis_Dialog =
    QStringLiteral("Anzeige, Eingabe der Ziehungsergebnisse und der Gewinnklassen");
constexpr int Spalte_Mal = 2; // third column of the prize grid

std::string zahlfeld(int i, const char* anhang = "") {
    return "Zahl_0" + std::to_string(i) + anhang;
}

Spalte spalte(const std::string& feld, const QString& titel, int breite, Qt::Alignment ausrichtung,
              Bearbeitung bearbeitung, const char* groesster_wert, std::optional<int> nachkommastellen = {}) {
    Spalte s;
    s.feld = feld;
    s.titel = titel;
    s.breite = breite;
    s.ausrichtung = ausrichtung;
    s.bearbeitung = bearbeitung;
    s.nachkommastellen = nachkommastellen;
    s.groesster_wert = QString::fromUtf8(groesster_wert);
    return s;
}

constexpr Qt::Alignment rechts = Qt::AlignRight | Qt::AlignVCenter;

std::vector<Spalte> ergebnisspalten() {
    std::vector<Spalte> s;
    // Week and year are the record's key: typed only for a week being added, so that a draw
    // never leaves its prize classes behind under another key.
    s.push_back(spalte("Woche", QStringLiteral("W"), 35, rechts, Bearbeitung::neue_zeile, "53"));
    s.push_back(spalte("Jahr", QStringLiteral("Jahr"), 48, rechts, Bearbeitung::neue_zeile, "2100"));
    for (int i = 1; i <= 6; ++i)
        s.push_back(spalte(zahlfeld(i), QString::number(i), 32, rechts, Bearbeitung::immer, "49"));
    s.push_back(spalte("Zusatzzahl", QStringLiteral("Z"), 31, rechts, Bearbeitung::immer, "49"));
    return s;
}

std::vector<Spalte> gewinnspalten() {
    // The widest values of the shipped quotas: more than a million winners of a class, prizes of
    // tens of millions.
    return {
        spalte("Rang", QStringLiteral("Rg"), 28, Qt::AlignCenter, Bearbeitung::immer, "13"),
        spalte("Anzahl", QStringLiteral("Anzahl"), 69, rechts, Bearbeitung::immer, "9999999"),
        spalte("Mal", QStringLiteral("x"), 12, Qt::AlignCenter, Bearbeitung::nie, "x"),
        spalte("Gewinn", QStringLiteral("Gewinn"), 89, rechts, Bearbeitung::immer, "99999999,99", 2),
    };
}

std::vector<Spalte> reihenfolgespalten() {
    std::vector<Spalte> s;
    for (int i = 1; i <= 6; ++i)
        s.push_back(
            spalte(zahlfeld(i, "_g"), QString::number(i), i % 2 ? 28 : 29, rechts, Bearbeitung::immer, "49"));
    return s;
}

} // namespace

void Ziehungszeile_pruefen(store::Table& t, int n) {
    if (t.State() == store::DataSetState::Insert) {
        store::Field woche = t.FieldByName("Woche");
        store::Field jahr = t.FieldByName("Jahr");
        // A key typed into a new row; an empty one is refused by the store.
        const int w = woche.IsNull() ? 1 : static_cast<int>(woche.AsInteger());
        const int j = jahr.IsNull() ? 1955 : static_cast<int>(jahr.AsInteger());
        if (std::string meldung = data::Spielwoche_pruefen(j, w); !meldung.empty())
            throw store::StoreError(meldung);
    }
    const data::Ziehungswerte werte = data::Ziehungswerte_lesen(t);
    if (std::string meldung = data::Ziehung_pruefen(werte, n); !meldung.empty())
        throw store::StoreError(meldung);

    // The numbers are stored ascending.
    if (werte.zahlen[0]) {
        std::array<int, 6> zahlen{};
        for (int i = 0; i < 6; ++i) zahlen[i] = *werte.zahlen[i];
        std::sort(zahlen.begin(), zahlen.end());
        for (int i = 0; i < 6; ++i) {
            store::Field f = t.FieldByName(zahlfeld(i + 1));
            if (f.AsInteger() != zahlen[i]) f.SetInteger(zahlen[i]);
        }
    }
}

TForm_Ziehung::TForm_Ziehung(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Form_Ziehung"));
    setWindowTitle(Titel_Entwurf);
    benennen(this, "Form_Ziehung", Hinweis_Dialog);
    setProperty("Hilfekontext", 100);
    setFont(Schrift(13, true));
    setFixedSize(620, 288);
    setModal(true);
    // Teal background (the program's style sheet gives dialogs a light one).
    setStyleSheet(QStringLiteral("QDialog#Form_Ziehung { background-color: #008080; }"));

    DBGrid_Ziehungsergebnisse = new DBGrid(ergebnisspalten(), "Jahr;Woche", false, this);
    benennen(DBGrid_Ziehungsergebnisse, "DBGrid_Ziehungsergebnisse",
             QStringLiteral("Ziehungsergebnisse sortiert"));
    platzieren(DBGrid_Ziehungsergebnisse, 8, 8, 328, 272);

    DBGrid_Gewinn = new DBGrid(gewinnspalten(), "Rang", false, this);
    benennen(DBGrid_Gewinn, "DBGrid_Gewinn", QStringLiteral("Eingabe/ Anzeige Gewinnränge"));
    platzieren(DBGrid_Gewinn, 348, 8, 220, 196);

    Label_Reihenfolge = new QLabel(QStringLiteral("gezogene Reihenfolge"), this);
    benennen(Label_Reihenfolge, "Label_Reihenfolge");
    {
        QPalette p = Label_Reihenfolge->palette();
        p.setColor(QPalette::WindowText, Farbe_Weiss);
        Label_Reihenfolge->setPalette(p);
    }
    platzieren(Label_Reihenfolge, 348, 208);

    DBGrid_Reihenfolge_gezogene_Zahlen = new DBGrid(reihenfolgespalten(), "Jahr;Woche", false, this);
    benennen(DBGrid_Reihenfolge_gezogene_Zahlen, "DBGrid_Reihenfolge_gezogene_Zahlen",
             QStringLiteral("Zahlen in gezogener Reihenfolge"));
    platzieren(DBGrid_Reihenfolge_gezogene_Zahlen, 348, 229, 192, 50);
    DBGrid_Reihenfolge_gezogene_Zahlen->Einzeilig();

    BitBtn_OK = new QPushButton(QStringLiteral("OK"), this);
    benennen(BitBtn_OK, "BitBtn_OK", QStringLiteral("Beenden des Dialoges"));
    platzieren(BitBtn_OK, 548, 255, 64, 25);
    connect(BitBtn_OK, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(DBGrid_Ziehungsergebnisse, DBGrid_Reihenfolge_gezogene_Zahlen);
    setTabOrder(DBGrid_Reihenfolge_gezogene_Zahlen, DBGrid_Gewinn);
    setTabOrder(DBGrid_Gewinn, BitBtn_OK);
    Schrift_vererben(this);
    Groesse_anpassen(this);
}

void TForm_Ziehung::binden(data::DataModule_Lotto* dm) {
    dm_ = dm;
    DBGrid_Ziehungsergebnisse->quelle_setzen(dm ? &dm->DataSource_Zahlen : nullptr);
    DBGrid_Reihenfolge_gezogene_Zahlen->quelle_setzen(dm ? &dm->DataSource_Zahlen : nullptr);
    DBGrid_Gewinn->quelle_setzen(dm ? &dm->DataSource_Gewinn : nullptr);
    // A draw row is checked before it is posted; a draw row and a prize row are never pending
    // at the same time, so that moving to another draw never has to post a prize row on its own.
    for (DBGrid* g : {DBGrid_Ziehungsergebnisse, DBGrid_Reihenfolge_gezogene_Zahlen}) {
        g->modell().vor_dem_speichern = [this](store::Table& t) {
            Ziehungszeile_pruefen(t, dm_ ? dm_->Zahlen_bis() : 0);
            if (dm_) dm_->globals.Statistik_neu_berechnen = true;
        };
        g->modell().vor_der_bearbeitung = [this] { return Gewinn_speichern(); };
    }
    DBGrid_Gewinn->modell().vor_der_bearbeitung = [this] { return Ziehung_speichern(); };
}

bool TForm_Ziehung::Ziehung_speichern() {
    return DBGrid_Ziehungsergebnisse->modell().zeile_speichern();
}

bool TForm_Ziehung::Gewinn_speichern() {
    return DBGrid_Gewinn->modell().zeile_speichern();
}

void TForm_Ziehung::FormShow(QWidget* hauptfenster, const QString& ziehungstext) {
    Dialog_platzieren(this, hauptfenster, QStringLiteral("TForm_Ziehung"));
    setWindowTitle(QStringLiteral("   Ziehungsergebnisse  (") + ziehungstext + QStringLiteral(")"));
    DBGrid_Gewinn->modell().titel_setzen(Spalte_Mal, QString());
    if (dm_ && dm_->Table_Zahlen.Active() && dm_->Table_Wahl.Active()) {
        // The dialog always opens on the selected week's draw.
        DBGrid_Ziehungsergebnisse->modell().zeile_verwerfen();
        DBGrid_Gewinn->modell().zeile_verwerfen();
        dm_->Table_Zahlen.Locate("Jahr;Woche", {dm_->Wahl("Jahr_aktuell"), dm_->Wahl("Woche_aktuell")});
    }
    DBGrid_Ziehungsergebnisse->setFocus(Qt::OtherFocusReason);
}

void TForm_Ziehung::zeigen(QWidget* hauptfenster, const QString& ziehungstext) {
    FormShow(hauptfenster, ziehungstext);
    exec();
}

bool TForm_Ziehung::FormClose() {
    if (!dm_) return true;
    dm_->globals.Statistik_neu_berechnen = true;
    // A row still being added is saved as well, so that typed input is not lost.
    return Ziehung_speichern() && Gewinn_speichern();
}

void TForm_Ziehung::keyPressEvent(QKeyEvent* e) {
    // Escape drops input that was refused or is still pending, wherever the focus is; the dialog
    // stays open on the stored values. Without such input it closes the dialog.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier && Eingabe_ausstehend()) {
        Eingabe_verwerfen();
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool TForm_Ziehung::Eingabe_ausstehend() const {
    return DBGrid_Ziehungsergebnisse->modell().ausstehend() || DBGrid_Gewinn->modell().ausstehend();
}

void TForm_Ziehung::Eingabe_verwerfen() {
    DBGrid_Ziehungsergebnisse->modell().zeile_verwerfen();
    DBGrid_Gewinn->modell().zeile_verwerfen();
    DBGrid_Ziehungsergebnisse->setFocus(Qt::OtherFocusReason);
}

void TForm_Ziehung::done(int ergebnis) {
    if (!FormClose()) return; // the refused row stays for correction (Escape in the grid drops it)
    QDialog::done(ergebnis);
}

} // namespace pyra::ui
