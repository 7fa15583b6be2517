#pragma once

namespace pyra::historie {
// The shipped draw history: data/ziehungen.csv and data/gewinne.csv as they stand.
extern const char* const ziehungen_csv;
extern const char* const gewinne_csv;
} // namespace pyra::historie
