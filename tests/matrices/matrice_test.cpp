#include <gtest/gtest.h>

#include <map>

#include "core/corpo.h"
#include "matrices/matrice.h"
#include "support/corpus.h"
#include "support/date.h"
#include "support/matrice_prova.h"
#include "support/registratore.h"

namespace novanta {
namespace {

// V = 20, K = 10, T = 7, C = 30, with an author and a time of day in VALID_TO.
MATRIX_STRUCTURE matriceDiProva() {
    std::vector<std::vector<uint8_t>> colonne(30);
    for (int c = 1; c <= 30; ++c)
        for (int p = 1; p <= 10; ++p) colonne[c - 1].push_back(static_cast<uint8_t>((c + p) % 20 + 1));
    auto m = test::MatriceProva(20, 10, colonne, 7);
    m.AUTHOR = "Autore";
    m.VALID_TO = DataOLE(2030, 12, 31) + 0.75;
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
    // Cut inside the header: the fields read are kept, the rest is zero.
    const auto corta = LeggiTestataMatrice(std::span<const uint8_t>(b.data(), 7));
    EXPECT_EQ(corta.LENGTH_OF_COLUMN_K, 10);
    EXPECT_EQ(corta.COLUMNS_OF_MATRIX_C, 30 & 0xFFFF);
    EXPECT_TRUE(corta.VERSION_ID.empty());
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

// The bad files of the corpus (cut short, headers claiming impossible counts and lengths) are
// refused with the application's error naming the fault, and the matrix read before stays; the
// good ones read, and so does a header of no columns at all.
TEST(MatriceFile, CorpusCattivoRifiutatoEBuonoLetto) {
    const std::map<std::string, std::string> motivi = {
        {"cattivo_c_3000001.mzel", "at most 3,000,000"},
        {"cattivo_c_enorme.mzel", "at most 3,000,000"},
        {"cattivo_c_negativo.mzel", "claims -1 columns"},
        {"cattivo_k_0.mzel", "from 1 to 25"},
        {"cattivo_k_26.mzel", "from 1 to 25"},
        {"cattivo_colonne_troncate.mzel", "cannot hold"},
        {"cattivo_testata_corta.mzel", "141 bytes long and cannot hold"},
        {"cattivo_vuoto.mzel", "cannot hold"},
    };
    const auto prima = BytesMatrice(matriceDiProva());
    ErroreLettura errore;
    const auto cattivi = test::FileDelCorpus("matrice", true);
    ASSERT_EQ(cattivi.size(), motivi.size());
    for (const auto& file : cattivi) {
        SCOPED_TRACE(file.filename().string());
        MATRIX_STRUCTURE r = matriceDiProva();
        EXPECT_FALSE(LeggiMatrice(file, r, errore));
        EXPECT_EQ(errore.numero, ERRORE_APPLICAZIONE);
        EXPECT_NE(errore.descrizione.find(motivi.at(file.filename().string())), std::string::npos)
            << errore.descrizione;
        EXPECT_EQ(BytesMatrice(r), prima);
    }
    for (const auto& file : test::FileDelCorpus("matrice", false)) {
        MATRIX_STRUCTURE r;
        EXPECT_TRUE(LeggiMatrice(file, r, errore)) << file << ": " << errore.descrizione;
        EXPECT_TRUE(VerificaCRCMatrice(file)) << file;
    }
    auto nessuna = BytesMatrice(MATRIX_STRUCTURE{});
    MATRIX_STRUCTURE r = matriceDiProva();
    ASSERT_TRUE(LeggiMatrice(nessuna, r, errore));
    EXPECT_EQ(r.COLUMNS_OF_MATRIX_C, 0);
}

TEST(MatriceFile, FileMancantiVuotiEPercorsiConSpazi) {
    test::CartellaTemporanea dati;
    MATRIX_STRUCTURE r;
    ErroreLettura errore;
    const auto manca = dati / "manca.mzel";
    EXPECT_FALSE(LeggiMatrice(manca, r, errore));
    EXPECT_EQ(errore.numero, 53);
    EXPECT_FALSE(VerificaCRCMatrice(manca));
    EXPECT_EQ(LeggiTestataMatrice(manca).COLUMNS_OF_MATRIX_C, 0);
    dati.scrivi("vuoto.mzel", "");
    EXPECT_FALSE(VerificaCRCMatrice(dati / "vuoto.mzel"));
    EXPECT_EQ(LeggiTestataMatrice(dati / "vuoto.mzel").NUMBERS_OF_MATRIX_V, 0);
    test::ScriviMatriceProva(dati / "m.mzel", matriceDiProva());
    // Blanks around the path are trimmed.
    EXPECT_TRUE(VerificaCRCMatrice("  " + (dati / "m.mzel").string() + " "));
    ASSERT_TRUE(LeggiMatrice(dati / "m.mzel", r, errore)) << errore.descrizione;
    EXPECT_EQ(r.COLUMNS_OF_MATRIX_C, 30);
}

}  // namespace
}  // namespace novanta
