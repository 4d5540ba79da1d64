#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace novanta {

enum class Pulsanti { OK, SiNo, OKAnnulla, SiNoAnnulla };
enum class Icona { Nessuna, Critica, Domanda, Esclamazione, Informazione };
enum class Risposta { OK, Annulla, Si, No };

// The one port through which the core reaches the user: message boxes, the input box, the
// yield points of long work, the progress window and the main window's notifications.
// The Qt face shows real windows, the command line prints to stderr and answers from its
// options, the tests record every call and answer from a script.
class Interfaccia {
public:
    virtual ~Interfaccia() = default;

    // A message box; an empty title means the application title.
    virtual Risposta MsgBox(const std::string& testo, Pulsanti pulsanti = Pulsanti::OK, Icona icona = Icona::Nessuna,
                            const std::string& titolo = "") = 0;
    // The input box; nothing when the user cancelled.
    virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& titolo,
                                                const std::string& predefinito = "") = 0;
    // Let pending user-interface events run (the yield points of long work).
    virtual void DoEvents() {}
    virtual void Beep() {}
    virtual void Clessidra(bool /*attiva*/) {}

    // The progress window of the runs.
    virtual void ProgressoApri() {}
    virtual void ProgressoChiudi() {}
    virtual void ProgressoBarra(int /*valore*/) {}
    virtual void ProgressoEtichette(double /*integrale*/, double /*elaborate*/, double /*sistema*/) {}
    virtual void ProgressoAllarme(const std::string& /*testo*/) {}
    virtual void ProgressoRidisegna() {}
    // The optimiser: the best valid size so far, the size it is trying now, the members of the
    // universe that size still leaves uncovered, and the seconds since it started.
    virtual void OttimizzazioneProgresso(int32_t /*migliore*/, int32_t /*corrente*/, double /*scoperte*/,
                                         double /*secondi*/) {}

    // The main window: the state itself lives in the core; these only redraw.
    virtual void LockGUI() {}
    virtual void UnlockGUI() {}
    virtual void UnlockMenuConditions() {}
    virtual void Sblocca_x_Ricalcolo() {}
    virtual void ViewStatusBar() {}
    virtual void GrigliaAggiornata() {}
    virtual void AbilitaFinestraPrincipale(bool /*abilitata*/) {}

    // Shell helpers.
    virtual void ApriURL(const std::string& /*indirizzo*/) {}
    virtual void ApriCartella(const std::string& /*cartella*/) {}

    // The open-file and save-file dialogs. `filtro` is description and pattern pairs joined by
    // "|" ("File TXT (*.txt)|*.txt"); the answer is the chosen path, nothing when the user
    // cancelled (and always nothing for a face that has no dialogs).
    virtual std::optional<std::string> ScegliFileApri(const std::string& /*filtro*/, const std::string& /*cartella*/) {
        return std::nullopt;
    }
    virtual std::optional<std::string> ScegliFileSalva(const std::string& /*filtro*/, const std::string& /*cartella*/,
                                                       const std::string& /*nomeProposto*/,
                                                       const std::string& /*estensione*/) {
        return std::nullopt;
    }

    // An update is fetching file `numero` of `totale` of its list.
    virtual void ProgressoAggiornamento(const std::string& /*nome*/, size_t /*numero*/, size_t /*totale*/) {}

    // The version check found a newer version on the update server (the new-version window).
    virtual void NuovaVersione(const std::string& /*locale*/, const std::string& /*remota*/) {}
};

// A face that shows nothing and answers every question with its first button.
class InterfacciaSilenziosa : public Interfaccia {
public:
    Risposta MsgBox(const std::string&, Pulsanti pulsanti, Icona, const std::string&) override {
        return pulsanti == Pulsanti::SiNo || pulsanti == Pulsanti::SiNoAnnulla ? Risposta::Si : Risposta::OK;
    }
    std::optional<std::string> InputBox(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

// The face in use; the silent one until a face installs itself.
Interfaccia& UI();
void ImpostaInterfaccia(Interfaccia* interfaccia);

}  // namespace novanta
