#include <QCoreApplication>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "ambiente.h"
#include "prove.h"
#include "ui/avvio.h"
#include "ui/frmAbout.h"
#include "ui/frmNewVersion.h"
#include "ui/frmSplash.h"
#include "versione.h"

using namespace novanta;
using namespace novanta::test;

// One copy of the program as far as the single-instance check: "novanta_gui_tests --istanza DIR"
// prints "prima" and collects hand-overs until `attese` arrived (or 8 s passed), or prints
// "seconda" after handing over.
int ProvaIstanza(const char* cartella, int attese) {
    ui::IstanzaUnica istanza{std::filesystem::path(cartella)};
    if (!istanza.Prima()) {
        std::printf("seconda\n");
        return 0;
    }
    std::printf("prima\n");
    std::fflush(stdout);
    int consegne = 0;
    istanza.allaConsegna = [&] {
        if (++consegne >= attese) QCoreApplication::quit();
    };
    QTimer::singleShot(8000, [] { QCoreApplication::quit(); });
    if (consegne < attese) QCoreApplication::exec();
    std::printf("consegne %d\n", consegne);
    return 0;
}

class avvio_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void unaSolaCopiaTraOttoAvviatiInsieme() {
        for (int giro = 0; giro < 3; ++giro) {
            CartellaTemporanea c;
            std::vector<std::unique_ptr<QProcess>> copie;
            for (int i = 0; i < 8; ++i) {
                auto p = std::make_unique<QProcess>();
                p->setProcessChannelMode(QProcess::SeparateChannels);
                p->start(QCoreApplication::applicationFilePath(),
                         {QStringLiteral("--istanza"), QString::fromStdString(c.percorso().string()), QStringLiteral("7")});
                copie.push_back(std::move(p));
            }
            int prime = 0, seconde = 0, consegne = -1;
            for (auto& p : copie) {
                QVERIFY(p->state() == QProcess::NotRunning || p->waitForFinished(15000));
                const QString uscita = QString::fromLocal8Bit(p->readAllStandardOutput());
                if (uscita.startsWith(QStringLiteral("prima"))) {
                    ++prime;
                    consegne = uscita.section(QStringLiteral("consegne "), 1).trimmed().toInt();
                } else if (uscita.startsWith(QStringLiteral("seconda"))) {
                    ++seconde;
                }
            }
            QCOMPARE(prime, 1);
            QCOMPARE(seconde, 7);
            QCOMPARE(consegne, 7);
        }
    }

    void laCopiaSuccessivaPortaAvantiLaPrima() {
        CartellaTemporanea c;
        ui::IstanzaUnica prima(c.percorso());
        QVERIFY(prima.Prima());
        int consegne = 0;
        prima.allaConsegna = [&] { ++consegne; };
        QProcess seconda;
        seconda.start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--istanza"), QString::fromStdString(c.percorso().string()), QStringLiteral("1")});
        QTRY_COMPARE_WITH_TIMEOUT(consegne, 1, 10000);
        QVERIFY(seconda.state() == QProcess::NotRunning || seconda.waitForFinished(10000));
        QCOMPARE(QString::fromLocal8Bit(seconda.readAllStandardOutput()).trimmed(), QStringLiteral("seconda"));
    }

    void nuovaVersioneMostraLAvviso() {
        Ambiente a;
        QString locale, remota;
        a.faccia.allaFinestra = [&](QDialog& d) {
            locale = d.findChild<QLabel*>(QStringLiteral("lbLocalVersion"))->text();
            remota = d.findChild<QLabel*>(QStringLiteral("lbRemoteVersion"))->text();
            // The address label opens the maker's page and closes the notice.
            auto* indirizzo = d.findChild<QLabel*>(QStringLiteral("lbURL"));
            QTest::mouseClick(indirizzo, Qt::LeftButton);
            return d.result();
        };
        a.faccia.NuovaVersione("2.0.15", "2.1.0");
        QCOMPARE(a.faccia.modali.back(), QStringLiteral("frmNewVersion"));
        QCOMPARE(locale, QStringLiteral("2.0.15"));
        QCOMPARE(remota, QStringLiteral("2.1.0"));
        QCOMPARE(a.faccia.indirizzi.size(), size_t{1});
        QCOMPARE(a.faccia.indirizzi[0], std::string(ui::INDIRIZZO_SITO));
        // Every window goes with the notice: the program ends after it.
        QVERIFY(!a.principale->isVisible());
    }

    void informazioniEPresentazioneMostranoLaVersione() {
        Ambiente a;
        const QString attesa = QStringLiteral("Version %1").arg(QStringLiteral(NOVANTA_VERSIONE));
        ui::frmSplash splash;
        QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("lblVersione"))->text(), attesa);
        ui::frmAbout info;
        QCOMPARE(info.findChild<QLabel*>(QStringLiteral("lblVersione"))->text(), attesa);
        QTest::mouseClick(info.findChild<QLabel*>(QStringLiteral("lbURL")), Qt::LeftButton);
        QCOMPARE(a.faccia.indirizzi.size(), size_t{1});
        // The about box keeps its design texts whatever the language says.
        a.cartella.scrivi("prova.lng", "[frmAbout]\r\nfrmAbout.Caption=Altro\r\n");
        ui::frmAbout ancora;
        QVERIFY(ancora.windowTitle() != QStringLiteral("Altro"));
    }
};

NOVANTA_PROVA(avvio_test, "avvio_test");
#include "avvio_test.moc"
