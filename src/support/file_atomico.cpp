#include "support/file_atomico.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace novanta {

namespace {

// The file a save really replaces: a symbolic link is followed (relative targets from the link's
// folder), so the link stays and the file it points to gets the new content.
std::filesystem::path fileReale(std::filesystem::path p) {
    for (int salti = 0; salti < 40; ++salti) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(p, ec))) break;
        const auto dove = std::filesystem::read_symlink(p, ec);
        if (ec) break;
        p = dove.is_absolute() ? dove : p.parent_path() / dove;
    }
    return p;
}

}  // namespace

ScrittoreAtomico::ScrittoreAtomico(const std::filesystem::path& destinazione) : destinazione_(fileReale(destinazione)) {
    struct stat st {};
    const bool esiste = ::stat(destinazione_.c_str(), &st) == 0;
    if (esiste && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
        // A device or a FIFO is written in place: renaming a file over it would replace the device
        // node itself (a save to /dev/null as root would leave a regular file there).
        diretto_ = true;
        fd_ = ::open(destinazione_.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd_ < 0) fallito("open");
        buffer_.reserve(1 << 16);
        return;
    }
    std::random_device rd;
    for (int tentativo = 0; tentativo < 16 && fd_ < 0; ++tentativo) {
        auto nome = destinazione_.filename().string() + ".tmp" + std::to_string(rd() % 1000000);
        temporaneo_ = destinazione_.parent_path() / nome;
        fd_ = ::open(temporaneo_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        fallito("open");
    } else if (esiste && S_ISREG(st.st_mode)) {
        // The new file keeps the permissions of the one it replaces (a 0600 file stays private).
        ::fchmod(fd_, st.st_mode & 07777);
    }
    buffer_.reserve(1 << 16);
}

ScrittoreAtomico::~ScrittoreAtomico() {
    if (fd_ >= 0) {
        ::close(fd_);
        if (!diretto_) ::unlink(temporaneo_.c_str());
    }
}

void ScrittoreAtomico::fallito(const std::string& dove) {
    if (!fallito_) {
        const int e = errno;
        numero_ = 75;
        errore_ = dove + ": " + (e ? std::strerror(e) : "write failed") + " (" + destinazione_.string() + ")";
    }
    fallito_ = true;
}

bool ScrittoreAtomico::svuota() {
    size_t fatto = 0;
    while (fatto < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + fatto, buffer_.size() - fatto);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            fallito("write");
            return false;
        }
        fatto += static_cast<size_t>(n);
    }
    buffer_.clear();
    return true;
}

bool ScrittoreAtomico::scrivi(std::string_view dati) {
    if (fd_ < 0 || fallito_) return false;
    buffer_.append(dati);
    if (buffer_.size() >= (1 << 16)) return svuota();
    return true;
}

bool ScrittoreAtomico::conferma() {
    if (fd_ < 0 || fallito_) return false;
    if (!svuota()) return false;
    if (diretto_) {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) {
            fallito("close");
            return false;
        }
        return true;
    }
    if (::fsync(fd_) != 0) {
        fallito("fsync");
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        fallito("close");
        ::unlink(temporaneo_.c_str());
        return false;
    }
    if (::rename(temporaneo_.c_str(), destinazione_.c_str()) != 0) {
        fallito("rename");
        ::unlink(temporaneo_.c_str());
        return false;
    }
    return true;
}

bool ScriviFileAtomico(const std::filesystem::path& destinazione, std::string_view contenuto, std::string& errore,
                       int* numero) {
    ScrittoreAtomico w(destinazione);
    const bool ok = w.scrivi(contenuto) && w.conferma();
    if (!ok) {
        errore = w.errore();
        if (numero) *numero = w.numeroErrore() ? w.numeroErrore() : 75;
    }
    return ok;
}

bool FileRegolareDaLeggere(const std::filesystem::path& file, int& numero, std::string& descrizione) {
    std::error_code ec;
    const auto stato = std::filesystem::status(file, ec);
    if (std::filesystem::is_regular_file(stato)) return true;
    if (!std::filesystem::exists(stato)) {
        numero = 53;
        descrizione = "File not found: " + file.string();
    } else {
        numero = 75;
        descrizione = "Path/File access error: " + file.string() +
                      (std::filesystem::is_directory(stato) ? " is a folder, not a file" : " is not a regular file");
    }
    return false;
}

}  // namespace novanta
