#pragma once

// How the store words a failure that SQLite reports; shared by the database and its tables.

#include "store/value.h"

#include <sqlite3.h>

#include <cerrno>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace pyra::store {

// True when the last error of the connection means there is no room for the database: SQLITE_FULL,
// or an I/O error (what a nearly full disk gives while SQLite grows its log or index, and what a
// file size limit gives) whose cause was no space, no quota or the size limit, or while the file
// system of the database has less than 1 MiB left, or while the database or its log has reached
// the process's file size limit.
inline bool datentraeger_voll(sqlite3* db) {
    const int ext = sqlite3_extended_errcode(db);
    if ((ext & 0xff) == SQLITE_FULL) return true;
    if ((ext & 0xff) != SQLITE_IOERR) return false;
    const int e = sqlite3_system_errno(db);
    if (e == ENOSPC || e == EDQUOT || e == EFBIG) return true;
    const char* datei = sqlite3_db_filename(db, "main");
    if (!datei || !*datei) return false;
    struct statvfs fs {};
    if (::statvfs(datei, &fs) == 0 &&
        static_cast<unsigned long long>(fs.f_bavail) * fs.f_frsize < (1ULL << 20))
        return true;
    rlimit grenze{};
    if (::getrlimit(RLIMIT_FSIZE, &grenze) == 0 && grenze.rlim_cur != RLIM_INFINITY) {
        for (const std::string& d : {std::string(datei), std::string(datei) + "-wal"}) {
            struct stat st {};
            if (::stat(d.c_str(), &st) == 0 && static_cast<rlim_t>(st.st_size) + 65536 >= grenze.rlim_cur)
                return true;
        }
    }
    return false;
}

inline constexpr const char* Meldung_Datentraeger_voll =
    "Der Datenträger ist voll; der Datensatz wurde nicht gespeichert.";

inline std::string Meldung_Datentraeger_voll_Oeffnen(const std::string& datei) {
    return "Der Datenträger ist voll; die Datenbank '" + datei +
           "' kann nicht geöffnet werden. Bitte Platz schaffen und erneut versuchen.";
}

inline std::string Meldung_Datentraeger_voll_Anlegen(const std::string& datei) {
    return "Der Datenträger ist voll; die Datenbank '" + datei + "' wurde nicht angelegt.";
}

// The files SQLite keeps beside a database while it is open or after an interruption.
inline constexpr const char* Begleitdatei_Endungen[] = {"-wal", "-shm", "-journal"};

} // namespace pyra::store
