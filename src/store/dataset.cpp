#include "store/store.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pyra::store {

namespace {
const Value kNull;

std::vector<std::string> splitFields(const std::string& list) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : list) {
        if (c == ';') {
            out.push_back(cur);
            cur.clear();
        } else if (c != ' ') {
            cur += c;
        }
    }
    if (!cur.empty() || !out.empty()) out.push_back(cur);
    return out;
}
} // namespace

// ---------------------------------------------------------------------------------------------
// DataSource

DataSource::DataSource(std::string name, DataSet* ds) : name_(std::move(name)) {
    SetDataSet(ds);
}

DataSource::~DataSource() {
    SetDataSet(nullptr);
    for (auto* t : std::vector<Table*>(details_)) t->SetMaster(nullptr, "", "");
}

void DataSource::SetDataSet(DataSet* ds) {
    if (dataSet_ == ds) return;
    if (dataSet_) {
        auto& v = dataSet_->sources_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    dataSet_ = ds;
    if (ds) ds->sources_.push_back(this);
}

int DataSource::addListener(Listener l) {
    int id = nextId_++;
    listeners_[id] = std::move(l);
    return id;
}

void DataSource::removeListener(int id) {
    listeners_.erase(id);
}

bool DataSource::hasListeners() const {
    return OnDataChange || !listeners_.empty() || !details_.empty();
}

void DataSource::raiseDataChange(DataEvent e, const Field* f) {
    for (auto* t : std::vector<Table*>(details_)) t->masterChanged(e, f);
    if (OnDataChange) OnDataChange(*this, e, f);
    auto copy = listeners_;
    for (auto& [id, l] : copy)
        if (listeners_.count(id) && l.dataChange) l.dataChange(*this, e, f);
}

void DataSource::raiseUpdateData() {
    auto copy = listeners_;
    for (auto& [id, l] : copy)
        if (listeners_.count(id) && l.updateData) l.updateData(*this);
    if (OnUpdateData) OnUpdateData(*this);
}

// ---------------------------------------------------------------------------------------------
// Field

const std::string& Field::FieldName() const {
    return ds_->fields_.at(index_).name;
}
FieldType Field::DataType() const {
    return ds_->fields_.at(index_).type;
}
bool Field::Calculated() const {
    return DataType() == FieldType::Calc;
}
bool Field::IsNull() const {
    return ds_->readValue(index_).isNull();
}
std::int64_t Field::AsInteger() const {
    return ds_->readValue(index_).asInt();
}
double Field::AsFloat() const {
    return ds_->readValue(index_).asFloat();
}
std::string Field::AsString() const {
    return ds_->readValue(index_).asString();
}
Value Field::AsValue() const {
    return ds_->readValue(index_);
}
void Field::SetInteger(std::int64_t v) {
    ds_->writeValue(index_, Value(static_cast<long long>(v)));
}
void Field::SetFloat(double v) {
    ds_->writeValue(index_, Value(v));
}
void Field::SetString(const std::string& s) {
    ds_->writeValue(index_, Value(s));
}
void Field::SetValue(const Value& v) {
    ds_->writeValue(index_, v);
}
void Field::Clear() {
    ds_->writeValue(index_, Value());
}

// ---------------------------------------------------------------------------------------------
// DataSet

DataSet::DataSet(Database& db, std::string name) : db_(db), name_(std::move(name)) {
    db_.attach(this);
}

DataSet::~DataSet() {
    for (auto* s : std::vector<DataSource*>(sources_)) s->SetDataSet(nullptr);
    db_.detach(this);
}

void DataSet::checkActive() const {
    if (!active_) throw StoreError("Die Tabelle '" + name_ + "' ist nicht geöffnet.");
}

void DataSet::checkBrowseMode() {
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) postPending();
}

void DataSet::Close() {
    if (!active_) return;
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) {
        // Never lose typed input: a pending edit is written; one that cannot be written is dropped.
        try {
            postPending();
        } catch (const StoreError&) {
            state_ = DataSetState::Browse;
        }
    }
    active_ = false;
    state_ = DataSetState::Inactive;
    closeCursor();
    records_.clear();
    pos_ = -1;
    bof_ = eof_ = true;
    notify(DataEvent::Closed);
}

DataSet::Record* DataSet::current() {
    ensureLoaded();
    if (pos_ < 0 || pos_ >= static_cast<int>(records_.size())) return nullptr;
    return &records_[pos_];
}

const Value& DataSet::readValue(int index) {
    if (index < 0 || index >= static_cast<int>(fields_.size()))
        throw StoreError("Ungültige Feldnummer in '" + name_ + "'.");
    if (calcTarget_) return calcTarget_->values[index];
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) return buffer_.values[index];
    Record* r = current();
    return r ? r->values[index] : kNull;
}

