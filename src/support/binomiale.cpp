#include "support/binomiale.h"

#include <algorithm>
#include <limits>

namespace novanta {

TabellaBinomiali::TabellaBinomiali() : c() {
    constexpr uint64_t kSaturo = std::numeric_limits<uint64_t>::max();
    for (int n = 0; n <= 90; ++n) {
        c[n][0] = 1;
        for (int r = 1; r <= n; ++r) {
            const uint64_t a = c[n - 1][r - 1], b = c[n - 1][r];
            c[n][r] = (a == kSaturo || b == kSaturo || a > kSaturo - b) ? kSaturo : a + b;
        }
    }
}

const TabellaBinomiali& Binomiali() {
    static const TabellaBinomiali tabella;
    return tabella;
}

uint64_t Binomiale(int n, int r) {
    if (n < 0 || n > 90 || r < 0 || r > n) return 0;
    return Binomiali().c[n][r];
}

unsigned __int128 Binomiale128(int n, int r) {
    if (n < 0 || r < 0 || r > n) return 0;
    r = std::min(r, n - r);
    unsigned __int128 c = 1;
    // Each partial product is C(n - r + i, i), a whole number, and stays below 2^128 for n <= 90.
    for (int i = 1; i <= r; ++i) c = c * static_cast<unsigned>(n - r + i) / static_cast<unsigned>(i);
    return c;
}

}  // namespace novanta
