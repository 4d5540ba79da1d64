#include <gtest/gtest.h>

#include <sstream>

#include "core/corpo.h"
#include "engine/comune.h"
#include "progetto/progetto.h"
#include "support/corpus.h"
#include "support/registratore.h"
#include "textfiles/filtri_txt.h"

namespace novanta {
namespace {

class FiltriTxt : public ::testing::Test {
protected:
    void SetUp() override { test::StatoIniziale(); }
    // An AND list of one filter that the user already had.
    void listaEsistente() {
        mFiltriAND[1] = test::Gruppo({44}, 4);
        mNumFiltriAND = 1;
    }
    bool importa(int lista, const std::string& contenuto, int32_t presenze) {
        dati.scrivi("f.txt", contenuto);
        return ImportaFiltriGruppo(lista, (dati / "f.txt").string(), presenze);
    }
    test::InterfacciaRegistrata ui;
    test::CartellaTemporanea dati;
};

TEST_F(FiltriTxt, UnFiltroAccesoPerRigaNellaListaScelta) {
    listaEsistente();
    ASSERT_TRUE(importa(0, "1 2 3\r\n\r\n   \r\n10-20-30\r\n", 2));
    EXPECT_EQ(mNumFiltriAND, 2);
    const auto& a = mFiltriAND[1];
    EXPECT_TRUE(a.attivo && a.presenze == 2 && mFiltriAND[2].attivo && !mFiltriAND[3].attivo);
    EXPECT_EQ(a.numeri[1] + a.numeri[2] + a.numeri[3] + mFiltriAND[2].numeri[20], 4);
    EXPECT_EQ(a.numeri[44] + mNumFiltriOR, 0);  // the old filter's number gone, the OR list untouched
    // The OR list; no accepted count, repeated numbers and empty tokens.
    ASSERT_TRUE(importa(1, "5 5 5 ; 6, 7\n", 0));
    EXPECT_EQ(mNumFiltriOR, 1);
    EXPECT_EQ(mFiltriOR[1].presenze, 0);
    EXPECT_EQ(mFiltriOR[1].numeri[5] + mFiltriOR[1].numeri[6] + mFiltriOR[1].numeri[7], 3);
    EXPECT_EQ(mNumFiltriAND, 2);
}

// A bad line (the bad files of the corpus) or a missing file stops the import with the routine's
// message naming the line; the list and its count stay as they were. The good files import. The
// cap of 150,000 filters is the command line's test.
TEST_F(FiltriTxt, RigheErrateLascianoLaLista) {
    auto file = test::FileDelCorpus("filtri_txt", true);
    file.push_back(dati / "manca.txt");
    for (const auto& f : file) {
        SCOPED_TRACE(f.filename().string());
        test::StatoIniziale();
        listaEsistente();
        const uint64_t prima = ImprontaLavoro();
        ui.messaggi.clear();
        EXPECT_FALSE(ImportaFiltriGruppo(0, f.string(), 1));
        ASSERT_EQ(ui.messaggi.size(), 1u);
        const auto& t = ui.messaggi[0].testo;
        EXPECT_NE(t.find(") in procedure loadFileToFilters of Form frmImportFiltri"), std::string::npos) << t;
        EXPECT_TRUE(f.filename() == "manca.txt" || t.find("(line ") != std::string::npos) << t;
        EXPECT_EQ(ImprontaLavoro(), prima);
    }
    for (const auto& f : test::FileDelCorpus("filtri_txt", false)) EXPECT_TRUE(ImportaFiltriGruppo(1, f.string(), 1));
    // A line with no end is refused as too long, not read into memory whole.
    std::istringstream enorme(std::string(3 << 20, '7'));
    std::vector<tFiltroGruppo> filtri;
    bool limite = false;
    std::string messaggio;
    EXPECT_FALSE(LeggiFiltriTxt(enorme, 1, filtri, limite, messaggio));
    EXPECT_NE(messaggio.find("too long"), std::string::npos);
}

}  // namespace
}  // namespace novanta
