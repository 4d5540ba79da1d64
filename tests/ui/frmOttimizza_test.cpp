#include <QAction>
#include <QSpinBox>
#include <QTest>

#include "ambiente.h"
#include "ui/frmOttimizza.h"

using namespace novanta;
using namespace novanta::test;

class frmOttimizza_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void soloUnSistemaRidottoEIlRisultatoSoloDopoConferma() {
        Ambiente a;
        a.prepara(5, 1, 11);
        a.calcola();
        auto* menu = a.trova<QAction>("menuOttimizza");
        QVERIFY(mSistema.nColonne == 462 && !menu->isEnabled());  // an integral system has no guarantee to keep
        QVERIFY(ModificaSistema());
        mCondizioni.ridottoAttivo = true;
        mCondizioni.ridottoNx = 1;
        a.calcola();
        const int32_t prima = mSistema.nColonne;
        QVERIFY(menu->isEnabled());

        int giro = 0;
        int miglioreMostrato = 0, dopoNo = 0;
        bool pulsantiInCorsa = true, pulsantiDopo = false;
        a.faccia.allaFinestra = [&](QDialog& f) -> int {
            auto* avvia = in<QPushButton>(f, "cmdAvvia");
            auto* stop = in<QPushButton>(f, "cmdStop");
            if (giro++ == 0) {
                // One second, then No: the system stays.
                in<QSpinBox>(f, "txtSecondi")->setValue(1);
                a.faccia.risposte = {Risposta::No};
                QTest::mouseClick(avvia, Qt::LeftButton);
                miglioreMostrato = testo(f, "lblNumMigliori").toInt();
                dopoNo = mSistema.nColonne;
            } else {
                // A long budget stopped after a few yields: the best so far, replacing the system on Yes.
                in<QSpinBox>(f, "txtSecondi")->setValue(600);
                int giri = 0;
                a.faccia.allYield = [&](int64_t) {
                    pulsantiInCorsa = pulsantiInCorsa && stop->isEnabled() && !avvia->isEnabled();
                    if (++giri == 3) QTest::mouseClick(stop, Qt::LeftButton);
                };
                a.faccia.risposte = {Risposta::Si};
                QTest::mouseClick(avvia, Qt::LeftButton);
                a.faccia.allYield = nullptr;
                pulsantiDopo = !stop->isEnabled() && avvia->isEnabled();
            }
            return QDialog::Accepted;
        };
        menu->trigger();
        menu->trigger();
        QCOMPARE(a.faccia.modali.size(), size_t{2});
        QVERIFY(miglioreMostrato > 0 && miglioreMostrato < prima);
        QCOMPARE(dopoNo, prima);
        QVERIFY(pulsantiInCorsa && pulsantiDopo);
        QVERIFY(mSistema.nColonne < prima);
        QCOMPARE(QString::fromStdString(mSistema.descrizione),
                 QStringLiteral("Sistema ottimizzato N-1 (da %1 a %2 colonne)").arg(prima).arg(mSistema.nColonne));
        QCOMPARE(a.testo("StBar(4)"), QString::fromStdString(mSistema.descrizione));
        QCOMPARE(a.testo("StBar(2)").toInt(), mSistema.nColonne);
    }
};

NOVANTA_PROVA(frmOttimizza_test);
#include "frmOttimizza_test.moc"
