#include "textfiles/avvisi.h"

#include "core/corpo.h"
#include "support/formato.h"

namespace novanta {

void AvvisoLimiteTabella(double limite) {
    UI().MsgBox(TestoMessaggio("0012") + "\r\n" + TestoMessaggio("0064") + " " + FormatoMigliaia(limite), Pulsanti::OK,
                Icona::Critica, TestoMessaggio("0055"));
}

}  // namespace novanta
