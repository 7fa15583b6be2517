// The menu commands of the main window.

#include "store/value.h"
#include "system/systembefehle_store.h"
#include "system/texte.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/gemeinsam/shell_oeffnen.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/hauptfenster/kernanbindung.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>

namespace pyra::ui {

namespace {

// While the reduction runs it lets window messages through so the window stays alive; this
// filter keeps the user's clicks and keys away from the main window in that time (Escape, which
// ends the run, passes). Message boxes of the run are windows of their own and stay usable.
class Eingabesperre : public QObject {
  public:
    explicit Eingabesperre(QWidget* fenster) : fenster_(fenster) { qApp->installEventFilter(this); }
    ~Eingabesperre() override { qApp->removeEventFilter(this); }

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        switch (e->type()) {
        case QEvent::Shortcut:
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) return false;
            [[fallthrough]];
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu: {
            auto* w = qobject_cast<QWidget*>(o);
            return w && w->window() == fenster_;
        }
        default:
            return false;
        }
    }

  private:
    QWidget* fenster_;
};

} // namespace

void TForm_Lotto::MenuItem_ZiehungClick() {
    ausfuehren([this] { Dialog_Ziehung_zeigen(); });
}
void TForm_Lotto::MenuItem_AktualisierungClick() {
    ausfuehren([this] { Aktualisierung_ausfuehren(); });
}
void TForm_Lotto::MenuItem_ZahlentippClick() {
    ausfuehren([this] { Dialog_Zahlentipp_zeigen(); });
}
void TForm_Lotto::MenuItem_DiagrammeClick() {
    ausfuehren([this] { Dialog_Diagramme_zeigen(); });
}
void TForm_Lotto::MenuItem_GarantiesystemClick() {
    if (!dm_ || kuerzung_laeuft_) return;
    ausfuehren([this] { Dialog_Garantiesystem_zeigen(); });
}
void TForm_Lotto::MenuItem_GewinnerwartungClick() {
    ausfuehren([this] { Dialog_Gewinnerwartung_zeigen(); });
}
void TForm_Lotto::MenuItem_Optionen_KuerzungClick() {
    ausfuehren([this] { Dialog_Kuerzung_zeigen(); });
}
void TForm_Lotto::MenuItem_AnalyseClick() {
    ausfuehren([this] { Dialog_Analyse_zeigen(); });
}
void TForm_Lotto::MenuItem_DruckClick() {
    ausfuehren([this] { Dialog_Druck_zeigen(); });
}
void TForm_Lotto::MenuItem_Ablage_ASCIIClick() {
    ausfuehren([this] { Dialog_ASCII_zeigen(); });
}
void TForm_Lotto::MenuItem_DruckeinstellungenClick() {
    ausfuehren([this] { Dialog_Druckeinstellung_zeigen(); });
}
void TForm_Lotto::MenuItem_CopyrightClick() {
    ausfuehren([this] { Dialog_Copyright_zeigen(); });
}

void TForm_Lotto::MenuItem_HilfeClick() {
    const QString frage =
        QStringLiteral("Die vollständige Hilfe liegt als pdf (doc) -Datei im Installationsverzeichnis "
                       "vor!") +
        QStringLiteral("\r") + QStringLiteral("Starten (pdf-Reader erforderlich)? ");
    if (!Bestaetigung(this, frage)) return;
    const QString verzeichnis = QString::fromStdString(globals_.Programmverzeichnis);
    if (Hilfe_oeffnen(verzeichnis)) return;
    // Nothing opened: the player learns why and where the help lies.
    const QString datei = Hilfedatei(verzeichnis);
    if (QFileInfo::exists(datei))
        Meldung(this,
                QStringLiteral("Die Hilfe konnte nicht geöffnet werden: Für pdf-Dateien ist kein Programm "
                               "eingerichtet.\rDie Hilfe liegt in „%1“.")
                    .arg(QDir::toNativeSeparators(datei)));
    else
        Meldung(
            this,
            QStringLiteral("Die Hilfedatei „%1“ wurde nicht gefunden.").arg(QDir::toNativeSeparators(datei)));
}

void TForm_Lotto::MenuItem_ReihenkuerzungClick() {
    // The toolbar button stays enabled; it does nothing while the menu item is disabled. A second
    // start while a run is under way is ignored.
    if (!dm_ || kuerzung_laeuft_ || !MenuItem_Reihenkuerzung->isEnabled()) return;
    kuerzung_laeuft_ = true;
    {
        Eingabesperre sperre(this);
        // The running count reaches Edit_Reihen_Gesamt through the window state after each row.
        ausfuehren([this] { system::Reihenkuerzung_Befehl(*dm_); });
    }
    kuerzung_laeuft_ = false;
    repaint();
}

void TForm_Lotto::MenuItem_GewinnermittlungClick() {
    if (!dm_ || kuerzung_laeuft_) return;
    ausfuehren([this] {
        system::Gewinnermittlung_Bilanz bilanz;
        switch (system::Gewinnermittlung_Befehl(*dm_, &bilanz)) {
        case system::Gewinnermittlung_Ende::Keine_Reihen:
            Meldung(this, QString::fromUtf8(system::Text_Keine_Reihen));
            break;
        case system::Gewinnermittlung_Ende::Ergebnisse_fehlen:
            break; // the command has said so
        case system::Gewinnermittlung_Ende::Ausgefuehrt:
            // The grid shows the best row while the player reads what was found.
            if (bilanz.Beste_Reihe > 0)
                dm_->Table_Reihen.Locate("Reihe", {store::Value(static_cast<long long>(bilanz.Beste_Reihe))});
            Meldung(this, QString::fromStdString(
                              system::Text_Gewinnermittlung(bilanz.Reihen, bilanz.Beste_Richtige)));
            break;
        }
    });
}

} // namespace pyra::ui
