// The production engine against the literal oracle, on the workloads users wait for. Each
// workload runs once in each engine in the same process; both must give the same system. The
// closing table gives the ratio of the oracle's time to the engine's.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/corpo.h"
#include "engine/motore.h"
#include "support/oracolo.h"
#include "support/registratore.h"

namespace novanta {
namespace {

struct Risultato {
    double oracolo = 0, motore = 0;
    int32_t colonne = -1;
    bool uguali = true;
};
std::map<std::string, Risultato> risultati;

std::vector<uint8_t> Sistema() {
    return std::vector<uint8_t>(mArrColonne.colonna(1),
                                mArrColonne.colonna(1) + static_cast<size_t>(mSistema.nColonne) * MAX_POSIZIONI);
}

void Pronostico(const std::vector<int>& numeri, int k) {
    test::StatoIniziale();
    for (int v : numeri) GrigliaNumeriClick(v - 1);
    mLenCol = static_cast<int16_t>(k);
    CaricaPronostico();
}

std::vector<int> DaA(int a, int b) {
    std::vector<int> v;
    for (int x = a; x <= b; ++x) v.push_back(x);
    return v;
}

// Runs one workload in the given engine: `prepara` sets the state, `esegui` runs.
void Misura(benchmark::State& state, const std::string& nome, bool oracolo, const std::function<void()>& prepara,
            const std::function<void(bool)>& esegui) {
    static std::map<std::string, std::vector<uint8_t>> attesi;
    test::InterfacciaRegistrata ui;
    for (auto _ : state) {
        state.PauseTiming();
        prepara();
        state.ResumeTiming();
        const auto t0 = std::chrono::steady_clock::now();
        esegui(oracolo);
        const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.PauseTiming();
        auto& r = risultati[nome];
        (oracolo ? r.oracolo : r.motore) = secondi;
        auto sistema = Sistema();
        auto it = attesi.find(nome);
        if (it == attesi.end()) {
            attesi[nome] = std::move(sistema);
            r.colonne = mSistema.nColonne;
        } else {
            r.uguali = r.uguali && it->second == sistema;
        }
        state.counters["colonne"] = mSistema.nColonne;
        state.ResumeTiming();
    }
}

void Genera(bool oracolo) {
    if (oracolo)
        oracolo::GeneraSistema(mSistema.numPronostico, mSistema.pronostico);
    else
        GeneraSistema(mSistema.numPronostico, mSistema.pronostico);
}

void Ricalcola(bool oracolo) {
    if (oracolo)
        oracolo::RicalcolaColonne();
    else
        RicalcolaColonne();
}

void PreparaB1() {
    Pronostico(DaA(1, 90), 5);
    mCondizioni.sommaAttiva = true;
    mCondizioni.sommaMin = 200;
    mCondizioni.sommaMax = 255;
    mCondizioni.pariAttivo = true;
    mCondizioni.pari[2] = mCondizioni.pari[3] = true;
}

void PreparaB2() {
    Pronostico(DaA(1, 30), 6);
    mCondizioni.ridottoAttivo = true;
    mCondizioni.ridottoNx = 1;
}

void PreparaB3() {
    Pronostico(DaA(1, 90), 5);
    mCondizioni.ridottoAttivo = true;
    mCondizioni.ridottoNx = 3;
}

// 150,000 AND filters of ten random numbers each, accepting 0 to 4 numbers of the group: only a
// column wholly inside a group fails, so most columns pass every filter.
void PreparaB4() {
    Pronostico({3, 7, 11, 14, 19, 22, 28, 31, 35, 40, 44, 47, 52, 58, 61, 66, 70, 75, 81, 88}, 5);
    std::mt19937 rng(4);
    std::vector<int> tutti = DaA(1, 90);
    for (int32_t f = 1; f <= MAX_FILTRI; ++f) {
        std::shuffle(tutti.begin(), tutti.end(), rng);
        tFiltroGruppo g;
        for (int i = 0; i < 10; ++i) g.numeri[static_cast<size_t>(tutti[static_cast<size_t>(i)])] = 1;
        g.presenze = 0b11111;
        g.attivo = true;
        mFiltriAND[f] = g;
    }
    mNumFiltriAND = MAX_FILTRI;
}

// 3,000,000 stored columns (the generation of 1..90 in columns of 5 stops there), then a sum.
std::vector<uint8_t> sistemaB5;
void PreparaB5() {
    if (sistemaB5.empty()) {
        Pronostico(DaA(1, 90), 5);
        GeneraSistema(mSistema.numPronostico, mSistema.pronostico);
        sistemaB5 = Sistema();
    }
    test::StatoIniziale();
    mLenCol = 5;
    for (int32_t c = 1; c <= MAX_COLONNE; ++c)
        std::memcpy(mArrColonne.colonnaScrittura(c), sistemaB5.data() + static_cast<size_t>(c - 1) * MAX_POSIZIONI,
                    MAX_POSIZIONI);
    mSistema.nColonne = MAX_COLONNE;
    mCondizioni.sommaAttiva = true;
    mCondizioni.sommaMin = 150;
    mCondizioni.sommaMax = 250;
}

#define NOVANTA_BENCH(nome, prepara, esegui)                                                \
    void nome##_Oracolo(benchmark::State& s) { Misura(s, #nome, true, prepara, esegui); }   \
    void nome##_Motore(benchmark::State& s) { Misura(s, #nome, false, prepara, esegui); }   \
    BENCHMARK(nome##_Oracolo)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime(); \
    BENCHMARK(nome##_Motore)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

NOVANTA_BENCH(B1_somma_pari, PreparaB1, Genera)
NOVANTA_BENCH(B2_30_numeri_N1, PreparaB2, Genera)
NOVANTA_BENCH(B3_90_numeri_N3, PreparaB3, Genera)
NOVANTA_BENCH(B4_150000_filtri_AND, PreparaB4, Genera)
NOVANTA_BENCH(B5_ricalcolo_3M, PreparaB5, Ricalcola)

}  // namespace
}  // namespace novanta

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf(
        "\n| workload | columns | oracle (s) | engine (s) | ratio | same system |\n|---|---|---|---|---|---|\n");
    bool tutti = true;
    for (const auto& [nome, r] : novanta::risultati) {
        if (r.oracolo <= 0 || r.motore <= 0) continue;
        std::printf("| %s | %d | %.3f | %.4f | %.0fx | %s |\n", nome.c_str(), r.colonne, r.oracolo, r.motore,
                    r.oracolo / r.motore, r.uguali ? "yes" : "NO");
        tutti = tutti && r.uguali;
    }
    return tutti ? 0 : 1;
}
