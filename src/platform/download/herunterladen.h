#pragma once

// Downloading one file over HTTP(S) and a short connectivity test, over libcurl. No cache is
// involved: every request asks the server and any proxy on the way for a fresh copy.

#include <string>

namespace pyra::platform {

struct Ladeoptionen {
    long verbindung_ms = 10000;            // time-out for establishing the connection
    long gesamt_ms = 300000;               // time-out for the whole transfer
    long stillstand_s = 30;                // abort when less than one byte a second arrives this long
    long long hoechstgroesse = 64LL << 20; // larger answers are refused (64 MiB)
    long umleitungen = 5;                  // redirects followed at most
};

struct Ladeergebnis {
    bool ok = false;
    long http_status = 0; // 0 when no HTTP answer arrived
    std::string fehler;   // German reason when ok is false
};

// Downloads url into the file ziel. The data goes to ziel + ".teil" first and is renamed to ziel
// only when the transfer is complete, so ziel never holds a partial download. Only http and
// https are accepted (also for redirects); an HTTP status outside 200..299 is a failure.
Ladeergebnis Datei_herunterladen(const std::string& url, const std::string& ziel,
                                 const Ladeoptionen& optionen = {});

// Scheme, host and port of an http or https address.
struct Adresse {
    std::string schema; // "http" or "https"
    std::string host;   // without brackets for IPv6 literals
    int port = 0;       // 80 or 443 when the address names none
};
bool Adresse_zerlegen(const std::string& url, Adresse& out);

// True when a TCP connection to the host and port of the address can be opened within the
// time limit (name resolution included). The connection is closed at once; nothing is sent.
bool Verbindung_moeglich(const std::string& url, long zeitlimit_ms);

} // namespace pyra::platform
