#include <gtest/gtest.h>

#include <vector>

#include "conditions/condizioni.h"
#include "core/corpo.h"
#include "engine/comune.h"

namespace novanta {
namespace {

using V = std::vector<uint8_t>;
Colonna col(const V& v) { return {v.data(), v.size()}; }
V da(int a, int b) {
    V v;
    for (int n = a; n <= b; ++n) v.push_back(static_cast<uint8_t>(n));
    return v;
}
using test::Distanza, test::Gruppo;

TEST(Condizioni, SommaPariFisse) {
    const V c{10, 20, 30, 40};  // 100
    struct {
        int16_t min, max;
        bool passa;
    } const somme[] = {{100, 100, true}, {100, 200, true}, {0, 100, true}, {101, 200, false},
                       {0, 99, false},   {200, 0, false},  {0, 0, false}};  // reversed bounds, the reset values
    for (const auto& s : somme) EXPECT_EQ(TestSomma(col(c), {s.min, s.max}), s.passa) << s.min << ".." << s.max;
    // 25 large numbers add up past 255 and past 16 bits of bytes: the sum is not truncated.
    EXPECT_TRUE(TestSomma(col(da(66, 90)), {1950, 1950}));

    // Accepted even count (-1: none, which rejects everything), column, passes.
    const std::tuple<int, V, bool> pari[] = {{-1, {1, 3, 5, 7, 9}, false},
                                             {0, {1, 3, 5, 7, 9}, true},
                                             {0, {1, 2, 3, 5, 7}, false},
                                             {5, {2, 4, 6, 8, 90}, true},
                                             {5, {2, 4, 6, 8, 89}, false}};
    for (const auto& [conteggio, c, passa] : pari) {
        std::array<bool, 26> accettati{};
        if (conteggio >= 0) accettati[static_cast<size_t>(conteggio)] = true;
        EXPECT_EQ(TestPari(col(c), accettati), passa) << conteggio;
    }

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

TEST(Condizioni, Consecutivi) {
    const std::pair<V, int> corse[] = {{{1, 2, 3, 5, 6}, 3},
                                       {{2, 4, 6, 8, 10}, 1},
                                       {{21, 22, 23, 24, 25}, 5},
                                       {{1, 5, 6, 7, 8}, 4},  // a run ending at the last number counts
                                       {{1, 2, 10, 11, 12, 30, 31}, 3},
                                       {da(66, 90), 25}};
    for (const auto& [c, n] : corse) EXPECT_EQ(LunghezzaMassimaConsecutivi(col(c)), n) << n;

    std::array<bool, 26> flag{};
    EXPECT_FALSE(TestConsecutivi(col({2, 4, 6, 8, 10}), flag));  // mask 0: every column rejected
    flag[3] = true;
    EXPECT_TRUE(TestConsecutivi(col({1, 2, 3, 5, 6}), flag));
    EXPECT_FALSE(TestConsecutivi(col({1, 2, 4, 5, 7}), flag));
    flag[25] = true;
    EXPECT_TRUE(TestConsecutivi(col(da(66, 90)), flag));
}

TEST(Condizioni, Distanza) {
    const V c{3, 7, 8, 20, 41};  // gaps 4 1 12 21
    struct {
        tFiltroDistanza f;
        bool passa;
        const char* caso;
    } const casi[] = {
        {Distanza({1, 3}, {4}, {}), true, "smallest 4"},
        {Distanza({1, 3}, {5}, {}), false, "smallest 5"},
        {Distanza({1, 3}, {}, {12}), true, "largest 12"},
        {Distanza({1, 3}, {}, {4}), false, "largest 4"},
        {Distanza({1, 3}, {4}, {12}), true, "both"},
        {Distanza({1, 3}, {4}, {11}), false, "both sides must hold"},
        {Distanza({1, 2, 3, 4}, {1}, {21}), true, "all gaps"},
        {Distanza({}, {}, {}), true, "nothing chosen"},
        // Position 9 does not exist in a column of 5: only the gap 8 - 7 = 1 counts.
        {Distanza({2, 9}, {1}, {1}), true, "position beyond"},
        {Distanza({2, 9}, {2}, {}), false, "position beyond, smallest 2"},
        // Position 5 is the gap after the last number: skipped too.
        {Distanza({4, 5}, {21}, {21}), true, "gap after the last"},
        // No gap measured: a chosen largest gap cannot be met, so the filter rejects.
        {Distanza({5, 9}, {}, {4}), false, "nothing measured, largest chosen"},
        {Distanza({}, {}, {1, 2, 3, 89}), false, "no position, largest chosen"},
        // With only a smallest gap chosen the lookup is at 89, as it has always been.
        {Distanza({6}, {4}, {}), false, "nothing measured, smallest 4"},
        {Distanza({6}, {89}, {}), true, "nothing measured, smallest 89"},
        {Distanza({6, 7}, {}, {}), true, "nothing measured, nothing chosen"},
    };
    for (const auto& k : casi) EXPECT_EQ(TestDistanza(col(c), 5, k.f), k.passa) << k.caso;
    // The largest possible gap, 1 to 90.
    EXPECT_TRUE(TestDistanza(col({1, 90}), 2, Distanza({1}, {89}, {89})));
}

TEST(Condizioni, FiltroGruppo) {
    const V c{1, 2, 3, 40, 90};
    struct {
        int lenCol;
        tFiltroGruppo f;
        bool passa;
    } const casi[] = {
        {5, Gruppo({1, 2, 90}, 1 << 3), true},
        {5, Gruppo({1, 2, 90}, (1 << 2) | (1 << 4)), false},
        {5, Gruppo({50, 60}, 1), true},  // none in the group: count 0
        {5, Gruppo({50, 60}, 0b10), false},
        {5, Gruppo({1, 2, 3, 40, 90}, 0), false},  // no accepted count
        {5, Gruppo({1, 2, 3, 40, 90}, 1 << 5), true},
        {2, Gruppo({1, 2, 3}, 1 << 2), true},  // lenCol limits the positions read
        {0, Gruppo({1, 2, 3}, 1), true},       // below 1 the count is 0
    };
    for (const auto& k : casi) EXPECT_EQ(TestFiltroGruppo(col(c), k.lenCol, k.f), k.passa) << &k - casi;
    // Count 25, the highest bit of the mask.
    tFiltroGruppo pieno = Gruppo(test::Da(1, 90), 1u << 25);
    EXPECT_TRUE(TestFiltroGruppo(col(da(1, 25)), 25, pieno));
    pieno.presenze = (int32_t{1} << 25) - 1;
    EXPECT_FALSE(TestFiltroGruppo(col(da(1, 25)), 25, pieno));
}

TEST(Condizioni, CompattaFiltriMetteGliAttiviInTestaNelLoroOrdine) {
    std::vector<tFiltroGruppo> lista;
    for (int i = 1; i <= 10; ++i) lista.push_back(Gruppo({i}, 0b10, i % 3 == 0));  // ON: 3, 6, 9
    const int ordine[] = {3, 6, 9, 1, 2, 4, 5, 7, 8, 10};
    for (int volta = 0; volta < 2; ++volta) {  // the second time already compact: unchanged
        EXPECT_EQ(CompattaFiltri(lista), 3);
        for (size_t i = 0; i < 10; ++i) {
            EXPECT_EQ(lista[i].numeri[static_cast<size_t>(ordine[i])], 1) << "record " << i + 1;
            EXPECT_EQ(lista[i].attivo, i < 3);
        }
    }
    std::vector<tFiltroGruppo> vuota(5);
    EXPECT_EQ(CompattaFiltri(vuota), 0);

    // On the whole list, up to its last record.
    mFiltriAND.Cancella();
    mFiltriAND[150000] = Gruppo({90}, 0b10);
    mFiltriAND[2] = Gruppo({2}, 0b10);
    mFiltriAND[3] = Gruppo({3}, 0b10, false);  // OFF but not empty: it stays, after the ON ones
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
