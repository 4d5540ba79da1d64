#pragma once
#include <cstdint>

namespace novanta {

// Dates as the program stores them: days since 30 December 1899, the time of day as fraction.
double DataOLE(int anno, int mese, int giorno);
// The current local date and time.
double Adesso();
}  // namespace novanta
