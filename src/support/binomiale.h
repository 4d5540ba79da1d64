#pragma once
#include <cstdint>

namespace novanta {

// Pascal's triangle up to 90 (the numbers of the game), each entry held at UINT64_MAX once it
// no longer fits: the subset ranks of the reductions and the analysis read it directly.
struct TabellaBinomiali {
    uint64_t c[91][91];
    TabellaBinomiali();
};
const TabellaBinomiali& Binomiali();

// C(n, r) for 0 <= n <= 90: exact while it fits 64 bits, UINT64_MAX past that; 0 when r < 0,
// r > n or n is outside 0..90.
uint64_t Binomiale(int n, int r);
// C(n, r) exact for every n <= 90 (the largest, C(90, 45), is about 1.1e26); 0 when r < 0 or r > n.
unsigned __int128 Binomiale128(int n, int r);

}  // namespace novanta
