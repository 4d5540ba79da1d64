#include "support/lingua_prova.h"

#include <cstdio>
#include <string>

#include "settings/multiLanguage.h"

namespace novanta::test {

void ScriviLinguaProva(const CartellaTemporanea& cartella) {
    cartella.scrivi("qiv.ini", "[IMPOSTAZIONI]\r\nLINGUA=Prova\r\n");
    std::string lng = "[Strings]\r\n";
    for (int i = 1; i <= 64; ++i) {
        char id[8];
        std::snprintf(id, sizeof id, "%04d", i);
        lng += std::string(id) + "=M" + id + "\r\n";
    }
    // The newer messages take parameters: they show where they go.
    for (int i = 160; i <= 189; ++i) lng += "0" + std::to_string(i) + "=M0" + std::to_string(i) + " %1 %2\r\n";
    cartella.scrivi("Prova.lng", lng);
    mLinguaCorrente.clear();
}

}  // namespace novanta::test
