#include "platform/download/herunterladen.h"

#include <curl/curl.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>

namespace pyra::platform {

namespace {

void curl_bereit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Curl_frei {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct Liste_frei {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
using Curl_zeiger = std::unique_ptr<CURL, Curl_frei>;
using Liste_zeiger = std::unique_ptr<curl_slist, Liste_frei>;

// Loopback addresses never go through a proxy; the rest follows the user's proxy settings.
std::string ohne_proxy() {
    std::string liste = "localhost,127.0.0.1,::1";
    for (const char* name : {"no_proxy", "NO_PROXY"}) {
        const char* v = std::getenv(name);
        if (v && *v) return liste + "," + v;
    }
    return liste;
}

// Settings shared by the download and the connectivity test.
void grundeinstellungen(CURL* c, const std::string& url, long verbindung_ms, const std::string& noproxy) {
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, verbindung_ms);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_NOPROXY, noproxy.c_str());
}

struct Schreibziel {
    std::FILE* datei = nullptr;
    long long geschrieben = 0;
    long long grenze = 0;
    bool zu_gross = false;
    bool schreibfehler = false;
};

size_t schreiben(char* daten, size_t groesse, size_t anzahl, void* ziel) {
    auto* z = static_cast<Schreibziel*>(ziel);
    const size_t n = groesse * anzahl;
    if (z->geschrieben + static_cast<long long>(n) > z->grenze) {
        z->zu_gross = true;
        return 0; // makes libcurl end the transfer with an error
    }
    if (std::fwrite(daten, 1, n, z->datei) != n) {
        z->schreibfehler = true;
        return 0;
    }
    z->geschrieben += static_cast<long long>(n);
    return n;
}

std::string curl_text(CURLcode rc, const char* puffer) {
    std::string t = puffer && *puffer ? puffer : curl_easy_strerror(rc);
    return t;
}

} // namespace

bool Adresse_zerlegen(const std::string& url, Adresse& out) {
    const auto trenner = url.find("://");
    if (trenner == std::string::npos) return false;
    std::string schema = url.substr(0, trenner);
    for (char& ch : schema) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (schema != "http" && schema != "https") return false;
    std::string rest = url.substr(trenner + 3);
    rest = rest.substr(0, rest.find_first_of("/?#"));
    if (auto at = rest.rfind('@'); at != std::string::npos) rest = rest.substr(at + 1);
    std::string host, port;
    if (!rest.empty() && rest[0] == '[') {
        const auto zu = rest.find(']');
        if (zu == std::string::npos) return false;
        host = rest.substr(1, zu - 1);
        std::string danach = rest.substr(zu + 1);
        if (!danach.empty()) {
            if (danach[0] != ':') return false;
            port = danach.substr(1);
        }
    } else {
        const auto doppelpunkt = rest.find(':');
        host = rest.substr(0, doppelpunkt);
        if (doppelpunkt != std::string::npos) port = rest.substr(doppelpunkt + 1);
    }
    if (host.empty()) return false;
    int p = schema == "https" ? 443 : 80;
    if (!port.empty()) {
        if (port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos) return false;
        p = std::atoi(port.c_str());
        if (p < 1 || p > 65535) return false;
    }
    out = {schema, host, p};
    return true;
}

bool Verbindung_moeglich(const std::string& url, long zeitlimit_ms) {
    Adresse a;
    if (!Adresse_zerlegen(url, a)) return false;
    curl_bereit();
    Curl_zeiger c(curl_easy_init());
    if (!c) return false;
    // A plain TCP connection to the host and port: the scheme http keeps libcurl from starting
    // a TLS handshake on an https port; CONNECT_ONLY stops before anything is sent.
    const std::string host = a.host.find(':') != std::string::npos ? "[" + a.host + "]" : a.host;
    const std::string ziel = "http://" + host + ":" + std::to_string(a.port) + "/";
    const std::string noproxy = ohne_proxy();
    grundeinstellungen(c.get(), ziel, zeitlimit_ms, noproxy);
    curl_easy_setopt(c.get(), CURLOPT_CONNECT_ONLY, 1L);
    curl_easy_setopt(c.get(), CURLOPT_TIMEOUT_MS, zeitlimit_ms);
    return curl_easy_perform(c.get()) == CURLE_OK;
}

Ladeergebnis Datei_herunterladen(const std::string& url, const std::string& ziel, const Ladeoptionen& o) {
    Ladeergebnis e;
    Adresse a;
    if (!Adresse_zerlegen(url, a)) {
        e.fehler = "Die Adresse '" + url + "' ist keine http- oder https-Adresse.";
        return e;
    }
    curl_bereit();
    Curl_zeiger c(curl_easy_init());
    if (!c) {
        e.fehler = "Die Übertragung kann nicht vorbereitet werden.";
        return e;
    }
    const std::string teil = ziel + ".teil";
    std::error_code ec;
    std::filesystem::remove(teil, ec);
    Schreibziel sz;
    sz.grenze = o.hoechstgroesse;
    sz.datei = std::fopen(teil.c_str(), "wb");
    if (!sz.datei) {
        e.fehler = "Die Datei '" + teil + "' kann nicht angelegt werden.";
        return e;
    }

    const std::string noproxy = ohne_proxy();
    grundeinstellungen(c.get(), url, o.verbindung_ms, noproxy);
    curl_easy_setopt(c.get(), CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c.get(), CURLOPT_MAXREDIRS, o.umleitungen);
    curl_easy_setopt(c.get(), CURLOPT_TIMEOUT_MS, o.gesamt_ms);
    curl_easy_setopt(c.get(), CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c.get(), CURLOPT_LOW_SPEED_TIME, o.stillstand_s);
    curl_easy_setopt(c.get(), CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(o.hoechstgroesse));
    curl_easy_setopt(c.get(), CURLOPT_USERAGENT, "Pyra-Lotto");
    // Ask every cache on the way for a fresh copy: the update is only useful when it is current.
    curl_slist* kopf = nullptr;
    kopf = curl_slist_append(kopf, "Cache-Control: no-cache");
    kopf = curl_slist_append(kopf, "Pragma: no-cache");
    Liste_zeiger kopf_frei(kopf);
    curl_easy_setopt(c.get(), CURLOPT_HTTPHEADER, kopf);
    curl_easy_setopt(c.get(), CURLOPT_WRITEFUNCTION, schreiben);
    curl_easy_setopt(c.get(), CURLOPT_WRITEDATA, &sz);
    char fehlerpuffer[CURL_ERROR_SIZE] = {0};
    curl_easy_setopt(c.get(), CURLOPT_ERRORBUFFER, fehlerpuffer);

    const CURLcode rc = curl_easy_perform(c.get());
    curl_easy_getinfo(c.get(), CURLINFO_RESPONSE_CODE, &e.http_status);
    const bool geschlossen = std::fclose(sz.datei) == 0;

    if (sz.zu_gross || rc == CURLE_FILESIZE_EXCEEDED)
        e.fehler = "Die Datei ist größer als " + (o.hoechstgroesse >= (1LL << 20)
                                                      ? std::to_string(o.hoechstgroesse >> 20) + " MiB."
                                                      : std::to_string(o.hoechstgroesse) + " Bytes.");
    else if (sz.schreibfehler || !geschlossen)
        e.fehler = "Die Datei '" + teil + "' kann nicht geschrieben werden.";
    else if (rc != CURLE_OK)
        e.fehler = "Übertragungsfehler: " + curl_text(rc, fehlerpuffer);
    else if (e.http_status < 200 || e.http_status > 299)
        e.fehler = "Der Server antwortet mit dem Status " + std::to_string(e.http_status) + ".";

    if (e.fehler.empty()) {
        std::filesystem::rename(teil, ziel, ec);
        if (ec) e.fehler = "Die Datei '" + ziel + "' kann nicht angelegt werden: " + ec.message();
    }
    if (!e.fehler.empty()) {
        std::filesystem::remove(teil, ec);
        return e;
    }
    e.ok = true;
    return e;
}

} // namespace pyra::platform
