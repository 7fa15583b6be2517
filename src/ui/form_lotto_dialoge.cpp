// The dialogs of the main window, one method each. Each dialog is placed by Dialog_platzieren and
// shown modally from here; the dialogs that later work adds are shown from these methods.

#include "ui/form_copyright.h"
#include "ui/form_lotto.h"

namespace pyra::ui {

void TForm_Lotto::Dialog_Ziehung_zeigen() {}
void TForm_Lotto::Dialog_Zahlentipp_zeigen() {}
void TForm_Lotto::Dialog_Kuerzung_zeigen() {}
void TForm_Lotto::Dialog_Analyse_zeigen() {}
void TForm_Lotto::Dialog_Gewinnerwartung_zeigen() {}
void TForm_Lotto::Dialog_Druckeinstellung_zeigen() {}
void TForm_Lotto::Dialog_Druck_zeigen() {}
void TForm_Lotto::Dialog_ASCII_zeigen() {}
void TForm_Lotto::Dialog_Export_zeigen() {}
void TForm_Lotto::Dialog_Zahlen_Quoten_einlesen_zeigen() {}
void TForm_Lotto::Aktualisierung_ausfuehren() {}

void TForm_Lotto::Dialog_Copyright_zeigen() {
    Form_Copyright->zeigen(dm_, this);
}

} // namespace pyra::ui
