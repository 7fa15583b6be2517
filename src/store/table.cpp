#include "store/store.h"

#include "store/sqlite_util.h"
#include "store/statement.h"

#include <sqlite3.h>

#include <algorithm>

namespace pyra::store {

namespace {

std::vector<std::string> splitList(const std::string& list) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : list) {
        if (c == ';') {
            if (!cur.empty()) out.push_back(cur);
            cur.clear();
        } else if (c != ' ') {
            cur += c;
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

// A stored value as the field's type reads it.
Value columnValue(const Statement& st, int i, FieldType type) {
    switch (st.columnType(i)) {
    case Statement::Type::Null:
        return Value();
    case Statement::Type::Integer:
        if (type == FieldType::Float) return Value(static_cast<double>(st.columnInt(i)));
        if (type == FieldType::String || type == FieldType::Memo)
            return Value(std::to_string(st.columnInt(i)));
        return Value(static_cast<long long>(st.columnInt(i)));
    case Statement::Type::Float:
        if (type == FieldType::SmallInt || type == FieldType::Integer)
            return Value(Value(st.columnFloat(i)).asInt());
        return Value(st.columnFloat(i));
    default: {
        std::string s = st.columnText(i);
        if (type == FieldType::SmallInt || type == FieldType::Integer) {
            std::int64_t n = 0;
            if (parseInteger(s, n)) return Value(static_cast<long long>(n));
            return s.empty() ? Value() : Value(Value(s).asInt());
        }
        if (type == FieldType::Float) return s.empty() ? Value() : Value(Value(s).asFloat());
        return Value(s);
    }
    }
}

std::string storeErrorText(sqlite3* db, const std::string& table) {
    int ext = sqlite3_extended_errcode(db);
    if (ext == SQLITE_CONSTRAINT_PRIMARYKEY || ext == SQLITE_CONSTRAINT_UNIQUE)
        return "Schlüsselverletzung: Diesen Datensatz gibt es in der Tabelle '" + table + "' schon.";
    if (ext == SQLITE_CONSTRAINT_NOTNULL) return "Ein Pflichtfeld der Tabelle '" + table + "' ist leer.";
    if ((ext & 0xff) == SQLITE_READONLY) return "Die Datenbank ist schreibgeschützt.";
    if ((ext & 0xff) == SQLITE_BUSY || (ext & 0xff) == SQLITE_LOCKED)
        return "Die Datenbank ist von einem anderen Programm gesperrt.";
    if (datentraeger_voll(db)) return Meldung_Datentraeger_voll;
    return std::string("Datenbankfehler in der Tabelle '") + table + "': " + sqlite3_errmsg(db);
}

} // namespace

Table::Table(Database& db, std::string name, std::string tableName)
    : DataSet(db, std::move(name)), tableName_(std::move(tableName)) {
    def_ = findTable(tableName_);
    if (!def_) throw StoreError("Unbekannte Tabelle '" + tableName_ + "'.");
    fields_ = def_->fields;
    storedCount_ = def_->storedFieldCount();
    for (auto& f : fields_) lowerNames_.push_back(lowerName(f.name));
    resolveOrder();
}

Statement::ErrorText Table::errorText() const {
    return [this](sqlite3* db) { return storeErrorText(db, tableName_); };
}

Table::~Table() {
    finalizeStatements();
    if (master_) {
        auto& v = master_->details_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
}

void Table::finalizeStatements() {
    insertStmt_.reset();
    updateStmt_.reset();
}

void Table::closeCursor() {
    finalizeStatements();
}

void Table::resolveOrder() {
    order_.clear();
    std::vector<std::string> felder;
    if (indexName_.empty() || lowerName(indexName_) == "sys_primary") {
        felder = def_->primaryKey;
    } else {
        auto it = std::find_if(def_->indexes.begin(), def_->indexes.end(),
                               [&](const IndexDef& d) { return lowerName(d.name) == lowerName(indexName_); });
        if (it == def_->indexes.end())
            throw StoreError("Index '" + indexName_ + "' gibt es in der Tabelle '" + tableName_ + "' nicht.");
        felder = it->order;
    }
    for (auto s : felder) {
        bool desc = !s.empty() && s[0] == '-';
        if (desc) s = s.substr(1);
        order_.push_back({def_->fieldIndex(s), desc});
    }
}

std::string Table::orderClause() const {
    std::string o;
    for (auto& k : order_) {
        o += (o.empty() ? "" : ", ") + quoteIdent(fields_[k.field].name);
        o += k.desc ? " DESC NULLS LAST" : " ASC";
    }
    return " ORDER BY " + o + (o.empty() ? "" : ", ") + "rowid";
}

int Table::compareRecords(const Record& a, const Record& b) const {
    for (auto& k : order_) {
        const Value& x = a.values[k.field];
        const Value& y = b.values[k.field];
        int c;
        if (k.desc) {
            // Descending with empty values last.
            if (x.isNull() || y.isNull())
                c = x.isNull() == y.isNull() ? 0 : (x.isNull() ? 1 : -1);
            else
                c = -compareValues(x, y);
        } else {
            c = compareValues(x, y);
        }
        if (c) return c;
    }
    return a.rowid < b.rowid ? -1 : (a.rowid > b.rowid ? 1 : 0);
}

void Table::SetIndexName(const std::string& index) {
    std::string old = indexName_;
    indexName_ = index;
    try {
        resolveOrder();
    } catch (...) {
        indexName_ = old;
        resolveOrder();
        throw;
    }
    if (!active_) return;
    checkBrowseMode();
    ensureLoaded();
    std::int64_t rowid = current() ? current()->rowid : 0;
    std::stable_sort(records_.begin(), records_.end(),
                     [&](const Record& a, const Record& b) { return compareRecords(a, b) < 0; });
    auto it =
        std::find_if(records_.begin(), records_.end(), [&](const Record& r) { return r.rowid == rowid; });
    pos_ = it == records_.end() ? (records_.empty() ? -1 : 0) : static_cast<int>(it - records_.begin());
    notify(DataEvent::Changed);
}

bool Table::restricted() const {
    return master_ && master_->Data() && !masterFields_.empty() && !detailFields_.empty();
}

std::vector<Value> Table::masterValues() const {
    std::vector<Value> v;
    DataSet* m = master_->Data();
    for (auto& f : masterFields_) {
        if (!m->Active())
            v.push_back(Value());
        else
            v.push_back(m->FieldByName(f).AsValue());
    }
    return v;
}

bool Table::matchesRestriction(const Record& r) const {
    if (!restricted()) return true;
    for (size_t i = 0; i < detailFields_.size(); ++i) {
        const Value& mv = lastMasterValues_[i];
        if (mv.isNull() || !(r.values[detailFields_[i]] == mv)) return false;
    }
    return true;
}

void Table::SetMaster(DataSource* master, const std::string& masterFields, const std::string& detailFields) {
    if (master_) {
        auto& v = master_->details_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    auto mf = splitList(masterFields);
    auto df = splitList(detailFields);
    if (mf.size() != df.size())
        throw StoreError("Die Verknüpfung von '" + name_ + "' nennt ungleich viele Felder.");
    master_ = master;
    masterFields_ = mf;
    detailFields_.clear();
    for (auto& f : df) {
        int i = def_->fieldIndex(f);
        if (i < 0) throw StoreError("Feld '" + f + "' nicht gefunden in '" + name_ + "'.");
        detailFields_.push_back(i);
    }
    if (master_) master_->details_.push_back(this);
    if (active_) {
        checkBrowseMode();
        load(false);
        notify(DataEvent::Opened);
    }
}

void Table::verifyTable() {
    if (verified_) return;
    Statement st(db_.handle(), "PRAGMA table_info(" + quoteIdent(tableName_) + ")");
    std::vector<std::string> cols;
    while (st.step()) cols.push_back(lowerName(st.columnText(1)));
    if (cols.empty())
        throw StoreError("In der Datenbank '" + db_.Location() + "' fehlt die Tabelle '" + tableName_ + "'.");
    for (int i = 0; i < storedCount_; ++i)
        if (std::find(cols.begin(), cols.end(), lowerNames_[i]) == cols.end())
            throw StoreError("In der Datenbank '" + db_.Location() + "' fehlt das Feld '" + fields_[i].name +
                             "' der Tabelle '" + tableName_ + "'.");
    verified_ = true;
}

void Table::Open() {
    if (active_) return;
    if (!db_.Connected()) throw StoreError("Die Datenbank '" + db_.Location() + "' ist nicht verbunden.");
    verified_ = false;
    verifyTable();
    active_ = true;
    state_ = DataSetState::Browse;
    try {
        load(false);
    } catch (...) {
        active_ = false;
        state_ = DataSetState::Inactive;
        throw;
    }
    notify(DataEvent::Opened);
}

void Table::load(bool keepPosition) {
    stale_ = false;
    std::int64_t rowid = 0;
    if (keepPosition && pos_ >= 0 && pos_ < static_cast<int>(records_.size())) rowid = records_[pos_].rowid;
    std::string sql = "SELECT rowid";
    for (int i = 0; i < storedCount_; ++i) sql += ", " + quoteIdent(fields_[i].name);
    sql += " FROM " + quoteIdent(tableName_);
    std::vector<Value> mv;
    if (restricted()) {
        mv = masterValues();
        lastMasterValues_ = mv;
        sql += " WHERE ";
        for (size_t i = 0; i < detailFields_.size(); ++i)
            sql += (i ? " AND " : "") + quoteIdent(fields_[detailFields_[i]].name) + " = ?";
    }
    sql += orderClause();
    std::vector<Record> recs;
    bool anyNull = std::any_of(mv.begin(), mv.end(), [](const Value& v) { return v.isNull(); });
    if (!anyNull) {
        Statement st(db_.handle(), sql, errorText());
        for (size_t i = 0; i < mv.size(); ++i) st.bind(static_cast<int>(i + 1), mv[i]);
        while (st.step()) {
            Record r;
            r.rowid = st.columnInt(0);
            r.values.reserve(fields_.size());
            for (int i = 0; i < storedCount_; ++i)
                r.values.push_back(columnValue(st, i + 1, fields_[i].type));
            recs.push_back(std::move(r));
        }
    }
    setRecords(std::move(recs), keepPosition, rowid);
}

void Table::ensureLoaded() {
    if (active_ && stale_) load(false);
}

void Table::masterChanged(DataEvent e, const Field* f) {
    if (!active_ || !restricted()) return;
    if (e == DataEvent::Closed) return;
    if (e == DataEvent::FieldChanged && f) {
        std::string l = lowerName(f->FieldName());
        bool isMaster = std::any_of(masterFields_.begin(), masterFields_.end(),
                                    [&](const std::string& m) { return lowerName(m) == l; });
        if (!isMaster) return;
    }
    bool reread = e == DataEvent::Opened || e == DataEvent::Refreshed;
    if (!reread) {
        auto mv = masterValues();
        if (mv.size() == lastMasterValues_.size() &&
            std::equal(mv.begin(), mv.end(), lastMasterValues_.begin(), [](const Value& a, const Value& b) {
                return (a.isNull() && b.isNull()) || (!a.isNull() && !b.isNull() && a == b);
            }))
            return;
    }
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) postPending();
    // Nobody watches this cursor: read its records when they are next needed.
    bool watched =
        std::any_of(sources_.begin(), sources_.end(), [](DataSource* s) { return s->hasListeners(); });
    if (!watched) {
        lastMasterValues_ = masterValues();
        stale_ = true;
        pos_ = -1;
        return;
    }
    load(false);
    notify(DataEvent::Opened);
}

void Table::fieldChanged(int index) {
    DataSet::fieldChanged(index);
}

void Table::Edit() {
    checkActive();
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) return;
    Record* r = current();
    if (!r) {
        Append();
        return;
    }
    buffer_ = *r;
    buffer_.values.resize(fields_.size());
    state_ = DataSetState::Edit;
    notify(DataEvent::StateChanged);
}

void Table::Append() {
    checkActive();
    checkBrowseMode();
    ensureLoaded();
    buffer_ = Record{};
    buffer_.values.assign(fields_.size(), Value());
    if (restricted()) {
        auto mv = masterValues();
        for (size_t i = 0; i < detailFields_.size(); ++i) buffer_.values[detailFields_[i]] = mv[i];
    }
    applyCalc(buffer_);
    state_ = DataSetState::Insert;
    notify(DataEvent::StateChanged);
}

void Table::Cancel() {
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) return;
    state_ = DataSetState::Browse;
    notify(DataEvent::Changed);
}

void Table::checkRequired(const Record& r) const {
    for (int i = 0; i < storedCount_; ++i)
        if (fields_[i].required && r.values[i].isNull())
            throw StoreError("Das Feld '" + fields_[i].name + "' muss einen Wert haben.");
}

void Table::postPending() {
    Post();
}

void Table::PostIfEditing() {
    if (state_ == DataSetState::Edit) Post();
}

void Table::Post() {
    checkActive();
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) return;
    notifyUpdateData();
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) return;
    if (BeforePost) BeforePost(*this);
    checkRequired(buffer_);
    bool isNew = state_ == DataSetState::Insert;
    sqlite3* db = db_.handle();
    if (!db) throw StoreError("Die Datenbank '" + db_.Location() + "' ist nicht verbunden.");
    // The two write statements are prepared once per opening of the cursor.
    std::unique_ptr<Statement>& st = isNew ? insertStmt_ : updateStmt_;
    if (!st) {
        std::string sql;
        if (isNew) {
            sql = "INSERT INTO " + quoteIdent(tableName_) + " (";
            std::string q;
            for (int i = 0; i < storedCount_; ++i) {
                sql += (i ? ", " : "") + quoteIdent(fields_[i].name);
                q += i ? ", ?" : "?";
            }
            sql += ") VALUES (" + q + ")";
        } else {
            sql = "UPDATE " + quoteIdent(tableName_) + " SET ";
            for (int i = 0; i < storedCount_; ++i)
                sql += (i ? ", " : "") + quoteIdent(fields_[i].name) + " = ?";
            sql += " WHERE rowid = ?";
        }
        st = std::make_unique<Statement>(db, sql, errorText());
    }
    for (int i = 0; i < storedCount_; ++i) st->bind(i + 1, buffer_.values[i]);
    if (!isNew) st->bindInt(storedCount_ + 1, buffer_.rowid);
    st->run();
    if (isNew) buffer_.rowid = sqlite3_last_insert_rowid(db);
    state_ = DataSetState::Browse;
    placeRecord(std::move(buffer_), isNew);
    buffer_ = Record{};
    notify(DataEvent::Changed);
}

