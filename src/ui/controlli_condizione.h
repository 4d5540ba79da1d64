#pragma once
#include <QColor>
#include <QDialog>
#include <QGroupBox>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

class QGridLayout;
class QKeyEvent;
class QLabel;
class QPushButton;

namespace novanta::ui {

// A key pressed on a step button steps (held, it repeats like a held mouse button); Tab, Esc,
// a modifier alone (the Shift of Shift+Tab) and Alt shortcuts keep their usual work.
bool TastoDiPasso(const QKeyEvent& tasto);

// "00", "01", ...: the captions of numbered labels from `da` to `a`.
QStringList TestiNumerati(int da, int a);

// The ON/OFF pair of a condition window: a frame holding "<nome>(0)" (ON) and "<nome>(1)" (OFF).
// The chosen button is black on yellow, the other shows the button face with grey text.
// A user click (or, with SuPressione, a press) chooses the button and emits cliccato; Scegli
// only sets the look. Tab reaches the pair; Space chooses the focused button, arrows the other.
class CoppiaOnOff : public QGroupBox {
    Q_OBJECT
public:
    CoppiaOnOff(const QString& nomeFrame, const QString& nome, QWidget* parent);

    void Scegli(int indice);
    int scelto() const { return scelto_; }
    QPushButton* bottone(int indice) const { return bottoni_[static_cast<size_t>(indice & 1)]; }

    // React on mouse-down instead of on the click (the distance-filter window).
    void setSuPressione(bool suPressione) { suPressione_ = suPressione; }
    // Shows the state and ignores the user.
    void setSolaLettura(bool solaLettura) { solaLettura_ = solaLettura; }
    bool solaLettura() const { return solaLettura_; }

Q_SIGNALS:
    // After every user click, also on the button already chosen.
    void cliccato(int indice);
    // Only when the user's click changed the chosen button.
    void cambiato(int indice);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void SceltaUtente(int indice);
    std::array<QPushButton*, 2> bottoni_{};
    int scelto_ = -1;
    bool suPressione_ = false;
    bool solaLettura_ = false;
};

// A selection array of toggle labels "<nome>(i)", i from `base`, laid `perRiga` to a row.
// A chosen label is white on red (or on the colour given), a free one black on white; an
// unselectable one is grey italic and ignores the user. Pressing and dragging toggles each label
// once as the pointer enters it. With the focus, arrows move the current label and Space toggles
// it. Imposta changes one label without any signal; the widgets are never rebuilt.
class EtichetteSelezione : public QWidget {
    Q_OBJECT
public:
    EtichetteSelezione(const QString& nome, int base, const QStringList& testi, int perRiga, QWidget* parent);

    int base() const { return base_; }
    int numero() const { return static_cast<int>(etichette_.size()); }
    QLabel* etichetta(int i) const;

    void Imposta(int i, bool scelto);
    bool scelto(int i) const;
    void setVisibile(int i, bool visibile);
    bool visibile(int i) const;
    void setSelezionabile(int i, bool selezionabile);
    bool selezionabile(int i) const;
    void setSolaLettura(bool solaLettura) { solaLettura_ = solaLettura; }
    void setColoreScelto(const QColor& colore);
    // The text colour of a chosen label (white unless set).
    void setColoreTestoScelto(const QColor& colore);
    // Asked before a user toggle (index, the state it would get); false leaves the label alone.
    std::function<bool(int, bool)> consenti;

    // The label under a point of this widget, -1 between labels.
    int IndiceIn(const QPoint& punto) const;

Q_SIGNALS:
    void cliccato(int indice, bool scelto);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    struct Stato {
        bool scelto = false;
        bool selezionabile = true;
    };
    void Colora(int pos);
    void Tocca(int pos);
    void Corrente(int pos);
    int posizioneVisibile(int pos, int passo) const;

    std::vector<QLabel*> etichette_;
    std::vector<Stato> stati_;
    QGridLayout* griglia_ = nullptr;
    int base_ = 0;
    int perRiga_ = 1;
    int ultimo_ = -1;
    int corrente_ = 0;
    bool trascinando_ = false;
    bool solaLettura_ = false;
    QColor coloreScelto_{255, 0, 0};
    QColor coloreTestoScelto_{255, 255, 255};
};

// What every condition window shares: one way out (the close box, Esc and any other way all
// reach Chiudi, which may refuse), the lock read at load, centring and the language texts.
class FinestraCondizione : public QDialog {
    Q_OBJECT
public:
    explicit FinestraCondizione(const QString& nome, QWidget* parent);
    void done(int risultato) override;
    // True while a system exists: the window shows its settings and changes nothing.
    bool bloccata() const { return bloccata_; }

protected:
    // The unload: validates and writes back; false keeps the window open.
    virtual bool Chiudi() { return true; }
    // Language texts, size, centring: the end of every window's construction.
    void Prepara();

private:
    bool bloccata_ = false;
};

}  // namespace novanta::ui
