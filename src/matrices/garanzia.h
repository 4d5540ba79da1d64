#pragma once
#include <optional>

#include "matrices/matrice.h"

namespace novanta {

// The guarantee a matrix really gives for draws of `estratti` numbers out of 1..V: the least,
// over every such draw, of the most numbers of the draw that a single column holds. Nothing
// when that takes more than `limiteOperazioni` column comparisons (C(V, estratti) x C).
std::optional<int> GaranziaMatrice(const MATRIX_STRUCTURE& matrice, int estratti, double limiteOperazioni = 2e9);

// How many of the numbers 1, 2, 3... stand in every column, up to the first that does not: the
// fixed numbers the matrix can declare (they are the first abstract numbers).
int NumeriFissiMatrice(const MATRIX_STRUCTURE& matrice);

}  // namespace novanta
