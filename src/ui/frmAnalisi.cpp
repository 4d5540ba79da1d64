#include "ui/frmAnalisi.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include "core/corpo.h"
#include "settings/multiLanguage.h"
#include "support/formato.h"
#include "ui/interfacciaQt.h"
#include "ui/lingua.h"

namespace novanta::ui {

namespace {

// The analysis reaches the user through the program's face, but its bar is this window's.
class FacciaAnalisi : public Interfaccia {
public:
    FacciaAnalisi(Interfaccia& faccia, QProgressBar* barra) : faccia_(faccia), barra_(barra) {}
    Risposta MsgBox(const std::string& testo, Pulsanti pulsanti, Icona icona, const std::string& titolo) override {
        return faccia_.MsgBox(testo, pulsanti, icona, titolo);
    }
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& titolo,
                                        const std::string& predefinito) override {
        return faccia_.InputBox(prompt, titolo, predefinito);
    }
    void DoEvents() override { faccia_.DoEvents(); }
    void ProgressoBarra(int valore) override { barra_->setValue(valore); }

private:
    Interfaccia& faccia_;
    QProgressBar* barra_;
};

QString Numeri(const uint8_t* v, size_t n) {
    QStringList t;
    for (size_t i = 0; i < n; ++i) t << QString::asprintf("%02d", v[i]);
    return t.join(QLatin1Char(' '));
}

QString PerPunti(const std::vector<int32_t>& v) {
    QStringList t;
    for (size_t h = 0; h < v.size(); ++h) t << QStringLiteral("%1: %2").arg(h).arg(Q(FormatoMigliaia(v[h])));
    return t.join(QStringLiteral("   "));
}

QTableWidgetItem* Cella(const QString& testo) {
    auto* c = new QTableWidgetItem(testo);
    c->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return c;
}

QTableWidget* Tabella(QWidget* parent, const char* nome) {
    auto* t = new QTableWidget(parent);
    t->setObjectName(QString::fromLatin1(nome));
    t->verticalHeader()->setVisible(false);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

}  // namespace

frmAnalisi::frmAnalisi(QWidget* parent)
    : QDialog(parent), sistema_(analisi::SistemaCorrente()), controllo_(sistema_.colonne, sistema_.lunghezza) {
    setObjectName(QStringLiteral("frmAnalisi"));
    setProperty("ApplicaLingua", true);
    setWindowTitle(QStringLiteral("Analisi del Sistema"));
    setSizeGripEnabled(true);

    auto* v = new QVBoxLayout(this);
    lblSistema = new QLabel(this);
    lblSistema->setObjectName(QStringLiteral("lblSistema"));
    lblSistema->setWordWrap(true);
    v->addWidget(lblSistema);

    auto* comandi = new QHBoxLayout;
    lblEstratti = new QLabel(QStringLiteral("Numeri estratti"), this);
    lblEstratti->setObjectName(QStringLiteral("lblEstratti"));
    spinEstratti = new QSpinBox(this);
    spinEstratti->setObjectName(QStringLiteral("spinEstratti"));
    spinEstratti->setRange(1, 90);
    spinEstratti->setValue(std::clamp(sistema_.lunghezza, 1, 90));
    lblEstratti->setBuddy(spinEstratti);
    cmdAnalizza = new QPushButton(QStringLiteral("&Analizza"), this);
    cmdAnalizza->setObjectName(QStringLiteral("cmdAnalizza"));
    pbAnalisi = new QProgressBar(this);
    pbAnalisi->setObjectName(QStringLiteral("pbAnalisi"));
    pbAnalisi->setRange(0, 100);
    pbAnalisi->setValue(0);
    cmdAnnulla = new QPushButton(QStringLiteral("A&nnulla"), this);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    cmdAnnulla->setEnabled(false);
    comandi->addWidget(lblEstratti);
    comandi->addWidget(spinEstratti);
    comandi->addWidget(cmdAnalizza);
    comandi->addWidget(pbAnalisi, 1);
    comandi->addWidget(cmdAnnulla);
    v->addLayout(comandi);

    tabAnalisi = new QTabWidget(this);
    tabAnalisi->setObjectName(QStringLiteral("tabAnalisi"));
    v->addWidget(tabAnalisi, 1);

    // The guarantee and the odds.
    auto* pagina = new QWidget(tabAnalisi);
    auto* divisore = new QSplitter(Qt::Horizontal, pagina);
    auto* sinistra = new QWidget(divisore);
    auto* sv = new QVBoxLayout(sinistra);
    sv->setContentsMargins(0, 0, 0, 0);
    lblTabella = new QLabel(
        QStringLiteral("Sottoinsiemi del pronostico per il massimo di numeri che una colonna contiene"), sinistra);
    lblTabella->setObjectName(QStringLiteral("lblTabella"));
    lblTabella->setWordWrap(true);
    tblGaranzia = Tabella(sinistra, "tblGaranzia");
    tblGaranzia->setProperty("Tag", QStringLiteral("Estratti nel pronostico|Sottoinsiemi|Garanzia"));
    tblProbabilita = Tabella(sinistra, "tblProbabilita");
    tblProbabilita->setProperty("Tag", QStringLiteral("Punto migliore|Probabilità %|Quota"));
    sv->addWidget(lblTabella);
    sv->addWidget(tblGaranzia, 1);
    sv->addWidget(tblProbabilita, 1);
    grafico = new QChartView(divisore);
    grafico->setObjectName(QStringLiteral("grafico"));
    grafico->setProperty("Tag", QStringLiteral("Punto migliore|Probabilità %"));
    grafico->setRenderHint(QPainter::Antialiasing);
    grafico->setMinimumWidth(280);
    divisore->addWidget(sinistra);
    divisore->addWidget(grafico);
    divisore->setStretchFactor(0, 3);
    divisore->setStretchFactor(1, 2);
    auto* pv = new QVBoxLayout(pagina);
    pv->addWidget(divisore);
    tabAnalisi->addTab(pagina, QStringLiteral("Garanzia e Probabilità"));

    // The draws.
    auto* paginaE = new QWidget(tabAnalisi);
    auto* ev = new QVBoxLayout(paginaE);
    auto* riga = new QHBoxLayout;
    lblEstrazione = new QLabel(QStringLiteral("Estrazione"), paginaE);
    lblEstrazione->setObjectName(QStringLiteral("lblEstrazione"));
    txtEstrazione = new QLineEdit(paginaE);
    txtEstrazione->setObjectName(QStringLiteral("txtEstrazione"));
    lblEstrazione->setBuddy(txtEstrazione);
    cmdControlla = new QPushButton(QStringLiteral("&Controlla"), paginaE);
    cmdControlla->setObjectName(QStringLiteral("cmdControlla"));
    riga->addWidget(lblEstrazione);
    riga->addWidget(txtEstrazione, 1);
    riga->addWidget(cmdControlla);
    ev->addLayout(riga);
    lblEsito = new QLabel(paginaE);
    lblEsito->setObjectName(QStringLiteral("lblEsito"));
    lblEsito->setWordWrap(true);
    lblEsito->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ev->addWidget(lblEsito);
    lstVincenti = new QListWidget(paginaE);
    lstVincenti->setObjectName(QStringLiteral("lstVincenti"));
    ev->addWidget(lstVincenti, 1);
    auto* rigaFile = new QHBoxLayout;
    cmdCaricaEstrazioni = new QPushButton(QStringLiteral("Carica &Estrazioni..."), paginaE);
    cmdCaricaEstrazioni->setObjectName(QStringLiteral("cmdCaricaEstrazioni"));
    lblTotali = new QLabel(paginaE);
    lblTotali->setObjectName(QStringLiteral("lblTotali"));
    lblTotali->setWordWrap(true);
    rigaFile->addWidget(cmdCaricaEstrazioni);
    rigaFile->addWidget(lblTotali, 1);
    ev->addLayout(rigaFile);
    tblEstrazioni = Tabella(paginaE, "tblEstrazioni");
    tblEstrazioni->setProperty("Tag", QStringLiteral("Riga|Data|Numeri|Punto migliore"));
    ev->addWidget(tblEstrazioni, 2);
    tabAnalisi->addTab(paginaE, QStringLiteral("Estrazioni"));

    auto* fondo = new QHBoxLayout;
    fondo->addStretch(1);
    cmdChiudi = new QPushButton(QStringLiteral("C&hiudi"), this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    fondo->addWidget(cmdChiudi);
    v->addLayout(fondo);

    // Enter in the draw field checks the draw; no button takes Enter for itself.
    for (QPushButton* b : {cmdAnalizza, cmdAnnulla, cmdControlla, cmdCaricaEstrazioni, cmdChiudi})
        b->setAutoDefault(false);
    connect(cmdAnalizza, &QPushButton::clicked, this, [this] { Analizza(); });
    connect(cmdAnnulla, &QPushButton::clicked, this, [] { mAnnullaCalcolo = true; });
    connect(cmdControlla, &QPushButton::clicked, this, [this] { ControllaEstrazione(); });
    connect(txtEstrazione, &QLineEdit::returnPressed, this, [this] { ControllaEstrazione(); });
    connect(cmdCaricaEstrazioni, &QPushButton::clicked, this, [this] {
        const auto file =
            UI().ScegliFileApri("File TXT (*.txt)|*.txt|File CSV (*.csv)|*.csv|*.*|*.*", (mPathDati / "csv").string());
        if (file && !file->empty()) CaricaEstrazioni(*file);
    });
    connect(cmdChiudi, &QPushButton::clicked, this, &QDialog::reject);

    std::vector<uint8_t> pronostico;
    int estratti = 0;
    analisi::ControllaAnalisi(sistema_, pronostico, estratti);
    numeriPronostico_ = static_cast<int>(pronostico.size());
    ApplicaLingua(this);
    Testi();
    resize(980, 640);
    CentraForm(this);
}

QStringList frmAnalisi::Intestazioni(QWidget* controllo, int quante) const {
    QStringList t = controllo->property("Tag").toString().split(QLatin1Char('|'));
    while (t.size() < quante) t << QString();
    return t;
}

void frmAnalisi::Testi() {
    lblSistema->setText(QStringLiteral("%1 %2 %3 %4 %5")
                            .arg(Q(FormatoMigliaia(controllo_.colonne())), Q(TestoMessaggio("0230")))
                            .arg(sistema_.lunghezza)
                            .arg(Q(TestoMessaggio("0231")))
                            .arg(numeriPronostico_));
    MostraRisultato();
    MostraEstrazioni();
}

void frmAnalisi::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::LanguageChange) Testi();
    QDialog::changeEvent(evento);
}

