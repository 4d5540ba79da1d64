#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>

#include "cli/cli.h"
#include "core/cartella_dati.h"
#include "core/corpo.h"
#include "net/aggiornamenti.h"
#include "server_aggiornamenti.h"
#include "server_prova.h"
#include "support/registratore.h"
#include "versione.h"

namespace novanta {
namespace {

// The command-line tool against the reference update server, serving this tree's languages
// and matrices, on an ephemeral loopback port.
class CliReteTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::StatoIniziale();
        contenuti = server::ContenutiPredefiniti();
        dati = cartella / "dati";
    }
    void TearDown() override {
        mServerAggiornamentiForzato.clear();
        test::StatoIniziale();
    }
    bool Avvia() {
        server::ConfiguraServer(srv.server, contenuti);
        return srv.avvia();
    }
    int Esegui(std::vector<std::string> argomenti) {
        const auto r = test::EseguiCli(dati, std::move(argomenti));
        out = r.out;
        err = r.err;
        return r.codice;
    }

    test::CartellaTemporanea cartella;
    std::filesystem::path dati;
    server::Contenuti contenuti;
    test::ServerProva srv;
    std::string out, err;
};

// A fresh data folder whose qiv.ini names the server (no --server) is filled from it.
TEST_F(CliReteTest, AFreshDataFolderIsFilledFromTheServerInQivIni) {
    ASSERT_TRUE(Avvia());
    const auto matrici = server::ElencoMatrici(contenuti);
    ASSERT_GE(matrici.size(), 3u);
    std::filesystem::create_directories(dati);
    std::ofstream(dati / "qiv.ini") << "[IMPOSTAZIONI]\nLINGUA=english\nSERVER AGGIORNAMENTI=" << srv.base() << "\n";
    ASSERT_EQ(Esegui({"update-matrices"}), 0) << err;
    for (const auto& m : matrici) {
        const auto nome = m.substr(0, m.size() - 4) + ".mzel";
        EXPECT_TRUE(std::filesystem::is_regular_file(dati / "matrici" / nome)) << nome;
        EXPECT_NE(out.find("installed " + nome), std::string::npos);
    }
    ASSERT_EQ(Esegui({"update-languages"}), 0) << err;
    EXPECT_EQ(out, "installed english.lng\ninstalled italiano.lng\n* ENGLISH\n  ITALIANO\n");
    for (const char* s : {"temp", "txt", "sistemi", "csv", "matrici"})
        EXPECT_TRUE(std::filesystem::is_directory(dati / s));
}

// The exit codes a script reads: 3 only for a newer server, 1 when the server cannot be reached
// (the languages installed at start are still listed).
TEST_F(CliReteTest, VersionCheckAndAnUnreachableServerExitCodes) {
    const std::string versione = NOVANTA_VERSIONE, nuova = std::to_string(NOVANTA_VERSIONE_MAJOR + 1) + ".0.0";
    test::ServerProva piuNuovo;
    contenuti.versione = nuova;
    server::ConfiguraServer(piuNuovo.server, contenuti);
    contenuti.versione = versione;
    ASSERT_TRUE(Avvia() && piuNuovo.avvia());
    const std::string morto = "http://127.0.0.1:" + std::to_string(test::PortaChiusa());
    const std::string locale = "local version: " + versione + "\n";
    const std::tuple<std::string, const char*, int, std::string, const char*> casi[] = {
        {srv.base(), "version-check", 0, locale + "server version: " + versione + "\n", ""},
        {piuNuovo.base(), "version-check", 3, locale + "server version: " + nuova + "\na newer version is available\n",
         ""},
        {morto, "version-check", 1, locale, "cannot reach the update server"},
        {morto, "update-languages", 1, "  ENGLISH\n  ITALIANO\n", "cannot fetch the language list"},
        {morto, "update-matrices", 1, "", "cannot fetch the matrix list"}};
    for (const auto& [server, comando, codice, attesoOut, attesoErr] : casi) {
        EXPECT_EQ(Esegui({comando, "--server", server}), codice) << comando << " " << server << "\n" << err;
        EXPECT_EQ(out, attesoOut);
        EXPECT_NE(err.find(attesoErr), std::string::npos) << err;
    }
}

// What a script needs from an update: why a file was not installed, a list cut at its cap
// (exit 4), and a clear refusal while another Novanta holds the data folder.
TEST_F(CliReteTest, ReasonsCutListsAndABusyFolderReachTheScript) {
    std::string lista;
    srv.server.Get("/public/qiv/lingue/lista.txt",
                   [&](const auto&, auto& res) { res.set_content(lista, "text/plain"); });
    srv.server.Get("/public/qiv/lingue/broken.txt",
                   [](const auto&, auto& res) { res.set_content(std::string("[Strings]\0\n", 11), "text/plain"); });
    ASSERT_TRUE(srv.avvia());
    lista = "broken.txt\n";
    EXPECT_EQ(Esegui({"update-languages", "--server", srv.base()}), 1);
    EXPECT_NE(err.find("fetching 1/1: broken.txt\n"), std::string::npos) << err;
    EXPECT_NE(err.find("could not install broken.txt: not a language file: it holds NUL bytes"), std::string::npos)
        << err;
    lista.clear();
    for (int i = 0; i < 1001; ++i) lista += "../x" + std::to_string(i) + ".txt\n";
    EXPECT_EQ(Esegui({"update-languages", "--server", srv.base()}), 4);
    EXPECT_NE(err.find("more than 1,000 files"), std::string::npos) << err;
    const int altro = ::open((dati / FILE_BLOCCO_ISTANZA).c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_EQ(::flock(altro, LOCK_EX), 0);
    const double attesa = mSecondiAttesaBlocco;
    mSecondiAttesaBlocco = 0.1;
    EXPECT_EQ(Esegui({"update-matrices", "--server", srv.base()}), 1);
    mSecondiAttesaBlocco = attesa;
    ::close(altro);
    EXPECT_NE(err.find("is in use by another Novanta"), std::string::npos) << err;
}

TEST_F(CliReteTest, TheReferenceServerRefusesWhatItDoesNotPublish) {
    ASSERT_TRUE(Avvia());
    httplib::Client c("127.0.0.1", srv.porta());
    for (const char* p : {"/public/lumora/matrici/download.aspx?file=..%2F..%2Fetc%2Fpasswd.DAT",
                          "/public/lumora/matrici/download.aspx?file=NONCE.DAT", "/public/lumora/matrici/download.aspx",
                          "/public/qiv/lingue/..%2Fqiv.txt", "/public/qiv/lingue/klingon.txt", "/etc/passwd"}) {
        auto r = c.Get(p);
        ASSERT_TRUE(r) << p;
        EXPECT_EQ(r->status, 404) << p;
    }
    // Its lists reach the tool in the tests above; the credits are asked for by the settings window only.
    const auto r = c.Get("/public/qiv/lingue/thankstolingue.txt");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);
}

}  // namespace
}  // namespace novanta
