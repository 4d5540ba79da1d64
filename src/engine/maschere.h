#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Sets of numbers 1..90 as 128-bit masks (bit v stands for number v), and an index of the
// subsets of the kept columns for the reduction tests.
namespace novanta::motore {

using Maschera = unsigned __int128;

// Bit v, from a table: a 128-bit shift by a variable count costs several branches.
struct TabellaBit {
    Maschera bit[128];
    constexpr TabellaBit() : bit() {
        for (unsigned v = 0; v < 128; ++v) bit[v] = Maschera{1} << v;
    }
};
inline constexpr TabellaBit kTabellaBit{};
inline Maschera Bit(unsigned v) { return kTabellaBit.bit[v & 127]; }
inline int Conta(Maschera m) {
    return __builtin_popcountll(static_cast<uint64_t>(m)) + __builtin_popcountll(static_cast<uint64_t>(m >> 64));
}
// The smallest number in a non-empty mask.
inline int Primo(Maschera m) {
    const auto basso = static_cast<uint64_t>(m);
    return basso ? __builtin_ctzll(basso) : 64 + __builtin_ctzll(static_cast<uint64_t>(m >> 64));
}
// Numbers v with lo <= v <= hi (empty when lo > hi); lo, hi clamped to 0..127.
Maschera Intervallo(int lo, int hi);

// Open-addressing map from a non-empty set of numbers to a set of numbers, grown by doubling.
class MappaSottoinsiemi {
public:
    MappaSottoinsiemi();
    // map[chiave] |= valore
    void Unisci(Maschera chiave, Maschera valore);
    Maschera Trova(Maschera chiave) const;
    size_t size() const { return usate_; }
    void clear();

private:
    struct Voce {
        Maschera chiave;
        Maschera valore;
    };
    static uint64_t hash(Maschera m) {
        uint64_t h = static_cast<uint64_t>(m) ^ (static_cast<uint64_t>(m >> 64) * 0xC2B2AE3D27D4EB4Full);
        h ^= h >> 33;
        h *= 0xFF51AFD7ED558CCDull;
        h ^= h >> 33;
        return h;
    }
    void cresci();
    std::vector<Voce> voci_;
    size_t usate_ = 0;
    size_t maschera_ = 0;
};

}  // namespace novanta::motore
