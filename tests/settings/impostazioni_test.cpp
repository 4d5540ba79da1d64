#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "core/cartella_dati.h"
#include "core/corpo.h"
#include "core/matrici_distribuite.h"
#include "settings/disco_piccolo.h"
#include "settings/impostazioni.h"
#include "settings/lingue_distribuite.h"
#include "settings/multiLanguage.h"
#include "support/registratore.h"
#include "support/testo.h"

namespace novanta {
namespace {

constexpr auto leggi = &test::LeggiFile;
namespace fs = std::filesystem;

class ImpostazioniTest : public ::testing::Test {
protected:
    void SetUp() override { test::StatoIniziale(); }
    void TearDown() override { test::StatoIniziale(); }
    test::CartellaTemporanea cartella;
    test::InterfacciaRegistrata ui;
};

// Only "TRUE" in upper case turns the recalculation mode on, only "1" is source 1 (the default);
// the heading is cut to 55 characters, then trimmed.
TEST_F(ImpostazioniTest, SettingsAreReadStrictlyAndWhatIsMissingTakesTheDefault) {
    const std::string predefinita = std::string(INTESTAZIONE_PREDEFINITA).substr(0, 55);
    const struct {
        std::string righe;
        bool modalita;
        int sorgente;
        std::string intestazione;
    } casi[] = {
        {"", false, 1, predefinita},
        {"MODALITA' RICALCOLO=true\nSORGENTE RICALCOLO=3\nINTESTAZIONE=" + std::string(52, 'A') + "   " +
             std::string(25, 'B'),
         false, 2, std::string(52, 'A')},
        {"MODALITA' RICALCOLO=TRUE\nSORGENTE RICALCOLO=2", true, 2, predefinita},
        {"SORGENTE RICALCOLO=x", false, 2, predefinita},
        {"SORGENTE RICALCOLO=01", false, 2, predefinita},
        {"SORGENTE RICALCOLO= 1x", false, 2, predefinita},
    };
    for (const auto& c : casi) {
        cartella.scrivi("qiv.ini", "[ALTRO]\nLINGUA=english\n[IMPOSTAZIONI]\n" + c.righe + "\n");
        const auto t = LeggiImpostazioni(cartella / "qiv.ini");
        EXPECT_EQ(t.modalitaRicalcolo, c.modalita) << c.righe;
        EXPECT_EQ(t.sorgenteRicalcolo, c.sorgente) << c.righe;
        EXPECT_EQ(t.intestazione, c.intestazione) << c.righe;
        EXPECT_EQ(t.stampante + t.lingua + t.serverAggiornamenti, "NESSUNA") << c.righe;
    }
}

TEST_F(ImpostazioniTest, ReadConfigurationTakesTheLanguageOnlyWhenItsFileExists) {
    cartella.scrivi("qiv.ini", "[IMPOSTAZIONI]\nLINGUA=deutsch\nMODALITA' RICALCOLO=TRUE\n");
    mLinguaCorrente = "english";
    ReadConfiguration();
    EXPECT_EQ(mConfig.lingua, "deutsch");
    EXPECT_TRUE(mConfig.modalitaRicalcolo);
    EXPECT_EQ(mLinguaCorrente, "english");
    cartella.scrivi("deutsch.lng", "[Strings]\n");
    ReadConfiguration();
    EXPECT_EQ(mLinguaCorrente, "deutsch");
    EXPECT_TRUE(ui.messaggi.empty());
}

TEST_F(ImpostazioniTest, SavingWritesTheThreeKeysAndKeepsTheRest) {
    cartella.scrivi("qiv.ini",
                    "; mio\n[IMPOSTAZIONI]\nINTESTAZIONE=RICEVITORIA 12\nSERVER AGGIORNAMENTI=http://127.0.0.1:1\n");
    ASSERT_TRUE(SalvaImpostazioni(true, 2, "ENGLISH"));
    EXPECT_EQ(leggi(cartella / "qiv.ini"),
              "; mio\n[IMPOSTAZIONI]\nINTESTAZIONE=RICEVITORIA 12\nSERVER AGGIORNAMENTI=http://127.0.0.1:1\n"
              "MODALITA' RICALCOLO=TRUE\nSORGENTE RICALCOLO=2\nLINGUA=ENGLISH\n");
    ASSERT_TRUE(SalvaImpostazioni(false, 1, "italiano"));
    const auto t = LeggiImpostazioni(cartella / "qiv.ini");
    EXPECT_FALSE(t.modalitaRicalcolo);
    EXPECT_EQ(t.sorgenteRicalcolo, 1);
    EXPECT_EQ(t.lingua, "italiano");
    EXPECT_EQ(t.intestazione, "RICEVITORIA 12");
}

// A read-only data folder (the full disk is the atomic writer's own test): saving the settings
// gives a clear error, the old file whole, no temporary left; the start-up reports the folder,
// not crashed on, and installs no language file, and the program still starts (its messages then
// come from the shipped language: the language tests' case).
TEST_F(ImpostazioniTest, AReadOnlyDataFolderIsReportedAndKeepsItsFiles) {
    test::DiscoPiccolo disco(cartella / "ro");
    RICHIEDI_DISCO_PICCOLO(disco);
    mPathDati = disco.percorso();
    { std::ofstream(disco.percorso() / "qiv.ini") << "[IMPOSTAZIONI]\nLINGUA=italiano\n"; }
    ASSERT_TRUE(disco.SolaLettura());
    EXPECT_FALSE(SalvaImpostazioni(true, 2, "english"));
    ASSERT_EQ(ui.messaggi.size(), 1u);
    EXPECT_EQ(ui.messaggi[0].testo.rfind("Error 75 (", 0), 0u) << ui.messaggi[0].testo;
    EXPECT_NE(ui.messaggi[0].testo.find("Read-only"), std::string::npos) << ui.messaggi[0].testo;
    EXPECT_EQ(leggi(disco.percorso() / "qiv.ini"), "[IMPOSTAZIONI]\nLINGUA=italiano\n");
    std::string errore;
    EXPECT_FALSE(PreparaCartelleDati(errore));
    EXPECT_NE(errore.find("temp"), std::string::npos) << errore;
    errore.clear();
    EXPECT_EQ(InstallaLingueDistribuite(errore), 0);
    EXPECT_FALSE(errore.empty());
    EXPECT_EQ(PreparaAvvio(), EsitoIstanza::Unica);
    RilasciaIstanzaUnica();
    for (const auto& e : fs::directory_iterator(disco.percorso())) EXPECT_EQ(e.path().filename(), "qiv.ini");
}

TEST_F(ImpostazioniTest, TheLanguageListIsSortedUpperCasedAndMarksTheChosenOne) {
    for (const char* f : {"italiano.lng", "English.LNG", "note.txt", ".lng"}) cartella.scrivi(f, "");
    fs::create_directory(cartella / "cartella.lng");
    EXPECT_EQ(ElencoLingue(cartella.percorso(), "").nomi, (std::vector<std::string>{"ENGLISH", "ITALIANO"}));
    for (const auto& [scelta, attesa] : {std::pair{"english", 0}, {"Italiano", 1}, {"deutsch", -1}, {"", -1}})
        EXPECT_EQ(ElencoLingue(cartella.percorso(), scelta).selezionata, attesa) << scelta;
    EXPECT_TRUE(ElencoLingue(cartella / "manca", "x").nomi.empty());
}

TEST(CartellaDati, FollowsXdgDataHome) {
    test::VariabileDiProva xdg("XDG_DATA_HOME", "/srv/dati/");
    EXPECT_EQ(CartellaDati(), fs::path("/srv/dati/Novanta"));
    ::setenv("XDG_DATA_HOME", "relativa", 1);  // not absolute: ignored
    const char* home = std::getenv("HOME");
    EXPECT_EQ(CartellaDati(), (fs::path(home ? home : ".") / ".local/share/Novanta").lexically_normal());
}

TEST_F(ImpostazioniTest, StartUpFillsAFreshDataFolder) {
    mPathDati = cartella / "nuova" / "Novanta";
    mLenCol = 7;
    EXPECT_EQ(PreparaAvvio(), EsitoIstanza::Unica);
    EXPECT_EQ(mLenCol, 10);
    for (const char* s : SOTTOCARTELLE_DATI) EXPECT_TRUE(fs::is_directory(mPathDati / s)) << s;
    for (const auto& l : LingueDistribuite())
        EXPECT_EQ(leggi(mPathDati / (std::string(l.nome) + ".lng")), l.contenuto) << l.nome;
    ASSERT_GE(MatriciDistribuite().size(), 30u);
    for (const auto& m : MatriciDistribuite()) EXPECT_EQ(leggi(mPathDati / "matrici" / m.nome), m.contenuto) << m.nome;
    RilasciaIstanzaUnica();
    std::string errore;
    EXPECT_TRUE(PreparaCartelleDati(errore)) << errore;
    // The user's language files, under any letter case, are never overwritten.
    fs::remove(mPathDati / "italiano.lng");
    std::ofstream(mPathDati / "Italiano.lng") << "mia";
    std::ofstream(mPathDati / "english.lng") << "scaricata";
    EXPECT_EQ(InstallaLingueDistribuite(errore), 0);
    EXPECT_EQ(leggi(mPathDati / "Italiano.lng") + leggi(mPathDati / "english.lng"), "miascaricata");
    EXPECT_FALSE(fs::exists(mPathDati / "italiano.lng"));
    // A matrix the update wrote under its upper-case name is the user's and stays; one deleted comes back.
    const std::string nome(MatriciDistribuite()[0].nome);
    fs::remove(mPathDati / "matrici" / nome);
    std::ofstream(mPathDati / "matrici" / Maiuscolo(nome)) << "scaricata";
    const std::string seconda(MatriciDistribuite()[1].nome);
    fs::remove(mPathDati / "matrici" / seconda);
    EXPECT_EQ(InstallaMatriciDistribuite(errore), 1) << errore;
    EXPECT_FALSE(fs::exists(mPathDati / "matrici" / nome));
    EXPECT_EQ(leggi(mPathDati / "matrici" / seconda), MatriciDistribuite()[1].contenuto);
    EXPECT_FALSE(CreaCartella(mPathDati / "temp"));  // exists already
    EXPECT_TRUE(CreaCartella(mPathDati / "a" / "b" / "c"));
}

// The kernel drops the lock when its holder dies, however it dies (a second copy refused while
// the first runs is the GUI start-up test's).
TEST_F(ImpostazioniTest, ACrashLeavesNoStaleLock) {
    std::string errore;
    const pid_t figlio = ::fork();
    ASSERT_GE(figlio, 0);
    if (figlio == 0) {
        if (AcquisisciIstanzaUnica(cartella.percorso(), errore) != EsitoIstanza::Unica) ::_exit(1);
        ::raise(SIGKILL);  // dies holding the lock
    }
    int stato = 0;
    ::waitpid(figlio, &stato, 0);
    ASSERT_TRUE(WIFSIGNALED(stato));
    EXPECT_EQ(AcquisisciIstanzaUnica(cartella.percorso(), errore), EsitoIstanza::Unica) << errore;
    RilasciaIstanzaUnica();
    EXPECT_EQ(AcquisisciIstanzaUnica(cartella / "manca", errore), EsitoIstanza::Errore);
    EXPECT_FALSE(errore.empty());
}

}  // namespace
}  // namespace novanta
