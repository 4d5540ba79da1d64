#include "analysis/analisi.h"

#include <bit>
#include <random>

#include "analysis/indice_sottoinsiemi.h"
#include "engine/comune.h"

namespace novanta::analisi {
namespace {

// best(X) for every m-subset X of the prediction, by comparing X with every column.
std::vector<std::vector<uint64_t>> TabellaDiretta(const std::vector<uint8_t>& pronostico, const SistemaDaAnalizzare& s,
                                                  int d) {
    const int n = static_cast<int>(pronostico.size());
    std::vector<uint32_t> colonne;
    for (size_t i = 0; i < s.colonne.size(); i += static_cast<size_t>(s.lunghezza)) {
        uint32_t bit = 0;
        for (int p = 0; p < s.lunghezza; ++p)
            for (int j = 0; j < n; ++j)
                if (pronostico[static_cast<size_t>(j)] == s.colonne[i + static_cast<size_t>(p)]) bit |= 1u << j;
        colonne.push_back(bit);
    }
    std::vector<std::vector<uint64_t>> t(static_cast<size_t>(std::min(d, n) + 1));
    for (size_t m = 0; m < t.size(); ++m) t[m].assign(std::min<size_t>(m, static_cast<size_t>(s.lunghezza)) + 1, 0);
    for (uint32_t x = 0; x < (1u << n); ++x) {
        const auto m = static_cast<size_t>(std::popcount(x));
        if (m >= t.size()) continue;
        int migliore = 0;
        for (uint32_t c : colonne) migliore = std::max(migliore, std::popcount(c & x));
        ++t[m][static_cast<size_t>(migliore)];
    }
    return t;
}

using Analisi = test::StatoMotore;

TEST_F(Analisi, TabellaComeIlConfrontoDirettoEProbabilitaCheSommanoAUno) {
    std::mt19937 g(2024);
    for (int caso = 0; caso < 12; ++caso) {
        const int n = 5 + static_cast<int>(g() % 10), k = 2 + static_cast<int>(g() % std::min(5, n - 2));
        // Few columns mark every level from the columns, many derive the lower levels from the top.
        const int colonne = caso < 6 ? 1 + static_cast<int>(g() % 12) : 40 + static_cast<int>(g() % 200);
        std::vector<uint8_t> pronostico(90);
        std::iota(pronostico.begin(), pronostico.end(), uint8_t{1});
        std::shuffle(pronostico.begin(), pronostico.end(), g);
        pronostico.resize(static_cast<size_t>(n));
        std::sort(pronostico.begin(), pronostico.end());
        SistemaDaAnalizzare s;
        s.lunghezza = k;
        for (int i = 0; i < colonne; ++i) {
            auto p = pronostico;
            std::shuffle(p.begin(), p.end(), g);
            s.colonne.insert(s.colonne.end(), p.begin(), p.begin() + k);
        }
        // Half the cases analyse over a larger given prediction than the columns use.
        if (caso % 2) s.pronostico = pronostico;
        s.estratti = 1 + static_cast<int>(g() % (n + 2));
        RisultatoAnalisi r;
        ASSERT_TRUE(Analizza(s, r, ui).riuscita());
        const auto atteso = TabellaDiretta(r.pronostico, s, s.estratti);
        ASSERT_EQ(r.tabella.size(), atteso.size()) << "caso " << caso;
        for (size_t m = 0; m < atteso.size(); ++m) {
            EXPECT_EQ(r.tabella[m].migliore, atteso[m]) << "caso " << caso << " m " << m;
            const auto primo = std::find_if(atteso[m].begin(), atteso[m].end(), [](uint64_t v) { return v > 0; });
            EXPECT_EQ(r.tabella[m].garanzia, primo - atteso[m].begin());
        }
        unsigned __int128 somma = 0;
        for (auto f : r.favorevoli) somma += f;
        EXPECT_TRUE(somma == r.estrazioni) << "caso " << caso;
        EXPECT_EQ(r.probabilita.size(), static_cast<size_t>(std::min(s.estratti, k) + 1));
    }
}

// Every draw of D numbers out of 90, counted by the best hit of the system.
TEST_F(Analisi, ProbabilitaComeTutteLeEstrazioni) {
    SistemaDaAnalizzare s;
    s.lunghezza = 3;
    s.colonne = {3, 17, 88, 3, 40, 41, 17, 40, 90, 5, 6, 88};
    for (int d : {2, 4}) {
        s.estratti = d;
        RisultatoAnalisi r;
        ASSERT_TRUE(Analizza(s, r, ui).riuscita());
        std::vector<unsigned __int128> conta(static_cast<size_t>(std::min(d, 3) + 1), 0);
        test::PerOgniCombinazione(test::Da(1, 90), d, [&](const std::vector<int>& x) {
            int migliore = 0;
            for (auto c = s.colonne.begin(); c != s.colonne.end(); c += 3) {
                int h = 0;
                for (int v : x) h += static_cast<int>(std::count(c, c + 3, v));
                migliore = std::max(migliore, h);
            }
            ++conta[static_cast<size_t>(migliore)];
        });
        EXPECT_TRUE(conta == r.favorevoli) << "D " << d;
        for (size_t h = 0; h < conta.size(); ++h)
            EXPECT_NEAR(static_cast<double>(r.probabilita[h]),
                        static_cast<double>(conta[h]) / static_cast<double>(Binomiale(90, d)), 1e-15);
    }
}

TEST_F(Analisi, RifiutiEAnnullamento) {
    SistemaDaAnalizzare s;
    s.lunghezza = 5;
    s.colonne = {1, 2, 3, 4, 5};
    s.estratti = 5;
    s.pronostico = {1, 2, 3, 4, 6};
    RisultatoAnalisi r;
    const auto fuori = Analizza(s, r, ui);
    EXPECT_EQ(fuori.errore, ErroreAnalisi::NumeroFuori);
    EXPECT_EQ(fuori.numero, 5);
    s.pronostico.resize(90);
    std::iota(s.pronostico.begin(), s.pronostico.end(), uint8_t{1});
    s.estratti = 7;  // 7.6e9 subsets of 90 numbers
    EXPECT_EQ(Analizza(s, r, ui).errore, ErroreAnalisi::TroppiSottoinsiemi);
    EXPECT_EQ(ui.yield, 0);
    s.estratti = 91;
    EXPECT_EQ(Analizza(s, r, ui).errore, ErroreAnalisi::EstrattiFuori);
    s.estratti = 5;
    s.colonne.clear();
    EXPECT_EQ(Analizza(s, r, ui).errore, ErroreAnalisi::SistemaVuoto);
    // Cancelled at the first yield: no result.
    s.colonne = {1, 2, 3, 4, 5};
    s.pronostico.resize(60);
    ui.allYield = [](int64_t) { mAnnullaCalcolo = true; };
    EXPECT_EQ(Analizza(s, r, ui).errore, ErroreAnalisi::Annullata);
    EXPECT_GT(ui.yield, 0);
    EXPECT_TRUE(r.tabella.empty());
}

}  // namespace
}  // namespace novanta::analisi
