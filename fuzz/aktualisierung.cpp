// Fuzz target: the check and merge of a downloaded update database.
//
// The bytes are the file the update server sends. When the check refuses them nothing more
// happens (that is most inputs, and the check itself is under test). When the check passes, the
// whole online update runs against a fresh copy of a small main database, the file served by a
// loopback HTTP server of this process. Afterwards the main database must pass SQLite's
// integrity check and hold every draw and prize row it had: the merge never deletes, and a
// failed merge leaves both tables exactly as they were.

#include "maintenance/aktualisierung.h"
#include "data/datamodule.h"
#include "data/standarddatenbank.h"
#include "gemeinsam.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;
using pyra::fuzz::Lesezugriff;
using pyra::fuzz::verletzt;

const pyra::data::Datum heute{2026, 12, 10};

const char* const zahlen_sql = "SELECT * FROM Zahlen ORDER BY ID_Verband, ID_Ziehung, Jahr, Woche, AB";
const char* const gewinn_sql = "SELECT * FROM Gewinn ORDER BY ID_Verband, Jahr, Woche, ID_Ziehung, Rang";
const char* const zahlen_schluessel = "SELECT ID_Verband, ID_Ziehung, Jahr, Woche, AB FROM Zahlen";
const char* const gewinn_schluessel = "SELECT ID_Verband, Jahr, Woche, ID_Ziehung, Rang FROM Gewinn";

// Answers every GET with the current content; one connection at a time, for the whole run.
class Ladeserver {
  public:
    Ladeserver() {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int ja = 1;
        ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &ja, sizeof ja);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t n = sizeof a;
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd_, 16) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &n) != 0)
            verletzt("Ladeserver: kein Port auf 127.0.0.1");
        port_ = ntohs(a.sin_port);
        std::thread([this] { laufen(); }).detach();
    }

    void setzen(std::string inhalt) {
        std::lock_guard<std::mutex> l(m_);
        inhalt_ = std::move(inhalt);
    }
    std::string url() const {
        return "http://127.0.0.1:" + std::to_string(port_) +
               "/software/DO7_Dazov/Datenbank_Lotto_Update.tdbd";
    }

  private:
    void laufen() {
        for (;;) {
            const int c = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (c < 0) continue;
            std::string kopf;
            char puffer[2048];
            while (kopf.find("\r\n\r\n") == std::string::npos) {
                const ssize_t n = ::recv(c, puffer, sizeof puffer, 0);
                if (n <= 0) break;
                kopf.append(puffer, static_cast<std::size_t>(n));
            }
            if (kopf.rfind("GET ", 0) == 0) {
                std::string antwort;
                {
                    std::lock_guard<std::mutex> l(m_);
                    antwort = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(inhalt_.size()) +
                              "\r\nConnection: close\r\n\r\n" + inhalt_;
                }
                std::size_t gesendet = 0;
                while (gesendet < antwort.size()) {
                    const ssize_t n =
                        ::send(c, antwort.data() + gesendet, antwort.size() - gesendet, MSG_NOSIGNAL);
                    if (n <= 0) break;
                    gesendet += static_cast<std::size_t>(n);
                }
            }
            ::close(c);
        }
    }

    int fd_ = -1;
    int port_ = 0;
    std::mutex m_;
    std::string inhalt_;
};

class Stummer_Dialog : public pyra::data::Benutzerdialog {
  public:
    void Meldung(const std::string&) override {}
    bool Frage(const std::string&) override { return true; }
};

struct Vorlage {
    std::string verzeichnis;
    std::string zahlen, gewinn; // the rows before the update
    std::set<std::string> zahlen_keys, gewinn_keys;
};

std::set<std::string> zeilen(const std::string& text) {
    std::set<std::string> s;
    std::istringstream ein(text);
    for (std::string z; std::getline(ein, z);) s.insert(z);
    return s;
}

// The default database cut down to the last weeks of its history, started once so that a later
// start sequence on a copy adds nothing.
const Vorlage& vorlage() {
    static const Vorlage vorlage_einmal = [] {
        Vorlage v;
        v.verzeichnis = pyra::fuzz::arbeitsverzeichnis() + "vorlage/";
        fs::create_directories(v.verzeichnis);
        pyra::data::Standarddatenbank_anlegen(v.verzeichnis, heute);
        const std::string haupt = v.verzeichnis + "Datenbank_Lotto.tdbd";
        {
            pyra::data::Globale_Zustaende g;
            g.Programmverzeichnis = v.verzeichnis;
            pyra::data::Fensterzustand f;
            Stummer_Dialog d;
            pyra::data::DataModule_Lotto dm(g, f, d);
            dm.Startsequenz(heute);
            dm.TdbDatabase_Lotto.exec("DELETE FROM Zahlen WHERE Jahr < 2026 OR Woche < 30");
            dm.TdbDatabase_Lotto.exec("DELETE FROM Gewinn WHERE Jahr < 2026 OR Woche < 30");
            // A small file keeps the copy and the integrity checks of every run cheap.
            dm.TdbDatabase_Lotto.exec("VACUUM");
            dm.Datenbank_Close();
            dm.TdbDatabase_Lotto.SetConnected(false);
        }
        Lesezugriff h(haupt);
        v.zahlen = h.text(zahlen_sql);
        v.gewinn = h.text(gewinn_sql);
        v.zahlen_keys = zeilen(h.text(zahlen_schluessel));
        v.gewinn_keys = zeilen(h.text(gewinn_schluessel));
        if (v.zahlen_keys.empty() || v.gewinn_keys.empty()) verletzt("Vorlage ohne Ziehungen");
        return v;
    }();
    return vorlage_einmal;
}

