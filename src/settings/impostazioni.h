#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace novanta {

// The settings of "qiv.ini", section "IMPOSTAZIONI", as the program uses them.
struct tImpostazioni {
    std::string intestazione;         // "INTESTAZIONE": cut to 55 characters, then trimmed
    std::string stampante;            // "STAMPANTE TABULATO"
    uint8_t sorgenteRicalcolo = 1;    // "SORGENTE RICALCOLO": 1 only for exactly "1", else 2
    bool modalitaRicalcolo = false;   // "MODALITA' RICALCOLO": true only for exactly "TRUE"
    std::string lingua;               // "LINGUA"
    std::string serverAggiornamenti;  // "SERVER AGGIORNAMENTI": the update server's base address
};

inline constexpr const char* SEZIONE_IMPOSTAZIONI = "IMPOSTAZIONI";
inline constexpr const char* FILE_IMPOSTAZIONI = "qiv.ini";
inline constexpr const char* INTESTAZIONE_PREDEFINITA = "RICEVITORIA XXXX - CAMBIA LE IMPOSTAZIONI DAL MENU FILE";

// Reads the settings of `fileIni`, a missing file or key giving the defaults.
tImpostazioni LeggiImpostazioni(const std::filesystem::path& fileIni);

// What the settings window's save button writes: "MODALITA' RICALCOLO" ("TRUE"/"FALSE"),
// "SORGENTE RICALCOLO" ("1"/"2") and "LINGUA", in one rewrite through a temporary file, so a
// failure leaves the file as it was; false with the error in `errore` (and `numero`).
bool ScriviImpostazioni(const std::filesystem::path& fileIni, bool modalitaRicalcolo, uint8_t sorgenteRicalcolo,
                        const std::string& lingua, std::string& errore, int& numero);

// The languages found in a folder (every "*.lng", names without the extension, upper-cased, in
// name order) and which one is `scelta` (letter case ignored; -1 when none).
struct tElencoLingue {
    std::vector<std::string> nomi;
    int selezionata = -1;
    bool proposta = false;  // the selection is the program's pick, not the saved language
};
tElencoLingue ElencoLingue(const std::filesystem::path& cartella, const std::string& scelta);

}  // namespace novanta
