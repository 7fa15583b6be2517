#pragma once

#include <string>

namespace pyra::platform {

// Single-instance guard: an exclusive lock on a file named after "Zolts_Pyra_Lotto.exe" in
// $XDG_RUNTIME_DIR (else the temp directory), held for the life of the object. The desktop
// program and the batch companion share it, so only one of them works on the database at a time.
class Einzelinstanz {
  public:
    // verzeichnis: where the lock file lies; empty for the default place.
    explicit Einzelinstanz(const std::string& verzeichnis = {});
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

} // namespace pyra::platform
