#include "biff.h"

#include "formate.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>

namespace pyra::platform::sheet {

namespace {

std::uint16_t u16(const std::string& d, std::size_t pos) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(d[pos]) |
                                      static_cast<unsigned char>(d[pos + 1]) << 8);
}

std::uint32_t u32(const std::string& d, std::size_t pos) {
    return static_cast<std::uint32_t>(u16(d, pos)) | static_cast<std::uint32_t>(u16(d, pos + 2)) << 16;
}

// The OLE compound file: sectors, the sector allocation table and the directory.
class Verbunddatei {
  public:
    explicit Verbunddatei(const std::string& d) : d_(d) {}

    bool oeffnen() {
        if (d_.size() < 512 || d_.compare(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) != 0) return false;
        const std::uint16_t shift = u16(d_, 0x1E);
        if (shift != 9 && shift != 12) return false;
        groesse_ = std::size_t{1} << shift;
        const std::uint16_t mini_shift = u16(d_, 0x20);
        if (mini_shift > shift) return false;
        mini_groesse_ = std::size_t{1} << mini_shift;
        if (d_.size() <= groesse_) return false;
        sektoren_ = (d_.size() - groesse_ + groesse_ - 1) / groesse_;
        mini_grenze_ = u32(d_, 0x38);

        // The sectors of the allocation table: 109 in the header, the rest in a chain of DIFAT sectors.
        std::vector<std::uint32_t> fat_sektoren;
        for (std::size_t i = 0; i < 109; ++i) fat_sektoren.push_back(u32(d_, 0x4C + 4 * i));
        std::uint32_t difat = u32(d_, 0x44);
        for (std::size_t schritte = 0; difat < sektoren_ && schritte < sektoren_; ++schritte) {
            const std::size_t anfang = (difat + 1) * groesse_;
            const std::size_t eintraege = groesse_ / 4 - 1;
            if (anfang + groesse_ > d_.size()) break;
            for (std::size_t i = 0; i < eintraege; ++i) fat_sektoren.push_back(u32(d_, anfang + 4 * i));
            difat = u32(d_, anfang + 4 * eintraege);
        }
        for (std::uint32_t s : fat_sektoren) {
            if (s >= sektoren_ || fat_.size() >= sektoren_) continue;
            const std::size_t anfang = (s + 1) * groesse_;
            if (anfang + groesse_ > d_.size()) return false;
            for (std::size_t i = 0; i < groesse_ / 4; ++i) fat_.push_back(u32(d_, anfang + 4 * i));
        }
        verzeichnis_ = kette(u32(d_, 0x30), SIZE_MAX);
        return !verzeichnis_.empty();
    }

    // The content of the stream with one of these names (Workbook for BIFF8).
    bool strom(const char* name, std::string& inhalt) const {
        if (verzeichnis_.size() < 128) return false;
        for (std::size_t e = 0; e + 128 <= verzeichnis_.size(); e += 128) {
            const std::uint16_t laenge = u16(verzeichnis_, e + 0x40);
            if (verzeichnis_[e + 0x42] != 2 || laenge < 2 || laenge > 64) continue;
            std::string eintrag;
            for (std::size_t i = 0; i + 2 < laenge; i += 2) {
                const std::uint16_t c = u16(verzeichnis_, e + i);
                eintrag += c < 128 ? static_cast<char>(std::tolower(c)) : '?';
            }
            if (eintrag != name) continue;
            const std::uint32_t start = u32(verzeichnis_, e + 0x74);
            const std::uint32_t groesse = u32(verzeichnis_, e + 0x78);
            if (groesse < mini_grenze_) {
                const std::string mini = kette(u32(verzeichnis_, 0x74), SIZE_MAX);
                inhalt = mini_kette(mini, start, groesse);
            } else {
                inhalt = kette(start, groesse);
            }
            return inhalt.size() == groesse;
        }
        return false;
    }

