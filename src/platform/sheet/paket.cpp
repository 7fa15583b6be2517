#include "paket.h"

#include "blatt.h"
#include "meldungen.h"

#include <zip.h>

#include <algorithm>
#include <cstring>

namespace pyra::platform::sheet {

Paket::Paket(const std::string& daten, std::string datei) : datei_(std::move(datei)) {
    zip_error_t fehler;
    zip_error_init(&fehler);
    zip_source_t* quelle = zip_source_buffer_create(daten.data(), daten.size(), 0, &fehler);
    if (!quelle) {
        zip_error_fini(&fehler);
        beschaedigt(datei_, "das Zip-Archiv kann nicht gelesen werden");
    }
    archiv_ = zip_open_from_source(quelle, ZIP_RDONLY, &fehler);
    if (!archiv_) {
        zip_source_free(quelle);
        const std::string grund = zip_error_strerror(&fehler);
        zip_error_fini(&fehler);
        beschaedigt(datei_, "das Zip-Archiv ist unvollständig oder fehlerhaft (" + grund + ")");
    }
    zip_error_fini(&fehler);
}

Paket::~Paket() {
    // Discarding never writes anything back (the archive lives in memory anyway).
    if (archiv_) zip_discard(archiv_);
}

long long Paket::index(const std::string& name) const {
    return zip_name_locate(archiv_, name.c_str(), ZIP_FL_NOCASE);
}

bool Paket::hat(const std::string& name) const {
    return index(name) >= 0;
}

std::string Paket::lesen(const std::string& name) const {
    const long long i = index(name);
    if (i < 0) beschaedigt(datei_, "der Teil \"" + name + "\" fehlt");
    zip_stat_t info;
    zip_stat_init(&info);
    if (zip_stat_index(archiv_, static_cast<zip_uint64_t>(i), 0, &info) == 0 &&
        (info.valid & ZIP_STAT_SIZE) && info.size > max_teilgroesse)
        zu_gross(datei_, "der Teil \"" + name + "\" ist größer als " + std::to_string(max_teilgroesse >> 20) +
                             " MiB");
    zip_file_t* datei = zip_fopen_index(archiv_, static_cast<zip_uint64_t>(i), 0);
    if (!datei) beschaedigt(datei_, "der Teil \"" + name + "\" kann nicht entpackt werden");
    std::string inhalt;
    // The size in the directory may lie: read in pieces and stop at the limit.
    if (info.valid & ZIP_STAT_SIZE) inhalt.reserve(static_cast<std::size_t>(info.size));
    char stueck[65536];
    for (;;) {
        const zip_int64_t n = zip_fread(datei, stueck, sizeof stueck);
        if (n < 0) {
            zip_fclose(datei);
            beschaedigt(datei_, "der Teil \"" + name + "\" kann nicht entpackt werden");
        }
        if (n == 0) break;
        if (inhalt.size() + static_cast<std::size_t>(n) > max_teilgroesse) {
            zip_fclose(datei);
            zu_gross(datei_, "der Teil \"" + name + "\" ist größer als " +
                                 std::to_string(max_teilgroesse >> 20) + " MiB");
        }
        inhalt.append(stueck, static_cast<std::size_t>(n));
    }
    if (zip_fclose(datei) != 0) beschaedigt(datei_, "der Teil \"" + name + "\" ist fehlerhaft gepackt");
    return inhalt;
}

std::unique_ptr<XmlTeil> xml_lesen(std::string text, const std::string& datei, const std::string& teil,
                                   bool leerraum_behalten) {
    // Each element or text node costs the parser a few dozen bytes; counting the tags first
    // keeps a part made of millions of tiny elements from taking gigabytes.
    const auto elemente = static_cast<std::size_t>(std::count(text.begin(), text.end(), '<'));
    if (elemente > max_xml_elemente)
        zu_gross(datei,
                 "der Teil \"" + teil + "\" hat mehr als " + std::to_string(max_xml_elemente) + " Elemente");
    const auto attribute = static_cast<std::size_t>(std::count(text.begin(), text.end(), '='));
    if (attribute > 2 * max_xml_elemente)
        zu_gross(datei, "der Teil \"" + teil + "\" hat mehr als " + std::to_string(2 * max_xml_elemente) +
                            " Attribute");

    auto ergebnis = std::make_unique<XmlTeil>();
    ergebnis->text = std::move(text);
    unsigned optionen = pugi::parse_default;
    optionen |= leerraum_behalten ? pugi::parse_ws_pcdata : pugi::parse_ws_pcdata_single;
    const auto status = ergebnis->dokument.load_buffer_inplace(ergebnis->text.data(), ergebnis->text.size(),
                                                               optionen, pugi::encoding_auto);
    if (!status)
        beschaedigt(datei, "der Teil \"" + teil + "\" ist kein gültiges XML (" + status.description() + ")");
    return ergebnis;
}

const char* lokal(const char* name) {
    const char* doppelpunkt = std::strrchr(name, ':');
    return doppelpunkt ? doppelpunkt + 1 : name;
}

pugi::xml_node kind(pugi::xml_node knoten, const char* name) {
    for (pugi::xml_node k = knoten.first_child(); k; k = k.next_sibling())
        if (k.type() == pugi::node_element && std::strcmp(lokal(k.name()), name) == 0) return k;
    return {};
}

} // namespace pyra::platform::sheet
