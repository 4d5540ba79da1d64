#include <gtest/gtest.h>

#include <bit>

#include "analysis/analisi.h"
#include "matrices/matrice.h"
#include "support/registratore.h"

namespace novanta {
namespace {

// The matrices shipped in data/matrici must say the truth: for every draw of M numbers out of
// 1..V some column holds at least T of them. Checked here by brute force over all draws; the
// analysis, compared with the direct count on smaller systems only, must find the same T at M.
TEST(MatriciDistribuite, GaranziaDichiarataVera) {
    test::StatoIniziale();
    test::InterfacciaRegistrata ui;
    const std::filesystem::path cartella = std::filesystem::path(NOVANTA_DATA_SOURCE_DIR) / "matrici";
    int trovate = 0;
    for (const auto& voce : std::filesystem::directory_iterator(cartella)) {
        if (voce.path().extension() != ".mzel") continue;
        ++trovate;
        SCOPED_TRACE(voce.path().filename().string());
        MATRIX_STRUCTURE m;
        ErroreLettura errore;
        ASSERT_TRUE(LeggiMatrice(voce.path(), m, errore)) << errore.descrizione;
        EXPECT_TRUE(VerificaCRCMatrice(voce.path()));
        EXPECT_TRUE(FormatoMatriceValido(m));
        EXPECT_EQ(std::filesystem::file_size(voce.path()),
                  142u + static_cast<uintmax_t>(m.COLUMNS_OF_MATRIX_C) * m.LENGTH_OF_COLUMN_K + 4u);
        const int v = m.NUMBERS_OF_MATRIX_V, k = m.LENGTH_OF_COLUMN_K, t = m.GARANTY_T, mm = m.PICK_UP_NUMBERS_M;
        ASSERT_LE(v, 24);
        ASSERT_GT(t, 0);
        std::vector<uint32_t> colonne;
        analisi::SistemaDaAnalizzare s;
        s.lunghezza = k;
        s.estratti = mm;
        for (int32_t c = 1; c <= m.COLUMNS_OF_MATRIX_C; ++c) {
            uint32_t bit = 0;
            for (int p = 1; p <= k; ++p) {
                const int n = m.COLUMS(c, p);
                ASSERT_GE(n, 1);
                ASSERT_LE(n, v);
                bit |= 1u << (n - 1);
                s.colonne.push_back(static_cast<uint8_t>(n));
            }
            ASSERT_EQ(std::popcount(bit), k) << "column " << c << " repeats a number";
            colonne.push_back(bit);
        }
        for (int n = 1; n <= m.FIXED_NUMBERS_OF_MATRIX_F; ++n)
            for (uint32_t c : colonne) ASSERT_TRUE(c & (1u << (n - 1))) << "fixed number " << n;
        for (uint32_t estrazione = 0; estrazione < (1u << v); ++estrazione) {
            if (std::popcount(estrazione) != mm) continue;
            int migliore = 0;
            for (uint32_t c : colonne) migliore = std::max(migliore, std::popcount(c & estrazione));
            ASSERT_GE(migliore, t) << "draw mask " << estrazione;
        }
        analisi::RisultatoAnalisi r;
        ASSERT_TRUE(analisi::Analizza(s, r, ui).riuscita());
        EXPECT_EQ(r.numeri, v);
        EXPECT_EQ(r.tabella.at(static_cast<size_t>(mm)).garanzia, t);
    }
    EXPECT_GE(trovate, 2);
}

}  // namespace
}  // namespace novanta
