#include "ambiente.h"

class frmImpostazioni_test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The first start asks in the settings window itself, with no box: the locale's language is
    // preselected, and Esc takes it as OK would, so the question does not come back.
    void alPrimoAvvioLeImpostazioniVengonoPrima() {
        const QByteArray lcAll = qgetenv("LC_ALL");
        qputenv("LC_ALL", "en_GB.UTF-8");
        Ambiente a(false, false);
        a.cartella.scrivi("altra.lng", LINGUA_PROVA);  // sorts before the locale's
        a.cartella.scrivi("english.lng", "[frmMAIN]\r\nfrmMAIN.Caption=Novanta English\r\n");
        a.conFinestre([&] { a.principale->Carica(); },
                      [](QDialog& d) {
                          QCOMPARE(in<QComboBox>(d, "cmbLingua")->currentText(), QStringLiteral("ENGLISH"));
                          QVERIFY(in<QLabel>(d, "lblPrimoAvvio")->isVisible());
                          QVERIFY(in<QPushButton>(d, "cmdSalva")->isDefault());
                          QTest::keyClick(&d, Qt::Key_Escape);
                      });
        qputenv("LC_ALL", lcAll);
        QCOMPARE(a.faccia.modali, std::vector<QString>{QStringLiteral("frmImpostazioni")});
        QCOMPARE(a.faccia.principaleVisibile[0], false);
        QVERIFY(a.faccia.messaggi.empty());
        QVERIFY(LeggiFile(a.cartella / "qiv.ini").find("LINGUA=ENGLISH") != std::string::npos);
        QCOMPARE(a.principale->windowTitle(), QStringLiteral("Novanta English"));
    }

    void cambiareLinguaCambiaLeDidascalieSubito() {
        Ambiente a;
        // An empty caption keeps the design text; an entry changes only the control it names.
        a.cartella.scrivi("altra.lng",
                          "[Strings]\r\n0042=Numbers\r\n[frmMAIN]\r\nfrmMAIN.Caption=Novanta other\r\n"
                          "cmdCalcolo.Caption=Build\r\ncmdCancella.Caption=\r\ngrnum(3).ToolTipText=four\r\n"
                          "[frmImpostazioni]\r\nfrmImpostazioni.Caption=Settings\r\n");
        QCOMPARE(a.pulsante("cmdCalcolo")->text(), QStringLiteral("Elabora Sistema"));
        a.daMenu("menuImpostazioni", [&](QDialog& d) {
            auto* combo = in<QComboBox>(d, "cmbLingua");
            const int i = combo->findText(QStringLiteral("ALTRA"));
            combo->setCurrentIndex(i);
            Q_EMIT combo->activated(i);
            const QStringList durante{
                a.principale->windowTitle(),   a.pulsante("cmdCalcolo")->text(),  d.windowTitle(),
                a.testo("labnumeri"),          a.pulsante("cmdCancella")->text(), a.trova("grnum(3)")->toolTip(),
                a.trova("grnum(4)")->toolTip()};
            QCOMPARE(durante, QStringList({"Novanta other", "Build", "Settings", "Numbers [0]", "Cancella Sistema",
                                           "four", ""}));
        });
        // Closed without saving: the file still names the old language.
        QVERIFY(LeggiFile(a.cartella / "qiv.ini").find("LINGUA=prova") != std::string::npos);
    }
};

NOVANTA_PROVA(frmImpostazioni_test);
#include "frmImpostazioni_test.moc"
