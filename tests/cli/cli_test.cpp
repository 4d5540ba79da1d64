#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>

#include "cli/cli.h"
#include "engine/comune.h"

namespace novanta {
namespace {

namespace fs = std::filesystem;
constexpr auto leggi = &test::LeggiFile;

// One run of the tool and what it must give: the exit code, stdout whole, pieces of stderr.
struct Corsa {
    std::vector<std::string> argomenti;
    int codice;
    std::string out;
    std::vector<std::string> err;
};

// The engine tests' fixture: a fresh state and a data folder with the test language.
class Cli : public test::StatoMotore {
protected:
    test::EsitoCli esegui(std::vector<std::string> argomenti) {
        return test::EseguiCli(dir.percorso(), std::move(argomenti));
    }
    std::string d(const std::string& nome) const { return (dir / nome).string(); }
    // "generate" on `numeri` in columns of `lunghezza`, the other options after.
    static std::vector<std::string> genera(std::vector<std::string> altri, const char* numeri = "1-5",
                                           const char* lunghezza = "3") {
        altri.insert(altri.begin(), {"generate", "--numbers", numeri, "--length", lunghezza});
        return altri;
    }
    // Runs each case; `dopo` checks what must hold after every run.
    void verifica(const std::vector<Corsa>& corse, const std::function<void()>& dopo = {}) {
        for (const auto& c : corse) {
            std::string riga;
            for (const auto& a : c.argomenti) riga += a + " ";
            SCOPED_TRACE(riga);
            const auto e = esegui(c.argomenti);
            EXPECT_EQ(e.codice, c.codice) << e.err;
            EXPECT_EQ(e.out, c.out);
            for (const auto& pezzo : c.err) EXPECT_NE(e.err.find(pezzo), std::string::npos) << pezzo << "\n" << e.err;
            // A refused option is told in one line.
            if (c.codice == 2) {
                EXPECT_EQ(std::count(e.err.begin(), e.err.end(), '\n'), 1) << e.err;
            }
            if (dopo) dopo();
        }
    }
};

TEST_F(Cli, OgniComandoScriveLeSueColonne) {
    dir.scrivi("in.txt", "5 3 1 9\r\n\r\n2,4,6,8\n10\t20  30 40\r\n1 2 3 4\r\n");
    dir.scrivi("c.txt", "1 2 3\n4 99 5\n");
    dir.scrivi("a.txt", "5 3 1\n2,4,6\n");
    dir.scrivi("sistema.txt", "vecchio");
    dir.scrivi("s.txt", "1 2 3\n2 3 4\n1 3 4\n");
    dir.scrivi("base.txt", "1 2 3\n");
    dir.scrivi("or.txt", "4\n5\n");
    dir.scrivi("cattivo.txt", "1 2\n3 95\n");
    dir.scrivi("doppio.txt", "1 2 3\n01 02 -1\n");
    const std::string tutte = " 01 02 03 \r\n 01 02 04 \r\n 01 02 05 \r\n 02 03 04 \r\n 02 03 05 \r\n 03 04 05 \r\n";
    const std::string in = " 01 03 05 09 \r\n 02 04 06 08 \r\n 10 20 30 40 \r\n 01 02 03 04 \r\n";
    verifica({
        {genera({}, "1-6", "5"),
         0,
         " 01 02 03 04 05 \r\n 01 02 03 04 06 \r\n 01 02 03 05 06 \r\n"
         " 01 02 04 05 06 \r\n 01 03 04 05 06 \r\n 02 03 04 05 06 \r\n",
         {"M0062", "Columns: 6", "0 Days 00:00:0"}},
        // Refused by the run itself.
        {genera({}, "1-3", "5"), 1, "", {"fewer than the column length 5"}},
        // 90 fixed (50 is not in the prediction and is dropped), the other two add up to 10.
        {genera({"--fixed", "90,50", "--sum", "100-100"}, "1-10,90"),
         0,
         " 01 09 90 \r\n 02 08 90 \r\n 03 07 90 \r\n 04 06 90 \r\n",
         {"M0060"}},
        {genera({"--min-distance", "4"}, "1-12", "4"),
         0,
         " 01 02 03 04 \r\n 05 06 07 08 \r\n 09 10 11 12 \r\n",
         {"M0061 [4]"}},
        {genera({"--nx", "4"}, "1-12", "4"), 0, " 01 02 03 04 \r\n", {}},
        // All even, no neighbours, 2 or 4 present, both gaps exactly 2.
        {genera({"--even", "3", "--runs", "1", "--and", "2-8:2,3", "--or", "2:1", "--or", "4:1", "--gap", "1,2:2:2"},
                "1-8"),
         0,
         " 02 04 06 \r\n 04 06 08 \r\n",
         {}},
        // "none" leaves a side of a distance filter free.
        {genera({"--gap", "1:none:1"}), 0, tutte, {}},
        {{"recalc", "--in", d("in.txt"), "--sum", "18-20"}, 0, " 01 03 05 09 \r\n 02 04 06 08 \r\n", {}},
        {{"recalc", "--in", d("in.txt"), "--length", "4", "--min-distance", "2"}, 0, in, {}},
        // A length other than the file's columns' is refused by the run.
        {{"recalc", "--in", d("in.txt"), "--length", "5"}, 1, "", {" 4 5"}},
        {{"import", "--in", d("c.txt")}, 1, "", {"Riga [4 99 5]"}},
        {{"matrix", "--text", d("s.txt"), "--numbers", "7,3,88,41"},
         0,
         " 03 07 88 \r\n 03 41 88 \r\n 07 41 88 \r\n",
         {}},
        // The base column heads the system; the AND filter keeps columns with at most one of 1, 2, 3.
        {genera({"--base", d("base.txt"), "--and-file", d("base.txt") + ":0,1"}),
         0,
         " 01 02 03 \r\n 01 04 05 \r\n 02 04 05 \r\n 03 04 05 \r\n",
         {}},
        {genera({"--or-file", d("or.txt") + ":2"}), 0, "", {}},
        {genera({"--and-file", d("cattivo.txt") + ":1"}), 1, "", {"Number 95 outside 1..90 (line 2"}},
        {genera({"--base", d("base.txt")}, "1-5", "4"),
         1,
         "",
         {"Lunghezza Colonna Base [3] diversa da Lunghezza Colonna [4]"}},
        // A number twice in a column line: refused, naming the line, by --base and make-matrix alike.
        {genera({"--base", d("doppio.txt")}), 1, "", {"Riga [01 02 -1]"}},
        {{"make-matrix", "--in", d("doppio.txt"), "--out", d("m.mzel")}, 1, "", {"Riga [01 02 -1]"}},
        // With --out the columns go to the file only, an empty system to an empty file.
        {genera({"--out", d("sistema.txt")}, "1-4"), 0, "", {}},
        {genera({"--even", "3", "--out", d("vuoto.txt")}, "1-4"), 0, "", {}},
        {{"import", "--in", d("a.txt"), "--out", d("b.txt")},
         0,
         "Length: 3\nPrediction: 01 02 03 04 05 06\nColumns: 2\n",
         {}},
    });
    EXPECT_FALSE(fs::exists(dir / "m.mzel"));
    EXPECT_EQ(leggi(dir / "sistema.txt"), " 01 02 03 \r\n 01 02 04 \r\n 01 03 04 \r\n 02 03 04 \r\n");
    EXPECT_TRUE(fs::exists(dir / "vuoto.txt"));
    EXPECT_EQ(leggi(dir / "vuoto.txt"), "");
    EXPECT_EQ(leggi(dir / "b.txt"), " 01 03 05 \r\n 02 04 06 \r\n");
}

// A bad input or output fails with code 1 before anything is written: the output file stays as it
// was. The readers' own bad-input cases are in tests/textfiles; a path that is not a regular file
// was once read as an empty system (a folder), never ended (/dev/zero) or blocked (a FIFO).
TEST_F(Cli, UnIngressoRifiutatoNonToccaIlFileDiUscita) {
    const std::string out = d("out.txt");
    dir.scrivi("out.txt", " 01 02 03 \r\n");
    dir.scrivi("corta.txt", "1 2 3\n4 5\n");
    dir.scrivi("infinita.txt", std::string(2u << 20, '1'));
    dir.scrivi("vuoto.txt", "\r\n\r\n");
    fs::create_directory(dir / "cartella");
    const std::string cartella = d("cartella"), fifo = d("colonne.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::vector<std::pair<std::vector<std::string>, std::string>> casi = {
        {{"recalc", "--in", d("corta.txt"), "--out", out}, "Riga [4 5]"},
        {{"recalc", "--in", d("infinita.txt"), "--out", out}, "too long"},
        {{"recalc", "--in", d("vuoto.txt"), "--out", out}, "vuoto.txt"},
        {{"import", "--in", cartella, "--out", out}, "not"},
        {{"import", "--in", "/dev/zero", "--out", out}, "not"},
        {{"recalc", "--in", fifo, "--out", out}, "not"},
        {{"recalc", "--in", cartella, "--out", out}, "not"},
        {genera({"--and-file", cartella + ":1", "--out", out}), "not"},
        {genera({"--base", fifo, "--out", out}), "not"},
        {{"make-matrix", "--in", "/dev/zero", "--out", out}, "not"},
        {{"matrix", "--file", fifo, "--numbers", "1-5", "--out", out}, "not"},
        {{"matrix", "--text", cartella, "--numbers", "1-5", "--out", out}, "not"},
        {{"check", "--in", out, "--draws", fifo}, "not"},
        {{"check", "--in", out, "--draws", "/dev/zero"}, "not"},
        {genera({"--out", d("manca/x.txt")}), "SalvaColonneTxt"},
    };
    std::vector<Corsa> corse;
    for (const auto& [argomenti, attesa] : casi) corse.push_back({argomenti, 1, "", {attesa}});
    verifica(corse, [&] { EXPECT_EQ(leggi(out), " 01 02 03 \r\n"); });
}

// A limit that cuts the input or the result: said on stderr, exit 4, the output still written.
TEST_F(Cli, UnLimiteCheTagliaEsceConQuattro) {
    std::string filtri;
    for (int i = 0; i < 150000; ++i) filtri += "1 2\n";
    dir.scrivi("pieno.txt", filtri + "\n \r\n");  // blank lines after a full list are no more filters
    dir.scrivi("oltre.txt", filtri + "\n\n3 4\n");
    std::string matrice;
    for (int i = 0; i < 100001; ++i) matrice += "1 2\n";
    dir.scrivi("matrice.txt", matrice);
    std::string righe;
    for (int i = 0; i < 100000; ++i) righe += " 05 06 \r\n";
    const std::string quattro = " 01 03 \r\n 01 04 \r\n 02 03 \r\n 02 04 \r\n";
    verifica({
        {genera({"--and-file", d("pieno.txt") + ":1"}, "1-4", "2"), 0, quattro, {}},
        {genera({"--and-file", d("oltre.txt") + ":1"}, "1-4", "2"), 4, quattro, {"more than 150,000 filters"}},
        {{"matrix", "--text", d("matrice.txt"), "--numbers", "5,6"}, 4, righe, {"more than 100,000 lines"}},
        {genera({"--out", "/dev/null"}, "1-40", "6"), 4, "", {"stopped at 3,000,000 columns"}},
    });
}

TEST_F(Cli, OpzioniSbagliateUnaRigaCodiceDue) {
    dir.scrivi("f.txt", "1 2 3\n");
    std::vector<std::string> troppi = genera({});  // more than 25 distance filters
    for (int i = 0; i < 26; ++i) troppi.insert(troppi.end(), {"--gap", "1:1:1"});
    const std::vector<std::pair<std::vector<std::string>, std::string>> casi = {
        {genera({}, "1-6", "30"), "--length"},
        {{"generate", "--numbers", "1-6"}, "--length"},
        {genera({}, "80-91"), "--numbers"},
        {genera({"--fixed", "91"}), "--fixed"},
        {genera({"--sum", "5"}), "--sum"},
        {genera({"--sum", "a-b"}), "--sum"},
        {genera({"--even", "26"}), "--even"},
        {genera({"--runs", "0"}), "--runs"},
        {genera({"--and", "1-5"}), "--and"},
        {genera({"--or", "1-5:1:2"}), "--or"},
        {genera({"--gap", "1:2"}), "--gap"},
        {genera({"--gap", "1:90:1"}), "--gap"},
        {genera({"--nx", "-1"}), "--nx"},
        {genera({"--bogus"}), "--bogus"},
        {genera({"--and-file", d("f.txt")}), "--and-file"},
        {troppi, "--gap"},
        // The checked setters' refusals (their table is in regole_condizioni_test.cpp) name the option.
        {genera({"--sum", "1-8"}), "--sum"},
        {genera({"--min-distance", "7"}), "--min-distance"},
        {{"recalc"}, "--in"},
        {{"matrix", "--file", d("f.txt"), "--numbers", "1,2,3,3"}, "--numbers"},
    };
    std::vector<Corsa> corse;
    for (const auto& [argomenti, opzione] : casi) corse.push_back({argomenti, 2, "", {opzione}});
    verifica(corse);
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
    const std::pair<const char*, std::vector<int>> buone[] = {
        {"1-3,33,45", {1, 2, 3, 33, 45}}, {"none", {}}, {"", {}}, {"5-5", {5}}, {"090", {90}}};
    for (const auto& [testo, numeri] : buone) EXPECT_EQ(cli::LeggiLista(testo), numeri) << testo;
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

// The search itself is pinned in ottimizzatore_test.cpp: here the options, the report and the
// refusals of the tool.
TEST_F(Cli, OptimizeEGenerateOptimize) {
    const auto righe = [](const std::string& s) { return static_cast<size_t>(std::count(s.begin(), s.end(), '\n')); };
    ASSERT_EQ(esegui(genera({"--nx", "1", "--sum", "20-40", "--out", d("nx.txt")}, "1-11", "5")).codice, 0);
    const size_t prima = righe(leggi(dir / "nx.txt"));
    const std::vector<std::string> comando{"optimize", "--in",    d("nx.txt"), "--nx",   "1", "--sum",
                                           "20-40",    "--moves", "3000",      "--seed", "5"};
    const auto a = esegui(comando);
    ASSERT_EQ(a.codice, 0) << a.err;
    EXPECT_LT(righe(a.out), prima);
    for (const std::string& pezzo :
         {"Columns before: " + std::to_string(prima), std::string("Best: "), std::string("Guarantee verified")})
        EXPECT_NE(a.err.find(pezzo), std::string::npos) << a.err;
    EXPECT_EQ(esegui(comando).out, a.out);  // same seed, same moves, same system
    const auto o = esegui(genera({"--nx", "1", "--sum", "20-40", "--optimize", "1"}, "1-11", "5"));
    ASSERT_EQ(o.codice, 0) << o.err;
    EXPECT_LT(righe(o.out), prima);
    EXPECT_NE(o.err.find("Guarantee verified"), std::string::npos);

    // Refusals: no guarantee to keep, a missing file, a universe too large for its counts.
    dir.scrivi("lunghe.txt", " 01 02 03 04 05 06 07 08 09 10 \r\n");
    verifica({{{"optimize", "--in", d("nx.txt")}, 2, "", {}},
              {genera({"--optimize", "1"}, "1-11", "5"), 2, "", {}},
              {{"optimize", "--in", d("manca.txt"), "--nx", "1"}, 1, "", {}},
              {{"optimize", "--in", d("lunghe.txt"), "--nx", "4", "--numbers", "1-90"},
               1,
               "",
               {"more than the 1024 MB allowed"}}});
}

// make-matrix writes the system the engine built; the matrix reads back as written and, applied
// to the numbers 1..V in order, gives back the same columns.
TEST_F(Cli, MatriceDaSistemaRilettaEApplicata) {
    ASSERT_EQ(esegui(genera({"--nx", "1", "--out", d("s.txt")}, "1-10", "4")).codice, 0);
    const std::string sistema = leggi(dir / "s.txt");
    auto r = esegui({"make-matrix", "--in", d("s.txt"), "--out", d("m.mzel"), "--cover", "100%", "--author", "Prova",
                     "--valid-to", "2099-12-31"});
    ASSERT_EQ(r.codice, 0) << r.err;
    // The folder's list reads the file back: the header, a sound tag and CRC, the end of validity.
    r = esegui({"matrices", "--dir", dir.percorso().string()});
    for (const char* pezzo :
         {" 10 |  4 |  3 |  4 |  0 |", "| 100%       | ok  | ok  |", " - 31/12/2099 ok", "| m.mzel"})
        EXPECT_NE(r.out.find(pezzo), std::string::npos) << r.out;
    auto rotta = leggi(dir / "m.mzel");
    rotta[150] ^= 1;
    dir.scrivi("rotta.mzel", rotta);
    verifica({{{"matrix", "--file", d("m.mzel"), "--numbers", "1-10", "--out", d("a.txt")},
               0,
               "",
               {"Condition on: reduction N-1"}},
              // One damaged byte: refused with the CRC message (the other refusals are in applica_matrice_test.cpp).
              {{"matrix", "--file", d("rotta.mzel"), "--numbers", "1-10"}, 1, "", {"M0009"}}});
    EXPECT_EQ(leggi(dir / "a.txt"), sistema);
    // Another order of the prediction: other numbers in the same roles, same count.
    r = esegui({"matrix", "--file", d("m.mzel"), "--numbers", "90,80,70,60,50,40,30,20,11,1"});
    ASSERT_EQ(r.codice, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), std::count(sistema.begin(), sistema.end(), '\n'));
    EXPECT_EQ(r.out.rfind(" 60 70 80 90 \r\n", 0), 0u) << r.out.substr(0, 40);
}

TEST_F(Cli, GaranziaFalsaRifiutataEFisseDaRisposte) {
    // Every column holds 1 and 2: two fixed numbers.
    dir.scrivi("f.txt", "1 2 3\n1 2 4\n1 2 5\n");
    dir.scrivi("buco.txt", "1 2 4\n1 2 5\n");
    verifica(
        {{{"make-matrix", "--in", d("f.txt"), "--out", d("f.mzel"), "--guarantee", "3"}, 1, "", {"do not guarantee 3"}},
         {{"make-matrix", "--in", d("buco.txt"), "--out", d("b.mzel")}, 1, "", {"3 never appears"}}});
    EXPECT_FALSE(fs::exists(dir / "f.mzel"));
    const auto r = esegui({"make-matrix", "--in", d("f.txt"), "--out", d("f.mzel")});
    ASSERT_EQ(r.codice, 0) << r.err;
    EXPECT_NE(r.out.find("  5 |  3 |  1 |  3 |  2 |"), std::string::npos) << r.out;
    // 40 and 10 became the abstract numbers 1 and 2; too few answers abandon the application.
    verifica({{{"matrix", "--file", d("f.mzel"), "--numbers", "10,20,30,40,50", "--fixed-answers", "40,10"},
               0,
               " 10 30 40 \r\n 10 20 40 \r\n 10 40 50 \r\n",
               {"Condition on: fixed numbers 10 40"}},
              {{"matrix", "--file", d("f.mzel"), "--numbers", "10,20,30,40,50", "--fixed-answers", "40"}, 1, "", {}}});
}

// The JSON of analyze and check, on two columns of three: the pairs inside a column are the
// only pairs with best 2, and the odds are whole counts over C(90, 2) = 4005.
TEST_F(Cli, JsonDiAnalyzeECheck) {
    dir.scrivi("s.txt", "1 2 3\n4 5 6\n");
    dir.scrivi("e.txt", "2024-03-01 1 2 50\n# none\n4 5 6 7\n");
    const auto r = esegui({"analyze", "--in", d("s.txt"), "--drawn", "2", "--json"});
    ASSERT_EQ(r.codice, 0) << r.err;
    const std::string testa =
        "{\"columns\": 2, \"length\": 3, \"numbers\": 6, \"drawn\": 2, \"table\": [{\"inside\": 0, \"subsets\": 1, "
        "\"best\": [1]}, "
        "{\"inside\": 1, \"subsets\": 6, \"best\": [0, 6]}, {\"inside\": 2, \"subsets\": 15, \"best\": [0, 9, 6]}], "
        "\"guarantee\": [{\"inside\": 0, \"hits\": 0}, {\"inside\": 1, \"hits\": 1}, {\"inside\": 2, \"hits\": 1}], "
        "\"probability\": [";
    ASSERT_EQ(r.out.substr(0, testa.size()), testa);
    const char* p = r.out.c_str() + testa.size();
    for (double atteso : {3486.0 / 4005, 513.0 / 4005, 6.0 / 4005}) {
        char* fine = nullptr;
        EXPECT_NEAR(std::strtod(p, &fine), atteso, 1e-16);
        p = fine + 2;
    }
    EXPECT_EQ(std::string(p - 2), "]}\n");
    verifica({{{"check", "--in", d("s.txt"), "--draw", "3 4 5", "--json"},
               0,
               "{\"columns\": 2, \"best\": 2, \"hits\": [0, 1, 1, 0]}\n",
               {}},
              {{"check", "--in", d("s.txt"), "--draws", d("e.txt"), "--json"},
               0,
               "{\"draws\": [{\"line\": 1, \"date\": \"2024-03-01\", \"best\": 2, \"hits\": [1, 0, 1, 0]}, "
               "{\"line\": 3, \"date\": null, \"best\": 3, \"hits\": [1, 0, 0, 1]}]}\n",
               {}},
              // A column number outside the prediction given.
              {{"analyze", "--in", d("s.txt"), "--numbers", "1-5"}, 1, "", {" 6"}}});
}

}  // namespace
}  // namespace novanta
