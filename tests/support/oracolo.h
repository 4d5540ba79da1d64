#pragma once
#include <array>
#include <cstdint>

#include "engine/motore.h"

// The runs transcribed literally, one combination and one stored column at a time, exactly as
// the program's algorithm reads. Slow and obviously right: the differential tests and the
// benchmarks compare the production engine with it.
namespace novanta::oracolo {

EsitoCalcolo GeneraSistema(uint8_t numPronostico, std::array<uint8_t, 90>& pronostico);
EsitoCalcolo RicalcolaColonne();

}  // namespace novanta::oracolo
