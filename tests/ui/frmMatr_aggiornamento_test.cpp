#include "ambiente.h"
#include "net/aggiornamenti.h"
#include "server_aggiornamenti.h"
#include "server_prova.h"
#include "ui/frmMatr.h"

// The update button against servers on 127.0.0.1.
class frmMatr_aggiornamento_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { mServerAggiornamentiForzato.clear(); }

    // The reference server's matrices arrive and the list shows them with the ones already there.
    void dalServerDiRiferimento() {
        Ambiente a;
        ServerProva srv;
        const auto contenuti = server::ContenutiPredefiniti();
        server::ConfiguraServer(srv.server, contenuti);
        QVERIFY(srv.avvia());
        mServerAggiornamentiForzato = srv.base();
        std::filesystem::create_directories(mPathDati / "matrici");
        a.cartella.scrivi("matrici/mia.mzel",
                          LeggiFile(std::filesystem::path(NOVANTA_DATA_SOURCE_DIR) / "matrici" / "v10k5t4.mzel"));
        const auto serviti = server::ElencoMatrici(contenuti);
        a.daMenu("mnuElencoSistemiImmediati", [&](QDialog& d) {
            auto* l = in<QListWidget>(d, "flZEL");
            QCOMPARE(l->count(), 1);
            clic(d, "cmdUpdateMatrix");
            QCOMPARE(l->count(), int(serviti.size()) + 1);
        });
        QCOMPARE(std::distance(std::filesystem::directory_iterator(mPathDati / "matrici"), {}),
                 std::ptrdiff_t(serviti.size() + 1));
        QCOMPARE(a.faccia.messaggi.size(), size_t(1));
        QCOMPARE(a.faccia.messaggi[0].icona, Icona::Informazione);
    }

    // A server that stalls in the middle of a file: the window keeps drawing and shows the file,
    // the cancel stops the update, and no half file is left anywhere.
    void serverBloccatoAnnullato() {
        Ambiente a;
        ServerProva srv;
        srv.server.Get("/public/lumora/lista.asp", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("lenta.dat\r\n", "text/plain");
        });
        srv.server.Get("/public/lumora/matrici/download.aspx", [&srv](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("application/octet-stream", [&srv](size_t, httplib::DataSink& sink) {
                sink.write(std::string(100, 'x').data(), 100);
                srv.attendi(30);
                return false;
            });
        });
        QVERIFY(srv.avvia());
        mServerAggiornamentiForzato = srv.base();
        int giri = 0;
        a.daMenu("mnuElencoSistemiImmediati", [&](QDialog& d) {
            auto& m = static_cast<ui::frmMatr&>(d);
            QTimer battito;
            QObject::connect(&battito, &QTimer::timeout, [&] {
                if (++giri != 8) return;
                const QString durante = testo(d, "lbElaborazione");
                const bool occupata = m.aggiornando() && !in<QListWidget>(d, "flZEL")->isEnabled();
                clic(d, "cmdAnnullaAggiornamento");
                QVERIFY2(durante.endsWith(QStringLiteral("LENTA.DAT")), qPrintable(durante));
                QVERIFY(occupata);
            });
            battito.start(50);
            m.cmdUpdateMatrix_Click();
        });
        QVERIFY(giri >= 8);
        QCOMPARE(a.faccia.messaggi.size(), size_t(1));
        QCOMPARE(a.faccia.messaggi[0].icona, Icona::Informazione);
        QVERIFY(std::filesystem::is_empty(mPathDati / "matrici"));
        for (const auto& f : std::filesystem::directory_iterator(mPathDati / "temp"))
            QVERIFY2(f.path().filename().string().find("LENTA") == std::string::npos, f.path().c_str());
    }
};

NOVANTA_PROVA(frmMatr_aggiornamento_test);
#include "frmMatr_aggiornamento_test.moc"
