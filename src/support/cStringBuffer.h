#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace novanta {

// Growable text builder: the room grows in whole steps of 1000 characters, and always by at
// least what is missing, so long texts are assembled without one allocation per piece.
class cStringBuffer {
public:
    void Add(std::string_view strAddString);
    std::string toString() const { return stringa.substr(0, static_cast<size_t>(lunghezza)); }
    void clear() { lunghezza = 0; }

    int32_t dimensioneCorrente() const { return dimensione; }
    int32_t lunghezzaCorrente() const { return lunghezza; }

private:
    std::string stringa;
    int32_t dimensione = 0;
    int32_t lunghezza = 0;
    static constexpr int32_t passo = 1000;
};

}  // namespace novanta
