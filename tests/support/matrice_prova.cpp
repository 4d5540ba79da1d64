#include "support/matrice_prova.h"

#include <stdexcept>
#include <string>

namespace novanta::test {

MATRIX_STRUCTURE MatriceProva(uint8_t v, uint8_t k, std::vector<std::vector<uint8_t>> colonne, uint8_t t, uint8_t f) {
    MATRIX_STRUCTURE m;
    m.NUMBERS_OF_MATRIX_V = v;
    m.LENGTH_OF_COLUMN_K = k;
    m.GARANTY_T = t ? t : k;
    m.PICK_UP_NUMBERS_M = k;
    m.FIXED_NUMBERS_OF_MATRIX_F = f;
    if (colonne.empty()) {
        colonne.emplace_back();
        for (uint8_t n = 1; n <= k; ++n) colonne.back().push_back(n);
    }
    m.COLUMNS_OF_MATRIX_C = static_cast<int32_t>(colonne.size());
    m.PERCENTAGE_COVER = "100";
    m.VALID_FROM = OggiOLE() - 1;
    m.VALID_TO = OggiOLE() + 1;
    m.VERSION_ID = FORMATO_MATRICE;
    m.AllocaColonne();
    for (size_t c = 0; c < colonne.size(); ++c)
        for (int p = 1; p <= k; ++p)
            m.COLUMS(static_cast<int32_t>(c + 1), p) = colonne[c].at(static_cast<size_t>(p - 1));
    return m;
}

void ScriviMatriceProva(const std::filesystem::path& file, const MATRIX_STRUCTURE& matrice) {
    std::string errore;
    if (!ScriviMatrice(file, matrice, errore))
        throw std::runtime_error("cannot write " + file.string() + ": " + errore);
}

}  // namespace novanta::test
