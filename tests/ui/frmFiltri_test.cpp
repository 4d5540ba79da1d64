#include "ui/frmFiltri.h"
#include "ambiente.h"

class frmFiltri_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The window draws the panel and passes the user on (the panel's rules are the core's): each
    // step button, the edits and counters, a key held on a step button, Esc storing and compacting.
    void passiEdCompattazione() {
        Ambiente a;
        a.prepara(5, 1, 20);
        ui::frmFiltri w(0, a.principale.get());
        mostra(w);
        QCOMPARE(w.windowTitle(), QStringLiteral(" Colonne Filtro - AND"));
        // 30 is outside the prediction: it cannot be chosen.
        usa(w,
            "+lbPresenze(5) -lbPresenze(6) labGriglia(0) labGriglia(1) labGriglia(29) lbPresenze(1) optCond(0) "
            "lblNumSelezionati:2 lblTotFiltriON:01 lblTotFiltriOFF:149,999 cmdNext2 lblnFiltro:101 cmdNext1 "
            "lblnFiltro:102 labGriglia(5) optCond(0) lblTotFiltriON:02 cmdCancella lblTotFiltriON:01 "
            "lblNumSelezionati:0 cmdPrev2 lblnFiltro:02 cmdPrev1 lblnFiltro:01 lblNumSelezionati:2 cmdTOP "
            "lblnFiltro:150,000 cmdBOTTOM lblnFiltro:01");
        // A key held on a step button steps each time; a modifier alone does not.
        for (Qt::Key k : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Shift})
            QTest::keyPress(in(w, "cmdNext1"), k);
        usa(w, "lblnFiltro:04 labGriglia(2) lbPresenze(0) optCond(0)");
        QTest::keyClick(&w, Qt::Key_Escape);  // the same closing as the close box
        QVERIFY(!w.isVisible());
        QCOMPARE(mNumFiltriAND, 2);
        QVERIFY(campi(mFiltriAND[1]) == campi(filtro({1, 2}, 2, true)));
        QVERIFY(campi(mFiltriAND[2]) == campi(filtro({3}, 1, true)));
    }

    // Imports through the window: a bad file, No to the question (list and panel stay as they were
    // both times), a good file; then the whole list cleared on Yes.
    void importaECancellaTutto() {
        Ambiente a;
        a.prepara(5, 1, 20);
        mFiltriAND[1] = filtro({1, 2, 3}, 2, true);
        mNumFiltriAND = 1;
        ui::frmFiltri w(0, a.principale.get());
        mostra(w);
        usa(w, "labGriglia(4)");  // number 5: an edit a refused import must keep
        for (auto [file, risposta, letto] : {std::tuple{"1 2 3\r\nx y\r\n", Risposta::Si, false},
                                             {"4 5\r\n", Risposta::No, false},
                                             {"1 2 3\r\n\r\n10-20-30\r\n", Risposta::Si, true}}) {
            a.cartella.scrivi("f.txt", file);
            a.faccia.fileScelti = {(a.cartella / "f.txt").string()};
            a.faccia.risposte = {risposta};
            a.conFinestre([&] { clic(w, "cmdLoadFiltri"); },
                          [&](QDialog& d) {
                              usa(d, "lbPresenze(1) cmdImportaFiltri cmdProcess");
                              QCOMPARE(d.isVisible(), !letto);
                              if (letto) QCOMPARE(testo(d, "lblFiltriLetti").section(' ', -1), QStringLiteral("2"));
                          });
            QCOMPARE(mNumFiltriAND, letto ? 2 : 1);
            QVERIFY(campi(mFiltriAND[1]) == campi(filtro({1, 2, 3}, 2, true)));
            QCOMPARE(w.pannello().numero(5), !letto);
            if (!letto && risposta == Risposta::Si)
                QVERIFY(a.faccia.messaggi.back().testo.find("loadFileToFilters") != std::string::npos);
        }
        QVERIFY(campi(mFiltriAND[2]) == campi(filtro({10, 20, 30}, 2, true)));
        QVERIFY(w.pannello().numero(1));
        usa(w, "lblTotFiltriON:02 cmdCancellaTutto lblTotFiltriON:00");
        QCOMPARE(a.faccia.messaggi.back().testo, std::string("I filtri saranno cancellati.\r\nContinuare?"));
        QVERIFY(!mFiltriAND[1].attivo && !mFiltriAND[2].attivo);
    }
};

NOVANTA_PROVA(frmFiltri_test);
#include "frmFiltri_test.moc"
