#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "ambiente.h"
#include "core/regole_condizioni.h"
#include "support/formato.h"
#include "ui/controlli_condizione.h"
#include "ui/frmConsecutivi.h"
#include "ui/frmFiltriDistanzaNumeri.h"
#include "ui/frmFisse.h"
#include "ui/frmPari.h"
#include "ui/frmRidotto.h"
#include "ui/frmRidottoDistanzaMinima.h"
#include "ui/frmSomma.h"

using namespace novanta;
using namespace novanta::test;

namespace {

// The test language with the messages of the condition windows, each text its own id.
void conMessaggi(const Ambiente& a) {
    std::string lingua = LINGUA_PROVA;
    lingua.replace(lingua.find("[Strings]\r\n"), 11,
                   "[Strings]\r\n0005=M0005\r\n0021=M0021\r\n0022=M0022\r\n0023=M0023\r\n0024=M0024\r\n0100=M0100\r\n");
    a.cartella.scrivi("prova.lng", lingua);
}

std::vector<std::string> testiMessaggi(const Ambiente& a) {
    std::vector<std::string> v;
    for (const auto& m : a.faccia.messaggi) v.push_back(m.testo);
    return v;
}

template <typename T = QWidget>
T* in(QWidget& w, const QString& nome) {
    T* trovato = w.findChild<T*>(nome);
    if (!trovato) qWarning("no %s", qPrintable(nome));
    return trovato;
}

void clic(QWidget& w, const QString& nome) {
    auto* b = in<QAbstractButton>(w, nome);
    QTest::mouseClick(b, Qt::LeftButton);
}

// A label of a toggle array, clicked where the user would click it.
void clicEtichetta(QWidget& w, const QString& nome) {
    auto* l = in<QLabel>(w, nome);
    QTest::mouseClick(l->parentWidget(), Qt::LeftButton, {}, l->geometry().center());
}

// Opens a window from its menu entry, lets `azione` work on it, and closes it by the close box.
void daMenu(Ambiente& a, const char* voce, const std::function<void(QDialog&)>& azione) {
    a.faccia.allaFinestra = [&](QDialog& f) {
        azione(f);
        return 0;
    };
    a.trova<QAction>(voce)->trigger();
    a.faccia.allaFinestra = nullptr;
}

// The stored system as the command line writes it.
std::string sistema() {
    std::string s;
    for (int32_t c = 1; c <= mSistema.nColonne; ++c) {
        s += ' ';
        for (int p = 1; p <= mLenCol; ++p) s += FormatoZeri(mArrColonne.valore(c, p), 2) + ' ';
        s += "\r\n";
    }
    return s;
}

// Runs "Elabora Sistema" and compares the system with novanta-cli generate on the same settings.
void comeLaRigaDiComando(Ambiente& a, std::vector<std::string> argomenti) {
    a.calcola();
    QVERIFY(mSistema.nColonne > 0);
    const std::string finestra = sistema();
    const EsitoCli cli = EseguiCli(a.cartella.percorso(), argomenti);
    ImpostaInterfaccia(&a.faccia);
    QCOMPARE(cli.codice, 0);
    QCOMPARE(cli.out, finestra);
}

}  // namespace

class finestre_condizione_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void somma() {
        Ambiente a;
        conMessaggi(a);
        a.prepara(5, 1, 10);
        struct Caso {
            const char *da, *al;
            std::vector<std::string> messaggi;
            bool aperta;
        } const casi[] = {
            {"30", "20", {"M0022"}, true},
            {"10", "50", {"M0023", "M0024"}, true},
            {"", "", {}, false},  // both emptied: the stored bounds stay
            {"20", "30", {}, false},
        };
        for (const Caso& c : casi) {
            a.faccia.messaggi.clear();
            ui::frmSomma w;
            w.show();
            QCOMPARE(in<QLabel>(w, "labMin")->text(), QStringLiteral("15"));
            QCOMPARE(in<QLabel>(w, "labMax")->text(), QStringLiteral("40"));
            in<QLineEdit>(w, "meDa")->setText(QString::fromLatin1(c.da));
            in<QLineEdit>(w, "meA")->setText(QString::fromLatin1(c.al));
            QTest::keyClick(&w, Qt::Key_Escape);  // Esc validates like the close box
            QCOMPARE(testiMessaggi(a), c.messaggi);
            QCOMPARE(w.isVisible(), c.aperta);
            if (!c.messaggi.empty()) QCOMPARE(a.faccia.messaggi.front().titolo, std::string(" !!! ERROR !!! "));
        }
        QCOMPARE(mCondizioni.sommaMin, int16_t(20));
        QCOMPARE(mCondizioni.sommaMax, int16_t(30));
        daMenu(a, "menuSomma", [](QDialog& f) { clic(f, "optCondSomma(0)"); });
        QVERIFY(a.trova<QAction>("menuSomma")->isChecked());
        comeLaRigaDiComando(a, {"generate", "--numbers", "1-10", "--length", "5", "--sum", "20-30"});

