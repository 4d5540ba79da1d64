// The system file reader over arbitrary bytes: a refused file or a work whose every number and
// count is within the program's limits.
#include "progetto/progetto.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    using namespace novanta;
    Lavoro l;
    ErroreLettura errore;
    if (!LeggiProgetto(std::span<const uint8_t>(dati, n), l, errore)) {
        if (errore.descrizione.empty()) __builtin_trap();
        return 0;
    }
    if (l.lenCol < LEN_COL_MIN || l.lenCol > LEN_COL_MAX || l.pronostico.size() > 90) __builtin_trap();
    if (l.colonne.size() != static_cast<size_t>(l.nColonne) * static_cast<size_t>(l.larghezza)) __builtin_trap();
    if (l.filtriAND.size() > MAX_FILTRI || l.filtriOR.size() > MAX_FILTRI ||
        l.numFiltriAND > static_cast<int32_t>(l.filtriAND.size()))
        __builtin_trap();
    for (uint8_t v : l.colonne)
        if (v > 90) __builtin_trap();
    for (uint8_t v : l.pronostico)
        if (v < 1 || v > 90) __builtin_trap();
    return 0;
}
