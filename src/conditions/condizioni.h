#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace novanta {

constexpr int MAX_FILTRI_DISTANZA = 25;
constexpr int32_t MAX_FILTRI = 150000;

// Arrays indexed by number (1..90), gap (1..89) or count (0..25) keep the program's own
// indexes: element 0 of a 1-based table is unused.

// One number-distance filter: chosen gap positions, accepted smallest and largest gaps.
struct tFiltroDistanza {
    uint8_t numPosizioni = 0;
    std::array<uint8_t, 26> posizioni{};  // 1..numPosizioni used, ascending, each 1..24
    uint8_t numDistMin = 0;
    std::array<bool, 90> distMin{};  // 1..89
    uint8_t numDistMax = 0;
    std::array<bool, 90> distMax{};  // 1..89
    bool attivo = false;
    bool operator==(const tFiltroDistanza&) const = default;
};

// One group filter: a group of numbers and the accepted counts of column numbers in it.
struct tFiltroGruppo {
    std::array<uint8_t, 91> numeri{};  // numeri[n] = 1: n belongs to the group (1..90)
    int32_t presenze = 0;              // bit j: exactly j numbers of the group are accepted
    bool attivo = false;
};

// A column is the k numbers of a candidate (0-based here, k = its size).
using Colonna = std::span<const uint8_t>;

bool TestFisse(Colonna colonna, const std::array<uint8_t, 91>& fisse, uint8_t numFisse);
bool TestSomma(Colonna colonna, const std::array<int16_t, 2>& limiti);
bool TestPari(Colonna colonna, const std::array<bool, 26>& pari);
// flag[j], j = 1..k: a longest run of length j is accepted.
bool TestConsecutivi(Colonna colonna, const std::array<bool, 26>& flag);
bool TestDistanza(Colonna colonna, int lenCol, const tFiltroDistanza& filtro);
bool TestFiltroGruppo(Colonna colonna, int lenCol, const tFiltroGruppo& filtro);

// Longest run of consecutive numbers of a column (1..k).
int LunghezzaMassimaConsecutivi(Colonna colonna);

// Moves the ON records of a list to its head, keeping their order, and returns their count.
int32_t CompattaFiltri(std::vector<tFiltroGruppo>& lista);
int32_t CompattaFiltri(std::span<tFiltroGruppo> lista);
// The same for the distance filters (records 1..25 passed as a span of 25).
int32_t CompattaFiltri(std::span<tFiltroDistanza> lista);

// What k numbers of a prediction (ascending) can give; a prediction of fewer than k numbers
// gives zeros.
struct LimitiSomma {
    int32_t minimo = 0;   // the k smallest numbers
    int32_t massimo = 0;  // the k largest numbers
};
LimitiSomma LimitiSommaPossibili(std::span<const uint8_t> pronostico, int k);

// The longest run of consecutive numbers in a prediction (ascending), capped at k.
int MassimoConsecutivi(std::span<const uint8_t> pronostico, int k);

// The gaps a column of k prediction numbers (ascending) can show between neighbours: at least the
// smallest gap of the prediction (90 when it has one number), at most the largest number minus
// the (k-1)-th smallest. Distances outside them can never be measured.
struct LimitiDistanza {
    int minimo = 90;
    int massimo = 0;
};
LimitiDistanza LimitiDistanzaPossibili(std::span<const uint8_t> pronostico, int k);

}  // namespace novanta
