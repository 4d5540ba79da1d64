#pragma once
#include <string>
#include <vector>

#include "core/corpo.h"

namespace novanta {

// The import of the base-column window: reads the file into a fresh list (at most 2,000
// columns, the limit box beyond), checks that its first column is as long as the columns of
// the system, and only then replaces mColonneBase / mNumColonneBase. A file that cannot be read
// or whose first column has another length shows its message and leaves the base columns the
// user had. mColonneBaseAttive is not touched. True when the list was replaced.
bool ImportaColonneBase(const std::string& nomeFile);

// The cells of the base-column grid: row 0 "N.", "P1".."Pk" (only when there are base columns),
// then one row per base column with its number and its numbers in file order as two digits.
std::vector<std::vector<std::string>> CelleColonneBase();

// The caption of the base-column counter: the count with thousands separators, "" for none.
std::string EtichettaNumColonneBase();

}  // namespace novanta
