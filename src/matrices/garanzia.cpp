#include "matrices/garanzia.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "support/binomiale.h"

namespace novanta {

namespace {

// The numbers 1..90 as two 64-bit words.
struct Maschera {
    uint64_t basso = 0, alto = 0;
    void aggiungi(int n) {
        if (n >= 1 && n <= 90) (n <= 64 ? basso : alto) |= uint64_t{1} << ((n - 1) % 64);
    }
    int comuni(const Maschera& altra) const {
        return std::popcount(basso & altra.basso) + std::popcount(alto & altra.alto);
    }
};

}  // namespace

std::optional<int> GaranziaMatrice(const MATRIX_STRUCTURE& m, int estratti, double limiteOperazioni) {
    const int v = m.NUMBERS_OF_MATRIX_V;
    const int32_t c = m.COLUMNS_OF_MATRIX_C;
    if (!m.colonneAllocate() || c <= 0 || estratti < 0 || estratti > v || v > 90) return std::nullopt;
    if (static_cast<double>(Binomiale128(v, estratti)) * c > limiteOperazioni) return std::nullopt;
    std::vector<Maschera> colonne(static_cast<size_t>(c));
    for (int32_t col = 1; col <= c; ++col)
        for (int p = 1; p <= m.LENGTH_OF_COLUMN_K; ++p)
            colonne[static_cast<size_t>(col - 1)].aggiungi(m.COLUMS(col, p));
    // Every draw in lexicographic order; a column that already reaches the best (least) value
    // found so far ends the draw early, since it cannot lower it.
    int minimo = std::min(estratti, static_cast<int>(m.LENGTH_OF_COLUMN_K));
    std::vector<int> scelta(static_cast<size_t>(estratti));
    for (int i = 0; i < estratti; ++i) scelta[static_cast<size_t>(i)] = i + 1;
    for (;;) {
        Maschera estrazione;
        for (int n : scelta) estrazione.aggiungi(n);
        int massimo = 0;
        for (const auto& col : colonne) {
            massimo = std::max(massimo, col.comuni(estrazione));
            if (massimo >= minimo) break;
        }
        minimo = std::min(minimo, massimo);
        if (minimo == 0) return 0;
        int i = estratti - 1;
        while (i >= 0 && scelta[static_cast<size_t>(i)] == v - estratti + i + 1) --i;
        if (i < 0) break;
        ++scelta[static_cast<size_t>(i)];
        for (int j = i + 1; j < estratti; ++j) scelta[static_cast<size_t>(j)] = scelta[static_cast<size_t>(j - 1)] + 1;
    }
    return minimo;
}

int NumeriFissiMatrice(const MATRIX_STRUCTURE& m) {
    if (!m.colonneAllocate() || m.COLUMNS_OF_MATRIX_C <= 0) return 0;
    int f = 0;
    for (int n = 1; n <= m.NUMBERS_OF_MATRIX_V; ++n) {
        for (int32_t col = 1; col <= m.COLUMNS_OF_MATRIX_C; ++col) {
            bool presente = false;
            for (int p = 1; p <= m.LENGTH_OF_COLUMN_K; ++p) presente = presente || m.COLUMS(col, p) == n;
            if (!presente) return f;
        }
        f = n;
    }
    return f;
}

}  // namespace novanta