Value DataSet::convertForField(int index, const Value& v) const {
    const FieldDef& f = fields_[index];
    if (v.isNull() || v.isKeep()) return v;
    auto outOfRange = [&](const std::string& text, long long lo, long long hi) {
        return StoreError("Der Wert " + text + " liegt außerhalb des Bereichs des Feldes '" + f.name + "' (" +
                          std::to_string(lo) + " bis " + std::to_string(hi) + ").");
    };
    switch (f.type) {
    case FieldType::SmallInt:
    case FieldType::Integer: {
        long long lo = f.type == FieldType::SmallInt ? -32768 : std::numeric_limits<std::int32_t>::min();
        long long hi = f.type == FieldType::SmallInt ? 32767 : std::numeric_limits<std::int32_t>::max();
        std::int64_t n = 0;
        if (v.isString()) {
            std::string s = v.asString();
            if (s.find_first_not_of(" \t") == std::string::npos) return Value();
            if (!parseInteger(s, n))
                throw StoreError("'" + s + "' ist keine gültige ganze Zahl für das Feld '" + f.name + "'.");
            if (n < lo || n > hi) throw outOfRange(s, lo, hi);
            return Value(static_cast<long long>(n));
        }
        if (v.isFloat()) {
            double d = v.asFloat();
            if (!std::isfinite(d) || d < lo - 0.5 || d > hi + 0.5) throw outOfRange(v.asString(), lo, hi);
            return Value(static_cast<long long>(std::llround(d)));
        }
        n = v.asInt();
        if (n < lo || n > hi) throw outOfRange(std::to_string(n), lo, hi);
        return Value(static_cast<long long>(n));
    }
    case FieldType::Float: {
        if (v.isString()) {
            std::string s = v.asString();
            if (s.find_first_not_of(" \t") == std::string::npos) return Value();
            double d = 0;
            if (!parseFloat(s, d))
                throw StoreError("'" + s + "' ist keine gültige Zahl für das Feld '" + f.name + "'.");
            return Value(d);
        }
        double d = v.asFloat();
        if (!std::isfinite(d)) throw StoreError("Ungültiger Zahlenwert für das Feld '" + f.name + "'.");
        return Value(d);
    }
    case FieldType::String: {
        std::string s = v.asString();
        // Count characters, not bytes: German umlauts take two bytes in UTF-8.
        int chars = 0;
        for (unsigned char c : s)
            if ((c & 0xC0) != 0x80) ++chars;
        if (f.size > 0 && chars > f.size)
            throw StoreError("Der Text '" + s + "' ist zu lang für das Feld '" + f.name + "' (höchstens " +
                             std::to_string(f.size) + " Zeichen).");
        return Value(s);
    }
    case FieldType::Memo:
    case FieldType::Calc:
        return Value(v.asString());
    }
    return v;
}

void DataSet::writeValue(int index, const Value& v) {
    if (index < 0 || index >= static_cast<int>(fields_.size()))
        throw StoreError("Ungültige Feldnummer in '" + name_ + "'.");
    if (calcTarget_) {
        if (fields_[index].type != FieldType::Calc)
            throw StoreError("Feld '" + fields_[index].name + "' kann hier nicht geändert werden.");
        calcTarget_->values[index] = convertForField(index, v);
        return;
    }
    if (!editable() || (state_ != DataSetState::Edit && state_ != DataSetState::Insert))
        throw StoreError("Die Tabelle '" + name_ + "' ist nicht im Bearbeitungsmodus.");
    if (fields_[index].type == FieldType::Calc)
        throw StoreError("Das berechnete Feld '" + fields_[index].name + "' kann nicht geändert werden.");
    Value nv = convertForField(index, v);
    Value& slot = buffer_.values[index];
    bool same = (slot.isNull() && nv.isNull()) ||
                (!slot.isNull() && !nv.isNull() && slot == nv && slot.isString() == nv.isString());
    slot = nv;
    if (!same) {
        applyCalc(buffer_);
        fieldChanged(index);
    }
}

void DataSet::fieldChanged(int index) {
    Field f(this, index);
    notify(DataEvent::FieldChanged, &f);
}

void DataSet::applyCalc(Record& r) {
    if (!OnCalcFields) return;
    bool any = false;
    for (size_t i = storedCount_; i < fields_.size(); ++i) {
        r.values[i] = Value();
        any = true;
    }
    if (!any) return;
    Record* saved = calcTarget_;
    calcTarget_ = &r;
    try {
        OnCalcFields(*this);
    } catch (...) {
        calcTarget_ = saved;
        throw;
    }
    calcTarget_ = saved;
}

