#include <CLI/CLI.hpp>

#include "cli/cli.h"
#include "cli/opzioni_condizioni.h"

namespace novanta::cli {

// import, matrix, matrices, make-matrix.
void AggiungiComandiFile(CLI::App& /*app*/, Contesto& /*ctx*/) {}

// --base, --and-file, --or-file of generate and recalc.
std::function<bool()> AggiungiOpzioniFileCondizioni(CLI::App& /*sub*/, Contesto& /*ctx*/) { return {}; }

}  // namespace novanta::cli
