// Reader of legacy xls workbooks (BIFF) through libfreexl, which opens the file read-only.
//
// libfreexl reads uninitialised memory and overruns buffers on some damaged files. So that such a
// file can never take the program down, the library runs in a child process with a memory limit
// and a time limit; the child sends the cells of the sheet through a pipe, and a child that
// crashes or is stopped only means a damaged workbook.

#include "biff.h"
#include "blatt.h"
#include "formate.h"
#include "meldungen.h"

#include <freexl.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pyra::platform::sheet {

namespace {

constexpr unsigned zeitlimit_sekunden = 60;
constexpr std::size_t max_uebertragung = 256u << 20; // bytes the child may send
constexpr rlim_t speicher_zusatz = rlim_t{1} << 30;  // memory the child may take on top of ours

// What the child sends: records of a kind byte, then row and column, then the value.
enum Art : char {
    Zahl = 'Z',          // double
    Text = 'T',          // length and bytes
    Datum = 'D',         // yyyymmdd
    Serial = 'S',        // double: a date as serial of the 1900 date system
    Wahrheitswert = 'B', // double 0 or 1
    Fehler = 'X',        // length and bytes
    Ende = 'E',
    Fehlt = 'F' // no such sheet; the row field holds the number of worksheets
};
// Exit codes of the child besides 0.
constexpr int exit_nicht_lesbar = 3;

class Sender {
  public:
    explicit Sender(int fd) : fd_(fd) {}
    ~Sender() { senden(); }

    template <class T> void wert(const T& w) { puffer_.append(reinterpret_cast<const char*>(&w), sizeof w); }
    void text(const char* t) {
        const auto n = static_cast<std::uint32_t>(std::strlen(t));
        wert(n);
        puffer_.append(t, n);
    }
    void zelle(Art art, std::uint32_t z, std::uint32_t s) {
        if (puffer_.size() > 65536) senden();
        puffer_ += art;
        wert(z);
        wert(s);
    }
    void senden() {
        std::size_t gesendet = 0;
        while (gesendet < puffer_.size()) {
            const ssize_t n = ::write(fd_, puffer_.data() + gesendet, puffer_.size() - gesendet);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) _exit(exit_nicht_lesbar);
            gesendet += static_cast<std::size_t>(n);
        }
        puffer_.clear();
    }

  private:
    int fd_;
    std::string puffer_;
};

bool datum_lesen(const char* text, int& j, int& m, int& t) {
    // freexl gives dates as "YYYY-MM-DD", date-times as "YYYY-MM-DD HH:MM:SS".
    char rest = 0;
    const int n = std::sscanf(text, "%4d-%2d-%2d%c", &j, &m, &t, &rest);
    return (n == 3 || (n == 4 && rest == ' ')) && datum_gueltig(j, m, t);
}

void speicher_begrenzen() {
#ifndef __SANITIZE_ADDRESS__ // the sanitizer's shadow memory needs an unlimited address space
    // The limit counts the data the parent already had at the fork.
    rlim_t daten = 0;
    std::ifstream status("/proc/self/status");
    for (std::string zeile; std::getline(status, zeile);)
        if (zeile.rfind("VmData:", 0) == 0) daten = std::strtoull(zeile.c_str() + 7, nullptr, 10) * 1024;
    const rlimit grenze{daten + speicher_zusatz, daten + speicher_zusatz};
    setrlimit(RLIMIT_DATA, &grenze);
#endif
}

// The child: reads the sheet with freexl and sends its cells. Never returns.
[[noreturn]] void kind_lesen(const std::string& datei, int blatt, int fd) {
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDERR_FILENO);
    alarm(zeitlimit_sekunden);
    speicher_begrenzen();

    Sender sender(fd);

    // Our own look at the file gives the kinds of the sheets and the results of formulas; when
    // it cannot follow the file, freexl's count of sheets stands and formulas stay empty.
    BiffMappe biff;
    std::string inhalt;
    {
        std::ifstream ein(datei, std::ios::binary);
        inhalt.assign(std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>());
    }
    const bool biff_gelesen = inhalt.size() <= max_dateigroesse && biff_mappe_lesen(inhalt, biff);
    inhalt.clear();
    inhalt.shrink_to_fit();

    const void* mappe = nullptr;
    // freexl asks to be closed even when opening failed; the process end does that here.
    if (freexl_open(datei.c_str(), &mappe) != FREEXL_OK) _exit(exit_nicht_lesbar);
    unsigned int anzahl = 0;
    if (freexl_get_info(mappe, FREEXL_BIFF_SHEET_COUNT, &anzahl) != FREEXL_OK) _exit(exit_nicht_lesbar);

    // freexl counts every sheet; like the other formats, only worksheets count here.
    long index = blatt - 1;
    unsigned int arbeitsblaetter = anzahl;
    if (biff_gelesen && biff.blaetter.size() == anzahl) {
        arbeitsblaetter = 0;
        index = -1;
        for (std::size_t i = 0; i < biff.blaetter.size(); ++i)
            if (biff.blaetter[i].art == 0 && static_cast<int>(++arbeitsblaetter) == blatt)
                index = static_cast<long>(i);
    }
    if (blatt < 1 || index < 0 || static_cast<unsigned long>(index) >= anzahl) {
        sender.zelle(Fehlt, arbeitsblaetter, 0);
        sender.senden();
        _exit(0);
    }
    unsigned int zeilen = 0;
    unsigned short spalten = 0;
    if (freexl_select_active_worksheet(mappe, static_cast<unsigned short>(index)) != FREEXL_OK ||
        freexl_worksheet_dimensions(mappe, &zeilen, &spalten) != FREEXL_OK)
        _exit(exit_nicht_lesbar);

    for (unsigned int r = 0; r < zeilen && r < max_zeilen; ++r) {
        for (unsigned short c = 0; c < spalten && c < max_spalten; ++c) {
            FreeXL_CellValue wert;
            if (freexl_get_cell_value(mappe, r, c, &wert) != FREEXL_OK) continue;
            const std::uint32_t z = r + 1, s = static_cast<std::uint32_t>(c) + 1;
            int j = 0, m = 0, t = 0;
            switch (wert.type) {
            case FREEXL_CELL_INT:
                sender.zelle(Zahl, z, s);
                sender.wert(static_cast<double>(wert.value.int_value));
                break;
            case FREEXL_CELL_DOUBLE:
                sender.zelle(Zahl, z, s);
                sender.wert(wert.value.double_value);
                break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
                if (wert.value.text_value && datum_lesen(wert.value.text_value, j, m, t)) {
                    sender.zelle(Datum, z, s);
                    sender.wert(j * 10000 + m * 100 + t);
                    break;
                }
                [[fallthrough]];
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_TIME:
                if (wert.value.text_value) {
                    sender.zelle(Text, z, s);
                    sender.text(wert.value.text_value);
                }
                break;
            default:
                break;
            }
        }
    }
    if (biff_gelesen) {
        biff_formeln_lesen(biff, static_cast<std::size_t>(index),
                           [&](std::uint32_t z, std::uint32_t s, const Formelwert& w) {
                               switch (w.art) {
                               case Formelwert::Zahl:
                                   sender.zelle(Zahl, z, s);
                                   break;
                               case Formelwert::Datum:
                                   sender.zelle(Serial, z, s);
                                   break;
                               case Formelwert::Wahrheitswert:
                                   sender.zelle(Wahrheitswert, z, s);
                                   break;
                               case Formelwert::Text:
                               case Formelwert::Fehler:
                                   sender.zelle(w.art == Formelwert::Text ? Text : Fehler, z, s);
                                   sender.text(w.text.c_str());
                                   return;
                               }
                               sender.wert(w.zahl);
                           });
    }
    sender.zelle(Ende, 0, 0);
    sender.senden();
    _exit(0);
}

