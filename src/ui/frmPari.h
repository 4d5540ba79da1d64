#pragma once
#include "ui/controlli_condizione.h"

class QLabel;

namespace novanta::ui {

// The even/odd condition: the accepted counts of even numbers, stored click by click.
class frmPari : public FinestraCondizione {
    Q_OBJECT
public:
    explicit frmPari(QWidget* parent = nullptr);

private:
    QGroupBox* framePariDispari = nullptr;
    QLabel* lblPari = nullptr;
    EtichetteSelezione* labPariDispari = nullptr;
    CoppiaOnOff* frameStatoCond = nullptr;
};

}  // namespace novanta::ui
