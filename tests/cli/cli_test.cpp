#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "core/corpo.h"
#include "support/formato.h"
#include "support/lingua_prova.h"
#include "support/registratore.h"

namespace novanta {
namespace {

namespace fs = std::filesystem;
constexpr auto leggi = &test::LeggiFile;

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        test::StatoIniziale();
        test::ScriviLinguaProva(dir);
        ImpostaSeparatoreMigliaia('.');
    }
    void TearDown() override { test::StatoIniziale(); }

    test::EsitoCli esegui(std::vector<std::string> argomenti) {
        return test::EseguiCli(dir.percorso(), std::move(argomenti));
    }

    test::CartellaTemporanea dir;
};

TEST_F(Cli, GeneraNelFormatoDelleColonneTesto) {
    const auto e = esegui({"generate", "--numbers", "1-6", "--length", "5"});
    EXPECT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out,
              " 01 02 03 04 05 \r\n 01 02 03 04 06 \r\n 01 02 03 05 06 \r\n"
              " 01 02 04 05 06 \r\n 01 03 04 05 06 \r\n 02 03 04 05 06 \r\n");
    EXPECT_NE(e.err.find("M0062"), std::string::npos);
    EXPECT_NE(e.err.find("Columns: 6"), std::string::npos);
    EXPECT_NE(e.err.find("0 Days 00:00:0"), std::string::npos);

    const auto r = esegui({"generate", "--numbers", "1-3", "--length", "5"});  // refused by the run itself
    EXPECT_EQ(r.codice, 1);
    EXPECT_NE(r.err.find("fewer than the column length 5"), std::string::npos);
    EXPECT_EQ(r.out, "");
}

TEST_F(Cli, CondizioniERiduzioni) {
    auto e = esegui({"generate", "--numbers", "1-10,90", "--length", "3", "--fixed", "90,50", "--sum", "100-100"});
    EXPECT_EQ(e.codice, 0) << e.err;
    // 90 fixed (50 is not in the prediction and is dropped), the other two add up to 10.
    EXPECT_EQ(e.out, " 01 09 90 \r\n 02 08 90 \r\n 03 07 90 \r\n 04 06 90 \r\n");
    EXPECT_NE(e.err.find("M0060"), std::string::npos);

    e = esegui({"generate", "--numbers", "1-12", "--length", "4", "--min-distance", "4"});
    EXPECT_EQ(e.out, " 01 02 03 04 \r\n 05 06 07 08 \r\n 09 10 11 12 \r\n");
    EXPECT_NE(e.err.find("M0061 [4]"), std::string::npos);

    e = esegui({"generate", "--numbers", "1-12", "--length", "4", "--nx", "4"});
    EXPECT_EQ(e.out, " 01 02 03 04 \r\n");

    e = esegui({"generate", "--numbers", "1-8", "--length", "3", "--even", "3", "--runs", "1", "--and", "2-8:2,3",
                "--or", "2:1", "--or", "4:1", "--gap", "1,2:2:2"});
    EXPECT_EQ(e.codice, 0) << e.err;
    // All even, no neighbours, 2 or 4 present, both gaps exactly 2.
    EXPECT_EQ(e.out, " 02 04 06 \r\n 04 06 08 \r\n");

    // "none" leaves a side of a distance filter free.
    e = esegui({"generate", "--numbers", "1-5", "--length", "3", "--gap", "1:none:1"});
    EXPECT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, " 01 02 03 \r\n 01 02 04 \r\n 01 02 05 \r\n 02 03 04 \r\n 02 03 05 \r\n 03 04 05 \r\n");
}

TEST_F(Cli, OutScriveIlFile) {
    const auto file = dir / "sistema.txt";
    std::ofstream(file) << "vecchio";
    const auto e = esegui({"generate", "--numbers", "1-4", "--length", "3", "--out", file.string()});
    EXPECT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, "");
    EXPECT_EQ(leggi(file), " 01 02 03 \r\n 01 02 04 \r\n 01 03 04 \r\n 02 03 04 \r\n");

    const auto vuoto = dir / "vuoto.txt";
    const auto n = esegui({"generate", "--numbers", "1-4", "--length", "3", "--even", "3", "--out", vuoto.string()});
    EXPECT_EQ(n.codice, 0) << n.err;
    EXPECT_TRUE(fs::exists(vuoto));
    EXPECT_EQ(leggi(vuoto), "");

    const auto manca = dir / "manca" / "x.txt";
    const auto f = esegui({"generate", "--numbers", "1-4", "--length", "3", "--out", manca.string()});
    EXPECT_EQ(f.codice, 1);
    EXPECT_NE(f.err.find("SalvaColonneTxt"), std::string::npos);
    EXPECT_FALSE(fs::exists(manca));
}

