#include "output/spielschein_druck.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <limits>

namespace pyra::output {

namespace {

// Index of the first row with the given number, or the size of the list when there is none.
std::size_t reihe_suchen(const std::vector<Tippreihe>& reihen, std::int64_t reihe) {
    auto it =
        std::find_if(reihen.begin(), reihen.end(), [reihe](const Tippreihe& r) { return r.Reihe == reihe; });
    return static_cast<std::size_t>(it - reihen.begin());
}

int geraetepunkt(std::int64_t pixel) {
    return static_cast<int>(
        std::clamp<std::int64_t>(pixel, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void markieren(Drucker& drucker, std::int64_t links, std::int64_t oben) {
    drucker.Text_ausgeben(geraetepunkt(Pixel_links(links, drucker.Seitenbreite())),
                          geraetepunkt(Pixel_oben(oben, drucker.Seitenhoehe())), Markierung);
}

void ankreuzfeld(Drucker& drucker, const std::optional<int>& links, const std::optional<int>& oben) {
    if (links && oben && *links >= 0 && *oben >= 0) markieren(drucker, *links, *oben);
}

} // namespace

Druckbereich Reihenbereich_setzen(const Scheinlayout& layout, std::int64_t eintrag,
                                  const std::vector<Tippreihe>& reihen) {
    Druckbereich b;
    b.Reihen_pro_Spielschein = Reihenfelder_zaehlen(layout);
    const Reihenbereich bereich = Reihenbereich_berechnen(eintrag, b.Reihen_pro_Spielschein);
    b.Reihe_von = Reihenzahl_Text(bereich.von);
    b.Reihe_bis = Reihenzahl_Text(bereich.bis);
    const std::size_t erste = reihe_suchen(reihen, bereich.von);
    b.Drucken_moeglich = erste < reihen.size() && reihen[erste].Tipp_Zahl[0].has_value();
    return b;
}

std::optional<std::string> Spielschein_drucken(Drucker& drucker, const std::string& reihe_von,
                                               const std::string& reihe_bis,
                                               const std::vector<Tippreihe>& reihen,
                                               const Scheinlayout& layout) {
    const auto von = Ganzzahl_lesen(reihe_von);
    const auto bis = Ganzzahl_lesen(reihe_bis);
    if (!von || !bis) return std::string(Meldung_Anzahl_Reihen);

    // Rows beyond the slip's row boxes have no place on it; a reversed range prints no rows.
    const std::int64_t reihen_pro_spielschein =
        std::clamp<std::int64_t>(*bis - *von + 1, 0, Reihenfelder_zaehlen(layout));

    try {
        drucker.Druckauftrag_beginnen();
        drucker.Schrift_setzen(Schriftart_Markierung, layout.Schriftgroesse);

        std::size_t i = reihe_suchen(reihen, *von);
        for (int k = 1; k <= reihen_pro_spielschein && i < reihen.size(); ++k, ++i) {
            for (const auto& zahl : reihen[i].Tipp_Zahl) {
                if (!zahl || *zahl < 1 || *zahl > 49) continue;
                markieren(drucker, Position_links(layout, *zahl, k), Position_oben(layout, *zahl, k));
            }
        }

        ankreuzfeld(drucker, layout.Super_77_links, layout.Super_77_oben);
        ankreuzfeld(drucker, layout.Super_6_links, layout.Super_6_oben);
        ankreuzfeld(drucker, layout.MiSa_links, layout.MiSa_oben);

        drucker.Druckauftrag_beenden();
    } catch (const std::exception& e) {
        drucker.Druckauftrag_abbrechen();
        return std::string("Der Spielschein wurde nicht gedruckt: ") + e.what();
    } catch (...) {
        drucker.Druckauftrag_abbrechen();
        return std::string("Der Spielschein wurde nicht gedruckt.");
    }
    return std::nullopt;
}

} // namespace pyra::output
