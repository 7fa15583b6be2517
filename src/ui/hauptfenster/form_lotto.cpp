#include "ui/hauptfenster/form_lotto.h"

#include "system/garantiebefehle_store.h"
#include "ui/dialoge/form_copyright.h"
#include "ui/gemeinsam/anwendung.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/gemeinsam/qt_benutzerdialog.h"
#include "ui/hauptfenster/statuszeile.h"
#include "ui/steuerelemente/db_checkbox.h"
#include "ui/steuerelemente/db_edit.h"
#include "ui/steuerelemente/db_grid.h"
#include "ui/steuerelemente/db_lookupcombobox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusTipEvent>

namespace pyra::ui {

namespace {
const QString Hinweis_Fenster = QStringLiteral("Zolt's Software");
const QString Hinweis_Menue = QStringLiteral("Zolt's Pyra - Lotto 7.3");
} // namespace

void platzieren(QWidget* w, int links, int oben, int breite, int hoehe) {
    if (breite < 0 || hoehe < 0) {
        // Sized by its text: sized again once the fonts are in place (Groesse_anpassen).
        w->setProperty("pyra_textgroesse", true);
        w->adjustSize();
        if (breite < 0) breite = w->width();
        if (hoehe < 0) hoehe = w->height();
    }
    w->setGeometry(links, oben, breite, hoehe);
}

void Groesse_anpassen(QWidget* wurzel) {
    for (QWidget* w : wurzel->findChildren<QWidget*>())
        if (w->property("pyra_textgroesse").toBool()) w->adjustSize();
}

void benennen(QWidget* w, const char* name, const QString& hinweis) {
    w->setObjectName(QString::fromLatin1(name));
    if (!hinweis.isEmpty()) {
        w->setToolTip(hinweis);
        w->setStatusTip(hinweis);
    }
}

TForm_Lotto::TForm_Lotto(data::Globale_Zustaende& globals, QWidget* eltern)
    : QMainWindow(eltern, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      globals_(globals) {
    Ressourcen_laden();
    setObjectName(QStringLiteral("Form_Lotto"));
    setWindowTitle(Anwendungstitel);
    setStatusTip(Hinweis_Fenster);
    setFont(Schrift(16, true));

    Menue_anlegen();
    setCentralWidget(Arbeitsflaeche_anlegen());
    StatusBar = new Statusleiste(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setFixedHeight(24);
    StatusBar->setFont(Schrift(13, false));
    setStatusBar(StatusBar);
    Tasten_anlegen();
    Schrift_vererben(this);
    Groesse_anpassen(this);
    Schriften_einpassen();
    Form_Copyright = new TForm_Copyright(this);
    Dialoge_Ziehung_anlegen();
    Dialoge_System_anlegen();
    Dialoge_Wartung_anlegen();
    Dialoge_Druck_anlegen();
    Dialoge_Diagramme_anlegen();

    // Client area 1016 x 717 below the menu; the window cannot be resized or maximised.
    setFixedSize(1016, menuBar()->sizeHint().height() + 717);

    // Centred on the screen at creation.
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect g = s->geometry();
        move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
    }
}

TForm_Lotto::~TForm_Lotto() {
    Datenmodul_setzen(nullptr, nullptr);
}

QWidget* TForm_Lotto::Arbeitsflaeche_anlegen() {
    auto* flaeche = new QWidget(this);
    flaeche->setObjectName(QStringLiteral("Arbeitsflaeche"));
    flaeche->setStatusTip(Hinweis_Fenster);
    flaeche->setFixedSize(1016, 693);
    flaeche->setAutoFillBackground(true);
    QPalette p = flaeche->palette();
    p.setColor(QPalette::Window, Farbe_Teal);
    flaeche->setPalette(p);
    Werkzeugleiste_anlegen(flaeche);
    Zahlenfeld_anlegen(flaeche);
    Einstellung_anlegen(flaeche);
    Statistik_anlegen(flaeche);
    return flaeche;
}

void TForm_Lotto::Menue_anlegen() {
    QMenuBar* leiste = menuBar();
    leiste->setObjectName(QStringLiteral("Hauptmenue"));
    leiste->setFont(Schrift(13, false));
    auto eintrag = [&](QMenu* menue, const QString& text, const char* name, void (TForm_Lotto::*handler)()) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setStatusTip(Hinweis_Menue);
        a->setToolTip(Hinweis_Menue);
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        if (menue)
            menue->addAction(a);
        else
            leiste->addAction(a);
        return a;
    };
    auto menue = [&](const QString& titel, const char* name) {
        QMenu* m = leiste->addMenu(titel);
        m->setObjectName(QString::fromLatin1(name));
        m->setFont(Schrift(13, false));
        m->menuAction()->setStatusTip(Hinweis_Menue);
        m->setToolTipsVisible(false);
        return m;
    };
    QMenu* ziehungen = menue(QStringLiteral("&Ziehungen"), "MenuItem_Ziehungen");
    MenuItem_Eingabe_Daten = eintrag(ziehungen, QStringLiteral("Eingabe Daten"), "MenuItem_Eingabe_Daten",
                                     &TForm_Lotto::MenuItem_ZiehungClick);
    MenuItem_Aktualisierung = eintrag(ziehungen, QStringLiteral("Aktualisierung"), "MenuItem_Aktualisierung",
                                      &TForm_Lotto::MenuItem_AktualisierungClick);
    MenuItem_Zahlentipp = eintrag(ziehungen, QStringLiteral("Zahlentipp"), "MenuItem_Zahlentipp",
                                  &TForm_Lotto::MenuItem_ZahlentippClick);
    MenuItem_Diagramme = eintrag(ziehungen, QStringLiteral("Diagramme"), "MenuItem_Diagramme",
                                 &TForm_Lotto::MenuItem_DiagrammeClick);
    QMenu* reihen = menue(QStringLiteral("&Reihen"), "MenuItem_Reihen");
    MenuItem_Reihenkuerzung = eintrag(reihen, QStringLiteral("Reihenkürzung"), "MenuItem_Reihenkuerzung",
                                      &TForm_Lotto::MenuItem_ReihenkuerzungClick);
    MenuItem_Garantiesystem = eintrag(reihen, QStringLiteral("Garantiesystem"), "MenuItem_Garantiesystem",
                                      &TForm_Lotto::MenuItem_GarantiesystemClick);
    // Usable like "Reihenkürzung" (system not locked), and only while the selection holds no system.
    connect(reihen, &QMenu::aboutToShow, this,
            [this] { MenuItem_Garantiesystem->setEnabled(dm_ && system::Garantiesystem_moeglich(*dm_)); });
    MenuItem_Gewinnerwartung = eintrag(reihen, QStringLiteral("Gewinnerwartung"), "MenuItem_Gewinnerwartung",
                                       &TForm_Lotto::MenuItem_GewinnerwartungClick);
    MenuItem_Gewinnermittlung =
        eintrag(reihen, QStringLiteral("Gewinnermittlung"), "MenuItem_Gewinnermittlung",
                &TForm_Lotto::MenuItem_GewinnermittlungClick);
    QMenu* optionen = menue(QStringLiteral("&Optionen"), "MenuItem_Optionen");
    MenuItem_Kuerzung = eintrag(optionen, QStringLiteral("Kürzung"), "MenuItem_Kuerzung",
                                &TForm_Lotto::MenuItem_Optionen_KuerzungClick);
    MenuItem_Analyse =
        eintrag(optionen, QStringLiteral("Analyse"), "MenuItem_Analyse", &TForm_Lotto::MenuItem_AnalyseClick);
    QMenu* drucken = menue(QStringLiteral("&Drucken"), "MenuItem_Drucken");
    MenuItem_Spielscheine = eintrag(drucken, QStringLiteral("Spielscheine"), "MenuItem_Spielscheine",
                                    &TForm_Lotto::MenuItem_DruckClick);
    MenuItem_ASCIIFormat = eintrag(drucken, QStringLiteral("ASCII-Format"), "MenuItem_ASCIIFormat",
                                   &TForm_Lotto::MenuItem_Ablage_ASCIIClick);
    MenuItem_Einstellungen = eintrag(drucken, QStringLiteral("Einstellungen"), "MenuItem_Einstellungen",
                                     &TForm_Lotto::MenuItem_DruckeinstellungenClick);
    MenuItem_Hilfe =
        eintrag(nullptr, QStringLiteral("&Hilfe"), "MenuItem_Hilfe", &TForm_Lotto::MenuItem_HilfeClick);
    MenuItem_Copyright = eintrag(nullptr, QStringLiteral("&Copyright"), "MenuItem_Copyright",
                                 &TForm_Lotto::MenuItem_CopyrightClick);
}

void TForm_Lotto::Tasten_anlegen() {
    // F1, F7 and F8 reach the window before any of its controls.
    for (int taste : {int(Qt::Key_F1), int(Qt::Key_F7), int(Qt::Key_F8)}) {
        auto* s = new QShortcut(QKeySequence(taste), this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, [this, taste] { FormKeyDown(taste); });
    }
}

void TForm_Lotto::FormKeyDown(int taste) {
    switch (taste) {
    case Qt::Key_F1:
        MenuItem_HilfeClick();
        break;
    case Qt::Key_F7:
        ausfuehren([this] { Dialog_Zahlen_Quoten_einlesen_zeigen(); });
        break;
    case Qt::Key_F8:
        ausfuehren([this] { Dialog_Export_zeigen(); });
        break;
    default:
        break;
    }
}

void TForm_Lotto::Datenmodul_setzen(data::DataModule_Lotto* dm, Qt_Benutzerdialog* dialog) {
    dm_ = dm;
    dialog_ = dialog;
    if (dialog_) dialog_->Fenster_setzen(this);
    Werkzeugleiste_binden();
    Zahlenfeld_binden();
    Statistik_binden();
    Einstellung_binden();
    Dialoge_Ziehung_binden();
    Dialoge_System_binden();
    Dialoge_Wartung_binden();
    Dialoge_Druck_binden();
    Dialoge_Diagramme_binden();
}

void TForm_Lotto::ausfuehren(const std::function<void()>& handler) {
    Ausfuehren(this, handler);
}

void TForm_Lotto::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!gezeigt_) {
        gezeigt_ = true;
        FormShow();
    }
}

