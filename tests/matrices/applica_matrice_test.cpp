#include <sstream>

#include "engine/comune.h"
#include "matrices/applica_matrice.h"
#include "matrices/elenco_matrici.h"
#include "progetto/progetto.h"
#include "support/corpus.h"
#include "support/date.h"
#include "support/matrice_prova.h"

namespace novanta {
namespace {

// The prediction in the order given, as the prediction order window leaves it.
void pronostico(std::initializer_list<int> numeri) {
    for (int n : numeri) GrigliaNumeriClick(n - 1);
    CaricaPronostico();
    size_t i = 0;
    for (int n : numeri) mSistema.pronostico[i++] = static_cast<uint8_t>(n);
}

class ApplicaMatrice_ : public ::testing::Test {
protected:
    void SetUp() override { test::StatoIniziale(); }
    // The prediction in the order given, columns of three and a system already in place, which a
    // refused matrix must leave alone.
    void sistemaEsistente(std::initializer_list<int> numeri) {
        pronostico(numeri);
        mLenCol = 3;
        const uint8_t colonna[] = {3, 7, 12};
        std::copy(colonna, colonna + 3, mArrColonne.colonnaScrittura(1));
        mSistema.nColonne = 1;
        mSistema.descrizione = "RUN";
        mCondizioni.pariAttivo = true;
        LockGUI();
        impronta = ImprontaLavoro();
    }
    void sistemaIntatto() const { EXPECT_EQ(ImprontaLavoro(), impronta); }
    uint64_t impronta = 0;
    test::InterfacciaRegistrata ui;
    test::CartellaTemporanea dati;
};

TEST_F(ApplicaMatrice_, NumeriAstrattiDiventanoIlPronosticoOrdinato) {
    pronostico({7, 3, 88, 41, 12});
    mLenCol = 3;
    ASSERT_TRUE(ApplicaMatrice(test::MatriceProva(5, 3, {{1, 2, 5}, {3, 4, 5}})));
    EXPECT_EQ(test::Sistema(), (test::Colonne{{3, 7, 12}, {12, 41, 88}}));
    EXPECT_EQ(mGUILocked, -1);
    EXPECT_FALSE(mCondizioni.ridottoAttivo);
    // A guarantee below K turns the reduction on at N-(K-T).
    test::StatoIniziale();
    pronostico({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    mLenCol = 10;
    ASSERT_TRUE(ApplicaMatrice(test::MatriceProva(11, 10, {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}, 8)));
    EXPECT_TRUE(mCondizioni.ridottoAttivo);
    EXPECT_EQ(mCondizioni.ridottoNx, 2);
    EXPECT_EQ(mSistema.descrizione, TestoMessaggio("0018") + " N-2");
}

TEST_F(ApplicaMatrice_, NumeriFissiChiestiVerificatiEInTesta) {
    pronostico({5, 17, 33, 40});
    mLenCol = 3;
    // Not in the prediction, not a number, then 33; then 33 again (already given), then 5.
    ui.input = {std::string("50"), std::string("abc"), std::string("33"), std::string("33"), std::string(" 5 ")};
    ASSERT_TRUE(ApplicaMatrice(test::MatriceProva(4, 3, {{1, 2, 3}, {1, 2, 4}}, 3, 2)));
    EXPECT_EQ(ui.prompt.size(), 5u);
    EXPECT_EQ(std::vector<int>(mSistema.pronostico.begin(), mSistema.pronostico.begin() + 4),
              (std::vector<int>{33, 5, 17, 40}));
    ASSERT_EQ(ui.messaggi.size(), 1u);
    EXPECT_EQ(ui.messaggi[0].pulsanti, Pulsanti::OKAnnulla);
    EXPECT_NE(ui.messaggi[0].testo.find("\r\r33   05   \r\r"), std::string::npos);
    // Every column holds both fixed numbers (the condition they set is the matrix window's test).
    EXPECT_EQ(test::Sistema(), (test::Colonne{{5, 17, 33}, {5, 33, 40}}));
}

// Cancelling the second question, answering it with nothing, or cancelling the confirmation.
TEST_F(ApplicaMatrice_, AnnullareLeDomandeLasciaTutto) {
    sistemaEsistente({5, 17, 33, 40});
    const auto m = test::MatriceProva(4, 3, {{1, 2, 3}}, 3, 2);
    for (const std::optional<std::string>& seconda :
         {std::optional<std::string>(), std::optional<std::string>(""), std::optional<std::string>("17")}) {
        ui.input = {std::string("40"), seconda};
        ui.risposte.clear();
        if (seconda == "17") ui.risposte = {Risposta::Annulla};
        EXPECT_FALSE(ApplicaMatrice(m));
        sistemaIntatto();
    }
}

TEST_F(ApplicaMatrice_, MatriciCheNonStannoNelSistemaRifiutate) {
    sistemaEsistente({1, 2, 3, 4, 5});
    MATRIX_STRUCTURE grande;  // refused for the column limit, not only for holding no columns
    grande.COLUMNS_OF_MATRIX_C = MAX_COLONNE + 1;
    const MATRIX_STRUCTURE casi[] = {
        test::MatriceProva(5, 3, {{1, 2, 0}}),     // 0 would read before the prediction
        test::MatriceProva(5, 3, {{1, 2, 6}}),     // above V
        test::MatriceProva(6, 3, {{1, 2, 6}}),     // V above the prediction
        test::MatriceProva(5, 3, {{1, 2, 2}}),     // a number twice in a column
        test::MatriceProva(5, 2, {{1, 2}}),        // K is not the column length
        test::MatriceProva(5, 3, {{1, 2, 3}}, 4),  // T above K
        test::MatriceProva(5, 3, {{1, 2, 3}}, 3, 6), grande,
    };
    for (const auto& m : casi) {
        ui.messaggi.clear();
        EXPECT_FALSE(ApplicaMatrice(m));
        ASSERT_EQ(ui.messaggi.size(), 1u);
        EXPECT_EQ(ui.messaggi[0].testo.rfind("Error -2147211504 (", 0), 0u) << ui.messaggi[0].testo;
        sistemaIntatto();
    }
    EXPECT_NE(ui.messaggi[0].testo.find(TestoMessaggioOPredefinito("0012", "Column limit reached")), std::string::npos);
}

// A matrix file the list marks as not applicable (the list's test refuses each reason through
// this same routine) or a missing one is refused with one message and the system stays; a good
// one applies (chosen from the list, the matrix window's test).
TEST_F(ApplicaMatrice_, FileDellaCartellaControllatiPrimaDiApplicare) {
    sistemaEsistente({7, 3, 88, 41, 12});
    auto scaduta = test::MatriceProva(5, 3, {{1, 2, 5}});
    scaduta.VALID_TO = OggiOLE() - 1;
    test::ScriviMatriceProva(dati / "scaduta.mzel", scaduta);
    for (const auto& p : {dati / "scaduta.mzel", dati / "manca.mzel"}) {
        ui.messaggi.clear();
        EXPECT_FALSE(ApplicaMatriceFile(p, OggiOLE())) << p;
        EXPECT_EQ(ui.messaggi.size(), 1u) << p;
        sistemaIntatto();
    }
    test::ScriviMatriceProva(dati / "buona.mzel", test::MatriceProva(5, 3, {{1, 2, 5}}));
    ASSERT_TRUE(ApplicaMatriceFile(dati / "buona.mzel", OggiOLE()));
    EXPECT_EQ(test::Sistema(), (test::Colonne{{3, 7, 12}}));
}

// The text matrix: blank lines and any run of blanks between numbers. The bad files of the
// corpus are refused with a message; a number left out is named, and a run of leading zeros is
// no overflow. The cap of 100,000 lines is the command line's test.
TEST_F(ApplicaMatrice_, MatriceDiTesto) {
    ErroreLettura e;
    MATRIX_STRUCTURE m;
    const auto leggi = [&](const std::string& testo) {
        std::istringstream in(testo);
        m = MATRIX_STRUCTURE();
        e = {};
        return LeggiMatriceTxt(in, m, e, 46000);
    };
    ASSERT_TRUE(leggi("1 2 3\r\n\r\n2\t3  4\n 1 3 4 \n")) << e.descrizione;
    EXPECT_EQ(std::vector<int>({m.COLUMNS_OF_MATRIX_C, m.LENGTH_OF_COLUMN_K, m.NUMBERS_OF_MATRIX_V, m.CUSTOM_MATRIX,
                                static_cast<int>(m.VALID_FROM), m.COLUMS(3, 2)}),
              std::vector<int>({3, 3, 4, -1, 46000, 3}));
    for (const auto& f : test::FileDelCorpus("matrice_txt", true)) {
        EXPECT_FALSE(leggi(test::LeggiFile(f))) << f;
        EXPECT_FALSE(e.descrizione.empty()) << f;
    }
    for (const char* testo : {"1 2 4\n1 4 5\n", "1 2 00000000000000007\n"}) {
        EXPECT_FALSE(leggi(testo));
        EXPECT_EQ(e.descrizione, "Matrice con sviluppo non sequenziale") << testo;
    }
    for (const auto& f : test::FileDelCorpus("matrice_txt", false)) EXPECT_TRUE(leggi(test::LeggiFile(f))) << f;
}

TEST_F(ApplicaMatrice_, PulsanteFileTxt) {
    sistemaEsistente({7, 3, 88, 41});
    const auto applica = [&](const std::string& testo) {
        dati.scrivi("m.txt", testo);
        ui.messaggi.clear();
        return ApplicaMatriceTxt((dati / "m.txt").string());
    };
    // Columns of another length, then a broken matrix: refused, the system stays.
    EXPECT_FALSE(applica("1 2\n3 4\n"));
    EXPECT_EQ(ui.messaggi.size(), 1u);
    sistemaIntatto();
    EXPECT_FALSE(applica("1 2 3\n9 9\n"));
    ASSERT_EQ(ui.messaggi.size(), 2u);
    EXPECT_EQ(ui.messaggi[0].titolo, "ERROR");
    EXPECT_EQ(ui.messaggi[0].icona, Icona::Esclamazione);
    EXPECT_EQ(ui.messaggi[0].testo, "Error -2147211504 (Matrice con colonne a lunghezza multipla) ");
    sistemaIntatto();
    ASSERT_TRUE(applica("1 2 3\n2 3 4\n1 3 4\n"));
    EXPECT_EQ(test::Sistema(), (test::Colonne{{3, 7, 88}, {3, 41, 88}, {7, 41, 88}}));
    EXPECT_FALSE(mCondizioni.pariAttivo);
    // No file chosen: the columns go, the prediction stays.
    ASSERT_TRUE(ApplicaMatriceTxt(""));
    EXPECT_EQ(mSistema.nColonne, 0);
    EXPECT_EQ(mSistema.numPronostico, 4);
    EXPECT_EQ(mGUILocked, 0);
}

}  // namespace
}  // namespace novanta
