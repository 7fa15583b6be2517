#include "ui/dialoge/form_copyright.h"

#include "data/datum.h"
#include "ui/dialoge/dialog_platzieren.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/bilder.h"
#include "ui/gemeinsam/shell_oeffnen.h"
#include "ui/hauptfenster/form_lotto.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace pyra::ui {

namespace {

const QString Hinweis_Homepage = QStringLiteral("Aufruf der Homepage");

class Adresslabel : public QLabel {
  public:
    Adresslabel(QWidget* eltern, std::function<void()> klick) : QLabel(eltern), klick_(std::move(klick)) {
        setCursor(Qt::PointingHandCursor);
        QPalette p = palette();
        p.setColor(QPalette::WindowText, Qt::black);
        setPalette(p);
    }

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        QLabel::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && klick_) klick_();
    }

  private:
    std::function<void()> klick_;
};

} // namespace

TForm_Copyright::TForm_Copyright(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Form_Copyright"));
    setWindowTitle(QStringLiteral("  Copyright"));
    setToolTip(QString());
    setStatusTip(QStringLiteral("Zolt's Pyra - Lotto 7.1"));
    setFont(Schrift(13, true));
    setFixedSize(246, 241);
    setModal(true);

    Panel_Copyright = new QFrame(this);
    benennen(Panel_Copyright, "Panel_Copyright");
    Panel_Copyright->setFrameShape(QFrame::Panel);
    Panel_Copyright->setFrameShadow(QFrame::Sunken);
    Panel_Copyright->setLineWidth(2);
    Panel_Copyright->setAutoFillBackground(true);
    QPalette p = Panel_Copyright->palette();
    p.setColor(QPalette::Window, Farbe_Teal);
    Panel_Copyright->setPalette(p);
    platzieren(Panel_Copyright, 0, 0, 246, 241); // the client area, frame included

    Image_Zolts = new QLabel(Panel_Copyright);
    benennen(Image_Zolts, "Image_Zolts");
    platzieren(Image_Zolts, 28, 10, 185, 65);
    Image_Zolts->setPixmap(Bild(QStringLiteral(":/pyra/logo.svg"), Image_Zolts->size()));

    Label_C = new QLabel(Panel_Copyright);
    benennen(Label_C, "Label_C");
    platzieren(Label_C, 30, 85, 200, 18);

    Label_Homepage = new Adresslabel(Panel_Copyright, [this] { Label_HomepageClick(); });
    benennen(Label_Homepage, "Label_Homepage", Hinweis_Homepage);
    platzieren(Label_Homepage, 30, 105, 200, 18);
    Label_Partnerseite = new Adresslabel(Panel_Copyright, [this] { Label_PartnerseiteClick(); });
    benennen(Label_Partnerseite, "Label_Partnerseite", Hinweis_Homepage);
    platzieren(Label_Partnerseite, 30, 125, 200, 18);

    // The program's name and version.
    Label_Version = new QLabel(QStringLiteral("Pyra-Lotto, Version " PYRA_VERSION), Panel_Copyright);
    benennen(Label_Version, "Label_Version");
    platzieren(Label_Version, 30, 160, 200, 18);

    BitBtn_OK = new QPushButton(QStringLiteral("OK"), Panel_Copyright);
    benennen(BitBtn_OK, "BitBtn_OK", QStringLiteral("Beenden des Dialoges"));
    BitBtn_OK->setDefault(true);
    platzieren(BitBtn_OK, 71, 200, 105, 25);
    connect(BitBtn_OK, &QPushButton::clicked, this, &QDialog::accept);
    Schrift_vererben(this);
}

void TForm_Copyright::vorbereiten(data::DataModule_Lotto* dm, QWidget* hauptfenster) {
    Dialog_platzieren(this, hauptfenster, QStringLiteral("TForm_Copyright"));
    Label_C->setText(QStringLiteral("© %1 Zolt's Software").arg(data::Heute().jahr));
    QString homepage, partner;
    if (dm && dm->Table_Wahl.Active()) {
        homepage = QString::fromStdString(dm->Table_Wahl.FieldByName("Homepage").AsString());
        partner = QString::fromStdString(dm->Table_Wahl.FieldByName("Partnerseite").AsString());
    }
    Label_Homepage->setText(homepage);
    Label_Partnerseite->setText(partner);
}

void TForm_Copyright::zeigen(data::DataModule_Lotto* dm, QWidget* hauptfenster) {
    vorbereiten(dm, hauptfenster);
    exec();
}

void TForm_Copyright::Label_HomepageClick() {
    Adresse_oeffnen(Label_Homepage->text());
}

void TForm_Copyright::Label_PartnerseiteClick() {
    Adresse_oeffnen(Label_Partnerseite->text());
}

} // namespace pyra::ui
