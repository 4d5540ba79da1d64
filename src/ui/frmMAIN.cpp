#include "ui/frmMAIN.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "analysis/ottimizzatore.h"
#include "core/cartella_dati.h"
#include "core/corpo.h"
#include "engine/motore.h"
#include "matrices/elenco_matrici.h"
#include "progetto/progetto.h"
#include "support/formato.h"
#include "textfiles/colonne_txt.h"
#include "ui/frmAbout.h"
#include "ui/frmAnalisi.h"
#include "ui/frmConsecutivi.h"
#include "ui/frmFiltri.h"
#include "ui/frmFiltriDistanzaNumeri.h"
#include "ui/frmFisse.h"
#include "ui/frmImportBase.h"
#include "ui/frmImpostazioni.h"
#include "ui/frmMatr.h"
#include "ui/frmOttimizza.h"
#include "ui/frmPari.h"
#include "ui/frmRidotto.h"
#include "ui/frmRidottoDistanzaMinima.h"
#include "ui/frmSomma.h"
#include "ui/frmVisualizza.h"
#include "ui/interfacciaQt.h"
#include "ui/lingua.h"
#include "versione.h"

namespace novanta::ui {

namespace {

const QColor BIANCO(0xFF, 0xFF, 0xFF);
const QColor TEAL(0x00, 0x80, 0x80);  // &H00808000

void aspetto(QLabel* l, bool segnato) {
    QPalette p = l->palette();
    p.setColor(QPalette::Window, segnato ? TEAL : BIANCO);
    p.setColor(QPalette::WindowText, segnato ? BIANCO : TEAL);
    // A locked grid looks locked: greyed, the marked numbers still told apart.
    p.setColor(QPalette::Disabled, QPalette::Window, segnato ? QColor(0x8F, 0xA8, 0xA8) : QColor(0xEE, 0xEE, 0xEE));
    p.setColor(QPalette::Disabled, QPalette::WindowText, segnato ? QColor(0xF4, 0xF4, 0xF4) : QColor(0xA8, 0xA8, 0xA8));
    l->setPalette(p);
    QFont f = l->font();
    f.setBold(segnato);
    l->setFont(f);
}

}  // namespace

GrigliaNumeri::GrigliaNumeri(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameNumeri"));
    setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(this);
    g->setSpacing(3);
    g->setContentsMargins(6, 6, 6, 6);
    for (int i = 0; i < 90; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("grnum(%1)").arg(i));
        l->setAlignment(Qt::AlignCenter);
        l->setAutoFillBackground(true);
        l->setFrameShape(QFrame::Box);
        l->setMinimumSize(28, 22);
        l->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        // The grid itself follows the mouse, so a drag can cross from label to label.
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        aspetto(l, false);
        etichette_[static_cast<size_t>(i)] = l;
        g->addWidget(l, i / 10, i % 10);
    }
    setCursor(Qt::PointingHandCursor);
    // The keyboard reaches the grid too: the arrows move the cursor, Space marks.
    setFocusPolicy(Qt::StrongFocus);
}

void GrigliaNumeri::MostraCursore() {
    for (int i = 0; i < 90; ++i) etichette_[static_cast<size_t>(i)]->setLineWidth(hasFocus() && i == cursore_ ? 3 : 1);
}

void GrigliaNumeri::keyPressEvent(QKeyEvent* e) {
    int r = cursore_ / 10, c = cursore_ % 10;
    switch (e->key()) {
        case Qt::Key_Left:
            c = (c + 9) % 10;
            break;
        case Qt::Key_Right:
            c = (c + 1) % 10;
            break;
        case Qt::Key_Up:
            r = (r + 8) % 9;
            break;
        case Qt::Key_Down:
            r = (r + 1) % 9;
            break;
        case Qt::Key_Home:
            c = 0;
            break;
        case Qt::Key_End:
            c = 9;
            break;
        case Qt::Key_Space:
            GrigliaNumeriClick(cursore_);
            return;
        default:
            return QFrame::keyPressEvent(e);
    }
    cursore_ = r * 10 + c;
    MostraCursore();
}

void GrigliaNumeri::focusInEvent(QFocusEvent* e) {
    QFrame::focusInEvent(e);
    MostraCursore();
}

void GrigliaNumeri::focusOutEvent(QFocusEvent* e) {
    QFrame::focusOutEvent(e);
    MostraCursore();
}

void GrigliaNumeri::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) setCursor(isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QFrame::changeEvent(e);
}

