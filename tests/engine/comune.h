#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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

// Every k-combination of the numbers, in lexicographic order.
inline Colonne Combinazioni(const std::vector<int>& numeri, int k) {
    std::vector<bool> scelti(numeri.size(), false);
    std::fill(scelti.begin(), scelti.begin() + k, true);
    Colonne out;
    do {
        out.emplace_back();
        for (size_t i = 0; i < numeri.size(); ++i)
            if (scelti[i]) out.back().push_back(numeri[i]);
    } while (std::prev_permutation(scelti.begin(), scelti.end()));
    return out;
}

// An active group filter: its numbers and the accepted counts as bits (bit j: j numbers).
inline tFiltroGruppo Gruppo(const std::vector<int>& numeri, uint32_t presenze) {
    tFiltroGruppo g;
    for (int n : numeri) g.numeri[static_cast<size_t>(n)] = 1;
    g.presenze = static_cast<int32_t>(presenze);
    g.attivo = true;
    return g;
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
