#include "stats/zahlentipp.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace pyra::stats {

namespace {

// Key of a row under an index; a stored NaN sorts like an empty field so the order stays strict.
std::optional<double> schluessel(const ZahlDaten& z, ZahlIndex index) {
    auto ganz = [](const std::optional<std::int64_t>& f) -> std::optional<double> {
        if (!f) return std::nullopt;
        return static_cast<double>(*f);
    };
    switch (index) {
    case ZahlIndex::Wahrscheinlichkeit:
        if (!z.Wahrscheinlichkeit || std::isnan(*z.Wahrscheinlichkeit)) return std::nullopt;
        return z.Wahrscheinlichkeit;
    case ZahlIndex::Haeufigkeit_Wo:
        return ganz(z.Haeufigkeit_Wo);
    case ZahlIndex::Rueckstaendig_Wo:
        return ganz(z.Rueckstaendig_Wo);
    case ZahlIndex::Haeufigkeit_Ja:
        return ganz(z.Haeufigkeit_Ja);
    case ZahlIndex::Rueckstaendig_Ja:
        return ganz(z.Rueckstaendig_Ja);
    case ZahlIndex::Zahlentipp:
        return ganz(z.Zahlentipp);
    }
    return std::nullopt;
}

} // namespace

void Zahl_Daten_uebernehmen(const Zahlenstatistik& t, int n_max, std::span<ZahlDaten> zeilen) {
    const int n_bis = std::min(n_max, kGroessteZahl);
    for (ZahlDaten& z : zeilen) {
        if (z.Zahl < 1 || z.Zahl > n_bis) continue;
        const int n = z.Zahl;
        z.Wahrscheinlichkeit = t.W[n];
        z.Haeufigkeit_Wo = t.Haeufigkeit_Wo[n];
        if (t.Rueckstaendig_Wo[n] >= 0) z.Rueckstaendig_Wo = t.Rueckstaendig_Wo[n];
        z.Haeufigkeit_Ja = t.Haeufigkeit_Ja[n];
        if (t.Rueckstaendig_Ja[n] >= 0) z.Rueckstaendig_Ja = t.Rueckstaendig_Ja[n];
    }
}

std::vector<std::size_t> Reihenfolge(std::span<const ZahlDaten> zeilen, ZahlIndex index) {
    std::vector<std::optional<double>> keys(zeilen.size());
    for (std::size_t i = 0; i < zeilen.size(); ++i) keys[i] = schluessel(zeilen[i], index);
    const bool aufsteigend = index == ZahlIndex::Zahlentipp;

    std::vector<std::size_t> pos(zeilen.size());
    std::iota(pos.begin(), pos.end(), std::size_t{0});
    std::sort(pos.begin(), pos.end(), [&](std::size_t a, std::size_t b) {
        const auto& ka = keys[a];
        const auto& kb = keys[b];
        if (ka.has_value() != kb.has_value())
            return aufsteigend ? !ka.has_value() : ka.has_value(); // empty first resp. last
        if (ka && *ka != *kb) return aufsteigend ? *ka < *kb : *ka > *kb;
        if (zeilen[a].Zahl != zeilen[b].Zahl) return zeilen[a].Zahl < zeilen[b].Zahl;
        return a < b;
    });
    return pos;
}

std::vector<int> Zahlentipp_berechnen(std::span<ZahlDaten> zeilen) {
    for (ZahlDaten& z : zeilen) z.Zahlentipp = 0;
    for (ZahlIndex index :
         {ZahlIndex::Haeufigkeit_Ja, ZahlIndex::Rueckstaendig_Ja, ZahlIndex::Wahrscheinlichkeit}) {
        const auto folge = Reihenfolge(zeilen, index);
        for (std::size_t r = 0; r < folge.size(); ++r)
            *zeilen[folge[r]].Zahlentipp += static_cast<std::int64_t>(r + 1);
    }
    const auto folge = Reihenfolge(zeilen, ZahlIndex::Zahlentipp);
    std::vector<int> tipp;
    for (std::size_t r = 0; r < folge.size() && r < 15; ++r) tipp.push_back(zeilen[folge[r]].Zahl);
    return tipp;
}

std::vector<int> Statistik_berechnen(const Serie& serie, int jahr, int woche, int n_max,
                                     std::span<ZahlDaten> zeilen) {
    Zahlenstatistik t = Zahlenstatistik_zaehlen(serie, jahr, woche);
    Wahrscheinlichkeit_berechnen(t, n_max);
    if (n_max > 0) Zahl_Daten_uebernehmen(t, n_max, zeilen);
    return Zahlentipp_berechnen(zeilen);
}

} // namespace pyra::stats
