#include "ui/diagramme/form_diagramme.h"

#include "platform/printer/qt_drucker.h"
#include "stats/diagrammdaten_store.h"
#include "ui/diagramme/diagramm_bau.h"
#include "ui/dialoge/dialog_platzieren.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/meldungen.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <filesystem>

namespace pyra::ui {

namespace {

const QString Hinweis_Fenster = QStringLiteral("Diagramme der Ziehungen vor der gewählten Woche");

constexpr std::array<const char*, kAnzahl_Diagramme> kNamen = {"Haeufigkeit", "Rueckstand", "Wiederholungen",
                                                               "Summen", "Verlauf"};

std::string name(const char* vorsilbe, Diagrammart art) {
    return std::string(vorsilbe) + kNamen[static_cast<std::size_t>(art)];
}

} // namespace

TForm_Diagramme::TForm_Diagramme(QWidget* eltern) : QDialog(eltern, Qt::Window) {
    setObjectName(QStringLiteral("Form_Diagramme"));
    setWindowTitle(QStringLiteral("  Diagramme"));
    setToolTip(Hinweis_Fenster);
    setStatusTip(Hinweis_Fenster);
    setFont(Schrift(13, true));
    setModal(false);
    setMinimumSize(760, 560);
    resize(980, 700);

    auto* spalte = new QVBoxLayout(this);
    TabWidget_Diagramme = new QTabWidget(this);
    TabWidget_Diagramme->setObjectName(QStringLiteral("TabWidget_Diagramme"));
    spalte->addWidget(TabWidget_Diagramme, 1);

    ComboBox_Wiederholung = new QComboBox;
    ComboBox_Wiederholung->setObjectName(QStringLiteral("ComboBox_Wiederholung"));
    ComboBox_Wiederholung->setToolTip(QStringLiteral("Wiederholung aus den z Ziehungen davor"));
    for (int z = 1; z <= 7; ++z) ComboBox_Wiederholung->addItem(QString::number(z), z);
    ComboBox_Zahl = new QComboBox;
    ComboBox_Zahl->setObjectName(QStringLiteral("ComboBox_Zahl"));
    ComboBox_Zahl->setToolTip(QStringLiteral("Zahl, deren Verlauf gezeigt wird"));
    zahlenliste_setzen(49);

    for (int i = 0; i < kAnzahl_Diagramme; ++i) {
        const auto art = static_cast<Diagrammart>(i);
        QComboBox* auswahl = art == Diagrammart::Wiederholungen ? ComboBox_Wiederholung
                             : art == Diagrammart::Verlauf      ? ComboBox_Zahl
                                                                : nullptr;
        const QString beschriftung = art == Diagrammart::Wiederholungen
                                         ? QStringLiteral("Wiederholung aus den z Ziehungen davor, z:")
                                         : QStringLiteral("Zahl:");
        TabWidget_Diagramme->addTab(seite_anlegen(art, auswahl, beschriftung), Diagrammtitel(art));
    }

    auto* knoepfe = new QHBoxLayout;
    Button_Speichern = new QPushButton(QStringLiteral("Speichern als Bild…"), this);
    Button_Speichern->setObjectName(QStringLiteral("Button_Speichern"));
    Button_Speichern->setToolTip(QStringLiteral("Das gezeigte Diagramm als PNG- oder SVG-Bild speichern"));
    Button_Drucken = new QPushButton(QStringLiteral("Drucken…"), this);
    Button_Drucken->setObjectName(QStringLiteral("Button_Drucken"));
    Button_Drucken->setToolTip(QStringLiteral("Das gezeigte Diagramm drucken"));
    Button_Schliessen = new QPushButton(QStringLiteral("Schließen"), this);
    Button_Schliessen->setObjectName(QStringLiteral("Button_Schliessen"));
    Button_Schliessen->setToolTip(QStringLiteral("Fenster schließen"));
    knoepfe->addWidget(Button_Speichern);
    knoepfe->addWidget(Button_Drucken);
    knoepfe->addStretch(1);
    knoepfe->addWidget(Button_Schliessen);
    spalte->addLayout(knoepfe);
    Schrift_vererben(this);

    connect(Button_Speichern, &QPushButton::clicked, this, [this] { Button_SpeichernClick(); });
    connect(Button_Drucken, &QPushButton::clicked, this, [this] { Button_DruckenClick(); });
    connect(Button_Schliessen, &QPushButton::clicked, this, &QDialog::close);
    connect(ComboBox_Wiederholung, &QComboBox::currentIndexChanged, this,
            [this] { diagramm_setzen(Diagrammart::Wiederholungen); });
    connect(ComboBox_Zahl, &QComboBox::currentIndexChanged, this,
            [this] { diagramm_setzen(Diagrammart::Verlauf); });

    // Many changes at once (a recomputation posts 49 rows) are drawn once, when they are done.
    aktualisierung_ = new QTimer(this);
    aktualisierung_->setSingleShot(true);
    aktualisierung_->setInterval(0);
    connect(aktualisierung_, &QTimer::timeout, this, [this] {
        if (!isVisible()) return;
        try {
            Aktualisieren();
        } catch (const std::exception& e) {
            // A failed read while the user works elsewhere is shown where the sentence stands.
            for (QLabel* l : Label_Satz)
                l->setText(QStringLiteral("Die Diagramme konnten nicht gelesen werden: ") +
                           QString::fromStdString(e.what()));
        }
    });
}

TForm_Diagramme::~TForm_Diagramme() {
    loesen();
}

QWidget* TForm_Diagramme::seite_anlegen(Diagrammart art, QComboBox* auswahl, const QString& beschriftung) {
    auto* seite = new QWidget;
    seite->setObjectName(QString::fromStdString(name("Seite_", art)));
    auto* spalte = new QVBoxLayout(seite);
    if (auswahl) {
        auto* zeile = new QHBoxLayout;
        auto* label = new QLabel(beschriftung);
        label->setBuddy(auswahl);
        zeile->addWidget(label);
        zeile->addWidget(auswahl);
        zeile->addStretch(1);
        spalte->addLayout(zeile);
    }
    auto* ansicht = new QChartView;
    ansicht->setObjectName(QString::fromStdString(name("ChartView_", art)));
    ansicht->setRenderHint(QPainter::Antialiasing);
    ansicht->setFrameShape(QFrame::NoFrame);
    ansicht->setBackgroundBrush(Diagrammflaeche());
    ansicht->setMinimumSize(400, 300);
    ChartView[static_cast<std::size_t>(art)] = ansicht;
    spalte->addWidget(ansicht, 1);
    auto* satz = new QLabel;
    satz->setObjectName(QString::fromStdString(name("Label_Satz_", art)));
    satz->setWordWrap(true);
    satz->setFont(Schrift(13, false));
    satz->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label_Satz[static_cast<std::size_t>(art)] = satz;
    spalte->addWidget(satz);
    return seite;
}

void TForm_Diagramme::binden(data::DataModule_Lotto* dm) {
    loesen();
    dm_ = dm;
    gelesen_ = false;
    veraltet_ = true;
    if (!dm_) {
        hide();
        return;
    }
    // The selection (Wahl and the grid's rows follow it), the draws, the association's settings
    // and the analysis tables.
    for (store::DataSource* quelle :
         {&dm_->DataSource_Wahl, &dm_->DataSource_Zahl_Daten, &dm_->DataSource_Zahlen, &dm_->DataSource_Lotto,
          &dm_->DataSource_Ziehung_Wo_z, &dm_->DataSource_Ziehung_Ja_z, &dm_->DataSource_Summe_Ru}) {
        const bool ist_wahl = quelle == &dm_->DataSource_Wahl;
        const int id = quelle->addListener(
            {[this, ist_wahl](store::DataSource&, store::DataEvent e, const store::Field*) {
                 switch (e) {
                 case store::DataEvent::Scrolled:
                 case store::DataEvent::FieldChanged:
                     return; // moving through rows, typing
                 case store::DataEvent::Closed:
                     // The database is being closed: nothing left to show.
                     if (ist_wahl) {
                         veraltet_ = true;
                         hide();
                     }
                     return;
                 default:
                     spaeter_aktualisieren();
                 }
             },
             {}});
        zuhoerer_.emplace_back(quelle, id);
    }
}

void TForm_Diagramme::loesen() {
    for (auto& [quelle, id] : zuhoerer_) quelle->removeListener(id);
    zuhoerer_.clear();
}

void TForm_Diagramme::spaeter_aktualisieren() {
    veraltet_ = true;
    if (isVisible()) aktualisierung_->start();
}

void TForm_Diagramme::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (veraltet_) aktualisierung_->start();
}

