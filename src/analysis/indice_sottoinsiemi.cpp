#include "analysis/indice_sottoinsiemi.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace novanta::analisi {

uint64_t RangoColex(Insieme s) {
    const auto& b = Binomiali();
    uint64_t rango = 0;
    int posizione = 1;
    while (s) {
        const auto basso = static_cast<uint64_t>(s);
        const int i = basso ? __builtin_ctzll(basso) : 64 + __builtin_ctzll(static_cast<uint64_t>(s >> 64));
        rango += b.c[i][posizione++];
        s &= s - 1;
    }
    return rango;
}

uint64_t RangoColex(const int* indici, int r) {
    const auto& b = Binomiali();
    uint64_t rango = 0;
    for (int p = 0; p < r; ++p) rango += b.c[indici[p]][p + 1];
    return rango;
}

Insieme InsiemeDaRango(uint64_t rango, int r) {
    const auto& b = Binomiali();
    Insieme s = 0;
    // The largest member first: the greatest i with C(i, r) <= rank.
    int i = kNumeriMassimi;
    for (int p = r; p >= 1; --p) {
        while (i > 0 && b.c[i][p] > rango) --i;
        if (b.c[i][p] > rango) break;
        s |= Elemento(i);
        rango -= b.c[i][p];
        --i;
    }
    return s;
}

MappaPronostico::MappaPronostico(const std::vector<uint8_t>& numeri) {
    posizione_.fill(-1);
    std::array<bool, 91> visto{};
    for (uint8_t v : numeri) {
        if (v < 1 || v > 90 || visto[v]) {
            valida_ = false;
            continue;
        }
        visto[v] = true;
    }
    for (int v = 1; v <= 90; ++v)
        if (visto[static_cast<size_t>(v)]) {
            posizione_[static_cast<size_t>(v)] = static_cast<int8_t>(numeri_.size());
            numeri_.push_back(static_cast<uint8_t>(v));
        }
}

bool MappaPronostico::Mappa(const uint8_t* numeri, int quanti, Insieme& insieme) const {
    insieme = 0;
    bool dentro = true;
    for (int p = 0; p < quanti; ++p) {
        const int i = Posizione(numeri[p]);
        if (i < 0)
            dentro = false;
        else
            insieme |= Elemento(i);
    }
    return dentro;
}

std::vector<uint8_t> MappaPronostico::Numeri(Insieme s) const {
    std::vector<uint8_t> v;
    for (int i = 0; i < n(); ++i)
        if (s & Elemento(i)) v.push_back(numeri_[static_cast<size_t>(i)]);
    return v;
}

IndiceSottoinsiemi::IndiceSottoinsiemi(int n, int h) : n_(n), h_(h) {
    if (n < 0 || n > kNumeriMassimi || h < 0 || h > n) throw std::length_error("subset index: bad size");
    dimensione_ = Binomiale(n, h);
    if (dimensione_ > kBitMassimi) throw std::length_error("subset index: too many subsets");
    bit_.assign(static_cast<size_t>((dimensione_ + 63) / 64), 0);
}

namespace {
int Indici(Insieme s, int* idx) {
    int q = 0;
    while (s) {
        const auto basso = static_cast<uint64_t>(s);
        idx[q++] = basso ? __builtin_ctzll(basso) : 64 + __builtin_ctzll(static_cast<uint64_t>(s >> 64));
        s &= s - 1;
    }
    return q;
}
}  // namespace

void IndiceSottoinsiemi::Aggiungi(Insieme colonna) {
    int idx[128];
    const int q = Indici(colonna, idx);
    PerOgniSottoinsieme(idx, q, h_, [&](uint64_t rango) {
        Segna(rango);
        return true;
    });
}

bool IndiceSottoinsiemi::ContieneTenuto(Insieme s) const {
    int idx[128];
    const int q = Indici(s, idx);
    return !PerOgniSottoinsieme(idx, q, h_, [&](uint64_t rango) { return !Tenuto(rango); });
}

