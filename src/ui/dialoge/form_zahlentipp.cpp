#include "ui/dialoge/form_zahlentipp.h"

#include "ui/dialoge/dialog_platzieren.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_grid.h"

#include <QPushButton>

namespace pyra::ui {

namespace {

std::vector<Spalte> tippspalten() {
    std::vector<Spalte> s;
    for (int i = 1; i <= 15; ++i)
        s.push_back({(i < 10 ? "Zahl_0" : "Zahl_") + std::to_string(i),
                     QString::number(i),
                     37,
                     Qt::AlignCenter,
                     {},
                     {},
                     {},
                     Bearbeitung::nie,
                     {}});
    return s;
}

} // namespace

TForm_Zahlentipp::TForm_Zahlentipp(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    benennen(this, "Form_Zahlentipp", QStringLiteral("Zahlentipp"));
    setWindowTitle(QStringLiteral("  Zahlentipp"));
    setProperty("Hilfekontext", 120);
    setFont(Schrift(13, true));
    setFixedSize(620, 115);
    setModal(true);
    setStyleSheet(QStringLiteral("QDialog#Form_Zahlentipp { background-color: #008080; }"));

    DBGrid_Zahlentipp = new DBGrid(tippspalten(), {}, false, this);
    benennen(DBGrid_Zahlentipp, "DBGrid_Zahlentipp");
    DBGrid_Zahlentipp->Einzeilig();
    platzieren(DBGrid_Zahlentipp, 30, 16, 15 * 37 + 2, 46);

    BitBtn_OK = new QPushButton(QStringLiteral("OK"), this);
    benennen(BitBtn_OK, "BitBtn_OK", QStringLiteral("Beenden des Dialoges"));
    BitBtn_OK->setDefault(true);
    platzieren(BitBtn_OK, 258, 78, 105, 25);
    connect(BitBtn_OK, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(DBGrid_Zahlentipp, BitBtn_OK);
    Schrift_vererben(this);
}

void TForm_Zahlentipp::binden(data::DataModule_Lotto* dm) {
    DBGrid_Zahlentipp->quelle_setzen(dm ? &dm->DataSource_Zahlentipp : nullptr);
}

void TForm_Zahlentipp::FormShow(QWidget* hauptfenster) {
    Dialog_platzieren(this, hauptfenster, QStringLiteral("TForm_Zahlentipp"));
}

void TForm_Zahlentipp::zeigen(QWidget* hauptfenster) {
    FormShow(hauptfenster);
    exec();
}

} // namespace pyra::ui
