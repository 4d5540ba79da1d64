#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/errore_lettura.h"

namespace novanta {

// Splits a cleaned line at the separators of the column text format (space, tab, "-", ",", ";",
// ".") into numbers 1..90. An empty token next to a separator is skipped. A token that is not
// a number is a type mismatch (13); one above `limiteConversione` (255 where the program
// converts to a Byte) an overflow (6); 0 or a number above 90 the application's own error.
bool NumeriDellaRiga(std::string_view riga, std::vector<int>& numeri, ErroreLettura& errore,
                     int64_t limiteConversione = 255);

// The numbers of one column line: NumeriDellaRiga, and a number that appears twice is refused
// (a column holds each number once). Every reader of columns goes through here.
bool NumeriColonnaRiga(std::string_view riga, std::vector<int>& numeri, ErroreLettura& errore);

}  // namespace novanta
