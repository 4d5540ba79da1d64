// The text-matrix reader: what it accepts is a rectangle of numbers 1..V using every one of them.
#include <sstream>

#include "matrices/applica_matrice.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    using namespace novanta;
    std::istringstream in(std::string(reinterpret_cast<const char*>(dati), n));
    MATRIX_STRUCTURE m;
    ErroreLettura errore;
    if (!LeggiMatriceTxt(in, m, errore, 46000)) {
        if (errore.descrizione.empty()) __builtin_trap();
        return 0;
    }
    if (m.LENGTH_OF_COLUMN_K > 25 || m.NUMBERS_OF_MATRIX_V > 90) __builtin_trap();
    for (int32_t c = 1; c <= m.COLUMNS_OF_MATRIX_C; ++c)
        for (int p = 1; p <= m.LENGTH_OF_COLUMN_K; ++p)
            if (m.COLUMS(c, p) < 1 || m.COLUMS(c, p) > m.NUMBERS_OF_MATRIX_V) __builtin_trap();
    return 0;
}