void TForm_Lotto::FormShow() {
    if (!dm_) return;
    ausfuehren([this] {
        dm_->Startsequenz(data::Heute());
        Texte_aus_Wahl();
    });
}

void TForm_Lotto::Texte_aus_Wahl() {
    if (!dm_ || !dm_->Table_Wahl.Active()) return;
    auto text = [this](const char* feld) {
        return QString::fromStdString(dm_->Table_Wahl.FieldByName(feld).AsString());
    };
    const QString caption = text("Form_Anwendung_Caption");
    setWindowTitle(caption.trimmed().isEmpty() ? Anwendungstitel : caption);
    Label_Homepage->setText(text("Homepage"));
    Label_Software_fuer->setText(text("Software_fuer"));
    Homepage_einpassen();
}

void TForm_Lotto::closeEvent(QCloseEvent* e) {
    // The reduction handles window messages while it runs; the window stays until it has ended
    // (Escape ends it early).
    if (kuerzung_laeuft_) {
        e->ignore();
        return;
    }
    if (!geschlossen_) {
        geschlossen_ = true;
        FormClose();
    }
    QMainWindow::closeEvent(e);
}

void TForm_Lotto::FormClose() {
    if (!dm_) return;
    ausfuehren([this] { dm_->Schliessen(); });
}

void TForm_Lotto::Hinweis_anzeigen(const QString& text) {
    if (StatusBar) StatusBar->Hinweis_setzen(text);
}

bool TForm_Lotto::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip) {
        QString text = static_cast<QStatusTipEvent*>(e)->tip();
        if (text.isEmpty()) {
            // Leaving a control: the hint of what lies under the mouse now (the window's own
            // hint over its background).
            for (QWidget* w = QApplication::widgetAt(QCursor::pos()); w; w = w->parentWidget()) {
                if (!w->statusTip().isEmpty()) {
                    text = w->statusTip();
                    break;
                }
                if (w->isWindow()) break;
            }
        }
        Hinweis_anzeigen(text);
        e->accept();
        return true;
    }
    return QMainWindow::event(e);
}

} // namespace pyra::ui
