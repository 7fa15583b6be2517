#include "ui/hauptfenster/fensterzustand_lotto.h"

#include "ui/hauptfenster/form_lotto.h"

namespace pyra::ui {

void Fensterzustand_Lotto::Optionen_Lotto(bool enabled) {
    data::Fensterzustand::Optionen_Lotto(enabled);
    form_.Optionen(enabled);
}

void Fensterzustand_Lotto::Optionen_Kuerzung(bool enabled) {
    data::Fensterzustand::Optionen_Kuerzung(enabled);
    if (Kuerzung_Optionen) Kuerzung_Optionen(enabled);
}

void Fensterzustand_Lotto::Optionen_Analyse(bool enabled) {
    data::Fensterzustand::Optionen_Analyse(enabled);
    if (Analyse_Optionen) Analyse_Optionen(enabled);
}

void Fensterzustand_Lotto::CheckBox_System_setzen(bool checked) {
    data::Fensterzustand::CheckBox_System_setzen(checked);
    form_.CheckBox_System_setzen(checked);
}

void Fensterzustand_Lotto::Reihen_Gesamt_anzeigen(const std::string& text) {
    data::Fensterzustand::Reihen_Gesamt_anzeigen(text);
    form_.Reihen_Gesamt_anzeigen(QString::fromStdString(text));
}

void Fensterzustand_Lotto::Reihengitter_binden(bool mit_reihen) {
    data::Fensterzustand::Reihengitter_binden(mit_reihen);
    form_.Reihengitter_binden(mit_reihen);
}

} // namespace pyra::ui
