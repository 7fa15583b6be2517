// Fuzz target: the spreadsheet cell reader on workbook bytes (xlsx, ods, xls, or anything).
//
// The bytes become a file that the reader opens as the import does; every cell that the import
// could look at is read as text and as a whole number. A damaged workbook may only end in
// ImportFehler with a message. For xls files the reader runs libfreexl in a child process, so a
// fault in its own BIFF parser there would only look like a damaged file: that parser is also
// run here, in this process, on the same bytes.

#include "maintenance/zellenleser.h"
#include "biff.h"
#include "gemeinsam.h"

#include <cctype>
#include <charconv>
#include <csignal>
#include <pthread.h>
#include <string>

#ifdef PYRA_FUZZ_PROGRAMM
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

using pyra::fuzz::verletzt;
using pyra::maintenance::ImportFehler;

// Sheets the import uses: 1 (2016), 6 (2021) and 61 (2015); 2 for a workbook of two sheets.
// Sheet 61 is left out: no workbook of fuzzed bytes has that many sheets, so it would only take
// the way of sheet 6 once more.
constexpr int blaetter[] = {1, 2, 6};
// The import reads rows 1..250 and columns up to 31; a little beyond that does no harm.
constexpr int zeilen = 252;
constexpr int spalten = 36;

// FNV-1a over the input.
[[maybe_unused]] std::uint32_t streuwert(const std::uint8_t* daten, std::size_t groesse) {
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < groesse; ++i) h = (h ^ daten[i]) * 16777619u;
    return h;
}

bool nur_ziffern(const std::string& t) {
    std::size_t i = t.size() > 1 && t[0] == '-' ? 1 : 0;
    if (t.size() - i == 0 || t.size() - i > 15) return false;
    for (; i < t.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(t[i]))) return false;
    return true;
}

void blatt_lesen(pyra::maintenance::Zellenleser& leser, const std::string& datei, int blatt) {
    try {
        leser.Oeffnen(datei, blatt);
    } catch (const ImportFehler& e) {
        if (std::string(e.what()).empty()) verletzt("ImportFehler ohne Meldung beim Öffnen");
        pyra::fuzz::bericht("Blatt " + std::to_string(blatt) + ": " + e.what());
        return;
    }
    pyra::fuzz::bericht("Blatt " + std::to_string(blatt) + " gelesen");
    for (int z = 1; z <= zeilen; ++z) {
        for (int s = 1; s <= spalten; ++s) {
            const std::string text = leser.Text(z, s);
            try {
                const long long g = leser.Ganzzahl(z, s);
                if (text.empty() && g != 0) verletzt("leere Zelle mit Ganzzahl " + std::to_string(g));
                if (nur_ziffern(text)) {
                    long long erwartet = 0;
                    std::from_chars(text.data(), text.data() + text.size(), erwartet);
                    if (g != erwartet) verletzt("Text \"" + text + "\" gibt Ganzzahl " + std::to_string(g));
                }
            } catch (const ImportFehler& e) {
                if (nur_ziffern(text))
                    verletzt("Text \"" + text + "\" gilt nicht als ganze Zahl: " + e.what());
            }
        }
    }
    // Cells outside any worksheet are refused with a message.
    for (auto [z, s] : {std::pair{0, 1}, {1, 0}, {-1, -1}, {2000000, 1}, {1, 20000}}) {
        bool geworfen = false;
        try {
            leser.Text(z, s);
        } catch (const ImportFehler&) {
            geworfen = true;
        }
        if (!geworfen) verletzt("Zelle außerhalb des Blatts ohne Fehler gelesen");
    }
    leser.Schliessen();
}

#ifdef PYRA_FUZZ_PROGRAMM
// The xls reader's child process is a copy of this one, with libFuzzer's handlers for crashes,
// sanitizer reports and its time-out alarm. A crash of libfreexl there is contained by design
// (the parent reports a damaged workbook), so the child gets the default handlers back and does
// not report it as a finding of its own.
void kind_ohne_fuzzer() {
    __sanitizer_set_death_callback(nullptr);
    for (int s :
         {SIGSEGV, SIGBUS, SIGABRT, SIGILL, SIGFPE, SIGALRM, SIGUSR1, SIGUSR2, SIGINT, SIGTERM, SIGXFSZ})
        std::signal(s, SIG_DFL);
}
const int kind_vorbereitet = pthread_atfork(nullptr, nullptr, kind_ohne_fuzzer);
#endif

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    const std::string datei = pyra::fuzz::arbeitsverzeichnis() + "mappe";
    pyra::fuzz::datei_schreiben(datei, daten, groesse);

    auto leser = pyra::maintenance::Zellenleser_erzeugen();
    // An xls file is read in a child process, one fork per opening. A fork of the large sanitized
    // fuzzing process costs more than everything else together, and the reader's own BIFF parser
    // runs here below on every xls input anyway. So one xls input in sixteen (chosen by its
    // bytes, so that a finding can be reproduced) goes through the child, for one sheet. The
    // regression program takes every committed input through it.
    const bool ole =
        groesse >= 4 && daten[0] == 0xD0 && daten[1] == 0xCF && daten[2] == 0x11 && daten[3] == 0xE0;
#ifdef PYRA_FUZZ_PROGRAMM
    const bool ueber_kind = streuwert(daten, groesse) % 16 == 0;
#else
    const bool ueber_kind = true;
#endif
    if (!ole || ueber_kind) {
        for (int blatt : blaetter) {
            blatt_lesen(*leser, datei, blatt);
            if (ole) break;
        }
    }

    // The BIFF parser of the xls reader, in this process.
    const std::string inhalt(reinterpret_cast<const char*>(daten), groesse);
    pyra::platform::sheet::BiffMappe mappe;
    if (pyra::platform::sheet::biff_mappe_lesen(inhalt, mappe)) {
        for (std::size_t i = 0; i < mappe.blaetter.size() && i < 8; ++i)
            pyra::platform::sheet::biff_formeln_lesen(
                mappe, i, [](std::uint32_t z, std::uint32_t s, const pyra::platform::sheet::Formelwert&) {
                    if (z == 0 || s == 0) verletzt("Formelzelle mit Zeile oder Spalte 0");
                });
    }
    return 0;
}
