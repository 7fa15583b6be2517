#include "data/programmverzeichnis.h"

#include <cstdlib>
#include <unistd.h>

namespace pyra::data {

namespace fs = std::filesystem;

namespace {

bool installiert(const fs::path& dir) {
    std::error_code ec;
    return fs::is_directory(dir.parent_path() / "share" / "pyra-lotto", ec);
}

std::string benutzerverzeichnis() {
    std::error_code ec;
    fs::path data;
    if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x)
        data = x;
    else if (const char* h = std::getenv("HOME"); h && *h)
        data = fs::path(h) / ".local" / "share";
    else
        data = fs::temp_directory_path(ec);
    fs::path dir = data / "pyra-lotto";
    fs::create_directories(dir, ec);
    return dir.string() + "/";
}

} // namespace

std::string Programmverzeichnis_bestimmen(const fs::path& programmdatei) {
    if (!programmdatei.empty()) {
        const fs::path dir = programmdatei.parent_path();
        if (!installiert(dir) && ::access(dir.c_str(), W_OK) == 0) return dir.string() + "/";
    }
    return benutzerverzeichnis();
}

std::string Programmverzeichnis_bestimmen() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) exe.clear();
    return Programmverzeichnis_bestimmen(exe);
}

} // namespace pyra::data
