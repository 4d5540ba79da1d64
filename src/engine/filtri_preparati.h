#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "core/corpo.h"
#include "engine/maschere.h"

namespace novanta::motore {

// A group filter reduced to what a run needs: its group as a mask and the accepted counts.
struct FiltroPreparato {
    Maschera gruppo;
    uint32_t accettati;  // bit j: j numbers of the group accepted
};

// One of the two group-filter lists, prepared once per run. Filters whose answer cannot change
// for the columns of this run are settled here: an AND filter that accepts every count a column
// can have is dropped, one that accepts none makes the list reject everything; likewise an OR
// filter that accepts every possible count makes the list accept everything. Filters with the
// same group are merged (their accepted counts intersected for AND, joined for OR): the answer
// of a list does not depend on the order of its filters.
struct ListaPreparata {
    std::vector<FiltroPreparato> filtri;
    bool sempreVera = false;
    bool sempreFalsa = false;
};

// In a generation the columns are k distinct numbers of the prediction `universo`; in a
// recalculation (`universo` = 0) they are any stored columns, whose counts run from 0 to k.
ListaPreparata PreparaLista(const TabellaFiltri& lista, int32_t quanti, bool tipoAND, Maschera universo, int k);

// A distance filter reduced to its positions inside the column length.
struct DistanzaPreparata {
    std::vector<int> posizioni;  // gap positions p (1-based) with p < k
    const tFiltroDistanza* filtro;
};
std::vector<DistanzaPreparata> PreparaDistanze(int k);

// The accepted run lengths of the consecutive-numbers condition, by length 1..k.
std::array<bool, 26> EspandiConsecutivi(int k);

}  // namespace novanta::motore
