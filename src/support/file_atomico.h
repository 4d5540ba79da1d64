#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace novanta {

// Writes a whole file through a temporary file in the same folder that is renamed over the
// target only when every byte was written and flushed: a full disk or a crash never leaves
// half a file, and the old file stays as it was. On failure returns false with errno's text
// in `errore` and the error number in `numero` (75, Path/File access error, when there is none).
// A symbolic link is followed: the file it points to is replaced and the link stays. The new
// file keeps the permission bits of the one it replaces. A device or a FIFO at the target is
// written directly, with no temporary file.
bool ScriviFileAtomico(const std::filesystem::path& destinazione, std::string_view contenuto, std::string& errore,
                       int* numero = nullptr);

// The same, with the content produced piece by piece: `scrivi` is called with a sink that
// appends to the temporary file (and returns false once a write failed).
class ScrittoreAtomico {
public:
    explicit ScrittoreAtomico(const std::filesystem::path& destinazione);
    ~ScrittoreAtomico();
    ScrittoreAtomico(const ScrittoreAtomico&) = delete;
    ScrittoreAtomico& operator=(const ScrittoreAtomico&) = delete;

    bool aperto() const { return fd_ >= 0; }
    bool scrivi(std::string_view dati);
    // Flushes, closes and renames; false (and the temporary file removed) on any failure.
    bool conferma();
    const std::string& errore() const { return errore_; }
    int numeroErrore() const { return numero_; }

private:
    bool svuota();
    void fallito(const std::string& dove);
    std::filesystem::path destinazione_;
    std::filesystem::path temporaneo_;
    std::string buffer_;
    std::string errore_;
    int numero_ = 0;
    int fd_ = -1;
    bool fallito_ = false;
    bool diretto_ = false;
};

// A file to be read must be a regular file (a link to one is fine): a folder would read as an
// empty file, /dev/zero would never end and a FIFO would block. False, with the run-time error
// number (53 when nothing is there, 75 otherwise) and its description, when it is not one.
bool FileRegolareDaLeggere(const std::filesystem::path& file, int& numero, std::string& descrizione);

}  // namespace novanta
