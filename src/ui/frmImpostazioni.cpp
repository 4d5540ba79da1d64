#include "ui/frmImpostazioni.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include "core/cartella_dati.h"
#include "core/corpo.h"
#include "net/aggiornamenti.h"
#include "settings/impostazioni.h"
#include "ui/interfacciaQt.h"
#include "ui/lingua.h"

namespace novanta::ui {

frmImpostazioni::frmImpostazioni(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmImpostazioni"));
    setProperty("ApplicaLingua", true);
    setWindowTitle(QStringLiteral("Impostazioni"));

    auto* v = new QVBoxLayout(this);
    auto* lingua = new QHBoxLayout;
    lbLanguage = new QLabel(QStringLiteral("Lingua"), this);
    lbLanguage->setObjectName(QStringLiteral("lbLanguage"));
    cmbLingua = new QComboBox(this);
    cmbLingua->setObjectName(QStringLiteral("cmbLingua"));
    cmbLingua->setMinimumWidth(180);
    cmdLangUpdate = new QToolButton(this);
    cmdLangUpdate->setObjectName(QStringLiteral("cmdLangUpdate"));
    cmdLangUpdate->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    cmdLangUpdate->setToolTip(QStringLiteral("Download Language Files"));
    cmdInfoLanguage = new QToolButton(this);
    cmdInfoLanguage->setObjectName(QStringLiteral("cmdInfoLanguage"));
    cmdInfoLanguage->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    cmdInfoLanguage->setToolTip(QStringLiteral("Info Languages"));
    lingua->addWidget(lbLanguage);
    lingua->addWidget(cmbLingua, 1);
    lingua->addWidget(cmdLangUpdate);
    lingua->addWidget(cmdInfoLanguage);
    v->addLayout(lingua);

    frameRicalcolo = new QGroupBox(QStringLiteral("Modalità Ricalcolo"), this);
    frameRicalcolo->setObjectName(QStringLiteral("frameRicalcolo"));
    auto* g = new QHBoxLayout(frameRicalcolo);
    chkStatoRicalcolo = new QCheckBox(QStringLiteral("ATTIVA"), frameRicalcolo);
    chkStatoRicalcolo->setObjectName(QStringLiteral("chkStatoRicalcolo"));
    optModoRicalcolo[0] = new QRadioButton(QStringLiteral("MEMORIA"), frameRicalcolo);
    optModoRicalcolo[0]->setObjectName(QStringLiteral("optModoRicalcolo(0)"));
    optModoRicalcolo[1] = new QRadioButton(QStringLiteral("FILE"), frameRicalcolo);
    optModoRicalcolo[1]->setObjectName(QStringLiteral("optModoRicalcolo(1)"));
    g->addWidget(chkStatoRicalcolo);
    g->addStretch(1);
    g->addWidget(optModoRicalcolo[0]);
    g->addWidget(optModoRicalcolo[1]);
    v->addWidget(frameRicalcolo);

    // The first start: the window itself asks for the language, with the locale's preselected.
    primoAvvio_ = mLinguaCorrente.empty();
    lblPrimoAvvio = new QLabel(QStringLiteral("Scegli la lingua del programma e premi OK."), this);
    lblPrimoAvvio->setObjectName(QStringLiteral("lblPrimoAvvio"));
    lblPrimoAvvio->setVisible(primoAvvio_);
    QFont grassetto = lblPrimoAvvio->font();
    grassetto.setBold(true);
    lblPrimoAvvio->setFont(grassetto);
    v->insertWidget(0, lblPrimoAvvio);

    cmdSalva = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("OK"), this);
    cmdSalva->setObjectName(QStringLiteral("cmdSalva"));
    cmdSalva->setToolTip(QStringLiteral("Salva e applica le nuove impostazioni"));
    // Enter saves.
    cmdSalva->setDefault(true);
    auto* basso = new QHBoxLayout;
    basso->addStretch(1);
    basso->addWidget(cmdSalva);
    v->addLayout(basso);

    connect(chkStatoRicalcolo, &QCheckBox::clicked, this, [this] { chkStatoRicalcolo_Click(); });
    connect(cmbLingua, &QComboBox::activated, this, [this] { cmbLingua_Click(); });
    connect(cmdSalva, &QPushButton::clicked, this, [this] { cmdSalva_Click(); });
    connect(cmdLangUpdate, &QToolButton::clicked, this, [this] { cmdLangUpdate_Click(); });
    connect(cmdInfoLanguage, &QToolButton::clicked, this, [this] { cmdInfoLanguage_Click(); });

    // The load event.
    novanta::ReadConfiguration();
    chkStatoRicalcolo->setChecked(mConfig.modalitaRicalcolo);
    optModoRicalcolo[mConfig.sorgenteRicalcolo == 1 ? 1 : 0]->setChecked(true);
    chkStatoRicalcolo_Click();
    if (!mLinguaCorrente.empty()) {
        ApplicaLingua(this);
        CaricaLingue();
    } else {
        // The languages already here are enough to choose from: the download stays silent.
        AggiornaLingue();
        CaricaLingue();
    }
    adjustSize();
}

void frmImpostazioni::reject() {
    // Esc on the first start takes the preselected language, so the question does not come back.
    if (primoAvvio_ && cmbLingua->currentIndex() >= 0) return cmdSalva_Click();
    QDialog::reject();
}

void frmImpostazioni::chkStatoRicalcolo_Click() {
    const bool attiva = chkStatoRicalcolo->isChecked();
    for (QRadioButton* o : optModoRicalcolo) o->setEnabled(attiva);
}

void frmImpostazioni::CaricaLingue() {
    const QSignalBlocker blocco(cmbLingua);
    cmbLingua->clear();
    const tElencoLingue elenco = novanta::CaricaLingue(primoAvvio_);
    for (const std::string& n : elenco.nomi) cmbLingua->addItem(Q(n));
    cmbLingua->setCurrentIndex(elenco.selezionata);
    if (elenco.proposta) cmbLingua_Click();
}

void frmImpostazioni::cmbLingua_Click() {
    if (cmbLingua->currentIndex() < 0) return;
    UI().Clessidra(true);
    setEnabled(false);
    mLinguaCorrente = S(cmbLingua->currentText());
    ApplicaLinguaATutte();
    setEnabled(true);
    UI().Clessidra(false);
}

void frmImpostazioni::cmdSalva_Click() {
    // A failed write has been shown and leaves the window open with the user's choices.
    if (!SalvaImpostazioni(chkStatoRicalcolo->isChecked(), optModoRicalcolo[0]->isChecked() ? 2 : 1,
                           S(cmbLingua->currentText())))
        return;
    accept();
}

void frmImpostazioni::cmdLangUpdate_Click() {
    UI().Clessidra(true);
    const RisultatoAggiornamento esito = AggiornaLingue();
    UI().Clessidra(false);
    CaricaLingue();
    MostraEsitoLingue(esito);
}

void frmImpostazioni::cmdInfoLanguage_Click() {
    UI().Clessidra(true);
    MostraCreditiLingue();
    UI().Clessidra(false);
}

}  // namespace novanta::ui
