#include "settings/multiLanguage.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>

#include "settings/classINI.h"
#include "settings/lingue_distribuite.h"
#include "settings/percorsi.h"

namespace novanta {

namespace {

std::string minuscolo(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// The simple scanner of large language files: the first line that starts with the key followed
// by "=", in any section; the value loses its quotes.
std::string valoreScansione(std::string_view riga, std::string_view chiave) {
    if (riga.size() <= chiave.size() || riga.substr(0, chiave.size()) != chiave || riga[chiave.size()] != '=')
        return {};
    std::string_view v = riga.substr(chiave.size() + 1);
    if (!v.empty() && v.back() == '\r') v.remove_suffix(1);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    const auto nul = v.find('\0');
    if (nul != std::string_view::npos) v = v.substr(0, nul);
    if (v.size() > MAX_VALORE_LINGUA) v = v.substr(0, MAX_VALORE_LINGUA);
    return std::string(v);
}

bool trovaConScansione(std::string_view testo, std::string_view chiave, std::string& valore) {
    if (chiave.empty()) return false;
    size_t p = 0;
    while (p < testo.size()) {
        const size_t a = testo.find('\n', p);
        const std::string_view riga = testo.substr(p, a == std::string_view::npos ? std::string_view::npos : a - p);
        if (riga.size() > chiave.size() && riga.substr(0, chiave.size()) == chiave && riga[chiave.size()] == '=') {
            valore = valoreScansione(riga, chiave);
            return true;
        }
        if (a == std::string_view::npos) break;
        p = a + 1;
    }
    return false;
}

// The fallback language's text: the user's copy in the data folder when there is one (it may be
// newer), else the copy shipped inside the program.
std::string testoDiRiserva(const std::string& sezione, const std::string& chiave) {
    const std::string nome = LinguaDiSistema();
    const auto file = TrovaFileLingua(nome);
    if (!file.empty()) {
        std::string v = LeggiINI(file, sezione, chiave);
        if (!v.empty()) return v;
    }
    if (const auto* d = LinguaDistribuitaDi(nome)) return LeggiINITesto(d->contenuto, sezione, chiave);
    return {};
}

}  // namespace

std::string LeggiINITesto(std::string_view contenuto, std::string_view sezione, std::string_view chiave) {
    if (contenuto.size() <= MAX_BYTE_LINGUA_INI) return ValoreINI(contenuto, sezione, chiave, "", MAX_VALORE_LINGUA);
    std::string valore;
    trovaConScansione(contenuto, chiave, valore);
    return valore;
}

std::string LeggiINI(const std::filesystem::path& file, const std::string& sezione, const std::string& chiave) {
    std::string testo;
    if (!LeggiFileIntero(file, MAX_BYTE_LINGUA, testo)) return "";
    return LeggiINITesto(testo, sezione, chiave);
}

std::filesystem::path TrovaFileLingua(const std::string& nome) {
    if (nome.empty() || mPathDati.empty()) return {};
    const std::string cercato = minuscolo(nome + ".lng");
    std::error_code ec;
    const auto esatto = mPathDati / (nome + ".lng");
    if (std::filesystem::is_regular_file(esatto, ec)) return esatto;
    for (std::filesystem::directory_iterator it(mPathDati, ec), fine; !ec && it != fine; it.increment(ec)) {
        if (minuscolo(it->path().filename().string()) == cercato && it->is_regular_file(ec)) return it->path();
    }
    return {};
}

std::filesystem::path FileLinguaCorrente() {
    auto file = TrovaFileLingua(mLinguaCorrente);
    return file.empty() ? mPathDati / (mLinguaCorrente + ".lng") : file;
}

std::string LinguaDiSistema() {
    for (const char* variabile : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(variabile);
        if (!v || !*v) continue;
        const std::string locale = minuscolo(v);
        return locale.rfind("en", 0) == 0 ? "english" : "italiano";
    }
    return "italiano";
}

std::string LinguaEffettiva() {
    if (!mLinguaCorrente.empty() && !TrovaFileLingua(mLinguaCorrente).empty()) return mLinguaCorrente;
    return LinguaDiSistema();
}

std::string TestoLingua(const std::string& sezione, const std::string& chiave) {
    if (!mLinguaCorrente.empty()) {
        const auto file = TrovaFileLingua(mLinguaCorrente);
        if (!file.empty()) return LeggiINI(file, sezione, chiave);
    }
    return testoDiRiserva(sezione, chiave);
}

std::string TestoMessaggio(const std::string& id) {
    if (mLinguaCorrente.empty() && !mPathDati.empty())
        mLinguaCorrente = LeggiINI(mPathDati / "qiv.ini", "IMPOSTAZIONI", "LINGUA");
    return TestoLingua("Strings", id);
}

const LinguaDistribuita* LinguaDistribuitaDi(std::string_view nome) {
    const std::string cercato = minuscolo(nome);
    for (const auto& l : LingueDistribuite())
        if (minuscolo(l.nome) == cercato) return &l;
    return nullptr;
}

}  // namespace novanta
