#include "data/ziehungseingabe.h"

#include <algorithm>

namespace pyra::data {

namespace {

std::optional<int> feld(store::DataSet& t, const std::string& name) {
    const store::Field f = t.FieldByName(name);
    if (f.IsNull()) return std::nullopt;
    return static_cast<int>(f.AsInteger());
}

} // namespace

Ziehungswerte Ziehungswerte_lesen(store::DataSet& t) {
    Ziehungswerte z;
    for (int i = 1; i <= 6; ++i) {
        z.zahlen[i - 1] = feld(t, Feldname("Zahl_", i));
        z.reihenfolge[i - 1] = feld(t, Feldname("Zahl_", i) + "_g");
    }
    z.zusatzzahl = feld(t, "Zusatzzahl");
    z.superzahl = feld(t, "Superzahl");
    return z;
}

void Ziehung_eintragen(DataModule_Lotto& dm, int jahr, int woche, std::array<int, 6> zahlen,
                       std::optional<int> zusatzzahl, std::optional<int> superzahl) {
    if (auto msg = Spielwoche_pruefen(jahr, woche); !msg.empty()) throw store::StoreError(msg);
    std::sort(zahlen.begin(), zahlen.end());

    auto& z = dm.Table_Zahlen;
    const bool vorhanden = z.Locate("Jahr;Woche", {jahr, woche});
    Ziehungswerte neu = vorhanden ? Ziehungswerte_lesen(z) : Ziehungswerte{};
    bool gleiche_zahlen = vorhanden;
    for (int i = 0; i < 6; ++i) {
        if (neu.zahlen[i] != zahlen[i]) gleiche_zahlen = false;
        neu.zahlen[i] = zahlen[i];
    }
    if (!gleiche_zahlen) neu.reihenfolge = {};
    if (zusatzzahl) neu.zusatzzahl = zusatzzahl;
    if (superzahl) neu.superzahl = superzahl;
    // A stored Zusatzzahl that is not given again is kept and must fit the new numbers too.
    if (auto msg = Ziehung_pruefen(neu, dm.Zahlen_bis()); !msg.empty()) throw store::StoreError(msg);

    if (!vorhanden) z.AppendRecord({dm.Wahl("ID_Verband"), dm.Wahl("ID_Ziehung"), jahr, woche, 1});
    z.Edit();
    for (int i = 0; i < 6; ++i) {
        z.FieldByName(Feldname("Zahl_", i + 1)).SetInteger(zahlen[i]);
        if (!gleiche_zahlen) z.FieldByName(Feldname("Zahl_", i + 1) + "_g").SetValue(store::Value());
    }
    if (zusatzzahl) z.FieldByName("Zusatzzahl").SetInteger(*zusatzzahl);
    if (superzahl) z.FieldByName("Superzahl").SetInteger(*superzahl);
    z.Post();
    dm.globals.Statistik_neu_berechnen = true;
}

} // namespace pyra::data
