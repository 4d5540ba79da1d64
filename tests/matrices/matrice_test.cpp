#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
    EXPECT_EQ(b[142 + 30], m.COLUMS(1, 2));
    EXPECT_EQ(std::string(b.begin() + 127, b.begin() + 142), "matricezelv0001");
    MATRIX_STRUCTURE r;
    ErroreLettura errore;
    ASSERT_TRUE(LeggiMatrice(b, r, errore)) << errore.descrizione;
    EXPECT_EQ(BytesMatrice(r), b);
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
    // Four bytes: the CRC of nothing is 0.
    EXPECT_TRUE(VerificaCRCMatrice(std::vector<uint8_t>(4, 0)));
}

// By calendar day: a start late on today and an end early on today are both today; values that
// are no date are not begun and expired, never a crash.
TEST(MatriceFile, ValiditaPerGiornoDiCalendario) {
    const double oggi = DataOLE(2026, 12, 5), nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double da, a;
        bool entro, scaduta;
    } casi[] = {{oggi + 23.99 / 24, oggi, true, false},
                {oggi + 23.99 / 24, oggi - 1 + 0.99, true, true},
                {oggi + 1, oggi - 1 + 0.99, false, true},
                {nan, 1e300, false, true}};
    for (const auto& c : casi) {
        MATRIX_STRUCTURE m;
        m.VALID_FROM = c.da;
        m.VALID_TO = c.a;
        const auto v = ControllaValidita(m, static_cast<int32_t>(oggi));
        EXPECT_EQ(v.entroValidita, c.entro) << c.da << " " << c.a;
        EXPECT_EQ(v.scaduta, c.scaduta) << c.da << " " << c.a;
    }
}

// The bad files of the corpus (cut short, headers claiming impossible counts and lengths) are
// refused with the application's error and the matrix read before stays; the good ones read, and
// so does a header of no columns at all.
TEST(MatriceFile, CorpusCattivoRifiutatoEBuonoLetto) {
    const auto prima = BytesMatrice(matriceDiProva());
    ErroreLettura errore;
    for (const auto& file : test::FileDelCorpus("matrice", true)) {
        MATRIX_STRUCTURE r = matriceDiProva();
        errore = {};
        EXPECT_FALSE(LeggiMatrice(file, r, errore)) << file;
        EXPECT_EQ(errore.numero, ERRORE_APPLICAZIONE) << file;
        EXPECT_FALSE(errore.descrizione.empty()) << file;
        EXPECT_EQ(BytesMatrice(r), prima) << file;
    }
    for (const auto& file : test::FileDelCorpus("matrice", false)) {
        MATRIX_STRUCTURE r;
        EXPECT_TRUE(LeggiMatrice(file, r, errore)) << file << ": " << errore.descrizione;
        EXPECT_TRUE(VerificaCRCMatrice(file)) << file;
    }
    MATRIX_STRUCTURE r = matriceDiProva();
    ASSERT_TRUE(LeggiMatrice(BytesMatrice(MATRIX_STRUCTURE{}), r, errore));
    EXPECT_EQ(r.COLUMNS_OF_MATRIX_C, 0);
    // 3,000,001 columns are refused even when the file holds every one of them.
    MATRIX_STRUCTURE troppe;
    troppe.LENGTH_OF_COLUMN_K = 1;
    troppe.COLUMNS_OF_MATRIX_C = MAX_COLONNE + 1;
    auto b = BytesMatrice(troppe);
    b.resize(LUNGHEZZA_TESTATA_MATRICE + MAX_COLONNE + 1, 1);
    EXPECT_FALSE(LeggiMatrice(b, r, errore));
    EXPECT_NE(errore.descrizione.find("at most 3,000,000"), std::string::npos) << errore.descrizione;
}

TEST(MatriceFile, FileMancantiVuotiEPercorsiConSpazi) {
    test::CartellaTemporanea dati;
    MATRIX_STRUCTURE r;
    ErroreLettura errore;
    EXPECT_FALSE(LeggiMatrice(dati / "manca.mzel", r, errore));
    EXPECT_EQ(errore.numero, 53);
    dati.scrivi("vuoto.mzel", "");
    // A FIFO is no matrix even with one waiting in it (an empty one would block the list).
    ASSERT_EQ(::mkfifo((dati / "fifo.mzel").c_str(), 0600), 0);
    const int fifo = ::open((dati / "fifo.mzel").c_str(), O_RDWR | O_NONBLOCK);
    const auto b = BytesMatrice(matriceDiProva());
    ASSERT_EQ(::write(fifo, b.data(), b.size()), static_cast<ssize_t>(b.size()));
    for (const auto& f : {dati / "manca.mzel", dati / "vuoto.mzel", dati / "fifo.mzel"}) {
        EXPECT_FALSE(VerificaCRCMatrice(f)) << f;
        const auto t = LeggiTestataMatrice(f);
        EXPECT_EQ(t.NUMBERS_OF_MATRIX_V + t.COLUMNS_OF_MATRIX_C, 0) << f;
    }
    ::close(fifo);
    test::ScriviMatriceProva(dati / "m.mzel", matriceDiProva());
    // Blanks around the path are trimmed.
    EXPECT_TRUE(VerificaCRCMatrice("  " + (dati / "m.mzel").string() + " "));
}

}  // namespace
}  // namespace novanta
