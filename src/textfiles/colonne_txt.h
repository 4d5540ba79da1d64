#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>
#include <vector>

#include "core/corpo.h"

namespace novanta {

// Normalises the blanks of a text line: tabs and CR LF pairs become spaces, runs of spaces
// collapse into one, and the ends are trimmed.
std::string PulisciRiga(std::string riga);

// Writes the whole system, one column per line (" 03 14 27 ... " and CR LF), through a
// temporary file renamed over the target. True when the file was written.
bool SalvaColonneTxt(const std::string& nomeFile);

// The columns of a column text file, read and checked as a whole before anything changes.
struct ColonneLette {
    int lenCol = 0;
    int32_t righe = 0;
    std::vector<uint8_t> numeri;  // righe * lenCol numbers, each column ascending
    std::array<bool, 91> presenti{};
};

// Reads a column text file by the rules of the import: blank lines skipped, separators
// space, tab, "-", ",", ";", "."; the first line gives the length (2..25); every number 1..90;
// a line with fewer numbers than the first refused; more than 3,000,000 columns refused.
// On failure returns false with the import's error text (naming the line) in `messaggio`.
bool LeggiColonneTxt(std::istream& in, ColonneLette& risultato, std::string& messaggio);
bool LeggiColonneTxt(const std::filesystem::path& file, ColonneLette& risultato, std::string& messaggio);

// Imports a column text file as the new system. The file is read and checked first: a bad
// file shows the error and leaves the system, the prediction and the conditions as they were.
// Returns true when the system was replaced.
bool ImportaColonneTxt(const std::string& nomeFile);

// Sorts positions da..a (1-based) of column c of the store ascending.
void QuickSortColonna(ArchivioColonne& arr, int32_t colonna, int32_t da, int32_t a);

}  // namespace novanta
