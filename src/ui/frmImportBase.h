#pragma once
#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "ui/controlli_condizione.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QTableView;

namespace novanta::ui {

// The cells of a grid whose row 0 is its header row (the base-column grid): the view shows
// rows 1.. and takes its header texts from row 0.
class ModelloCelle : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    void Imposta(std::vector<std::vector<std::string>> celle);
    std::vector<std::vector<std::string>>& celle() { return celle_; }
    void Aggiorna();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& indice, int ruolo) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento, int ruolo) const override;

private:
    std::vector<std::vector<std::string>> celle_;
    int colonne_ = 0;
};

// The base-column window: the import of a text file, the ON/OFF of the condition and the
// grid of the base columns ("N.", "P1".."Pk"). Ctrl+A selects the whole grid, Ctrl+C copies the
// selection as tab-separated text, a click on a header sorts the rows by that column. With a
// system in the store only the grid stays usable.
class frmImportBase : public FinestraCondizione {
    Q_OBJECT
public:
    explicit frmImportBase(QWidget* parent = nullptr);

    void VisualizzaColonneBase();
    // The text Ctrl+C puts on the clipboard for the current selection.
    QString TestoSelezione() const;
    QTableView* griglia() const { return flexGrid; }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void ImportaBase();
    void Ordina(int colonna);

    QGroupBox* frameCondizione = nullptr;
    QPushButton* cmdImportaBase = nullptr;
    CoppiaOnOff* frameStatoCondizione = nullptr;
    QLabel* lblNumColonneBase = nullptr;
    QLabel* lblDescrColonneBase = nullptr;
    QTableView* flexGrid = nullptr;
    ModelloCelle* modello_ = nullptr;
};

}  // namespace novanta::ui