TEST_F(Cli, RicalcolaUnFileDiColonne) {
    const auto in = dir / "in.txt";
    std::ofstream(in, std::ios::binary) << "5 3 1 9\r\n\r\n2,4,6,8\n10\t20  30 40\r\n1 2 3 4\r\n";
    auto e = esegui({"recalc", "--in", in.string()});
    EXPECT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, " 01 03 05 09 \r\n 02 04 06 08 \r\n 10 20 30 40 \r\n 01 02 03 04 \r\n");

    e = esegui({"recalc", "--in", in.string(), "--sum", "18-20"});
    EXPECT_EQ(e.out, " 01 03 05 09 \r\n 02 04 06 08 \r\n");

    e = esegui({"recalc", "--in", in.string(), "--length", "4", "--min-distance", "2"});
    EXPECT_EQ(e.out, " 01 03 05 09 \r\n 02 04 06 08 \r\n 10 20 30 40 \r\n 01 02 03 04 \r\n");

    const auto out = dir / "out.txt";
    e = esegui({"recalc", "--in", in.string(), "--even", "4", "--out", out.string()});
    EXPECT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(leggi(out), " 02 04 06 08 \r\n 10 20 30 40 \r\n");

    // A length other than the file's columns' is refused by the run: code 1, nothing written.
    e = esegui({"recalc", "--in", in.string(), "--length", "5"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find(" 4 5"), std::string::npos) << e.err;
    EXPECT_EQ(e.out, "");
}

// The reader's own bad-input cases are in colonne_txt_test.cpp; here, that the tool fails with
// code 1, writes nothing and leaves the output file as it was.
TEST_F(Cli, FileDiColonneCattivoNonToccaIlFileDiUscita) {
    const auto out = dir / "out.txt";
    std::ofstream(out, std::ios::binary) << " 01 02 03 \r\n";
    const auto in = dir / "cattivo.txt";
    test::EsitoCli e;
    // A short line, and one endless line.
    for (const auto& [contenuto, attesa] :
         {std::pair{std::string("1 2 3\n4 5\n"), "Riga [4 5]"}, {std::string(2u << 20, '1'), "too long"}}) {
        std::ofstream(in, std::ios::binary) << contenuto;
        e = esegui({"recalc", "--in", in.string(), "--out", out.string()});
        EXPECT_EQ(e.codice, 1);
        EXPECT_NE(e.err.find(attesa), std::string::npos) << e.err;
        EXPECT_EQ(e.out, "");
        EXPECT_EQ(leggi(out), " 01 02 03 \r\n");
    }
    // A file with no column is refused like a bad one.
    const auto vuoto = dir / "vuoto.txt";
    std::ofstream(vuoto, std::ios::binary) << "\r\n\r\n";
    e = esegui({"recalc", "--in", vuoto.string(), "--out", out.string()});
    EXPECT_EQ(e.codice, 1) << e.err;
    EXPECT_NE(e.err.find("vuoto.txt"), std::string::npos) << e.err;
    EXPECT_EQ(leggi(out), " 01 02 03 \r\n");
}

