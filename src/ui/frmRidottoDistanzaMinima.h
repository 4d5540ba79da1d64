#pragma once
#include "ui/frmRidotto.h"

namespace novanta::ui {

// The minimum distance between the columns of the system.
class frmRidottoDistanzaMinima : public FinestraRiduzione {
    Q_OBJECT
public:
    explicit frmRidottoDistanzaMinima(QWidget* parent = nullptr);

protected:
    bool Chiudi() override;
};

}  // namespace novanta::ui
