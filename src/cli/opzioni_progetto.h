#pragma once
#include <memory>
#include <optional>
#include <string>

#include "cli/cli.h"

namespace novanta::cli {

// --project and --save of generate and recalc.
struct OpzioniProgetto {
    std::optional<std::string> progetto, salva;
};
std::shared_ptr<OpzioniProgetto> AggiungiOpzioniProgetto(CLI::App& sub);

// Loads the --project file: with `conColonne` the whole work, otherwise its prediction, length
// and conditions (only the conditions when a system is already in memory). A condition or list
// given on the line of `sub` replaces the file's. False after telling why.
bool CaricaProgetto(const OpzioniProgetto& opz, const CLI::App& sub, bool conColonne);
// --save after the run; true when there was nothing to save.
bool SalvaDopoIlCalcolo(Contesto& ctx, const OpzioniProgetto& opz);

}  // namespace novanta::cli
