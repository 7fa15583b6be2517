#include "output/scheinlayout.h"

#include <cmath>
#include <cstdio>

namespace pyra::output {

namespace {

// Positions are small numbers; a distance typed as a huge or broken value must not overflow
// the integer arithmetic, so the truncated value is held inside ±1e9.
constexpr double Grenze = 1e9;

std::int64_t abschneiden(double wert) {
    if (std::isnan(wert)) return 0;
    if (wert > Grenze) return static_cast<std::int64_t>(Grenze);
    if (wert < -Grenze) return -static_cast<std::int64_t>(Grenze);
    return static_cast<std::int64_t>(std::trunc(wert));
}

int ganzzahl(const std::optional<double>& wert) {
    return wert ? static_cast<int>(abschneiden(*wert)) : 0;
}

std::optional<int> ganzzahl_oder_leer(const std::optional<double>& wert) {
    if (!wert) return std::nullopt;
    return static_cast<int>(abschneiden(*wert));
}

std::string feldname_reihe(int k, const char* seite) {
    char text[32];
    std::snprintf(text, sizeof text, "Reihe_%02d_%s", k, seite);
    return text;
}

bool ist_reihenfeld(int k) {
    return k >= 1 && k <= Reihenfelder_max;
}
bool ist_zahl(int n) {
    return n >= 1 && n <= 49;
}

} // namespace

std::string Feldname_Reihe_links(int k) {
    return feldname_reihe(k, "links");
}
std::string Feldname_Reihe_oben(int k) {
    return feldname_reihe(k, "oben");
}

Scheinlayout Scheinlayout_lesen(const Feldleser& feld) {
    Scheinlayout l;
    for (int k = 1; k <= Reihenfelder_max; ++k) {
        l.Reihe_links[k - 1] = ganzzahl(feld(Feldname_Reihe_links(k)));
        l.Reihe_oben[k - 1] = ganzzahl(feld(Feldname_Reihe_oben(k)));
    }
    l.Zahl_Abstand_links = feld("Zahl_Abstand_links").value_or(0.0);
    l.Zahl_Abstand_oben = feld("Zahl_Abstand_oben").value_or(0.0);
    l.Schriftgroesse = ganzzahl(feld("Schriftgroesse"));
    l.Super_77_links = ganzzahl_oder_leer(feld("Super_77_links"));
    l.Super_77_oben = ganzzahl_oder_leer(feld("Super_77_oben"));
    l.Super_6_links = ganzzahl_oder_leer(feld("Super_6_links"));
    l.Super_6_oben = ganzzahl_oder_leer(feld("Super_6_oben"));
    l.MiSa_links = ganzzahl_oder_leer(feld("MiSa_links"));
    l.MiSa_oben = ganzzahl_oder_leer(feld("MiSa_oben"));
    return l;
}

int Reihenfelder_zaehlen(const Scheinlayout& layout) {
    int anzahl = 0;
    for (int links : layout.Reihe_links)
        if (links > 0) ++anzahl;
    return anzahl;
}

std::int64_t Position_links(const Scheinlayout& layout, int n, int k) {
    std::int64_t pos = ist_reihenfeld(k) ? layout.Reihe_links[k - 1] : 0;
    if (ist_zahl(n)) {
        const int spalte = (n - 1) % 7;
        pos += abschneiden(spalte * layout.Zahl_Abstand_links);
    }
    return pos;
}

std::int64_t Position_oben(const Scheinlayout& layout, int n, int k) {
    std::int64_t pos = ist_reihenfeld(k) ? layout.Reihe_oben[k - 1] : 0;
    if (ist_zahl(n)) {
        const int zeile = (n - 1) / 7;
        pos += zeile * abschneiden(layout.Zahl_Abstand_oben);
    }
    return pos;
}

std::int64_t Pixel_links(std::int64_t einheiten, int seitenbreite) {
    return einheiten * (seitenbreite / Einheiten_breit);
}

std::int64_t Pixel_oben(std::int64_t einheiten, int seitenhoehe) {
    return einheiten * (seitenhoehe / Einheiten_hoch);
}

} // namespace pyra::output
