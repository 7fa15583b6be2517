// Opening the default database with the full history and the selection refresh; walking the German
// Saturday history backwards with Prior and posting an edit on every record.

#include "common/tempdir.h"
#include "data/datamodule.h"
#include "data/standarddatenbank.h"

#include <benchmark/benchmark.h>

using namespace pyra;

namespace {

struct Umgebung {
    test::TempDir tmp;
    Umgebung() { data::Standarddatenbank_anlegen(tmp.dir(), {2026, 12, 10}); }
};

struct Still : data::Benutzerdialog {
    void Meldung(const std::string&) override {}
    bool Frage(const std::string&) override { return true; }
};

Umgebung& umgebung() {
    static Umgebung u;
    return u;
}

void BM_Oeffnen_und_Auswahl(benchmark::State& state) {
    auto& u = umgebung();
    for (auto _ : state) {
        data::Globale_Zustaende g;
        g.Programmverzeichnis = u.tmp.dir();
        data::Fensterzustand f;
        Still still;
        data::DataModule_Lotto dm(g, f, still);
        dm.Datenbank_Open();
        dm.DataSource_WocheDataChange();
        benchmark::DoNotOptimize(dm.Table_Zahlen.RecordCount());
    }
}
BENCHMARK(BM_Oeffnen_und_Auswahl)->Unit(benchmark::kMillisecond);

void BM_Rueckwaerts_mit_Post(benchmark::State& state) {
    auto& u = umgebung();
    data::Globale_Zustaende g;
    g.Programmverzeichnis = u.tmp.dir();
    data::Fensterzustand f;
    Still still;
    data::DataModule_Lotto dm(g, f, still);
    dm.Datenbank_Open();
    dm.DataSource_WocheDataChange();
    auto& z = dm.Table_Zahlen;
    int wert = 0;
    for (auto _ : state) {
        int n = 0;
        ++wert;
        z.Last();
        while (!z.Bof()) {
            z.Edit();
            z.FieldByName("Summe_Wo").SetInteger(wert);
            z.Post();
            ++n;
            z.Prior();
        }
        state.counters["Datensaetze"] = n;
    }
}
BENCHMARK(BM_Rueckwaerts_mit_Post)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
