#pragma once

// Runs a piece of a test on a real, small file system: a child process mounts a tmpfs of the
// given size in a mount namespace of its own (as an ordinary user inside a user namespace) and
// runs the function there. What the function returns comes back as lines. Where the machine
// allows no such mount, nothing runs and the result is empty, so the test can skip.

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pyra::test {

inline bool datei_schreiben(const char* pfad, const std::string& text) {
    const int fd = ::open(pfad, O_WRONLY);
    if (fd < 0) return false;
    const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    return ok;
}

// Fills the file system of the directory until not one more byte fits; returns the filler's path.
inline std::string datentraeger_fuellen(const std::string& verzeichnis) {
    const std::string fueller = verzeichnis + "/fueller";
    const int fd = ::open(fueller.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return fueller;
    const std::string block(4096, 'x');
    for (std::size_t n = block.size(); n > 0;) {
        if (::write(fd, block.data(), n) < 0) n /= 2;
    }
    ::close(fd);
    return fueller;
}

inline std::optional<std::vector<std::string>>
auf_kleinem_datentraeger(const std::string& verzeichnis, int kilobyte,
                         const std::function<std::vector<std::string>(const std::string&)>& ablauf) {
    int rohr[2];
    if (::pipe(rohr) != 0) return std::nullopt;
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(rohr[0]);
        if (uid != 0) {
            if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) _exit(77);
            datei_schreiben("/proc/self/setgroups", "deny");
            if (!datei_schreiben("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
                !datei_schreiben("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
                _exit(77);
        } else if (::unshare(CLONE_NEWNS) != 0) {
            _exit(77);
        }
        // Mounts made here stay in this process's namespace.
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
        const std::string groesse = "size=" + std::to_string(kilobyte) + "k";
        if (::mount("tmpfs", verzeichnis.c_str(), "tmpfs", 0, groesse.c_str()) != 0) _exit(77);
        std::string ausgabe;
        try {
            for (const auto& zeile : ablauf(verzeichnis)) ausgabe += zeile + '\n';
        } catch (const std::exception& e) {
            ausgabe += std::string("Ausnahme: ") + e.what() + '\n';
        }
        for (std::size_t n = 0; n < ausgabe.size();) {
            const ssize_t k = ::write(rohr[1], ausgabe.data() + n, ausgabe.size() - n);
            if (k <= 0) _exit(3);
            n += static_cast<std::size_t>(k);
        }
        _exit(0);
    }
    ::close(rohr[1]);
    std::string text;
    char puffer[4096];
    for (ssize_t k; (k = ::read(rohr[0], puffer, sizeof puffer)) > 0;)
        text.append(puffer, static_cast<std::size_t>(k));
    ::close(rohr[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) return std::nullopt;
    std::vector<std::string> zeilen;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        zeilen.push_back("Der Kindprozess endete mit Status " + std::to_string(status));
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t ende = text.find('\n', i);
        zeilen.push_back(text.substr(i, ende - i));
        i = ende + 1;
    }
    return zeilen;
}

} // namespace pyra::test
