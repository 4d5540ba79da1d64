#include <functional>

#include "core/corpo.h"
#include "core/regole_condizioni.h"
#include "engine/comune.h"

namespace novanta {
namespace {

using RegoleCondizioni = test::StatoMotore;

void pronostico(const std::vector<int>& numeri, int k) {
    for (int n : numeri) GrigliaNumeriClick(n - 1);
    ImpostaLenCol(k);
}

// A distance filter on the positions, smallest gap 3.
tFiltroDistanza filtro(const std::vector<int>& posizioni, bool attivo = true) {
    return test::Distanza(posizioni, {3}, {}, attivo);
}

// What the windows show from the prediction: the possible sums, the longest run, the gaps.
TEST_F(RegoleCondizioni, LimitiDelPronostico) {
    pronostico({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 5);
    EXPECT_EQ(SommaPossibile().minimo, 15);
    EXPECT_EQ(SommaPossibile().massimo, 40);
    test::StatoIniziale();
    pronostico({3, 5, 9, 20, 40}, 3);
    EXPECT_EQ(DistanzePossibili().minimo, 2);
    EXPECT_EQ(DistanzePossibili().massimo, 35);
    test::StatoIniziale();
    pronostico({4, 5, 6, 7, 20, 21}, 3);
    EXPECT_EQ(MassimoConsecutiviPronostico(), 3);
    test::StatoIniziale();
    pronostico(test::Da(1, 90), 25);
    EXPECT_EQ(SommaPossibile().massimo, 1950);
}

// Every setter refuses a value that can never be right and then leaves the state as it was.
TEST_F(RegoleCondizioni, RifiutiSenzaScrivereNulla) {
    struct Caso {
        const char* nome;
        std::function<EsitoCondizione()> imposta;
        const char* messaggio;
    };
    std::array<bool, 26> seiPari{};
    seiPari[6] = true;
    const auto finoAK = filtro({1, 5}), discendente = filtro({3, 1}), doppia = filtro({2, 2});
    const Caso casi[] = {
        {"sum reversed", [] { return ImpostaSomma(30, 20); }, "0022"},
        {"sum below", [] { return ImpostaSomma(14, 40); }, "0023"},
        {"sum above", [] { return ImpostaSomma(15, 41); }, "0024"},
        {"sum reversed against the stored bound", [] { return ImpostaSomma(std::nullopt, 20); }, "0022"},
        {"even count above k", [&] { return ImpostaPari(true, seiPari); }, ""},
        {"k fixed numbers", [] { return ImpostaFisse(true, test::Da(1, 5)); }, ""},
        {"fixed number 91", [] { return ImpostaFisse(true, {91}); }, ""},
        {"run above k", [] { return ImpostaConsecutivi(true, 1 << 6); }, ""},
        {"run bit 0", [] { return ImpostaConsecutivi(true, 1); }, ""},
        {"gap position k", [&] { return ImpostaFiltroDistanza(1, finoAK); }, ""},
        {"gap positions not ascending", [&] { return ImpostaFiltroDistanza(1, discendente); }, ""},
        {"gap position twice", [&] { return ImpostaFiltroDistanza(1, doppia); }, ""},
        {"ON gap filter measuring nothing", [] { return ImpostaFiltroDistanza(1, filtro({})); }, "0100"},
        {"gap filter 26", [] { return ImpostaFiltroDistanza(26, filtro({1})); }, ""},
        {"N-6", [] { return ImpostaRidotto(true, 6); }, ""},
        {"minimum distance 0", [] { return ImpostaDistanzaMinima(true, 0); }, ""},
        {"minimum distance 6", [] { return ImpostaDistanzaMinima(true, 6); }, ""},
    };
    for (const auto& c : casi) {
        test::StatoIniziale();
        pronostico({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 5);
        mCondizioni.sommaMin = 25;
        const auto esito = c.imposta();
        EXPECT_FALSE(esito) << c.nome;
        EXPECT_EQ(esito.messaggio, c.messaggio) << c.nome;
        EXPECT_EQ(mCondizioni.sommaMin, 25) << c.nome;
        EXPECT_FALSE(mCondizioni.pariAttivo || mCondizioni.fisseAttive || mConsecutivi.attivo ||
                     mCondizioni.ridottoAttivo || mDistanzaMinima.attiva || mFiltriDistanza[1].attivo)
            << c.nome;
    }
    // Every failed sum check is named, in order.
    EXPECT_EQ(ControllaSomma(50, 45), (std::vector<std::string>{"0022", "0024"}));
    EXPECT_EQ(ControllaSomma(10, 50), (std::vector<std::string>{"0023", "0024"}));
}

// What a longer column length left behind may stay, not be added; fixed numbers outside the
// prediction drop out; the distance list compacts in order.
TEST_F(RegoleCondizioni, ValoriConservatiEFiltriCompattati) {
    pronostico({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 40}, 8);
    ASSERT_TRUE(ImpostaConsecutivi(true, (1 << 7) | (1 << 2)));
    ASSERT_TRUE(ImpostaFiltroDistanza(2, filtro({1, 7})));
    ImpostaLenCol(4);
    EXPECT_TRUE(ImpostaConsecutivi(true, (1 << 7) | (1 << 3)));
    EXPECT_FALSE(ImpostaConsecutivi(true, (1 << 7) | (1 << 5)));
    EXPECT_TRUE(ImpostaFiltroDistanza(2, filtro({1, 7})));
    EXPECT_FALSE(ImpostaFiltroDistanza(3, filtro({1, 7})));
    EXPECT_FALSE(ImpostaFiltroDistanza(2, filtro({7})));  // measures no gap of 4 numbers
    EXPECT_TRUE(ImpostaFisse(true, {40, 50, 3, 3}));
    EXPECT_EQ(mCondizioni.numFisse, 2);
    EXPECT_EQ(mCondizioni.fisse[50], 0);

    EXPECT_TRUE(ImpostaFiltroDistanza(5, filtro({2})));
    EXPECT_TRUE(ImpostaFiltroDistanza(1, filtro({3}, false)));
    EXPECT_EQ(mFiltriDistanza[5].numDistMin, 1);
    EXPECT_EQ(CompattaFiltriDistanza(), 2);
    EXPECT_EQ(mNumFiltriDistanza, 2);
    EXPECT_EQ(mFiltriDistanza[1].posizioni[2], 7);
    EXPECT_EQ(mFiltriDistanza[2].posizioni[1], 2);
    EXPECT_EQ(mFiltriDistanza[3].posizioni[1], 3);
}

}  // namespace
}  // namespace novanta
