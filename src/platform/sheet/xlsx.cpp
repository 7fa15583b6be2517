// Reader of xlsx workbooks (Office Open XML spreadsheets): the workbook part found through the
// package relationships, the worksheets in workbook order, shared strings, number formats of the
// styles (to tell dates from numbers) and the cells of one worksheet.

#include "blatt.h"
#include "formate.h"
#include "meldungen.h"
#include "paket.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

namespace pyra::platform::sheet {

namespace {

struct Beziehung {
    std::string typ;
    std::string ziel; // part name inside the package, without a leading "/"
};

bool endet_mit(const std::string& text, const std::string& endung) {
    return text.size() >= endung.size() &&
           text.compare(text.size() - endung.size(), endung.size(), endung) == 0;
}

std::string verzeichnis(const std::string& teil) {
    const auto schraeg = teil.rfind('/');
    return schraeg == std::string::npos ? std::string() : teil.substr(0, schraeg + 1);
}

// Resolves a relationship target against the part that holds the relationship. Targets are
// relative ("worksheets/sheet1.xml") or absolute part names ("/xl/worksheets/sheet1.xml").
std::string aufloesen(const std::string& quelle, const std::string& ziel) {
    const std::string pfad = !ziel.empty() && ziel[0] == '/' ? ziel.substr(1) : verzeichnis(quelle) + ziel;
    std::vector<std::string> teile;
    std::size_t anfang = 0;
    while (anfang <= pfad.size()) {
        auto ende = pfad.find('/', anfang);
        if (ende == std::string::npos) ende = pfad.size();
        const std::string stueck = pfad.substr(anfang, ende - anfang);
        if (stueck == "..") {
            if (!teile.empty()) teile.pop_back();
        } else if (!stueck.empty() && stueck != ".") {
            teile.push_back(stueck);
        }
        anfang = ende + 1;
    }
    std::string ergebnis;
    for (const auto& t : teile) ergebnis += (ergebnis.empty() ? "" : "/") + t;
    return ergebnis;
}

// The relationships of a part ("" for the package itself), by their id.
std::map<std::string, Beziehung> beziehungen(const Paket& paket, const std::string& teil) {
    const auto schraeg = teil.rfind('/');
    const std::string rels = schraeg == std::string::npos ? "_rels/" + teil + ".rels"
                                                          : teil.substr(0, schraeg + 1) + "_rels/" +
                                                                teil.substr(schraeg + 1) + ".rels";
    std::map<std::string, Beziehung> ergebnis;
    if (!paket.hat(rels)) return ergebnis;
    const auto xml = xml_lesen(paket.lesen(rels), paket.datei(), rels, false);
    for (pugi::xml_node b : xml->dokument.document_element().children()) {
        if (b.type() != pugi::node_element || std::strcmp(lokal(b.name()), "Relationship") != 0) continue;
        if (std::strcmp(b.attribute("TargetMode").value(), "External") == 0) continue;
        ergebnis[b.attribute("Id").value()] = {b.attribute("Type").value(),
                                               aufloesen(teil, b.attribute("Target").value())};
    }
    return ergebnis;
}

const Beziehung* nach_typ(const std::map<std::string, Beziehung>& liste, const char* typ) {
    const std::string endung = std::string("/") + typ;
    for (const auto& [id, b] : liste)
        if (endet_mit(b.typ, endung)) return &b;
    return nullptr;
}

// Texts of xlsx may carry characters escaped as _xHHHH_ (for example _x000D_ for a carriage
// return); _x005F_ escapes the underscore itself.
std::string entschluesseln(const char* roh) {
    std::string text;
    const std::size_t n = std::strlen(roh);
    for (std::size_t i = 0; i < n; ++i) {
        if (roh[i] == '_' && i + 6 < n && roh[i + 1] == 'x' && roh[i + 6] == '_') {
            unsigned code = 0;
            const auto [p, fehler] = std::from_chars(roh + i + 2, roh + i + 6, code, 16);
            if (fehler == std::errc() && p == roh + i + 6) {
                if (code < 0x80) {
                    text += static_cast<char>(code);
                } else if (code < 0x800) {
                    text += static_cast<char>(0xC0 | (code >> 6));
                    text += static_cast<char>(0x80 | (code & 0x3F));
                } else {
                    text += static_cast<char>(0xE0 | (code >> 12));
                    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                    text += static_cast<char>(0x80 | (code & 0x3F));
                }
                i += 6;
                continue;
            }
        }
        text += roh[i];
    }
    return text;
}

// Text of a shared string item or an inline string: a plain <t> or rich-text runs <r><t>;
// phonetic runs (<rPh>) are not part of the text.
std::string string_element(pugi::xml_node si, const std::string& datei) {
    std::string text;
    for (pugi::xml_node k : si.children()) {
        if (k.type() != pugi::node_element) continue;
        const char* name = lokal(k.name());
        if (std::strcmp(name, "t") == 0) {
            text += entschluesseln(k.text().get());
        } else if (std::strcmp(name, "r") == 0) {
            if (pugi::xml_node t = kind(k, "t")) text += entschluesseln(t.text().get());
        }
        if (text.size() > max_textlaenge) zu_gross(datei, "ein Text ist länger als 1 MiB");
    }
    return text;
}

bool zahl_lesen(const char* text, double& wert) {
    while (*text == ' ') ++text;
    const char* ende = text + std::strlen(text);
    while (ende > text && ende[-1] == ' ') --ende;
    if (text == ende) return false;
    const auto [p, fehler] = std::from_chars(text, ende, wert);
    return fehler == std::errc() && p == ende && std::isfinite(wert);
}

bool ganz_lesen(const char* text, unsigned long& wert) {
    const char* ende = text + std::strlen(text);
    const auto [p, fehler] = std::from_chars(text, ende, wert);
    return fehler == std::errc() && p == ende && p != text;
}

// A cell reference such as "AB12": column and row; false when it is not one.
bool bezug_lesen(const char* text, unsigned long& zeile, unsigned long& spalte) {
    spalte = 0;
    const char* p = text;
    for (; *p >= 'A' && *p <= 'Z'; ++p) {
        spalte = spalte * 26 + static_cast<unsigned long>(*p - 'A' + 1);
        if (spalte > max_spalten) return false;
    }
    if (p == text) return false;
    return ganz_lesen(p, zeile);
}

// For every cell format (index of cellXfs) whether its number format shows dates.
std::vector<bool> datumsformate(const Paket& paket, const std::string& teil) {
    std::vector<bool> ergebnis;
    if (teil.empty() || !paket.hat(teil)) return ergebnis;
    const auto xml = xml_lesen(paket.lesen(teil), paket.datei(), teil, false);
    const pugi::xml_node wurzel = xml->dokument.document_element();
    std::map<unsigned long, bool> eigene;
    for (pugi::xml_node f : kind(wurzel, "numFmts").children()) {
        unsigned long id = 0;
        if (f.type() == pugi::node_element && ganz_lesen(f.attribute("numFmtId").value(), id))
            eigene[id] = ist_datumsformat(entschluesseln(f.attribute("formatCode").value()));
    }
    for (pugi::xml_node xf : kind(wurzel, "cellXfs").children()) {
        if (xf.type() != pugi::node_element) continue;
        unsigned long id = 0;
        bool datum = false;
        if (ganz_lesen(xf.attribute("numFmtId").value(), id)) {
            const auto gefunden = eigene.find(id);
            datum = gefunden != eigene.end() ? gefunden->second : ist_datumsformat(static_cast<unsigned>(id));
        }
        ergebnis.push_back(datum);
    }
    return ergebnis;
}

// An ISO 8601 date of a cell of type "d" (yyyy-mm-dd with an optional time).
bool iso_datum(const char* text, int& j, int& m, int& t) {
    const char* ende = text + std::strlen(text);
    auto teil = [&](const char*& p, int& wert, char folgt) {
        const auto [q, fehler] = std::from_chars(p, ende, wert);
        if (fehler != std::errc() || q == p) return false;
        p = q;
        if (folgt) {
            if (p == ende || *p != folgt) return false;
            ++p;
        }
        return true;
    };
    const char* p = text;
    if (!teil(p, j, '-') || !teil(p, m, '-') || !teil(p, t, 0)) return false;
    return (p == ende || *p == 'T' || *p == ' ') && datum_gueltig(j, m, t);
}

} // namespace

bool ist_datumsformat(unsigned id) {
    return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
           (id >= 50 && id <= 58);
}

bool ist_datumsformat(const std::string& code) {
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"') {
            const auto ende = code.find('"', i + 1);
            if (ende == std::string::npos) return false;
            i = ende;
        } else if (c == '[') {
            const auto ende = code.find(']', i + 1);
            if (ende == std::string::npos) return false;
            i = ende;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == 'd' || c == 'D' || c == 'm' || c == 'M' || c == 'y' || c == 'Y') {
            return true;
        }
    }
    return false;
}

