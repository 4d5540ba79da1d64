#include "conditions/condizioni.h"

#include <algorithm>

namespace novanta {

bool TestFisse(Colonna colonna, const std::array<uint8_t, 91>& fisse, uint8_t numFisse) {
    int conta = 0;
    for (uint8_t v : colonna)
        if (v <= 90 && fisse[v] == 1) ++conta;
    return conta == numFisse;
}

bool TestSomma(Colonna colonna, const std::array<int16_t, 2>& limiti) {
    int32_t s = 0;
    for (uint8_t v : colonna) s += v;
    return limiti[0] <= s && s <= limiti[1];
}

bool TestPari(Colonna colonna, const std::array<bool, 26>& pari) {
    int e = 0;
    for (uint8_t v : colonna)
        if (v % 2 == 0) ++e;
    return e < 26 && pari[e];
}

int LunghezzaMassimaConsecutivi(Colonna colonna) {
    int run = 1, best = 1;
    for (size_t i = 0; i + 1 < colonna.size(); ++i) {
        if (colonna[i] + 1 == colonna[i + 1]) {
            ++run;
            if (run >= best) best = run;
        } else {
            run = 1;
        }
    }
    return best;
}

bool TestConsecutivi(Colonna colonna, const std::array<bool, 26>& flag) {
    const int best = LunghezzaMassimaConsecutivi(colonna);
    return best < 26 && flag[best];
}

// A filter that measures no gap keeps lo = 89 and hi = 0. The smallest-gap side then reads the
// entry for 89, as it always has; the largest-gap side has no entry for 0, and a gap of 0 is
// never among the accepted values, so such a filter rejects the column whenever a largest gap
// is chosen. Gaps out of 1..89 (only possible on a column that is not ascending) likewise match
// no accepted value.
bool TestDistanza(Colonna colonna, int /*lenCol*/, const tFiltroDistanza& f) {
    const int k = static_cast<int>(colonna.size());
    int lo = 89, hi = 0;
    for (int j = 1; j <= f.numPosizioni && j <= 25; ++j) {
        const int p = f.posizioni[j];
        if (p >= 1 && p < k) {
            const int g = static_cast<int>(colonna[p]) - static_cast<int>(colonna[p - 1]);
            if (g <= lo) lo = g;
            if (g >= hi) hi = g;
        }
    }
    const bool parteMin = f.numDistMin == 0 || (lo >= 1 && lo <= 89 && f.distMin[lo]);
    const bool parteMax = f.numDistMax == 0 || (hi >= 1 && hi <= 89 && f.distMax[hi]);
    return parteMax && parteMin;
}

bool TestFiltroGruppo(Colonna colonna, int lenCol, const tFiltroGruppo& filtro) {
    int j = 0;
    for (int i = 0; i < lenCol && i < static_cast<int>(colonna.size()); ++i) {
        const uint8_t v = colonna[i];
        if (v <= 90 && filtro.numeri[v] == 1) ++j;
    }
    return j < 32 && ((int64_t{1} << j) & filtro.presenze) != 0;
}

// The ON records first and the OFF ones after, each in their old order.
int32_t CompattaFiltri(std::span<tFiltroGruppo> lista) {
    const auto attivo = [](const tFiltroGruppo& f) { return f.attivo; };
    return static_cast<int32_t>(std::stable_partition(lista.begin(), lista.end(), attivo) - lista.begin());
}

int32_t CompattaFiltri(std::span<tFiltroDistanza> lista) {
    const auto attivo = [](const tFiltroDistanza& f) { return f.attivo; };
    return static_cast<int32_t>(std::stable_partition(lista.begin(), lista.end(), attivo) - lista.begin());
}

LimitiSomma LimitiSommaPossibili(std::span<const uint8_t> pronostico, int k) {
    LimitiSomma l;
    const int n = static_cast<int>(pronostico.size());
    if (k < 1 || n < k) return l;
    for (int i = 0; i < k; ++i) {
        l.minimo += pronostico[static_cast<size_t>(i)];
        l.massimo += pronostico[static_cast<size_t>(n - k + i)];
    }
    return l;
}

int MassimoConsecutivi(std::span<const uint8_t> pronostico, int k) {
    int run = 1, best = 1;
    for (size_t i = 0; i + 1 < pronostico.size(); ++i) {
        if (pronostico[i] + 1 == pronostico[i + 1]) {
            ++run;
            if (run >= k) run = k;
            if (run >= best) best = run;
        } else {
            run = 1;
        }
    }
    return best;
}

LimitiDistanza LimitiDistanzaPossibili(std::span<const uint8_t> pronostico, int k) {
    LimitiDistanza l;
    const int n = static_cast<int>(pronostico.size());
    for (int i = 0; i + 1 < n; ++i) {
        const int g = pronostico[static_cast<size_t>(i + 1)] - pronostico[static_cast<size_t>(i)];
        if (g <= l.minimo) l.minimo = g;
    }
    if (k >= 2 && n >= k) l.massimo = pronostico[static_cast<size_t>(n - 1)] - pronostico[static_cast<size_t>(k - 2)];
    return l;
}

int32_t CompattaFiltri(std::vector<tFiltroGruppo>& lista) { return CompattaFiltri(std::span<tFiltroGruppo>(lista)); }

}  // namespace novanta
