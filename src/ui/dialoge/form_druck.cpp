#include "ui/dialoge/form_druck.h"

#include "output/druckformular_store.h"
#include "output/spielscheine.h"
#include "platform/printer/qt_drucker.h"
#include "ui/dialoge/dialog_platzieren.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/bilder.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/hauptfenster/form_lotto.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <filesystem>

namespace pyra::ui {

namespace {

const QString Hinweis_Reihen = QStringLiteral("Reihenangabe (von/bis) des Spielscheins ");

QString qtext(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

// ---------------------------------------------------------------------------------------------
Spielscheinliste::Spielscheinliste(QWidget* eltern) : QListWidget(eltern) {
    for (const std::string& eintrag : output::Spielschein_Liste()) addItem(qtext(eintrag));
    setSelectionMode(QAbstractItemView::SingleSelection);
    QPalette p = palette();
    p.setColor(QPalette::Base, Farbe_Weiss);
    setPalette(p);
    setStyleSheet(QStringLiteral("QListWidget { background-color: white; }"));
}

void Spielscheinliste::keyReleaseEvent(QKeyEvent* e) {
    QListWidget::keyReleaseEvent(e);
    if (loslassen_) loslassen_();
}

void Spielscheinliste::mouseReleaseEvent(QMouseEvent* e) {
    QListWidget::mouseReleaseEvent(e);
    if (loslassen_) loslassen_();
}

// ---------------------------------------------------------------------------------------------
TForm_Druck::TForm_Druck(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Form_Druck"));
    setWindowTitle(QStringLiteral("  Druck"));
    setStatusTip(QStringLiteral("Drucken der Spielscheine"));
    setFont(Schrift(13, true));
    setFixedSize(376, 200);
    setModal(true);

    Image_Drucker = new QLabel(this);
    benennen(Image_Drucker, "Image_Drucker");
    platzieren(Image_Drucker, 16, 14, 48, 48);
    Image_Drucker->setPixmap(Bild(QStringLiteral(":/pyra/drucken.svg"), Image_Drucker->size()));

    ListBox_Spielschein = new Spielscheinliste(this);
    benennen(ListBox_Spielschein, "ListBox_Spielschein",
             QStringLiteral("Wahl des zu druckenden Spielscheins"));
    platzieren(ListBox_Spielschein, 80, 14, 150, 172);
    ListBox_Spielschein->Loslassen_setzen([this] { Ausfuehren(this, [this] { Reihenbereich_setzen(); }); });

    Label_Reihen = new QLabel(QStringLiteral("Reihen"), this);
    benennen(Label_Reihen, "Label_Reihen", Hinweis_Reihen);
    platzieren(Label_Reihen, 246, 14);

    Edit_Reihe_von = new QLineEdit(this);
    benennen(Edit_Reihe_von, "Edit_Reihe_von", Hinweis_Reihen);
    Edit_Reihe_von->setEnabled(false);
    platzieren(Edit_Reihe_von, 246, 36, 56, 24);
    Edit_Reihe_bis = new QLineEdit(this);
    benennen(Edit_Reihe_bis, "Edit_Reihe_bis", Hinweis_Reihen);
    platzieren(Edit_Reihe_bis, 306, 36, 56, 24);
    for (QLineEdit* e : {Edit_Reihe_von, Edit_Reihe_bis}) {
        QPalette p = e->palette();
        p.setColor(QPalette::Base, Farbe_Weiss);
        e->setPalette(p);
    }

    BitBtn_Druck = new QPushButton(QStringLiteral("Drucken"), this);
    benennen(BitBtn_Druck, "BitBtn_Druck", QStringLiteral("Drucken des aktuellen Spielscheins"));
    BitBtn_Druck->setAutoDefault(false);
    BitBtn_Druck->setEnabled(false);
    platzieren(BitBtn_Druck, 246, 118, 116, 28);
    connect(BitBtn_Druck, &QPushButton::clicked, this, [this] { BitBtn_DruckClick(); });

    BitBtn_OK = new QPushButton(QStringLiteral("OK"), this);
    benennen(BitBtn_OK, "BitBtn_OK", QStringLiteral("Beenden des Dialoges"));
    BitBtn_OK->setDefault(true);
    platzieren(BitBtn_OK, 246, 158, 116, 28);
    connect(BitBtn_OK, &QPushButton::clicked, this, &QDialog::accept);

    Schrift_vererben(this);
    // 250 slips of at most 12 rows.
    for (QLineEdit* e : {Edit_Reihe_von, Edit_Reihe_bis}) Eingabe_einpassen(e, QStringLiteral("3000"));
}

TForm_Druck::~TForm_Druck() = default;

void TForm_Druck::binden(data::DataModule_Lotto* dm) {
    dm_ = dm;
    formular_ = dm ? std::make_unique<output::Druckformular>(*dm) : nullptr;
    if (!formular_) BitBtn_Druck->setEnabled(false);
}

void TForm_Druck::vorbereiten(QWidget* hauptfenster) {
    Dialog_platzieren(this, hauptfenster, QStringLiteral("TForm_Druck"));
    Ausfuehren(this, [this] {
        ListBox_Spielschein->setCurrentRow(0);
        if (!formular_) return;
        formular_->FormShow();
        formular_zeigen();
    });
}

void TForm_Druck::zeigen(QWidget* hauptfenster) {
    vorbereiten(hauptfenster);
    exec();
}

void TForm_Druck::formular_lesen() {
    formular_->ListBox_Spielschein = std::max(0, ListBox_Spielschein->currentRow());
    formular_->Edit_Reihe_von = Edit_Reihe_von->text().toStdString();
    formular_->Edit_Reihe_bis = Edit_Reihe_bis->text().toStdString();
    formular_->BitBtn_Druck = BitBtn_Druck->isEnabled();
}

void TForm_Druck::formular_zeigen() {
    if (ListBox_Spielschein->currentRow() != static_cast<int>(formular_->ListBox_Spielschein))
        ListBox_Spielschein->setCurrentRow(static_cast<int>(formular_->ListBox_Spielschein));
    Edit_Reihe_von->setText(qtext(formular_->Edit_Reihe_von));
    Edit_Reihe_bis->setText(qtext(formular_->Edit_Reihe_bis));
    BitBtn_Druck->setEnabled(formular_->BitBtn_Druck);
}

void TForm_Druck::Reihenbereich_setzen() {
    if (!formular_) return;
    formular_lesen();
    formular_->Reihenbereich_setzen();
    formular_zeigen();
}

std::unique_ptr<output::Drucker> TForm_Druck::drucker_anlegen() {
    if (druckerwahl_) return druckerwahl_();
    return platform::Qt_Drucker::Standarddrucker(std::filesystem::path(dm_->globals.Programmverzeichnis),
                                                 dm_->Wahl("Woche_aktuell"), dm_->Wahl("Jahr_aktuell"));
}

void TForm_Druck::Spielschein_drucken() {
    if (!formular_) return;
    formular_lesen();
    std::unique_ptr<output::Drucker> drucker = drucker_anlegen();
    if (!drucker) return;
    bool gedruckt = false;
    {
        Sanduhr sanduhr;
        gedruckt = formular_->Spielschein_drucken(*drucker);
    }
    // Without an installed printer the page went into a PDF file: the user learns its name.
    if (const auto* qt = dynamic_cast<const platform::Qt_Drucker*>(drucker.get()); gedruckt && qt)
        if (const std::string hinweis = qt->Hinweis(); !hinweis.empty()) Meldung(this, qtext(hinweis));
}

void TForm_Druck::BitBtn_DruckClick() {
    if (!BitBtn_Druck->isEnabled()) return;
    Ausfuehren(this, [this] { Spielschein_drucken(); });
}

} // namespace pyra::ui