void GrigliaNumeri::Aggiorna() {
    for (int i = 0; i < 90; ++i) {
        QLabel* l = etichette_[static_cast<size_t>(i)];
        const bool segnato = mGriglia[static_cast<size_t>(i)] == 1;
        if (l->property("segnato").toBool() != segnato || !l->property("segnato").isValid()) {
            aspetto(l, segnato);
            l->setProperty("segnato", segnato);
        }
    }
}

int GrigliaNumeri::IndiceIn(const QPoint& punto) const {
    for (int i = 0; i < 90; ++i)
        if (etichette_[static_cast<size_t>(i)]->geometry().contains(punto)) return i;
    return -1;
}

void GrigliaNumeri::Trascina(int indice) {
    // A label is toggled when it is entered: a new index, or the same one after leaving the labels.
    if (indice < 0) {
        ultimoIndice_ = -1;
        return;
    }
    if (indice == ultimoIndice_) return;
    ultimoIndice_ = indice;
    cursore_ = indice;
    GrigliaNumeriClick(indice);
    MostraCursore();
}

void GrigliaNumeri::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QFrame::mousePressEvent(e);
    trascinando_ = true;
    ultimoIndice_ = -1;
    Trascina(IndiceIn(e->position().toPoint()));
}

void GrigliaNumeri::mouseMoveEvent(QMouseEvent* e) {
    if (!trascinando_ || !(e->buttons() & Qt::LeftButton)) return QFrame::mouseMoveEvent(e);
    Trascina(IndiceIn(e->position().toPoint()));
}

void GrigliaNumeri::mouseReleaseEvent(QMouseEvent* e) {
    trascinando_ = false;
    ultimoIndice_ = -1;
    QFrame::mouseReleaseEvent(e);
}

void GrigliaNumeri::resizeEvent(QResizeEvent* e) {
    QFrame::resizeEvent(e);
    // The numbers grow with their cells.
    const int alto = std::max(10, std::min(height() / 9, width() / 10));
    QFont f = font();
    f.setPixelSize(std::clamp(alto * 2 / 5, 10, 48));
    for (QLabel* l : etichette_) {
        QFont fl = f;
        fl.setBold(l->font().bold());
        l->setFont(fl);
    }
}

frmMAIN::frmMAIN(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMAIN"));
    setProperty("ApplicaLingua", true);
    setWindowTitle(QStringLiteral(NOVANTA_TITOLO));
    CreaMenu();
    CreaControlli();
    resize(1180, 680);
    // Unsaved work goes to the recovery file every minute.
    autosalvataggio_ = new QTimer(this);
    autosalvataggio_->setObjectName(QStringLiteral("autosalvataggio"));
    autosalvataggio_->setInterval(60000);
    // Never in the middle of a run or an import (the window is disabled then): half a system is no work to recover.
    connect(autosalvataggio_, &QTimer::timeout, this, [this] {
        if (!inCalcolo_ && isEnabled()) Autosalva();
    });
    autosalvataggio_->start();
    if (auto* faccia = FacciaQt()) faccia->ImpostaPrincipale(this);
}

frmMAIN::~frmMAIN() {
    if (auto* faccia = FacciaQt(); faccia && faccia->principale() == this) faccia->ImpostaPrincipale(nullptr);
}

QAction* frmMAIN::voce(QMenu* menu, const char* nome, const QString& testo) {
    auto* a = new QAction(testo, this);
    a->setObjectName(QString::fromLatin1(nome));
    menu->addAction(a);
    return a;
}

// Every condition entry is checkable and shows the state's mark; all the marks are set again
// after a condition window closes or a system file is opened.
void frmMAIN::VoceCondizione(QAction* a, bool (*stato)()) {
    a->setCheckable(true);
    segni_.emplace_back(a, stato);
}

// A condition entry opens its window modally; afterwards every condition mark shows the state
// (closing one reduction window may switch the other reduction off).
template <typename Finestra>
void frmMAIN::ApriCondizione(QAction* a) {
    connect(a, &QAction::triggered, this, [this] {
        {
            Finestra finestra(this);
            FacciaQt()->Modale(finestra);
        }
        AggiornaSegniCondizioni();
    });
}

