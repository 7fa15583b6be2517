#include "output/druckformular_store.h"

#include "output/datenzugriff_store.h"
#include "output/spielschein_druck.h"
#include "output/spielscheine.h"

#include <algorithm>
#include <vector>

namespace pyra::output {

namespace {

bool reihe_anwaehlen(store::Table& reihen, std::int64_t reihe) {
    return reihen.Active() && reihen.Locate("Reihe", {store::Value(static_cast<long long>(reihe))});
}

} // namespace

void Druckformular::FormShow() {
    ListBox_Spielschein = 0;
    Reihenbereich_setzen();
}

void Druckformular::Reihenbereich_setzen() {
    Reihen_pro_Spielschein = Reihenfelder_zaehlen(Scheinlayout_aus_Lotto(dm_));
    const Reihenbereich bereich = Reihenbereich_berechnen(ListBox_Spielschein, Reihen_pro_Spielschein);
    Edit_Reihe_von = Reihenzahl_Text(bereich.von);
    Edit_Reihe_bis = Reihenzahl_Text(bereich.bis);
    BitBtn_Druck = Druck_moeglich();
}

bool Druckformular::Druck_moeglich() {
    const auto von = Ganzzahl_lesen(Edit_Reihe_von);
    if (!von || !reihe_anwaehlen(dm_.Table_Reihen, *von)) return false;
    return !dm_.Table_Reihen.FieldByName("Tipp_Zahl_1").IsNull();
}

bool Druckformular::Spielschein_drucken(Drucker& drucker) {
    const auto von = Ganzzahl_lesen(Edit_Reihe_von);
    const auto bis = Ganzzahl_lesen(Edit_Reihe_bis);
    if (!von || !bis) {
        dm_.dialog.Meldung(Meldung_Anzahl_Reihen);
        return false;
    }
    const Scheinlayout layout = Scheinlayout_aus_Lotto(dm_);
    // Without a row box every mark would miss the slip: nothing is printed or written.
    if (Reihenfelder_zaehlen(layout) == 0) {
        dm_.dialog.Meldung(Meldung_Kein_Scheinlayout);
        return false;
    }
    // A range longer than the slip's row boxes prints only as many rows as it has boxes.
    Reihen_pro_Spielschein =
        static_cast<int>(std::clamp<std::int64_t>(*bis - *von + 1, 0, Reihenfelder_zaehlen(layout)));

    // The rows of the range in cursor order, read the way the printing walks them: from the
    // row von on, one Next per printed row, stopping at the end of the table.
    std::vector<Tippreihe> reihen;
    store::Table& t = dm_.Table_Reihen;
    if (reihe_anwaehlen(t, *von)) {
        for (int k = 1; k <= Reihen_pro_Spielschein; ++k) {
            reihen.push_back(Tippreihe_lesen(t));
            t.Next();
            if (t.Eof()) break;
        }
    }

    const auto meldung = output::Spielschein_drucken(drucker, Edit_Reihe_von, Edit_Reihe_bis, reihen, layout);
    if (meldung) {
        dm_.dialog.Meldung(*meldung);
        return false;
    }
    return true;
}

} // namespace pyra::output
