// The past-draw reader and the typed-draw reader: whatever they accept is a list of distinct
// numbers 1..90 with a valid date or none.
#include <sstream>

#include "analysis/estrazioni.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    using namespace novanta::analisi;
    const std::string testo(reinterpret_cast<const char*>(dati), n);
    auto controlla = [](const std::vector<uint8_t>& numeri) {
        bool visto[91] = {};
        if (numeri.empty()) __builtin_trap();
        for (uint8_t v : numeri) {
            if (v < 1 || v > 90 || visto[v]) __builtin_trap();
            visto[v] = true;
        }
    };
    std::istringstream in(testo);
    std::vector<Estrazione> estrazioni;
    novanta::ErroreLettura errore;
    if (LeggiEstrazioni(in, estrazioni, errore)) {
        for (const auto& e : estrazioni) {
            controlla(e.numeri);
            if (!e.data.empty() && (e.data.size() != 10 || e.data[4] != '-')) __builtin_trap();
        }
    } else if (errore.descrizione.empty() && !estrazioni.empty()) {
        __builtin_trap();
    }
    std::vector<uint8_t> numeri;
    std::string motivo;
    if (LeggiEstrazione(testo.substr(0, 512), numeri, motivo)) controlla(numeri);
    return 0;
}
