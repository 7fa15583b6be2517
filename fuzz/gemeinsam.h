#pragma once

// Helpers shared by the fuzz targets: a working directory of the process's own (in memory when
// /dev/shm is there, so that the many small database writes stay cheap), file helpers and the
// report of a broken promise, which ends the process so that libFuzzer keeps the input.

#include <cstddef>
#include <cstdint>
#include <string>

struct sqlite3;

namespace pyra::fuzz {

// A fresh directory for this process (trailing '/'), removed with its content at exit.
const std::string& arbeitsverzeichnis();

void datei_schreiben(const std::string& pfad, const std::uint8_t* daten, std::size_t groesse);
std::string datei_lesen(const std::string& pfad);
// Removes a database file with its side files (-wal, -shm, -journal).
void datenbank_entfernen(const std::string& pfad);

// A database file opened read-only for several queries; one connection reads the schema once.
class Lesezugriff {
  public:
    explicit Lesezugriff(const std::string& datei);
    ~Lesezugriff();
    Lesezugriff(const Lesezugriff&) = delete;
    Lesezugriff& operator=(const Lesezugriff&) = delete;

    // Every row of a query as text (values separated by '|', rows by '\n'); "" when it fails.
    std::string text(const std::string& sql);
    // The first row of a query.
    std::string wert(const std::string& sql);

  private:
    sqlite3* db_ = nullptr;
};

// The first row of one query, on a connection of its own.
std::string sql_wert(const std::string& datei, const std::string& sql);

// With PYRA_FUZZ_AUSGABE set in the environment, writes a line about the input's way to stderr
// (to see what the seed inputs reach); otherwise does nothing.
void bericht(const std::string& text);

// A promise of the code under test does not hold: print why and abort.
[[noreturn]] void verletzt(const std::string& was);

} // namespace pyra::fuzz

// The target function of each program (libFuzzer's entry; the regression runner calls it too).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse);
