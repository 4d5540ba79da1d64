#include <gtest/gtest.h>

#include <vector>

#include "conditions/condizioni.h"
#include "core/corpo.h"

namespace novanta {
namespace {

using V = std::vector<uint8_t>;
Colonna col(const V& v) { return {v.data(), v.size()}; }

TEST(TestSomma, LimitiInclusiviERovesciati) {
    const V c{10, 20, 30, 40};  // 100
    EXPECT_TRUE(TestSomma(col(c), {100, 100}));
    EXPECT_TRUE(TestSomma(col(c), {100, 200}));
    EXPECT_TRUE(TestSomma(col(c), {0, 100}));
    EXPECT_FALSE(TestSomma(col(c), {101, 200}));
    EXPECT_FALSE(TestSomma(col(c), {0, 99}));
    EXPECT_FALSE(TestSomma(col(c), {200, 0}));  // bounds reversed: nothing passes
    EXPECT_FALSE(TestSomma(col(c), {0, 0}));    // the reset values
    // 25 large numbers add up past 255 and past 16 bits of bytes: the sum is not truncated.
    V grandi;
    for (int v = 66; v <= 90; ++v) grandi.push_back(static_cast<uint8_t>(v));
    EXPECT_TRUE(TestSomma(col(grandi), {1950, 1950}));
}

TEST(TestPari, ContaIPariEdEsclusivo) {
    std::array<bool, 26> pari{};
    pari[0] = true;
    EXPECT_TRUE(TestPari(col({1, 3, 5, 7, 9}), pari));
    EXPECT_FALSE(TestPari(col({1, 2, 3, 5, 7}), pari));
    pari = {};
    EXPECT_FALSE(TestPari(col({1, 3, 5, 7, 9}), pari));  // on with no accepted count: rejects
    pari[5] = true;
    EXPECT_TRUE(TestPari(col({2, 4, 6, 8, 90}), pari));
    EXPECT_FALSE(TestPari(col({2, 4, 6, 8, 89}), pari));
}

TEST(TestFisse, TutteLeFissePresenti) {
    std::array<uint8_t, 91> fisse{};
    EXPECT_TRUE(TestFisse(col({7, 12, 31, 41, 88}), fisse, 0));  // none fixed: everything passes
    fisse[7] = fisse[30] = 1;
    EXPECT_TRUE(TestFisse(col({7, 12, 30, 41, 88}), fisse, 2));
    EXPECT_FALSE(TestFisse(col({7, 12, 31, 41, 88}), fisse, 2));
    EXPECT_FALSE(TestFisse(col({8, 12, 31, 41, 88}), fisse, 2));
    fisse[90] = 1;
    EXPECT_TRUE(TestFisse(col({7, 30, 90}), fisse, 3));
    EXPECT_FALSE(TestFisse(col({1, 7, 30}), fisse, 3));
}

TEST(TestConsecutivi, RunPiuLunga) {
    EXPECT_EQ(LunghezzaMassimaConsecutivi(col({1, 2, 3, 5, 6})), 3);
    EXPECT_EQ(LunghezzaMassimaConsecutivi(col({2, 4, 6, 8, 10})), 1);
    EXPECT_EQ(LunghezzaMassimaConsecutivi(col({21, 22, 23, 24, 25})), 5);
    EXPECT_EQ(LunghezzaMassimaConsecutivi(col({1, 5, 6, 7, 8})), 4);  // a run ending at the last number counts
    EXPECT_EQ(LunghezzaMassimaConsecutivi(col({1, 2, 10, 11, 12, 30, 31})), 3);
    V tutti;
    for (int v = 66; v <= 90; ++v) tutti.push_back(static_cast<uint8_t>(v));
    EXPECT_EQ(LunghezzaMassimaConsecutivi(col(tutti)), 25);

    std::array<bool, 26> flag{};
    EXPECT_FALSE(TestConsecutivi(col({2, 4, 6, 8, 10}), flag));  // mask 0: every column rejected
    flag[3] = true;
    EXPECT_TRUE(TestConsecutivi(col({1, 2, 3, 5, 6}), flag));
    EXPECT_FALSE(TestConsecutivi(col({1, 2, 4, 5, 7}), flag));
    flag[25] = true;
    EXPECT_TRUE(TestConsecutivi(col(tutti), flag));
}

tFiltroDistanza distanza(std::initializer_list<int> posizioni, std::initializer_list<int> minimi,
                         std::initializer_list<int> massimi) {
    tFiltroDistanza f;
    for (int p : posizioni) f.posizioni[++f.numPosizioni] = static_cast<uint8_t>(p);
    for (int d : minimi) {
        f.distMin[static_cast<size_t>(d)] = true;
        ++f.numDistMin;
    }
    for (int d : massimi) {
        f.distMax[static_cast<size_t>(d)] = true;
        ++f.numDistMax;
    }
    f.attivo = true;
    return f;
}

TEST(TestDistanza, MinimoEMassimoDeiSaltiScelti) {
    const V c{3, 7, 8, 20, 41};  // gaps 4 1 12 21
    EXPECT_TRUE(TestDistanza(col(c), 5, distanza({1, 3}, {4}, {})));
    EXPECT_FALSE(TestDistanza(col(c), 5, distanza({1, 3}, {5}, {})));
    EXPECT_TRUE(TestDistanza(col(c), 5, distanza({1, 3}, {}, {12})));
    EXPECT_FALSE(TestDistanza(col(c), 5, distanza({1, 3}, {}, {4})));
    EXPECT_TRUE(TestDistanza(col(c), 5, distanza({1, 3}, {4}, {12})));
    EXPECT_FALSE(TestDistanza(col(c), 5, distanza({1, 3}, {4}, {11})));  // both sides must hold
    EXPECT_TRUE(TestDistanza(col(c), 5, distanza({1, 2, 3, 4}, {1}, {21})));
    EXPECT_TRUE(TestDistanza(col(c), 5, distanza({}, {}, {})));  // nothing chosen: accepts
    // The largest possible gap, 1 to 90.
    EXPECT_TRUE(TestDistanza(col({1, 90}), 2, distanza({1}, {89}, {89})));
}

TEST(TestDistanza, PosizioniOltreLaColonnaSonoSaltate) {
    const V c{3, 7, 8, 20, 41};
    // Position 9 does not exist in a column of 5: only the gap 8 - 7 = 1 counts.
    EXPECT_TRUE(TestDistanza(col(c), 5, distanza({2, 9}, {1}, {1})));
    EXPECT_FALSE(TestDistanza(col(c), 5, distanza({2, 9}, {2}, {})));
    // Position 5 is the gap after the last number: skipped too.
    EXPECT_TRUE(TestDistanza(col(c), 5, distanza({4, 5}, {21}, {21})));
}

TEST(TestDistanza, FiltroCheNonMisuraNullaConMassimoScelto) {
    const V c{3, 7, 8, 20, 41};
    // Every position beyond the column: no gap measured. A chosen largest gap cannot be met
    // by a column with no gap, so the filter rejects.
    EXPECT_FALSE(TestDistanza(col(c), 5, distanza({5, 9}, {}, {4})));
    EXPECT_FALSE(TestDistanza(col(c), 5, distanza({}, {}, {1, 2, 3, 89})));
    // With only a smallest gap chosen the lookup is at 89, as it has always been.
    EXPECT_FALSE(TestDistanza(col(c), 5, distanza({6}, {4}, {})));
    EXPECT_TRUE(TestDistanza(col(c), 5, distanza({6}, {89}, {})));
    // Nothing chosen on either side: accepts like any empty filter.
    EXPECT_TRUE(TestDistanza(col(c), 5, distanza({6, 7}, {}, {})));
}

tFiltroGruppo gruppo(std::initializer_list<int> numeri, std::initializer_list<int> presenze, bool attivo = true) {
    tFiltroGruppo f;
    for (int n : numeri) f.numeri[static_cast<size_t>(n)] = 1;
    for (int j : presenze) f.presenze |= int32_t{1} << j;
    f.attivo = attivo;
    return f;
}

TEST(TestFiltroGruppo, ContaINumeriDelGruppo) {
    const V c{1, 2, 3, 40, 90};
    EXPECT_TRUE(TestFiltroGruppo(col(c), 5, gruppo({1, 2, 90}, {3})));
    EXPECT_FALSE(TestFiltroGruppo(col(c), 5, gruppo({1, 2, 90}, {2, 4})));
    EXPECT_TRUE(TestFiltroGruppo(col(c), 5, gruppo({50, 60}, {0})));  // none in the group: count 0
    EXPECT_FALSE(TestFiltroGruppo(col(c), 5, gruppo({50, 60}, {1})));
    EXPECT_FALSE(TestFiltroGruppo(col(c), 5, gruppo({1, 2, 3, 40, 90}, {})));  // no accepted count
    EXPECT_TRUE(TestFiltroGruppo(col(c), 5, gruppo({1, 2, 3, 40, 90}, {5})));
    // lenCol limits the positions read; below 1 the count is 0.
    EXPECT_TRUE(TestFiltroGruppo(col(c), 2, gruppo({1, 2, 3}, {2})));
    EXPECT_TRUE(TestFiltroGruppo(col(c), 0, gruppo({1, 2, 3}, {0})));
    // Count 25, the highest bit of the mask.
    V tutti;
    for (int v = 1; v <= 25; ++v) tutti.push_back(static_cast<uint8_t>(v));
    tFiltroGruppo pieno;
    for (int n = 1; n <= 90; ++n) pieno.numeri[static_cast<size_t>(n)] = 1;
    pieno.presenze = int32_t{1} << 25;
    EXPECT_TRUE(TestFiltroGruppo(col(tutti), 25, pieno));
    pieno.presenze = (int32_t{1} << 25) - 1;
    EXPECT_FALSE(TestFiltroGruppo(col(tutti), 25, pieno));
}

TEST(CompattaFiltri, GliAttiviInTestaNelLoroOrdine) {
    std::vector<tFiltroGruppo> lista;
    for (int i = 1; i <= 10; ++i) lista.push_back(gruppo({i}, {1}, i % 3 == 0));  // ON: 3, 6, 9
    EXPECT_EQ(CompattaFiltri(lista), 3);
    const int ordine[] = {3, 6, 9, 1, 2, 4, 5, 7, 8, 10};
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(lista[i].numeri[static_cast<size_t>(ordine[i])], 1) << "record " << i + 1;
        EXPECT_EQ(lista[i].attivo, i < 3);
    }
    EXPECT_EQ(CompattaFiltri(lista), 3);  // already compact: unchanged
    for (size_t i = 0; i < 10; ++i) EXPECT_EQ(lista[i].numeri[static_cast<size_t>(ordine[i])], 1);