EsitoCopertura VerificaCopertura(const std::vector<std::vector<uint8_t>>& colonne,
                                 const std::vector<uint8_t>& pronostico, int t,
                                 const std::function<bool(std::vector<uint8_t>& bersaglio)>& prossimo) {
    EsitoCopertura esito;
    const MappaPronostico mappa(pronostico);
    if (!mappa.valida()) {
        esito.valido = false;
        esito.errore = "the prediction holds a number outside 1..90 or a repeated number";
        return esito;
    }
    const int h = std::clamp(t, 0, mappa.n() + 1);
    if (h > mappa.n()) {
        // No target inside the prediction can share more numbers than it holds.
        std::vector<uint8_t> bersaglio;
        esito.coperto = !prossimo(bersaglio);
        if (!esito.coperto) {
            esito.bersagli = 1;
            esito.scoperto = bersaglio;
        }
        return esito;
    }
    if (Binomiale(mappa.n(), h) > IndiceSottoinsiemi::kBitMassimi) {
        esito.valido = false;
        esito.errore = "too many subsets to index";
        return esito;
    }
    IndiceSottoinsiemi indice(mappa.n(), h);
    for (const auto& c : colonne) {
        for (uint8_t v : c)
            if (v < 1 || v > 90) {
                esito.valido = false;
                esito.errore = "a column holds a number outside 1..90";
                return esito;
            }
        Insieme s = 0;
        mappa.Mappa(c.data(), static_cast<int>(c.size()), s);
        indice.Aggiungi(s);
    }
    std::vector<uint8_t> bersaglio;
    while (prossimo(bersaglio)) {
        ++esito.bersagli;
        Insieme s = 0;
        if (!mappa.Mappa(bersaglio.data(), static_cast<int>(bersaglio.size()), s)) {
            esito.valido = false;
            esito.errore = "a target holds a number outside the prediction";
            return esito;
        }
        if (!indice.ContieneTenuto(s)) {
            esito.scoperto = bersaglio;
            return esito;
        }
    }
    esito.coperto = true;
    return esito;
}

EsitoCopertura VerificaCopertura(const std::vector<std::vector<uint8_t>>& colonne,
                                 const std::vector<uint8_t>& pronostico, int t,
                                 const std::vector<std::vector<uint8_t>>& bersagli) {
    size_t i = 0;
    return VerificaCopertura(colonne, pronostico, t, [&](std::vector<uint8_t>& b) {
        if (i >= bersagli.size()) return false;
        b = bersagli[i++];
        return true;
    });
}

EsitoCopertura VerificaCoperturaCompleta(const std::vector<std::vector<uint8_t>>& colonne,
                                         const std::vector<uint8_t>& pronostico, int t, int k) {
    const MappaPronostico mappa(pronostico);
    const int n = mappa.n();
    // Every k-subset of the prediction in lexicographic order.
    std::vector<int> scelta;
    bool primo = true, finito = k < 0 || k > n || !mappa.valida();
    return VerificaCopertura(colonne, pronostico, t, [&](std::vector<uint8_t>& b) {
        if (finito) return false;
        if (primo) {
            primo = false;
            for (int i = 0; i < k; ++i) scelta.push_back(i);
        } else {
            int i = k - 1;
            while (i >= 0 && scelta[static_cast<size_t>(i)] == n - k + i) --i;
            if (i < 0) {
                finito = true;
                return false;
            }
            ++scelta[static_cast<size_t>(i)];
            for (int j = i + 1; j < k; ++j) scelta[static_cast<size_t>(j)] = scelta[static_cast<size_t>(j - 1)] + 1;
        }
        b.clear();
        for (int i : scelta) b.push_back(mappa.numeri()[static_cast<size_t>(i)]);
        return true;
    });
}

}  // namespace novanta::analisi
