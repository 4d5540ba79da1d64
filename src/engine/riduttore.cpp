#include "engine/riduttore.h"

#include <algorithm>

#include "support/binomiale.h"

namespace novanta::motore {

namespace {
// Beyond these the index costs more than it saves: too many subsets per column, or too much memory.
constexpr uint64_t kSottoinsiemiMassimi = 512;
constexpr size_t kVociMassime = size_t{1} << 22;

// Calls f(mask) for every r-subset of numeri[da..n), each mask built on its parent's.
template <typename F>
bool sottoinsiemi(const uint8_t* numeri, int n, int r, int da, Maschera parziale, F& f) {
    if (r == 0) return f(parziale);
    for (int i = da; i <= n - r; ++i)
        if (!sottoinsiemi(numeri, n, r - 1, i + 1, parziale | Bit(numeri[i]), f)) return false;
    return true;
}

template <typename F>
bool perOgniSottoinsieme(const uint8_t* numeri, int n, int r, F&& f) {
    if (r < 0 || r > n) return true;
    // The small sizes, which the usual thresholds give, as plain loops.
    switch (r) {
        case 0:
            return f(Maschera{0});
        case 1:
            for (int i = 0; i < n; ++i)
                if (!f(Bit(numeri[i]))) return false;
            return true;
        case 2:
            for (int i = 0; i < n; ++i) {
                const Maschera a = Bit(numeri[i]);
                for (int j = i + 1; j < n; ++j)
                    if (!f(a | Bit(numeri[j]))) return false;
            }
            return true;
        default:
            return sottoinsiemi(numeri, n, r, 0, 0, f);
    }
}
}  // namespace

// Calls f(rank, mask) for every r-subset of the ascending indexes idx[da..n): the rank is the
// subset's colex number, sum of C(idx, position) with positions from `livello` + 1.
template <typename F>
void sottoinsiemiRango(const int* idx, int n, int r, int da, int livello, uint64_t rango, Maschera maschera,
                       const uint8_t* numeri, const TabellaBinomiali& b, F& f) {
    if (livello == r) {
        f(rango, maschera);
        return;
    }
    for (int i = da; i <= n - (r - livello); ++i)
        sottoinsiemiRango(idx, n, r, i + 1, livello + 1, rango + b.c[idx[i]][livello + 1],
                          maschera | Bit(numeri[idx[i]]), numeri, b, f);
}

void Riduttore::Prepara(int k, bool nxAttivo, uint8_t nx, bool mdAttivo, uint8_t md) {
    k_ = k;
    attivo_ = false;
    t_ = k + 1;
    if (nxAttivo) {
        t_ = std::min(t_, static_cast<int>(static_cast<int16_t>(k - nx)));
        attivo_ = true;
    }
    if (mdAttivo) {
        t_ = std::min(t_, static_cast<int>(static_cast<uint8_t>(k - md)) + 1);
        attivo_ = true;
    }
    // No column shares more than k numbers with another: such a threshold drops nothing.
    if (t_ > k) attivo_ = false;
    indice_ = attivo_ && t_ >= 1 && Binomiale(k, t_ - 1) <= kSottoinsiemiMassimi;
    conservate_ = 0;
    regolari_.clear();
    irregolari_.clear();
    mappa_.clear();
    unione_ = 0;
    lavoro = 0;
    denso_ = false;
    tabella_.clear();
}

void Riduttore::UsaPronostico(const uint8_t* numeri, int n) {
    if (!indice_ || t_ < 2 || n > 90 || Binomiale(n, t_ - 1) > gVociTabellaDensa) return;
    posizione_.fill(-1);
    for (int i = 0; i < n; ++i) {
        posizione_[numeri[i]] = static_cast<int16_t>(i);
        pronostico_[static_cast<size_t>(i)] = numeri[i];
    }
    tabella_.assign(static_cast<size_t>(Binomiale(n, t_ - 1)), 0);
    denso_ = true;
}

void Riduttore::indicizzaDenso(const uint8_t* numeri, int quanti, Maschera colonna) {
    // Subsets with a number outside the prediction are never asked for.
    int idx[25];
    int q = 0;
    for (int p = 0; p < quanti; ++p)
        if (posizione_[numeri[p]] >= 0) idx[q++] = posizione_[numeri[p]];
    std::sort(idx, idx + q);
    auto unisci = [&](uint64_t rango, Maschera s) { tabella_[rango] |= colonna & ~s; };
    if (q >= t_ - 1) sottoinsiemiRango(idx, q, t_ - 1, 0, 0, 0, 0, pronostico_.data(), Binomiali(), unisci);
}

Maschera Riduttore::proibitiDenso(Maschera prima, const uint8_t* prefisso, int d, uint8_t y) {
    // The prefix is ascending in the prediction and y comes after it: y is the largest number
    // of every key, at position T - 1.
    int idx[25];
    for (int i = 0; i < d; ++i) idx[i] = posizione_[prefisso[i]];
    const TabellaBinomiali& b = Binomiali();
    const uint64_t rangoY = b.c[posizione_[y]][t_ - 1];
    Maschera f = prima;
    auto trova = [&](uint64_t rango, Maschera) { f |= tabella_[rango + rangoY]; };
    sottoinsiemiRango(idx, d, t_ - 2, 0, 0, 0, 0, pronostico_.data(), b, trova);
    return f;
}

void Riduttore::indicizza(const uint8_t* numeri, int quanti, Maschera colonna) {
    if (t_ == 1) {
        unione_ |= colonna;
        return;
    }
    if (denso_) {
        ++lavoro;
        return indicizzaDenso(numeri, quanti, colonna);
    }
    // Each (T-1)-subset S maps to the rest of the column; when S is most of the column it is
    // cheaper to walk the small sets left out, which are exactly those rests.
    const int r = t_ - 1;
    if (2 * r > quanti) {
        perOgniSottoinsieme(numeri, quanti, quanti - r, [&](Maschera fuori) {
            mappa_.Unisci(colonna & ~fuori, fuori);
            return true;
        });
    } else {
        perOgniSottoinsieme(numeri, quanti, r, [&](Maschera s) {
            mappa_.Unisci(s, colonna & ~s);
            return true;
        });
    }
    ++lavoro;
    if (mappa_.size() > kVociMassime) {
        indice_ = false;
        mappa_.clear();
    }
}

void Riduttore::Aggiungi(const uint8_t* colonna) {
    ++conservate_;
    if (!attivo_) return;
    Maschera m = 0;
    bool regolare = true;
    for (int p = 0; p < k_; ++p) {
        const uint8_t v = colonna[p];
        if (v < 1 || v > 90 || (m & Bit(v))) regolare = false;
        if (v <= 127) m |= Bit(v);
    }
    if (!regolare) {
        irregolari_.emplace_back(colonna, colonna + k_);
        return;
    }
    regolari_.push_back(m);
    if (indice_) indicizza(colonna, k_, m);
}

bool Riduttore::scansione(Maschera candidato, int soglia, Maschera* unione) const {
    // unione == nullptr: is there a kept column sharing >= soglia numbers?
    // otherwise: the union of the kept columns sharing >= soglia numbers.
    for (const Maschera s : regolari_) {
        if (Conta(s & candidato) >= soglia) {
            if (!unione) return true;
            *unione |= s;
        }
    }
    return false;
}

Maschera Riduttore::Proibiti(Maschera prima, const uint8_t* prefisso, int d, uint8_t y, Maschera maschera) {
    const int profondita = d + 1;
    if (t_ == 1)
        return indice_ ? unione_ : [&] {
            Maschera u = 0;
            scansione(0, 0, &u);
            return u;
        }();
    if (profondita < t_ - 1) return 0;
    if (!indice_) {
        Maschera u = 0;
        lavoro += regolari_.size();
        scansione(maschera, t_ - 1, &u);
        return u;
    }
    if (denso_) {
        ++lavoro;
        return proibitiDenso(prima, prefisso, d, y);
    }
    Maschera f = prima;
    const Maschera by = Bit(y);
    const int r = t_ - 2;
    if (2 * r > d) {
        const Maschera tutto = maschera & ~by;
        perOgniSottoinsieme(prefisso, d, d - r, [&](Maschera fuori) {
            f |= mappa_.Trova((tutto & ~fuori) | by);
            return true;
        });
    } else {
        perOgniSottoinsieme(prefisso, d, r, [&](Maschera s) {
            f |= mappa_.Trova(s | by);
            return true;
        });
    }
    ++lavoro;
    return f;
}

bool Riduttore::RifiutaIrregolari(Maschera candidato) const {
    for (const auto& s : irregolari_) {
        int comuni = 0;
        for (uint8_t v : s)
            if (v >= 1 && v <= 90 && (candidato & Bit(v))) ++comuni;
        if (comuni >= t_) return true;
    }
    return false;
}

bool Riduttore::Rifiuta(const uint8_t* colonna) {
    if (!attivo_ || conservate_ == 0) return false;
    if (t_ <= 0) return true;
    uint8_t numeri[25];
    int quanti = 0;
    Maschera c = 0;
    for (int p = 0; p < k_; ++p) {
        const uint8_t v = colonna[p];
        if (v >= 1 && v <= 90 && !(c & Bit(v))) {
            c |= Bit(v);
            numeri[quanti++] = v;
        }
    }
    if (haIrregolari() && RifiutaIrregolari(c)) return true;
    if (!indice_) {
        lavoro += regolari_.size();
        return scansione(c, t_, nullptr);
    }
    if (t_ == 1) return (unione_ & c) != 0;
    ++lavoro;
    const int r = t_ - 1;
    if (2 * r > quanti)
        return !perOgniSottoinsieme(numeri, quanti, quanti - r,
                                    [&](Maschera fuori) { return (mappa_.Trova(c & ~fuori) & fuori) == 0; });
    return !perOgniSottoinsieme(numeri, quanti, r, [&](Maschera s) { return (mappa_.Trova(s) & c & ~s) == 0; });
}

}  // namespace novanta::motore
