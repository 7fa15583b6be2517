#include "store/store.h"

#include "store/statement.h"

namespace pyra::store {

namespace {
FieldType typeFromDecl(const std::string& decl) {
    std::string d = lowerName(decl);
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
    if (!db_.Connected()) throw StoreError("Die Datenbank '" + db_.Location() + "' ist nicht verbunden.");
    Statement st(db_.handle(), sql_, Statement::prefixed("Fehler in der Abfrage '" + name_ + "': "));
    const int n = st.parameterCount();
    for (int i = 1; i <= n; ++i) {
        const std::string name = st.parameterName(i);
        auto it = params_.find(lowerName(name.empty() ? name : name.substr(1)));
        st.bind(i, it == params_.end() ? Value() : it->second);
    }
    const int cols = st.columnCount();
    fields_.clear();
    lowerNames_.clear();
    for (int c = 0; c < cols; ++c) {
        FieldDef f;
        f.name = st.columnName(c);
        f.type = typeFromDecl(st.columnDeclType(c));
        fields_.push_back(f);
        lowerNames_.push_back(lowerName(f.name));
    }
    storedCount_ = cols;
    std::vector<Record> recs;
    while (st.step()) {
        Record r;
        r.values.reserve(cols);
        for (int c = 0; c < cols; ++c) r.values.push_back(st.columnValue(c));
        recs.push_back(std::move(r));
    }
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
