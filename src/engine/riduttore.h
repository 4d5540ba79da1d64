#pragma once
#include <array>
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
    // A generation draws every candidate from the prediction: the subsets that matter are
    // subsets of it, and while they are few the index is a plain table numbered by each
    // subset's combinatorial rank instead of a hash map. Call before adding columns.
    void UsaPronostico(const uint8_t* numeri, int n);
    bool attivo() const { return attivo_; }
    int soglia() const { return t_; }
    // With a threshold of 0 or less every candidate meets a kept column.
    bool rifiutaDopoLaPrima() const { return attivo_ && t_ <= 0; }

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
    void indicizzaDenso(const uint8_t* numeri, int quanti, Maschera colonna);
    Maschera proibitiDenso(Maschera prima, const uint8_t* prefisso, int d, uint8_t y);
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
    bool denso_ = false;
    std::vector<Maschera> tabella_;         // by rank of a (T-1)-subset of the prediction
    std::array<int16_t, 128> posizione_{};  // a number's index in the prediction, -1 if none
    std::array<uint8_t, 90> pronostico_{};
};

// The largest plain table of subsets a generation may use (entries); past it, the hash map.
inline uint64_t gVociTabellaDensa = uint64_t{1} << 20;

}  // namespace novanta::motore
