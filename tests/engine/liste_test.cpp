#include "engine/comune.h"
#include "engine/motore.h"

namespace novanta {
namespace {

using test::Colonne;
using test::Combinazioni;
using test::Da;
using test::Segna;
using test::Sistema;
using Liste = test::StatoMotore;

tFiltroGruppo gruppo(const std::vector<int>& numeri, const std::vector<int>& presenze) {
    tFiltroGruppo f;
    for (int n : numeri) f.numeri[static_cast<size_t>(n)] = 1;
    for (int j : presenze) f.presenze |= int32_t{1} << j;
    f.attivo = true;
    return f;
}

Colonne genera(const std::vector<int>& numeri, int k) {
    Segna(numeri);
    mLenCol = static_cast<int16_t>(k);
    CalcolaSistema();
    return Sistema();
}

TEST_F(Liste, ElencoORVuotoNonFiltraTuttiFalliscono) {
    // Records beyond the count are never read, whatever they hold.
    mFiltriOR[1] = gruppo({1}, {});
    mFiltriDistanza[1].numDistMax = 1;
    mFiltriDistanza[1].distMax[50] = true;
    mFiltriDistanza[1].numPosizioni = 1;
    mFiltriDistanza[1].posizioni[1] = 1;
    EXPECT_EQ(genera(Da(1, 7), 3), Combinazioni(Da(1, 7), 3));

    test::StatoIniziale();
    mFiltriOR[1] = gruppo({1}, {2});
    mFiltriOR[2] = gruppo({2}, {3});
    mNumFiltriOR = 2;
    EXPECT_TRUE(genera(Da(1, 7), 3).empty());
    EXPECT_EQ(mSistema.descrizione, "M0060");

    // One passing OR filter is enough: columns holding 1 or 7.
    test::StatoIniziale();
    mFiltriOR[1] = gruppo({1}, {1});
    mFiltriOR[2] = gruppo({7}, {1});
    mNumFiltriOR = 2;
    Colonne atteso;
    for (const auto& c : Combinazioni(Da(1, 7), 3))
        if (c.front() == 1 || c.back() == 7) atteso.push_back(c);
    EXPECT_EQ(genera(Da(1, 7), 3), atteso);

    // Distance filters: all rejecting, then the first rejecting and the second accepting.
    test::StatoIniziale();
    mFiltriDistanza[1].numPosizioni = 1;
    mFiltriDistanza[1].posizioni[1] = 1;
    mFiltriDistanza[1].numDistMin = 1;
    mFiltriDistanza[1].distMin[40] = true;
    mNumFiltriDistanza = 1;
    EXPECT_TRUE(genera(Da(1, 7), 3).empty());
    test::StatoIniziale();
    mFiltriDistanza[1].numPosizioni = 1;
    mFiltriDistanza[1].posizioni[1] = 1;
    mFiltriDistanza[1].numDistMin = 1;
    mFiltriDistanza[1].distMin[40] = true;
    mFiltriDistanza[2].numPosizioni = 2;
    mFiltriDistanza[2].posizioni[1] = 1;
    mFiltriDistanza[2].posizioni[2] = 2;
    mFiltriDistanza[2].numDistMax = 1;
    mFiltriDistanza[2].distMax[1] = true;
    mNumFiltriDistanza = 2;
    EXPECT_EQ(genera(Da(1, 7), 3), (Colonne{{1, 2, 3}, {2, 3, 4}, {3, 4, 5}, {4, 5, 6}, {5, 6, 7}}));
}

TEST_F(Liste, CondizioniAccesePrivediValoriRifiutanoTutto) {
    auto vuoto = [&](auto imposta) {
        test::StatoIniziale();
        imposta();
        return genera(Da(1, 8), 3).empty();
    };
    EXPECT_TRUE(vuoto([] { mConsecutivi = {0, true}; }));
    EXPECT_TRUE(vuoto([] { mCondizioni.pariAttivo = true; }));
    EXPECT_TRUE(vuoto([] {
        mCondizioni.sommaAttiva = true;
        mCondizioni.sommaMin = 12;
        mCondizioni.sommaMax = 11;
    }));
    // Off, the same settings filter nothing.
    EXPECT_FALSE(vuoto([] { mConsecutivi = {0, false}; }));
    EXPECT_EQ(Sistema().size(), 56u);
}

TEST_F(Liste, FiltroDistanzaCheNonMisuraNullaInUnaCorsa) {
    auto corsa = [&](std::initializer_list<int> minimi, std::initializer_list<int> massimi) {
        test::StatoIniziale();
        tFiltroDistanza& f = mFiltriDistanza[1];
        f.numPosizioni = 2;
        f.posizioni[1] = 3;  // positions beyond a column of 3: no gap is measured
        f.posizioni[2] = 9;
        for (int d : minimi) f.distMin[static_cast<size_t>(d)] = true, ++f.numDistMin;
        for (int d : massimi) f.distMax[static_cast<size_t>(d)] = true, ++f.numDistMax;
        f.attivo = true;
        mNumFiltriDistanza = 1;
        return genera(Da(1, 8), 3).size();
    };
    EXPECT_EQ(corsa({}, {}), 56u);
    EXPECT_EQ(corsa({}, {1, 2, 3}), 0u);  // a largest gap chosen: rejects
    EXPECT_EQ(corsa({89}, {}), 56u);      // the smallest side reads the entry for 89
    EXPECT_EQ(corsa({1}, {}), 0u);
}

TEST_F(Liste, ListaANDLunga) {
    // 60,000 AND filters; only the last one rejects anything (columns holding 5).
    for (int32_t f = 1; f < 60000; ++f) mFiltriAND[f] = gruppo({f % 90 + 1}, {0, 1});
    mFiltriAND[60000] = gruppo({5}, {0});
    mNumFiltriAND = 60000;
    Colonne atteso;
    for (const auto& c : Combinazioni(Da(1, 6), 3))
        if (std::find(c.begin(), c.end(), 5) == c.end()) atteso.push_back(c);
    EXPECT_EQ(genera(Da(1, 6), 3), atteso);
    EXPECT_EQ(mSistema.descrizione, "M0060");
}

TEST_F(Liste, AnnullamentoAllaPrimaPausa) {
    // A cancel confirmed at the very first yield, with a long AND list that rejects columns
    // holding two neighbours of the group: the run stops at once, and what it kept is exactly
    // what the complete run keeps among the combinations it had examined.
    for (int32_t f = 1; f <= 20000; ++f) mFiltriAND[f] = gruppo({f % 5 + 1, f % 5 + 2}, {0, 1});
    mNumFiltriAND = 20000;
    const auto completo = genera(Da(1, 9), 3);
    ASSERT_FALSE(completo.empty());
    const auto tutte = Combinazioni(Da(1, 9), 3);

    ui.yield = 0;
    ui.allYield = [](int64_t n) {
        if (n == 1) mAnnullaCalcolo = true;
    };
    CalcolaSistema();
    ASSERT_TRUE(UltimoEsito().annullato);
    const auto elaborate = static_cast<size_t>(UltimoEsito().elaborate);
    EXPECT_LT(elaborate, tutte.size());
    Colonne atteso;
    for (const auto& c : completo)
        if (std::find(tutte.begin(), tutte.begin() + static_cast<std::ptrdiff_t>(elaborate), c) !=
            tutte.begin() + static_cast<std::ptrdiff_t>(elaborate))
            atteso.push_back(c);
    EXPECT_EQ(Sistema(), atteso);
}

TEST_F(Liste, ColonneBaseConNumeriFuoriScalaEscluse) {
    Segna(Da(1, 5));
    mLenCol = 3;
    test::MettiColonneBase({{1, 2, 3}, {4, 5, 200}, {10, 20, 30}});
    mColonneBase[3].numeri[2] = 0;  // a hole in a column of the right length
    mDistanzaMinima = {3, true};
    CalcolaSistema();
    EXPECT_EQ(Sistema(), (Colonne{{1, 2, 3}}));
    EXPECT_EQ(UltimoEsito().colonneBaseEscluse, 2);
    for (int32_t c = 1; c <= mSistema.nColonne; ++c)
        for (int p = 1; p <= 3; ++p) {
            EXPECT_GE(mArrColonne.valore(c, p), 1);
            EXPECT_LE(mArrColonne.valore(c, p), 90);
        }
}

TEST_F(Liste, RicalcoloChiudeAlLimiteConLeColonneBase) {
    // A full store of 3,000,000 columns and one base column in front: the last stored column
    // no longer fits.
    mLenCol = 5;
    Segna(Da(1, 5));
    for (int32_t c = 1; c <= MAX_COLONNE; ++c) {
        uint8_t* col = mArrColonne.colonnaScrittura(c);
        for (int p = 0; p < 5; ++p) col[p] = static_cast<uint8_t>(p + 1 + (c % 80));
    }
    mSistema.nColonne = MAX_COLONNE;
    test::MettiColonneBase({{86, 87, 88, 89, 90}});
    RicalcolaSistema();
    EXPECT_EQ(mSistema.nColonne, MAX_COLONNE);
    EXPECT_TRUE(UltimoEsito().limiteRaggiunto);
    EXPECT_EQ(UltimoEsito().elaborate, MAX_COLONNE - 1);
    ASSERT_EQ(ui.allarmi.size(), 1u);
    EXPECT_EQ(ui.allarmi[0], "M0012");
    EXPECT_EQ(mArrColonne.valore(1, 1), 86);
    EXPECT_EQ(mArrColonne.valore(2, 1), 2);  // old column 1 (1 % 80 = 1)
    EXPECT_EQ(mArrColonne.valore(MAX_COLONNE, 1), 1 + (MAX_COLONNE - 1) % 80);
}

}  // namespace
}  // namespace novanta
