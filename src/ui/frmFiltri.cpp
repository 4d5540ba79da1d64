#include "ui/frmFiltri.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "support/formato.h"
#include "ui/frmImportFiltri.h"
#include "ui/interfacciaQt.h"
#include "ui/lingua.h"

namespace novanta::ui {

namespace {

QLabel* contatore(const char* nome, QWidget* parent) {
    auto* l = new QLabel(QStringLiteral("100.000"), parent);
    l->setObjectName(QString::fromLatin1(nome));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameShape(QFrame::StyledPanel);
    l->setFrameShadow(QFrame::Sunken);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    // Wide enough for "150,000" in any font the language or the scale brings.
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("000,000")) + 12);
    return l;
}

}  // namespace

frmFiltri::frmFiltri(int32_t tipoFiltro, QWidget* parent)
    : FinestraCondizione(QStringLiteral("frmFiltri"), parent),
      pannello_(std::make_unique<PannelloFiltri>(tipoFiltro, bloccata())) {
    setWindowTitle(QStringLiteral(" Colonne Filtro"));

    auto* radice = new QVBoxLayout(this);

    // The six moves lie outside the editable frame: a locked list can still be browsed.
    auto* navigazione = new QHBoxLayout;
    auto pulsante = [&](const char* nome, QStyle::StandardPixmap icona, const QString& suggerimento) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(nome));
        b->setIcon(style()->standardIcon(icona));
        b->setToolTip(suggerimento);
        b->setAccessibleName(suggerimento);
        // Enter presses the focused button, as Space does.
        b->setAutoDefault(true);
        b->setMinimumWidth(44);
        return b;
    };
    cmdBOTTOM = pulsante("cmdBOTTOM", QStyle::SP_MediaSkipBackward, QStringLiteral("Primo Pannello"));
    cmdPrev2 = pulsante("cmdPrev2", QStyle::SP_MediaSeekBackward, QStringLiteral("Indietro di 100 pannelli"));
    cmdPrev1 = pulsante("cmdPrev1", QStyle::SP_ArrowLeft, QStringLiteral("Indietro di 1 pannello"));
    cmdNext1 = pulsante("cmdNext1", QStyle::SP_ArrowRight, QStringLiteral("Avanti di 1 pannello"));
    cmdNext2 = pulsante("cmdNext2", QStyle::SP_MediaSeekForward, QStringLiteral("Avanti di 100 pannelli"));
    cmdTOP = pulsante("cmdTOP", QStyle::SP_MediaSkipForward, QStringLiteral("Ultimo Pannello"));
    for (QPushButton* b : {cmdBOTTOM, cmdPrev2, cmdPrev1}) navigazione->addWidget(b);
    navigazione->addStretch(1);
    for (QPushButton* b : {cmdNext1, cmdNext2, cmdTOP}) navigazione->addWidget(b);
    radice->addLayout(navigazione);

    frameCondizione = new QGroupBox(this);
    frameCondizione->setObjectName(QStringLiteral("frameCondizione"));
    auto* corpoFinestra = new QGridLayout(frameCondizione);
    radice->addWidget(frameCondizione, 1);

    auto* Frame = new QGroupBox(frameCondizione);
    Frame->setObjectName(QStringLiteral("Frame"));
    auto* fv = new QVBoxLayout(Frame);
    labGriglia = new EtichetteSelezione(QStringLiteral("labGriglia"), 0, TestiNumerati(1, 90), 10, Frame);
    labGriglia->setColoreScelto(QColor(0, 0, 255));
    fv->addWidget(labGriglia, 1);
    lblNumSelezionati = new QLabel(QStringLiteral("00"), Frame);
    lblNumSelezionati->setObjectName(QStringLiteral("lblNumSelezionati"));
    lblNumSelezionati->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    fv->addWidget(lblNumSelezionati);
    corpoFinestra->addWidget(Frame, 0, 0, 2, 1);

    // ID, TOT, ON and OFF with their counters.
    auto* Shape1 = new QFrame(frameCondizione);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::StyledPanel);
    auto* conti = new QGridLayout(Shape1);
    const char* didascalie[4][2] = {{"lblid", "ID"}, {"lbltot", "TOT"}, {"lblon", "ON"}, {"lbloff", "OFF"}};
    lblnFiltro = contatore("lblnFiltro", Shape1);
    lblTotFiltri = contatore("lblTotFiltri", Shape1);
    lblTotFiltriON = contatore("lblTotFiltriON", Shape1);
    lblTotFiltriOFF = contatore("lblTotFiltriOFF", Shape1);
    QLabel* valori[4] = {lblnFiltro, lblTotFiltri, lblTotFiltriON, lblTotFiltriOFF};
    for (int r = 0; r < 4; ++r) {
        auto* l = new QLabel(QString::fromLatin1(didascalie[r][1]), Shape1);
        l->setObjectName(QString::fromLatin1(didascalie[r][0]));
        conti->addWidget(l, r, 0);
        conti->addWidget(valori[r], r, 1);
    }

    auto* lato = new QVBoxLayout;
    lato->addWidget(Shape1);
    frameStatoCond = new CoppiaOnOff(QStringLiteral("frameStatoCond"), QStringLiteral("optCond"), frameCondizione);
    frameStatoCond->setSuPressione(true);
    lato->addWidget(frameStatoCond);
    auto* comandi = new QHBoxLayout;
    auto comando = [&](const char* nome, QStyle::StandardPixmap icona, const QString& suggerimento) {
        QPushButton* b = pulsante(nome, icona, suggerimento);
        b->setParent(frameCondizione);
        comandi->addWidget(b);
        return b;
    };
    cmdCancella = comando("cmdCancella", QStyle::SP_DialogResetButton, QStringLiteral("Cancella il pannello"));
    cmdCancellaTutto = comando("cmdCancellaTutto", QStyle::SP_TrashIcon, QStringLiteral("Cancella tutti i filtri"));
    cmdLoadFiltri =
        comando("cmdLoadFiltri", QStyle::SP_DialogOpenButton, QStringLiteral("Importa i filtri da un file di testo"));
    lato->addLayout(comandi);
    lato->addStretch(1);
    corpoFinestra->addLayout(lato, 0, 1);

    auto* framePresenze = new QGroupBox(QStringLiteral("Presenze"), frameCondizione);
    framePresenze->setObjectName(QStringLiteral("framePresenze"));
    auto* pv = new QVBoxLayout(framePresenze);
    lbPresenze = new EtichetteSelezione(QStringLiteral("lbPresenze"), 0, TestiNumerati(0, 25), 13, framePresenze);
    lbPresenze->setColoreScelto(QColor(255, 0, 0));
    lbPresenze->setColoreTestoScelto(QColor(255, 255, 0));
    pv->addWidget(lbPresenze);
    corpoFinestra->addWidget(framePresenze, 2, 0, 1, 2);
    corpoFinestra->setColumnStretch(0, 1);

    Prepara();
    titolo_ = windowTitle();
    setWindowTitle(titolo_ + (TipoFiltro() != 0 ? QStringLiteral(" - OR") : QStringLiteral(" - AND")));
    for (int j = 0; j <= 25; ++j) lbPresenze->setVisibile(j, PannelloFiltri::PresenzaVisibile(j));
    lblTotFiltri->setText(Q(FormatoMigliaiaZeri(MAX_FILTRI)));
    for (int i = 0; i < 90; ++i) labGriglia->setSelezionabile(i, PannelloFiltri::Selezionabile(i + 1));

    // With a system in the store the panels are shown, never changed.
    const bool bloccato = pannello_->solaLettura();
    labGriglia->setSolaLettura(bloccato);
    lbPresenze->setSolaLettura(bloccato);
    frameStatoCond->setSolaLettura(bloccato);
    for (QPushButton* b : {cmdCancella, cmdCancellaTutto, cmdLoadFiltri}) b->setEnabled(!bloccato);

    connect(cmdNext1, &QPushButton::clicked, this, [this] { PannelloAvanti(1); });
    connect(cmdNext2, &QPushButton::clicked, this, [this] { PannelloAvanti(100); });
    connect(cmdPrev1, &QPushButton::clicked, this, [this] { PannelloIndietro(1); });
    connect(cmdPrev2, &QPushButton::clicked, this, [this] { PannelloIndietro(100); });
    connect(cmdTOP, &QPushButton::clicked, this, &frmFiltri::Ultimo);
    connect(cmdBOTTOM, &QPushButton::clicked, this, &frmFiltri::Primo);
    // Holding the mouse or any key on a step button keeps moving.
    for (QPushButton* b : {cmdNext1, cmdNext2, cmdPrev1, cmdPrev2}) {
        b->setAutoRepeat(true);
        b->installEventFilter(this);
    }

    connect(labGriglia, &EtichetteSelezione::cliccato, this, [this](int i, bool) {
        pannello_->CambiaNumero(i + 1);
        labGriglia->Imposta(i, pannello_->numero(i + 1));
        lblNumSelezionati->setText(QString::number(pannello_->numSelezionati()));
    });
    connect(lbPresenze, &EtichetteSelezione::cliccato, this, [this](int j, bool) {
        pannello_->CambiaPresenza(j);
        lbPresenze->Imposta(j, pannello_->presenza(j));
    });
    connect(frameStatoCond, &CoppiaOnOff::cliccato, this, [this](int indice) {
        pannello_->ImpostaAttivo(indice == 0);
        frameStatoCond->Scegli(pannello_->pannello().attivo ? 0 : 1);
        AggiornaContatori();
    });
    connect(cmdCancella, &QPushButton::clicked, this, [this] {
        if (pannello_->CancellaPannello()) VisualizzaFiltro();
    });
    connect(cmdCancellaTutto, &QPushButton::clicked, this, [this] {
        if (pannello_->CancellaTutto()) VisualizzaFiltro();
    });
    connect(cmdLoadFiltri, &QPushButton::clicked, this, &frmFiltri::CaricaFiltri);

    VisualizzaFiltro();
}

