#include "ui/avvio.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QEventLoop>
#include <QLocalSocket>
#include <QPainter>
#include <QPixmap>
#include <QThread>
#include <QTimer>

#include "core/cartella_dati.h"
#include "core/corpo.h"
#include "net/aggiornamenti.h"
#include "progetto/progetto.h"
#include "ui/frmCalcolo.h"
#include "ui/frmMAIN.h"
#include "ui/frmSplash.h"
#include "ui/interfacciaQt.h"
#include "versione.h"

namespace novanta::ui {

QString NomeServerIstanza(const std::filesystem::path& cartella) {
    const QByteArray impronta =
        QCryptographicHash::hash(QByteArray::fromStdString(cartella.string()), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QStringLiteral("novanta-") + QString::fromLatin1(impronta);
}

IstanzaUnica::IstanzaUnica(const std::filesystem::path& cartella)
    : cartella_(cartella), nome_(NomeServerIstanza(cartella)) {}
IstanzaUnica::~IstanzaUnica() = default;

bool IstanzaUnica::Prima() {
    std::string errore;
    const EsitoIstanza esito = AcquisisciIstanzaUnica(cartella_, errore);
    if (esito != EsitoIstanza::GiaInEsecuzione) {
        // Also when the lock cannot be taken at all (a read-only folder): better a second copy
        // than no program.
        server_ = std::make_unique<QLocalServer>();
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        if (esito == EsitoIstanza::Unica) QLocalServer::removeServer(nome_);
        server_->listen(nome_);
        QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
            while (QLocalSocket* s = server_->nextPendingConnection()) {
                QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
                if (allaConsegna) allaConsegna();
            }
        });
        return true;
    }
    // The running copy may still be starting: give it a little time to open its socket.
    for (int tentativo = 0; tentativo < 20; ++tentativo) {
        QLocalSocket s;
        s.connectToServer(nome_);
        if (s.waitForConnected(250)) {
            s.write("mostra\n");
            s.waitForBytesWritten(250);
            s.disconnectFromServer();
            break;
        }
        QThread::msleep(100);
    }
    return false;
}

QIcon IconaProgramma() {
    QIcon icona;
    for (int lato : {16, 32, 48, 64, 128, 256}) {
        QPixmap p(lato, lato);
        p.fill(Qt::transparent);
        QPainter g(&p);
        g.setRenderHint(QPainter::Antialiasing);
        g.setBrush(QColor(0x00, 0x80, 0x80));
        g.setPen(Qt::NoPen);
        g.drawRoundedRect(QRectF(0, 0, lato, lato), lato * 0.18, lato * 0.18);
        QFont f;
        f.setBold(true);
        f.setPixelSize(static_cast<int>(lato * 0.5));
        g.setFont(f);
        g.setPen(Qt::white);
        g.drawText(QRectF(0, 0, lato, lato), Qt::AlignCenter, QStringLiteral("90"));
        g.end();
        icona.addPixmap(p);
    }
    return icona;
}

void Attendi(int millisecondi) {
    QEventLoop ciclo;
    QTimer::singleShot(millisecondi, &ciclo, &QEventLoop::quit);
    ciclo.exec();
}

QWidget* PortaInPrimoPiano(QWidget* principale) {
    if (principale && principale->isMinimized()) principale->showNormal();
    // During a run, or while a window waits for an answer, the main window is disabled: the
    // window that can act comes to the front, so its buttons stay in reach.
    QWidget* davanti = QApplication::activeModalWidget();
    if (!davanti)
        if (InterfacciaQt* f = FacciaQt(); f && f->progresso() && f->progresso()->isVisible()) davanti = f->progresso();
    if (!davanti) davanti = principale;
    if (!davanti) return nullptr;
    davanti->show();
    davanti->raise();
    davanti->activateWindow();
    return davanti;
}

int Avvio() {
    QApplication::setWindowIcon(IconaProgramma());
    // A folder that cannot be made shows up where a file in it is needed.
    PreparaAvvio();
    // The lock is held already when this copy is the first; the socket carries the hand-over.
    IstanzaUnica istanza(mPathDati);
    if (!istanza.Prima()) return 0;

    frmSplash splash;
    splash.show();
    splash.repaint();
    QCoreApplication::processEvents();

    // A newer version on the server: its notice has been shown, and the user carries on.
    NewVersion();

    frmMAIN principale;
    istanza.allaConsegna = [&principale] { PortaInPrimoPiano(&principale); };
    // The first start asks for the language in a window of its own, not over the splash.
    ReadConfiguration();
    if (mLinguaCorrente.empty()) splash.hide();
    principale.Carica();
    ResetSistema(false);
    SegnaLavoroSalvato();
    Attendi(500);
    splash.close();
    principale.show();
    // The work of a copy that did not end cleanly.
    if (OffriRecupero()) principale.AggiornaSegniCondizioni();
    principale.AggiornaTitolo();
    return QApplication::exec();
}

}  // namespace novanta::ui
