// Where the program keeps its database: beside a built executable, in the user's data directory
// for an installed one.

#include "common/tempdir.h"
#include "data/programmverzeichnis.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using pyra::data::Programmverzeichnis_bestimmen;

namespace {

class Programmverzeichnis : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* x = std::getenv("XDG_DATA_HOME")) alt_ = x, hatte_alt_ = true;
        daten_ = baum_.path() / "daten";
        ::setenv("XDG_DATA_HOME", daten_.c_str(), 1);
    }
    void TearDown() override {
        if (hatte_alt_)
            ::setenv("XDG_DATA_HOME", alt_.c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
    }
    fs::path programm_in(const fs::path& dir) {
        fs::create_directories(dir);
        std::ofstream(dir / "pyra-lotto") << "";
        return dir / "pyra-lotto";
    }

    pyra::test::TempDir baum_;
    fs::path daten_;
    std::string alt_;
    bool hatte_alt_ = false;
};

TEST_F(Programmverzeichnis, ABuiltProgramUsesItsOwnFolder) {
    const fs::path exe = programm_in(baum_.path() / "build" / "src" / "app");
    EXPECT_EQ(Programmverzeichnis_bestimmen(exe), exe.parent_path().string() + "/");
}

// Installed under a prefix the user may write to (here: any prefix, as root may write to
// /usr/bin): the database must not end up in the bin directory.
TEST_F(Programmverzeichnis, AnInstalledProgramUsesTheUserFolder) {
    const fs::path exe = programm_in(baum_.path() / "usr" / "bin");
    fs::create_directories(baum_.path() / "usr" / "share" / "pyra-lotto");
    const std::string dir = Programmverzeichnis_bestimmen(exe);
    EXPECT_EQ(dir, (daten_ / "pyra-lotto").string() + "/");
    EXPECT_TRUE(fs::is_directory(dir));
}

TEST_F(Programmverzeichnis, WithoutAProgramFileTheUserFolderIsUsed) {
    EXPECT_EQ(Programmverzeichnis_bestimmen(fs::path()), (daten_ / "pyra-lotto").string() + "/");
}

} // namespace
