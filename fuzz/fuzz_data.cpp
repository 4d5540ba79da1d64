// The date parser of the command line (--valid-from, --valid-to): only YYYY-MM-DD of a real day
// passes, and it reads back as the same day.
#include <cctype>
#include <string>

#include "support/date_civili.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    using namespace novanta;
    const std::string testo(reinterpret_cast<const char*>(dati), n);
    const auto d = DataDaISO(testo);
    if (!d) return 0;
    for (size_t i = 0; i < 10; ++i)
        if ((i == 4 || i == 7) ? testo[i] != '-' : !std::isdigit(static_cast<unsigned char>(testo[i])))
            __builtin_trap();
    if (FormatoGGMMAAAA(*d) != testo.substr(8, 2) + "/" + testo.substr(5, 2) + "/" + testo.substr(0, 4))
        __builtin_trap();
    return 0;
}
