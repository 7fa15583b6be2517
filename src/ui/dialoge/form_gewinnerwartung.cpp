#include "ui/dialoge/form_gewinnerwartung.h"

#include "store/value.h"
#include "system/garantiebefehle_store.h"
#include "system/systembefehle_store.h"
#include "system/texte.h"
#include "ui/dialoge/dialog_platzieren.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_edit.h"
#include "ui/steuerelemente/db_grid.h"

#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pyra::ui {

namespace {

std::vector<Spalte> ergebnisspalten() {
    std::vector<Spalte> s;
    for (const char* hk : {"3_3", "3_4", "3_5", "3_6", "4_4", "4_5", "4_6", "5_5", "5_6"}) {
        QString titel = QString::fromLatin1(hk);
        titel.replace(QLatin1Char('_'), QLatin1Char('/'));
        Spalte sp;
        sp.feld = std::string("Gw_") + hk + "_Str";
        sp.titel = titel;
        sp.breite = 63;
        sp.ausrichtung = Qt::AlignCenter;
        sp.groesster_wert = QStringLiteral("100,0%");
        s.push_back(sp);
    }
    return s;
}

} // namespace

TForm_Gewinnerwartung::TForm_Gewinnerwartung(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Form_Gewinnerwartung"));
    setWindowTitle(QStringLiteral("  Gewinnerwartung"));
    setStatusTip(QStringLiteral("Gewinnerwartung"));
    setStyleSheet(QStringLiteral("QDialog#Form_Gewinnerwartung { background-color: #008080; }"));
    setFont(Schrift(13, true));
    // 26 pixels taller than the simulation alone needs: the line "exakt" sits under the grid; 30
    // more for the line "bis Reihe" at the foot.
    setFixedSize(620, 171);
    setModal(true);

    DBGrid_Gewinnerwartung = new DBGrid(ergebnisspalten(), std::string(), false, this);
    benennen(DBGrid_Gewinnerwartung, "DBGrid_Gewinnerwartung");
    DBGrid_Gewinnerwartung->Einzeilig();
    {
        QPalette p = DBGrid_Gewinnerwartung->palette();
        p.setColor(QPalette::Base, Farbe_Weiss);
        DBGrid_Gewinnerwartung->setPalette(p);
    }
    platzieren(DBGrid_Gewinnerwartung, 20, 16, 579, 44);

    DBEdit_Anzahl_Reihen = new DBEdit(this);
    benennen(DBEdit_Anzahl_Reihen, "DBEdit_Anzahl_Reihen",
             QStringLiteral("Anzahl simulierter Ziehungen zur Überprüfung der Gewinnerwartung"));
    DBEdit_Anzahl_Reihen->setAlignment(Qt::AlignCenter);
    DBEdit_Anzahl_Reihen->setMaxLength(10);
    platzieren(DBEdit_Anzahl_Reihen, 341, 103, 65, 24);

    BitBtn_OK = new QPushButton(QStringLiteral("OK"), this);
    benennen(BitBtn_OK, "BitBtn_OK", QStringLiteral("Beenden des Dialoges"));
    BitBtn_OK->setDefault(true);
    platzieren(BitBtn_OK, 456, 102, 105, 25);

    // The exact values, cell by cell under the grid's columns.
    Panel_Exakt = new QFrame(this);
    benennen(Panel_Exakt, "Panel_Exakt",
             QStringLiteral("Exakte Werte: alle möglichen Ziehungen statt simulierter gezählt"));
    Panel_Exakt->setStyleSheet(
        QStringLiteral("QFrame#Panel_Exakt { background-color: white; border: 1px solid "
                       "#808080; border-top: none; }"));
    platzieren(Panel_Exakt, 20, 60, 579, 22);
    for (int i = 0; i < 9; ++i) {
        auto* l = new QLabel(Panel_Exakt);
        benennen(l, ("Label_Exakt_" + std::to_string(i + 1)).c_str());
        l->setAlignment(Qt::AlignCenter);
        l->setStyleSheet(QStringLiteral("color: #000080;"));
        platzieren(l, 1 + 63 * i, 1, 63, 20);
        Label_Exakt[static_cast<std::size_t>(i)] = l;
    }
    Label_Exakt_Titel = new QLabel(QStringLiteral("Untere Zeile: exakt"), this);
    benennen(Label_Exakt_Titel, "Label_Exakt_Titel",
             QStringLiteral("Exakte Werte: alle möglichen Ziehungen statt simulierter gezählt"));
    platzieren(Label_Exakt_Titel, 20, 107, 300, 18);
    connect(BitBtn_OK, &QPushButton::clicked, this, &QDialog::accept);

    // Rows 1 to R take part; the player can choose R here and run again.
    const QString hinweis_bis = QStringLiteral("Gewinnerwartung für die Reihen 1 bis zu dieser Reihe");
    Label_bis_Reihe = new QLabel(QStringLiteral("bis Reihe"), this);
    benennen(Label_bis_Reihe, "Label_bis_Reihe", hinweis_bis);
    {
        QPalette p = Label_bis_Reihe->palette();
        p.setColor(QPalette::WindowText, Farbe_Weiss);
        Label_bis_Reihe->setPalette(p);
    }
    platzieren(Label_bis_Reihe, 20, 137);
    Edit_bis_Reihe = new QLineEdit(this);
    benennen(Edit_bis_Reihe, "Edit_bis_Reihe", hinweis_bis);
    Edit_bis_Reihe->setAlignment(Qt::AlignCenter);
    Edit_bis_Reihe->setMaxLength(4);
    platzieren(Edit_bis_Reihe, 104, 133, 45, 24);
    BitBtn_Berechnung = new QPushButton(QStringLiteral("Berechnen"), this);
    benennen(BitBtn_Berechnung, "BitBtn_Berechnung", QStringLiteral("Gewinnerwartung neu berechnen"));
    BitBtn_Berechnung->setAutoDefault(false);
    platzieren(BitBtn_Berechnung, 160, 132, 105, 25);
    connect(BitBtn_Berechnung, &QPushButton::clicked, this, [this] { BitBtn_BerechnungClick(); });
    connect(Edit_bis_Reihe, &QLineEdit::returnPressed, this, [this] { BitBtn_BerechnungClick(); });

    setTabOrder(DBGrid_Gewinnerwartung, Edit_bis_Reihe);
    setTabOrder(Edit_bis_Reihe, BitBtn_Berechnung);
    setTabOrder(BitBtn_Berechnung, DBEdit_Anzahl_Reihen);
    setTabOrder(DBEdit_Anzahl_Reihen, BitBtn_OK);
    Schrift_vererben(this);
    Eingabe_einpassen(Edit_bis_Reihe, QStringLiteral("750"));
    Eingabe_einpassen(DBEdit_Anzahl_Reihen, QStringLiteral("100000000"));
    Beschriftung_einpassen(Label_bis_Reihe, Edit_bis_Reihe->x() - Label_bis_Reihe->x() - 4);
}

