#pragma once

// The table store: databases opened at a location, cursors over their tables (restricted,
// ordered, filtered), field access by type, record editing, parameterised queries and change
// notifications. Everything runs on one thread.
//
// Who talks to SQLite directly: the store itself, and three places that work on a file the store
// does not hold open, or in bulk that cursors would make slow. Each of them goes through
// store::Statement (store/statement.h), never through a statement handle of its own:
//  - data/standarddatenbank.cpp fills a new default database under a temporary name in one
//    transaction, before any cursor opens it;
//  - stats/standardanalyse_store.cpp writes the analysis values into that new file, as the last
//    step of its creation;
//  - maintenance/updatepruefung.cpp checks a downloaded update file read only, before the store
//    may open it (the merge itself runs through cursors), and maintenance/aktualisierung.cpp
//    reads the number ranges for that check over the open connection.
// Everything else uses cursors and queries.

#include "store/schema.h"
#include "store/value.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace pyra::store {

class DataSet;
class DataSource;
class Statement;
class Table;

// ---------------------------------------------------------------------------------------------
// Database: one SQLite file at Location, opened read-write and shared.
class Database {
  public:
    explicit Database(std::string name = {});
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Location() const { return location_; }
    void SetLocation(const std::string& path); // only while not connected
    bool Connected() const { return db_ != nullptr; }
    void SetConnected(bool on);
    void RefreshDataSets();

    sqlite3* handle() const { return db_; }

    // Groups many posts into one commit (bulk work). Nested use is allowed; only the outermost
    // commits. Destroyed without Commit(): everything since the outermost begin is rolled back.
    class Transaction {
      public:
        explicit Transaction(Database& db);
        ~Transaction();
        void Commit();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

      private:
        Database& db_;
        bool done_ = false;
    };

    // Runs one SQL statement without result; throws StoreError on failure.
    void exec(const std::string& sql);

    // Creates a new database file with the given schema (neither the file nor its side files may
    // exist). name: the file named in a message when it is not path (a file made under a
    // temporary name).
    static void createFile(const std::string& path, const std::vector<TableDef>& schema,
                           const std::string& name = {});

  private:
    friend class DataSet;
    friend class Table;
    void attach(DataSet* ds);
    void detach(DataSet* ds);

    std::string name_;
    std::string location_;
    sqlite3* db_ = nullptr;
    std::vector<DataSet*> dataSets_;
    int txDepth_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Field: a view of one field of a cursor's current record (or of the record being calculated).
class Field {
  public:
    Field(DataSet* ds, int index) : ds_(ds), index_(index) {}

    const std::string& FieldName() const;
    FieldType DataType() const;
    bool Calculated() const;
    int Index() const { return index_; }

    bool IsNull() const;
    std::int64_t AsInteger() const; // null reads 0
    double AsFloat() const;         // null reads 0.0
    std::string AsString() const;   // null reads ""
    Value AsValue() const;

    // Assigning needs the cursor in edit or insert state (calculated fields: only inside
    // OnCalcFields). A text assigned to a number field must be a number in range.
    void SetInteger(std::int64_t v);
    void SetFloat(double v);
    void SetString(const std::string& s);
    void SetValue(const Value& v);
    void Clear();

  private:
    DataSet* ds_;
    int index_;
};

// ---------------------------------------------------------------------------------------------
// Notification source of a cursor.
enum class DataEvent {
    Opened,       // cursor opened or its restriction re-evaluated
    Refreshed,    // records re-read
    Scrolled,     // moved to another record
    FieldChanged, // a field of the current record changed
    StateChanged, // edit or insert began, or ended with Post
    Changed,      // many changes at once (EnableControls, Delete, Post that moved the record)
    Closed
};

class DataSource {
  public:
    explicit DataSource(std::string name = {}, DataSet* ds = nullptr);
    ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    const std::string& Name() const { return name_; }
    DataSet* Data() const { return dataSet_; }
    void SetDataSet(DataSet* ds);

    // The handlers of the data module. field is the changed field for FieldChanged, else null.
    std::function<void(DataSource&, DataEvent, const Field* field)> OnDataChange;
    std::function<void(DataSource&)> OnUpdateData;

    // Further listeners (bound controls). Returns an id for removeListener.
    struct Listener {
        std::function<void(DataSource&, DataEvent, const Field*)> dataChange;
        std::function<void(DataSource&)> updateData;
    };
    int addListener(Listener l);
    void removeListener(int id);
    bool hasListeners() const;

  private:
    friend class DataSet;
    friend class Table;
    void raiseDataChange(DataEvent e, const Field* f);
    void raiseUpdateData();

    std::string name_;
    DataSet* dataSet_ = nullptr;
    std::map<int, Listener> listeners_;
    int nextId_ = 1;
    std::vector<Table*> details_; // cursors restricted to this source
};

// ---------------------------------------------------------------------------------------------
enum class DataSetState { Inactive, Browse, Edit, Insert, CalcFields };

// Common part of tables and queries: records held in memory in the cursor's order, navigation,
// Locate, field access, calculated fields, filter.
class DataSet {
  public:
    DataSet(Database& db, std::string name);
    virtual ~DataSet();
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    const std::string& Name() const { return name_; }
    Database& database() const { return db_; }

