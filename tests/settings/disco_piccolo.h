#pragma once
// A small tmpfs mounted for one test: a full disk or a read-only folder that even root cannot
// write. Where mounting is not allowed the test skips itself.
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

namespace novanta::test {

class DiscoPiccolo {
public:
    explicit DiscoPiccolo(const std::filesystem::path& dove, const std::string& dimensione = "64k") : dove_(dove) {
        std::filesystem::create_directories(dove_);
        montato_ = ::mount("tmpfs", dove_.c_str(), "tmpfs", 0, ("size=" + dimensione).c_str()) == 0;
        if (!montato_) errore_ = std::strerror(errno);
    }
    ~DiscoPiccolo() {
        if (montato_) ::umount2(dove_.c_str(), MNT_DETACH);
    }
    bool montato() const { return montato_; }
    const std::string& errore() const { return errore_; }
    const std::filesystem::path& percorso() const { return dove_; }
    bool SolaLettura() { return ::mount("tmpfs", dove_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

private:
    std::filesystem::path dove_;
    bool montato_ = false;
    std::string errore_;
};

#define RICHIEDI_DISCO_PICCOLO(disco)                                                                    \
    do {                                                                                                 \
        if (!(disco).montato()) GTEST_SKIP() << "cannot mount a small tmpfs here: " << (disco).errore(); \
    } while (0)

// Sets (or, given null, unsets) an environment variable for one test and puts it back afterwards.
class VariabileDiProva {
public:
    VariabileDiProva(const char* nome, const char* valore) : nome_(nome) {
        if (const char* vecchio = std::getenv(nome)) salvato_ = vecchio;
        valore ? ::setenv(nome, valore, 1) : ::unsetenv(nome);
    }
    ~VariabileDiProva() { salvato_ ? ::setenv(nome_, salvato_->c_str(), 1) : ::unsetenv(nome_); }
    VariabileDiProva(const VariabileDiProva&) = delete;
    VariabileDiProva& operator=(const VariabileDiProva&) = delete;

private:
    const char* nome_;
    std::optional<std::string> salvato_;
};

// The locale variables for one test: LANG only.
struct LocaleDiProva {
    explicit LocaleDiProva(const char* lang) : lang_("LANG", lang) {}
    VariabileDiProva lcAll_{"LC_ALL", nullptr}, lcMessages_{"LC_MESSAGES", nullptr}, lang_;
};

}  // namespace novanta::test
