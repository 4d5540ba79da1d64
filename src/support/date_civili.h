#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace novanta {

// The calendar day of an OLE Automation date: the whole part counts the days (also below
// zero, where the fraction is still the time of day), so it is the value truncated toward zero.
// Nothing for values that are no date at all (NaN, infinite, outside the years 100..9999).
std::optional<int32_t> GiornoDataOLE(double data);

struct DataCivile {
    int anno = 1899, mese = 12, giorno = 30;
};
DataCivile CivileDaGiornoOLE(int32_t giorno);

// "dd/mm/yyyy", or "" for a value that is no date.
std::string FormatoGGMMAAAA(double data);
// Parses "YYYY-MM-DD" into an OLE date; nothing for an invalid date.
std::optional<double> DataDaISO(const std::string& testo);

}  // namespace novanta
