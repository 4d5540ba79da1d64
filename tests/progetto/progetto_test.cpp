#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/corpo.h"
#include "engine/comune.h"
#include "progetto/progetto.h"
#include "progetto/sqlite.h"
#include "support/corpus.h"
#include "support/registratore.h"
#include "textfiles/colonne_txt.h"

namespace novanta {
namespace {

class Progetto : public ::testing::Test {
protected:
    void SetUp() override { test::StatoIniziale(); }
    void TearDown() override { test::StatoIniziale(); }
    test::InterfacciaRegistrata ui;
    test::CartellaTemporanea cartella;
};

// Every kind of condition, both lists with an OFF record after the ON ones, base columns, the
// prediction in a hand-made order and a locked system of `colonne` columns.
void riempiLavoro(int32_t colonne, const std::string& descrizione = "Sistema di prova") {
    const std::array<uint8_t, 8> ordine{40, 2, 17, 9, 33, 61, 88, 5};
    for (int n : ordine) GrigliaNumeriClick(n - 1);
    std::copy(ordine.begin(), ordine.end(), mSistema.pronostico.begin());
    ImpostaLenCol(6);
    mCondizioni = {.pariAttivo = true,
                   .sommaAttiva = true,
                   .fisseAttive = true,
                   .sommaMin = 50,
                   .sommaMax = 240,
                   .numFisse = 1,
                   .ridottoAttivo = true,
                   .ridottoNx = 2};
    mCondizioni.pari[2] = mCondizioni.pari[3] = true;
    mCondizioni.fisse[17] = 1;
    mConsecutivi = {0b1100, true};
    mFiltriDistanza[1] = {.numPosizioni = 2, .posizioni = {0, 1, 4}, .numDistMin = 1, .numDistMax = 1, .attivo = true};
    mFiltriDistanza[1].distMin[3] = mFiltriDistanza[1].distMax[30] = true;
    mNumFiltriDistanza = 1;
    for (int i = 1; i <= 3; ++i) mFiltriAND[i] = test::Gruppo({i * 20, 90}, 0b11u << i);
    mFiltriAND[3].attivo = false;
    mNumFiltriAND = 2;
    mFiltriOR[1] = {.numeri = {0, 1}, .presenze = 1 << 25, .attivo = true};
    mNumFiltriOR = 1;
    test::MettiColonneBase({{11, 12, 13, 14, 15, 16}, {21, 22, 23, 24, 25, 26}});
    mDistanzaMinima = {3, false};
    for (int32_t c = 1; c <= colonne; ++c)
        for (int p = 1; p <= 6; ++p) mArrColonne(c, p) = static_cast<uint8_t>(1 + (c * 7 + p * 13) % 90);
    mSistema.nColonne = colonne;
    mSistema.descrizione = descrizione;
    if (colonne > 0) LockGUI();
}

// Saved and opened again, locked or not, the work is the same (saved work counting as unchanged
// is the main window's test); the same file saved twice is one recent entry.
TEST_F(Progetto, UnLavoroCompletoTornaIdentico) {
    const auto file = (cartella / "sistemi.lec").string();
    for (bool bloccato : {true, false}) {
        test::StatoIniziale();
        riempiLavoro(70000);
        if (!bloccato) Sblocca_x_Ricalcolo();
        const uint64_t prima = ImprontaLavoro();
        ASSERT_TRUE(SalvaSistema(file)) << (ui.messaggi.empty() ? "" : ui.messaggi.back().testo);
        test::StatoIniziale();
        ASSERT_NE(ImprontaLavoro(), prima);
        ASSERT_TRUE(ApriSistema(file));
        EXPECT_EQ(ImprontaLavoro(), prima);
        EXPECT_EQ(mGUILocked, bloccato ? -1 : 0);
        EXPECT_EQ(mNomeFileSistema, "sistemi.lec");
    }
    EXPECT_EQ(FileRecenti(), std::vector<std::string>{file});
    // An imported text file names the system, but "Salva Sistema" asks for a name instead of
    // writing a database over it.
    const auto txt = cartella / "colonne.txt";
    cartella.scrivi("colonne.txt", " 01 02 03\r\n");
    ASSERT_TRUE(ImportaColonneTxt(txt.string()));
    EXPECT_FALSE(SalvaSistemaComando());
    EXPECT_EQ(test::LeggiFile(txt), " 01 02 03\r\n");
}

// Bad files are refused with the reader's message naming the file, the work in
// memory (another one, under another name) stays and the file is not touched: the bad files of
// the corpus (cut short, garbage, empty), a missing file, and copies of a good file with one
// field spoilt.
TEST_F(Progetto, UnFileCattivoERifiutatoENonCambiaNulla) {
    const auto buono = cartella / "buono.lec";
    riempiLavoro(200000);
    ASSERT_TRUE(SalvaSistema(buono.string()));
    const char* guasti[] = {"PRAGMA user_version=2",
                            "PRAGMA application_id=7",
                            "UPDATE lavoro SET pronostico=x'025B'",
                            "UPDATE filtri_or SET numeri=x'000000000000000000000004'",
                            "UPDATE lavoro SET len_col=26",
                            "UPDATE lavoro SET n_colonne=3000001",
                            "DELETE FROM colonne WHERE blocco=1",
                            "UPDATE colonne SET dati=x'01'||substr(dati,2) WHERE blocco=0",
                            "UPDATE lavoro SET num_filtri_and=4"};
    auto casi = test::FileDelCorpus("progetto", true);
    for (const char* istruzione : guasti) {
        casi.push_back(cartella / ("guasto" + std::to_string(casi.size()) + ".lec"));
        std::filesystem::copy_file(buono, casi.back());
        sql::Database(casi.back(), sql::Database::Modo::Creazione).esegui(istruzione);
    }
    // Written with a right CRC over wrong numbers: a 0 within the column length, a 91.
    for (int v : {0, 91}) {
        Lavoro l = FotografiaLavoro();
        l.colonne[7] = static_cast<uint8_t>(v);
        casi.push_back(cartella / ("numero" + std::to_string(v) + ".lec"));
        std::string errore;
        ASSERT_TRUE(ScriviProgetto(casi.back(), l, errore)) << errore;
    }
    casi.push_back(cartella / "manca.lec");
    test::StatoIniziale();
    riempiLavoro(10, "in memoria");
    ImpostaFileSistema("/tmp/in-memoria.lec");
    const uint64_t impronta = ImprontaLavoro();
    for (const auto& file : casi) {
        SCOPED_TRACE(file.filename().string());
        const std::string byte = test::LeggiFile(file);
        ui.messaggi.clear();
        EXPECT_FALSE(ApriSistema(file.string()));
        ASSERT_EQ(ui.messaggi.size(), 1u);
        EXPECT_NE(ui.messaggi[0].testo.find(file.string()), std::string::npos) << ui.messaggi[0].testo;
        EXPECT_GT(ui.messaggi[0].testo.size(), file.string().size() + 10) << ui.messaggi[0].testo;
        EXPECT_EQ(ImprontaLavoro(), impronta);
        EXPECT_EQ(mFileSistema, "/tmp/in-memoria.lec");
        EXPECT_EQ(test::LeggiFile(file), byte);
    }
    Lavoro l;
    ErroreLettura errore;
    EXPECT_FALSE(LeggiProgetto(cartella / "manca.lec", l, errore));
    EXPECT_EQ(errore.numero, 53);
    // The good file of the corpus opens.
    for (const auto& f : test::FileDelCorpus("progetto", false)) EXPECT_TRUE(LeggiProgetto(f, l, errore)) << f;
}

TEST_F(Progetto, UnSalvataggioInterrottoLasciaIlFileVecchioIntero) {
    const auto file = (cartella / "lavoro.lec").string();
    riempiLavoro(5, "vecchio");
    ASSERT_TRUE(SalvaSistema(file));
    // The child saves a large work over and over; it is killed at a different moment each time.
    for (int attesa : {2, 40, 150, 400}) {
        int tubo[2];
        ASSERT_EQ(pipe(tubo), 0);
        const pid_t figlio = fork();
        ASSERT_GE(figlio, 0);
        if (figlio == 0) {
            test::StatoIniziale();
            riempiLavoro(1500000, "nuovo");
            char pronto = 1;
            if (write(tubo[1], &pronto, 1) != 1) _exit(2);
            for (;;) SalvaSistema(file);
        }
        char pronto = 0;
        ASSERT_EQ(read(tubo[0], &pronto, 1), 1);
        usleep(static_cast<useconds_t>(attesa) * 1000);
        kill(figlio, SIGKILL);
        waitpid(figlio, nullptr, 0);
        close(tubo[0]);
        close(tubo[1]);
        SCOPED_TRACE(attesa);
        Lavoro l;
        ErroreLettura errore;
        ASSERT_TRUE(LeggiProgetto(file, l, errore)) << errore.descrizione;
        EXPECT_TRUE(l.descrizione == "vecchio" || (l.descrizione == "nuovo" && l.nColonne == 1500000)) << l.descrizione;
    }
    // A save that cannot take the name (a folder has it) fails and leaves nothing beside it.
    std::filesystem::create_directories(cartella / "d" / "x.lec");
    EXPECT_FALSE(SalvaSistema((cartella / "d" / "x.lec").string()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(cartella / "d"), {}), 1);
}

TEST_F(Progetto, IlRecuperoEOffertoDopoUnProgrammaUcciso) {
    riempiLavoro(1000);
    ImpostaFileSistema((cartella / "mio.lec").string());
    mFileProgetto = mFileSistema;
    const uint64_t impronta = ImprontaLavoro();
    const pid_t figlio = fork();
    ASSERT_GE(figlio, 0);
    if (figlio == 0) {
        // The timer's autosave, then the crash.
        if (!Autosalva()) _exit(1);
        raise(SIGKILL);
    }
    int stato = 0;
    waitpid(figlio, &stato, 0);
    ASSERT_TRUE(WIFSIGNALED(stato));

    test::StatoIniziale();
    SegnaLavoroSalvato();
    ui.risposte = {Risposta::Si};
    ASSERT_TRUE(OffriRecupero());
    EXPECT_EQ(ui.messaggi.back().testo, TestoMessaggio("0248"));
    EXPECT_EQ(ImprontaLavoro(), impronta);
    EXPECT_TRUE(LavoroModificato());
    EXPECT_EQ(mNomeFileSistema, "mio.lec");

    // Saved work leaves no recovery copy; unsaved work is written once per change.
    EXPECT_TRUE(Autosalva());
    EXPECT_FALSE(Autosalva());
    ASSERT_TRUE(std::filesystem::exists(FileRecupero()));
    ui.risposte = {Risposta::No};
    EXPECT_FALSE(OffriRecupero());
    EXPECT_FALSE(std::filesystem::exists(FileRecupero()));
    EXPECT_EQ(ImprontaLavoro(), impronta);
    Autosalva();
    SegnaLavoroSalvato();
    EXPECT_FALSE(Autosalva());
    EXPECT_FALSE(std::filesystem::exists(FileRecupero()));
}

TEST_F(Progetto, LaRigaDiComandoSalvaRiapreEMostraIlLavoro) {
    const auto d = [&](const char* nome) { return (cartella / nome).string(); };
    auto r = test::EseguiCli(cartella.percorso(), {"generate", "--numbers", "1-12", "--length", "5", "--sum", "20-40",
                                                   "--and", "1-6:1,2", "--out", d("a.txt"), "--save", d("a.lec")});
    ASSERT_EQ(r.codice, 0) << r.err;
    // The columns of the file export exactly as --out wrote them.
    r = test::EseguiCli(cartella.percorso(), {"show", d("a.lec"), "--out", d("b.txt")});
    ASSERT_EQ(r.codice, 0) << r.err;
    for (const char* riga :
         {"Prediction: 01 02 03 04 05 06 07 08 09 10 11 12", "Sum: on 20-40", "01 02 03 04 05 06 : 1,2"})
        EXPECT_NE(r.out.find(riga), std::string::npos) << r.out;
    ASSERT_FALSE(test::LeggiFile(d("a.txt")).empty());
    EXPECT_EQ(test::LeggiFile(d("a.txt")), test::LeggiFile(d("b.txt")));
    // The file's conditions with one replaced on the line give what the line alone gives.
    r = test::EseguiCli(cartella.percorso(),
                        {"generate", "--project", d("a.lec"), "--sum", "20-30", "--out", d("c.txt")});
    ASSERT_EQ(r.codice, 0) << r.err;
    r = test::EseguiCli(cartella.percorso(), {"generate", "--numbers", "1-12", "--length", "5", "--sum", "20-30",
                                              "--and", "1-6:1,2", "--out", d("d.txt")});
    EXPECT_EQ(test::LeggiFile(d("c.txt")), test::LeggiFile(d("d.txt")));
    // recalc over the file's own system, saved again.
    r = test::EseguiCli(cartella.percorso(), {"recalc", "--project", d("a.lec"), "--nx", "2", "--save", d("e.lec")});
    ASSERT_EQ(r.codice, 0) << r.err;
    Lavoro l;
    ErroreLettura errore;
    ASSERT_TRUE(LeggiProgetto(d("e.lec"), l, errore)) << errore.descrizione;
    EXPECT_TRUE(l.condizioni.ridottoAttivo && l.condizioni.sommaAttiva);
    EXPECT_GT(l.nColonne, 0);
}

}  // namespace
}  // namespace novanta
