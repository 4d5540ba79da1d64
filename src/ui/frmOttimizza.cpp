#include "ui/frmOttimizza.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/ottimizzatore.h"
#include "core/corpo.h"
#include "support/formato.h"
#include "ui/interfacciaQt.h"
#include "ui/lingua.h"

namespace novanta::ui {

GraficoColonne::GraficoColonne(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("graficoColonne"));
    setMinimumSize(240, 140);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void GraficoColonne::Azzera(int colonne, double secondi) {
    punti_.assign(1, {0.0, colonne});
    durata_ = std::max(1.0, secondi);
    fine_ = 0;
    update();
}

void GraficoColonne::Aggiungi(double secondi, int colonne) {
    if (!punti_.empty() && punti_.back().second == colonne) return;
    punti_.emplace_back(secondi, colonne);
    update();
}

void GraficoColonne::Fine(double secondi) {
    fine_ = secondi;
    update();
}

void GraficoColonne::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().base());
    const QFontMetrics fm(font());
    const int sx = fm.horizontalAdvance(QStringLiteral("00000")) + 8;
    const QRect area = rect().adjusted(sx, 2 * fm.height(), -10, -fm.height() - 8);
    p.setPen(palette().text().color());
    p.drawLine(area.bottomLeft(), area.bottomRight());
    p.drawLine(area.bottomLeft(), area.topLeft());
    p.drawText(QRect(area.left(), area.bottom() + 4, area.width(), fm.height()), Qt::AlignRight,
               QString::number(durata_, 'f', 0) + QLatin1Char(' ') + Q(TestoMessaggio("0278")));
    p.drawText(QRect(0, 0, width(), fm.height()), Qt::AlignLeft, Q(TestoMessaggio("0277")));
    if (punti_.empty()) return;
    const int alto = punti_.front().second;
    const int basso =
        std::min_element(punti_.begin(), punti_.end(), [](auto a, auto b) { return a.second < b.second; })->second;
    const int fondo = std::max(0, basso - std::max(1, (alto - basso) / 4));
    const double scalaY = alto > fondo ? static_cast<double>(area.height()) / (alto - fondo) : 1.0;
    auto y = [&](int colonne) { return area.bottom() - (colonne - fondo) * scalaY; };
    auto x = [&](double s) { return area.left() + std::min(1.0, s / durata_) * area.width(); };
    p.drawText(QRect(0, static_cast<int>(y(alto)) - fm.height() / 2, sx - 4, fm.height()), Qt::AlignRight,
               QString::number(alto));
    p.drawText(QRect(0, static_cast<int>(y(basso)) - fm.height() / 2, sx - 4, fm.height()), Qt::AlignRight,
               QString::number(basso));
    QPainterPath linea;
    linea.moveTo(x(punti_.front().first), y(punti_.front().second));
    for (size_t i = 1; i < punti_.size(); ++i) {
        linea.lineTo(x(punti_[i].first), y(punti_[i - 1].second));
        linea.lineTo(x(punti_[i].first), y(punti_[i].second));
    }
    linea.lineTo(x(std::max(punti_.back().first, fine_)) + 1, y(punti_.back().second));
    p.setPen(QPen(palette().highlight().color(), 2));
    p.drawPath(linea);
}

