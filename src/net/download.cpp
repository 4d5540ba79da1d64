#include "net/download.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/cartella_dati.h"
#include "core/corpo.h"
#include "settings/percorsi.h"
#include "versione.h"

#if __has_include(<curl/curl.h>)
#include <curl/curl.h>
#include <dlfcn.h>
#define NOVANTA_CON_CURL 1
#endif

namespace novanta {

namespace {

#ifdef NOVANTA_CON_CURL

// Where the body goes while it arrives: an open .part file, how much came, and why we stopped.
struct Ricezione {
    int fd = -1;
    uint64_t ricevuti = 0;
    uint64_t massimo = 0;
    bool troppoGrande = false;
    int erroreScrittura = 0;
};

size_t suDati(char* dati, size_t dimensione, size_t quanti, void* utente) {
    auto* r = static_cast<Ricezione*>(utente);
    const size_t n = dimensione * quanti;
    if (r->ricevuti + n > r->massimo) {
        r->troppoGrande = true;
        return 0;  // anything but n makes libcurl stop with CURLE_WRITE_ERROR
    }
    size_t fatto = 0;
    while (fatto < n) {
        const ssize_t w = ::write(r->fd, dati + fatto, n - fatto);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
            // A short write on a full disk must not pass for success.
            r->erroreScrittura = w == 0 ? ENOSPC : errno;
            return 0;
        }
        fatto += static_cast<size_t>(w);
    }
    r->ricevuti += n;
    return n;
}

int suAvanzamento(void* utente, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* continua = static_cast<const std::function<bool()>*>(utente);
    return (*continua)() ? 0 : 1;  // non-zero makes libcurl stop with CURLE_ABORTED_BY_CALLBACK
}

// libcurl and the thirty libraries it pulls in are loaded on the first download, not at start:
// a script that runs the tool hundreds of times for runs and files never pays for the network.
struct LibCurl {
    decltype(&::curl_global_init) global_init = nullptr;
    decltype(&::curl_easy_init) easy_init = nullptr;
    decltype(&::curl_easy_setopt) easy_setopt = nullptr;
    decltype(&::curl_easy_perform) easy_perform = nullptr;
    decltype(&::curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&::curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&::curl_easy_strerror) easy_strerror = nullptr;
    decltype(&::curl_slist_append) slist_append = nullptr;
    decltype(&::curl_slist_free_all) slist_free_all = nullptr;
    std::string errore;  // why it could not be loaded; empty when every function is there
};

template <typename F>
void risolvi(void* libreria, const char* nome, F& funzione, std::string& errore) {
    funzione = reinterpret_cast<F>(::dlsym(libreria, nome));
    if (!funzione && errore.empty()) errore = std::string("libcurl has no ") + nome;
}

const LibCurl& inizializzaCurl() {
    static const LibCurl curl = [] {
        LibCurl c;
        void* libreria = ::dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!libreria) {
            const char* e = ::dlerror();
            c.errore = std::string("the HTTP client (libcurl.so.4) cannot be loaded: ") + (e ? e : "not found");
            return c;
        }
        risolvi(libreria, "curl_global_init", c.global_init, c.errore);
        risolvi(libreria, "curl_easy_init", c.easy_init, c.errore);
        risolvi(libreria, "curl_easy_setopt", c.easy_setopt, c.errore);
        risolvi(libreria, "curl_easy_perform", c.easy_perform, c.errore);
        risolvi(libreria, "curl_easy_getinfo", c.easy_getinfo, c.errore);
        risolvi(libreria, "curl_easy_cleanup", c.easy_cleanup, c.errore);
        risolvi(libreria, "curl_easy_strerror", c.easy_strerror, c.errore);
        risolvi(libreria, "curl_slist_append", c.slist_append, c.errore);
        risolvi(libreria, "curl_slist_free_all", c.slist_free_all, c.errore);
        if (c.errore.empty()) c.global_init(CURL_GLOBAL_DEFAULT);
        return c;
    }();
    return curl;
}

#endif

}  // namespace

