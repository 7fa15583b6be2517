// Analysis, reduction options and expected winnings dialogs.

#include "ui/form_lotto.h"

namespace pyra::ui {

void TForm_Lotto::Dialoge_System_anlegen() {}
void TForm_Lotto::Dialoge_System_binden() {}

void TForm_Lotto::Dialog_Analyse_zeigen() {}
void TForm_Lotto::Dialog_Kuerzung_zeigen() {}
void TForm_Lotto::Dialog_Gewinnerwartung_zeigen() {}

} // namespace pyra::ui
