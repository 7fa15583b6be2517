#pragma once

#include <sqlite3.h>

#include <string>

namespace pyra::test {

// Runs one SQL statement on a database file and returns its result: the columns of all rows, "|"
// between the columns and "\n" after each row; NULL as "-". Statements that write are allowed.
inline std::string sql_text(const std::string& datei, const std::string& sql) {
    sqlite3* db = nullptr;
    std::string r;
    if (sqlite3_open_v2(datei.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return "<keine Datenbank>";
    }
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        r = std::string("<") + sqlite3_errmsg(db) + ">";
    } else {
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                if (i) r += "|";
                auto* t = sqlite3_column_text(st, i);
                r += t ? reinterpret_cast<const char*>(t) : "-";
            }
            r += "\n";
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return r;
}

} // namespace pyra::test
