#pragma once

// The main window: selection lists, number board, rows of the system, statistics grid, settings,
// menu, toolbar, keys and status bar. Each handler is a thin call into the data module and the
// core operations. The code is split by area: form_lotto.cpp (frame, menu, keys, status bar, start
// and close), form_lotto_werkzeug.cpp (toolbar), form_lotto_zahlenfeld.cpp (board),
// form_lotto_statistik.cpp (statistics grid and sort buttons), form_lotto_einstellung.cpp (rows
// grid, settings, pictures, homepage labels), form_lotto_befehle.cpp (menu commands),
// form_lotto_dialoge*.cpp (the dialogs, one method each).

#include "data/datamodule.h"

#include <QMainWindow>

#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QToolButton;

namespace pyra::ui {

class DBCheckBox;
class DBEdit;
class DBGrid;
class DBLookupComboBox;
class Qt_Benutzerdialog;
class Statusleiste;
class TForm_Copyright;
class TForm_Diagramme;
class TForm_Ziehung;
class TForm_Zahlentipp;
class TForm_Kuerzung;
class TForm_Analyse;
class TForm_Gewinnerwartung;
class TForm_Garantiesystem;
class TForm_Druckeinstellung;
class TForm_Druck;
class TForm_ASCII;
class TForm_Export;
class TForm_Zahlen_Quoten_einlesen;

class TForm_Lotto : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm_Lotto(data::Globale_Zustaende& globals, QWidget* eltern = nullptr);
    ~TForm_Lotto() override;

    // Binds the controls to the data module's sources once it exists; nullptr unbinds them
    // (before the data module goes away).
    void Datenmodul_setzen(data::DataModule_Lotto* dm, Qt_Benutzerdialog* dialog);
    data::DataModule_Lotto* Datenmodul() const { return dm_; }

    // --- Handlers -------------------------------------------------------------------------
    void FormShow();  // start sequence (first show)
    void FormClose(); // close step
    void FormKeyDown(int taste);
    void DBLookupComboBox_AuswahllistenCloseUp(); // selection commit
    void DBLookupComboBox_AuswahllistenKeyUp();
    void DBCheckBox_Click(int zahl);
    void RadioGroup_SortierungClick();
    void DBEdit_ReihenExit();
    void CheckBox_SystemClick();
    void Label_HomepageClick();
    void MenuItem_HilfeClick();
    void MenuItem_ZiehungClick();
    void MenuItem_AktualisierungClick();
    void MenuItem_ZahlentippClick();
    void MenuItem_DiagrammeClick();
    void MenuItem_ReihenkuerzungClick();
    void MenuItem_GewinnerwartungClick();
    void MenuItem_GarantiesystemClick();
    void MenuItem_GewinnermittlungClick();
    void MenuItem_Optionen_KuerzungClick();
    void MenuItem_AnalyseClick();
    void MenuItem_DruckClick();
    void MenuItem_Ablage_ASCIIClick();
    void MenuItem_DruckeinstellungenClick();
    void MenuItem_CopyrightClick();

    // --- The dialogs: one method each; the dialogs of later work are shown from here. -------
    void Dialog_Ziehung_zeigen();
    void Dialog_Zahlentipp_zeigen();
    // The chart window; from the statistics grid's context menu its Verlauf chart takes the grid's
    // current number.
    void Dialog_Diagramme_zeigen(bool zahl_aus_gitter = false);
    void Dialog_Kuerzung_zeigen();
    void Dialog_Analyse_zeigen();
    void Dialog_Gewinnerwartung_zeigen();
    void Dialog_Garantiesystem_zeigen();
    void Dialog_Druckeinstellung_zeigen();
    void Dialog_Druck_zeigen();
    void Dialog_ASCII_zeigen();
    void Dialog_Export_zeigen();
    void Dialog_Zahlen_Quoten_einlesen_zeigen();
    void Dialog_Copyright_zeigen();
    void Aktualisierung_ausfuehren();

