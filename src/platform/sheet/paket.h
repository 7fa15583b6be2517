#pragma once

// Read-only access to the zip package of an xlsx or ods workbook held in memory, and the parsing
// of its XML parts, both with limits so that a damaged or hostile file ends in ImportFehler
// instead of a crash or an allocation without bound.

#include <pugixml.hpp>

#include <memory>
#include <string>

struct zip;

namespace pyra::platform::sheet {

class Paket {
  public:
    // daten must stay alive and unchanged as long as the package is used.
    Paket(const std::string& daten, std::string datei);
    ~Paket();
    Paket(const Paket&) = delete;
    Paket& operator=(const Paket&) = delete;

    const std::string& datei() const { return datei_; }
    bool hat(const std::string& name) const;
    // The uncompressed content of an entry; ImportFehler when it is missing, damaged or larger
    // than max_teilgroesse.
    std::string lesen(const std::string& name) const;

  private:
    long long index(const std::string& name) const;

    zip* archiv_ = nullptr;
    std::string datei_;
};

// An XML part parsed in place; the text buffer lives as long as the document.
struct XmlTeil {
    std::string text;
    pugi::xml_document dokument;
};

// Parses an XML part; ImportFehler when it is malformed or has more than max_xml_elemente
// elements. Whitespace-only text is kept when keep_whitespace is set (needed where spaces
// between elements are content).
std::unique_ptr<XmlTeil> xml_lesen(std::string text, const std::string& datei, const std::string& teil,
                                   bool leerraum_behalten);

// The name of an element or attribute without its namespace prefix.
const char* lokal(const char* name);
// The first child element with this local name.
pugi::xml_node kind(pugi::xml_node knoten, const char* name);

} // namespace pyra::platform::sheet
