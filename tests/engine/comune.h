#pragma once
#include <gtest/gtest.h>

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
    Colonne out;
    const int n = static_cast<int>(numeri.size());
    std::vector<int> idx(static_cast<size_t>(k));
    for (int j = 0; j < k; ++j) idx[static_cast<size_t>(j)] = j;
    for (;;) {
        std::vector<int> col;
        for (int j : idx) col.push_back(numeri[static_cast<size_t>(j)]);
        out.push_back(col);
        int j = k - 1;
        while (j >= 0 && idx[static_cast<size_t>(j)] == n - k + j) --j;
        if (j < 0) break;
        ++idx[static_cast<size_t>(j)];
        for (int m = j + 1; m < k; ++m) idx[static_cast<size_t>(m)] = idx[static_cast<size_t>(m - 1)] + 1;
    }
    return out;
}

inline int Comuni(const std::vector<int>& a, const std::vector<int>& b) {
    int c = 0;
    for (int x : a)
        for (int y : b) c += x == y;
    return c;
}

inline tColonna ColonnaBase(const std::vector<int>& numeri) {
    tColonna c;
    for (size_t i = 0; i < numeri.size(); ++i) c.numeri[i + 1] = static_cast<uint8_t>(numeri[i]);
    c.lunghezza = static_cast<uint8_t>(numeri.size());
    c.minimo = static_cast<uint8_t>(numeri.front());
    c.massimo = static_cast<uint8_t>(numeri.back());
    return c;
}

inline void MettiColonneBase(const Colonne& colonne) {
    mColonneBase.assign(1, tColonna{});
    for (const auto& c : colonne) mColonneBase.push_back(ColonnaBase(c));
    mNumColonneBase = static_cast<int32_t>(colonne.size());
    mColonneBaseAttive = true;
}

}  // namespace novanta::test
