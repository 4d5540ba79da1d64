#include "settings/multiLanguage.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <unordered_map>

#include "settings/classINI.h"
#include "settings/lingue_distribuite.h"
#include "settings/percorsi.h"
#include "support/testo.h"

namespace novanta {

namespace {

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

// A language file read and indexed once: every caption of a window is one look-up, not one
// reading of the file. The index is rebuilt when the file's size or time changes (a download
// replaced it).
struct IndiceLingua {
    std::string testo;
    bool scansione = false;  // larger than MAX_BYTE_LINGUA_INI: keys in any section, case-sensitive
    std::unordered_map<std::string, std::string> voci;
    std::uintmax_t dimensione = 0;
    std::filesystem::file_time_type ora{};

    void Costruisci(std::string contenuto) {
        testo = std::move(contenuto);
        voci.clear();
        scansione = testo.size() > MAX_BYTE_LINGUA_INI;
        if (!scansione) {
            for (auto& v : VociINI(testo, MAX_VALORE_LINGUA))
                voci.emplace(Minuscolo(v.sezione) + '\x1f' + Minuscolo(v.chiave), std::move(v.valore));
            return;
        }
        size_t p = 0;
        while (p < testo.size()) {
            const size_t a = testo.find('\n', p);
            const std::string_view riga =
                std::string_view(testo).substr(p, a == std::string::npos ? std::string::npos : a - p);
            const auto uguale = riga.find('=');
            if (uguale != std::string_view::npos && uguale > 0)
                voci.emplace(std::string(riga.substr(0, uguale)), valoreScansione(riga, riga.substr(0, uguale)));
            if (a == std::string::npos) break;
            p = a + 1;
        }
    }

    std::string Valore(std::string_view sezione, std::string_view chiave) const {
        if (scansione) {
            if (chiave.find('=') != std::string_view::npos) {
                std::string v;
                trovaConScansione(testo, chiave, v);
                return v;
            }
            const auto it = voci.find(std::string(chiave));
            return it == voci.end() ? std::string() : it->second;
        }
        const auto it = voci.find(Minuscolo(Rifila(sezione)) + '\x1f' + Minuscolo(Rifila(chiave)));
        return it == voci.end() ? std::string() : it->second;
    }
};

unsigned lettureLingua = 0;

std::map<std::filesystem::path, IndiceLingua>& Indici() {
    static std::map<std::filesystem::path, IndiceLingua> indici;
    return indici;
}

// The index of a file, read again only when the file changed; null when it cannot be read.
const IndiceLingua* indiceDi(const std::filesystem::path& file) {
    auto& indici = Indici();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        indici.erase(file);
        return nullptr;
    }
    const auto dimensione = std::filesystem::file_size(file, ec);
    const auto ora = std::filesystem::last_write_time(file, ec);
    if (ec) return nullptr;
    auto it = indici.find(file);
    if (it != indici.end() && it->second.dimensione == dimensione && it->second.ora == ora) return &it->second;
    std::string testo;
    if (!LeggiFileIntero(file, MAX_BYTE_LINGUA, testo)) {
        indici.erase(file);
        return nullptr;
    }
    if (indici.size() > 16) indici.clear();
    IndiceLingua& indice = indici[file];
    indice.Costruisci(std::move(testo));
    indice.dimensione = dimensione;
    indice.ora = ora;
    ++lettureLingua;
    return &indice;
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
    if (const auto* d = LinguaDistribuitaDi(nome)) {
        static std::map<std::string, IndiceLingua> distribuite;
        auto it = distribuite.find(std::string(d->nome));
        if (it == distribuite.end()) {
            it = distribuite.emplace(std::string(d->nome), IndiceLingua{}).first;
            it->second.Costruisci(std::string(d->contenuto));
        }
        return it->second.Valore(sezione, chiave);
    }
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
    const IndiceLingua* indice = indiceDi(file);
    return indice ? indice->Valore(sezione, chiave) : std::string();
}

unsigned LettureFileLingua() { return lettureLingua; }

std::filesystem::path TrovaFileLingua(const std::string& nome) {
    if (nome.empty() || mPathDati.empty()) return {};
    const std::string cercato = Minuscolo(nome + ".lng");
    std::error_code ec;
    const auto esatto = mPathDati / (nome + ".lng");
    if (std::filesystem::is_regular_file(esatto, ec)) return esatto;
    for (std::filesystem::directory_iterator it(mPathDati, ec), fine; !ec && it != fine; it.increment(ec)) {
        if (Minuscolo(it->path().filename().string()) == cercato && it->is_regular_file(ec)) return it->path();
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
        const std::string locale = Minuscolo(v);
        return locale.rfind("en", 0) == 0 ? "english" : "italiano";
    }
    return "italiano";
}

std::string LinguaEffettiva() {
    if (!mLinguaCorrente.empty() && !TrovaFileLingua(mLinguaCorrente).empty()) return mLinguaCorrente;
    return LinguaDiSistema();
}

std::string CodiceLingua() {
    // The code names a translation file: letters and "_" only.
    const std::string codice = Minuscolo(TestoLingua("Info", "Codice"));
    if (codice.size() >= 2 && codice.size() <= 5 &&
        std::all_of(codice.begin(), codice.end(), [](char c) { return (c >= 'a' && c <= 'z') || c == '_'; }))
        return codice;
    return Minuscolo(LinguaEffettiva()).rfind("en", 0) == 0 ? "en" : "it";
}

std::string TestoLingua(const std::string& sezione, const std::string& chiave) {
    // A new language, or the same in another data folder, is read afresh.
    static std::string ultima;
    if (const std::string ora = mLinguaCorrente + '\n' + mPathDati.string(); ora != ultima) {
        Indici().clear();
        ultima = ora;
    }
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

std::string TestoMessaggio(const std::string& id, std::initializer_list<std::string> parametri) {
    std::string testo = TestoMessaggio(id);
    std::string out;
    for (size_t i = 0; i < testo.size(); ++i) {
        const size_t n = i + 1 < testo.size() ? static_cast<size_t>(testo[i + 1] - '1') : parametri.size();
        if (testo[i] == '%' && n < parametri.size()) {
            out += *(parametri.begin() + n);
            ++i;
        } else {
            out += testo[i];
        }
    }
    return out;
}

const LinguaDistribuita* LinguaDistribuitaDi(std::string_view nome) {
    const std::string cercato = Minuscolo(nome);
    for (const auto& l : LingueDistribuite())
        if (Minuscolo(l.nome) == cercato) return &l;
    return nullptr;
}

}  // namespace novanta
