#include "core/pannello_filtri.h"

#include <algorithm>
#include <utility>

namespace novanta {

PannelloFiltri::PannelloFiltri(int32_t tipoFiltro, bool solaLettura)
    : tipoFiltro_(tipoFiltro), solaLettura_(solaLettura) {
    totFiltriON_ = conteggio();
    Mostra(lista()[1]);
}

void PannelloFiltri::Mostra(const tFiltroGruppo& filtro) {
    pannello_ = tFiltroGruppo{};
    numSelezionati_ = 0;
    for (int n = 1; n <= 90; ++n) {
        if (Selezionabile(n) && filtro.numeri[static_cast<size_t>(n)] != 0) {
            pannello_.numeri[static_cast<size_t>(n)] = 1;
            ++numSelezionati_;
        }
    }
    // Counts above the column length are hidden, not dropped: they stay as they were.
    pannello_.presenze = filtro.presenze & ((1 << 26) - 1);
    pannello_.attivo = filtro.attivo;
}

void PannelloFiltri::Salva() {
    if (!solaLettura_) lista()[indiceFiltro_] = pannello_;
}

void PannelloFiltri::VaiA(int32_t indice) {
    Salva();
    indiceFiltro_ = std::clamp<int32_t>(indice, primoFiltro_, MAX_FILTRI);
    Mostra(std::as_const(lista())[indiceFiltro_]);
}

void PannelloFiltri::Avanti(int32_t passo) {
    VaiA(static_cast<int32_t>(std::min<int64_t>(int64_t{indiceFiltro_} + passo, MAX_FILTRI)));
}
void PannelloFiltri::Indietro(int32_t passo) {
    VaiA(static_cast<int32_t>(std::max<int64_t>(int64_t{indiceFiltro_} - passo, primoFiltro_)));
}
void PannelloFiltri::Primo() { VaiA(primoFiltro_); }
void PannelloFiltri::Ultimo() { VaiA(MAX_FILTRI); }

bool PannelloFiltri::CambiaNumero(int n) {
    if (solaLettura_ || !Selezionabile(n)) return false;
    uint8_t& v = pannello_.numeri[static_cast<size_t>(n)];
    if (v != 0) {
        v = 0;
        --numSelezionati_;
    } else {
        if (numSelezionati_ >= 90) return false;
        v = 1;
        ++numSelezionati_;
    }
    return true;
}

bool PannelloFiltri::CambiaPresenza(int j) {
    if (solaLettura_ || !PresenzaVisibile(j)) return false;
    pannello_.presenze ^= mPotenze2[static_cast<size_t>(j)];
    return true;
}

bool PannelloFiltri::ImpostaAttivo(bool attivo) {
    // Choosing the state the panel already has changes nothing, the ON total included.
    if (solaLettura_ || pannello_.attivo == attivo) return false;
    pannello_.attivo = attivo;
    totFiltriON_ += attivo ? 1 : -1;
    return true;
}

bool PannelloFiltri::CancellaPannello() {
    if (solaLettura_) return false;
    if (pannello_.attivo) --totFiltriON_;
    // Stored at the next move or at the closing.
    Mostra(tFiltroGruppo{});
    return true;
}

bool PannelloFiltri::CancellaTutto() {
    if (solaLettura_ || !ConfermaSostituzioneFiltri()) return false;
    lista().Cancella();
    conteggio() = 0;
    indiceFiltro_ = primoFiltro_;
    totFiltriON_ = 0;
    Mostra(lista()[indiceFiltro_]);
    return true;
}

void PannelloFiltri::DopoImportazione() {
    indiceFiltro_ = primoFiltro_;
    totFiltriON_ = conteggio();
    Mostra(std::as_const(lista())[indiceFiltro_]);
}

void PannelloFiltri::Chiudi() {
    if (solaLettura_) return;
    Salva();
    totFiltriON_ = CompattaFiltri(lista().records());
    conteggio() = totFiltriON_;
}

bool ConfermaSostituzioneFiltri() {
    return UI().MsgBox(TestoMessaggio("0006") + "\r\n" + TestoMessaggio("0007"), Pulsanti::SiNo, Icona::Domanda) ==
           Risposta::Si;
}

int32_t MascheraPresenze(const std::array<bool, 26>& scelte) {
    int32_t maschera = 0;
    for (size_t j = 0; j < scelte.size(); ++j)
        if (scelte[j]) maschera |= mPotenze2[j];
    return maschera;
}

}  // namespace novanta