void frmMAIN::CreaMenu() {
    QMenuBar* barra = menuBar();
    menufile = barra->addMenu(QStringLiteral("&File"));
    menufile->setObjectName(QStringLiteral("menufile"));
    menuNuovo = voce(menufile, "menuNuovo", QStringLiteral("&Nuovo"));
    menuApriSistema = voce(menufile, "menuApriSistema", QStringLiteral("&Apri Sistema..."));
    menuApriSistema->setShortcut(QKeySequence::Open);
    menuSalvaSistema = voce(menufile, "menuSalvaSistema", QStringLiteral("&Salva Sistema"));
    menuSalvaSistema->setShortcut(QKeySequence::Save);
    menuSalvaSistemaConNome = voce(menufile, "menuSalvaSistemaConNome", QStringLiteral("Salva Sistema &con nome..."));
    menufile->addSeparator();
    menuImportaColonne = voce(menufile, "menuImportaColonne", QStringLiteral("I&mporta Colonne Txt"));
    menuEsportaColonne = voce(menufile, "menuEsportaColonne", QStringLiteral("Espor&ta Colonne Txt"));
    menufile->addSeparator();
    mnuElencoSistemiImmediati = voce(menufile, "mnuElencoSistemiImmediati", QStringLiteral("&Elenco Matrici"));
    menuImpostazioni = voce(menufile, "menuImpostazioni", QStringLiteral("&Impostazioni"));
    menufile->addSeparator();
    // The last five system files, shown when the menu opens.
    for (int i = 0; i < MAX_FILE_RECENTI; ++i) {
        QAction* a = voce(menufile, "", QString());
        a->setObjectName(QStringLiteral("mnuRecente(%1)").arg(i));
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { ApriRecente(i); });
        mnuRecente[static_cast<size_t>(i)] = a;
    }
    separatoreRecenti = menufile->addSeparator();
    separatoreRecenti->setVisible(false);
    connect(menufile, &QMenu::aboutToShow, this, &frmMAIN::AggiornaRecenti);
    menuUscita = voce(menufile, "menuUscita", QStringLiteral("&Uscita"));

    menuCondizioni = barra->addMenu(QStringLiteral("&Condizioni"));
    menuCondizioni->setObjectName(QStringLiteral("menuCondizioni"));
    menuColonnaFiltroAND = voce(menuCondizioni, "menuColonnaFiltroAND", QStringLiteral("&Colonne Filtro AND"));
    menuColonnaFiltroOR = voce(menuCondizioni, "menuColonnaFiltroOR", QStringLiteral("&Colonne Filtro OR"));
    menuColonnaBase = voce(menuCondizioni, "menuColonnaBase", QStringLiteral("Colonne &Base"));
    menuDistanzaNumeri = voce(menuCondizioni, "menuDistanzaNumeri", QStringLiteral("&Distanza Numeri"));
    menuConsecutivi = voce(menuCondizioni, "menuConsecutivi", QStringLiteral("C&onsecutivi"));
    menuFisse = voce(menuCondizioni, "menuFisse", QStringLiteral("&Fisse"));
    menuPariDispari = voce(menuCondizioni, "menuPariDispari", QStringLiteral("&Pari e Dispari"));
    menuSomma = voce(menuCondizioni, "menuSomma", QStringLiteral("&Somma"));
    menuCondizioni->addSeparator();
    menuRidotto = voce(menuCondizioni, "menuRidotto", QStringLiteral("&Ridotto a Garanzia"));
    menuDistanzaMinima = voce(menuCondizioni, "menuDistanzaMinima", QStringLiteral("Ridotto a &Distanza Minima"));

    menuOperazioni = barra->addMenu(QStringLiteral("&Operazioni"));
    menuOperazioni->setObjectName(QStringLiteral("menuOperazioni"));
    menuAdattaMatrice = voce(menuOperazioni, "menuAdattaMatrice", QStringLiteral("&Adatta Matrice"));
    menuOperazioni->addSeparator();
    menuCalcolo = voce(menuOperazioni, "menuCalcolo", QStringLiteral("&Elabora Sistema"));
    menuVisualizza = voce(menuOperazioni, "menuVisualizza", QStringLiteral("&Visualizza Sistema"));
    menuAnalisi = voce(menuOperazioni, "menuAnalisi", QStringLiteral("A&nalizza Sistema"));
    menuOttimizza = voce(menuOperazioni, "menuOttimizza", QStringLiteral("&Ottimizza Sistema"));
    menuOttimizza->setEnabled(false);
    menuOperazioni->addSeparator();
    menuModifiche = voce(menuOperazioni, "menuModifiche", QStringLiteral("&Modifica Sistema"));

    menuinfo = barra->addAction(QStringLiteral("&Info"));
    menuinfo->setObjectName(QStringLiteral("menuinfo"));

    VoceCondizione(menuColonnaFiltroAND, [] { return mNumFiltriAND >= 1; });
    VoceCondizione(menuColonnaFiltroOR, [] { return mNumFiltriOR >= 1; });
    VoceCondizione(menuColonnaBase, [] { return mColonneBaseAttive; });
    VoceCondizione(menuDistanzaNumeri, [] { return mNumFiltriDistanza > 0; });
    VoceCondizione(menuConsecutivi, [] { return mConsecutivi.attivo; });
    VoceCondizione(menuFisse, [] { return mCondizioni.fisseAttive; });
    VoceCondizione(menuPariDispari, [] { return mCondizioni.pariAttivo; });
    VoceCondizione(menuSomma, [] { return mCondizioni.sommaAttiva; });
    VoceCondizione(menuRidotto, [] { return mCondizioni.ridottoAttivo; });
    VoceCondizione(menuDistanzaMinima, [] { return mDistanzaMinima.attiva; });
    ApriCondizione<frmImportBase>(menuColonnaBase);
    ApriCondizione<frmFiltriDistanzaNumeri>(menuDistanzaNumeri);
    ApriCondizione<frmConsecutivi>(menuConsecutivi);
    ApriCondizione<frmFisse>(menuFisse);
    ApriCondizione<frmPari>(menuPariDispari);
    ApriCondizione<frmSomma>(menuSomma);
    ApriCondizione<frmRidotto>(menuRidotto);
    ApriCondizione<frmRidottoDistanzaMinima>(menuDistanzaMinima);

    // The group-filter window serves both lists: the entry tells it which.
    for (QAction* a : {menuColonnaFiltroAND, menuColonnaFiltroOR}) {
        connect(a, &QAction::triggered, this, [this, a] { ColonneFiltro(a == menuColonnaFiltroOR ? 1 : 0); });
    }

    connect(menuNuovo, &QAction::triggered, this, &frmMAIN::NuovoSistema);
    connect(menuApriSistema, &QAction::triggered, this, &frmMAIN::ApriSistema);
    connect(menuSalvaSistema, &QAction::triggered, this, &frmMAIN::SalvaSistema);
    connect(menuSalvaSistemaConNome, &QAction::triggered, this, &frmMAIN::SalvaSistemaConNome);
    // After any menu command (the condition windows included) the title tells whether the work changed.
    for (QMenu* m : {menufile, menuCondizioni, menuOperazioni})
        connect(m, &QMenu::triggered, this, [this] { AggiornaTitolo(); });
    connect(menuImportaColonne, &QAction::triggered, this, &frmMAIN::ImportaColonne);
    connect(menuEsportaColonne, &QAction::triggered, this, &frmMAIN::EsportaColonne);
    connect(menuImpostazioni, &QAction::triggered, this, &frmMAIN::Impostazioni);
    connect(menuUscita, &QAction::triggered, this, &QWidget::close);
    connect(menuCalcolo, &QAction::triggered, this, &frmMAIN::CalcoloComando);
    connect(menuVisualizza, &QAction::triggered, this, &frmMAIN::VisualizzaSistema);
    connect(menuAnalisi, &QAction::triggered, this, &frmMAIN::AnalizzaSistema);
    connect(menuModifiche, &QAction::triggered, this, &frmMAIN::ModificaSistema);
    connect(menuOttimizza, &QAction::triggered, this, &frmMAIN::OttimizzaSistema);
    connect(menuinfo, &QAction::triggered, this, &frmMAIN::Info);
    connect(menuAdattaMatrice, &QAction::triggered, this, &frmMAIN::AdattaMatrice);
    connect(mnuElencoSistemiImmediati, &QAction::triggered, this, &frmMAIN::ElencoMatrici);
}

