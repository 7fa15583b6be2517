// pyra-lotto: the desktop program. Single-instance guard, application and style, the program
// directory with its default database, the main window and the data module, the message loop,
// and closing the database at the end.

#include "data/datamodule.h"
#include "data/programmverzeichnis.h"
#include "data/standarddatenbank.h"
#include "platform/instanz/einzelinstanz.h"
#include "ui/gemeinsam/anwendung.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/gemeinsam/qt_benutzerdialog.h"
#include "ui/hauptfenster/fensterzustand_lotto.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/hauptfenster/kernanbindung.h"

#include <memory>
#include <string>
#include <vector>

using namespace pyra;

int main(int argc, char** argv) {
    ui::Lotto_Anwendung app(argc, argv);
    data::Globale_Zustaende globals;
    try {
        globals.Programmverzeichnis = data::Programmverzeichnis_bestimmen();
    } catch (const std::exception& e) {
        ui::Fehlerbericht(nullptr, QString::fromUtf8(e.what()));
        return 1;
    }

    // Before anything touches the database: only one process works on it.
    platform::Einzelinstanz sperre(globals.Programmverzeichnis);
    if (!sperre.erhalten()) {
        ui::Meldung(nullptr, QString::fromUtf8(platform::Meldung_laeuft_bereits));
        return 0;
    }

    ui::Uebersetzungen_laden(app);
    const QString stilfehler = ui::Stil_anwenden(app);
    if (!stilfehler.isEmpty()) ui::Meldung(nullptr, stilfehler);

    try {
        // A missing database is created with the shipped history; an existing file is never
        // touched here (one that cannot be opened is reported by the start sequence).
        std::vector<std::string> beiseite;
        data::Standarddatenbank_anlegen(globals.Programmverzeichnis, data::Heute(),
                                        ui::kern::Standarddatenbank_nachbereiten(), &beiseite);
        if (!beiseite.empty())
            ui::Meldung(nullptr, QString::fromStdString(data::Meldung_Begleitdateien(beiseite)));
    } catch (const std::exception& e) {
        ui::Fehlerbericht(nullptr, QString::fromUtf8(e.what()));
        return 1;
    }

    // The windows first, then the data module; creating them does not touch the database.
    ui::TForm_Lotto form(globals);
    ui::Fensterzustand_Lotto fenster(form);
    ui::Qt_Benutzerdialog dialog;
    auto dm = std::make_unique<data::DataModule_Lotto>(globals, fenster, dialog);
    form.Datenmodul_setzen(dm.get(), &dialog);

    form.show(); // the first show runs the start sequence
    const int rc = app.exec();

    try {
        dm->Datenbank_Close();
    } catch (const std::exception& e) {
        ui::Fehlerbericht(nullptr, QString::fromUtf8(e.what()));
    }
    form.Datenmodul_setzen(nullptr, nullptr);
    dm.reset();
    return rc;
}
