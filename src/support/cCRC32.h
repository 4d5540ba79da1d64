#pragma once
#include <cstdint>
#include <span>

namespace novanta {

// The standard reflected CRC-32 (zlib, PKZIP, IEEE 802.3), used to check matrix files; zlib
// computes it.
class cCRC32 {
public:
    // Returned as a signed 32-bit value, as the matrix trailer stores it.
    int32_t GetByteArrayCrc32(std::span<const uint8_t> dati) const;
    uint32_t crc(std::span<const uint8_t> dati) const;
};

}  // namespace novanta
