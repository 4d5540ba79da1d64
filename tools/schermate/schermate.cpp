// Drives the program's windows on the screen it is given and saves a PNG of each:
// novanta_schermate FOLDER [LANGUAGE] (make screenshots runs it under Xvfb, in Italian).
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/cartella_dati.h"
#include "core/corpo.h"
#include "core/regole_condizioni.h"
#include "engine/motore.h"
#include "faccia_prova.h"
#include "matrices/elenco_matrici.h"
#include "matrices/matrice.h"
#include "textfiles/colonne_base.h"
#include "textfiles/filtri_txt.h"
#include "ui/avvio.h"
#include "ui/frmAbout.h"
#include "ui/frmAnalisi.h"
#include "ui/frmCalcolo.h"
#include "ui/frmConsecutivi.h"
#include "ui/frmFiltri.h"
#include "ui/frmFiltriDistanzaNumeri.h"
#include "ui/frmFisse.h"
#include "ui/frmImportBase.h"
#include "ui/frmImportFiltri.h"
#include "ui/frmImpostazioni.h"
#include "ui/frmMAIN.h"
#include "ui/frmMatr.h"
#include "ui/frmNewVersion.h"
#include "ui/frmOrdinaPronostico.h"
#include "ui/frmOttimizza.h"
#include "ui/frmPari.h"
#include "ui/frmRidotto.h"
#include "ui/frmRidottoDistanzaMinima.h"
#include "ui/frmSomma.h"
#include "ui/frmSplash.h"
#include "ui/frmVisualizza.h"
#include "ui/lingua.h"

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

