#include "net/aggiornamenti.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <span>

#include "core/cartella_dati.h"
#include "core/corpo.h"
#include "net/download.h"
#include "settings/classINI.h"
#include "settings/impostazioni.h"
#include "settings/multiLanguage.h"
#include "settings/percorsi.h"
#include "support/cCRC32.h"
#include "support/testo.h"
#include "versione.h"

namespace novanta {

namespace {

constexpr uint64_t MAX_BYTE_LISTA = 256u << 10;
constexpr uint64_t MAX_BYTE_MATRICE = 64ull << 20;
constexpr const char* TAG_MATRICE = "matricezelv0001";

std::string sostituisci(std::string s, const std::string& da, const std::string& a) {
    for (size_t p = 0; (p = s.find(da, p)) != std::string::npos; p += a.size()) s.replace(p, da.size(), a);
    return s;
}

std::string codificaUrl(const std::string& s) {
    static const char* cifre = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += cifre[c >> 4];
            out += cifre[c & 15];
        }
    }
    return out;
}

// Fetches one server path into the temporary folder under `nome`.
EsitoDownload scarica(const std::string& percorso, const std::string& nome, const OpzioniDownload& opzioni = {}) {
    return ScaricaFile(IndirizzoServer() + percorso, CartellaTemp() / nome, true, opzioni);
}

// After a file was renamed into place: another file whose name differs from it only in letter
// case goes, so the folder never holds the same name twice.
void sostituisciFile(const std::filesystem::path& destinazione) {
    const std::string cercato = destinazione.filename().string();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(destinazione.parent_path(), ec), fine; !ec && it != fine;
         it.increment(ec)) {
        const std::string nome = it->path().filename().string();
        if (nome != cercato && UgualiSenzaCaso(nome, cercato)) {
            std::error_code e2;
            std::filesystem::remove(it->path(), e2);
        }
    }
}

std::string sostituisciSenzaCaso(std::string s, const std::string& da, const std::string& a) {
    for (size_t p = 0; (p = Maiuscolo(s).find(Maiuscolo(da), p)) != std::string::npos; p += a.size())
        s.replace(p, da.size(), a);
    return s;
}

// Downloads one listed file into a temporary file of its own in `cartella`, checks it and only
// then renames it over `cartella / finale`. False with the reason in `motivo`; nothing of the
// failed download is left behind.
bool installa(const std::string& percorso, const std::filesystem::path& cartella, const std::string& finale,
              OpzioniDownload opz, std::string (*controlla)(std::string_view), std::string& motivo) {
    std::filesystem::path temporaneo;
    const EsitoDownload e = ScaricaInTemporaneo(IndirizzoServer() + percorso, cartella, finale, true, opz, temporaneo);
    if (!e.ok) {
        motivo = e.errore;
        return false;
    }
    std::string dati;
    if (!LeggiFileIntero(temporaneo, opz.maxByte, dati))
        motivo = "cannot read the downloaded file back";
    else
        motivo = controlla(dati);
    std::error_code ec;
    if (motivo.empty()) {
        std::filesystem::rename(temporaneo, cartella / finale, ec);
        if (ec) motivo = (cartella / finale).string() + ": " + ec.message();
    }
    if (!motivo.empty()) {
        std::filesystem::remove(temporaneo, ec);
        return false;
    }
    sostituisciFile(cartella / finale);
    return true;
}

// The time left to a whole update, for the time-out of its next download.
class Scadenza {
public:
    Scadenza() : fine_(std::chrono::steady_clock::now() + std::chrono::seconds(mLimitiAggiornamento.secondiTotali)) {}
    // Whole seconds left, rounded up; 0 once the limit has passed.
    long secondi() const {
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(fine_ - std::chrono::steady_clock::now()).count();
        return ms > 0 ? static_cast<long>((ms + 999) / 1000) : 0;
    }

private:
    std::chrono::steady_clock::time_point fine_;
};

}  // namespace

std::string IndirizzoServer() {
    std::string base = mServerAggiornamentiForzato;
    if (base.empty() && !mPathDati.empty()) base = LeggiImpostazioni(mPathDati / FILE_IMPOSTAZIONI).serverAggiornamenti;
    if (base.empty()) base = SERVER_PREDEFINITO;
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base;
}

