// An update list from the server: its lines, the names it may give and the cut at the cap.
#include <string_view>

#include "net/aggiornamenti.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    using namespace novanta;
    const std::string_view testo(reinterpret_cast<const char*>(dati), n);
    bool tagliata = false;
    const auto righe = RigheLista(testo, 50, &tagliata);
    if (righe.size() > 50 || (tagliata && righe.size() != 50)) __builtin_trap();
    for (const auto& r : righe) {
        if (r.empty() || r.find('\n') != std::string::npos || r.back() == '\r' || r.back() == ' ') __builtin_trap();
        if (NomeFileValido(r) && (r.find('/') != std::string::npos || r.find("..") != std::string::npos || r[0] == '.'))
            __builtin_trap();
    }
    return 0;
}