// The group-filter windows on imported and hand-made filters, the import window with a file
// chosen, and the base columns loaded; the lists go back empty for the run that follows.
void FotografaFiltriEBase(QWidget& principale, test::FacciaProva& faccia) {
    const int pronostico[16] = {3, 7, 12, 18, 21, 27, 33, 38, 45, 51, 56, 62, 67, 74, 80, 88};
    std::string filtri, base;
    for (int r = 0; r < 240; ++r) {
        for (int i = 0; i < 16; ++i)
            if ((r * 7 + i * 5) % 16 < 6) filtri += std::to_string(pronostico[i]) + " ";
        filtri += "\r\n";
    }
    for (int r = 0; r < 14; ++r) {
        for (int p = 0; p < 6; ++p) base += std::to_string(pronostico[(r * 3 + p * 5) % 16]) + (p < 5 ? " " : "\r\n");
    }
    const std::string fileFiltri = (mPathDati / "txt" / "filtri.txt").string();
    const std::string fileBase = (mPathDati / "txt" / "base.txt").string();
    std::ofstream(fileFiltri, std::ios::binary) << filtri;
    std::ofstream(fileBase, std::ios::binary) << base;
    ImportaFiltriGruppo(0, fileFiltri, 0b1110);
    for (int f = 1; f <= 3; ++f) {
        tFiltroGruppo& g = mFiltriOR[f];
        for (int i = f; i < 16; i += 3) g.numeri[static_cast<size_t>(pronostico[i])] = 1;
        g.presenze = f == 2 ? 0b1100 : 0b110;
        g.attivo = f != 3;
    }
    mNumFiltriOR = 2;
    {
        ui::frmFiltri and_(0, &principale);
        and_.PannelloAvanti(4);
        salva(&and_, "frmFiltri-AND");
    }
    {
        ui::frmFiltri or_(1, &principale);
        or_.PannelloAvanti(1);
        salva(&or_, "frmFiltri-OR");
    }
    {
        ui::frmImportFiltri importa(0, &principale);
        faccia.fileScelti = {fileFiltri};
        importa.findChild<QPushButton*>(QStringLiteral("cmdImportaFiltri"))->click();
        auto* presenze = importa.findChild<QWidget*>(QStringLiteral("lbPresenze_array"));
        importa.show();
        (void)QTest::qWaitForWindowExposed(&importa);
        for (int j : {1, 2}) {
            auto* l = importa.findChild<QLabel*>(QStringLiteral("lbPresenze(%1)").arg(j));
            QTest::mouseClick(presenze, Qt::LeftButton, {}, l->geometry().center());
        }
        salva(&importa, "frmImportFiltri");
    }
    {
        ImportaColonneBase(fileBase);
        mColonneBaseAttive = true;
        ui::frmImportBase colonne(&principale);
        salva(&colonne, "frmImportBase");
    }
    mFiltriAND.Cancella();
    mFiltriOR.Cancella();
    mNumFiltriAND = mNumFiltriOR = 0;
    mColonneBaseAttive = false;
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
    // The shipped languages, Italian (or the one named) chosen, as on a first start that went well.
    std::error_code ec;
    const std::filesystem::path lingue = std::filesystem::path(NOVANTA_DATA_SOURCE_DIR) / "lingue";
    for (std::filesystem::directory_iterator it(lingue, ec), fine; !ec && it != fine; it.increment(ec))
        std::filesystem::copy_file(it->path(), mPathDati / it->path().filename(), ec);
    test::FacciaProva faccia;
    // A second argument names another shipped language (english) to check its captions.
    const std::string lingua = argc > 2 ? argv[2] : "italiano";
    std::ofstream(mPathDati / "qiv.ini", std::ios::binary)
        << "[IMPOSTAZIONI]\r\nLINGUA=" << lingua << "\r\nMODALITA' RICALCOLO=FALSE\r\n";
    InizializzaCorpo();
    // The shipped matrices, and beside them an expired and a damaged one, as a user may have.
    InstallaMatriciDistribuite(errore);
    {
        MATRIX_STRUCTURE m;
        ErroreLettura letto;
        LeggiMatrice(mPathDati / "matrici" / "v16k6t4.mzel", m, letto);
        m.VALID_FROM = OggiOLE() - 400;
        m.VALID_TO = OggiOLE() - 30;
        ScriviMatrice(mPathDati / "matrici" / "v16k6t4-2025.mzel", m, errore);
        std::vector<uint8_t> dati;
        LeggiFileMatrice(mPathDati / "matrici" / "v16k6t4.mzel", dati, letto);
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
    // The keyboard's cursor on the grid.
    principale.show();
    principale.activateWindow();
    principale.griglia()->setFocus();
    for (Qt::Key k : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right}) QTest::keyClick(principale.griglia(), k);
    salva(&principale, "frmMAIN");
    FotografaFiltriEBase(principale, faccia);

    // The condition windows with some choices made on that prediction.
    ImpostaSomma(250, 330);
    ImpostaSommaAttiva(true);
    {
        std::array<bool, 26> pari{};
        pari[2] = pari[3] = pari[4] = true;
        ImpostaPari(true, pari);
    }
    ImpostaFisse(true, {21, 45});
    ImpostaConsecutivi(true, (1 << 1) | (1 << 2));
    {
        tFiltroDistanza f;
        f.posizioni[++f.numPosizioni] = 1;
        f.posizioni[++f.numPosizioni] = 3;
        for (int d : {5, 6, 7}) f.distMin[static_cast<size_t>(d)] = true;
        for (int d : {9, 10, 11, 12}) f.distMax[static_cast<size_t>(d)] = true;
        f.attivo = true;
        ImpostaFiltroDistanza(1, f);
        CompattaFiltriDistanza();
    }
    ImpostaRidotto(true, 2);
    ImpostaDistanzaMinima(false, 3);
    {
        ui::frmSomma w(&principale);
        salva(&w, "frmSomma");
    }
    {
        ui::frmPari w(&principale);
        salva(&w, "frmPari");
    }
    {
        ui::frmFisse w(&principale);
        salva(&w, "frmFisse");
    }
    {
        ui::frmConsecutivi w(&principale);
        salva(&w, "frmConsecutivi");
    }
    {
        ui::frmFiltriDistanzaNumeri w(&principale);
        salva(&w, "frmFiltriDistanzaNumeri");
    }
    {
        ui::frmRidotto w(&principale);
        salva(&w, "frmRidotto");
    }
    {
        ui::frmRidottoDistanzaMinima w(&principale);
        salva(&w, "frmRidottoDistanzaMinima");
    }
    // The run below shows the integral system of that prediction.
    ResetSistema(true);

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
    principale.resize(1200, 680);

    // A run cut short says so in the status bar.
    ModificaSistema();
    faccia.allYield = [](int64_t) { mAnnullaCalcolo = true; };
    principale.findChild<QPushButton*>(QStringLiteral("cmdCalcolo"))->click();
    faccia.allYield = nullptr;
    salva(&principale, "frmMAIN-interrotto");

    // The menu titles and the rest in English.
    mLinguaCorrente = "english";
    ui::ApplicaLinguaATutte();
    salva(&principale, "frmMAIN-english");

    // The elapsed-time box of a run, as wide as its title needs.
    QTimer::singleShot(300, [] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            salva(box, "MsgBox-durata");
            box->close();
        }
    });
    faccia.ui::InterfacciaQt::MsgBox("0 Days 00:00:01", Pulsanti::OK, Icona::Nessuna, "");

    // The first start: the settings window asks, the locale's language preselected.
    std::ofstream(mPathDati / "qiv.ini", std::ios::binary) << "[IMPOSTAZIONI]\r\n";
    mLinguaCorrente.clear();
    qputenv("LC_ALL", "en_US.UTF-8");
    {
        ui::frmImpostazioni primo;
        salva(&primo, "frmImpostazioni-primo-avvio");
    }
    return 0;
}
