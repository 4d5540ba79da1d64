#include "core/cartella_dati.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "core/corpo.h"
#include "core/matrici_distribuite.h"
#include "settings/impostazioni.h"
#include "settings/lingue_distribuite.h"
#include "settings/multiLanguage.h"
#include "settings/percorsi.h"
#include "support/file_atomico.h"
#include "support/testo.h"

namespace novanta {

namespace {

int fdBlocco = -1;

}  // namespace

std::filesystem::path CartellaDati() {
    std::filesystem::path base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg && std::filesystem::path(xdg).is_absolute()) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home && *home ? home : ".") / ".local" / "share";
    }
    return (base / "Novanta").lexically_normal();
}

bool CreaCartella(const std::filesystem::path& percorso) {
    if (percorso.empty()) return false;
    std::error_code ec;
    return std::filesystem::create_directories(percorso, ec) && !ec;
}

bool PreparaCartelleDati(std::string& errore) {
    errore.clear();
    std::error_code ec;
    CreaCartella(mPathDati);
    for (const char* nome : SOTTOCARTELLE_DATI) {
        const auto cartella = mPathDati / nome;
        CreaCartella(cartella);
        if (!std::filesystem::is_directory(cartella, ec) && errore.empty())
            errore = "cannot create the folder " + cartella.string();
    }
    return errore.empty();
}

int InstallaLingueDistribuite(std::string& errore) {
    errore.clear();
    int scritte = 0;
    for (const auto& lingua : LingueDistribuite()) {
        if (!TrovaFileLingua(std::string(lingua.nome)).empty()) continue;
        std::string e;
        if (ScriviFileAtomico(mPathDati / (std::string(lingua.nome) + ".lng"), lingua.contenuto, e)) {
            ++scritte;
        } else if (errore.empty()) {
            errore = e;
        }
    }
    return scritte;
}

int InstallaMatriciDistribuite(std::string& errore) {
    errore.clear();
    const auto cartella = mPathDati / "matrici";
    std::vector<std::string> presenti;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(cartella, ec), fine; !ec && it != fine; it.increment(ec))
        presenti.push_back(Minuscolo(it->path().filename().string()));
    int scritte = 0;
    for (const auto& matrice : MatriciDistribuite()) {
        const std::string nome(matrice.nome);
        if (std::find(presenti.begin(), presenti.end(), Minuscolo(nome)) != presenti.end()) continue;
        std::string e;
        if (ScriviFileAtomico(cartella / nome, matrice.contenuto, e)) {
            ++scritte;
        } else if (errore.empty()) {
            errore = e;
        }
    }
    return scritte;
}

EsitoIstanza AcquisisciIstanzaUnica(const std::filesystem::path& cartella, std::string& errore) {
    errore.clear();
    if (fdBlocco >= 0) return EsitoIstanza::Unica;
    const auto file = cartella / FILE_BLOCCO_ISTANZA;
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        errore = file.string() + ": " + std::strerror(errno);
        return EsitoIstanza::Errore;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        ::close(fd);
        if (e == EWOULDBLOCK) return EsitoIstanza::GiaInEsecuzione;
        errore = file.string() + ": " + std::strerror(e);
        return EsitoIstanza::Errore;
    }
    // The process id helps whoever looks at the file; the lock itself is what counts.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t n = ::write(fd, pid.data(), pid.size());
    }
    fdBlocco = fd;
    return EsitoIstanza::Unica;
}

void RilasciaIstanzaUnica() {
    if (fdBlocco < 0) return;
    ::flock(fdBlocco, LOCK_UN);
    ::close(fdBlocco);
    fdBlocco = -1;
}

