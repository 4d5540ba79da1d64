#pragma once
#include <QDialog>
#include <QFrame>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

class QLabel;
class QPushButton;

namespace novanta::ui {

// The prediction numbers labPronosticoOrdinato(0..89), ten to a row. A number pressed and
// dragged onto another one changes place with it; while it travels its value rides under the
// mouse and in l1. From the keyboard the arrows move a frame over the numbers, Space or Enter
// takes the framed number and, pressed again, drops it on the framed one (Esc lets it go).
class frmOrdinaPronostico;
class PronosticoTrascinabile : public QFrame {
public:
    PronosticoTrascinabile(frmOrdinaPronostico* finestra, QWidget* parent);
    QLabel* etichetta(int i) const { return etichette_[static_cast<size_t>(i)]; }
    // The shown label under a point of the frame, -1 elsewhere.
    int IndiceIn(const QPoint& punto) const;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void Incornicia();
    frmOrdinaPronostico* finestra_;
    std::array<QLabel*, 90> etichette_{};
    QLabel* fantasma_ = nullptr;
    int origine_ = -1;
    int cursore_ = 0;
    int preso_ = -1;
};

// The prediction order window: the order shown when it closes is the prediction's order.
class frmOrdinaPronostico : public QDialog {
public:
    explicit frmOrdinaPronostico(QWidget* parent = nullptr);

    void VisualizzaPronostico();
    void PronosticoCasuale();
    // A drop of position `da` on position `a`.
    void Scambia(int da, int a);
    void MostraTrascinato(int da);
    const std::vector<uint8_t>& numeri() const { return numeri_; }

    void done(int esito) override;

private:
    void Ridisegna();

    PronosticoTrascinabile* frameOrdinePronostico = nullptr;
    QLabel* titleOrdinePronostico = nullptr;
    QLabel* l1 = nullptr;
    QPushButton* cmdPronosticoRnd = nullptr;
    std::vector<uint8_t> numeri_;
    std::vector<uint32_t> colori_;  // fore colour of each position (&H00BBGGRR)
    uint8_t coloreCasuale_ = 0;
    std::mt19937 caso_;
    bool scritto_ = false;
};

}  // namespace novanta::ui
