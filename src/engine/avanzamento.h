#pragma once
// The progress protocol and the yield clock of both runs.
#include <chrono>
#include <cstdint>

#include "core/corpo.h"

namespace novanta::motore {

// Units of work (filter tests, reduction probes) after which a run yields even inside one step.
constexpr uint64_t kLavoroPerPausa = uint64_t{1} << 22;

// The processed count, the progress step shown and the yields. A generation shows 250 steps as
// a bar of step x 0.4; a recalculation 100 steps as the bar itself, redrawn at once.
class Avanzamento {
public:
    Avanzamento(double totale, double passo, bool generazione)
        : totale_(totale), passo_(passo), generazione_(generazione) {}

    double elaborate() const { return i_; }
    bool limiteRaggiunto() const { return limite_; }

    // Moves the processed count to `a` (never back), shows a new progress step when it changed
    // and yields. True when the run must stop.
    bool Porta(double a, int32_t conta) {
        mProgresso.colonneSistema = conta;
        if (a <= i_) return mAnnullaCalcolo;
        i_ = a;
        mProgresso.colonneElaborate = i_;
        if (i_ < prossimo_) return mAnnullaCalcolo;
        return NuovoPasso(conta);
    }

    // A yield between two progress steps, after a long stretch of work.
    bool Respira(int32_t conta);

    // The column limit: alarm, counts, the limit box, and the run ends as if cancelled.
    void Limite(int32_t conta);

private:
    bool NuovoPasso(int32_t conta);
    // The smallest whole count after i_ whose step is not `passo` (steps never go back).
    double confine(int64_t passo) const;

    double totale_, passo_;
    bool generazione_;
    bool limite_ = false;
    double i_ = 0;
    double prossimo_ = 0;
    int64_t ultimoPasso_ = -1;
};

// Tells when ~20 ms have passed since the last yield.
class Orologio {
public:
    Orologio() { riparti(); }
    void riparti() { inizio_ = std::chrono::steady_clock::now(); }
    bool scaduto() const { return std::chrono::steady_clock::now() - inizio_ > std::chrono::milliseconds(20); }

private:
    std::chrono::steady_clock::time_point inizio_;
};

}  // namespace novanta::motore
