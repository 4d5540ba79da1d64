#include <gtest/gtest.h>

#include <fstream>
#include <thread>

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
        auto& s = srv.server;
        s.Get("/file", [](const auto&, auto& res) { res.set_content("contenuto nuovo\r\n", "text/plain"); });
        s.Get("/grande",
              [](const auto&, auto& res) { res.set_content(std::string(64 * 1024, 'g'), "application/octet-stream"); });
        s.Get("/errore", [](const auto&, auto& res) { res.status = 500; });
        s.Get("/r1", [](const auto&, auto& res) { res.set_redirect("/r2"); });
        s.Get("/r2", [](const auto&, auto& res) { res.set_redirect("/file"); });
        s.Get("/giro", [](const auto&, auto& res) { res.set_redirect("/giro"); });
        s.Get("/fuori", [](const auto&, auto& res) { res.set_redirect("file:///etc/passwd"); });
        s.Get("/fermo", [this](const auto&, auto& res) {
            srv.attendi(5);
            res.set_content("tardi", "text/plain");
        });
        s.Get("/troncato", [](const auto&, auto& res) {
            res.set_content_provider(1000, "text/plain", [](size_t, size_t, httplib::DataSink& sink) {
                const std::string meta(500, 't');
                sink.write(meta.data(), meta.size());
                return false;  // the connection drops half-way
            });
        });
        // 100,000 bytes of the letter in the path, in slow pieces, so two downloads overlap.
        s.Get(R"(/lento/(\w))", [](const auto& req, auto& res) {
            const char lettera = req.matches[1].str()[0];
            res.set_content_provider(100000, "text/plain", [lettera](size_t offset, size_t, httplib::DataSink& sink) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                const std::string pezzo(std::min<size_t>(5000, 100000 - offset), lettera);
                return sink.write(pezzo.data(), pezzo.size());
            });
        });
        s.Get("/cache", [this](const auto& req, auto& res) {
            cacheVista = req.get_header_value("Cache-Control");
            res.set_content("x", "text/plain");
        });
        ASSERT_TRUE(srv.avvia());
    }

    test::CartellaTemporanea cartella;
    test::InterfacciaRegistrata ui;
    test::ServerProva srv;
    std::string cacheVista;
};

// Every way a download can end: a whole body (redirects followed, exactly the size cap passes)
// replaces the file; every failure leaves the old file whole and no .part beside it, and is the
// caller's to report, so no message box either.
TEST_F(DownloadTest, AFileIsReplacedWholeOrNotAtAll) {
    struct Caso {
        std::string url;
        OpzioniDownload opzioni;
        std::string corpo;   // the file afterwards; empty: the download fails
        long statoHttp;      // -1: not checked
        std::string errore;  // a piece of the error text
    };
    const Caso casi[] = {
        {srv.url("/file"), {}, "contenuto nuovo\r\n", 200, ""},
        {srv.url("/r1"), {}, "contenuto nuovo\r\n", 200, ""},
        {srv.url("/grande"), {.maxByte = 64 * 1024}, std::string(64 * 1024, 'g'), 200, ""},
        {srv.url("/manca"), {}, "", 404, ""},
        {srv.url("/errore"), {}, "", 500, ""},
        {"http://127.0.0.1:" + std::to_string(test::PortaChiusa()) + "/file", {}, "", -1, ""},
        {srv.url("/fermo"), {.secondiTotali = 1}, "", -1, "imed out"},
        {srv.url("/fermo"), {.secondiStallo = 1}, "", -1, "too slow"},  // no byte for a second: abandoned
        {srv.url("/troncato"), {}, "", -1, ""},
        {srv.url("/grande"), {.maxByte = 1024}, "", -1, "larger than 1024"},
        {srv.url("/r1"), {.maxRedirect = 1}, "", -1, ""},
        {srv.url("/giro"), {}, "", -1, ""},
        {srv.url("/fuori"), {}, "", -1, ""},
        {"file:///etc/hostname", {}, "", -1, ""},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.url);
        cartella.scrivi("vecchio.txt", "contenuto vecchio");
        const auto e = ScaricaFile(c.url, cartella / "vecchio.txt", true, c.opzioni);
        EXPECT_EQ(e.ok, !c.corpo.empty());
        EXPECT_EQ(e.errore.empty(), e.ok);
        if (c.statoHttp >= 0) {
            EXPECT_EQ(e.statoHttp, c.statoHttp);
        }
        EXPECT_NE(e.errore.find(c.errore), std::string::npos) << e.errore;
        EXPECT_EQ(leggi(cartella / "vecchio.txt"), e.ok ? c.corpo : "contenuto vecchio");
        for (const auto& f : std::filesystem::directory_iterator(cartella.percorso()))
            EXPECT_EQ(f.path().extension(), f.is_directory() ? "" : ".txt") << f.path();
    }
    // Every cache on the way is asked for a fresh copy.
    EXPECT_TRUE(DownloadFile(srv.url("/cache"), cartella / "c.txt", true));
    EXPECT_EQ(cacheVista, "no-cache");
    EXPECT_TRUE(ui.messaggi.empty());
}

// Two downloads to one target at once: each has its own temporary file, both succeed, and the
// target is one whole body, never a splice of the two.
TEST_F(DownloadTest, TwoDownloadsToOneTargetNeverMix) {
    EsitoDownload a, b;
    std::thread t([&] { a = ScaricaFile(srv.url("/lento/a"), cartella / "x.txt", true); });
    b = ScaricaFile(srv.url("/lento/b"), cartella / "x.txt", true);
    t.join();
    EXPECT_TRUE(a.ok) << a.errore;
    EXPECT_TRUE(b.ok) << b.errore;
    const std::string x = leggi(cartella / "x.txt");
    ASSERT_EQ(x.size(), 100000u);
    EXPECT_TRUE(x == std::string(100000, 'a') || x == std::string(100000, 'b'));
}

// A full disk and a read-only folder fail with an error and keep the old file.
TEST_F(DownloadTest, AnUnwritableFolderFailsCleanly) {
    for (const bool pieno : {true, false}) {
        SCOPED_TRACE(pieno ? "full" : "read-only");
        test::DiscoPiccolo disco(cartella / (pieno ? "piccolo" : "ro"), "32k");
        RICHIEDI_DISCO_PICCOLO(disco);
        const auto file = disco.percorso() / "vecchio.txt";
        { std::ofstream(file, std::ios::binary) << "contenuto vecchio"; }
        if (!pieno) {
            ASSERT_TRUE(disco.SolaLettura());
        }
        const auto e = ScaricaFile(srv.url(pieno ? "/grande" : "/file"), file, true);
        EXPECT_FALSE(e.ok);
        EXPECT_NE(e.errore.find(pieno ? "No space" : "Read-only"), std::string::npos) << e.errore;
        EXPECT_EQ(leggi(file), "contenuto vecchio");
        for (const auto& f : std::filesystem::directory_iterator(disco.percorso()))
            EXPECT_EQ(f.path().filename(), "vecchio.txt");
    }
}

}  // namespace
}  // namespace novanta
