#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

#include "matrices/matrice.h"

namespace novanta::test {

// A well-formed matrix for the tests: numbers 1..v in columns of k, guarantee t (k when 0),
// M = k, f fixed numbers, cover "100", the format tag, valid from yesterday to tomorrow. The
// columns hold abstract numbers; none given means one column 1..k.
MATRIX_STRUCTURE MatriceProva(uint8_t v, uint8_t k, std::vector<std::vector<uint8_t>> colonne = {}, uint8_t t = 0,
                              uint8_t f = 0);

// Writes a matrix file; a file that cannot be written throws, so the test stops there.
void ScriviMatriceProva(const std::filesystem::path& file, const MATRIX_STRUCTURE& matrice);

}  // namespace novanta::test
