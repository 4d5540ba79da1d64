#include "engine/riduttore.h"

#include <algorithm>

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
    return sottoinsiemi(numeri, n, r, 0, 0, f);
}
}  // namespace

uint64_t Binomiale(int n, int r) {
    if (r < 0 || r > n) return 0;
    uint64_t c = 1;
    for (int i = 1; i <= r; ++i) c = c * static_cast<uint64_t>(n - r + i) / static_cast<uint64_t>(i);
    return c;
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
}

void Riduttore::indicizza(const uint8_t* numeri, int quanti, Maschera colonna) {
    if (t_ == 1) {
        unione_ |= colonna;
        return;
    }
    perOgniSottoinsieme(numeri, quanti, t_ - 1, [&](Maschera s) {
        mappa_.Unisci(s, colonna & ~s);
        return true;
    });
    lavoro += Binomiale(quanti, t_ - 1);
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
    if (t_ == 1) return indice_ ? unione_ : [&] {
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
    Maschera f = prima;
    const Maschera by = Bit(y);
    perOgniSottoinsieme(prefisso, d, t_ - 2, [&](Maschera s) {
        f |= mappa_.Trova(s | by);
        return true;
    });
    lavoro += Binomiale(d, t_ - 2);
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
    lavoro += Binomiale(quanti, t_ - 1);
    return !perOgniSottoinsieme(numeri, quanti, t_ - 1, [&](Maschera s) { return (mappa_.Trova(s) & c & ~s) == 0; });
}

}  // namespace novanta::motore
