#include "textfiles/numeri_riga.h"

#include "core/corpo.h"

namespace novanta {

namespace {
bool separatore(char c) { return c == ' ' || c == '\t' || c == '-' || c == ',' || c == ';' || c == '.'; }
}  // namespace

bool NumeriDellaRiga(std::string_view riga, std::vector<int>& numeri, ErroreLettura& errore,
                     int64_t limiteConversione) {
    numeri.clear();
    size_t i = 0;
    while (i < riga.size()) {
        while (i < riga.size() && separatore(riga[i])) ++i;
        if (i >= riga.size()) break;
        size_t j = i;
        while (j < riga.size() && !separatore(riga[j])) ++j;
        int64_t valore = 0;
        for (size_t k = i; k < j; ++k) {
            const char c = riga[k];
            if (c < '0' || c > '9') {
                errore = {13, "Type mismatch"};
                return false;
            }
            if (valore <= limiteConversione) valore = valore * 10 + (c - '0');
        }
        if (valore > limiteConversione) {
            errore = {6, "Overflow"};
            return false;
        }
        if (valore < 1 || valore > 90) {
            errore = {ERRORE_APPLICAZIONE, "Number " + std::to_string(valore) + " outside 1..90"};
            return false;
        }
        numeri.push_back(static_cast<int>(valore));
        i = j;
    }
    return true;
}

bool NumeriColonnaRiga(std::string_view riga, std::vector<int>& numeri, ErroreLettura& errore) {
    if (!NumeriDellaRiga(riga, numeri, errore)) return false;
    bool visto[91] = {};
    for (int n : numeri) {
        if (visto[n]) {
            errore = {ERRORE_APPLICAZIONE, "Number " + std::to_string(n) + " appears twice in the column"};
            return false;
        }
        visto[n] = true;
    }
    return true;
}

}  // namespace novanta
