#include "ui/frmRidotto.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/corpo.h"
#include "core/regole_condizioni.h"
#include "engine/riduzioni.h"

namespace novanta::ui {

FinestraRiduzione::FinestraRiduzione(const Nomi& n, int minimo, int valore, bool attiva, QWidget* parent)
    : FinestraCondizione(QString::fromLatin1(n.finestra), parent) {
    setWindowTitle(QString::fromUtf8(n.titolo));
    auto* v = new QVBoxLayout(this);
    frameCondizione = new QGroupBox(this);
    frameCondizione->setObjectName(QStringLiteral("frameCondizione"));
    auto* dentro = new QVBoxLayout(frameCondizione);
    auto* frameValore = new QGroupBox(QString::fromUtf8(n.titoloValore), frameCondizione);
    frameValore->setObjectName(QString::fromLatin1(n.frameValore));
    auto* riga = new QHBoxLayout(frameValore);
    scorrimento = new QScrollBar(Qt::Horizontal, frameValore);
    scorrimento->setObjectName(QString::fromLatin1(n.barra));
    scorrimento->setFocusPolicy(Qt::StrongFocus);
    scorrimento->setMinimumWidth(200);
    scorrimento->setPageStep(1);
    valoreMostrato = new QLabel(frameValore);
    valoreMostrato->setObjectName(QString::fromLatin1(n.etichetta));
    valoreMostrato->setMinimumWidth(valoreMostrato->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    valoreMostrato->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    riga->addWidget(scorrimento, 1);
    riga->addWidget(valoreMostrato);
    dentro->addWidget(frameValore);
    stato = new CoppiaOnOff(QStringLiteral("frameStatoCond"), QString::fromLatin1(n.bottoni), frameCondizione);
    dentro->addWidget(stato, 0, Qt::AlignLeft);
    v->addWidget(frameCondizione);

    connect(scorrimento, &QScrollBar::valueChanged, valoreMostrato, qOverload<int>(&QLabel::setNum));
    scorrimento->setRange(minimo, mLenCol);
    scorrimento->setValue(valore);
    valoreMostrato->setNum(scorrimento->value());
    stato->Scegli(attiva ? 0 : 1);
    if (bloccata()) frameCondizione->setEnabled(false);
    Prepara();
}

frmRidotto::frmRidotto(QWidget* parent)
    : FinestraRiduzione(
          {"frmRidotto", "Ridotto a Garanzia", "frameNx", "N-x", "hsRidottoNx", "lblRidottoNx", "optCondizione"}, 0,
          std::min<int>(mCondizioni.ridottoNx, mLenCol), mCondizioni.ridottoAttivo, parent) {
    if (!bloccata()) ApriRidotto();
    connect(stato, &CoppiaOnOff::cliccato, this, [this](int i) { ImpostaRidotto(i == 0, barra()->value()); });
}

bool frmRidotto::Chiudi() {
    if (bloccata()) return true;
    ImpostaRidotto(stato->scelto() == 0, barra()->value());
    ChiudiRidotto();
    return true;
}

}  // namespace novanta::ui
