#pragma once

// The reduction run: one row per pass of 10,000 random candidates drawn from the system numbers,
// each candidate checked by the row filter and the statistical thresholds, the one overlapping
// least with the rows found so far kept (ties go to the higher statistics score, then to the
// earlier candidate). No database work happens here: the caller reads the inputs, stores the
// rows this run returns and shows the messages.

#include "system/filter.h"
#include "system/grundlagen.h"
#include "system/statistik.h"
#include "system/zufall.h"

#include <functional>
#include <string>
#include <vector>

namespace pyra::system {

struct Kuerzungseingabe {
    Systemflags Systemzahlen{};
    std::array<int, 3> Bankzahlen{}; // Bankzahl_1 .. Bankzahl_3, empty reads 0
    int Zahlen_bis = 49;             // N
    int Reihenberechnung = 0;        // rows wanted; above 750 capped to 750, 0 or less runs no pass
    Filteroptionen Filter;
    Schwellenwerte Schwellen;
    Statistikgrundlage Grundlage;
};

// What the run asks of its caller. Empty functions mean: never abort, answer Yes, show nothing.
struct Kuerzungsablauf {
    // After row i has been found: show the running count i, let at most one pending window
    // message run, and return whether Escape is down. When it is not, let the remaining messages
    // run before returning. On true the run shows "Berechnung abgebrochen!" through Meldung.
    std::function<bool(int i, const Reihe& reihe)> Reihe_gefunden;
    // The partial-result question "Nur <i-1> Systemreihen erstellt - Übernehmen?"; true = Yes.
    std::function<bool(const std::string& frage)> Frage;
    // An information message ("Berechnung abgebrochen!").
    std::function<void(const std::string& meldung)> Meldung;
};

enum class Kuerzungsende {
    Keine_Durchlaeufe, // Reihenberechnung 0 or less: no pass ran
    Vollstaendig,      // every pass found a row
    Teilergebnis,      // a pass found no candidate and the user kept the rows found so far
    Verworfen,         // a pass found no candidate and the user declined: store nothing
    Abgebrochen,       // Escape noticed after a pass
};

struct Kuerzungsergebnis {
    Kuerzungsende Ende = Kuerzungsende::Keine_Durchlaeufe;
    // False only after "No" to the partial-result question: table Reihen stays untouched.
    bool Speichern = true;
    // Rows 1..m to store in this order (ascending numbers each); rows of the selection beyond m
    // that are emptied get deleted by the caller.
    std::vector<Reihe> Reihen;
    int Durchlaeufe = 0; // passes run
};

enum class Kuerzungsverfahren {
    // Bit sets, a per-candidate table with incremental overlap scores and cached filter and
    // statistics verdicts; falls back to per-number row bit sets when the candidate space is large.
    Schnell,
    // The fast method without the per-candidate table (the fallback for large candidate spaces).
    Schnell_ohne_Tabelle,
    // The plain method: every candidate scored against all 750 slots with 36 comparisons each.
    Direkt,
};

// One reduction run. The generator is seeded by the caller (clock, or --seed). For the same
// input and the same random stream every method returns the same rows.
Kuerzungsergebnis Reihenkuerzung(const Kuerzungseingabe& eingabe, Zufallsgenerator& zufall,
                                 const Kuerzungsablauf& ablauf = {},
                                 Kuerzungsverfahren verfahren = Kuerzungsverfahren::Schnell);

// One candidate drawn the plain way: the valid bank numbers (1..N, marked, not repeated) at
// positions 1..3, every other position a number chosen uniformly among the system numbers up to
// N not yet in the candidate, sorted ascending. A position with no fitting number stays 0.
Reihe Kandidat_bilden(const Systemflags& systemzahlen, const std::array<int, 3>& bankzahlen, int zahlen_bis,
                      Zufallsgenerator& zufall);

} // namespace pyra::system
