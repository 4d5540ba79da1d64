#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/interfaccia.h"

// What a system guarantees and what it wins.
//
// For a system S of columns on a prediction P of n numbers and D numbers drawn out of 90: for
// m = 0..min(D, n) and every m-subset X of P, best(X) is the most numbers of X that one column
// holds; the table counts the m-subsets by best(X), the guarantee for m is the least best(X)
// ("T if M" with M = m), and the odds of each best hit over a uniform draw of D numbers are
// exact: p(h) = sum over m of C(90 - n, D - m) * best_m[h] / C(90, D).
namespace novanta::analisi {

// Past this many subsets of the prediction (the sum of C(n, m) for m <= D) the analysis is refused.
constexpr uint64_t kSottoinsiemiMassimi = 1000000000;

// The system to analyse.
struct SistemaDaAnalizzare {
    int lunghezza = 0;                // K, the positions of a column
    std::vector<uint8_t> colonne;     // C x K numbers, column after column (0 = an empty position)
    std::vector<uint8_t> pronostico;  // P; empty: the numbers the columns use
    int estratti = 0;                 // D, 1..90; 0: K
};

struct RigaAnalisi {
    int dentro = 0;                  // m
    uint64_t sottoinsiemi = 0;       // C(n, m)
    std::vector<uint64_t> migliore;  // migliore[h], h = 0..min(m, K): the m-subsets with best h
    int garanzia = 0;                // the least h with migliore[h] > 0
};

struct RisultatoAnalisi {
    int32_t colonne = 0;
    int lunghezza = 0;
    int numeri = 0;
    int estratti = 0;
    std::vector<uint8_t> pronostico;
    std::vector<RigaAnalisi> tabella;           // m = 0..min(D, n)
    std::vector<unsigned __int128> favorevoli;  // h = 0..min(D, K): draws whose best hit is h
    unsigned __int128 estrazioni = 0;           // C(90, D)
    std::vector<long double> probabilita;       // favorevoli[h] / estrazioni
};

enum class ErroreAnalisi {
    Nessuno,
    SistemaVuoto,         // no column
    LunghezzaNonValida,   // K outside 1..25
    PronosticoNonValido,  // a number outside 1..90 or repeated
    NumeroFuori,          // a column number not in the prediction (`numero`)
    EstrattiFuori,        // D outside 1..90
    TroppiSottoinsiemi,   // more than kSottoinsiemiMassimi subsets (`sottoinsiemi`)
    Memoria,              // the level tables do not fit in memory
    Annullata,            // the user cancelled
};

struct EsitoAnalisi {
    ErroreAnalisi errore = ErroreAnalisi::Nessuno;
    int numero = 0;
    uint64_t sottoinsiemi = 0;
    bool riuscita() const { return errore == ErroreAnalisi::Nessuno; }
};

// Sum of C(n, m) for m = 0..min(d, n), saturated at UINT64_MAX.
uint64_t SottoinsiemiDaEsaminare(int n, int d);

// Checks the system without computing anything: the refusals the analysis would make before
// it starts, with the prediction and D it would use.
EsitoAnalisi ControllaAnalisi(const SistemaDaAnalizzare& sistema, std::vector<uint8_t>& pronostico, int& estratti);

// The analysis. Clears mAnnullaCalcolo, then yields to `ui` (bar 0..100 and DoEvents) every
// few hundred thousand subsets and stops when mAnnullaCalcolo is set. The table is counted
// level by level through the index of the subsets the columns hold: best(X) is |X| when X is
// held, otherwise the largest best among the subsets of X one number smaller.
EsitoAnalisi Analizza(const SistemaDaAnalizzare& sistema, RisultatoAnalisi& risultato, Interfaccia& ui);

// The message for a failed analysis, from the language file.
std::string TestoEsitoAnalisi(const EsitoAnalisi& esito);

// The current system (columns 1..nColonne of the store, length mLenCol) with the prediction of
// mSistema when it holds every number of the columns, else the numbers the columns use.
SistemaDaAnalizzare SistemaCorrente();

// 1 / p as text for "1 in N" (rounded to a sensible number of digits), "" for p = 0.
std::string UnoSu(long double p);

}  // namespace novanta::analisi
