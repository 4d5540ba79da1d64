#pragma once
#include <cstdint>
#include <memory>

#include "core/pannello_filtri.h"
#include "ui/controlli_condizione.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace novanta::ui {

// The group-filter window, one panel (one filter) at a time, for the AND list (TipoFiltro 0)
// or the OR list. Every rule lives in PannelloFiltri; this only draws it and passes the
// user's actions on. Closing, by any way, stores the panel and compacts the list.
class frmFiltri : public FinestraCondizione {
    Q_OBJECT
public:
    explicit frmFiltri(int32_t tipoFiltro, QWidget* parent = nullptr);
    ~frmFiltri() override;

    int32_t TipoFiltro() const { return pannello_->TipoFiltro(); }
    const PannelloFiltri& pannello() const { return *pannello_; }

    void PannelloAvanti(int32_t passo);
    void PannelloIndietro(int32_t passo);
    void Primo();
    void Ultimo();

protected:
    bool Chiudi() override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void changeEvent(QEvent* e) override;

private:
    void VisualizzaFiltro();
    void AggiornaContatori();
    void CaricaFiltri();

    std::unique_ptr<PannelloFiltri> pannello_;
    bool chiuso_ = false;
    QString titolo_;

    QPushButton* cmdBOTTOM = nullptr;
    QPushButton* cmdPrev2 = nullptr;
    QPushButton* cmdPrev1 = nullptr;
    QPushButton* cmdNext1 = nullptr;
    QPushButton* cmdNext2 = nullptr;
    QPushButton* cmdTOP = nullptr;
    QGroupBox* frameCondizione = nullptr;
    QPushButton* cmdCancella = nullptr;
    QPushButton* cmdCancellaTutto = nullptr;
    QPushButton* cmdLoadFiltri = nullptr;
    EtichetteSelezione* lbPresenze = nullptr;
    EtichetteSelezione* labGriglia = nullptr;
    CoppiaOnOff* frameStatoCond = nullptr;
    QLabel* lblnFiltro = nullptr;
    QLabel* lblTotFiltri = nullptr;
    QLabel* lblTotFiltriON = nullptr;
    QLabel* lblTotFiltriOFF = nullptr;
    QLabel* lblNumSelezionati = nullptr;
};

}  // namespace novanta::ui
