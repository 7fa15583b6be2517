#pragma once

// One program run for the window tests: the default database copied into a fresh program
// directory, the main window with its data module, message boxes answered from a script.

#include "common/tempdir.h"
#include "data/datamodule.h"
#include "data/datum.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/gemeinsam/qt_benutzerdialog.h"
#include "ui/hauptfenster/fensterzustand_lotto.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_checkbox.h"
#include "ui/steuerelemente/db_edit.h"
#include "ui/steuerelemente/db_lookupcombobox.h"

#include <QAction>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QtTest>

#include <filesystem>
#include <memory>

namespace pyra::test {

namespace fs = std::filesystem;

struct Lauf {
    TempDir dir;
    data::Globale_Zustaende globals;
    std::unique_ptr<ui::TForm_Lotto> form;
    std::unique_ptr<ui::Fensterzustand_Lotto> fenster;
    std::unique_ptr<ui::Qt_Benutzerdialog> dialog;
    std::unique_ptr<data::DataModule_Lotto> dm;
    QStringList meldungen, fragen;
    QList<bool> antworten; // answers in order; afterwards Yes

    Lauf(const std::string& vorlage, data::Datum heute) {
        for (const char* f : {"Datenbank_Lotto.tdbd", "Datenbank_Lotto_Update.tdbd"})
            if (fs::exists(fs::path(vorlage) / f)) fs::copy_file(fs::path(vorlage) / f, dir.path() / f);
        data::Uhr_setzen([heute] { return heute; });
        ui::Meldungen_umleiten({[this](const QString& t) { meldungen << t; },
                                [this](const QString& t) {
                                    fragen << t;
                                    return antworten.isEmpty() ? true : antworten.takeFirst();
                                }});
        globals.Programmverzeichnis = dir.dir();
        form = std::make_unique<ui::TForm_Lotto>(globals);
        fenster = std::make_unique<ui::Fensterzustand_Lotto>(*form);
        dialog = std::make_unique<ui::Qt_Benutzerdialog>();
        dm = std::make_unique<data::DataModule_Lotto>(globals, *fenster, *dialog);
        form->Datenmodul_setzen(dm.get(), dialog.get());
        form->FormShow();
    }
    ~Lauf() {
        try {
            dm->Datenbank_Close();
        } catch (...) {
        }
        form->Datenmodul_setzen(nullptr, nullptr);
        dm.reset();
        form.reset();
        ui::Meldungen_umleiten({});
        data::Uhr_setzen({});
    }

    int wahl(const char* feld) { return dm->Wahl(feld); }

    // Chooses a week in the selection list and closes it, as the user does with the mouse.
    void woche_waehlen(int woche) {
        form->DBLookupComboBox_Spielwoche->waehlen(woche);
        form->DBLookupComboBox_Spielwoche->hidePopup();
        QTest::qWait(1); // the close is announced after the list has written its choice
    }

    void reihen_anlegen(int anzahl) {
        for (int r = 1; r <= anzahl; ++r)
            dm->Table_Reihen.AppendRecord({wahl("ID_Verband"), wahl("Jahr_aktuell"), wahl("Woche_aktuell"),
                                           wahl("ID_Ziehung"), 0, 0, r, r, r + 7, r + 14, r + 21, r + 28,
                                           r + 35});
    }

    int gefuellte_reihen() {
        int n = 0;
        auto& t = dm->Table_Reihen;
        for (t.First(); !t.Eof(); t.Next())
            if (!t.FieldByName("Tipp_Zahl_1").IsNull()) ++n;
        t.First();
        return n;
    }

    bool board_frei() {
        for (auto* b : form->DBCheckBox_Zahl)
            if (!b->isEnabled()) return false;
        for (auto* e : form->DBEdit_Bankzahl)
            if (!e->isEnabled()) return false;
        return form->MenuItem_Reihenkuerzung->isEnabled();
    }
    bool board_gesperrt() {
        for (auto* b : form->DBCheckBox_Zahl)
            if (b->isEnabled()) return false;
        for (auto* e : form->DBEdit_Bankzahl)
            if (e->isEnabled()) return false;
        return !form->MenuItem_Reihenkuerzung->isEnabled();
    }

    // Types into a bound edit and leaves it.
    static void tippen_und_verlassen(QLineEdit* e, const QString& text) {
        e->selectAll();
        QTest::keyClicks(e, text);
        QFocusEvent aus(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(e, &aus);
    }
};

} // namespace pyra::test
