#include "ui/controlli_condizione.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "core/corpo.h"
#include "ui/lingua.h"

namespace novanta::ui {

bool TastoDiPasso(const QKeyEvent& tasto) {
    switch (tasto.key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
            return false;
        default:
            return !(tasto.modifiers() & Qt::AltModifier);
    }
}

QStringList TestiNumerati(int da, int a) {
    QStringList testi;
    for (int i = da; i <= a; ++i) testi << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return testi;
}

CoppiaOnOff::CoppiaOnOff(const QString& nomeFrame, const QString& nome, QWidget* parent) : QGroupBox(parent) {
    setObjectName(nomeFrame);
    setTitle(QStringLiteral("Condizione"));
    auto* riga = new QHBoxLayout(this);
    const char* testi[2] = {"ON", "OFF"};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(testi[i]), this);
        b->setObjectName(QStringLiteral("%1(%2)").arg(nome).arg(i));
        b->setFocusPolicy(Qt::StrongFocus);
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("OFF")) + 24);
        b->installEventFilter(this);
        connect(b, &QPushButton::pressed, this, [this, i] {
            if (suPressione_) SceltaUtente(i);
        });
        connect(b, &QPushButton::clicked, this, [this, i] {
            if (!suPressione_) SceltaUtente(i);
        });
        riga->addWidget(b);
        bottoni_[static_cast<size_t>(i)] = b;
    }
    Scegli(1);
}

void CoppiaOnOff::Scegli(int indice) {
    scelto_ = indice;
    const QColor grigio = palette().color(QPalette::Disabled, QPalette::ButtonText);
    for (int i = 0; i < 2; ++i) {
        const bool questo = i == indice;
        const QString colori = questo
                                   ? QStringLiteral("background-color: #ffff00; color: #000000;")
                                   : QStringLiteral("background-color: palette(button); color: %1;").arg(grigio.name());
        bottoni_[static_cast<size_t>(i)]->setStyleSheet(
            QStringLiteral("QPushButton { %1 border: 1px solid palette(mid); padding: 3px 10px; }"
                           "QPushButton:focus { border: 2px solid palette(highlight); }")
                .arg(colori));
        bottoni_[static_cast<size_t>(i)]->setProperty("Tag", questo ? QStringLiteral("1") : QStringLiteral("0"));
    }
}

void CoppiaOnOff::SceltaUtente(int indice) {
    if (solaLettura_) return;
    const bool cambia = indice != scelto_;
    Scegli(indice);
    Q_EMIT cliccato(indice);
    if (cambia) Q_EMIT cambiato(indice);
}

bool CoppiaOnOff::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(evento)->key()) {
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Up:
            case Qt::Key_Down: {
                const int altro = oggetto == bottoni_[0] ? 1 : 0;
                bottoni_[static_cast<size_t>(altro)]->setFocus(Qt::OtherFocusReason);
                SceltaUtente(altro);
                return true;
            }
            default:
                break;
        }
    }
    return QGroupBox::eventFilter(oggetto, evento);
}

EtichetteSelezione::EtichetteSelezione(const QString& nome, int base, const QStringList& testi, int perRiga,
                                       QWidget* parent)
    : QWidget(parent), base_(base), perRiga_(perRiga > 0 ? perRiga : 1) {
    setObjectName(nome + QStringLiteral("_array"));
    setFocusPolicy(Qt::StrongFocus);
    griglia_ = new QGridLayout(this);
    griglia_->setContentsMargins(2, 2, 2, 2);
    griglia_->setSpacing(2);
    griglia_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    int larghezza = 0;
    for (const QString& t : testi) larghezza = std::max(larghezza, fontMetrics().horizontalAdvance(t));
    etichette_.reserve(static_cast<size_t>(testi.size()));
    stati_.resize(static_cast<size_t>(testi.size()));
    for (int pos = 0; pos < testi.size(); ++pos) {
        auto* l = new QLabel(testi[pos], this);
        l->setObjectName(QStringLiteral("%1(%2)").arg(nome).arg(base + pos));
        l->setAlignment(Qt::AlignCenter);
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        l->setMinimumWidth(larghezza + 10);
        l->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        l->setProperty("Tag", QStringLiteral("0"));
        griglia_->addWidget(l, pos / perRiga_, pos % perRiga_);
        etichette_.push_back(l);
        Colora(pos);
    }
}

QLabel* EtichetteSelezione::etichetta(int i) const {
    const int pos = i - base_;
    return pos >= 0 && pos < numero() ? etichette_[static_cast<size_t>(pos)] : nullptr;
}

void EtichetteSelezione::Imposta(int i, bool scelto) {
    const int pos = i - base_;
    if (pos < 0 || pos >= numero() || stati_[static_cast<size_t>(pos)].scelto == scelto) return;
    stati_[static_cast<size_t>(pos)].scelto = scelto;
    Colora(pos);
}

bool EtichetteSelezione::scelto(int i) const {
    const int pos = i - base_;
    return pos >= 0 && pos < numero() && stati_[static_cast<size_t>(pos)].scelto;
}

void EtichetteSelezione::setVisibile(int i, bool visibile) {
    if (QLabel* l = etichetta(i)) l->setVisible(visibile);
}

bool EtichetteSelezione::visibile(int i) const {
    const QLabel* l = etichetta(i);
    return l && !l->isHidden();
}

