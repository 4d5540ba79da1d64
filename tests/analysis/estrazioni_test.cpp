#include "analysis/estrazioni.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/registratore.h"

namespace novanta::analisi {
namespace {

TEST(Estrazioni, FileLettoConDateCommentiESeparatori) {
    std::istringstream in(
        "\xEF\xBB\xBF# archive\r\n2024-01-05 1 2 3 4 5\r\n\r\n06/01/2024,10,20;30\t40 50\n  # late comment\n07 8 9\n");
    std::vector<Estrazione> e;
    ErroreLettura errore;
    ASSERT_TRUE(LeggiEstrazioni(in, e, errore)) << errore.descrizione;
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].riga, 2);
    EXPECT_EQ(e[0].data, "2024-01-05");
    EXPECT_EQ(e[1].data, "2024-01-06");
    EXPECT_EQ(e[1].numeri, (std::vector<uint8_t>{10, 20, 30, 40, 50}));
    EXPECT_EQ(e[2].riga, 6);
    EXPECT_EQ(e[2].data, "");
    EXPECT_EQ(e[2].numeri, (std::vector<uint8_t>{7, 8, 9}));
}

TEST(Estrazioni, RigheSbagliateRifiutateColNumero) {
    test::CartellaTemporanea dati;
    std::string troppe;  // one draw more than the 100,000 a file may hold
    for (int i = 0; i <= 100000; ++i) troppe += "1\n";
    const struct {
        std::string testo;
        int riga;
    } casi[] = {
        {"1 2 3\n1 2 91\n", 2},
        {"1 2 0\n", 1},
        {"1 2 2\n", 1},
        {"1 2 x3\n", 1},
        {"2024-02-30 1 2 3\n", 1},
        {"31/12/20 1 2\n", 1},
        {"1 2 3\n2024-01-01\n", 2},
        {"1 2 99999999999999999999999\n", 1},
        {"# c\n\n1 -2 3\n", 3},
        {"1 2\n" + std::string(100000, '7'), 2},
        {std::string("\x00\xFF\x01 5", 5) + "\n", 1},
        {"# nothing\n\n", 0},  // no draw at all: refused, with no line to name
        {troppe, 100001},
    };
    for (const auto& c : casi) {
        std::istringstream in(c.testo);
        std::vector<Estrazione> e{{9, "", {1}}};
        ErroreLettura errore;
        EXPECT_FALSE(LeggiEstrazioni(in, e, errore)) << c.testo.substr(0, 30);
        const std::string riga = c.riga ? " " + std::to_string(c.riga) + ":" : "";
        EXPECT_NE(errore.descrizione.find(riga), std::string::npos)
            << c.testo.substr(0, 30) << " -> " << errore.descrizione;
        EXPECT_FALSE(errore.descrizione.empty());
        EXPECT_EQ(e.size(), 1u);
    }
}

TEST(Estrazioni, ControlloDiUnaEstrazione) {
    const ControlloEstrazioni controllo({1, 2, 3, 4, 5, 1, 2, 70, 80, 90, 6, 7, 8, 9, 10}, 5);
    const auto e = controllo.Controlla({1, 2, 90, 80, 33});
    EXPECT_EQ(e.migliore, 4);
    EXPECT_EQ(e.colpi, (std::vector<int32_t>{1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(e.vincenti, std::vector<int32_t>{2});
    test::InterfacciaRegistrata ui;
    const auto r = ControllaEstrazioni(controllo, {{1, "", {1, 2, 3}}, {2, "", {50}}}, ui);
    EXPECT_EQ(r.perMigliore, (std::vector<int32_t>{1, 0, 0, 1, 0, 0}));
    EXPECT_EQ(r.colpiTotali, (std::vector<int64_t>{4, 0, 1, 1, 0, 0}));
}

}  // namespace
}  // namespace novanta::analisi
