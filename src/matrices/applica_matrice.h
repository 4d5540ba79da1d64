#pragma once
#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "matrices/matrice.h"

namespace novanta {

// The checks a matrix must pass before it touches the system: at most 3,000,000 columns,
// K = the column length, V at most the prediction's count, F at most V, and every column made
// of K different abstract numbers 1..V. "" when it passes, otherwise the reason.
std::string ControllaMatrice(const MATRIX_STRUCTURE& matrice);

// Checks the answer for the fixed number at `posizione` (0-based): a number 1..90 of the
// prediction that was not given for an earlier position. When ok it is swapped into that place
// of the prediction.
bool VerificaFissa(const std::string& testo, int posizione);

// Asks for `quante` fixed numbers through the input box, asking again after an answer that is
// not ok. Cancel or an empty answer abandons: nothing is returned. Otherwise the list text
// ("07   12   ") and, in `fisseMatrice`, the numbers in the order given.
std::optional<std::string> ChiediFisse(uint8_t quante, std::vector<uint8_t>& fisseMatrice);

// Stores the matrix as the system: abstract number n becomes prediction number n. With fixed
// numbers it asks for them and for a confirmation first; Cancel in either leaves the system and
// the prediction as they were. A matrix that fails ControllaMatrice shows the error and changes
// nothing. True when the system holds the matrix.
bool AdattaMatrice(const MATRIX_STRUCTURE& matrice, std::vector<uint8_t>& fisseMatrice);

// Applies a matrix read from a matrix file (what the apply button does after the prediction
// order window): AdattaMatrice, then description, fixed-number and N-x conditions, lock and
// status bar; afterwards the recalculation mode unlocks the system.
bool ApplicaMatrice(const MATRIX_STRUCTURE& matrice);

// Applies a matrix file: the file must pass the checks the matrix window makes (tag, CRC,
// validity on the day `oggi`), then it is read and applied. Refusals are shown with the error
// display of the matrix window and change nothing.
bool ApplicaMatriceFile(const std::filesystem::path& percorso, int32_t oggi);
// The entry `indice` of mElencoMatrici, from the matrix folder.
bool ApplicaMatriceSelezionata(size_t indice);

// A matrix from a text file: one column per line, abstract numbers separated by blanks. At most
// 100,000 lines are read; `tagliata` (when given) tells that the file held more. A failure shows
// its message (exclamation icon, title "ERROR") and yields the empty record, as does an empty path.
MATRIX_STRUCTURE CaricaMatriceTxt(const std::string& percorso, bool* tagliata = nullptr);
// The reading itself: false with the failure in `errore`.
bool LeggiMatriceTxt(std::istream& in, MATRIX_STRUCTURE& matrice, ErroreLettura& errore, int32_t oggi,
                     bool* tagliata = nullptr);

// The text-file button of the matrix window: a matrix whose K is not the column length or whose
// V is not the prediction's count is refused (message "0008" and "0013") and nothing changes:
// false, the window stays open. Otherwise (and with no file chosen, which only clears the
// columns) it is applied; true, the window closes.
bool ControllaMatriceTxt(const MATRIX_STRUCTURE& matrice);
bool ApplicaMatriceCaricata(const MATRIX_STRUCTURE& matrice, bool caricata);
bool ApplicaMatriceTxt(const std::string& percorso);

// The error display of the matrix window: "Error " & number & " (" & description & ")".
void MostraErroreMatrice(const ErroreLettura& errore);

}  // namespace novanta