void Table::placeRecord(Record rec, bool isNew) {
    ensureLoaded();
    rec.values.resize(fields_.size());
    applyCalc(rec);
    if (!isNew) {
        int p = -1;
        if (pos_ >= 0 && pos_ < static_cast<int>(records_.size()) && records_[pos_].rowid == rec.rowid)
            p = pos_;
        else {
            auto it = std::find_if(records_.begin(), records_.end(),
                                   [&](const Record& r) { return r.rowid == rec.rowid; });
            if (it != records_.end()) p = static_cast<int>(it - records_.begin());
        }
        // A record whose place in the order did not change stays where it is.
        if (p >= 0 && matchesRestriction(rec) && acceptFilter(rec) &&
            (p == 0 || compareRecords(records_[p - 1], rec) < 0) &&
            (p + 1 == static_cast<int>(records_.size()) || compareRecords(rec, records_[p + 1]) < 0)) {
            records_[p] = std::move(rec);
            pos_ = p;
            bof_ = eof_ = false;
            return;
        }
        if (p >= 0) records_.erase(records_.begin() + p);
    }
    if (!matchesRestriction(rec) || !acceptFilter(rec)) {
        // The record left this cursor's view; stay near where it was.
        if (records_.empty())
            pos_ = -1;
        else
            pos_ = std::clamp(pos_, 0, static_cast<int>(records_.size()) - 1);
        bof_ = eof_ = records_.empty();
        return;
    }
    auto at = std::upper_bound(records_.begin(), records_.end(), rec,
                               [&](const Record& a, const Record& b) { return compareRecords(a, b) < 0; });
    at = records_.insert(at, std::move(rec));
    pos_ = static_cast<int>(at - records_.begin());
    bof_ = eof_ = false;
}

