#include "store/sqlite_util.h"
#include "store/statement.h"
#include "store/store.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace pyra::store {

namespace {

std::string errText(sqlite3* db) {
    return db ? sqlite3_errmsg(db) : "unbekannter Fehler";
}

// Runs a statement; returns the SQLite result code.
int run(sqlite3* db, const std::string& sql, std::string* err = nullptr) {
    char* msg = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &msg);
    if (rc != SQLITE_OK && err) *err = msg ? msg : errText(db);
    sqlite3_free(msg);
    return rc;
}

} // namespace

Database::Database(std::string name) : name_(std::move(name)) {}

Database::~Database() {
    try {
        SetConnected(false);
    } catch (...) {
        // Nothing can be reported from a destructor; the file stays as SQLite left it.
    }
}

void Database::SetLocation(const std::string& path) {
    if (Connected()) throw StoreError("Der Ort einer verbundenen Datenbank kann nicht geändert werden.");
    location_ = path;
}

void Database::SetConnected(bool on) {
    if (on == Connected()) return;
    if (!on) {
        for (auto* ds : std::vector<DataSet*>(dataSets_))
            if (ds->Active()) ds->Close();
        while (txDepth_ > 0) {
            run(db_, "ROLLBACK");
            txDepth_ = 0;
        }
        // Fold the write-ahead log back into the file so the database stands alone at rest.
        run(db_, "PRAGMA wal_checkpoint(TRUNCATE)");
        sqlite3_close_v2(db_);
        db_ = nullptr;
        return;
    }
    const std::string& path = location_;
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec))
        throw StoreError("Die Datenbankdatei '" + path + "' wurde nicht gefunden.");
    // A write-protected file is refused before SQLite sees it: SQLite would fall back to reading
    // and leave its side files (-shm, -wal) behind with the file's read-only mode, so the database
    // stayed unwritable after the user made the file writable again.
    if (::access(path.c_str(), W_OK) != 0)
        throw StoreError("Die Datenbank '" + path +
                         "' ist schreibgeschützt; das Programm braucht Schreibrechte auf die Datei.");
    // A write-protected side file makes SQLite read only as well, whatever the file's own mode.
    // An empty one holds nothing: it gets the database's mode, as SQLite itself would give it
    // (only after failing this once). Any other one is named as the file that stands in the way.
    for (const char* endung : Begleitdatei_Endungen) {
        const std::string datei = path + endung;
        if (!std::filesystem::exists(datei, ec) || ::access(datei.c_str(), W_OK) == 0) continue;
        struct stat seite {
        }, haupt{};
        if (::stat(datei.c_str(), &seite) == 0 && seite.st_size == 0 && ::stat(path.c_str(), &haupt) == 0 &&
            ::chmod(datei.c_str(), haupt.st_mode & 0777) == 0 && ::access(datei.c_str(), W_OK) == 0)
            continue;
        throw StoreError("Die Datei '" + datei +
                         "' neben der Datenbank ist schreibgeschützt; das Programm braucht Schreibrechte "
                         "auf die Datei.");
    }
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string e = errText(db);
        sqlite3_close_v2(db);
        throw StoreError("Die Datenbankdatei '" + path + "' kann nicht geöffnet werden: " + e);
    }
    auto fail = [&](const std::string& msg) {
        sqlite3_close_v2(db);
        throw StoreError(msg);
    };
    sqlite3_busy_timeout(db, 3000);
    sqlite3_extended_result_codes(db, 1);
    std::string err;
    rc = run(db, "SELECT count(*) FROM sqlite_master", &err);
    if ((rc & 0xff) == SQLITE_NOTADB || (rc & 0xff) == SQLITE_CORRUPT)
        fail("Die Datei '" + path + "' ist keine gültige Datenbank oder ist beschädigt.");
    if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED)
        fail("Die Datenbank '" + path + "' ist von einem anderen Programm gesperrt.");
    // Reading a database in WAL mode grows its -shm file, which fails on a full disk.
    if (rc != SQLITE_OK && datentraeger_voll(db)) fail(Meldung_Datentraeger_voll_Oeffnen(path));
    if (rc != SQLITE_OK) fail("Die Datenbank '" + path + "' kann nicht gelesen werden: " + err);
    if (sqlite3_db_readonly(db, "main") == 1)
        fail("Die Datenbank '" + path +
             "' ist schreibgeschützt; das Programm braucht Schreibrechte auf die Datei.");
    // The journal mode is not switched here: connecting never writes to the file. Files made by
    // this program are created in WAL mode, which SQLite keeps in the file.
    run(db, "PRAGMA synchronous=NORMAL");
    // A look at the file's structure; a damaged file is refused before anything is written. The
    // full check, because only it compares each index with its table: a file whose key index
    // misses rows passes the quick one, and posting to it then damages it further. On the
    // default database it takes about as long as the quick check.
    // A check that could not read the file says nothing about its state: only a damaged file,
    // never a full disk or a read error, is called damaged.
    const auto pruefung_gescheitert = [&path](sqlite3* c) -> std::string {
        if (datentraeger_voll(c)) return Meldung_Datentraeger_voll_Oeffnen(path);
        const int code = sqlite3_extended_errcode(c) & 0xff;
        if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
            return "Die Datei '" + path + "' ist keine gültige Datenbank oder ist beschädigt.";
        return "Die Datenbank '" + path + "' kann nicht gelesen werden: " + errText(c);
    };
    std::string result;
    bool gelesen = false;
    try {
        Statement st(db, "PRAGMA integrity_check(1)", pruefung_gescheitert);
        gelesen = st.step();
        if (gelesen) result = st.columnText(0);
    } catch (const StoreError& e) {
        fail(e.what());
    }
    if (!gelesen) fail(pruefung_gescheitert(db));
    if (result != "ok") fail("Die Datenbank '" + path + "' ist beschädigt.");
    db_ = db;
}

