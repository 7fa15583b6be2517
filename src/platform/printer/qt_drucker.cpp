#include "platform/printer/qt_drucker.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace pyra::platform {

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------------------------
struct Druckumgebung::Daten {
    int argc = 1;
    char name[16] = "pyra-lotto";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
};

Druckumgebung::Druckumgebung() : d_(std::make_unique<Daten>()) {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    d_->app = std::make_unique<QGuiApplication>(d_->argc, d_->argv);
}

Druckumgebung::~Druckumgebung() = default;

// ---------------------------------------------------------------------------------------------
namespace {

enum class Ausgabe { Drucker, Pdf_Ersatz, Pdf_Datei };

void gui_pruefen() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw std::runtime_error("Drucken ist ohne QGuiApplication nicht möglich.");
}

QString qtext(const std::string& s) {
    return QString::fromStdString(s);
}
QString qpfad(const fs::path& p) {
    return QString::fromStdString(p.string());
}

// First file <stamm><n>.pdf in the directory that does not exist yet.
fs::path freie_pdf_datei(const fs::path& verzeichnis, const std::string& stamm) {
    std::error_code fehler;
    for (int n = 1;; ++n) {
        fs::path datei = verzeichnis / (stamm + std::to_string(n) + ".pdf");
        if (!fs::exists(datei, fehler) && !fehler) return datei;
        if (fehler) throw std::runtime_error("Die PDF-Datei kann nicht angelegt werden.");
    }
}

} // namespace

bool Pdf_ersetzbar(const fs::path& datei) {
    std::error_code fehler;
    if (!fs::exists(fs::symlink_status(datei, fehler))) return true;
    if (!fs::is_regular_file(datei, fehler)) return false;
    std::ifstream ein(datei, std::ios::binary);
    char kopf[5] = {};
    ein.read(kopf, sizeof kopf);
    return ein.gcount() == 5 && std::string(kopf, 5) == "%PDF-";
}

bool Pdf_vollstaendig(const fs::path& datei) {
    std::ifstream ein(datei, std::ios::binary | std::ios::ate);
    if (!ein) return false;
    const std::streamoff groesse = ein.tellg();
    if (groesse < 64) return false;
    std::string kopf(5, '\0');
    ein.seekg(0);
    ein.read(kopf.data(), 5);
    // The trailer ends with "%%EOF" and at most a line end or two.
    const std::streamoff ende = std::min<std::streamoff>(groesse, 32);
    std::string schluss(static_cast<std::size_t>(ende), '\0');
    ein.seekg(groesse - ende);
    ein.read(schluss.data(), ende);
    return ein.good() && kopf == "%PDF-" && schluss.find("%%EOF") != std::string::npos;
}

struct Qt_Drucker::Daten {
    Ausgabe art = Ausgabe::Drucker;
    QPrinterInfo info;
    fs::path programmverzeichnis;
    std::int64_t woche = 0, jahr = 0;
    // A play slip unless Dokument_benennen says otherwise.
    std::string dokument = "Spielschein";
    std::string dateistamm; // empty: Spielschein_<woche>_<jahr>
    std::string bezeichnung = "Der Spielschein";
    fs::path pdf_ziel;       // the given file of Pdf_Drucker
    fs::path aktuelle_datei; // PDF file of the running job: a temporary file beside its target
    fs::path aktuelles_ziel; // where the running job's PDF goes once it is complete
    fs::path letzte_datei;   // PDF file of the last finished job
    std::unique_ptr<QPrinter> printer;
    QPainter painter; // declared after the printer: ends before the printer goes
    QRect seite;

    bool pdf() const { return art != Ausgabe::Drucker; }

    // The page is written to a temporary file beside the target and put in place only when it is
    // complete: Qt's PDF engine does not report a failed write, so a full disk would otherwise
    // leave a broken file under the target's name.
    void pdf_einrichten(const fs::path& ziel) {
        const fs::path datei = ziel.parent_path() / ("." + ziel.filename().string() + ".neu");
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(qpfad(datei));
        // Positions are measured from the sheet's edges: a PDF has no unprintable border.
        printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                           QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        aktuelle_datei = datei;
        aktuelles_ziel = ziel;
    }

