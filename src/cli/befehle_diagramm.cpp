// The charts of the draw history as picture files, through the renderer the chart window uses.

#include "cli/kontext.h"
#include "stats/diagrammdaten_store.h"
#include "store/store.h"
#include "ui/diagramme/diagrammbild.h"

namespace pyra::cli {

namespace {

constexpr int kStandardbreite = 1000;
constexpr int kStandardhoehe = 700;

struct Diagrammaufruf {
    ui::Diagrammart art = ui::Diagrammart::Haeufigkeit;
    std::optional<long long> zahl;
    std::string datei;
    int breite = kStandardbreite;
    int hoehe = kStandardhoehe;
};

// Reads the arguments; a wrong word or file ending is a usage error, a size out of range a
// refused value. Runs before anything is opened or created.
Diagrammaufruf lesen(const std::vector<std::string>& args) {
    Argumente a(args);
    Diagrammaufruf d;
    const std::string art = a.option("art").value_or("");
    const auto gefunden = ui::Diagrammart_aus_Name(art);
    if (!gefunden)
        throw Aufruffehler(
            "--art kennt haeufigkeit, rueckstand, wiederholungen, summen und verlauf, nicht '" + art + "'.");
    d.art = *gefunden;
    d.datei = a.option("datei").value_or("");
    if (!ui::Bildformat_bekannt(d.datei))
        throw Aufruffehler("--datei braucht die Endung .png oder .svg: '" + d.datei + "'.");
    if (const auto z = a.option("zahl")) {
        if (d.art != ui::Diagrammart::Verlauf && d.art != ui::Diagrammart::Wiederholungen)
            throw Aufruffehler("--zahl gilt nur für --art verlauf (die Zahl) und wiederholungen (z = 1..7).");
        d.zahl = ganzzahl(*z, "--zahl", 1, stats::kGroessteZahl);
    }
    if (const auto b = a.option("breite"))
        d.breite =
            static_cast<int>(ganzzahl(*b, "--breite", ui::kKleinste_Bildseite, ui::kGroesste_Bildseite));
    if (const auto h = a.option("hoehe"))
        d.hoehe = static_cast<int>(ganzzahl(*h, "--hoehe", ui::kKleinste_Bildseite, ui::kGroesste_Bildseite));
    if (!a.rest().empty()) throw Aufruffehler("diagramm nimmt keine weiteren Argumente.");
    return d;
}

int diagramm(Kontext& k) {
    const Diagrammaufruf d = lesen(k.args);
    stats::Diagrammdaten daten;
    try {
        daten = stats::Diagrammdaten_lesen(k.dm);
    } catch (const store::StoreError& e) {
        throw Befehlsfehler(e.what());
    }
    // Without --zahl: the Verlauf of the statistics grid's current number, as the window starts,
    // and the recurrence from the draw just before (z = 1).
    int auswahl = 0;
    if (d.art == ui::Diagrammart::Verlauf)
        auswahl = d.zahl ? static_cast<int>(*d.zahl) : stats::Zahl_im_Gitter(k.dm);
    if (d.art == ui::Diagrammart::Wiederholungen) auswahl = d.zahl ? static_cast<int>(*d.zahl) : 1;
    if (!ui::Auswahl_gueltig(d.art, auswahl, daten.Zahlen_bis)) {
        const int bis = d.art == ui::Diagrammart::Verlauf ? daten.Zahlen_bis : 7;
        throw Befehlsfehler("--zahl: " + std::to_string(auswahl) + " liegt nicht zwischen 1 und " +
                            std::to_string(bis) + ".");
    }
    try {
        ui::Diagramm_als_Bild_speichern(d.art, daten, auswahl, d.datei, d.breite, d.hoehe);
    } catch (const std::runtime_error& e) {
        throw Befehlsfehler(e.what());
    }
    std::cout << "Diagramm gespeichert: " << d.datei << "\n";
    return 0;
}

} // namespace

void befehle_registrieren_diagramm() {
    befehle()["diagramm"] = {diagramm,
                             "diagramm --art haeufigkeit|rueckstand|wiederholungen|summen|verlauf [--zahl Z] "
                             "--datei DATEI.png|.svg "
                             "[--breite B] [--hoehe H]",
                             [](const std::vector<std::string>& args) { lesen(args); }};
}

} // namespace pyra::cli
