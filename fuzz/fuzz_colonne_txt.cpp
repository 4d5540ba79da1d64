// The column text readers: the import's checked reader and the base-column reader.
#include <sstream>

#include "textfiles/colonne_txt.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    using namespace novanta;
    const std::string testo(reinterpret_cast<const char*>(dati), n);
    {
        std::istringstream in(testo);
        ColonneLette letto;
        std::string messaggio;
        if (LeggiColonneTxt(in, letto, messaggio)) {
            if (letto.righe > 0 && (letto.lenCol < 2 || letto.lenCol > 25)) __builtin_trap();
            if (letto.numeri.size() != static_cast<size_t>(letto.righe) * static_cast<size_t>(letto.lenCol))
                __builtin_trap();
            // Every column holds distinct numbers 1..90, ascending.
            for (size_t i = 0; i < letto.numeri.size(); ++i) {
                const uint8_t v = letto.numeri[i];
                if (v < 1 || v > 90) __builtin_trap();
                if (i % static_cast<size_t>(letto.lenCol) != 0 && letto.numeri[i - 1] >= v) __builtin_trap();
            }
        }
    }
    std::istringstream in(testo);
    const auto colonne = LoadTxtToColonneArray(in, 3000);
    for (const auto& c : colonne) {
        if (c.lunghezza > 25) __builtin_trap();
        bool visto[91] = {};
        for (int p = 1; p <= c.lunghezza; ++p) {
            const uint8_t v = c.numeri[static_cast<size_t>(p)];
            if (v < 1 || v > 90 || visto[v]) __builtin_trap();
            visto[v] = true;
        }
        ColonnaToString(c.numeri, 1);
    }
    return 0;
}
