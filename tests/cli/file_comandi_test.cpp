#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/cli.h"
#include "core/corpo.h"
#include "matrices/matrice.h"
#include "support/date.h"
#include "support/registratore.h"

namespace novanta {
namespace {

class ComandiFile : public ::testing::Test {
protected:
    void SetUp() override { test::StatoIniziale(); }
    // Runs the tool on the test's data folder.
    test::EsitoCli cli(std::vector<std::string> argomenti) const {
        return test::EseguiCli(dati.percorso(), std::move(argomenti));
    }
    std::string d(const std::string& nome) const { return (dati / nome).string(); }
    std::string leggi(const std::string& nome) const { return test::LeggiFile(dati / nome); }
    test::CartellaTemporanea dati;
};

TEST_F(ComandiFile, ImportaStampaLunghezzaPronosticoEConteggio) {
    dati.scrivi("a.txt", "5 3 1\n2,4,6\n");
    const auto r = cli({"import", "--in", d("a.txt"), "--out", d("b.txt")});
    EXPECT_EQ(r.codice, 0) << r.err;
    EXPECT_EQ(r.out, "Length: 3\nPrediction: 01 02 03 04 05 06\nColumns: 2\n");
    EXPECT_EQ(leggi("b.txt"), " 01 03 05 \r\n 02 04 06 \r\n");
    dati.scrivi("c.txt", "1 2 3\n4 99 5\n");
    const auto e = cli({"import", "--in", d("c.txt")});
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find("Riga [4 99 5]"), std::string::npos) << e.err;
}

// make-matrix writes the system the engine built; the matrix reads back identical and, applied
// to the numbers 1..V in order, gives back the same columns.
TEST_F(ComandiFile, MatriceDaSistemaRilettaEApplicata) {
    auto r = cli({"generate", "--numbers", "1-10", "--length", "4", "--nx", "1", "--out", d("s.txt")});
    ASSERT_EQ(r.codice, 0) << r.err;
    r = cli({"make-matrix", "--in", d("s.txt"), "--out", d("m.mzel"), "--cover", "100%", "--author", "Prova",
             "--valid-to", "2099-12-31"});
    ASSERT_EQ(r.codice, 0) << r.err;
    EXPECT_NE(r.out.find(" 10 |  4 |  3 |  4 |  0 |"), std::string::npos) << r.out;
    MATRIX_STRUCTURE m;
    ErroreLettura errore;
    ASSERT_TRUE(LeggiMatrice(dati / "m.mzel", m, errore)) << errore.descrizione;
    EXPECT_TRUE(VerificaCRCMatrice(dati / "m.mzel"));
    EXPECT_TRUE(FormatoMatriceValido(m));
    EXPECT_EQ(m.VALID_TO, DataOLE(2099, 12, 31));
    r = cli({"matrix", "--file", d("m.mzel"), "--numbers", "1-10", "--out", d("a.txt")});
    ASSERT_EQ(r.codice, 0) << r.err;
    EXPECT_EQ(leggi("a.txt"), leggi("s.txt"));
    EXPECT_NE(r.err.find("Condition on: reduction N-1"), std::string::npos) << r.err;
    // Another order of the prediction: other numbers in the same roles, same count.
    r = cli({"matrix", "--file", d("m.mzel"), "--numbers", "90,80,70,60,50,40,30,20,11,1"});
    ASSERT_EQ(r.codice, 0) << r.err;
    EXPECT_EQ(static_cast<int32_t>(std::count(r.out.begin(), r.out.end(), '\n')), m.COLUMNS_OF_MATRIX_C);
    EXPECT_EQ(r.out.rfind(" 60 70 80 90 \r\n", 0), 0u) << r.out.substr(0, 40);
    r = cli({"matrices", "--dir", dati.percorso().string()});
    EXPECT_EQ(r.codice, 0);
    EXPECT_NE(r.out.find("| ok  | ok  |"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("m.mzel"), std::string::npos);
}

// The matrix refusals themselves (dates, count, tag) are in applica_matrice_test.cpp: here one
// refusal of the file (code 1) and one of the options (code 2).
TEST_F(ComandiFile, MatriceRifiutataConMotivoEUscitaNonZero) {
    dati.scrivi("s.txt", "1 2 3\n2 3 4\n1 3 4\n");
    ASSERT_EQ(cli({"make-matrix", "--in", d("s.txt"), "--out", d("m.mzel")}).codice, 0);
    auto rotta = leggi("m.mzel");
    rotta[150 % rotta.size()] ^= 1;
    dati.scrivi("rotta.mzel", rotta);
    auto r = cli({"matrix", "--file", d("rotta.mzel"), "--numbers", "1-4"});
    EXPECT_EQ(r.codice, 1);
    EXPECT_NE(r.err.find("CRC"), std::string::npos) << r.err;
    EXPECT_EQ(cli({"matrix", "--file", d("m.mzel"), "--numbers", "1,2,3,3"}).codice, 2);
    r = cli({"matrix", "--text", d("s.txt"), "--numbers", "7,3,88,41"});
    EXPECT_EQ(r.codice, 0) << r.err;
    EXPECT_EQ(r.out, " 03 07 88 \r\n 03 41 88 \r\n 07 41 88 \r\n");
}

TEST_F(ComandiFile, GaranziaFalsaRifiutataEFisseDaRisposte) {
    // Every column holds 1 and 2: two fixed numbers.
    dati.scrivi("f.txt", "1 2 3\n1 2 4\n1 2 5\n");
    auto r = cli({"make-matrix", "--in", d("f.txt"), "--out", d("f.mzel"), "--guarantee", "3"});
    EXPECT_EQ(r.codice, 1);
    EXPECT_NE(r.err.find("do not guarantee 3"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dati / "f.mzel"));
    dati.scrivi("buco.txt", "1 2 4\n1 2 5\n");
    r = cli({"make-matrix", "--in", d("buco.txt"), "--out", d("b.mzel")});
    EXPECT_EQ(r.codice, 1);
    EXPECT_NE(r.err.find("3 never appears"), std::string::npos) << r.err;
    r = cli({"make-matrix", "--in", d("f.txt"), "--out", d("f.mzel")});
    ASSERT_EQ(r.codice, 0) << r.err;
    EXPECT_NE(r.out.find("  5 |  3 |  1 |  3 |  2 |"), std::string::npos) << r.out;
    r = cli({"matrix", "--file", d("f.mzel"), "--numbers", "10,20,30,40,50", "--fixed-answers", "40,10"});
    ASSERT_EQ(r.codice, 0) << r.err;
    EXPECT_NE(r.err.find("Condition on: fixed numbers 10 40"), std::string::npos) << r.err;
    // 40 and 10 became the abstract numbers 1 and 2.
    EXPECT_EQ(r.out, " 10 30 40 \r\n 10 20 40 \r\n 10 40 50 \r\n");
    // Too few answers: the application is abandoned.
    EXPECT_EQ(cli({"matrix", "--file", d("f.mzel"), "--numbers", "10,20,30,40,50", "--fixed-answers", "40"}).codice, 1);
}

TEST_F(ComandiFile, BaseEFiltriDaFilePerGenerate) {
    dati.scrivi("base.txt", "1 2 3\n");
    dati.scrivi("and.txt", "1 2 3\n");
    dati.scrivi("or.txt", "4\n5\n");
    dati.scrivi("cattivo.txt", "1 2\n3 95\n");
    const std::vector<std::string> g = {"generate", "--numbers", "1-5", "--length", "3"};
    const auto con = [&](std::vector<std::string> altri) {
        altri.insert(altri.begin(), g.begin(), g.end());
        return cli(altri);
    };
    auto r = con({"--base", d("base.txt"), "--and-file", d("and.txt") + ":0,1"});
    ASSERT_EQ(r.codice, 0) << r.err;
    // The base column heads the system; the AND filter keeps columns with at most one of 1, 2, 3.
    EXPECT_EQ(r.out, " 01 02 03 \r\n 01 04 05 \r\n 02 04 05 \r\n 03 04 05 \r\n");
    r = con({"--or-file", d("or.txt") + ":2"});
    ASSERT_EQ(r.codice, 0) << r.err;
    EXPECT_EQ(r.out, "");
    r = con({"--and-file", d("cattivo.txt") + ":1"});
    EXPECT_EQ(r.codice, 1);
    EXPECT_NE(r.err.find("Number 95 outside 1..90 (line 2"), std::string::npos) << r.err;
    r = cli({"generate", "--numbers", "1-5", "--length", "4", "--base", d("base.txt")});
    EXPECT_EQ(r.codice, 1);
    EXPECT_NE(r.err.find("Lunghezza Colonna Base [3] diversa da Lunghezza Colonna [4]"), std::string::npos) << r.err;
    EXPECT_EQ(con({"--and-file", d("and.txt")}).codice, 2);
    // A number twice in a column line: refused, naming the line, by --base and make-matrix alike.
    dati.scrivi("doppio.txt", "1 2 3\n01 02 -1\n");
    r = con({"--base", d("doppio.txt")});
    EXPECT_EQ(r.codice, 1);
    EXPECT_NE(r.err.find("Riga [01 02 -1]"), std::string::npos) << r.err;
    r = cli({"make-matrix", "--in", d("doppio.txt"), "--out", d("m.mzel")});
    EXPECT_EQ(r.codice, 1);
    EXPECT_NE(r.err.find("Riga [01 02 -1]"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(d("m.mzel")));
}

}  // namespace
}  // namespace novanta