// A path that is not a regular file is refused at once, before anything is written: a folder
// once read as an empty system, /dev/zero never ended and a FIFO blocked.
TEST_F(Cli, IngressoCheNonEUnFileRifiutato) {
    const auto out = dir / "good.txt";
    std::ofstream(out, std::ios::binary) << " 01 02 03 \r\n";
    fs::create_directory(dir / "cartella");
    const auto fifo = dir / "colonne.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::vector<std::vector<std::string>> casi = {
        {"import", "--in", (dir / "cartella").string(), "--out", out.string()},
        {"import", "--in", "/dev/zero", "--out", out.string()},
        {"recalc", "--in", fifo.string(), "--out", out.string()},
        {"recalc", "--in", (dir / "cartella").string(), "--out", out.string()},
        {"generate", "--numbers", "1-5", "--length", "3", "--and-file", (dir / "cartella").string() + ":1", "--out",
         out.string()},
        {"generate", "--numbers", "1-5", "--length", "3", "--base", fifo.string(), "--out", out.string()},
        {"make-matrix", "--in", "/dev/zero", "--out", out.string()},
        {"matrix", "--file", fifo.string(), "--numbers", "1-5", "--out", out.string()},
        {"matrix", "--text", (dir / "cartella").string(), "--numbers", "1-5", "--out", out.string()},
        {"check", "--in", out.string(), "--draws", fifo.string()},
        {"check", "--in", out.string(), "--draws", "/dev/zero"},
    };
    for (const auto& argomenti : casi) {
        const auto e = esegui(argomenti);
        EXPECT_EQ(e.codice, 1) << argomenti[0] << " " << argomenti[2] << "\n" << e.err;
        EXPECT_NE(e.err.find("not"), std::string::npos) << e.err;
        EXPECT_EQ(leggi(out), " 01 02 03 \r\n") << argomenti[0];
    }
}

// A limit that cuts the input or the result: said on stderr, exit 4, the output still written.
TEST_F(Cli, UnLimiteCheTagliaEsceConQuattro) {
    std::string filtri;
    for (int i = 0; i < 150000; ++i) filtri += "1 2\n";
    dir.scrivi("pieno.txt", filtri);
    dir.scrivi("oltre.txt", filtri + "\n\n3 4\n");
    std::string matrice;
    for (int i = 0; i < 100001; ++i) matrice += "1 2\n";
    dir.scrivi("matrice.txt", matrice);
    const auto g = [&](const std::string& f) {
        return esegui({"generate", "--numbers", "1-4", "--length", "2", "--and-file", (dir / f).string() + ":1"});
    };
    auto e = g("pieno.txt");
    EXPECT_EQ(e.codice, 0) << e.err;
    e = g("oltre.txt");
    EXPECT_EQ(e.codice, 4) << e.err;
    EXPECT_NE(e.err.find("more than 150,000 filters"), std::string::npos) << e.err;
    EXPECT_EQ(e.out, " 01 03 \r\n 01 04 \r\n 02 03 \r\n 02 04 \r\n");
    e = esegui({"matrix", "--text", (dir / "matrice.txt").string(), "--numbers", "5,6"});
    EXPECT_EQ(e.codice, 4) << e.err;
    EXPECT_NE(e.err.find("more than 100,000 lines"), std::string::npos) << e.err;
    EXPECT_EQ(e.out.size(), 100000u * 9);
    e = esegui({"generate", "--numbers", "1-40", "--length", "6", "--out", "/dev/null"});
    EXPECT_EQ(e.codice, 4) << e.err;
    EXPECT_NE(e.err.find("stopped at 3,000,000 columns"), std::string::npos) << e.err;
}

TEST_F(Cli, OpzioniSbagliateUnaRigaCodiceDue) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> casi = {
        {{"generate", "--numbers", "1-6", "--length", "30"}, "--length"},
        {{"generate", "--numbers", "1-6"}, "--length"},
        {{"generate", "--numbers", "80-91", "--length", "3"}, "--numbers"},
        {{"generate", "--numbers", "1-6", "--length", "3", "--fixed", "91"}, "--fixed"},
        {{"generate", "--numbers", "1-6", "--length", "3", "--sum", "5"}, "--sum"},
        {{"generate", "--numbers", "1-6", "--length", "3", "--sum", "a-b"}, "--sum"},
        {{"generate", "--numbers", "1-6", "--length", "3", "--even", "26"}, "--even"},
        {{"generate", "--numbers", "1-6", "--length", "3", "--runs", "0"}, "--runs"},
        {{"generate", "--numbers", "1-6", "--length", "3", "--and", "1-5"}, "--and"},
        {{"generate", "--numbers", "1-6", "--length", "3", "--or", "1-5:1:2"}, "--or"},
        {{"generate", "--numbers", "1-6", "--length", "3", "--gap", "1:2"}, "--gap"},
        {{"generate", "--numbers", "1-6", "--length", "3", "--gap", "1:90:1"}, "--gap"},
        {{"generate", "--numbers", "1-6", "--length", "3", "--nx", "-1"}, "--nx"},
        {{"generate", "--numbers", "1-6", "--length", "3", "--bogus"}, "--bogus"},
        // The checked setters' refusals (their table is in regole_condizioni_test.cpp) name the option.
        {{"generate", "--numbers", "1-6", "--length", "3", "--sum", "1-8"}, "--sum"},
        {{"generate", "--numbers", "1-6", "--length", "3", "--min-distance", "7"}, "--min-distance"},
        {{"recalc"}, "--in"},
    };
    for (const auto& [argomenti, opzione] : casi) {
        const auto e = esegui(argomenti);
        std::string riga;
        for (const auto& a : argomenti) riga += a + " ";
        EXPECT_EQ(e.codice, 2) << riga << "\n" << e.err;
        EXPECT_EQ(std::count(e.err.begin(), e.err.end(), '\n'), 1) << riga << "\n" << e.err;
        EXPECT_NE(e.err.find(opzione), std::string::npos) << riga << "\n" << e.err;
        EXPECT_EQ(e.out, "") << riga;
    }
    // More than 25 distance filters.
    std::vector<std::string> troppi{"generate", "--numbers", "1-6", "--length", "3"};
    for (int i = 0; i < 26; ++i) troppi.insert(troppi.end(), {"--gap", "1:1:1"});
    const auto e = esegui(troppi);
    EXPECT_EQ(e.codice, 2);
    EXPECT_NE(e.err.find("--gap"), std::string::npos);
    EXPECT_EQ(esegui({}).codice, 2);  // no command
}

