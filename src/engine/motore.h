#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "core/corpo.h"

namespace novanta {

// What a run did, returned to its caller (the command line, the windows, the tests).
struct EsitoCalcolo {
    bool eseguito = false;           // false when the run was refused before it started
    std::string errore;              // why it was refused
    int32_t colonneBaseEscluse = 0;  // base columns left out because their length was not k
    bool annullato = false;          // cancelled, or stopped at the column limit
    bool limiteRaggiunto = false;
    double elaborate = 0;  // combinations or columns examined
    double integrale = 0;  // combinations or columns to examine
};

// The calculation command of the main window: recalculation when a system is in the store,
// generation otherwise; afterwards the recalculation mode unlocks the command again.
EsitoCalcolo CalcoloComando();

// The generation command: prediction from the grid, stale fixed numbers dropped, the run.
EsitoCalcolo CalcolaSistema();
// The run: every k-combination of the prediction through the conditions and reductions.
EsitoCalcolo GeneraSistema(uint8_t numPronostico, std::array<uint8_t, 90>& pronostico);

// The recalculation command and its run over the stored columns.
EsitoCalcolo RicalcolaSistema();
EsitoCalcolo RicalcolaColonne();

double Fattoriale(int k);
double ColonneIntegrali(int n, int k);

// The system summary text that becomes the description of a system after a run.
std::string RiepilogoSistema();
// The description of a run that stopped before it examined everything (cancel or column limit):
// the summary and how far the run got, "... (interrotto: 391.515 di 3.838.380 colonne)".
std::string DescrizioneInterrotta(const std::string& descrizione, double elaborate, double totale);

// The length of the columns in the store (the numbers of column 1), 0 without a system.
int LunghezzaColonneSistema();
// A recalculation re-examines the stored columns as they are: with a column length that differs
// from theirs it is refused before anything opens (message "0161", also left in `errore`), and
// the system stays.
bool RicalcoloConsentito(std::string* errore = nullptr);

// Elapsed time between two dates; the runs use the format "D HH:MM:SS".
std::string FormatoDurata(double inizio, double fine, const std::string& formato);

// The cancel button of the progress window: asks, and on Yes sets mAnnullaCalcolo.
void ChiediAnnullamento();

}  // namespace novanta
