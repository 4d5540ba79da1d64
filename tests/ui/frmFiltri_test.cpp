#include <QAction>
#include <QProgressBar>
#include <QTest>
#include <cstring>
#include <vector>

#include "ambiente.h"
#include "engine/motore.h"
#include "ui/frmFiltri.h"

using namespace novanta;
using namespace novanta::test;

namespace {

tFiltroGruppo filtro(std::initializer_list<int> numeri, int32_t presenze, bool attivo) {
    tFiltroGruppo f;
    for (int n : numeri) f.numeri[static_cast<size_t>(n)] = 1;
    f.presenze = presenze;
    f.attivo = attivo;
    return f;
}

bool uguali(const tFiltroGruppo& a, const tFiltroGruppo& b) {
    return a.numeri == b.numeri && a.presenze == b.presenze && a.attivo == b.attivo;
}

// Numbers and counts clicked on the shown panel, then ON pressed when asked.
void componi(QWidget& w, const std::vector<int>& numeri, const std::vector<int>& presenze, bool on) {
    for (int n : numeri) clicEtichetta(w, QStringLiteral("labGriglia(%1)").arg(n - 1));
    for (int j : presenze) clicEtichetta(w, QStringLiteral("lbPresenze(%1)").arg(j));
    if (on) clic(w, "optCond(0)");
}

void mostra(QWidget& w) {
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
}

}  // namespace

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
        QVERIFY(!in(w, "lbPresenze(5)")->isHidden());
        QVERIFY(in(w, "lbPresenze(6)")->isHidden());
        // 30 is outside the prediction: it cannot be chosen. ON pressed twice counts once.
        componi(w, {1, 2, 30}, {1}, true);
        clic(w, "optCond(0)");
        QCOMPARE(testo(w, "lblNumSelezionati"), QStringLiteral("2"));
        QCOMPARE(testo(w, "lblTotFiltriON"), QStringLiteral("01"));
        QCOMPARE(testo(w, "lblTotFiltriOFF"), QStringLiteral("149,999"));
        clic(w, "cmdNext1");
        componi(w, {3}, {0}, false);
        clic(w, "cmdNext1");
        componi(w, {6}, {3}, true);
        clic(w, "cmdCancella");  // an ON panel cleared leaves the ON total
        QCOMPARE(testo(w, "lblTotFiltriON"), QStringLiteral("01"));
        QVERIFY(!w.pannello().numero(6) && !w.pannello().presenza(3));
        componi(w, {4}, {2}, true);
        QCOMPARE(testo(w, "lblnFiltro"), QStringLiteral("03"));
        QCOMPARE(testo(w, "lblTotFiltriON"), QStringLiteral("02"));

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
        QVERIFY(uguali(mFiltriAND[1], filtro({1, 2}, 2, true)));
        QVERIFY(uguali(mFiltriAND[2], filtro({4}, 4, true)));
        QVERIFY(uguali(mFiltriAND[3], filtro({3}, 1, false)));
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
            QVERIFY(uguali(mFiltriAND[1], filtro({1, 2, 3}, 2, true)));
            QCOMPARE(mNumFiltriAND, 1);
            QVERIFY(w.pannello().numero(5));
            if (risposta == Risposta::Si)
                QVERIFY(a.faccia.messaggi.back().testo.find("loadFileToFilters") != std::string::npos);
        }
        QVERIFY(!aperta);
        QCOMPARE(letti, 2);
        QCOMPARE(mNumFiltriAND, 2);
        QVERIFY(uguali(mFiltriAND[2], filtro({10, 20, 30}, 2, true)));
        QCOMPARE(testo(w, "lblTotFiltriON"), QStringLiteral("02"));
        QVERIFY(w.pannello().numero(1) && !w.pannello().numero(5));

        a.faccia.risposte = {Risposta::Si};
        clic(w, "cmdCancellaTutto");
        QCOMPARE(testo(w, "lblTotFiltriON"), QStringLiteral("00"));
        w.close();
        QCOMPARE(mNumFiltriAND, 0);
        QVERIFY(!mFiltriAND[1].attivo && !mFiltriAND[2].attivo);
    }

    // With a system in the store the panels can be browsed, and nothing changes.
    void bloccataNonCambiaNulla() {
        Ambiente a;
        a.prepara(5, 1, 20);
        mFiltriOR[1] = filtro({1, 2, 30}, 2, true);
        mFiltriOR[2] = filtro({4}, 1, false);
        mNumFiltriOR = 1;
        mGUILocked = -1;
        std::vector<tFiltroGruppo> prima(&mFiltriOR[1], &mFiltriOR[1] + 3);
        {
            ui::frmFiltri w(1, a.principale.get());
            mostra(w);
            QCOMPARE(w.windowTitle(), QStringLiteral(" Colonne Filtro - OR"));
            componi(w, {1, 5}, {0, 3}, false);
            clic(w, "optCond(1)");
            QVERIFY(!in<QPushButton>(w, "cmdCancellaTutto")->isEnabled());
            clic(w, "cmdNext1");
            QCOMPARE(testo(w, "lblnFiltro"), QStringLiteral("02"));
            QCOMPARE(testo(w, "lblTotFiltriON"), QStringLiteral("01"));
        }
        QCOMPARE(mNumFiltriOR, 1);
        for (int i = 0; i < 3; ++i) QVERIFY(uguali(mFiltriOR[i + 1], prima[static_cast<size_t>(i)]));
    }

    // Filters set in the window from the main window's menu give the same system as the core
    // run on the same filters, for each list.
    void daCapoAFondo() {
        struct Pannello {
            std::vector<int> numeri, presenze;
        };
        struct Caso {
            const char* voce;
            int tipo;
            std::vector<Pannello> pannelli;
        };
        for (const Caso& c : {Caso{"menuColonnaFiltroAND", 0, {{{1, 2, 3, 4}, {1}}, {{9, 10}, {0, 1}}}},
                              Caso{"menuColonnaFiltroOR", 1, {{{1, 2}, {2}}, {{5, 6, 7}, {3}}}}}) {
            std::vector<std::vector<int>> finestra;
            int32_t nFinestra = 0;
            {
                Ambiente a;
                a.prepara(3, 1, 10);
                a.faccia.allaFinestra = [&](QDialog& d) {
                    for (const Pannello& p : c.pannelli) {
                        componi(d, p.numeri, p.presenze, true);
                        clic(d, "cmdNext1");
                    }
                    return 0;
                };
                auto* voce = a.trova<QAction>(c.voce);
                voce->trigger();
                QVERIFY2(voce->isChecked(), c.voce);
                a.calcola();
                finestra = Colonne();
                nFinestra = mSistema.nColonne;
            }
            StatoIniziale();
            for (int n = 1; n <= 10; ++n) GrigliaNumeriClick(n - 1);
            mLenCol = 3;
            TabellaFiltri& lista = c.tipo ? mFiltriOR : mFiltriAND;
            for (size_t i = 0; i < c.pannelli.size(); ++i) {
                tFiltroGruppo& f = lista[static_cast<int32_t>(i) + 1];
                for (int n : c.pannelli[i].numeri) f.numeri[static_cast<size_t>(n)] = 1;
                for (int j : c.pannelli[i].presenze) f.presenze |= 1 << j;
                f.attivo = true;
            }
            (c.tipo ? mNumFiltriOR : mNumFiltriAND) = static_cast<int32_t>(c.pannelli.size());
            InterfacciaRegistrata registrata;
            CalcolaSistema();
            QVERIFY2(nFinestra > 0 && nFinestra < 120, c.voce);
            QCOMPARE(nFinestra, mSistema.nColonne);
            QVERIFY2(finestra == Colonne(), c.voce);
        }
    }
};

NOVANTA_PROVA(frmFiltri_test);
#include "frmFiltri_test.moc"
