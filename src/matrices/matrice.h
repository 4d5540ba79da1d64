#pragma once
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "support/errore_lettura.h"

namespace novanta {

// The matrix file: a 142-byte header, the column block (C x K bytes, position-major) and the
// CRC-32 of everything before it. Numbers are little-endian, texts fixed-width single-byte.
constexpr size_t LUNGHEZZA_TESTATA_MATRICE = 142;
constexpr size_t LUNGHEZZA_CRC_MATRICE = 4;
constexpr const char* FORMATO_MATRICE = "matricezelv0001";
constexpr const char* ESTENSIONE_MATRICE = ".mzel";

// Widths of the text fields.
constexpr size_t LARGHEZZA_COVER = 10;
constexpr size_t LARGHEZZA_AUTHOR = 30;
constexpr size_t LARGHEZZA_DESCRIPTION = 60;
constexpr size_t LARGHEZZA_VERSION_ID = 15;

struct MATRIX_STRUCTURE {
    uint8_t NUMBERS_OF_MATRIX_V = 0;
    uint8_t LENGTH_OF_COLUMN_K = 0;
    uint8_t GARANTY_T = 0;
    uint8_t PICK_UP_NUMBERS_M = 0;
    uint8_t FIXED_NUMBERS_OF_MATRIX_F = 0;
    int32_t COLUMNS_OF_MATRIX_C = 0;
    // The texts keep the file's bytes (Windows-1252), all of the field.
    std::string PERCENTAGE_COVER;
    std::string AUTHOR;
    std::string DESCRIPTION;
    double VALID_FROM = 0;
    double VALID_TO = 0;
    int16_t CUSTOM_MATRIX = 0;
    std::string VERSION_ID;

    // COLUMS(c, p), c = 1..C, p = 1..K; unallocated after a header-only read.
    bool colonneAllocate() const { return !colonne_.empty(); }
    void AllocaColonne();
    uint8_t COLUMS(int32_t c, int p) const { return colonne_[indice(c, p)]; }
    uint8_t& COLUMS(int32_t c, int p) { return colonne_[indice(c, p)]; }

private:
    size_t indice(int32_t c, int p) const {
        return static_cast<size_t>(c - 1) * LENGTH_OF_COLUMN_K + static_cast<size_t>(p - 1);
    }
    std::vector<uint8_t> colonne_;
};

// The header of the bytes of a file. A file shorter than the header leaves the missing
// fields at zero (and their texts empty).
MATRIX_STRUCTURE LeggiTestataMatrice(std::span<const uint8_t> dati);
MATRIX_STRUCTURE LeggiTestataMatrice(const std::filesystem::path& percorso);

// The header and the columns. Refused (false, the application's own error in `errore`, nothing
// allocated) when the header's C is negative or above 3,000,000, when K is outside 1..25 while
// there are columns, or when the file holds fewer than C x K column bytes.
bool LeggiMatrice(std::span<const uint8_t> dati, MATRIX_STRUCTURE& matrice, ErroreLettura& errore);
bool LeggiMatrice(const std::filesystem::path& percorso, MATRIX_STRUCTURE& matrice, ErroreLettura& errore);

// The bytes of a matrix file; refused (false, error 53 in `errore`) when it cannot be read or
// is larger than any matrix can be.
bool LeggiFileMatrice(const std::filesystem::path& percorso, std::vector<uint8_t>& dati, ErroreLettura& errore);

// True when the last four bytes hold the CRC-32 of all the bytes before them. A file shorter
// than the trailer, one that cannot be read and one too large to be a matrix fail the check.
bool VerificaCRCMatrice(std::span<const uint8_t> dati);
bool VerificaCRCMatrice(const std::filesystem::path& percorso);

// The file's bytes of a matrix: header, position-major columns, CRC trailer. The texts are cut
// or padded with spaces to their widths.
std::vector<uint8_t> BytesMatrice(const MATRIX_STRUCTURE& matrice);
// Writes them through a temporary file renamed over the target.
bool ScriviMatrice(const std::filesystem::path& percorso, const MATRIX_STRUCTURE& matrice, std::string& errore);

// The format tag is exactly "matricezelv0001", all 15 characters.
bool FormatoMatriceValido(const MATRIX_STRUCTURE& matrice);

// The validity of a matrix on the calendar day `oggi` (OLE days): expired when VALID_TO falls
// on an earlier day, begun when VALID_FROM falls on that day or before. A date field that holds
// no date counts as expired and not begun.
struct ValiditaMatrice {
    bool scaduta = false;
    bool entroValidita = false;
};
ValiditaMatrice ControllaValidita(const MATRIX_STRUCTURE& matrice, int32_t oggi);
// Today's calendar day in OLE days.
int32_t OggiOLE();

}  // namespace novanta