bool ist_ooxml(const Paket& paket) {
    return paket.hat("[Content_Types].xml");
}

void xlsx_lesen(const Paket& paket, int blatt, Blatt& ziel) {
    const std::string& datei = paket.datei();

    // The workbook part: named by the package relationships, usually xl/workbook.xml.
    std::string mappe_teil;
    const auto paket_bez = beziehungen(paket, "");
    if (const Beziehung* b = nach_typ(paket_bez, "officeDocument")) mappe_teil = b->ziel;
    if (mappe_teil.empty() || !paket.hat(mappe_teil)) mappe_teil = "xl/workbook.xml";
    if (!paket.hat(mappe_teil)) unbekannte_art(datei);
    const auto mappe = xml_lesen(paket.lesen(mappe_teil), datei, mappe_teil, false);
    const pugi::xml_node wurzel = mappe->dokument.document_element();
    if (std::strcmp(lokal(wurzel.name()), "workbook") != 0) unbekannte_art(datei);

    const char* datum_1904 = kind(wurzel, "workbookPr").attribute("date1904").value();
    const bool system_1904 = std::strcmp(datum_1904, "1") == 0 || std::strcmp(datum_1904, "true") == 0;

    // Worksheets in workbook order; chart sheets and dialog sheets are not counted.
    const auto mappe_bez = beziehungen(paket, mappe_teil);
    std::vector<std::string> blaetter;
    for (pugi::xml_node s : kind(wurzel, "sheets").children()) {
        if (s.type() != pugi::node_element || std::strcmp(lokal(s.name()), "sheet") != 0) continue;
        std::string id;
        for (pugi::xml_attribute a : s.attributes())
            if (std::strchr(a.name(), ':') && std::strcmp(lokal(a.name()), "id") == 0) id = a.value();
        const auto b = mappe_bez.find(id);
        if (b == mappe_bez.end()) beschaedigt(datei, "ein Tabellenblatt hat keinen Teil im Paket");
        if (endet_mit(b->second.typ, "/worksheet")) blaetter.push_back(b->second.ziel);
    }
    if (blatt < 1 || static_cast<std::size_t>(blatt) > blaetter.size())
        kein_blatt(datei, blatt, static_cast<int>(blaetter.size()));

    const Beziehung* stile = nach_typ(mappe_bez, "styles");
    const std::vector<bool> datum_xf = datumsformate(paket, stile ? stile->ziel : "xl/styles.xml");

    // Shared strings go into the text pool first, so that their index is their place in it.
    std::size_t geteilte = 0;
    const Beziehung* texte = nach_typ(mappe_bez, "sharedStrings");
    const std::string texte_teil = texte ? texte->ziel : "xl/sharedStrings.xml";
    if (paket.hat(texte_teil)) {
        const auto xml = xml_lesen(paket.lesen(texte_teil), datei, texte_teil, false);
        for (pugi::xml_node si : xml->dokument.document_element().children()) {
            if (si.type() != pugi::node_element || std::strcmp(lokal(si.name()), "si") != 0) continue;
            ziel.text_ablegen(string_element(si, datei));
        }
        geteilte = ziel.anzahl_texte();
    }

    const std::string& blatt_teil = blaetter[static_cast<std::size_t>(blatt) - 1];
    if (!paket.hat(blatt_teil)) beschaedigt(datei, "der Teil \"" + blatt_teil + "\" fehlt");
    const auto xml = xml_lesen(paket.lesen(blatt_teil), datei, blatt_teil, false);
    const pugi::xml_node daten = kind(xml->dokument.document_element(), "sheetData");

    unsigned long zeile = 0;
    for (pugi::xml_node r : daten.children()) {
        if (r.type() != pugi::node_element || std::strcmp(lokal(r.name()), "row") != 0) continue;
        unsigned long nr = 0;
        zeile = ganz_lesen(r.attribute("r").value(), nr) ? nr : zeile + 1;
        unsigned long spalte = 0;
        for (pugi::xml_node c : r.children()) {
            if (c.type() != pugi::node_element || std::strcmp(lokal(c.name()), "c") != 0) continue;
            unsigned long bez_zeile = 0, bez_spalte = 0;
            const char* bezug = c.attribute("r").value();
            if (*bezug) {
                if (!bezug_lesen(bezug, bez_zeile, bez_spalte))
                    beschaedigt(datei, "ungültiger Zellbezug \"" + gekuerzt(bezug) + "\"");
                spalte = bez_spalte;
                zeile = bez_zeile;
            } else {
                ++spalte;
            }
            if (zeile < 1 || zeile > max_zeilen || spalte < 1 || spalte > max_spalten) continue;
            const auto z = static_cast<std::uint32_t>(zeile), s = static_cast<std::uint32_t>(spalte);

            const std::string typ = c.attribute("t").value();
            const char* wert = kind(c, "v").text().get();
            if (typ == "s") {
                unsigned long index = 0;
                if (!*wert) continue;
                if (!ganz_lesen(wert, index) || index >= geteilte)
                    beschaedigt(datei, "Verweis auf einen Text, den es nicht gibt");
                ziel.text_aus_pool(z, s, static_cast<std::uint32_t>(index));
            } else if (typ == "inlineStr") {
                ziel.text(z, s, string_element(kind(c, "is"), datei));
            } else if (typ == "str") {
                ziel.text(z, s, entschluesseln(wert));
            } else if (typ == "b") {
                if (*wert)
                    ziel.wahrheitswert(z, s, std::strcmp(wert, "1") == 0 || std::strcmp(wert, "true") == 0);
            } else if (typ == "e") {
                if (*wert) ziel.fehler(z, s, wert);
            } else if (typ == "d") {
                int j = 0, m = 0, t = 0;
                if (!*wert) continue;
                if (!iso_datum(wert, j, m, t))
                    beschaedigt(datei, "ungültiges Datum \"" + gekuerzt(wert) + "\"");
                ziel.datum(z, s, j, m, t);
            } else {
                if (!*wert) continue; // a formatted cell without a value
                double zahl = 0;
                if (!zahl_lesen(wert, zahl)) beschaedigt(datei, "ungültige Zahl \"" + gekuerzt(wert) + "\"");
                // Without a style the cell has the first cell format.
                unsigned long xf = 0;
                const char* stil = c.attribute("s").value();
                const bool datum = (!*stil || ganz_lesen(stil, xf)) && xf < datum_xf.size() && datum_xf[xf];
                if (datum && ziel.datum_1900(z, s, system_1904 ? zahl + 1462 : zahl)) continue;
                ziel.zahl(z, s, zahl);
            }
        }
    }
}

} // namespace pyra::platform::sheet
