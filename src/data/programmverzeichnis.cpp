#include "data/programmverzeichnis.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace pyra::data {

std::string Programmverzeichnis_bestimmen() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        fs::path dir = exe.parent_path();
        if (::access(dir.c_str(), W_OK) == 0) return dir.string() + "/";
    }
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

} // namespace pyra::data
