#include "data/ziehungsregeln.h"

#include <algorithm>

namespace pyra::data {

namespace {

std::string bereich(int n) {
    return "von 1 bis " + std::to_string(n);
}

std::string eine_ziehung(int n) {
    return "Eine Ziehung besteht aus sechs verschiedenen Zahlen " + bereich(n);
}

int gefuellt(const std::array<std::optional<int>, 6>& felder) {
    return static_cast<int>(
        std::count_if(felder.begin(), felder.end(), [](auto& f) { return f.has_value(); }));
}

std::string reihenfolge_pruefen(const Ziehungswerte& z, int n) {
    const int anzahl = gefuellt(z.reihenfolge);
    if (anzahl == 0) return {};
    for (const auto& g : z.reihenfolge)
        if (g && (*g < 1 || *g > n))
            return "Die Zahl " + std::to_string(*g) + " der gezogenen Reihenfolge liegt nicht im Bereich " +
                   bereich(n) + ".";
    if (anzahl < 6)
        return "Die gezogene Reihenfolge ist unvollständig. Sie nennt die sechs Zahlen der Ziehung in der "
               "Reihenfolge, in der sie gezogen wurden; ohne sie bleiben alle sechs Felder leer.";
    std::array<int, 6> g{};
    for (int i = 0; i < 6; ++i) g[i] = *z.reihenfolge[i];
    std::array<int, 6> s = g;
    std::sort(s.begin(), s.end());
    if (auto d = std::adjacent_find(s.begin(), s.end()); d != s.end())
        return "Die Zahl " + std::to_string(*d) + " kommt in der gezogenen Reihenfolge doppelt vor.";
    return {};
}

} // namespace

std::string Ziehungszahlen_pruefen(const std::array<int, 6>& zahlen, int n) {
    for (int z : zahlen)
        if (z < 1 || z > n)
            return "Die Zahl " + std::to_string(z) + " liegt nicht im Bereich " + bereich(n) + ". " +
                   eine_ziehung(n) + ".";
    std::array<int, 6> s = zahlen;
    std::sort(s.begin(), s.end());
    if (auto d = std::adjacent_find(s.begin(), s.end()); d != s.end())
        return "Die Zahl " + std::to_string(*d) + " kommt doppelt vor. " + eine_ziehung(n) + ".";
    return {};
}

std::string Spielwoche_pruefen(int jahr, int woche) {
    if (woche < 1 || woche > 53) return "Die Woche muss zwischen 1 und 53 liegen.";
    if (jahr < 1955 || jahr > 2100) return "Das Jahr muss zwischen 1955 und 2100 liegen.";
    return {};
}

std::string Ziehung_pruefen(const Ziehungswerte& z, int n) {
    const int zahlen = gefuellt(z.zahlen);
    const bool braucht_bereich = zahlen > 0 || z.zusatzzahl || gefuellt(z.reihenfolge) > 0;
    if (braucht_bereich && (n < 6 || n > 49))
        return "Für diesen Lottoverband ist kein gültiger Zahlenbereich eingestellt (Zahlen bis " +
               std::to_string(n) + ").";
    if (zahlen > 0 && zahlen < 6) {
        const int fehlen = 6 - zahlen;
        return "Die Ziehung ist unvollständig: " +
               (fehlen == 1 ? std::string("eine Zahl fehlt") : std::to_string(fehlen) + " Zahlen fehlen") +
               ". " + eine_ziehung(n) + "; ohne Ergebnis bleiben alle sechs Felder leer.";
    }
    std::array<int, 6> sechs{};
    if (zahlen == 6) {
        for (int i = 0; i < 6; ++i) sechs[i] = *z.zahlen[i];
        if (std::string m = Ziehungszahlen_pruefen(sechs, n); !m.empty()) return m;
    }
    if (z.zusatzzahl) {
        if (*z.zusatzzahl < 1 || *z.zusatzzahl > n)
            return "Die Zusatzzahl muss zwischen 1 und " + std::to_string(n) + " liegen.";
        if (zahlen == 6 && std::find(sechs.begin(), sechs.end(), *z.zusatzzahl) != sechs.end())
            return "Die Zusatzzahl darf nicht unter den sechs Gewinnzahlen sein.";
    }
    if (z.superzahl && (*z.superzahl < 0 || *z.superzahl > 9))
        return "Die Superzahl muss zwischen 0 und 9 liegen.";
    return reihenfolge_pruefen(z, n);
}

} // namespace pyra::data
