#include <QKeyEvent>
#include <QTest>

#include "ambiente.h"
#include "prove.h"
#include "ui/frmVisualizza.h"

using namespace novanta;
using namespace novanta::test;

namespace {

// A system of n columns of length 5: column c holds c, c+1, ..., c+4 (numbers stay in 1..90).
void sistema(int n) {
    mLenCol = 5;
    for (int c = 1; c <= n; ++c)
        for (int p = 1; p <= 5; ++p) mArrColonne(c, p) = static_cast<uint8_t>((c - 1) % 86 + p);
    mSistema.nColonne = n;
}

QString riga(const ui::frmVisualizza& v, int r) {
    return v.findChild<QLabel*>(QStringLiteral("labVisualizza(%1)").arg(r))->text();
}

QString pannello(const ui::frmVisualizza& v) { return v.findChild<QLabel*>(QStringLiteral("labNscheda"))->text(); }

}  // namespace

class frmVisualizza_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { StatoIniziale(); }
    void cleanup() { StatoIniziale(); }

    void venticinqueColonneSonoTrePannelli() {
        CartellaTemporanea c;
        sistema(25);
        ui::frmVisualizza v;
        QCOMPARE(v.numPannelli(), 3);
        QCOMPARE(pannello(v), QStringLiteral("1"));
        QCOMPARE(riga(v, 0), QStringLiteral("  01-02-03-04-05"));
        QCOMPARE(riga(v, 9), QStringLiteral("  10-11-12-13-14"));
        QTest::mouseClick(v.findChild<QPushButton*>(QStringLiteral("cmdTOP")), Qt::LeftButton);
        QCOMPARE(pannello(v), QStringLiteral("3"));
        QCOMPARE(riga(v, 0), QStringLiteral("  21-22-23-24-25"));
        QCOMPARE(riga(v, 4), QStringLiteral("  25-26-27-28-29"));
        for (int r = 5; r < 10; ++r) QCOMPARE(riga(v, r), QStringLiteral("  "));
    }

    void iPulsantiSiFermanoAiBordi() {
        CartellaTemporanea c;
        sistema(25);
        ui::frmVisualizza v;
        auto* avanti10 = v.findChild<QPushButton*>(QStringLiteral("cmdNext2"));
        auto* indietro10 = v.findChild<QPushButton*>(QStringLiteral("cmdPrev2"));
        QTest::mouseClick(avanti10, Qt::LeftButton);
        QCOMPARE(v.pannelloCorrente(), 3);
        QTest::mouseClick(v.findChild<QPushButton*>(QStringLiteral("cmdNext1")), Qt::LeftButton);
        QCOMPARE(v.pannelloCorrente(), 3);
        QTest::mouseClick(indietro10, Qt::LeftButton);
        QCOMPARE(v.pannelloCorrente(), 1);
        QTest::mouseClick(v.findChild<QPushButton*>(QStringLiteral("cmdPrev1")), Qt::LeftButton);
        QCOMPARE(v.pannelloCorrente(), 1);
        QCOMPARE(pannello(v), QStringLiteral("1"));
        QTest::mouseClick(v.findChild<QPushButton*>(QStringLiteral("cmdNext1")), Qt::LeftButton);
        QTest::mouseClick(v.findChild<QPushButton*>(QStringLiteral("cmdBOTTOM")), Qt::LeftButton);
        QCOMPARE(v.pannelloCorrente(), 1);
    }

    void unTastoSuUnPulsanteLoRipete() {
        CartellaTemporanea c;
        sistema(300);  // 30 panels
        ui::frmVisualizza v;
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        auto* avanti = v.findChild<QPushButton*>(QStringLiteral("cmdNext1"));
        avanti->setFocus();
        for (int i = 0; i < 4; ++i) QTest::keyPress(avanti, Qt::Key_Down, {}, -1);
        QCOMPARE(v.pannelloCorrente(), 5);
        auto* avanti10 = v.findChild<QPushButton*>(QStringLiteral("cmdNext2"));
        avanti10->setFocus();
        QTest::keyPress(avanti10, Qt::Key_A);
        QCOMPARE(v.pannelloCorrente(), 15);
        // Keys on the other buttons do nothing of the kind.
        auto* ultimo = v.findChild<QPushButton*>(QStringLiteral("cmdTOP"));
        ultimo->setFocus();
        QTest::keyPress(ultimo, Qt::Key_Down);
        QCOMPARE(v.pannelloCorrente(), 15);
    }

    void laRigaDiUnaColonna() {
        CartellaTemporanea c;
        mLenCol = 5;
        const uint8_t col[5] = {3, 7, 12, 45, 88};
        for (int p = 1; p <= 5; ++p) mArrColonne(1, p) = col[p - 1];
        mSistema.nColonne = 1;
        ui::frmVisualizza v;
        QCOMPARE(riga(v, 0), QStringLiteral("  03-07-12-45-88"));
        QCOMPARE(riga(v, 1), QStringLiteral("  "));
        QCOMPARE(v.numPannelli(), 1);
    }

    void ilTitoloDallaLingua() {
        CartellaTemporanea c;
        c.scrivi("prova.lng", "[frmVisualizza]\r\nfrmVisualizza.Caption=Vista\r\ncmdTOP.Caption=Fine\r\nlabVisualizza(2).ToolTipText=terza\r\n");
        mLinguaCorrente = "prova";
        sistema(3);
        ui::frmVisualizza v;
        QCOMPARE(v.windowTitle(), QStringLiteral("Vista"));
        QCOMPARE(v.findChild<QPushButton*>(QStringLiteral("cmdTOP"))->text(), QStringLiteral("Fine"));
        QCOMPARE(v.findChild<QLabel*>(QStringLiteral("labVisualizza(2)"))->toolTip(), QStringLiteral("terza"));
        QCOMPARE(v.findChild<QLabel*>(QStringLiteral("labVisualizza(3)"))->toolTip(), QString());
    }
};

NOVANTA_PROVA(frmVisualizza_test, "frmVisualizza_test");
#include "frmVisualizza_test.moc"
