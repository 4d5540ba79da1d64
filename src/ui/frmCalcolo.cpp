#include "ui/frmCalcolo.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/motore.h"
#include "settings/multiLanguage.h"
#include "support/formato.h"
#include "ui/interfacciaQt.h"
#include "ui/lingua.h"

namespace novanta::ui {

frmCalcolo::frmCalcolo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmCalcolo"));
    setProperty("ApplicaLingua", true);
    setWindowTitle(QStringLiteral("Elaborazione in corso..."));
    setModal(false);

    auto* v = new QVBoxLayout(this);
    pb = new QProgressBar(this);
    pb->setObjectName(QStringLiteral("pb"));
    pb->setRange(0, 100);
    pb->setValue(0);
    pb->setTextVisible(false);
    pb->setMinimumWidth(380);
    v->addWidget(pb);

    // The scale under the bar: 0% at the left, 50% in the middle, 100% at the right.
    auto* scala = new QWidget(this);
    scala->setObjectName(QStringLiteral("Label1"));
    auto* h = new QHBoxLayout(scala);
    h->setContentsMargins(0, 0, 0, 0);
    auto* zero = new QLabel(QStringLiteral("0%"), scala);
    auto* mezzo = new QLabel(QStringLiteral("50%"), scala);
    auto* cento = new QLabel(QStringLiteral("100%"), scala);
    mezzo->setAlignment(Qt::AlignCenter);
    cento->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    h->addWidget(zero, 1);
    h->addWidget(mezzo, 1);
    h->addWidget(cento, 1);
    v->addWidget(scala);

    auto* g = new QGridLayout;
    auto coppia = [&](int riga, QLabel*& didascalia, const char* nome, const QString& testo, QLabel*& valore,
                      const char* nomeValore) {
        didascalia = new QLabel(testo, this);
        didascalia->setObjectName(QString::fromLatin1(nome));
        valore = new QLabel(QStringLiteral(" 0"), this);
        valore->setObjectName(QString::fromLatin1(nomeValore));
        valore->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        valore->setFrameShape(QFrame::StyledPanel);
        valore->setMinimumWidth(160);
        g->addWidget(didascalia, riga, 0);
        g->addWidget(valore, riga, 1);
    };
    coppia(0, lblColonneIntegrali, "lblColonneIntegrali", QStringLiteral("Colonne Integrali"), lblNumColIntegrali,
           "lblNumColIntegrali");
    coppia(1, lblColonneElaborate, "lblColonneElaborate", QStringLiteral("Colonne Elaborate"), lblNumColElaborate,
           "lblNumColElaborate");
    coppia(2, lblColonneSistema, "lblColonneSistema", QStringLiteral("Colonne Sistema"), lblNumColSistema,
           "lblNumColSistema");
    v->addLayout(g);

    labAllarm = new QLabel(this);
    labAllarm->setObjectName(QStringLiteral("labAllarm"));
    labAllarm->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    labAllarm->setWordWrap(true);
    v->addWidget(labAllarm);

    cmdSvilAnnulla = new QPushButton(QStringLiteral("&Annulla"), this);
    cmdSvilAnnulla->setObjectName(QStringLiteral("cmdSvilAnnulla"));
    // The only button, so the default one: Enter asks, as the button does.
    cmdSvilAnnulla->setDefault(true);
    auto* basso = new QHBoxLayout;
    basso->addStretch(1);
    basso->addWidget(cmdSvilAnnulla);
    v->addLayout(basso);

    ApplicaLingua(this);
    for (auto [etichetta, id] : {std::pair{lblColonneIntegrali, "0001"}, std::pair{lblColonneElaborate, "0002"},
                                 std::pair{lblColonneSistema, "0003"}}) {
        const std::string t = TestoMessaggio(id);
        if (!t.empty()) etichetta->setText(Q(t));
    }
    connect(cmdSvilAnnulla, &QPushButton::clicked, this, [] { ChiediAnnullamento(); });
    adjustSize();
    CentraForm(this);
}

void frmCalcolo::Barra(int valore) { pb->setValue(std::clamp(valore, 0, 100)); }

void frmCalcolo::Etichette(double integrale, double elaborate, double sistema) {
    lblNumColIntegrali->setText(Q(FormatoConteggio(integrale)));
    lblNumColElaborate->setText(Q(FormatoConteggio(elaborate)));
    lblNumColSistema->setText(Q(FormatoConteggio(sistema)));
}

void frmCalcolo::Allarme(const QString& testo) { labAllarm->setText(testo); }

void frmCalcolo::closeEvent(QCloseEvent* e) {
    // The window's close box is the cancel button: the run closes the window when it ends.
    if (chiudibile_) return QDialog::closeEvent(e);
    e->ignore();
    ChiediAnnullamento();
}

void frmCalcolo::reject() {
    if (chiudibile_) return QDialog::reject();
    ChiediAnnullamento();
}

}  // namespace novanta::ui
