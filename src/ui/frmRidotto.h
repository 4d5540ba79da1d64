#pragma once
#include "ui/controlli_condizione.h"

class QLabel;
class QScrollBar;

namespace novanta::ui {

// The two reductions share one shape: a value on a scroll bar and ON/OFF. The flag is stored at
// the click, the value at the close, where the window closed last wins over the other reduction.
class FinestraRiduzione : public FinestraCondizione {
    Q_OBJECT
public:
    QScrollBar* barra() const { return scorrimento; }

protected:
    struct Nomi {
        const char* finestra;
        const char* titolo;
        const char* frameValore;
        const char* titoloValore;
        const char* barra;
        const char* etichetta;
        const char* bottoni;
    };
    FinestraRiduzione(const Nomi& nomi, int minimo, int valore, bool attiva, QWidget* parent);
    CoppiaOnOff* stato = nullptr;

private:
    QGroupBox* frameCondizione = nullptr;
    QScrollBar* scorrimento = nullptr;
    QLabel* valoreMostrato = nullptr;
};

// N-x: the guarantee reduction.
class frmRidotto : public FinestraRiduzione {
    Q_OBJECT
public:
    explicit frmRidotto(QWidget* parent = nullptr);

protected:
    bool Chiudi() override;
};

}  // namespace novanta::ui