  private:
    std::string kette(std::uint32_t s, std::size_t groesse) const {
        std::string inhalt;
        for (std::size_t schritte = 0; s < sektoren_ && s < fat_.size() && schritte < sektoren_; ++schritte) {
            const std::size_t anfang = (s + 1) * groesse_;
            if (anfang >= d_.size() || inhalt.size() >= groesse) break;
            inhalt.append(d_, anfang, std::min(groesse_, d_.size() - anfang));
            s = fat_[s];
        }
        if (inhalt.size() > groesse) inhalt.resize(groesse);
        return inhalt;
    }

    std::string mini_kette(const std::string& mini, std::uint32_t s, std::size_t groesse) const {
        const std::string minifat = kette(u32(d_, 0x3C), SIZE_MAX);
        const std::size_t anzahl = minifat.size() / 4;
        std::string inhalt;
        for (std::size_t schritte = 0; s < anzahl && schritte <= anzahl && inhalt.size() < groesse;
             ++schritte) {
            const std::size_t anfang = s * mini_groesse_;
            if (anfang + mini_groesse_ > mini.size()) break;
            inhalt.append(mini, anfang, mini_groesse_);
            s = u32(minifat, 4 * s);
        }
        if (inhalt.size() > groesse) inhalt.resize(groesse);
        return inhalt;
    }

    const std::string& d_;
    std::size_t groesse_ = 512, mini_groesse_ = 64, sektoren_ = 0;
    std::uint32_t mini_grenze_ = 4096;
    std::vector<std::uint32_t> fat_;
    std::string verzeichnis_;
};

void utf8_anhaengen(std::string& text, unsigned code) {
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
}

// A BIFF8 unicode string at pos inside a record of length ende: length, flags, characters
// (8-bit or UTF-16). Surrogate pairs and runs of rich text are not needed for the values here.
std::string biff_text(const std::string& d, std::size_t pos, std::size_t ende, bool laenge_16 = true) {
    std::string text;
    if (pos + (laenge_16 ? 3 : 2) > ende) return text;
    const std::size_t zeichen = laenge_16 ? u16(d, pos) : static_cast<unsigned char>(d[pos]);
    pos += laenge_16 ? 2 : 1;
    const unsigned char flags = static_cast<unsigned char>(d[pos++]);
    if (flags & 0x08) pos += 2; // rich text: count of formatting runs
    if (flags & 0x04) pos += 4; // phonetic data: its size
    const bool breit = flags & 0x01;
    for (std::size_t i = 0; i < zeichen; ++i) {
        if (pos + (breit ? 2 : 1) > ende) break;
        const unsigned code = breit ? u16(d, pos) : static_cast<unsigned char>(d[pos]);
        pos += breit ? 2 : 1;
        utf8_anhaengen(text, code);
    }
    return text;
}

} // namespace

bool biff_mappe_lesen(const std::string& datei_inhalt, BiffMappe& mappe) {
    Verbunddatei datei(datei_inhalt);
    if (!datei.oeffnen() || !datei.strom("workbook", mappe.strom)) return false;
    const std::string& s = mappe.strom;

    // The globals of the workbook: from its BOF record to its EOF record.
    std::map<std::uint16_t, bool> eigene_formate;
    std::vector<std::uint16_t> xf_formate;
    std::size_t pos = 0;
    bool erster = true;
    while (pos + 4 <= s.size()) {
        const std::uint16_t typ = u16(s, pos), laenge = u16(s, pos + 2);
        const std::size_t daten = pos + 4, ende = daten + laenge;
        if (ende > s.size()) return false;
        if (erster) {
            // BOF of BIFF8 workbook globals.
            if (typ != 0x0809 || laenge < 4 || u16(s, daten) != 0x0600 || u16(s, daten + 2) != 0x0005)
                return false;
            erster = false;
        } else if (typ == 0x000A) {
            break;
        } else if (typ == 0x0022 && laenge >= 2) {
            mappe.system_1904 = u16(s, daten) == 1;
        } else if (typ == 0x041E && laenge >= 5) {
            eigene_formate[u16(s, daten)] = ist_datumsformat(biff_text(s, daten + 2, ende));
        } else if (typ == 0x00E0 && laenge >= 4) {
            xf_formate.push_back(u16(s, daten + 2));
        } else if (typ == 0x0085 && laenge >= 6) {
            mappe.blaetter.push_back({u32(s, daten), static_cast<std::uint8_t>(s[daten + 5])});
        }
        pos = ende;
    }
    for (std::uint16_t f : xf_formate) {
        const auto eigen = eigene_formate.find(f);
        mappe.datum_xf.push_back(eigen != eigene_formate.end() ? eigen->second
                                                               : ist_datumsformat(unsigned{f}));
    }
    return true;
}

