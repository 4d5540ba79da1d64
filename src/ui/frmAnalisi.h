#pragma once
#include <QDialog>
#include <string>
#include <vector>

#include "analysis/analisi.h"
#include "analysis/estrazioni.h"

class QChartView;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace novanta::ui {

// What the current system guarantees and wins: the table of best hits by the drawn numbers
// inside the prediction with the guarantee, the odds as a bar chart, the hits of a typed draw
// and of a file of past draws. The analysis starts when the window first shows and again on
// "Analizza" (another count of drawn numbers); the bar and the cancel button live here.
class frmAnalisi : public QDialog {
public:
    explicit frmAnalisi(QWidget* parent = nullptr);

    // The analysis of the current system with the drawn count of the spin box; false when it
    // was refused (the reason in a message box) or cancelled.
    bool Analizza();
    // The draw typed in txtEstrazione: its hits and the winning columns.
    void ControllaEstrazione();
    // A file of past draws into the draws table; false (after a message) for a bad file.
    bool CaricaEstrazioni(const std::string& file);

    bool inCorso() const { return inCorso_; }
    const analisi::RisultatoAnalisi& risultato() const { return risultato_; }

protected:
    void changeEvent(QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void reject() override;

private:
    void Testi();
    void MostraRisultato();
    void MostraEstrazioni();
    void Blocca(bool inCorso);
    QStringList Intestazioni(QWidget* controllo, int quante) const;

    QLabel* lblSistema = nullptr;
    QLabel* lblEstratti = nullptr;
    QSpinBox* spinEstratti = nullptr;
    QPushButton* cmdAnalizza = nullptr;
    QProgressBar* pbAnalisi = nullptr;
    QPushButton* cmdAnnulla = nullptr;
    QTabWidget* tabAnalisi = nullptr;
    QLabel* lblTabella = nullptr;
    QTableWidget* tblGaranzia = nullptr;
    QTableWidget* tblProbabilita = nullptr;
    QChartView* grafico = nullptr;
    QLabel* lblEstrazione = nullptr;
    QLineEdit* txtEstrazione = nullptr;
    QPushButton* cmdControlla = nullptr;
    QLabel* lblEsito = nullptr;
    QListWidget* lstVincenti = nullptr;
    QPushButton* cmdCaricaEstrazioni = nullptr;
    QTableWidget* tblEstrazioni = nullptr;
    QLabel* lblTotali = nullptr;
    QPushButton* cmdChiudi = nullptr;

    analisi::SistemaDaAnalizzare sistema_;
    analisi::RisultatoAnalisi risultato_;
    analisi::ControlloEstrazioni controllo_;
    std::vector<analisi::Estrazione> estrazioni_;
    analisi::RiepilogoEstrazioni riepilogo_;
    int numeriPronostico_ = 0;
    bool inCorso_ = false;
    bool avviata_ = false;
};

}  // namespace novanta::ui
