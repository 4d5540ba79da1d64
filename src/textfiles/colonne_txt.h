#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <span>
#include <string>
#include <vector>

#include "core/corpo.h"
#include "support/righe_testo.h"
#include "support/errore_lettura.h"

namespace novanta {

// Writes the whole system, one column per line (" 03 14 27 ... " and CR LF), through a
// temporary file renamed over the target. True when the file was written.
bool SalvaColonneTxt(const std::string& nomeFile);
// The line of column i of the store as SalvaColonneTxt writes it, into `riga`.
void RigaColonnaTxt(int32_t i, std::string& riga);

// The export command's check before it asks for a file name: with no system there is nothing to
// write, and the user is told so (message "0162") instead of getting an empty file.
bool EsportazionePossibile();

// The columns of a column text file, read and checked as a whole before anything changes.
struct ColonneLette {
    int lenCol = 0;
    int32_t righe = 0;
    std::vector<uint8_t> numeri;  // righe * lenCol numbers, each column ascending
    std::array<bool, 91> presenti{};
};

// Reads a column text file by the rules of the import: blank lines skipped, separators
// space, tab, "-", ",", ";", "."; the first line gives the length (2..25); every number 1..90;
// a line with fewer numbers than the first refused; more than 3,000,000 columns refused.
// On failure returns false with the import's error text (naming the line) in `messaggio`.
bool LeggiColonneTxt(std::istream& in, ColonneLette& risultato, std::string& messaggio);
bool LeggiColonneTxt(const std::filesystem::path& file, ColonneLette& risultato, std::string& messaggio);

// Imports a column text file as the new system. The file is read and checked first: a bad
// file, or one that holds no column (message "0163"), shows why and leaves the system, the
// prediction and the conditions as they were. The main window stays disabled while the file is
// read, so nothing started meanwhile can be overwritten by the import. Returns true when the
// system was replaced.
bool ImportaColonneTxt(const std::string& nomeFile);

// One line as a column record: the numbers in the order of the line, smallest, largest, count.
// A line that is not a list of at most 25 numbers 1..90 shows the routine's error message and
// yields the all-zero record (lunghezza 0).
tColonna StringToArrayColonna(const std::string& riga);
// The same without the message: false and the failure in `errore`.
bool StringToArrayColonna(const std::string& riga, tColonna& colonna, ErroreLettura& errore);

// Every non-empty line of a column text file as a column record: entries 1..n (entry 0 unused),
// or the single empty record at index 0 when there is none or the file cannot be read. With
// `massimo` > 0 reading stops after that many records. `riuscito` (when given) tells a file
// that was read from one that could not be.
std::vector<tColonna> LoadTxtToColonneArray(const std::string& nomeFile, int32_t massimo = 0, bool* riuscito = nullptr);
std::vector<tColonna> LoadTxtToColonneArray(std::istream& in, int32_t massimo = 0);

// The non-zero numbers of `numeri` in index order, each as two digits followed by `nSpazi`
// spaces, the whole trimmed: ColonnaToString({7, 3, 0, 12}, 1) is "07 03 12".
std::string ColonnaToString(std::span<const uint8_t> numeri, uint8_t nSpazi);

}  // namespace novanta
