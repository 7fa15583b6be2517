// Draw results and number tip dialogs.

#include "ui/dialoge/form_zahlentipp.h"
#include "ui/dialoge/form_ziehung.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_lookupcombobox.h"

namespace pyra::ui {

void TForm_Lotto::Dialoge_Ziehung_anlegen() {
    Form_Ziehung = new TForm_Ziehung(this);
    Form_Zahlentipp = new TForm_Zahlentipp(this);
}

void TForm_Lotto::Dialoge_Ziehung_binden() {
    if (Form_Ziehung) Form_Ziehung->binden(dm_);
    if (Form_Zahlentipp) Form_Zahlentipp->binden(dm_);
}

void TForm_Lotto::Dialog_Ziehung_zeigen() {
    if (!dm_ || !Form_Ziehung) return;
    Form_Ziehung->zeigen(this, DBLookupComboBox_Ziehung->currentText());
}

void TForm_Lotto::Dialog_Zahlentipp_zeigen() {
    if (!dm_ || !Form_Zahlentipp) return;
    Form_Zahlentipp->zeigen(this);
}

} // namespace pyra::ui
