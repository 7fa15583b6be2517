#include "output/datenzugriff_store.h"

#include <algorithm>
#include <limits>

namespace pyra::output {

Scheinlayout Scheinlayout_aus_Lotto(data::DataModule_Lotto& dm) {
    store::Table& lotto = dm.Table_Lotto;
    if (!lotto.Active() || (lotto.State() == store::DataSetState::Browse && lotto.RecordCount() == 0))
        return Scheinlayout{};
    return Scheinlayout_lesen([&lotto](const std::string& name) -> std::optional<double> {
        const store::Field feld = lotto.FieldByName(name);
        if (feld.IsNull()) return std::nullopt;
        return feld.AsFloat();
    });
}

Tippreihe Tippreihe_lesen(store::DataSet& reihen) {
    Tippreihe t;
    t.Reihe = reihen.FieldByName("Reihe").AsInteger();
    for (int i = 0; i < 6; ++i) {
        const store::Field feld = reihen.FieldByName("Tipp_Zahl_" + std::to_string(i + 1));
        if (feld.IsNull()) continue;
        // The field is a 16-bit number; the bound only guards a foreign file.
        t.Tipp_Zahl[i] = static_cast<int>(std::clamp<std::int64_t>(
            feld.AsInteger(), std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    }
    return t;
}

} // namespace pyra::output
