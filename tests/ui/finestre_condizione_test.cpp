#include "ambiente.h"
#include "core/regole_condizioni.h"
#include "ui/controlli_condizione.h"
#include "ui/frmSomma.h"

namespace {

// Runs "Elabora Sistema" and compares the system with novanta-cli generate on the same
// prediction, length and condition `opzioni`.
void comeLaRigaDiComando(Ambiente& a, const char* opzioni) {
    std::vector<std::string> argomenti{"generate", "--length", std::to_string(mLenCol), "--numbers", ""};
    for (int n = 1; n <= 90; ++n)
        if (mGriglia[static_cast<size_t>(n - 1)]) argomenti[4] += (argomenti[4].empty() ? "" : ",") + std::to_string(n);
    for (const QString& o : QString::fromLatin1(opzioni).split(' ')) argomenti.push_back(o.toStdString());
    a.calcola();
    QVERIFY(mSistema.nColonne > 0);
    std::string finestra;
    for (int32_t c = 1; c <= mSistema.nColonne; ++c) {
        finestra += ' ';
        for (int p = 1; p <= mLenCol; ++p) finestra += FormatoZeri(mArrColonne.valore(c, p), 2) + ' ';
        finestra += "\r\n";
    }
    const EsitoCli cli = EseguiCli(a.cartella.percorso(), argomenti);
    ImpostaInterfaccia(&a.faccia);
    QCOMPARE(cli.codice, 0);
    QCOMPARE(cli.out, finestra);
}

}  // namespace

