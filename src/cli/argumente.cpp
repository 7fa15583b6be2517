#include "cli/kontext.h"

#include "store/store.h"
#include "store/value.h"

#include <algorithm>
#include <charconv>
#include <set>

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

namespace {

struct Aufrufmuster {
    std::map<std::string, bool> optionen; // option -> takes a value
    std::vector<std::string> pflicht;     // options outside brackets
    bool freie_argumente = false;         // plain arguments (numbers, FELD=WERT) allowed
};

// Reads a usage line such as "ziehung --jahr J --woche W Z1 ... [--zusatzzahl Z]".
Aufrufmuster muster_lesen(const std::string& aufruf) {
    std::vector<std::string> teile;
    for (size_t i = 0; i < aufruf.size();) {
        const size_t ende = aufruf.find(' ', i);
        teile.push_back(aufruf.substr(i, ende == std::string::npos ? std::string::npos : ende - i));
        i = ende == std::string::npos ? aufruf.size() : ende + 1;
    }
    Aufrufmuster m;
    const std::string name = teile.empty() ? "" : teile.front();
    const bool alternativen = std::find(teile.begin(), teile.end(), "|") != teile.end();
    int tiefe = 0;
    for (size_t i = 1; i < teile.size(); ++i) {
        std::string t = teile[i];
        int auf = 0;
        while (!t.empty() && t.front() == '[') t.erase(0, 1), ++auf;
        tiefe += auf;
        int zu = 0;
        while (!t.empty() && t.back() == ']') t.pop_back(), ++zu;
        if (t == "|" || t == name || t.empty()) {
        } else if (t.rfind("--", 0) == 0) {
            // A value follows when the next part is a placeholder, not another option or bracket.
            bool wert = false;
            if (zu == 0 && i + 1 < teile.size()) {
                const std::string& n = teile[i + 1];
                wert = !n.empty() && n.front() != '[' && n.rfind("--", 0) != 0 && n != "|";
                if (wert) {
                    ++i;
                    std::string w = teile[i];
                    while (!w.empty() && w.back() == ']') w.pop_back(), ++zu;
                }
            }
            m.optionen[t.substr(2)] = wert;
            if (tiefe == 0 && !alternativen) m.pflicht.push_back(t.substr(2));
        } else {
            m.freie_argumente = true;
        }
        tiefe -= zu;
    }
    return m;
}

} // namespace

void Aufruf_pruefen(const Befehlseintrag& befehl, const std::vector<std::string>& args) {
    const Aufrufmuster m = muster_lesen(befehl.aufruf);
    std::set<std::string> gegeben;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 2 && a.rfind("--", 0) == 0) {
            const std::string opt = a.substr(2);
            if (opt == "dir")
                throw Aufruffehler("--dir steht vor dem Befehl: pyra-lotto-cli --dir VERZEICHNIS BEFEHL.");
            auto it = m.optionen.find(opt);
            if (it == m.optionen.end()) throw Aufruffehler("Unbekannte Option " + a + ".");
            if (it->second) {
                if (i + 1 >= args.size()) throw Aufruffehler("Zur Option " + a + " fehlt der Wert.");
                ++i;
            }
            gegeben.insert(opt);
        } else if (!m.freie_argumente) {
            throw Aufruffehler("Unerwartetes Argument '" + a + "'.");
        }
    }
    for (const auto& p : m.pflicht)
        if (!gegeben.count(p)) throw Aufruffehler("Die Option --" + p + " fehlt.");
    if (befehl.vorpruefung) befehl.vorpruefung(args);
}

std::map<std::string, Befehlseintrag>& befehle() {
    static std::map<std::string, Befehlseintrag> m;
    return m;
}

} // namespace pyra::cli
