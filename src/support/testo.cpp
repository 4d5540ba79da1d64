#include "support/testo.h"

namespace novanta {

namespace {
char minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
}  // namespace

std::string Minuscolo(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = minuscola(c);
    return out;
}

std::string Maiuscolo(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
}

bool UgualiSenzaCaso(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (minuscola(a[i]) != minuscola(b[i])) return false;
    return true;
}

std::string_view Rifila(std::string_view s, std::string_view blanchi) {
    const auto inizio = s.find_first_not_of(blanchi);
    if (inizio == std::string_view::npos) return {};
    return s.substr(inizio, s.find_last_not_of(blanchi) - inizio + 1);
}

std::string TestoErrore(int32_t numero, std::string_view descrizione) {
    return "Error " + std::to_string(numero) + " (" + std::string(descrizione) + ")";
}

std::string TestoErrore(int32_t numero, std::string_view descrizione, std::string_view procedura,
                        std::string_view contenitore) {
    return TestoErrore(numero, descrizione) + " in procedure " + std::string(procedura) + " of " +
           std::string(contenitore);
}

}  // namespace novanta