    // --- Command enabling (called through the window state the data module holds) ----------
    // The 49 board boxes, the bank numbers and "Reihenkürzung".
    void Optionen(bool enabled);
    void Reihen_Gesamt_anzeigen(const QString& text);
    void CheckBox_System_setzen(bool checked);
    void Reihengitter_binden(bool mit_reihen);

    // True while "Reihenkürzung" runs.
    bool Kuerzung_laeuft() const { return kuerzung_laeuft_; }

    // The checked sort button: 0..5 for "Z", "W%", "Hf", "Rs", "HJ", "RJ".
    int Sortierung_gewaehlt() const;

    // --- Controls (object names as the control names) -------------------------------------
    QFrame* Panel_Speedbuttons_Wahl = nullptr;
    QToolButton* SpeedButton_Ziehungen = nullptr;
    QToolButton* SpeedButton_Reihenkuerzung = nullptr;
    QLabel* Label_Reihen_Panel = nullptr;
    QLineEdit* Edit_Reihen_Gesamt = nullptr;
    QToolButton* SpeedButton_Drucken = nullptr;
    QFrame* Bevel_Sortierung = nullptr;
    std::array<QRadioButton*, 6> RadioButton_Sortierung{};
    DBLookupComboBox* DBLookupComboBox_Ziehung = nullptr;
    DBLookupComboBox* DBLookupComboBox_Spielwoche = nullptr;
    DBLookupComboBox* DBLookupComboBox_Jahr = nullptr;
    DBLookupComboBox* DBLookupComboBox_Verband = nullptr;

    QFrame* Panel_Zahlen = nullptr;
    std::array<DBCheckBox*, 49> DBCheckBox_Zahl{}; // DBCheckBox_01 .. DBCheckBox_49
    QFrame* Bevel_Bankzahlen = nullptr;
    QLabel* Label_Bankzahlen = nullptr;
    std::array<DBEdit*, 3> DBEdit_Bankzahl{};
    DBGrid* DBGrid_Reihen_Kuerzung = nullptr;
    QFrame* Bevel_Zahlen = nullptr;
    DBGrid* DBGrid_Zahlen = nullptr;
    QLabel* Image_Spielschein = nullptr;
    QGroupBox* GroupBox_Einstellung = nullptr;
    QLabel* Label_Zahlen = nullptr;
    DBEdit* DBEdit_Zahlen = nullptr;
    QLabel* Label_Reihen = nullptr;
    DBEdit* DBEdit_Reihen = nullptr;
    QCheckBox* CheckBox_System = nullptr;
    QLabel* Image_Zolts = nullptr;
    QLabel* Label_Homepage = nullptr;
    QLabel* Label_Software_fuer = nullptr;
    QLabel* Label_Software = nullptr;
    Statusleiste* StatusBar = nullptr;

    QAction* MenuItem_Eingabe_Daten = nullptr;
    QAction* MenuItem_Aktualisierung = nullptr;
    QAction* MenuItem_Zahlentipp = nullptr;
    QAction* MenuItem_Diagramme = nullptr;
    QAction* MenuItem_Gitter_Diagramme = nullptr; // the statistics grid's context menu
    QAction* MenuItem_Reihenkuerzung = nullptr;
    QAction* MenuItem_Garantiesystem = nullptr;
    QAction* MenuItem_Gewinnerwartung = nullptr;
    QAction* MenuItem_Gewinnermittlung = nullptr;
    QAction* MenuItem_Kuerzung = nullptr;
    QAction* MenuItem_Analyse = nullptr;
    QAction* MenuItem_Spielscheine = nullptr;
    QAction* MenuItem_ASCIIFormat = nullptr;
    QAction* MenuItem_Einstellungen = nullptr;
    QAction* MenuItem_Hilfe = nullptr;
    QAction* MenuItem_Copyright = nullptr;

