#include <QProgressBar>

#include "ambiente.h"
#include "ui/frmFiltri.h"

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

    // Clear all answered No and Yes; imports through the window.
    void cancellaTuttoEImporta() {
        Ambiente a;
        a.prepara(5, 1, 20);
        mFiltriAND[1] = filtro({1, 2, 3}, 2, true);
        mNumFiltriAND = 1;
        ui::frmFiltri w(0, a.principale.get());
        mostra(w);
        a.faccia.risposte = {Risposta::No};
        clic(w, "cmdCancellaTutto");
        QCOMPARE(a.faccia.messaggi.back().testo, std::string("I filtri saranno cancellati.\r\nContinuare?"));
        QCOMPARE(testo(w, "lblTotFiltriON"), QStringLiteral("01"));
        QVERIFY(w.pannello().numero(3));
        clicEtichetta(w, QStringLiteral("labGriglia(4)"));  // number 5: an edit a refused import must keep

        std::string contenuto;
        bool aperta = false;
        int32_t letti = -1;
        a.faccia.allaFinestra = [&](QDialog& d) {
            clicEtichetta(d, QStringLiteral("lbPresenze(1)"));
            a.cartella.scrivi("f.txt", contenuto);
            a.faccia.fileScelti = {(a.cartella / "f.txt").string()};
            clic(d, "cmdImportaFiltri");
            clic(d, "cmdProcess");
            aperta = d.isVisible();
            letti = in<QProgressBar>(d, "prgImporta")->value() == 100
                        ? testo(d, "lblFiltriLetti").section(' ', -1).remove(',').toInt()
                        : -1;
            return 0;
        };
        // A bad file, No to the question: list and panel as they were. Then a good file.
        for (auto [file, risposta] : {std::pair{"1 2 3\r\nx y\r\n", Risposta::Si},
                                      {"4 5\r\n", Risposta::No},
                                      {"1 2 3\r\n\r\n10-20-30\r\n", Risposta::Si}}) {
            contenuto = file;
            a.faccia.risposte = {risposta};
            clic(w, "cmdLoadFiltri");
            if (letti > 0) break;
            QVERIFY(aperta);
            QVERIFY(campi(mFiltriAND[1]) == campi(filtro({1, 2, 3}, 2, true)));
            QCOMPARE(mNumFiltriAND, 1);
            QVERIFY(w.pannello().numero(5));
            if (risposta == Risposta::Si)
                QVERIFY(a.faccia.messaggi.back().testo.find("loadFileToFilters") != std::string::npos);
        }
        QVERIFY(!aperta);
        QCOMPARE(letti, 2);
        QCOMPARE(mNumFiltriAND, 2);
        QVERIFY(campi(mFiltriAND[2]) == campi(filtro({10, 20, 30}, 2, true)));
        QCOMPARE(testo(w, "lblTotFiltriON"), QStringLiteral("02"));
        QVERIFY(w.pannello().numero(1) && !w.pannello().numero(5));

        a.faccia.risposte = {Risposta::Si};
        clic(w, "cmdCancellaTutto");
        QCOMPARE(testo(w, "lblTotFiltriON"), QStringLiteral("00"));
        w.close();
        QCOMPARE(mNumFiltriAND, 0);
        QVERIFY(!mFiltriAND[1].attivo && !mFiltriAND[2].attivo);
    }
};

NOVANTA_PROVA(frmFiltri_test);
#include "frmFiltri_test.moc"
