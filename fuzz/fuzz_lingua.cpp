// The language file reader (both readers: the INI one and the scanner of large files) and the
// check a downloaded language file passes before it is installed.
#include <string_view>

#include "net/aggiornamenti.h"
#include "settings/multiLanguage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    using namespace novanta;
    const std::string_view testo(reinterpret_cast<const char*>(dati), n);
    for (const char* chiave : {"0053", "0001", "cmdSalva.Caption", "lblMatrix(3).Caption"}) {
        for (const char* sezione : {"Strings", "frmMAIN", "frmMatr"}) {
            if (LeggiINITesto(testo, sezione, chiave).size() > MAX_VALORE_LINGUA) __builtin_trap();
        }
    }
    // What the check accepts gives every message the program shows.
    if (ControllaLingua(testo).empty()) {
        if (testo.find('\0') != std::string_view::npos) __builtin_trap();
    }
    return 0;
}
