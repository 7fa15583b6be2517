#include "output/textformular_store.h"

#include "output/datenzugriff_store.h"
#include "output/spielscheine.h"
#include "output/textexport.h"

#include <system_error>
#include <vector>

namespace pyra::output {

namespace fs = std::filesystem;

void Textformular::FormShow() {
    ListBox_Spielschein = 0;
    Edit_Trennzeichen.assign(1, ','); // "," (written this way to keep GCC 12 from a false -Wrestrict)
    Reihe_bis_setzen();
    Textdatei_anlegen();
}

void Textformular::Reihe_bis_setzen() {
    const Reihe_bis r = output::Reihe_bis_setzen(Scheinlayout_aus_Lotto(dm_), ListBox_Spielschein);
    Reihen_pro_Spielschein = r.Reihen_pro_Spielschein;
    Edit_Reihe_bis = r.Text;
}

void Textformular::Textdatei_anlegen() {
    const Textdatei t = output::Textdatei_anlegen(fs::path(dm_.globals.Programmverzeichnis),
                                                  dm_.Wahl("Woche_aktuell"), dm_.Wahl("Jahr_aktuell"));
    Dateiname = t.Datei.filename().string();
    if (t.Meldung) dm_.dialog.Meldung(*t.Meldung);
}

fs::path Textformular::Datei() const {
    if (Dateiname.empty()) return {};
    return fs::path(dm_.globals.Programmverzeichnis) / Arbeitsverzeichnis / Dateiname;
}

bool Textformular::Textdatei_schreiben() {
    const auto bis = Ganzzahl_lesen(Edit_Reihe_bis);
    if (!bis) {
        dm_.dialog.Meldung(Meldung_Anzahl_Reihen);
        return false;
    }
    std::error_code fehler;
    const fs::path datei = Datei();
    if (datei.empty() || !fs::exists(datei, fehler)) return false;

    // The rows from the first one until a row number beyond bis or the end of the table; the
    // cursor is left where the walk stopped.
    std::vector<Tippreihe> reihen;
    store::Table& t = dm_.Table_Reihen;
    if (t.Active()) {
        t.First();
        while (!t.Eof()) {
            const Tippreihe r = Tippreihe_lesen(t);
            if (r.Reihe > *bis) break;
            reihen.push_back(r);
            t.Next();
        }
    }

    const auto meldung = output::Textdatei_schreiben(datei, Edit_Reihe_bis, Edit_Trennzeichen, reihen);
    if (meldung) {
        dm_.dialog.Meldung(*meldung);
        return false;
    }
    return true;
}

} // namespace pyra::output