void Table::AppendRecord(const std::vector<Value>& values) {
    checkActive();
    checkBrowseMode();
    Append();
    try {
        for (size_t i = 0; i < values.size() && static_cast<int>(i) < storedCount_; ++i)
            if (!values[i].isKeep()) writeValue(static_cast<int>(i), values[i]);
        Post();
    } catch (...) {
        state_ = DataSetState::Browse;
        throw;
    }
}

void Table::SetFields(const std::vector<Value>& values) {
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
        throw StoreError("Die Tabelle '" + name_ + "' ist nicht im Bearbeitungsmodus.");
    for (size_t i = 0; i < values.size() && static_cast<int>(i) < storedCount_; ++i)
        if (!values[i].isKeep()) writeValue(static_cast<int>(i), values[i]);
}

void Table::Delete() {
    checkActive();
    if (state_ == DataSetState::Insert) {
        Cancel();
        return;
    }
    if (state_ == DataSetState::Edit) state_ = DataSetState::Browse;
    Record* r = current();
    if (!r) throw StoreError("In der leeren Tabelle '" + name_ + "' kann nichts gelöscht werden.");
    {
        Statement st(db_.handle(), "DELETE FROM " + quoteIdent(tableName_) + " WHERE rowid = ?", errorText());
        st.bindInt(1, r->rowid);
        st.run();
    }
    records_.erase(records_.begin() + pos_);
    if (pos_ >= static_cast<int>(records_.size())) pos_ = static_cast<int>(records_.size()) - 1;
    bof_ = eof_ = records_.empty();
    notify(DataEvent::Changed);
}

void Table::EmptyTable() {
    if (!db_.Connected()) throw StoreError("Die Datenbank '" + db_.Location() + "' ist nicht verbunden.");
    verifyTable();
    Statement(db_.handle(), "DELETE FROM " + quoteIdent(tableName_), errorText()).run();
    if (active_) {
        state_ = DataSetState::Browse;
        load(false);
        notify(DataEvent::Refreshed);
    }
}

void Table::Refresh() {
    checkActive();
    checkBrowseMode();
    load(true);
    notify(DataEvent::Refreshed);
}

} // namespace pyra::store
