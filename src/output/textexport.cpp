#include "output/textexport.h"

#include <fstream>
#include <system_error>

namespace pyra::output {

namespace fs = std::filesystem;

std::string Textdatei_Dateiname(std::int64_t woche, std::int64_t jahr) {
    return std::to_string(woche) + "_" + std::to_string(jahr) + ".txt";
}

Textdatei Textdatei_anlegen(const fs::path& programmverzeichnis, std::int64_t woche, std::int64_t jahr) {
    Textdatei t;
    const fs::path verzeichnis = programmverzeichnis / Arbeitsverzeichnis;
    t.Datei = verzeichnis / Textdatei_Dateiname(woche, jahr);

    std::error_code fehler;
    fs::create_directories(verzeichnis, fehler);
    if (!fs::is_directory(verzeichnis, fehler)) {
        t.Meldung = "Das Verzeichnis " + verzeichnis.string() + " kann nicht angelegt werden!";
        return t;
    }
    if (fs::exists(t.Datei, fehler)) return t;
    // Opening for appending creates the file and never truncates one made in between.
    std::ofstream datei(t.Datei, std::ios::binary | std::ios::app);
    if (!datei) t.Meldung = "Die Datei " + t.Datei.string() + " kann nicht angelegt werden!";
    return t;
}

Reihe_bis Reihe_bis_setzen(const Scheinlayout& layout, std::int64_t eintrag) {
    Reihe_bis r;
    r.Reihen_pro_Spielschein = Reihenfelder_zaehlen(layout);
    r.Text = Reihenzahl_Text(Reihenbereich_berechnen(eintrag, r.Reihen_pro_Spielschein).bis);
    return r;
}

std::string Textzeile(const Tippreihe& reihe, const std::string& trennzeichen) {
    std::string zeile;
    for (std::size_t i = 0; i < reihe.Tipp_Zahl.size(); ++i) {
        if (i > 0) zeile += trennzeichen;
        zeile += std::to_string(reihe.Tipp_Zahl[i].value_or(0));
    }
    return zeile;
}

std::optional<std::string> Textdatei_schreiben(const fs::path& datei, const std::string& reihe_bis,
                                               const std::string& trennzeichen,
                                               const std::vector<Tippreihe>& reihen) {
    const auto bis = Ganzzahl_lesen(reihe_bis);
    if (!bis) return std::string(Meldung_Anzahl_Reihen);

    std::error_code fehler;
    if (!fs::exists(datei, fehler)) return std::nullopt;

    std::ofstream aus(datei, std::ios::binary | std::ios::trunc);
    if (!aus) return std::string(Meldung_Anzahl_Reihen);
    for (const Tippreihe& reihe : reihen) {
        if (reihe.Reihe > *bis) break;
        if (!reihe.Tipp_Zahl[0]) continue;
        aus << Textzeile(reihe, trennzeichen) << "\r\n";
        if (!aus) return std::string(Meldung_Anzahl_Reihen);
    }
    aus.close();
    if (aus.fail()) return std::string(Meldung_Anzahl_Reihen);
    return std::nullopt;
}

} // namespace pyra::output
