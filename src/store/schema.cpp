#include "store/schema.h"

#include "store/value.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace pyra::store {

std::string lowerName(const std::string& s) {
    std::string r = s;
    std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return std::tolower(c); });
    return r;
}

std::string quoteIdent(const std::string& s) {
    std::string r = "\"";
    for (char c : s) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + "\"";
}

int TableDef::fieldIndex(const std::string& field) const {
    std::string l = lowerName(field);
    for (size_t i = 0; i < fields.size(); ++i)
        if (lowerName(fields[i].name) == l) return static_cast<int>(i);
    return -1;
}

int TableDef::storedFieldCount() const {
    return static_cast<int>(std::count_if(fields.begin(), fields.end(),
                                          [](const FieldDef& f) { return f.type != FieldType::Calc; }));
}

namespace {

using FT = FieldType;

FieldDef S(const std::string& n, bool req = false) {
    return {n, FT::SmallInt, 0, req};
}
FieldDef I(const std::string& n, bool req = false) {
    return {n, FT::Integer, 0, req};
}
FieldDef F(const std::string& n) {
    return {n, FT::Float, 0, false};
}
FieldDef T(const std::string& n, int size, bool req = false) {
    return {n, FT::String, size, req};
}
FieldDef M(const std::string& n) {
    return {n, FT::Memo, 0, false};
}
FieldDef C(const std::string& n) {
    return {n, FT::Calc, 20, false};
}

std::string two(int i) {
    char b[8];
    std::snprintf(b, sizeof b, "%02d", i);
    return b;
}

std::vector<FieldDef> zahlenFields() {
    std::vector<FieldDef> f = {S("ID_Verband", true), S("ID_Ziehung", true), S("Jahr", true),
                               S("Woche", true), S("AB", true)};
    for (int i = 1; i <= 6; ++i) f.push_back(S("Zahl_" + two(i)));
    f.push_back(S("Zusatzzahl"));
    f.push_back(S("Superzahl"));
    for (int i = 1; i <= 6; ++i) f.push_back(S("Zahl_" + two(i) + "_g"));
    f.push_back(S("EZDVFS"));
    f.push_back(S("Summe"));
    f.push_back(S("G_U"));
    for (int i = 1; i <= 7; ++i) f.push_back(S("Ziehung_Wo_" + std::to_string(i) + "z"));
    for (int i = 1; i <= 7; ++i) f.push_back(S("Ziehung_Ja_" + std::to_string(i) + "z"));
    f.push_back(S("Summe_Wo"));
    return f;
}

std::vector<FieldDef> gewinnFields() {
    return {S("ID_Verband", true), S("Jahr", true), S("Woche", true), S("ID_Ziehung", true),
            S("Rang", true),       I("Anzahl"),     F("Gewinn")};
}

std::vector<FieldDef> selection() {
    return {S("ID_Verband", true), S("Jahr", true), S("Woche", true), S("ID_Ziehung", true)};
}

std::vector<FieldDef> recurrence(const std::string& dist) {
    return {S("ID_Verband"), S("ID_Ziehung"), S(dist),       F("0_Zahlen"), F("1_Zahl"),
            F("2_Zahlen"),   F("3_Zahlen"),   F("4_Zahlen"), F("5_Zahlen"), F("6_Zahlen")};
}

std::vector<TableDef> buildMain() {
    std::vector<TableDef> t;
    t.push_back(
        {"Wahl",
         {T("Form_Anwendung_Caption", 200), T("Powered_by", 100), T("Software_fuer", 100), T("Homepage", 30),
          T("Partnerseite", 30), S("ZQ_Woche_von"), S("ZQ_Woche_bis"), S("ZQ_Jahr"), T("ZQ_Excel", 200),
          S("ID_Verband", true), S("Jahr_aktuell", true), S("Woche_aktuell", true), S("ID_Ziehung", true),
          S("ID_Tendenz", true), S("ID_Allgorithmus", true), S("Woche_Export"), S("Jahr_Export")},
         {},
         {}});
    t.push_back({"Verband",
                 {S("ID_Verband", true), T("Verband", 35), T("Kuerzel", 5), M("Information")},
                 {"ID_Verband"},
                 {}});
    t.push_back({"Woche", {S("ID_Woche", true), T("Woche", 9, true)}, {"ID_Woche"}, {}});
    t.push_back({"Jahr", {S("ID_Jahr", true), T("Jahr", 4, true)}, {"ID_Jahr"}, {}});
    t.push_back({"Ziehung", {S("ID_Ziehung", true), T("Ziehung", 5)}, {"ID_Ziehung"}, {}});
    {
        std::vector<FieldDef> f = {S("ID_Verband", true), S("Zahlen_bis"), S("Reihenberechnung"),
                                   I("Gewinnerwartung")};
        for (int i = 1; i <= 12; ++i) f.push_back(S("Reihe_" + two(i) + "_links"));
        for (int i = 1; i <= 12; ++i) f.push_back(S("Reihe_" + two(i) + "_oben"));
        for (auto* n : {"Zahl_Abstand_links", "Zahl_Abstand_oben"}) f.push_back(F(n));
        for (auto* n : {"Schriftgroesse", "Super_77_links", "Super_77_oben", "Super_6_links", "Super_6_oben",
                        "MiSa_links", "MiSa_oben"})
            f.push_back(S(n));
        t.push_back({"Lotto", f, {"ID_Verband"}, {}});
    }
    t.push_back({"Zahlen", zahlenFields(), {"ID_Verband", "ID_Ziehung", "Jahr", "Woche", "AB"}, {}});
    {
        auto f = gewinnFields();
        f.push_back(C("Mal"));
        t.push_back({"Gewinn", f, {"ID_Verband", "Jahr", "Woche", "ID_Ziehung", "Rang"}, {}});
    }
    {
        auto f = selection();
        f.push_back(S("Zahl", true));
        f.push_back(F("Wahrscheinlichkeit"));
        for (auto* n :
             {"Haeufigkeit_Wo", "Haeufigkeit_Ja", "Rueckstaendig_Wo", "Rueckstaendig_Ja", "Zahlentipp"})
            f.push_back(S(n));
        f.push_back(C("Wahrscheinlichkeit_Str"));
        std::vector<std::string> sel = {"ID_Verband", "Jahr", "Woche", "ID_Ziehung"};
        auto idx = [&](const std::string& name, const std::string& field, bool desc) {
            IndexDef d{name, sel};
            d.order.push_back((desc ? "-" : "") + field);
            d.order.push_back("Zahl");
            return d;
        };
        t.push_back({"Zahl_Daten",
                     f,
                     {"ID_Verband", "Jahr", "Woche", "ID_Ziehung", "Zahl"},
                     {idx("Index_Wahrscheinlichkeit", "Wahrscheinlichkeit", true),
                      idx("Index_Haeufigkeit_Wo", "Haeufigkeit_Wo", true),
                      idx("Index_Rueckstaendigkeit_W", "Rueckstaendig_Wo", true),
                      idx("Index_Haeufigkeit_Ja", "Haeufigkeit_Ja", true),
                      idx("Index_Rueckstaendigkeit_J", "Rueckstaendig_Ja", true),
                      idx("Index_Zahlentipp", "Zahlentipp", false)}});
    }
    {
        auto f = selection();
        for (auto* n : {"ID_Tendenz", "ID_Allgorithmus", "Reihe"}) f.push_back(S(n, true));
        for (int i = 1; i <= 6; ++i) f.push_back(S("Tipp_Zahl_" + std::to_string(i)));
        f.push_back(S("Richtige"));
        f.push_back(S("Zusatzzahl"));
        t.push_back({"Reihen",
                     f,
                     {"ID_Verband", "Jahr", "Woche", "ID_Ziehung", "ID_Tendenz", "ID_Allgorithmus", "Reihe"},
                     {}});
    }
    t.push_back({"Ziehung_Wo_z", recurrence("Woche_z"), {"ID_Verband", "ID_Ziehung", "Woche_z"}, {}});
    t.push_back({"Ziehung_Ja_z", recurrence("Jahr_z"), {"ID_Verband", "ID_Ziehung", "Jahr_z"}, {}});
    t.push_back({"Summe_Ru",
                 {S("ID_Verband", true), S("ID_Ziehung", true), S("Von", true), S("Bis", true), F("Prozent"),
                  S("Anzahl")},
                 {"ID_Verband", "ID_Ziehung", "Von", "Bis"},
                 {}});
    {
        static const char* suffix[] = {"3_3", "3_4", "3_5", "3_6", "4_4", "4_5", "4_6", "5_5", "5_6"};
        std::vector<FieldDef> f;
        for (auto* s : suffix) f.push_back(F(std::string("Gw_") + s));
        for (auto* s : suffix) f.push_back(C(std::string("Gw_") + s + "_Str"));
        t.push_back({"Gw_Erwartung", f, {}, {}});
    }
    {
        auto f = selection();
        for (int i = 1; i <= 49; ++i) f.push_back(T("Checkbox_" + two(i), 1));
        for (int i = 1; i <= 3; ++i) f.push_back(S("Bankzahl_" + std::to_string(i)));
        t.push_back({"Optionen", f, {"ID_Verband", "Jahr", "Woche", "ID_Ziehung"}, {}});
    }
    {
        auto f = selection();
        for (auto* n : {"Prozent_Woche", "Prozent_Jahr", "Prozent_Summe"}) f.push_back(S(n));
        for (auto* n :
             {"Checkbox_Zwillinge", "Checkbox_Drillinge", "Checkbox_Vierling", "Checkbox_Fuenfling"})
            f.push_back(T(n, 1));
        for (auto* n : {"Endziffer", "Zehner", "7_er", "7_er_vt", "Quersumme_von", "Quersumme_bis"})
            f.push_back(S(n));
        for (int i = 0; i <= 6; ++i) f.push_back(T("Checkbox_Gerade_" + two(i), 1));
        t.push_back({"Optionen_2", f, {"ID_Verband", "Jahr", "Woche", "ID_Ziehung"}, {}});
    }
    {
        auto f = selection();
        for (int i = 1; i <= 15; ++i) f.push_back(S("Zahl_" + two(i)));
        t.push_back({"Zahlentipp", f, {"ID_Verband", "Jahr", "Woche", "ID_Ziehung"}, {}});
    }
    return t;
}

std::vector<TableDef> buildUpdate() {
    std::vector<TableDef> t;
    t.push_back({"Zahlen_Update", zahlenFields(), {"ID_Verband", "ID_Ziehung", "Jahr", "Woche", "AB"}, {}});
    t.push_back({"Gewinn_Update", gewinnFields(), {"ID_Verband", "Jahr", "Woche", "ID_Ziehung", "Rang"}, {}});
    return t;
}

const char* sqlType(const FieldDef& f) {
    switch (f.type) {
    case FT::SmallInt:
        return "SMALLINT";
    case FT::Integer:
        return "INTEGER";
    case FT::Float:
        return "FLOAT";
    case FT::String:
        return "VARCHAR";
    case FT::Memo:
        return "TEXT";
    case FT::Calc:
        return "";
    }
    return "";
}

} // namespace

