#include "matrices/ordine_pronostico.h"

#include <algorithm>

#include "core/corpo.h"

namespace novanta {

std::vector<uint8_t> PronosticoDaOrdinare() {
    CaricaPronostico();
    const auto n = std::min<size_t>(mSistema.numPronostico, mSistema.pronostico.size());
    return {mSistema.pronostico.begin(), mSistema.pronostico.begin() + static_cast<std::ptrdiff_t>(n)};
}

bool ScambiaNumeri(std::vector<uint8_t>& numeri, int da, int a) {
    const int n = static_cast<int>(numeri.size());
    if (da == a || da < 0 || a < 0 || da >= n || a >= n) return false;
    std::swap(numeri[static_cast<size_t>(da)], numeri[static_cast<size_t>(a)]);
    return true;
}

std::vector<int> PronosticoCasuale(std::vector<uint8_t>& numeri, uint8_t& coloreCasuale, std::mt19937& caso) {
    std::vector<int> toccate;
    const int n = static_cast<int>(numeri.size());
    if (n < 2) return toccate;
    coloreCasuale = static_cast<uint8_t>((coloreCasuale + 1) % COLORI_CASUALI.size());
    std::uniform_int_distribution<int> posizione(0, n - 1);
    std::vector<bool> vista(static_cast<size_t>(n), false);
    for (int giro = 0; giro < n * 10; ++giro) {
        const int a = posizione(caso);
        int b = posizione(caso);
        while (b == a) b = posizione(caso);
        ScambiaNumeri(numeri, a, b);
        vista[static_cast<size_t>(a)] = vista[static_cast<size_t>(b)] = true;
    }
    for (int i = 0; i < n; ++i)
        if (vista[static_cast<size_t>(i)]) toccate.push_back(i);
    return toccate;
}

bool ScriviOrdinePronostico(std::span<const uint8_t> numeri) {
    if (numeri.size() != mSistema.numPronostico) return false;
    std::array<bool, 91> visto{};
    for (uint8_t v : numeri) {
        if (v < 1 || v > 90 || visto[v] || mGriglia[static_cast<size_t>(v - 1)] != 1) return false;
        visto[v] = true;
    }
    std::copy(numeri.begin(), numeri.end(), mSistema.pronostico.begin());
    return true;
}

}  // namespace novanta
