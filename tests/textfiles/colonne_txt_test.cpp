#include <gtest/gtest.h>

#include <sstream>

#include "core/corpo.h"
#include "engine/comune.h"
#include "progetto/progetto.h"
#include "support/corpus.h"
#include "support/registratore.h"
#include "textfiles/colonne_txt.h"

namespace novanta {
namespace {

// The good corpus file of two columns of five, as the export writes them.
const auto kSistema =
    std::filesystem::path(NOVANTA_DATA_SOURCE_DIR).parent_path() / "fuzz" / "corpus" / "colonne_txt" / "sistema.txt";

// That system imported, locked, with a condition on.
void sistemaDiProva() {
    ASSERT_TRUE(ImportaColonneTxt(kSistema.string()));
    mCondizioni.sommaAttiva = true;
}

class ColonneTxt : public ::testing::Test {
protected:
    void SetUp() override { test::StatoIniziale(); }
    std::string f(const std::string& nome) const { return (dati / nome).string(); }
    test::InterfacciaRegistrata ui;
    test::CartellaTemporanea dati;
};

// An exported file imports, and exports again byte for byte. An empty system exports as an empty
// file: the command line's test (--out).
TEST_F(ColonneTxt, EsportaEReimportaECartellaMancante) {
    sistemaDiProva();
    ASSERT_TRUE(SalvaColonneTxt(f("s.txt")));
    EXPECT_EQ(test::LeggiFile(dati / "s.txt"), test::LeggiFile(kSistema));
    // A missing folder: the error box, and no half-written file or folder left behind.
    EXPECT_FALSE(SalvaColonneTxt(f("manca/s.txt")));
    ASSERT_EQ(ui.messaggi.size(), 1u);
    EXPECT_NE(ui.messaggi[0].testo.find("in procedure SalvaColonneTxt of Modulo corpo"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dati / "manca"));
}

// Blank lines, CR-LF and LF-only ends, tabs, runs of blanks, an empty token after a separator, a
// longer line cut; each column sorted. The prediction of a plain file is the command line's test,
// a file of blank lines and separators and the export with no system the main window's.
TEST_F(ColonneTxt, ImportaOrdinaSeparatoriEFileVuoto) {
    dati.scrivi("a.txt", "5 3 1\r\n\r\n   \r\n1\t 2  3\n4, 5, 6\n7;8.9-10\n");
    ASSERT_TRUE(ImportaColonneTxt(f("a.txt")));
    EXPECT_EQ(test::Sistema(), (test::Colonne{{1, 3, 5}, {1, 2, 3}, {4, 5, 6}, {7, 8, 9}}));
    EXPECT_EQ(mArrColonne.valore(4, 4), 0);
    EXPECT_EQ(mSistema.descrizione, "FILE TXT");
    EXPECT_EQ(mGUILocked, -1);
    EXPECT_EQ(mNomeFileSistema, "a.txt");
    EXPECT_TRUE(ui.messaggi.empty());
    // A file of no bytes is refused: the system and the prediction stay.
    const uint64_t prima = ImprontaLavoro();
    dati.scrivi("v.txt", "");
    EXPECT_FALSE(ImportaColonneTxt(f("v.txt")));
    EXPECT_EQ(ui.messaggi.back().testo, TestoMessaggio("0163", {"v.txt"}));
    EXPECT_EQ(ImprontaLavoro(), prima);
}

// Every bad file of the corpus, and a missing one, is refused with the import's message naming
// the line, and the system the user had (columns, prediction, conditions, lock) is still there;
// the good files of the corpus import. A number written twice through a separator ("03 -1") was
// once let through.
TEST_F(ColonneTxt, FileErratiNonToccanoIlSistema) {
    auto file = test::FileDelCorpus("colonne_txt", true);
    file.push_back(dati / "manca.txt");
    for (const auto& f : file) {
        SCOPED_TRACE(f.filename().string());
        test::StatoIniziale();
        sistemaDiProva();
        const uint64_t prima = ImprontaLavoro();
        ui.messaggi.clear();
        EXPECT_FALSE(ImportaColonneTxt(f.string()));
        ASSERT_EQ(ui.messaggi.size(), 1u);
        EXPECT_NE(ui.messaggi[0].testo.find(") in procedure ImportaColonneTxt of Modulo corpo \r\nRiga ["),
                  std::string::npos)
            << ui.messaggi[0].testo;
        EXPECT_EQ(ImprontaLavoro(), prima);
        EXPECT_TRUE(f.filename() != "cattivo_doppio.txt" ||
                    ui.messaggi[0].testo.find("Number 1 appears twice in the column") != std::string::npos);
    }
    for (const auto& f : test::FileDelCorpus("colonne_txt", false)) EXPECT_TRUE(ImportaColonneTxt(f.string())) << f;
}

// A first column of 25 numbers and a file of 3,000,000 columns are read; one column more is
// refused and leaves the result as it was. A line with no end is refused as too long: the command
// line's input tests (recalc --in).
TEST_F(ColonneTxt, TroppeColonneRifiutate) {
    ColonneLette letto;
    std::string messaggio;
    std::istringstream venticinque("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25\n");
    EXPECT_TRUE(LeggiColonneTxt(venticinque, letto, messaggio)) << messaggio;
    std::string testo;
    for (int32_t i = 0; i < MAX_COLONNE; ++i) testo += "1 2\n";
    std::istringstream tutte(testo);
    EXPECT_TRUE(LeggiColonneTxt(tutte, letto, messaggio)) << messaggio;
    std::istringstream tante(testo + "1 2\n");
    EXPECT_FALSE(LeggiColonneTxt(tante, letto, messaggio));
    EXPECT_NE(messaggio.find("More than 3,000,000 columns"), std::string::npos);
    EXPECT_EQ(letto.righe, MAX_COLONNE);
}

// Tabs and runs of blanks inside a line: the import's test above.
TEST_F(ColonneTxt, RigheESpaziature) {
    const uint8_t numeri[] = {0, 7, 3, 0, 12, 90};
    EXPECT_EQ(ColonnaToString(numeri, 3), "07   03   12   90");
    EXPECT_EQ(ColonnaToString(std::span<const uint8_t>(numeri, 1), 1), "");
    std::istringstream in("a\r\nb\rc\n\nd");
    LettoreRighe r(in);
    std::string riga;
    std::vector<std::string> righe;
    while (r.leggi(riga)) righe.push_back(riga);
    EXPECT_EQ(righe, (std::vector<std::string>{"a", "b", "c", "", "d"}));
}

}  // namespace
}  // namespace novanta
