// The chart window over the shipped history, German Saturday draws, selection 2024 week 11:
// opening it with all five charts drawn, and following a change of the selection.

#include "common/tempdir.h"
#include "common/testdialog.h"
#include "data/datamodule.h"
#include "data/standarddatenbank.h"
#include "stats/diagrammdaten_store.h"
#include "stats/standardanalyse_store.h"
#include "ui/diagramme/diagramm_bau.h"
#include "ui/diagramme/form_diagramme.h"

#include <QApplication>
#include <QChartView>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <memory>

using namespace pyra;

namespace {

struct Umgebung {
    test::TempDir dir;
    data::Globale_Zustaende globals;
    data::Fensterzustand fenster;
    test::Testdialog dialog;
    std::unique_ptr<data::DataModule_Lotto> dm;

    Umgebung() {
        data::Standarddatenbank_anlegen(dir.dir(), {2024, 3, 14}, stats::Standarddatenbank_nachbereiten);
        globals.Programmverzeichnis = dir.dir();
        dm = std::make_unique<data::DataModule_Lotto>(globals, fenster, dialog);
        dm->Startsequenz({2024, 3, 14});
    }
    ~Umgebung() { dm->Datenbank_Close(); }

    void woche(int w) {
        dm->Table_Wahl.Edit();
        dm->Table_Wahl.FieldByName("Woche_aktuell").SetInteger(w);
        dm->Auswahl_uebernehmen();
    }
};

Umgebung& umgebung() {
    static Umgebung u;
    return u;
}

// Every chart laid out and painted once, as the user sees each tab.
void alle_zeichnen(ui::TForm_Diagramme& f) {
    QCoreApplication::processEvents();
    for (QChartView* v : f.ChartView) benchmark::DoNotOptimize(v->grab());
}

// Window created, data read, all five charts built, shown and painted.
void BM_Fenster_oeffnen(benchmark::State& state) {
    Umgebung& u = umgebung();
    for (auto _ : state) {
        auto f = std::make_unique<ui::TForm_Diagramme>();
        f->binden(u.dm.get());
        f->zeigen(nullptr);
        alle_zeichnen(*f);
        state.PauseTiming();
        f->binden(nullptr);
        f.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Fenster_oeffnen)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The selection changes between two weeks while the window is open: the data module's selection
// commit, the window reading its data and building its five charts anew, and painting the chart
// on view (range(0) = 1: painting all five).
void BM_Auswahl_wechseln(benchmark::State& state) {
    Umgebung& u = umgebung();
    ui::TForm_Diagramme f;
    f.binden(u.dm.get());
    f.zeigen(nullptr);
    alle_zeichnen(f);
    int w = 11;
    for (auto _ : state) {
        w = w == 11 ? 10 : 11;
        u.woche(w);
        QCoreApplication::processEvents(); // the window's own update after the change
        if (state.range(0))
            alle_zeichnen(f);
        else
            benchmark::DoNotOptimize(f.ChartView[0]->grab());
    }
    if (f.Daten().Woche != w) state.SkipWithError("Fenster folgt der Auswahl nicht");
    f.binden(nullptr);
    u.woche(11);
}
BENCHMARK(BM_Auswahl_wechseln)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// For comparison: the data module's selection commit alone, without the window.
void BM_Auswahl_ohne_Fenster(benchmark::State& state) {
    Umgebung& u = umgebung();
    int w = 11;
    for (auto _ : state) {
        w = w == 11 ? 10 : 11;
        u.woche(w);
    }
    u.woche(11);
}
BENCHMARK(BM_Auswahl_ohne_Fenster)->Unit(benchmark::kMillisecond);

// The parts: reading the data of a selection, and building the five charts from it.
void BM_Daten_lesen(benchmark::State& state) {
    Umgebung& u = umgebung();
    for (auto _ : state) benchmark::DoNotOptimize(stats::Diagrammdaten_lesen(*u.dm));
}
BENCHMARK(BM_Daten_lesen)->Unit(benchmark::kMillisecond);

void BM_Diagramme_bauen(benchmark::State& state) {
    const stats::Diagrammdaten d = stats::Diagrammdaten_lesen(*umgebung().dm);
    for (auto _ : state)
        for (int i = 0; i < ui::kAnzahl_Diagramme; ++i)
            delete ui::Diagramm_bauen(static_cast<ui::Diagrammart>(i), d, 1);
}
BENCHMARK(BM_Diagramme_bauen)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
