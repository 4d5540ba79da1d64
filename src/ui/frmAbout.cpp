#include "ui/frmAbout.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/interfaccia.h"
#include "ui/interfacciaQt.h"
#include "ui/lingua.h"
#include "versione.h"

namespace novanta::ui {

QString TestoVersione() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(NOVANTA_VERSIONE_MAJOR)
        .arg(NOVANTA_VERSIONE_MINOR)
        .arg(NOVANTA_VERSIONE_PATCH);
}

EtichettaURL::EtichettaURL(const QString& indirizzo, QWidget* parent) : QLabel(indirizzo, parent) {
    setObjectName(QStringLiteral("lbURL"));
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QStringLiteral("color: #0645ad; text-decoration: underline;"));
    setAlignment(Qt::AlignCenter);
}

void EtichettaURL::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
        UI().ApriURL(S(text()));
        if (dopoClic) dopoClic();
    }
    QLabel::mouseReleaseEvent(e);
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Informazioni su ") + QStringLiteral(NOVANTA_TITOLO));
    auto* v = new QVBoxLayout(this);
    v->setSpacing(10);
    v->setContentsMargins(24, 20, 24, 16);
    lblTitolo = new QLabel(QStringLiteral(NOVANTA_TITOLO), this);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    QFont f = lblTitolo->font();
    f.setPointSizeF(f.pointSizeF() * 2.2);
    f.setBold(true);
    lblTitolo->setFont(f);
    lblTitolo->setAlignment(Qt::AlignCenter);
    lblTitolo->setStyleSheet(QStringLiteral("color: #008080;"));
    lblVersione = new QLabel(TestoVersione(), this);
    lblVersione->setObjectName(QStringLiteral("lblVersione"));
    lblVersione->setAlignment(Qt::AlignCenter);
    auto* descrizione = new QLabel(QStringLiteral("Sistemi per il gioco del lotto da 1 a 90"), this);
    descrizione->setObjectName(QStringLiteral("lblDescrizione"));
    descrizione->setAlignment(Qt::AlignCenter);
    lbURL = new EtichettaURL(QString::fromLatin1(INDIRIZZO_SITO), this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    v->addWidget(lblTitolo);
    v->addWidget(lblVersione);
    v->addWidget(descrizione);
    v->addWidget(lbURL);
    auto* basso = new QHBoxLayout;
    basso->addStretch(1);
    basso->addWidget(cmdOK);
    basso->addStretch(1);
    v->addLayout(basso);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    adjustSize();
    CentraForm(this);
}

}  // namespace novanta::ui
