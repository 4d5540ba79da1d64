#pragma once
#include <QFrame>
#include <QMainWindow>
#include <array>
#include <utility>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QTimer;

namespace novanta::ui {

// The number grid: the labels grnum(0)..grnum(89), number i + 1 in grnum(i), ten to a row.
// A press toggles the label under the mouse; dragging on toggles each label once as it is
// entered (leaving the labels and coming back to the same one toggles it again).
class GrigliaNumeri : public QFrame {
public:
    explicit GrigliaNumeri(QWidget* parent);
    QLabel* etichetta(int indice) const { return etichette_[static_cast<size_t>(indice)]; }
    // The marked and unmarked looks from the grid marks of the state.
    void Aggiorna();
    // The label under a point of the grid, -1 between labels.
    int IndiceIn(const QPoint& punto) const;
    // The label the keyboard is on (0..89).
    int cursore() const { return cursore_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void Trascina(int indice);
    void MostraCursore();
    std::array<QLabel*, 90> etichette_{};
    int cursore_ = 0;
    int ultimoIndice_ = -1;
    bool trascinando_ = false;
};

class frmMAIN : public QMainWindow {
public:
    explicit frmMAIN(QWidget* parent = nullptr);
    ~frmMAIN() override;

    // The load event: settings, first-start settings window, language, scroll bar, reset,
    // grid captions, system file name, status bar.
    void Carica();

    // Redraws for the core's notifications.
    void AggiornaGriglia();
    void LockGUI();
    void UnlockGUI();
    void UnlockMenuConditions();
    void Sblocca_x_Ricalcolo();
    void ViewStatusBar();

    // The commands, also reached from the menus and buttons.
    void CalcoloComando();
    void ModificaSistema();
    void NuovoSistema();
    void VisualizzaSistema();
    void OttimizzaSistema();
    void AnalizzaSistema();
    void ImportaColonne();
    void EsportaColonne();
    void Impostazioni();
    void Info();
    // The group-filter window for the AND list (0) or the OR list (1).
    void ColonneFiltro(int tipoFiltro);
    // The matrix window: apply mode (cmdAdatta, menuAdattaMatrice) and browse mode (mnuElencoSistemiImmediati).
    void AdattaMatrice();
    void ElencoMatrici();
    void ApriSistema();
    void SalvaSistema();
    void SalvaSistemaConNome();
    void ApriRecente(int indice);

    // The title marks unsaved work with "*"; the condition marks follow the state.
    void AggiornaTitolo();
    void AggiornaSegniCondizioni();

    GrigliaNumeri* griglia() const { return frameNumeri; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void CreaMenu();
    void CreaControlli();
    void AggiornaIntegrale();
    void AggiornaContatore();
    void AbilitaCalcolo(bool abilita);
    QAction* voce(QMenu* menu, const char* nome, const QString& testo);
    void VoceCondizione(QAction* voce, bool (*stato)());
    template <typename Finestra>
    void ApriCondizione(QAction* voce);
    void AggiornaRecenti();

    QMenu* menufile = nullptr;
    QMenu* menuCondizioni = nullptr;
    QMenu* menuOperazioni = nullptr;
    QAction* menuNuovo = nullptr;
    QAction* menuApriSistema = nullptr;
    QAction* menuSalvaSistema = nullptr;
    QAction* menuSalvaSistemaConNome = nullptr;
    std::array<QAction*, 5> mnuRecente{};
    QAction* separatoreRecenti = nullptr;
    std::vector<std::pair<QAction*, bool (*)()>> segni_;
    QTimer* autosalvataggio_ = nullptr;
    QString didascalia_;       // the caption without the unsaved mark
    QString titoloImpostato_;  // the title as AggiornaTitolo last set it
    QAction* menuImportaColonne = nullptr;
    QAction* menuEsportaColonne = nullptr;
    QAction* mnuElencoSistemiImmediati = nullptr;
    QAction* menuImpostazioni = nullptr;
    QAction* menuUscita = nullptr;
    QAction* menuColonnaFiltroAND = nullptr;
    QAction* menuColonnaFiltroOR = nullptr;
    QAction* menuColonnaBase = nullptr;
    QAction* menuDistanzaNumeri = nullptr;
    QAction* menuConsecutivi = nullptr;
    QAction* menuFisse = nullptr;
    QAction* menuPariDispari = nullptr;
    QAction* menuSomma = nullptr;
    QAction* menuRidotto = nullptr;
    QAction* menuDistanzaMinima = nullptr;
    QAction* menuAdattaMatrice = nullptr;
    QAction* menuCalcolo = nullptr;
    QAction* menuVisualizza = nullptr;
    QAction* menuAnalisi = nullptr;
    QAction* menuModifiche = nullptr;
    QAction* menuOttimizza = nullptr;
    QAction* menuinfo = nullptr;

    QGroupBox* frameLenCol = nullptr;
    QScrollBar* hsLenCol = nullptr;
    QLabel* lbLenCol = nullptr;
    QGroupBox* frameOperazioni = nullptr;
    QPushButton* cmdModifiche = nullptr;
    QPushButton* cmdAdatta = nullptr;
    QPushButton* cmdVisualizza = nullptr;
    QPushButton* cmdCancella = nullptr;
    QPushButton* cmdCalcolo = nullptr;
    GrigliaNumeri* frameNumeri = nullptr;
    QLabel* lblCaptionColonneIntegrali = nullptr;
    QLabel* lblIntegrale = nullptr;
    QLabel* labnumeri = nullptr;
    std::array<QLabel*, 4> StBar{};

    bool inCalcolo_ = false;
};

}  // namespace novanta::ui
