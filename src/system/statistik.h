#pragma once

// The statistical side of the reduction: the history sets built from the draws before the
// reference draw, the whole-number percentage tables taken from the analysis tables, the
// statistics score with its thresholds, and the overlap score of a candidate against the row store.

#include "system/grundlagen.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace pyra::system {

// [k][v]: k = 1..7 (row 0 unused), v = 0..6.
using Prozenttabelle = std::array<std::array<int, 7>, 8>;
// [b]: band b = 1..15 (entry 0 unused); band b covers the overdue sums 10b-9 .. 10b.
using Summentabelle = std::array<int, 16>;
// [k]: k = 1..7 (entry 0 unused).
using Mengenfolge = std::array<Zahlenmenge, 8>;
// [n]: n = 1..49 (entry 0 unused); -1 = never drawn before the reference draw.
using Rueckstandstabelle = std::array<int, Hoechste_Zahl + 1>;

// Index of the draw with this year and week in the series, if there is one.
std::optional<std::size_t> Referenz_suchen(std::span<const Ziehung> serie, int jahr, int woche);

// History sets relative to the draw serie[referenz]; only the draws before it count, walking back
// from the one immediately before it and skipping draws without results. Numbers outside 1..49
// are ignored. A reference index past the end counts every draw of the series as earlier; then
// there is no reference week and the same-week sets stay empty.
Mengenfolge Wochenmenge(std::span<const Ziehung> serie, std::size_t referenz);
Mengenfolge Jahresmenge(std::span<const Ziehung> serie, std::size_t referenz);
Rueckstandstabelle Rueckstand(std::span<const Ziehung> serie, std::size_t referenz);

// Rounds to the nearest whole number, halves to the even neighbour (12.5 -> 12, 13.5 -> 14).
// Values that are not numbers read 0; values beyond the int range are clamped.
int Runden_halb_gerade(double wert);

// The percentage tables from the raw record values in key order: fields 0_Zahlen .. 6_Zahlen of
// Ziehung_Wo_z and Ziehung_Ja_z, field Prozent of Summe_Ru; empty fields read 0. Records beyond the
// seventh (for the sums, the fifteenth) are ignored; missing records leave zeros.
Prozenttabelle Wochenprozente(std::span<const std::array<double, 7>> datensaetze);
Prozenttabelle Jahresprozente(std::span<const std::array<double, 7>> datensaetze);
Summentabelle Summenprozente(std::span<const double> prozente);

// Everything the statistics score needs.
struct Statistikgrundlage {
    Mengenfolge Wochenmenge{};
    Mengenfolge Jahresmenge{};
    Rueckstandstabelle Rueckstand = leerer_Rueckstand();
    Prozenttabelle Wochenprozente{};
    Prozenttabelle Jahresprozente{};
    Summentabelle Summenprozente{};

    static Rueckstandstabelle leerer_Rueckstand() {
        Rueckstandstabelle r;
        r.fill(-1);
        return r;
    }
};

// Builds all six parts in one go.
Statistikgrundlage Statistikgrundlage_bilden(std::span<const Ziehung> serie, std::size_t referenz,
                                             std::span<const std::array<double, 7>> ziehung_wo_z,
                                             std::span<const std::array<double, 7>> ziehung_ja_z,
                                             std::span<const double> summe_ru);

// The three percentage thresholds of Optionen_2 (empty fields read 0).
struct Schwellenwerte {
    int Prozent_Woche = 0;
    int Prozent_Jahr = 0;
    int Prozent_Summe = 0;
};

struct Statistikwertung {
    std::int32_t Punkte = 0;
    bool Verworfen = false;
};

// The parts of the statistics score; each sets `verworfen` when a looked-up percentage is not
// above its threshold and leaves it alone otherwise.
std::int32_t Wochenbewertung(const Reihe& k, const Statistikgrundlage& g, const Schwellenwerte& s,
                             bool& verworfen);
std::int32_t Jahresbewertung(const Reihe& k, const Statistikgrundlage& g, const Schwellenwerte& s,
                             bool& verworfen);
// An overdue sum outside 1..150 has no band and uses the percentage 0.
std::int32_t Summenbewertung(const Reihe& k, const Statistikgrundlage& g, const Schwellenwerte& s,
                             bool& verworfen);

// Wochenbewertung + Jahresbewertung + 2 * Summenbewertung; all three are always evaluated.
Statistikwertung Statistik_bewerten(const Reihe& k, const Statistikgrundlage& g, const Schwellenwerte& s);

// Weight of a stored row sharing v numbers with the candidate (v = 0..6).
inline constexpr std::array<std::int64_t, 7> Ueberdeckungsgewicht{
    1, 1'000, 1'000'000, 100'000'000, 10'000'000'000, 1'000'000'000'000, 100'000'000'000'000};
// Overlap score a pass starts from.
inline constexpr double Ueberdeckung_Start = 1e14;

// Overlap score of K against the slots of the row store (all 750, empty ones included): per slot
// the number of equal pairs of positions, weighted and summed as a 64-bit integer.
double Ueberdeckung_bewerten(const Reihe& k, std::span<const Reihe> reihenspeicher);

} // namespace pyra::system
