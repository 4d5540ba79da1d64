#include "ui/avvio.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLocalSocket>
#include <QPainter>
#include <QPixmap>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "core/corpo.h"
#include "ui/frmMAIN.h"
#include "ui/frmSplash.h"
#include "ui/interfacciaQt.h"
#include "versione.h"

namespace novanta::ui {

IstanzaUnica::IstanzaUnica(const QString& nome) : nome_(nome) {}
IstanzaUnica::~IstanzaUnica() = default;

bool IstanzaUnica::Prima() {
    QString cartella = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (cartella.isEmpty()) cartella = QDir::tempPath();
    QDir().mkpath(cartella);
    blocco_ = std::make_unique<QLockFile>(cartella + QLatin1Char('/') + nome_ + QStringLiteral(".lock"));
    // The lock is held for the whole life of the program: only a dead owner makes it stale.
    blocco_->setStaleLockTime(0);
    if (blocco_->tryLock(0)) {
        server_ = std::make_unique<QLocalServer>();
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        QLocalServer::removeServer(nome_);
        server_->listen(nome_);
        QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
            while (QLocalSocket* s = server_->nextPendingConnection()) {
                QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
                if (allaConsegna) allaConsegna();
            }
        });
        return true;
    }
    blocco_.reset();
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

std::string CartellaDatiPredefinita() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    const std::filesystem::path base =
        xdg && *xdg ? std::filesystem::path(xdg) : std::filesystem::path(home ? home : ".") / ".local" / "share";
    return (base / NOVANTA_TITOLO).string();
}

void PreparaCartelle() {
    std::error_code ec;
    for (const char* sotto : {"temp", "txt", "sistemi", "csv", "matrici"})
        std::filesystem::create_directories(mPathDati / sotto, ec);
}

void Attendi(int millisecondi) {
    QEventLoop ciclo;
    QTimer::singleShot(millisecondi, &ciclo, &QEventLoop::quit);
    ciclo.exec();
}

int Avvio() {
    QApplication::setWindowIcon(IconaProgramma());
    InizializzaCorpo();
    if (mPathDati.empty()) mPathDati = CartellaDatiPredefinita();
    PreparaCartelle();

    IstanzaUnica istanza(QStringLiteral("novanta-") + QString::number(static_cast<qulonglong>(qHash(QDir::homePath()))));
    if (!istanza.Prima()) return 0;

    frmSplash splash;
    splash.show();
    splash.repaint();
    QCoreApplication::processEvents();

    frmMAIN principale;
    istanza.allaConsegna = [&principale] {
        if (principale.isMinimized()) principale.showNormal();
        principale.show();
        principale.raise();
        principale.activateWindow();
    };
    principale.Carica();
    ResetSistema(false);
    Attendi(500);
    splash.close();
    principale.show();
    return QApplication::exec();
}

}  // namespace novanta::ui
