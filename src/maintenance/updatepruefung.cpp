// Check of a downloaded update database before anything of it is merged.

#include "maintenance/aktualisierung.h"

#include "data/datamodule.h"
#include "data/ziehungsregeln.h"
#include "store/schema.h"
#include "store/statement.h"
#include "store/value.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>

namespace pyra::maintenance {

namespace {

using store::Statement;
using store::StoreError;

// A fixed text for every failure of a statement.
Statement::ErrorText meldung(std::string text) {
    return [text = std::move(text)](sqlite3*) { return text; };
}

struct Verbindung {
    sqlite3* db = nullptr;
    ~Verbindung() { sqlite3_close_v2(db); }
};

// The path as a file: URI, so that it can be opened as immutable (no journal, no side files).
std::string uri(const std::string& pfad) {
    static const char* hex = "0123456789ABCDEF";
    std::string u = "file:";
    for (unsigned char c : pfad) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            u += static_cast<char>(c);
        } else {
            u += '%';
            u += hex[c >> 4];
            u += hex[c & 15];
        }
    }
    return u + "?immutable=1";
}

struct Bereich {
    long long min;
    long long max;
    bool pflicht; // an empty value is refused
};

// Ranges beyond the field's own: keys and numbers of a draw, winners of a prize class.
std::map<std::string, Bereich> bereiche(const std::string& tabelle) {
    std::map<std::string, Bereich> b = {{"ID_Verband", {3, 6, true}},
                                        {"Jahr", {1955, 2100, true}},
                                        {"Woche", {1, 53, true}},
                                        {"ID_Ziehung", {1, 2, true}}};
    if (tabelle == "Zahlen_Update") {
        b["AB"] = {1, 2, true};
        for (int i = 1; i <= 6; ++i) {
            char n[16];
            std::snprintf(n, sizeof n, "Zahl_%02d", i);
            b[n] = {0, 49, false};
            b[std::string(n) + "_g"] = {0, 49, false};
        }
        b["Zusatzzahl"] = {0, 49, false};
    } else {
        b["Rang"] = {1, 9, true};
        b["Anzahl"] = {0, 2147483647, false};
    }
    return b;
}

// A whole number as the store reads it: an integer, a real without fraction or a text holding
// a whole number. nullopt for an empty value; false in ok for anything else.
std::optional<long long> ganzzahl(const Statement& st, int i, bool& ok) {
    ok = true;
    switch (st.columnType(i)) {
    case Statement::Type::Null:
        return std::nullopt;
    case Statement::Type::Integer:
        return st.columnInt(i);
    case Statement::Type::Float: {
        const double d = st.columnFloat(i);
        if (!std::isfinite(d) || d != std::floor(d) || std::fabs(d) > 9e15) break;
        return static_cast<long long>(d);
    }
    case Statement::Type::Text: {
        std::int64_t v = 0;
        if (store::parseInteger(st.columnText(i), v)) return static_cast<long long>(v);
        break;
    }
    default:
        break;
    }
    ok = false;
    return std::nullopt;
}

// The table with every field of def, and every value one the store can read and the merge takes.
// Returns why not, or "" when it is.
std::string tabelle_pruefen(sqlite3* db, const store::TableDef& def) {
    const std::string& name = def.name;
    {
        Statement a(db, "SELECT count(*) FROM sqlite_master WHERE type='table' AND name=?1 COLLATE NOCASE",
                    meldung("Die Tabelle '" + name + "' fehlt."));
        a.bindText(1, name);
        if (!a.step() || a.columnInt(0) != 1) return "Die Tabelle '" + name + "' fehlt.";
    }
    const std::string nicht_lesbar = "Die Tabelle '" + name + "' kann nicht gelesen werden: ";
    // Every field must be there. (A SELECT alone would not tell: SQLite reads a quoted name
    // that is no column as a text.)
    std::vector<std::string> spalten;
    {
        Statement a(db, "PRAGMA table_info(" + store::quoteIdent(name) + ")",
                    Statement::prefixed(nicht_lesbar));
        while (a.step()) spalten.push_back(store::lowerName(a.columnText(1)));
    }
    for (auto& f : def.fields)
        if (f.type != store::FieldType::Calc &&
            std::find(spalten.begin(), spalten.end(), store::lowerName(f.name)) == spalten.end())
            return "Der Tabelle '" + name + "' fehlt das Feld '" + f.name + "'.";
    std::vector<const store::FieldDef*> felder;
    std::string sql = "SELECT ";
    for (auto& f : def.fields) {
        if (f.type == store::FieldType::Calc) continue;
        sql += (felder.empty() ? "" : ", ") + store::quoteIdent(f.name);
        felder.push_back(&f);
    }
    sql += " FROM " + store::quoteIdent(name);
    Statement a(db, sql, Statement::prefixed("Der Tabelle '" + name + "' fehlen Felder: "));
    a.setErrorText(Statement::prefixed(nicht_lesbar));
    const auto grenzen = bereiche(name);
    long long zeile = 0;
    while (a.step()) {
        ++zeile;
        for (size_t i = 0; i < felder.size(); ++i) {
            const store::FieldDef& f = *felder[i];
            const int spalte = static_cast<int>(i);
            const std::string wo = " in Zeile " + std::to_string(zeile) + " der Tabelle '" + name + "'";
            if (f.type == store::FieldType::Float) {
                const Statement::Type typ = a.columnType(spalte);
                double d = 0;
                if (typ == Statement::Type::Integer || typ == Statement::Type::Float)
                    d = a.columnFloat(spalte);
                else if (typ == Statement::Type::Text) {
                    if (!store::parseFloat(a.columnText(spalte), d))
                        return "Ungültiger Wert im Feld '" + f.name + "'" + wo + ".";
                } else if (typ != Statement::Type::Null)
                    return "Ungültiger Wert im Feld '" + f.name + "'" + wo + ".";
                if (!std::isfinite(d)) return "Ungültiger Wert im Feld '" + f.name + "'" + wo + ".";
                continue;
            }
            bool ok = true;
            const auto v = ganzzahl(a, spalte, ok);
            if (!ok) return "Ungültiger Wert im Feld '" + f.name + "'" + wo + ".";
            const auto g = grenzen.find(f.name);
            if (!v) {
                if (g != grenzen.end() && g->second.pflicht)
                    return "Das Feld '" + f.name + "' ist leer" + wo + ".";
                continue;
            }
            long long lo = f.type == store::FieldType::SmallInt ? -32768 : -2147483648LL;
            long long hi = f.type == store::FieldType::SmallInt ? 32767 : 2147483647LL;
            if (g != grenzen.end()) {
                lo = g->second.min;
                hi = g->second.max;
            }
            if (*v < lo || *v > hi)
                return "Der Wert " + std::to_string(*v) + " im Feld '" + f.name + "'" + wo +
                       " liegt nicht zwischen " + std::to_string(lo) + " und " + std::to_string(hi) + ".";
        }
    }
    return {};
}

