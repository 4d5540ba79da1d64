#include "ui/controlli_condizione.h"
#include "ambiente.h"

class controlli_condizione_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The toggle labels: drag painting, unselectable and read-only labels, keyboard.
    void etichetteTrascinateTastieraESolaLettura() {
        ui::EtichetteSelezione e(QStringLiteral("labPariDispari"), 0, ui::TestiNumerati(0, 25), 13, nullptr);
        mostra(e);
        std::vector<std::pair<int, bool>> segnali;
        connect(&e, &ui::EtichetteSelezione::cliccato, [&](int i, bool s) { segnali.emplace_back(i, s); });
        auto centro = [&](int i) { return e.etichetta(i)->geometry().center(); };
        e.Imposta(2, true);
        QVERIFY(segnali.empty());
        // Across 00..05 and back onto 05 after leaving it: each entry toggles once.
        QTest::mousePress(&e, Qt::LeftButton, {}, centro(0));
        for (int i = 1; i <= 5; ++i) QTest::mouseMove(&e, centro(i));
        QTest::mouseMove(&e, e.etichetta(5)->geometry().topRight() + QPoint(1, 0));
        QTest::mouseMove(&e, centro(5));
        QTest::mouseRelease(&e, Qt::LeftButton, {}, centro(5));
        QCOMPARE(segnali.size(), size_t(7));
        for (int i = 0; i <= 4; ++i) QCOMPARE(e.scelto(i), i != 2);
        QVERIFY(!e.scelto(5));
        QCOMPARE(e.etichetta(3)->property("Tag").toString(), QStringLiteral("1"));
        // Unselectable, refused and read-only labels ignore the user.
        e.setSelezionabile(7, false);
        e.consenti = [](int i, bool) { return i != 8; };
        for (int i : {7, 8}) QTest::mouseClick(&e, Qt::LeftButton, {}, centro(i));
        e.setSolaLettura(true);
        QTest::mouseClick(&e, Qt::LeftButton, {}, centro(9));
        QVERIFY(!e.scelto(7) && !e.scelto(8) && !e.scelto(9));
        e.setSolaLettura(false);
        // Keyboard: arrows skip hidden labels, Space toggles.
        e.setVisibile(1, false);
        e.setFocus();
        QTest::mouseClick(&e, Qt::LeftButton, {}, centro(0));  // current = 0, toggled off
        for (Qt::Key k : {Qt::Key_Right, Qt::Key_Space}) QTest::keyClick(&e, k);
        QVERIFY(!e.scelto(0) && e.scelto(2));
        for (Qt::Key k : {Qt::Key_Down, Qt::Key_Space}) QTest::keyClick(&e, k);
        QVERIFY(e.scelto(15));
    }

    void coppiaOnOff() {
        ui::CoppiaOnOff c(QStringLiteral("frameStatoCond"), QStringLiteral("optCondSomma"), nullptr);
        mostra(c);
        std::vector<int> clic, cambi;
        connect(&c, &ui::CoppiaOnOff::cliccato, [&](int i) { clic.push_back(i); });
        connect(&c, &ui::CoppiaOnOff::cambiato, [&](int i) { cambi.push_back(i); });
        auto* on = in<QPushButton>(c, "optCondSomma(0)");
        auto* off = in<QPushButton>(c, "optCondSomma(1)");
        for (int volta = 0; volta < 2; ++volta) QTest::mouseClick(on, Qt::LeftButton);
        QCOMPARE(c.scelto(), 0);
        off->setFocus();
        for (Qt::Key k : {Qt::Key_Space, Qt::Key_Left}) QTest::keyClick(off, k);
        QCOMPARE(c.scelto(), 0);
        QVERIFY(on->hasFocus());
        QCOMPARE(clic, (std::vector<int>{0, 0, 1, 0}));
        QCOMPARE(cambi, (std::vector<int>{0, 1, 0}));
        c.setSolaLettura(true);
        QTest::mouseClick(off, Qt::LeftButton);
        c.setSuPressione(true);
        c.setSolaLettura(false);
        QTest::mousePress(off, Qt::LeftButton);
        QCOMPARE(c.scelto(), 1);
        QTest::mouseRelease(off, Qt::LeftButton);
        QCOMPARE(clic.size(), size_t(5));
    }
};

NOVANTA_PROVA(controlli_condizione_test);
#include "controlli_condizione_test.moc"
