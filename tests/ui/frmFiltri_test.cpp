#include "ui/frmFiltri.h"
#include "ambiente.h"

using namespace novanta;
using namespace novanta::test;

class frmFiltri_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Editing, steps clamped at both ends, key repeat and the compaction at the closing.
    void passiEdCompattazione() {
        Ambiente a;
        a.prepara(5, 1, 20);
        ui::frmFiltri w(0, a.principale.get());
        mostra(w);
        QCOMPARE(w.windowTitle(), QStringLiteral(" Colonne Filtro - AND"));
        // 30 is outside the prediction: it cannot be chosen. ON pressed twice counts once; an ON
        // panel cleared leaves the ON total.
        usa(w,
            "+lbPresenze(5) -lbPresenze(6) labGriglia(0) labGriglia(1) labGriglia(29) lbPresenze(1) optCond(0) "
            "optCond(0) lblNumSelezionati:2 lblTotFiltriON:01 lblTotFiltriOFF:149,999 cmdNext1 labGriglia(2) "
            "lbPresenze(0) cmdNext1 labGriglia(5) lbPresenze(3) optCond(0) cmdCancella lblTotFiltriON:01");
        QVERIFY(!w.pannello().numero(6) && !w.pannello().presenza(3));
        usa(w, "labGriglia(3) lbPresenze(2) optCond(0) lblnFiltro:03 lblTotFiltriON:02");

        struct Passo {
            const char* pulsante;
            int32_t prima, dopo;
        };
        for (const Passo& p : {Passo{"cmdTOP", 3, 150000},
                               {"cmdNext2", 149950, 150000},
                               {"cmdNext1", 150000, 150000},
                               {"cmdPrev2", 50, 1},
                               {"cmdPrev1", 1, 1},
                               {"cmdBOTTOM", 7, 1}}) {
            if (w.pannello().indiceFiltro() < p.prima) w.PannelloAvanti(p.prima - w.pannello().indiceFiltro());
            if (w.pannello().indiceFiltro() > p.prima) w.PannelloIndietro(w.pannello().indiceFiltro() - p.prima);
            clic(w, p.pulsante);
            QVERIFY2(w.pannello().indiceFiltro() == p.dopo, p.pulsante);
        }
        QCOMPARE(testo(w, "lblnFiltro"), QStringLiteral("01"));
        // Panel 1 came back as it was stored; a key held on a step button repeats it.
        QVERIFY(w.pannello().numero(1) && w.pannello().numero(2) && w.pannello().presenza(1));
        auto* avanti = in<QPushButton>(w, "cmdNext1");
        for (int i = 0; i < 3; ++i) QTest::keyPress(avanti, Qt::Key_Right);
        QTest::keyPress(avanti, Qt::Key_Shift);  // a modifier alone does not step
        QCOMPARE(w.pannello().indiceFiltro(), 4);

        QTest::keyClick(&w, Qt::Key_Escape);  // the same closing as the close box
        QVERIFY(!w.isVisible());
        QCOMPARE(mNumFiltriAND, 2);
        QVERIFY(campi(mFiltriAND[1]) == campi(filtro({1, 2}, 2, true)));
        QVERIFY(campi(mFiltriAND[2]) == campi(filtro({4}, 4, true)));
        QVERIFY(campi(mFiltriAND[3]) == campi(filtro({3}, 1, false)));
    }

    // Clear all answered No and Yes; imports through the window: a bad file, No to the question
    // (list and panel stay as they were both times), a good file.
    void cancellaTuttoEImporta() {
        Ambiente a;
        a.prepara(5, 1, 20);
        mFiltriAND[1] = filtro({1, 2, 3}, 2, true);
        mNumFiltriAND = 1;
        ui::frmFiltri w(0, a.principale.get());
        mostra(w);
        a.faccia.risposte = {Risposta::No};
        // Number 5 clicked after: an edit a refused import must keep.
        usa(w, "cmdCancellaTutto lblTotFiltriON:01 labGriglia(4)");
        QCOMPARE(a.faccia.messaggi.back().testo, std::string("I filtri saranno cancellati.\r\nContinuare?"));
        QVERIFY(w.pannello().numero(3));
        struct Caso {
            const char* file;
            Risposta risposta;
            bool letto;
        };
        for (const Caso& c : {Caso{"1 2 3\r\nx y\r\n", Risposta::Si, false},
                              {"4 5\r\n", Risposta::No, false},
                              {"1 2 3\r\n\r\n10-20-30\r\n", Risposta::Si, true}}) {
            a.cartella.scrivi("f.txt", c.file);
            a.faccia.fileScelti = {(a.cartella / "f.txt").string()};
            a.faccia.risposte = {c.risposta};
            a.conFinestre([&] { clic(w, "cmdLoadFiltri"); },
                          [&](QDialog& d) {
                              usa(d, "lbPresenze(1) cmdImportaFiltri cmdProcess");
                              QCOMPARE(d.isVisible(), !c.letto);
                              if (c.letto) QCOMPARE(testo(d, "lblFiltriLetti").section(' ', -1), QStringLiteral("2"));
                          });
            QCOMPARE(mNumFiltriAND, c.letto ? 2 : 1);
            QVERIFY(campi(mFiltriAND[1]) == campi(filtro({1, 2, 3}, 2, true)));
            QCOMPARE(w.pannello().numero(5), !c.letto);
            if (!c.letto && c.risposta == Risposta::Si)
                QVERIFY(a.faccia.messaggi.back().testo.find("loadFileToFilters") != std::string::npos);
        }
        QVERIFY(campi(mFiltriAND[2]) == campi(filtro({10, 20, 30}, 2, true)));
        QVERIFY(w.pannello().numero(1));
        a.faccia.risposte = {Risposta::Si};
        usa(w, "lblTotFiltriON:02 cmdCancellaTutto lblTotFiltriON:00");
        w.close();
        QCOMPARE(mNumFiltriAND, 0);
        QVERIFY(!mFiltriAND[1].attivo && !mFiltriAND[2].attivo);
    }
};

NOVANTA_PROVA(frmFiltri_test);
#include "frmFiltri_test.moc"