bool NomeFileValido(std::string_view nome) {
    if (nome.empty() || nome.size() > 100 || nome.front() == '.') return false;
    if (nome.find("..") != std::string_view::npos) return false;
    for (unsigned char c : nome)
        if (c < 32 || c == 127 || c == '/' || c == '\\') return false;
    return true;
}

std::string ControllaMatriceScaricata(std::string_view dati) {
    if (dati.size() < 146) return "not a matrix file: " + std::to_string(dati.size()) + " bytes";
    if (dati.compare(127, 15, TAG_MATRICE) != 0) return "not a matrix file: the format tag is wrong";
    const size_t n = dati.size() - 4;
    uint32_t atteso = 0;
    for (int i = 3; i >= 0; --i) atteso = (atteso << 8) | static_cast<uint8_t>(dati[n + static_cast<size_t>(i)]);
    const auto* byte = reinterpret_cast<const uint8_t*>(dati.data());
    static const cCRC32 crc;
    if (static_cast<uint32_t>(crc.GetByteArrayCrc32(std::span<const uint8_t>(byte, n))) != atteso)
        return "damaged matrix file: the CRC does not match";
    return "";
}

std::string ControllaLingua(std::string_view dati) {
    for (unsigned char c : dati) {
        if (c == 0) return "not a language file: it holds NUL bytes";
        if (c < 32 && c != '\t' && c != '\r' && c != '\n' && c != 0x1A)
            return "not a language file: it holds control bytes";
    }
    // Every message the program shows must be there, in the section "Strings".
    for (const char* id : MESSAGGI_PROGRAMMA) {
        if (ValoreINI(dati, "Strings", id, "\x01", 2) == "\x01")
            return std::string("not a language file: no message ") + id + " in a [Strings] section";
    }
    return "";
}

std::vector<std::string> RigheLista(std::string_view testo, size_t massimo, bool* tagliata) {
    std::vector<std::string> out;
    if (tagliata) *tagliata = false;
    if (testo.substr(0, 3) == "\xEF\xBB\xBF") testo.remove_prefix(3);
    size_t p = 0;
    while (p < testo.size()) {
        size_t a = testo.find('\n', p);
        std::string_view riga = testo.substr(p, a == std::string_view::npos ? std::string_view::npos : a - p);
        // The CR of a CR LF goes with the trailing blanks; at the front only blanks go.
        riga = Rifila(riga.substr(0, riga.find_last_not_of(" \t\r") + 1));
        if (!riga.empty()) {
            if (out.size() == massimo) {
                if (tagliata) *tagliata = true;
                break;
            }
            out.emplace_back(riga);
        }
        if (a == std::string_view::npos) break;
        p = a + 1;
    }
    return out;
}

std::string VersioneLocale() {
    return std::to_string(NOVANTA_VERSIONE_MAJOR) + "." + std::to_string(NOVANTA_VERSIONE_MINOR) + "." +
           std::to_string(NOVANTA_VERSIONE_PATCH);
}

bool VersioneServerPiuNuova(const std::string& locale, const std::string& remota) {
    auto parti = [](const std::string& s) {
        std::vector<std::string> out;
        size_t p = 0;
        for (;;) {
            const size_t punto = s.find('.', p);
            out.push_back(s.substr(p, punto == std::string::npos ? std::string::npos : punto - p));
            if (punto == std::string::npos) break;
            p = punto + 1;
        }
        return out;
    };
    // The value of a part as a number: leading blanks, then digits; anything else ends it.
    auto valore = [](const std::string& s) {
        uint64_t v = 0;
        size_t i = s.find_first_not_of(" \t");
        for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
            v = std::min<uint64_t>(v * 10 + static_cast<uint64_t>(s[i] - '0'), 1ull << 40);
        return v;
    };
    const auto l = parti(locale);
    const auto r = parti(remota);
    for (size_t i = 0; i < l.size(); ++i) {
        const uint64_t a = valore(l[i]);
        const uint64_t b = i < r.size() ? valore(r[i]) : 0;
        if (a != b) return a < b;
    }
    return false;
}

