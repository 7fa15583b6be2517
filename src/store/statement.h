#pragma once

// One prepared SQLite statement: prepared on construction, finalized on destruction. Values are
// bound by position (from 1), rows are stepped through and their columns read by index (from 0).
// Every failure throws StoreError; its message is worded by the statement's error text.

#include "store/value.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

namespace pyra::store {

class Statement {
  public:
    // Words the message of a failure from the connection (called at once, while SQLite's own
    // message still describes it).
    using ErrorText = std::function<std::string(sqlite3*)>;
    // "Datenbankfehler: " and SQLite's own message.
    static std::string defaultErrorText(sqlite3* db);
    // The given words before SQLite's own message.
    static ErrorText prefixed(std::string words);

    Statement(sqlite3* db, const std::string& sql, ErrorText errorText = defaultErrorText);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Words the failures from here on (a reading that fails says something else than a
    // statement that could not be prepared).
    void setErrorText(ErrorText errorText) { errorText_ = std::move(errorText); }

    // Binding; an empty or "keep" Value binds NULL.
    void bind(int i, const Value& v);
    void bindInt(int i, std::int64_t v);
    void bindFloat(int i, double v);
    void bindText(int i, const std::string& v);
    void bindNull(int i);
    int parameterCount() const;
    std::string parameterName(int i) const; // with its leading ":", "@" or "$"; "" for "?"

    // Steps once: true at a row, false when the statement is done.
    bool step();
    // Steps to the end, then resets the statement and clears its bindings for the next run. A
    // failure resets it too before it is thrown.
    void run();
    // Makes the statement ready to run again and clears its bindings.
    void reset();

    enum class Type { Null, Integer, Float, Text, Blob };
    int columnCount() const;
    std::string columnName(int i) const;
    std::string columnDeclType(int i) const; // the declared type of a table column, else ""
    Type columnType(int i) const;
    bool isNull(int i) const { return columnType(i) == Type::Null; }
    std::int64_t columnInt(int i) const; // NULL reads 0
    double columnFloat(int i) const;     // NULL reads 0.0
    std::string columnText(int i) const; // NULL reads ""
    Value columnValue(int i) const;      // as stored: null, integer, float or text

  private:
    [[noreturn]] void fail() const;

    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
    ErrorText errorText_;
};

} // namespace pyra::store
