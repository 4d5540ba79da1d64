#include "ui/frmFiltriDistanzaNumeri.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/corpo.h"
#include "core/regole_condizioni.h"
#include "support/formato.h"
#include "ui/interfacciaQt.h"

namespace novanta::ui {

namespace {

// "###,#00": the counters never pass 25, so two digits are all the pattern gives.
QString contatore(int n) { return QString::fromStdString(FormatoZeri(n, 2)); }

}  // namespace

frmFiltriDistanzaNumeri::frmFiltriDistanzaNumeri(QWidget* parent)
    : FinestraCondizione(QStringLiteral("frmFiltriDistanzaNumeri"), parent) {
    setWindowTitle(QStringLiteral("Distanza Numeri"));
    auto* v = new QVBoxLayout(this);

    auto* navigazione = new QHBoxLayout;
    auto bottone = [&](const char* nome, QStyle::StandardPixmap icona, const QString& suggerimento) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(nome));
        b->setIcon(style()->standardIcon(icona));
        b->setToolTip(suggerimento);
        b->setFocusPolicy(Qt::StrongFocus);
        navigazione->addWidget(b);
        return b;
    };
    cmdBOTTOM = bottone("cmdBOTTOM", QStyle::SP_MediaSkipBackward, QStringLiteral("Primo Pannello"));
    cmdPrev2 = bottone("cmdPrev2", QStyle::SP_MediaSeekBackward, QStringLiteral("Indietro di 5 pannelli"));
    cmdPrev1 = bottone("cmdPrev1", QStyle::SP_ArrowLeft, QStringLiteral("Indietro di 1 pannello"));
    cmdNext1 = bottone("cmdNext1", QStyle::SP_ArrowRight, QStringLiteral("Avanti di 1 pannello"));
    cmdNext2 = bottone("cmdNext2", QStyle::SP_MediaSeekForward, QStringLiteral("Avanti di 5 pannelli"));
    cmdTOP = bottone("cmdTOP", QStyle::SP_MediaSkipForward, QStringLiteral("Ultimo Pannello"));
    navigazione->addSpacing(16);
    auto etichetta = [&](const char* nome, const QString& testo, QWidget* dove) {
        auto* l = new QLabel(testo, dove);
        l->setObjectName(QString::fromLatin1(nome));
        return l;
    };
    auto* contatori = new QGridLayout;
    const std::pair<const char*, QLabel**> voci[] = {
        {"lblid", &lblnFiltro}, {"lbltot", &lblTotFiltri}, {"lblon", &lblTotFiltriON}, {"lbloff", &lblTotFiltriOFF}};
    const char* nomiValori[] = {"lblnFiltro", "lblTotFiltri", "lblTotFiltriON", "lblTotFiltriOFF"};
    const char* testi[] = {"ID", "TOT", "ON", "OFF"};
    for (int i = 0; i < 4; ++i) {
        contatori->addWidget(etichetta(voci[i].first, QString::fromLatin1(testi[i]), this), 0, i, Qt::AlignCenter);
        *voci[i].second = etichetta(nomiValori[i], QString(), this);
        (*voci[i].second)->setFrameShape(QFrame::Panel);
        (*voci[i].second)->setFrameShadow(QFrame::Sunken);
        (*voci[i].second)->setAlignment(Qt::AlignCenter);
        (*voci[i].second)
            ->setMinimumWidth((*voci[i].second)->fontMetrics().horizontalAdvance(QStringLiteral("000,000")));
        contatori->addWidget(*voci[i].second, 1, i);
    }
    navigazione->addLayout(contatori);
    navigazione->addStretch(1);
    v->addLayout(navigazione);

    frameCondizione = new QGroupBox(this);
    frameCondizione->setObjectName(QStringLiteral("frameCondizione"));
    auto* pannello = new QGridLayout(frameCondizione);
    auto* framePosizioni = new QGroupBox(QStringLiteral("Posizioni"), frameCondizione);
    framePosizioni->setObjectName(QStringLiteral("framePosizioni"));
    QStringList posizioni;
    for (int p = 1; p <= 24; ++p)
        posizioni << QStringLiteral("P%1 - P%2").arg(p, 2, 10, QLatin1Char('0')).arg(p + 1, 2, 10, QLatin1Char('0'));
    lbPFromPTo = new EtichetteSelezione(QStringLiteral("lbPFromPTo"), 1, posizioni, 3, framePosizioni);
    lbPFromPTo->setColoreScelto(QColor(0, 0, 255));
    (new QVBoxLayout(framePosizioni))->addWidget(lbPFromPTo);
    pannello->addWidget(framePosizioni, 0, 0);
    auto distanze = [&](const char* frame, const QString& titolo, const char* nome, const char* didascalia,
                        const QString& testo, const char* numero, QLabel*& valore) {
        auto* f = new QGroupBox(titolo, frameCondizione);
        f->setObjectName(QString::fromLatin1(frame));
        auto* dentro = new QVBoxLayout(f);
        auto* lista = new EtichetteSelezione(QString::fromLatin1(nome), 1, TestiNumerati(1, 89), 10, f);
        dentro->addWidget(lista);
        auto* riga = new QHBoxLayout;
        riga->addStretch(1);
        riga->addWidget(etichetta(didascalia, testo, f));
        valore = etichetta(numero, QStringLiteral("00"), f);
        riga->addWidget(valore);
        dentro->addLayout(riga);
        return std::pair{f, lista};
    };
    auto [frameMin, listaMin] = distanze("frameDistanzaMin", QStringLiteral("Distanza Minima"), "lbDistanzaMin",
                                         "lblDistMin", QStringLiteral("Min"), "lblNumDistMin", lblNumDistMin);
    auto [frameMax, listaMax] = distanze("frameDistanzaMax", QStringLiteral("Distanza Massima"), "lbDistanzaMax",
                                         "lblDistMax", QStringLiteral("Max"), "lblNumDistMax", lblNumDistMax);
    lbDistanzaMin = listaMin;
    lbDistanzaMax = listaMax;
    pannello->addWidget(frameMin, 0, 1);
    pannello->addWidget(frameMax, 0, 2);
    auto* basso = new QHBoxLayout;
    frameStatoCond = new CoppiaOnOff(QStringLiteral("frameStatoCond"), QStringLiteral("optCond"), frameCondizione);
    frameStatoCond->setSuPressione(true);
    cmdCancella = new QToolButton(frameCondizione);
    cmdCancella->setObjectName(QStringLiteral("cmdCancella"));
    cmdCancella->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
    cmdCancella->setFocusPolicy(Qt::StrongFocus);
    basso->addWidget(frameStatoCond);
    basso->addStretch(1);
    basso->addWidget(cmdCancella);
    pannello->addLayout(basso, 1, 0, 1, 3);
    v->addWidget(frameCondizione);

    // Gaps no column of the prediction can show, and positions past the column, are hidden.
    const LimitiDistanza possibili = DistanzePossibili();
    lblNumDistMin->setText(QStringLiteral("%1").arg(possibili.minimo, 2, 10, QLatin1Char('0')));
    lblNumDistMax->setText(QStringLiteral("%1").arg(possibili.massimo, 2, 10, QLatin1Char('0')));
    for (int d = 1; d <= 89; ++d) {
        const bool possibile = d >= possibili.minimo && d <= possibili.massimo;
        lbDistanzaMin->setVisibile(d, possibile);
        lbDistanzaMax->setVisibile(d, possibile);
    }
    for (int p = 1; p <= 24; ++p) lbPFromPTo->setVisibile(p, p < mLenCol);
    totFiltriON = mNumFiltriDistanza;
    lblTotFiltri->setText(contatore(MAX_FILTRI_DISTANZA));
    VisualizzaFiltro(mFiltriDistanza[1]);

    connect(cmdBOTTOM, &QToolButton::clicked, this, [this] { VaiA(primoFiltro); });
    connect(cmdTOP, &QToolButton::clicked, this, [this] { VaiA(MAX_FILTRI_DISTANZA); });
    const std::pair<QToolButton*, int> passi[] = {{cmdPrev2, -5}, {cmdPrev1, -1}, {cmdNext1, 1}, {cmdNext2, 5}};
    for (auto [b, passo] : passi) {
        b->setAutoRepeat(true);
        b->installEventFilter(this);
        b->setProperty("passo", passo);
        connect(b, &QToolButton::clicked, this, [this, passo = passo] { VaiA(indiceFiltro + passo); });
    }
    connect(frameStatoCond, &CoppiaOnOff::cambiato, this, [this](int i) {
        totFiltriON += i == 0 ? 1 : -1;
        Contatori();
    });
    connect(cmdCancella, &QToolButton::clicked, this, [this] {
        if (frameStatoCond->scelto() == 0) --totFiltriON;
        VisualizzaFiltro(tFiltroDistanza{});
    });
    // Locked, the panels can still be browsed: the navigation lies outside the panel.
    if (bloccata()) {
        for (auto* lista : {lbPFromPTo, lbDistanzaMin, lbDistanzaMax}) lista->setSolaLettura(true);
        frameStatoCond->setSolaLettura(true);
        cmdCancella->setEnabled(false);
    }
    Prepara();
}

