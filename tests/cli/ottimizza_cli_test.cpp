#include <gtest/gtest.h>

#include "core/corpo.h"
#include "support/formato.h"
#include "support/lingua_prova.h"
#include "support/registratore.h"

namespace novanta {
namespace {

class CliOttimizza : public ::testing::Test {
protected:
    void SetUp() override {
        test::StatoIniziale();
        test::ScriviLinguaProva(dir);
        ImpostaSeparatoreMigliaia('.');
    }
    void TearDown() override { test::StatoIniziale(); }
    test::EsitoCli esegui(std::vector<std::string> argomenti) { return test::EseguiCli(dir.percorso(), std::move(argomenti)); }
    static size_t righe(const std::string& s) { return static_cast<size_t>(std::count(s.begin(), s.end(), '\n')); }

    test::CartellaTemporanea dir;
};

TEST_F(CliOttimizza, OptimizeEGenerateOptimize) {
    const std::string sistema = (dir / "nx.txt").string();
    auto g = esegui({"generate", "--numbers", "1-11", "--length", "5", "--nx", "1", "--sum", "20-40", "--out", sistema});
    ASSERT_EQ(g.codice, 0) << g.err;
    const size_t prima = righe(test::LeggiFile(sistema));

    const std::vector<std::string> comando{"optimize", "--in", sistema, "--nx", "1", "--sum", "20-40", "--moves", "3000", "--seed", "5"};
    const auto a = esegui(comando);
    ASSERT_EQ(a.codice, 0) << a.err;
    EXPECT_LT(righe(a.out), prima);
    EXPECT_NE(a.err.find("Columns before: " + std::to_string(prima)), std::string::npos) << a.err;
    EXPECT_NE(a.err.find("Best: "), std::string::npos);
    EXPECT_NE(a.err.find("Guarantee verified"), std::string::npos);
    EXPECT_EQ(esegui(comando).out, a.out);  // same seed, same moves, same system

    auto o = esegui({"generate", "--numbers", "1-11", "--length", "5", "--nx", "1", "--sum", "20-40", "--optimize", "1"});
    ASSERT_EQ(o.codice, 0) << o.err;
    EXPECT_LT(righe(o.out), prima);
    EXPECT_NE(o.err.find("Guarantee verified"), std::string::npos);

    // Refusals: no guarantee to keep, a missing file, a universe too large for its counts.
    EXPECT_EQ(esegui({"optimize", "--in", sistema}).codice, 2);
    EXPECT_EQ(esegui({"generate", "--numbers", "1-11", "--length", "5", "--optimize", "1"}).codice, 2);
    EXPECT_EQ(esegui({"optimize", "--in", (dir / "manca.txt").string(), "--nx", "1"}).codice, 1);
    dir.scrivi("lunghe.txt", " 01 02 03 04 05 06 07 08 09 10 \r\n");
    const auto grande = esegui({"optimize", "--in", (dir / "lunghe.txt").string(), "--nx", "4", "--numbers", "1-90"});
    EXPECT_EQ(grande.codice, 1);
    EXPECT_NE(grande.err.find("more than the 1024 MB allowed"), std::string::npos) << grande.err;
    EXPECT_EQ(grande.out, "");
}

}  // namespace
}  // namespace novanta
