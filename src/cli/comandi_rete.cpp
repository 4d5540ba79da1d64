#include <CLI/CLI.hpp>

#include "cli/cli.h"

namespace novanta::cli {

// version-check, update-languages, update-matrices, languages.
void AggiungiComandiRete(CLI::App& /*app*/, Contesto& /*ctx*/) {}

}  // namespace novanta::cli
