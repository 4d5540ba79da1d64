#include "engine/riduzioni.h"

#include "core/corpo.h"

namespace novanta {

void ApriRidotto() {
    if (mCondizioni.ridottoNx > mLenCol) mCondizioni.ridottoNx = static_cast<uint8_t>(mLenCol);
}

void ApriRidottoDistanzaMinima() {
    if (mDistanzaMinima.valore < 1) mDistanzaMinima.valore = 1;
    if (mDistanzaMinima.valore > mLenCol) mDistanzaMinima.valore = static_cast<uint8_t>(mLenCol);
}

void ChiudiRidotto() {
    if (mCondizioni.ridottoAttivo && mDistanzaMinima.attiva) {
        UI().MsgBox(TestoMessaggio("0021"), Pulsanti::OK, Icona::Esclamazione);
        mDistanzaMinima.attiva = false;
    }
}

void ChiudiRidottoDistanzaMinima() {
    if (mDistanzaMinima.attiva && mCondizioni.ridottoAttivo) {
        UI().MsgBox(TestoMessaggio("0005"), Pulsanti::OK, Icona::Esclamazione);
        mCondizioni.ridottoAttivo = false;
    }
}

}  // namespace novanta
