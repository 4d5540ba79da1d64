// The server's version line against this program's version, and against itself.
#include <string>

#include "net/aggiornamenti.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    using namespace novanta;
    const std::string remota(reinterpret_cast<const char*>(dati), n);
    VersioneServerPiuNuova(VersioneLocale(), remota);
    VersioneServerPiuNuova(remota, VersioneLocale());
    if (VersioneServerPiuNuova(remota, remota)) __builtin_trap();
    return 0;
}
