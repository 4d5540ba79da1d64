#pragma once
#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>
#include <vector>

#include "core/interfaccia.h"
#include "support/errore_lettura.h"

// Checking draws against a system, and the files of past draws.
namespace novanta::analisi {

// One draw: the numbers drawn (distinct, 1..90, in the order given) and, from a file, its line
// and its date as "YYYY-MM-DD" ("" when the line has none).
struct Estrazione {
    int32_t riga = 0;
    std::string data;
    std::vector<uint8_t> numeri;
};

// What one draw wins: colpi[h] columns hold exactly h drawn numbers (h = 0..K), the most any
// column holds, and the columns (from 1) that hold that many.
struct EsitoControllo {
    int migliore = 0;
    std::vector<int32_t> colpi;
    std::vector<int32_t> vincenti;
};

// The columns of a system as sets, ready to meet many draws.
class ControlloEstrazioni {
public:
    // C x K numbers, column after column (0 = an empty position).
    ControlloEstrazioni(const std::vector<uint8_t>& colonne, int lunghezza);
    int32_t colonne() const { return static_cast<int32_t>(maschere_.size()); }
    int lunghezza() const { return k_; }
    // `conVincenti`: also list the columns with the best hit.
    EsitoControllo Controlla(const std::vector<uint8_t>& estratti, bool conVincenti = true) const;

private:
    struct Maschera {
        uint64_t basso, alto;
    };
    std::vector<Maschera> maschere_;
    int k_ = 0;
};

// A file of draws against a system: each draw's hits, the draws by best hit (h = 0..K) and the
// columns by hits summed over every draw. Yields to `ui` after each draw and stops (annullato)
// when mAnnullaCalcolo is set.
struct RiepilogoEstrazioni {
    std::vector<EsitoControllo> esiti;
    std::vector<int32_t> perMigliore;
    std::vector<int64_t> colpiTotali;
    bool annullato = false;
};
RiepilogoEstrazioni ControllaEstrazioni(const ControlloEstrazioni& controllo, const std::vector<Estrazione>& estrazioni,
                                        Interfaccia& ui);

// Reads a draw from text: numbers separated by blanks, commas, semicolons or tabs; every number
// 1..90, none repeated, at least one. False with the reason (from the language file) otherwise.
bool LeggiEstrazione(const std::string& testo, std::vector<uint8_t>& numeri, std::string& motivo);

// The most draws a file may hold.
constexpr int32_t kEstrazioniMassime = 100000;

// Reads a file of past draws: one draw per line, an optional leading date (YYYY-MM-DD or
// DD/MM/YYYY), then the numbers as LeggiEstrazione reads them; blank lines and lines starting
// with '#' are skipped. The whole file is read first: a bad line gives false and the application's
// own error, its description the message naming the line (53 or 75 when the file cannot be
// read), and `estrazioni` is left as it was.
bool LeggiEstrazioni(std::istream& in, std::vector<Estrazione>& estrazioni, ErroreLettura& errore);
bool LeggiEstrazioni(const std::filesystem::path& file, std::vector<Estrazione>& estrazioni, ErroreLettura& errore);

}  // namespace novanta::analisi
