#include "ui/frmVisualizza.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "core/corpo.h"
#include "support/formato.h"
#include "ui/controlli_condizione.h"
#include "ui/interfacciaQt.h"
#include "ui/lingua.h"

namespace novanta::ui {

frmVisualizza::frmVisualizza(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmVisualizza"));
    setProperty("ApplicaLingua", true);
    setWindowTitle(QStringLiteral("Visualizza"));

    auto* v = new QVBoxLayout(this);
    auto* righe = new QFrame(this);
    righe->setFrameShape(QFrame::StyledPanel);
    righe->setAutoFillBackground(true);
    QPalette p = righe->palette();
    p.setColor(QPalette::Window, Qt::white);
    righe->setPalette(p);
    auto* rv = new QVBoxLayout(righe);
    QFont fisso = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fisso.setPointSizeF(fisso.pointSizeF() * 1.25);
    for (int r = 0; r < 10; ++r) {
        auto* l = new QLabel(righe);
        l->setObjectName(QStringLiteral("labVisualizza(%1)").arg(r));
        l->setFont(fisso);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        rv->addWidget(l);
        labVisualizza[static_cast<size_t>(r)] = l;
    }
    v->addWidget(righe, 1);

    auto* info = new QHBoxLayout;
    lblPannello = new QLabel(QStringLiteral("* Pannello n."), this);
    lblPannello->setObjectName(QStringLiteral("lblPannello"));
    labNscheda = new QLabel(this);
    labNscheda->setObjectName(QStringLiteral("labNscheda"));
    QFont grassetto = labNscheda->font();
    grassetto.setBold(true);
    labNscheda->setFont(grassetto);
    lblInfo = new QLabel(QStringLiteral("* 1 Pannello = 10 Colonne"), this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    info->addWidget(lblPannello);
    info->addWidget(labNscheda);
    info->addStretch(1);
    info->addWidget(lblInfo);
    v->addLayout(info);

    auto* pulsanti = new QGridLayout;
    auto pulsante = [&](const char* nome, const QString& testo, int riga, int colonna) {
        auto* b = new QPushButton(testo, this);
        b->setObjectName(QString::fromLatin1(nome));
        b->setAutoDefault(false);
        pulsanti->addWidget(b, riga, colonna);
        return b;
    };
    cmdBOTTOM = pulsante("cmdBOTTOM", QStringLiteral("Primo Pannello"), 0, 0);
    cmdPrev2 = pulsante("cmdPrev2", QStringLiteral("Indietro di 10 pannelli"), 0, 1);
    cmdPrev1 = pulsante("cmdPrev1", QStringLiteral("Indietro di 1 pannello"), 0, 2);
    cmdNext1 = pulsante("cmdNext1", QStringLiteral("Avanti di 1 pannello"), 1, 0);
    cmdNext2 = pulsante("cmdNext2", QStringLiteral("Avanti di 10 pannelli"), 1, 1);
    cmdTOP = pulsante("cmdTOP", QStringLiteral("Ultimo Pannello"), 1, 2);
    v->addLayout(pulsanti);

    connect(cmdBOTTOM, &QPushButton::clicked, this, [this] {
        pannelloCorrente_ = primoPannello_;
        MostraPannello(pannelloCorrente_);
    });
    connect(cmdTOP, &QPushButton::clicked, this, [this] {
        pannelloCorrente_ = numPannelli_;
        MostraPannello(pannelloCorrente_);
    });
    connect(cmdNext1, &QPushButton::clicked, this, [this] { Avanti(1); });
    connect(cmdNext2, &QPushButton::clicked, this, [this] { Avanti(10); });
    connect(cmdPrev1, &QPushButton::clicked, this, [this] { Indietro(1); });
    connect(cmdPrev2, &QPushButton::clicked, this, [this] { Indietro(10); });
    // A key held on a step button repeats it, so holding a key scrolls through the panels.
    for (QPushButton* b : {cmdNext1, cmdNext2, cmdPrev1, cmdPrev2}) b->installEventFilter(this);
    cmdNext1->setDefault(true);

    ApplicaLingua(this);
    const int32_t n = mSistema.nColonne;
    numPannelli_ = std::max<int32_t>(1, n / 10 + (n % 10 ? 1 : 0));
    primoPannello_ = 1;
    pannelloCorrente_ = 1;
    MostraPannello(1);
    resize(560, 440);
    CentraForm(this);
}

QString frmVisualizza::TestoColonna(int32_t j) {
    std::string testo = "  ";
    if (j >= 1 && j <= MAX_COLONNE) {
        const int k = std::clamp<int>(mLenCol, 1, MAX_POSIZIONI);
        for (int p = 1; p < k; ++p) {
            const uint8_t v = mArrColonne.valore(j, p);
            if (v != 0) testo += FormatoZeri(v) + "-";
        }
        const uint8_t ultimo = mArrColonne.valore(j, k);
        if (ultimo != 0) testo += FormatoZeri(ultimo);
    }
    return Q(testo);
}

void frmVisualizza::MostraPannello(int32_t pannello) {
    const int32_t j0 = pannello * 10 - 9;
    for (int r = 0; r < 10; ++r) labVisualizza[static_cast<size_t>(r)]->setText(TestoColonna(j0 + r));
    labNscheda->setText(QString::number(pannello) + QLatin1Char(' ') + Q(TestoMessaggio("0170")) + QLatin1Char(' ') +
                        QString::number(numPannelli_));
}

bool frmVisualizza::Naviga(int tasto) {
    switch (tasto) {
        case Qt::Key_PageDown:
            Avanti(1);
            return true;
        case Qt::Key_PageUp:
            Indietro(1);
            return true;
        case Qt::Key_Home:
            Indietro(numPannelli_);
            return true;
        case Qt::Key_End:
            Avanti(numPannelli_);
            return true;
        default:
            return false;
    }
}

void frmVisualizza::keyPressEvent(QKeyEvent* e) {
    if (!Naviga(e->key())) QDialog::keyPressEvent(e);
}

void frmVisualizza::wheelEvent(QWheelEvent* e) {
    // One panel per notch of the wheel; fine-grained wheels add up to a notch first.
    rotella_ += e->angleDelta().y();
    while (rotella_ <= -120) {
        rotella_ += 120;
        Avanti(1);
    }
    while (rotella_ >= 120) {
        rotella_ -= 120;
        Indietro(1);
    }
    e->accept();
}

void frmVisualizza::Avanti(int32_t n) {
    pannelloCorrente_ = std::min(pannelloCorrente_ + n, numPannelli_);
    MostraPannello(pannelloCorrente_);
}

void frmVisualizza::Indietro(int32_t n) {
    pannelloCorrente_ = std::max(pannelloCorrente_ - n, primoPannello_);
    MostraPannello(pannelloCorrente_);
}

bool frmVisualizza::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        auto* tasto = static_cast<QKeyEvent*>(evento);
        if (Naviga(tasto->key())) return true;
        if (TastoDiPasso(*tasto)) {
            if (auto* b = qobject_cast<QPushButton*>(oggetto)) {
                b->click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

}  // namespace novanta::ui