    void pdf_entfernen() {
        if (!pdf() || aktuelle_datei.empty()) return;
        std::error_code fehler;
        fs::remove(aktuelle_datei, fehler);
        aktuelle_datei.clear();
    }
};

Qt_Drucker::Qt_Drucker(std::unique_ptr<Daten> d) : d_(std::move(d)) {}

Qt_Drucker::~Qt_Drucker() {
    Druckauftrag_abbrechen();
}

std::unique_ptr<Qt_Drucker> Qt_Drucker::Standarddrucker(const fs::path& programmverzeichnis,
                                                        std::int64_t woche, std::int64_t jahr) {
    gui_pruefen();
    auto d = std::make_unique<Daten>();
    d->info = QPrinterInfo::defaultPrinter();
    if (d->info.isNull()) {
        const QList<QPrinterInfo> alle = QPrinterInfo::availablePrinters();
        if (!alle.isEmpty()) d->info = alle.first();
    }
    d->art = d->info.isNull() ? Ausgabe::Pdf_Ersatz : Ausgabe::Drucker;
    d->programmverzeichnis = programmverzeichnis;
    d->woche = woche;
    d->jahr = jahr;
    return std::unique_ptr<Qt_Drucker>(new Qt_Drucker(std::move(d)));
}

std::unique_ptr<Qt_Drucker> Qt_Drucker::Pdf_Drucker(const fs::path& datei) {
    gui_pruefen();
    auto d = std::make_unique<Daten>();
    d->art = Ausgabe::Pdf_Datei;
    d->pdf_ziel = datei;
    return std::unique_ptr<Qt_Drucker>(new Qt_Drucker(std::move(d)));
}

bool Qt_Drucker::Pdf_Ausgabe() const {
    return d_->pdf();
}

fs::path Qt_Drucker::Pdf_Datei() const {
    return d_->letzte_datei;
}

std::string Qt_Drucker::Hinweis() const {
    if (d_->art != Ausgabe::Pdf_Ersatz || d_->letzte_datei.empty()) return {};
    return "Kein Drucker installiert! " + d_->bezeichnung + " wurde in die Datei " +
           d_->letzte_datei.string() + " geschrieben.";
}

std::string Qt_Drucker::Druckername() const {
    return d_->art == Ausgabe::Drucker ? d_->info.printerName().toStdString() : std::string();
}

void Qt_Drucker::Druckauftrag_beginnen() {
    gui_pruefen();
    if (d_->painter.isActive()) throw std::runtime_error("Ein Druckauftrag läuft bereits.");
    d_->printer.reset();

    switch (d_->art) {
    case Ausgabe::Drucker:
        d_->printer = std::make_unique<QPrinter>(d_->info, QPrinter::HighResolution);
        d_->aktuelle_datei.clear();
        break;
    case Ausgabe::Pdf_Ersatz: {
        const fs::path verzeichnis = d_->programmverzeichnis / "Arbeit";
        std::error_code fehler;
        fs::create_directories(verzeichnis, fehler);
        const std::string stamm = d_->dateistamm.empty() ? "Spielschein_" + std::to_string(d_->woche) + "_" +
                                                               std::to_string(d_->jahr) + "_"
                                                         : d_->dateistamm + "_";
        d_->pdf_einrichten(freie_pdf_datei(verzeichnis, stamm));
        break;
    }
    case Ausgabe::Pdf_Datei:
        if (!Pdf_ersetzbar(d_->pdf_ziel))
            throw std::runtime_error("Die Datei " + d_->pdf_ziel.string() +
                                     " ist keine PDF-Datei und wird nicht überschrieben.");
        d_->pdf_einrichten(d_->pdf_ziel);
        break;
    }
    d_->printer->setDocName(qtext(d_->dokument));
    d_->printer->setFullPage(false);

    if (!d_->painter.begin(d_->printer.get())) {
        const fs::path ziel = d_->aktuelles_ziel;
        const bool pdf = d_->pdf();
        d_->pdf_entfernen();
        if (pdf) throw std::runtime_error("Die PDF-Datei " + ziel.string() + " kann nicht angelegt werden.");
        throw std::runtime_error("Der Druckauftrag kann nicht gestartet werden.");
    }
    d_->seite = d_->printer->pageRect(QPrinter::DevicePixel).toRect();
}