void frmMAIN::CreaControlli() {
    auto* centro = new QWidget(this);
    centro->setObjectName(QStringLiteral("centro"));
    setCentralWidget(centro);
    auto* riga = new QHBoxLayout(centro);
    riga->setContentsMargins(8, 8, 8, 8);
    riga->setSpacing(10);

    frameNumeri = new GrigliaNumeri(centro);
    riga->addWidget(frameNumeri, 3);

    auto* lato = new QVBoxLayout;
    lato->setSpacing(8);
    riga->addLayout(lato, 1);

    frameLenCol = new QGroupBox(QStringLiteral("Lunghezza Colonna"), centro);
    frameLenCol->setObjectName(QStringLiteral("frameLenCol"));
    auto* lunghezza = new QHBoxLayout(frameLenCol);
    hsLenCol = new QScrollBar(Qt::Horizontal, frameLenCol);
    hsLenCol->setObjectName(QStringLiteral("hsLenCol"));
    hsLenCol->setRange(LEN_COL_MIN, LEN_COL_MAX);
    hsLenCol->setPageStep(1);
    hsLenCol->setValue(mLenCol);
    hsLenCol->setMinimumHeight(22);
    hsLenCol->setFocusPolicy(Qt::StrongFocus);
    // A scroll bar's keys run the other way by default: Left must shorten, Right lengthen.
    hsLenCol->setInvertedControls(false);
    lbLenCol = new QLabel(QString::number(mLenCol), frameLenCol);
    lbLenCol->setObjectName(QStringLiteral("lbLenCol"));
    lbLenCol->setAlignment(Qt::AlignCenter);
    lbLenCol->setMinimumWidth(36);
    QFont grande = lbLenCol->font();
    grande.setBold(true);
    grande.setPointSizeF(grande.pointSizeF() * 1.4);
    lbLenCol->setFont(grande);
    lunghezza->addWidget(hsLenCol, 1);
    lunghezza->addWidget(lbLenCol);
    lato->addWidget(frameLenCol);

    auto* integrale = new QGridLayout;
    lblCaptionColonneIntegrali = new QLabel(QStringLiteral("Colonne Integrali"), centro);
    lblCaptionColonneIntegrali->setObjectName(QStringLiteral("lblCaptionColonneIntegrali"));
    lblIntegrale = new QLabel(QStringLiteral("0"), centro);
    lblIntegrale->setObjectName(QStringLiteral("lblIntegrale"));
    lblIntegrale->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblIntegrale->setFrameShape(QFrame::StyledPanel);
    lblIntegrale->setFont(grande);
    labnumeri = new QLabel(QStringLiteral("Numeri in gioco [00]"), centro);
    labnumeri->setObjectName(QStringLiteral("labnumeri"));
    labnumeri->setFont(grande);
    integrale->addWidget(lblCaptionColonneIntegrali, 0, 0);
    integrale->addWidget(lblIntegrale, 1, 0);
    integrale->addWidget(labnumeri, 2, 0);
    lato->addLayout(integrale);

    frameOperazioni = new QGroupBox(QStringLiteral("Operazioni"), centro);
    frameOperazioni->setObjectName(QStringLiteral("frameOperazioni"));
    auto* comandi = new QVBoxLayout(frameOperazioni);
    auto pulsante = [&](const char* nome, const QString& testo) {
        auto* b = new QPushButton(testo, frameOperazioni);
        b->setObjectName(QString::fromLatin1(nome));
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        b->setMinimumHeight(32);
        b->setMaximumHeight(56);
        comandi->addWidget(b);
        return b;
    };
    cmdModifiche = pulsante("cmdModifiche", QStringLiteral("Modifica Sistema"));
    cmdAdatta = pulsante("cmdAdatta", QStringLiteral("Adatta Matrice"));
    cmdVisualizza = pulsante("cmdVisualizza", QStringLiteral("Visualizza Sistema"));
    cmdCancella = pulsante("cmdCancella", QStringLiteral("Cancella Sistema"));
    cmdCalcolo = pulsante("cmdCalcolo", QStringLiteral("Elabora Sistema"));
    lato->addWidget(frameOperazioni, 1);
    lato->addStretch(0);

    const char* pannelli[4] = {"Nome Sistema", "Numero Combinazioni", "Costo Sistema", "Tipo Sistema"};
    const int allarga[4] = {2, 1, 1, 3};
    for (int i = 0; i < 4; ++i) {
        auto* l = new QLabel(QString::fromLatin1(pannelli[i]), statusBar());
        l->setObjectName(QStringLiteral("StBar(%1)").arg(i + 1));
        l->setToolTip(QString::fromLatin1(pannelli[i]));
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(80);
        statusBar()->addWidget(l, allarga[i]);
        StBar[static_cast<size_t>(i)] = l;
    }
    statusBar()->setObjectName(QStringLiteral("StBar"));
    statusBar()->setSizeGripEnabled(true);

    // Tab goes from the grid to the length and on to the commands.
    setTabOrder(frameNumeri, hsLenCol);
    setTabOrder(hsLenCol, cmdModifiche);
    frameNumeri->setFocus();

    connect(hsLenCol, &QScrollBar::valueChanged, this, [](int v) { ImpostaLenCol(v); });
    connect(cmdCalcolo, &QPushButton::clicked, this, &frmMAIN::CalcoloComando);
    connect(cmdModifiche, &QPushButton::clicked, this, &frmMAIN::ModificaSistema);
    connect(cmdVisualizza, &QPushButton::clicked, this, &frmMAIN::VisualizzaSistema);
    connect(cmdCancella, &QPushButton::clicked, this, [] { ResetSistema(false); });
    connect(cmdAdatta, &QPushButton::clicked, this, &frmMAIN::AdattaMatrice);
}

