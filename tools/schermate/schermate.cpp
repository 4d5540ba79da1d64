// Drives the program's windows on the screen it is given and saves a PNG of each:
// novanta_schermate FOLDER [LANGUAGE] (make screenshots runs it under Xvfb, in Italian).
#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/cartella_dati.h"
#include "core/corpo.h"
#include "engine/motore.h"
#include "matrices/elenco_matrici.h"
#include "matrices/matrice.h"
#include "faccia_prova.h"
#include "ui/avvio.h"
#include "ui/frmAbout.h"
#include "ui/frmAnalisi.h"
#include "ui/frmCalcolo.h"
#include "ui/frmImpostazioni.h"
#include "ui/frmMatr.h"
#include "ui/frmMAIN.h"
#include "ui/frmNewVersion.h"
#include "ui/frmOrdinaPronostico.h"
#include "ui/frmOttimizza.h"
#include "ui/frmSplash.h"
#include "ui/frmVisualizza.h"

using namespace novanta;

namespace {

QString cartellaUscita;

void salva(QWidget* w, const char* nome) {
    w->show();
    (void)QTest::qWaitForWindowExposed(w);
    QTest::qWait(80);
    const QString file = cartellaUscita + QLatin1Char('/') + QString::fromLatin1(nome) + QStringLiteral(".png");
    if (w->grab().save(file))
        std::printf("%s\n", qPrintable(file));
    else
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(file));
}

