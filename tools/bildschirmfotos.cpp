// Takes the pictures of the help document on a real X server: the program on a fresh database
// with the shipped history, driven through the same handlers a player uses, each picture grabbed
// from the screen with the window manager's frame. scripts/bildschirmfotos.sh starts it under
// Xvfb with a window manager; the pictures go into the folder given as the only argument.
//
//   hauptfenster.png  main window after a 12-row reduction, a sort click and "Gewinnermittlung"
//   gewinnermittlung.png  the same with the message of "Gewinnermittlung"
//   ziehung.png       the draw-results dialog on the selected week
//   gewinnerwartung.png, kuerzung.png, analyse.png, zahlentipp.png, druckeinstellung.png,
//   ascii.png, export.png, zahlen_quoten_einlesen.png, copyright.png   the other dialogs
//   druck.png         the print dialog for Austria, whose slip has no layout, with the refusal
//   diagramme_<art>.png  the five tabs of the chart window, on number 13
//   garantiesystem.png, garantiesystem_suche.png  the guaranteed-system dialog of twenty numbers,
//                     before and during the search
//   gewinnerwartung_garantiesystem.png  the expected winnings of that system with the exact line

#include "data/datamodule.h"
#include "data/datum.h"
#include "data/standarddatenbank.h"
#include "system/garantiebefehle_store.h"
#include "system/systembefehle_store.h"
#include "ui/diagramme/form_diagramme.h"
#include "ui/dialoge/form_analyse.h"
#include "ui/dialoge/form_ascii.h"
#include "ui/dialoge/form_druck.h"
#include "ui/dialoge/form_druckeinstellung.h"
#include "ui/dialoge/form_export.h"
#include "ui/dialoge/form_garantiesystem.h"
#include "ui/dialoge/form_gewinnerwartung.h"
#include "ui/dialoge/form_kuerzung.h"
#include "ui/dialoge/form_zahlen_quoten_einlesen.h"
#include "ui/dialoge/form_zahlentipp.h"
#include "ui/dialoge/form_ziehung.h"
#include "ui/gemeinsam/anwendung.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/gemeinsam/qt_benutzerdialog.h"
#include "ui/hauptfenster/fensterzustand_lotto.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/hauptfenster/kernanbindung.h"
#include "ui/steuerelemente/db_checkbox.h"
#include "ui/steuerelemente/db_edit.h"
#include "ui/steuerelemente/db_lookupcombobox.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>
#include <set>

using namespace pyra;

namespace {

QString ziel;

void warten(int ms) {
    QEventLoop schleife;
    QTimer::singleShot(ms, &schleife, &QEventLoop::quit);
    schleife.exec();
}

// The screen area of the windows (with their frames), grabbed from the root window.
void aufnehmen(const QString& name, std::initializer_list<const QWidget*> fenster) {
    QRect bereich;
    for (const QWidget* w : fenster)
        if (w && w->isVisible()) bereich |= w->frameGeometry();
    QScreen* s = QGuiApplication::primaryScreen();
    const QPixmap bild = s->grabWindow(0, bereich.x(), bereich.y(), bereich.width(), bereich.height());
    const QString pfad = QDir(ziel).filePath(name);
    if (!bild.save(pfad))
        std::fprintf(stderr, "Kann %s nicht schreiben\n", qPrintable(pfad));
    else
        std::printf("%s\n", qPrintable(pfad));
}

// Runs `zeigen` (which opens a modal window) and, once it is on the screen, `dann`. When `zeigen`
// returns without a window, `dann` does not run.
void modal(const std::function<void()>& zeigen, const std::function<void()>& dann, int ms = 900) {
    QTimer uhr;
    uhr.setSingleShot(true);
    QObject::connect(&uhr, &QTimer::timeout, [dann] {
        if (QApplication::activeModalWidget()) dann();
    });
    uhr.start(ms);
    zeigen();
    uhr.stop();
}

QWidget* modales_fenster() {
    return QApplication::activeModalWidget();
}

void schliessen() {
    if (QWidget* w = modales_fenster()) w->close();
}

// Sets a bound box as the player does: types the text and leaves the box.
void eingeben(ui::DBEdit* feld, const QString& text) {
    feld->setText(text);
    feld->setModified(true);
    feld->uebernehmen();
}

} // namespace

