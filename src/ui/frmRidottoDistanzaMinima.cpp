#include "ui/frmRidottoDistanzaMinima.h"

#include <QScrollBar>
#include <algorithm>

#include "core/corpo.h"
#include "core/regole_condizioni.h"
#include "engine/riduzioni.h"

namespace novanta::ui {

frmRidottoDistanzaMinima::frmRidottoDistanzaMinima(QWidget* parent)
    : FinestraRiduzione({"frmRidottoDistanzaMinima", "Ridotto Distanza Minima", "framePresenze", "Distanza",
                         "hsDistanzaMinima", "lblDistanzaMinima", "optCond"},
                        1, std::clamp<int>(mDistanzaMinima.valore, 1, mLenCol), mDistanzaMinima.attiva, parent) {
    if (!bloccata()) ApriRidottoDistanzaMinima();
    connect(stato, &CoppiaOnOff::cliccato, this, [this](int i) { ImpostaDistanzaMinima(i == 0, barra()->value()); });
}

bool frmRidottoDistanzaMinima::Chiudi() {
    if (bloccata()) return true;
    ImpostaDistanzaMinima(stato->scelto() == 0, barra()->value());
    ChiudiRidottoDistanzaMinima();
    return true;
}

}  // namespace novanta::ui
