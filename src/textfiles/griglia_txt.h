#pragma once
#include <string>
#include <vector>

namespace novanta {

// The text that a grid copy puts on the clipboard: the rows between the current and the
// selected row, the columns between the current and the selected column (either corner may
// come first), cells joined by tabs, every row ended by CR LF. Cells outside `celle` are empty.
std::string TestoCopiaGriglia(const std::vector<std::vector<std::string>>& celle, int riga, int colonna, int rigaSel,
                              int colonnaSel);

}  // namespace novanta
