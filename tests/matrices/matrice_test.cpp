#include <gtest/gtest.h>

#include "core/corpo.h"
#include "matrices/matrice.h"
#include "support/date.h"
#include "support/registratore.h"

namespace novanta {
namespace {

// A small well-formed matrix: V = 20, K = 10, T = 7, M = 10, C = 30.
MATRIX_STRUCTURE matriceDiProva() {
    MATRIX_STRUCTURE m;
    m.NUMBERS_OF_MATRIX_V = 20;
    m.LENGTH_OF_COLUMN_K = 10;
    m.GARANTY_T = 7;
    m.PICK_UP_NUMBERS_M = 10;
    m.COLUMNS_OF_MATRIX_C = 30;
    m.PERCENTAGE_COVER = "100";
    m.AUTHOR = "Autore";
    m.DESCRIPTION = "Prova";
    m.VALID_FROM = DataOLE(2020, 1, 1);
    m.VALID_TO = DataOLE(2030, 12, 31) + 0.75;
    m.VERSION_ID = FORMATO_MATRICE;
    m.AllocaColonne();
    for (int32_t c = 1; c <= 30; ++c)
        for (int p = 1; p <= 10; ++p) m.COLUMS(c, p) = static_cast<uint8_t>((c + p) % 20 + 1);
    return m;
}

// The layout on disk: header fields in order (C little-endian), columns position-major, the tag
// at the end of the header; what is written reads back byte for byte.
TEST(MatriceFile, FormatoScritturaELettura) {
    std::vector<uint8_t> h = {0x14, 0x0A, 0x07, 0x0A, 0x00, 0x1E, 0x00, 0x00, 0x00};
    h.resize(LUNGHEZZA_TESTATA_MATRICE, ' ');
    const auto t = LeggiTestataMatrice(h);
    EXPECT_EQ(std::vector<int>({t.NUMBERS_OF_MATRIX_V, t.LENGTH_OF_COLUMN_K, t.GARANTY_T, t.PICK_UP_NUMBERS_M,
                                t.FIXED_NUMBERS_OF_MATRIX_F, t.COLUMNS_OF_MATRIX_C}),
              std::vector<int>({20, 10, 7, 10, 0, 30}));
    EXPECT_EQ(t.PERCENTAGE_COVER.size(), LARGHEZZA_COVER);
    EXPECT_FALSE(t.colonneAllocate());
    const auto m = matriceDiProva();
    const auto b = BytesMatrice(m);
    ASSERT_EQ(b.size(), 446u);
    EXPECT_EQ(b[142], m.COLUMS(1, 1));
    EXPECT_EQ(b[143], m.COLUMS(2, 1));
    EXPECT_EQ(b[142 + 30], m.COLUMS(1, 2));
    EXPECT_EQ(std::string(b.begin() + 127, b.begin() + 142), "matricezelv0001");
    MATRIX_STRUCTURE r;
    ErroreLettura errore;
    ASSERT_TRUE(LeggiMatrice(b, r, errore)) << errore.descrizione;
    EXPECT_EQ(BytesMatrice(r), b);
    EXPECT_EQ(r.VALID_TO, m.VALID_TO);
    EXPECT_EQ(r.AUTHOR, "Autore" + std::string(24, ' '));
    EXPECT_TRUE(FormatoMatriceValido(r));
    // The tag is compared exactly: upper case or one character short is another format.
    for (const char* tag : {"MATRICEZELV0001", "matricezelv000"}) {
        r.VERSION_ID = tag;
        EXPECT_FALSE(FormatoMatriceValido(r)) << tag;
    }
}

TEST(MatriceFile, CRCDiOgniByteEDelTrailer) {
    const auto b = BytesMatrice(matriceDiProva());
    EXPECT_TRUE(VerificaCRCMatrice(b));
    for (size_t i = 0; i < b.size(); ++i) {
        auto c = b;
        c[i] ^= 0x01;
        ASSERT_FALSE(VerificaCRCMatrice(c)) << "byte " << i;
    }
    EXPECT_FALSE(VerificaCRCMatrice(std::span<const uint8_t>(b.data(), 3)));
    EXPECT_FALSE(VerificaCRCMatrice(std::span<const uint8_t>()));
    // Four bytes: the CRC of nothing is 0.
    EXPECT_TRUE(VerificaCRCMatrice(std::vector<uint8_t>(4, 0)));
}

TEST(MatriceFile, ValiditaPerGiornoDiCalendario) {
    const int32_t oggi = static_cast<int32_t>(DataOLE(2026, 12, 5));
    MATRIX_STRUCTURE m;
    m.VALID_FROM = DataOLE(2026, 12, 5) + 23.99 / 24;
    m.VALID_TO = DataOLE(2026, 12, 5);
    auto v = ControllaValidita(m, oggi);
    EXPECT_TRUE(v.entroValidita);
    EXPECT_FALSE(v.scaduta);
    m.VALID_TO = DataOLE(2026, 12, 4) + 0.99;
    EXPECT_TRUE(ControllaValidita(m, oggi).scaduta);
    m.VALID_FROM = DataOLE(2026, 12, 6);
    EXPECT_FALSE(ControllaValidita(m, oggi).entroValidita);
    // Values that are no date: not begun and expired, never a crash.
    m.VALID_FROM = std::numeric_limits<double>::quiet_NaN();
    m.VALID_TO = 1e300;
    v = ControllaValidita(m, oggi);
    EXPECT_FALSE(v.entroValidita);
    EXPECT_TRUE(v.scaduta);
}

TEST(MatriceFile, FileCortiMancantiEIntestazioniBugiarde) {
    const auto b = BytesMatrice(matriceDiProva());
    MATRIX_STRUCTURE r;
    ErroreLettura errore;
    // Cut inside the columns: the header claims more than the file holds.
    EXPECT_FALSE(LeggiMatrice(std::span<const uint8_t>(b.data(), 300), r, errore));
    EXPECT_NE(errore.descrizione.find("cannot hold"), std::string::npos);
    // Cut inside the header: the fields read are kept, the rest is zero.
    const auto t = LeggiTestataMatrice(std::span<const uint8_t>(b.data(), 7));
    EXPECT_EQ(t.LENGTH_OF_COLUMN_K, 10);
    EXPECT_EQ(t.COLUMNS_OF_MATRIX_C, 30 & 0xFFFF);
    EXPECT_TRUE(t.VERSION_ID.empty());
    // A file without a whole header holds no matrix, not even one of no columns.
    EXPECT_FALSE(LeggiMatrice(std::span<const uint8_t>(), r, errore));
    EXPECT_FALSE(LeggiMatrice(std::span<const uint8_t>(b.data(), 141), r, errore));
    // Column counts and lengths the header may claim: only C = 0 with K = 0 reads (as nothing).
    const struct {
        int32_t c;
        uint8_t k;
        bool legge;
    } casi[] = {{3000001, 1, false}, {-1, 10, false}, {0x7FFFFFFF, 25, false},
                {2, 26, false},      {2, 0, false},   {0, 0, true}};
    for (const auto& caso : casi) {
        auto x = b;
        x[1] = caso.k;
        for (size_t i = 0; i < 4; ++i) x[5 + i] = static_cast<uint8_t>(static_cast<uint32_t>(caso.c) >> (8 * i));
        EXPECT_EQ(LeggiMatrice(x, r, errore), caso.legge) << caso.c << " x " << int(caso.k);
        if (caso.c == 3000001) {
            EXPECT_NE(errore.descrizione.find("3,000,000"), std::string::npos) << errore.descrizione;
        }
    }
    EXPECT_EQ(r.COLUMNS_OF_MATRIX_C, 0);

    test::CartellaTemporanea dati;
    const auto manca = dati / "manca.mzel";
    EXPECT_FALSE(LeggiMatrice(manca, r, errore));
    EXPECT_FALSE(VerificaCRCMatrice(manca));
    EXPECT_EQ(LeggiTestataMatrice(manca).COLUMNS_OF_MATRIX_C, 0);
    dati.scrivi("vuoto.mzel", "");
    EXPECT_FALSE(VerificaCRCMatrice(dati / "vuoto.mzel"));
    EXPECT_EQ(LeggiTestataMatrice(dati / "vuoto.mzel").NUMBERS_OF_MATRIX_V, 0);
    ASSERT_TRUE(ScriviMatrice(dati / "m.mzel", matriceDiProva(), errore.descrizione)) << errore.descrizione;
    // Blanks around the path are trimmed.
    EXPECT_TRUE(VerificaCRCMatrice("  " + (dati / "m.mzel").string() + " "));
    ASSERT_TRUE(LeggiMatrice(dati / "m.mzel", r, errore)) << errore.descrizione;
    EXPECT_EQ(r.COLUMNS_OF_MATRIX_C, 30);
}

}  // namespace
}  // namespace novanta
