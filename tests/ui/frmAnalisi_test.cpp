#include <QBarSeries>
#include <QBarSet>
#include <QChartView>

#include "ambiente.h"
#include "textfiles/colonne_txt.h"
#include "ui/frmAnalisi.h"

class frmAnalisi_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // From the menu of a system of two columns of three: the table, the chart, a typed draw,
    // a bad and a good file of draws, a cancelled analysis, Esc.
    void tabellaGraficoEstrazioniEAnnullamento() {
        Ambiente a;
        a.cartella.scrivi("s.txt", "1 2 3\n4 5 6\n");
        QVERIFY(ImportaColonneTxt((a.cartella / "s.txt").string()));
        a.cartella.scrivi("male.txt", "1 2 3\n4 5 99\n");
        a.cartella.scrivi("bene.txt", "2024-01-02 1 2 3\n# x\n7 8 9\n");
        a.daMenu("menuAnalisi", [&](QDialog& d) {
            auto& f = static_cast<ui::frmAnalisi&>(d);
            QVERIFY(QTest::qWaitFor([&] { return !f.risultato().tabella.empty(); }));
            // m = 0..3: a pair across the two columns meets each in one number, three numbers put two in one.
            auto* t = in<QTableWidget>(d, "tblGaranzia");
            QStringList garanzie;
            for (int r = 0; r < t->rowCount(); ++r) garanzie << t->item(r, t->columnCount() - 1)->text();
            QCOMPARE(garanzie, QStringList({"0", "1", "1", "2"}));
            auto* serie = static_cast<QBarSeries*>(in<QChartView>(d, "grafico")->chart()->series().at(0));
            QCOMPARE(serie->barSets().at(0)->count(), 4);

            auto* campo = in<QLineEdit>(d, "txtEstrazione");
            campo->setText(QStringLiteral("1, 2 4"));
            QTest::keyClick(campo, Qt::Key_Return);
            const QStringList esito = testo(d, "lblEsito").split(QLatin1Char('\n'));
            QVERIFY(esito.size() == 2 && esito[0].endsWith(QLatin1String(" 2")));
            QCOMPARE(in<QListWidget>(d, "lstVincenti")->count(), 2);  // the heading and column 1

            const size_t prima = a.faccia.messaggi.size();
            f.CaricaEstrazioni((a.cartella / "male.txt").string());
            QCOMPARE(a.faccia.messaggi.size(), prima + 1);
            f.CaricaEstrazioni((a.cartella / "bene.txt").string());
            auto* e = in<QTableWidget>(d, "tblEstrazioni");
            QCOMPARE(e->rowCount(), 2);
            QCOMPARE(e->item(0, 3)->text() + e->item(1, 3)->text() + e->item(0, 1)->text(),
                     QStringLiteral("302024-01-02"));

            // The cancel button is live during the analysis and stops it.
            a.faccia.allYield = [&](int64_t) { clic(d, "cmdAnnulla"); };
            in<QSpinBox>(d, "spinEstratti")->setValue(5);
            clic(d, "cmdAnalizza");
            a.faccia.allYield = nullptr;
            QCOMPARE(a.faccia.messaggi.back().icona, Icona::Informazione);
            QTest::keyClick(&d, Qt::Key_Escape);
            QVERIFY(!d.isVisible());
        });
        QCOMPARE(a.faccia.modali, std::vector<QString>{QStringLiteral("frmAnalisi")});
    }
};

NOVANTA_PROVA(frmAnalisi_test);
#include "frmAnalisi_test.moc"
