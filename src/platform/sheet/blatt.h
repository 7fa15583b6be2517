#pragma once

// The cells of one worksheet, held in memory after the workbook was read: a sorted list of the
// non-empty cells and a pool of their texts. Every file format fills one of these; the
// conversions to text and to a whole number are done here once for all formats.

#include <cstdint>
#include <string>
#include <vector>

namespace pyra::platform::sheet {

// Limits that keep a damaged or hostile workbook from taking the machine's memory.
inline constexpr std::uint32_t max_zeilen = 1048576;       // rows of a worksheet
inline constexpr std::uint32_t max_spalten = 16384;        // columns of a worksheet
inline constexpr std::size_t max_zellen = 2'000'000;       // stored non-empty cells of one sheet
inline constexpr std::size_t max_dateigroesse = 64u << 20; // the workbook file itself
inline constexpr std::size_t max_teilgroesse = 64u << 20;  // one uncompressed part of a zip package
inline constexpr std::size_t max_xml_elemente = 2'000'000; // elements of one XML part
inline constexpr std::size_t max_textlaenge = 1u << 20;    // one cell text built from pieces

enum class Zellart : std::uint8_t { Leer, Zahl, Text, Datum, Wahrheitswert, Fehler };

struct Zelle {
    std::uint32_t zeile = 0;
    std::uint32_t spalte = 0;
    Zellart art = Zellart::Leer;
    // Zahl: the value; Datum: the day number in the 1900 date system; Wahrheitswert: 0 or 1.
    double zahl = 0;
    // Text and Fehler: index into the text pool; Datum: the calendar date as yyyymmdd.
    std::uint32_t wert = 0;
};

// Calendar helpers. Day numbers count days since 30.12.1899 (so 1.1.1900 is day 2); the 1900
// date system of spreadsheets counts one day less before 1.3.1900 and has a 29.2.1900.
long long tage_aus_datum(int jahr, int monat, int tag);
void datum_aus_tagen(long long tage, int& jahr, int& monat, int& tag);
bool datum_gueltig(int jahr, int monat, int tag);

// Text of a number as a German system shows it: decimal comma, no thousands separator, the
// shortest form that reads back as the same value (at most 15 significant digits).
std::string zahl_als_text(double wert);

class Blatt {
  public:
    // The file name goes into the messages of ImportFehler.
    explicit Blatt(std::string datei);

    const std::string& datei() const { return datei_; }

    // Adding cells; cells outside the worksheet's limits are ignored. Throws ImportFehler when the
    // sheet holds more than max_zellen cells.
    void zahl(std::uint32_t zeile, std::uint32_t spalte, double wert);
    void text(std::uint32_t zeile, std::uint32_t spalte, std::string wert);
    // A text or error text already in the pool (shared strings, repeated cells).
    void text_aus_pool(std::uint32_t zeile, std::uint32_t spalte, std::uint32_t index,
                       bool als_fehler = false);
    void fehler(std::uint32_t zeile, std::uint32_t spalte, std::string wert);
    void wahrheitswert(std::uint32_t zeile, std::uint32_t spalte, bool wert);
    // A date given by its calendar date (year 1..9999).
    void datum(std::uint32_t zeile, std::uint32_t spalte, int jahr, int monat, int tag);
    // A date given as a serial of the 1900 date system (with its 29.2.1900); false if the serial
    // lies outside 1.1.1900 .. 31.12.9999 and nothing was added.
    bool datum_1900(std::uint32_t zeile, std::uint32_t spalte, double serial);

    // Texts shared by several cells (the shared strings of an xlsx file).
    std::uint32_t text_ablegen(std::string wert);
    std::size_t anzahl_texte() const { return texte_.size(); }

    // Sorts the cells; of two cells at one position the later one counts.
    void abschliessen();

    // The two readings of a cell; both throw ImportFehler for a position outside the worksheet.
    std::string Text(int zeile, int spalte) const;
    long long Ganzzahl(int zeile, int spalte) const;

  private:
    const Zelle* finden(int zeile, int spalte) const;
    bool aufnehmen(Zelle z);

    std::string datei_;
    std::vector<Zelle> zellen_;
    std::vector<std::string> texte_;
};

} // namespace pyra::platform::sheet