    std::vector<tFiltroGruppo> vuota(5);
    EXPECT_EQ(CompattaFiltri(vuota), 0);
}

TEST(CompattaFiltri, SullaListaIntera) {
    mFiltriAND.Cancella();
    mFiltriAND[150000] = gruppo({90}, {1});
    mFiltriAND[2] = gruppo({2}, {1});
    mFiltriAND[3] = gruppo({3}, {1}, false);  // OFF but not empty: it stays, after the ON ones
    EXPECT_EQ(CompattaFiltri(mFiltriAND.records()), 2);
    EXPECT_EQ(mFiltriAND[1].numeri[2], 1);
    EXPECT_EQ(mFiltriAND[2].numeri[90], 1);
    EXPECT_TRUE(mFiltriAND[2].attivo);
    // The OFF records follow in their old order: the empty record 1, then record 3.
    EXPECT_EQ(mFiltriAND[3].numeri[3], 0);
    EXPECT_EQ(mFiltriAND[4].numeri[3], 1);
    EXPECT_FALSE(mFiltriAND[4].attivo);
    EXPECT_EQ(mFiltriAND[150000].numeri[90], 0);
    mFiltriAND.Cancella();
    EXPECT_EQ(mFiltriAND[1].presenze, 0);
    EXPECT_EQ(mFiltriAND[2].numeri[90], 0);
}

}  // namespace
}  // namespace novanta
