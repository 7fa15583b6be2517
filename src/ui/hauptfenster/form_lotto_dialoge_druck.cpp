// Slip layout, slip printing and text export dialogs.

#include "ui/dialoge/form_ascii.h"
#include "ui/dialoge/form_druck.h"
#include "ui/dialoge/form_druckeinstellung.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_lookupcombobox.h"

namespace pyra::ui {

void TForm_Lotto::Dialoge_Druck_anlegen() {
    Form_Druckeinstellung = new TForm_Druckeinstellung(this);
    Form_Druck = new TForm_Druck(this);
    Form_ASCII = new TForm_ASCII(this);
}

void TForm_Lotto::Dialoge_Druck_binden() {
    Form_Druckeinstellung->binden(dm_);
    Form_Druck->binden(dm_);
    Form_ASCII->binden(dm_);
}

void TForm_Lotto::Dialog_Druckeinstellung_zeigen() {
    // The caption names the association as the association list shows it.
    Form_Druckeinstellung->zeigen(this, DBLookupComboBox_Verband->currentText());
}

void TForm_Lotto::Dialog_Druck_zeigen() {
    Form_Druck->zeigen(this);
}

void TForm_Lotto::Dialog_ASCII_zeigen() {
    Form_ASCII->zeigen(this);
}

} // namespace pyra::ui
