#include "matrices/matrice.h"

#include <cstring>
#include <fstream>

#include "core/corpo.h"
#include "support/cCRC32.h"
#include "support/date.h"
#include "support/date_civili.h"
#include "support/file_atomico.h"
#include "support/testo.h"

namespace novanta {

namespace {

// The largest file that can be a matrix: 3,000,000 columns of 25 numbers.
constexpr uint64_t kMassimaLunghezza =
    LUNGHEZZA_TESTATA_MATRICE + static_cast<uint64_t>(MAX_COLONNE) * MAX_POSIZIONI + LUNGHEZZA_CRC_MATRICE;

// Reads little-endian fields one by one; past the end every byte reads as zero.
class LettoreCampi {
public:
    explicit LettoreCampi(std::span<const uint8_t> dati) : dati_(dati) {}
    uint8_t byte() { return pos_ < dati_.size() ? dati_[pos_++] : (++pos_, uint8_t{0}); }
    uint32_t u32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(byte()) << (8 * i);
        return v;
    }
    uint64_t u64() {
        uint64_t v = 0;
        for (int i = 0; i < 8; ++i) v |= static_cast<uint64_t>(byte()) << (8 * i);
        return v;
    }
    double data() {
        const uint64_t bit = u64();
        double d;
        std::memcpy(&d, &bit, sizeof d);
        return d;
    }
    std::string testo(size_t larghezza) {
        std::string t;
        for (size_t i = 0; i < larghezza; ++i) {
            if (pos_ >= dati_.size()) {
                pos_ += larghezza - i;
                break;
            }
            t.push_back(static_cast<char>(dati_[pos_++]));
        }
        return t;
    }

private:
    std::span<const uint8_t> dati_;
    size_t pos_ = 0;
};

void aggiungiLE(std::vector<uint8_t>& out, uint64_t v, int byte) {
    for (int i = 0; i < byte; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void aggiungiTesto(std::vector<uint8_t>& out, const std::string& testo, size_t larghezza) {
    for (size_t i = 0; i < larghezza; ++i)
        out.push_back(i < testo.size() ? static_cast<uint8_t>(testo[i]) : uint8_t{' '});
}

bool leggiFile(const std::filesystem::path& percorso, uint64_t massimo, std::vector<uint8_t>& dati,
               bool& troppoGrande) {
    troppoGrande = false;
    std::error_code ec;
    const uint64_t lunghezza = std::filesystem::file_size(percorso, ec);
    if (ec) return false;
    if (lunghezza > massimo) {
        troppoGrande = true;
        return false;
    }
    std::ifstream in(percorso, std::ios::binary);
    if (!in) return false;
    dati.resize(static_cast<size_t>(lunghezza));
    in.read(reinterpret_cast<char*>(dati.data()), static_cast<std::streamsize>(dati.size()));
    dati.resize(static_cast<size_t>(in.gcount()));
    return true;
}

// The path with the blanks around it trimmed, as every matrix operation takes it.
std::filesystem::path rifila(const std::filesystem::path& percorso) { return std::string(Rifila(percorso.string())); }

}  // namespace

void MATRIX_STRUCTURE::AllocaColonne() {
    colonne_.assign(static_cast<size_t>(std::max(COLUMNS_OF_MATRIX_C, 0)) * LENGTH_OF_COLUMN_K, 0);
}

MATRIX_STRUCTURE LeggiTestataMatrice(std::span<const uint8_t> dati) {
    MATRIX_STRUCTURE m;
    LettoreCampi r(dati.subspan(0, std::min(dati.size(), LUNGHEZZA_TESTATA_MATRICE)));
    m.NUMBERS_OF_MATRIX_V = r.byte();
    m.LENGTH_OF_COLUMN_K = r.byte();
    m.GARANTY_T = r.byte();
    m.PICK_UP_NUMBERS_M = r.byte();
    m.FIXED_NUMBERS_OF_MATRIX_F = r.byte();
    m.COLUMNS_OF_MATRIX_C = static_cast<int32_t>(r.u32());
    m.PERCENTAGE_COVER = r.testo(LARGHEZZA_COVER);
    m.AUTHOR = r.testo(LARGHEZZA_AUTHOR);
    m.DESCRIPTION = r.testo(LARGHEZZA_DESCRIPTION);
    m.VALID_FROM = r.data();
    m.VALID_TO = r.data();
    const uint8_t basso = r.byte();
    const uint8_t alto = r.byte();
    m.CUSTOM_MATRIX = static_cast<int16_t>(basso | (alto << 8));
    m.VERSION_ID = r.testo(LARGHEZZA_VERSION_ID);
    return m;
}

MATRIX_STRUCTURE LeggiTestataMatrice(const std::filesystem::path& percorso) {
    int numero = 0;
    std::string descrizione;
    // A FIFO would block the matrix list; a folder or a device is no matrix.
    if (!FileRegolareDaLeggere(rifila(percorso), numero, descrizione)) return {};
    std::ifstream in(rifila(percorso), std::ios::binary);
    std::vector<uint8_t> testata(LUNGHEZZA_TESTATA_MATRICE);
    if (in) in.read(reinterpret_cast<char*>(testata.data()), static_cast<std::streamsize>(testata.size()));
    testata.resize(in ? testata.size() : static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return LeggiTestataMatrice(testata);
}

bool LeggiMatrice(std::span<const uint8_t> dati, MATRIX_STRUCTURE& matrice, ErroreLettura& errore) {
    MATRIX_STRUCTURE m = LeggiTestataMatrice(dati);
    const int32_t c = m.COLUMNS_OF_MATRIX_C;
    const int k = m.LENGTH_OF_COLUMN_K;
    const auto rifiuta = [&](std::string descrizione) {
        errore = {ERRORE_APPLICAZIONE, std::move(descrizione)};
        return false;
    };
    if (c < 0) return rifiuta("The header claims " + std::to_string(c) + " columns");
    if (c > MAX_COLONNE)
        return rifiuta("The header claims " + std::to_string(c) + " columns: at most 3,000,000 can be held");
    if (c > 0 && (k < 1 || k > MAX_POSIZIONI))
        return rifiuta("The header claims columns of " + std::to_string(k) + " numbers: from 1 to 25 are allowed");
    const uint64_t necessari = LUNGHEZZA_TESTATA_MATRICE + static_cast<uint64_t>(c) * static_cast<uint64_t>(k);
    if (dati.size() < necessari)
        return rifiuta("The file is " + std::to_string(dati.size()) + " bytes long and cannot hold the " +
                       std::to_string(c) + " columns of " + std::to_string(k) + " numbers its header claims");
    m.AllocaColonne();
    size_t pos = LUNGHEZZA_TESTATA_MATRICE;
    for (int p = 1; p <= k; ++p)
        for (int32_t col = 1; col <= c; ++col) m.COLUMS(col, p) = dati[pos++];
    matrice = std::move(m);
    return true;
}

bool LeggiFileMatrice(const std::filesystem::path& percorso, std::vector<uint8_t>& dati, ErroreLettura& errore) {
    bool troppoGrande = false;
    if (!leggiFile(rifila(percorso), kMassimaLunghezza, dati, troppoGrande)) {
        errore = {
            53, troppoGrande ? "The file is too large to be a matrix" : "File not found: " + rifila(percorso).string()};
        return false;
    }
    return true;
}

bool LeggiMatrice(const std::filesystem::path& percorso, MATRIX_STRUCTURE& matrice, ErroreLettura& errore) {
    std::vector<uint8_t> dati;
    return LeggiFileMatrice(percorso, dati, errore) && LeggiMatrice(dati, matrice, errore);
}

bool VerificaCRCMatrice(std::span<const uint8_t> dati) {
    if (dati.size() < LUNGHEZZA_CRC_MATRICE) return false;
    const size_t n = dati.size() - LUNGHEZZA_CRC_MATRICE;
    uint32_t atteso = 0;
    for (size_t i = 0; i < 4; ++i) atteso |= static_cast<uint32_t>(dati[n + i]) << (8 * i);
    static const cCRC32 crc;
    return crc.GetByteArrayCrc32(dati.subspan(0, n)) == static_cast<int32_t>(atteso);
}

bool VerificaCRCMatrice(const std::filesystem::path& percorso) {
    std::vector<uint8_t> dati;
    bool troppoGrande = false;
    if (!leggiFile(rifila(percorso), kMassimaLunghezza, dati, troppoGrande)) return false;
    return VerificaCRCMatrice(dati);
}

std::vector<uint8_t> BytesMatrice(const MATRIX_STRUCTURE& m) {
    std::vector<uint8_t> out;
    const int32_t c = m.colonneAllocate() ? m.COLUMNS_OF_MATRIX_C : 0;
    out.reserve(LUNGHEZZA_TESTATA_MATRICE + static_cast<size_t>(c) * m.LENGTH_OF_COLUMN_K + LUNGHEZZA_CRC_MATRICE);
    out.push_back(m.NUMBERS_OF_MATRIX_V);
    out.push_back(m.LENGTH_OF_COLUMN_K);
    out.push_back(m.GARANTY_T);
    out.push_back(m.PICK_UP_NUMBERS_M);
    out.push_back(m.FIXED_NUMBERS_OF_MATRIX_F);
    aggiungiLE(out, static_cast<uint32_t>(m.COLUMNS_OF_MATRIX_C), 4);
    aggiungiTesto(out, m.PERCENTAGE_COVER, LARGHEZZA_COVER);
    aggiungiTesto(out, m.AUTHOR, LARGHEZZA_AUTHOR);
    aggiungiTesto(out, m.DESCRIPTION, LARGHEZZA_DESCRIPTION);
    uint64_t bit;
    std::memcpy(&bit, &m.VALID_FROM, sizeof bit);
    aggiungiLE(out, bit, 8);
    std::memcpy(&bit, &m.VALID_TO, sizeof bit);
    aggiungiLE(out, bit, 8);
    aggiungiLE(out, static_cast<uint16_t>(m.CUSTOM_MATRIX), 2);
    aggiungiTesto(out, m.VERSION_ID, LARGHEZZA_VERSION_ID);
    for (int p = 1; p <= m.LENGTH_OF_COLUMN_K; ++p)
        for (int32_t col = 1; col <= c; ++col) out.push_back(m.COLUMS(col, p));
    static const cCRC32 crc;
    aggiungiLE(out, static_cast<uint32_t>(crc.GetByteArrayCrc32(out)), 4);
    return out;
}

bool ScriviMatrice(const std::filesystem::path& percorso, const MATRIX_STRUCTURE& matrice, std::string& errore) {
    const auto dati = BytesMatrice(matrice);
    return ScriviFileAtomico(percorso, std::string_view(reinterpret_cast<const char*>(dati.data()), dati.size()),
                             errore);
}

bool FormatoMatriceValido(const MATRIX_STRUCTURE& matrice) { return matrice.VERSION_ID == FORMATO_MATRICE; }

ValiditaMatrice ControllaValidita(const MATRIX_STRUCTURE& matrice, int32_t oggi) {
    ValiditaMatrice v;
    const auto da = GiornoDataOLE(matrice.VALID_FROM);
    const auto a = GiornoDataOLE(matrice.VALID_TO);
    v.scaduta = !a || *a < oggi;
    v.entroValidita = da && *da <= oggi;
    return v;
}

int32_t OggiOLE() { return *GiornoDataOLE(Adesso()); }

}  // namespace novanta
