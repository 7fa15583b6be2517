#pragma once

// The row filter of the reduction: seven tests on the six numbers of a candidate row, driven by
// the options of the selection's Optionen_2 record.

#include "system/grundlagen.h"

#include <array>
#include <cstdint>
#include <string>

namespace pyra::system {

// The filter options as read from the Optionen_2 record. A check box blocks only when it holds
// exactly "f"; an empty number field reads 0. The defaults are those of a new record, which
// restrict nothing for six numbers of 1..49.
struct Filteroptionen {
    std::string Checkbox_Zwillinge = "t";
    std::string Checkbox_Drillinge = "t";
    std::string Checkbox_Vierling = "t";
    std::string Checkbox_Fuenfling = "t"; // longest runs of 5 and of 6
    int Endziffer = 5;
    int Zehner = 6;
    int Siebener = 6;    // field 7_er
    int Siebener_vt = 6; // field 7_er_vt
    int Quersumme_von = 21;
    int Quersumme_bis = 279;
    std::array<std::string, 7> Checkbox_Gerade{"t", "t", "t", "t", "t", "t", "t"}; // _00 .. _06
};

// The seven tests; each is true when the row passes. Numbers outside 1..49 belong to no group.
bool Folgen_pruefen(const Reihe& reihe, const Filteroptionen& optionen);
bool Endziffern_pruefen(const Reihe& reihe, const Filteroptionen& optionen);
bool Zehner_pruefen(const Reihe& reihe, const Filteroptionen& optionen);
bool Siebener_pruefen(const Reihe& reihe, const Filteroptionen& optionen);
bool Siebener_vertikal_pruefen(const Reihe& reihe, const Filteroptionen& optionen);
bool Summe_pruefen(const Reihe& reihe, const Filteroptionen& optionen);
bool Gerade_pruefen(const Reihe& reihe, const Filteroptionen& optionen);

// All seven tests in this order; true when the row passes every one.
bool Reihe_pruefen(const Reihe& reihe, const Filteroptionen& optionen);

// The same seven tests prepared once for many rows given as bit masks (bit n = number n), for
// the search. For six distinct numbers 1..49 the verdict equals Reihe_pruefen's. Tests that can
// never fail under the options (a maximum at least as large as any group, a sum range covering
// 21..279, all boxes allowing) are left out.
class Filterpruefung {
  public:
    explicit Filterpruefung(const Filteroptionen& optionen);
    bool besteht(std::uint64_t maske) const;

  private:
    struct Gruppierung {
        std::array<std::uint64_t, 10> masken{};
        int anzahl = 0;
        int maximum = 0;
    };
    std::array<bool, 7> folge_erlaubt_{}; // by longest run 1..6
    bool folgen_aktiv_ = false;
    std::array<Gruppierung, 4> gruppierungen_{};
    int aktive_gruppierungen_ = 0;
    bool summe_aktiv_ = false;
    int summe_von_ = 0, summe_bis_ = 0;
    std::array<bool, 7> gerade_erlaubt_{};
    bool gerade_aktiv_ = false;
};

} // namespace pyra::system
