#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace novanta {

// The update server's base address when "qiv.ini" names none: the reference server as
// `make serve-updates` starts it on this machine.
inline constexpr const char* SERVER_PREDEFINITO = "http://127.0.0.1:18090";
// A base address that wins over "qiv.ini" (the command line's --server); empty when unused.
inline std::string mServerAggiornamentiForzato;

// The paths the program asks of the update server.
inline constexpr const char* PERCORSO_VERSIONE = "/public/qiv/ver.asp";
inline constexpr const char* PERCORSO_LINGUE = "/public/qiv/lingue/";
inline constexpr const char* PERCORSO_LISTA_LINGUE = "/public/qiv/lingue/lista.txt";
inline constexpr const char* PERCORSO_CREDITI_LINGUE = "/public/qiv/lingue/thankstolingue.txt";
inline constexpr const char* PERCORSO_LISTA_MATRICI = "/public/lumora/lista.asp";
inline constexpr const char* PERCORSO_MATRICE = "/public/lumora/matrici/download.aspx?file=";

// The base address in use, without a trailing "/": the forced one, else the key
// "SERVER AGGIORNAMENTI" of section "IMPOSTAZIONI" of "qiv.ini", else SERVER_PREDEFINITO.
std::string IndirizzoServer();

// A name taken from a server list is used to build paths, so only a plain file name passes:
// 1 to 100 bytes, no "/" or "\", no "..", not starting with ".", no control characters.
bool NomeFileValido(std::string_view nome);

// The lines of a downloaded list: blanks, a byte-order mark and CR removed, empty lines dropped,
// at most `massimo` lines; `tagliata` (when given) tells that the list held more.
std::vector<std::string> RigheLista(std::string_view testo, size_t massimo = 1000, bool* tagliata = nullptr);

// "major.minor.revision" of this program.
std::string VersioneLocale();

// True when the server's version is newer: the parts of `locale` are compared in order with the
// numeric values of the same parts of `remota` (a missing or non-numeric part counts 0, parts
// beyond those of `locale` are ignored), and the first difference decides.
bool VersioneServerPiuNuova(const std::string& locale, const std::string& remota);

enum class EsitoVersione { NessunaNovita, NuovaVersione, NonRaggiungibile };
struct RisultatoVersione {
    EsitoVersione esito = EsitoVersione::NonRaggiungibile;
    std::string locale;
    std::string remota;
    std::string errore;
};
// The start-up version check: fetches the server's version with tight time-outs and, when it is
// newer, tells the face (Interfaccia::NuovaVersione). Never shows anything when the server
// cannot be reached.
RisultatoVersione NewVersion();

// What an update did: every file installed (by its final name), every list entry refused as a
// name, every file that could not be fetched or was not what it should be.
struct RisultatoAggiornamento {
    bool listaScaricata = false;
    bool listaTagliata = false;  // the list named more files than an update takes (1,000)
    std::string errore;          // why the list could not be fetched, or the error that stopped the update
    std::vector<std::string> installati;
    std::vector<std::string> scartati;
    std::vector<std::string> falliti;
    std::vector<std::string> motivi;  // why, one for each entry of falliti
    bool cartellaOccupata = false;    // another Novanta held the data folder: nothing was done
    bool annullato = false;           // the user stopped it: the file being fetched was dropped
};

// Limits of a whole update: past secondiTotali no further file is fetched (those left count as
// failed), and each download is abandoned after secondiStallo seconds without data.
struct LimitiAggiornamento {
    long secondiTotali = 300;
    long secondiStallo = 15;
};
inline LimitiAggiornamento mLimitiAggiornamento;

// The messages the program shows by id: a language file must hold each in its [Strings] section.
inline constexpr const char* MESSAGGI_PROGRAMMA[] = {
    "0001", "0002", "0003", "0004", "0005", "0008", "0009", "0010", "0012", "0013", "0014", "0015", "0016",
    "0017", "0018", "0019", "0021", "0042", "0053", "0054", "0055", "0060", "0061", "0062", "0064"};

// The checks a downloaded file passes before it replaces anything: "" when it is sound,
// otherwise why not. A language file is text (no NUL or other control bytes but tab, CR, LF)
// holding every id of MESSAGGI_PROGRAMMA in a [Strings] section; a matrix file has at least a
// header and a trailer, the format tag and a matching CRC.
std::string ControllaLingua(std::string_view dati);
std::string ControllaMatriceScaricata(std::string_view dati);

// The language update of the settings window: each listed "name.txt" (".TXT" alike) is fetched
// into a temporary file of its own, checked (ControllaLingua) and renamed over "name.lng" in the
// data folder. Both updates hold the data folder's lock throughout, report each file to
// Interfaccia::ProgressoAggiornamento and keep to mLimitiAggiornamento. The caller lists the
// languages afterwards in any case, so the languages already there stay choosable when the
// server cannot be reached.
RisultatoAggiornamento AggiornaLingue();

// Follows an update run on another thread: told the name of each file before it is fetched (the
// list first, "qivmatrici.txt") and asked again and again while the transfers run; false stops
// the update. It is called on the updating thread.
using AvanzamentoAggiornamento = std::function<bool(const std::string& nome)>;

// The matrix-folder update: each listed name, upper-cased, is fetched and, when it is a sound
// matrix file (format tag and CRC), replaces "NAME.mzel" (".DAT" becoming ".mzel") in the matrix
// folder in one rename. The caller rebuilds the matrix list afterwards. With `avanzamento` the
// update may run off the user-interface thread: it then never reaches the face, and an error
// that stops it is only returned in `errore`; a cancel leaves the files installed so far and
// nothing half-written.
RisultatoAggiornamento AggiornaMatrici(const AvanzamentoAggiornamento& avanzamento = {});

// The language credits: for every line of the server's credits file, CR LF and the line.
// False when the file could not be fetched.
bool CreditiLingue(std::string& testo);
// The settings window's info button: the credits in an information box when they arrive, a
// warning naming the server when they do not.
void MostraCreditiLingue();
// What the language download did, told to the user: the languages installed, the names that
// could not be fetched, or that the server could not be reached.
void MostraEsitoLingue(const RisultatoAggiornamento& esito);

}  // namespace novanta
