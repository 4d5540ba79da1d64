#include "settings/multiLanguage.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "settings/percorsi.h"

namespace novanta {

namespace {

std::string minuscolo(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string rifila(const std::string& s) {
    const auto inizio = s.find_first_not_of(" \t\r\n");
    if (inizio == std::string::npos) return "";
    const auto fine = s.find_last_not_of(" \t\r\n");
    return s.substr(inizio, fine - inizio + 1);
}

}  // namespace

std::string LeggiINI(const std::filesystem::path& file, const std::string& sezione, const std::string& chiave) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return "";
    const std::string sezioneCercata = minuscolo(sezione);
    const std::string chiaveCercata = minuscolo(chiave);
    std::string riga;
    bool dentro = false;
    while (std::getline(in, riga)) {
        const std::string r = rifila(riga);
        if (r.empty() || r[0] == ';') continue;
        if (r.front() == '[') {
            const auto chiusa = r.find(']');
            dentro = chiusa != std::string::npos && minuscolo(rifila(r.substr(1, chiusa - 1))) == sezioneCercata;
            continue;
        }
        if (!dentro) continue;
        const auto uguale = r.find('=');
        if (uguale == std::string::npos) continue;
        if (minuscolo(rifila(r.substr(0, uguale))) != chiaveCercata) continue;
        std::string valore = rifila(r.substr(uguale + 1));
        if (valore.size() >= 2 && valore.front() == '"' && valore.back() == '"') valore = valore.substr(1, valore.size() - 2);
        if (valore.size() > 511) valore.resize(511);
        return valore;
    }
    return "";
}

std::filesystem::path FileLinguaCorrente() { return mPathDati / (mLinguaCorrente + ".lng"); }

std::string TestoMessaggio(const std::string& id) {
    if (mLinguaCorrente.empty()) mLinguaCorrente = LeggiINI(mPathDati / "qiv.ini", "IMPOSTAZIONI", "LINGUA");
    if (mLinguaCorrente.empty()) return "";
    return LeggiINI(FileLinguaCorrente(), "Strings", id);
}

}  // namespace novanta
