// The settings reader and writer: setting a key reads back, and every other line of the file
// stays byte for byte (the bytes the write takes away never hold a line break).
#include <string>
#include <string_view>

#include "settings/classINI.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    using namespace novanta;
    const std::string_view prima(reinterpret_cast<const char*>(dati), n);
    for (const char* chiave : {"LINGUA", "MODALITA' RICALCOLO", "SERVER AGGIORNAMENTI"})
        if (ValoreINI(prima, "IMPOSTAZIONI", chiave, "predefinito", 254).size() > 254) __builtin_trap();
    const std::string dopo = ImpostaValoreINI(prima, "IMPOSTAZIONI", "LINGUA", "english");
    if (ValoreINI(dopo, "IMPOSTAZIONI", "LINGUA", "", 254) != "english") __builtin_trap();
    size_t p = 0;
    while (p < prima.size() && p < dopo.size() && prima[p] == dopo[p]) ++p;
    size_t s = 0;
    while (s < prima.size() - p && s < dopo.size() - p && prima[prima.size() - 1 - s] == dopo[dopo.size() - 1 - s]) ++s;
    const std::string_view tolto = prima.substr(p, prima.size() - p - s);
    if (tolto.find_first_of("\r\n") != std::string_view::npos) __builtin_trap();
    return 0;
}
