#include "stats/serie.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <string>

namespace pyra::stats {

namespace {

bool vor(const Ziehung& z, int jahr, int woche) {
    return z.Jahr < jahr || (z.Jahr == jahr && z.Woche < woche);
}

std::vector<std::string_view> felder(std::string_view zeile) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (true) {
        const auto komma = zeile.find(',', start);
        if (komma == std::string_view::npos) {
            out.push_back(zeile.substr(start));
            return out;
        }
        out.push_back(zeile.substr(start, komma - start));
        start = komma + 1;
    }
}

int zahl(std::string_view feld, std::size_t zeilennummer) {
    if (feld.empty()) return 0;
    int wert = 0;
    const auto [ende, fehler] = std::from_chars(feld.data(), feld.data() + feld.size(), wert);
    if (fehler != std::errc() || ende != feld.data() + feld.size())
        throw std::runtime_error("Zeile " + std::to_string(zeilennummer) + ": \"" + std::string(feld) +
                                 "\" ist keine Zahl");
    return wert;
}

} // namespace

std::optional<std::size_t> Position_suchen(const Serie& serie, int jahr, int woche) {
    const std::size_t pos = Zeilen_vor(serie, jahr, woche);
    if (pos < serie.size() && serie[pos].Jahr == jahr && serie[pos].Woche == woche) return pos;
    return std::nullopt;
}

std::size_t Zeilen_vor(const Serie& serie, int jahr, int woche) {
    const auto it = std::partition_point(serie.begin(), serie.end(),
                                         [&](const Ziehung& z) { return vor(z, jahr, woche); });
    return static_cast<std::size_t>(it - serie.begin());
}

Serie Serie_aus_CSV(std::string_view text, int verband, int ziehung) {
    Serie serie;
    std::vector<int> spalte; // verband, ziehung, jahr, woche, z1..z6
    std::size_t zeilennummer = 0;
    std::size_t breite = 0;
    while (!text.empty()) {
        auto ende = text.find('\n');
        std::string_view zeile = text.substr(0, ende);
        text = ende == std::string_view::npos ? std::string_view{} : text.substr(ende + 1);
        ++zeilennummer;
        if (!zeile.empty() && zeile.back() == '\r') zeile.remove_suffix(1);
        if (zeile.empty()) continue;
        const auto f = felder(zeile);
        if (spalte.empty()) {
            static constexpr const char* namen[] = {"verband", "ziehung", "jahr", "woche", "z1",
                                                    "z2",      "z3",      "z4",   "z5",    "z6"};
            for (const char* name : namen) {
                const auto it = std::find(f.begin(), f.end(), std::string_view(name));
                if (it == f.end()) throw std::runtime_error(std::string("Spalte \"") + name + "\" fehlt");
                spalte.push_back(static_cast<int>(it - f.begin()));
            }
            breite = f.size();
            continue;
        }
        if (f.size() < breite)
            throw std::runtime_error("Zeile " + std::to_string(zeilennummer) + ": zu wenige Felder");
        if (zahl(f[spalte[0]], zeilennummer) != verband || zahl(f[spalte[1]], zeilennummer) != ziehung)
            continue;
        Ziehung z;
        z.Jahr = zahl(f[spalte[2]], zeilennummer);
        z.Woche = zahl(f[spalte[3]], zeilennummer);
        for (int i = 0; i < 6; ++i) z.Zahl[i] = zahl(f[spalte[4 + i]], zeilennummer);
        serie.push_back(z);
    }
    std::stable_sort(serie.begin(), serie.end(), [](const Ziehung& a, const Ziehung& b) {
        return a.Jahr != b.Jahr ? a.Jahr < b.Jahr : a.Woche < b.Woche;
    });
    return serie;
}

} // namespace pyra::stats