// Reads what the child sent into the sheet; false when the stream is cut short.
bool empfangen(const std::string& daten, Blatt& ziel, int& fehlendes_blatt_anzahl) {
    std::size_t pos = 0;
    auto lesen = [&](void* ziel_wert, std::size_t n) {
        if (daten.size() - pos < n) return false;
        std::memcpy(ziel_wert, daten.data() + pos, n);
        pos += n;
        return true;
    };
    while (pos < daten.size()) {
        const char art = daten[pos++];
        std::uint32_t z = 0, s = 0;
        if (!lesen(&z, sizeof z) || !lesen(&s, sizeof s)) return false;
        switch (art) {
        case Zahl:
        case Serial:
        case Wahrheitswert: {
            double w = 0;
            if (!lesen(&w, sizeof w)) return false;
            if (art == Wahrheitswert)
                ziel.wahrheitswert(z, s, w != 0);
            else if (art == Zahl || !ziel.datum_1900(z, s, w))
                ziel.zahl(z, s, w);
            break;
        }
        case Datum: {
            int w = 0;
            // The child's memory may have been damaged by the library: check what it sends.
            if (!lesen(&w, sizeof w) || !datum_gueltig(w / 10000, w / 100 % 100, w % 100)) return false;
            ziel.datum(z, s, w / 10000, w / 100 % 100, w % 100);
            break;
        }
        case Text:
        case Fehler: {
            std::uint32_t n = 0;
            if (!lesen(&n, sizeof n) || daten.size() - pos < n) return false;
            if (art == Text)
                ziel.text(z, s, daten.substr(pos, n));
            else
                ziel.fehler(z, s, daten.substr(pos, n));
            pos += n;
            break;
        }
        case Fehlt:
            fehlendes_blatt_anzahl = static_cast<int>(z);
            return true;
        case Ende:
            return pos == daten.size();
        default:
            return false;
        }
    }
    return false;
}

} // namespace

void xls_lesen(const std::string& datei, int blatt, Blatt& ziel) {
    int rohr[2];
    if (pipe2(rohr, O_CLOEXEC) != 0) nicht_lesbar(datei);
    std::fflush(nullptr); // nothing buffered may be written twice
    const pid_t kind = fork();
    if (kind < 0) {
        close(rohr[0]);
        close(rohr[1]);
        nicht_lesbar(datei);
    }
    if (kind == 0) {
        close(rohr[0]);
        kind_lesen(datei, blatt, rohr[1]);
    }
    close(rohr[1]);

    std::string daten;
    bool zu_viel = false;
    char stueck[65536];
    for (;;) {
        const ssize_t n = ::read(rohr[0], stueck, sizeof stueck);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        if (daten.size() + static_cast<std::size_t>(n) > max_uebertragung) {
            zu_viel = true;
            kill(kind, SIGKILL);
            break;
        }
        daten.append(stueck, static_cast<std::size_t>(n));
    }
    close(rohr[0]);
    int status = 0;
    while (waitpid(kind, &status, 0) < 0 && errno == EINTR) {
    }

    if (zu_viel) zu_gross(datei, "das Tabellenblatt enthält zu viele Daten");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM)
            beschaedigt(datei, "das Lesen der xls-Datei dauerte zu lange");
        beschaedigt(datei, "die xls-Datei kann nicht gelesen werden");
    }
    int anzahl = -1;
    if (!empfangen(daten, ziel, anzahl)) beschaedigt(datei, "die xls-Datei kann nicht gelesen werden");
    if (anzahl >= 0) kein_blatt(datei, blatt, anzahl);
}

} // namespace pyra::platform::sheet
