#include "support/date_civili.h"

#include <cmath>
#include <cstdio>

#include "support/date.h"

namespace novanta {

namespace {
// OLE days of 1 January 100 and 31 December 9999, the range of a Date.
constexpr double kPrimoGiorno = -657434.0;
constexpr double kUltimoGiorno = 2958465.0;
}  // namespace

std::optional<int32_t> GiornoDataOLE(double data) {
    if (!std::isfinite(data)) return std::nullopt;
    const double giorno = std::trunc(data);
    if (giorno < kPrimoGiorno || giorno > kUltimoGiorno) return std::nullopt;
    return static_cast<int32_t>(giorno);
}

DataCivile CivileDaGiornoOLE(int32_t giorno) {
    // Days from 1970-01-01, then the civil date (proleptic Gregorian).
    int64_t z = static_cast<int64_t>(giorno) - 25569 + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2));
    return {y, m, d};
}

std::string FormatoGGMMAAAA(double data) {
    const auto g = GiornoDataOLE(data);
    if (!g) return "";
    const DataCivile c = CivileDaGiornoOLE(*g);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", c.giorno, c.mese, c.anno);
    return buf;
}

std::optional<double> DataDaISO(const std::string& testo) {
    int a = 0, m = 0, g = 0;
    char resto = 0;
    if (testo.size() != 10) return std::nullopt;
    // sscanf alone would take " 2024-1-05" or "+100-01-01": only digits and the two dashes pass.
    for (size_t i = 0; i < testo.size(); ++i)
        if ((i == 4 || i == 7) ? testo[i] != '-' : (testo[i] < '0' || testo[i] > '9')) return std::nullopt;
    if (std::sscanf(testo.c_str(), "%4d-%2d-%2d%c", &a, &m, &g, &resto) != 3) return std::nullopt;
    if (a < 100 || a > 9999 || m < 1 || m > 12 || g < 1) return std::nullopt;
    static const int giorniMese[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool bisestile = (a % 4 == 0 && a % 100 != 0) || a % 400 == 0;
    const int ultimo = giorniMese[m - 1] + (m == 2 && bisestile ? 1 : 0);
    if (g > ultimo) return std::nullopt;
    return DataOLE(a, m, g);
}

}  // namespace novanta
