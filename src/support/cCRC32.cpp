#include "support/cCRC32.h"

#include <zlib.h>

namespace novanta {

uint32_t cCRC32::crc(std::span<const uint8_t> dati) const {
    return static_cast<uint32_t>(crc32_z(0, dati.data(), dati.size()));
}

int32_t cCRC32::GetByteArrayCrc32(std::span<const uint8_t> dati) const { return static_cast<int32_t>(crc(dati)); }

}  // namespace novanta
