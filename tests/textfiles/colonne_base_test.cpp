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
    test::InterfacciaRegistrata ui;
    test::CartellaTemporanea dati;
};

TEST_F(ColonneBase, TreColonneDiSeiInOrdineDiFile) {
    mLenCol = 6;
    dati.scrivi("b.txt", "6 5 4 3 2 1\n10 20 30 40 50 60\n\n7,8,9,10,11,12\n");
    ASSERT_TRUE(ImportaColonneBase((dati / "b.txt").string()));
    EXPECT_EQ(mNumColonneBase, 3);
    EXPECT_EQ(mColonneBase[1].numeri[1], 6);
    EXPECT_EQ(mColonneBase[1].numeri[6], 1);
    EXPECT_FALSE(mColonneBaseAttive);
    const auto celle = CelleColonneBase();
    ASSERT_EQ(celle.size(), 4u);
    EXPECT_EQ(celle[0], (std::vector<std::string>{"N.", "P1", "P2", "P3", "P4", "P5", "P6"}));
    EXPECT_EQ(celle[1], (std::vector<std::string>{"1", "06", "05", "04", "03", "02", "01"}));
    EXPECT_EQ(celle[3][0], "3");
    EXPECT_EQ(EtichettaNumColonneBase(), "3");
    EXPECT_TRUE(ui.messaggi.empty());
}

TEST_F(ColonneBase, LunghezzaDiversaRifiutataEVecchieColonneTenute) {
    mLenCol = 5;
    dati.scrivi("buona.txt", "1 2 3 4 5\n");
    ASSERT_TRUE(ImportaColonneBase((dati / "buona.txt").string()));
    dati.scrivi("sei.txt", "1 2 3 4 5 6\n7 8 9 10 11 12\n");
    EXPECT_FALSE(ImportaColonneBase((dati / "sei.txt").string()));
    ASSERT_EQ(ui.messaggi.size(), 1u);
    EXPECT_EQ(ui.messaggi[0].testo, "Lunghezza Colonna Base [6] diversa da Lunghezza Colonna [5]");
    EXPECT_EQ(ui.messaggi[0].icona, Icona::Critica);
    EXPECT_EQ(mNumColonneBase, 1);
    EXPECT_EQ(mColonneBase[1].numeri[5], 5);
    // A file that cannot be read leaves them too.
    EXPECT_FALSE(ImportaColonneBase((dati / "manca.txt").string()));
    EXPECT_EQ(mNumColonneBase, 1);
}

TEST_F(ColonneBase, FileVuotoSvuotaLaListaSenzaTestata) {
    mLenCol = 5;
    dati.scrivi("buona.txt", "1 2 3 4 5\n");
    ASSERT_TRUE(ImportaColonneBase((dati / "buona.txt").string()));
    dati.scrivi("vuoto.txt", "\r\n");
    ASSERT_TRUE(ImportaColonneBase((dati / "vuoto.txt").string()));
    EXPECT_EQ(mNumColonneBase, 0);
    EXPECT_TRUE(CelleColonneBase().empty());
    EXPECT_EQ(EtichettaNumColonneBase(), "");
}

TEST_F(ColonneBase, OltreDuemilaRigheTieneLePrimeDuemila) {
    mLenCol = 2;
    std::string testo;
    for (int i = 0; i < 2500; ++i) testo += std::to_string(i % 89 + 1) + " 90\n";
    dati.scrivi("tante.txt", testo);
    ASSERT_TRUE(ImportaColonneBase((dati / "tante.txt").string()));
    EXPECT_EQ(mNumColonneBase, 2000);
    EXPECT_EQ(mColonneBase.size(), 2001u);
    ASSERT_EQ(ui.messaggi.size(), 1u);
    EXPECT_EQ(ui.messaggi[0].icona, Icona::Critica);
    EXPECT_NE(ui.messaggi[0].testo.find("2.000"), std::string::npos);
    EXPECT_EQ(EtichettaNumColonneBase(), "2.000");
}

TEST_F(ColonneBase, RigaIllegibileDiventaColonnaVuota) {
    mLenCol = 3;
    dati.scrivi("b.txt", "1 2 3\n1 2 300\n4 5 6\n");
    ASSERT_TRUE(ImportaColonneBase((dati / "b.txt").string()));
    EXPECT_EQ(mNumColonneBase, 3);
    EXPECT_EQ(mColonneBase[2].lunghezza, 0);
    EXPECT_EQ(ui.messaggi.size(), 1u);
}

TEST(CopiaGriglia, SelezioneIntereInversaECellaSingola) {
    const std::vector<std::vector<std::string>> celle = {
        {"N.", "P1", "P2"}, {"1", "01", "02"}, {"2", "03", "04"}};
    EXPECT_EQ(TestoCopiaGriglia(celle, 0, 0, 2, 2), "N.\tP1\tP2\r\n1\t01\t02\r\n2\t03\t04\r\n");
    EXPECT_EQ(TestoCopiaGriglia(celle, 2, 2, 1, 1), TestoCopiaGriglia(celle, 1, 1, 2, 2));
    EXPECT_EQ(TestoCopiaGriglia(celle, 1, 1, 2, 2), "01\t02\r\n03\t04\r\n");
    EXPECT_EQ(TestoCopiaGriglia(celle, 2, 1, 2, 1), "03\r\n");
    // A selection reaching past the grid is cut at its edge.
    EXPECT_EQ(TestoCopiaGriglia(celle, 2, 2, 100, 100), "04\r\n");
    EXPECT_EQ(TestoCopiaGriglia({}, 0, 0, 5, 5), "");
}

TEST(CopiaGriglia, OrdinamentoNumericoSottoLaTestata) {
    std::vector<std::vector<std::string>> celle = {{"N.", "P1"}, {"1", "10"}, {"2", "9"}, {"3", "09"}, {"4", "x"}};
    OrdinaCelleGriglia(celle, 1, 1, 4);
    EXPECT_EQ(celle[0][0], "N.");
    // 9 and 09 are the same number and keep their order; a text sorts as text.
    EXPECT_EQ(celle[1][0], "2");
    EXPECT_EQ(celle[2][0], "3");
    EXPECT_EQ(celle[3][0], "1");
    EXPECT_EQ(celle[4][0], "4");
    OrdinaCelleGriglia(celle, 0, 1, 99);
    EXPECT_EQ(celle[1][0], "1");
    EXPECT_EQ(celle[4][0], "4");
}

}  // namespace
}  // namespace novanta
