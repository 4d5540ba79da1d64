#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <thread>

#include "core/cartella_dati.h"
#include "core/corpo.h"
#include "net/aggiornamenti.h"
#include "server_aggiornamenti.h"
#include "server_prova.h"
#include "settings/impostazioni.h"
#include "support/cCRC32.h"
#include "support/registratore.h"
#include "versione.h"

namespace novanta {
namespace {

constexpr auto leggi = &test::LeggiFile;

// Sound matrix files, each different: the ones the reference server publishes.
std::string Matrice(const char* nome) { return leggi(server::ContenutiPredefiniti().cartelleMatrici.front() / nome); }

// A language file holding every message the program shows, each saying `parola`.
std::string Lingua(const std::string& parola) {
    std::string t = "[Strings]\r\n";
    for (const char* id : MESSAGGI_PROGRAMMA) t += std::string(id) + "=\"" + parola + "\"\r\n";
    return t;
}

class VersioneFinta : public test::InterfacciaRegistrata {
public:
    void NuovaVersione(const std::string& locale, const std::string& remota) override {
        avvisi.push_back(locale + " -> " + remota);
    }
    void ProgressoAggiornamento(const std::string& nome, size_t numero, size_t totale) override {
        progressi.push_back(std::to_string(numero) + "/" + std::to_string(totale) + " " + nome);
    }
    std::vector<std::string> avvisi, progressi;
};

// Versions and names come from the server: garbage never announces a version or names a file.
TEST(DatiDelServer, VersionsNamesAndLists) {
    const std::pair<const char*, const char*> nuove[] = {{"1.0.9", "1.1.0"},
                                                         {"1.4.7", "2"},
                                                         {"2.0.15", "2.0.16"},
                                                         {"2.0.15", " 2.1.0beta"},
                                                         {"2.0.15", "99999999999999999999999.0.0"}};
    for (const auto& [locale, remota] : nuove) EXPECT_TRUE(VersioneServerPiuNuova(locale, remota)) << remota;
    // Only three parts count, as numbers; missing ones are 0.
    const std::pair<const char*, const char*> vecchie[] = {
        {"1.0.12", "1.0.9"}, {"1.0.9", "1.0.9.5"}, {"1.0.9", "1.0.9"},   {"1.0.0", "1"},    {"2.0.15", "1.99.99"},
        {"2.0.15", ""},      {"2.0.15", "<html>"}, {"2.0.15", "v3.0.0"}, {"2.0.15", "..."}, {"2.0.15", "-1.0.0"}};
    for (const auto& [locale, remota] : vecchie) EXPECT_FALSE(VersioneServerPiuNuova(locale, remota)) << remota;
    for (const auto& buono :
         std::vector<std::string>{"english.txt", "ABC.DAT", "a b.txt", "lingua-2.txt", "x", std::string(100, 'a')})
        EXPECT_TRUE(NomeFileValido(buono)) << buono;
    for (const auto& cattivo :
         std::vector<std::string>{"", ".", "..", "../x.txt", "a/b.txt", "/etc/passwd", "a\\b.txt", "..\\x.DAT",
                                  ".nascosto", "a..b", "tab\there", "nl\nx", "del\x7f", std::string(101, 'a')})
        EXPECT_FALSE(NomeFileValido(cattivo)) << cattivo;
    EXPECT_EQ(RigheLista("\xEF\xBB\xBF uno.txt \r\n\r\n\tdue.txt\n   \ntre.txt"),
              (std::vector<std::string>{"uno.txt", "due.txt", "tre.txt"}));
    std::string lunga;
    for (int i = 0; i < 5000; ++i) lunga += "f" + std::to_string(i) + ".txt\n";
    bool tagliata = false;
    EXPECT_EQ(RigheLista(lunga, 1000, &tagliata).size(), 1000u);
    EXPECT_TRUE(tagliata);
    EXPECT_EQ(RigheLista(lunga, 5000, &tagliata).size(), 5000u);
    EXPECT_FALSE(tagliata);
    EXPECT_TRUE(RigheLista("").empty());
}

class AggiornamentiTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::StatoIniziale();
        // Every answer comes from `file`; a missing name is a 404. Downloads are recorded.
        // A body of "HANG" is sent only after 5 s (or when the test ends).
        auto servi = [this](const std::string& nome, httplib::Response& res, bool registra) {
            std::string corpo;
            {
                std::lock_guard<std::mutex> l(m);
                if (registra) richieste.push_back(nome);
                const auto it = file.find(nome);
                if (it == file.end()) {
                    res.status = 404;
                    return;
                }
                corpo = it->second;
            }
            if (corpo == "HANG") srv.attendi(5);
            res.set_content(corpo, "text/plain");
        };
        auto& s = srv.server;
        for (const char* lista : {"/public/qiv/ver.asp", "/public/qiv/lingue/lista.txt", "/public/lumora/lista.asp"}) {
            const std::string nome = std::string(lista).substr(std::string(lista).rfind('/') + 1);
            s.Get(lista, [servi, nome](const auto&, auto& res) { servi(nome, res, false); });
        }
        s.Get(R"(/public/qiv/lingue/(.+))", [servi](const auto& req, auto& res) { servi(req.matches[1], res, true); });
        s.Get("/public/lumora/matrici/download.aspx",
              [servi](const auto& req, auto& res) { servi(req.get_param_value("file"), res, true); });
        ASSERT_TRUE(srv.avvia());
        mServerAggiornamentiForzato = srv.base();
    }
    void TearDown() override {
        mServerAggiornamentiForzato.clear();
        test::StatoIniziale();
    }

