#include "ui/frmNewVersion.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/interfaccia.h"
#include "ui/frmAbout.h"
#include "ui/interfacciaQt.h"
#include "ui/lingua.h"

namespace novanta::ui {

frmNewVersion::frmNewVersion(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmNewVersion"));
    setProperty("ApplicaLingua", true);
    setWindowTitle(QStringLiteral("Nuova Versione Disponibile!!"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(24, 20, 24, 20);
    v->setSpacing(14);
    setMinimumWidth(380);
    auto* g = new QGridLayout;
    g->setHorizontalSpacing(18);
    lblServer = new QLabel(QStringLiteral("Versione sul Server"), this);
    lblServer->setObjectName(QStringLiteral("lblServer"));
    lblLocale = new QLabel(QStringLiteral("Versione Locale"), this);
    lblLocale->setObjectName(QStringLiteral("lblLocale"));
    lbRemoteVersion = new QLabel(this);
    lbRemoteVersion->setObjectName(QStringLiteral("lbRemoteVersion"));
    lbLocalVersion = new QLabel(this);
    lbLocalVersion->setObjectName(QStringLiteral("lbLocalVersion"));
    QFont f = lbRemoteVersion->font();
    f.setBold(true);
    lbRemoteVersion->setFont(f);
    lbLocalVersion->setFont(f);
    g->addWidget(lblServer, 0, 0);
    g->addWidget(lbRemoteVersion, 0, 1);
    g->addWidget(lblLocale, 1, 0);
    g->addWidget(lbLocalVersion, 1, 1);
    v->addLayout(g);
    lbURL = new EtichettaURL(QString::fromLatin1(INDIRIZZO_SITO), this);
    lbURL->dopoClic = [this] { accept(); };
    v->addWidget(lbURL);
    // A newer version never locks the user out of this one: carrying on is the default.
    lblAvviso = new QLabel(
        QStringLiteral("È disponibile una versione più nuova del programma. Puoi continuare a lavorare con questa."),
        this);
    lblAvviso->setObjectName(QStringLiteral("lblAvviso"));
    lblAvviso->setWordWrap(true);
    v->insertWidget(0, lblAvviso);
    cmdScarica = new QPushButton(QStringLiteral("&Apri la pagina per scaricarla"), this);
    cmdScarica->setObjectName(QStringLiteral("cmdScarica"));
    cmdContinua = new QPushButton(QStringLiteral("&Continua con questa versione"), this);
    cmdContinua->setObjectName(QStringLiteral("cmdContinua"));
    cmdContinua->setDefault(true);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch(1);
    pulsanti->addWidget(cmdScarica);
    pulsanti->addWidget(cmdContinua);
    v->addLayout(pulsanti);
    connect(cmdContinua, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdScarica, &QPushButton::clicked, this, [this] {
        UI().ApriURL(S(lbURL->text()));
        accept();
    });
    ApplicaLingua(this);
    adjustSize();
    CentraForm(this);
}

void frmNewVersion::showEvent(QShowEvent* e) {
    lbLocalVersion->setText(localVersion);
    lbRemoteVersion->setText(remoteVersion);
    QDialog::showEvent(e);
}

}  // namespace novanta::ui