void enthalten(const std::set<std::string>& vorher, const std::string& nachher, const char* tabelle) {
    const auto jetzt = zeilen(nachher);
    for (const auto& k : vorher)
        if (!jetzt.count(k)) verletzt(std::string("Zeile ") + k + " fehlt in " + tabelle);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    const std::string eingang = pyra::fuzz::arbeitsverzeichnis() + "eingang.tdbd";
    pyra::fuzz::datenbank_entfernen(eingang);
    pyra::fuzz::datei_schreiben(eingang, daten, groesse);
    const std::string grund = pyra::maintenance::Updatedatei_pruefen(eingang, {{3, 49}, {4, 45}, {5, 42}});
    if (!grund.empty()) {
        pyra::fuzz::bericht("abgewiesen: " + grund);
        return 0;
    }

    const Vorlage& v = vorlage();
    static Ladeserver server;
    server.setzen(std::string(reinterpret_cast<const char*>(daten), groesse));

    const std::string lauf = pyra::fuzz::arbeitsverzeichnis() + "lauf/";
    std::error_code ec;
    fs::remove_all(lauf, ec);
    fs::create_directories(lauf);
    for (const char* f : {"Datenbank_Lotto.tdbd", "Datenbank_Lotto_Update.tdbd"})
        fs::copy_file(v.verzeichnis + f, lauf + f);
    const std::string haupt = lauf + "Datenbank_Lotto.tdbd";

    bool ok = false;
    std::string fehlergrund;
    {
        pyra::data::Globale_Zustaende g;
        g.Programmverzeichnis = lauf;
        pyra::data::Fensterzustand f;
        Stummer_Dialog d;
        pyra::data::DataModule_Lotto dm(g, f, d);
        dm.Startsequenz(heute);
        pyra::maintenance::Aktualisierung a(dm);
        a.url = server.url();
        a.verbindungstest_ms = 2000;
        a.ladeoptionen.verbindung_ms = 2000;
        a.ladeoptionen.gesamt_ms = 20000;
        ok = a.Aktualisierung_durchfuehren();
        fehlergrund = a.fehlergrund;
        dm.Datenbank_Close();
    }

    pyra::fuzz::bericht(ok ? "zusammengeführt" : "gescheitert: " + fehlergrund);
    Lesezugriff h(haupt);
    const std::string pruefung = h.wert("PRAGMA integrity_check");
    if (pruefung != "ok") verletzt("integrity_check nach der Aktualisierung: " + pruefung);
    const std::string zahlen = h.text(zahlen_sql), gewinn = h.text(gewinn_sql);
    if (ok) {
        const std::string zahlen_jetzt = h.text(zahlen_schluessel), gewinn_jetzt = h.text(gewinn_schluessel);
        enthalten(v.zahlen_keys, zahlen_jetzt, "Zahlen");
        enthalten(v.gewinn_keys, gewinn_jetzt, "Gewinn");
        // Every draw and prize class of the update is now in the main tables (the check lets
        // whole numbers through as texts and reals too).
        Lesezugriff u(lauf + "Datenbank_Lotto_Update.tdbd");
        enthalten(zeilen(u.text("SELECT CAST(ID_Verband AS INTEGER), CAST(ID_Ziehung AS INTEGER), "
                                "CAST(Jahr AS INTEGER), CAST(Woche AS INTEGER), CAST(AB AS INTEGER) "
                                "FROM Zahlen_Update")),
                  zahlen_jetzt, "Zahlen (aus dem Update)");
        enthalten(zeilen(u.text("SELECT CAST(ID_Verband AS INTEGER), CAST(Jahr AS INTEGER), "
                                "CAST(Woche AS INTEGER), CAST(ID_Ziehung AS INTEGER), "
                                "CAST(Rang AS INTEGER) FROM Gewinn_Update")),
                  gewinn_jetzt, "Gewinn (aus dem Update)");
    } else if (zahlen != v.zahlen || gewinn != v.gewinn) {
        verletzt("gescheiterte Aktualisierung hat die Haupttabellen verändert: " + fehlergrund);
    }
    return 0;
}