// A window dropped without being closed still leaves its list compacted.
frmFiltri::~frmFiltri() { Chiudi(); }

void frmFiltri::VisualizzaFiltro() {
    // Only the labels whose state changes are touched: a step costs what it changes.
    const PannelloFiltri& p = *pannello_;
    for (int i = 0; i < 90; ++i) labGriglia->Imposta(i, p.numero(i + 1));
    for (int j = 0; j <= 25; ++j) lbPresenze->Imposta(j, p.presenza(j));
    const int stato = p.pannello().attivo ? 0 : 1;
    if (frameStatoCond->scelto() != stato) frameStatoCond->Scegli(stato);
    lblNumSelezionati->setText(QString::number(p.numSelezionati()));
    lblnFiltro->setText(Q(FormatoMigliaiaZeri(p.indiceFiltro())));
    AggiornaContatori();
}

void frmFiltri::AggiornaContatori() {
    lblTotFiltriON->setText(Q(FormatoMigliaiaZeri(pannello_->totFiltriON())));
    lblTotFiltriOFF->setText(Q(FormatoMigliaiaZeri(pannello_->totFiltriOFF())));
}

void frmFiltri::PannelloAvanti(int32_t passo) {
    pannello_->Avanti(passo);
    VisualizzaFiltro();
}

