#pragma once
#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace novanta::ui {

// The settings window: language, recalculation mode, the language download and credits.
class frmImpostazioni : public QDialog {
public:
    explicit frmImpostazioni(QWidget* parent = nullptr);

    void CaricaLingue();
    void cmbLingua_Click();
    void cmdSalva_Click();
    void cmdLangUpdate_Click();
    void cmdInfoLanguage_Click();

protected:
    void reject() override;

private:
    void chkStatoRicalcolo_Click();
    bool primoAvvio_ = false;
    QLabel* lblPrimoAvvio = nullptr;

    QLabel* lbLanguage = nullptr;
    QComboBox* cmbLingua = nullptr;
    QToolButton* cmdLangUpdate = nullptr;
    QToolButton* cmdInfoLanguage = nullptr;
    QGroupBox* frameRicalcolo = nullptr;
    QCheckBox* chkStatoRicalcolo = nullptr;
    std::array<QRadioButton*, 2> optModoRicalcolo{};
    QPushButton* cmdSalva = nullptr;
};

}  // namespace novanta::ui
