// The group-filter window on a full list: 150,000 ON filters, all 90 numbers in the prediction.
// A step, a jump to the last panel and the closing (store + compaction) are what the user waits
// for; each is timed with the repaint that follows it, on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <memory>
#include <random>

#include "core/corpo.h"
#include "progetto/progetto.h"
#include "support/registratore.h"
#include "ui/frmFiltri.h"

namespace novanta {
namespace {

void Applicazione() {
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES")) qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
        static int argc = 1;
        static char nome[] = "novanta_bench";
        static char* argv[] = {nome, nullptr};
        return new QApplication(argc, argv);
    }();
    (void)app;
}

// Random groups of half the numbers and random accepted counts, so about half the labels change
// at every step; or, `alterna`, groups and counts that flip every label between neighbours.
void ListaPiena(bool alterna) {
    static int piena = -1;
    if (piena == int(alterna) && mNumFiltriAND == MAX_FILTRI) return;
    piena = int(alterna);
    test::StatoIniziale();
    for (int i = 0; i < 90; ++i) GrigliaNumeriClick(i);
    mLenCol = 10;
    std::mt19937 rng(9);
    for (int32_t f = 1; f <= MAX_FILTRI; ++f) {
        tFiltroGruppo g;
        for (int n = 1; n <= 90; ++n) g.numeri[static_cast<size_t>(n)] = alterna ? (n + f) & 1 : rng() & 1;
        g.presenze = alterna ? (f & 1 ? 0x555 : 0x2AA) : static_cast<int32_t>(rng() & 0x7FF);
        g.attivo = true;
        mFiltriAND[f] = g;
    }
    mNumFiltriAND = MAX_FILTRI;
}

struct Finestra {
    explicit Finestra(bool alterna = false) {
        Applicazione();
        ListaPiena(alterna);
        w = std::make_unique<ui::frmFiltri>(0);
        w->show();
        QApplication::processEvents();
    }
    QPushButton* pulsante(const char* nome) const { return w->findChild<QPushButton*>(QString::fromLatin1(nome)); }
    std::unique_ptr<ui::frmFiltri> w;
};

void Premi(QPushButton* b) {
    b->click();
    QApplication::processEvents();
}

void BM_Filtri_passo_1(benchmark::State& state) {
    Finestra f;
    QPushButton* b = f.pulsante("cmdNext1");
    for (auto _ : state) Premi(b);
    state.counters["pannello"] = f.w->pannello().indiceFiltro();
}

void BM_Filtri_passo_1_ogni_etichetta(benchmark::State& state) {
    Finestra f(true);
    QPushButton* b = f.pulsante("cmdNext1");
    for (auto _ : state) Premi(b);
}

void BM_Filtri_passo_100(benchmark::State& state) {
    Finestra f;
    QPushButton* b = f.pulsante("cmdNext2");
    for (auto _ : state) {
        if (f.w->pannello().indiceFiltro() > MAX_FILTRI - 100) {
            state.PauseTiming();
            f.w->Primo();
            state.ResumeTiming();
        }
        Premi(b);
    }
}

void BM_Filtri_ultimo_pannello(benchmark::State& state) {
    Finestra f;
    QPushButton* ultimo = f.pulsante("cmdTOP");
    QPushButton* primo = f.pulsante("cmdBOTTOM");
    for (auto _ : state) {
        Premi(ultimo);
        state.PauseTiming();
        Premi(primo);
        state.ResumeTiming();
    }
}

// The closing: the shown panel stored, 150,000 records compacted, the count set, and the main
// window's title told whether the work changed.
void BM_Filtri_chiusura(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Finestra f;
        f.w->PannelloAvanti(1);
        state.ResumeTiming();
        f.w->close();
        benchmark::DoNotOptimize(LavoroModificato());
        QApplication::processEvents();
        state.PauseTiming();
        if (mNumFiltriAND != MAX_FILTRI) state.SkipWithError("the closing lost ON filters");
        f.w.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_Filtri_passo_1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Filtri_passo_1_ogni_etichetta)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Filtri_passo_100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Filtri_ultimo_pannello)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Filtri_chiusura)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace novanta