void frmFiltri::PannelloIndietro(int32_t passo) {
    pannello_->Indietro(passo);
    VisualizzaFiltro();
}

void frmFiltri::Primo() {
    pannello_->Primo();
    VisualizzaFiltro();
}

void frmFiltri::Ultimo() {
    pannello_->Ultimo();
    VisualizzaFiltro();
}

void frmFiltri::CaricaFiltri() {
    frmImportFiltri importa(TipoFiltro(), this);
    FacciaQt()->Modale(importa);
    // A cancelled or refused import leaves the list, and so the shown panel, as it was.
    if (!importa.importato()) return;
    pannello_->DopoImportazione();
    VisualizzaFiltro();
}

bool frmFiltri::Chiudi() {
    if (!chiuso_) pannello_->Chiudi();
    chiuso_ = true;
    return true;
}

bool frmFiltri::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress && TastoDiPasso(*static_cast<QKeyEvent*>(evento))) {
        if (auto* b = qobject_cast<QPushButton*>(oggetto)) {
            b->click();
            return true;
        }
    }
    return FinestraCondizione::eventFilter(oggetto, evento);
}

void frmFiltri::changeEvent(QEvent* e) {
    // A new language puts the bare caption back: the list's kind follows it.
    if (e->type() == QEvent::LanguageChange) {
        titolo_ = TestoFinestra(objectName(), objectName() + QStringLiteral(".Caption"));
        if (titolo_.isEmpty()) titolo_ = QStringLiteral(" Colonne Filtro");
        setWindowTitle(titolo_ + (TipoFiltro() != 0 ? QStringLiteral(" - OR") : QStringLiteral(" - AND")));
        lblTotFiltri->setText(Q(FormatoMigliaiaZeri(MAX_FILTRI)));
        VisualizzaFiltro();
    }
    FinestraCondizione::changeEvent(e);
}

}  // namespace novanta::ui
