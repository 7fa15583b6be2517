#pragma once

// The charts of the draw history as picture files, without any window: what the batch companion
// links. This header is free of Qt; the renderer behind it creates the Qt application it needs
// (on the "offscreen" platform when there is no display).

#include "stats/diagrammwerte.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pyra::ui {

// The five charts, in the order of the window's tabs.
enum class Diagrammart { Haeufigkeit, Rueckstand, Wiederholungen, Summen, Verlauf };
inline constexpr int kAnzahl_Diagramme = 5;

// The batch companion's names: haeufigkeit, rueckstand, wiederholungen, summen, verlauf.
std::optional<Diagrammart> Diagrammart_aus_Name(std::string_view name);
std::string Diagrammart_Name(Diagrammart art);

// The choice a chart depends on: the number of the Verlauf chart (1..N) and z (1..7) of the
// Wiederholungen chart; the other charts ignore it.
bool Auswahl_gueltig(Diagrammart art, int auswahl, int zahlen_bis);

// Picture sizes the files may have, in pixels.
inline constexpr int kKleinste_Bildseite = 200;
inline constexpr int kGroesste_Bildseite = 4000;

// Renders the chart with the sentence beneath it into a PNG or an SVG file of the given size in
// pixels; the file's ending (.png or .svg, in any case) chooses the format. The picture is
// written under a temporary name beside the file and put in place only when complete; an
// existing file that is not a picture of that format is never overwritten. Throws
// std::runtime_error with a German message.
void Diagramm_als_Bild_speichern(Diagrammart art, const stats::Diagrammdaten& daten, int auswahl,
                                 const std::filesystem::path& datei, int breite, int hoehe);

// True when the ending of the file names one of the two picture formats.
bool Bildformat_bekannt(const std::filesystem::path& datei);

} // namespace pyra::ui
