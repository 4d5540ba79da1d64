#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace novanta::cli {

// The condition options shared by generate and recalc.
struct OpzioniCondizioni {
    std::optional<std::string> fisse, somma, pari, consecutivi;
    std::vector<std::string> filtriAND, filtriOR, distanze;
    std::optional<int> nx, distanzaMinima;

    void aggiungi(CLI::App& sub);
    // Writes the conditions into the state; throws std::invalid_argument naming the option.
    void applica() const;
};

// The options of generate/recalc that read files (--base, --and-file, --or-file). The returned
// function loads them into the state just before the run; false (after telling why) refuses it.
std::function<bool()> AggiungiOpzioniFileCondizioni(CLI::App& sub, Contesto& ctx);

}  // namespace novanta::cli
