#include "support/date.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace novanta {

namespace {
// Days from 1970-01-01 to a civil date (proleptic Gregorian).
int64_t giorniDaEpoca(int y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}
constexpr int64_t kEpocaOLE = -25569;  // 1899-12-30 in days from 1970-01-01
}  // namespace

double DataOLE(int anno, int mese, int giorno) {
    return static_cast<double>(giorniDaEpoca(anno, mese, giorno) - kEpocaOLE);
}

double Adesso() {
    const auto ora = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(ora);
    std::tm locale{};
    localtime_r(&t, &locale);
    const double giorno = DataOLE(locale.tm_year + 1900, locale.tm_mon + 1, locale.tm_mday);
    const auto micro = std::chrono::duration_cast<std::chrono::microseconds>(ora.time_since_epoch()).count() % 1000000;
    const double secondi = locale.tm_hour * 3600.0 + locale.tm_min * 60.0 + locale.tm_sec + micro / 1e6;
    return giorno + secondi / 86400.0;
}

}  // namespace novanta
