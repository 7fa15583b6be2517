// The spreadsheet cell reader: reads the workbook file once into memory, tells its kind by its
// content (zip package with xlsx or ods parts, or an OLE compound file for xls) and keeps the
// cells of the selected worksheet. The file is only ever opened for reading.

#include "blatt.h"
#include "formate.h"
#include "maintenance/zellenleser.h"
#include "meldungen.h"
#include "paket.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

namespace pyra::maintenance {

namespace {

using namespace pyra::platform::sheet;

std::string datei_lesen(const std::string& name) {
    std::error_code fehler;
    const auto status = std::filesystem::status(name, fehler);
    if (!std::filesystem::exists(status)) fehlt(name);
    if (!std::filesystem::is_regular_file(status)) unbekannte_art(name);
    const auto groesse = std::filesystem::file_size(name, fehler);
    if (fehler) nicht_lesbar(name);
    if (groesse > max_dateigroesse)
        zu_gross(name, "die Datei ist größer als " + std::to_string(max_dateigroesse >> 20) + " MiB");
    std::ifstream ein(name, std::ios::binary);
    if (!ein) nicht_lesbar(name);
    std::string daten(static_cast<std::size_t>(groesse), '\0');
    ein.read(daten.data(), static_cast<std::streamsize>(daten.size()));
    if (static_cast<std::size_t>(ein.gcount()) != daten.size()) nicht_lesbar(name);
    return daten;
}

class Arbeitsmappenleser final : public Zellenleser {
  public:
    void Oeffnen(const std::string& datei, int blatt) override {
        Schliessen();
        auto neu = std::make_unique<Blatt>(datei);
        const std::string daten = datei_lesen(datei);
        static const char ole[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
        if (daten.rfind("PK\x03\x04", 0) == 0 || daten.rfind("PK\x05\x06", 0) == 0) {
            const Paket paket(daten, datei);
            if (ist_ooxml(paket))
                xlsx_lesen(paket, blatt, *neu);
            else if (ist_ods(paket))
                ods_lesen(paket, blatt, *neu);
            else
                unbekannte_art(datei);
        } else if (daten.rfind(std::string(ole, 8), 0) == 0) {
            xls_lesen(datei, blatt, *neu);
        } else {
            unbekannte_art(datei);
        }
        neu->abschliessen();
        blatt_ = std::move(neu);
    }

    void Schliessen() override { blatt_.reset(); }

    std::string Text(int zeile, int spalte) override { return offen().Text(zeile, spalte); }

    long long Ganzzahl(int zeile, int spalte) override { return offen().Ganzzahl(zeile, spalte); }

  private:
    const Blatt& offen() const {
        if (!blatt_) throw ImportFehler("Es ist keine Arbeitsmappe geöffnet.");
        return *blatt_;
    }

    std::unique_ptr<Blatt> blatt_;
};

} // namespace

std::unique_ptr<Zellenleser> Zellenleser_erzeugen() {
    return std::make_unique<Arbeitsmappenleser>();
}

} // namespace pyra::maintenance
