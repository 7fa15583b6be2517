#include "stats/cursor_hilfen_store.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace pyra::stats::intern {

const std::array<const char*, 6> kZahlFelder = {"Zahl_01", "Zahl_02", "Zahl_03",
                                                "Zahl_04", "Zahl_05", "Zahl_06"};

const std::array<const char*, 18> kMerkmalFelder = {
    "EZDVFS",        "Summe",         "G_U",           "Ziehung_Wo_1z", "Ziehung_Wo_2z", "Ziehung_Wo_3z",
    "Ziehung_Wo_4z", "Ziehung_Wo_5z", "Ziehung_Wo_6z", "Ziehung_Wo_7z", "Ziehung_Ja_1z", "Ziehung_Ja_2z",
    "Ziehung_Ja_3z", "Ziehung_Ja_4z", "Ziehung_Ja_5z", "Ziehung_Ja_6z", "Ziehung_Ja_7z", "Summe_Wo"};

Merkmalwerte Werte(const Ziehungsmerkmale& m) {
    auto klein = [](std::int64_t v) -> std::optional<std::int64_t> {
        if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
            return std::nullopt;
        return v;
    };
    Merkmalwerte w;
    w[0] = klein(m.EZDVFS);
    w[1] = klein(m.Summe);
    w[2] = klein(m.G_U);
    for (int k = 0; k < 7; ++k) {
        w[3 + k] = klein(m.Ziehung_Wo[k]);
        w[10 + k] = klein(m.Ziehung_Ja[k]);
    }
    w[17] = klein(m.Summe_Wo);
    return w;
}

Serie Serie_lesen(store::DataSet& ds) {
    const store::Field jahr = ds.FieldByName("Jahr");
    const store::Field woche = ds.FieldByName("Woche");
    std::vector<store::Field> zahl;
    for (const char* name : kZahlFelder) zahl.push_back(ds.FieldByName(name));

    Serie serie;
    serie.reserve(static_cast<std::size_t>(ds.RecordCount()));
    ds.First();
    while (!ds.Eof()) {
        Ziehung z;
        z.Jahr = static_cast<int>(jahr.AsInteger());
        z.Woche = static_cast<int>(woche.AsInteger());
        for (int i = 0; i < 6; ++i) {
            // Stored numbers are small integers; a larger value written by another program is held
            // as some value far outside 1..49, which every count ignores.
            const std::int64_t v = std::clamp<std::int64_t>(zahl[i].AsInteger(), -100000, 100000);
            z.Zahl[i] = static_cast<int>(v);
        }
        serie.push_back(z);
        ds.Next();
    }
    ds.First();
    return serie;
}

} // namespace pyra::stats::intern
