// The exact guarantee check: 750 rows against every choice of up to six of v system numbers.

#include "system/garantie.h"
#include "system/zufall.h"

#include <benchmark/benchmark.h>

#include <algorithm>

#include <vector>

using namespace pyra::system;

namespace {

// 750 random rows over the numbers 1..v, all of them system numbers.
void pruefung(benchmark::State& state) {
    const int v = static_cast<int>(state.range(0));
    const int anzahl = static_cast<int>(state.range(1));
    Systemflags f{};
    for (int z = 1; z <= v; ++z) f[static_cast<std::size_t>(z)] = true;
    Zufallsgenerator zufall(3);
    std::vector<Reihe> reihen;
    for (int i = 0; i < anzahl; ++i) {
        Reihe r{};
        for (std::size_t p = 0; p < 6; ++p) {
            int z = 0;
            do z = 1 + zufall.unter(v);
            while (std::find(r.begin(), r.end(), z) != r.end());
            r[p] = z;
        }
        std::sort(r.begin(), r.end());
        reihen.push_back(r);
    }
    Garantiepruefung e;
    for (auto _ : state) {
        e = Garantie_pruefen(reihen, f, 49);
        benchmark::DoNotOptimize(e);
    }
    state.counters["Exakt"] = e.Exakt ? 1 : 0;
    state.counters["Gw_3_6"] = e.Werte[3].Abdeckung;
}

} // namespace

BENCHMARK(pruefung)
    ->Args({20, 750})
    ->Args({30, 750})
    ->Args({40, 750})
    ->Args({49, 100})
    ->Args({49, 750})
    ->Unit(benchmark::kMillisecond);
