// Number statistics on the German Saturday draws of the shipped history.

#include "stats/analysewerte.h"
#include "stats/zahlentipp.h"
#include "stats/ziehungsmerkmale.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

using namespace pyra::stats;

namespace {

const Serie& samstage() {
    static const Serie serie = [] {
        std::ifstream datei(PYRA_ZIEHUNGEN_CSV, std::ios::binary);
        if (!datei) throw std::runtime_error("cannot read " PYRA_ZIEHUNGEN_CSV);
        std::ostringstream text;
        text << datei.rdbuf();
        return Serie_aus_CSV(text.str(), 3, 1);
    }();
    return serie;
}

std::vector<ZahlDaten> zahl_daten() {
    std::vector<ZahlDaten> zeilen(49);
    for (int n = 1; n <= 49; ++n) zeilen[n - 1].Zahl = n;
    return zeilen;
}

// Counting pass, probability, taking over into the 49 rows, rank sums and tip for week 20 of 2024.
void BM_Statistik_Woche_2024(benchmark::State& state) {
    const Serie& serie = samstage();
    auto zeilen = zahl_daten();
    for (auto _ : state) {
        auto tipp = Statistik_berechnen(serie, 2024, 20, 49, zeilen);
        benchmark::DoNotOptimize(tipp);
    }
    state.counters["Ziehungen"] = static_cast<double>(serie.size());
}
BENCHMARK(BM_Statistik_Woche_2024)->Unit(benchmark::kMicrosecond);

// Per-draw fields of every draw in one pass, then the three tables.
void BM_Analyse_ein_Durchgang(benchmark::State& state) {
    const Serie& serie = samstage();
    for (auto _ : state) {
        auto a = Analysewerte_berechnen(Ziehungsmerkmale_berechnen(serie, serie.size() - 1));
        benchmark::DoNotOptimize(a);
    }
    state.counters["Ziehungen"] = static_cast<double>(serie.size());
}
BENCHMARK(BM_Analyse_ein_Durchgang)->Unit(benchmark::kMillisecond);

// The same with a fresh count relative to every draw (quadratic), for comparison.
void BM_Analyse_Nachzaehlen(benchmark::State& state) {
    const Serie& serie = samstage();
    for (auto _ : state) {
        auto a = Analysewerte_berechnen(Ziehungsmerkmale_nachzaehlen(serie, serie.size() - 1));
        benchmark::DoNotOptimize(a);
    }
    state.counters["Ziehungen"] = static_cast<double>(serie.size());
}
BENCHMARK(BM_Analyse_Nachzaehlen)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
