#include "support/codepage.h"

#include <array>
#include <cstdint>

namespace novanta {

namespace {
// Code points of the bytes 0x80..0x9F; 0 where Windows-1252 leaves the byte undefined.
constexpr std::array<char32_t, 32> kAlti = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void aggiungiUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}
}  // namespace

std::string Cp1252InUtf8(std::string_view testo) {
    std::string out;
    out.reserve(testo.size());
    for (unsigned char b : testo) {
        char32_t cp = b;
        if (b >= 0x80 && b < 0xA0) cp = kAlti[b - 0x80] ? kAlti[b - 0x80] : U'?';
        aggiungiUtf8(out, cp);
    }
    return out;
}

std::string Utf8InCp1252(std::string_view testo) {
    std::string out;
    size_t i = 0;
    while (i < testo.size()) {
        const auto b = static_cast<unsigned char>(testo[i]);
        char32_t cp = 0;
        size_t n = 1;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            n = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            n = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            n = 4;
        } else {
            out.push_back('?');
            ++i;
            continue;
        }
        bool valido = i + n <= testo.size();
        for (size_t k = 1; valido && k < n; ++k) {
            const auto c = static_cast<unsigned char>(testo[i + k]);
            if ((c & 0xC0) != 0x80) valido = false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!valido) {
            out.push_back('?');
            ++i;
            continue;
        }
        i += n;
        char byte = '?';
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            byte = static_cast<char>(cp);
        } else {
            for (size_t k = 0; k < kAlti.size(); ++k)
                if (kAlti[k] == cp) byte = static_cast<char>(0x80 + k);
        }
        out.push_back(byte);
    }
    return out;
}

}  // namespace novanta
