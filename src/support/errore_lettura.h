#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "support/testo.h"

namespace novanta {

// A failure met while reading a file: the run-time error number and its description, as the
// error traps of the readers show them (53 file not found, 75 path/file access, 13 type
// mismatch, 6 overflow, or the application's own -2147211504). Every file reader of the core
// reports its refusals this way.
struct ErroreLettura {
    int32_t numero = 0;
    std::string descrizione;
};

// The error display "Error " & number & " (" & description & ")".
inline std::string TestoErrore(const ErroreLettura& e) { return TestoErrore(e.numero, e.descrizione); }
// The error-trap text, naming the procedure and its container.
inline std::string TestoErrore(const ErroreLettura& e, std::string_view procedura, std::string_view contenitore) {
    return TestoErrore(e.numero, e.descrizione, procedura, contenitore);
}

}  // namespace novanta