class finestre_condizione_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each window set from its menu entry gives the system novanta-cli builds on the same condition
    // (labGriglia(i) is the number i + 1).
    void comeLaRigaDiComando() {
        for (auto [voce, lunghezza, ultimo, passi, cli] :
             {std::tuple{"menuPariDispari", 3, 9,
                         "+labPariDispari(3) -labPariDispari(4) labPariDispari(1) optCondizione(0)", "--even 1"},
              // 11 and 40 lie outside the prediction: ignored, and the 40 left from an earlier one goes.
              {"menuFisse", 6, 15,
               "labGriglia(0) labGriglia(2) labGriglia(4) labGriglia(6) labGriglia(8) labGriglia(10) labGriglia(39) "
               "l1:5 optCondFisse(0)",
               "--fixed 1,3,5,7,9"},
              // Run lengths chosen when the columns were longer stay chosen, hidden.
              {"menuConsecutivi", 4, 12, "-lbPresenze(7) lbPresenze(1) lbPresenze(2) optCond(0)", "--runs 1,2"},
              {"menuSomma", 5, 10, "meDa=20 meA=30 optCondSomma(0)", "--sum 20-30"},
              {"menuColonnaFiltroAND", 3, 10,
               "labGriglia(0) labGriglia(1) labGriglia(2) labGriglia(3) lbPresenze(1) optCond(0) cmdNext1 "
               "labGriglia(8) labGriglia(9) lbPresenze(0) lbPresenze(1) optCond(0)",
               "--and 1,2,3,4:1 --and 9,10:0,1"},
              {"menuColonnaFiltroOR", 3, 10,
               "labGriglia(0) labGriglia(1) lbPresenze(2) optCond(0) cmdNext1 labGriglia(4) labGriglia(5) "
               "labGriglia(6) lbPresenze(3) optCond(0)",
               "--or 1,2:2 --or 5,6,7:3"}}) {
            Ambiente a;
            a.prepara(lunghezza, 1, ultimo);
            mCondizioni.fisse[40] = 1;
            mConsecutivi.maschera = 1 << 7;
            a.daMenu(voce, [&](QDialog& f) { usa(f, passi); });
            QVERIFY2(a.segnato(voce), voce);
            if (voce == std::string("menuConsecutivi")) QCOMPARE(mConsecutivi.maschera, (1 << 7) | 6);
            ::comeLaRigaDiComando(a, cli);
        }
    }

    // Esc validates like the close box: a refused sum keeps the window open and says why, an
    // accepted one closes it, empty fields keep the stored bounds. Twenty-five numbers reach a sum
    // of 1,950: the fields take four digits.
    void somma() {
        Ambiente a;
        a.prepara(25, 60, 90);
        for (auto [passi, messaggi] : {std::pair{"meA=1000", std::vector<std::string>{"M0022", "M0023"}},
                                       {"meDa=1900 meA=1950", {}},
                                       {"meDa= meA=", {}}}) {
            a.faccia.messaggi.clear();
            ui::frmSomma w;
            w.show();
            usa(w, "meDa=");
            QTest::keyClicks(in<QLineEdit>(w, "meDa"), QStringLiteral("12345"));
            usa(w, passi);
            QTest::keyClick(&w, Qt::Key_Escape);
            QCOMPARE(a.testiMessaggi(), messaggi);
            QCOMPARE(w.isVisible(), !messaggi.empty());
            QCOMPARE(testo(w, "labMin") + testo(w, "labMax"), QStringLiteral("18001950"));
        }
        QVERIFY(mCondizioni.sommaMin == 1900 && mCondizioni.sommaMax == 1950);
    }

    void distanze() {
        Ambiente a;
        a.prepara(5, 1, 12);
        a.daMenu("menuDistanzaNumeri", [&](QDialog& f) {
            // Steps stop at both ends; any key on a step button steps (so holding it repeats), a
            // modifier alone does not; an ON panel measuring nothing is not left behind.
            usa(f, "cmdPrev2 lblnFiltro:01 cmdTOP lblnFiltro:25 cmdNext1 lblnFiltro:25 cmdBOTTOM lblnFiltro:01");
            for (Qt::Key tasto : {Qt::Key_A, Qt::Key_Shift, Qt::Key_Space})
                QTest::keyClick(in<QToolButton>(f, "cmdNext2"), tasto);
            usa(f, "lblnFiltro:11 cmdBOTTOM optCond(0) cmdNext1 lblnFiltro:01");
            QCOMPARE(a.testiMessaggi(), std::vector<std::string>{"M0100"});
            usa(f,
                "lbPFromPTo(1) lbDistanzaMin(2) cmdNext1 cmdNext1 lbPFromPTo(2) lbDistanzaMax(3) optCond(0) "
                "lblTotFiltriON:02");
        });
        // Panels 1 ON, 2 OFF, 3 ON: two filters, in order, at the head.
        QVERIFY(a.segnato("menuDistanzaNumeri"));
        ::comeLaRigaDiComando(a, "--gap 1:2: --gap 2::3");
        // A reset takes every mark away, the distance filters' too.
        a.menu("menuModifiche");
        a.pulsante("cmdCancella")->click();
        QVERIFY(!a.segnato("menuDistanzaNumeri"));
    }

    // The two reductions exclude each other: the second refused while the first is on, the
    // first switching the second off.
    void riduzioni() {
        Ambiente a;
        a.prepara(4, 1, 10);
        auto imposta = [](int valore) {
            return [valore](QDialog& f) {
                f.findChild<QScrollBar*>()->setValue(valore);
                clic(f, f.objectName() == QStringLiteral("frmRidotto") ? "optCondizione(0)" : "optCond(0)");
            };
        };
        a.daMenu("menuRidotto", imposta(2));
        a.daMenu("menuDistanzaMinima", imposta(3));
        QCOMPARE(a.testiMessaggi(), std::vector<std::string>{"M0005"});
        QVERIFY(!a.segnato("menuRidotto") && a.segnato("menuDistanzaMinima"));
        a.daMenu("menuRidotto", imposta(2));
        QCOMPARE(a.testiMessaggi().back(), std::string("M0021"));
        QVERIFY(a.segnato("menuRidotto") && !a.segnato("menuDistanzaMinima"));
        ::comeLaRigaDiComando(a, "--nx 2");
    }

    // After a run every window shows the settings and changes nothing, whatever the user does.
    void bloccate() {
        Ambiente a;
        a.prepara(5, 1, 12);
        ImpostaSomma(20, 40);
        ImpostaFisse(false, {3});
        ImpostaRidotto(true, 1);
        mFiltriAND[1] = filtro({1, 2, 30}, 7, true);
        mFiltriOR[1] = filtro({4}, 3, true);
        mFiltriOR[2] = filtro({5}, 2, false);
        mNumFiltriAND = mNumFiltriOR = 1;
        a.calcola();
        QCOMPARE(mGUILocked, -1);
        const uint64_t lavoro = ImprontaLavoro();
        // A base-column import the locked window would let through.
        a.cartella.scrivi("base.txt", "1 2 3 4 5\r\n");
        a.faccia.fileScelti = {(a.cartella / "base.txt").string()};
        for (const char* voce :
             {"menuSomma", "menuPariDispari", "menuFisse", "menuConsecutivi", "menuDistanzaNumeri", "menuRidotto",
              "menuDistanzaMinima", "menuColonnaFiltroAND", "menuColonnaFiltroOR", "menuColonnaBase"}) {
            a.daMenu(voce, [](QDialog& f) {
                for (auto* b : f.findChildren<QPushButton*>()) QTest::mouseClick(b, Qt::LeftButton);
                for (auto* lista : f.findChildren<ui::EtichetteSelezione*>())
                    for (int i = lista->base(); i < lista->base() + lista->numero(); ++i)
                        QTest::mouseClick(lista, Qt::LeftButton, {}, lista->etichetta(i)->geometry().center());
                for (auto* e : f.findChildren<QLineEdit*>()) QTest::keyClicks(e, QStringLiteral("9"));
                for (auto* s : f.findChildren<QScrollBar*>()) QTest::keyClick(s, Qt::Key_Right);
                if (auto* c = f.findChild<QToolButton*>(QStringLiteral("cmdCancella"))) c->click();
            });
        }
        QCOMPARE(ImprontaLavoro(), lavoro);
        QVERIFY(mNumColonneBase == 0 && !mColonneBaseAttive);
    }
};

NOVANTA_PROVA(finestre_condizione_test);
#include "finestre_condizione_test.moc"
