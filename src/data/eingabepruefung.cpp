#include "data/eingabepruefung.h"

#include "store/schema.h"
#include "store/value.h"

#include <algorithm>
#include <utility>

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

namespace {

// The window label of a field the windows show; nullopt for any other name.
std::optional<std::string> bezeichnung_suchen(const std::string& feld) {
    const std::string f = store::lowerName(feld);
    auto nummer = [&](std::size_t von, std::size_t laenge) {
        return std::to_string(std::stoi(f.substr(von, laenge)));
    };
    auto ist_ziffer = [](char c) { return c >= '0' && c <= '9'; };
    // Zahl_01 .. Zahl_06 and the drawn order Zahl_01_g .. Zahl_06_g of the draw-results dialog.
    if (f.size() >= 7 && f.rfind("zahl_", 0) == 0 && ist_ziffer(f[5]) && ist_ziffer(f[6])) {
        if (f.size() == 7) return nummer(5, 2) + ". Zahl";
        if (f.substr(7) == "_g") return nummer(5, 2) + ". Zahl der gezogenen Reihenfolge";
    }
    if (f.size() == 10 && f.rfind("bankzahl_", 0) == 0 && ist_ziffer(f[9])) return f.substr(9) + ". Bankzahl";
    // Row boxes of the slip layout: Reihe_01_links .. Reihe_12_oben.
    if (f.size() > 9 && f.rfind("reihe_", 0) == 0 && ist_ziffer(f[6]) && ist_ziffer(f[7]) && f[8] == '_') {
        const std::string seite = f.substr(9);
        if (seite == "links" || seite == "oben") return "Abstand " + seite + " (Reihe) " + nummer(6, 2);
    }
    static const std::pair<const char*, const char*> namen[] = {
        {"reihenberechnung", "Reihen"},
        {"zahlen_bis", "Zahlen"},
        {"gewinnerwartung", "Anzahl simulierter Ziehungen"},
        {"zusatzzahl", "Zusatzzahl"},
        {"superzahl", "Superzahl"},
        {"woche", "Woche"},
        {"jahr", "Jahr"},
        {"rang", "Rang"},
        {"anzahl", "Anzahl"},
        {"gewinn", "Gewinn"},
        {"zahl_abstand_links", "Abstand der Zahlen links"},
        {"zahl_abstand_oben", "Abstand der Zahlen oben"},
        {"schriftgroesse", "Schrift"},
        {"super_77_links", "S77 (links)"},
        {"super_77_oben", "S77 (oben)"},
        {"super_6_links", "S6 (links)"},
        {"super_6_oben", "S6 (oben)"},
        {"misa_links", "M/S (links)"},
        {"misa_oben", "M/S (oben)"},
        {"endziffer", "Endziffer"},
        {"zehner", "Zehner"},
        {"7_er", "7er"},
        {"7_er_vt", "7er vt"},
        {"quersumme_von", "Summe von"},
        {"quersumme_bis", "Summe bis"},
        {"prozent_woche", "% Wo"},
        {"prozent_jahr", "% Ja"},
        {"prozent_summe", "% Su"},
        {"woche_export", "Woche"},
        {"jahr_export", "Jahr"},
        {"zq_woche_von", "Wochen (von)"},
        {"zq_woche_bis", "Wochen (bis)"},
        {"zq_jahr", "Jahr"},
        {"zq_excel", "Excel"},
    };
    for (const auto& [name, bezeichnung] : namen)
        if (f == name) return std::string(bezeichnung);
    return std::nullopt;
}

} // namespace

std::string Feldbezeichnung(const std::string& feld) {
    return bezeichnung_suchen(feld).value_or(feld);
}

std::string Feldnamen_ersetzen(const std::string& meldung) {
    std::string ergebnis;
    std::size_t pos = 0;
    while (pos < meldung.size()) {
        const std::size_t auf = meldung.find('\'', pos);
        const std::size_t zu = auf == std::string::npos ? auf : meldung.find('\'', auf + 1);
        if (zu == std::string::npos) break;
        const auto bezeichnung = bezeichnung_suchen(meldung.substr(auf + 1, zu - auf - 1));
        ergebnis += meldung.substr(pos, auf - pos);
        if (bezeichnung) {
            ergebnis += "„" + *bezeichnung + "“";
            pos = zu + 1;
        } else {
            // Not a field: the quote stays, and the next one may open a field's name.
            ergebnis += '\'';
            pos = auf + 1;
        }
    }
    return ergebnis + meldung.substr(std::min(pos, meldung.size()));
}

std::string Eingabe_pruefen(const std::string& feld, const std::string& text, bool mit_feldname) {
    const auto bereich = Zahlenbereich_des_Feldes(feld);
    if (!bereich) return {};
    const std::string name = mit_feldname ? "'" + feld + "'" : "„" + Feldbezeichnung(feld) + "“";
    if (text.empty()) return bereich->pflicht ? "Das Feld " + name + " darf nicht leer sein." : std::string();
    std::int64_t zahl = 0;
    if (store::parseInteger(text, zahl) && (zahl < bereich->von || zahl > bereich->bis))
        return "Der Wert " + std::to_string(zahl) + " liegt außerhalb des Bereichs des Feldes " + name +
               " (" + std::to_string(bereich->von) + " bis " + std::to_string(bereich->bis) + ").";
    return {};
}

} // namespace pyra::data
