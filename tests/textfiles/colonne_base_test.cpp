#include <gtest/gtest.h>

#include "core/corpo.h"
#include "support/formato.h"
#include "support/registratore.h"
#include "textfiles/colonne_base.h"
#include "textfiles/griglia_txt.h"

namespace novanta {
namespace {

class ColonneBase : public ::testing::Test {
protected:
    void SetUp() override {
        test::StatoIniziale();
        ImpostaSeparatoreMigliaia('.');
    }
    bool importa(const std::string& nome, const std::string& contenuto) {
        dati.scrivi(nome, contenuto);
        return ImportaColonneBase((dati / nome).string());
    }
    test::InterfacciaRegistrata ui;
    test::CartellaTemporanea dati;
};

// The grid's cells, copied and sorted through the window, are the window's test.
TEST_F(ColonneBase, TreColonneDiSeiInOrdineDiFile) {
    mLenCol = 6;
    ASSERT_TRUE(importa("b.txt", "6 5 4 3 2 1\n10 20 30 40 50 60\n\n7,8,9,10,11,12\n"));
    EXPECT_EQ(mNumColonneBase, 3);
    EXPECT_EQ(mColonneBase[1].numeri[1], 6);
    EXPECT_EQ(mColonneBase[1].numeri[6], 1);
    EXPECT_EQ(std::vector<int>({mColonneBase[2].minimo, mColonneBase[2].massimo}), std::vector<int>({10, 60}));
    EXPECT_FALSE(mColonneBaseAttive);
    EXPECT_TRUE(ui.messaggi.empty());
}

// Another length or an unreadable file leaves the list the user had; an empty file empties it.
// Each unreadable line (out of range, too large, a letter, a number twice, 26 numbers) becomes an
// empty column, with a message naming it.
TEST_F(ColonneBase, FileErratiOVuoti) {
    mLenCol = 5;
    ASSERT_TRUE(importa("buona.txt", "1 2 3 4 5\n"));
    EXPECT_FALSE(importa("sei.txt", "1 2 3 4 5 6\n7 8 9 10 11 12\n"));
    EXPECT_FALSE(ImportaColonneBase((dati / "manca.txt").string()));
    ASSERT_EQ(ui.messaggi.size(), 2u);  // the length refusal's text is the window's and the command line's test
    EXPECT_EQ(ui.messaggi[1].testo.rfind("Error 53 (File not found", 0), 0u) << ui.messaggi[1].testo;
    EXPECT_EQ(mNumColonneBase, 1);
    EXPECT_EQ(mColonneBase[1].numeri[5], 5);
    ASSERT_TRUE(importa("vuoto.txt", "\r\n"));
    EXPECT_EQ(mNumColonneBase, 0);
    EXPECT_TRUE(CelleColonneBase().empty());
    EXPECT_EQ(EtichettaNumColonneBase(), "");
    mLenCol = 3;
    ui.messaggi.clear();
    std::string lunga;
    for (int i = 1; i <= 26; ++i) lunga += std::to_string(i) + " ";
    ASSERT_TRUE(importa("b.txt", "1 2 3\n1 2 300\n1 0 3\n1 91 2\na b c\n7 8 7\n" + lunga + "\n4 5 6\n"));
    ASSERT_EQ(mNumColonneBase, 8);
    for (size_t i = 2; i <= 7; ++i) EXPECT_EQ(mColonneBase[i].lunghezza + mColonneBase[i].numeri[1], 0) << i;
    EXPECT_EQ(mColonneBase[8].lunghezza, 3);
    ASSERT_EQ(ui.messaggi.size(), 6u);
    for (const auto& m : ui.messaggi)
        EXPECT_NE(m.testo.find(") in procedure StringToArrayColonna of Modulo corpo\r\nRiga ["), std::string::npos)
            << m.testo;
    EXPECT_NE(ui.messaggi[4].testo.find("appears twice in the column) in procedure StringToArrayColonna of Modulo "
                                        "corpo\r\nRiga [7 8 7]"),
              std::string::npos)
        << ui.messaggi[4].testo;
}

TEST_F(ColonneBase, OltreDuemilaRigheTieneLePrimeDuemila) {
    mLenCol = 2;
    std::string testo;
    for (int i = 0; i < 2500; ++i) testo += std::to_string(i % 89 + 1) + " 90\n";
    ASSERT_TRUE(importa("tante.txt", testo));
    EXPECT_EQ(mNumColonneBase, 2000);
    EXPECT_EQ(mColonneBase.size(), 2001u);
    ASSERT_EQ(ui.messaggi.size(), 1u);
    EXPECT_EQ(ui.messaggi[0].icona, Icona::Critica);
    EXPECT_NE(ui.messaggi[0].testo.find("2.000"), std::string::npos);
    EXPECT_EQ(EtichettaNumColonneBase(), "2.000");
}

TEST(CopiaGriglia, SelezioniEOrdinamento) {
    const std::vector<std::vector<std::string>> celle = {{"N.", "P1", "P2"}, {"1", "01", "02"}, {"2", "03", "04"}};
    // One cell, and a selection reaching past the edge (cut there); the whole grid and a selection
    // made backwards are the window's test.
    EXPECT_EQ(TestoCopiaGriglia(celle, 2, 1, 2, 1), "03\r\n");
    EXPECT_EQ(TestoCopiaGriglia(celle, 2, 2, 100, 100), "04\r\n");
    EXPECT_EQ(TestoCopiaGriglia({}, 0, 0, 5, 5), "");

    std::vector<std::vector<std::string>> righe = {{"N.", "P1"}, {"1", "10"}, {"2", "9"}, {"3", "09"}, {"4", "x"}};
    OrdinaCelleGriglia(righe, 1, 1, 4);
    // The heading stays; 9 and 09 are the same number and keep their order; a text sorts as text.
    std::string ordine;
    for (const auto& r : righe) ordine += r[0];
    EXPECT_EQ(ordine, "N.2314");
    OrdinaCelleGriglia(righe, 0, 1, 99);
    EXPECT_EQ(righe[1][0], "1");
    EXPECT_EQ(righe[4][0], "4");
}

}  // namespace
}  // namespace novanta
