#include "blatt.h"

#include "meldungen.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace pyra::platform::sheet {

using maintenance::ImportFehler;

namespace {

// Days since 1.1.1970 of a date of the proleptic Gregorian calendar.
long long tage_seit_1970(long long j, unsigned m, unsigned t) {
    j -= m <= 2;
    const long long era = (j >= 0 ? j : j - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(j - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + t - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

const long long basis_1899 = tage_seit_1970(1899, 12, 30);

std::string zeichen_als_text(int zeile, int spalte) {
    return "Zeile " + std::to_string(zeile) + ", Spalte " + std::to_string(spalte);
}

} // namespace

long long tage_aus_datum(int jahr, int monat, int tag) {
    return tage_seit_1970(jahr, static_cast<unsigned>(monat), static_cast<unsigned>(tag)) - basis_1899;
}

void datum_aus_tagen(long long tage, int& jahr, int& monat, int& tag) {
    long long z = tage + basis_1899 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned t = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    jahr = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (m <= 2));
    monat = static_cast<int>(m);
    tag = static_cast<int>(t);
}

bool datum_gueltig(int jahr, int monat, int tag) {
    if (jahr < 1 || jahr > 9999 || monat < 1 || monat > 12 || tag < 1) return false;
    static const int laenge[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool schalt = (jahr % 4 == 0 && jahr % 100 != 0) || jahr % 400 == 0;
    return tag <= laenge[monat - 1] + (monat == 2 && schalt ? 1 : 0);
}

std::string zahl_als_text(double wert) {
    if (!std::isfinite(wert)) return "#ZAHL!";
    if (wert == 0) return "0"; // also -0

    // Shortest decimal digits that read back as the same double; more than 15 significant
    // digits (noise of a calculation such as 0.1 + 0.2) are rounded to 15, as the system does.
    char puffer[64];
    auto ergebnis = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::scientific);
    std::string s(puffer, ergebnis.ptr);
    auto ziffern_zaehlen = [](const std::string& t) {
        std::size_t n = 0;
        for (char c : t) {
            if (c == 'e') break;
            if (c >= '0' && c <= '9') ++n;
        }
        return n;
    };
    if (ziffern_zaehlen(s) > 15) {
        ergebnis = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::scientific, 14);
        s.assign(puffer, ergebnis.ptr);
    }

    const bool negativ = s[0] == '-';
    const std::size_t e_pos = s.find('e');
    std::string ziffern;
    for (std::size_t i = negativ ? 1 : 0; i < e_pos; ++i)
        if (s[i] != '.') ziffern += s[i];
    while (ziffern.size() > 1 && ziffern.back() == '0') ziffern.pop_back();
    int exponent = 0;
    std::from_chars(s.data() + e_pos + (s[e_pos + 1] == '+' ? 2 : 1), s.data() + s.size(), exponent);

    std::string text = negativ ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        text += ziffern[0];
        if (ziffern.size() > 1) text += "," + ziffern.substr(1);
        char exp_text[16];
        std::snprintf(exp_text, sizeof exp_text, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return text + exp_text;
    }
    if (exponent < 0)
        return text + "0," + std::string(static_cast<std::size_t>(-exponent - 1), '0') + ziffern;
    const auto ganz = static_cast<std::size_t>(exponent) + 1;
    if (ziffern.size() <= ganz) return text + ziffern + std::string(ganz - ziffern.size(), '0');
    return text + ziffern.substr(0, ganz) + "," + ziffern.substr(ganz);
}

Blatt::Blatt(std::string datei) : datei_(std::move(datei)) {}

bool Blatt::aufnehmen(Zelle z) {
    if (z.zeile < 1 || z.zeile > max_zeilen || z.spalte < 1 || z.spalte > max_spalten) return false;
    if (zellen_.size() >= max_zellen)
        zu_gross(datei_,
                 "mehr als " + std::to_string(max_zellen) + " gefüllte Zellen in einem Tabellenblatt");
    zellen_.push_back(z);
    return true;
}

void Blatt::zahl(std::uint32_t zeile, std::uint32_t spalte, double wert) {
    aufnehmen({zeile, spalte, Zellart::Zahl, wert, 0});
}

std::uint32_t Blatt::text_ablegen(std::string wert) {
    texte_.push_back(std::move(wert));
    return static_cast<std::uint32_t>(texte_.size() - 1);
}

void Blatt::text(std::uint32_t zeile, std::uint32_t spalte, std::string wert) {
    if (aufnehmen({zeile, spalte, Zellart::Text, 0, static_cast<std::uint32_t>(texte_.size())}))
        texte_.push_back(std::move(wert));
}

void Blatt::text_aus_pool(std::uint32_t zeile, std::uint32_t spalte, std::uint32_t index, bool als_fehler) {
    if (index >= texte_.size()) beschaedigt(datei_, "Verweis auf einen Text, den es nicht gibt");
    aufnehmen({zeile, spalte, als_fehler ? Zellart::Fehler : Zellart::Text, 0, index});
}

void Blatt::fehler(std::uint32_t zeile, std::uint32_t spalte, std::string wert) {
    if (aufnehmen({zeile, spalte, Zellart::Fehler, 0, static_cast<std::uint32_t>(texte_.size())}))
        texte_.push_back(std::move(wert));
}

void Blatt::wahrheitswert(std::uint32_t zeile, std::uint32_t spalte, bool wert) {
    aufnehmen({zeile, spalte, Zellart::Wahrheitswert, wert ? 1.0 : 0.0, 0});
}

void Blatt::datum(std::uint32_t zeile, std::uint32_t spalte, int jahr, int monat, int tag) {
    long long tage = tage_aus_datum(jahr, monat, tag);
    // The 1900 date system counts 29.2.1900, so its serials before 1.3.1900 are one less.
    if (tage >= 2 && tage < 61) --tage;
    const auto wert = static_cast<std::uint32_t>(jahr * 10000 + monat * 100 + tag);
    aufnehmen({zeile, spalte, Zellart::Datum, static_cast<double>(tage), wert});
}

bool Blatt::datum_1900(std::uint32_t zeile, std::uint32_t spalte, double serial) {
    if (!(serial >= 1 && serial < 2958466)) return false;
    const auto tag_nr = static_cast<long long>(std::floor(serial));
    int j = 1900, m = 2, t = 29;
    if (tag_nr != 60) datum_aus_tagen(tag_nr < 60 ? tag_nr + 1 : tag_nr, j, m, t);
    const auto wert = static_cast<std::uint32_t>(j * 10000 + m * 100 + t);
    aufnehmen({zeile, spalte, Zellart::Datum, static_cast<double>(tag_nr), wert});
    return true;
}

void Blatt::abschliessen() {
    std::stable_sort(zellen_.begin(), zellen_.end(), [](const Zelle& a, const Zelle& b) {
        return a.zeile != b.zeile ? a.zeile < b.zeile : a.spalte < b.spalte;
    });
    // Keep the last of equal positions.
    std::vector<Zelle> eindeutig;
    eindeutig.reserve(zellen_.size());
    for (const Zelle& z : zellen_) {
        if (!eindeutig.empty() && eindeutig.back().zeile == z.zeile && eindeutig.back().spalte == z.spalte)
            eindeutig.back() = z;
        else
            eindeutig.push_back(z);
    }
    zellen_ = std::move(eindeutig);
}

const Zelle* Blatt::finden(int zeile, int spalte) const {
    if (zeile < 1 || spalte < 1 || static_cast<std::uint32_t>(zeile) > max_zeilen ||
        static_cast<std::uint32_t>(spalte) > max_spalten)
        throw ImportFehler("Die Zelle in " + zeichen_als_text(zeile, spalte) +
                           " liegt außerhalb des Tabellenblatts der Arbeitsmappe \"" + datei_ + "\".");
    const auto z = static_cast<std::uint32_t>(zeile), s = static_cast<std::uint32_t>(spalte);
    auto it =
        std::lower_bound(zellen_.begin(), zellen_.end(), std::pair{z, s}, [](const Zelle& a, const auto& p) {
            return a.zeile != p.first ? a.zeile < p.first : a.spalte < p.second;
        });
    if (it == zellen_.end() || it->zeile != z || it->spalte != s) return nullptr;
    return &*it;
}

std::string Blatt::Text(int zeile, int spalte) const {
    const Zelle* z = finden(zeile, spalte);
    if (!z) return {};
    switch (z->art) {
    case Zellart::Leer:
        return {};
    case Zellart::Zahl:
        return zahl_als_text(z->zahl);
    case Zellart::Text:
    case Zellart::Fehler:
        return texte_[z->wert];
    case Zellart::Wahrheitswert:
        return z->zahl != 0 ? "WAHR" : "FALSCH";
    case Zellart::Datum: {
        char puffer[16];
        std::snprintf(puffer, sizeof puffer, "%02u.%02u.%04u", z->wert % 100, z->wert / 100 % 100,
                      z->wert / 10000);
        return puffer;
    }
    }
    return {};
}

long long Blatt::Ganzzahl(int zeile, int spalte) const {
    const Zelle* z = finden(zeile, spalte);
    if (!z) return 0;
    auto keine_zahl = [&](const std::string& inhalt) -> long long {
        throw ImportFehler("Die Zelle in " + zeichen_als_text(zeile, spalte) + " der Arbeitsmappe \"" +
                           datei_ + "\" enthält keine ganze Zahl (\"" + gekuerzt(inhalt) + "\").");
    };
    switch (z->art) {
    case Zellart::Leer:
        return 0;
    case Zellart::Zahl:
        // Values beyond the range of long long (about 9.2e18) cannot be rounded into it.
        if (!(std::fabs(z->zahl) < 9.2e18)) return keine_zahl(zahl_als_text(z->zahl));
        return std::llround(z->zahl);
    case Zellart::Datum:
        return static_cast<long long>(z->zahl);
    case Zellart::Text: {
        const std::string& t = texte_[z->wert];
        const auto anfang = t.find_first_not_of(" \t\r\n");
        if (anfang == std::string::npos) return 0; // a text of blanks looks and counts as empty
        const auto ende = t.find_last_not_of(" \t\r\n") + 1;
        const char* p = t.data() + anfang;
        const char* e = t.data() + ende;
        if (*p == '+' && e - p > 1 && p[1] != '-') ++p;
        long long wert = 0;
        const auto [rest, fehler] = std::from_chars(p, e, wert);
        if (fehler != std::errc() || rest != e) return keine_zahl(t);
        return wert;
    }
    case Zellart::Wahrheitswert:
    case Zellart::Fehler:
        return keine_zahl(Text(zeile, spalte));
    }
    return 0;
}

} // namespace pyra::platform::sheet