void TForm_Diagramme::zeigen(QWidget* hauptfenster, bool zahl_aus_gitter) {
    if (!dm_) return;
    const bool offen = isVisible();
    if (!offen || zahl_aus_gitter) {
        const int zahl = stats::Zahl_im_Gitter(*dm_);
        if (const int i = ComboBox_Zahl->findData(zahl); i >= 0) ComboBox_Zahl->setCurrentIndex(i);
    }
    if (!offen) {
        Dialog_platzieren(this, hauptfenster, QStringLiteral("TForm_Diagramme"));
        Aktualisieren();
        show();
    }
    raise();
    activateWindow();
}

void TForm_Diagramme::Aktualisieren() {
    veraltet_ = false;
    if (!dm_ || !dm_->TdbDatabase_Lotto.Connected() || !dm_->Table_Wahl.Active()) return;
    stats::Diagrammdaten neu = stats::Diagrammdaten_lesen(*dm_);
    if (gelesen_ && neu == daten_) return;
    daten_ = std::move(neu);
    gelesen_ = true;
    zahlenliste_setzen(daten_.Zahlen_bis);
    for (int i = 0; i < kAnzahl_Diagramme; ++i) diagramm_setzen(static_cast<Diagrammart>(i));
    ++aufbauten_;
}

void TForm_Diagramme::zahlenliste_setzen(int n_max) {
    const int n = std::max(n_max, 1);
    if (ComboBox_Zahl->count() == n) return;
    const QSignalBlocker sperre(ComboBox_Zahl);
    const int bisher = ComboBox_Zahl->currentData().toInt();
    ComboBox_Zahl->clear();
    for (int z = 1; z <= n; ++z) ComboBox_Zahl->addItem(QString::number(z), z);
    ComboBox_Zahl->setCurrentIndex(std::clamp(bisher, 1, n) - 1);
}

