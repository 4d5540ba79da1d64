#pragma once
#include <cstdint>
#include <vector>

#include "engine/maschere.h"

namespace novanta::motore {

// The two reductions as one test: a candidate is dropped when it shares at least T numbers
// with a kept column. The N-x test drops at k - x shared numbers (signed), the minimum
// distance d at more than k - d (in 8 bits without sign); with both on, the lower threshold
// decides, since both compare with the same kept columns.
//
// Kept columns with k distinct numbers ("regular") live as masks, and, while the number of
// (T-1)-subsets per column is small, in an index: for every (T-1)-subset S of a kept column,
// the numbers that complete S to a kept T-subset. A candidate is dropped exactly when one of
// its T-subsets is a subset of a kept column, so the test is a few look-ups whatever the
// number of kept columns; past the index's limits the masks are scanned with popcount.
// Columns with a repeated number (only base or imported columns can have one) count their
// positions as the program always has, and are compared position by position.
class Riduttore {
public:
    void Prepara(int k, bool nxAttivo, uint8_t nx, bool mdAttivo, uint8_t md);
    bool attivo() const { return attivo_; }
    int soglia() const { return t_; }
    // With a threshold of 0 or less every candidate meets a kept column.
    bool rifiutaDopoLaPrima() const { return attivo_ && t_ <= 0; }
    int32_t conservate() const { return conservate_; }

    void Aggiungi(const uint8_t* colonna);

    // The candidates next to a prefix: the numbers y for which prefix + y already holds a kept
    // T-subset. `prima` is that set for the prefix without its last number `y`, `prefisso` the
    // numbers before y (d of them), `maschera` the prefix with y.
    Maschera Proibiti(Maschera prima, const uint8_t* prefisso, int d, uint8_t y, Maschera maschera);
    // The whole test for one column (the recalculation).
    bool Rifiuta(const uint8_t* colonna);
    // The kept columns with a repeated number, compared with a candidate position by position.
    bool RifiutaIrregolari(Maschera candidato) const;
    bool haIrregolari() const { return !irregolari_.empty(); }

    // Work done since the last call (for the yields that keep the window live).
    uint64_t lavoro = 0;

private:
    void indicizza(const uint8_t* numeri, int quanti, Maschera colonna);
    bool scansione(Maschera candidato, int soglia, Maschera* unione) const;
    int k_ = 0;
    int t_ = 0;
    bool attivo_ = false;
    bool indice_ = false;
    int32_t conservate_ = 0;
    std::vector<Maschera> regolari_;
    std::vector<std::vector<uint8_t>> irregolari_;
    MappaSottoinsiemi mappa_;
    Maschera unione_ = 0;  // T = 1: every number of a kept column
};

// C(n, r) as an exact integer for the small values the index needs (0 when r > n or r < 0).
uint64_t Binomiale(int n, int r);

}  // namespace novanta::motore
