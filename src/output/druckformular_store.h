#pragma once

// The print dialog's state and operations over the data module, without any widget: the
// dialog copies its controls into these members before an operation and shows them after.

#include "data/datamodule.h"
#include "output/drucker.h"

#include <cstdint>
#include <string>

namespace pyra::output {

class Druckformular {
  public:
    explicit Druckformular(data::DataModule_Lotto& dm) : dm_(dm) {}

    std::int64_t ListBox_Spielschein = 0; // selected entry of the slip list, 0-based
    std::string Edit_Reihe_von;           // first row of the range
    std::string Edit_Reihe_bis;           // last row of the range
    bool BitBtn_Druck = false;            // enabled state of the print button
    int Reihen_pro_Spielschein = 0;

    // Showing the dialog: slip entry 0, then Reihenbereich_setzen.
    void FormShow();

    // Rows per slip from the layout, the two range edits for the selected slip, Locate("Reihe",
    // von) on Table_Reihen (the main window's row grid follows it), and the print button: enabled
    // when that row exists and has Tipp_Zahl_1.
    void Reihenbereich_setzen();

    // Whether the row named by Edit_Reihe_von can start a slip: Locate on Table_Reihen, then
    // the row must have Tipp_Zahl_1.
    bool Druck_moeglich();

    // Prints the range of the two edits onto one page: from the row von on, moving Table_Reihen
    // forward with each printed row, row k into row box k, at most as many rows as the slip has
    // boxes; then the tick boxes. Edits that are no whole numbers, or a printer failure, give
    // the message "Bitte Anzahl der Reihen eingeben!"; a layout without row boxes is refused with
    // Meldung_Kein_Scheinlayout before any job starts. True when the page went out.
    bool Spielschein_drucken(Drucker& drucker);

  private:
    data::DataModule_Lotto& dm_;
};

} // namespace pyra::output
