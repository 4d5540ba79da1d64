#include "ui/frmMatr.h"
#include "ambiente.h"
#include "matrices/applica_matrice.h"
#include "matrices/ordine_pronostico.h"
#include "support/matrice_prova.h"
#include "ui/frmOrdinaPronostico.h"

namespace {

void scrivi(const std::string& nome, const MATRIX_STRUCTURE& m) { ScriviMatriceProva(mPathDati / "matrici" / nome, m); }

QString casella(QDialog& d, const char* nome) { return in<QLineEdit>(d, nome)->text(); }

}  // namespace

class frmMatr_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The lists of both modes, the header boxes and what each entry lets the user do; damaged,
    // expired and foreign files are listed and marked red (that they cannot be applied is the
    // list's core test).
    void elencoNeiDueModi() {
        Ambiente a;
        // The real language, so the red labels and captions carry their texts.
        a.cartella.scrivi("prova.lng",
                          LeggiFile(std::filesystem::path(NOVANTA_DATA_SOURCE_DIR) / "lingue" / "italiano.lng"));
        std::filesystem::create_directories(mPathDati / "matrici");
        scrivi("a.mzel", MatriceProva(20, 10, {}, 7));
        scrivi("b.mzel", MatriceProva(20, 8, {}, 6));
        scrivi("c.mzel", MatriceProva(15, 10, {}, 9));
        scrivi("1-crc.mzel", MatriceProva(5, 3));
        auto rotta = LeggiFile(mPathDati / "matrici" / "1-crc.mzel");
        rotta[142] = 2;
        a.cartella.scrivi("matrici/1-crc.mzel", rotta);
        auto scaduta = MatriceProva(5, 3);
        scaduta.VALID_TO = OggiOLE() - 1;
        scrivi("2-scaduta.mzel", scaduta);
        auto tag = MatriceProva(5, 3);
        tag.VERSION_ID = "MATRICEZELV0001";
        scrivi("4-tag.mzel", tag);
        a.prepara(10, 1, 20);
        a.daMenu("cmdAdatta", [](QDialog& d) {
            auto* applica = in<QPushButton>(d, "cmdAdattaMatrice");
            auto* txt = in<QPushButton>(d, "cmdMatriceTXT");
            auto* l = in<QListWidget>(d, "flZEL");
            // The custom entry and the one matrix of 20 in 10.
            QCOMPARE(l->count(), 2);
            QVERIFY(l->item(1)->text().startsWith(" 20 | 10 |  7"));
            QCOMPARE(d.windowTitle(), QStringLiteral("Matrici disponibili (2)"));
            QVERIFY(!applica->isEnabled() && txt->isEnabled() && casella(d, "txtFileName") == "CUSTOM");
            l->setCurrentRow(1);
            QVERIFY(applica->isEnabled() && !txt->isEnabled());
            // Enter in a header box moves on to the next box.
            auto* v = in<QLineEdit>(d, "txtNumMatrix");
            v->setFocus();
            QTest::keyClick(v, Qt::Key_Return);
            QCOMPARE(
                QStringList({casella(d, "txtNumMatrix"), casella(d, "txtLenCol"), casella(d, "txtGaranty"),
                             casella(d, "txtColMatrix"), casella(d, "txtFileName"), d.focusWidget()->objectName()}),
                QStringList({"20", "10", "7", "1", "a.mzel", "txtLenCol"}));
        });
        QStringList rossi;
        a.daMenu("mnuElencoSistemiImmediati", [&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Matrici disponibili (6)"));
            QVERIFY(in(d, "cmdUpdateMatrix")->isVisible() && in(d, "cmdOpenDir")->isVisible() &&
                    !in(d, "cmdMatriceTXT")->isVisible());
            auto* l = in<QListWidget>(d, "flZEL");
            for (int r = 0; r < l->count(); ++r) {
                l->setCurrentRow(r);
                QString testo = casella(d, "txtFileName") + ":";
                for (const char* n : {"lblChkVersion", "lblOK", "lblScaduta"}) {
                    auto* e = in<QLabel>(d, n);
                    if (!e->text().isEmpty() && e->palette().color(QPalette::Window) == QColor(255, 0, 0))
                        testo += QString::fromLatin1(n);
                }
                rossi << testo;
            }
            clic(d, "cmdOpenDir");
        });
        rossi.sort();
        QCOMPARE(rossi, QStringList({"1-crc.mzel:lblOK", "2-scaduta.mzel:lblScaduta", "4-tag.mzel:lblChkVersion",
                                     "a.mzel:", "b.mzel:", "c.mzel:"}));
        QCOMPARE(a.faccia.modali.size(), size_t(2));
    }

    // From the window: the order window first (a swap by drag), two fixed numbers, the
    // confirmation; the result is what the core routine gives for the same order and answers.
    void applicaComeIlNucleo() {
        Ambiente a;
        std::filesystem::create_directories(mPathDati / "matrici");
        const auto m = MatriceProva(6, 3, {{1, 2, 3}, {1, 2, 4}, {1, 2, 5}, {1, 2, 6}}, 2, 2);
        scrivi("fisse.mzel", m);
        a.prepara(3, 5, 5);
        for (int n : {10, 15, 20, 25, 30}) a.clicNumero(n);
        mConfig.modalitaRicalcolo = true;
        a.faccia.input = {std::string("99"), std::string("25"), std::string("10")};
        QString trascinato;
        a.daMenu("cmdAdatta", [&](QDialog& d) {
            if (d.objectName() == QStringLiteral("frmOrdinaPronostico")) {
                auto* f = in<QFrame>(d, "frameOrdinePronostico");
                auto centro = [&](int i) {
                    return in(d, QStringLiteral("labPronosticoOrdinato(%1)").arg(i))->geometry().center();
                };
                QTest::mousePress(f, Qt::LeftButton, {}, centro(0));
                QTest::mouseMove(f, centro(3));
                trascinato = testo(d, "l1");
                QTest::mouseRelease(f, Qt::LeftButton, {}, centro(5));
                return;
            }
            in<QListWidget>(d, "flZEL")->setCurrentRow(1);
            clic(d, "cmdAdattaMatrice");
        });
        QCOMPARE(trascinato, QStringLiteral("05"));
        QCOMPARE(a.faccia.modali, (std::vector<QString>{"frmMatr", "frmOrdinaPronostico"}));
        QCOMPARE(a.faccia.prompt_.size(), size_t(3));  // 99 is not in the prediction: asked again
        const uint64_t lavoro = ImprontaLavoro();
        QVERIFY(a.segnato("menuFisse") && a.segnato("menuRidotto"));
        // The recalculation mode leaves the calculation and the length open at once, not the grid.
        QVERIFY(a.attivo("cmdCalcolo") && a.attivo("frameLenCol") && a.attivo("cmdVisualizza") &&
                !a.attivo("cmdAdatta") && !a.attivo("frameNumeri"));
        QCOMPARE(mGUILocked, 0);

        a.faccia.input = {std::string("25"), std::string("10")};
        ResetSistema(true);
        CaricaPronostico();
        ScriviOrdinePronostico(std::vector<uint8_t>{30, 10, 15, 20, 25, 5});
        QVERIFY(ApplicaMatrice(m));
        QCOMPARE(mSistema.nColonne, 4);
        QCOMPARE(ImprontaLavoro(), lavoro);
    }

    // A swap from the keyboard, written back at closing; opening again starts from the grid.
    void ordinePronostico() {
        Ambiente a;
        for (int n : {17, 5, 33}) a.clicNumero(n);
        auto etichette = [](QDialog& d) {
            QStringList out;
            for (int i = 0; i < 3; ++i) out << testo(d, QStringLiteral("labPronosticoOrdinato(%1)").arg(i));
            return out;
        };
        for (int volta = 0; volta < 2; ++volta) {
            ui::frmOrdinaPronostico d(a.principale.get());
            d.show();
            QCOMPARE(etichette(d), QStringList({"05", "17", "33"}));
            // Take the first number and drop it on the third.
            for (auto tasto : {Qt::Key_Space, Qt::Key_Right, Qt::Key_Right, Qt::Key_Return})
                QTest::keyClick(in(d, "frameOrdinePronostico"), tasto);
            QCOMPARE(etichette(d), QStringList({"33", "17", "05"}));
            QTest::keyClick(&d, Qt::Key_Escape);
            QVERIFY(!d.isVisible());
            QCOMPARE(std::vector<int>(mSistema.pronostico.begin(), mSistema.pronostico.begin() + 3),
                     (std::vector<int>{33, 17, 5}));
        }
    }
};

NOVANTA_PROVA(frmMatr_test);
#include "frmMatr_test.moc"
