#pragma once
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "core/interfaccia.h"

class QDialog;
class QWidget;

namespace novanta::ui {

class frmMAIN;
class frmCalcolo;

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

// The Qt face: real message boxes and dialogs, the progress window, and the main window's
// redraws. The GUI tests derive from it and answer the boxes, the file dialogs and the modal
// windows themselves, so nothing there blocks.
class InterfacciaQt : public Interfaccia {
public:
    InterfacciaQt();
    ~InterfacciaQt() override;

    Risposta MsgBox(const std::string& testo, Pulsanti pulsanti, Icona icona, const std::string& titolo) override;
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& titolo,
                                        const std::string& predefinito) override;
    // Runs pending events, but at most once every 15 ms: the runs call it far more often
    // than a screen can show.
    void DoEvents() override;
    void Beep() override;
    void Clessidra(bool attiva) override;

    void ProgressoApri() override;
    void ProgressoChiudi() override;
    void ProgressoBarra(int valore) override;
    void ProgressoEtichette(double integrale, double elaborate, double sistema) override;
    void ProgressoAllarme(const std::string& testo) override;
    void ProgressoRidisegna() override;

    void LockGUI() override;
    void UnlockGUI() override;
    void UnlockMenuConditions() override;
    void Sblocca_x_Ricalcolo() override;
    void ViewStatusBar() override;
    void GrigliaAggiornata() override;
    void AbilitaFinestraPrincipale(bool abilitata) override;

    void ApriURL(const std::string& indirizzo) override;
    void ApriCartella(const std::string& cartella) override;
    // The version check found a newer version: the notice, modal; start-up then goes on.
    void NuovaVersione(const std::string& locale, const std::string& remota) override;
    std::optional<std::string> ScegliFileApri(const std::string& filtro, const std::string& cartella) override;
    std::optional<std::string> ScegliFileSalva(const std::string& filtro, const std::string& cartella,
                                               const std::string& nomeProposto, const std::string& estensione) override;

    // The optimiser's progress goes to the window that started it.
    void OttimizzazioneProgresso(int32_t migliore, int32_t corrente, double scoperte, double secondi) override;
    std::function<void(int32_t, double)> alProgressoOttimizzazione;

    // Shows a window modally and returns its result (QDialog::exec); the tests answer instead.
    virtual int Modale(QDialog& finestra);

    void ImpostaPrincipale(frmMAIN* finestra);
    frmMAIN* principale() const;
    frmCalcolo* progresso() const;

protected:
    // Runs pending events now, whatever the throttle says.
    void EseguiEventi();

private:
    QWidget* proprietario() const;
    // Guarded: either window may go away while the face lives.
    QPointer<QObject> principale_;
    QPointer<QObject> progresso_;
    QElapsedTimer ultimoGiro_;
    int clessidre_ = 0;
};

// The installed Qt face (null while another face is in use).
InterfacciaQt* FacciaQt();

// "File TXT (*.txt)|*.txt" becomes the Qt filter "File TXT (*.txt)".
QString FiltroQt(const std::string& filtro);

}  // namespace novanta::ui
