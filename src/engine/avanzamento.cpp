#include "engine/avanzamento.h"

#include <algorithm>
#include <cmath>

#include "engine/motore_interno.h"
#include "support/formato.h"

namespace novanta::motore {

bool Avanzamento::NuovoPasso(int32_t conta) {
    const int64_t passo = ArrotondaPari(i_ / passo_);
    if (passo != ultimoPasso_) {
        ultimoPasso_ = passo;
        prossimo_ = confine(passo);
        if (generazione_) {
            UI().ProgressoBarra(static_cast<int>(ArrotondaPari(static_cast<double>(passo) * 0.4)));
            interno::MostraConteggi(totale_, i_, conta);
        } else {
            UI().ProgressoBarra(static_cast<int>(passo));
            interno::MostraConteggi(totale_, i_, conta);
            UI().ProgressoRidisegna();
        }
        UI().DoEvents();
    }
    return mAnnullaCalcolo;
}

bool Avanzamento::Respira(int32_t conta) {
    mProgresso.colonneElaborate = i_;
    mProgresso.colonneSistema = conta;
    UI().DoEvents();
    return mAnnullaCalcolo;
}

void Avanzamento::Limite(int32_t conta) {
    UI().ProgressoAllarme(TestoMessaggio("0012"));
    if (generazione_) interno::MostraConteggi(totale_, i_, conta);
    AvvisoLimite(MAX_COLONNE);
    mAnnullaCalcolo = true;
    limite_ = true;
}

double Avanzamento::confine(int64_t passo) const {
    if (!(passo_ > 0) || !std::isfinite(passo_)) return i_ + 1;
    double c = std::max(i_ + 1, std::floor((static_cast<double>(passo) + 0.5) * passo_));
    // Past 2^52 counts are no longer whole steps of one apart: the estimate stands.
    if (c >= 4503599627370496.0) return c;
    while (c > i_ + 1 && ArrotondaPari((c - 1) / passo_) != passo) c -= 1;
    while (ArrotondaPari(c / passo_) == passo) c += 1;
    return c;
}

}  // namespace novanta::motore
