#include "cli/kontext.h"

#include "store/store.h"
#include "store/value.h"

#include <charconv>

namespace pyra::cli {

std::optional<std::string> Argumente::option(const std::string& name) {
    for (size_t i = 0; i < args_.size(); ++i) {
        if (args_[i] == "--" + name) {
            if (i + 1 >= args_.size()) throw Aufruffehler("Zur Option --" + name + " fehlt der Wert.");
            std::string v = args_[i + 1];
            args_.erase(args_.begin() + static_cast<long>(i), args_.begin() + static_cast<long>(i) + 2);
            return v;
        }
    }
    return std::nullopt;
}

bool Argumente::schalter(const std::string& name) {
    for (size_t i = 0; i < args_.size(); ++i)
        if (args_[i] == "--" + name) {
            args_.erase(args_.begin() + static_cast<long>(i));
            return true;
        }
    return false;
}

std::vector<std::string> Argumente::rest() {
    for (auto& a : args_)
        if (a.size() > 2 && a[0] == '-' && a[1] == '-') throw Aufruffehler("Unbekannte Option " + a + ".");
    return args_;
}

long long ganzzahl(const std::string& text, const std::string& was, long long min, long long max) {
    std::int64_t v = 0;
    if (!store::parseInteger(text, v)) throw Befehlsfehler(was + ": '" + text + "' ist keine ganze Zahl.");
    if (v < min || v > max)
        throw Befehlsfehler(was + ": " + text + " liegt nicht zwischen " + std::to_string(min) + " und " +
                            std::to_string(max) + ".");
    return v;
}

bool ja_nein(const std::string& text) {
    if (text == "ja" || text == "j" || text == "yes") return true;
    if (text == "nein" || text == "n" || text == "no") return false;
    throw Aufruffehler("Erwartet wird 'ja' oder 'nein', nicht '" + text + "'.");
}

std::string auswahl_text(data::DataModule_Lotto& dm) {
    return "ID_Verband=" + std::to_string(dm.Wahl("ID_Verband")) +
           " Jahr_aktuell=" + std::to_string(dm.Wahl("Jahr_aktuell")) +
           " Woche_aktuell=" + std::to_string(dm.Wahl("Woche_aktuell")) +
           " ID_Ziehung=" + std::to_string(dm.Wahl("ID_Ziehung"));
}

std::string feldtext(const store::Field& f) {
    if (f.IsNull()) return "";
    if (f.DataType() != store::FieldType::Float) return std::to_string(f.AsInteger());
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, f.AsFloat());
    return std::string(buf, r.ptr);
}

std::map<std::string, Befehlseintrag>& befehle() {
    static std::map<std::string, Befehlseintrag> m;
    return m;
}

} // namespace pyra::cli
