// Slip layout, slip printing and text export dialogs.

#include "ui/form_lotto.h"

namespace pyra::ui {

void TForm_Lotto::Dialoge_Druck_anlegen() {}
void TForm_Lotto::Dialoge_Druck_binden() {}

void TForm_Lotto::Dialog_Druckeinstellung_zeigen() {}
void TForm_Lotto::Dialog_Druck_zeigen() {}
void TForm_Lotto::Dialog_ASCII_zeigen() {}

} // namespace pyra::ui
