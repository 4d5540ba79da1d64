#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "net/download.h"
#include "server_prova.h"
#include "settings/disco_piccolo.h"
#include "support/registratore.h"

namespace novanta {
namespace {

constexpr auto leggi = &test::LeggiFile;

class DownloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string corpo = "contenuto nuovo\r\n";
        srv.server.Get("/file", [corpo](const httplib::Request&, httplib::Response& res) { res.set_content(corpo, "text/plain"); });
        srv.server.Get("/grande", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string(64 * 1024, 'g'), "application/octet-stream");
        });
        srv.server.Get("/errore", [](const httplib::Request&, httplib::Response& res) {
            res.status = 500;
            res.set_content("boom", "text/plain");
        });
        srv.server.Get("/r1", [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/r2"); });
        srv.server.Get("/r2", [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/file"); });
        srv.server.Get("/giro", [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/giro"); });
        srv.server.Get("/fuori", [](const httplib::Request&, httplib::Response& res) { res.set_redirect("file:///etc/passwd"); });
        srv.server.Get("/fermo", [this](const httplib::Request&, httplib::Response& res) {
            srv.attendi(5);
            res.set_content("tardi", "text/plain");
        });
        srv.server.Get("/troncato", [](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(1000, "text/plain", [](size_t, size_t, httplib::DataSink& sink) {
                const std::string meta(500, 't');
                sink.write(meta.data(), meta.size());
                return false;  // the connection drops half-way
            });
        });
        srv.server.Get("/cache", [this](const httplib::Request& req, httplib::Response& res) {
            cacheVista = req.get_header_value("Cache-Control");
            res.set_content("x", "text/plain");
        });
        ASSERT_TRUE(srv.avvia());
        cartella.scrivi("vecchio.txt", "contenuto vecchio");
    }

    // The old file is still whole and no .part file was left beside it.
    void Intatto() {
        EXPECT_EQ(leggi(cartella / "vecchio.txt"), "contenuto vecchio");
        EXPECT_FALSE(std::filesystem::exists(cartella / "vecchio.txt.part"));
    }

    test::CartellaTemporanea cartella;
    test::InterfacciaRegistrata ui;
    test::ServerProva srv;
    std::string cacheVista;
};

TEST_F(DownloadTest, ASuccessfulDownloadReplacesTheFile) {
    EXPECT_TRUE(DownloadFile(srv.url("/file"), cartella / "vecchio.txt", true));
    EXPECT_EQ(leggi(cartella / "vecchio.txt"), "contenuto nuovo\r\n");
    EXPECT_FALSE(std::filesystem::exists(cartella / "vecchio.txt.part"));
    EXPECT_TRUE(DownloadFile(srv.url("/cache"), cartella / "c.txt", true));
    EXPECT_EQ(cacheVista, "no-cache");
    EXPECT_TRUE(ui.messaggi.empty());
}

TEST_F(DownloadTest, HttpErrorsAreFailures) {
    auto e = ScaricaFile(srv.url("/manca"), cartella / "vecchio.txt", true);
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.statoHttp, 404);
    Intatto();
    e = ScaricaFile(srv.url("/errore"), cartella / "vecchio.txt", true);
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.statoHttp, 500);
    Intatto();
    EXPECT_TRUE(ui.messaggi.empty());  // a failed download is the caller's to report
}

TEST_F(DownloadTest, ARefusedConnectionFails) {
    const int porta = test::PortaChiusa();
    ASSERT_GT(porta, 0);
    const auto e = ScaricaFile("http://127.0.0.1:" + std::to_string(porta) + "/file", cartella / "vecchio.txt", true);
    EXPECT_FALSE(e.ok);
    EXPECT_FALSE(e.errore.empty());
    Intatto();
}

TEST_F(DownloadTest, AStalledServerRunsIntoTheTimeOut) {
    OpzioniDownload opz;
    opz.secondiTotali = 1;
    const auto e = ScaricaFile(srv.url("/fermo"), cartella / "vecchio.txt", true, opz);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("imed out"), std::string::npos) << e.errore;
    Intatto();
}

TEST_F(DownloadTest, ATruncatedBodyIsNeverRenamedIntoPlace) {
    const auto e = ScaricaFile(srv.url("/troncato"), cartella / "vecchio.txt", true);
    EXPECT_FALSE(e.ok);
    Intatto();
}

TEST_F(DownloadTest, TheSizeCapStopsLargeBodies) {
    OpzioniDownload opz;
    opz.maxByte = 1024;
    const auto e = ScaricaFile(srv.url("/grande"), cartella / "vecchio.txt", true, opz);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("larger than 1024"), std::string::npos) << e.errore;
    Intatto();
    opz.maxByte = 64 * 1024;  // exactly the size passes
    EXPECT_TRUE(ScaricaFile(srv.url("/grande"), cartella / "g.bin", true, opz).ok);
    EXPECT_EQ(std::filesystem::file_size(cartella / "g.bin"), 64u * 1024u);
}

TEST_F(DownloadTest, RedirectsAreFollowedUpToTheLimitAndOnlyToHttp) {
    EXPECT_TRUE(DownloadFile(srv.url("/r1"), cartella / "r.txt", true));
    EXPECT_EQ(leggi(cartella / "r.txt"), "contenuto nuovo\r\n");
    OpzioniDownload uno;
    uno.maxRedirect = 1;
    EXPECT_FALSE(ScaricaFile(srv.url("/r1"), cartella / "vecchio.txt", true, uno).ok);
    Intatto();
    EXPECT_FALSE(ScaricaFile(srv.url("/giro"), cartella / "vecchio.txt", true).ok);
    Intatto();
    EXPECT_FALSE(ScaricaFile(srv.url("/fuori"), cartella / "vecchio.txt", true).ok);
    Intatto();
    EXPECT_FALSE(DownloadFile("file:///etc/hostname", cartella / "vecchio.txt", true));
    Intatto();
}

TEST_F(DownloadTest, AFullDiskFailsAndKeepsTheOldFile) {
    test::DiscoPiccolo disco(cartella / "piccolo", "32k");
    RICHIEDI_DISCO_PICCOLO(disco);
    const auto file = disco.percorso() / "vecchio.txt";
    { std::ofstream(file, std::ios::binary) << "contenuto vecchio"; }
    const auto e = ScaricaFile(srv.url("/grande"), file, true);
    EXPECT_FALSE(e.ok);
    EXPECT_FALSE(e.errore.empty());
    EXPECT_EQ(leggi(file), "contenuto vecchio");
    EXPECT_FALSE(std::filesystem::exists(disco.percorso() / "vecchio.txt.part"));
}

TEST_F(DownloadTest, AReadOnlyFolderFailsCleanly) {
    test::DiscoPiccolo disco(cartella / "ro");
    RICHIEDI_DISCO_PICCOLO(disco);
    ASSERT_TRUE(disco.SolaLettura());
    const auto e = ScaricaFile(srv.url("/file"), disco.percorso() / "x.txt", true);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("Read-only"), std::string::npos) << e.errore;
}

TEST_F(DownloadTest, TheTemporaryFolderLivesInTheDataFolder) {
    const auto t = CartellaTemp();
    EXPECT_EQ(t, cartella / "temp");
    EXPECT_TRUE(std::filesystem::is_directory(t));
}

}  // namespace
}  // namespace novanta
