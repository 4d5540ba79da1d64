#include "faccia_prova.h"

#include "ui/frmMAIN.h"

namespace novanta::test {

Risposta FacciaProva::MsgBox(const std::string& testo, Pulsanti pulsanti, Icona icona, const std::string& titolo) {
    messaggi.push_back({testo, pulsanti, icona, titolo});
    if (pulsanti == Pulsanti::OK) return Risposta::OK;
    if (!risposte.empty()) {
        const Risposta r = risposte.front();
        risposte.pop_front();
        return r;
    }
    return pulsanti == Pulsanti::OKAnnulla ? Risposta::OK : Risposta::Si;
}

void FacciaProva::DoEvents() {
    ++yield;
    if (allYield) allYield(yield);
    InterfacciaQt::DoEvents();
}

int FacciaProva::Modale(QDialog& finestra) {
    modali.push_back(finestra.objectName());
    principaleVisibile.push_back(principale() && principale()->isVisible());
    finestra.show();
    const int r = allaFinestra ? allaFinestra(finestra) : QDialog::Rejected;
    finestra.close();
    return r;
}

}  // namespace novanta::test