TEST_F(Cli, HelpElencaTutto) {
    const auto e = esegui({"--help"});
    EXPECT_EQ(e.codice, 0);
    for (const char* voce :
         {"generate", "recalc", "--numbers", "--out", "--in", "--gap", "--min-distance", "Exit codes", "130"})
        EXPECT_NE(e.out.find(voce), std::string::npos) << voce;
    const auto g = esegui({"generate", "--help"});
    EXPECT_EQ(g.codice, 0);
    EXPECT_EQ(g.out.find("--in "), std::string::npos);  // recalc's own option is not generate's
}

TEST(LeggiLista, NumeriEIntervalli) {
    EXPECT_EQ(cli::LeggiLista("1-3,33,45"), (std::vector<int>{1, 2, 3, 33, 45}));
    EXPECT_EQ(cli::LeggiLista("none"), std::vector<int>{});
    EXPECT_EQ(cli::LeggiLista(""), std::vector<int>{});
    EXPECT_EQ(cli::LeggiLista("5-5"), std::vector<int>{5});
    EXPECT_EQ(cli::LeggiLista("090"), std::vector<int>{90});
    for (const char* cattivo : {"1,,2", ",", "1,", ",1", "a", "1-", "-3", "5-1", "1-2-3", " 1", "1 ", "+1", "1000",
                                "1.5", "none,1", "1-a", "--"}) {
        try {
            cli::LeggiLista(cattivo);
            ADD_FAILURE() << "accepted '" << cattivo << "'";
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find('\''), std::string::npos) << cattivo;
        }
    }
}

TEST_F(Cli, OptimizeEGenerateOptimize) {
    const auto righe = [](const std::string& s) { return static_cast<size_t>(std::count(s.begin(), s.end(), '\n')); };
    const std::string sistema = (dir / "nx.txt").string();
    auto g =
        esegui({"generate", "--numbers", "1-11", "--length", "5", "--nx", "1", "--sum", "20-40", "--out", sistema});
    ASSERT_EQ(g.codice, 0) << g.err;
    const size_t prima = righe(test::LeggiFile(sistema));

    const std::vector<std::string> comando{"optimize", "--in",    sistema, "--nx",   "1", "--sum",
                                           "20-40",    "--moves", "3000",  "--seed", "5"};
    const auto a = esegui(comando);
    ASSERT_EQ(a.codice, 0) << a.err;
    EXPECT_LT(righe(a.out), prima);
    EXPECT_NE(a.err.find("Columns before: " + std::to_string(prima)), std::string::npos) << a.err;
    EXPECT_NE(a.err.find("Best: "), std::string::npos);
    EXPECT_NE(a.err.find("Guarantee verified"), std::string::npos);
    EXPECT_EQ(esegui(comando).out, a.out);  // same seed, same moves, same system

    auto o =
        esegui({"generate", "--numbers", "1-11", "--length", "5", "--nx", "1", "--sum", "20-40", "--optimize", "1"});
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