bool frmFiltriDistanzaNumeri::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress && TastoDiPasso(*static_cast<QKeyEvent*>(evento))) {
        VaiA(indiceFiltro + oggetto->property("passo").toInt());
        return true;
    }
    return FinestraCondizione::eventFilter(oggetto, evento);
}

tFiltroDistanza frmFiltriDistanzaNumeri::LeggiFiltro() const {
    tFiltroDistanza f;
    for (int p = 1; p <= 24; ++p)
        if (lbPFromPTo->scelto(p)) f.posizioni[++f.numPosizioni] = static_cast<uint8_t>(p);
    for (int d = 1; d <= 89; ++d) {
        f.distMin[static_cast<size_t>(d)] = lbDistanzaMin->scelto(d);
        f.distMax[static_cast<size_t>(d)] = lbDistanzaMax->scelto(d);
        f.numDistMin = static_cast<uint8_t>(f.numDistMin + f.distMin[static_cast<size_t>(d)]);
        f.numDistMax = static_cast<uint8_t>(f.numDistMax + f.distMax[static_cast<size_t>(d)]);
    }
    f.attivo = frameStatoCond->scelto() == 0;
    return f;
}

void frmFiltriDistanzaNumeri::VisualizzaFiltro(const tFiltroDistanza& f) {
    for (int p = 1; p <= 24; ++p) lbPFromPTo->Imposta(p, false);
    for (int j = 1; j <= f.numPosizioni && j <= 24; ++j)
        if (f.posizioni[static_cast<size_t>(j)] != 0) lbPFromPTo->Imposta(f.posizioni[static_cast<size_t>(j)], true);
    for (int d = 1; d <= 89; ++d) {
        lbDistanzaMin->Imposta(d, f.distMin[static_cast<size_t>(d)]);
        lbDistanzaMax->Imposta(d, f.distMax[static_cast<size_t>(d)]);
    }
    frameStatoCond->Scegli(f.attivo ? 0 : 1);
    Contatori();
}

