#pragma once
#include <QDialog>
#include <array>
#include <atomic>
#include <string>

#include "net/aggiornamenti.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace novanta::ui {

// The matrix window over mElencoMatrici (which the opener has loaded). In the apply mode it
// applies the chosen matrix, or one from a text file, to the prediction; in the browse mode it
// opens the matrix folder and brings it up to date from the update server.
class frmMatr : public QDialog {
public:
    frmMatr(QWidget* parent, bool modoAdatta);

    void RiempiElenco();
    void MostraMatrice(int indice);
    void cmdAdattaMatrice_Click();
    void cmdMatriceTXT_Click();
    void cmdOpenDir_Click();
    // The update runs on its own thread while this window keeps drawing; the window stays open
    // until it ended, and a cancel stops it.
    void cmdUpdateMatrix_Click();
    void AnnullaAggiornamento();
    bool aggiornando() const { return aggiornando_; }

    void reject() override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void Occupata(bool occupata);
    void MostraFileInArrivo(const QString& nome);
    void RiferisciAggiornamento(const RisultatoAggiornamento& esito);

    QLabel* lblElenco = nullptr;
    QListWidget* flZEL = nullptr;
    QGroupBox* frameBaseInfo = nullptr;
    QGroupBox* frameInfo = nullptr;
    std::array<QLabel*, 12> lblMatrix{};
    QLineEdit* txtNumMatrix = nullptr;
    QLineEdit* txtLenCol = nullptr;
    QLineEdit* txtGaranty = nullptr;
    QLineEdit* txtPickUp = nullptr;
    QLineEdit* txtFixedNum = nullptr;
    QLineEdit* txtColMatrix = nullptr;
    QLineEdit* txtPercentage = nullptr;
    QLineEdit* txtAuthor = nullptr;
    QLineEdit* txtDescription = nullptr;
    QLineEdit* txtValidFrom = nullptr;
    QLineEdit* txtValidTo = nullptr;
    QLineEdit* txtFileName = nullptr;
    QLabel* lblChkVersion = nullptr;
    QLabel* lblOK = nullptr;
    QLabel* lblScaduta = nullptr;
    QLabel* lbElaborazione = nullptr;
    QPushButton* cmdAdattaMatrice = nullptr;
    QPushButton* cmdMatriceTXT = nullptr;
    QPushButton* cmdOpenDir = nullptr;
    QPushButton* cmdUpdateMatrix = nullptr;
    QPushButton* cmdAnnullaAggiornamento = nullptr;
    bool modoAdatta_;
    bool aggiornando_ = false;
    std::atomic<bool> annulla_{false};
};

}  // namespace novanta::ui
