#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "conditions/condizioni.h"

namespace novanta {

// The one way the windows and the command line set the conditions. Every setter checks its
// values against the column length k = mLenCol and the marked prediction and either writes them
// all or writes nothing and says why.
struct EsitoCondizione {
    std::string errore;     // one line in English for the command line; empty when accepted
    std::string messaggio;  // the language message the windows show for it ("" when none)
    explicit operator bool() const { return errore.empty(); }
};

// The marked numbers in ascending order (from the grid marks, so a matrix order is not used).
std::vector<uint8_t> PronosticoCrescente();

// Sum. The bounds of the current prediction; an empty field (nullopt) keeps the stored bound.
LimitiSomma SommaPossibile();
// The checks of a sum range, each failed one by its message id, in order: "0022" the lower bound
// above the upper one (the stored bound standing in for an empty field), "0023" a given lower
// bound below the smallest possible sum, "0024" a given upper bound above the largest.
std::vector<std::string> ControllaSomma(std::optional<int> minimo, std::optional<int> massimo);
EsitoCondizione ImpostaSomma(std::optional<int> minimo, std::optional<int> massimo);
void ImpostaSommaAttiva(bool attiva);

// Counts of even numbers, pari[e] for e = 0..25. A count above k may stay chosen from a longer
// column length, but not be added.
EsitoCondizione ImpostaPari(bool attivo, const std::array<bool, 26>& pari);
// One count toggled (the even/odd window stores click by click).
EsitoCondizione ImpostaConteggioPari(int e, bool scelto);

// Fixed numbers: each in 1..90, at most k - 1 of them in the prediction. Numbers outside the
// prediction are dropped, as every run drops them.
EsitoCondizione ImpostaFisse(bool attive, const std::vector<int>& numeri);
void ImpostaFisseAttive(bool attive);
// The most fixed numbers a column of the current length allows.
int MassimoFisse();

// Accepted lengths of the longest run (bit j, j = 1..25). A length above k may stay from a longer
// column length, but not be added.
EsitoCondizione ImpostaConsecutivi(bool attivo, int32_t maschera);
void ImpostaConsecutiviAttivo(bool attivo);
// The longest run of the prediction, capped at k.
int MassimoConsecutiviPronostico();

// Distance filter `indice` (1..25). Positions ascending in 1..24, none added at or above k; gaps
// in 1..89; an ON filter measures at least one gap (otherwise it would accept every column, and
// so every column would pass the distance filters, or accept none). The counts are recomputed.
EsitoCondizione ImpostaFiltroDistanza(int indice, const tFiltroDistanza& filtro);
// The gaps a column of the prediction can show (the window hides the others).
LimitiDistanza DistanzePossibili();
// Moves the ON distance filters to the head of the list and counts them into mNumFiltriDistanza.
int CompattaFiltriDistanza();

// The reductions: N-x with x in 0..k, the minimum distance d in 1..k.
EsitoCondizione ImpostaRidotto(bool attivo, int x);
EsitoCondizione ImpostaDistanzaMinima(bool attiva, int d);

}  // namespace novanta