    test::CartellaTemporanea cartella;
    VersioneFinta ui;
    test::ServerProva srv;
    std::map<std::string, std::string> file;
    std::vector<std::string> richieste;
    std::mutex m;
};

TEST_F(AggiornamentiTest, TheServerAddressComesFromTheSettingsOrTheDefault) {
    mServerAggiornamentiForzato.clear();
    EXPECT_EQ(IndirizzoServer(), SERVER_PREDEFINITO);
    cartella.scrivi("qiv.ini", "[IMPOSTAZIONI]\nSERVER AGGIORNAMENTI=http://127.0.0.1:4321/\n");
    EXPECT_EQ(IndirizzoServer(), "http://127.0.0.1:4321");
    mServerAggiornamentiForzato = "http://127.0.0.1:99//";
    EXPECT_EQ(IndirizzoServer(), "http://127.0.0.1:99");
}

// The start-up check tells the face of a newer version only; a page that is no version, or a
// server that cannot be reached, never shows anything.
TEST_F(AggiornamentiTest, ANewerServerVersionIsAnnouncedAndNothingElseIs) {
    const std::pair<std::string, EsitoVersione> casi[] = {
        {VersioneLocale() + "\r\naltro\r\n", EsitoVersione::NessunaNovita},
        {"999.0.0", EsitoVersione::NuovaVersione},
        {"<html><body>maintenance</body></html>", EsitoVersione::NessunaNovita},
        {std::string(10000, '9'), EsitoVersione::NonRaggiungibile}};  // over the version file's size cap
    for (const auto& [corpo, esito] : casi) {
        file["ver.asp"] = corpo;
        EXPECT_EQ(NewVersion().esito, esito) << corpo.substr(0, 40);
    }
    EXPECT_FALSE(std::filesystem::exists(cartella / "temp" / "qivver.txt"));
    mServerAggiornamentiForzato = "http://127.0.0.1:" + std::to_string(test::PortaChiusa());
    EXPECT_EQ(NewVersion().esito, EsitoVersione::NonRaggiungibile);
    EXPECT_EQ(ui.avvisi, std::vector<std::string>{VersioneLocale() + " -> 999.0.0"});
    EXPECT_TRUE(ui.messaggi.empty());
}

