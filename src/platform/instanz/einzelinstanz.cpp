#include "platform/instanz/einzelinstanz.h"

#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace pyra::platform {

Einzelinstanz::Einzelinstanz(const std::string& programmverzeichnis) {
    pfad_ = (std::filesystem::path(programmverzeichnis) / Sperrdatei_Name).string();
    fd_ = ::open(pfad_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    // A lock file that is there but cannot be written locks just as well.
    if (fd_ < 0) fd_ = ::open(pfad_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        // No lock file can be made beside the database (a write-protected directory): the guard
        // cannot work there, so it does not stand in the way; the database refuses writes itself.
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
