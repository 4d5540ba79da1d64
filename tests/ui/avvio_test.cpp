#include <cstdio>

#include "ambiente.h"
#include "ui/avvio.h"
#include "ui/frmAbout.h"

// One copy of the program as far as the single-instance check: "novanta_gui_tests --istanza DIR N"
// prints "prima" and collects hand-overs until N arrived (or 8 s passed), or prints "seconda"
// after handing over.
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
    // Eight copies started together, three times over: one keeps running and hears from the seven others.
    void unaSolaCopiaTraOttoAvviatiInsieme() {
        for (int giro = 0; giro < 3; ++giro) {
            CartellaTemporanea c;
            std::vector<std::unique_ptr<QProcess>> copie;
            for (int i = 0; i < 8; ++i) {
                copie.push_back(std::make_unique<QProcess>());
                copie.back()->start(
                    QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--istanza"), QString::fromStdString(c.percorso().string()), QStringLiteral("7")});
            }
            QStringList uscite;
            for (auto& p : copie) {
                QVERIFY(p->state() == QProcess::NotRunning || p->waitForFinished(15000));
                uscite << QString::fromLocal8Bit(p->readAllStandardOutput()).simplified();
            }
            uscite.sort();
            QCOMPARE(uscite, QStringList({"prima consegne 7"}) + QStringList(7, QStringLiteral("seconda")));
        }
    }

    // The notice shows both versions; Enter carries on with this version, the other button
    // opens the maker's page; the program goes on either way.
    void nuovaVersioneLasciaContinuare() {
        Ambiente a;
        a.conFinestre([&] { a.faccia.NuovaVersione("2.0.15", "2.1.0"); },
                      [](QDialog& d) {
                          QCOMPARE(testo(d, "lbLocalVersion") + testo(d, "lbRemoteVersion"),
                                   QStringLiteral("2.0.152.1.0"));
                          QVERIFY(in<QPushButton>(d, "cmdContinua")->isDefault());
                          clic(d, "cmdScarica");
                      });
        QCOMPARE(a.faccia.modali.back(), QStringLiteral("frmNewVersion"));
        QCOMPARE(a.faccia.indirizzi, std::vector<std::string>{ui::INDIRIZZO_SITO});
        QVERIFY(a.principale->isVisible());
    }
};

NOVANTA_PROVA(avvio_test);
#include "avvio_test.moc"
