#pragma once
#include <array>
#include <cstdint>
#include <random>
#include <span>
#include <vector>

namespace novanta {

// The order of the prediction decides which real number takes which abstract number of a matrix.
// These are the rules of the order window; the command line's --numbers order goes through the
// same write-back.

// The colours of the shuffle, cycled one per press (Windows colour values &H00BBGGRR).
inline constexpr std::array<uint32_t, 5> COLORI_CASUALI = {0x00FFFF, 0x80FF80, 0xFF80FF, 0xFFFF80, 0x0080FF};

// The prediction the order window starts from: rebuilt from the grid, ascending.
std::vector<uint8_t> PronosticoDaOrdinare();

// A drop of position `da` onto position `a`: the two numbers change places. A drop on itself or
// outside the list changes nothing (false).
bool ScambiaNumeri(std::vector<uint8_t>& numeri, int da, int a);

// The shuffle: the colour index moves on in the cycle, then size x 10 exchanges of two different
// positions. Returns the positions that took part. With fewer than two numbers there is nothing
// to exchange: nothing changes, not even the colour.
std::vector<int> PronosticoCasuale(std::vector<uint8_t>& numeri, uint8_t& coloreCasuale, std::mt19937& caso);

// Writes an order back into mSistema.pronostico: the numbers must be the marked numbers of the
// grid, each once, as many as numPronostico; otherwise false and the prediction stays as it was.
bool ScriviOrdinePronostico(std::span<const uint8_t> numeri);

}  // namespace novanta