void frmAnalisi::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    // The first analysis starts once the window is on screen, so its bar and cancel are seen.
    if (!avviata_) {
        avviata_ = true;
        QMetaObject::invokeMethod(
            this, [this] { Analizza(); }, Qt::QueuedConnection);
    }
}

void frmAnalisi::closeEvent(QCloseEvent* evento) {
    // Closing during the analysis stops it; the window closes when asked again.
    if (inCorso_) {
        mAnnullaCalcolo = true;
        evento->ignore();
        return;
    }
    QDialog::closeEvent(evento);
}

void frmAnalisi::reject() {
    if (inCorso_) {
        mAnnullaCalcolo = true;
        return;
    }
    QDialog::reject();
}

void frmAnalisi::Blocca(bool inCorso) {
    inCorso_ = inCorso;
    for (QWidget* w : std::initializer_list<QWidget*>{spinEstratti, cmdAnalizza, tabAnalisi, cmdChiudi})
        w->setEnabled(!inCorso);
    cmdAnnulla->setEnabled(inCorso);
    if (inCorso) cmdAnnulla->setFocus();
}

bool frmAnalisi::Analizza() {
    if (inCorso_) return false;
    avviata_ = true;
    sistema_.estratti = spinEstratti->value();
    FacciaAnalisi faccia(UI(), pbAnalisi);
    Blocca(true);
    pbAnalisi->setValue(0);
    UI().Clessidra(true);
    analisi::RisultatoAnalisi r;
    const auto esito = analisi::Analizza(sistema_, r, faccia);
    UI().Clessidra(false);
    mAnnullaCalcolo = false;
    Blocca(false);
    if (!esito.riuscita()) {
        pbAnalisi->setValue(0);
        UI().MsgBox(analisi::TestoEsitoAnalisi(esito), Pulsanti::OK,
                    esito.errore == analisi::ErroreAnalisi::Annullata ? Icona::Informazione : Icona::Esclamazione);
        return false;
    }
    pbAnalisi->setValue(100);
    risultato_ = std::move(r);
    Testi();
    return true;
}

