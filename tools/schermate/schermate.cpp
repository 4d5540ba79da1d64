// Drives the program's windows on the screen it is given and saves a PNG of each:
// novanta_schermate FOLDER (make screenshots runs it under Xvfb).
#include <QApplication>
#include <QDir>
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
#include "faccia_prova.h"
#include "ui/avvio.h"
#include "ui/frmAbout.h"
#include "ui/frmCalcolo.h"
#include "ui/frmImpostazioni.h"
#include "ui/frmMAIN.h"
#include "ui/frmNewVersion.h"
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
    std::ofstream(mPathDati / "qiv.ini", std::ios::binary) << "[IMPOSTAZIONI]\r\nLINGUA=italiano\r\nMODALITA' RICALCOLO=FALSE\r\n";
    InizializzaCorpo();

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
    return 0;
}
