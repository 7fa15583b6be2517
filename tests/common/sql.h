#pragma once

// SQL on a database file through a connection of its own, apart from the store: to look at what
// was stored, and to make changes the program itself never makes (damaged values, missing rows).

#include <sqlite3.h>

#include <optional>
#include <string>

namespace pyra::test {

class Sql_Verbindung {
  public:
    // anlegen: a missing file is created (else it is reported by every call).
    explicit Sql_Verbindung(const std::string& datei, bool anlegen = false) {
        const int art = SQLITE_OPEN_READWRITE | (anlegen ? SQLITE_OPEN_CREATE : 0);
        if (sqlite3_open_v2(datei.c_str(), &db_, art, nullptr) != SQLITE_OK) {
            sqlite3_close(db_);
            db_ = nullptr;
        }
    }
    ~Sql_Verbindung() { sqlite3_close(db_); }
    Sql_Verbindung(const Sql_Verbindung&) = delete;
    Sql_Verbindung& operator=(const Sql_Verbindung&) = delete;

    // Runs one or more statements; returns SQLite's message on failure, "" on success.
    [[nodiscard]] std::string ausfuehren(const std::string& sql) {
        if (!db_) return "<keine Datenbank>";
        char* fehler = nullptr;
        const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &fehler);
        std::string text = rc == SQLITE_OK ? "" : (fehler ? fehler : sqlite3_errmsg(db_));
        sqlite3_free(fehler);
        return text;
    }

    // The result of one statement: the columns of all rows, "|" between the columns and "\n"
    // after each row; NULL as "-". A failure gives "<" SQLite's message ">".
    std::string text(const std::string& sql) {
        if (!db_) return "<keine Datenbank>";
        std::string r;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
            r = std::string("<") + sqlite3_errmsg(db_) + ">";
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
        return r;
    }

    // The first column of the first row as a number; empty when it is NULL, when there is no
    // row or when the statement fails.
    std::optional<double> wert(const std::string& sql) {
        std::optional<double> v;
        sqlite3_stmt* st = nullptr;
        if (db_ && sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW && sqlite3_column_type(st, 0) != SQLITE_NULL)
            v = sqlite3_column_double(st, 0);
        sqlite3_finalize(st);
        return v;
    }

  private:
    sqlite3* db_ = nullptr;
};

// Creates the file when it is missing.
[[nodiscard]] inline std::string sql_ausfuehren(const std::string& datei, const std::string& sql) {
    return Sql_Verbindung(datei, true).ausfuehren(sql);
}
inline std::string sql_text(const std::string& datei, const std::string& sql) {
    return Sql_Verbindung(datei).text(sql);
}
inline std::optional<double> sql_wert(const std::string& datei, const std::string& sql) {
    return Sql_Verbindung(datei).wert(sql);
}

} // namespace pyra::test
