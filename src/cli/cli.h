#pragma once
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/interfaccia.h"

namespace CLI {
class App;
}

namespace novanta::cli {

// Exit codes of the tool.
constexpr int ESITO_OK = 0;
constexpr int ESITO_ERRORE = 1;
constexpr int ESITO_USO = 2;
constexpr int ESITO_VERSIONE_NUOVA = 3;
constexpr int ESITO_TAGLIATO = 4;  // a limit cut the input or the result; the output is still written
constexpr int ESITO_ANNULLATO = 130;

// The face of the command line: messages go to the error stream, questions are answered
// from a queue of scripted answers (or Yes/OK), Ctrl+C becomes the cancel button.
class InterfacciaCli : public Interfaccia {
public:
    explicit InterfacciaCli(std::ostream& err) : err_(err) {}
    Risposta MsgBox(const std::string& testo, Pulsanti pulsanti, Icona icona, const std::string& titolo) override;
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& titolo,
                                        const std::string& predefinito) override;
    void DoEvents() override;
    void ProgressoApri() override;
    void ProgressoChiudi() override;
    void ProgressoBarra(int valore) override;
    void ProgressoAggiornamento(const std::string& nome, size_t numero, size_t totale) override;
    // The optimiser: one line each time the best size falls.
    void OttimizzazioneProgresso(int32_t migliore, int32_t corrente, double scoperte, double secondi) override;

    // Answers for the input box, in order (the matrix's fixed numbers).
    std::vector<std::string> risposteInput;
    bool barraProgresso = false;

private:
    std::ostream& err_;
    int ultimaBarra_ = -1;
    int32_t ultimoMigliore_ = -1;
    bool barraAperta_ = false;
};

// What every command shares: the streams and the exit code it sets.
struct Contesto {
    std::ostream& out;
    std::ostream& err;
    InterfacciaCli& ui;
    int esito = ESITO_OK;
    std::string cartellaDati;  // --data
    bool tagliato = false;     // a limit cut the input or the result: a success becomes exit 4
};

// Says on the error stream which limit cut the input or the result, and marks it for the exit code.
void SegnalaTaglio(Contesto& ctx, const std::string& testo);

// Each group of commands adds its subcommands to the application.
void AggiungiComandiMotore(CLI::App& app, Contesto& ctx);
void AggiungiComandiFile(CLI::App& app, Contesto& ctx);
void AggiungiComandiRete(CLI::App& app, Contesto& ctx);
void AggiungiComandiAnalisi(CLI::App& app, Contesto& ctx);
void AggiungiComandiProgetto(CLI::App& app, Contesto& ctx);

// Prepares the data folder named by --data (or the default one) before a command runs.
void PreparaCartellaDati(Contesto& ctx);

// Parses a LIST: comma-separated numbers and ranges (1-20,33,45); empty or "none" is the empty set.
// Throws std::invalid_argument naming the offending item.
std::vector<int> LeggiLista(const std::string& testo);

// LeggiLista for an option: every number within minimo..massimo; the error names the option.
std::vector<int> LeggiListaOpzione(const std::string& opzione, const std::string& testo, int minimo, int massimo);

// Writes the system in the column text format to the output stream, or (through a temporary
// file) to `file` when one is given.
bool ScriviSistema(Contesto& ctx, const std::optional<std::string>& file);

// Runs the tool; returns the exit code. Tests call it with their own streams.
int EseguiCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace novanta::cli