        // Twenty-five numbers reach a sum of 1,950: the fields take four digits.
        Ambiente b;
        b.prepara(25, 60, 90);
        ui::frmSomma w;
        QCOMPARE(in<QLineEdit>(w, "meA")->text(), QStringLiteral("1950"));
        QTest::keyClicks(in<QLineEdit>(w, "meDa"), QStringLiteral("12345"));
        QCOMPARE(in<QLineEdit>(w, "meDa")->text().size(), 4);
    }

    void pari() {
        Ambiente a;
        a.prepara(3, 1, 9);
        daMenu(a, "menuPariDispari", [](QDialog& f) {
            auto* lista = in<ui::EtichetteSelezione>(f, "labPariDispari_array");
            QVERIFY(lista->visibile(3) && !lista->visibile(4));
            clicEtichetta(f, "labPariDispari(1)");
            QVERIFY(mCondizioni.pari[1]);  // stored at the click
            clic(f, "optCondizione(0)");
        });
        QVERIFY(a.trova<QAction>("menuPariDispari")->isChecked());
        comeLaRigaDiComando(a, {"generate", "--numbers", "1-9", "--length", "3", "--even", "1"});
    }

    void fisse() {
        Ambiente a;
        a.prepara(6, 1, 15);
        mCondizioni.fisse[40] = 1;  // left from an earlier prediction
        daMenu(a, "menuFisse", [](QDialog& f) {
            QCOMPARE(in<QLabel>(f, "l1")->text(), QStringLiteral("0"));
            for (int i : {0, 2, 4, 6, 8, 10, 39}) clicEtichetta(f, QStringLiteral("labGriglia(%1)").arg(i));
            QCOMPARE(in<QLabel>(f, "l1")->text(), QStringLiteral("5"));  // k - 1; 11 and 40 ignored
            clic(f, "optCondFisse(0)");
        });
        QCOMPARE(mCondizioni.numFisse, uint8_t(5));
        QCOMPARE(mCondizioni.fisse[11], uint8_t(0));
        QCOMPARE(mCondizioni.fisse[40], uint8_t(0));
        QVERIFY(a.trova<QAction>("menuFisse")->isChecked());
        comeLaRigaDiComando(a, {"generate", "--numbers", "1-15", "--length", "6", "--fixed", "1,3,5,7,9"});
    }

    void consecutivi() {
        Ambiente a;
        a.prepara(4, 1, 12);
        mConsecutivi.maschera = 1 << 7;  // chosen when the columns were longer
        daMenu(a, "menuConsecutivi", [](QDialog& f) {
            QCOMPARE(in<QLabel>(f, "l1")->text(), QStringLiteral("04"));
            QVERIFY(!in<QLabel>(f, "lbPresenze(7)")->isVisible());
            clicEtichetta(f, "lbPresenze(1)");
            clicEtichetta(f, "lbPresenze(2)");
            clic(f, "optCond(0)");
        });
        QCOMPARE(mConsecutivi.maschera, (1 << 7) | 6);
        comeLaRigaDiComando(a, {"generate", "--numbers", "1-12", "--length", "4", "--runs", "1,2"});
    }

    void distanze() {
        Ambiente a;
        conMessaggi(a);
        a.prepara(5, 1, 12);
        daMenu(a, "menuDistanzaNumeri", [&](QDialog& f) {
            auto& w = static_cast<ui::frmFiltriDistanzaNumeri&>(f);
            // Steps stop at both ends.
            for (auto [nome, atteso] : {std::pair{"cmdPrev2", 1}, {"cmdPrev1", 1}, {"cmdTOP", 25}, {"cmdNext1", 25},
                                        {"cmdPrev1", 24}, {"cmdNext2", 25}, {"cmdBOTTOM", 1}}) {
                clic(f, QString::fromLatin1(nome));
                QCOMPARE(w.pannello(), atteso);
            }
            // Any key on a step button steps (so holding it repeats); a modifier alone does not.
            for (Qt::Key tasto : {Qt::Key_A, Qt::Key_Shift, Qt::Key_Space})
                QTest::keyClick(in<QToolButton>(f, "cmdNext2"), tasto);
            QCOMPARE(w.pannello(), 11);
            clic(f, "cmdBOTTOM");
            // An ON panel measuring nothing is not left behind.
            clic(f, "optCond(0)");
            clic(f, "cmdNext1");
            QCOMPARE(w.pannello(), 1);
            QCOMPARE(testiMessaggi(a), std::vector<std::string>{"M0100"});
            clicEtichetta(f, "lbPFromPTo(1)");
            clicEtichetta(f, "lbDistanzaMin(2)");
            clic(f, "cmdNext1");
            clic(f, "cmdNext1");
            clicEtichetta(f, "lbPFromPTo(2)");
            clicEtichetta(f, "lbDistanzaMax(3)");
            clic(f, "optCond(0)");
            QCOMPARE(in<QLabel>(f, "lblTotFiltriON")->text(), QStringLiteral("02"));
        });
        // Panels 1 ON, 2 OFF, 3 ON: two filters, in order, at the head.
        QCOMPARE(int(mNumFiltriDistanza), 2);
        QCOMPARE(int(mFiltriDistanza[1].posizioni[1]), 1);
        QCOMPARE(int(mFiltriDistanza[2].posizioni[1]), 2);
        QVERIFY(!mFiltriDistanza[3].attivo);
        QVERIFY(a.trova<QAction>("menuDistanzaNumeri")->isChecked());
        comeLaRigaDiComando(a, {"generate", "--numbers", "1-12", "--length", "5", "--gap", "1:2:", "--gap", "2::3"});
        // A reset takes every mark away, the distance filters' too.
        a.trova<QAction>("menuModifiche")->trigger();
        a.pulsante("cmdCancella")->click();
        QVERIFY(!a.trova<QAction>("menuDistanzaNumeri")->isChecked());
    }

    void riduzioni() {
        Ambiente a;
        conMessaggi(a);
        a.prepara(4, 1, 10);
        auto imposta = [](int valore) {
            return [valore](QDialog& f) {
                f.findChild<QScrollBar*>()->setValue(valore);
                clic(f, f.objectName() == QStringLiteral("frmRidotto") ? "optCondizione(0)" : "optCond(0)");
            };
        };
        daMenu(a, "menuRidotto", imposta(2));
        daMenu(a, "menuDistanzaMinima", imposta(3));
        QCOMPARE(testiMessaggi(a), std::vector<std::string>{"M0005"});
        QVERIFY(!mCondizioni.ridottoAttivo && mDistanzaMinima.attiva);
        QVERIFY(!a.trova<QAction>("menuRidotto")->isChecked() && a.trova<QAction>("menuDistanzaMinima")->isChecked());
        daMenu(a, "menuRidotto", imposta(2));
        QCOMPARE(testiMessaggi(a).back(), std::string("M0021"));
        QVERIFY(mCondizioni.ridottoAttivo && !mDistanzaMinima.attiva);
        QVERIFY(a.trova<QAction>("menuRidotto")->isChecked() && !a.trova<QAction>("menuDistanzaMinima")->isChecked());
        comeLaRigaDiComando(a, {"generate", "--numbers", "1-10", "--length", "4", "--nx", "2"});
    }

    // After a run every window shows the settings and changes nothing, whatever the user does.
    void bloccate() {
        Ambiente a;
        a.prepara(5, 1, 12);
        ImpostaSomma(20, 40);
        ImpostaFisse(false, {3});
        ImpostaRidotto(true, 1);
        a.calcola();
        QCOMPARE(mGUILocked, -1);
        const auto condizioni = mCondizioni;
        const auto consecutivi = mConsecutivi;
        const auto distanze = mFiltriDistanza;
        const auto minima = mDistanzaMinima;
        for (const char* voce : {"menuSomma", "menuPariDispari", "menuFisse", "menuConsecutivi", "menuDistanzaNumeri",
                                 "menuRidotto", "menuDistanzaMinima"}) {
            daMenu(a, voce, [](QDialog& f) {
                for (auto* b : f.findChildren<QPushButton*>()) QTest::mouseClick(b, Qt::LeftButton);
                for (auto* lista : f.findChildren<ui::EtichetteSelezione*>()) {
                    for (int i = lista->base(); i < lista->base() + lista->numero(); ++i) {
                        const QPoint p = lista->etichetta(i)->geometry().center();
                        QTest::mouseClick(lista, Qt::LeftButton, {}, p);
                    }
                }
                for (auto* e : f.findChildren<QLineEdit*>()) QTest::keyClicks(e, QStringLiteral("9"));
                for (auto* s : f.findChildren<QScrollBar*>()) QTest::keyClick(s, Qt::Key_Right);
                if (auto* c = f.findChild<QToolButton*>(QStringLiteral("cmdCancella"))) c->click();
            });
        }
        QVERIFY(mCondizioni == condizioni);
        QVERIFY(mConsecutivi == consecutivi);
        QVERIFY(mFiltriDistanza == distanze);
        QVERIFY(mDistanzaMinima == minima);
    }
};

NOVANTA_PROVA(finestre_condizione_test);
#include "finestre_condizione_test.moc"
