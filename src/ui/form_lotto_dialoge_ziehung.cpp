// Draw results and number tip dialogs.

#include "ui/form_lotto.h"

namespace pyra::ui {

void TForm_Lotto::Dialoge_Ziehung_anlegen() {}
void TForm_Lotto::Dialoge_Ziehung_binden() {}

void TForm_Lotto::Dialog_Ziehung_zeigen() {}
void TForm_Lotto::Dialog_Zahlentipp_zeigen() {}

} // namespace pyra::ui
