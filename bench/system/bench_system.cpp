// Benchmarks of the reduction and the simulation on the shipped history (German Saturday draws,
// reference = the last of them), thresholds at -1 and default filters.

#include "geschichte.h"
#include "system/gewinnerwartung.h"
#include "system/kuerzung.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace pyra::system;
using pyra::system::bench::geteilte_grundlage;

namespace {

Kuerzungseingabe eingabe(std::initializer_list<int> zahlen) {
    Kuerzungseingabe e;
    for (int z : zahlen) e.Systemzahlen[static_cast<std::size_t>(z)] = true;
    e.Reihenberechnung = Max_Reihen;
    e.Schwellen = {-1, -1, -1};
    e.Grundlage = geteilte_grundlage();
    return e;
}

const std::initializer_list<int> Zwoelf{3, 7, 12, 18, 22, 25, 29, 33, 38, 41, 44, 47};
const std::initializer_list<int> Zwanzig{2,  5,  8,  11, 13, 17, 19, 23, 26, 29,
                                         31, 34, 37, 40, 41, 43, 44, 46, 47, 49};
const std::initializer_list<int> Dreissig{1,  2,  4,  5,  7,  8,  10, 12, 13, 15, 17, 18, 20, 22, 24,
                                          26, 27, 29, 31, 33, 34, 36, 38, 39, 41, 43, 44, 46, 47, 49};
const std::initializer_list<int> Alle{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                                      18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34,
                                      35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49};

void kuerzung(benchmark::State& state, std::initializer_list<int> zahlen, Kuerzungsverfahren verfahren) {
    const Kuerzungseingabe e = eingabe(zahlen);
    std::size_t reihen = 0;
    for (auto _ : state) {
        Zufallsgenerator z(2024);
        const Kuerzungsergebnis r = Reihenkuerzung(e, z, {}, verfahren);
        reihen = r.Reihen.size();
        benchmark::DoNotOptimize(r.Reihen.data());
    }
    state.counters["Reihen"] = static_cast<double>(reihen);
}

void simulation(benchmark::State& state, Simulationsverfahren verfahren) {
    Kuerzungseingabe e = eingabe(Zwoelf);
    Zufallsgenerator z(2024);
    const std::vector<Reihe> reihen = Reihenkuerzung(e, z).Reihen;
    Gewinnerwartungswerte w;
    for (auto _ : state) {
        Zufallsgenerator zs(7);
        w = Gewinnerwartung_berechnen(reihen, static_cast<int>(reihen.size()), 100'000, 49, e.Systemzahlen,
                                      zs, verfahren)
                .Werte;
        benchmark::DoNotOptimize(w);
    }
    state.counters["Reihen"] = static_cast<double>(reihen.size());
    state.counters["Gw_3_6"] = w.Gw_3_6;
    state.counters["Gw_5_6"] = w.Gw_5_6;
}

} // namespace

BENCHMARK_CAPTURE(kuerzung, 750_aus_12, Zwoelf, Kuerzungsverfahren::Schnell)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(kuerzung, 750_aus_20, Zwanzig, Kuerzungsverfahren::Schnell)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(kuerzung, 750_aus_30, Dreissig, Kuerzungsverfahren::Schnell)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(kuerzung, 750_aus_49, Alle, Kuerzungsverfahren::Schnell)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(kuerzung, 750_aus_30_ohne_Tabelle, Dreissig, Kuerzungsverfahren::Schnell_ohne_Tabelle)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(kuerzung, 750_aus_12_ohne_Tabelle, Zwoelf, Kuerzungsverfahren::Schnell_ohne_Tabelle)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(kuerzung, 750_aus_20_ohne_Tabelle, Zwanzig, Kuerzungsverfahren::Schnell_ohne_Tabelle)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(kuerzung, 750_aus_12_direkt, Zwoelf, Kuerzungsverfahren::Direkt)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(simulation, S100000_750_Reihen, Simulationsverfahren::Schnell)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(simulation, S100000_750_Reihen_direkt, Simulationsverfahren::Direkt)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

BENCHMARK_MAIN();
