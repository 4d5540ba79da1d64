#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "ambiente.h"
#include "ui/frmAnalisi.h"

using namespace novanta;
using namespace novanta::test;

class frmAnalisi_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // From the menu of a system of two columns of three: the table, the chart, a typed draw,
    // a bad and a good file of draws, a cancelled analysis, Esc.
    void tabellaGraficoEstrazioniEAnnullamento() {
        Ambiente a;
        mLenCol = 3;
        for (int p = 1; p <= 3; ++p) {
            mArrColonne(1, p) = static_cast<uint8_t>(p);
            mArrColonne(2, p) = static_cast<uint8_t>(p + 3);
        }
        mSistema.nColonne = 2;
        LockGUI();
        a.cartella.scrivi("male.txt", "1 2 3\n4 5 99\n");
        a.cartella.scrivi("bene.txt", "2024-01-02 1 2 3\n# x\n7 8 9\n");
        QStringList garanzie, esito;
        QList<qreal> barre;
        int righe = 0, vincenti = 0, messaggiDopoMale = 0, righeEstrazioni = 0;
        QString migliore, chiusa;
        a.faccia.allaFinestra = [&](QDialog& d) {
            auto& f = static_cast<ui::frmAnalisi&>(d);
            if (!QTest::qWaitFor([&] { return !f.risultato().tabella.empty(); })) return 0;
            auto* t = in<QTableWidget>(d, "tblGaranzia");
            righe = t->rowCount();
            for (int r = 0; r < righe; ++r) garanzie << t->item(r, t->columnCount() - 1)->text();
            auto* chart = in<QChartView>(d, "grafico")->chart();
            auto* serie = static_cast<QBarSeries*>(chart->series().at(0));
            for (int i = 0; i < serie->barSets().at(0)->count(); ++i) barre << serie->barSets().at(0)->at(i);

            auto* campo = in<QLineEdit>(d, "txtEstrazione");
            campo->setText(QStringLiteral("1, 2 4"));
            QTest::keyClick(campo, Qt::Key_Return);
            esito = testo(d, "lblEsito").split(QLatin1Char('\n'));
            vincenti = in<QListWidget>(d, "lstVincenti")->count();

            const size_t prima = a.faccia.messaggi.size();
            f.CaricaEstrazioni((a.cartella / "male.txt").string());
            messaggiDopoMale = static_cast<int>(a.faccia.messaggi.size() - prima);
            f.CaricaEstrazioni((a.cartella / "bene.txt").string());
            auto* e = in<QTableWidget>(d, "tblEstrazioni");
            righeEstrazioni = e->rowCount();
            migliore = e->item(0, 3)->text() + e->item(1, 3)->text() + e->item(0, 1)->text();

            // The cancel button is live during the analysis and stops it.
            a.faccia.allYield = [&](int64_t) { clic(d, "cmdAnnulla"); };
            in<QSpinBox>(d, "spinEstratti")->setValue(5);
            clic(d, "cmdAnalizza");
            a.faccia.allYield = nullptr;
            QTest::keyClick(&d, Qt::Key_Escape);
            chiusa = d.isVisible() ? QStringLiteral("aperta") : QStringLiteral("chiusa");
            return int(QDialog::Rejected);
        };
        a.trova<QAction>("menuAnalisi")->trigger();
        QCOMPARE(a.faccia.modali, std::vector<QString>{QStringLiteral("frmAnalisi")});
        // m = 0..3: a pair across the two columns meets each in one number, three numbers put two in one.
        QCOMPARE(righe, 4);
        QCOMPARE(garanzie, QStringList({"0", "1", "1", "2"}));
        QCOMPARE(barre.size(), 4);
        QVERIFY(esito.size() == 2 && esito[0].endsWith(QLatin1String(" 2")));
        QCOMPARE(vincenti, 2);  // the heading and column 1
        QCOMPARE(messaggiDopoMale, 1);
        QCOMPARE(righeEstrazioni, 2);
        QCOMPARE(migliore, QStringLiteral("302024-01-02"));
        QCOMPARE(a.faccia.messaggi.back().icona, Icona::Informazione);
        QCOMPARE(chiusa, QStringLiteral("chiusa"));
    }
};

NOVANTA_PROVA(frmAnalisi_test);
#include "frmAnalisi_test.moc"
