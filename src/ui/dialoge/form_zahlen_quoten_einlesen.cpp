#include "ui/dialoge/form_zahlen_quoten_einlesen.h"

#include "maintenance/zahlen_quoten_einlesen.h"
#include "maintenance/zellenleser.h"
#include "ui/dialoge/dialog_platzieren.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_edit.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace pyra::ui {

TForm_Zahlen_Quoten_einlesen::TForm_Zahlen_Quoten_einlesen(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Form_Zahlen_Quoten_einlesen"));
    setWindowTitle(QStringLiteral("  Zahlen, Quoten einlesen"));
    setFont(Schrift(13, false));
    setFixedSize(420, 140);
    setModal(true);

    auto label = [this](QLabel*& l, const QString& text, const char* name, int links, int oben) {
        l = new QLabel(text, this);
        benennen(l, name);
        platzieren(l, links, oben);
    };
    auto edit = [this](DBEdit*& e, const char* name, int links, int oben, int breite) {
        e = new DBEdit(this);
        benennen(e, name);
        platzieren(e, links, oben, breite, 24);
    };

    label(Label_Wochen, QStringLiteral("Wochen"), "Label_Wochen", 16, 20);
    edit(DBEdit_Woche_von, "DBEdit_Woche_von", 80, 16, 41);
    label(Label_Trennstrich, QStringLiteral("-"), "Label_Trennstrich", 127, 20);
    edit(DBEdit_Woche_bis, "DBEdit_Woche_bis", 140, 16, 41);
    label(Label_Jahr, QStringLiteral("Jahr"), "Label_Jahr", 204, 20);
    edit(DBEdit_Jahr, "DBEdit_Jahr", 240, 16, 49);
    for (DBEdit* e : {DBEdit_Woche_von, DBEdit_Woche_bis, DBEdit_Jahr}) {
        e->setAlignment(Qt::AlignCenter);
        e->setMaxLength(e == DBEdit_Jahr ? 4 : 2);
    }

    // The draw day comes from the workbook; the two buttons only show that both days are read.
    RadioButton_Mittwoch = new QRadioButton(QStringLiteral("Mittwoch"), this);
    benennen(RadioButton_Mittwoch, "RadioButton_Mittwoch");
    platzieren(RadioButton_Mittwoch, 312, 10, 96, 19);
    RadioButton_Samstag = new QRadioButton(QStringLiteral("Samstag"), this);
    benennen(RadioButton_Samstag, "RadioButton_Samstag");
    platzieren(RadioButton_Samstag, 312, 30, 96, 19);
    RadioButton_Mittwoch->setChecked(true);
    RadioButton_Mittwoch->setEnabled(false);
    RadioButton_Samstag->setEnabled(false);

    label(Label_Excel, QStringLiteral("Excel"), "Label_Excel", 16, 60);
    edit(DBEdit_Excel_Datei, "DBEdit_Excel_Datei", 80, 56, 290);
    SpeedButton_Excel_Datei = new QToolButton(this);
    benennen(SpeedButton_Excel_Datei, "SpeedButton_Excel_Datei", QStringLiteral("Arbeitsmappe wählen"));
    SpeedButton_Excel_Datei->setText(QStringLiteral("..."));
    platzieren(SpeedButton_Excel_Datei, 376, 56, 28, 24);
    connect(SpeedButton_Excel_Datei, &QToolButton::clicked, this, [this] { SpeedButton_Excel_DateiClick(); });

    BitBtn_Einlesen_Zahlen_Quoten = new QPushButton(QStringLiteral("Einlesen"), this);
    benennen(BitBtn_Einlesen_Zahlen_Quoten, "BitBtn_Einlesen_Zahlen_Quoten");
    platzieren(BitBtn_Einlesen_Zahlen_Quoten, 80, 100, 105, 25);
    BitBtn_Einlesen_Zahlen_Quoten->setAutoDefault(false);
    connect(BitBtn_Einlesen_Zahlen_Quoten, &QPushButton::clicked, this,
            [this] { BitBtn_Einlesen_Zahlen_QuotenClick(); });

    BitBtn_OK = new QPushButton(QStringLiteral("OK"), this);
    benennen(BitBtn_OK, "BitBtn_OK");
    platzieren(BitBtn_OK, 200, 100, 105, 25);
    BitBtn_OK->setAutoDefault(false);
    connect(BitBtn_OK, &QPushButton::clicked, this, [this] { BitBtn_OKClick(); });

    setTabOrder(DBEdit_Woche_von, DBEdit_Woche_bis);
    setTabOrder(DBEdit_Woche_bis, DBEdit_Jahr);
    setTabOrder(DBEdit_Jahr, DBEdit_Excel_Datei);
    setTabOrder(DBEdit_Excel_Datei, SpeedButton_Excel_Datei);
    setTabOrder(SpeedButton_Excel_Datei, BitBtn_Einlesen_Zahlen_Quoten);
    setTabOrder(BitBtn_Einlesen_Zahlen_Quoten, BitBtn_OK);
    Schrift_vererben(this);
    for (DBEdit* e : {DBEdit_Woche_von, DBEdit_Woche_bis}) Eingabe_einpassen(e, QStringLiteral("53"));
    Eingabe_einpassen(DBEdit_Jahr, QStringLiteral("2100"));
}

