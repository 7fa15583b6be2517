#include "store/store.h"

#include "store/sqlite_util.h"

#include <sqlite3.h>

#include <algorithm>

namespace pyra::store {

namespace {
FieldType typeFromDecl(const char* decl) {
    std::string d = lowerName(decl ? decl : "");
    if (d.find("smallint") != std::string::npos) return FieldType::SmallInt;
    if (d.find("int") != std::string::npos) return FieldType::Integer;
    if (d.find("float") != std::string::npos || d.find("real") != std::string::npos ||
        d.find("double") != std::string::npos)
        return FieldType::Float;
    if (d.find("char") != std::string::npos) return FieldType::String;
    return FieldType::Memo;
}
} // namespace

Query::Query(Database& db, std::string name, std::string sql)
    : DataSet(db, std::move(name)), sql_(std::move(sql)) {}

void Query::SetSQL(const std::string& sql) {
    if (active_) Close();
    sql_ = sql;
}

Value& Query::ParamByName(const std::string& name) {
    return params_[lowerName(name)];
}

void Query::Open() {
    if (active_) return;
    sqlite3* db = db_.handle();
    if (!db) throw StoreError("Die Datenbank '" + db_.Location() + "' ist nicht verbunden.");
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql_.c_str(), -1, &st, nullptr) != SQLITE_OK)
        throw StoreError(std::string("Fehler in der Abfrage '") + name_ + "': " + sqlite3_errmsg(db));
    std::vector<Record> recs;
    try {
        int n = sqlite3_bind_parameter_count(st);
        for (int i = 1; i <= n; ++i) {
            const char* pn = sqlite3_bind_parameter_name(st, i);
            std::string key = lowerName(pn && *pn ? pn + 1 : "");
            auto it = params_.find(key);
            bindValue(st, i, it == params_.end() ? Value() : it->second);
        }
        int cols = sqlite3_column_count(st);
        fields_.clear();
        lowerNames_.clear();
        for (int c = 0; c < cols; ++c) {
            FieldDef f;
            f.name = sqlite3_column_name(st, c);
            f.type = typeFromDecl(sqlite3_column_decltype(st, c));
            fields_.push_back(f);
            lowerNames_.push_back(lowerName(f.name));
        }
        storedCount_ = cols;
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            Record r;
            r.values.reserve(cols);
            for (int c = 0; c < cols; ++c) {
                switch (sqlite3_column_type(st, c)) {
                case SQLITE_NULL:
                    r.values.emplace_back();
                    break;
                case SQLITE_INTEGER:
                    r.values.emplace_back(static_cast<long long>(sqlite3_column_int64(st, c)));
                    break;
                case SQLITE_FLOAT:
                    r.values.emplace_back(sqlite3_column_double(st, c));
                    break;
                default: {
                    auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                    r.values.emplace_back(std::string(t ? t : "", sqlite3_column_bytes(st, c)));
                }
                }
            }
            recs.push_back(std::move(r));
        }
        if (rc != SQLITE_DONE)
            throw StoreError(std::string("Fehler in der Abfrage '") + name_ + "': " + sqlite3_errmsg(db));
    } catch (...) {
        sqlite3_finalize(st);
        throw;
    }
    sqlite3_finalize(st);
    active_ = true;
    state_ = DataSetState::Browse;
    setRecords(std::move(recs), false, 0);
    notify(DataEvent::Opened);
}

void Query::refreshAll() {
    Close();
    Open();
}

} // namespace pyra::store
