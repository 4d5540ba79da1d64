#pragma once
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace novanta::ui {

// The progress window of the runs: bar, the three counts, the alarm label and the cancel
// button. Modeless; the run writes to it at its yield points.
class frmCalcolo : public QDialog {
public:
    explicit frmCalcolo(QWidget* parent = nullptr);

    void Barra(int valore);
    void Etichette(double integrale, double elaborate, double sistema);
    void Allarme(const QString& testo);

    QPushButton* pulsanteAnnulla() const { return cmdSvilAnnulla; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    QProgressBar* pb = nullptr;
    QLabel* lblColonneIntegrali = nullptr;
    QLabel* lblNumColIntegrali = nullptr;
    QLabel* lblColonneElaborate = nullptr;
    QLabel* lblNumColElaborate = nullptr;
    QLabel* lblColonneSistema = nullptr;
    QLabel* lblNumColSistema = nullptr;
    QLabel* labAllarm = nullptr;
    QPushButton* cmdSvilAnnulla = nullptr;
    bool chiudibile_ = false;

    friend class InterfacciaQt;
};

}  // namespace novanta::ui
