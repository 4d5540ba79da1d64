#include "ui/frmMatr.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <mutex>
#include <thread>

#include "core/corpo.h"
#include "matrices/applica_matrice.h"
#include "matrices/elenco_matrici.h"
#include "ui/frmOrdinaPronostico.h"
#include "ui/interfacciaQt.h"
#include "ui/lingua.h"

namespace novanta::ui {

namespace {

void rosso(QLabel* l, const std::string& testo, bool acceso) {
    l->setText(Q(testo));
    l->setAutoFillBackground(acceso);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, acceso ? QColor(255, 0, 0) : l->parentWidget()->palette().color(QPalette::Window));
    p.setColor(QPalette::WindowText,
               acceso ? QColor(Qt::white) : l->parentWidget()->palette().color(QPalette::WindowText));
    l->setPalette(p);
    // Only a warning takes room: the one shown spans the window.
    l->setVisible(acceso);
}

}  // namespace

frmMatr::frmMatr(QWidget* parent, bool modoAdatta) : QDialog(parent), modoAdatta_(modoAdatta) {
    setObjectName(QStringLiteral("frmMatr"));
    setProperty("ApplicaLingua", true);
    setWindowTitle(QStringLiteral("Matrici Disponibili"));

    auto* v = new QVBoxLayout(this);
    QFont fisso = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    lblElenco = new QLabel(QStringLiteral("  V |  K |  T |  M |  F |      C | Copertura"), this);
    lblElenco->setObjectName(QStringLiteral("lblElenco"));
    lblElenco->setFont(fisso);
    flZEL = new QListWidget(this);
    flZEL->setObjectName(QStringLiteral("flZEL"));
    flZEL->setFont(fisso);
    flZEL->setMinimumHeight(140);
    // The caption stands over the columns of the lines: the list's frame and item margin in front.
    lblElenco->setContentsMargins(
        flZEL->frameWidth() + flZEL->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, flZEL) + 1, 0, 0, 0);
    v->addWidget(lblElenco);
    v->addWidget(flZEL, 1);

    frameBaseInfo = new QGroupBox(this);
    frameBaseInfo->setObjectName(QStringLiteral("frameBaseInfo"));
    auto* base = new QVBoxLayout(frameBaseInfo);
    frameInfo = new QGroupBox(frameBaseInfo);
    frameInfo->setObjectName(QStringLiteral("frameInfo"));
    frameInfo->setFlat(true);
    auto* g = new QGridLayout(frameInfo);
    const char* didascalie[12] = {"Numeri (V)",       "Lunghezza colonna (K)",
                                  "Garanzia (T)",     "Estratti (M)",
                                  "Numeri fissi (F)", "Colonne (C)",
                                  "Copertura %",      "Autore",
                                  "Descrizione",      "Valida dal",
                                  "Valida fino al",   "File"};
    const char* caselle[12] = {"txtNumMatrix",   "txtLenCol",    "txtGaranty",    "txtPickUp",
                               "txtFixedNum",    "txtColMatrix", "txtPercentage", "txtAuthor",
                               "txtDescription", "txtValidFrom", "txtValidTo",    "txtFileName"};
    const int lunghezze[12] = {3, 3, 3, 3, 3, 9, 10, 30, 60, 10, 10, 0};
    std::array<QLineEdit*, 12> box{};
    for (int i = 0; i < 12; ++i) {
        lblMatrix[static_cast<size_t>(i)] = new QLabel(QString::fromUtf8(didascalie[i]), frameInfo);
        lblMatrix[static_cast<size_t>(i)]->setObjectName(QStringLiteral("lblMatrix(%1)").arg(i));
        auto* t = new QLineEdit(frameInfo);
        t->setObjectName(QString::fromLatin1(caselle[i]));
        t->setReadOnly(true);
        if (lunghezze[i] > 0) t->setMaxLength(lunghezze[i]);
        t->installEventFilter(this);
        lblMatrix[static_cast<size_t>(i)]->setBuddy(t);
        box[static_cast<size_t>(i)] = t;
    }
    txtNumMatrix = box[0], txtLenCol = box[1], txtGaranty = box[2], txtPickUp = box[3], txtFixedNum = box[4];
    txtColMatrix = box[5], txtPercentage = box[6], txtAuthor = box[7], txtDescription = box[8];
    txtValidFrom = box[9], txtValidTo = box[10], txtFileName = box[11];
    // The six counts in two rows of three; the texts one to a row below them.
    for (int i = 0; i < 6; ++i) {
        g->addWidget(lblMatrix[static_cast<size_t>(i)], i / 3, (i % 3) * 2);
        g->addWidget(box[static_cast<size_t>(i)], i / 3, (i % 3) * 2 + 1);
    }
    int riga = 2;
    for (int i : {6, 7, 8, 11}) {
        g->addWidget(lblMatrix[static_cast<size_t>(i)], riga, 0);
        g->addWidget(box[static_cast<size_t>(i)], riga++, 1, 1, 5);
    }
    g->addWidget(lblMatrix[9], riga, 0);
    g->addWidget(txtValidFrom, riga, 1);
    g->addWidget(lblMatrix[10], riga, 2);
    g->addWidget(txtValidTo, riga++, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->setColumnStretch(5, 1);
    base->addWidget(frameInfo);

    auto* avvisi = new QHBoxLayout;
    lblChkVersion = new QLabel(frameBaseInfo);
    lblChkVersion->setObjectName(QStringLiteral("lblChkVersion"));
    lblOK = new QLabel(frameBaseInfo);
    lblOK->setObjectName(QStringLiteral("lblOK"));
    lblScaduta = new QLabel(frameBaseInfo);
    lblScaduta->setObjectName(QStringLiteral("lblScaduta"));
    for (QLabel* l : {lblChkVersion, lblOK, lblScaduta}) {
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignCenter);
        l->setMargin(3);
        avvisi->addWidget(l, 1);
    }
    base->addLayout(avvisi);
    lbElaborazione = new QLabel(QStringLiteral("Elaborazione in corso"), frameBaseInfo);
    lbElaborazione->setObjectName(QStringLiteral("lbElaborazione"));
    lbElaborazione->setAlignment(Qt::AlignCenter);
    QFont grassetto = lbElaborazione->font();
    grassetto.setBold(true);
    lbElaborazione->setFont(grassetto);
    lbElaborazione->setWordWrap(true);
    lbElaborazione->hide();
    base->addWidget(lbElaborazione);
    v->addWidget(frameBaseInfo);

    auto* pulsanti = new QHBoxLayout;
    auto pulsante = [&](const char* nome, const QString& testo, QStyle::StandardPixmap icona) {
        auto* b = new QPushButton(style()->standardIcon(icona), testo, this);
        b->setObjectName(QString::fromLatin1(nome));
        b->setAutoDefault(false);
        pulsanti->addWidget(b);
        return b;
    };
    cmdOpenDir = pulsante("cmdOpenDir", QStringLiteral("Apri Cartella"), QStyle::SP_DirOpenIcon);
    cmdUpdateMatrix = pulsante("cmdUpdateMatrix", QStringLiteral("Aggiorna"), QStyle::SP_BrowserReload);
    cmdAnnullaAggiornamento =
        pulsante("cmdAnnullaAggiornamento", QStringLiteral("Annulla"), QStyle::SP_DialogCancelButton);
    pulsanti->addStretch(1);
    cmdMatriceTXT = pulsante("cmdMatriceTXT", QStringLiteral("&File TXT"), QStyle::SP_FileIcon);
    cmdMatriceTXT->setToolTip(QStringLiteral("Adatta Matrice Personalizzata"));
    cmdAdattaMatrice = pulsante("cmdAdattaMatrice", QStringLiteral("Adatta"), QStyle::SP_DialogApplyButton);
    cmdAdattaMatrice->setToolTip(QStringLiteral("Adatta la Matrice"));
    v->addLayout(pulsanti);
    cmdAnnullaAggiornamento->hide();

    // The apply mode shows the two apply buttons, the browse mode the folder buttons.
    cmdAdattaMatrice->setVisible(modoAdatta_);
    cmdMatriceTXT->setVisible(modoAdatta_);
    cmdAdattaMatrice->setEnabled(false);
    cmdMatriceTXT->setEnabled(false);
    cmdOpenDir->setVisible(!modoAdatta_);
    cmdUpdateMatrix->setVisible(!modoAdatta_);

    connect(flZEL, &QListWidget::currentRowChanged, this, [this](int r) { MostraMatrice(r); });
    connect(flZEL, &QListWidget::itemActivated, this, [this] {
        if (cmdAdattaMatrice->isVisible() && cmdAdattaMatrice->isEnabled()) cmdAdattaMatrice_Click();
    });
    connect(cmdAdattaMatrice, &QPushButton::clicked, this, [this] { cmdAdattaMatrice_Click(); });
    connect(cmdMatriceTXT, &QPushButton::clicked, this, [this] { cmdMatriceTXT_Click(); });
    connect(cmdOpenDir, &QPushButton::clicked, this, [this] { cmdOpenDir_Click(); });
    connect(cmdUpdateMatrix, &QPushButton::clicked, this, [this] { cmdUpdateMatrix_Click(); });
    connect(cmdAnnullaAggiornamento, &QPushButton::clicked, this, [this] { AnnullaAggiornamento(); });

    ApplicaLingua(this);
    RiempiElenco();
    resize(sizeHint().expandedTo(QSize(680, 620)));
    CentraForm(this);
    flZEL->setFocus();
}

