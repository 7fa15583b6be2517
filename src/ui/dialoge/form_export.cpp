#include "ui/dialoge/form_export.h"

#include "maintenance/update_export.h"
#include "ui/dialoge/dialog_platzieren.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_edit.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace pyra::ui {

TForm_Export::TForm_Export(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Form_Export"));
    setWindowTitle(QStringLiteral("  Export"));
    setFont(Schrift(13, false));
    setFixedSize(254, 118);
    setModal(true);

    // Each field has its label above it.
    Label_Woche = new QLabel(QStringLiteral("Woche"), this);
    benennen(Label_Woche, "Label_Woche", QStringLiteral("Woche"));
    platzieren(Label_Woche, 16, 8);
    Label_Jahr = new QLabel(QStringLiteral("ab Jahr"), this);
    benennen(Label_Jahr, "Label_Jahr", QStringLiteral("Export ab diesem Jahr"));
    platzieren(Label_Jahr, 68, 8);

    DBEdit_Woche = new DBEdit(this);
    benennen(DBEdit_Woche, "DBEdit_Woche", QStringLiteral("Woche"));
    DBEdit_Woche->setEnabled(false); // shown only; the export takes whole years
    platzieren(DBEdit_Woche, 16, 28, 41, 24);
    DBEdit_Jahr = new DBEdit(this);
    benennen(DBEdit_Jahr, "DBEdit_Jahr", QStringLiteral("Export ab diesem Jahr"));
    DBEdit_Jahr->setMaxLength(4);
    platzieren(DBEdit_Jahr, 68, 28, 57, 24);
    for (DBEdit* e : {DBEdit_Woche, DBEdit_Jahr}) e->setAlignment(Qt::AlignCenter);
    Label_Woche->setBuddy(DBEdit_Woche);
    Label_Jahr->setBuddy(DBEdit_Jahr);

    BitBtn_Export = new QPushButton(QStringLiteral("Export"), this);
    benennen(BitBtn_Export, "BitBtn_Export");
    BitBtn_Export->setAutoDefault(false);
    platzieren(BitBtn_Export, 16, 76, 105, 25);
    connect(BitBtn_Export, &QPushButton::clicked, this, [this] { BitBtn_ExportClick(); });

    BitBtn_OK = new QPushButton(QStringLiteral("OK"), this);
    benennen(BitBtn_OK, "BitBtn_OK");
    BitBtn_OK->setAutoDefault(false);
    platzieren(BitBtn_OK, 133, 76, 105, 25);
    connect(BitBtn_OK, &QPushButton::clicked, this, &QDialog::accept);
    Schrift_vererben(this);
    Eingabe_einpassen(DBEdit_Woche, QStringLiteral("53"));
    Eingabe_einpassen(DBEdit_Jahr, QStringLiteral("2100"));
}

void TForm_Export::binden(data::DataModule_Lotto* dm) {
    dm_ = dm;
    store::DataSource* q = dm ? &dm->DataSource_Wahl : nullptr;
    DBEdit_Woche->binden(q, "Woche_Export");
    DBEdit_Jahr->binden(q, "Jahr_Export");
}

void TForm_Export::vorbereiten(QWidget* hauptfenster) {
    Dialog_platzieren(this, hauptfenster, QStringLiteral("TForm_Export"));
    DBEdit_Jahr->setFocus();
}

void TForm_Export::zeigen(QWidget* hauptfenster) {
    vorbereiten(hauptfenster);
    exec();
}

void TForm_Export::BitBtn_ExportClick() {
    if (!dm_ || !dm_->Table_Wahl.Active()) return;
    if (DBEdit_Jahr->isModified() && !DBEdit_Jahr->uebernehmen()) return;
    Ausfuehren(this, [this] {
        Sanduhr sanduhr;
        // The year is read from the stored record.
        dm_->Table_Wahl.PostIfEditing();
        const auto ergebnis = maintenance::Export_durchfuehren(*dm_);
        sanduhr.beenden();
        Meldung(this, QString::fromStdString(maintenance::Meldung_Export(ergebnis, dm_->Wahl("Jahr_Export"),
                                                                         dm_->Updatepfad())));
    });
}

void TForm_Export::FormClose() {
    if (!dm_) return;
    Ausfuehren(this, [this] {
        if (DBEdit_Jahr->isModified()) DBEdit_Jahr->uebernehmen();
        if (dm_->Table_Wahl.Active()) dm_->Table_Wahl.PostIfEditing();
        maintenance::Export_schliessen(*dm_);
    });
}

void TForm_Export::done(int ergebnis) {
    FormClose();
    QDialog::done(ergebnis);
}

namespace {
std::string& adresse() {
    static std::string a;
    return a;
}
} // namespace

void Aktualisierungsadresse_setzen(const std::string& url) {
    adresse() = url;
}

const std::string& Aktualisierungsadresse() {
    return adresse();
}

} // namespace pyra::ui
