// The chart window: created with the main window, shown beside it without blocking it.

#include "ui/diagramme/form_diagramme.h"
#include "ui/hauptfenster/form_lotto.h"

namespace pyra::ui {

void TForm_Lotto::Dialoge_Diagramme_anlegen() {
    Form_Diagramme = new TForm_Diagramme(this);
}

void TForm_Lotto::Dialoge_Diagramme_binden() {
    if (Form_Diagramme) Form_Diagramme->binden(dm_);
}

void TForm_Lotto::Dialog_Diagramme_zeigen(bool zahl_aus_gitter) {
    if (!dm_ || !Form_Diagramme) return;
    Form_Diagramme->zeigen(this, zahl_aus_gitter);
}

} // namespace pyra::ui
