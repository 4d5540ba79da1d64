#pragma once
#include "ui/controlli_condizione.h"

class QLabel;

namespace novanta::ui {

// The fixed numbers: up to k - 1 prediction numbers every column must hold, stored at the close.
class frmFisse : public FinestraCondizione {
    Q_OBJECT
public:
    explicit frmFisse(QWidget* parent = nullptr);

protected:
    bool Chiudi() override;

private:
    std::vector<int> Scelte() const;
    QGroupBox* frameFisse = nullptr;
    EtichetteSelezione* labGriglia = nullptr;
    QLabel* l1 = nullptr;
    CoppiaOnOff* frameStatoCond = nullptr;
    int numSelezionate = 0;
};

}  // namespace novanta::ui
