#include <gtest/gtest.h>

#include <sstream>

#include "core/corpo.h"
#include "support/registratore.h"
#include "textfiles/colonne_txt.h"

namespace novanta {
namespace {

// A system of two columns of five, locked, as a run would leave it.
void sistemaDiProva() {
    for (int n : {1, 2, 3, 4, 5, 10, 20, 30, 40, 90}) GrigliaNumeriClick(n - 1);
    CaricaPronostico();
    mLenCol = 5;
    const uint8_t a[] = {1, 2, 3, 4, 5}, b[] = {10, 20, 30, 40, 90};
    std::copy(a, a + 5, mArrColonne.colonnaScrittura(1));
    std::copy(b, b + 5, mArrColonne.colonnaScrittura(2));
    mSistema.nColonne = 2;
    mSistema.descrizione = "RUN";
    mCondizioni.sommaAttiva = true;
    LockGUI();
}

class ColonneTxt : public ::testing::Test {
protected:
    void SetUp() override { test::StatoIniziale(); }
    std::string f(const std::string& nome) const { return (dati / nome).string(); }
    test::InterfacciaRegistrata ui;
    test::CartellaTemporanea dati;
};

TEST_F(ColonneTxt, EsportaRigheEsatteVuotoECartellaMancante) {
    sistemaDiProva();
    ASSERT_TRUE(SalvaColonneTxt(f("s.txt")));
    EXPECT_EQ(test::LeggiFile(dati / "s.txt"), " 01 02 03 04 05 \r\n 10 20 30 40 90 \r\n");
    // A missing folder: the error box, and no half-written file or folder left behind.
    EXPECT_FALSE(SalvaColonneTxt(f("manca/s.txt")));
    ASSERT_EQ(ui.messaggi.size(), 1u);
    EXPECT_NE(ui.messaggi[0].testo.find("in procedure SalvaColonneTxt of Modulo corpo"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dati / "manca"));
    ResetSistema(false);
    ASSERT_TRUE(SalvaColonneTxt(f("vuoto.txt")));
    EXPECT_EQ(test::LeggiFile(dati / "vuoto.txt"), "");
}

TEST_F(ColonneTxt, ImportaOrdinaSeparatoriEFileVuoto) {
    dati.scrivi("a.txt", "5 3 1\r\n\r\n   \r\n2,4,6\n");
    ASSERT_TRUE(ImportaColonneTxt(f("a.txt")));
    EXPECT_EQ(mLenCol, 3);
    EXPECT_EQ(mSistema.nColonne, 2);
    EXPECT_EQ(mSistema.descrizione, "FILE TXT");
    ASSERT_EQ(mSistema.numPronostico, 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(mSistema.pronostico[static_cast<size_t>(i)], i + 1);
    EXPECT_EQ(mArrColonne.valore(1, 1), 1);
    EXPECT_EQ(mArrColonne.valore(1, 3), 5);
    EXPECT_EQ(mArrColonne.valore(2, 2), 4);
    EXPECT_EQ(mGUILocked, -1);
    EXPECT_EQ(mNomeFileSistema, "a.txt");
    // LF-only ends, tabs, runs of blanks, an empty token after a separator, a longer line cut.
    dati.scrivi("b.txt", "1\t 2  3\n4, 5, 6\n7;8.9-10\n");
    ASSERT_TRUE(ImportaColonneTxt(f("b.txt")));
    EXPECT_EQ(mSistema.nColonne, 3);
    EXPECT_EQ(mArrColonne.valore(3, 1), 7);
    EXPECT_EQ(mArrColonne.valore(3, 3), 9);
    EXPECT_EQ(mArrColonne.valore(3, 4), 0);
    EXPECT_TRUE(ui.messaggi.empty());
    // A file with no column is refused with a message: the system and the prediction stay.
    for (const char* vuoto : {"", "\r\n  \r\n,;\n"}) {
        dati.scrivi("v.txt", vuoto);
        EXPECT_FALSE(ImportaColonneTxt(f("v.txt")));
        EXPECT_EQ(ui.messaggi.back().testo, TestoMessaggio("0163", {"v.txt"}));
        EXPECT_EQ(mLenCol, 3);
        EXPECT_EQ(mSistema.nColonne, 3);
        EXPECT_EQ(mSistema.numPronostico, 9);
        EXPECT_EQ(mGUILocked, -1);
        EXPECT_EQ(mNomeFileSistema, "b.txt");
    }
    // Nor is there anything to export once the system is gone.
    EXPECT_TRUE(EsportazionePossibile());
    ResetSistema(false);
    EXPECT_FALSE(EsportazionePossibile());
    EXPECT_EQ(ui.messaggi.back().testo, TestoMessaggio("0162"));
}

// Every bad file is refused with the import's message naming the line, and the system the user
// had (columns, prediction, conditions, lock) is still there.
TEST_F(ColonneTxt, FileErratiNonToccanoIlSistema) {
    const std::pair<const char*, const char*> casi[] = {
        {"1 2 3\n4 5\n", "Error 9 (Subscript out of range)"},
        {"1 2 3\n  4 - 5  \n",
         "Error 9 (Subscript out of range) in procedure ImportaColonneTxt of Modulo corpo \r\nRiga [4 - 5]"},
        {"1 2 3\n4 0 6\n", "Number 0 outside 1..90"},
        {"01 02 03 -1 05\n",
         "Number 1 appears twice in the column) in procedure ImportaColonneTxt of Modulo corpo \r\nRiga [01 02 03 -1 "
         "05]"},
        {"1 2 3\n4 91 6\n", "Number 91 outside 1..90"},
        {"1 2 3\n4 256 6\n", "Error 6 (Overflow)"},
        {"1 2 3\n4 99999999999999999999 6\n", "Error 6 (Overflow)"},
        {"1 2 x\n", "Error 13 (Type mismatch)"},
        {"\x01\xff\xfe garbage\n", "Error 13 (Type mismatch)"},
        {"7\n", "The first column has 1 numbers"},
        {"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26\n", "The first column has 26 numbers"},
        {nullptr, "Error 53"},
    };
    for (const auto& [contenuto, attesa] : casi) {
        SCOPED_TRACE(attesa);
        test::StatoIniziale();
        sistemaDiProva();
        ui.messaggi.clear();
        if (contenuto) dati.scrivi("x.txt", contenuto);
        EXPECT_FALSE(ImportaColonneTxt(f(contenuto ? "x.txt" : "manca.txt")));
        ASSERT_EQ(ui.messaggi.size(), 1u);
        const auto& t = ui.messaggi[0].testo;
        EXPECT_NE(t.find(attesa), std::string::npos) << t;
        if (contenuto) {
            EXPECT_NE(t.find("in procedure ImportaColonneTxt of Modulo corpo \r\nRiga ["), std::string::npos) << t;
        }
        EXPECT_EQ(mSistema.nColonne, 2);
        EXPECT_EQ(mSistema.descrizione, "RUN");
        EXPECT_EQ(mLenCol, 5);
        EXPECT_EQ(mSistema.numPronostico, 10);
        EXPECT_TRUE(mCondizioni.sommaAttiva);
        EXPECT_EQ(mGUILocked, -1);
        EXPECT_EQ(mArrColonne.valore(2, 5), 90);
    }
}

TEST_F(ColonneTxt, RigaSenzaFineETroppeColonneRifiutate) {
    // Two megabytes with no line end: refused as too long, not read into memory as one line.
    std::istringstream enorme(std::string(2 << 20, '1'));
    ColonneLette letto;
    std::string messaggio;
    EXPECT_FALSE(LeggiColonneTxt(enorme, letto, messaggio));
    EXPECT_NE(messaggio.find("Line too long"), std::string::npos);
    std::string testo;
    testo.reserve(static_cast<size_t>(MAX_COLONNE + 1) * 4);
    for (int32_t i = 0; i <= MAX_COLONNE; ++i) testo += "1 2\n";
    std::istringstream tante(testo);
    EXPECT_FALSE(LeggiColonneTxt(tante, letto, messaggio));
    EXPECT_NE(messaggio.find("More than 3,000,000 columns"), std::string::npos);
    EXPECT_EQ(letto.righe, 0);
}

// The free-standing reader of the base-column window: one record per line in file order.
TEST_F(ColonneTxt, StringToArrayColonnaELoadTxtToColonneArray) {
    const tColonna c = StringToArrayColonna("7 3 9");
    EXPECT_EQ(c.lunghezza, 3);
    EXPECT_EQ(c.numeri[1], 7);
    EXPECT_EQ(c.numeri[3], 9);
    EXPECT_EQ(c.minimo, 3);
    EXPECT_EQ(c.massimo, 9);
    EXPECT_TRUE(ui.messaggi.empty());
    std::string lunga;
    for (int i = 1; i <= 26; ++i) lunga += std::to_string(i) + " ";
    for (const std::string& riga : {lunga, std::string("1 0 3"), std::string("1 91"), std::string("a b")}) {
        ui.messaggi.clear();
        const tColonna z = StringToArrayColonna(riga);
        EXPECT_EQ(z.lunghezza, 0) << riga;
        EXPECT_EQ(z.numeri[1], 0) << riga;
        ASSERT_EQ(ui.messaggi.size(), 1u) << riga;
        EXPECT_NE(ui.messaggi[0].testo.find("in procedure StringToArrayColonna of Modulo corpo"), std::string::npos);
    }
    ui.messaggi.clear();
    std::string testo;
    for (int i = 0; i < 1500; ++i) testo += std::to_string(i % 89 + 1) + " 90\r\n\r\n";
    dati.scrivi("m.txt", testo);
    const auto tante = LoadTxtToColonneArray(f("m.txt"));
    ASSERT_EQ(tante.size(), 1501u);
    EXPECT_EQ(tante[1500].numeri[1], 1499 % 89 + 1);
    dati.scrivi("v.txt", "\n  \n");
    const auto vuoto = LoadTxtToColonneArray(f("v.txt"));
    ASSERT_EQ(vuoto.size(), 1u);
    EXPECT_EQ(vuoto[0].lunghezza, 0);
    EXPECT_TRUE(ui.messaggi.empty());
    // A bad line becomes an empty column; the others stay.
    dati.scrivi("c.txt", "1 2 3\nx y\n4 5 6\n");
    const auto righe = LoadTxtToColonneArray(f("c.txt"));
    ASSERT_EQ(righe.size(), 4u);
    EXPECT_EQ(righe[1].lunghezza, 3);
    EXPECT_EQ(righe[2].lunghezza, 0);
    EXPECT_EQ(righe[3].numeri[3], 6);
    EXPECT_EQ(ui.messaggi.size(), 1u);
    ui.messaggi.clear();
    bool riuscito = true;
    EXPECT_EQ(LoadTxtToColonneArray(f("no.txt"), 0, &riuscito).size(), 1u);
    EXPECT_FALSE(riuscito);
    ASSERT_EQ(ui.messaggi.size(), 1u);
    EXPECT_EQ(ui.messaggi[0].testo.rfind("Error 53 (File not found", 0), 0u) << ui.messaggi[0].testo;
}

TEST_F(ColonneTxt, RigheESpaziature) {
    const uint8_t numeri[] = {0, 7, 3, 0, 12, 90};
    EXPECT_EQ(ColonnaToString(numeri, 3), "07   03   12   90");
    EXPECT_EQ(ColonnaToString(std::span<const uint8_t>(numeri, 1), 1), "");
    EXPECT_EQ(PulisciRiga("\t 1  2\r\n3   "), "1 2 3");
    std::istringstream in("a\r\nb\rc\n\nd");
    LettoreRighe r(in);
    std::string riga;
    std::vector<std::string> righe;
    while (r.leggi(riga)) righe.push_back(riga);
    EXPECT_EQ(righe, (std::vector<std::string>{"a", "b", "c", "", "d"}));
}

}  // namespace
}  // namespace novanta
