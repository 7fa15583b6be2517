#include "meldungen.h"

namespace pyra::platform::sheet {

using maintenance::ImportFehler;

void fehlt(const std::string& datei) {
    if (datei.empty()) throw ImportFehler("Es ist keine Arbeitsmappe angegeben.");
    throw ImportFehler("Die Datei \"" + datei + "\" wurde nicht gefunden.");
}

void nicht_lesbar(const std::string& datei) {
    throw ImportFehler("Die Datei \"" + datei + "\" kann nicht gelesen werden.");
}

void unbekannte_art(const std::string& datei) {
    throw ImportFehler("Die Datei \"" + datei +
                       "\" ist keine Arbeitsmappe einer bekannten Art (xlsx, ods oder xls).");
}

void beschaedigt(const std::string& datei, const std::string& grund) {
    throw ImportFehler("Die Arbeitsmappe \"" + datei + "\" ist beschädigt: " + grund + ".");
}

void zu_gross(const std::string& datei, const std::string& was) {
    throw ImportFehler("Die Arbeitsmappe \"" + datei + "\" ist zu groß: " + was + ".");
}

void kein_blatt(const std::string& datei, int blatt, int anzahl) {
    throw ImportFehler("Die Arbeitsmappe \"" + datei + "\" hat kein Tabellenblatt Nummer " +
                       std::to_string(blatt) + " (sie hat " + std::to_string(anzahl) +
                       (anzahl == 1 ? " Tabellenblatt)." : " Tabellenblätter)."));
}

std::string gekuerzt(const std::string& text, std::size_t laenge) {
    if (text.size() <= laenge) return text;
    std::size_t ende = laenge;
    while (ende > 0 && (static_cast<unsigned char>(text[ende]) & 0xC0) == 0x80) --ende;
    return text.substr(0, ende) + "…";
}

} // namespace pyra::platform::sheet
