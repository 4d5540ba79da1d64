// The analysis on the systems the targets name: the N-1 system of 1..90 in columns of 5 with
// five numbers drawn, and systems on 40 numbers with six drawn. The systems are built once by
// the engine (not timed); each benchmark times one whole analysis.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "analysis/analisi.h"
#include "core/corpo.h"
#include "engine/motore.h"
#include "support/registratore.h"

namespace novanta {
namespace {

// The system the engine builds on the numbers 1..n in columns of k, N-x when x > 0.
analisi::SistemaDaAnalizzare Costruisci(int n, int k, int x) {
    test::StatoIniziale();
    for (int v = 1; v <= n; ++v) GrigliaNumeriClick(v - 1);
    mLenCol = static_cast<int16_t>(k);
    CaricaPronostico();
    mCondizioni.ridottoAttivo = x > 0;
    mCondizioni.ridottoNx = static_cast<uint8_t>(x);
    GeneraSistema(mSistema.numPronostico, mSistema.pronostico);
    return analisi::SistemaCorrente();
}

// `colonne` random columns of k numbers out of 1..n.
analisi::SistemaDaAnalizzare Casuale(int n, int k, int colonne) {
    std::mt19937 g(static_cast<unsigned>(n * 1000 + k));
    analisi::SistemaDaAnalizzare s;
    s.lunghezza = k;
    std::vector<uint8_t> numeri(static_cast<size_t>(n));
    for (int v = 0; v < n; ++v) numeri[static_cast<size_t>(v)] = static_cast<uint8_t>(v + 1);
    for (int c = 0; c < colonne; ++c) {
        std::shuffle(numeri.begin(), numeri.end(), g);
        s.colonne.insert(s.colonne.end(), numeri.begin(), numeri.begin() + k);
    }
    return s;
}

void Analisi(benchmark::State& state, const std::function<analisi::SistemaDaAnalizzare()>& costruisci, int estratti) {
    test::InterfacciaRegistrata ui;
    analisi::SistemaDaAnalizzare s = costruisci();
    s.estratti = estratti;
    analisi::RisultatoAnalisi r;
    for (auto _ : state) {
        const auto esito = analisi::Analizza(s, r, ui);
        if (!esito.riuscita()) state.SkipWithError("analysis refused");
    }
    state.counters["colonne"] = static_cast<double>(s.colonne.size() / static_cast<size_t>(s.lunghezza));
    state.counters["garanzia"] = r.tabella.empty() ? -1 : r.tabella.back().garanzia;
}

#define NOVANTA_ANALISI(nome, costruisci, estratti)                      \
    void nome(benchmark::State& s) { Analisi(s, costruisci, estratti); } \
    BENCHMARK(nome)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

NOVANTA_ANALISI(
    A1_90_numeri_k5_N1_D5, [] { return Costruisci(90, 5, 1); }, 5)
NOVANTA_ANALISI(
    A2_40_numeri_k5_integrale_D6, [] { return Costruisci(40, 5, 0); }, 6)
NOVANTA_ANALISI(
    A3_40_numeri_k6_N1_D6, [] { return Costruisci(40, 6, 1); }, 6)
NOVANTA_ANALISI(
    A4_40_numeri_k10_3M_D6, [] { return Casuale(40, 10, MAX_COLONNE); }, 6)

}  // namespace
}  // namespace novanta
