#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "matrices/matrice.h"

namespace novanta {

// One entry of the matrix list: a file of the matrix folder with the results of its checks,
// or the custom entry ("CUSTOM") that stands for a matrix of the user's own text file.
struct tElencoMatrice {
    std::string nomeFile;
    bool chkVersion = false;
    bool chkCRC = false;
    bool scaduta = false;
    bool entroValidita = false;
    MATRIX_STRUCTURE testata;  // the header only
};

// The matrix list of the matrix window, rebuilt by CaricaElencoMatrici.
inline std::vector<tElencoMatrice> mElencoMatrici;

// The entry of one file with its tag, CRC and date checks on the day `oggi`.
tElencoMatrice VoceElencoMatrice(const std::filesystem::path& percorso, int32_t oggi);
// The custom entry: tag and CRC good, not begun, dates today.
tElencoMatrice VoceMatriceCustom(int32_t oggi);

// Rebuilds mElencoMatrici from the matrix folder (mPathDati/matrici, or `cartella`).
// numeriMatrice 0 lists every file; any other value only the files with V = numeriMatrice and
// K = mLenCol, plus the custom entry. The list ends ordered by V.
void CaricaElencoMatrici(uint8_t numeriMatrice);
void CaricaElencoMatrici(const std::filesystem::path& cartella, uint8_t numeriMatrice, int32_t oggi);

// Orders the list by V ascending, exchanging entries as the program always has.
void OrdinaElencoMatrici(std::vector<tElencoMatrice>& elenco);

// The names of the normal files of `cartella` whose extension is `estensione` (letter case
// ignored, as the platform the matrices come from does), ordered by name; one empty name when
// there is none.
std::vector<std::string> ElencoFile(const std::filesystem::path& cartella, const std::string& estensione);

// A number right-aligned in `larghezza` characters, grouped by thousands from four digits on;
// a longer number is not cut.
std::string FormattaCampo(int64_t valore, int larghezza);

// The line of the list for an entry: " 20 | 10 |  7 | 10 |  0 |     30 | " and the cover text.
std::string RigaElencoMatrice(const tElencoMatrice& voce);
// The lines of the list box for mElencoMatrici (entries with no name are skipped), and the
// window caption: message "0019" and the number of lines in brackets.
std::vector<std::string> RiempiElenco();
std::string TitoloElencoMatrici(size_t righe);

// What the matrix window shows for an entry.
struct SchedaMatrice {
    std::string txtNumMatrix, txtLenCol, txtGaranty, txtPickUp, txtFixedNum, txtColMatrix;
    std::string txtPercentage, txtAuthor, txtDescription;  // trimmed, converted for display
    std::string txtValidFrom, txtValidTo;                  // "dd/mm/yyyy"
    std::string txtFileName;
    bool versioneErrata = false, crcErrato = false, scaduta = false;  // the red labels
    std::string lblChkVersion, lblOK, lblScaduta;                     // their texts
    bool cmdMatriceTXT = false, cmdAdattaMatrice = false;             // the buttons enabled
};
SchedaMatrice MostraMatrice(const tElencoMatrice& voce);

// Why an entry cannot be applied (wrong tag, failed CRC, expired, not yet valid), or "" when it
// can: the texts of messages "0008", "0009", "0010" where they fit.
std::string MotivoNonApplicabile(const tElencoMatrice& voce);

// A message text, or `predefinito` when the language in use has none.
std::string TestoMessaggioOPredefinito(const std::string& id, const std::string& predefinito);

}  // namespace novanta
