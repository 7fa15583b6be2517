// Spreadsheet import, update export and the online update.

#include "ui/form_lotto.h"

namespace pyra::ui {

void TForm_Lotto::Dialoge_Wartung_anlegen() {}
void TForm_Lotto::Dialoge_Wartung_binden() {}

void TForm_Lotto::Dialog_Zahlen_Quoten_einlesen_zeigen() {}
void TForm_Lotto::Dialog_Export_zeigen() {}
void TForm_Lotto::Aktualisierung_ausfuehren() {}

} // namespace pyra::ui
