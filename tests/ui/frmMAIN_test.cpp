#include "ambiente.h"
#include "settings/lingue_distribuite.h"
#include "settings/multiLanguage.h"
#include "ui/avvio.h"
#include "ui/frmCalcolo.h"
#include "ui/lingua.h"

class frmMAIN_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The grid by mouse, drag and keyboard, and what the marks enable.
    void griglia() {
        Ambiente a;
        QVERIFY(!a.attivo("cmdCalcolo") && !a.attivo("cmdVisualizza") && !a.attivo("menuCondizioni"));
        a.prepara(5, 1, 5);
        QVERIFY(a.attivo("cmdCalcolo") && a.attivo("cmdAdatta") && a.attivo("menuCondizioni") &&
                a.attivo("menuOperazioni"));
        QCOMPARE(a.testo("lblIntegrale") + a.testo("labnumeri"), QStringLiteral("1Numeri in gioco [05]"));
        a.clicNumero(3);
        QVERIFY(!a.attivo("cmdCalcolo"));
        // The marked look: teal back, white bold text; unmarked: white back, teal text.
        auto aspetto = [&](int n) {
            const QLabel* l = a.principale->griglia()->etichetta(n - 1);
            return std::tuple(l->palette().color(QPalette::Window), l->palette().color(QPalette::WindowText),
                              l->font().bold());
        };
        QVERIFY(aspetto(1) == std::tuple(QColor(0, 128, 128), QColor(255, 255, 255), true));
        QVERIFY(aspetto(3) == std::tuple(QColor(255, 255, 255), QColor(0, 128, 128), false));
        a.trova<QScrollBar>("hsLenCol")->setValue(3);
        QCOMPARE(a.testo("lblIntegrale"), QStringLiteral("4"));

        // A drag marks each label it crosses once; dragging back over marked numbers unmarks them.
        Ambiente b;
        auto* g = b.principale->griglia();
        auto centro = [&](int n) { return g->etichetta(n - 1)->geometry().center(); };
        QTest::mousePress(g, Qt::LeftButton, {}, centro(1));
        for (QPoint p : {centro(2), centro(2) + QPoint(2, 1), centro(3), centro(13)}) QTest::mouseMove(g, p);
        QTest::mouseRelease(g, Qt::LeftButton, {}, centro(13));
        for (int n : {1, 2, 3, 13}) QCOMPARE(mGriglia[static_cast<size_t>(n - 1)], uint8_t{1});
        QTest::mousePress(g, Qt::LeftButton, {}, centro(3));
        QTest::mouseMove(g, centro(2));
        QTest::mouseRelease(g, Qt::LeftButton, {}, centro(2));
        QCOMPARE(b.testo("labnumeri"), QStringLiteral("Numeri in gioco [02]"));

        // The keyboard alone: arrows (wrapping at the edges), Space, Tab to the length.
        Ambiente c;
        g = c.principale->griglia();
        g->setFocus();
        for (Qt::Key k : {Qt::Key_Space, Qt::Key_Right, Qt::Key_Space, Qt::Key_Down, Qt::Key_Space, Qt::Key_Left,
                          Qt::Key_Left, Qt::Key_Space, Qt::Key_Up, Qt::Key_Up})
            QTest::keyClick(g, k);
        for (int n : {1, 2, 12, 20}) QCOMPARE(mGriglia[static_cast<size_t>(n - 1)], uint8_t{1});
        QCOMPARE(g->cursore(), 89);
        QTest::keyClick(g, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), c.trova("hsLenCol"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(mLenCol, int16_t{9});
    }

    void unCalcoloBloccaLaGrigliaERiempieLaBarraDiStato() {
        Ambiente a;
        a.prepara(5, 1, 10);
        // A second copy started during the run brings the progress window to the front, not the
        // disabled main window, so its cancel button stays in reach.
        bool disabilitataDurante = false;
        QString davanti;  // the progress window is gone after the run: its name is kept
        a.faccia.allYield = [&](int64_t) {
            disabilitataDurante = disabilitataDurante || !a.principale->isEnabled();
            if (davanti.isEmpty() && a.faccia.progresso() && a.faccia.progresso()->isVisible())
                davanti = ui::PortaInPrimoPiano(a.principale.get())->objectName();
        };
        a.calcola();
        QVERIFY(disabilitataDurante);
        QCOMPARE(davanti, QStringLiteral("frmCalcolo"));
        QVERIFY(!a.faccia.progresso() && a.principale->isEnabled());
        QCOMPARE(ui::PortaInPrimoPiano(a.principale.get()), a.principale.get());
        for (const char* nome : {"frameNumeri", "frameLenCol", "cmdCalcolo", "cmdCancella", "cmdAdatta"})
            QVERIFY2(!a.attivo(nome), nome);
        QVERIFY(a.attivo("cmdVisualizza") && a.attivo("cmdModifiche") && a.attivo("menuCondizioni"));
        QVERIFY(!a.trova<QAction>("menuCalcolo")->isEnabled() && a.trova<QAction>("menuVisualizza")->isEnabled());
        QCOMPARE(a.testo("StBar(2)") + a.testo("StBar(4)"), QStringLiteral("252Sistema integrale"));
        // A locked grid looks locked and ignores clicks; the column view opens as a modal window.
        a.clicNumero(50);
        QCOMPARE(mGriglia[49], uint8_t{0});
        QLabel* bloccato = a.principale->griglia()->etichetta(0);
        QVERIFY(!bloccato->isEnabled());
        QCOMPARE(bloccato->palette().color(QPalette::Disabled, QPalette::Window), QColor(0x8F, 0xA8, 0xA8));
        QTest::mouseClick(a.pulsante("cmdVisualizza"), Qt::LeftButton);
        QCOMPARE(a.faccia.modali, std::vector<QString>{QStringLiteral("frmVisualizza")});
    }

    // No to the cancel question carries on to the whole system; Yes keeps the columns so far, in
    // order. The second click waits in the event queue like a user's: only the run's own yields deliver it.
    void annullare() {
        for (auto [risposta, lunghezza, ultimo] : {std::tuple{Risposta::No, 5, 20}, {Risposta::Si, 6, 40}}) {
            Ambiente a;
            a.prepara(lunghezza, 1, ultimo);
            a.faccia.risposte = {risposta};
            bool accodato = false;
            a.faccia.allYield = [&](int64_t) {
                if (accodato || !a.faccia.progresso()) return;
                accodato = true;
                QMetaObject::invokeMethod(a.faccia.progresso()->pulsanteAnnulla(), "click",
                                          risposta == Risposta::No ? Qt::DirectConnection : Qt::QueuedConnection);
            };
            a.calcola();
            QVERIFY(accodato);
            QCOMPARE(a.faccia.messaggi.front().pulsanti, Pulsanti::SiNo);  // the question the run asks
            QCOMPARE(mGUILocked, -1);
            if (risposta == Risposta::No) {
                QCOMPARE(mSistema.nColonne, 15504);
                continue;
            }
            QVERIFY(mSistema.nColonne > 0 && mSistema.nColonne < 3000000);  // C(40, 6) = 3,838,380
            QVERIFY(a.attivo("cmdVisualizza"));
            QCOMPARE(a.testo("StBar(2)"), QString::fromStdString(FormatoMigliaia(mSistema.nColonne)));
            // The description says the system is incomplete, and how far the run got.
            QVERIFY(a.testo("StBar(4)").startsWith(QStringLiteral("Sistema integrale (interrotto: ")));
        }
    }

    // Export with no system and the import of a file with no column are refused; the main
    // window is disabled while a file is read, and what the user had stays.
    void esportareNienteEImportareUnFileVuotoSonoRifiutati() {
        Ambiente a;
        a.menu("menuEsportaColonne");
        QCOMPARE(a.faccia.messaggi.back().testo, std::string("Nessun sistema"));
        a.prepara(3, 1, 5);
        a.cartella.scrivi("vuoto.txt", "\r\n;,\r\n");
        a.faccia.fileScelti = {(a.cartella / "vuoto.txt").string()};
        bool disabilitata = false;
        a.faccia.allYield = [&](int64_t) { disabilitata = disabilitata || !a.principale->isEnabled(); };
        a.menu("menuImportaColonne");
        QVERIFY(disabilitata && a.principale->isEnabled());
        QCOMPARE(a.faccia.messaggi.back().testo, std::string("Vuoto: vuoto.txt"));
        QCOMPARE(int(mSistema.numPronostico), 5);
    }

    // Menu titles follow the language too, Qt's own buttons speak it, and no two entries of a
    // menu share an access key in either shipped language.
    void iMenuSeguonoLaLinguaEIlTastoDAccessoEUnico() {
        Ambiente a(true, false);
        for (const char* lingua : {"italiano", "english"}) {
            a.cartella.scrivi(std::string(lingua) + ".lng", std::string(LinguaDistribuitaDi(lingua)->contenuto));
            mLinguaCorrente = lingua;
            ui::ApplicaLinguaATutte();
            for (QList<QAction*> voci :
                 {a.principale->menuBar()->actions(), a.trova<QMenu>("menufile")->actions(),
                  a.trova<QMenu>("menuCondizioni")->actions(), a.trova<QMenu>("menuOperazioni")->actions()}) {
                QSet<QChar> tasti;
                for (QAction* v : voci) {
                    if (v->isSeparator() || !v->isVisible()) continue;
                    const QKeySequence k = QKeySequence::mnemonic(v->text());
                    QVERIFY2(!k.isEmpty() && !tasti.contains(k.toString().back()),
                             qPrintable(QString::fromLatin1(lingua) + ": " + v->text()));
                    tasti.insert(k.toString().back());
                }
            }
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"),
                     mLinguaCorrente == "english" ? "&Yes" : "&Sì");
        }
        QCOMPARE(a.trova<QMenu>("menuCondizioni")->title(), QStringLiteral("&Conditions"));
        QCOMPARE(a.trova("StBar(2)")->toolTip(), QStringLiteral("Number of Columns"));
    }

    // Closing asks; save, reopen from the recent list, and the questions about unsaved work.
    void salvareRiaprireEChiedereDiSalvare() {
        Ambiente a;
        auto modificato = [&] { return a.principale->windowTitle() == QStringLiteral("Novanta prova*"); };
        const std::string file = (a.cartella / "sistemi" / "mio.lec").string();
        std::filesystem::create_directories(a.cartella / "sistemi");
        QVERIFY(!modificato());
        a.prepara(3, 1, 5);
        QVERIFY(modificato());
        a.faccia.risposte = {Risposta::No, Risposta::No};  // not saved, not closed
        QVERIFY(!a.principale->close());
        QCOMPARE(a.faccia.messaggi.back().testo, std::string("Uscire dal programma?"));
        QCOMPARE(a.faccia.messaggi.back().titolo, std::string("Novanta prova"));
        // The first save asks for a name; the status bar and the title follow.
        a.faccia.fileScelti = {file};
        a.menu("menuSalvaSistema");
        QVERIFY(!modificato());
        QCOMPARE(a.testo("StBar(1)"), QStringLiteral("mio.lec"));
        // "Nuovo" on changed work: Cancel keeps it, No drops it.
        a.clicNumero(9);
        a.faccia.risposte = {Risposta::Annulla};
        a.menu("menuNuovo");
        QCOMPARE(int(mSistema.numPronostico), 6);
        QCOMPARE(a.faccia.messaggi.back().pulsanti, Pulsanti::SiNoAnnulla);
        a.faccia.risposte = {Risposta::No};
        a.menu("menuNuovo");
        QCOMPARE(int(mSistema.numPronostico), 0);
        QVERIFY(!modificato());
        // The last file is in the menu, and opens as it was saved.
        Q_EMIT a.trova<QMenu>("menufile")->aboutToShow();
        QAction* recente = a.trova<QAction>("mnuRecente(0)");
        QVERIFY(recente->isVisible() && recente->text().contains(QStringLiteral("mio.lec")));
        recente->trigger();
        QCOMPARE(int(mSistema.numPronostico), 5);
        QCOMPARE(a.principale->griglia()->etichetta(4)->palette().color(QPalette::Window), QColor(0, 128, 128));
        QVERIFY(!modificato());
        // Closing with changes: Yes saves them before the program's own question.
        a.clicNumero(20);
        a.faccia.risposte = {Risposta::Si, Risposta::Si};
        QVERIFY(a.principale->close());
        QVERIFY(!std::filesystem::exists(FileRecupero()));
        Lavoro l;
        ErroreLettura errore;
        QVERIFY(LeggiProgetto(file, l, errore));
        QCOMPARE(int(l.pronostico.size()), 6);
    }
};

NOVANTA_PROVA(frmMAIN_test);
#include "frmMAIN_test.moc"
