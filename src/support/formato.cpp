#include "support/formato.h"

#include <langinfo.h>
#include <locale.h>
#include <cmath>
#include <cstdio>

namespace novanta {

namespace {
char separatoreCorrente = 0;
}

int64_t ArrotondaPari(double v) {
    // nearbyint follows the current rounding mode, which is round-half-to-even by default.
    return static_cast<int64_t>(std::nearbyint(v));
}

char SeparatoreMigliaia() {
    if (separatoreCorrente == 0) {
        // The user's locale, read without touching the process-wide one.
        char sep = ',';
        if (locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0))) {
            const char* s = nl_langinfo_l(THOUSEP, loc);
            if (s && (s[0] == '.' || s[0] == ',' || s[0] == '\'' || s[0] == ' ') && s[1] == 0) sep = s[0];
            freelocale(loc);
        }
        separatoreCorrente = sep;
    }
    return separatoreCorrente;
}

void ImpostaSeparatoreMigliaia(char separatore) { separatoreCorrente = separatore; }

std::string FormatoMigliaia(double valore) {
    const double arrotondato = std::nearbyint(valore);
    const bool negativo = arrotondato < 0;
    char cifre[64];
    std::snprintf(cifre, sizeof cifre, "%.0f", std::fabs(arrotondato));
    const std::string s(cifre);
    std::string out;
    const char sep = SeparatoreMigliaia();
    const size_t n = s.size();
    for (size_t i = 0; i < n; ++i) {
        out.push_back(s[i]);
        const size_t restanti = n - 1 - i;
        if (restanti > 0 && restanti % 3 == 0) out.push_back(sep);
    }
    return negativo ? "-" + out : out;
}

std::string FormatoMigliaiaZeri(double valore) {
    const double arrotondato = std::nearbyint(valore);
    if (arrotondato > -10 && arrotondato < 10)
        return (arrotondato < 0 ? "-0" : "0") + FormatoMigliaia(std::fabs(arrotondato));
    return FormatoMigliaia(arrotondato);
}

std::string FormatoConteggio(double valore) { return " " + FormatoMigliaia(valore); }

std::string FormatoZeri(int64_t valore, int cifre) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*lld", cifre, static_cast<long long>(valore));
    return buf;
}

}  // namespace novanta
