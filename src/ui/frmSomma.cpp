#include "ui/frmSomma.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

#include "core/corpo.h"
#include "core/regole_condizioni.h"
#include "ui/interfacciaQt.h"

namespace novanta::ui {

namespace {

std::optional<int> valore(const QLineEdit* campo) {
    if (campo->text().isEmpty()) return std::nullopt;
    return campo->text().toInt();
}

}  // namespace

frmSomma::frmSomma(QWidget* parent) : FinestraCondizione(QStringLiteral("frmSomma"), parent) {
    setWindowTitle(QStringLiteral("  Somma"));
    const LimitiSomma possibile = SommaPossibile();
    // As many digits as the largest possible sum needs (k = 25 reaches 1,950).
    const int cifre = std::max(3, static_cast<int>(QString::number(possibile.massimo).size()));

    auto* v = new QVBoxLayout(this);
    frameSomma = new QGroupBox(this);
    frameSomma->setObjectName(QStringLiteral("frameSomma"));
    auto* g = new QGridLayout(frameSomma);
    auto etichetta = [&](const char* nome, const QString& testo) {
        auto* l = new QLabel(testo, frameSomma);
        l->setObjectName(QString::fromLatin1(nome));
        return l;
    };
    auto campo = [&](const char* nome) {
        auto* e = new QLineEdit(frameSomma);
        e->setObjectName(QString::fromLatin1(nome));
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,%1}").arg(cifre)), e));
        e->setMaxLength(cifre);
        e->setAlignment(Qt::AlignRight);
        e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QString(cifre + 2, QLatin1Char('0'))));
        e->installEventFilter(this);
        return e;
    };
    lblDA = etichetta("lblDA", QStringLiteral("DA"));
    lblA = etichetta("lblA", QStringLiteral("A"));
    meDa = campo("meDa");
    meA = campo("meA");
    lblMin = etichetta("lblMin", QStringLiteral("Minimo"));
    lblMax = etichetta("lblMax", QStringLiteral("Massimo"));
    labMin = etichetta("labMin", QString::number(possibile.minimo));
    labMax = etichetta("labMax", QString::number(possibile.massimo));
    g->addWidget(lblDA, 0, 0);
    g->addWidget(meDa, 0, 1);
    g->addWidget(lblA, 0, 2);
    g->addWidget(meA, 0, 3);
    g->addWidget(lblMin, 1, 0);
    g->addWidget(labMin, 1, 1, Qt::AlignRight);
    g->addWidget(lblMax, 1, 2);
    g->addWidget(labMax, 1, 3, Qt::AlignRight);
    v->addWidget(frameSomma);
    frameStatoCond = new CoppiaOnOff(QStringLiteral("frameStatoCond"), QStringLiteral("optCondSomma"), this);
    v->addWidget(frameStatoCond);

    // A stored bound that the current prediction cannot reach gives way to the prediction's own.
    auto proposto = [&](int salvato, int sostituto) {
        const bool valido = salvato != 0 && possibile.minimo <= salvato && salvato <= possibile.massimo;
        return QString::number(valido ? salvato : sostituto);
    };
    meDa->setText(proposto(mCondizioni.sommaMin, possibile.minimo));
    meA->setText(proposto(mCondizioni.sommaMax, possibile.massimo));
    frameStatoCond->Scegli(mCondizioni.sommaAttiva ? 0 : 1);
    connect(frameStatoCond, &CoppiaOnOff::cliccato, this, [](int i) { ImpostaSommaAttiva(i == 0); });
    connect(meDa, &QLineEdit::returnPressed, meA, [this] { meA->setFocus(); });
    connect(meA, &QLineEdit::returnPressed, meDa, [this] { meDa->setFocus(); });
    if (bloccata()) {
        frameSomma->setEnabled(false);
        frameStatoCond->setSolaLettura(true);
    }
    Prepara();
}

bool frmSomma::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::FocusIn)
        if (auto* campo = qobject_cast<QLineEdit*>(oggetto)) QTimer::singleShot(0, campo, &QLineEdit::selectAll);
    return FinestraCondizione::eventFilter(oggetto, evento);
}

bool frmSomma::Chiudi() {
    if (bloccata()) return true;
    const auto da = valore(meDa), a = valore(meA);
    const auto falliti = ControllaSomma(da, a);
    for (const std::string& id : falliti) {
        UI().Beep();
        UI().MsgBox(TestoMessaggio(id), Pulsanti::OK, Icona::Esclamazione, " !!! ERROR !!! ");
        (id == "0023" ? meDa : meA)->setFocus();
    }
    return falliti.empty() && static_cast<bool>(ImpostaSomma(da, a));
}

}  // namespace novanta::ui