void Database::RefreshDataSets() {
    for (auto* ds : std::vector<DataSet*>(dataSets_))
        if (ds->Active()) ds->refreshAll();
}

void Database::exec(const std::string& sql) {
    if (!db_) throw StoreError("Die Datenbank '" + location_ + "' ist nicht verbunden.");
    std::string err;
    if (run(db_, sql, &err) != SQLITE_OK) {
        if (datentraeger_voll(db_)) throw StoreError(Meldung_Datentraeger_voll);
        throw StoreError("Datenbankfehler: " + err);
    }
}

void Database::createFile(const std::string& path, const std::vector<TableDef>& schema,
                          const std::string& name) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec))
        throw StoreError("Die Datei '" + path + "' besteht schon und wird nicht überschrieben.");
    // SQLite would apply a log left beside the name to the new file, and a failed creation below
    // removes the side files again: neither may touch a file that was there before.
    for (const char* endung : Begleitdatei_Endungen)
        if (std::filesystem::exists(std::filesystem::symlink_status(path + endung, ec)))
            throw StoreError("Neben der neuen Datenbank '" + path + "' liegt noch die Datei '" + path +
                             endung + "'; die Datenbank wird nicht angelegt.");
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        std::string e = errText(db);
        sqlite3_close_v2(db);
        throw StoreError("Die Datenbankdatei '" + path + "' kann nicht angelegt werden: " + e);
    }
    try {
        std::string err;
        if (run(db, "PRAGMA journal_mode=WAL", &err) != SQLITE_OK) throw StoreError(err);
        createSchema(db, schema);
    } catch (...) {
        const bool voll = datentraeger_voll(db);
        sqlite3_close_v2(db);
        // Everything here was made by this call: the file and the side files SQLite opened for it.
        std::filesystem::remove(path, ec);
        for (const char* endung : Begleitdatei_Endungen) std::filesystem::remove(path + endung, ec);
        if (voll) throw StoreError(Meldung_Datentraeger_voll_Anlegen(name.empty() ? path : name));
        throw;
    }
    sqlite3_close_v2(db);
}

void Database::attach(DataSet* ds) {
    dataSets_.push_back(ds);
}

void Database::detach(DataSet* ds) {
    dataSets_.erase(std::remove(dataSets_.begin(), dataSets_.end(), ds), dataSets_.end());
}

Database::Transaction::Transaction(Database& db) : db_(db) {
    if (!db_.db_) throw StoreError("Die Datenbank '" + db_.location_ + "' ist nicht verbunden.");
    std::string err;
    std::string sql = db_.txDepth_ == 0 ? "BEGIN IMMEDIATE" : "SAVEPOINT sp" + std::to_string(db_.txDepth_);
    if (run(db_.db_, sql, &err) != SQLITE_OK) throw StoreError("Datenbankfehler: " + err);
    ++db_.txDepth_;
}

void Database::Transaction::Commit() {
    if (done_) return;
    done_ = true;
    --db_.txDepth_;
    std::string err;
    std::string sql = db_.txDepth_ == 0 ? "COMMIT" : "RELEASE sp" + std::to_string(db_.txDepth_);
    if (run(db_.db_, sql, &err) != SQLITE_OK) {
        if (datentraeger_voll(db_.db_)) throw StoreError(Meldung_Datentraeger_voll);
        throw StoreError("Datenbankfehler: " + err);
    }
}

Database::Transaction::~Transaction() {
    if (done_ || !db_.db_) return;
    --db_.txDepth_;
    if (db_.txDepth_ == 0)
        run(db_.db_, "ROLLBACK");
    else
        run(db_.db_,
            "ROLLBACK TO sp" + std::to_string(db_.txDepth_) + "; RELEASE sp" + std::to_string(db_.txDepth_));
}

} // namespace pyra::store
