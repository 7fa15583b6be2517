#pragma once

// The rows of the selection as they stand in the rows' cursor, read from first to last; the
// cursor is left on its first record.

#include "store/store.h"
#include "system/grundlagen.h"

#include <string>
#include <vector>

namespace pyra::test {

inline std::vector<system::Reihe> gespeicherte_reihen(store::Table& t) {
    std::vector<system::Reihe> v;
    for (t.First(); !t.Eof(); t.Next()) {
        system::Reihe r{};
        for (int k = 0; k < 6; ++k)
            r[static_cast<std::size_t>(k)] =
                static_cast<int>(t.FieldByName("Tipp_Zahl_" + std::to_string(k + 1)).AsInteger());
        v.push_back(r);
    }
    t.First();
    return v;
}

} // namespace pyra::test
