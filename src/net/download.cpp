#include "net/download.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>

#include "core/cartella_dati.h"
#include "core/corpo.h"
#include "settings/percorsi.h"
#include "versione.h"

#if __has_include(<curl/curl.h>)
#include <curl/curl.h>
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

void inizializzaCurl() {
    static std::once_flag fatto;
    std::call_once(fatto, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

#endif

}  // namespace

EsitoDownload ScaricaFile(const std::string& url, const std::filesystem::path& destinazione, bool svuotaCache,
                          const OpzioniDownload& opzioni) {
    EsitoDownload esito;
#ifndef NOVANTA_CON_CURL
    (void)url;
    (void)destinazione;
    (void)svuotaCache;
    (void)opzioni;
    esito.errore = "this build has no HTTP client (libcurl was not found)";
    return esito;
#else
    inizializzaCurl();
    if (destinazione.empty() || destinazione.filename().empty()) {
        esito.errore = "no destination file";
        return esito;
    }
    const std::filesystem::path parziale = destinazione.string() + ".part";
    Ricezione r;
    r.massimo = opzioni.maxByte;
    r.fd = ::open(parziale.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (r.fd < 0) {
        esito.errore = parziale.string() + ": " + std::strerror(errno);
        return esito;
    }

    CURL* curl = curl_easy_init();
    if (!curl) {
        ::close(r.fd);
        ::unlink(parziale.c_str());
        esito.errore = "cannot start the HTTP client";
        return esito;
    }
    char erroreCurl[CURL_ERROR_SIZE] = {0};
    curl_slist* intestazioni = nullptr;
    if (svuotaCache) {
        intestazioni = curl_slist_append(intestazioni, "Cache-Control: no-cache");
        intestazioni = curl_slist_append(intestazioni, "Pragma: no-cache");
    }
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, opzioni.maxRedirect);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, opzioni.secondiConnessione);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, opzioni.secondiTotali);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(opzioni.maxByte));
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    // The reference server runs on this machine; a proxy from the environment must not see it.
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Novanta/" NOVANTA_VERSIONE);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, erroreCurl);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, suDati);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &r);
    if (intestazioni) curl_easy_setopt(curl, CURLOPT_HTTPHEADER, intestazioni);
    if (opzioni.continua) {
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, suAvanzamento);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, const_cast<std::function<bool()>*>(opzioni.continua));
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    }

    const CURLcode codice = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &esito.statoHttp);
    curl_easy_cleanup(curl);
    curl_slist_free_all(intestazioni);

    if (codice != CURLE_OK) {
        if (r.troppoGrande || codice == CURLE_FILESIZE_EXCEEDED)
            esito.errore = "the file is larger than " + std::to_string(opzioni.maxByte) + " bytes";
        else if (codice == CURLE_ABORTED_BY_CALLBACK)
            esito.errore = "cancelled";
        else if (r.erroreScrittura)
            esito.errore = parziale.string() + ": " + std::strerror(r.erroreScrittura);
        else
            esito.errore = erroreCurl[0] ? erroreCurl : curl_easy_strerror(codice);
    } else if (esito.statoHttp < 200 || esito.statoHttp > 299) {
        esito.errore = "HTTP status " + std::to_string(esito.statoHttp);
    } else if (::fsync(r.fd) != 0) {
        esito.errore = parziale.string() + ": " + std::strerror(errno);
    }
    const int fd = r.fd;
    if (::close(fd) != 0 && esito.errore.empty()) esito.errore = parziale.string() + ": " + std::strerror(errno);
    if (esito.errore.empty() && ::rename(parziale.c_str(), destinazione.c_str()) != 0)
        esito.errore = destinazione.string() + ": " + std::strerror(errno);
    if (!esito.errore.empty()) {
        ::unlink(parziale.c_str());
        return esito;
    }
    esito.ok = true;
    return esito;
#endif
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