void frmAnalisi::MostraRisultato() {
    const auto& r = risultato_;
    const int colonneH = r.tabella.empty() ? 0 : std::min(r.estratti, r.lunghezza) + 1;
    const QStringList testa = Intestazioni(tblGaranzia, 3);
    QStringList intestazioni{testa[0], testa[1]};
    for (int h = 0; h < colonneH; ++h) intestazioni << QString::number(h);
    intestazioni << testa[2];
    tblGaranzia->clear();
    tblGaranzia->setColumnCount(static_cast<int>(intestazioni.size()));
    tblGaranzia->setHorizontalHeaderLabels(intestazioni);
    tblGaranzia->setRowCount(static_cast<int>(r.tabella.size()));
    for (int i = 0; i < static_cast<int>(r.tabella.size()); ++i) {
        const auto& riga = r.tabella[static_cast<size_t>(i)];
        tblGaranzia->setItem(i, 0, Cella(QString::number(riga.dentro)));
        tblGaranzia->setItem(i, 1, Cella(Q(FormatoMigliaia(static_cast<double>(riga.sottoinsiemi)))));
        for (int h = 0; h < colonneH; ++h)
            tblGaranzia->setItem(
                i, 2 + h,
                Cella(static_cast<size_t>(h) < riga.migliore.size()
                          ? Q(FormatoMigliaia(static_cast<double>(riga.migliore[static_cast<size_t>(h)])))
                          : QString()));
        auto* g = Cella(QString::number(riga.garanzia));
        QFont grassetto = g->font();
        grassetto.setBold(true);
        g->setFont(grassetto);
        tblGaranzia->setItem(i, 2 + colonneH, g);
    }

    const QStringList testaP = Intestazioni(tblProbabilita, 3);
    tblProbabilita->clear();
    tblProbabilita->setColumnCount(3);
    tblProbabilita->setHorizontalHeaderLabels(testaP.mid(0, 3));
    tblProbabilita->setRowCount(static_cast<int>(r.probabilita.size()));
    const QLocale locale;
    auto percento = [&](long double p) { return locale.toString(static_cast<double>(p * 100), 'g', 8); };
    for (int h = 0; h < static_cast<int>(r.probabilita.size()); ++h) {
        const long double p = r.probabilita[static_cast<size_t>(h)];
        const std::string unoSu = analisi::UnoSu(p);
        tblProbabilita->setItem(h, 0, Cella(QString::number(h)));
        tblProbabilita->setItem(h, 1, Cella(percento(p)));
        tblProbabilita->setItem(h, 2,
                                Cella(unoSu.empty() ? QStringLiteral("-") : Q(TestoMessaggio("0233") + " " + unoSu)));
    }

    // The odds as bars, each with its percentage.
    const QStringList testaG = Intestazioni(grafico, 2);
    auto* chart = new QChart;
    auto* barre = new QBarSet(testaG[1]);
    // The labels carry the small odds that a bar is too short to show.
    barre->setLabelColor(palette().color(QPalette::WindowText));
    QStringList categorie;
    double massimo = 0;
    for (int h = 0; h < static_cast<int>(r.probabilita.size()); ++h) {
        const double p = static_cast<double>(r.probabilita[static_cast<size_t>(h)]) * 100;
        *barre << p;
        massimo = std::max(massimo, p);
        categorie << QString::number(h);
    }
    auto* serie = new QBarSeries;
    serie->append(barre);
    serie->setLabelsVisible(true);
    serie->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    serie->setLabelsFormat(QStringLiteral("@value"));
    serie->setLabelsPrecision(3);
    serie->setLabelsAngle(-90);
    chart->addSeries(serie);
    auto* asseX = new QBarCategoryAxis;
    asseX->append(categorie);
    asseX->setTitleText(testaG[0]);
    chart->addAxis(asseX, Qt::AlignBottom);
    serie->attachAxis(asseX);
    auto* asseY = new QValueAxis;
    asseY->setRange(0, massimo > 0 ? massimo * 1.3 : 1);
    asseY->applyNiceNumbers();
    asseY->setTitleText(testaG[1]);
    asseY->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(asseY, Qt::AlignLeft);
    serie->attachAxis(asseY);
    chart->legend()->setVisible(false);
    if (!r.tabella.empty()) chart->setTitle(Q(TestoMessaggio("0232")) + QStringLiteral(" %1").arg(r.estratti));
    QChart* vecchio = grafico->chart();
    grafico->setChart(chart);
    delete vecchio;
}

