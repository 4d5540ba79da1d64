#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ambiente.h"
#include "prove.h"
#include "settings/multiLanguage.h"
#include "ui/frmImpostazioni.h"

using namespace novanta;
using namespace novanta::test;

namespace {

constexpr auto leggiFile = &test::LeggiFile;

void scegli(QComboBox* c, const QString& testo) {
    const int i = c->findText(testo);
    QVERIFY(i >= 0);
    c->setCurrentIndex(i);
    Q_EMIT c->activated(i);
}

}  // namespace

class frmImpostazioni_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void alPrimoAvvioLeImpostazioniVengonoPrima() {
        Ambiente a(false, false);
        a.cartella.scrivi("prova.lng", LINGUA_PROVA);
        bool comboGiusta = false;
        a.faccia.allaFinestra = [&](QDialog& d) {
            auto* combo = d.findChild<QComboBox*>(QStringLiteral("cmbLingua"));
            comboGiusta = combo->count() == 1 && combo->currentText() == QStringLiteral("PROVA");
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdSalva")), Qt::LeftButton);
            return d.result();
        };
        a.principale->Carica();
        QCOMPARE(a.faccia.modali.size(), size_t{1});
        QCOMPARE(a.faccia.modali[0], QStringLiteral("frmImpostazioni"));
        QCOMPARE(a.faccia.principaleVisibile[0], false);
        QVERIFY(comboGiusta);
        // No language was chosen yet: the user is asked to pick one.
        QVERIFY(!a.faccia.messaggi.empty());
        QCOMPARE(a.faccia.messaggi[0].testo, std::string("Select Language"));
        QVERIFY(leggiFile(a.cartella / "qiv.ini").find("LINGUA=PROVA") != std::string::npos);
        QCOMPARE(mConfig.lingua, std::string("PROVA"));
        QCOMPARE(a.principale->windowTitle(), QStringLiteral("Novanta prova"));
    }

    void conUnaLinguaScelta() {
        Ambiente a;
        QVERIFY(a.faccia.modali.empty());  // the settings window is not shown again
    }

    void cambiareLinguaCambiaLeDidascalieSubito() {
        Ambiente a;
        a.cartella.scrivi("altra.lng", "[Strings]\r\n0042=Numbers\r\n[frmMAIN]\r\nfrmMAIN.Caption=Novanta other\r\n"
                                       "cmdCalcolo.Caption=Build\r\n[frmImpostazioni]\r\nfrmImpostazioni.Caption=Settings\r\n");
        QCOMPARE(a.pulsante("cmdCalcolo")->text(), QStringLiteral("Elabora Sistema"));
        QString titoloDurante, pulsanteDurante, impostazioniDurante, contatoreDurante;
        a.faccia.allaFinestra = [&](QDialog& d) {
            scegli(d.findChild<QComboBox*>(QStringLiteral("cmbLingua")), QStringLiteral("ALTRA"));
            titoloDurante = a.principale->windowTitle();
            pulsanteDurante = a.pulsante("cmdCalcolo")->text();
            impostazioniDurante = d.windowTitle();
            contatoreDurante = a.etichetta("labnumeri")->text();
            return int(QDialog::Rejected);
        };
        a.trova<QAction>("menuImpostazioni")->trigger();
        QCOMPARE(titoloDurante, QStringLiteral("Novanta other"));
        QCOMPARE(pulsanteDurante, QStringLiteral("Build"));
        QCOMPARE(impostazioniDurante, QStringLiteral("Settings"));
        QCOMPARE(contatoreDurante, QStringLiteral("Numbers [0]"));
        // Closed without saving: the file still names the old language.
        QVERIFY(leggiFile(a.cartella / "qiv.ini").find("LINGUA=prova") != std::string::npos);
    }

    void salvareScriveLaModalitaRicalcolo() {
        Ambiente a;
        bool spenta = false, accesa = false;
        a.faccia.allaFinestra = [&](QDialog& d) {
            auto* chk = d.findChild<QCheckBox*>(QStringLiteral("chkStatoRicalcolo"));
            auto* memoria = d.findChild<QRadioButton*>(QStringLiteral("optModoRicalcolo(0)"));
            auto* file = d.findChild<QRadioButton*>(QStringLiteral("optModoRicalcolo(1)"));
            // Off at first, and the two sources with it.
            spenta = !chk->isChecked() && !memoria->isEnabled() && file->isChecked();
            QTest::mouseClick(chk, Qt::LeftButton);
            accesa = memoria->isEnabled();
            QTest::mouseClick(memoria, Qt::LeftButton);
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdSalva")), Qt::LeftButton);
            return d.result();
        };
        a.trova<QAction>("menuImpostazioni")->trigger();
        QVERIFY(spenta);
        QVERIFY(accesa);
        const std::string ini = leggiFile(a.cartella / "qiv.ini");
        QVERIFY(ini.find("MODALITA' RICALCOLO=TRUE") != std::string::npos);
        QVERIFY(ini.find("SORGENTE RICALCOLO=2") != std::string::npos);
        QVERIFY(mConfig.modalitaRicalcolo);
        QCOMPARE(int(mConfig.sorgenteRicalcolo), 2);
        // Opened again, the window shows what was saved.
        a.faccia.allaFinestra = [&](QDialog& d) {
            return d.findChild<QCheckBox*>(QStringLiteral("chkStatoRicalcolo"))->isChecked() &&
                           d.findChild<QRadioButton*>(QStringLiteral("optModoRicalcolo(0)"))->isChecked()
                       ? int(QDialog::Accepted)
                       : int(QDialog::Rejected);
        };
        ui::frmImpostazioni di(a.principale.get());
        QCOMPARE(a.faccia.Modale(di), int(QDialog::Accepted));
    }

    void senzaFileDiLinguaAvvisa() {
        Ambiente a(false, false);
        a.faccia.allaFinestra = [](QDialog&) { return int(QDialog::Rejected); };
        a.principale->Carica();
        bool avvisato = false;
        for (const auto& m : a.faccia.messaggi)
            avvisato = avvisato || (m.testo == "Warning files language not found" && m.icona == Icona::Critica);
        QVERIFY(avvisato);
        // The main window still loads, with its design texts.
        QCOMPARE(a.principale->griglia()->etichetta(9)->text(), QStringLiteral("10"));
    }

    void unaLinguaCambiaSoloCioCheNomina() {
        Ambiente a;
        a.cartella.scrivi("prova.lng", "[frmMAIN]\r\ngrnum(3).ToolTipText=quattro\r\ncmdCancella.Caption=\r\n");
        mLinguaCorrente = "prova";
        ui::frmMAIN altra;
        altra.Carica();
        QCOMPARE(altra.griglia()->etichetta(3)->toolTip(), QStringLiteral("quattro"));
        QCOMPARE(altra.griglia()->etichetta(4)->toolTip(), QString());
        QCOMPARE(altra.findChild<QPushButton*>(QStringLiteral("cmdCancella"))->text(), QStringLiteral("Cancella Sistema"));
    }
};

NOVANTA_PROVA(frmImpostazioni_test, "frmImpostazioni_test");
#include "frmImpostazioni_test.moc"
#include "support/registratore.h"
