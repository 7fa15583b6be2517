#include "ui/dialoge/form_kuerzung.h"

#include "stats/analyse_store.h"
#include "ui/dialoge/dialog_platzieren.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_checkbox.h"
#include "ui/steuerelemente/db_edit.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace pyra::ui {

namespace {

const QString Hinweis_Optionen = QStringLiteral("Optionen für die Systemerstellung");
const QString Hinweis_Folgen = QStringLiteral("Zwillinge, Drillinge, Vierling, Fünfling");

DBCheckBox* kontrollkaestchen(QWidget* eltern, const QString& text, const char* name, const QString& hinweis,
                              int links, int oben) {
    auto* k = new DBCheckBox(text, eltern);
    benennen(k, name, hinweis);
    platzieren(k, links, oben);
    return k;
}

// A label with its edit; the label carries the edit's hint.
DBEdit* zahlenfeld(QWidget* eltern, QLabel*& label, const QString& text, const char* labelname,
                   const char* feldname, const QString& hinweis, QPoint l, QRect e) {
    label = new QLabel(text, eltern);
    benennen(label, labelname, hinweis);
    platzieren(label, l.x(), l.y());
    auto* feld = new DBEdit(eltern);
    benennen(feld, feldname, hinweis);
    feld->setAlignment(Qt::AlignCenter);
    feld->setMaxLength(4);
    platzieren(feld, e.x(), e.y(), e.width(), e.height());
    return feld;
}

} // namespace

TForm_Kuerzung::TForm_Kuerzung(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Form_Kuerzung"));
    setWindowTitle(QStringLiteral("  Optionen Kürzung"));
    setStatusTip(Hinweis_Optionen);
    setStyleSheet(QStringLiteral("QDialog#Form_Kuerzung { background-color: #008080; }"
                                 "QFrame#Bevel_Optionen { border: 1px solid #004848;"
                                 " border-bottom-color: #40aaaa; border-right-color: #40aaaa; }"));
    setFont(Schrift(13, true));
    setFixedSize(530, 203);
    setModal(true);

    Bevel_Optionen = new QFrame(this);
    benennen(Bevel_Optionen, "Bevel_Optionen", Hinweis_Optionen);
    Bevel_Optionen->setFrameShape(QFrame::Box);
    Bevel_Optionen->setFrameShadow(QFrame::Sunken);
    platzieren(Bevel_Optionen, 16, 16, 497, 135);

    // Created in tab order.
    DBCheckBox_Zwillinge =
        kontrollkaestchen(this, QStringLiteral("Zwillinge"), "DBCheckBox_Zwillinge", Hinweis_Folgen, 32, 28);
    DBCheckBox_Drillinge =
        kontrollkaestchen(this, QStringLiteral("Drillinge"), "DBCheckBox_Drillinge", Hinweis_Folgen, 32, 60);
    DBCheckBox_Vierling =
        kontrollkaestchen(this, QStringLiteral("Vierling"), "DBCheckBox_Vierling", Hinweis_Folgen, 32, 92);
    DBCheckBox_Fuenfling =
        kontrollkaestchen(this, QStringLiteral("Fünfling"), "DBCheckBox_Fuenfling", Hinweis_Folgen, 32, 124);

    DBEdit_Endziffer =
        zahlenfeld(this, Label_Endziffer, QStringLiteral("Endziffer"), "Label_Endziffer", "DBEdit_Endziffer",
                   QStringLiteral("Maximale Anzahl gleicher Endziffern"), {144, 28}, {216, 22, 25, 24});
    DBEdit_Zehner =
        zahlenfeld(this, Label_Zehner, QStringLiteral("Zehner"), "Label_Zehner", "DBEdit_Zehner",
                   QStringLiteral("Maximale Anzahl von Zahlen innerhalb eines 10er Bereiches (z.Bsp. 10-19)"),
                   {144, 60}, {216, 54, 25, 24});
    DBEdit_7er = zahlenfeld(
        this, Label_7er, QStringLiteral("7er"), "Label_7er", "DBEdit_7er",
        QStringLiteral("Maximale Anzahl von Zahlen innerhalb eines 7er Bereiches (1-7, 8-14 usw.)"),
        {144, 92}, {216, 86, 25, 24});
    DBEdit_7er_vt =
        zahlenfeld(this, Label_7er_vt, QStringLiteral("7er vt"), "Label_7er_vt", "DBEdit_7er_vt",
                   QStringLiteral("Maximale Anzahl von Zahlen innerhalb eines 7er Bereiches vertikal "
                                  "(z.Bsp.: 7,14,21,28,35,42,49)"),
                   {144, 124}, {216, 118, 25, 24});
    const QString hinweis_summe = QStringLiteral("Summe der Zahlen einer Ziehung");
    DBEdit_Summe_von =
        zahlenfeld(this, Label_Quersumme_von, QStringLiteral("Summe von"), "Label_Quersumme_von",
                   "DBEdit_Summe_von", hinweis_summe, {272, 60}, {367, 53, 33, 24});
    DBEdit_Summe_bis = zahlenfeld(this, Label_Quersumme_bis, QStringLiteral("bis"), "Label_Quersumme_bis",
                                  "DBEdit_Summe_bis", hinweis_summe, {330, 92}, {367, 86, 33, 24});

    Label_Gerade = new QLabel(QStringLiteral("Gerade"), this);
    benennen(Label_Gerade, "Label_Gerade");
    platzieren(Label_Gerade, 408, 28);
    // Two columns: 0, 2, 4, 6 on the right, 1, 3, 5 on the left.
    const QString hinweise_gerade[] = {QStringLiteral("Gerade 0 Zahlen / Ungerade 6 Zahlen"),
                                       QStringLiteral("Gerade 1 Zahl / Ungerade 5 Zahlen"),
                                       QStringLiteral("Gerade 2 Zahlen / Ungerade 4 Zahlen"),
                                       QStringLiteral("Gerade 3 Zahlen / Ungerade 3 Zahlen"),
                                       QStringLiteral("Gerade 4 Zahlen / Ungerade 2 Zahlen"),
                                       QStringLiteral("Gerade 5 Zahlen / Ungerade 1 Zahl"),
                                       QStringLiteral("Gerade 6 Zahlen / Ungerade 0 Zahlen")};
    const QPoint orte_gerade[] = {{472, 28}, {432, 60},  {472, 60}, {432, 92},
                                  {472, 92}, {432, 124}, {472, 124}};
    for (int g = 0; g <= 6; ++g) {
        const QByteArray name = "DBCheckBox_Gerade_" + QByteArray::number(g);
        DBCheckBox_Gerade[g] = kontrollkaestchen(this, QString::number(g), name.constData(),
                                                 hinweise_gerade[g], orte_gerade[g].x(), orte_gerade[g].y());
    }

    BitBtn_OK = new QPushButton(QStringLiteral("OK"), this);
    benennen(BitBtn_OK, "BitBtn_OK", QStringLiteral("Beenden des Dialoges"));
    BitBtn_OK->setDefault(true);
    platzieren(BitBtn_OK, 344, 165, 113, 25);
    connect(BitBtn_OK, &QPushButton::clicked, this, &QDialog::accept);

    std::vector<QWidget*> reihenfolge = Optionsfelder();
    reihenfolge.push_back(BitBtn_OK);
    for (std::size_t i = 1; i < reihenfolge.size(); ++i) setTabOrder(reihenfolge[i - 1], reihenfolge[i]);

    Schrift_vererben(this);
    // The largest values: six numbers of a row, the sum 44 + … + 49.
    for (DBEdit* e : {DBEdit_Endziffer, DBEdit_Zehner, DBEdit_7er, DBEdit_7er_vt})
        Eingabe_einpassen(e, QStringLiteral("6"));
    for (DBEdit* e : {DBEdit_Summe_von, DBEdit_Summe_bis}) Eingabe_einpassen(e, QStringLiteral("279"));
    Groesse_anpassen(this);
}

