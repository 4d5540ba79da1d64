#include "ui/frmVisualizza.h"
#include "ambiente.h"

class frmVisualizza_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // 25 columns are three panels; on 300 columns the steps stop at the ends, a key held on a
    // step button repeats it, and the page keys, Home, End and the wheel move wherever the focus is.
    void pannelliPassiETasti() {
        Ambiente a(false);
        // A system of n columns of length 5: column c holds c, c+1, ..., c+4 (numbers stay in 1..90).
        auto sistema = [](int n) {
            mLenCol = 5;
            for (int c = 1; c <= n; ++c)
                for (int p = 1; p <= 5; ++p) mArrColonne(c, p) = static_cast<uint8_t>((c - 1) % 86 + p);
            mSistema.nColonne = n;
        };
        sistema(25);
        ui::frmVisualizza v;
        const QString di = QString::fromStdString(TestoMessaggio("0170"));
        QCOMPARE(testo(v, "labNscheda"), QStringLiteral("1 ") + di + QStringLiteral(" 3"));
        QCOMPARE(testo(v, "labVisualizza(9)"), QStringLiteral("  10-11-12-13-14"));
        clic(v, "cmdTOP");
        QCOMPARE(testo(v, "labNscheda"), QStringLiteral("3 ") + di + QStringLiteral(" 3"));
        QCOMPARE(testo(v, "labVisualizza(4)"), QStringLiteral("  25-26-27-28-29"));
        QCOMPARE(testo(v, "labVisualizza(5)"), QStringLiteral("  "));

        sistema(300);
        ui::frmVisualizza w;
        mostra(w);
        // Key_unknown stands for a click; the steps stop at both ends.
        for (auto [pulsante, tasto, volte, atteso] : {std::tuple{"cmdNext1", Qt::Key_Down, 4, 5},
                                                      {"cmdNext2", Qt::Key_A, 1, 15},
                                                      {"cmdNext2", Qt::Key_Shift, 1, 15},
                                                      {"cmdTOP", Qt::Key_Down, 1, 15},
                                                      {"cmdNext2", Qt::Key_PageDown, 1, 16},
                                                      {"cmdNext2", Qt::Key_End, 1, 30},
                                                      {"cmdNext2", Qt::Key_PageUp, 1, 29},
                                                      {"cmdNext2", Qt::Key_unknown, 1, 30},
                                                      {"cmdNext1", Qt::Key_unknown, 1, 30},
                                                      {"cmdNext2", Qt::Key_Home, 1, 1},
                                                      {"cmdPrev2", Qt::Key_unknown, 1, 1},
                                                      {"cmdPrev1", Qt::Key_unknown, 1, 1},
                                                      {"cmdTOP", Qt::Key_unknown, 1, 30},
                                                      {"cmdBOTTOM", Qt::Key_unknown, 1, 1},
                                                      {"cmdNext1", Qt::Key_unknown, 1, 2}}) {
            in(w, pulsante)->setFocus();
            if (tasto == Qt::Key_unknown) clic(w, pulsante);
            for (int i = 0; i < volte && tasto != Qt::Key_unknown; ++i) QTest::keyPress(in(w, pulsante), tasto);
            QVERIFY2(w.pannelloCorrente() == atteso, pulsante);
        }
        QWheelEvent giu(QPointF(20, 20), w.mapToGlobal(QPointF(20, 20)), {}, QPoint(0, -240), Qt::NoButton, {},
                        Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&w, &giu);
        QCOMPARE(w.pannelloCorrente(), 4);
    }
};

NOVANTA_PROVA(frmVisualizza_test);
#include "frmVisualizza_test.moc"
