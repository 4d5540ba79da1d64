#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Smaller systems with the same guarantee. A system of columns of k numbers on a prediction
// guarantees T when every k-combination of the prediction that passes the conditions (the
// universe U) shares at least T numbers with one of its columns; an N-x reduction guarantees
// T = k - x. The optimiser looks for a smaller system with that guarantee whose columns are
// members of U, the base columns kept at its head, and offers it only after an independent check.
namespace novanta {

using ColonnaNumeri = std::vector<uint8_t>;

struct ProblemaCopertura {
    int k = 0;
    int t = 0;                           // the guarantee: at least t numbers shared
    std::vector<uint8_t> pronostico;     // distinct numbers 1..90
    std::vector<ColonnaNumeri> basi;     // kept as they are, at the head of the result
    std::vector<ColonnaNumeri> colonne;  // the system to shrink (its base columns included or not)
    // The conditions: true when a column of k ascending numbers of the prediction passes them.
    // Empty: every combination passes.
    std::function<bool(const uint8_t*)> ammessa;
};

struct OpzioniOttimizzazione {
    double secondi = 60;
    uint64_t seme = 1;
    uint64_t maxMosse = 0;  // stop after this many search moves (0: only time and cancel stop it)
};

enum class ErroreOttimizzazione { Nessuno, Dati, Memoria, Verifica, PiuGrande };

struct EsitoOttimizzazione {
    bool eseguito = false;  // false: refused before the search (errore says why)
    ErroreOttimizzazione codice = ErroreOttimizzazione::Nessuno;
    std::string errore;
    double memoriaMB = 0;         // what the coverage counts need
    int32_t colonneIniziali = 0;  // the input system's columns
    int32_t colonneFinali = 0;    // the result's columns, base columns included
    double universo = 0;          // members of U
    double limiteInferiore = 0;   // |U| over the largest neighbourhood of a column (sphere covering)
    bool verificato = false;      // the result passed the independent check
    bool annullato = false;
    uint64_t mosse = 0;
    double secondi = 0;
    std::vector<ColonnaNumeri> sistema;  // base columns first; empty when nothing valid was found
    bool applicato = false;              // the result replaced the system in the store
};

// The largest memory the coverage counts may take.
constexpr double MEMORIA_MASSIMA_OTTIMIZZATORE = 1024.0 * 1024.0 * 1024.0;

// The search. Progress (the best size so far) and cancel (mAnnullaCalcolo) go through the face.
EsitoOttimizzazione OttimizzaSistema(const ProblemaCopertura& problema, const OpzioniOttimizzazione& opzioni);

// The problem of the system in the store: its prediction (or, when the store's columns use
// numbers outside it, those numbers too), the active conditions, the active base columns and
// guarantee T = mLenCol - x.
ProblemaCopertura ProblemaDaStato(int x);

// The conditions of the state as a test on one column (used by U).
std::function<bool(const uint8_t*)> CondizioniDaStato(int k, const std::vector<uint8_t>& pronostico);

// The independent check: U built again from the conditions, every member looked up against
// the columns. True when the whole system covers U and every column that is not a base column
// is a member of U.
bool VerificaCopertura(const ProblemaCopertura& problema, const std::vector<ColonnaNumeri>& sistema, int32_t numBasi);

// Puts a result in the store with the description "Sistema ottimizzato N-x (da A a B colonne)".
void ApplicaOttimizzazione(const EsitoOttimizzazione& esito, int x);

// "Sistema ottimizzato N-x (da A a B colonne)", from the language file.
std::string DescrizioneOttimizzato(int x, int32_t da, int32_t a);

// "Garanzia verificata: ..." for a verified result of guarantee t.
std::string DescrizioneGaranziaVerificata(const EsitoOttimizzazione& esito, int t);

// Why a search gave nothing, from the language file.
std::string TestoErroreOttimizzazione(const EsitoOttimizzazione& esito);

// The command of the desktop program: optimises the system in the store for its N-x guarantee
// and, when the result is smaller, asks the user before it replaces the system.
EsitoOttimizzazione OttimizzaSistemaCorrente(double secondi, uint64_t seme);

// Whether the system in the store is one the optimiser can take: a reduced N-x system.
bool OttimizzazionePossibile();

}  // namespace novanta