// Every row of Zahlen_Update with results must be a valid draw of its association. Files of earlier
// versions wrote empty fields as 0: a 0 in the drawn order or the Zusatzzahl counts as empty.
std::string ziehungen_pruefen(sqlite3* db, const std::map<int, int>& zahlen_bis) {
    std::string sql = "SELECT ID_Verband";
    for (int i = 1; i <= 6; ++i) sql += ", " + store::quoteIdent(data::Feldname("Zahl_", i));
    for (int i = 1; i <= 6; ++i) sql += ", " + store::quoteIdent(data::Feldname("Zahl_", i) + "_g");
    sql += ", Zusatzzahl, Superzahl FROM Zahlen_Update";
    Statement a(db, sql, Statement::prefixed("Die Tabelle 'Zahlen_Update' kann nicht gelesen werden: "));
    long long zeile = 0;
    while (a.step()) {
        ++zeile;
        bool ok = true;
        auto wert = [&](int spalte) {
            const auto v = ganzzahl(a, spalte, ok);
            return v ? std::optional<int>(static_cast<int>(*v)) : std::nullopt;
        };
        auto ohne_null = [](std::optional<int> v) { return v && *v == 0 ? std::nullopt : v; };
        data::Ziehungswerte z;
        for (int i = 0; i < 6; ++i) {
            z.zahlen[i] = wert(1 + i);
            z.reihenfolge[i] = ohne_null(wert(7 + i));
        }
        z.zusatzzahl = ohne_null(wert(13));
        z.superzahl = wert(14);
        const auto verband = wert(0);
        const bool mit_ergebnis =
            std::any_of(z.zahlen.begin(), z.zahlen.end(), [](auto& v) { return v.has_value(); });
        if (!mit_ergebnis && !z.zusatzzahl && !z.superzahl && !z.reihenfolge[0]) continue;
        const auto n = verband ? zahlen_bis.find(*verband) : zahlen_bis.end();
        const std::string wo = "Zeile " + std::to_string(zeile) + " der Tabelle 'Zahlen_Update': ";
        if (n == zahlen_bis.end())
            return wo + "Für den Lottoverband " +
                   (verband ? std::to_string(*verband) : std::string("(leer)")) +
                   " gibt es keine Einstellungen.";
        if (std::string m = data::Ziehung_pruefen(z, n->second); !m.empty()) return wo + m;
    }
    return {};
}

} // namespace

std::string Updatedatei_pruefen(const std::string& pfad, const std::map<int, int>& zahlen_bis) {
    {
        std::ifstream f(pfad, std::ios::binary);
        char kopf[20] = {0};
        if (!f || !f.read(kopf, sizeof kopf) || std::string(kopf, 16) != std::string("SQLite format 3\0", 16))
            return "Die Datei ist keine Datenbank.";
        // Format versions above 2 make SQLite open the file read-only; the store refuses such a
        // file later, so it must not pass here and take the place of the previous update file.
        if (static_cast<unsigned char>(kopf[18]) > 2 || static_cast<unsigned char>(kopf[19]) > 2)
            return "Die Datenbank hat ein unbekanntes Dateiformat und kann nur gelesen werden.";
    }
    Verbindung v;
    if (sqlite3_open_v2(uri(pfad).c_str(), &v.db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) !=
        SQLITE_OK)
        return "Die Datei kann nicht als Datenbank geöffnet werden.";
    try {
        {
            // The full integrity check, not the quick one: only the full check compares each index
            // with its table. A file whose key index misses rows would otherwise pass, and the
            // merge, which reads the rows in key order through that index, would skip them and
            // still report success.
            Statement a(v.db, "PRAGMA integrity_check(1)",
                        meldung("Die Datei ist keine gültige Datenbank oder ist beschädigt."));
            a.setErrorText(meldung("Die Datenbank ist beschädigt."));
            if (!a.step() || a.columnText(0) != "ok") return "Die Datenbank ist beschädigt.";
        }
        for (auto& def : store::updateSchema())
            if (auto grund = tabelle_pruefen(v.db, def); !grund.empty()) return grund;
        return ziehungen_pruefen(v.db, zahlen_bis);
    } catch (const StoreError& e) {
        return e.what();
    }
}

} // namespace pyra::maintenance
