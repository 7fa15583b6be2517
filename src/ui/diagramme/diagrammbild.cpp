#include "ui/diagramme/diagrammbild.h"

#include "ui/diagramme/diagramm_bau.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace pyra::ui {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::pair<std::string_view, Diagrammart>, kAnzahl_Diagramme> kNamen = {{
    {"haeufigkeit", Diagrammart::Haeufigkeit},
    {"rueckstand", Diagrammart::Rueckstand},
    {"wiederholungen", Diagrammart::Wiederholungen},
    {"summen", Diagrammart::Summen},
    {"verlauf", Diagrammart::Verlauf},
}};

enum class Format { Png, Svg };

std::optional<Format> format_der_datei(const fs::path& datei) {
    std::string endung = datei.extension().string();
    std::transform(endung.begin(), endung.end(), endung.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (endung == ".png") return Format::Png;
    if (endung == ".svg") return Format::Svg;
    return std::nullopt;
}

QString qpfad(const fs::path& p) {
    return QString::fromStdString(p.string());
}

std::string anfang_der_datei(const fs::path& datei, std::size_t laenge) {
    std::ifstream ein(datei, std::ios::binary);
    std::string text(laenge, '\0');
    ein.read(text.data(), static_cast<std::streamsize>(laenge));
    text.resize(static_cast<std::size_t>(std::max<std::streamsize>(ein.gcount(), 0)));
    return text;
}

bool ist_png(const fs::path& datei) {
    return anfang_der_datei(datei, 8) == std::string("\x89PNG\r\n\x1a\n", 8);
}

// An SVG file names its root element near the start, after an XML declaration or comments.
bool ist_svg(const fs::path& datei) {
    return anfang_der_datei(datei, 4096).find("<svg") != std::string::npos;
}

// True when the file may be written: it does not exist, or it is a picture of that format.
bool ersetzbar(const fs::path& datei, Format format) {
    std::error_code fehler;
    if (!fs::exists(fs::symlink_status(datei, fehler))) return true;
    if (!fs::is_regular_file(datei, fehler)) return false;
    return format == Format::Png ? ist_png(datei) : ist_svg(datei);
}

void png_schreiben(const fs::path& datei, Diagrammart art, const stats::Diagrammdaten& d, int auswahl,
                   int breite, int hoehe) {
    QImage bild(breite, hoehe, QImage::Format_ARGB32_Premultiplied);
    if (bild.isNull()) throw std::runtime_error("Für ein Bild dieser Größe fehlt der Speicher.");
    bild.fill(Qt::white);
    {
        QPainter maler(&bild);
        Diagramm_malen(maler, QSizeF(breite, hoehe), art, d, auswahl);
    }
    if (!bild.save(qpfad(datei), "PNG")) throw std::runtime_error("");
    QImageReader leser(qpfad(datei), "PNG");
    if (leser.size() != QSize(breite, hoehe)) throw std::runtime_error("");
}

void svg_schreiben(const fs::path& datei, Diagrammart art, const stats::Diagrammdaten& d, int auswahl,
                   int breite, int hoehe) {
    {
        QSvgGenerator svg;
        svg.setFileName(qpfad(datei));
        svg.setSize(QSize(breite, hoehe));
        svg.setViewBox(QRect(0, 0, breite, hoehe));
        svg.setTitle(Diagrammtitel(art));
        svg.setDescription(QStringLiteral("Pyra-Lotto"));
        QPainter maler;
        if (!maler.begin(&svg)) throw std::runtime_error("");
        Diagramm_malen(maler, QSizeF(breite, hoehe), art, d, auswahl);
        if (!maler.end()) throw std::runtime_error("");
    }
    // The generator does not report a failed write: the file must end with its closing tag.
    std::ifstream ein(datei, std::ios::binary | std::ios::ate);
    const std::streamoff groesse = ein ? static_cast<std::streamoff>(ein.tellg()) : 0;
    if (groesse < 64 || !ist_svg(datei)) throw std::runtime_error("");
    std::string schluss(64, '\0');
    ein.seekg(groesse - 64);
    ein.read(schluss.data(), 64);
    if (schluss.find("</svg>") == std::string::npos) throw std::runtime_error("");
}

} // namespace

std::optional<Diagrammart> Diagrammart_aus_Name(std::string_view name) {
    for (const auto& [n, art] : kNamen)
        if (n == name) return art;
    return std::nullopt;
}

std::string Diagrammart_Name(Diagrammart art) {
    for (const auto& [n, a] : kNamen)
        if (a == art) return std::string(n);
    return {};
}

bool Auswahl_gueltig(Diagrammart art, int auswahl, int zahlen_bis) {
    switch (art) {
    case Diagrammart::Wiederholungen:
        return auswahl >= 1 && auswahl <= 7;
    case Diagrammart::Verlauf:
        return auswahl >= 1 && auswahl <= std::min(zahlen_bis, stats::kGroessteZahl);
    default:
        return true;
    }
}

bool Bildformat_bekannt(const fs::path& datei) {
    return format_der_datei(datei).has_value();
}

void Diagramm_als_Bild_speichern(Diagrammart art, const stats::Diagrammdaten& daten, int auswahl,
                                 const fs::path& datei, int breite, int hoehe) {
    const auto format = format_der_datei(datei);
    if (!format)
        throw std::runtime_error("Das Bild wird als PNG (.png) oder SVG (.svg) gespeichert; die Datei " +
                                 datei.string() + " hat keine dieser Endungen.");
    if (breite < kKleinste_Bildseite || breite > kGroesste_Bildseite || hoehe < kKleinste_Bildseite ||
        hoehe > kGroesste_Bildseite)
        throw std::runtime_error("Breite und Höhe des Bildes liegen zwischen " +
                                 std::to_string(kKleinste_Bildseite) + " und " +
                                 std::to_string(kGroesste_Bildseite) + " Pixeln.");
    const char* art_text = *format == Format::Png ? "kein PNG-Bild" : "keine SVG-Grafik";
    if (!ersetzbar(datei, *format))
        throw std::runtime_error("Die Datei " + datei.string() + " ist " + art_text +
                                 " und wird nicht überschrieben.");

    Diagrammumgebung umgebung;
    // Written beside the target under a temporary name and put in place only when complete, so a
    // failure (a full disk) leaves an earlier picture of that name as it was.
    const fs::path ordner = datei.has_parent_path() ? datei.parent_path() : fs::path(".");
    const fs::path neu = ordner / ("." + datei.filename().string() + ".neu");
    const std::string gescheitert =
        "Das Bild " + datei.string() +
        " konnte nicht geschrieben werden (fehlt das Verzeichnis oder ist der "
        "Datenträger voll?). Eine frühere Datei dieses Namens bleibt unverändert.";
    std::error_code fehler;
    try {
        if (*format == Format::Png)
            png_schreiben(neu, art, daten, auswahl, breite, hoehe);
        else
            svg_schreiben(neu, art, daten, auswahl, breite, hoehe);
    } catch (const std::runtime_error& e) {
        fs::remove(neu, fehler);
        if (std::string(e.what()).empty()) throw std::runtime_error(gescheitert);
        throw;
    } catch (...) {
        fs::remove(neu, fehler);
        throw;
    }
    fs::rename(neu, datei, fehler);
    if (fehler) {
        std::error_code egal;
        fs::remove(neu, egal);
        throw std::runtime_error(gescheitert);
    }
}

} // namespace pyra::ui
