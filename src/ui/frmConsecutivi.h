#pragma once
#include "ui/controlli_condizione.h"

class QLabel;

namespace novanta::ui {

// The consecutive numbers: the accepted lengths of a column's longest run, stored at the close.
class frmConsecutivi : public FinestraCondizione {
    Q_OBJECT
public:
    explicit frmConsecutivi(QWidget* parent = nullptr);

protected:
    bool Chiudi() override;

private:
    QGroupBox* frameCondizione = nullptr;
    QGroupBox* framePresenze = nullptr;
    EtichetteSelezione* lbPresenze = nullptr;
    QLabel* lblMax = nullptr;
    QLabel* l1 = nullptr;
    CoppiaOnOff* frameStatoCond = nullptr;
};

}  // namespace novanta::ui
