#include "ui/frmImportBase.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "core/corpo.h"
#include "textfiles/colonne_base.h"
#include "textfiles/griglia_txt.h"
#include "ui/interfacciaQt.h"
#include "ui/lingua.h"

namespace novanta::ui {

void ModelloCelle::Imposta(std::vector<std::vector<std::string>> celle) {
    beginResetModel();
    celle_ = std::move(celle);
    colonne_ = 0;
    for (const auto& r : celle_) colonne_ = std::max(colonne_, static_cast<int>(r.size()));
    endResetModel();
}

void ModelloCelle::Aggiorna() {
    if (rowCount() > 0) Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, colonne_ - 1));
}

int ModelloCelle::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || celle_.empty() ? 0 : static_cast<int>(celle_.size()) - 1;
}

int ModelloCelle::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : colonne_; }

QVariant ModelloCelle::data(const QModelIndex& indice, int ruolo) const {
    if (!indice.isValid()) return {};
    const auto& riga = celle_[static_cast<size_t>(indice.row()) + 1];
    const auto c = static_cast<size_t>(indice.column());
    if (ruolo == Qt::DisplayRole) return c < riga.size() ? Q(riga[c]) : QString();
    if (ruolo == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    // Column 0, the number of the base column, looks like the fixed column it is.
    if (ruolo == Qt::BackgroundRole && c == 0) return QApplication::palette().button();
    return {};
}

QVariant ModelloCelle::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const {
    if (ruolo != Qt::DisplayRole || orientamento != Qt::Horizontal || celle_.empty()) return {};
    const auto& testata = celle_.front();
    return static_cast<size_t>(sezione) < testata.size() ? Q(testata[static_cast<size_t>(sezione)]) : QString();
}

frmImportBase::frmImportBase(QWidget* parent) : FinestraCondizione(QStringLiteral("frmImportBase"), parent) {
    setWindowTitle(QStringLiteral("Colonne Base"));

    auto* radice = new QVBoxLayout(this);
    frameCondizione = new QGroupBox(this);
    frameCondizione->setObjectName(QStringLiteral("frameCondizione"));
    auto* riga = new QHBoxLayout(frameCondizione);
    cmdImportaBase = new QPushButton(QStringLiteral("Importa..."), frameCondizione);
    cmdImportaBase->setObjectName(QStringLiteral("cmdImportaBase"));
    cmdImportaBase->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    cmdImportaBase->setAutoDefault(false);
    riga->addWidget(cmdImportaBase);
    frameStatoCondizione =
        new CoppiaOnOff(QStringLiteral("frameStatoCondizione"), QStringLiteral("optCond"), frameCondizione);
    riga->addWidget(frameStatoCondizione);
    riga->addStretch(1);
    lblDescrColonneBase = new QLabel(QStringLiteral("Numero Colonne Base"), frameCondizione);
    lblDescrColonneBase->setObjectName(QStringLiteral("lblDescrColonneBase"));
    lblNumColonneBase = new QLabel(QStringLiteral("0"), frameCondizione);
    lblNumColonneBase->setObjectName(QStringLiteral("lblNumColonneBase"));
    lblNumColonneBase->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblNumColonneBase->setFrameShape(QFrame::StyledPanel);
    lblNumColonneBase->setFrameShadow(QFrame::Sunken);
    lblNumColonneBase->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    lblNumColonneBase->setMinimumWidth(lblNumColonneBase->fontMetrics().horizontalAdvance(QStringLiteral("0,000")) +
                                       14);
    QFont grassetto = lblNumColonneBase->font();
    grassetto.setBold(true);
    lblNumColonneBase->setFont(grassetto);
    riga->addWidget(lblDescrColonneBase);
    riga->addWidget(lblNumColonneBase);
    radice->addWidget(frameCondizione);

    flexGrid = new QTableView(this);
    flexGrid->setObjectName(QStringLiteral("flexGrid"));
    modello_ = new ModelloCelle(flexGrid);
    flexGrid->setModel(modello_);
    flexGrid->verticalHeader()->hide();
    flexGrid->verticalHeader()->setDefaultSectionSize(flexGrid->fontMetrics().height() + 8);
    flexGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    flexGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    flexGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    flexGrid->horizontalHeader()->setSectionsClickable(true);
    flexGrid->horizontalHeader()->setHighlightSections(true);
    flexGrid->installEventFilter(this);
    radice->addWidget(flexGrid, 1);

    VisualizzaColonneBase();
    frameStatoCondizione->Scegli(mColonneBaseAttive ? 0 : 1);
    // With a system in the store the condition is shown, never changed; the grid still serves.
    cmdImportaBase->setEnabled(!bloccata());
    frameStatoCondizione->setSolaLettura(bloccata());

    connect(cmdImportaBase, &QPushButton::clicked, this, &frmImportBase::ImportaBase);
    connect(frameStatoCondizione, &CoppiaOnOff::cliccato, this, [](int indice) { mColonneBaseAttive = indice == 0; });
    connect(flexGrid->horizontalHeader(), &QHeaderView::sectionClicked, this, &frmImportBase::Ordina);
    Prepara();
    resize(std::max(520, width()), 440);
    CentraForm(this);
}

void frmImportBase::VisualizzaColonneBase() {
    UI().Clessidra(true);
    flexGrid->setUpdatesEnabled(false);
    auto celle = CelleColonneBase();
    const bool conTestata = !celle.empty();
    modello_->Imposta(std::move(celle));
    flexGrid->horizontalHeader()->setVisible(conTestata);
    flexGrid->resizeColumnsToContents();
    // Every column as wide as its widest text, with a little air on each side.
    for (int c = 0; c < modello_->columnCount(); ++c) flexGrid->setColumnWidth(c, flexGrid->columnWidth(c) + 10);
    flexGrid->setUpdatesEnabled(true);
    UI().Clessidra(false);
    lblNumColonneBase->setText(Q(EtichettaNumColonneBase()));
}

void frmImportBase::ImportaBase() {
    cmdImportaBase->setEnabled(false);
    const auto file = UI().ScegliFileApri("File TXT (*.txt)|*.txt", (mPathDati / "txt").string());
    // A refused file leaves the base columns the user had; they are shown again either way.
    if (file && !file->empty()) ImportaColonneBase(*file);
    VisualizzaColonneBase();
    cmdImportaBase->setEnabled(!bloccata());
}

void frmImportBase::Ordina(int colonna) {
    auto& celle = modello_->celle();
    OrdinaCelleGriglia(celle, colonna, 1, static_cast<int>(celle.size()) - 1);
    modello_->Aggiorna();
}

QString frmImportBase::TestoSelezione() const {
    const QItemSelection selezione = flexGrid->selectionModel()->selection();
    if (selezione.isEmpty()) return {};
    int alto = modello_->rowCount(), basso = -1, sinistra = modello_->columnCount(), destra = -1;
    for (const QItemSelectionRange& r : selezione) {
        alto = std::min(alto, r.top());
        basso = std::max(basso, r.bottom());
        sinistra = std::min(sinistra, r.left());
        destra = std::max(destra, r.right());
    }
    // The model's row r is row r + 1 of the cells; the whole grid selected takes the header too.
    const bool tutto =
        alto == 0 && basso == modello_->rowCount() - 1 && sinistra == 0 && destra == modello_->columnCount() - 1;
    return Q(TestoCopiaGriglia(modello_->celle(), tutto ? 0 : alto + 1, sinistra, basso + 1, destra));
}

bool frmImportBase::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == flexGrid && evento->type() == QEvent::KeyPress) {
        auto* tasto = static_cast<QKeyEvent*>(evento);
        if (tasto->matches(QKeySequence::SelectAll)) {
            flexGrid->selectAll();
            return true;
        }
        if (tasto->matches(QKeySequence::Copy)) {
            UI().Clessidra(true);
            const QString testo = TestoSelezione();
            UI().Clessidra(false);
            QGuiApplication::clipboard()->setText(testo);
            return true;
        }
    }
    return FinestraCondizione::eventFilter(oggetto, evento);
}

}  // namespace novanta::ui
