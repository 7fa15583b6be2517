#include "output/spielscheine.h"

#include <cstdio>
#include <limits>

namespace pyra::output {

std::string Spielschein_Text(int eintrag) {
    const int nummer = eintrag + 1;
    char text[32];
    if (nummer < 100)
        std::snprintf(text, sizeof text, "  %02d.Spielschein", nummer);
    else
        std::snprintf(text, sizeof text, "%d.Spielschein", nummer);
    return text;
}

std::vector<std::string> Spielschein_Liste() {
    std::vector<std::string> liste;
    liste.reserve(Spielschein_Anzahl);
    for (int i = 0; i < Spielschein_Anzahl; ++i) liste.push_back(Spielschein_Text(i));
    return liste;
}

Reihenbereich Reihenbereich_berechnen(std::int64_t eintrag, int reihen_pro_spielschein) {
    return {eintrag * reihen_pro_spielschein + 1, (eintrag + 1) * reihen_pro_spielschein};
}

std::string Reihenzahl_Text(std::int64_t zahl) {
    std::string text = std::to_string(zahl);
    if (text.size() < 4) text.insert(0, 4 - text.size(), ' ');
    return text;
}

std::optional<std::int64_t> Ganzzahl_lesen(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negativ = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativ = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    std::int64_t wert = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        wert = wert * 10 + (c - '0');
        if (wert > std::numeric_limits<std::int32_t>::max() + std::int64_t{1}) return std::nullopt;
    }
    if (negativ) wert = -wert;
    if (wert > std::numeric_limits<std::int32_t>::max() || wert < std::numeric_limits<std::int32_t>::min())
        return std::nullopt;
    return wert;
}

} // namespace pyra::output
