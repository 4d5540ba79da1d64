#pragma once
#include <QDialog>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/frmMAIN.h"
#include "ui/interfacciaQt.h"

namespace novanta::test {

// The Qt face with the user replaced by a script: message boxes, input boxes, file dialogs and
// modal windows are recorded or answered without showing anything that waits, so no GUI test
// can block. Every other call (progress window, redraws, yields) is the real one.
class FacciaProva : public ui::InterfacciaQt {
public:
    struct Messaggio {
        std::string testo;
        Pulsanti pulsanti;
        Icona icona;
        std::string titolo;
    };

    Risposta MsgBox(const std::string& testo, Pulsanti pulsanti, Icona icona, const std::string& titolo) override {
        messaggi.push_back({testo, pulsanti, icona, titolo});
        if (pulsanti == Pulsanti::OK) return Risposta::OK;
        if (risposte.empty()) return pulsanti == Pulsanti::OKAnnulla ? Risposta::OK : Risposta::Si;
        const Risposta r = risposte.front();
        risposte.pop_front();
        return r;
    }
    std::optional<std::string> InputBox(const std::string& prompt, const std::string&, const std::string&) override {
        prompt_.push_back(prompt);
        if (input.empty()) return std::nullopt;
        auto r = input.front();
        input.pop_front();
        return r;
    }
    std::optional<std::string> ScegliFileApri(const std::string&, const std::string&) override { return scelto(); }
    std::optional<std::string> ScegliFileSalva(const std::string&, const std::string&, const std::string&,
                                               const std::string&) override {
        return scelto();
    }
    // The file dialogs answer from `fileScelti` in order; cancelled when it is empty.
    std::optional<std::string> scelto() {
        if (fileScelti.empty()) return std::nullopt;
        std::string f = fileScelti.front();
        fileScelti.pop_front();
        return f;
    }
    void DoEvents() override {
        ++yield;
        if (allYield) allYield(yield);
        InterfacciaQt::DoEvents();
    }
    void ApriURL(const std::string& indirizzo) override { indirizzi.push_back(indirizzo); }
    // The window is shown (not modally), handed to `allaFinestra`, and closed; the result is
    // what the callback returns (QDialog::Rejected when there is none).
    int Modale(QDialog& finestra) override {
        modali.push_back(finestra.objectName());
        principaleVisibile.push_back(principale() && principale()->isVisible());
        finestra.show();
        const int r = allaFinestra ? allaFinestra(finestra) : QDialog::Rejected;
        finestra.close();
        return r;
    }

    std::vector<Messaggio> messaggi;
    std::deque<Risposta> risposte;                 // answers to boxes with buttons; default Yes/OK
    std::deque<std::optional<std::string>> input;  // answers to the input box; default cancel
    std::vector<std::string> prompt_;
    std::deque<std::string> fileScelti;
    std::vector<QString> modali;           // objectName of each modal window, in order
    std::vector<bool> principaleVisibile;  // whether the main window was visible then
    std::vector<std::string> indirizzi;
    std::function<int(QDialog&)> allaFinestra;
    int64_t yield = 0;
    std::function<void(int64_t)> allYield;
};

}  // namespace novanta::test