    // The dialogs, created once with the window and only shown and hidden afterwards.
    TForm_Copyright* Form_Copyright = nullptr;
    TForm_Ziehung* Form_Ziehung = nullptr;
    TForm_Zahlentipp* Form_Zahlentipp = nullptr;
    TForm_Diagramme* Form_Diagramme = nullptr; // not modal: stays open beside the window
    TForm_Kuerzung* Form_Kuerzung = nullptr;
    TForm_Analyse* Form_Analyse = nullptr;
    TForm_Gewinnerwartung* Form_Gewinnerwartung = nullptr;
    TForm_Garantiesystem* Form_Garantiesystem = nullptr;
    TForm_Druckeinstellung* Form_Druckeinstellung = nullptr;
    TForm_Druck* Form_Druck = nullptr;
    TForm_ASCII* Form_ASCII = nullptr;
    TForm_Export* Form_Export = nullptr;
    TForm_Zahlen_Quoten_einlesen* Form_Zahlen_Quoten_einlesen = nullptr;

  protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;

  private:
    QWidget* Arbeitsflaeche_anlegen();
    void Menue_anlegen();
    void Tasten_anlegen();
    void Werkzeugleiste_anlegen(QWidget* flaeche);
    void Zahlenfeld_anlegen(QWidget* flaeche);
    void Statistik_anlegen(QWidget* flaeche);
    void Einstellung_anlegen(QWidget* flaeche);
    void Werkzeugleiste_binden();
    void Zahlenfeld_binden();
    void Statistik_binden();
    void Einstellung_binden();
    // The dialogs by group: created with the window, bound to the data module (or unbound when it
    // is gone). form_lotto_dialoge_ziehung.cpp (draw results, number tip),
    // form_lotto_dialoge_system.cpp (analysis, reduction options, expected winnings),
    // form_lotto_dialoge_wartung.cpp (import, export, update), form_lotto_dialoge_druck.cpp
    // (slip layout, printing, text export).
    void Dialoge_Ziehung_anlegen();
    void Dialoge_Ziehung_binden();
    void Dialoge_System_anlegen();
    void Dialoge_System_binden();
    void Dialoge_Wartung_anlegen();
    void Dialoge_Wartung_binden();
    void Dialoge_Druck_anlegen();
    void Dialoge_Druck_binden();
    void Dialoge_Diagramme_anlegen(); // form_lotto_dialoge_diagramme.cpp (charts)
    void Dialoge_Diagramme_binden();
    void Texte_aus_Wahl();
    // Chooses the font sizes at which every caption and the largest value of every box fit the
    // layout's sizes.
    void Schriften_einpassen();
    void Homepage_einpassen();
    // The picture of the association's play slip.
    void Spielschein_zeigen(int zahlen_bis);
    // Zahlen_bis of the association, 49 while there is none.
    int zahlen_bis() const;
    void Hinweis_anzeigen(const QString& text);
    // Runs a handler; an error of the store reaches the default error report.
    void ausfuehren(const std::function<void()>& handler);

    data::Globale_Zustaende& globals_;
    data::DataModule_Lotto* dm_ = nullptr;
    Qt_Benutzerdialog* dialog_ = nullptr;
    bool gezeigt_ = false;
    bool geschlossen_ = false;
    bool kuerzung_laeuft_ = false;
    int sortierung_ = 0;
    int sortierung_in_kraft_ = 0; // the button of the order the grid shows
};

// The status bar's note when the player unlocks a system with rows.
QString Hinweis_entsperrt(int reihen);

// Places a control at (left, top) with a size, as the layout tables give them.
void platzieren(QWidget* w, int links, int oben, int breite = -1, int hoehe = -1);
// Sizes the controls placed without a size to their text again (after the fonts are set).
void Groesse_anpassen(QWidget* wurzel);
// Sets object name, tool tip and status tip of a control.
void benennen(QWidget* w, const char* name, const QString& hinweis = {});

} // namespace pyra::ui
