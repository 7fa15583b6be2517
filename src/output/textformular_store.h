#pragma once

// The text-export dialog's state and operations over the data module, without any widget: the
// dialog copies its controls into these members before an operation and shows them after.

#include "data/datamodule.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace pyra::output {

class Textformular {
  public:
    explicit Textformular(data::DataModule_Lotto& dm) : dm_(dm) {}

    std::int64_t ListBox_Spielschein = 0; // selected entry of the slip list, 0-based
    std::string Edit_Reihe_bis;           // last row to write
    std::string Edit_Trennzeichen;        // separator between the numbers, taken as typed
    int Reihen_pro_Spielschein = 0;
    std::string Dateiname; // "<Woche_aktuell>_<Jahr_aktuell>.txt", fixed by Textdatei_anlegen

    // Showing the dialog: slip entry 0, separator ",", Reihe_bis_setzen, Textdatei_anlegen.
    void FormShow();

    // Rows per slip from the layout and the last row of the selected slip into Edit_Reihe_bis.
    void Reihe_bis_setzen();

    // Creates the directory "Arbeit" in the program directory and the week's file when they are
    // missing (an existing file stays as it is) and fixes Dateiname from the selection.
    void Textdatei_anlegen();

    // Rewrites the week's file with the rows from the first one (First on Table_Reihen) up to
    // the row number in Edit_Reihe_bis; rows without Tipp_Zahl_1 are left out. A file deleted
    // since Textdatei_anlegen is not made again and nothing is said. Edit_Reihe_bis not a whole
    // number, or a write failure, gives "Bitte Anzahl der Reihen eingeben!". True when the file
    // was written.
    bool Textdatei_schreiben();

    // Program directory / "Arbeit" / Dateiname; empty before Textdatei_anlegen.
    std::filesystem::path Datei() const;

  private:
    data::DataModule_Lotto& dm_;
};

} // namespace pyra::output