void EtichetteSelezione::setSelezionabile(int i, bool selezionabile) {
    const int pos = i - base_;
    if (pos < 0 || pos >= numero() || stati_[static_cast<size_t>(pos)].selezionabile == selezionabile) return;
    stati_[static_cast<size_t>(pos)].selezionabile = selezionabile;
    Colora(pos);
}

bool EtichetteSelezione::selezionabile(int i) const {
    const int pos = i - base_;
    return pos >= 0 && pos < numero() && stati_[static_cast<size_t>(pos)].selezionabile;
}

void EtichetteSelezione::setColoreScelto(const QColor& colore) {
    coloreScelto_ = colore;
    for (int pos = 0; pos < numero(); ++pos)
        if (stati_[static_cast<size_t>(pos)].scelto) Colora(pos);
}

void EtichetteSelezione::setColoreTestoScelto(const QColor& colore) {
    coloreTestoScelto_ = colore;
    setColoreScelto(coloreScelto_);
}

void EtichetteSelezione::Colora(int pos) {
    const Stato& s = stati_[static_cast<size_t>(pos)];
    QLabel* l = etichette_[static_cast<size_t>(pos)];
    const bool fuoco = pos == corrente_ && hasFocus();
    QString foglio =
        s.scelto
            ? QStringLiteral("background-color: %1; color: %2;").arg(coloreScelto_.name(), coloreTestoScelto_.name())
            : QStringLiteral("background-color: #ffffff; color: #000000;");
    if (!s.selezionabile) foglio += QStringLiteral("color: #a0a0a0; font-style: italic;");
    foglio += fuoco ? QStringLiteral("border: 1px dashed #000000;") : QStringLiteral("border: 1px solid #c0c0c0;");
    foglio += QStringLiteral("padding: 1px 3px;");
    l->setStyleSheet(foglio);
    l->setProperty("Tag", s.scelto ? QStringLiteral("1") : QStringLiteral("0"));
}

void EtichetteSelezione::Tocca(int pos) {
    if (pos < 0 || pos >= numero() || solaLettura_) return;
    Stato& s = stati_[static_cast<size_t>(pos)];
    if (!s.selezionabile || etichette_[static_cast<size_t>(pos)]->isHidden()) return;
    const bool nuovo = !s.scelto;
    if (consenti && !consenti(base_ + pos, nuovo)) return;
    s.scelto = nuovo;
    Colora(pos);
    Q_EMIT cliccato(base_ + pos, nuovo);
}

int EtichetteSelezione::IndiceIn(const QPoint& punto) const {
    for (int pos = 0; pos < numero(); ++pos) {
        const QLabel* l = etichette_[static_cast<size_t>(pos)];
        if (!l->isHidden() && l->geometry().contains(punto)) return base_ + pos;
    }
    return -1;
}

void EtichetteSelezione::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
    trascinando_ = true;
    const int i = IndiceIn(e->position().toPoint());
    ultimo_ = i;
    if (i >= 0) {
        Corrente(i - base_);
        Tocca(i - base_);
    }
}

void EtichetteSelezione::mouseMoveEvent(QMouseEvent* e) {
    if (!trascinando_) return QWidget::mouseMoveEvent(e);
    const int i = IndiceIn(e->position().toPoint());
    if (i == ultimo_) return;
    ultimo_ = i;
    if (i >= 0) Tocca(i - base_);
}

void EtichetteSelezione::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        trascinando_ = false;
        ultimo_ = -1;
    }
    QWidget::mouseReleaseEvent(e);
}

int EtichetteSelezione::posizioneVisibile(int pos, int passo) const {
    for (int p = pos + passo; p >= 0 && p < numero(); p += passo)
        if (!etichette_[static_cast<size_t>(p)]->isHidden()) return p;
    return pos;
}

void EtichetteSelezione::Corrente(int pos) {
    const int prima = corrente_;
    corrente_ = pos;
    if (prima >= 0 && prima < numero()) Colora(prima);
    if (pos >= 0 && pos < numero()) Colora(pos);
}

void EtichetteSelezione::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Left:
            Corrente(posizioneVisibile(corrente_, -1));
            break;
        case Qt::Key_Right:
            Corrente(posizioneVisibile(corrente_, 1));
            break;
        case Qt::Key_Up:
            Corrente(posizioneVisibile(corrente_, -perRiga_));
            break;
        case Qt::Key_Down:
            Corrente(posizioneVisibile(corrente_, perRiga_));
            break;
        case Qt::Key_Space:
            Tocca(corrente_);
            break;
        default:
            return QWidget::keyPressEvent(e);
    }
}

void EtichetteSelezione::focusInEvent(QFocusEvent* e) {
    if (corrente_ < 0 || corrente_ >= numero() || etichette_[static_cast<size_t>(corrente_)]->isHidden())
        corrente_ = posizioneVisibile(-1, 1);
    if (corrente_ >= 0 && corrente_ < numero()) Colora(corrente_);
    QWidget::focusInEvent(e);
}

void EtichetteSelezione::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    if (corrente_ >= 0 && corrente_ < numero()) Colora(corrente_);
}

FinestraCondizione::FinestraCondizione(const QString& nome, QWidget* parent) : QDialog(parent) {
    setObjectName(nome);
    setProperty("ApplicaLingua", true);
    setModal(true);
    bloccata_ = mGUILocked == -1;
}

void FinestraCondizione::done(int risultato) {
    if (!Chiudi()) return;
    QDialog::done(risultato);
}

void FinestraCondizione::Prepara() {
    ApplicaLingua(this);
    adjustSize();
    setMinimumSize(sizeHint());
    CentraForm(this);
}

}  // namespace novanta::ui
