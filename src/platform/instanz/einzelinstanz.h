#pragma once

#include <string>

namespace pyra::platform {

// Single-instance guard: an exclusive lock (flock) on `Datenbank_Lotto.tdbd.lock` beside the main
// database, held for the life of the object. Every process that opens that database takes it - the
// desktop program and the batch companion, whatever their session - so only one of them works on
// the database at a time.
class Einzelinstanz {
  public:
    // programmverzeichnis: the directory of the main database.
    explicit Einzelinstanz(const std::string& programmverzeichnis);
    ~Einzelinstanz();
    Einzelinstanz(const Einzelinstanz&) = delete;
    Einzelinstanz& operator=(const Einzelinstanz&) = delete;

    // False when another process holds the lock.
    bool erhalten() const { return frei_; }
    const std::string& pfad() const { return pfad_; }

  private:
    int fd_ = -1;
    bool frei_ = false;
    std::string pfad_;
};

inline const char* const Meldung_laeuft_bereits = "Anwendung läuft bereits!";
inline const char* const Sperrdatei_Name = "Datenbank_Lotto.tdbd.lock";

} // namespace pyra::platform
