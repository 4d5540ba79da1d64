#pragma once
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/interfaccia.h"

namespace novanta::test {

// A face for the tests: records every call and answers from a script, so nothing blocks.
class InterfacciaRegistrata : public Interfaccia {
public:
    struct Messaggio {
        std::string testo;
        Pulsanti pulsanti;
        Icona icona;
        std::string titolo;
    };

    InterfacciaRegistrata();
    ~InterfacciaRegistrata() override;

    Risposta MsgBox(const std::string& testo, Pulsanti pulsanti, Icona icona, const std::string& titolo) override;
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& titolo,
                                        const std::string& predefinito) override;
    void DoEvents() override;
    void ProgressoApri() override { ++progressoAperto; }
    void ProgressoChiudi() override { ++progressoChiuso; }
    void ProgressoBarra(int valore) override { barre.push_back(valore); }
    void ProgressoEtichette(double integrale, double elaborate, double sistema) override {
        etichette.push_back({integrale, elaborate, sistema});
    }
    void ProgressoAllarme(const std::string& testo) override { allarmi.push_back(testo); }
    void LockGUI() override { ++lock; }
    void UnlockGUI() override { ++unlock; }
    void ViewStatusBar() override { ++statusBar; }

    std::vector<Messaggio> messaggi;
    std::vector<std::string> prompt;
    std::deque<Risposta> risposte;                 // answers to boxes with buttons; default Yes/OK
    std::deque<std::optional<std::string>> input;  // answers to the input box; default cancel
    int64_t yield = 0;
    // Called at every yield with its ordinal (from 1): the tests set the cancel flag here.
    std::function<void(int64_t)> allYield;
    std::vector<int> barre;
    struct Etichette {
        double integrale, elaborate, sistema;
    };
    std::vector<Etichette> etichette;
    std::vector<std::string> allarmi;
    int progressoAperto = 0, progressoChiuso = 0, lock = 0, unlock = 0, statusBar = 0;
};

// A fresh data folder under the system's temporary folder, removed at the end of the test;
// mPathDati points at it for the test's life.
class CartellaTemporanea {
public:
    CartellaTemporanea();
    ~CartellaTemporanea();
    const std::filesystem::path& percorso() const { return percorso_; }
    std::filesystem::path operator/(const std::string& nome) const { return percorso_ / nome; }
    void scrivi(const std::string& nome, const std::string& contenuto) const;

private:
    std::filesystem::path percorso_;
    std::filesystem::path precedente_;
};

// What a run of the command-line tool in this process gave.
struct EsitoCli {
    int codice;
    std::string out, err;
};
// Runs novanta-cli with `argomenti` on the data folder `dati`, in this process.
EsitoCli EseguiCli(const std::filesystem::path& dati, std::vector<std::string> argomenti);

// The whole content of a file ("" when it cannot be read).
std::string LeggiFile(const std::filesystem::path& file);

// Brings the whole state back to start-up values (the base columns and mLenCol too).
void StatoIniziale();

}  // namespace novanta::test