bool DataSet::acceptFilter(Record& r) {
    if (!Filtered || !OnFilterRecord) return true;
    Record* saved = calcTarget_;
    calcTarget_ = &r;
    bool ok = false;
    try {
        ok = OnFilterRecord(*this);
    } catch (...) {
        calcTarget_ = saved;
        throw;
    }
    calcTarget_ = saved;
    return ok;
}

void DataSet::setRecords(std::vector<Record> recs, bool keepPosition, std::int64_t keepRowid) {
    int oldPos = pos_;
    records_.clear();
    records_.reserve(recs.size());
    for (auto& r : recs) {
        r.values.resize(fields_.size());
        applyCalc(r);
        if (acceptFilter(r)) records_.push_back(std::move(r));
    }
    pos_ = records_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = records_.empty();
    if (keepPosition && !records_.empty()) {
        auto it = std::find_if(records_.begin(), records_.end(),
                               [&](const Record& r) { return r.rowid == keepRowid; });
        if (it != records_.end())
            pos_ = static_cast<int>(it - records_.begin());
        else
            pos_ = std::clamp(oldPos, 0, static_cast<int>(records_.size()) - 1);
        bof_ = eof_ = false;
    }
}

void DataSet::notify(DataEvent e, const Field* f) {
    if (disableCount_ > 0) {
        changedWhileDisabled_ = true;
        return;
    }
    for (auto* s : std::vector<DataSource*>(sources_)) s->raiseDataChange(e, f);
}

void DataSet::notifyUpdateData() {
    for (auto* s : std::vector<DataSource*>(sources_)) s->raiseUpdateData();
}

void DataSet::First() {
    checkActive();
    checkBrowseMode();
    ensureLoaded();
    pos_ = records_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = records_.empty();
    notify(DataEvent::Scrolled);
}

void DataSet::Last() {
    checkActive();
    checkBrowseMode();
    ensureLoaded();
    pos_ = static_cast<int>(records_.size()) - 1;
    eof_ = true;
    bof_ = records_.empty();
    notify(DataEvent::Scrolled);
}

void DataSet::Next() {
    checkActive();
    checkBrowseMode();
    ensureLoaded();
    if (pos_ + 1 < static_cast<int>(records_.size())) {
        ++pos_;
        bof_ = eof_ = false;
        notify(DataEvent::Scrolled);
    } else {
        eof_ = true;
    }
}

void DataSet::Prior() {
    checkActive();
    checkBrowseMode();
    ensureLoaded();
    if (pos_ > 0) {
        --pos_;
        bof_ = eof_ = false;
        notify(DataEvent::Scrolled);
    } else {
        bof_ = true;
    }
}

bool DataSet::Eof() const {
    const_cast<DataSet*>(this)->ensureLoaded();
    return !active_ || eof_ || records_.empty();
}

bool DataSet::Bof() const {
    const_cast<DataSet*>(this)->ensureLoaded();
    return !active_ || bof_ || records_.empty();
}

int DataSet::RecordCount() {
    if (!active_) return 0;
    ensureLoaded();
    return static_cast<int>(records_.size());
}

int DataSet::RecNo() {
    if (!active_) return 0;
    ensureLoaded();
    return pos_ + 1;
}

bool DataSet::HasField(const std::string& name) const {
    std::string l = lowerName(name);
    return std::find(lowerNames_.begin(), lowerNames_.end(), l) != lowerNames_.end();
}

Field DataSet::FieldByName(const std::string& name) {
    std::string l = lowerName(name);
    auto it = std::find(lowerNames_.begin(), lowerNames_.end(), l);
    if (it == lowerNames_.end()) throw StoreError("Feld '" + name + "' nicht gefunden in '" + name_ + "'.");
    return Field(this, static_cast<int>(it - lowerNames_.begin()));
}

bool DataSet::Locate(const std::string& fieldList, const std::vector<Value>& values) {
    checkActive();
    checkBrowseMode();
    ensureLoaded();
    auto names = splitFields(fieldList);
    if (names.size() != values.size())
        throw StoreError("Locate: " + std::to_string(names.size()) + " Felder, aber " +
                         std::to_string(values.size()) + " Werte.");
    std::vector<int> idx;
    for (auto& n : names) idx.push_back(FieldByName(n).Index());
    for (size_t r = 0; r < records_.size(); ++r) {
        bool match = true;
        for (size_t k = 0; k < idx.size() && match; ++k) match = records_[r].values[idx[k]] == values[k];
        if (match) {
            pos_ = static_cast<int>(r);
            bof_ = eof_ = false;
            notify(DataEvent::Scrolled);
            return true;
        }
    }
    return false;
}

void DataSet::DisableControls() {
    ++disableCount_;
}

void DataSet::EnableControls() {
    if (disableCount_ == 0) return;
    if (--disableCount_ == 0) {
        changedWhileDisabled_ = false;
        notify(DataEvent::Changed);
    }
}

} // namespace pyra::store
