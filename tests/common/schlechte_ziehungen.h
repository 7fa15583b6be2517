#pragma once

// One table of draws that no way into the database may take (numbers 1..49), run against the draw
// rules themselves, the draw-results dialog, the batch companion, the spreadsheet import and the
// check of an update file. Each path takes the cases it can express.

#include "data/ziehungsregeln.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace pyra::test {

struct Schlechte_Ziehung {
    std::string name;
    data::Ziehungswerte werte;
    // Only the six numbers are set, all six: the import and the batch companion can express it.
    bool nur_sechs_zahlen() const {
        for (auto& z : werte.zahlen)
            if (!z) return false;
        for (auto& g : werte.reihenfolge)
            if (g) return false;
        return !werte.zusatzzahl && !werte.superzahl;
    }
    // Six numbers and at most a Zusatzzahl and Superzahl: the batch companion's `ziehung`.
    bool ohne_reihenfolge() const {
        for (auto& z : werte.zahlen)
            if (!z) return false;
        for (auto& g : werte.reihenfolge)
            if (g) return false;
        return true;
    }
};

inline std::vector<Schlechte_Ziehung> schlechte_ziehungen() {
    auto zahlen = [](std::array<int, 6> a) {
        data::Ziehungswerte w;
        for (int i = 0; i < 6; ++i) w.zahlen[i] = a[i];
        return w;
    };
    const std::array<int, 6> gut = {3, 11, 17, 25, 38, 44};
    std::vector<Schlechte_Ziehung> t = {
        {"sechs Nullen", zahlen({0, 0, 0, 0, 0, 0})},
        {"sechsmal die 5", zahlen({5, 5, 5, 5, 5, 5})},
        {"eine Zahl doppelt", zahlen({3, 11, 17, 25, 38, 3})},
        {"Zahl ueber 49", zahlen({3, 11, 17, 25, 38, 50})},
        {"Zahl negativ", zahlen({-3, 11, 17, 25, 38, 44})},
    };
    data::Ziehungswerte w = zahlen(gut);
    w.zahlen[5].reset();
    t.push_back({"eine Zahl fehlt", w});
    w = zahlen(gut);
    w.zusatzzahl = 25;
    t.push_back({"Zusatzzahl unter den sechs", w});
    w = zahlen(gut);
    w.zusatzzahl = 50;
    t.push_back({"Zusatzzahl ueber 49", w});
    w = zahlen(gut);
    w.superzahl = 10;
    t.push_back({"Superzahl 10", w});
    w = zahlen(gut);
    w.reihenfolge = {44, 3, 3, 25, 38, 17};
    t.push_back({"Reihenfolge doppelt", w});
    w = zahlen(gut);
    w.reihenfolge = {44, 3, 11, 25, 38, 50};
    t.push_back({"Reihenfolge ueber 49", w});
    w = zahlen(gut);
    w.reihenfolge = {44, 3, 11, std::nullopt, std::nullopt, std::nullopt};
    t.push_back({"Reihenfolge unvollstaendig", w});
    return t;
}

} // namespace pyra::test
