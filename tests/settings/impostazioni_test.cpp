#include <gtest/gtest.h>
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

TEST_F(ImpostazioniTest, SettingsAreReadStrictlyAndWhatIsMissingTakesTheDefault) {
    cartella.scrivi("qiv.ini", "[ALTRO]\nLINGUA=english\n");
    auto t = LeggiImpostazioni(cartella / "qiv.ini");
    EXPECT_EQ(t.intestazione, std::string(INTESTAZIONE_PREDEFINITA).substr(0, 55));
    EXPECT_EQ(t.stampante, "NESSUNA");
    EXPECT_EQ(t.sorgenteRicalcolo, 1);
    EXPECT_FALSE(t.modalitaRicalcolo);
    EXPECT_EQ(t.lingua + t.serverAggiornamenti, "");
    const std::string ottanta = std::string(52, 'A') + "   " + std::string(25, 'B');
    cartella.scrivi("qiv.ini",
                    "[IMPOSTAZIONI]\nMODALITA' RICALCOLO=true\nSORGENTE RICALCOLO=3\nINTESTAZIONE=" + ottanta + "\n");
    t = LeggiImpostazioni(cartella / "qiv.ini");
    EXPECT_FALSE(t.modalitaRicalcolo);  // only "TRUE" in upper case counts
    EXPECT_EQ(t.sorgenteRicalcolo, 2);
    EXPECT_EQ(t.intestazione, std::string(52, 'A'));  // cut to 55, then trimmed
    for (const char* v : {"2", "x", "01", " 1x"}) {
        cartella.scrivi("qiv.ini",
                        std::string("[IMPOSTAZIONI]\nSORGENTE RICALCOLO=") + v + "\nMODALITA' RICALCOLO=TRUE\n");
        t = LeggiImpostazioni(cartella / "qiv.ini");
        EXPECT_EQ(t.sorgenteRicalcolo, 2) << v;
        EXPECT_TRUE(t.modalitaRicalcolo);
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

// A failed write (a read-only folder here; the full disk is the atomic writer's own test): a clear
// error, the old file whole and still what the reads return, no temporary left.
TEST_F(ImpostazioniTest, SavingIntoAReadOnlyFolderSaysSoAndKeepsTheFile) {
    test::DiscoPiccolo disco(cartella / "ro");
    RICHIEDI_DISCO_PICCOLO(disco);
    mPathDati = disco.percorso();
    { std::ofstream(disco.percorso() / "qiv.ini") << "[IMPOSTAZIONI]\nLINGUA=italiano\n"; }
    ASSERT_TRUE(disco.SolaLettura());
    EXPECT_FALSE(SalvaImpostazioni(true, 2, "english"));
    ASSERT_EQ(ui.messaggi.size(), 1u);
    EXPECT_EQ(ui.messaggi[0].testo.rfind("Error 75 (", 0), 0u) << ui.messaggi[0].testo;
    EXPECT_NE(ui.messaggi[0].testo.find("Read-only"), std::string::npos) << ui.messaggi[0].testo;
    EXPECT_NE(ui.messaggi[0].testo.find(") in procedure cmdSalva_Click of Form frmImpostazioni"), std::string::npos);
    EXPECT_EQ(leggi(disco.percorso() / "qiv.ini"), "[IMPOSTAZIONI]\nLINGUA=italiano\n");
    EXPECT_EQ(LeggiImpostazioni(disco.percorso() / "qiv.ini").lingua, "italiano");
    for (const auto& e : fs::directory_iterator(disco.percorso())) EXPECT_EQ(e.path().filename(), "qiv.ini");
}

TEST_F(ImpostazioniTest, TheLanguageListIsSortedUpperCasedAndMarksTheChosenOne) {
    for (const char* f : {"italiano.lng", "English.LNG", "note.txt", ".lng"}) cartella.scrivi(f, "");
    fs::create_directory(cartella / "cartella.lng");
    auto e = ElencoLingue(cartella.percorso(), "english");
    EXPECT_EQ(e.nomi, (std::vector<std::string>{"ENGLISH", "ITALIANO"}));
    EXPECT_EQ(e.selezionata, 0);
    EXPECT_EQ(ElencoLingue(cartella.percorso(), "Italiano").selezionata, 1);
    EXPECT_EQ(ElencoLingue(cartella.percorso(), "deutsch").selezionata, -1);
    EXPECT_EQ(ElencoLingue(cartella.percorso(), "").selezionata, -1);
    EXPECT_TRUE(ElencoLingue(cartella / "manca", "x").nomi.empty());
    // What the window says when none is chosen, or none is found, is checked by the window's tests.
    mConfig.lingua = "deutsch";
    EXPECT_EQ(CaricaLingue().selezionata, 0);
}

TEST(CartellaDati, FollowsXdgDataHome) {
    const char* vecchio = std::getenv("XDG_DATA_HOME");
    const std::optional<std::string> salvato = vecchio ? std::optional<std::string>(vecchio) : std::nullopt;
    ::setenv("XDG_DATA_HOME", "/srv/dati/", 1);
    EXPECT_EQ(CartellaDati(), fs::path("/srv/dati/Novanta"));
    ::setenv("XDG_DATA_HOME", "relativa", 1);  // not absolute: ignored
    const char* home = std::getenv("HOME");
    EXPECT_EQ(CartellaDati(), (fs::path(home ? home : ".") / ".local/share/Novanta").lexically_normal());
    salvato ? (void)::setenv("XDG_DATA_HOME", salvato->c_str(), 1) : (void)::unsetenv("XDG_DATA_HOME");
}

TEST_F(ImpostazioniTest, StartUpFillsAFreshDataFolder) {
    mPathDati = cartella / "nuova" / "Novanta";
    mLenCol = 7;
    EXPECT_EQ(PreparaAvvio(), EsitoIstanza::Unica);
    EXPECT_EQ(mLenCol, 10);
    for (const char* s : SOTTOCARTELLE_DATI) EXPECT_TRUE(fs::is_directory(mPathDati / s)) << s;
    EXPECT_EQ(leggi(mPathDati / "english.lng"), LinguaDistribuitaDi("english")->contenuto);
    EXPECT_EQ(leggi(mPathDati / "italiano.lng"), LinguaDistribuitaDi("italiano")->contenuto);
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

// A read-only data folder is reported, not crashed on, and gets no language file; the program
// still starts, and messages still have their text from the shipped language inside it.
TEST_F(ImpostazioniTest, AReadOnlyDataFolderIsReportedNotCrashedOn) {
    test::DiscoPiccolo disco(cartella / "ro");
    RICHIEDI_DISCO_PICCOLO(disco);
    ASSERT_TRUE(disco.SolaLettura());
    mPathDati = disco.percorso();
    std::string errore;
    EXPECT_FALSE(PreparaCartelleDati(errore));
    EXPECT_NE(errore.find("temp"), std::string::npos) << errore;
    errore.clear();
    EXPECT_EQ(InstallaLingueDistribuite(errore), 0);
    EXPECT_FALSE(errore.empty());
    EXPECT_FALSE(fs::exists(disco.percorso() / "english.lng"));
    EXPECT_EQ(PreparaAvvio(), EsitoIstanza::Unica);
    RilasciaIstanzaUnica();
    test::LocaleDiProva locale("en_US.UTF-8");
    EXPECT_FALSE(TestoMessaggio("0053").empty());
}

// A second copy of the program is refused, and the kernel drops the lock when its holder dies,
// however it dies.
TEST_F(ImpostazioniTest, OnlyOneCopyRunsAndACrashLeavesNoStaleLock) {
    std::string errore;
    int pipeFd[2];
    ASSERT_EQ(::pipe(pipeFd), 0);
    const pid_t figlio = ::fork();
    ASSERT_GE(figlio, 0);
    if (figlio == 0) {
        const char esito = AcquisisciIstanzaUnica(cartella.percorso(), errore) == EsitoIstanza::Unica ? 'U' : 'X';
        [[maybe_unused]] auto n = ::write(pipeFd[1], &esito, 1);
        ::pause();  // holds the lock until killed
        ::_exit(0);
    }
    char esito = 0;
    ASSERT_EQ(::read(pipeFd[0], &esito, 1), 1);
    EXPECT_EQ(esito, 'U');
    EXPECT_EQ(AcquisisciIstanzaUnica(cartella.percorso(), errore), EsitoIstanza::GiaInEsecuzione);
    ::kill(figlio, SIGKILL);
    ::waitpid(figlio, nullptr, 0);
    EXPECT_EQ(AcquisisciIstanzaUnica(cartella.percorso(), errore), EsitoIstanza::Unica) << errore;
    RilasciaIstanzaUnica();
    ::close(pipeFd[0]);
    ::close(pipeFd[1]);
    EXPECT_EQ(AcquisisciIstanzaUnica(cartella / "manca", errore), EsitoIstanza::Errore);
    EXPECT_FALSE(errore.empty());
}

}  // namespace
}  // namespace novanta
