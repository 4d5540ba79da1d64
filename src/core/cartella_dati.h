#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "settings/impostazioni.h"

namespace novanta {

// The data folder: $XDG_DATA_HOME/Novanta, or ~/.local/share/Novanta when XDG_DATA_HOME is unset
// or not absolute. Never ends with a separator.
std::filesystem::path CartellaDati();

// Creates a folder and every missing parent. True when this call created it; false when it
// existed already or could not be created (no message either way).
bool CreaCartella(const std::filesystem::path& percorso);

// The working folders below the data folder.
inline constexpr std::array<const char*, 5> SOTTOCARTELLE_DATI = {"temp", "txt", "sistemi", "csv", "matrici"};

// Creates mPathDati and its five working folders when missing. False, with the first folder that
// is missing and could not be made in `errore`, when one of them is not there afterwards.
bool PreparaCartelleDati(std::string& errore);

// Writes every shipped language file that the data folder lacks (a file of the same name in any
// letter case counts as present, so the user's or a downloaded copy is never overwritten).
// Returns how many were written; a failed write is named in `errore`.
int InstallaLingueDistribuite(std::string& errore);

// Writes every shipped matrix that the data folder's "matrici" lacks (a file of the same name in
// any letter case counts as present: the update writes upper-case names). Returns how many were
// written; a failed write is named in `errore`.
int InstallaMatriciDistribuite(std::string& errore);

// The single-instance check: an exclusive flock on "novanta.lock" in the data folder, held for
// the life of the process. The kernel drops it when the process ends in any way, so a crash
// never leaves a stale lock behind.
enum class EsitoIstanza { Unica, GiaInEsecuzione, Errore };
EsitoIstanza AcquisisciIstanzaUnica(const std::filesystem::path& cartella, std::string& errore);
void RilasciaIstanzaUnica();
inline constexpr const char* FILE_BLOCCO_ISTANZA = "novanta.lock";

// The data folder's lock for one piece of work that writes into it (an update, a settings save):
// the same flock as the single-instance check, so two updates, or an update and a running
// program, never write the folder at once. A process that already holds the lock (the desktop
// program, or an outer BloccoCartellaDati) takes it again at no cost. Another holder is waited
// for up to mSecondiAttesaBlocco seconds; then preso() is false and errore() says the folder is
// in use. Where no lock file can be made (a read-only folder) the work goes ahead unlocked and
// its own writes report what fails.
class BloccoCartellaDati {
public:
    BloccoCartellaDati();
    ~BloccoCartellaDati();
    BloccoCartellaDati(const BloccoCartellaDati&) = delete;
    BloccoCartellaDati& operator=(const BloccoCartellaDati&) = delete;
    bool preso() const { return preso_; }
    const std::string& errore() const { return errore_; }

private:
    bool preso_ = false;
    bool mio_ = false;
    std::string errore_;
};
inline double mSecondiAttesaBlocco = 3.0;

// Start-up up to the single-instance check, in the program's order: powers of two and column
// length 10, the data folder (mPathDati, unless already set) and its working folders, the shipped
// languages and matrices, then the lock. A folder that cannot be made is not fatal here: the file operations
// in it fail where they happen. The caller ends quietly on GiaInEsecuzione.
EsitoIstanza PreparaAvvio();

// The settings window's language list: the languages of the data folder with mConfig.lingua
// chosen. With languages but none chosen it says "Select Language" and picks the first (on the
// first start, with no language yet, it says nothing and picks the system locale's, else the
// first), marking the pick as `proposta`; with none at all it says "Warning files language not found".
tElencoLingue CaricaLingue(bool primoAvvio = false);

// Reads "qiv.ini" into mConfig; mLinguaCorrente takes "LINGUA" when that language's file is in
// the data folder, and otherwise stays as it was.
void ReadConfiguration();

// The settings window's save button: writes the three keys in one rewrite. A failure is shown with
// the error-trap text of cmdSalva_Click and leaves "qiv.ini" as it was.
bool SalvaImpostazioni(bool modalitaRicalcolo, uint8_t sorgenteRicalcolo, const std::string& lingua);

}  // namespace novanta