void frmFiltriDistanzaNumeri::Contatori() {
    lblnFiltro->setText(contatore(indiceFiltro));
    lblTotFiltriON->setText(contatore(totFiltriON));
    lblTotFiltriOFF->setText(contatore(MAX_FILTRI_DISTANZA - totFiltriON));
}

bool frmFiltriDistanzaNumeri::SalvaPannello() {
    if (bloccata()) return true;
    const EsitoCondizione esito = ImpostaFiltroDistanza(indiceFiltro, LeggiFiltro());
    if (esito) return true;
    UI().MsgBox(esito.messaggio.empty() ? esito.errore : TestoMessaggio(esito.messaggio), Pulsanti::OK,
                Icona::Esclamazione);
    return false;
}

void frmFiltriDistanzaNumeri::VaiA(int indice) {
    if (!SalvaPannello()) return;
    indiceFiltro = std::clamp(indice, primoFiltro, MAX_FILTRI_DISTANZA);
    VisualizzaFiltro(mFiltriDistanza[static_cast<size_t>(indiceFiltro)]);
}

bool frmFiltriDistanzaNumeri::Chiudi() {
    if (bloccata()) return true;
    if (!SalvaPannello()) return false;
    CompattaFiltriDistanza();
    return true;
}

}  // namespace novanta::ui
