#include "ui/frmOttimizza.h"
#include "ambiente.h"

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

        // One second, then No: the system stays.
        a.daMenu("menuOttimizza", [&](QDialog& f) {
            in<QSpinBox>(f, "txtSecondi")->setValue(1);
            a.faccia.risposte = {Risposta::No};
            clic(f, "cmdAvvia");
            const int migliore = testo(f, "lblNumMigliori").toInt();
            QVERIFY(migliore > 0 && migliore < prima);
            QCOMPARE(mSistema.nColonne, prima);
        });
        // A long budget stopped after a few yields: the best so far, replacing the system on Yes.
        a.daMenu("menuOttimizza", [&](QDialog& f) {
            auto* avvia = in<QPushButton>(f, "cmdAvvia");
            auto* stop = in<QPushButton>(f, "cmdStop");
            in<QSpinBox>(f, "txtSecondi")->setValue(600);
            int giri = 0;
            bool pulsantiInCorsa = true;
            a.faccia.allYield = [&](int64_t) {
                pulsantiInCorsa = pulsantiInCorsa && stop->isEnabled() && !avvia->isEnabled();
                if (++giri == 3) QTest::mouseClick(stop, Qt::LeftButton);
            };
            a.faccia.risposte = {Risposta::Si};
            QTest::mouseClick(avvia, Qt::LeftButton);
            a.faccia.allYield = nullptr;
            QVERIFY(pulsantiInCorsa && !stop->isEnabled() && avvia->isEnabled());
        });
        QCOMPARE(a.faccia.modali.size(), size_t{2});
        QVERIFY(mSistema.nColonne < prima);
        QCOMPARE(a.testo("StBar(4)"),
                 QStringLiteral("Sistema ottimizzato N-1 (da %1 a %2 colonne)").arg(prima).arg(mSistema.nColonne));
        QCOMPARE(a.testo("StBar(2)").toInt(), mSistema.nColonne);
    }
};

NOVANTA_PROVA(frmOttimizza_test);
#include "frmOttimizza_test.moc"
