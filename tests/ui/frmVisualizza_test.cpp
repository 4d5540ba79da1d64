#include <QTest>
#include <QWheelEvent>

#include "ambiente.h"
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

}  // namespace

class frmVisualizza_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { StatoIniziale(); }
    void cleanup() { StatoIniziale(); }

    void venticinqueColonneSonoTrePannelliEIPulsantiSiFermanoAiBordi() {
        CartellaTemporanea c;
        sistema(25);
        ui::frmVisualizza v;
        auto riga = [&](int r) { return v.findChild<QLabel*>(QStringLiteral("labVisualizza(%1)").arg(r))->text(); };
        auto premi = [&](const char* nome, int atteso) {
            QTest::mouseClick(v.findChild<QPushButton*>(QString::fromLatin1(nome)), Qt::LeftButton);
            QVERIFY2(v.pannelloCorrente() == atteso, nome);
        };
        QCOMPARE(v.numPannelli(), 3);
        const QString di = QString::fromStdString(TestoMessaggio("0170"));
        QVERIFY(!di.isEmpty());
        QCOMPARE(v.findChild<QLabel*>(QStringLiteral("labNscheda"))->text(), QStringLiteral("1 ") + di + QStringLiteral(" 3"));
        QCOMPARE(riga(0), QStringLiteral("  01-02-03-04-05"));
        QCOMPARE(riga(9), QStringLiteral("  10-11-12-13-14"));
        premi("cmdTOP", 3);
        QCOMPARE(v.findChild<QLabel*>(QStringLiteral("labNscheda"))->text(), QStringLiteral("3 ") + di + QStringLiteral(" 3"));
        QCOMPARE(riga(0), QStringLiteral("  21-22-23-24-25"));
        QCOMPARE(riga(4), QStringLiteral("  25-26-27-28-29"));
        for (int r = 5; r < 10; ++r) QCOMPARE(riga(r), QStringLiteral("  "));
        // Steps of one or ten stop at the first and last panel.
        for (auto [nome, atteso] : {std::pair{"cmdBOTTOM", 1}, {"cmdNext2", 3}, {"cmdNext1", 3}, {"cmdPrev2", 1},
                                    {"cmdPrev1", 1}, {"cmdNext1", 2}, {"cmdBOTTOM", 1}})
            premi(nome, atteso);
    }

    void unTastoSuUnPulsanteLoRipete() {
        CartellaTemporanea c;
        sistema(300);  // 30 panels
        ui::frmVisualizza v;
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        auto tasto = [&](const char* nome, Qt::Key k, int volte) {
            auto* p = v.findChild<QPushButton*>(QString::fromLatin1(nome));
            p->setFocus();
            for (int i = 0; i < volte; ++i) QTest::keyPress(p, k);
        };
        tasto("cmdNext1", Qt::Key_Down, 4);
        QCOMPARE(v.pannelloCorrente(), 5);
        tasto("cmdNext2", Qt::Key_A, 1);
        QCOMPARE(v.pannelloCorrente(), 15);
        tasto("cmdTOP", Qt::Key_Down, 1);  // keys on the other buttons do nothing of the kind
        QCOMPARE(v.pannelloCorrente(), 15);
        // Page keys, Home, End and the wheel move wherever the focus is.
        for (auto [k, atteso] : {std::pair{Qt::Key_PageDown, 16}, {Qt::Key_End, 30}, {Qt::Key_PageUp, 29}, {Qt::Key_Home, 1}}) {
            tasto("cmdNext2", k, 1);
            QCOMPARE(v.pannelloCorrente(), atteso);
        }
        QWheelEvent giu(QPointF(20, 20), v.mapToGlobal(QPointF(20, 20)), {}, QPoint(0, -240), Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&v, &giu);
        QCOMPARE(v.pannelloCorrente(), 3);
    }
};

NOVANTA_PROVA(frmVisualizza_test);
#include "frmVisualizza_test.moc"