void TForm_Zahlen_Quoten_einlesen::binden(data::DataModule_Lotto* dm) {
    dm_ = dm;
    store::DataSource* q = dm ? &dm->DataSource_Wahl : nullptr;
    DBEdit_Woche_von->binden(q, "ZQ_Woche_von");
    DBEdit_Woche_bis->binden(q, "ZQ_Woche_bis");
    DBEdit_Jahr->binden(q, "ZQ_Jahr");
    DBEdit_Excel_Datei->binden(q, "ZQ_Excel");
}

void TForm_Zahlen_Quoten_einlesen::vorbereiten(QWidget* hauptfenster) {
    Dialog_platzieren(this, hauptfenster, QStringLiteral("TForm_Zahlen_Quoten_einlesen"));
    DBEdit_Woche_von->setFocus();
}

void TForm_Zahlen_Quoten_einlesen::zeigen(QWidget* hauptfenster) {
    vorbereiten(hauptfenster);
    exec();
}

bool TForm_Zahlen_Quoten_einlesen::Eingaben_uebernehmen() {
    for (DBEdit* e : {DBEdit_Woche_von, DBEdit_Woche_bis, DBEdit_Jahr, DBEdit_Excel_Datei})
        if (e->isModified() && !e->uebernehmen()) return false;
    return true;
}

bool TForm_Zahlen_Quoten_einlesen::Wahl_speichern() {
    if (!dm_ || !dm_->Table_Wahl.Active()) return true;
    return Ausfuehren(this, [this] { dm_->Table_Wahl.PostIfEditing(); });
}

void TForm_Zahlen_Quoten_einlesen::BitBtn_Einlesen_Zahlen_QuotenClick() {
    if (!dm_ || !dm_->Table_Wahl.Active() || !Eingaben_uebernehmen()) return;
    // The import runs on this thread; the core shows the hourglass while it reads the rows. Its
    // question and its closing message go through the data module's user dialog.
    // Draws written before an error stay; the restrictions of the cursors are back.
    Ausfuehren(this, [this] {
        auto leser = maintenance::Zellenleser_erzeugen();
        maintenance::Zahlen_Quoten_einlesen lauf(*dm_, *leser);
        lauf.Einlesen_Zahlen_Quoten();
    });
}

void TForm_Zahlen_Quoten_einlesen::BitBtn_OKClick() {
    if (!Eingaben_uebernehmen() || !Wahl_speichern()) return;
    // As after the import itself, the record stays open for the next input.
    if (dm_ && dm_->Table_Wahl.Active()) {
        Ausfuehren(this, [this] { dm_->Table_Wahl.Edit(); });
    }
    accept();
}

void TForm_Zahlen_Quoten_einlesen::reject() {
    // Closed without OK: what was typed is stored all the same, as the edits have written it.
    if (Eingaben_uebernehmen()) Wahl_speichern();
    QDialog::reject();
}

void TForm_Zahlen_Quoten_einlesen::SpeedButton_Excel_DateiClick() {
    const QString bisher = DBEdit_Excel_Datei->text();
    const QString pfad =
        QFileDialog::getOpenFileName(this, QStringLiteral("Arbeitsmappe wählen"),
                                     bisher.isEmpty() ? QString() : QFileInfo(bisher).absolutePath(),
                                     QStringLiteral("Arbeitsmappen (*.xlsx *.ods *.xls)"));
    if (!pfad.isEmpty()) Excel_Datei_setzen(pfad);
}

void TForm_Zahlen_Quoten_einlesen::Excel_Datei_setzen(const QString& pfad) {
    DBEdit_Excel_Datei->setText(pfad);
    DBEdit_Excel_Datei->setModified(true);
    DBEdit_Excel_Datei->uebernehmen();
}

} // namespace pyra::ui