BloccoCartellaDati::BloccoCartellaDati() {
    if (fdBlocco >= 0) {
        preso_ = true;
        return;
    }
    const auto file = mPathDati / FILE_BLOCCO_ISTANZA;
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        preso_ = true;
        return;
    }
    const auto fine = std::chrono::steady_clock::now() + std::chrono::duration<double>(mSecondiAttesaBlocco);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
        if (errno != EWOULDBLOCK && errno != EINTR) {
            ::close(fd);
            preso_ = true;
            return;
        }
        if (std::chrono::steady_clock::now() >= fine) {
            char pid[32] = {};
            [[maybe_unused]] const ssize_t n = ::pread(fd, pid, sizeof pid - 1, 0);
            std::string chi(pid);
            while (!chi.empty() && (chi.back() == '\n' || chi.back() == '\r')) chi.pop_back();
            ::close(fd);
            errore_ = "the data folder " + mPathDati.string() + " is in use by another Novanta" +
                      (chi.empty() ? std::string() : " (process " + chi + ")") + ": try again when it has finished";
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t n = ::write(fd, pid.data(), pid.size());
    }
    fdBlocco = fd;
    mio_ = true;
    preso_ = true;
}

BloccoCartellaDati::~BloccoCartellaDati() {
    if (mio_) RilasciaIstanzaUnica();
}

EsitoIstanza PreparaAvvio() {
    InizializzaCorpo();
    if (mPathDati.empty()) mPathDati = CartellaDati();
    std::string errore;
    PreparaCartelleDati(errore);
    InstallaLingueDistribuite(errore);
    InstallaMatriciDistribuite(errore);
    const EsitoIstanza esito = AcquisisciIstanzaUnica(mPathDati, errore);
    // Without a place for the lock (a read-only data folder) the program still runs.
    return esito == EsitoIstanza::Errore ? EsitoIstanza::Unica : esito;
}

tElencoLingue CaricaLingue(bool primoAvvio) {
    tElencoLingue elenco = ElencoLingue(mPathDati, mConfig.lingua);
    if (elenco.nomi.empty()) {
        UI().MsgBox("Warning files language not found", Pulsanti::OK, Icona::Critica);
    } else if (elenco.selezionata < 0) {
        elenco.proposta = true;
        elenco.selezionata = 0;
        if (!primoAvvio) {
            UI().MsgBox("Select Language", Pulsanti::OK, Icona::Critica);
        } else {
            const std::string locale = Minuscolo(LinguaDiSistema());
            for (size_t i = 0; i < elenco.nomi.size(); ++i)
                if (Minuscolo(elenco.nomi[i]) == locale) elenco.selezionata = static_cast<int>(i);
        }
    }
    return elenco;
}

void ReadConfiguration() {
    try {
        const tImpostazioni t = LeggiImpostazioni(mPathDati / FILE_IMPOSTAZIONI);
        mConfig.intestazione = t.intestazione;
        mConfig.stampante = t.stampante;
        mConfig.sorgenteRicalcolo = t.sorgenteRicalcolo;
        mConfig.modalitaRicalcolo = t.modalitaRicalcolo;
        mConfig.lingua = t.lingua;
        if (!t.lingua.empty()) {
            const auto file = TrovaFileLingua(t.lingua);
            if (!file.empty() && Minuscolo(file.filename().string()) == Minuscolo(t.lingua + ".lng"))
                mLinguaCorrente = t.lingua;
        }
    } catch (const std::exception& e) {
        UI().MsgBox(TestoErrore(75, e.what(), "ReadConfiguration", "Form frmImpostazioni"), Pulsanti::OK);
    }
}

bool SalvaImpostazioni(bool modalitaRicalcolo, uint8_t sorgenteRicalcolo, const std::string& lingua) {
    std::string errore;
    int numero = 0;
    BloccoCartellaDati blocco;
    if (!blocco.preso()) {
        UI().MsgBox(TestoErrore(75, blocco.errore(), "cmdSalva_Click", "Form frmImpostazioni"), Pulsanti::OK);
        return false;
    }
    if (ScriviImpostazioni(mPathDati / FILE_IMPOSTAZIONI, modalitaRicalcolo, sorgenteRicalcolo, lingua, errore, numero))
        return true;
    UI().MsgBox(TestoErrore(numero, errore, "cmdSalva_Click", "Form frmImpostazioni"), Pulsanti::OK);
    return false;
}

}  // namespace novanta
