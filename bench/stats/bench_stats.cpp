// Number statistics on the German Saturday draws of the shipped history.

#include "data/datamodule.h"
#include "data/standarddatenbank.h"
#include "stats/analyse_store.h"
#include "stats/analysewerte.h"
#include "stats/standardanalyse_store.h"
#include "stats/zahl_daten_store.h"
#include "stats/zahlentipp.h"
#include "stats/ziehungsmerkmale.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>

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

// The same through the data module's cursors, on the analysed default database in a temporary
// directory. The selection is chosen by the start sequence's date.
class Stumm : public pyra::data::Benutzerdialog {
  public:
    void Meldung(const std::string&) override {}
    bool Frage(const std::string&) override { return true; }
};

struct Umgebung {
    std::string dir;
    pyra::data::Globale_Zustaende g;
    pyra::data::Fensterzustand fenster;
    Stumm dialog;
    std::unique_ptr<pyra::data::DataModule_Lotto> dm;

    explicit Umgebung(const pyra::data::Datum& heute) {
        std::string muster = (std::filesystem::temp_directory_path() / "pyra-bench-XXXXXX").string();
        if (!mkdtemp(muster.data())) throw std::runtime_error("no temporary directory");
        dir = muster + "/";
        pyra::data::Standarddatenbank_anlegen(dir, heute, pyra::stats::Standarddatenbank_nachbereiten);
        g.Programmverzeichnis = dir;
        dm = std::make_unique<pyra::data::DataModule_Lotto>(g, fenster, dialog);
        dm->Startsequenz(heute);
    }
    ~Umgebung() {
        dm.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

// Week 20 of 2024, Saturday draw.
Umgebung& woche_2024() {
    static Umgebung u({2024, 5, 16});
    return u;
}

// A week after the newest shipped draw: the analysis covers the whole series.
Umgebung& nach_der_Historie() {
    static Umgebung u({2026, 12, 10});
    return u;
}

// Statistik_aktualisieren with the draws query open: count, estimate, 49 posts into Zahl_Daten,
// the rank sums (49 posts) and the tip row.
void BM_Statistik_aktualisieren_Store(benchmark::State& state) {
    auto& dm = *woche_2024().dm;
    dm.Oeffne_Query_Zahlen();
    for (auto _ : state) pyra::stats::Statistik_aktualisieren(dm);
    state.counters["Ziehungen"] = dm.Query_Zahlen.RecordCount();
}
BENCHMARK(BM_Statistik_aktualisieren_Store)->Unit(benchmark::kMillisecond);

// The whole sort click on out-of-date statistics: reopen the query, look at the draw before,
// Statistik_aktualisieren, the index and First.
void BM_Sortierung_anwenden_Store(benchmark::State& state) {
    auto& u = woche_2024();
    for (auto _ : state) {
        u.g.Statistik_neu_berechnen = true;
        pyra::stats::Sortierung_anwenden(*u.dm, pyra::stats::Sortierung::Wahrscheinlichkeit);
    }
}
BENCHMARK(BM_Sortierung_anwenden_Store)->Unit(benchmark::kMillisecond);

// The analysis dialog's calculation when the per-draw fields of the German Saturday series are
// empty (as after an import), so every draw is posted; the emptying is not timed.
void BM_Analyse_berechnen_Store_alle_Zeilen(benchmark::State& state) {
    auto& dm = *nach_der_Historie().dm;
    std::string leeren = "UPDATE Zahlen SET EZDVFS = NULL, Summe = NULL, G_U = NULL, Summe_Wo = NULL";
    for (int k = 1; k <= 7; ++k)
        leeren +=
            ", Ziehung_Wo_" + std::to_string(k) + "z = NULL, Ziehung_Ja_" + std::to_string(k) + "z = NULL";
    leeren += " WHERE ID_Verband = 3 AND ID_Ziehung = 1";
    pyra::stats::Analyse_Zeilen_anlegen(dm);
    for (auto _ : state) {
        state.PauseTiming();
        dm.TdbDatabase_Lotto.exec(leeren);
        dm.Table_Zahlen.Refresh();
        state.ResumeTiming();
        if (!pyra::stats::Analyse_berechnen(dm).berechnet) state.SkipWithError("calculation failed");
    }
    state.counters["Ziehungen"] = dm.Table_Zahlen.RecordCount();
}
BENCHMARK(BM_Analyse_berechnen_Store_alle_Zeilen)->Unit(benchmark::kMillisecond);

// The same calculation again on fields that already hold their values.
void BM_Analyse_berechnen_Store_Wiederholung(benchmark::State& state) {
    auto& dm = *nach_der_Historie().dm;
    pyra::stats::Analyse_Zeilen_anlegen(dm);
    for (auto _ : state)
        if (!pyra::stats::Analyse_berechnen(dm).berechnet) state.SkipWithError("calculation failed");
}
BENCHMARK(BM_Analyse_berechnen_Store_Wiederholung)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