void frmMAIN::Carica() {
    ReadConfiguration();
    if (mLinguaCorrente.empty()) {
        frmImpostazioni impostazioni(this);
        FacciaQt()->Modale(impostazioni);
        ReadConfiguration();
    }
    InstallaTraduzioniQt();
    ApplicaLingua(this);
    hsLenCol->setRange(LEN_COL_MIN, LEN_COL_MAX);
    hsLenCol->setValue(mLenCol);
    ResetSistema(false);
    for (int i = 0; i < 90; ++i) frameNumeri->etichetta(i)->setText(QString::fromStdString(FormatoZeri(i + 1)));
    ImpostaFileSistema((mPathDati / "sistemi" / "nuovo.lec").string());
    mFileProgetto.clear();
    SegnaLavoroSalvato();
    novanta::ViewStatusBar();
    AggiornaGriglia();
}

void frmMAIN::AbilitaCalcolo(bool abilita) {
    menuOperazioni->setEnabled(abilita);
    menuOperazioni->menuAction()->setEnabled(abilita);
    menuCondizioni->setEnabled(abilita);
    menuCondizioni->menuAction()->setEnabled(abilita);
    cmdAdatta->setEnabled(abilita);
    cmdCalcolo->setEnabled(abilita);
}

void frmMAIN::AggiornaContatore() {
    // A cleared grid shows a single 0; a count reached by clicking shows two digits.
    const int n = mSistema.numPronostico;
    const std::string conta = n == 0 ? "0" : FormatoZeri(n);
    labnumeri->setText(Q(TestoMessaggio("0042") + " [" + conta + "]"));
}

