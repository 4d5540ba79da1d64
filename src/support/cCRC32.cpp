#include "support/cCRC32.h"

namespace novanta {

cCRC32::cCRC32() {
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int j = 0; j < 8; ++j) c = (c & 1u) ? (c >> 1) ^ 0xEDB88320u : (c >> 1);
        tabella[i] = c;
    }
}

uint32_t cCRC32::crc(std::span<const uint8_t> dati) const {
    uint32_t c = 0xFFFFFFFFu;
    for (uint8_t b : dati) c = tabella[(c ^ b) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

int32_t cCRC32::GetByteArrayCrc32(std::span<const uint8_t> dati) const {
    return static_cast<int32_t>(crc(dati));
}

}  // namespace novanta