void frmMatr::RiempiElenco() {
    flZEL->clear();
    const auto righe = novanta::RiempiElenco();
    for (const auto& r : righe) flZEL->addItem(Q(r));
    setWindowTitle(Q(TitoloElencoMatrici(righe.size())));
    // The list index of a line is the index of its entry (only an empty list has a nameless one).
    if (!righe.empty())
        flZEL->setCurrentRow(0);
    else
        MostraMatrice(-1);
}

void frmMatr::MostraMatrice(int indice) {
    const bool valida = indice >= 0 && static_cast<size_t>(indice) < mElencoMatrici.size() &&
                        !mElencoMatrici[static_cast<size_t>(indice)].nomeFile.empty();
    const SchedaMatrice s =
        valida ? novanta::MostraMatrice(mElencoMatrici[static_cast<size_t>(indice)]) : SchedaMatrice{};
    txtNumMatrix->setText(Q(s.txtNumMatrix));
    txtLenCol->setText(Q(s.txtLenCol));
    txtGaranty->setText(Q(s.txtGaranty));
    txtPickUp->setText(Q(s.txtPickUp));
    txtFixedNum->setText(Q(s.txtFixedNum));
    txtColMatrix->setText(Q(s.txtColMatrix));
    txtPercentage->setText(Q(s.txtPercentage));
    txtAuthor->setText(Q(s.txtAuthor));
    txtDescription->setText(Q(s.txtDescription));
    txtDescription->setCursorPosition(0);
    txtValidFrom->setText(Q(s.txtValidFrom));
    txtValidTo->setText(Q(s.txtValidTo));
    txtFileName->setText(Q(s.txtFileName));
    rosso(lblChkVersion, s.lblChkVersion, s.versioneErrata);
    rosso(lblOK, s.lblOK, s.crcErrato);
    rosso(lblScaduta, s.lblScaduta, s.scaduta);
    cmdMatriceTXT->setEnabled(valida && s.cmdMatriceTXT);
    cmdAdattaMatrice->setEnabled(valida && s.cmdAdattaMatrice);
}

