// Reader of ods workbooks (OpenDocument spreadsheets): the tables of content.xml in document
// order, with repeated rows and columns expanded only where they hold values.

#include "blatt.h"
#include "formate.h"
#include "meldungen.h"
#include "paket.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

namespace pyra::platform::sheet {

namespace {

constexpr int max_tiefe = 32; // nesting of row groups and text spans

bool ist(pugi::xml_node k, const char* name) {
    return k.type() == pugi::node_element && std::strcmp(k.name(), name) == 0;
}

// A repeat count: at least 1, at most limit (a larger count only covers cells that no sheet has).
std::uint32_t wiederholung(pugi::xml_node k, const char* attribut, std::uint32_t limit) {
    const char* text = k.attribute(attribut).value();
    unsigned long n = 1;
    const char* ende = text + std::strlen(text);
    const auto [p, fehler] = std::from_chars(text, ende, n);
    if (*text == 0 || p != ende || n < 1) return 1;
    if (fehler == std::errc::result_out_of_range || n > limit) return limit;
    return static_cast<std::uint32_t>(n);
}

// Text of a paragraph: white space in the XML text collapses to one blank, as in OpenDocument;
// <text:s text:c="n"/> gives n blanks, tabs and line breaks their characters.
void text_sammeln(pugi::xml_node knoten, std::string& text, bool& nach_leerraum, int tiefe,
                  const std::string& datei) {
    if (tiefe > max_tiefe) beschaedigt(datei, "zu tief verschachtelter Text");
    for (pugi::xml_node k : knoten.children()) {
        if (k.type() == pugi::node_pcdata || k.type() == pugi::node_cdata) {
            for (const char* p = k.value(); *p; ++p) {
                if (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r') {
                    if (!nach_leerraum) text += ' ';
                    nach_leerraum = true;
                } else {
                    text += *p;
                    nach_leerraum = false;
                }
            }
        } else if (k.type() == pugi::node_element) {
            const char* name = k.name();
            if (std::strcmp(name, "text:s") == 0) {
                text.append(wiederholung(k, "text:c", 1024), ' ');
                nach_leerraum = false;
            } else if (std::strcmp(name, "text:tab") == 0) {
                text += '\t';
                nach_leerraum = false;
            } else if (std::strcmp(name, "text:line-break") == 0) {
                text += '\n';
                nach_leerraum = false;
            } else if (std::strcmp(name, "text:note") != 0 && std::strcmp(name, "office:annotation") != 0) {
                text_sammeln(k, text, nach_leerraum, tiefe + 1, datei);
            }
        }
        if (text.size() > max_textlaenge) zu_gross(datei, "ein Text ist länger als 1 MiB");
    }
}

// The text of a cell: its paragraphs, one per line.
std::string zelltext(pugi::xml_node zelle, const std::string& datei) {
    std::string text;
    bool erster = true;
    for (pugi::xml_node p : zelle.children()) {
        if (!ist(p, "text:p") && !ist(p, "text:h")) continue;
        if (!erster) text += '\n';
        erster = false;
        std::string absatz;
        bool nach_leerraum = true; // blanks at the start of a paragraph do not count
        text_sammeln(p, absatz, nach_leerraum, 0, datei);
        if (nach_leerraum && !absatz.empty() && absatz.back() == ' ') absatz.pop_back();
        text += absatz;
        if (text.size() > max_textlaenge) zu_gross(datei, "ein Text ist länger als 1 MiB");
    }
    return text;
}

bool datum_lesen(const char* text, int& j, int& m, int& t) {
    const char* ende = text + std::strlen(text);
    const char* p = text;
    auto teil = [&](int& wert, char folgt) {
        const auto [q, fehler] = std::from_chars(p, ende, wert);
        if (fehler != std::errc() || q == p || *p == '-') return false;
        p = q;
        if (folgt) {
            if (p == ende || *p != folgt) return false;
            ++p;
        }
        return true;
    };
    if (!teil(j, '-') || !teil(m, '-') || !teil(t, 0)) return false;
    return (p == ende || *p == 'T') && datum_gueltig(j, m, t);
}

// The value of one cell, read once even when the cell repeats.
struct Wert {
    Zellart art = Zellart::Leer;
    double zahl = 0;
    int jahr = 0, monat = 0, tag = 0;
    std::uint32_t text = 0; // index in the text pool
};

Wert wert_lesen(pugi::xml_node zelle, Blatt& ziel) {
    const std::string& datei = ziel.datei();
    Wert w;
    const char* typ = zelle.attribute("office:value-type").value();
    if (std::strcmp(zelle.attribute("calcext:value-type").value(), "error") == 0) {
        w.art = Zellart::Fehler;
        w.text = ziel.text_ablegen(zelltext(zelle, datei));
    } else if (!std::strcmp(typ, "float") || !std::strcmp(typ, "percentage") ||
               !std::strcmp(typ, "currency")) {
        const char* text = zelle.attribute("office:value").value();
        const char* ende = text + std::strlen(text);
        const auto [p, fehler] = std::from_chars(text, ende, w.zahl);
        if (fehler != std::errc() || p != ende || p == text || !std::isfinite(w.zahl))
            beschaedigt(datei, "ungültige Zahl \"" + gekuerzt(text) + "\"");
        w.art = Zellart::Zahl;
    } else if (!std::strcmp(typ, "date")) {
        if (datum_lesen(zelle.attribute("office:date-value").value(), w.jahr, w.monat, w.tag)) {
            w.art = Zellart::Datum;
        } else {
            w.art = Zellart::Text; // a date no calendar of ours shows: keep what the sheet shows
            w.text = ziel.text_ablegen(zelltext(zelle, datei));
        }
    } else if (!std::strcmp(typ, "boolean")) {
        w.art = Zellart::Wahrheitswert;
        w.zahl = std::strcmp(zelle.attribute("office:boolean-value").value(), "true") == 0 ? 1 : 0;
    } else if (!std::strcmp(typ, "string") && zelle.attribute("office:string-value")) {
        w.art = Zellart::Text;
        w.text = ziel.text_ablegen(zelle.attribute("office:string-value").value());
    } else {
        // Strings, times (as the sheet shows them) and cells without a type that carry text.
        std::string text = zelltext(zelle, datei);
        if (*typ || !text.empty()) {
            w.art = Zellart::Text;
            w.text = ziel.text_ablegen(std::move(text));
        }
    }
    return w;
}

void zelle_ablegen(Blatt& ziel, std::uint32_t z, std::uint32_t s, const Wert& w) {
    switch (w.art) {
    case Zellart::Leer:
        break;
    case Zellart::Zahl:
        ziel.zahl(z, s, w.zahl);
        break;
    case Zellart::Datum:
        ziel.datum(z, s, w.jahr, w.monat, w.tag);
        break;
    case Zellart::Wahrheitswert:
        ziel.wahrheitswert(z, s, w.zahl != 0);
        break;
    case Zellart::Text:
    case Zellart::Fehler:
        ziel.text_aus_pool(z, s, w.text, w.art == Zellart::Fehler);
        break;
    }
}

class Tabellenleser {
  public:
    explicit Tabellenleser(Blatt& ziel) : ziel_(ziel) {}