RisultatoVersione NewVersion() {
    RisultatoVersione out;
    out.locale = VersioneLocale();
    try {
        OpzioniDownload rapido;
        rapido.secondiConnessione = 3;
        rapido.secondiTotali = 5;
        rapido.maxByte = 4096;
        const auto file = CartellaTemp() / "qivver.txt";
        const EsitoDownload e = scarica(PERCORSO_VERSIONE, "qivver.txt", rapido);
        if (!e.ok) {
            out.errore = e.errore;
            return out;
        }
        std::string testo;
        LeggiFileIntero(file, rapido.maxByte, testo);
        const auto righe = RigheLista(testo, 1);
        out.remota = righe.empty() ? "" : righe.front();
        if (VersioneServerPiuNuova(out.locale, out.remota)) {
            out.esito = EsitoVersione::NuovaVersione;
            UI().NuovaVersione(out.locale, out.remota);
            return out;
        }
        out.esito = EsitoVersione::NessunaNovita;
        std::error_code ec;
        std::filesystem::remove(file, ec);
    } catch (const std::exception& e) {
        out.errore = e.what();
        UI().MsgBox(TestoErrore(ERRORE_APPLICAZIONE, e.what(), "NewVersion", "Modulo corpo"), Pulsanti::OK);
    }
    return out;
}

namespace {

// The list of an update into the temporary folder and then into `testo`; false (with the
// reason in `out`) when it could not be downloaded.
bool scaricaLista(const std::string& percorso, const std::string& nome, RisultatoAggiornamento& out, std::string& testo,
                  const std::function<bool()>* continua = nullptr) {
    OpzioniDownload lista;
    lista.maxByte = MAX_BYTE_LISTA;
    lista.continua = continua;
    const EsitoDownload e = scarica(percorso, nome, lista);
    if (!e.ok) {
        out.errore = e.errore;
        return false;
    }
    out.listaScaricata = true;
    LeggiFileIntero(CartellaTemp() / nome, MAX_BYTE_LISTA, testo);
    return true;
}

// What sets one update apart from the other.
struct Aggiornamento {
    const char* lista;               // the list's server path
    const char* nomeLista;           // its name in the temporary folder
    const char* percorsoFile;        // the server path a listed name is appended to
    std::filesystem::path cartella;  // where the files go, created when missing
    // The name a list line is fetched under and the name it is installed as; false refuses the line.
    bool (*nomi)(const std::string& riga, std::string& nome, std::string& finale);
    uint64_t maxByte;
    std::string (*controlla)(std::string_view);
    const char* procedura;  // where the error box says the error came from
    const char* contenitore;
};

// Both updates: the data folder's lock, the list, then each listed file fetched, checked and
// installed within the update's time limit. With `avanzamento` the progress and the cancel go
// through the hook and nothing reaches the face.
RisultatoAggiornamento aggiorna(const Aggiornamento& a, const AvanzamentoAggiornamento& avanzamento) {
    RisultatoAggiornamento out;
    std::string corrente;
    // Asked by the transfers; once the user said stop, the answer stays no.
    auto continua = [&]() {
        if (!out.annullato && avanzamento && !avanzamento(corrente)) out.annullato = true;
        return !out.annullato;
    };
    const std::function<bool()> chiedi = continua;
    const std::function<bool()>* durante = avanzamento ? &chiedi : nullptr;
    try {
        BloccoCartellaDati blocco;
        if (!blocco.preso()) {
            out.errore = blocco.errore();
            out.cartellaOccupata = true;
            return out;
        }
        std::string testo;
        corrente = a.nomeLista;
        if (!continua()) return out;
        if (!scaricaLista(a.lista, a.nomeLista, out, testo, durante)) return out;
        std::error_code ec;
        if (!a.cartella.empty() && !std::filesystem::is_directory(a.cartella, ec))
            std::filesystem::create_directories(a.cartella);
        const auto righe = RigheLista(testo, 1000, &out.listaTagliata);
        const Scadenza scadenza;
        for (size_t i = 0; i < righe.size(); ++i) {
            std::string nome, finale;
            if (!a.nomi(righe[i], nome, finale)) {
                out.scartati.push_back(righe[i]);
                continue;
            }
            corrente = nome;
            if (!continua()) break;
            OpzioniDownload opz;
            opz.maxByte = a.maxByte;
            opz.continua = durante;
            opz.secondiStallo = mLimitiAggiornamento.secondiStallo;
            opz.secondiTotali = std::min(opz.secondiTotali, scadenza.secondi());
            std::string motivo = "the update's time limit was reached";
            if (!avanzamento) UI().ProgressoAggiornamento(nome, i + 1, righe.size());
            if (opz.secondiTotali > 0 &&
                installa(a.percorsoFile + codificaUrl(nome), a.cartella, finale, opz, a.controlla, motivo)) {
                out.installati.push_back(finale);
            } else {
                if (out.annullato) break;
                out.falliti.push_back(nome);
                out.motivi.push_back(motivo);
            }
        }
    } catch (const std::exception& e) {
        out.errore = e.what();
        if (!avanzamento)
            UI().MsgBox(TestoErrore(ERRORE_APPLICAZIONE, e.what(), a.procedura, a.contenitore), Pulsanti::OK);
    }
    return out;
}

}  // namespace