int main(int argc, char** argv) {
    ui::Lotto_Anwendung app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: %s ZIELORDNER\n", argv[0]);
        return 2;
    }
    ziel = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(ziel);
    ui::Uebersetzungen_laden(app);
    ui::Stil_anwenden(app);

    QTemporaryDir ordner;
    data::Globale_Zustaende globals;
    globals.Programmverzeichnis = QDir(ordner.path()).absolutePath().toStdString() + "/";
    // A Thursday of week 4 of 2026: the Saturday draw of that week and its quotas (two winners of
    // more than eight million each in class 1) are in the shipped history.
    const data::Datum heute{2026, 1, 22};
    data::Uhr_setzen([heute] { return heute; });
    if (!data::Standarddatenbank_anlegen(globals.Programmverzeichnis, heute,
                                         ui::kern::Standarddatenbank_nachbereiten())) {
        std::fprintf(stderr, "Die Datenbank kann nicht angelegt werden\n");
        return 1;
    }

    ui::TForm_Lotto form(globals);
    ui::Fensterzustand_Lotto fenster(form);
    ui::Qt_Benutzerdialog dialog;
    auto dm = std::make_unique<data::DataModule_Lotto>(globals, fenster, dialog);
    form.Datenmodul_setzen(dm.get(), &dialog);
    form.show();
    // The pointer of the virtual screen starts in its middle, over the statistics grid, whose hint
    // would fill the status bar: it is moved off the window.
    QCursor::setPos(form.frameGeometry().bottomRight() + QPoint(40, 40));
    warten(1500);

    // Questions of the scripted steps are answered Yes, their messages only collected; the steps
    // whose message belongs in the picture show it.
    const auto still = [] {
        ui::Meldungen_umleiten({[](const QString&) {}, [](const QString&) { return true; }});
    };
    still();

    // A system of twelve numbers and one bank number, reduced to 12 rows, and the statistics by
    // probability.
    for (int z : {3, 7, 12, 16, 19, 23, 28, 32, 35, 38, 42, 47}) form.DBCheckBox_Zahl[z - 1]->click();
    eingeben(form.DBEdit_Bankzahl[0], QStringLiteral("7"));
    eingeben(form.DBEdit_Reihen, QStringLiteral("12"));
    form.DBEdit_ReihenExit();
    system::Laufoptionen lauf;
    lauf.Startwert = 20260122;
    system::Reihenkuerzung_Befehl(*dm, lauf);
    form.RadioButton_Sortierung[1]->click();
    ui::Meldungen_umleiten({});
    warten(300);

    // "Gewinnermittlung" says what it found; the grid stands on the best row.
    modal([&] { form.MenuItem_Gewinnermittlung->trigger(); },
          [&] {
              aufnehmen(QStringLiteral("gewinnermittlung.png"), {&form});
              schliessen();
          });
    warten(500);
    aufnehmen(QStringLiteral("hauptfenster.png"), {&form});

    modal([&] { form.MenuItem_Eingabe_Daten->trigger(); },
          [&] {
              aufnehmen(QStringLiteral("ziehung.png"), {modales_fenster()});
              schliessen();
          });
    modal([&] { form.MenuItem_Zahlentipp->trigger(); },
          [&] {
              aufnehmen(QStringLiteral("zahlentipp.png"), {modales_fenster()});
              schliessen();
          });
    // The options of a locked system: disabled, and readable on the teal background.
    modal([&] { form.MenuItem_Analyse->trigger(); },
          [&] {
              aufnehmen(QStringLiteral("analyse.png"), {modales_fenster()});
              schliessen();
          });
    modal([&] { form.MenuItem_Kuerzung->trigger(); },
          [&] {
              aufnehmen(QStringLiteral("kuerzung.png"), {modales_fenster()});
              schliessen();
          });
    // Opened on the best row; then run again up to row 12.
    modal([&] { form.MenuItem_Gewinnerwartung->trigger(); },
          [&] {
              form.Form_Gewinnerwartung->Edit_bis_Reihe->setText(QStringLiteral("12"));
              form.Form_Gewinnerwartung->BitBtn_Berechnung->click();
              warten(300);
              aufnehmen(QStringLiteral("gewinnerwartung.png"), {modales_fenster()});
              schliessen();
          },
          3000);
    modal([&] { form.MenuItem_Einstellungen->trigger(); },
          [&] {
              aufnehmen(QStringLiteral("druckeinstellung.png"), {modales_fenster()});
              schliessen();
          });
    modal([&] { form.MenuItem_ASCIIFormat->trigger(); },
          [&] {
              aufnehmen(QStringLiteral("ascii.png"), {modales_fenster()});
              schliessen();
          });
    modal([&] { form.FormKeyDown(Qt::Key_F8); },
          [&] {
              eingeben(form.Form_Export->DBEdit_Jahr, QStringLiteral("2024"));
              aufnehmen(QStringLiteral("export.png"), {modales_fenster()});
              schliessen();
          });
    modal([&] { form.FormKeyDown(Qt::Key_F7); },
          [&] {
              auto* d = form.Form_Zahlen_Quoten_einlesen;
              eingeben(d->DBEdit_Jahr, QStringLiteral("2025"));
              eingeben(d->DBEdit_Woche_von, QStringLiteral("1"));
              eingeben(d->DBEdit_Woche_bis, QStringLiteral("53"));
              eingeben(d->DBEdit_Excel_Datei, QStringLiteral("/home/lotto/Zahlen_Quoten_2025.xlsx"));
              d->DBEdit_Excel_Datei->setCursorPosition(0);
              warten(200);
              aufnehmen(QStringLiteral("zahlen_quoten_einlesen.png"), {modales_fenster()});
              schliessen();
          });
    modal([&] { form.MenuItem_Copyright->trigger(); },
          [&] {
              aufnehmen(QStringLiteral("copyright.png"), {modales_fenster()});
              schliessen();
          });

    // The chart window, opened from the statistics grid on number 13, one picture a tab; the
    // recurrence chart with z = 2.
    dm->Table_Zahl_Daten.Locate("Zahl", {13});
    form.MenuItem_Gitter_Diagramme->trigger();
    ui::TForm_Diagramme* diagramme = form.Form_Diagramme;
    diagramme->ComboBox_Wiederholung->setCurrentIndex(1);
    warten(800);
    for (int i = 0; i < ui::kAnzahl_Diagramme; ++i) {
        diagramme->TabWidget_Diagramme->setCurrentIndex(i);
        warten(300);
        aufnehmen(QStringLiteral("diagramme_%1.png")
                      .arg(QString::fromStdString(ui::Diagrammart_Name(static_cast<ui::Diagrammart>(i)))),
                  {diagramme});
    }
    diagramme->close();

    // The guaranteed system: twenty numbers without a bank number, at least 4 hits if 6 of them
    // are drawn. The dialog before the search and at the search's first report; then the expected
    // winnings of the stored system with the exact line.
    still();
    form.CheckBox_System->click(); // unlocked, so the marks may change
    eingeben(form.DBEdit_Bankzahl[0], QString());
    const std::set<int> zwanzig{2, 5, 7, 11, 13, 16, 18, 21, 24, 26, 29, 31, 33, 35, 37, 40, 42, 44, 46, 48};
    for (int z = 1; z <= 49; ++z)
        if (form.DBCheckBox_Zahl[z - 1]->isChecked() != zwanzig.contains(z))
            form.DBCheckBox_Zahl[z - 1]->click();
    warten(300);
    // The handler of the menu item, which the menu enables when it opens. The search's closing
    // message is only collected.
    modal([&] { form.MenuItem_GarantiesystemClick(); },
          [&] {
              auto* d = form.Form_Garantiesystem;
              d->SpinEdit_Richtige->setValue(4);
              d->SpinEdit_Gewinnzahlen->setValue(6);
              warten(200);
              aufnehmen(QStringLiteral("garantiesystem.png"), {d});
              bool aufgenommen = false;
              d->bei_fortschritt = [&](const system::Garantiefortschritt& f) {
                  if (aufgenommen || f.Reihen == 0) return;
                  aufgenommen = true;
                  warten(200); // the screen shows the running search before it is grabbed
                  aufnehmen(QStringLiteral("garantiesystem_suche.png"), {d});
              };
              d->BitBtn_Start->click(); // stores the system and closes the dialog
              d->bei_fortschritt = {};
          });
    ui::Meldungen_umleiten({});
    dm->Table_Lotto.Edit();
    dm->Table_Lotto.FieldByName("Gewinnerwartung").SetInteger(5000);
    dm->Table_Lotto.Post();
    dm->Table_Reihen.Last();
    modal([&] { form.MenuItem_Gewinnerwartung->trigger(); },
          [&] {
              aufnehmen(QStringLiteral("gewinnerwartung_garantiesystem.png"), {modales_fenster()});
              schliessen();
          },
          3000);

    // Austria (6 aus 45): numbers 46 to 49 cannot be marked; its slip has no layout, so "Drucken"
    // refuses and says what is missing.
    still();
    form.DBLookupComboBox_Verband->waehlen(4);
    form.DBLookupComboBox_AuswahllistenCloseUp();
    for (int z : {2, 5, 9, 13, 17, 21, 24, 28, 33, 36, 40, 44}) form.DBCheckBox_Zahl[z - 1]->click();
    eingeben(form.DBEdit_Reihen, QStringLiteral("12"));
    form.DBEdit_ReihenExit();
    system::Reihenkuerzung_Befehl(*dm, lauf);
    form.CheckBox_System->click(); // unlocked: the status bar says what the next change does
    ui::Meldungen_umleiten({});
    warten(300);
    modal([&] { form.MenuItem_Spielscheine->trigger(); },
          [&] {
              modal([&] { form.Form_Druck->BitBtn_Druck->click(); },
                    [&] {
                        aufnehmen(QStringLiteral("druck.png"), {&form});
                        schliessen();
                    });
              schliessen();
          });

    still();
    form.close();
    dm->Datenbank_Close();
    form.Datenmodul_setzen(nullptr, nullptr);
    dm.reset();
    return 0;
}
