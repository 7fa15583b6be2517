// The number board: 49 check boxes in seven rows of seven and the three bank numbers, bound to
// the selection's Optionen record.

#include "system/garantiebefehle_store.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_checkbox.h"
#include "ui/steuerelemente/db_edit.h"

#include <QAction>
#include <QFrame>
#include <QLabel>

namespace pyra::ui {

namespace {
const QString Hinweis_Board = QStringLiteral("Markieren der Zahlen für die Ziehung/ das System");
const QString Hinweis_Bank = QStringLiteral("Eingabe Bankzahlen");
constexpr int Zeilen_oben[7] = {16, 45, 74, 104, 133, 162, 192};
} // namespace

void TForm_Lotto::Zahlenfeld_anlegen(QWidget* flaeche) {
    Panel_Zahlen = new QFrame(flaeche);
    benennen(Panel_Zahlen, "Panel_Zahlen", Hinweis_Board);
    Panel_Zahlen->setFrameShape(QFrame::Panel);
    Panel_Zahlen->setFrameShadow(QFrame::Raised);
    platzieren(Panel_Zahlen, 24, 56, 361, 281);

    // Bank fields first in the tab order, then the boxes 1..49.
    Bevel_Bankzahlen = new QFrame(Panel_Zahlen);
    benennen(Bevel_Bankzahlen, "Bevel_Bankzahlen", Hinweis_Bank);
    Bevel_Bankzahlen->setFrameShape(QFrame::Box);
    Bevel_Bankzahlen->setFrameShadow(QFrame::Sunken);
    platzieren(Bevel_Bankzahlen, 12, 224, 337, 44);
    Label_Bankzahlen = new QLabel(QStringLiteral("Bankzahlen"), Bevel_Bankzahlen);
    benennen(Label_Bankzahlen, "Label_Bankzahlen", Hinweis_Bank);
    platzieren(Label_Bankzahlen, 20, 12);
    for (int i = 0; i < 3; ++i) {
        auto* e = new DBEdit(Bevel_Bankzahlen);
        benennen(e, ("DBEdit_Bankzahl_" + std::to_string(i + 1)).c_str(), Hinweis_Bank);
        e->setAlignment(Qt::AlignCenter);
        e->setMaxLength(4);
        e->sofort_speichern(true);
        platzieren(e, 196 + 48 * i, 8, 33, 28);
        DBEdit_Bankzahl[i] = e;
    }

    for (int nn = 1; nn <= 49; ++nn) {
        const int spalte = (nn - 1) % 7, zeile = (nn - 1) / 7;
        auto* box =
            new DBCheckBox(nn < 10 ? QStringLiteral(" %1").arg(nn) : QString::number(nn), Panel_Zahlen);
        benennen(box, data::Feldname("DBCheckBox_", nn).c_str(), Hinweis_Board);
        box->setFont(Schrift(16, true));
        platzieren(box, 16 + 48 * spalte, Zeilen_oben[zeile], 41, 17);
        connect(box, &DBCheckBox::geklickt, this, [this, nn] { DBCheckBox_Click(nn); });
        DBCheckBox_Zahl[nn - 1] = box;
    }
    QWidget* vorher = DBEdit_Bankzahl[0];
    for (int i = 1; i < 3; ++i) {
        setTabOrder(vorher, DBEdit_Bankzahl[i]);
        vorher = DBEdit_Bankzahl[i];
    }
    for (DBCheckBox* box : DBCheckBox_Zahl) {
        setTabOrder(vorher, box);
        vorher = box;
    }
}

void TForm_Lotto::Zahlenfeld_binden() {
    store::DataSource* q = dm_ ? &dm_->DataSource_Optionen : nullptr;
    for (int nn = 1; nn <= 49; ++nn) DBCheckBox_Zahl[nn - 1]->binden(q, data::Feldname("Checkbox_", nn));
    for (int i = 0; i < 3; ++i) DBEdit_Bankzahl[i]->binden(q, "Bankzahl_" + std::to_string(i + 1));
}

void TForm_Lotto::DBCheckBox_Click(int zahl) {
    if (!dm_) return;
    ausfuehren([this, zahl] {
        if (dm_->Table_Zahl_Daten.Active()) dm_->Table_Zahl_Daten.Locate("Zahl", {zahl});
        dm_->DataSource_OptionenUpdateData();
    });
}

void TForm_Lotto::Optionen(bool enabled) {
    // Numbers above the association's range (46..49 for 6 aus 45) cannot be played: their boxes
    // stay disabled.
    const int bis = zahlen_bis();
    for (int nn = 1; nn <= 49; ++nn) DBCheckBox_Zahl[nn - 1]->setEnabled(enabled && nn <= bis);
    for (DBEdit* e : DBEdit_Bankzahl) e->setEnabled(enabled);
    MenuItem_Reihenkuerzung->setEnabled(enabled);
    MenuItem_Garantiesystem->setEnabled(enabled && dm_ && system::Garantiesystem_moeglich(*dm_));
    Spielschein_zeigen(bis);
}

int TForm_Lotto::zahlen_bis() const {
    if (!dm_ || !dm_->Table_Lotto.Active() || dm_->Table_Lotto.RecordCount() == 0) return 49;
    const int n = dm_->Zahlen_bis();
    return n >= 6 && n <= 49 ? n : 49;
}

} // namespace pyra::ui