void frmMatr::cmdAdattaMatrice_Click() {
    const int indice = flZEL->currentRow();
    if (!modoAdatta_ || indice < 0 || !cmdAdattaMatrice->isEnabled()) return;
    {
        frmOrdinaPronostico ordine(this);
        FacciaQt()->Modale(ordine);
    }
    setEnabled(false);
    const bool applicata = ApplicaMatriceSelezionata(static_cast<size_t>(indice));
    setEnabled(true);
    // A refused matrix or a cancelled question leaves the window open for another choice.
    if (applicata) accept();
}

void frmMatr::cmdMatriceTXT_Click() {
    if (!modoAdatta_) return;
    const auto file = UI().ScegliFileApri("txt(*.txt)|*.txt", (mPathDati / "txt").string());
    // No file chosen: nothing to apply, and the system the user has stays.
    if (!file || file->empty()) return;
    const MATRIX_STRUCTURE m = CaricaMatriceTxt(*file);
    // A file that could not be read has shown its error already.
    if (m.COLUMNS_OF_MATRIX_C == 0 && m.LENGTH_OF_COLUMN_K == 0) return;
    if (!ControllaMatriceTxt(m)) return;
    {
        frmOrdinaPronostico ordine(this);
        FacciaQt()->Modale(ordine);
    }
    setEnabled(false);
    const bool applicata = ApplicaMatriceCaricata(m, true);
    setEnabled(true);
    if (applicata) accept();
}

void frmMatr::cmdOpenDir_Click() { UI().ApriCartella((mPathDati / "matrici").string()); }

