#include "ui/frmFisse.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/corpo.h"
#include "core/regole_condizioni.h"

namespace novanta::ui {

frmFisse::frmFisse(QWidget* parent) : FinestraCondizione(QStringLiteral("frmFisse"), parent) {
    setWindowTitle(QStringLiteral(" Fisse"));
    auto* v = new QVBoxLayout(this);
    frameFisse = new QGroupBox(this);
    frameFisse->setObjectName(QStringLiteral("frameFisse"));
    auto* dentro = new QVBoxLayout(frameFisse);
    labGriglia = new EtichetteSelezione(QStringLiteral("labGriglia"), 0, TestiNumerati(1, 90), 10, frameFisse);
    dentro->addWidget(labGriglia);
    v->addWidget(frameFisse);
    auto* basso = new QHBoxLayout;
    frameStatoCond = new CoppiaOnOff(QStringLiteral("frameStatoCond"), QStringLiteral("optCondFisse"), this);
    l1 = new QLabel(this);
    l1->setObjectName(QStringLiteral("l1"));
    QFont grande = l1->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.6);
    grande.setBold(true);
    l1->setFont(grande);
    basso->addWidget(frameStatoCond);
    basso->addStretch(1);
    basso->addWidget(l1);
    v->addLayout(basso);

    // Numbers outside the prediction can never be fixed; a stored one shows as not chosen.
    for (int i = 0; i < 90; ++i) {
        const bool inPronostico = mGriglia[static_cast<size_t>(i)] == 1;
        labGriglia->setSelezionabile(i, inPronostico);
        if (inPronostico && mCondizioni.fisse[static_cast<size_t>(i + 1)] == 1) {
            labGriglia->Imposta(i, true);
            ++numSelezionate;
        }
    }
    frameStatoCond->Scegli(mCondizioni.fisseAttive ? 0 : 1);
    if (!bloccata()) ImpostaFisse(mCondizioni.fisseAttive, Scelte());
    l1->setText(QString::number(numSelezionate));
    labGriglia->consenti = [this](int, bool scegliere) { return !scegliere || numSelezionate < MassimoFisse(); };
    connect(labGriglia, &EtichetteSelezione::cliccato, this, [this](int, bool scelto) {
        numSelezionate += scelto ? 1 : -1;
        l1->setText(QString::number(numSelezionate));
    });
    connect(frameStatoCond, &CoppiaOnOff::cliccato, this, [](int i) { ImpostaFisseAttive(i == 0); });
    if (bloccata()) {
        labGriglia->setSolaLettura(true);
        frameStatoCond->setSolaLettura(true);
    }
    Prepara();
}

std::vector<int> frmFisse::Scelte() const {
    std::vector<int> numeri;
    for (int i = 0; i < 90; ++i)
        if (labGriglia->scelto(i)) numeri.push_back(i + 1);
    return numeri;
}

bool frmFisse::Chiudi() {
    if (!bloccata()) ImpostaFisse(mCondizioni.fisseAttive, Scelte());
    return true;
}

}  // namespace novanta::ui
