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

// Sets the locale variables for one test (LANG only) and puts them back afterwards.
class LocaleDiProva {
public:
    explicit LocaleDiProva(const char* lang) {
        for (int i = 0; i < 3; ++i) {
            const char* vecchio = std::getenv(nomi_[i]);
            salvati_[i] = vecchio ? std::optional<std::string>(vecchio) : std::nullopt;
            ::unsetenv(nomi_[i]);
        }
        if (lang) ::setenv("LANG", lang, 1);
    }
    ~LocaleDiProva() {
        for (int i = 0; i < 3; ++i)
            salvati_[i] ? (void)::setenv(nomi_[i], salvati_[i]->c_str(), 1) : (void)::unsetenv(nomi_[i]);
    }

private:
    static constexpr const char* nomi_[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::optional<std::string> salvati_[3];
};

}  // namespace novanta::test
