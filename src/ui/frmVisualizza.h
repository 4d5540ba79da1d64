#pragma once
#include <QDialog>
#include <array>
#include <cstdint>

class QLabel;
class QPushButton;

namespace novanta::ui {

// The column view: ten columns of the system per panel, six buttons to move between panels.
class frmVisualizza : public QDialog {
public:
    explicit frmVisualizza(QWidget* parent = nullptr);

    // The text of one line: two blanks, then the numbers as "03-07-12-45-88".
    static QString TestoColonna(int32_t colonna);

    void MostraPannello(int32_t pannello);
    void Avanti(int32_t n);
    void Indietro(int32_t n);

    int32_t numPannelli() const { return numPannelli_; }
    int32_t pannelloCorrente() const { return pannelloCorrente_; }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    std::array<QLabel*, 10> labVisualizza{};
    QLabel* labNscheda = nullptr;
    QLabel* lblPannello = nullptr;
    QLabel* lblInfo = nullptr;
    QPushButton* cmdBOTTOM = nullptr;
    QPushButton* cmdPrev2 = nullptr;
    QPushButton* cmdPrev1 = nullptr;
    QPushButton* cmdNext1 = nullptr;
    QPushButton* cmdNext2 = nullptr;
    QPushButton* cmdTOP = nullptr;
    int32_t numPannelli_ = 0;
    int32_t primoPannello_ = 1;
    int32_t pannelloCorrente_ = 1;
    int rotella_ = 0;
    // Page Up/Down, Home and End; false for any other key.
    bool Naviga(int tasto);
};

}  // namespace novanta::ui