void Qt_Drucker::Dokument_benennen(const std::string& name, const std::string& dateistamm,
                                   const std::string& bezeichnung) {
    d_->dokument = name;
    d_->dateistamm = dateistamm;
    d_->bezeichnung = bezeichnung;
}

QPainter* Qt_Drucker::Maler() {
    return d_->painter.isActive() ? &d_->painter : nullptr;
}

int Qt_Drucker::Seitenbreite() const {
    return d_->seite.width();
}

int Qt_Drucker::Seitenhoehe() const {
    return d_->seite.height();
}

std::string Qt_Drucker::Schriftfamilie(const std::string& name) {
    gui_pruefen();
    if (QFontDatabase::hasFamily(qtext(name))) return name;
    QFont ersatz(QStringLiteral("sans-serif"));
    ersatz.setStyleHint(QFont::SansSerif);
    return QFontInfo(ersatz).family().toStdString();
}

void Qt_Drucker::Schrift_setzen(const std::string& name, int punktgroesse) {
    if (!d_->painter.isActive()) throw std::runtime_error("Kein Druckauftrag.");
    QFont schrift(qtext(Schriftfamilie(name)));
    schrift.setStyleHint(QFont::SansSerif);
    // An empty or useless size keeps the font's default size rather than an invisible mark.
    if (punktgroesse > 0) schrift.setPointSize(punktgroesse);
    d_->painter.setFont(schrift);
}

void Qt_Drucker::Text_ausgeben(int x, int y, const std::string& text) {
    if (!d_->painter.isActive()) throw std::runtime_error("Kein Druckauftrag.");
    // QPainter places text on its baseline; the mark's top-left corner is asked for.
    const int grundlinie = y + d_->painter.fontMetrics().ascent();
    d_->painter.drawText(QPoint(x, grundlinie), qtext(text));
}

void Qt_Drucker::Druckauftrag_beenden() {
    if (!d_->painter.isActive()) throw std::runtime_error("Kein Druckauftrag.");
    const bool ok = d_->painter.end() && d_->printer->printerState() != QPrinter::Error;
    if (!ok) {
        d_->pdf_entfernen();
        throw std::runtime_error("Der Druckauftrag ist fehlgeschlagen.");
    }
    if (d_->pdf()) {
        if (!Pdf_vollstaendig(d_->aktuelle_datei)) {
            d_->pdf_entfernen();
            throw std::runtime_error(
                "Die PDF-Datei " + d_->aktuelles_ziel.string() +
                " konnte nicht vollständig geschrieben werden (ist der Datenträger voll?). "
                "Eine frühere Datei dieses Namens bleibt unverändert.");
        }
        std::error_code fehler;
        fs::rename(d_->aktuelle_datei, d_->aktuelles_ziel, fehler);
        if (fehler) {
            d_->pdf_entfernen();
            throw std::runtime_error("Die PDF-Datei " + d_->aktuelles_ziel.string() +
                                     " kann nicht geschrieben werden: " + fehler.message() + ".");
        }
        d_->letzte_datei = d_->aktuelles_ziel;
    }
    d_->aktuelle_datei.clear();
}

void Qt_Drucker::Druckauftrag_abbrechen() noexcept {
    if (!d_->painter.isActive()) return;
    d_->printer->abort();
    if (d_->painter.isActive()) d_->painter.end();
    d_->pdf_entfernen();
}

} // namespace pyra::platform
