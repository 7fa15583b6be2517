#pragma once

// Binding values to SQLite statements, shared by tables and queries.

#include "store/value.h"

#include <sqlite3.h>

#include <string>

namespace pyra::store {

inline void bindValue(sqlite3_stmt* st, int i, const Value& v) {
    if (v.isNull() || v.isKeep())
        sqlite3_bind_null(st, i);
    else if (v.isInt())
        sqlite3_bind_int64(st, i, v.asInt());
    else if (v.isFloat())
        sqlite3_bind_double(st, i, v.asFloat());
    else {
        std::string s = v.asString();
        sqlite3_bind_text(st, i, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    }
}

} // namespace pyra::store
