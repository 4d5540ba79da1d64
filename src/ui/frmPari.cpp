#include "ui/frmPari.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/corpo.h"
#include "core/regole_condizioni.h"

namespace novanta::ui {

frmPari::frmPari(QWidget* parent) : FinestraCondizione(QStringLiteral("frmPari"), parent) {
    setWindowTitle(QStringLiteral("Pari e Dispari"));
    auto* v = new QVBoxLayout(this);
    framePariDispari = new QGroupBox(this);
    framePariDispari->setObjectName(QStringLiteral("framePariDispari"));
    auto* riga = new QHBoxLayout(framePariDispari);
    lblPari = new QLabel(QStringLiteral("PARI"), framePariDispari);
    lblPari->setObjectName(QStringLiteral("lblPari"));
    labPariDispari =
        new EtichetteSelezione(QStringLiteral("labPariDispari"), 0, TestiNumerati(0, 25), 13, framePariDispari);
    riga->addWidget(lblPari);
    riga->addWidget(labPariDispari, 1);
    v->addWidget(framePariDispari);
    frameStatoCond = new CoppiaOnOff(QStringLiteral("frameStatoCond"), QStringLiteral("optCondizione"), this);
    v->addWidget(frameStatoCond, 0, Qt::AlignLeft);

    frameStatoCond->Scegli(mCondizioni.pariAttivo ? 0 : 1);
    // A column of k numbers holds 0..k even numbers; counts chosen under a longer length stay.
    for (int e = 0; e <= 25; ++e) {
        labPariDispari->setVisibile(e, e <= mLenCol);
        labPariDispari->Imposta(e, mCondizioni.pari[static_cast<size_t>(e)]);
    }
    connect(frameStatoCond, &CoppiaOnOff::cliccato, this, [](int i) { ImpostaPari(i == 0, mCondizioni.pari); });
    connect(labPariDispari, &EtichetteSelezione::cliccato, this, [this](int e, bool scelto) {
        if (!ImpostaConteggioPari(e, scelto)) labPariDispari->Imposta(e, !scelto);
    });
    if (bloccata()) {
        labPariDispari->setSolaLettura(true);
        frameStatoCond->setSolaLettura(true);
    }
    Prepara();
}

}  // namespace novanta::ui
