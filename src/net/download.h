#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace novanta {

// Limits of one download. The defaults suit the update server's files; the version check uses
// tighter ones so that start-up is never held for more than a few seconds.
struct OpzioniDownload {
    long secondiConnessione = 5;     // connect time-out
    long secondiTotali = 60;         // whole-transfer time-out
    long secondiStallo = 15;         // abandoned after this long without a byte
    long maxRedirect = 5;            // redirects followed at most
    uint64_t maxByte = 64ull << 20;  // the body may be no larger
    // Asked over and over while the transfer runs (at least once a second, also while the
    // server stalls); false stops it as a failed download. Called on the downloading thread.
    // The caller keeps it alive for the transfer; null asks nothing.
    const std::function<bool()>* continua = nullptr;
};

struct EsitoDownload {
    bool ok = false;
    long statoHttp = 0;  // the last HTTP status seen (0 when none)
    std::string errore;  // what went wrong, for logs and the command line
};

// Fetches `url` (http or https only) into `destinazione`. The body goes to a temporary file of
// its own in the same folder (made with mkstemp, so two downloads never share one), which is
// renamed over `destinazione` only after the transfer ended without error, the status was 2xx,
// no write came up short and the data reached the disk: a failed or truncated download leaves
// the old file untouched. With `svuotaCache` the request asks every cache on the way for a
// fresh copy.
EsitoDownload ScaricaFile(const std::string& url, const std::filesystem::path& destinazione, bool svuotaCache,
                          const OpzioniDownload& opzioni = {});

// The same, but the complete body stays in its own temporary file in `cartella` (named after
// `nome`, ending in ".part"), which the caller checks and then renames into place or removes.
// On failure nothing is left behind and `temporaneo` is empty.
EsitoDownload ScaricaInTemporaneo(const std::string& url, const std::filesystem::path& cartella,
                                  const std::string& nome, bool svuotaCache, const OpzioniDownload& opzioni,
                                  std::filesystem::path& temporaneo);

// True when the file was fetched (ScaricaFile with the default limits).
bool DownloadFile(const std::string& url, const std::filesystem::path& destinazione, bool svuotaCache);

// The temporary folder of the downloads, inside the data folder so every rename stays on one
// file system: mPathDati/temp, created when missing.
std::filesystem::path CartellaTemp();

}  // namespace novanta
