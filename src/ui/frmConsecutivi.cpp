#include "ui/frmConsecutivi.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/corpo.h"
#include "core/regole_condizioni.h"

namespace novanta::ui {

frmConsecutivi::frmConsecutivi(QWidget* parent) : FinestraCondizione(QStringLiteral("frmConsecutivi"), parent) {
    setWindowTitle(QStringLiteral("Numeri Consecutivi"));
    auto* v = new QVBoxLayout(this);
    frameCondizione = new QGroupBox(this);
    frameCondizione->setObjectName(QStringLiteral("frameCondizione"));
    auto* dentro = new QVBoxLayout(frameCondizione);
    framePresenze = new QGroupBox(QStringLiteral("Consecutivi"), frameCondizione);
    framePresenze->setObjectName(QStringLiteral("framePresenze"));
    auto* presenze = new QVBoxLayout(framePresenze);
    lbPresenze = new EtichetteSelezione(QStringLiteral("lbPresenze"), 1, TestiNumerati(1, 25), 13, framePresenze);
    presenze->addWidget(lbPresenze);
    dentro->addWidget(framePresenze);
    auto* basso = new QHBoxLayout;
    frameStatoCond = new CoppiaOnOff(QStringLiteral("frameStatoCond"), QStringLiteral("optCond"), frameCondizione);
    lblMax = new QLabel(QStringLiteral("Max"), frameCondizione);
    lblMax->setObjectName(QStringLiteral("lblMax"));
    l1 = new QLabel(frameCondizione);
    l1->setObjectName(QStringLiteral("l1"));
    basso->addWidget(frameStatoCond);
    basso->addStretch(1);
    basso->addWidget(lblMax);
    basso->addWidget(l1);
    dentro->addLayout(basso);
    v->addWidget(frameCondizione);

    // Lengths above k are hidden but keep their state, so they stay in the mask.
    for (int j = 1; j <= 25; ++j) {
        lbPresenze->setVisibile(j, j <= mLenCol);
        lbPresenze->Imposta(j, (mConsecutivi.maschera & (int32_t{1} << j)) != 0);
    }
    frameStatoCond->Scegli(mConsecutivi.attivo ? 0 : 1);
    l1->setText(QStringLiteral("%1").arg(MassimoConsecutiviPronostico(), 2, 10, QLatin1Char('0')));
    connect(frameStatoCond, &CoppiaOnOff::cliccato, this, [](int i) { ImpostaConsecutiviAttivo(i == 0); });
    if (bloccata()) {
        lbPresenze->setSolaLettura(true);
        frameStatoCond->setSolaLettura(true);
    }
    Prepara();
}

bool frmConsecutivi::Chiudi() {
    if (bloccata()) return true;
    int32_t maschera = 0;
    for (int j = 1; j <= 25; ++j)
        if (lbPresenze->scelto(j)) maschera |= int32_t{1} << j;
    ImpostaConsecutivi(mConsecutivi.attivo, maschera);
    return true;
}

}  // namespace novanta::ui