void frmAnalisi::ControllaEstrazione() {
    std::vector<uint8_t> numeri;
    std::string motivo;
    lstVincenti->clear();
    if (!analisi::LeggiEstrazione(S(txtEstrazione->text()), numeri, motivo)) {
        lblEsito->setText(Q(motivo));
        return;
    }
    const auto e = controllo_.Controlla(numeri);
    lblEsito->setText(QStringLiteral("%1 %2\n%3 %4")
                          .arg(Q(TestoMessaggio("0234")))
                          .arg(e.migliore)
                          .arg(Q(TestoMessaggio("0235")), PerPunti(e.colpi)));
    // The winning columns; a huge list stops at a thousand.
    constexpr size_t kMostrate = 1000;
    const auto k = static_cast<size_t>(sistema_.lunghezza);
    if (!e.vincenti.empty())
        lstVincenti->addItem(Q(TestoMessaggio("0236")) +
                             QStringLiteral(" %1").arg(Q(FormatoMigliaia(static_cast<double>(e.vincenti.size())))));
    for (size_t i = 0; i < std::min(e.vincenti.size(), kMostrate); ++i) {
        const auto col = static_cast<size_t>(e.vincenti[i] - 1);
        lstVincenti->addItem(QStringLiteral("%1 %2:  %3")
                                 .arg(Q(TestoMessaggio("0239")))
                                 .arg(e.vincenti[i])
                                 .arg(Numeri(sistema_.colonne.data() + col * k, k)));
    }
    if (e.vincenti.size() > kMostrate)
        lstVincenti->addItem(QStringLiteral("... %1 %2")
                                 .arg(Q(FormatoMigliaia(static_cast<double>(e.vincenti.size() - kMostrate))),
                                      Q(TestoMessaggio("0237"))));
}