void biff_formeln_lesen(const BiffMappe& mappe, std::size_t index,
                        const std::function<void(std::uint32_t, std::uint32_t, const Formelwert&)>& f) {
    if (index >= mappe.blaetter.size()) return;
    const std::string& s = mappe.strom;
    std::size_t pos = mappe.blaetter[index].position;
    if (pos + 4 > s.size() || u16(s, pos) != 0x0809) return;

    // A formula with a text result is followed by a STRING record holding the text.
    bool text_folgt = false;
    std::uint32_t text_zeile = 0, text_spalte = 0;
    bool erster = true;
    while (pos + 4 <= s.size()) {
        const std::uint16_t typ = u16(s, pos), laenge = u16(s, pos + 2);
        const std::size_t daten = pos + 4, ende = daten + laenge;
        if (ende > s.size()) return;
        pos = ende;
        if (erster) {
            erster = false;
            continue; // the sheet's BOF
        }
        if (typ == 0x000A) return;
        if (typ == 0x0207 && text_folgt) {
            Formelwert w;
            w.art = Formelwert::Text;
            w.text = biff_text(s, daten, ende);
            f(text_zeile, text_spalte, w);
            text_folgt = false;
            continue;
        }
        if (typ != 0x0006 || laenge < 20) continue;
        text_folgt = false;
        const std::uint32_t zeile = u16(s, daten) + 1u, spalte = u16(s, daten + 2) + 1u;
        const std::uint16_t xf = u16(s, daten + 4);
        const std::size_t wert = daten + 6;
        Formelwert w;
        if (u16(s, wert + 6) == 0xFFFF) {
            switch (static_cast<unsigned char>(s[wert])) {
            case 0: // text in the next STRING record
                text_folgt = true;
                text_zeile = zeile;
                text_spalte = spalte;
                continue;
            case 1:
                w.art = Formelwert::Wahrheitswert;
                w.zahl = s[wert + 2] ? 1 : 0;
                break;
            case 2: {
                static const std::map<unsigned char, const char*> fehler = {
                    {0x00, "#NULL!"}, {0x07, "#DIV/0!"}, {0x0F, "#VALUE!"}, {0x17, "#REF!"},
                    {0x1D, "#NAME?"}, {0x24, "#NUM!"},   {0x2A, "#N/A"}};
                const auto gefunden = fehler.find(static_cast<unsigned char>(s[wert + 2]));
                w.art = Formelwert::Fehler;
                w.text = gefunden != fehler.end() ? gefunden->second : "#WERT!";
                break;
            }
            default:
                continue; // an empty text: nothing to keep
            }
        } else {
            std::memcpy(&w.zahl, s.data() + wert, sizeof w.zahl);
            if (w.zahl != w.zahl) continue; // not a number
            if (xf < mappe.datum_xf.size() && mappe.datum_xf[xf]) {
                w.art = Formelwert::Datum;
                if (mappe.system_1904) w.zahl += 1462;
            }
        }
        f(zeile, spalte, w);
    }
}

} // namespace pyra::platform::sheet
