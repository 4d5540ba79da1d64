// The system file at the program's limits: 3,000,000 columns of 6 and 150,000 group filters in
// each list, saved and opened back. Targets: each way under 2 s, the file under 40 MB.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "core/corpo.h"
#include "progetto/progetto.h"
#include "support/registratore.h"

namespace novanta {
namespace {

std::filesystem::path FileGrande() { return std::filesystem::temp_directory_path() / "novanta-bench-grande.lec"; }

void LavoroGrande() {
    test::StatoIniziale();
    std::mt19937 caso(90);
    for (int n = 1; n <= 30; ++n) GrigliaNumeriClick(n - 1);
    CaricaPronostico();
    ImpostaLenCol(6);
    for (int32_t c = 1; c <= MAX_COLONNE; ++c) {
        uint8_t* col = mArrColonne.colonnaScrittura(c);
        for (int p = 0; p < 6; ++p) col[p] = static_cast<uint8_t>(1 + p * 5 + caso() % 5);
    }
    mSistema.nColonne = MAX_COLONNE;
    mSistema.descrizione = "Sistema condizionato";
    for (TabellaFiltri* lista : {&mFiltriAND, &mFiltriOR}) {
        for (int32_t i = 1; i <= MAX_FILTRI; ++i) {
            tFiltroGruppo& f = (*lista)[i];
            for (int j = 0; j < 10; ++j) f.numeri[1 + caso() % 90] = 1;
            f.presenze = static_cast<int32_t>(caso() & 0x3FFFFFF);
            f.attivo = true;
        }
    }
    mNumFiltriAND = mNumFiltriOR = MAX_FILTRI;
    LockGUI();
}

void Salva3M(benchmark::State& s) {
    test::InterfacciaRegistrata ui;
    LavoroGrande();
    for (auto _ : s)
        if (!SalvaSistema(FileGrande().string())) s.SkipWithError("save failed");
    s.counters["MB"] = static_cast<double>(std::filesystem::file_size(FileGrande())) / 1e6;
}

void Apri3M(benchmark::State& s) {
    test::InterfacciaRegistrata ui;
    test::StatoIniziale();
    for (auto _ : s)
        if (!ApriSistema(FileGrande().string())) s.SkipWithError("open failed");
    if (mSistema.nColonne != MAX_COLONNE || mNumFiltriOR != MAX_FILTRI) s.SkipWithError("not the saved work");
    std::filesystem::remove(FileGrande());
}

// The unsaved-changes check the main window makes after each command, on the opened work.
void Impronta3M(benchmark::State& s) {
    for (auto _ : s) benchmark::DoNotOptimize(LavoroModificato());
    test::StatoIniziale();
}

BENCHMARK(Salva3M)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Apri3M)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Impronta3M)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace novanta
