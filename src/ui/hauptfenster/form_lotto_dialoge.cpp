// The About box. The other dialogs are shown from form_lotto_dialoge_*.cpp, one file per group.

#include "ui/dialoge/form_copyright.h"
#include "ui/hauptfenster/form_lotto.h"

namespace pyra::ui {

void TForm_Lotto::Dialog_Copyright_zeigen() {
    Form_Copyright->zeigen(dm_, this);
}

} // namespace pyra::ui
