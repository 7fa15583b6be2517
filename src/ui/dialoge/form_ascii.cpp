#include "ui/dialoge/form_ascii.h"

#include "output/textformular_store.h"
#include "ui/dialoge/dialog_platzieren.h"
#include "ui/dialoge/form_druck.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/bilder.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/hauptfenster/form_lotto.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace pyra::ui {

namespace {

const QString Hinweis_Reihen = QStringLiteral("Reihenangabe (von/bis) der zu konvertierenden Reihen");

QString qtext(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TForm_ASCII::TForm_ASCII(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Form_ASCII"));
    setWindowTitle(QStringLiteral("  Konvertierung"));
    setStatusTip(QStringLiteral("Konvertierung"));
    setFont(Schrift(13, true));
    setFixedSize(376, 200);
    setModal(true);

    Image_Drucker = new QLabel(this);
    benennen(Image_Drucker, "Image_Drucker");
    platzieren(Image_Drucker, 16, 14, 48, 48);
    Image_Drucker->setPixmap(Bild(QStringLiteral(":/pyra/drucken.svg"), Image_Drucker->size()));

    ListBox_Spielschein = new Spielscheinliste(this);
    benennen(ListBox_Spielschein, "ListBox_Spielschein",
             QStringLiteral("Wahl der zu konvertierenden Reihen"));
    platzieren(ListBox_Spielschein, 80, 14, 150, 172);
    ListBox_Spielschein->Loslassen_setzen([this] { Ausfuehren(this, [this] { Reihe_bis_setzen(); }); });

    Label_Reihen = new QLabel(QStringLiteral("bis Reihe"), this);
    benennen(Label_Reihen, "Label_Reihen", Hinweis_Reihen);
    platzieren(Label_Reihen, 246, 14);

    Edit_Reihe_bis = new QLineEdit(this);
    benennen(Edit_Reihe_bis, "Edit_Reihe_bis", Hinweis_Reihen);
    platzieren(Edit_Reihe_bis, 246, 36, 56, 24);
    Edit_Trennzeichen = new QLineEdit(this);
    benennen(Edit_Trennzeichen, "Edit_Trennzeichen", QStringLiteral("Eingabe eines Trennzeichen"));
    platzieren(Edit_Trennzeichen, 306, 36, 56, 24);
    for (QLineEdit* e : {Edit_Reihe_bis, Edit_Trennzeichen}) {
        QPalette p = e->palette();
        p.setColor(QPalette::Base, Farbe_Weiss);
        e->setPalette(p);
    }

    BitBtn_Textdatei = new QPushButton(QStringLiteral("Text - Datei"), this);
    benennen(BitBtn_Textdatei, "BitBtn_Textdatei",
             QStringLiteral("Konvertierung der angegebenen Reihen in eine Textdatei"));
    BitBtn_Textdatei->setAutoDefault(false);
    platzieren(BitBtn_Textdatei, 246, 118, 116, 28);
    connect(BitBtn_Textdatei, &QPushButton::clicked, this, [this] { BitBtn_TextdateiClick(); });

    BitBtn_OK = new QPushButton(QStringLiteral("OK"), this);
    benennen(BitBtn_OK, "BitBtn_OK", QStringLiteral("Beenden des Dialoges"));
    BitBtn_OK->setDefault(true);
    platzieren(BitBtn_OK, 246, 158, 116, 28);
    connect(BitBtn_OK, &QPushButton::clicked, this, &QDialog::accept);

    Schrift_vererben(this);
    Eingabe_einpassen(Edit_Reihe_bis, QStringLiteral("3000"));
}

TForm_ASCII::~TForm_ASCII() = default;

void TForm_ASCII::binden(data::DataModule_Lotto* dm) {
    formular_ = dm ? std::make_unique<output::Textformular>(*dm) : nullptr;
}

void TForm_ASCII::vorbereiten(QWidget* hauptfenster) {
    Dialog_platzieren(this, hauptfenster, QStringLiteral("TForm_ASCII"));
    Ausfuehren(this, [this] {
        ListBox_Spielschein->setCurrentRow(0);
        if (!formular_) return;
        formular_->FormShow();
        formular_zeigen();
    });
}

void TForm_ASCII::zeigen(QWidget* hauptfenster) {
    vorbereiten(hauptfenster);
    exec();
}

QString TForm_ASCII::Datei() const {
    return formular_ ? qtext(formular_->Datei().string()) : QString();
}

void TForm_ASCII::formular_lesen() {
    formular_->ListBox_Spielschein = std::max(0, ListBox_Spielschein->currentRow());
    formular_->Edit_Reihe_bis = Edit_Reihe_bis->text().toStdString();
    formular_->Edit_Trennzeichen = Edit_Trennzeichen->text().toStdString();
}

void TForm_ASCII::formular_zeigen() {
    if (ListBox_Spielschein->currentRow() != static_cast<int>(formular_->ListBox_Spielschein))
        ListBox_Spielschein->setCurrentRow(static_cast<int>(formular_->ListBox_Spielschein));
    Edit_Reihe_bis->setText(qtext(formular_->Edit_Reihe_bis));
    Edit_Trennzeichen->setText(qtext(formular_->Edit_Trennzeichen));
}

void TForm_ASCII::Reihe_bis_setzen() {
    if (!formular_) return;
    formular_lesen();
    formular_->Reihe_bis_setzen();
    Edit_Reihe_bis->setText(qtext(formular_->Edit_Reihe_bis));
}

void TForm_ASCII::Textdatei_schreiben() {
    if (!formular_) return;
    formular_lesen();
    Sanduhr sanduhr;
    if (!formular_->Textdatei_schreiben()) return;
    sanduhr.beenden();
    // The player learns where the rows went.
    Meldung(this, QStringLiteral("Die Reihen wurden in die Datei „%1“ geschrieben.")
                      .arg(QDir::toNativeSeparators(Datei())));
}

void TForm_ASCII::BitBtn_TextdateiClick() {
    Ausfuehren(this, [this] { Textdatei_schreiben(); });
}

} // namespace pyra::ui
