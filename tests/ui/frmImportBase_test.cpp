#include "ui/frmImportBase.h"
#include "ambiente.h"

class frmImportBase_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // An import, the whole grid copied, a sort by a clicked header, a partial copy, a refused
    // file that leaves everything as it was; then locked, where the grid still serves.
    void grigliaCopiaOrdinaEBlocco() {
        Ambiente a;
        a.prepara(6, 1, 30);
        a.cartella.scrivi("b.txt", "5 1 9 3 7 2\r\n4 8 6 10 12 11\r\n\r\n1 2 3 4 5 6\r\n");
        a.cartella.scrivi("corta.txt", "1 2 3 4 5\r\n");
        auto copia = [](ui::frmImportBase& w) {
            QGuiApplication::clipboard()->clear();
            QTest::keyClick(w.griglia(), Qt::Key_C, Qt::ControlModifier);
            return QGuiApplication::clipboard()->text();
        };
        {
            ui::frmImportBase w(a.principale.get());
            mostra(w);
            auto* conta = in<QLabel>(w, "lblNumColonneBase");
            QCOMPARE(conta->text(), QString());
            a.faccia.fileScelti = {(a.cartella / "b.txt").string()};
            clic(w, "cmdImportaBase");
            QCOMPARE(conta->text(), QStringLiteral("3"));
            QTest::keyClick(w.griglia(), Qt::Key_A, Qt::ControlModifier);
            QCOMPARE(copia(w), QStringLiteral("N.\tP1\tP2\tP3\tP4\tP5\tP6\r\n1\t05\t01\t09\t03\t07\t02\r\n"
                                              "2\t04\t08\t06\t10\t12\t11\r\n3\t01\t02\t03\t04\t05\t06\r\n"));
            QHeaderView* testata = w.griglia()->horizontalHeader();
            QTest::mouseClick(testata->viewport(), Qt::LeftButton, {},
                              QPoint(testata->sectionViewportPosition(1) + 4, 4));
            // Rows 1..2, columns P1..P2 selected from the bottom-right corner.
            auto* m = w.griglia()->model();
            w.griglia()->selectionModel()->select(QItemSelection(m->index(1, 2), m->index(0, 1)),
                                                  QItemSelectionModel::ClearAndSelect);
            QCOMPARE(copia(w), QStringLiteral("01\t02\r\n04\t08\r\n"));

            a.faccia.fileScelti = {(a.cartella / "corta.txt").string()};
            clic(w, "cmdImportaBase");
            QCOMPARE(a.faccia.messaggi.back().testo,
                     std::string("Lunghezza Colonna Base [5] diversa da Lunghezza Colonna [6]"));
            QCOMPARE(conta->text(), QStringLiteral("3"));
            QCOMPARE(mNumColonneBase, 3);
            QCOMPARE(m->rowCount(), 3);
        }
        // The menu entry opens the window; ON sets the condition and the mark.
        a.daMenu("menuColonnaBase", [](QDialog& d) { clic(d, "optCond(0)"); });
        QVERIFY(mColonneBaseAttive && a.segnato("menuColonnaBase"));
        // Locked, the grid still copies.
        mGUILocked = -1;
        ui::frmImportBase w(a.principale.get());
        mostra(w);
        QTest::keyClick(w.griglia(), Qt::Key_A, Qt::ControlModifier);
        QVERIFY(copia(w).startsWith(QStringLiteral("N.\tP1")));
    }
};

NOVANTA_PROVA(frmImportBase_test);
#include "frmImportBase_test.moc"