    virtual void Open() = 0;
    void Close();
    bool Active() const { return active_; }
    DataSetState State() const { return state_; }

    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const;
    bool Bof() const;
    int RecordCount();
    int RecNo(); // 1-based position of the current record, 0 when empty

    // fields: names separated by ";"; finds the first visible record whose fields equal the
    // values exactly. Moves there and returns true, else stays and returns false.
    bool Locate(const std::string& fields, const std::vector<Value>& values);

    Field FieldByName(const std::string& name);
    bool HasField(const std::string& name) const;
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    Field Fields(int i) { return Field(this, i); }
    const FieldDef& fieldDef(int i) const { return fields_.at(i); }

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    bool Filtered = false;
    std::function<bool(DataSet&)> OnFilterRecord;
    std::function<void(DataSet&)> OnCalcFields;

    // Notification sources attached to this cursor (DataSource::SetDataSet registers them).
    const std::vector<DataSource*>& sources() const { return sources_; }

  protected:
    friend class Field;
    friend class DataSource;
    friend class Database;

    virtual void refreshAll() = 0; // re-reads the records (RefreshDataSets)
    void checkBrowseMode();        // posts a pending edit or insert

    struct Record {
        std::int64_t rowid = 0;
        std::vector<Value> values;
    };

    // Loads every record (already restricted and ordered by the subclass).
    void setRecords(std::vector<Record> recs, bool keepPosition, std::int64_t keepRowid);
    void applyCalc(Record& r);
    bool acceptFilter(Record& r);
    void notify(DataEvent e, const Field* f = nullptr);
    void notifyUpdateData();
    virtual void ensureLoaded() {}
    virtual void fieldChanged(int index);
    virtual bool editable() const { return false; }
    void checkActive() const;
    Record* current();
    const Value& readValue(int index);
    void writeValue(int index, const Value& v);
    virtual void postPending() {}
    virtual void closeCursor() {} // releases what an open cursor holds
    Value convertForField(int index, const Value& v) const;

    Database& db_;
    std::string name_;
    std::vector<FieldDef> fields_;
    std::vector<std::string> lowerNames_;
    int storedCount_ = 0;
    std::vector<Record> records_;
    int pos_ = -1;
    bool bof_ = true, eof_ = true;
    bool active_ = false;
    DataSetState state_ = DataSetState::Inactive;
    Record buffer_; // record being edited or inserted
    Record* calcTarget_ = nullptr;
    int disableCount_ = 0;
    bool changedWhileDisabled_ = false;
    std::vector<DataSource*> sources_;
};

// ---------------------------------------------------------------------------------------------
// Cursor over one table.
class Table : public DataSet {
  public:
    Table(Database& db, std::string name, std::string tableName);
    ~Table() override;

    const std::string& TableName() const { return tableName_; }
    const TableDef& definition() const { return *def_; }

    void Open() override;

    const std::string& IndexName() const { return indexName_; }
    void SetIndexName(const std::string& index); // restriction and filter stay in force

    // Restriction: records whose detail fields equal the master fields of the master source's
    // current record. A source without data set or empty field lists lifts it.
    void SetMaster(DataSource* master, const std::string& masterFields, const std::string& detailFields);
    DataSource* MasterSource() const { return master_; }

    void Edit();
    void Append(); // begins a new record (insert state); restriction fields come from the master
    void Post();
    void PostIfEditing();
    void Cancel(); // drops a pending edit or insert (used by controls, never by the core)
    void AppendRecord(const std::vector<Value>& values);
    void SetFields(const std::vector<Value>& values);
    void Delete();
    void EmptyTable();
    void Refresh();

    std::function<void(Table&)> BeforePost;

  protected:
    bool editable() const override { return true; }
    void refreshAll() override { Refresh(); }
    void ensureLoaded() override;
    void fieldChanged(int index) override;
    void postPending() override;
    void closeCursor() override;

  private:
    friend class DataSource;
    void load(bool keepPosition);
    void masterChanged(DataEvent e, const Field* f);
    std::vector<Value> masterValues() const;
    bool restricted() const;
    bool matchesRestriction(const Record& r) const;
    int compareRecords(const Record& a, const Record& b) const;
    void placeRecord(Record rec, bool isNew);
    std::string orderClause() const;
    void resolveOrder();
    void checkRequired(const Record& r) const;
    void verifyTable();

    std::string tableName_;
    const TableDef* def_ = nullptr;
    std::string indexName_;
    struct OrderKey {
        int field;
        bool desc;
    };
    std::vector<OrderKey> order_;
    DataSource* master_ = nullptr;
    std::vector<std::string> masterFields_;
    std::vector<int> detailFields_;
    std::vector<Value> lastMasterValues_;
    bool stale_ = false;
    bool verified_ = false;
    std::unique_ptr<Statement> insertStmt_;
    std::unique_ptr<Statement> updateStmt_;
    void finalizeStatements();
    std::function<std::string(sqlite3*)> errorText() const; // words a failure for this table
};

// ---------------------------------------------------------------------------------------------
// Parameterised SELECT whose result is navigated like a cursor (read only).
class Query : public DataSet {
  public:
    Query(Database& db, std::string name, std::string sql);

    const std::string& SQL() const { return sql_; }
    void SetSQL(const std::string& sql);
    Value& ParamByName(const std::string& name);
    void Open() override;

  protected:
    void refreshAll() override;

  private:
    std::string sql_;
    std::map<std::string, Value> params_;
};

} // namespace pyra::store
