#pragma once
#include <string>
#include <vector>

namespace novanta {

// The text that a grid copy puts on the clipboard: the rows between the current and the
// selected row, the columns between the current and the selected column (either corner may
// come first), cells joined by tabs, every row ended by CR LF. Cells outside `celle` are empty.
std::string TestoCopiaGriglia(const std::vector<std::vector<std::string>>& celle, int riga, int colonna, int rigaSel,
                              int colonnaSel);

// Sorts rows rigaDa..rigaA of the cells by column `colonna`, ascending in the grid's generic
// order: two numbers compare as numbers, anything else as text. Rows of equal keys keep their
// order.
void OrdinaCelleGriglia(std::vector<std::vector<std::string>>& celle, int colonna, int rigaDa, int rigaA);

}  // namespace novanta