void TForm_Gewinnerwartung::binden(data::DataModule_Lotto* dm) {
    dm_ = dm;
    DBGrid_Gewinnerwartung->quelle_setzen(dm ? &dm->DataSource_Gw_Erwartung : nullptr);
    DBEdit_Anzahl_Reihen->binden(dm ? &dm->DataSource_Lotto : nullptr, "Gewinnerwartung");
}

bool TForm_Gewinnerwartung::FormShow(QWidget* hauptfenster) {
    Dialog_platzieren(this, hauptfenster, QStringLiteral("TForm_Gewinnerwartung"));
    if (!dm_) return false;
    // The simulation uses the stored number of draws; a value still being typed waits for the
    // next show.
    return simulieren();
}

bool TForm_Gewinnerwartung::simulieren() {
    Sanduhr sanduhr;
    const system::Gewinnerwartung_Anzeige a = system::Gewinnerwartung_zeigen(*dm_);
    Edit_bis_Reihe->setText(QString::number(dm_->Table_Reihen.FieldByName("Reihe").AsInteger()));
    if (!a.Gestartet) return false;
    setWindowTitle(QString::fromStdString(a.Titel));
    // The exact values of the same rows 1..R, when they are the exact form of the simulated ones.
    const system::Garantiepruefung_Anzeige e = system::Garantiepruefung_Befehl(*dm_);
    const bool exakt = e.Pruefung.Exakt && !e.Fremde_Zahlen;
    for (std::size_t i = 0; i < 9; ++i) {
        const auto& w = e.Pruefung.Werte[i];
        // Written like the simulated values above ("99,9%"); never rounded up to 100 with a hole left.
        Label_Exakt[i]->setText(
            exakt ? QString::fromStdString(system::Prozent_Text(w.Abdeckung, w.Loecher == 0))
                        .remove(QLatin1Char(' '))
                  : QStringLiteral("-"));
        Label_Exakt[i]->setToolTip(
            exakt ? QStringLiteral("%1 von %2 Fällen nicht abgedeckt").arg(w.Loecher).arg(w.Auswahlen)
                  : QString());
    }
    Label_Exakt_Titel->setText(exakt             ? QStringLiteral("Untere Zeile: exakt")
                               : e.Fremde_Zahlen ? QStringLiteral("Reihen mit anderen Zahlen: nicht exakt")
                                                 : QStringLiteral("Zu viele Systemzahlen für exakte Werte"));
    return true;
}

void TForm_Gewinnerwartung::BitBtn_BerechnungClick() {
    if (!dm_) return;
    Ausfuehren(this, [this] {
        auto& reihen = dm_->Table_Reihen;
        const int anzahl = reihen.Active() ? static_cast<int>(reihen.RecordCount()) : 0;
        std::int64_t bis = 0;
        if (!store::parseInteger(Edit_bis_Reihe->text().toStdString(), bis) || bis < 1 || bis > anzahl ||
            !reihen.Locate("Reihe", {store::Value(static_cast<long long>(bis))})) {
            Meldung(this, QStringLiteral("Bitte eine Reihe von 1 bis %1 eingeben!").arg(anzahl));
            return;
        }
        simulieren();
    });
}

void TForm_Gewinnerwartung::zeigen(QWidget* hauptfenster) {
    // Without a simulation the dialog stays closed: it would show the values of an earlier run
    // under this system's caption.
    if (FormShow(hauptfenster)) exec();
}

void TForm_Gewinnerwartung::FormClose() {
    if (!dm_) return;
    if (DBEdit_Anzahl_Reihen->isModified()) DBEdit_Anzahl_Reihen->uebernehmen();
    Speichern_beim_Schliessen(this, dm_->Table_Lotto);
}

void TForm_Gewinnerwartung::done(int ergebnis) {
    FormClose();
    QDialog::done(ergebnis);
}

} // namespace pyra::ui
