#include "output/textexport.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace pyra::output {

namespace fs = std::filesystem;

std::string Textdatei_Dateiname(std::int64_t woche, std::int64_t jahr) {
    return std::to_string(woche) + "_" + std::to_string(jahr) + ".txt";
}

Textdatei Textdatei_anlegen(const fs::path& programmverzeichnis, std::int64_t woche, std::int64_t jahr) {
    Textdatei t;
    const fs::path verzeichnis = programmverzeichnis / Arbeitsverzeichnis;
    t.Datei = verzeichnis / Textdatei_Dateiname(woche, jahr);

    std::error_code fehler;
    fs::create_directories(verzeichnis, fehler);
    if (!fs::is_directory(verzeichnis, fehler)) {
        t.Meldung = "Das Verzeichnis " + verzeichnis.string() + " kann nicht angelegt werden!";
        return t;
    }
    if (fs::exists(t.Datei, fehler)) return t;
    // Opening for appending creates the file and never truncates one made in between.
    std::ofstream datei(t.Datei, std::ios::binary | std::ios::app);
    if (!datei) t.Meldung = "Die Datei " + t.Datei.string() + " kann nicht angelegt werden!";
    return t;
}

Reihe_bis Reihe_bis_setzen(const Scheinlayout& layout, std::int64_t eintrag) {
    Reihe_bis r;
    r.Reihen_pro_Spielschein = Reihenfelder_zaehlen(layout);
    r.Text = Reihenzahl_Text(Reihenbereich_berechnen(eintrag, r.Reihen_pro_Spielschein).bis);
    return r;
}

std::string Textzeile(const Tippreihe& reihe, const std::string& trennzeichen) {
    std::string zeile;
    for (std::size_t i = 0; i < reihe.Tipp_Zahl.size(); ++i) {
        if (i > 0) zeile += trennzeichen;
        zeile += std::to_string(reihe.Tipp_Zahl[i].value_or(0));
    }
    return zeile;
}

std::optional<std::string> Trennzeichen_pruefen(const std::string& trennzeichen) {
    // Numbers are written without sign or padding, so only a separator with a digit, or none at
    // all, makes lines whose numbers cannot be told apart again; one with a line break splits a
    // row over several lines.
    const bool ziffer = trennzeichen.find_first_of("0123456789") != std::string::npos;
    const bool umbruch = trennzeichen.find_first_of("\r\n") != std::string::npos;
    if (trennzeichen.empty() || ziffer || umbruch) return std::string(Meldung_Trennzeichen);
    return std::nullopt;
}

std::optional<std::string> Textdatei_schreiben(const fs::path& datei, const std::string& reihe_bis,
                                               const std::string& trennzeichen,
                                               const std::vector<Tippreihe>& reihen) {
    const auto bis = Ganzzahl_lesen(reihe_bis);
    if (!bis) return std::string(Meldung_Anzahl_Reihen);
    if (auto fehler = Trennzeichen_pruefen(trennzeichen)) return fehler;

    std::error_code fehler;
    if (!fs::exists(datei, fehler)) return std::nullopt;

    std::string inhalt;
    for (const Tippreihe& reihe : reihen) {
        if (reihe.Reihe > *bis) break;
        if (!reihe.Tipp_Zahl[0]) continue;
        inhalt += Textzeile(reihe, trennzeichen) + "\r\n";
    }
    // Written whole beside the file and then put in its place: a full disk or a write error
    // leaves the earlier file as it was, never a truncated one.
    return Datei_ersetzen(datei, inhalt);
}

std::optional<std::string> Datei_ersetzen(const fs::path& datei, const std::string& inhalt) {
    const auto meldung = [&](int fehlernummer) {
        return "Die Datei " + datei.string() +
               " kann nicht geschrieben werden: " + std::strerror(fehlernummer) +
               ". Die bisherige Datei bleibt unverändert.";
    };
    // Only a regular file is replaced: a device or a directory under the file's name is left alone.
    std::error_code ec;
    const fs::file_status art = fs::symlink_status(datei, ec);
    if (fs::exists(art) && !fs::is_regular_file(art))
        return "Die Datei " + datei.string() + " kann nicht geschrieben werden: unter diesem Namen steht " +
               (fs::is_directory(art) ? "ein Verzeichnis" : "keine gewöhnliche Datei") + ".";
    std::string vorlage = (datei.parent_path() / ("." + datei.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(vorlage.data());
    if (fd < 0) return meldung(errno);
    const auto aufgeben = [&](int fehlernummer) {
        ::close(fd);
        ::unlink(vorlage.c_str());
        return meldung(fehlernummer);
    };
    for (std::size_t geschrieben = 0; geschrieben < inhalt.size();) {
        const ssize_t n = ::write(fd, inhalt.data() + geschrieben, inhalt.size() - geschrieben);
        if (n < 0) {
            if (errno == EINTR) continue;
            return aufgeben(errno);
        }
        geschrieben += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) return aufgeben(errno);
    // The new file gets the usual permissions of a file the user makes, not mkstemp's 0600.
    const mode_t maske = ::umask(0);
    ::umask(maske);
    ::fchmod(fd, 0666 & ~maske);
    if (::close(fd) != 0) {
        const int e = errno;
        ::unlink(vorlage.c_str());
        return meldung(e);
    }
    if (::rename(vorlage.c_str(), datei.c_str()) != 0) {
        const int e = errno;
        ::unlink(vorlage.c_str());
        return meldung(e);
    }
    return std::nullopt;
}

} // namespace pyra::output
