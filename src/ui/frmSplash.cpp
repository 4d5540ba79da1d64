#include "ui/frmSplash.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/frmAbout.h"
#include "ui/lingua.h"
#include "versione.h"

namespace novanta::ui {

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral(NOVANTA_TITOLO));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0x00, 0x80, 0x80));
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(40, 30, 40, 30);
    auto* titolo = new QLabel(QStringLiteral(NOVANTA_TITOLO), this);
    titolo->setObjectName(QStringLiteral("lblTitolo"));
    QFont f = titolo->font();
    f.setPointSizeF(f.pointSizeF() * 3);
    f.setBold(true);
    titolo->setFont(f);
    titolo->setAlignment(Qt::AlignCenter);
    auto* versione = new QLabel(TestoVersione(), this);
    versione->setObjectName(QStringLiteral("lblVersione"));
    versione->setAlignment(Qt::AlignCenter);
    auto* nota = new QLabel(QStringLiteral("1 \u2013 90"), this);
    nota->setObjectName(QStringLiteral("lblNota"));
    nota->setAlignment(Qt::AlignCenter);
    v->addWidget(titolo);
    v->addWidget(versione);
    v->addWidget(nota);
    setFixedSize(420, 220);
    CentraForm(this);
}

}  // namespace novanta::ui
