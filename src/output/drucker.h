#pragma once

// The printer as the slip printing uses it. The Qt adapter drives a real printer or a PDF
// file; tests record the calls.

#include <string>

namespace pyra::output {

class Drucker {
  public:
    virtual ~Drucker() = default;

    // Starts a print job with one page. Throws on failure.
    virtual void Druckauftrag_beginnen() = 0;
    // Printable page width and height in device pixels (valid once the job has started).
    virtual int Seitenbreite() const = 0;
    virtual int Seitenhoehe() const = 0;
    // Font of the page: family name and size in points.
    virtual void Schrift_setzen(const std::string& name, int punktgroesse) = 0;
    // Draws text with its top-left corner at the device point (x, y) of the printable area.
    virtual void Text_ausgeben(int x, int y, const std::string& text) = 0;
    // Ends the job and sends the page. Throws on failure.
    virtual void Druckauftrag_beenden() = 0;
    // Abandons a started job; nothing of it is printed. Must not throw; does nothing when no
    // job is running.
    virtual void Druckauftrag_abbrechen() noexcept = 0;
};

} // namespace pyra::output
