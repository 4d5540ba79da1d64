#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/corpo.h"
#include "support/errore_lettura.h"

namespace novanta {

// The system file (.lec) is an SQLite database. The format version is its user_version; a file
// of a later version is refused rather than half understood.
constexpr int FORMATO_LEC = 1;
// "NOVA": tells a system file from any other SQLite database.
constexpr int32_t APPLICAZIONE_LEC = 0x4E4F5641;
constexpr const char* NOME_FILE_RECUPERO = "recupero.lec";
constexpr int MAX_FILE_RECENTI = 5;

// The whole work as one value: everything a system file holds.
struct Lavoro {
    int16_t lenCol = 10;
    std::vector<uint8_t> pronostico;  // the prediction in its order (the order window's, or ascending)
    tCondizioni condizioni;
    tConsecutivi consecutivi;
    std::array<tFiltroDistanza, 26> filtriDistanza{};  // 1..25
    uint8_t numFiltriDistanza = 0;
    std::vector<tFiltroGruppo> filtriAND, filtriOR;  // records 1..n of each list, in order
    int32_t numFiltriAND = 0, numFiltriOR = 0;
    std::vector<tColonna> colonneBase;  // 1..n (element 0 unused), as mColonneBase
    bool colonneBaseAttive = false;
    int32_t numColonneBase = 0;
    tDistanzaMinima distanzaMinima;
    int larghezza = 0;  // positions per column in `colonne`
    int32_t nColonne = 0;
    std::vector<uint8_t> colonne;  // nColonne * larghezza numbers, column 1 first
    std::string descrizione;
    bool bloccato = false;  // mGUILocked = -1
    // Only in the file: when and by which version it was written, and the file a recovery copy stands for.
    std::string salvato, versione, fileOrigine;
};

// The work in memory now, as a value.
Lavoro FotografiaLavoro();
// Makes `lavoro` the work in memory and tells the face to redraw. The file name is the caller's.
// Without `conColonne` the system stays empty (a generation from the file's conditions).
void ApplicaLavoro(Lavoro&& lavoro, bool conColonne = true);
// Only the conditions of `lavoro`: every condition, both filter lists, base columns, reductions.
void ApplicaCondizioni(Lavoro&& lavoro);

// Writes a system file beside `file` and renames it over `file` only when it is whole: on any
// failure the old file stays as it was. False with the reason in `errore`.
bool ScriviProgetto(const std::filesystem::path& file, const Lavoro& lavoro, std::string& errore);
// Reads and checks a whole system file. False with the fault in `errore`, its description the
// message naming the file (53 missing, 13 no system file, 6 a value beyond the program's limits,
// the application's own error for a damaged file or a later format); `lavoro` is then not to be used.
bool LeggiProgetto(const std::filesystem::path& file, Lavoro& lavoro, ErroreLettura& errore);
// The same over the bytes of a file (the fuzz target's way in).
bool LeggiProgetto(std::span<const uint8_t> immagine, Lavoro& lavoro, ErroreLettura& errore);

// A fingerprint of the whole work in memory: equal fingerprints, equal work. Unsaved changes
// are a fingerprint different from the one taken when the work was last saved, opened or begun.
uint64_t ImprontaLavoro();
bool LavoroModificato();
void SegnaLavoroSalvato();
// The system file this work was last opened from or saved to; empty for a new work. "Salva
// Sistema" writes it without asking only while it is still mFileSistema (an imported text file
// renames the system, and must never be overwritten with a database).
inline std::string mFileProgetto;

// The file commands, with their messages and dialogs through the face.
bool ApriSistema(const std::string& file);
bool SalvaSistema(const std::string& file);
bool ApriSistemaComando();
bool SalvaSistemaComando();
bool SalvaSistemaConNome();
// "Nuovo": asks to save unsaved work first; false when the user cancelled.
bool NuovoLavoro();
// Unsaved work: asks Yes / No / Cancel (message "0240"), saves on Yes. True to go on.
bool ChiediSalvataggio();

// Autosave: while there are unsaved changes the work goes to the recovery file in the data
// folder; without them the recovery file goes. True when a copy was written.
std::filesystem::path FileRecupero();
bool Autosalva();
void RimuoviRecupero();
// At start-up: a recovery file left by a program that did not end cleanly. Offers it (message
// "0248"); Yes restores it as unsaved work, No removes it. True when the work was restored.
bool OffriRecupero();

// The last five system files opened or saved, the latest first (from "qiv.ini").
std::vector<std::string> FileRecenti();
void AggiungiFileRecente(const std::string& file);

}  // namespace novanta