EsitoDownload ScaricaInTemporaneo(const std::string& url, const std::filesystem::path& cartella,
                                  const std::string& nome, bool svuotaCache, const OpzioniDownload& opzioni,
                                  std::filesystem::path& temporaneo) {
    EsitoDownload esito;
    temporaneo.clear();
#ifndef NOVANTA_CON_CURL
    (void)url;
    (void)cartella;
    (void)nome;
    (void)svuotaCache;
    (void)opzioni;
    esito.errore = "this build has no HTTP client (libcurl was not found)";
    return esito;
#else
    const LibCurl& lc = inizializzaCurl();
    if (!lc.errore.empty()) {
        esito.errore = lc.errore;
        return esito;
    }
    if (nome.empty()) {
        esito.errore = "no destination file";
        return esito;
    }
    std::string modello = (cartella / (nome + ".XXXXXX.part")).string();
    Ricezione r;
    r.massimo = opzioni.maxByte;
    r.fd = ::mkostemps(modello.data(), 5, O_CLOEXEC);
    const std::filesystem::path parziale = modello;
    if (r.fd < 0) {
        esito.errore = parziale.string() + ": " + std::strerror(errno);
        return esito;
    }
    ::fchmod(r.fd, 0644);

    CURL* curl = lc.easy_init();
    if (!curl) {
        ::close(r.fd);
        ::unlink(parziale.c_str());
        esito.errore = "cannot start the HTTP client";
        return esito;
    }
    char erroreCurl[CURL_ERROR_SIZE] = {0};
    curl_slist* intestazioni = nullptr;
    if (svuotaCache) {
        intestazioni = lc.slist_append(intestazioni, "Cache-Control: no-cache");
        intestazioni = lc.slist_append(intestazioni, "Pragma: no-cache");
    }
    lc.easy_setopt(curl, CURLOPT_URL, url.c_str());
    lc.easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    lc.easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    lc.easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    lc.easy_setopt(curl, CURLOPT_MAXREDIRS, opzioni.maxRedirect);
    lc.easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, opzioni.secondiConnessione);
    lc.easy_setopt(curl, CURLOPT_TIMEOUT, opzioni.secondiTotali);
    // A server that stops sending is left after secondiStallo seconds below one byte a second.
    lc.easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    lc.easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, opzioni.secondiStallo);
    lc.easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(opzioni.maxByte));
    lc.easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    lc.easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    // The reference server runs on this machine; a proxy from the environment must not see it.
    lc.easy_setopt(curl, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
    lc.easy_setopt(curl, CURLOPT_USERAGENT, "Novanta/" NOVANTA_VERSIONE);
    lc.easy_setopt(curl, CURLOPT_ERRORBUFFER, erroreCurl);
    lc.easy_setopt(curl, CURLOPT_WRITEFUNCTION, suDati);
    lc.easy_setopt(curl, CURLOPT_WRITEDATA, &r);
    if (intestazioni) lc.easy_setopt(curl, CURLOPT_HTTPHEADER, intestazioni);
    if (opzioni.continua) {
        lc.easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, suAvanzamento);
        lc.easy_setopt(curl, CURLOPT_XFERINFODATA, const_cast<std::function<bool()>*>(opzioni.continua));
        lc.easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    }

    const CURLcode codice = lc.easy_perform(curl);
    lc.easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &esito.statoHttp);
    lc.easy_cleanup(curl);
    lc.slist_free_all(intestazioni);

    if (codice != CURLE_OK) {
        if (r.troppoGrande || codice == CURLE_FILESIZE_EXCEEDED)
            esito.errore = "the file is larger than " + std::to_string(opzioni.maxByte) + " bytes";
        else if (codice == CURLE_ABORTED_BY_CALLBACK)
            esito.errore = "cancelled";
        else if (r.erroreScrittura)
            esito.errore = parziale.string() + ": " + std::strerror(r.erroreScrittura);
        else
            esito.errore = erroreCurl[0] ? erroreCurl : lc.easy_strerror(codice);
    } else if (esito.statoHttp < 200 || esito.statoHttp > 299) {
        esito.errore = "HTTP status " + std::to_string(esito.statoHttp);
    } else if (::fsync(r.fd) != 0) {
        esito.errore = parziale.string() + ": " + std::strerror(errno);
    }
    const int fd = r.fd;
    if (::close(fd) != 0 && esito.errore.empty()) esito.errore = parziale.string() + ": " + std::strerror(errno);
    if (!esito.errore.empty()) {
        ::unlink(parziale.c_str());
        return esito;
    }
    temporaneo = parziale;
    esito.ok = true;
    return esito;
#endif
}

EsitoDownload ScaricaFile(const std::string& url, const std::filesystem::path& destinazione, bool svuotaCache,
                          const OpzioniDownload& opzioni) {
    std::filesystem::path parziale;
    EsitoDownload esito = ScaricaInTemporaneo(url, destinazione.parent_path(), destinazione.filename().string(),
                                              svuotaCache, opzioni, parziale);
    if (!esito.ok) return esito;
    if (::rename(parziale.c_str(), destinazione.c_str()) != 0) {
        esito.ok = false;
        esito.errore = destinazione.string() + ": " + std::strerror(errno);
        ::unlink(parziale.c_str());
    }
    return esito;
}

bool DownloadFile(const std::string& url, const std::filesystem::path& destinazione, bool svuotaCache) {
    try {
        return ScaricaFile(url, destinazione, svuotaCache).ok;
    } catch (const std::exception& e) {
        UI().MsgBox(TestoErrore(ERRORE_APPLICAZIONE, e.what(), "DownloadFile", "Modulo corpo"), Pulsanti::OK);
        return false;
    }
}

std::filesystem::path CartellaTemp() {
    const auto cartella = mPathDati / "temp";
    std::error_code ec;
    if (!std::filesystem::is_directory(cartella, ec)) CreaCartella(cartella);
    return cartella;
}

}  // namespace novanta
