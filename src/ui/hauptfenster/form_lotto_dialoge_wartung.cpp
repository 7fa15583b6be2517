// Spreadsheet import, update export and the online update.

#include "maintenance/aktualisierung.h"
#include "ui/dialoge/form_export.h"
#include "ui/dialoge/form_zahlen_quoten_einlesen.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/hauptfenster/form_lotto.h"

#include <QApplication>

namespace pyra::ui {

void TForm_Lotto::Dialoge_Wartung_anlegen() {
    Form_Export = new TForm_Export(this);
    Form_Export->hide();
    Form_Zahlen_Quoten_einlesen = new TForm_Zahlen_Quoten_einlesen(this);
    Form_Zahlen_Quoten_einlesen->hide();
}

void TForm_Lotto::Dialoge_Wartung_binden() {
    Form_Export->binden(dm_);
    Form_Zahlen_Quoten_einlesen->binden(dm_);
}

void TForm_Lotto::Dialog_Zahlen_Quoten_einlesen_zeigen() {
    if (!dm_) return;
    Form_Zahlen_Quoten_einlesen->zeigen(this);
}

void TForm_Lotto::Dialog_Export_zeigen() {
    if (!dm_) return;
    Form_Export->zeigen(this);
}

void TForm_Lotto::Aktualisierung_ausfuehren() {
    if (!dm_) return;
    // The connectivity test and the download block this thread: the hourglass shows it from the
    // start. Message boxes of the update show the normal pointer while they wait for the user.
    ausfuehren([this] {
        Sanduhr sanduhr;
        maintenance::Aktualisierung aktualisierung(*dm_);
        if (!Aktualisierungsadresse().empty()) aktualisierung.url = Aktualisierungsadresse();
        // Closes the update and unrestricted cursors and refreshes the selection's draw and
        // prize cursors itself; a failed merge leaves the main tables as they were.
        aktualisierung.Aktualisierung_durchfuehren();
    });
}

} // namespace pyra::ui