std::vector<QWidget*> TForm_Kuerzung::Optionsfelder() const {
    std::vector<QWidget*> f = {DBCheckBox_Zwillinge, DBCheckBox_Drillinge, DBCheckBox_Vierling,
                               DBCheckBox_Fuenfling, DBEdit_Endziffer,     DBEdit_Zehner,
                               DBEdit_7er,           DBEdit_7er_vt,        DBEdit_Summe_von,
                               DBEdit_Summe_bis};
    f.insert(f.end(), DBCheckBox_Gerade.begin(), DBCheckBox_Gerade.end());
    return f;
}

std::vector<DBEdit*> TForm_Kuerzung::Zahlenfelder() const {
    return {DBEdit_Endziffer, DBEdit_Zehner, DBEdit_7er, DBEdit_7er_vt, DBEdit_Summe_von, DBEdit_Summe_bis};
}

void TForm_Kuerzung::binden(data::DataModule_Lotto* dm) {
    dm_ = dm;
    store::DataSource* q = dm ? &dm->DataSource_Optionen_2 : nullptr;
    DBCheckBox_Zwillinge->binden(q, "Checkbox_Zwillinge");
    DBCheckBox_Drillinge->binden(q, "Checkbox_Drillinge");
    DBCheckBox_Vierling->binden(q, "Checkbox_Vierling");
    DBCheckBox_Fuenfling->binden(q, "Checkbox_Fuenfling");
    DBEdit_Endziffer->binden(q, "Endziffer");
    DBEdit_Zehner->binden(q, "Zehner");
    DBEdit_7er->binden(q, "7_er");
    DBEdit_7er_vt->binden(q, "7_er_vt");
    DBEdit_Summe_von->binden(q, "Quersumme_von");
    DBEdit_Summe_bis->binden(q, "Quersumme_bis");
    for (int g = 0; g <= 6; ++g) DBCheckBox_Gerade[g]->binden(q, "Checkbox_Gerade_0" + std::to_string(g));
    if (dm) Optionen(dm->fenster.eingaben_kuerzung);
}

void TForm_Kuerzung::FormShow(QWidget* hauptfenster) {
    Dialog_platzieren(this, hauptfenster, QStringLiteral("TForm_Kuerzung"));
    if (!dm_) return;
    Optionen(dm_->fenster.eingaben_kuerzung);
    // The reduction reads the analysis tables; their rows exist from here on.
    stats::Analyse_Zeilen_anlegen(*dm_);
}

void TForm_Kuerzung::zeigen(QWidget* hauptfenster) {
    FormShow(hauptfenster);
    exec();
}

void TForm_Kuerzung::Optionen(bool enabled) {
    for (QWidget* w : Optionsfelder()) w->setEnabled(enabled);
}

void TForm_Kuerzung::FormClose() {
    if (!dm_) return;
    // A value still in a field that has the focus is written before the record is saved.
    for (DBEdit* e : Zahlenfelder())
        if (e->isModified()) e->uebernehmen();
    Speichern_beim_Schliessen(this, dm_->Table_Optionen_2);
}

void TForm_Kuerzung::done(int ergebnis) {
    FormClose();
    QDialog::done(ergebnis);
}

} // namespace pyra::ui
