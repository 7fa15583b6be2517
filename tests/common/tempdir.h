#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace pyra::test {

// A fresh directory under the system's temp directory, removed with everything in it at the end.
class TempDir {
  public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("pyra-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Directory with a trailing separator, as the program directory is kept.
    std::string dir() const { return path_.string() + "/"; }

  private:
    std::filesystem::path path_;
};

} // namespace pyra::test
