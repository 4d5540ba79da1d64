#pragma once
#include <array>
#include <cstdint>

#include "core/corpo.h"

namespace novanta {

// The group-filter window's panel over one of the two lists (tipoFiltro 0: AND, else OR):
// the shown record, its number, the ON total and every edit the window allows. The window
// only draws what this holds, so the rules run and are tested without a window.
//
// The shown record keeps only prediction numbers: a number outside the prediction can never be
// chosen, so a record stored from the panel never holds one. Every move stores the panel first;
// Chiudi stores it, moves the ON filters to the head of the list and sets its count. A read-only
// panel (a system exists) browses and changes nothing, not even the records it shows.
class PannelloFiltri {
public:
    PannelloFiltri(int32_t tipoFiltro, bool solaLettura);

    int32_t TipoFiltro() const { return tipoFiltro_; }
    bool solaLettura() const { return solaLettura_; }
    int32_t indiceFiltro() const { return indiceFiltro_; }
    int32_t totFiltriON() const { return totFiltriON_; }
    int32_t totFiltriOFF() const { return MAX_FILTRI - totFiltriON_; }
    int numSelezionati() const { return numSelezionati_; }
    const tFiltroGruppo& pannello() const { return pannello_; }
    bool numero(int n) const { return pannello_.numeri[static_cast<size_t>(n)] != 0; }
    bool presenza(int j) const { return (pannello_.presenze & mPotenze2[static_cast<size_t>(j)]) != 0; }
    // Numbers outside the prediction are shown grey and cannot be chosen.
    static bool Selezionabile(int n) { return n >= 1 && n <= 90 && mGriglia[static_cast<size_t>(n - 1)] == 1; }
    // Counts above the column length are not offered.
    static bool PresenzaVisibile(int j) { return j >= 0 && j <= mLenCol; }

    // The edits of the shown panel; each returns true when it changed something.
    bool CambiaNumero(int n);
    bool CambiaPresenza(int j);
    bool ImpostaAttivo(bool attivo);
    bool CancellaPannello();

    // Moving between panels (1..150,000): the panel is stored first.
    void Avanti(int32_t passo);
    void Indietro(int32_t passo);
    void Primo();
    void Ultimo();

    // After the question "0006"/"0007": the whole list erased, panel 1 shown. True on Yes.
    bool CancellaTutto();
    // After an import replaced the list: panel 1 and the list's count.
    void DopoImportazione();
    // The closing: panel stored, ON filters compacted to the head, the count set.
    void Chiudi();

private:
    TabellaFiltri& lista() const { return tipoFiltro_ != 0 ? mFiltriOR : mFiltriAND; }
    int32_t& conteggio() const { return tipoFiltro_ != 0 ? mNumFiltriOR : mNumFiltriAND; }
    void Mostra(const tFiltroGruppo& filtro);
    void Salva();
    void VaiA(int32_t indice);

    int32_t tipoFiltro_ = 0;
    bool solaLettura_ = false;
    int32_t indiceFiltro_ = 1;
    int32_t primoFiltro_ = 1;
    int32_t totFiltriON_ = 0;
    int numSelezionati_ = 0;
    tFiltroGruppo pannello_{};
};

// The yes/no question before a whole filter list is cleared or replaced ("0006", "0007").
bool ConfermaSostituzioneFiltri();

// The accepted-count mask of chosen counts: bit j for every chosen j (0..25).
int32_t MascheraPresenze(const std::array<bool, 26>& scelte);

}  // namespace novanta
