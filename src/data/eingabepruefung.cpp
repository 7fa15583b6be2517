#include "data/eingabepruefung.h"

#include "store/schema.h"
#include "store/value.h"

namespace pyra::data {

std::optional<Zahlenbereich> Zahlenbereich_des_Feldes(const std::string& feld) {
    const std::string f = store::lowerName(feld);
    if (f == "bankzahl_1" || f == "bankzahl_2" || f == "bankzahl_3") return Zahlenbereich{1, 49, false};
    // Six numbers are drawn, so a range needs at least six; every per-number table has room for 49.
    if (f == "zahlen_bis") return Zahlenbereich{6, 49, true};
    if (f == "reihenberechnung") return Zahlenbereich{1, 750, true};
    if (f == "gewinnerwartung") return Zahlenbereich{0, 100000000, false}; // simulated draws
    return std::nullopt;
}

std::string Eingabe_pruefen(const std::string& feld, const std::string& text) {
    const auto bereich = Zahlenbereich_des_Feldes(feld);
    if (!bereich) return {};
    if (text.empty())
        return bereich->pflicht ? "Das Feld '" + feld + "' darf nicht leer sein." : std::string();
    std::int64_t zahl = 0;
    if (store::parseInteger(text, zahl) && (zahl < bereich->von || zahl > bereich->bis))
        return "Der Wert " + std::to_string(zahl) + " liegt außerhalb des Bereichs des Feldes '" + feld +
               "' (" + std::to_string(bereich->von) + " bis " + std::to_string(bereich->bis) + ").";
    return {};
}

} // namespace pyra::data