// Selects the entry of a file in the matrix window's list.
void seleziona(QWidget& finestra, const std::string& nome) {
    auto* elenco = finestra.findChild<QListWidget*>(QStringLiteral("flZEL"));
    for (int r = 0; r < elenco->count(); ++r)
        if (mElencoMatrici[static_cast<size_t>(r)].nomeFile == nome) elenco->setCurrentRow(r);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(ui::IconaProgramma());
    cartellaUscita = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(cartellaUscita);

    QTemporaryDir dati;
    mPathDati = dati.path().toStdString();
    std::string errore;
    PreparaCartelleDati(errore);
    // The shipped languages, Italian chosen, as on a first start that went well.
    std::error_code ec;
    const std::filesystem::path lingue = std::filesystem::path(NOVANTA_DATA_SOURCE_DIR) / "lingue";
    for (std::filesystem::directory_iterator it(lingue, ec), fine; !ec && it != fine; it.increment(ec))
        std::filesystem::copy_file(it->path(), mPathDati / it->path().filename(), ec);
    test::FacciaProva faccia;
    const std::string lingua = argc > 2 ? argv[2] : "italiano";
    std::ofstream(mPathDati / "qiv.ini", std::ios::binary) << "[IMPOSTAZIONI]\r\nLINGUA=" << lingua << "\r\nMODALITA' RICALCOLO=FALSE\r\n";
    InizializzaCorpo();
    // The shipped matrices, and beside them an expired and a damaged one, as a user may have.
    InstallaMatriciDistribuite(errore);
    {
        MATRIX_STRUCTURE m;
        LeggiMatrice(mPathDati / "matrici" / "v16k6t4.mzel", m, errore);
        m.VALID_FROM = OggiOLE() - 400;
        m.VALID_TO = OggiOLE() - 30;
        ScriviMatrice(mPathDati / "matrici" / "v16k6t4-2025.mzel", m, errore);
        std::vector<uint8_t> dati;
        LeggiFileMatrice(mPathDati / "matrici" / "v16k6t4.mzel", dati, errore);
        dati[150] ^= 0x01;
        std::ofstream(mPathDati / "matrici" / "V16K6T4-COPIA.mzel", std::ios::binary)
            .write(reinterpret_cast<const char*>(dati.data()), static_cast<std::streamsize>(dati.size()));
    }

    {
        ui::frmSplash splash;
        salva(&splash, "frmSplash");
    }

    ui::frmMAIN principale;
    principale.Carica();
    principale.resize(1200, 680);
    principale.findChild<QScrollBar*>(QStringLiteral("hsLenCol"))->setValue(6);
    for (int n : {3, 7, 12, 18, 21, 27, 33, 38, 45, 51, 56, 62, 67, 74, 80, 88}) GrigliaNumeriClick(n - 1);
    salva(&principale, "frmMAIN");

    {
        CaricaElencoMatrici(mSistema.numPronostico);
        ui::frmMatr matrici(&principale, true);
        seleziona(matrici, "v16k6t4-2025.mzel");
        salva(&matrici, "frmMatr-adatta");
    }
    {
        CaricaElencoMatrici(0);
        ui::frmMatr matrici(&principale, false);
        seleziona(matrici, "V16K6T4-COPIA.mzel");
        salva(&matrici, "frmMatr-elenco");
    }
    {
        ui::frmOrdinaPronostico ordine(&principale);
        ordine.Scambia(0, 9);
        ordine.Scambia(4, 12);
        salva(&ordine, "frmOrdinaPronostico");
        ordine.hide();
    }

    bool fotografato = false;
    faccia.allYield = [&](int64_t n) {
        if (n >= 120 && !fotografato && faccia.progresso()) {
            fotografato = true;
            salva(faccia.progresso(), "frmCalcolo");
        }
    };
    principale.findChild<QPushButton*>(QStringLiteral("cmdCalcolo"))->click();
    faccia.allYield = nullptr;
    salva(&principale, "frmMAIN-sistema");
    // The work saved once, so the File menu lists it among the last files.
    faccia.fileScelti = {(mPathDati / "sistemi" / "schedina.lec").string()};
    principale.SalvaSistemaConNome();
    if (auto* menu = principale.findChild<QMenu*>(QStringLiteral("menufile"))) {
        menu->popup(principale.mapToGlobal(QPoint(8, 28)));
        salva(menu, "frmMAIN-menufile");
        menu->hide();
    }

    {
        ui::frmVisualizza vista(&principale);
        vista.Avanti(1);
        salva(&vista, "frmVisualizza");
    }
    {
        ui::frmImpostazioni impostazioni(&principale);
        salva(&impostazioni, "frmImpostazioni");
    }
    {
        ui::frmAbout info(&principale);
        salva(&info, "frmAbout");
    }
    {
        ui::frmNewVersion nuova(&principale);
        nuova.localVersion = QStringLiteral("2.0.15");
        nuova.remoteVersion = QStringLiteral("2.1.0");
        salva(&nuova, "frmNewVersion");
    }
    {
        // The system recalculated as N-2, then two seconds of optimising.
        mCondizioni.ridottoAttivo = true;
        mCondizioni.ridottoNx = 2;
        RicalcolaSistema();
        ui::frmOttimizza ottimizza(&principale);
        ottimizza.findChild<QSpinBox*>(QStringLiteral("txtSecondi"))->setValue(2);
        ottimizza.show();
        ottimizza.Avvia();
        salva(&ottimizza, "frmOttimizza");
    }
    principale.resize(760, 480);
    salva(&principale, "frmMAIN-piccola");

    // The analysis of a reduced system: the same prediction in columns of 6, N-2.
    mCondizioni.ridottoAttivo = true;
    mCondizioni.ridottoNx = 2;
    GeneraSistema(mSistema.numPronostico, mSistema.pronostico);
    {
        std::ofstream(mPathDati / "csv" / "estrazioni.txt", std::ios::binary)
            << "2026-11-28 3 12 27 45 62 88\n2026-12-01 7 18 21 33 56 80\n2026-12-03 5 12 38 51 67 74\n"
            << "2026-12-05 3 7 12 18 40 90\n";
        ui::frmAnalisi analisi(&principale);
        analisi.resize(1100, 660);
        analisi.Analizza();
        salva(&analisi, "frmAnalisi");
        analisi.findChild<QLineEdit*>(QStringLiteral("txtEstrazione"))->setText(QStringLiteral("3 12 27 38 62 88"));
        analisi.ControllaEstrazione();
        analisi.CaricaEstrazioni((mPathDati / "csv" / "estrazioni.txt").string());
        analisi.findChild<QTabWidget*>(QStringLiteral("tabAnalisi"))->setCurrentIndex(1);
        salva(&analisi, "frmAnalisi-estrazioni");
    }
    return 0;
}
