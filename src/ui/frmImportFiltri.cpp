#include "ui/frmImportFiltri.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <array>

#include "core/corpo.h"
#include "core/pannello_filtri.h"
#include "support/formato.h"
#include "textfiles/filtri_txt.h"
#include "ui/controlli_condizione.h"
#include "ui/interfacciaQt.h"
#include "ui/lingua.h"

namespace novanta::ui {

frmImportFiltri::frmImportFiltri(int32_t tipoFiltro, QWidget* parent) : QDialog(parent), tipoFiltro_(tipoFiltro) {
    setObjectName(QStringLiteral("frmImportFiltri"));
    setProperty("ApplicaLingua", true);
    setWindowTitle(QStringLiteral("Importa Colonne Filtro"));

    auto* radice = new QVBoxLayout(this);
    auto* riga = new QHBoxLayout;
    auto pulsante = [&](const char* nome, QStyle::StandardPixmap icona, const QString& suggerimento) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(nome));
        b->setIcon(style()->standardIcon(icona));
        b->setIconSize(QSize(24, 24));
        b->setToolTip(suggerimento);
        b->setAccessibleName(suggerimento);
        b->setMinimumWidth(48);
        riga->addWidget(b);
        return b;
    };
    cmdImportaFiltri =
        pulsante("cmdImportaFiltri", QStyle::SP_DialogOpenButton, QStringLiteral("Scegli il file di testo"));
    lblFileFiltri = new QLabel(this);
    lblFileFiltri->setObjectName(QStringLiteral("lblFileFiltri"));
    lblFileFiltri->setFrameShape(QFrame::StyledPanel);
    lblFileFiltri->setFrameShadow(QFrame::Sunken);
    lblFileFiltri->setMinimumWidth(220);
    lblFileFiltri->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    riga->addWidget(lblFileFiltri, 1);
    cmdProcess = pulsante("cmdProcess", QStyle::SP_DialogApplyButton, QStringLiteral("Importa Colonne"));
    cmdProcess->setEnabled(false);
    cmdProcess->setDefault(true);
    radice->addLayout(riga);

    framePresenze = new QGroupBox(QStringLiteral("Presenze"), this);
    framePresenze->setObjectName(QStringLiteral("framePresenze"));
    framePresenze->setToolTip(QStringLiteral("Imposta le presenze per ogni colonna"));
    auto* pv = new QVBoxLayout(framePresenze);
    lbPresenze = new EtichetteSelezione(QStringLiteral("lbPresenze"), 0, TestiNumerati(0, 25), 13, framePresenze);
    lbPresenze->setColoreScelto(QColor(255, 0, 0));
    lbPresenze->setColoreTestoScelto(QColor(255, 255, 0));
    pv->addWidget(lbPresenze);
    radice->addWidget(framePresenze);

    auto* avanzamento = new QHBoxLayout;
    prgImporta = new QProgressBar(this);
    prgImporta->setObjectName(QStringLiteral("prgImporta"));
    prgImporta->setRange(0, 100);
    prgImporta->setValue(0);
    lblFiltriLetti = new QLabel(this);
    lblFiltriLetti->setObjectName(QStringLiteral("lblFiltriLetti"));
    avanzamento->addWidget(prgImporta, 1);
    avanzamento->addWidget(lblFiltriLetti);
    radice->addLayout(avanzamento);

    ApplicaLingua(this);
    for (int j = 0; j <= 25; ++j) lbPresenze->setVisibile(j, PannelloFiltri::PresenzaVisibile(j));
    MostraLetti(0, 0);

    connect(cmdImportaFiltri, &QPushButton::clicked, this, &frmImportFiltri::ScegliFile);
    connect(cmdProcess, &QPushButton::clicked, this, &frmImportFiltri::Processa);
    CentraForm(this);
}

void frmImportFiltri::ScegliFile() {
    const auto file = UI().ScegliFileApri("File TXT (*.txt)|*.txt", (mPathDati / "txt").string());
    nomeFileFiltri = file ? *file : std::string();
    cmdProcess->setEnabled(!nomeFileFiltri.empty());
    lblFileFiltri->setText(nomeFileFiltri.empty() ? QString() : QFileInfo(Q(nomeFileFiltri)).fileName());
    lblFileFiltri->setToolTip(Q(nomeFileFiltri));
}

void frmImportFiltri::MostraLetti(int32_t filtri, int percento) {
    letti_ = filtri;
    prgImporta->setValue(percento);
    lblFiltriLetti->setText(Q(TestoMessaggio("0120") + " " + FormatoMigliaia(filtri)));
}

void frmImportFiltri::Processa() {
    if (importando_ || nomeFileFiltri.empty()) return;
    std::array<bool, 26> scelte{};
    for (int j = 0; j <= 25; ++j) scelte[static_cast<size_t>(j)] = lbPresenze->scelto(j);
    const int32_t presenze = MascheraPresenze(scelte);
    if (!ConfermaSostituzioneFiltri()) return;

    // Nothing in the window may start a second import or close it while the file is read.
    importando_ = true;
    for (QWidget* w : std::initializer_list<QWidget*>{cmdImportaFiltri, cmdProcess, framePresenze})
        w->setEnabled(false);
    const bool riuscito = ImportaFiltriGruppo(tipoFiltro_, nomeFileFiltri, presenze,
                                              [this](int32_t filtri, int percento) { MostraLetti(filtri, percento); });
    importando_ = false;
    for (QWidget* w : std::initializer_list<QWidget*>{cmdImportaFiltri, cmdProcess, framePresenze}) w->setEnabled(true);
    if (!riuscito) {
        MostraLetti(0, 0);
        return;
    }
    importato_ = true;
    accept();
}

void frmImportFiltri::done(int risultato) {
    if (importando_) return;
    QDialog::done(risultato);
}

void frmImportFiltri::closeEvent(QCloseEvent* e) {
    if (importando_) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void frmImportFiltri::changeEvent(QEvent* e) {
    if (e->type() == QEvent::LanguageChange) MostraLetti(letti_, prgImporta->value());
    QDialog::changeEvent(e);
}

}  // namespace novanta::ui
