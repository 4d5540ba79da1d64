#pragma once
#include "conditions/condizioni.h"
#include "ui/controlli_condizione.h"

class QLabel;
class QToolButton;

namespace novanta::ui {

// The 25 number-distance filters, one panel at a time. A panel is stored when the user moves to
// another one or closes the window; the close also moves the ON filters to the head of the list.
class frmFiltriDistanzaNumeri : public FinestraCondizione {
    Q_OBJECT
public:
    explicit frmFiltriDistanzaNumeri(QWidget* parent = nullptr);
    int pannello() const { return indiceFiltro; }

protected:
    bool Chiudi() override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    tFiltroDistanza LeggiFiltro() const;
    void VisualizzaFiltro(const tFiltroDistanza& filtro);
    void Contatori();
    // Stores the shown panel; false (after telling why) when the store refused it.
    bool SalvaPannello();
    void VaiA(int indice);

    QToolButton* cmdBOTTOM = nullptr;
    QToolButton* cmdPrev2 = nullptr;
    QToolButton* cmdPrev1 = nullptr;
    QToolButton* cmdNext1 = nullptr;
    QToolButton* cmdNext2 = nullptr;
    QToolButton* cmdTOP = nullptr;
    QToolButton* cmdCancella = nullptr;
    QGroupBox* frameCondizione = nullptr;
    EtichetteSelezione* lbPFromPTo = nullptr;
    EtichetteSelezione* lbDistanzaMin = nullptr;
    EtichetteSelezione* lbDistanzaMax = nullptr;
    QLabel* lblNumDistMin = nullptr;
    QLabel* lblNumDistMax = nullptr;
    CoppiaOnOff* frameStatoCond = nullptr;
    QLabel* lblnFiltro = nullptr;
    QLabel* lblTotFiltri = nullptr;
    QLabel* lblTotFiltriON = nullptr;
    QLabel* lblTotFiltriOFF = nullptr;
    int indiceFiltro = 1;
    int primoFiltro = 1;
    int totFiltriON = 0;
};

}  // namespace novanta::ui
