#include "gemeinsam.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace pyra::fuzz {

namespace {

std::string& verzeichnis_name() {
    static std::string name;
    return name;
}

void aufraeumen() {
    std::error_code ec;
    if (!verzeichnis_name().empty()) std::filesystem::remove_all(verzeichnis_name(), ec);
}

} // namespace

const std::string& arbeitsverzeichnis() {
    static const std::string& dir = []() -> const std::string& {
        std::error_code ec;
        std::string basis = std::filesystem::is_directory("/dev/shm", ec) && access("/dev/shm", W_OK) == 0
                                ? "/dev/shm"
                                : std::filesystem::temp_directory_path().string();
        std::string muster = basis + "/pyra-fuzz-XXXXXX";
        if (!mkdtemp(muster.data())) verletzt("kein Arbeitsverzeichnis in " + basis);
        verzeichnis_name() = muster + "/";
        std::atexit(aufraeumen);
        return verzeichnis_name();
    }();
    return dir;
}

void datei_schreiben(const std::string& pfad, const std::uint8_t* daten, std::size_t groesse) {
    std::ofstream aus(pfad, std::ios::binary | std::ios::trunc);
    aus.write(reinterpret_cast<const char*>(daten), static_cast<std::streamsize>(groesse));
    if (!aus) verletzt("kann " + pfad + " nicht schreiben");
}

std::string datei_lesen(const std::string& pfad) {
    std::ifstream ein(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>());
}

void datenbank_entfernen(const std::string& pfad) {
    std::error_code ec;
    for (const char* s : {"", "-wal", "-shm", "-journal"}) std::filesystem::remove(pfad + s, ec);
}

Lesezugriff::Lesezugriff(const std::string& datei) {
    if (sqlite3_open_v2(datei.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

Lesezugriff::~Lesezugriff() {
    sqlite3_close_v2(db_);
}

std::string Lesezugriff::text(const std::string& sql) {
    std::string text;
    if (!db_) return text;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                auto* t = sqlite3_column_text(st, i);
                text += (i ? "|" : "") + std::string(t ? reinterpret_cast<const char*>(t) : "NULL");
            }
            text += '\n';
        }
    }
    sqlite3_finalize(st);
    return text;
}

std::string Lesezugriff::wert(const std::string& sql) {
    std::string t = text(sql);
    return t.substr(0, t.find('\n'));
}

std::string sql_wert(const std::string& datei, const std::string& sql) {
    return Lesezugriff(datei).wert(sql);
}

void bericht(const std::string& text) {
    static const bool an = std::getenv("PYRA_FUZZ_AUSGABE") != nullptr;
    if (an) std::fprintf(stderr, "  %s\n", text.c_str());
}

void verletzt(const std::string& was) {
    std::fprintf(stderr, "pyra-fuzz: %s\n", was.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace pyra::fuzz
