#include "ui/frmOrdinaPronostico.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>
#include <algorithm>

#include "core/corpo.h"
#include "matrices/ordine_pronostico.h"
#include "support/formato.h"
#include "ui/interfacciaQt.h"
#include "ui/lingua.h"

namespace novanta::ui {

namespace {

constexpr uint32_t BLU_SCURO = 0xC00000;
constexpr uint32_t BIANCO = 0xFFFFFF;
constexpr uint32_t GIALLO = 0x00FFFF;

QColor coloreVB(uint32_t v) { return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)); }

void colora(QLabel* l, uint32_t sfondo, uint32_t testo) {
    QPalette p = l->palette();
    p.setColor(QPalette::Window, coloreVB(sfondo));
    p.setColor(QPalette::WindowText, coloreVB(testo));
    l->setPalette(p);
}

}  // namespace

PronosticoTrascinabile::PronosticoTrascinabile(frmOrdinaPronostico* finestra, QWidget* parent)
    : QFrame(parent), finestra_(finestra) {
    setObjectName(QStringLiteral("frameOrdinePronostico"));
    setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(this);
    g->setSpacing(4);
    for (int i = 0; i < 90; ++i) {
        auto* l = new QLabel(QStringLiteral("00"), this);
        l->setObjectName(QStringLiteral("labPronosticoOrdinato(%1)").arg(i));
        l->setAlignment(Qt::AlignCenter);
        l->setAutoFillBackground(true);
        l->setMinimumSize(34, 26);
        l->setProperty("Tag", QStringLiteral("0"));
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        // The frame follows the mouse, so a drag can end on any other label.
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        etichette_[static_cast<size_t>(i)] = l;
        g->addWidget(l, i / 10, i % 10);
    }
    fantasma_ = new QLabel(this);
    fantasma_->setObjectName(QStringLiteral("trascinato"));
    fantasma_->setAlignment(Qt::AlignCenter);
    fantasma_->setAutoFillBackground(true);
    fantasma_->setFrameShape(QFrame::Box);
    fantasma_->setAttribute(Qt::WA_TransparentForMouseEvents);
    colora(fantasma_, BLU_SCURO, GIALLO);
    fantasma_->hide();
    setCursor(Qt::OpenHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void PronosticoTrascinabile::Incornicia() {
    for (int i = 0; i < 90; ++i) {
        QLabel* l = etichette_[static_cast<size_t>(i)];
        const bool incorniciata = hasFocus() && i == cursore_;
        l->setFrameShape(incorniciata ? QFrame::Box : QFrame::NoFrame);
        l->setLineWidth(incorniciata ? 2 : 1);
    }
}

void PronosticoTrascinabile::focusInEvent(QFocusEvent* e) {
    QFrame::focusInEvent(e);
    Incornicia();
}

void PronosticoTrascinabile::focusOutEvent(QFocusEvent* e) {
    QFrame::focusOutEvent(e);
    Incornicia();
}

void PronosticoTrascinabile::keyPressEvent(QKeyEvent* e) {
    const int n = static_cast<int>(finestra_->numeri().size());
    int passo = 0;
    switch (e->key()) {
        case Qt::Key_Left:
            passo = -1;
            break;
        case Qt::Key_Right:
            passo = 1;
            break;
        case Qt::Key_Up:
            passo = -10;
            break;
        case Qt::Key_Down:
            passo = 10;
            break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (n == 0) break;
            if (preso_ < 0) {
                preso_ = cursore_;
                finestra_->MostraTrascinato(preso_);
            } else {
                finestra_->Scambia(preso_, cursore_);
                preso_ = -1;
            }
            return;
        case Qt::Key_Escape:
            if (preso_ >= 0) {
                preso_ = -1;
                finestra_->MostraTrascinato(-1);
                return;
            }
            return QFrame::keyPressEvent(e);
        default:
            return QFrame::keyPressEvent(e);
    }
    if (passo != 0 && n > 0) {
        cursore_ = std::clamp(cursore_ + passo, 0, n - 1);
        Incornicia();
    }
}

int PronosticoTrascinabile::IndiceIn(const QPoint& punto) const {
    for (int i = 0; i < 90; ++i) {
        const QLabel* l = etichette_[static_cast<size_t>(i)];
        if (l->isVisible() && l->geometry().contains(punto)) return i;
    }
    return -1;
}

void PronosticoTrascinabile::mousePressEvent(QMouseEvent* e) {
    origine_ = e->button() == Qt::LeftButton ? IndiceIn(e->position().toPoint()) : -1;
    if (origine_ < 0) return QFrame::mousePressEvent(e);
    const QLabel* l = etichette_[static_cast<size_t>(origine_)];
    fantasma_->setText(l->text());
    fantasma_->setFont(l->font());
    fantasma_->resize(l->size());
    fantasma_->move(e->position().toPoint() - QPoint(l->width() / 2, l->height() / 2));
    fantasma_->show();
    fantasma_->raise();
    setCursor(Qt::ClosedHandCursor);
    finestra_->MostraTrascinato(origine_);
}

void PronosticoTrascinabile::mouseMoveEvent(QMouseEvent* e) {
    if (origine_ < 0) return QFrame::mouseMoveEvent(e);
    fantasma_->move(e->position().toPoint() - QPoint(fantasma_->width() / 2, fantasma_->height() / 2));
}

void PronosticoTrascinabile::mouseReleaseEvent(QMouseEvent* e) {
    if (origine_ >= 0) {
        fantasma_->hide();
        setCursor(Qt::OpenHandCursor);
        const int da = origine_;
        origine_ = -1;
        finestra_->Scambia(da, IndiceIn(e->position().toPoint()));
    }
    QFrame::mouseReleaseEvent(e);
}

frmOrdinaPronostico::frmOrdinaPronostico(QWidget* parent)
    : QDialog(parent), caso_(static_cast<uint32_t>(QTime::currentTime().msecsSinceStartOfDay())) {
    setObjectName(QStringLiteral("frmOrdinaPronostico"));
    setProperty("ApplicaLingua", true);
    setWindowTitle(QStringLiteral("Ordine Pronostico"));

    auto* v = new QVBoxLayout(this);
    titleOrdinePronostico = new QLabel(QStringLiteral("Trascina i numeri per cambiargli posto"), this);
    titleOrdinePronostico->setObjectName(QStringLiteral("titleOrdinePronostico"));
    titleOrdinePronostico->setWordWrap(true);
    v->addWidget(titleOrdinePronostico);
    frameOrdinePronostico = new PronosticoTrascinabile(this, this);
    v->addWidget(frameOrdinePronostico, 1);

    auto* basso = new QHBoxLayout;
    l1 = new QLabel(this);
    l1->setObjectName(QStringLiteral("l1"));
    l1->setMinimumWidth(40);
    QFont f = l1->font();
    f.setBold(true);
    l1->setFont(f);
    cmdPronosticoRnd = new QPushButton(QStringLiteral("&Rnd"), this);
    cmdPronosticoRnd->setObjectName(QStringLiteral("cmdPronosticoRnd"));
    cmdPronosticoRnd->setToolTip(QStringLiteral("Ordina il pronostico in modo casuale"));
    cmdPronosticoRnd->setAutoDefault(false);
    basso->addWidget(l1);
    basso->addStretch(1);
    basso->addWidget(cmdPronosticoRnd);
    v->addLayout(basso);
    connect(cmdPronosticoRnd, &QPushButton::clicked, this, [this] { PronosticoCasuale(); });

    ApplicaLingua(this);
    VisualizzaPronostico();
    l1->clear();
    adjustSize();
    CentraForm(this);
    frameOrdinePronostico->setFocus();
}

void frmOrdinaPronostico::VisualizzaPronostico() {
    numeri_ = PronosticoDaOrdinare();
    colori_.assign(numeri_.size(), BIANCO);
    for (int i = 0; i < 90; ++i) {
        QLabel* l = frameOrdinePronostico->etichetta(i);
        const bool mostrata = i < static_cast<int>(numeri_.size());
        l->setVisible(mostrata);
        l->setProperty("Tag", mostrata ? QStringLiteral("1") : QStringLiteral("0"));
    }
    frameOrdinePronostico->setEnabled(mGUILocked != -1);
    Ridisegna();
}

void frmOrdinaPronostico::Ridisegna() {
    for (size_t i = 0; i < numeri_.size(); ++i) {
        QLabel* l = frameOrdinePronostico->etichetta(static_cast<int>(i));
        l->setText(Q(FormatoZeri(numeri_[i], 2)));
        colora(l, BLU_SCURO, colori_[i]);
    }
}

void frmOrdinaPronostico::MostraTrascinato(int da) {
    l1->setText(da >= 0 && da < static_cast<int>(numeri_.size()) ? Q(FormatoZeri(numeri_[static_cast<size_t>(da)], 2))
                                                                 : QString());
}

void frmOrdinaPronostico::Scambia(int da, int a) {
    l1->clear();
    if (!ScambiaNumeri(numeri_, da, a)) return;
    colori_[static_cast<size_t>(da)] = colori_[static_cast<size_t>(a)] = GIALLO;
    Ridisegna();
}

void frmOrdinaPronostico::PronosticoCasuale() {
    const auto toccate = novanta::PronosticoCasuale(numeri_, coloreCasuale_, caso_);
    for (int i : toccate) colori_[static_cast<size_t>(i)] = COLORI_CASUALI[coloreCasuale_];
    Ridisegna();
}

void frmOrdinaPronostico::done(int esito) {
    // Closing in any way keeps the order on screen; there is no cancel.
    if (!scritto_) {
        scritto_ = true;
        ScriviOrdinePronostico(numeri_);
    }
    QDialog::done(esito);
}

}  // namespace novanta::ui
