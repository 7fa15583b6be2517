#include "system/filter.h"

#include "stats/zahlen_funktionen.h"
#include "system/bits.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace pyra::system {

namespace {

bool sperrt(const std::string& checkbox) {
    return checkbox == "f";
}

// Counts the row's numbers per group and compares the largest count with the allowed maximum.
template <int Gruppen, typename Gruppe> bool hoechstens(const Reihe& reihe, int maximum, Gruppe gruppe_von) {
    std::array<int, Gruppen> anzahl{};
    for (int z : reihe) {
        if (!Zahlenmenge::gueltig(z)) continue;
        if (++anzahl[gruppe_von(z)] > maximum) return false;
    }
    return true;
}

} // namespace

bool Folgen_pruefen(const Reihe& reihe, const Filteroptionen& o) {
    switch (stats::Laengste_Folge(reihe)) {
    case 2:
        return !sperrt(o.Checkbox_Zwillinge);
    case 3:
        return !sperrt(o.Checkbox_Drillinge);
    case 4:
        return !sperrt(o.Checkbox_Vierling);
    case 5:
    case 6:
        return !sperrt(o.Checkbox_Fuenfling);
    default:
        return true;
    }
}

bool Endziffern_pruefen(const Reihe& reihe, const Filteroptionen& o) {
    return hoechstens<10>(reihe, o.Endziffer, [](int z) { return z % 10; });
}

bool Zehner_pruefen(const Reihe& reihe, const Filteroptionen& o) {
    // 1-9, 10-19, 20-29, 30-39, 40-49
    return hoechstens<5>(reihe, o.Zehner, [](int z) { return z / 10; });
}

bool Siebener_pruefen(const Reihe& reihe, const Filteroptionen& o) {
    // 1-7, 8-14, ..., 43-49
    return hoechstens<7>(reihe, o.Siebener, [](int z) { return (z - 1) / 7; });
}

bool Siebener_vertikal_pruefen(const Reihe& reihe, const Filteroptionen& o) {
    // the columns of a play field seven numbers wide
    return hoechstens<7>(reihe, o.Siebener_vt, [](int z) { return z % 7; });
}

bool Summe_pruefen(const Reihe& reihe, const Filteroptionen& o) {
    int summe = 0;
    for (int z : reihe) summe += z;
    return summe >= o.Quersumme_von && summe <= o.Quersumme_bis;
}

bool Gerade_pruefen(const Reihe& reihe, const Filteroptionen& o) {
    return !sperrt(o.Checkbox_Gerade[static_cast<std::size_t>(stats::Anzahl_Gerade(reihe))]);
}

bool Reihe_pruefen(const Reihe& reihe, const Filteroptionen& o) {
    return Folgen_pruefen(reihe, o) && Endziffern_pruefen(reihe, o) && Zehner_pruefen(reihe, o) &&
           Siebener_pruefen(reihe, o) && Siebener_vertikal_pruefen(reihe, o) && Summe_pruefen(reihe, o) &&
           Gerade_pruefen(reihe, o);
}

Filterpruefung::Filterpruefung(const Filteroptionen& o) {
    folge_erlaubt_ = {true,
                      true,
                      !sperrt(o.Checkbox_Zwillinge),
                      !sperrt(o.Checkbox_Drillinge),
                      !sperrt(o.Checkbox_Vierling),
                      !sperrt(o.Checkbox_Fuenfling),
                      !sperrt(o.Checkbox_Fuenfling)};
    for (bool erlaubt : folge_erlaubt_) folgen_aktiv_ = folgen_aktiv_ || !erlaubt;

    const auto gruppierung = [this](int anzahl, int maximum, auto gruppe_von) {
        Gruppierung g;
        g.anzahl = anzahl;
        g.maximum = maximum;
        int groesste = 0;
        for (int z = 1; z <= Hoechste_Zahl; ++z)
            g.masken[static_cast<std::size_t>(gruppe_von(z))] |= std::uint64_t{1} << z;
        for (int i = 0; i < anzahl; ++i)
            groesste = std::max(groesste, std::popcount(g.masken[static_cast<std::size_t>(i)]));
        // Six numbers put at most min(6, group size) into one group.
        if (maximum < std::min(6, groesste))
            gruppierungen_[static_cast<std::size_t>(aktive_gruppierungen_++)] = g;
    };
    gruppierung(10, o.Endziffer, [](int z) { return z % 10; });
    gruppierung(5, o.Zehner, [](int z) { return z / 10; });
    gruppierung(7, o.Siebener, [](int z) { return (z - 1) / 7; });
    gruppierung(7, o.Siebener_vt, [](int z) { return z % 7; });

    summe_von_ = o.Quersumme_von;
    summe_bis_ = o.Quersumme_bis;
    summe_aktiv_ = summe_von_ > 1 + 2 + 3 + 4 + 5 + 6 || summe_bis_ < 44 + 45 + 46 + 47 + 48 + 49;

    for (std::size_t g = 0; g < 7; ++g) {
        gerade_erlaubt_[g] = !sperrt(o.Checkbox_Gerade[g]);
        gerade_aktiv_ = gerade_aktiv_ || !gerade_erlaubt_[g];
    }
}

bool Filterpruefung::besteht(std::uint64_t m) const {
    if (folgen_aktiv_) {
        // A run of length L leaves a bit in m & m>>1 & ... & m>>(L-1).
        const std::uint64_t r2 = m & (m >> 1), r3 = r2 & (m >> 2), r4 = r3 & (m >> 3), r5 = r4 & (m >> 4),
                            r6 = r5 & (m >> 5);
        const int laenge = 1 + (r2 != 0) + (r3 != 0) + (r4 != 0) + (r5 != 0) + (r6 != 0);
        if (!folge_erlaubt_[static_cast<std::size_t>(laenge)]) return false;
    }
    for (int i = 0; i < aktive_gruppierungen_; ++i) {
        const Gruppierung& g = gruppierungen_[static_cast<std::size_t>(i)];
        for (int j = 0; j < g.anzahl; ++j)
            if (intern::bits_zaehlen(m & g.masken[static_cast<std::size_t>(j)]) > g.maximum) return false;
    }
    if (summe_aktiv_) {
        int summe = 0;
        for (std::uint64_t rest = m; rest != 0; rest &= rest - 1) summe += std::countr_zero(rest);
        if (summe < summe_von_ || summe > summe_bis_) return false;
    }
    if (gerade_aktiv_) {
        constexpr std::uint64_t gerade =
            0x5555555555555554ull & ((std::uint64_t{1} << 50) - 1); // 2, 4, ..., 48
        if (!gerade_erlaubt_[static_cast<std::size_t>(intern::bits_zaehlen(m & gerade))]) return false;
    }
    return true;
}

} // namespace pyra::system
