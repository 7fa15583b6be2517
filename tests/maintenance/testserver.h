#pragma once

// A tiny HTTP server on 127.0.0.1 for the update tests: answers GET requests from a fixed table
// of paths, one connection at a time, on a thread of its own. It stops when it is destroyed and
// by itself after a minute at the latest, so a failing test never leaves it running.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace pyra::test {

class Testserver {
  public:
    struct Antwort {
        Antwort(int s = 200, std::string i = {}, std::size_t abbrechen = std::string::npos,
                bool still = false, std::string ziel = {})
            : status(s), inhalt(std::move(i)), abbrechen_nach(abbrechen), schweigen(still),
              umleitung(std::move(ziel)) {}
        int status = 200;
        std::string inhalt;
        // Sends only this many bytes of the content while announcing all of it, then closes.
        std::size_t abbrechen_nach = std::string::npos;
        bool schweigen = false; // accepts the connection and never answers
        std::string umleitung;  // Location header (with status 302)
    };

    explicit Testserver(std::map<std::string, Antwort> pfade) : pfade_(std::move(pfade)) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        int ja = 1;
        ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &ja, sizeof ja);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && ::listen(fd_, 8) == 0) {
            socklen_t n = sizeof a;
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &n);
            port_ = ntohs(a.sin_port);
        }
        thread_ = std::thread([this] { laufen(); });
    }

    ~Testserver() {
        stop_ = true;
        thread_.join();
        ::close(fd_);
    }

    Testserver(const Testserver&) = delete;
    Testserver& operator=(const Testserver&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& pfad) const {
        return "http://127.0.0.1:" + std::to_string(port_) + pfad;
    }

    // The request heads received so far.
    std::vector<std::string> anfragen() {
        std::lock_guard<std::mutex> l(m_);
        return anfragen_;
    }

  private:
    void laufen() {
        const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        std::vector<int> stumm; // connections held open without an answer
        while (!stop_ && std::chrono::steady_clock::now() < ende) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) continue;
            int c = ::accept(fd_, nullptr, nullptr);
            if (c < 0) continue;
            if (!bedienen(c))
                stumm.push_back(c);
            else
                ::close(c);
        }
        for (int c : stumm) ::close(c);
    }

    // Returns false when the connection is to be held open without an answer.
    bool bedienen(int c) {
        std::string kopf;
        char puffer[4096];
        const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (kopf.find("\r\n\r\n") == std::string::npos && std::chrono::steady_clock::now() < ende &&
               !stop_) {
            pollfd p{c, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) continue;
            ssize_t n = ::recv(c, puffer, sizeof puffer, 0);
            if (n <= 0) return true;
            kopf.append(puffer, static_cast<std::size_t>(n));
        }
        {
            std::lock_guard<std::mutex> l(m_);
            anfragen_.push_back(kopf);
        }
        std::string pfad;
        if (kopf.rfind("GET ", 0) == 0) pfad = kopf.substr(4, kopf.find(' ', 4) - 4);
        auto it = pfade_.find(pfad);
        if (it == pfade_.end()) {
            senden(c, "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nNot Found");
            return true;
        }
        const Antwort& a = it->second;
        if (a.schweigen) return false;
        std::string antwort =
            "HTTP/1.1 " + std::to_string(a.status) + (a.status < 300 ? " OK" : " Fehler") + "\r\n";
        if (!a.umleitung.empty()) antwort += "Location: " + a.umleitung + "\r\n";
        antwort += "Content-Length: " + std::to_string(a.inhalt.size()) + "\r\nConnection: close\r\n\r\n";
        antwort += a.inhalt.substr(0, a.abbrechen_nach);
        senden(c, antwort);
        return true;
    }

    static void senden(int c, const std::string& s) {
        std::size_t gesendet = 0;
        while (gesendet < s.size()) {
            ssize_t n = ::send(c, s.data() + gesendet, s.size() - gesendet, MSG_NOSIGNAL);
            if (n <= 0) return;
            gesendet += static_cast<std::size_t>(n);
        }
    }

    std::map<std::string, Antwort> pfade_;
    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex m_;
    std::vector<std::string> anfragen_;
};

// A port on 127.0.0.1 where nobody listens.
inline int freier_port() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t n = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
    ::close(fd);
    return ntohs(a.sin_port);
}

} // namespace pyra::test
