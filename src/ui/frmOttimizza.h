#pragma once
#include <QDialog>
#include <QWidget>
#include <utility>
#include <vector>

class QLabel;
class QPushButton;
class QSpinBox;

namespace novanta::ui {

// The size of the best system against the seconds of the search, as a falling step line.
class GraficoColonne : public QWidget {
public:
    explicit GraficoColonne(QWidget* parent = nullptr);
    void Azzera(int colonne, double secondi);
    void Aggiungi(double secondi, int colonne);
    // The search ended at `secondi`: the last size runs on to there.
    void Fine(double secondi);
    const std::vector<std::pair<double, int>>& punti() const { return punti_; }
    QSize sizeHint() const override { return {360, 180}; }

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    std::vector<std::pair<double, int>> punti_;
    double durata_ = 60;
    double fine_ = 0;
};

// "Ottimizza Sistema": the time budget, the best size falling on the chart, Stop keeping the
// best; the search and the question before the system is replaced live in the core.
class frmOttimizza : public QDialog {
public:
    explicit frmOttimizza(QWidget* parent = nullptr);

    void Avvia();
    void Ferma();
    bool inCorso() const { return inCorso_; }
    void Progresso(int migliore, double secondi);

protected:
    void reject() override;

private:
    QSpinBox* txtSecondi = nullptr;
    QLabel* lblNumGaranzia = nullptr;
    QLabel* lblNumIniziali = nullptr;
    QLabel* lblNumMigliori = nullptr;
    QLabel* lblNumLimite = nullptr;
    QLabel* lblStato = nullptr;
    GraficoColonne* grafico = nullptr;
    QPushButton* cmdAvvia = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdChiudi = nullptr;
    bool inCorso_ = false;
};

}  // namespace novanta::ui