bool frmAnalisi::CaricaEstrazioni(const std::string& file) {
    std::vector<analisi::Estrazione> lette;
    ErroreLettura errore;
    if (!analisi::LeggiEstrazioni(std::filesystem::path(file), lette, errore)) {
        UI().MsgBox(errore.descrizione, Pulsanti::OK, Icona::Esclamazione);
        return false;
    }
    Blocca(true);
    auto r = analisi::ControllaEstrazioni(controllo_, lette, UI());
    mAnnullaCalcolo = false;
    Blocca(false);
    if (r.annullato) return false;
    estrazioni_ = std::move(lette);
    riepilogo_ = std::move(r);
    MostraEstrazioni();
    return true;
}

void frmAnalisi::MostraEstrazioni() {
    tblEstrazioni->clear();
    const QStringList testa = Intestazioni(tblEstrazioni, 4);
    tblEstrazioni->setColumnCount(4);
    tblEstrazioni->setHorizontalHeaderLabels(testa.mid(0, 4));
    tblEstrazioni->setRowCount(static_cast<int>(riepilogo_.esiti.size()));
    for (int i = 0; i < static_cast<int>(riepilogo_.esiti.size()); ++i) {
        const auto& e = estrazioni_[static_cast<size_t>(i)];
        tblEstrazioni->setItem(i, 0, Cella(QString::number(e.riga)));
        tblEstrazioni->setItem(i, 1, Cella(Q(e.data)));
        auto* numeri = Cella(Numeri(e.numeri.data(), e.numeri.size()));
        numeri->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        tblEstrazioni->setItem(i, 2, numeri);
        tblEstrazioni->setItem(i, 3, Cella(QString::number(riepilogo_.esiti[static_cast<size_t>(i)].migliore)));
    }
    lblTotali->setText(riepilogo_.esiti.empty()
                           ? QString()
                           : Q(TestoMessaggio("0238")) + QStringLiteral("  ") + PerPunti(riepilogo_.perMigliore));
}

}  // namespace novanta::ui
