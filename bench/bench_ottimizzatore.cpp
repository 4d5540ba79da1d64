// The optimiser on the reference table: each case generates the N-x system of the program,
// then optimises it within the time budget. The closing table gives the sizes, the ratio to
// the N-x size and the sphere-covering lower bound |U| / |neighbourhood of a column|.
// The budget is NOVANTA_BENCH_SECONDI seconds per case (default 60; the 49-number case takes
// ten times that); choose cases with --benchmark_filter (for example =20k6).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>

#include "analysis/ottimizzatore.h"
#include "core/corpo.h"
#include "engine/motore.h"
#include "support/registratore.h"

namespace novanta {
namespace {

struct Riga {
    int32_t nx = 0, ottimizzato = 0;
    double limite = 0, secondi = 0, cpu = 0;
    bool verificato = false;
};
std::map<std::string, Riga> righe;

double Budget(double fattore) {
    const char* s = std::getenv("NOVANTA_BENCH_SECONDI");
    return (s ? std::atof(s) : 60.0) * fattore;
}

void Caso(benchmark::State& state, int n, int k, int x, double fattore) {
    test::InterfacciaRegistrata ui;
    const std::string nome =
        std::to_string(n) + "k" + std::to_string(k) + " " + std::to_string(k - x) + " if " + std::to_string(k);
    for (auto _ : state) {
        test::StatoIniziale();
        for (int v = 1; v <= n; ++v) GrigliaNumeriClick(v - 1);
        mLenCol = static_cast<int16_t>(k);
        mCondizioni.ridottoAttivo = true;
        mCondizioni.ridottoNx = static_cast<uint8_t>(x);
        CalcolaSistema();
        OpzioniOttimizzazione o;
        o.secondi = Budget(fattore);
        o.seme = 1;
        const std::clock_t c0 = std::clock();
        const EsitoOttimizzazione e = OttimizzaSistema(ProblemaDaStato(x), o);
        const double cpu = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
        righe[nome] = {mSistema.nColonne, e.colonneFinali, e.limiteInferiore, e.secondi, cpu, e.verificato};
        state.counters["nx"] = mSistema.nColonne;
        state.counters["ottimizzato"] = e.colonneFinali;
        state.counters["limite"] = e.limiteInferiore;
    }
}

BENCHMARK_CAPTURE(Caso, 10k6, 10, 6, 1, 1.0)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Caso, 12k6, 12, 6, 1, 1.0)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Caso, 15k6, 15, 6, 2, 1.0)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Caso, 12k5, 12, 5, 1, 1.0)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Caso, 20k5, 20, 5, 2, 1.0)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Caso, 20k6, 20, 6, 2, 1.0)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Caso, 49k6, 49, 6, 3, 10.0)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace novanta

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\n%-14s %6s %10s %6s %8s %8s %8s %s\n", "case", "N-x", "optimised", "ratio", "bound", "seconds",
                "cpu s", "verified");
    double somma = 0;
    int conta = 0;
    for (const auto& [nome, r] : novanta::righe) {
        const double rapporto = r.nx ? static_cast<double>(r.ottimizzato) / r.nx : 0;
        std::printf("%-14s %6d %10d %6.3f %8.0f %8.1f %8.1f %s\n", nome.c_str(), r.nx, r.ottimizzato, rapporto,
                    r.limite, r.secondi, r.cpu, r.verificato ? "yes" : "NO");
        if (nome.rfind("49", 0) != 0) {
            somma += rapporto;
            ++conta;
        }
    }
    if (conta) std::printf("mean ratio of the 60-second cases: %.3f\n", somma / conta);
    benchmark::Shutdown();
}
