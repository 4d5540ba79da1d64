#include <gtest/gtest.h>

#include <cstdlib>

#include "support/registratore.h"

namespace novanta {
namespace {

// The JSON of analyze and check, on two columns of three: the pairs inside a column are the
// only pairs with best 2, and the odds are whole counts over C(90, 2) = 4005.
TEST(AnalisiCli, JsonDiAnalyzeECheck) {
    test::StatoIniziale();
    test::CartellaTemporanea dati;
    dati.scrivi("s.txt", "1 2 3\n4 5 6\n");
    dati.scrivi("e.txt", "2024-03-01 1 2 50\n# none\n4 5 6 7\n");
    const std::string s = (dati / "s.txt").string();
    auto r = test::EseguiCli(dati.percorso(), {"analyze", "--in", s, "--drawn", "2", "--json"});
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

    r = test::EseguiCli(dati.percorso(), {"check", "--in", s, "--draw", "3 4 5", "--json"});
    EXPECT_EQ(r.out, "{\"columns\": 2, \"best\": 2, \"hits\": [0, 1, 1, 0]}\n") << r.err;
    r = test::EseguiCli(dati.percorso(), {"check", "--in", s, "--draws", (dati / "e.txt").string(), "--json"});
    EXPECT_EQ(r.out,
              "{\"draws\": [{\"line\": 1, \"date\": \"2024-03-01\", \"best\": 2, \"hits\": [1, 0, 1, 0]}, "
              "{\"line\": 3, \"date\": null, \"best\": 3, \"hits\": [1, 0, 0, 1]}]}\n")
        << r.err;
    // A column number outside the prediction given.
    r = test::EseguiCli(dati.percorso(), {"analyze", "--in", s, "--numbers", "1-5"});
    EXPECT_EQ(r.codice, 1);
    EXPECT_NE(r.err.find(" 6"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace novanta
