#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace novanta {

// Reads one value out of INI text the way the Windows private-profile reader did: sections
// "[name]" and "key=value" lines, section and key names matched without regard to case, blanks
// around names and values ignored, a value in matching quotes returned without them, the first
// occurrence winning. The result is cut at the first NUL and to `massimo` characters; a missing
// key gives `predefinito` (cut the same way), a present key with nothing after "=" gives "".
std::string ValoreINI(std::string_view testo, std::string_view sezione, std::string_view chiave,
                      std::string_view predefinito, size_t massimo);

// The same text with `chiave` of `sezione` set to `valore`: every other line stays as it was
// (line endings and comments included); a missing key is added at the end of its section, a
// missing section at the end of the text.
// Every "key=value" of INI text in file order, with its section, the value cut and unquoted as
// ValoreINI returns it: the language files are indexed once from it.
struct VoceINI {
    std::string_view sezione;
    std::string_view chiave;
    std::string valore;
};
std::vector<VoceINI> VociINI(std::string_view testo, size_t massimo);

std::string ImpostaValoreINI(std::string_view testo, std::string_view sezione, std::string_view chiave,
                             std::string_view valore);

// Settings files larger than this are not read (their keys read as defaults) and never rewritten.
constexpr std::uintmax_t MAX_BYTE_INI = 4u << 20;

// One INI file ("qiv.ini"): the caller sets the path, then reads and writes keys.
class classINI {
public:
    classINI() = default;
    explicit classINI(std::filesystem::path file) : file_(std::move(file)) {}

    void FileINI(const std::filesystem::path& file) { file_ = file; }
    const std::filesystem::path& FileINI() const { return file_; }

    // The value of `chiave` in `sezione` (at most 254 characters): `predefinito` when the file,
    // the section or the key is missing or the file cannot be read, "" when the key is empty.
    std::string getProperty(const std::string& sezione, const std::string& chiave,
                            const std::string& predefinito) const;

    // Writes the key, creating file and section as needed, through a temporary file renamed over
    // the old one. Line breaks and other control characters in the value become blanks, so a
    // value can never add lines of its own. False (see errore()) when the file could not be read
    // or written; the old file then stays as it was.
    bool setProperty(const std::string& sezione, const std::string& chiave, const std::string& valore);
    // Several keys of one section in one rewrite: all of them are written or none.
    bool setProperties(const std::string& sezione, const std::vector<std::pair<std::string, std::string>>& valori);

    const std::string& errore() const { return errore_; }
    int numeroErrore() const { return numeroErrore_; }

private:
    std::filesystem::path file_;
    std::string errore_;
    int numeroErrore_ = 0;
};

// Reads a whole file of at most `limite` bytes. False when it is missing, unreadable or larger.
bool LeggiFileIntero(const std::filesystem::path& file, std::uintmax_t limite, std::string& contenuto);

}  // namespace novanta