void frmMAIN::AggiornaIntegrale() {
    lblIntegrale->setToolTip(Q(TestoMessaggio("0001")));
    if (mSistema.numPronostico >= mLenCol)
        lblIntegrale->setText(Q(FormatoMigliaia(ColonneIntegrali(mSistema.numPronostico, mLenCol))));
    else
        lblIntegrale->setText(QStringLiteral("0"));
}

void frmMAIN::AggiornaGriglia() {
    frameNumeri->Aggiorna();
    AggiornaContatore();
    if (hsLenCol->value() != mLenCol) {
        const QSignalBlocker blocco(hsLenCol);
        hsLenCol->setValue(mLenCol);
    }
    lbLenCol->setText(QString::number(mLenCol));
    // With a system in the store only a recalculation may be offered, and only once it was
    // unlocked for one: a new length read from a file must not re-open a locked system.
    if (mSistema.nColonne > 0) {
        const bool calcolo = mGUILocked != -1 && CalcoloAbilitato();
        cmdCalcolo->setEnabled(calcolo);
        menuCalcolo->setEnabled(calcolo);
        cmdAdatta->setEnabled(false);
    } else {
        AbilitaCalcolo(CalcoloAbilitato());
    }
    AggiornaIntegrale();
    AggiornaTitolo();
}

void frmMAIN::LockGUI() {
    for (QWidget* w : std::initializer_list<QWidget*>{cmdAdatta, cmdCalcolo, cmdCancella, frameNumeri, frameLenCol})
        w->setEnabled(false);
    menuAdattaMatrice->setEnabled(false);
    menuCalcolo->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdModifiche, cmdVisualizza}) w->setEnabled(true);
    menuModifiche->setEnabled(true);
    menuVisualizza->setEnabled(true);
    menuAnalisi->setEnabled(true);
    menuOttimizza->setEnabled(OttimizzazionePossibile());
    // The view and modify entries live in the operations menu, and the conditions stay open read-only.
    menuOperazioni->setEnabled(true);
    menuOperazioni->menuAction()->setEnabled(true);
    menuCondizioni->setEnabled(true);
    menuCondizioni->menuAction()->setEnabled(true);
}

