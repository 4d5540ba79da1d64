// The check of a downloaded matrix file: what it lets in is a file the matrix reader takes with
// a matching CRC.
#include <string_view>

#include "matrices/matrice.h"
#include "net/aggiornamenti.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    using namespace novanta;
    if (!ControllaMatriceScaricata(std::string_view(reinterpret_cast<const char*>(dati), n)).empty()) return 0;
    const std::span<const uint8_t> byte(dati, n);
    if (!VerificaCRCMatrice(byte) || !FormatoMatriceValido(LeggiTestataMatrice(byte))) __builtin_trap();
    MATRIX_STRUCTURE m;
    ErroreLettura errore;
    LeggiMatrice(byte, m, errore);
    return 0;
}
