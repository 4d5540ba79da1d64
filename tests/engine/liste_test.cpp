// Filter lists in a run: what the random differential cases do not reach (records past the
// count, lists long enough to yield inside the filter loop, the full store in a recalculation).
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

TEST_F(Liste, ConteggiDelleListeEListeCheRifiutanoTutto) {
    // Records beyond the count are never read, whatever they hold.
    mFiltriOR[1] = gruppo({1}, {});
    mFiltriDistanza[1].numDistMax = mFiltriDistanza[1].numPosizioni = mFiltriDistanza[1].posizioni[1] = 1;
    mFiltriDistanza[1].distMax[50] = true;
    EXPECT_EQ(genera(Da(1, 7), 3), Combinazioni(Da(1, 7), 3));

    // One passing OR filter is enough: the columns holding 1 or 7.
    test::StatoIniziale();
    mFiltriOR[1] = gruppo({1}, {1});
    mFiltriOR[2] = gruppo({7}, {1});
    mNumFiltriOR = 2;
    EXPECT_EQ(genera(Da(1, 7), 3).size(), 35u - 10u);

    // Conditions on with no value chosen reject everything; off, the same settings filter nothing.
    auto vuoto = [&](auto imposta) {
        test::StatoIniziale();
        imposta();
        return genera(Da(1, 8), 3).empty();
    };
    EXPECT_TRUE(vuoto([] { mConsecutivi = {0, true}; }));
    EXPECT_TRUE(vuoto([] { mCondizioni.pariAttivo = true; }));
    EXPECT_TRUE(vuoto([] { mCondizioni = {.sommaAttiva = true, .sommaMin = 12, .sommaMax = 11}; }));
    EXPECT_TRUE(vuoto([] {
        mFiltriOR[1] = gruppo({1}, {2});
        mNumFiltriOR = 1;
    }));
    EXPECT_FALSE(vuoto([] { mConsecutivi = {0, false}; }));
    EXPECT_EQ(Sistema().size(), 56u);
}

TEST_F(Liste, ListaANDLunga) {
    // 60,000 AND filters, past any 16-bit count; only the last one rejects anything (columns holding 5).
    for (int32_t f = 1; f < 60000; ++f) mFiltriAND[f] = gruppo({f % 90 + 1}, {0, 1});
    mFiltriAND[60000] = gruppo({5}, {0});
    mNumFiltriAND = 60000;
    Colonne atteso;
    for (const auto& c : Combinazioni(Da(1, 6), 3))
        if (std::find(c.begin(), c.end(), 5) == c.end()) atteso.push_back(c);
    EXPECT_EQ(genera(Da(1, 6), 3), atteso);
}

TEST_F(Liste, AnnullamentoAllaPrimaPausaDentroLaLista) {
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
    const auto esito = CalcolaSistema();
    ASSERT_TRUE(esito.annullato);
    const auto esaminate = tutte.begin() + static_cast<std::ptrdiff_t>(esito.elaborate);
    EXPECT_LT(esito.elaborate, static_cast<double>(tutte.size()));
    Colonne atteso;
    for (const auto& c : completo)
        if (std::find(tutte.begin(), esaminate, c) != esaminate) atteso.push_back(c);
    EXPECT_EQ(Sistema(), atteso);
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
    const auto esito = RicalcolaSistema();
    EXPECT_EQ(mSistema.nColonne, MAX_COLONNE);
    EXPECT_TRUE(esito.limiteRaggiunto);
    EXPECT_EQ(esito.elaborate, MAX_COLONNE - 1);
    EXPECT_EQ(ui.allarmi, std::vector<std::string>{"M0012"});
    EXPECT_EQ(mArrColonne.valore(1, 1), 86);
    EXPECT_EQ(mArrColonne.valore(2, 1), 2);  // old column 1 (1 % 80 = 1)
    EXPECT_EQ(mArrColonne.valore(MAX_COLONNE, 1), 1 + (MAX_COLONNE - 1) % 80);
}

}  // namespace
}  // namespace novanta
