#include "analysis/indice_sottoinsiemi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace novanta::analisi {
namespace {

std::vector<uint8_t> Casuali(std::mt19937& g, const std::vector<uint8_t>& da, int quanti) {
    std::vector<uint8_t> v = da;
    std::shuffle(v.begin(), v.end(), g);
    v.resize(static_cast<size_t>(quanti));
    return v;
}

int Comuni(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    int c = 0;
    for (uint8_t x : a) c += static_cast<int>(std::count(b.begin(), b.end(), x));
    return c;
}

TEST(IndiceSottoinsiemi, RanghiEContenimentoComeIlConfrontoDiretto) {
    std::mt19937 g(7);
    for (int caso = 0; caso < 30; ++caso) {
        const int n = 6 + static_cast<int>(g() % 20), k = 2 + static_cast<int>(g() % 4),
                  h = static_cast<int>(g() % (k + 1));
        std::vector<uint8_t> tutti(90);
        for (int v = 0; v < 90; ++v) tutti[static_cast<size_t>(v)] = static_cast<uint8_t>(v + 1);
        const MappaPronostico p(Casuali(g, tutti, n));
        ASSERT_TRUE(p.valida());
        IndiceSottoinsiemi indice(n, h);
        std::vector<std::vector<uint8_t>> colonne;
        for (int c = 0; c < 1 + static_cast<int>(g() % 8); ++c) {
            colonne.push_back(Casuali(g, p.numeri(), k));
            Insieme s = 0;
            ASSERT_TRUE(p.Mappa(colonne.back().data(), k, s));
            indice.Aggiungi(s);
        }
        for (int prova = 0; prova < 40; ++prova) {
            const auto x = Casuali(g, p.numeri(), static_cast<int>(g() % (n + 1)));
            Insieme s = 0;
            p.Mappa(x.data(), static_cast<int>(x.size()), s);
            ASSERT_EQ(InsiemeDaRango(RangoColex(s), Cardinalita(s)), s);
            bool atteso = false;
            for (const auto& c : colonne) atteso = atteso || Comuni(c, x) >= h;
            ASSERT_EQ(indice.ContieneTenuto(s), atteso) << "caso " << caso;
        }
        // The complete check against every k-subset, and an uncovered witness when it fails.
        const int t = 1 + static_cast<int>(g() % k);
        const auto esito = VerificaCoperturaCompleta(colonne, p.numeri(), t, k);
        ASSERT_TRUE(esito.valido);
        EXPECT_EQ(esito.bersagli == Binomiale(n, k), esito.coperto);
        if (!esito.coperto) {
            for (const auto& c : colonne) EXPECT_LT(Comuni(c, esito.scoperto), t);
        }
    }
}

TEST(IndiceSottoinsiemi, CoperturaRifiutaUnBersaglioFuoriDalPronostico) {
    const std::vector<uint8_t> p{1, 2, 3, 4, 5};
    EXPECT_TRUE(VerificaCopertura({{1, 2, 3}}, p, 2, {{1, 2, 4}, {2, 3, 5}}).coperto);
    EXPECT_FALSE(VerificaCopertura({{1, 2, 3}}, p, 2, {{1, 4, 5}}).coperto);
    EXPECT_FALSE(VerificaCopertura({{1, 2, 3}}, p, 2, {{1, 2, 9}}).valido);
    // C(90, 45) = 103827421287553411369671120, past 64 bits.
    EXPECT_EQ(Binomiale128(90, 45), (static_cast<unsigned __int128>(5628495) << 64) + 14502399568646773200ull);
    EXPECT_EQ(Binomiale(90, 45), UINT64_MAX);
}

}  // namespace
}  // namespace novanta::analisi
