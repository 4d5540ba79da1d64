// The group-filter reader: no filter may hold a number outside 1..90.
#include <sstream>

#include "textfiles/filtri_txt.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    using namespace novanta;
    std::istringstream in(std::string(reinterpret_cast<const char*>(dati), n));
    std::vector<tFiltroGruppo> filtri;
    bool limite = false;
    std::string messaggio;
    if (LeggiFiltriTxt(in, 0x3FFFFFF, filtri, limite, messaggio)) {
        for (const auto& f : filtri) {
            if (f.numeri[0] != 0 || !f.attivo) __builtin_trap();
            for (uint8_t v : f.numeri)
                if (v > 1) __builtin_trap();
        }
    }
    return 0;
}
