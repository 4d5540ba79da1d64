#pragma once
#include <cstdint>
#include <fstream>
#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "core/corpo.h"
#include "support/errore_lettura.h"

namespace novanta {

// One line of a group-filter file as an ON filter: the group is the set of numbers on the
// line (order and repeats do not matter), the accepted counts are `presenze`. A token that is
// not a number 1..90 is refused: false, with the failure in `errore`, and `filtro` empty.
bool StringToFiltro(const std::string& riga, int32_t presenze, tFiltroGruppo& filtro, ErroreLettura& errore);

// Told while a filter file is read: the filters read so far and the share of the file (0..100).
using AvanzamentoFiltri = std::function<void(int32_t filtri, int percento)>;

// Reads a whole group-filter file: one filter per non-empty line, at most 150,000 (`limite`
// tells that the file held more, and the reading stopped there). False with the error text of
// the import, naming the line, in `messaggio`.
bool LeggiFiltriTxt(std::istream& in, int32_t presenze, std::vector<tFiltroGruppo>& filtri, bool& limite,
                    std::string& messaggio, const AvanzamentoFiltri& avanzamento = {});

// Opens a group-filter file for reading; false with the import's error text in `messaggio` when
// it is missing or not a regular file.
bool ApriFileFiltri(const std::string& nomeFile, std::ifstream& in, std::string& messaggio);

// Fills `lista` from the file: it is read and checked as a whole first, then the list is
// erased and the filters stored as records 1..n. Returns n; on failure shows the error and
// returns nothing, with the list as it was.
std::optional<int32_t> loadFileToFilters(TabellaFiltri& lista, const std::string& nomeFile, int32_t presenze,
                                         const AvanzamentoFiltri& avanzamento = {});

// The confirmed import of the import window: tipoFiltro 0 fills the AND list, any other value
// the OR list, and sets its count. False (list and count unchanged) when the file was refused.
bool ImportaFiltriGruppo(int32_t tipoFiltro, const std::string& nomeFile, int32_t presenze,
                         const AvanzamentoFiltri& avanzamento = {});

}  // namespace novanta
