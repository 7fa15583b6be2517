#include "data/ziehungseingabe.h"

#include <algorithm>

namespace pyra::data {

std::string Ziehungszahlen_pruefen(const std::array<int, 6>& zahlen, int n) {
    const std::string bereich = "von 1 bis " + std::to_string(n);
    for (int z : zahlen)
        if (z < 1 || z > n)
            return "Die Zahl " + std::to_string(z) + " liegt nicht im Bereich " + bereich +
                   ". Eine Ziehung besteht aus sechs verschiedenen Zahlen " + bereich + ".";
    std::array<int, 6> s = zahlen;
    std::sort(s.begin(), s.end());
    if (std::adjacent_find(s.begin(), s.end()) != s.end())
        return "Die Zahl " + std::to_string(*std::adjacent_find(s.begin(), s.end())) +
               " kommt doppelt vor. Eine Ziehung besteht aus sechs verschiedenen Zahlen " + bereich + ".";
    return {};
}

void Ziehung_eintragen(DataModule_Lotto& dm, int jahr, int woche, std::array<int, 6> zahlen,
                       std::optional<int> zusatzzahl, std::optional<int> superzahl) {
    const int n = dm.Zahlen_bis();
    if (n < 6 || n > 49)
        throw store::StoreError(
            "Für diesen Lottoverband ist kein gültiger Zahlenbereich eingestellt (Zahlen bis " +
            std::to_string(n) + ").");
    if (woche < 1 || woche > 53) throw store::StoreError("Die Woche muss zwischen 1 und 53 liegen.");
    if (jahr < 1955 || jahr > 2100) throw store::StoreError("Das Jahr muss zwischen 1955 und 2100 liegen.");
    if (auto msg = Ziehungszahlen_pruefen(zahlen, n); !msg.empty()) throw store::StoreError(msg);
    std::sort(zahlen.begin(), zahlen.end());
    if (zusatzzahl) {
        if (*zusatzzahl < 1 || *zusatzzahl > n)
            throw store::StoreError("Die Zusatzzahl muss zwischen 1 und " + std::to_string(n) + " liegen.");
        if (std::find(zahlen.begin(), zahlen.end(), *zusatzzahl) != zahlen.end())
            throw store::StoreError("Die Zusatzzahl darf nicht unter den sechs Gewinnzahlen sein.");
    }
    if (superzahl && (*superzahl < 0 || *superzahl > 9))
        throw store::StoreError("Die Superzahl muss zwischen 0 und 9 liegen.");

    auto& z = dm.Table_Zahlen;
    if (!z.Locate("Jahr;Woche", {jahr, woche}))
        z.AppendRecord({dm.Wahl("ID_Verband"), dm.Wahl("ID_Ziehung"), jahr, woche, 1});
    z.Edit();
    for (int i = 0; i < 6; ++i) z.FieldByName("Zahl_0" + std::to_string(i + 1)).SetInteger(zahlen[i]);
    if (zusatzzahl) z.FieldByName("Zusatzzahl").SetInteger(*zusatzzahl);
    if (superzahl) z.FieldByName("Superzahl").SetInteger(*superzahl);
    z.Post();
    dm.globals.Statistik_neu_berechnen = true;
}

} // namespace pyra::data
