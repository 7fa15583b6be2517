#include "ui/dialoge/form_gewinnerwartung.h"

#include "system/systembefehle_store.h"
#include "ui/dialoge/dialog_platzieren.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_edit.h"
#include "ui/steuerelemente/db_grid.h"

#include <QApplication>
#include <QHeaderView>
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
    setFixedSize(620, 115);
    setModal(true);

    DBGrid_Gewinnerwartung = new DBGrid(ergebnisspalten(), std::string(), false, this);
    benennen(DBGrid_Gewinnerwartung, "DBGrid_Gewinnerwartung");
    DBGrid_Gewinnerwartung->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBGrid_Gewinnerwartung->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
    platzieren(DBEdit_Anzahl_Reihen, 341, 77, 65, 24);

    BitBtn_OK = new QPushButton(QStringLiteral("OK"), this);
    benennen(BitBtn_OK, "BitBtn_OK", QStringLiteral("Beenden des Dialoges"));
    BitBtn_OK->setDefault(true);
    platzieren(BitBtn_OK, 456, 76, 105, 25);
    connect(BitBtn_OK, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(DBGrid_Gewinnerwartung, DBEdit_Anzahl_Reihen);
    setTabOrder(DBEdit_Anzahl_Reihen, BitBtn_OK);
    Schrift_vererben(this);
}

void TForm_Gewinnerwartung::binden(data::DataModule_Lotto* dm) {
    dm_ = dm;
    DBGrid_Gewinnerwartung->quelle_setzen(dm ? &dm->DataSource_Gw_Erwartung : nullptr);
    DBEdit_Anzahl_Reihen->binden(dm ? &dm->DataSource_Lotto : nullptr, "Gewinnerwartung");
}

bool TForm_Gewinnerwartung::FormShow(QWidget* hauptfenster) {
    Dialog_platzieren(this, hauptfenster, QStringLiteral("TForm_Gewinnerwartung"));
    if (!dm_) return false;
    Sanduhr sanduhr;
    // The simulation uses the stored number of draws; a value still being typed waits for the
    // next show.
    const system::Gewinnerwartung_Anzeige a = system::Gewinnerwartung_zeigen(*dm_);
    if (!a.Gestartet) return false;
    setWindowTitle(QString::fromStdString(a.Titel));
    return true;
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
