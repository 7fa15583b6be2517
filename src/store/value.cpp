#include "store/value.h"

#include <charconv>
#include <cmath>

namespace pyra::store {

namespace {
std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// Numbers are written and read with "." whatever the locale of the process: a desktop with a
// German locale would otherwise give "8,5" here and no longer read "8.5" back.
std::string formatDouble(double d) {
    // Shortest text that reads back to the same value (as "%.*g" in the C locale).
    char buf[64];
    std::size_t laenge = 0;
    for (int prec = 1; prec <= 17; ++prec) {
        const auto r = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, prec);
        laenge = static_cast<std::size_t>(r.ptr - buf);
        double zurueck = 0;
        std::from_chars(buf, r.ptr, zurueck);
        if (zurueck == d) break;
    }
    return std::string(buf, laenge);
}
} // namespace

bool parseInteger(const std::string& text, std::int64_t& out) {
    std::string t = trim(text);
    if (t.empty()) return false;
    const char* b = t.data();
    const char* e = t.data() + t.size();
    if (*b == '+') ++b;
    auto r = std::from_chars(b, e, out);
    return r.ec == std::errc() && r.ptr == e;
}

bool parseFloat(const std::string& text, double& out) {
    std::string t = trim(text);
    if (t.empty()) return false;
    for (char& c : t)
        if (c == ',') c = '.';
    if (t.find_first_not_of("0123456789+-.eE") != std::string::npos) return false;
    const char* b = t.data();
    const char* e = t.data() + t.size();
    if (*b == '+') ++b;
    double d = 0;
    const auto r = std::from_chars(b, e, d);
    if (r.ec != std::errc() || r.ptr != e || !std::isfinite(d)) return false;
    out = d;
    return true;
}

std::int64_t Value::asInt() const {
    if (auto* i = std::get_if<std::int64_t>(&v_)) return *i;
    if (auto* d = std::get_if<double>(&v_)) {
        if (!std::isfinite(*d)) return 0;
        return static_cast<std::int64_t>(std::llround(*d));
    }
    if (auto* s = std::get_if<std::string>(&v_)) {
        std::int64_t r = 0;
        if (parseInteger(*s, r)) return r;
        double d = 0;
        if (parseFloat(*s, d)) return static_cast<std::int64_t>(std::llround(d));
    }
    return 0;
}

double Value::asFloat() const {
    if (auto* i = std::get_if<std::int64_t>(&v_)) return static_cast<double>(*i);
    if (auto* d = std::get_if<double>(&v_)) return *d;
    if (auto* s = std::get_if<std::string>(&v_)) {
        double d = 0;
        if (parseFloat(*s, d)) return d;
    }
    return 0.0;
}

std::string Value::asString() const {
    if (auto* i = std::get_if<std::int64_t>(&v_)) return std::to_string(*i);
    if (auto* d = std::get_if<double>(&v_)) return formatDouble(*d);
    if (auto* s = std::get_if<std::string>(&v_)) return *s;
    return {};
}

bool Value::operator==(const Value& o) const {
    if (isNull() || o.isNull()) return isNull() && o.isNull();
    if (isKeep() || o.isKeep()) return isKeep() && o.isKeep();
    if (isString() && o.isString()) return asString() == o.asString();
    if (isString() || o.isString()) {
        // A text compares equal to a number when it reads as that number.
        const Value& s = isString() ? *this : o;
        const Value& n = isString() ? o : *this;
        double d = 0;
        if (!parseFloat(s.asString(), d)) return false;
        return d == n.asFloat();
    }
    if (isInt() && o.isInt()) return asInt() == o.asInt();
    return asFloat() == o.asFloat();
}

int compareValues(const Value& a, const Value& b) {
    if (a.isNull() || b.isNull()) return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    if (a.isString() && b.isString()) {
        int c = a.asString().compare(b.asString());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (a.isInt() && b.isInt()) {
        auto x = a.asInt(), y = b.asInt();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    double x = a.asFloat(), y = b.asFloat();
    return x < y ? -1 : (x > y ? 1 : 0);
}

} // namespace pyra::store
