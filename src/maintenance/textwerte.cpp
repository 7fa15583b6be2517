#include "maintenance/textwerte.h"

#include <charconv>
#include <cmath>

namespace pyra::maintenance {

namespace {

std::string ohne_leerzeichen(const std::string& s) {
    const auto a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return {};
    const auto b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

bool nur_ziffern(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

bool Text_als_Ganzzahl(const std::string& text, long long& out) {
    std::string s = ohne_leerzeichen(text);
    bool negativ = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negativ = s[0] == '-';
        s.erase(0, 1);
    }
    if (!nur_ziffern(s) || s.size() > 18) return false;
    long long v = 0;
    std::from_chars(s.data(), s.data() + s.size(), v);
    out = negativ ? -v : v;
    return true;
}

bool Text_als_Dezimalzahl(const std::string& text, double& out) {
    std::string s = ohne_leerzeichen(text);
    bool negativ = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negativ = s[0] == '-';
        s.erase(0, 1);
    }
    const auto komma = s.find(',');
    std::string ganz = s.substr(0, komma);
    std::string bruch = komma == std::string::npos ? std::string() : s.substr(komma + 1);
    if (ganz.empty() && bruch.empty()) return false;
    if ((!ganz.empty() && !nur_ziffern(ganz)) || (!bruch.empty() && !nur_ziffern(bruch))) return false;
    if (ganz.size() > 300) return false;
    const std::string normal = (ganz.empty() ? "0" : ganz) + "." + (bruch.empty() ? "0" : bruch);
    double v = 0;
    auto r = std::from_chars(normal.data(), normal.data() + normal.size(), v, std::chars_format::fixed);
    if (r.ec != std::errc() || !std::isfinite(v)) return false;
    out = negativ ? -v : v;
    return true;
}

std::string Punkte_entfernen(std::string text, int anzahl) {
    for (int i = 0; i < anzahl; ++i) {
        const auto p = text.find('.');
        if (p == std::string::npos) break;
        text.erase(p, 1);
    }
    return text;
}

bool Text_als_Datum(const std::string& text, data::Datum& out) {
    const std::string s = ohne_leerzeichen(text);
    const auto p1 = s.find('.');
    const auto p2 = p1 == std::string::npos ? p1 : s.find('.', p1 + 1);
    if (p2 == std::string::npos) return false;
    const std::string t = s.substr(0, p1), m = s.substr(p1 + 1, p2 - p1 - 1), j = s.substr(p2 + 1);
    if (!nur_ziffern(t) || !nur_ziffern(m) || !nur_ziffern(j) || t.size() > 2 || m.size() > 2 ||
        j.size() != 4)
        return false;
    data::Datum d{std::stoi(j), std::stoi(m), std::stoi(t)};
    if (d.monat < 1 || d.monat > 12 || d.tag < 1 || d.tag > 31 || !data::Datum_gueltig(d)) return false;
    out = d;
    return true;
}

} // namespace pyra::maintenance
