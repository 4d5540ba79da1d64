#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/binomiale.h"

// Sets of numbers of a prediction and an index of the subsets a set of columns holds.
//
// A prediction of n numbers (1..90) maps its numbers, ascending, to 0..n-1; a set of them is a
// 128-bit mask (bit i = the i-th number of the prediction). An r-subset is numbered by its colex
// rank: members i0 < i1 < ... < i(r-1) have rank C(i0, 1) + C(i1, 2) + ... + C(i(r-1), r), so
// the r-subsets of 0..n-1 are numbered 0..C(n, r)-1 and those of 0..j-1 come first.
namespace novanta::analisi {

using Insieme = unsigned __int128;

constexpr int kNumeriMassimi = 90;

inline int Cardinalita(Insieme s) {
    return __builtin_popcountll(static_cast<uint64_t>(s)) + __builtin_popcountll(static_cast<uint64_t>(s >> 64));
}
inline Insieme Elemento(int i) { return Insieme{1} << i; }

// The colex rank of a set (its members ascending), and of r ascending member indexes.
uint64_t RangoColex(Insieme s);
uint64_t RangoColex(const int* indici, int r);
// The r-subset with the given colex rank.
Insieme InsiemeDaRango(uint64_t rango, int r);

// Calls f(rank) for every r-subset of the ascending indexes idx[0..q) with its colex rank, in
// lexicographic order of positions; f returns false to stop (then this returns false too).
template <typename F>
bool PerOgniSottoinsieme(const int* idx, int q, int r, F&& f);

// A prediction: its numbers ascending and each number's index. Built from any list of numbers;
// valida() is false when one is outside 1..90 or repeated.
class MappaPronostico {
public:
    MappaPronostico() { posizione_.fill(-1); }
    explicit MappaPronostico(const std::vector<uint8_t>& numeri);
    bool valida() const { return valida_; }
    int n() const { return static_cast<int>(numeri_.size()); }
    const std::vector<uint8_t>& numeri() const { return numeri_; }
    // The index of a number in the prediction, -1 when it is not in it.
    int Posizione(int numero) const {
        return numero >= 0 && numero <= 90 ? posizione_[static_cast<size_t>(numero)] : -1;
    }
    // The set of `quanti` numbers (repeats count once); false when one is outside the prediction.
    bool Mappa(const uint8_t* numeri, int quanti, Insieme& insieme) const;
    // The numbers of a set, ascending.
    std::vector<uint8_t> Numeri(Insieme s) const;

private:
    std::vector<uint8_t> numeri_;
    std::array<int8_t, 91> posizione_{};
    bool valida_ = true;
};

// The h-subsets of a prediction of n numbers that some column holds, one bit per subset by
// colex rank (C(n, h) bits). A set X contains a held h-subset exactly when some column shares
// at least h numbers with X, so "does X meet a column in >= h numbers?" costs C(|X|, h) look-ups
// whatever the number of columns.
class IndiceSottoinsiemi {
public:
    // The largest index (bits) the class accepts: 1 GiB.
    static constexpr uint64_t kBitMassimi = uint64_t{1} << 33;
    // An empty index; throws std::length_error when C(n, h) passes kBitMassimi, so check
    // Binomiale(n, h) first.
    IndiceSottoinsiemi(int n, int h);

    int n() const { return n_; }
    int h() const { return h_; }
    uint64_t dimensione() const { return dimensione_; }

    // Marks every h-subset of a column (a set over the prediction).
    void Aggiungi(Insieme colonna);
    void Segna(uint64_t rango) {
        uint64_t& parola = bit_[rango >> 6];
        const uint64_t bit = uint64_t{1} << (rango & 63);
        tenuti_ += (parola & bit) == 0;
        parola |= bit;
    }
    bool Tenuto(uint64_t rango) const { return (bit_[rango >> 6] >> (rango & 63)) & 1; }
    // Does the set hold at least one held h-subset (does some column share >= h numbers with it)?
    bool ContieneTenuto(Insieme s) const;
    // Whether every h-subset is held.
    bool Pieno() const { return tenuti_ == dimensione_; }

private:
    int n_ = 0, h_ = 0;
    uint64_t dimensione_ = 0;
    uint64_t tenuti_ = 0;
    std::vector<uint64_t> bit_;
};

// The outcome of a coverage check.
struct EsitoCopertura {
    bool valido = true;  // false: the input was unusable, `errore` says why (and coperto is false)
    std::string errore;
    bool coperto = false;           // every target met some column in >= T numbers
    uint64_t bersagli = 0;          // targets checked (up to the first uncovered one)
    std::vector<uint8_t> scoperto;  // the first target no column meets in >= T numbers
};

// Checks that every target shares at least T numbers with some column, through an index of the
// T-subsets the columns hold (C(n, T) bits). Columns and targets are lists of numbers 1..90;
// a column's numbers outside the prediction are simply never shared with a target; a target
// must lie inside the prediction. `prossimo` fills the next target and returns false when
// there are no more. With T <= 0 a target is covered as soon as there is any column.
EsitoCopertura VerificaCopertura(const std::vector<std::vector<uint8_t>>& colonne,
                                 const std::vector<uint8_t>& pronostico, int t,
                                 const std::function<bool(std::vector<uint8_t>& bersaglio)>& prossimo);
EsitoCopertura VerificaCopertura(const std::vector<std::vector<uint8_t>>& colonne,
                                 const std::vector<uint8_t>& pronostico, int t,
                                 const std::vector<std::vector<uint8_t>>& bersagli);
// The targets are every k-subset of the prediction (the guarantee "T if k" over it).
EsitoCopertura VerificaCoperturaCompleta(const std::vector<std::vector<uint8_t>>& colonne,
                                         const std::vector<uint8_t>& pronostico, int t, int k);

namespace dettaglio {
template <typename F>
bool sottoinsiemi(const int* idx, int q, int r, int da, int livello, uint64_t rango, const TabellaBinomiali& b, F& f) {
    if (livello == r) return f(rango);
    for (int i = da; i <= q - (r - livello); ++i)
        if (!sottoinsiemi(idx, q, r, i + 1, livello + 1, rango + b.c[idx[i]][livello + 1], b, f)) return false;
    return true;
}
}  // namespace dettaglio

template <typename F>
bool PerOgniSottoinsieme(const int* idx, int q, int r, F&& f) {
    if (r < 0 || r > q) return true;
    return dettaglio::sottoinsiemi(idx, q, r, 0, 0, 0, Binomiali(), f);
}

}  // namespace novanta::analisi
