#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace pyra::test {

struct CliErgebnis {
    int status = -1;
    std::string ausgabe; // standard output
    std::string fehler;  // standard error
};

// Runs the batch companion with the arguments (already quoted for the shell) and collects its
// output and exit status.
inline CliErgebnis cli(const std::string& program, const std::string& args) {
    CliErgebnis r;
    char tmpl[] = "/tmp/pyra-cli-err-XXXXXX";
    int fd = mkstemp(tmpl);
    if (fd < 0) return r;
    close(fd);
    std::string errFile = tmpl;
    std::string cmd = "'" + program + "' " + args + " 2>'" + errFile + "'";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf{};
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.ausgabe.append(buf.data(), n);
    int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    if (FILE* e = std::fopen(errFile.c_str(), "r")) {
        while ((n = fread(buf.data(), 1, buf.size(), e)) > 0) r.fehler.append(buf.data(), n);
        std::fclose(e);
    }
    std::remove(errFile.c_str());
    return r;
}

// The lines of a program's output.
inline std::vector<std::string> zeilen(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string z; std::getline(in, z);) out.push_back(z);
    return out;
}

} // namespace pyra::test
