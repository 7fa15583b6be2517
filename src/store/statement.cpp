#include "store/statement.h"

#include <sqlite3.h>

#include <utility>

namespace pyra::store {

std::string Statement::defaultErrorText(sqlite3* db) {
    return std::string("Datenbankfehler: ") + sqlite3_errmsg(db);
}

Statement::ErrorText Statement::prefixed(std::string words) {
    return [words = std::move(words)](sqlite3* db) { return words + sqlite3_errmsg(db); };
}

Statement::Statement(sqlite3* db, const std::string& sql, ErrorText errorText)
    : db_(db), errorText_(std::move(errorText)) {
    if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &st_, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st_);
        st_ = nullptr;
        fail();
    }
}

Statement::~Statement() {
    sqlite3_finalize(st_);
}

void Statement::fail() const {
    throw StoreError(errorText_ ? errorText_(db_) : defaultErrorText(db_));
}

void Statement::bind(int i, const Value& v) {
    if (v.isNull() || v.isKeep())
        bindNull(i);
    else if (v.isInt())
        bindInt(i, v.asInt());
    else if (v.isFloat())
        bindFloat(i, v.asFloat());
    else
        bindText(i, v.asString());
}

void Statement::bindInt(int i, std::int64_t v) {
    sqlite3_bind_int64(st_, i, v);
}

void Statement::bindFloat(int i, double v) {
    sqlite3_bind_double(st_, i, v);
}

void Statement::bindText(int i, const std::string& v) {
    sqlite3_bind_text(st_, i, v.c_str(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
}

void Statement::bindNull(int i) {
    sqlite3_bind_null(st_, i);
}

int Statement::parameterCount() const {
    return sqlite3_bind_parameter_count(st_);
}

std::string Statement::parameterName(int i) const {
    const char* n = sqlite3_bind_parameter_name(st_, i);
    return n ? n : "";
}

bool Statement::step() {
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) fail();
    return false;
}

void Statement::run() {
    int rc;
    while ((rc = sqlite3_step(st_)) == SQLITE_ROW) {
    }
    reset();
    if (rc != SQLITE_DONE) fail();
}

void Statement::reset() {
    sqlite3_reset(st_);
    sqlite3_clear_bindings(st_);
}

int Statement::columnCount() const {
    return sqlite3_column_count(st_);
}

std::string Statement::columnName(int i) const {
    const char* n = sqlite3_column_name(st_, i);
    return n ? n : "";
}

std::string Statement::columnDeclType(int i) const {
    const char* d = sqlite3_column_decltype(st_, i);
    return d ? d : "";
}

Statement::Type Statement::columnType(int i) const {
    switch (sqlite3_column_type(st_, i)) {
    case SQLITE_NULL:
        return Type::Null;
    case SQLITE_INTEGER:
        return Type::Integer;
    case SQLITE_FLOAT:
        return Type::Float;
    case SQLITE_BLOB:
        return Type::Blob;
    default:
        return Type::Text;
    }
}

std::int64_t Statement::columnInt(int i) const {
    return sqlite3_column_int64(st_, i);
}

double Statement::columnFloat(int i) const {
    return sqlite3_column_double(st_, i);
}

std::string Statement::columnText(int i) const {
    auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st_, i));
    return t ? std::string(t, static_cast<std::size_t>(sqlite3_column_bytes(st_, i))) : std::string();
}

Value Statement::columnValue(int i) const {
    switch (columnType(i)) {
    case Type::Null:
        return Value();
    case Type::Integer:
        return Value(static_cast<long long>(columnInt(i)));
    case Type::Float:
        return Value(columnFloat(i));
    default:
        return Value(columnText(i));
    }
}

} // namespace pyra::store