void frmMatr::Occupata(bool occupata) {
    aggiornando_ = occupata;
    // The hourglass over the window, but the cancel button keeps its arrow.
    if (occupata)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
    frameInfo->setVisible(!occupata);
    for (QWidget* w :
         std::initializer_list<QWidget*>{flZEL, cmdOpenDir, cmdUpdateMatrix, lblChkVersion, lblOK, lblScaduta})
        w->setEnabled(!occupata);
    lbElaborazione->setVisible(occupata);
    cmdAnnullaAggiornamento->setVisible(occupata);
    cmdAnnullaAggiornamento->setEnabled(occupata);
    cmdAnnullaAggiornamento->setCursor(Qt::ArrowCursor);
    if (occupata) cmdAnnullaAggiornamento->setFocus();
}

void frmMatr::MostraFileInArrivo(const QString& nome) {
    lbElaborazione->setText(Q(TestoMessaggioOPredefinito("0142", "Elaborazione in corso")) + QLatin1Char(' ') + nome);
}

void frmMatr::AnnullaAggiornamento() {
    if (!aggiornando_) return;
    annulla_ = true;
    cmdAnnullaAggiornamento->setEnabled(false);
}

void frmMatr::cmdUpdateMatrix_Click() {
    if (modoAdatta_ || aggiornando_) return;
    annulla_ = false;
    Occupata(true);
    MostraFileInArrivo(QString());

    QEventLoop attesa;
    RisultatoAggiornamento esito;
    std::mutex guardia;
    std::string ultimo;
    // The worker reports the file it fetches; the window shows it on its own thread.
    auto avanzamento = [this, &guardia, &ultimo](const std::string& nome) {
        {
            std::lock_guard<std::mutex> blocco(guardia);
            if (nome != ultimo) {
                ultimo = nome;
                QMetaObject::invokeMethod(
                    this, [this, n = Q(nome)] { MostraFileInArrivo(n); }, Qt::QueuedConnection);
            }
        }
        return !annulla_.load();
    };
    std::thread lavoro([&] {
        esito = AggiornaMatrici(avanzamento);
        QMetaObject::invokeMethod(&attesa, "quit", Qt::QueuedConnection);
    });
    attesa.exec(QEventLoop::AllEvents);
    lavoro.join();
    // Reports queued by the worker after its last one must not reach the window later.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);

    CaricaElencoMatrici(0);
    RiempiElenco();
    Occupata(false);
    RiferisciAggiornamento(esito);
}

void frmMatr::RiferisciAggiornamento(const RisultatoAggiornamento& esito) {
    if (esito.annullato) {
        UI().MsgBox(TestoMessaggio("0143"), Pulsanti::OK, Icona::Informazione);
        return;
    }
    if (!esito.listaScaricata) {
        UI().MsgBox(TestoMessaggio("0141") + (esito.errore.empty() ? "" : "\r\n\r\n" + esito.errore), Pulsanti::OK,
                    Icona::Esclamazione);
        return;
    }
    std::string problemi;
    for (const auto& n : esito.falliti) problemi += "\r\n" + n;
    for (const auto& n : esito.scartati) problemi += "\r\n" + n;
    if (!esito.errore.empty()) problemi += "\r\n" + esito.errore;
    if (!problemi.empty()) {
        UI().MsgBox(TestoMessaggio("0140") + "\r\n" + problemi, Pulsanti::OK, Icona::Esclamazione);
        return;
    }
    UI().MsgBox(TestoMessaggio("0144") + " " + std::to_string(esito.installati.size()), Pulsanti::OK,
                Icona::Informazione);
}

void frmMatr::reject() {
    // Esc or the close box during an update stop the update; the window closes once it ended.
    if (aggiornando_) {
        AnnullaAggiornamento();
        return;
    }
    QDialog::reject();
}

bool frmMatr::eventFilter(QObject* oggetto, QEvent* evento) {
    auto* box = qobject_cast<QLineEdit*>(oggetto);
    if (box && evento->type() == QEvent::FocusIn) {
        QMetaObject::invokeMethod(
            box, [box] { box->setSelection(0, box->maxLength()); }, Qt::QueuedConnection);
    } else if (box && box != txtDescription && evento->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent*>(evento)->key();
        if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void frmMatr::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (flZEL->currentItem()) flZEL->scrollToItem(flZEL->currentItem(), QAbstractItemView::PositionAtCenter);
}

void frmMatr::changeEvent(QEvent* e) {
    if (e->type() == QEvent::LanguageChange)
        setWindowTitle(Q(TitoloElencoMatrici(static_cast<size_t>(flZEL->count()))));
    QDialog::changeEvent(e);
}

}  // namespace novanta::ui