frmOttimizza::frmOttimizza(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmOttimizza"));
    setProperty("ApplicaLingua", true);
    setWindowTitle(QStringLiteral("Ottimizza Sistema"));

    auto* v = new QVBoxLayout(this);
    auto* frameTempo = new QGroupBox(QStringLiteral("Tempo"), this);
    frameTempo->setObjectName(QStringLiteral("frameTempo"));
    auto* tempo = new QHBoxLayout(frameTempo);
    txtSecondi = new QSpinBox(frameTempo);
    txtSecondi->setObjectName(QStringLiteral("txtSecondi"));
    txtSecondi->setRange(1, 3600);
    txtSecondi->setValue(60);
    auto* lblSecondi = new QLabel(QStringLiteral("secondi"), frameTempo);
    lblSecondi->setObjectName(QStringLiteral("lblSecondi"));
    tempo->addWidget(txtSecondi);
    tempo->addWidget(lblSecondi);
    tempo->addStretch(1);
    v->addWidget(frameTempo);

    auto* dati = new QGridLayout;
    auto riga = [&](int r, const char* nome, const QString& testo, const char* nomeValore) {
        auto* l = new QLabel(testo, this);
        l->setObjectName(QString::fromLatin1(nome));
        auto* valore = new QLabel(this);
        valore->setObjectName(QString::fromLatin1(nomeValore));
        QFont f = valore->font();
        f.setBold(true);
        valore->setFont(f);
        dati->addWidget(l, r, 0);
        dati->addWidget(valore, r, 1);
        return valore;
    };
    lblNumGaranzia = riga(0, "lblGaranzia", QStringLiteral("Garanzia"), "lblNumGaranzia");
    lblNumIniziali = riga(1, "lblColonneIniziali", QStringLiteral("Colonne iniziali"), "lblNumIniziali");
    lblNumMigliori = riga(2, "lblColonneMigliori", QStringLiteral("Colonne migliori"), "lblNumMigliori");
    lblNumLimite = riga(3, "lblLimite", QStringLiteral("Limite inferiore"), "lblNumLimite");
    dati->setColumnStretch(1, 1);
    v->addLayout(dati);

    grafico = new GraficoColonne(this);
    v->addWidget(grafico, 1);
    lblStato = new QLabel(this);
    lblStato->setObjectName(QStringLiteral("lblStato"));
    lblStato->setWordWrap(true);
    v->addWidget(lblStato);

    auto* pulsanti = new QHBoxLayout;
    auto pulsante = [&](const char* nome, const QString& testo) {
        auto* b = new QPushButton(testo, this);
        b->setObjectName(QString::fromLatin1(nome));
        pulsanti->addWidget(b);
        return b;
    };
    pulsanti->addStretch(1);
    cmdAvvia = pulsante("cmdAvvia", QStringLiteral("&Avvia"));
    cmdStop = pulsante("cmdStop", QStringLiteral("&Stop"));
    cmdChiudi = pulsante("cmdChiudi", QStringLiteral("&Chiudi"));
    v->addLayout(pulsanti);
    cmdAvvia->setDefault(true);
    cmdStop->setEnabled(false);
    connect(cmdAvvia, &QPushButton::clicked, this, &frmOttimizza::Avvia);
    connect(cmdStop, &QPushButton::clicked, this, &frmOttimizza::Ferma);
    connect(cmdChiudi, &QPushButton::clicked, this, &QDialog::reject);

    ApplicaLingua(this);
    const int x = mCondizioni.ridottoNx;
    lblNumGaranzia->setText(QStringLiteral("N-%1  (%2/%3)").arg(x).arg(mLenCol - x).arg(mLenCol));
    lblNumIniziali->setText(Q(FormatoMigliaia(mSistema.nColonne)));
    lblNumMigliori->setText(Q(FormatoMigliaia(mSistema.nColonne)));
    lblNumLimite->setText(QStringLiteral("--"));
    grafico->Azzera(mSistema.nColonne, txtSecondi->value());
    resize(sizeHint().expandedTo(QSize(460, 420)));
    CentraForm(this);
}

void frmOttimizza::Progresso(int migliore, double secondi) {
    lblNumMigliori->setText(Q(FormatoMigliaia(migliore)));
    grafico->Aggiungi(secondi, migliore);
}

void frmOttimizza::Avvia() {
    if (inCorso_) return;
    inCorso_ = true;
    for (QWidget* w : std::initializer_list<QWidget*>{cmdAvvia, cmdChiudi, txtSecondi}) w->setEnabled(false);
    cmdStop->setEnabled(true);
    cmdStop->setFocus();
    lblStato->setText(Q(TestoMessaggio("0279")));
    const int32_t prima = mSistema.nColonne;
    lblNumIniziali->setText(Q(FormatoMigliaia(prima)));
    lblNumLimite->setText(QStringLiteral("--"));
    grafico->Azzera(prima, txtSecondi->value());
    InterfacciaQt* faccia = FacciaQt();
    if (faccia)
        faccia->alProgressoOttimizzazione = [this](int32_t migliore, double secondi) { Progresso(migliore, secondi); };
    const EsitoOttimizzazione esito = OttimizzaSistemaCorrente(txtSecondi->value(), 1);
    if (faccia) faccia->alProgressoOttimizzazione = nullptr;
    inCorso_ = false;
    for (QWidget* w : std::initializer_list<QWidget*>{cmdAvvia, cmdChiudi, txtSecondi}) w->setEnabled(true);
    cmdStop->setEnabled(false);
    if (esito.eseguito) lblNumLimite->setText(Q(FormatoMigliaia(esito.limiteInferiore)));
    if (!esito.sistema.empty()) {
        Progresso(esito.colonneFinali, esito.secondi);
        grafico->Fine(esito.secondi);
        lblStato->setText(Q(DescrizioneGaranziaVerificata(esito, mLenCol - mCondizioni.ridottoNx)));
    } else {
        lblStato->clear();
    }
    cmdChiudi->setFocus();
}

void frmOttimizza::Ferma() {
    if (inCorso_) mAnnullaCalcolo = true;
}

// Escape stops a search (keeping the best) and closes the window only when none is running.
void frmOttimizza::reject() {
    if (inCorso_) {
        Ferma();
        return;
    }
    QDialog::reject();
}

}  // namespace novanta::ui
