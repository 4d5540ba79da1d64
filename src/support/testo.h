#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace novanta {

// Letters A..Z and a..z only: names, keys and extensions are compared alike in every locale.
std::string Minuscolo(std::string_view s);
std::string Maiuscolo(std::string_view s);
bool UgualiSenzaCaso(std::string_view a, std::string_view b);

// `s` without the characters of `blanchi` at either end.
std::string_view Rifila(std::string_view s, std::string_view blanchi = " \t");

// The error display "Error " & number & " (" & description & ")".
std::string TestoErrore(int32_t numero, std::string_view descrizione);
// The error-trap text: "Error " & number & " (" & description & ") in procedure NAME of CONTAINER".
std::string TestoErrore(int32_t numero, std::string_view descrizione, std::string_view procedura,
                        std::string_view contenitore);

}  // namespace novanta
