#include "ui/dialoge/form_garantiesystem.h"

#include "system/texte.h"
#include "ui/dialoge/dialog_platzieren.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/hauptfenster/form_lotto.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

#include <cmath>

namespace pyra::ui {

namespace {

const QString Hinweis_Dialog = QStringLiteral("Garantiesystem mit möglichst wenigen Reihen erstellen");

QSpinBox* zahlwahl(QWidget* eltern, const char* name, const QString& hinweis, int von, int bis, int wert,
                   QRect ort) {
    auto* s = new QSpinBox(eltern);
    benennen(s, name, hinweis);
    s->setRange(von, bis);
    s->setValue(wert);
    s->setAlignment(Qt::AlignCenter);
    platzieren(s, ort.x(), ort.y(), ort.width(), ort.height());
    return s;
}

QLabel* beschriftung(QWidget* eltern, const QString& text, const char* name, const QString& hinweis,
                     QRect ort) {
    auto* l = new QLabel(text, eltern);
    benennen(l, name, hinweis);
    platzieren(l, ort.x(), ort.y(), ort.width(), ort.height());
    return l;
}

} // namespace

TForm_Garantiesystem::TForm_Garantiesystem(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Form_Garantiesystem"));
    setWindowTitle(QStringLiteral("  Garantiesystem"));
    setStatusTip(Hinweis_Dialog);
    setStyleSheet(QStringLiteral("QDialog#Form_Garantiesystem { background-color: #008080; }"
                                 "QFrame#Bevel_Garantie { border: 1px solid #004848;"
                                 " border-bottom-color: #40aaaa; border-right-color: #40aaaa; }"));
    setFont(Schrift(13, true));
    setFixedSize(560, 300);
    setModal(true);

    Bevel_Garantie = new QFrame(this);
    benennen(Bevel_Garantie, "Bevel_Garantie", Hinweis_Dialog);
    Bevel_Garantie->setFrameShape(QFrame::Box);
    Bevel_Garantie->setFrameShadow(QFrame::Sunken);
    platzieren(Bevel_Garantie, 16, 16, 528, 196);

    const QString hinweis_t = QStringLiteral("So viele Richtige hat mindestens eine Reihe (3-6)");
    const QString hinweis_p = QStringLiteral("Wenn so viele Gewinnzahlen unter den Systemzahlen sind (3-6)");
    Label_Richtige =
        beschriftung(this, QStringLiteral("Richtige"), "Label_Richtige", hinweis_t, {32, 32, 80, 20});
    SpinEdit_Richtige = zahlwahl(this, "SpinEdit_Richtige", hinweis_t, 3, 6, 3, {116, 28, 56, 26});
    Label_Gewinnzahlen = beschriftung(this, QStringLiteral("bei Gewinnzahlen"), "Label_Gewinnzahlen",
                                      hinweis_p, {200, 32, 150, 20});
    SpinEdit_Gewinnzahlen = zahlwahl(this, "SpinEdit_Gewinnzahlen", hinweis_p, 3, 6, 4, {356, 28, 56, 26});
    Label_Garantie =
        beschriftung(this, QString(), "Label_Garantie",
                     QStringLiteral("Die Garantie für die markierten Systemzahlen"), {32, 64, 496, 42});
    Label_Garantie->setWordWrap(true);

    const QString hinweis_s = QStringLiteral("Längste Suchzeit in Sekunden (1-600)");
    Label_Sekunden =
        beschriftung(this, QStringLiteral("Suchzeit (s)"), "Label_Sekunden", hinweis_s, {32, 118, 100, 20});
    SpinEdit_Sekunden =
        zahlwahl(this, "SpinEdit_Sekunden", hinweis_s, system::Garantie_Sekunden_min,
                 system::Garantie_Sekunden_max, system::Garantie_Sekunden_Standard, {136, 114, 70, 26});
    CheckBox_Filter = new QCheckBox(QStringLiteral("Filter der Kürzung anwenden"), this);
    benennen(CheckBox_Filter, "CheckBox_Filter",
             QStringLiteral("Nur Reihen, die die Filter der Kürzung (Optionen Kürzung) bestehen"));
    platzieren(CheckBox_Filter, 232, 116, 296, 22);

    Label_Bankzahlen = beschriftung(
        this,
        QStringLiteral(
            "Bankzahlen: Jede Reihe enthält die markierten Bankzahlen. Die Garantie gilt dann für die "
            "übrigen Systemzahlen."),
        "Label_Bankzahlen", QStringLiteral("Bankzahlen im Garantiesystem"), {32, 150, 496, 52});
    Label_Bankzahlen->setWordWrap(true);

    Label_Fortschritt = beschriftung(
        this, QString(), "Label_Fortschritt",
        QStringLiteral("Reihen des besten vollständigen Systems und verbleibende Zeit"), {16, 222, 528, 20});
    ProgressBar_Zeit = new QProgressBar(this);
    benennen(ProgressBar_Zeit, "ProgressBar_Zeit", QStringLiteral("Verbrauchte Suchzeit"));
    ProgressBar_Zeit->setTextVisible(false);
    ProgressBar_Zeit->setRange(0, 1000);
    ProgressBar_Zeit->setValue(0);
    platzieren(ProgressBar_Zeit, 16, 244, 528, 10);

    BitBtn_Start = new QPushButton(QStringLiteral("Start"), this);
    benennen(BitBtn_Start, "BitBtn_Start", QStringLiteral("Garantiesystem suchen und speichern"));
    BitBtn_Start->setDefault(true);
    platzieren(BitBtn_Start, 96, 264, 105, 25);
    BitBtn_Stopp = new QPushButton(QStringLiteral("Stopp"), this);
    benennen(BitBtn_Stopp, "BitBtn_Stopp",
             QStringLiteral("Suche beenden und das beste vollständige System behalten"));
    BitBtn_Stopp->setEnabled(false);
    platzieren(BitBtn_Stopp, 228, 264, 105, 25);
    BitBtn_Schliessen = new QPushButton(QStringLiteral("Schließen"), this);
    benennen(BitBtn_Schliessen, "BitBtn_Schliessen", QStringLiteral("Beenden des Dialoges"));
    platzieren(BitBtn_Schliessen, 360, 264, 105, 25);

    connect(SpinEdit_Richtige, &QSpinBox::valueChanged, this, [this] { Garantie_anzeigen(); });
    connect(SpinEdit_Gewinnzahlen, &QSpinBox::valueChanged, this, [this] { Garantie_anzeigen(); });
    connect(BitBtn_Start, &QPushButton::clicked, this, [this] { Start(); });
    connect(BitBtn_Stopp, &QPushButton::clicked, this, [this] { stopp_ = true; });
    connect(BitBtn_Schliessen, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(SpinEdit_Richtige, SpinEdit_Gewinnzahlen);
    setTabOrder(SpinEdit_Gewinnzahlen, SpinEdit_Sekunden);
    setTabOrder(SpinEdit_Sekunden, CheckBox_Filter);
    setTabOrder(CheckBox_Filter, BitBtn_Start);
    setTabOrder(BitBtn_Start, BitBtn_Stopp);
    setTabOrder(BitBtn_Stopp, BitBtn_Schliessen);
    Schrift_vererben(this);
}

void TForm_Garantiesystem::binden(data::DataModule_Lotto* dm) {
    dm_ = dm;
}

void TForm_Garantiesystem::FormShow(QWidget* hauptfenster) {
    Dialog_platzieren(this, hauptfenster, QStringLiteral("TForm_Garantiesystem"));
    Label_Fortschritt->clear();
    ProgressBar_Zeit->setValue(0);
    Eingaben_freigeben(true);
    Garantie_anzeigen();
}

void TForm_Garantiesystem::zeigen(QWidget* hauptfenster) {
    FormShow(hauptfenster);
    exec();
}

void TForm_Garantiesystem::Garantie_anzeigen() {
    const int t = SpinEdit_Richtige->value(), p = SpinEdit_Gewinnzahlen->value();
    if (t > p) {
        Label_Garantie->setText(QStringLiteral("Es kann nicht mehr Richtige als Gewinnzahlen geben."));
        BitBtn_Start->setEnabled(false);
        return;
    }
    BitBtn_Start->setEnabled(!laeuft_);
    Label_Garantie->setText(dm_ ? QString::fromStdString(system::Garantie_beschreiben(*dm_, {t, p}))
                                : QString());
}

void TForm_Garantiesystem::Eingaben_freigeben(bool an) {
    for (QWidget* w : std::initializer_list<QWidget*>{SpinEdit_Richtige, SpinEdit_Gewinnzahlen,
                                                      SpinEdit_Sekunden, CheckBox_Filter, BitBtn_Schliessen})
        w->setEnabled(an);
    BitBtn_Start->setEnabled(an && SpinEdit_Richtige->value() <= SpinEdit_Gewinnzahlen->value());
    BitBtn_Stopp->setEnabled(!an);
}

void TForm_Garantiesystem::Fortschritt_anzeigen(const system::Garantiefortschritt& f) {
    const int rest = static_cast<int>(std::ceil(f.Sekunden_uebrig));
    QString text = f.Reihen > 0 ? QStringLiteral("Bestes System: %1 Reihen").arg(f.Reihen)
                                : QStringLiteral("Noch kein vollständiges System");
    text += QStringLiteral(" - noch %1 s").arg(rest);
    Label_Fortschritt->setText(text);
    const double gesamt = SpinEdit_Sekunden->value();
    ProgressBar_Zeit->setValue(static_cast<int>(1000.0 * (gesamt - f.Sekunden_uebrig) / gesamt));
    if (bei_fortschritt) bei_fortschritt(f);
}

system::Garantiebefehl_Ende TForm_Garantiesystem::Start() {
    if (!dm_ || laeuft_ || SpinEdit_Richtige->value() > SpinEdit_Gewinnzahlen->value())
        return system::Garantiebefehl_Ende::Laeuft_bereits;
    laeuft_ = true;
    stopp_ = false;
    Eingaben_freigeben(false);
    Label_Fortschritt->setText(QStringLiteral("Suche läuft ..."));
    system::Garantieauftrag a;
    a.G = {SpinEdit_Richtige->value(), SpinEdit_Gewinnzahlen->value()};
    a.Sekunden = SpinEdit_Sekunden->value();
    a.Filter = CheckBox_Filter->isChecked();
    system::Garantiebefehl_Ende ende = system::Garantiebefehl_Ende::Abgelehnt;
    Ausfuehren(this, [&] {
        ende = system::Garantiesystem_Befehl(*dm_, a, {}, [this](const system::Garantiefortschritt& f) {
                   Fortschritt_anzeigen(f);
                   return stopp_;
               }).Ende;
    });
    laeuft_ = false;
    Eingaben_freigeben(true);
    Label_Fortschritt->clear();
    ProgressBar_Zeit->setValue(0);
    if (ende == system::Garantiebefehl_Ende::Ausgefuehrt) accept();
    return ende;
}

void TForm_Garantiesystem::reject() {
    // Escape or the close button while the search runs: stop it, keeping the best system.
    if (laeuft_) {
        stopp_ = true;
        return;
    }
    QDialog::reject();
}

void TForm_Garantiesystem::closeEvent(QCloseEvent* e) {
    if (laeuft_) {
        stopp_ = true;
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

} // namespace pyra::ui
