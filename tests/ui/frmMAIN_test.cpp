#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ambiente.h"
#include "prove.h"
#include "support/formato.h"
#include "ui/frmCalcolo.h"

using namespace novanta;
using namespace novanta::test;

namespace {

constexpr auto leggiFile = &test::LeggiFile;

}  // namespace

class frmMAIN_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void caricaMostraLaGrigliaELaLingua() {
        Ambiente a;
        QCOMPARE(a.principale->windowTitle(), QStringLiteral("Novanta prova"));
        QCOMPARE(a.principale->griglia()->etichetta(0)->text(), QStringLiteral("01"));
        QCOMPARE(a.principale->griglia()->etichetta(89)->text(), QStringLiteral("90"));
        QCOMPARE(a.principale->findChild<QLabel*>(QStringLiteral("StBar(1)"))->text(), QStringLiteral("nuovo.lec"));
        QCOMPARE(a.principale->findChild<QLabel*>(QStringLiteral("StBar(3)"))->text(), QStringLiteral("--"));
        QCOMPARE(a.etichetta("labnumeri")->text(), QStringLiteral("Numeri in gioco [0]"));
        QVERIFY(!a.pulsante("cmdCalcolo")->isEnabled());
        QVERIFY(!a.pulsante("cmdVisualizza")->isEnabled());
        QVERIFY(!a.trova<QMenu>("menuCondizioni")->isEnabled());
    }

    void segnareKNumeriAbilitaIlCalcolo() {
        Ambiente a;
        a.trova<QScrollBar>("hsLenCol")->setValue(5);
        QCOMPARE(mLenCol, int16_t{5});
        QCOMPARE(a.etichetta("lbLenCol")->text(), QStringLiteral("5"));
        a.segna(1, 4);
        QVERIFY(!a.pulsante("cmdCalcolo")->isEnabled());
        QVERIFY(!a.pulsante("cmdAdatta")->isEnabled());
        QCOMPARE(a.etichetta("lblIntegrale")->text(), QStringLiteral("0"));
        a.clicNumero(5);
        QCOMPARE(int(mSistema.numPronostico), 5);
        QVERIFY(a.pulsante("cmdCalcolo")->isEnabled());
        QVERIFY(a.pulsante("cmdAdatta")->isEnabled());
        QVERIFY(a.trova<QMenu>("menuCondizioni")->isEnabled());
        QVERIFY(a.trova<QMenu>("menuOperazioni")->isEnabled());
        QCOMPARE(a.etichetta("lblIntegrale")->text(), QStringLiteral("1"));
        QCOMPARE(a.etichetta("labnumeri")->text(), QStringLiteral("Numeri in gioco [05]"));
        QCOMPARE(a.etichetta("lblIntegrale")->toolTip(), QStringLiteral("Colonne integrali:"));
        // The marked look: teal back, white bold text; unmarked: white back, teal text.
        QLabel* segnato = a.principale->griglia()->etichetta(0);
        QCOMPARE(segnato->palette().color(QPalette::Window), QColor(0, 128, 128));
        QVERIFY(segnato->font().bold());
        a.clicNumero(3);
        QCOMPARE(mGriglia[2], uint8_t{0});
        QVERIFY(!a.pulsante("cmdCalcolo")->isEnabled());
        QCOMPARE(a.etichetta("lblIntegrale")->text(), QStringLiteral("0"));
        QLabel* libero = a.principale->griglia()->etichetta(2);
        QCOMPARE(libero->palette().color(QPalette::Window), QColor(255, 255, 255));
        QCOMPARE(libero->palette().color(QPalette::WindowText), QColor(0, 128, 128));
        QVERIFY(!libero->font().bold());
    }

    void lunghezzaOltreIlPronosticoDisabilita() {
        Ambiente a;
        a.trova<QScrollBar>("hsLenCol")->setValue(5);
        a.segna(1, 6);
        QCOMPARE(a.etichetta("lblIntegrale")->text(), QStringLiteral("6"));
        a.trova<QScrollBar>("hsLenCol")->setValue(7);
        QVERIFY(!a.pulsante("cmdCalcolo")->isEnabled());
        QCOMPARE(a.etichetta("lblIntegrale")->text(), QStringLiteral("0"));
        a.trova<QScrollBar>("hsLenCol")->setValue(3);
        QCOMPARE(a.etichetta("lblIntegrale")->text(), QStringLiteral("20"));
        // The scroll bar cannot leave 2..25.
        a.trova<QScrollBar>("hsLenCol")->setValue(40);
        QCOMPARE(mLenCol, int16_t{25});
    }

    void trascinareSegnaOgniEtichettaUnaVolta() {
        Ambiente a;
        auto* g = a.principale->griglia();
        auto centro = [&](int n) { return g->etichetta(n - 1)->geometry().center(); };
        QTest::mousePress(g, Qt::LeftButton, {}, centro(1));
        QTest::mouseMove(g, centro(2));
        QTest::mouseMove(g, centro(2) + QPoint(2, 1));  // still inside 2: no second toggle
        QTest::mouseMove(g, centro(3));
        QTest::mouseMove(g, centro(13));
        QTest::mouseRelease(g, Qt::LeftButton, {}, centro(13));
        QCOMPARE(int(mSistema.numPronostico), 4);
        for (int n : {1, 2, 3, 13}) QCOMPARE(mGriglia[static_cast<size_t>(n - 1)], uint8_t{1});
        // Dragging back over marked numbers unmarks them.
        QTest::mousePress(g, Qt::LeftButton, {}, centro(3));
        QTest::mouseMove(g, centro(2));
        QTest::mouseRelease(g, Qt::LeftButton, {}, centro(2));
        QCOMPARE(int(mSistema.numPronostico), 2);
        QCOMPARE(a.etichetta("labnumeri")->text(), QStringLiteral("Numeri in gioco [02]"));
    }

    void unCalcoloBloccaLaGrigliaERiempieLaBarraDiStato() {
        Ambiente a;
        a.trova<QScrollBar>("hsLenCol")->setValue(5);
        a.segna(1, 10);
        bool disabilitataDurante = false, progressoVisibile = false;
        a.faccia.allYield = [&](int64_t) {
            disabilitataDurante = disabilitataDurante || !a.principale->isEnabled();
            progressoVisibile = progressoVisibile || (a.faccia.progresso() && a.faccia.progresso()->isVisible());
        };
        QTest::mouseClick(a.pulsante("cmdCalcolo"), Qt::LeftButton);
        QVERIFY(disabilitataDurante);
        QVERIFY(progressoVisibile);
        QVERIFY(!a.faccia.progresso());  // closed after the run
        QVERIFY(a.principale->isEnabled());
        QCOMPARE(mSistema.nColonne, 252);
        QCOMPARE(mGUILocked, -1);
        QVERIFY(!a.principale->griglia()->isEnabled());
        QVERIFY(!a.trova<QGroupBox>("frameLenCol")->isEnabled());
        QVERIFY(!a.pulsante("cmdCalcolo")->isEnabled());
        QVERIFY(!a.pulsante("cmdCancella")->isEnabled());
        QVERIFY(!a.pulsante("cmdAdatta")->isEnabled());
        QVERIFY(a.pulsante("cmdVisualizza")->isEnabled());
        QVERIFY(a.pulsante("cmdModifiche")->isEnabled());
        QVERIFY(a.trova<QMenu>("menuCondizioni")->isEnabled());
        QVERIFY(!a.trova<QAction>("menuCalcolo")->isEnabled());
        QVERIFY(a.trova<QAction>("menuVisualizza")->isEnabled());
        QCOMPARE(a.principale->findChild<QLabel*>(QStringLiteral("StBar(2)"))->text(), QStringLiteral("252"));
        QCOMPARE(a.principale->findChild<QLabel*>(QStringLiteral("StBar(4)"))->text(), QStringLiteral("Sistema integrale"));
        // The elapsed-time box closes the run.
        QVERIFY(!a.faccia.messaggi.empty());
        QVERIFY(QString::fromStdString(a.faccia.messaggi.back().testo).contains(QStringLiteral("Days 00:00:")));
        // Clicks on a locked grid change nothing.
        a.clicNumero(50);
        QCOMPARE(mGriglia[49], uint8_t{0});
    }

    void annullareConNoLasciaProseguireIlCalcolo() {
        Ambiente a;
        a.trova<QScrollBar>("hsLenCol")->setValue(5);
        a.segna(1, 20);
        a.faccia.risposte = {Risposta::No};
        bool chiesto = false;
        a.faccia.allYield = [&](int64_t n) {
            if (n == 20 && !chiesto) {
                chiesto = true;
                QTest::mouseClick(a.faccia.progresso()->pulsanteAnnulla(), Qt::LeftButton);
            }
        };
        QTest::mouseClick(a.pulsante("cmdCalcolo"), Qt::LeftButton);
        QVERIFY(chiesto);
        QCOMPARE(mSistema.nColonne, 15504);
        const auto& domanda = a.faccia.messaggi.front();
        QCOMPARE(domanda.pulsanti, Pulsanti::SiNo);
        QCOMPARE(domanda.titolo, std::string("Calcolo in corso"));
        QVERIFY(domanda.testo.rfind("Colonne integrali: 15,504\r\nColonne elaborate: ", 0) == 0);
        QVERIFY(domanda.testo.find("\r\nAnnullare il calcolo?") != std::string::npos);
    }

    void annullareConSiTieneLeColonneFinora() {
        Ambiente a;
        a.trova<QScrollBar>("hsLenCol")->setValue(5);
        a.segna(1, 20);
        a.faccia.risposte = {Risposta::Si};
        a.faccia.allYield = [&](int64_t n) {
            if (n == 30) QTest::mouseClick(a.faccia.progresso()->pulsanteAnnulla(), Qt::LeftButton);
        };
        QTest::mouseClick(a.pulsante("cmdCalcolo"), Qt::LeftButton);
        QVERIFY(mSistema.nColonne > 0);
        QVERIFY(mSistema.nColonne < 15504);
        QCOMPARE(mGUILocked, -1);
        QVERIFY(a.pulsante("cmdVisualizza")->isEnabled());
        QCOMPARE(a.principale->findChild<QLabel*>(QStringLiteral("StBar(2)"))->text(),
                 QString::fromStdString(FormatoMigliaia(mSistema.nColonne)));
        // The kept columns are the first ones of the integral system, in order.
        QCOMPARE(int(mArrColonne.valore(1, 5)), 5);
        QCOMPARE(int(mArrColonne.valore(mSistema.nColonne + 1, 1)), 0);
    }

    void ilClicSuAnnullaArrivaAttraversoGliEventi() {
        // The click waits in the event queue like a user's: only the run's own yields deliver it.
        Ambiente a;
        a.trova<QScrollBar>("hsLenCol")->setValue(6);
        a.segna(1, 40);
        a.faccia.risposte = {Risposta::Si};
        bool accodato = false;
        a.faccia.allYield = [&](int64_t) {
            if (accodato || !a.faccia.progresso()) return;
            accodato = true;
            QMetaObject::invokeMethod(a.faccia.progresso()->pulsanteAnnulla(), "click", Qt::QueuedConnection);
        };
        QTest::mouseClick(a.pulsante("cmdCalcolo"), Qt::LeftButton);
        QVERIFY(accodato);
        QCOMPARE(a.faccia.messaggi.front().pulsanti, Pulsanti::SiNo);  // the cancel box came up during the run
        QVERIFY(mSistema.nColonne > 0);
        QVERIFY(mSistema.nColonne < 3000000);  // C(40, 6) = 3,838,380: stopped well before the limit
        for (const auto& m : a.faccia.messaggi) QVERIFY(m.icona != Icona::Critica);
        QCOMPARE(mGUILocked, -1);
    }

    void modificaSistemaChiedeETieneIlPronostico() {
        Ambiente a;
        a.trova<QScrollBar>("hsLenCol")->setValue(3);
        a.segna(1, 5);
        QTest::mouseClick(a.pulsante("cmdCalcolo"), Qt::LeftButton);
        QCOMPARE(mSistema.nColonne, 10);
        a.faccia.messaggi.clear();
        a.faccia.risposte = {Risposta::No};
        QTest::mouseClick(a.pulsante("cmdModifiche"), Qt::LeftButton);
        QCOMPARE(a.faccia.messaggi.size(), size_t{1});
        QCOMPARE(a.faccia.messaggi[0].testo, std::string("Modificare il sistema?"));
        QCOMPARE(mSistema.nColonne, 10);
        QVERIFY(!a.principale->griglia()->isEnabled());
        a.faccia.risposte = {Risposta::Si};
        QTest::mouseClick(a.pulsante("cmdModifiche"), Qt::LeftButton);
        QCOMPARE(mSistema.nColonne, 0);
        QCOMPARE(int(mSistema.numPronostico), 5);
        QVERIFY(a.principale->griglia()->isEnabled());
        QVERIFY(a.pulsante("cmdCalcolo")->isEnabled());
        QVERIFY(!a.pulsante("cmdVisualizza")->isEnabled());
        QCOMPARE(a.principale->findChild<QLabel*>(QStringLiteral("StBar(2)"))->text(), QStringLiteral("0"));
        QCOMPARE(int(mArrColonne.valore(1, 1)), 0);
    }

    void cancellaSistemaAzzeraTutto() {
        Ambiente a;
        a.trova<QScrollBar>("hsLenCol")->setValue(3);
        a.segna(1, 5);
        QTest::mouseClick(a.pulsante("cmdCancella"), Qt::LeftButton);
        QCOMPARE(int(mSistema.numPronostico), 0);
        QCOMPARE(a.etichetta("labnumeri")->text(), QStringLiteral("Numeri in gioco [0]"));
        QCOMPARE(a.etichetta("lblIntegrale")->text(), QStringLiteral("0"));
        QVERIFY(!a.pulsante("cmdCalcolo")->isEnabled());
        QCOMPARE(a.principale->griglia()->etichetta(0)->palette().color(QPalette::Window), QColor(255, 255, 255));
    }

    void modalitaRicalcoloLasciaIlCalcoloAperto() {
        Ambiente a;
        mConfig.modalitaRicalcolo = true;
        a.trova<QScrollBar>("hsLenCol")->setValue(3);
        a.segna(1, 6);
        QTest::mouseClick(a.pulsante("cmdCalcolo"), Qt::LeftButton);
        QCOMPARE(mSistema.nColonne, 20);
        QCOMPARE(mGUILocked, 0);
        QVERIFY(a.pulsante("cmdCalcolo")->isEnabled());
        QVERIFY(a.trova<QGroupBox>("frameLenCol")->isEnabled());
        QVERIFY(!a.principale->griglia()->isEnabled());
        QVERIFY(a.pulsante("cmdVisualizza")->isEnabled());
        // The next press recalculates the stored columns: with the sum condition on, fewer remain.
        mCondizioni.sommaAttiva = true;
        mCondizioni.sommaMin = 6;
        mCondizioni.sommaMax = 9;
        QTest::mouseClick(a.pulsante("cmdCalcolo"), Qt::LeftButton);
        QCOMPARE(mSistema.nColonne, 7);  // 123, 124, 125, 134, 126, 135, 234: sums 6..9
        QVERIFY(a.pulsante("cmdCalcolo")->isEnabled());
    }

    void leVociDelleCondizioniNonCambianoNulla() {
        Ambiente a;
        a.trova<QScrollBar>("hsLenCol")->setValue(3);
        a.segna(1, 5);
        for (const char* nome : {"menuColonnaFiltroAND", "menuColonnaFiltroOR", "menuColonnaBase", "menuDistanzaNumeri",
                                 "menuConsecutivi", "menuFisse", "menuPariDispari", "menuSomma", "menuRidotto",
                                 "menuDistanzaMinima", "menuAdattaMatrice", "mnuElencoSistemiImmediati"}) {
            QAction* voce = a.trova<QAction>(nome);
            QVERIFY2(voce, nome);
            QVERIFY2(voce->isEnabled(), nome);
            voce->trigger();
            QVERIFY2(!voce->isChecked(), nome);
        }
        QVERIFY(a.faccia.modali.empty());
        QVERIFY(a.faccia.messaggi.empty());
        QCOMPARE(int(mSistema.numPronostico), 5);
        // A mark follows the state: with the sum condition on, the entry shows it.
        mCondizioni.sommaAttiva = true;
        a.trova<QAction>("menuSomma")->trigger();
        QVERIFY(a.trova<QAction>("menuSomma")->isChecked());
        // A reset clears the marks of the conditions it clears.
        ResetSistema(true);
        QVERIFY(!a.trova<QAction>("menuSomma")->isChecked());
    }

    void esportaEImportaPassanoPerIDialoghi() {
        Ambiente a;
        a.trova<QScrollBar>("hsLenCol")->setValue(3);
        a.segna(1, 4);
        QTest::mouseClick(a.pulsante("cmdCalcolo"), Qt::LeftButton);
        const auto destinazione = a.cartella / "txt" / "prova.txt";
        std::filesystem::create_directories(a.cartella / "txt");
        a.faccia.messaggi.clear();
        a.faccia.file = {destinazione.string()};
        a.trova<QAction>("menuEsportaColonne")->trigger();
        QCOMPARE(a.faccia.dialoghi.size(), size_t{1});
        QVERIFY(a.faccia.dialoghi[0].salva);
        QCOMPARE(a.faccia.dialoghi[0].nomeProposto, std::string("nuovo.txt"));
        QCOMPARE(a.faccia.dialoghi[0].cartella, (a.cartella / "txt").string());
        QCOMPARE(a.faccia.dialoghi[0].filtro, std::string("File TXT (*.txt)|*.txt"));
        QCOMPARE(leggiFile(destinazione), std::string(" 01 02 03 \r\n 01 02 04 \r\n 01 03 04 \r\n 02 03 04 \r\n"));
        QCOMPARE(a.faccia.messaggi.back().testo, "File " + destinazione.string() + " ok ");
        QVERIFY(a.principale->isEnabled());

        // A cancelled dialog writes nothing and says nothing.
        a.faccia.messaggi.clear();
        a.trova<QAction>("menuEsportaColonne")->trigger();
        QVERIFY(a.faccia.messaggi.empty());

        // Import: a new system from the file, locked, with its prediction and length.
        a.cartella.scrivi("txt/altro.txt", "5 3 1\r\n2,4,6\r\n");
        a.faccia.file = {(a.cartella / "txt" / "altro.txt").string()};
        a.trova<QAction>("menuImportaColonne")->trigger();
        QCOMPARE(a.faccia.dialoghi.back().salva, false);
        QCOMPARE(a.faccia.dialoghi.back().cartella, (a.cartella / "txt").string());
        QCOMPARE(mSistema.nColonne, 2);
        QCOMPARE(int(mSistema.numPronostico), 6);
        QCOMPARE(mGUILocked, -1);
        QVERIFY(!a.pulsante("cmdCalcolo")->isEnabled());
        QCOMPARE(a.principale->findChild<QLabel*>(QStringLiteral("StBar(1)"))->text(), QStringLiteral("altro.txt"));
        QCOMPARE(a.principale->findChild<QLabel*>(QStringLiteral("StBar(4)"))->text(), QStringLiteral("FILE TXT"));
        QCOMPARE(a.etichetta("lbLenCol")->text(), QStringLiteral("3"));
        QCOMPARE(a.principale->griglia()->etichetta(5)->palette().color(QPalette::Window), QColor(0, 128, 128));

        // A bad file leaves the system as it was.
        a.cartella.scrivi("txt/rotto.txt", "1 2 3\r\n4 x 6\r\n");
        a.faccia.file = {(a.cartella / "txt" / "rotto.txt").string()};
        a.trova<QAction>("menuImportaColonne")->trigger();
        QCOMPARE(mSistema.nColonne, 2);
        QCOMPARE(a.principale->findChild<QLabel*>(QStringLiteral("StBar(1)"))->text(), QStringLiteral("altro.txt"));
    }

    void nuovoRiportaIlNomeDelSistema() {
        Ambiente a;
        mNomeFileSistema = "altro.txt";
        a.trova<QAction>("menuNuovo")->trigger();
        QCOMPARE(a.principale->findChild<QLabel*>(QStringLiteral("StBar(1)"))->text(), QStringLiteral("nuovo.lec"));
    }

    void chiusuraConNoTieneTutto() {
        Ambiente a;
        a.trova<QScrollBar>("hsLenCol")->setValue(3);
        a.segna(1, 5);
        a.faccia.risposte = {Risposta::No};
        QVERIFY(!a.principale->close());
        QVERIFY(a.principale->isVisible());
        QCOMPARE(int(mSistema.numPronostico), 5);
        QCOMPARE(a.faccia.messaggi.back().testo, std::string("Uscire dal programma?"));
        QCOMPARE(a.faccia.messaggi.back().titolo, std::string("Novanta prova"));
        QCOMPARE(a.faccia.messaggi.back().pulsanti, Pulsanti::SiNo);
        a.faccia.risposte = {Risposta::Si};
        QVERIFY(a.principale->close());
        QVERIFY(!a.principale->isVisible());
    }

    void visualizzaEInfoSonoModali() {
        Ambiente a;
        QTest::mouseClick(a.pulsante("cmdVisualizza"), Qt::LeftButton);  // disabled: nothing
        QVERIFY(a.faccia.modali.empty());
        a.trova<QScrollBar>("hsLenCol")->setValue(3);
        a.segna(1, 5);
        QTest::mouseClick(a.pulsante("cmdCalcolo"), Qt::LeftButton);
        QTest::mouseClick(a.pulsante("cmdVisualizza"), Qt::LeftButton);
        a.trova<QAction>("menuinfo")->trigger();
        QCOMPARE(a.faccia.modali.size(), size_t{2});
        QCOMPARE(a.faccia.modali[0], QStringLiteral("frmVisualizza"));
        QCOMPARE(a.faccia.modali[1], QStringLiteral("frmAbout"));
    }
};

NOVANTA_PROVA(frmMAIN_test, "frmMAIN_test");
#include "frmMAIN_test.moc"
#include "support/registratore.h"