void frmMAIN::UnlockGUI() {
    for (QWidget* w : std::initializer_list<QWidget*>{cmdAdatta, cmdCalcolo, cmdCancella, frameNumeri, frameLenCol})
        w->setEnabled(true);
    menuAdattaMatrice->setEnabled(true);
    menuCalcolo->setEnabled(true);
    menuCondizioni->setEnabled(true);
    menuCondizioni->menuAction()->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdModifiche, cmdVisualizza}) w->setEnabled(false);
    menuModifiche->setEnabled(false);
    menuVisualizza->setEnabled(false);
    menuAnalisi->setEnabled(false);
    menuOttimizza->setEnabled(false);
    // The enabling by the count of marked numbers still rules the run commands.
    AbilitaCalcolo(CalcoloAbilitato());
}

void frmMAIN::UnlockMenuConditions() {
    // The distance filters go with the reset too, so their mark goes with the others.
    for (QAction* a : {menuColonnaFiltroAND, menuColonnaFiltroOR, menuConsecutivi, menuDistanzaMinima, menuFisse,
                       menuPariDispari, menuRidotto, menuSomma, menuDistanzaNumeri})
        a->setChecked(false);
}

void frmMAIN::Sblocca_x_Ricalcolo() {
    menuCalcolo->setEnabled(true);
    cmdCalcolo->setEnabled(true);
    frameLenCol->setEnabled(true);
}

void frmMAIN::ViewStatusBar() {
    StBar[0]->setText(Q(mNomeFileSistema));
    StBar[1]->setText(Q(FormatoMigliaia(mSistema.nColonne)));
    StBar[2]->setText(QStringLiteral("--"));
    StBar[3]->setText(Q(mSistema.descrizione));
    // The panel's name from the language file, then the whole text (it may not fit).
    auto suggerimento = [](int pannello, const char* progetto, const std::string& testo) {
        QString nome = TestoFinestra(QStringLiteral("frmMAIN"), QStringLiteral("StBar(%1).ToolTipText").arg(pannello));
        if (nome.isEmpty()) nome = QString::fromLatin1(progetto);
        return testo.empty() ? nome : nome + QStringLiteral(": ") + Q(testo);
    };
    StBar[3]->setToolTip(suggerimento(4, "Tipo Sistema", mSistema.descrizione));
    StBar[0]->setToolTip(suggerimento(1, "Nome Sistema", mFileSistema));
    AggiornaTitolo();
}

void frmMAIN::AggiornaTitolo() {
    // The caption comes from the language file: a title this routine did not set is a new caption.
    if (windowTitle() != titoloImpostato_) didascalia_ = windowTitle();
    titoloImpostato_ = LavoroModificato() ? didascalia_ + QStringLiteral("*") : didascalia_;
    setWindowTitle(titoloImpostato_);
}

void frmMAIN::AggiornaSegniCondizioni() {
    for (const auto& [a, stato] : segni_) a->setChecked(stato());
}

void frmMAIN::AggiornaRecenti() {
    const auto elenco = FileRecenti();
    for (size_t i = 0; i < mnuRecente.size(); ++i) {
        QAction* a = mnuRecente[i];
        a->setVisible(i < elenco.size());
        if (i < elenco.size()) {
            QString nome = Q(elenco[i]);
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(nome.replace(QLatin1Char('&'), QStringLiteral("&&"))));
            a->setData(Q(elenco[i]));
        }
    }
    separatoreRecenti->setVisible(!elenco.empty());
}

void frmMAIN::ApriSistema() {
    if (ApriSistemaComando()) AggiornaSegniCondizioni();
    AggiornaTitolo();
}

void frmMAIN::SalvaSistema() {
    SalvaSistemaComando();
    AggiornaTitolo();
}

void frmMAIN::SalvaSistemaConNome() {
    novanta::SalvaSistemaConNome();
    AggiornaTitolo();
}

void frmMAIN::ApriRecente(int indice) {
    const std::string file = S(mnuRecente[static_cast<size_t>(indice)]->data().toString());
    if (file.empty() || !ChiediSalvataggio()) return;
    if (novanta::ApriSistema(file)) AggiornaSegniCondizioni();
    AggiornaTitolo();
}

void frmMAIN::CalcoloComando() {
    // One run at a time: the window is disabled during a run, but a queued click may still arrive.
    if (inCalcolo_) return;
    inCalcolo_ = true;
    novanta::CalcoloComando();
    inCalcolo_ = false;
    // A run is the largest piece of work to lose.
    Autosalva();
    AggiornaTitolo();
}

