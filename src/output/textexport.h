#pragma once

// Text export of the rows: one line per row with the six numbers joined by a separator, into
// the week's file in the directory "Arbeit" of the program directory.

#include "output/scheinlayout.h"
#include "output/spielscheine.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pyra::output {

inline constexpr const char* Arbeitsverzeichnis = "Arbeit";

// File name of a week: "7_2021.txt" for week 7 of 2021.
std::string Textdatei_Dateiname(std::int64_t woche, std::int64_t jahr);

struct Textdatei {
    std::filesystem::path Datei;        // program directory / "Arbeit" / Dateiname
    std::optional<std::string> Meldung; // set when the directory or the file cannot be made
};

// Makes sure the directory "Arbeit" and the week's file exist. A missing file is created
// empty; an existing file is left as it is.
Textdatei Textdatei_anlegen(const std::filesystem::path& programmverzeichnis, std::int64_t woche,
                            std::int64_t jahr);

// Rows per slip and the text of the last row for slip entry i (0-based).
struct Reihe_bis {
    int Reihen_pro_Spielschein = 0;
    std::string Text; // padded on the left with spaces to at least four characters
};
Reihe_bis Reihe_bis_setzen(const Scheinlayout& layout, std::int64_t eintrag);

// One line of the file without its line end: the six numbers (empty gives 0) joined by the
// separator exactly as given.
std::string Textzeile(const Tippreihe& reihe, const std::string& trennzeichen);

// Refuses a separator that makes the numbers of a line run together or splits a line: empty,
// or with a digit or a line break.
inline constexpr const char* Meldung_Trennzeichen =
    "Das Trennzeichen darf nicht leer sein und keine Ziffer und keinen Zeilenumbruch enthalten.";
std::optional<std::string> Trennzeichen_pruefen(const std::string& trennzeichen);

// Rewrites the file with the rows (in Reihe order) up to the number in reihe_bis; rows without
// Tipp_Zahl_1 are left out. Each line ends with CR LF. A missing file is not created and
// nothing is reported. Returns the message for the user when reihe_bis is no whole number or
// the separator is refused (the file stays untouched), or when writing fails (the file stays as
// it was; the message names the file and the reason).
std::optional<std::string> Textdatei_schreiben(const std::filesystem::path& datei,
                                               const std::string& reihe_bis, const std::string& trennzeichen,
                                               const std::vector<Tippreihe>& reihen);

// Replaces the file with the content: written to a temporary file in the same folder, synced and
// renamed into place, so a failure leaves the earlier file whole. Returns the message for the
// user on failure.
std::optional<std::string> Datei_ersetzen(const std::filesystem::path& datei, const std::string& inhalt);

} // namespace pyra::output