Diagrammart TForm_Diagramme::Art_gewaehlt() const {
    return static_cast<Diagrammart>(std::max(TabWidget_Diagramme->currentIndex(), 0));
}

int TForm_Diagramme::Auswahl(Diagrammart art) const {
    if (art == Diagrammart::Wiederholungen) return std::max(ComboBox_Wiederholung->currentData().toInt(), 1);
    if (art == Diagrammart::Verlauf) return std::max(ComboBox_Zahl->currentData().toInt(), 1);
    return 0;
}

void TForm_Diagramme::diagramm_setzen(Diagrammart art) {
    if (!gelesen_) return;
    const auto i = static_cast<std::size_t>(art);
    QChart* alt = ChartView[i]->chart();
    ChartView[i]->setChart(Diagramm_bauen(art, daten_, Auswahl(art)));
    delete alt; // the view gives up the previous chart without deleting it
    Label_Satz[i]->setText(Unterzeile(art, daten_, Auswahl(art)));
}

void TForm_Diagramme::Bild_speichern(const QString& datei) {
    const Diagrammart art = Art_gewaehlt();
    const QSize groesse = ChartView[static_cast<std::size_t>(art)]->size();
    Sanduhr sanduhr;
    Diagramm_als_Bild_speichern(art, daten_, Auswahl(art), std::filesystem::path(datei.toStdString()),
                                std::clamp(groesse.width(), kKleinste_Bildseite, kGroesste_Bildseite),
                                std::clamp(groesse.height(), kKleinste_Bildseite, kGroesste_Bildseite));
}

void TForm_Diagramme::Button_SpeichernClick() {
    if (!gelesen_) return;
    const QString png = QStringLiteral("PNG-Bild (*.png)");
    const QString svg = QStringLiteral("SVG-Grafik (*.svg)");
    QString filter = png;
    const QString vorschlag =
        QDir(dm_ ? QString::fromStdString(dm_->globals.Programmverzeichnis) : QDir::homePath())
            .filePath(QStringLiteral("Diagramm_%1.png")
                          .arg(QString::fromStdString(Diagrammart_Name(Art_gewaehlt()))));
    QString datei = QFileDialog::getSaveFileName(this, QStringLiteral("Speichern als Bild"), vorschlag,
                                                 png + QStringLiteral(";;") + svg, &filter);
    if (datei.isEmpty()) return;
    if (!Bildformat_bekannt(std::filesystem::path(datei.toStdString())))
        datei += filter == svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    Ausfuehren(this, [this, datei] { Bild_speichern(datei); });
}

void TForm_Diagramme::Button_DruckenClick() {
    if (!gelesen_ || !dm_) return;
    Ausfuehren(this, [this] {
        std::unique_ptr<platform::Qt_Drucker> drucker =
            druckerwahl_ ? druckerwahl_()
                         : platform::Qt_Drucker::Standarddrucker(dm_->globals.Programmverzeichnis,
                                                                 daten_.Woche, daten_.Jahr);
        if (!drucker) return;
        std::string hinweis;
        {
            Sanduhr sanduhr;
            const Diagrammart art = Art_gewaehlt();
            hinweis = Diagramm_drucken(*drucker, art, daten_, Auswahl(art));
        }
        if (!hinweis.empty()) Meldung(this, QString::fromStdString(hinweis));
    });
}

} // namespace pyra::ui