const std::vector<TableDef>& mainSchema() {
    static const std::vector<TableDef> s = buildMain();
    return s;
}

const std::vector<TableDef>& updateSchema() {
    static const std::vector<TableDef> s = buildUpdate();
    return s;
}

const TableDef* findTable(const std::string& name) {
    std::string l = lowerName(name);
    for (auto* schema : {&mainSchema(), &updateSchema()})
        for (auto& t : *schema)
            if (lowerName(t.name) == l) return &t;
    return nullptr;
}

void createSchema(sqlite3* db, const std::vector<TableDef>& schema) {
    std::string sql;
    for (auto& t : schema) {
        sql += "CREATE TABLE " + quoteIdent(t.name) + " (";
        bool first = true;
        for (auto& f : t.fields) {
            if (f.type == FT::Calc) continue;
            if (!first) sql += ", ";
            first = false;
            sql += quoteIdent(f.name) + " " + sqlType(f);
            if (f.type == FT::String) sql += "(" + std::to_string(f.size) + ")";
            if (f.required) sql += " NOT NULL";
        }
        if (!t.primaryKey.empty()) {
            sql += ", CONSTRAINT sys_primary PRIMARY KEY (";
            for (size_t i = 0; i < t.primaryKey.size(); ++i)
                sql += (i ? ", " : "") + quoteIdent(t.primaryKey[i]);
            sql += ")";
        }
        sql += ");\n";
        for (auto& ix : t.indexes) {
            sql += "CREATE INDEX " + quoteIdent(ix.name) + " ON " + quoteIdent(t.name) + " (";
            for (size_t i = 0; i < ix.order.size(); ++i) {
                std::string f = ix.order[i];
                bool desc = !f.empty() && f[0] == '-';
                if (desc) f = f.substr(1);
                sql += (i ? ", " : "") + quoteIdent(f) + (desc ? " DESC" : "");
            }
            sql += ");\n";
        }
    }
    char* err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string msg = err ? err : "";
        sqlite3_free(err);
        throw StoreError("Die Tabellen konnten nicht angelegt werden: " + msg);
    }
}

} // namespace pyra::store