void frmMAIN::ModificaSistema() { novanta::ModificaSistema(); }

void frmMAIN::NuovoSistema() {
    if (NuovoLavoro()) AggiornaSegniCondizioni();
    AggiornaTitolo();
}

void frmMAIN::VisualizzaSistema() {
    if (mSistema.nColonne <= 0) return;
    frmVisualizza vista(this);
    FacciaQt()->Modale(vista);
}

void frmMAIN::OttimizzaSistema() {
    if (!OttimizzazionePossibile()) return;
    frmOttimizza finestra(this);
    FacciaQt()->Modale(finestra);
}

void frmMAIN::AnalizzaSistema() {
    if (mSistema.nColonne <= 0) return;
    frmAnalisi analisi(this);
    FacciaQt()->Modale(analisi);
}

void frmMAIN::ImportaColonne() {
    const auto file = UI().ScegliFileApri("File TXT (*.txt)|*.txt", (mPathDati / "txt").string());
    if (file && !file->empty()) ImportaColonneTxt(*file);
}

void frmMAIN::EsportaColonne() {
    if (!EsportazionePossibile()) return;
    setEnabled(false);
    try {
        std::filesystem::path proposto = std::filesystem::path(mFileSistema).filename();
        std::string nome = proposto.string();
        if (const auto pos = nome.rfind(".lec"); pos != std::string::npos) nome.replace(pos, 4, ".txt");
        const auto file = UI().ScegliFileSalva("File TXT (*.txt)|*.txt", (mPathDati / "txt").string(), nome, ".txt");
        if (file && !file->empty() && SalvaColonneTxt(*file))
            UI().MsgBox("File " + *file + " ok ", Pulsanti::OK, Icona::Informazione);
    } catch (const std::exception& e) {
        UI().MsgBox(TestoErrore(ERRORE_APPLICAZIONE, e.what(), "menuEsportaColonne_Click", "Form frmMAIN"));
    }
    setEnabled(true);
}

void frmMAIN::Impostazioni() {
    {
        frmImpostazioni impostazioni(this);
        FacciaQt()->Modale(impostazioni);
    }
    ReadConfiguration();
}

void frmMAIN::Info() {
    frmAbout info(this);
    FacciaQt()->Modale(info);
}

void frmMAIN::ColonneFiltro(int tipoFiltro) {
    {
        frmFiltri filtri(tipoFiltro, this);
        FacciaQt()->Modale(filtri);
    }
    AggiornaSegniCondizioni();
}

void frmMAIN::AdattaMatrice() {
    if (!cmdAdatta->isEnabled()) return;
    CaricaElencoMatrici(mSistema.numPronostico);
    // While a matrix is laid into the store the autosave waits, as it does for a run.
    inCalcolo_ = true;
    {
        frmMatr matrici(this, true);
        FacciaQt()->Modale(matrici);
    }
    inCalcolo_ = false;
    // A matrix may have switched on the fixed-number and N-x conditions.
    AggiornaSegniCondizioni();
    Autosalva();
    AggiornaTitolo();
}

void frmMAIN::ElencoMatrici() {
    CaricaElencoMatrici(0);
    frmMatr matrici(this, false);
    FacciaQt()->Modale(matrici);
}

void frmMAIN::closeEvent(QCloseEvent* e) {
    // No closing in the middle of a run: the run owns the state until it ends.
    if (inCalcolo_ || !isEnabled()) {
        e->ignore();
        return;
    }
    // Unsaved work first (Yes saves, Cancel stays), then the program's own question.
    if (!ChiediSalvataggio()) {
        e->ignore();
        AggiornaTitolo();
        return;
    }
    AggiornaTitolo();
    if (UI().MsgBox(TestoMessaggio("0053"), Pulsanti::SiNo, Icona::Domanda, S(didascalia_)) != Risposta::Si) {
        e->ignore();
        return;
    }
    // A clean exit: nothing to recover at the next start.
    RimuoviRecupero();
    // Every other window goes with the main one; nothing is saved at this point.
    const auto finestre = QApplication::topLevelWidgets();
    for (QWidget* w : finestre)
        if (w != this && w->isVisible()) w->close();
    e->accept();
}

void frmMAIN::changeEvent(QEvent* e) {
    if (e->type() == QEvent::LanguageChange) {
        AggiornaContatore();
        AggiornaIntegrale();
        AggiornaTitolo();
    }
    QMainWindow::changeEvent(e);
}

}  // namespace novanta::ui
