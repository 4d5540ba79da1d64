#include "matrices/ordine_pronostico.h"
#include "engine/comune.h"

namespace novanta {
namespace {

TEST(OrdinePronostico, ScambiMescolaEScrittura) {
    test::StatoIniziale();
    test::Segna({33, 5, 17});
    auto numeri = PronosticoDaOrdinare();
    EXPECT_EQ(numeri, (std::vector<uint8_t>{5, 17, 33}));
    // A swap done and written back is the order window's test; these are no swap.
    for (auto [da, a] : {std::pair{1, 1}, {0, 3}, {-1, 0}}) EXPECT_FALSE(ScambiaNumeri(numeri, da, a));

    // Each press takes the next colour: light green, pink, light cyan, orange, yellow, light green.
    std::mt19937 caso(7);
    uint8_t colore = 0;
    std::vector<uint32_t> colori;
    for (int i = 0; i < 6; ++i) {
        const auto toccate = PronosticoCasuale(numeri, colore, caso);
        EXPECT_FALSE(toccate.empty());
        colori.push_back(COLORI_CASUALI[colore]);
        EXPECT_TRUE(std::ranges::is_permutation(numeri, PronosticoDaOrdinare()));  // the same numbers
    }
    EXPECT_EQ(colori, (std::vector<uint32_t>{0x80FF80, 0xFF80FF, 0xFFFF80, 0x0080FF, 0x00FFFF, 0x80FF80}));
    std::vector<uint8_t> uno{7};
    EXPECT_TRUE(PronosticoCasuale(uno, colore, caso).empty());
    EXPECT_EQ(colore, 1);

    // Only an order of the marked numbers, each once, is written back.
    for (const std::vector<uint8_t>& cattivo :
         std::vector<std::vector<uint8_t>>{{5, 17}, {5, 5, 33}, {5, 17, 34}, {5, 17, 33, 40}})
        EXPECT_FALSE(ScriviOrdinePronostico(cattivo));
    EXPECT_EQ(mSistema.pronostico[0], 5);
}

}  // namespace
}  // namespace novanta
