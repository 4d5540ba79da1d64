#pragma once
#include "ui/controlli_condizione.h"

class QLabel;
class QLineEdit;

namespace novanta::ui {

// The sum condition: the accepted range of a column's sum and its ON/OFF. The flag is stored at
// once, the range when the window closes, and only if it passes the three checks.
class frmSomma : public FinestraCondizione {
    Q_OBJECT
public:
    explicit frmSomma(QWidget* parent = nullptr);

protected:
    bool Chiudi() override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QGroupBox* frameSomma = nullptr;
    QLabel* lblDA = nullptr;
    QLabel* lblA = nullptr;
    QLineEdit* meDa = nullptr;
    QLineEdit* meA = nullptr;
    QLabel* lblMin = nullptr;
    QLabel* lblMax = nullptr;
    QLabel* labMin = nullptr;
    QLabel* labMax = nullptr;
    CoppiaOnOff* frameStatoCond = nullptr;
};

}  // namespace novanta::ui