    void zeilen(pugi::xml_node knoten, int tiefe) {
        if (tiefe > max_tiefe) beschaedigt(ziel_.datei(), "zu tief verschachtelte Zeilengruppen");
        for (pugi::xml_node k : knoten.children()) {
            if (naechste_ > max_zeilen) return;
            if (ist(k, "table:table-row"))
                zeile(k);
            else if (ist(k, "table:table-header-rows") || ist(k, "table:table-rows") ||
                     ist(k, "table:table-row-group"))
                zeilen(k, tiefe + 1);
        }
    }

  private:
    struct Gefuellt {
        std::uint32_t spalte, anzahl;
        Wert wert;
    };

    void zeile(pugi::xml_node r) {
        const std::uint32_t wdh = wiederholung(r, "table:number-rows-repeated", max_zeilen);
        std::vector<Gefuellt> zellen;
        std::uint32_t spalte = 1;
        for (pugi::xml_node c : r.children()) {
            if (!ist(c, "table:table-cell") && !ist(c, "table:covered-table-cell")) continue;
            if (spalte > max_spalten) break;
            const std::uint32_t n = wiederholung(c, "table:number-columns-repeated", max_spalten);
            Wert w = wert_lesen(c, ziel_);
            if (w.art != Zellart::Leer) zellen.push_back({spalte, std::min(n, max_spalten + 1 - spalte), w});
            spalte += n;
        }
        // Only rows with values are expanded; empty repeated rows just move the row count on.
        for (std::uint32_t i = 0; i < wdh && !zellen.empty() && naechste_ + i <= max_zeilen; ++i)
            for (const Gefuellt& g : zellen)
                for (std::uint32_t j = 0; j < g.anzahl; ++j)
                    zelle_ablegen(ziel_, naechste_ + i, g.spalte + j, g.wert);
        naechste_ += std::min(wdh, max_zeilen + 1 - naechste_);
    }

    Blatt& ziel_;
    std::uint32_t naechste_ = 1;
};

} // namespace

bool ist_ods(const Paket& paket) {
    if (!paket.hat("content.xml")) return false;
    if (!paket.hat("mimetype")) return true;
    return paket.lesen("mimetype").rfind("application/vnd.oasis.opendocument.spreadsheet", 0) == 0;
}

void ods_lesen(const Paket& paket, int blatt, Blatt& ziel) {
    const std::string& datei = paket.datei();
    const auto xml = xml_lesen(paket.lesen("content.xml"), datei, "content.xml", true);
    const pugi::xml_node mappe =
        xml->dokument.child("office:document-content").child("office:body").child("office:spreadsheet");
    if (!mappe) unbekannte_art(datei);
    std::vector<pugi::xml_node> tabellen;
    for (pugi::xml_node t : mappe.children("table:table")) tabellen.push_back(t);
    if (blatt < 1 || static_cast<std::size_t>(blatt) > tabellen.size())
        kein_blatt(datei, blatt, static_cast<int>(tabellen.size()));
    Tabellenleser(ziel).zeilen(tabellen[static_cast<std::size_t>(blatt) - 1], 0);
}

} // namespace pyra::platform::sheet
