#pragma once

// Printer adapter over Qt Print Support: the system's default printer without a dialog, a PDF
// file in the work directory when no printer is installed, or a given PDF file.
// Needs a QGuiApplication (Druckumgebung makes one where none exists).

#include "output/drucker.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

class QPainter;

namespace pyra::platform {

// Makes sure a QGuiApplication exists while this object lives. Without a display (no DISPLAY
// and no WAYLAND_DISPLAY) and without a chosen platform it uses the "offscreen" platform, so
// the batch companion prints on machines without a desktop.
class Druckumgebung {
  public:
    Druckumgebung();
    ~Druckumgebung();
    Druckumgebung(const Druckumgebung&) = delete;
    Druckumgebung& operator=(const Druckumgebung&) = delete;

  private:
    struct Daten;
    std::unique_ptr<Daten> d_;
};

// True when the file may be written as a PDF: it does not exist, or it is a PDF file.
bool Pdf_ersetzbar(const std::filesystem::path& datei);
// True when the file is a whole PDF: its header and the end-of-file mark of its trailer.
bool Pdf_vollstaendig(const std::filesystem::path& datei);

class Qt_Drucker final : public output::Drucker {
  public:
    // The system's default printer (the first installed one when none is marked as default).
    // Without any installed printer each page goes into a new PDF file
    // <programmverzeichnis>/Arbeit/Spielschein_<woche>_<jahr>_<n>.pdf, n the first number
    // whose file does not exist yet.
    static std::unique_ptr<Qt_Drucker> Standarddrucker(const std::filesystem::path& programmverzeichnis,
                                                       std::int64_t woche, std::int64_t jahr);
    // Every page goes into this PDF file; an existing PDF file is replaced once the new page is
    // complete, any other existing file is refused.
    static std::unique_ptr<Qt_Drucker> Pdf_Drucker(const std::filesystem::path& datei);

    ~Qt_Drucker() override;

    // For documents other than play slips, before the job begins: the job's name, the stem of the
    // fallback PDF file (<stamm>_<n>.pdf in "Arbeit") and how the notice names the document
    // (for example "Das Diagramm").
    void Dokument_benennen(const std::string& name, const std::string& dateistamm,
                           const std::string& bezeichnung);
    // The painter of the running job, for drawing more than text; nullptr without a job.
    QPainter* Maler();

    // True when the pages go into PDF files rather than to a printer.
    bool Pdf_Ausgabe() const;
    // The PDF file of the last finished page; empty when printing to a printer.
    std::filesystem::path Pdf_Datei() const;
    // The message telling the user where the last page went when no printer is installed;
    // empty when there is nothing to tell.
    std::string Hinweis() const;
    // Name of the printer, or empty for PDF output.
    std::string Druckername() const;

    void Druckauftrag_beginnen() override;
    int Seitenbreite() const override;
    int Seitenhoehe() const override;
    void Schrift_setzen(const std::string& name, int punktgroesse) override;
    void Text_ausgeben(int x, int y, const std::string& text) override;
    void Druckauftrag_beenden() override;
    void Druckauftrag_abbrechen() noexcept override;

    // Font family actually used for a requested family: the family itself when installed,
    // otherwise the nearest installed sans-serif font.
    static std::string Schriftfamilie(const std::string& name);

  private:
    struct Daten;
    explicit Qt_Drucker(std::unique_ptr<Daten> d);
    std::unique_ptr<Daten> d_;
};

} // namespace pyra::platform