TEST_F(AggiornamentiTest, LanguagesReplaceTheirTargetAndBadNamesAreSkipped) {
    cartella.scrivi("english.lng", Lingua("old"));
    cartella.scrivi("Italiano.lng", Lingua("vecchio"));
    cartella.scrivi("deutsch.lng", Lingua("alt"));
    std::filesystem::create_directories(cartella / "fuori");
    // The names the file-name check refuses are its own table's; here one that climbs out, one not a .txt.
    file["lista.txt"] =
        "english.txt\r\n../fuori/evil.txt\r\n\r\nitaliano.txt\r\nreadme\r\n"
        "missing.txt\r\nbroken.txt\r\nDEUTSCH.TXT\r\njunk.txt\r\nshort.txt\r\n";
    file["english.txt"] = Lingua("new");
    file["italiano.txt"] = Lingua("nuovo");
    file["DEUTSCH.TXT"] = Lingua("neu");
    file["broken.txt"] = "<html>not found</html>";
    // Binary junk that holds "[strings]" is no language file.
    std::string junk(200000, '\0');
    for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>(i * 7919 % 251);
    file["junk.txt"] = junk.replace(1000, 9, "[strings]");
    file["short.txt"] = "[Strings]\n0053=\"only one\"\n";
    file["../fuori/evil.txt"] = Lingua("evil");
    const auto r = AggiornaLingue();
    EXPECT_EQ(r.installati, (std::vector<std::string>{"english.lng", "italiano.lng", "DEUTSCH.lng"}));
    EXPECT_EQ(r.scartati, (std::vector<std::string>{"../fuori/evil.txt", "readme"}));
    EXPECT_EQ(r.falliti, (std::vector<std::string>{"missing.txt", "broken.txt", "junk.txt", "short.txt"}));
    const char* motivi[] = {"404", "no message 0001", "NUL", "no message 0001"};
    ASSERT_EQ(r.motivi.size(), 4u);
    for (size_t i = 0; i < 4; ++i) EXPECT_NE(r.motivi[i].find(motivi[i]), std::string::npos) << r.motivi[i];
    for (const auto& [lng, txt] :
         {std::pair{"english.lng", "english.txt"}, {"italiano.lng", "italiano.txt"}, {"DEUTSCH.lng", "DEUTSCH.TXT"}})
        EXPECT_EQ(leggi(cartella / lng), file[txt]);
    for (const char* via : {"Italiano.lng", "deutsch.lng", "broken.lng", "junk.lng", "fuori/evil.lng"})
        EXPECT_FALSE(std::filesystem::exists(cartella / via)) << via;
    for (const auto& q : richieste) EXPECT_EQ(q.find(".."), std::string::npos) << q;
    EXPECT_EQ(ui.progressi.size(), 7u);
    EXPECT_EQ(ui.progressi.front(), "1/9 english.txt");
    // No temporary file is left in the data folder.
    for (const auto& e : std::filesystem::directory_iterator(cartella.percorso()))
        EXPECT_EQ(e.path().filename().string().find(".part"), std::string::npos) << e.path();
    // The user is told what came and what did not.
    MostraEsitoLingue(r);
    ASSERT_EQ(ui.messaggi.size(), 1u);
    EXPECT_EQ(
        ui.messaggi[0].testo.rfind(TestoMessaggio("0164", {"english.lng, italiano.lng, DEUTSCH.lng"}) + "\r\n", 0), 0u);
    EXPECT_NE(ui.messaggi[0].testo.find("missing.txt, broken.txt, junk.txt, short.txt, ../fuori/evil.txt"),
              std::string::npos);
}

