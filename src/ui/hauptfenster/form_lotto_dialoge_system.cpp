// Analysis, reduction options and expected winnings dialogs.

#include "system/garantiebefehle_store.h"
#include "system/systembefehle_store.h"
#include "system/texte.h"
#include "ui/dialoge/form_analyse.h"
#include "ui/dialoge/form_garantiesystem.h"
#include "ui/dialoge/form_gewinnerwartung.h"
#include "ui/dialoge/form_kuerzung.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/hauptfenster/fensterzustand_lotto.h"
#include "ui/hauptfenster/form_lotto.h"

#include <QPointer>

namespace pyra::ui {

void TForm_Lotto::Dialoge_System_anlegen() {
    Form_Analyse = new TForm_Analyse(this);
    Form_Kuerzung = new TForm_Kuerzung(this);
    Form_Gewinnerwartung = new TForm_Gewinnerwartung(this);
    Form_Garantiesystem = new TForm_Garantiesystem(this);
}

void TForm_Lotto::Dialoge_System_binden() {
    Form_Analyse->binden(dm_);
    Form_Kuerzung->binden(dm_);
    Form_Gewinnerwartung->binden(dm_);
    Form_Garantiesystem->binden(dm_);
    if (!dm_) return;
    // The lock reaches the option controls of both dialogs whether they are showing or not.
    if (auto* zustand = dynamic_cast<Fensterzustand_Lotto*>(&dm_->fenster)) {
        QPointer<TForm_Kuerzung> kuerzung = Form_Kuerzung;
        QPointer<TForm_Analyse> analyse = Form_Analyse;
        zustand->Kuerzung_Optionen = [kuerzung](bool an) {
            if (kuerzung) kuerzung->Optionen(an);
        };
        zustand->Analyse_Optionen = [analyse](bool an) {
            if (analyse) analyse->Optionen(an);
        };
    }
}

void TForm_Lotto::Dialog_Analyse_zeigen() {
    Form_Analyse->zeigen(this);
}

void TForm_Lotto::Dialog_Kuerzung_zeigen() {
    Form_Kuerzung->zeigen(this);
}

void TForm_Lotto::Dialog_Garantiesystem_zeigen() {
    // Not while the system is locked or the selection holds a system (the menu item is disabled
    // then, and a shortcut must not get round it).
    if (!dm_ || !system::Garantiesystem_moeglich(*dm_)) return;
    Form_Garantiesystem->zeigen(this);
}

void TForm_Lotto::Dialog_Gewinnerwartung_zeigen() {
    if (!dm_) return;
    // Without a row of the selection there is nothing to simulate; the player learns why.
    if (!system::Gewinnerwartung_moeglich(*dm_)) {
        Meldung(this, QString::fromUtf8(system::Text_Keine_Reihen));
        return;
    }
    Form_Gewinnerwartung->zeigen(this);
}

} // namespace pyra::ui
