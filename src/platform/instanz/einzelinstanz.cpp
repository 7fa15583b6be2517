#include "platform/instanz/einzelinstanz.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace pyra::platform {

Einzelinstanz::Einzelinstanz(const std::string& verzeichnis) {
    std::string dir = verzeichnis;
    if (dir.empty()) {
        const char* run = std::getenv("XDG_RUNTIME_DIR");
        std::error_code ec;
        dir = run && *run && std::filesystem::is_directory(run, ec)
                  ? run
                  : std::filesystem::temp_directory_path(ec).string();
    }
    pfad_ = (std::filesystem::path(dir) / "Zolts_Pyra_Lotto.exe.lock").string();
    fd_ = ::open(pfad_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        // No place for a lock file: the guard cannot work, so it does not stand in the way.
        frei_ = true;
        return;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    frei_ = true;
}

Einzelinstanz::~Einzelinstanz() {
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
    }
}

} // namespace pyra::platform
