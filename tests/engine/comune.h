#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <vector>

#include "core/corpo.h"
#include "support/formato.h"
#include "support/lingua_prova.h"
#include "support/registratore.h"

namespace novanta::test {

using Colonne = std::vector<std::vector<int>>;

// A fresh state, a data folder with the test language and a recording face for each test.
class StatoMotore : public ::testing::Test {
protected:
    void SetUp() override {
        StatoIniziale();
        ScriviLinguaProva(dir);
        ImpostaSeparatoreMigliaia('.');
    }
    void TearDown() override { StatoIniziale(); }

    CartellaTemporanea dir;
    InterfacciaRegistrata ui;
};

inline void Segna(const std::vector<int>& numeri) {
    for (int n : numeri)
        if (mGriglia[static_cast<size_t>(n - 1)] == 0) GrigliaNumeriClick(n - 1);
}

inline std::vector<int> Da(int da, int a) {
    std::vector<int> v;
    for (int n = da; n <= a; ++n) v.push_back(n);
    return v;
}

// The system in the store, positions 1..mLenCol of columns 1..nColonne.
inline Colonne Sistema() {
    Colonne s;
    for (int32_t c = 1; c <= mSistema.nColonne; ++c) {
        std::vector<int> col;
        for (int p = 1; p <= mLenCol; ++p) col.push_back(mArrColonne.valore(c, p));
        s.push_back(col);
    }
    return s;
}

// Puts columns in the store as an imported system would be.
inline void MettiSistema(const Colonne& colonne, int k) {
    mArrColonne.Cancella();
    mLenCol = static_cast<int16_t>(k);
    for (size_t c = 0; c < colonne.size(); ++c) {
        for (size_t p = 0; p < colonne[c].size(); ++p) {
            mArrColonne(static_cast<int32_t>(c + 1), static_cast<int>(p + 1)) = static_cast<uint8_t>(colonne[c][p]);
            Segna({colonne[c][p]});
        }
    }
    mSistema.nColonne = static_cast<int32_t>(colonne.size());
    mSistema.descrizione = "FILE TXT";
    CaricaPronostico();
    LockGUI();
}

// Calls `f` with every k-combination of the numbers, in lexicographic order.
template <typename F>
void PerOgniCombinazione(const std::vector<int>& numeri, int k, F f) {
    std::vector<size_t> indici(static_cast<size_t>(k));
    std::iota(indici.begin(), indici.end(), size_t{0});
    std::vector<int> combinazione(indici.size());
    for (;;) {
        for (size_t j = 0; j < indici.size(); ++j) combinazione[j] = numeri[indici[j]];
        f(combinazione);
        size_t j = indici.size();  // one past the last index that can still move on
        while (j > 0 && indici[j - 1] == numeri.size() - indici.size() + j - 1) --j;
        if (j == 0) return;
        ++indici[j - 1];
        for (; j < indici.size(); ++j) indici[j] = indici[j - 1] + 1;
    }
}

inline Colonne Combinazioni(const std::vector<int>& numeri, int k) {
    Colonne out;
    PerOgniCombinazione(numeri, k, [&](const std::vector<int>& c) { out.push_back(c); });
    return out;
}

// A group filter: its numbers and the accepted counts as bits (bit j: j numbers).
inline tFiltroGruppo Gruppo(const std::vector<int>& numeri, uint32_t presenze, bool attivo = true) {
    tFiltroGruppo g;
    for (int n : numeri) g.numeri[static_cast<size_t>(n)] = 1;
    g.presenze = static_cast<int32_t>(presenze);
    g.attivo = attivo;
    return g;
}

// A distance filter: the positions whose gaps it measures, the accepted smallest and largest gaps.
inline tFiltroDistanza Distanza(const std::vector<int>& posizioni, const std::vector<int>& minimi,
                                const std::vector<int>& massimi, bool attivo = true) {
    tFiltroDistanza f;
    for (int p : posizioni) f.posizioni[++f.numPosizioni] = static_cast<uint8_t>(p);
    for (int d : minimi) f.distMin[static_cast<size_t>(d)] = true, ++f.numDistMin;
    for (int d : massimi) f.distMax[static_cast<size_t>(d)] = true, ++f.numDistMax;
    f.attivo = attivo;
    return f;
}

// The two reductions switched on, for a run to come.
inline std::function<void()> RiduzioneNx(int x) {
    return [x] { mCondizioni = {.ridottoAttivo = true, .ridottoNx = static_cast<uint8_t>(x)}; };
}
inline std::function<void()> RiduzioneDistanza(int d) {
    return [d] { mDistanzaMinima = {static_cast<uint8_t>(d), true}; };
}

// Base columns as an import would leave them, switched on.
inline void MettiColonneBase(const Colonne& colonne) {
    mColonneBase.assign(1, tColonna{});
    for (const auto& numeri : colonne) {
        tColonna& c = mColonneBase.emplace_back();
        for (size_t i = 0; i < numeri.size(); ++i) c.numeri[i + 1] = static_cast<uint8_t>(numeri[i]);
        c.lunghezza = static_cast<uint8_t>(numeri.size());
        c.minimo = static_cast<uint8_t>(numeri.front());
        c.massimo = static_cast<uint8_t>(numeri.back());
    }
    mNumColonneBase = static_cast<int32_t>(colonne.size());
    mColonneBaseAttive = true;
}

}  // namespace novanta::test
