// Cases the random differential tests reach rarely or never: long columns (the popcount scan
// instead of the subset index), thresholds outside 1..k, large filter lists.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "core/corpo.h"
#include "engine/motore.h"
#include "support/oracolo.h"
#include "support/registratore.h"

namespace novanta {
namespace {

struct Esito {
    int32_t n;
    std::vector<uint8_t> colonne;
    double elaborate;
    std::vector<std::string> messaggi;
};

void Pronostico(int da, int a, int k) {
    test::StatoIniziale();
    for (int v = da; v <= a; ++v) GrigliaNumeriClick(v - 1);
    mLenCol = static_cast<int16_t>(k);
    CaricaPronostico();
}

Esito Esegui(bool oracolo, const std::function<void()>& prepara) {
    test::InterfacciaRegistrata ui;
    prepara();
    const EsitoCalcolo esito = oracolo ? oracolo::GeneraSistema(mSistema.numPronostico, mSistema.pronostico)
                                       : GeneraSistema(mSistema.numPronostico, mSistema.pronostico);
    Esito e{mSistema.nColonne,
            std::vector<uint8_t>(mArrColonne.colonna(1), mArrColonne.colonna(1) + static_cast<size_t>(mSistema.nColonne) * MAX_POSIZIONI),
            esito.elaborate,
            {}};
    for (const auto& m : ui.messaggi) e.messaggi.push_back(m.testo);
    return e;
}

// Runs a case in both engines and requires the same system; returns the engine's result.
Esito Uguali(const std::function<void()>& prepara) {
    const Esito o = Esegui(true, prepara);
    const Esito m = Esegui(false, prepara);
    EXPECT_EQ(o.n, m.n);
    EXPECT_TRUE(o.colonne == m.colonne) << "the systems differ";
    EXPECT_EQ(o.elaborate, m.elaborate);
    EXPECT_EQ(o.messaggi.size(), m.messaggi.size());
    return m;
}

TEST(MotoreVeloce, ColonneLungheUsanoLaScansioneEDannoLoStessoSistema) {
    // k = 12 with N-6: each kept column has C(12, 5) = 792 subsets of five, past the index.
    for (int x : {2, 4, 6, 8}) {
        const Esito e = Uguali([x] {
            Pronostico(1, 16, 12);
            mCondizioni.ridottoAttivo = true;
            mCondizioni.ridottoNx = static_cast<uint8_t>(x);
        });
        EXPECT_GT(e.n, 0);
    }
    const Esito d = Uguali([] {
        Pronostico(20, 35, 11);
        mDistanzaMinima = {5, true};
        mCondizioni.sommaAttiva = true;
        mCondizioni.sommaMin = 280;
        mCondizioni.sommaMax = 320;
    });
    EXPECT_GT(d.n, 1);
}

TEST(MotoreVeloce, SoglieFuoriDaUnoAK) {
    // N-x with x > k: the threshold is negative, so only the first column stays.
    EXPECT_EQ(Uguali([] {
                  Pronostico(1, 12, 4);
                  mCondizioni.ridottoAttivo = true;
                  mCondizioni.ridottoNx = 6;
              }).n,
              1);
    // ... and with base columns in front not even that one.
    const Esito conBase = Uguali([] {
        Pronostico(1, 12, 4);
        mCondizioni.ridottoAttivo = true;
        mCondizioni.ridottoNx = 6;
        mColonneBaseAttive = true;
        tColonna b;
        b.lunghezza = 4;
        b.numeri = {0, 50, 60, 70, 80};
        mColonneBase = {tColonna{}, b};
        mNumColonneBase = 1;
    });
    EXPECT_EQ(conBase.n, 1);
    EXPECT_EQ(conBase.colonne[0], 50);
    // Minimum distance 0, or larger than k, wraps past k in 8 bits: nothing is dropped.
    for (int d : {0, 7, 200}) {
        EXPECT_EQ(Uguali([d] {
                      Pronostico(1, 10, 4);
                      mDistanzaMinima = {static_cast<uint8_t>(d), true};
                  }).n,
                  210);
    }
}

TEST(MotoreVeloce, GrandiListeDiFiltriEFiltriSempreVeri) {
    const Esito e = Uguali([] {
        std::mt19937 rng(7);
        Pronostico(30, 51, 5);
        std::uniform_int_distribution<int> numero(1, 90), bit(0, 1);
        for (int32_t f = 1; f <= 6000; ++f) {
            tFiltroGruppo g;
            for (int i = 0; i < 8; ++i) g.numeri[static_cast<size_t>(numero(rng))] = 1;
            g.presenze = 0b111 | (bit(rng) << 3);
            g.attivo = true;
            mFiltriAND[f] = g;
        }
        mNumFiltriAND = 6000;
        // An OR filter that accepts every count lets every column through the OR list.
        tFiltroGruppo tutto;
        tutto.numeri[30] = 1;
        tutto.presenze = 0b11;
        tutto.attivo = true;
        mFiltriOR[1] = tutto;
        mNumFiltriOR = 1;
    });
    EXPECT_GT(e.n, 0);
}

TEST(MotoreVeloce, PronosticoNonCrescenteRifiutato) {
    test::InterfacciaRegistrata ui;
    test::StatoIniziale();
    mLenCol = 3;
    std::array<uint8_t, 90> pronostico{};
    pronostico[0] = 9;
    pronostico[1] = 4;
    pronostico[2] = 7;
    EXPECT_FALSE(GeneraSistema(3, pronostico).eseguito);
    EXPECT_EQ(mSistema.nColonne, 0);
    ASSERT_EQ(ui.messaggi.size(), 1u);
    EXPECT_NE(ui.messaggi[0].testo.find("GeneraSistema"), std::string::npos);
}

}  // namespace
}  // namespace novanta
