// Regression runner for the compilers without libFuzzer: feeds every file of the directories
// (or single files) given on the command line to the target function, in name order. A broken
// promise aborts the process, so ctest reports the test as failed; the file name printed
// before each input tells which one.

#include "gemeinsam.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    namespace fs = std::filesystem;
    std::vector<fs::path> dateien;
    for (int i = 1; i < argc; ++i) {
        const fs::path p = argv[i];
        std::error_code ec;
        if (fs::is_directory(p, ec)) {
            for (const auto& e : fs::directory_iterator(p))
                if (e.is_regular_file() && e.path().filename().string()[0] != '.')
                    dateien.push_back(e.path());
        } else if (fs::is_regular_file(p, ec)) {
            dateien.push_back(p);
        } else {
            std::fprintf(stderr, "%s: nicht gefunden\n", argv[i]);
            return 2;
        }
    }
    std::sort(dateien.begin(), dateien.end());
    for (const auto& d : dateien) {
        std::printf("%s\n", d.string().c_str());
        std::fflush(stdout);
        const std::string inhalt = pyra::fuzz::datei_lesen(d.string());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(inhalt.data()), inhalt.size());
    }
    std::printf("%zu Eingaben ohne Befund\n", dateien.size());
    return dateien.empty() ? 1 : 0;
}
