#pragma once
#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;
class QGroupBox;

namespace novanta::ui {

class EtichetteSelezione;

// The group-filter import: a text file, the accepted counts chosen on labels, the question,
// and the import into the list of TipoFiltro (0: AND, else OR) with its progress shown. The
// window closes after an import; a refused file leaves the list as it was and the window open.
class frmImportFiltri : public QDialog {
public:
    explicit frmImportFiltri(int32_t tipoFiltro, QWidget* parent = nullptr);

    int32_t TipoFiltro() const { return tipoFiltro_; }
    // True once an import replaced the list.
    bool importato() const { return importato_; }

    void done(int risultato) override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void ScegliFile();
    void Processa();
    void MostraLetti(int32_t filtri, int percento);

    int32_t tipoFiltro_ = 0;
    std::string nomeFileFiltri;
    bool importato_ = false;
    bool importando_ = false;
    int32_t letti_ = 0;

    QPushButton* cmdImportaFiltri = nullptr;
    QPushButton* cmdProcess = nullptr;
    QLabel* lblFileFiltri = nullptr;
    QGroupBox* framePresenze = nullptr;
    EtichetteSelezione* lbPresenze = nullptr;
    QProgressBar* prgImporta = nullptr;
    QLabel* lblFiltriLetti = nullptr;
};

}  // namespace novanta::ui