// The data folder's lock: a second updater waits briefly, then says the folder is in use and
// touches nothing; the desktop program, which holds the lock while it runs, still saves and updates.
TEST_F(AggiornamentiTest, OneWriterOfTheDataFolderAtATime) {
    cartella.scrivi("english.lng", Lingua("old"));
    cartella.scrivi("qiv.ini", "[IMPOSTAZIONI]\r\nLINGUA=english\r\n");
    file["lista.txt"] = "english.txt\n";
    file["english.txt"] = Lingua("new");
    const int altro = ::open((cartella / FILE_BLOCCO_ISTANZA).c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_EQ(::flock(altro, LOCK_EX), 0);
    ASSERT_EQ(::pwrite(altro, "4242\n", 5, 0), 5);
    const double attesa = mSecondiAttesaBlocco;
    mSecondiAttesaBlocco = 0.2;
    auto r = AggiornaLingue();
    EXPECT_TRUE(r.cartellaOccupata);
    EXPECT_NE(r.errore.find("in use by another Novanta (process 4242)"), std::string::npos) << r.errore;
    EXPECT_FALSE(AggiornaMatrici().listaScaricata);
    EXPECT_FALSE(SalvaImpostazioni(true, 2, "italiano"));
    ASSERT_EQ(ui.messaggi.size(), 1u);
    EXPECT_NE(ui.messaggi[0].testo.find("in use"), std::string::npos);
    EXPECT_TRUE(richieste.empty());  // so nothing was installed
    EXPECT_EQ(leggi(cartella / "qiv.ini"), "[IMPOSTAZIONI]\r\nLINGUA=english\r\n");
    // Released while the update waits: it goes ahead.
    mSecondiAttesaBlocco = 5;
    std::thread rilascia([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ::close(altro);
    });
    r = AggiornaLingue();
    rilascia.join();
    EXPECT_EQ(r.installati, std::vector<std::string>{"english.lng"});
    std::string errore;
    ASSERT_EQ(AcquisisciIstanzaUnica(cartella.percorso(), errore), EsitoIstanza::Unica) << errore;
    mSecondiAttesaBlocco = 0;
    EXPECT_TRUE(SalvaImpostazioni(true, 2, "italiano"));
    EXPECT_EQ(AggiornaLingue().installati, std::vector<std::string>{"english.lng"});
    RilasciaIstanzaUnica();
    mSecondiAttesaBlocco = attesa;
}

// A whole update keeps to its time limit: a file that hangs uses it up and the rest are not
// fetched, each failure with its reason.
TEST_F(AggiornamentiTest, AnUpdateKeepsToItsTimeLimit) {
    file["lista.asp"] = "a.dat\nb.dat\n";
    file["A.DAT"] = "HANG";
    file["B.DAT"] = Matrice("M10_5_3.mzel");
    const auto limiti = mLimitiAggiornamento;
    mLimitiAggiornamento.secondiTotali = 1;
    const auto r = AggiornaMatrici();
    mLimitiAggiornamento = limiti;
    EXPECT_EQ(r.falliti, (std::vector<std::string>{"A.DAT", "B.DAT"}));
    ASSERT_EQ(r.motivi.size(), 2u);
    EXPECT_NE(r.motivi[0].find("imed out"), std::string::npos) << r.motivi[0];
    EXPECT_NE(r.motivi[1].find("time limit"), std::string::npos) << r.motivi[1];
    EXPECT_EQ(richieste, std::vector<std::string>{"A.DAT"});
}

TEST_F(AggiornamentiTest, MatricesAreUpperCasedRenamedAndCheckedBeforeTheyReplaceAnything) {
    std::filesystem::create_directories(cartella / "matrici");
    const std::string buona = Matrice("M10_5_3.mzel");
    cartella.scrivi("matrici/BAD.mzel", buona);
    cartella.scrivi("matrici/Abc.mzel", buona);
    file["lista.asp"] = "abc.dat\nnodat.mzel\n../x.DAT\nbad.DAT\nmissing.DAT\nC:\\x.DAT\ntag.dat\n";
    file["ABC.DAT"] = Matrice("M12_6_4.mzel");
    file["NODAT.MZEL"] = Matrice("M15_5_3.mzel");
    std::string& rotta = file["BAD.DAT"] = Matrice("M12_6_4.mzel");
    rotta[150] ^= 1;
    // Another format tag under a CRC that matches it.
    std::string& etichetta = file["TAG.DAT"] = Matrice("M12_6_4.mzel");
    etichetta[130] ^= 1;
    const uint32_t crc =
        cCRC32().crc(std::span(reinterpret_cast<const uint8_t*>(etichetta.data()), etichetta.size() - 4));
    for (int i = 0; i < 4; ++i) etichetta[etichetta.size() - 4 + i] = static_cast<char>(crc >> (8 * i));
    const auto r = AggiornaMatrici();
    EXPECT_EQ(r.installati, (std::vector<std::string>{"ABC.mzel", "NODAT.MZEL"}));
    EXPECT_EQ(r.scartati, (std::vector<std::string>{"../x.DAT", "C:\\x.DAT"}));
    EXPECT_EQ(r.falliti, (std::vector<std::string>{"BAD.DAT", "MISSING.DAT", "TAG.DAT"}));
    EXPECT_EQ(leggi(cartella / "matrici" / "ABC.mzel"), file["ABC.DAT"]);
    EXPECT_FALSE(std::filesystem::exists(cartella / "matrici" / "Abc.mzel"));
    EXPECT_EQ(leggi(cartella / "matrici" / "NODAT.MZEL"), file["NODAT.MZEL"]);
    EXPECT_EQ(leggi(cartella / "matrici" / "BAD.mzel"), buona);  // the damaged download replaced nothing
    EXPECT_EQ(richieste, (std::vector<std::string>{"ABC.DAT", "NODAT.MZEL", "BAD.DAT", "MISSING.DAT", "TAG.DAT"}));
    EXPECT_TRUE(std::filesystem::exists(cartella / "temp" / "qivmatrici.txt"));
}

// What the settings window tells: a language list that could not be fetched (nothing else is
// asked), the credits line by line, and a warning naming the server when they do not come.
TEST_F(AggiornamentiTest, AFailedListAndTheCreditsAreTold) {
    const auto r = AggiornaLingue();
    EXPECT_FALSE(r.listaScaricata);
    EXPECT_TRUE(richieste.empty());
    MostraEsitoLingue(r);
    file["thankstolingue.txt"] = "Grazie a:\r\nTizio\nCaio";
    MostraCreditiLingue();
    file.clear();
    MostraCreditiLingue();
    const std::pair<std::string, Icona> attesi[] = {{TestoMessaggio("0165", {IndirizzoServer()}), Icona::Esclamazione},
                                                    {"\r\nGrazie a:\r\nTizio\r\nCaio", Icona::Informazione},
                                                    {TestoMessaggio("0167", {IndirizzoServer()}), Icona::Esclamazione}};
    ASSERT_EQ(ui.messaggi.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(ui.messaggi[i].testo, attesi[i].first);
        EXPECT_EQ(ui.messaggi[i].icona, attesi[i].second);
    }
}

}  // namespace
}  // namespace novanta