RisultatoAggiornamento AggiornaLingue() {
    // "ENGLISH.TXT" is "english.txt" written by another hand: the step to ".lng" ignores case.
    const auto nomi = [](const std::string& riga, std::string& nome, std::string& finale) {
        nome = riga;
        finale = sostituisciSenzaCaso(riga, ".txt", ".lng");
        return NomeFileValido(nome) && finale.size() > 4 && UgualiSenzaCaso(finale.substr(finale.size() - 4), ".lng");
    };
    return aggiorna({PERCORSO_LISTA_LINGUE, "qivlingue.txt", PERCORSO_LINGUE, mPathDati, nomi, MAX_BYTE_LINGUA,
                     ControllaLingua, "cmdLangUpdate_Click", "Form frmImpostazioni"},
                    {});
}

RisultatoAggiornamento AggiornaMatrici(const AvanzamentoAggiornamento& avanzamento) {
    const auto nomi = [](const std::string& riga, std::string& nome, std::string& finale) {
        nome = Maiuscolo(riga);
        finale = sostituisci(nome, ".DAT", ".mzel");
        return NomeFileValido(nome);
    };
    // A damaged download never replaces a matrix the user already has.
    return aggiorna({PERCORSO_LISTA_MATRICI, "qivmatrici.txt", PERCORSO_MATRICE, mPathDati / "matrici", nomi,
                     MAX_BYTE_MATRICE, ControllaMatriceScaricata, "cmdUpdateMatrix_Click", "Form frmMatr"},
                    avanzamento);
}

bool CreditiLingue(std::string& testo) {
    testo.clear();
    OpzioniDownload opz;
    opz.maxByte = MAX_BYTE_LISTA;
    if (!scarica(PERCORSO_CREDITI_LINGUE, "thankstolingue.txt", opz).ok) return false;
    std::string dati;
    if (!LeggiFileIntero(CartellaTemp() / "thankstolingue.txt", MAX_BYTE_LISTA, dati)) return false;
    size_t p = 0;
    while (p < dati.size()) {
        const size_t a = dati.find('\n', p);
        std::string riga = dati.substr(p, a == std::string::npos ? std::string::npos : a - p);
        if (!riga.empty() && riga.back() == '\r') riga.pop_back();
        testo += "\r\n" + riga;
        if (a == std::string::npos) break;
        p = a + 1;
    }
    return true;
}

void MostraCreditiLingue() {
    std::string testo;
    if (CreditiLingue(testo))
        UI().MsgBox(testo, Pulsanti::OK, Icona::Informazione);
    else
        UI().MsgBox(TestoMessaggio("0167", {IndirizzoServer()}), Pulsanti::OK, Icona::Esclamazione);
}

void MostraEsitoLingue(const RisultatoAggiornamento& r) {
    auto elenco = [](const std::vector<std::string>& nomi) {
        std::string t;
        for (const auto& n : nomi) t += (t.empty() ? "" : ", ") + n;
        return t;
    };
    if (r.cartellaOccupata) {
        UI().MsgBox(r.errore, Pulsanti::OK, Icona::Esclamazione);
        return;
    }
    if (!r.listaScaricata) {
        UI().MsgBox(TestoMessaggio("0165", {IndirizzoServer()}), Pulsanti::OK, Icona::Esclamazione);
        return;
    }
    std::string testo = r.installati.empty() ? TestoMessaggio("0168") : TestoMessaggio("0164", {elenco(r.installati)});
    std::vector<std::string> mancati = r.falliti;
    mancati.insert(mancati.end(), r.scartati.begin(), r.scartati.end());
    if (!mancati.empty()) testo += "\r\n" + TestoMessaggio("0166", {elenco(mancati)});
    UI().MsgBox(testo, Pulsanti::OK, mancati.empty() ? Icona::Informazione : Icona::Esclamazione);
}

}  // namespace novanta
