#include "settings/classINI.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "support/file_atomico.h"
#include "support/testo.h"

namespace novanta {

namespace {

// One line of INI text: where it starts, its text without the line break, and the break itself.
struct Riga {
    size_t inizio;
    std::string_view testo;
    std::string_view fineRiga;
};

// A line ends at LF, CR LF or a lone CR, as the settings files written on any system do.
std::vector<Riga> righe(std::string_view testo) {
    std::vector<Riga> out;
    size_t p = 0;
    while (p < testo.size()) {
        const size_t fine = std::min(testo.find_first_of("\r\n", p), testo.size());
        size_t dopo = fine;
        if (dopo < testo.size()) dopo += testo.compare(dopo, 2, "\r\n") == 0 ? 2 : 1;
        out.push_back({p, testo.substr(p, fine - p), testo.substr(fine, dopo - fine)});
        p = dopo;
    }
    return out;
}

// The section a line opens, or nothing when it opens none.
bool sezioneDi(std::string_view riga, std::string_view& nome) {
    riga = Rifila(riga);
    if (riga.empty() || riga.front() != '[') return false;
    riga.remove_prefix(1);
    const auto chiusa = riga.find(']');
    nome = Rifila(riga.substr(0, chiusa));
    return true;
}

// The key and the value of a "key=value" line.
bool chiaveDi(std::string_view riga, std::string_view& chiave, std::string_view& valore) {
    const auto uguale = riga.find('=');
    if (uguale == std::string_view::npos) return false;
    chiave = Rifila(riga.substr(0, uguale));
    valore = Rifila(riga.substr(uguale + 1));
    return !chiave.empty() && chiave.front() != ';';
}

std::string taglia(std::string_view s, size_t massimo) {
    const auto nul = s.find('\0');
    if (nul != std::string_view::npos) s = s.substr(0, nul);
    if (s.size() > massimo) s = s.substr(0, massimo);
    return std::string(s);
}

}  // namespace

std::string ValoreINI(std::string_view testo, std::string_view sezione, std::string_view chiave,
                      std::string_view predefinito, size_t massimo) {
    const std::string_view sezioneCercata = Rifila(sezione);
    const std::string_view chiaveCercata = Rifila(chiave);
    bool dentro = false;
    for (const Riga& r : righe(testo)) {
        std::string_view nome;
        if (sezioneDi(r.testo, nome)) {
            dentro = UgualiSenzaCaso(nome, sezioneCercata);
            continue;
        }
        if (!dentro) continue;
        std::string_view k, v;
        if (!chiaveDi(r.testo, k, v) || !UgualiSenzaCaso(k, chiaveCercata)) continue;
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        return taglia(v, massimo);
    }
    return taglia(predefinito, massimo);
}

std::vector<VoceINI> VociINI(std::string_view testo, size_t massimo) {
    std::vector<VoceINI> out;
    std::string_view sezione;
    bool inSezione = false;
    for (const Riga& r : righe(testo)) {
        std::string_view nome;
        if (sezioneDi(r.testo, nome)) {
            sezione = nome;
            inSezione = true;
            continue;
        }
        std::string_view k, v;
        if (!inSezione || !chiaveDi(r.testo, k, v)) continue;
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        out.push_back({sezione, k, taglia(v, massimo)});
    }
    return out;
}

std::string ImpostaValoreINI(std::string_view testo, std::string_view sezione, std::string_view chiave,
                             std::string_view valore) {
    const auto tutte = righe(testo);
    // New lines end like the file's first line.
    const std::string_view a_capo = !tutte.empty() && !tutte.front().fineRiga.empty() ? tutte.front().fineRiga : "\n";
    const std::string nuovaRiga = std::string(Rifila(chiave)) + "=" + std::string(valore);

    // The first section of that name: where it starts, and where its last non-blank line ends.
    bool trovata = false;
    size_t dopoUltima = 0;
    for (size_t i = 0; i < tutte.size(); ++i) {
        std::string_view nome;
        if (sezioneDi(tutte[i].testo, nome)) {
            if (trovata) break;
            if (!UgualiSenzaCaso(nome, Rifila(sezione))) continue;
            trovata = true;
            dopoUltima = i;
            continue;
        }
        if (!trovata) continue;
        std::string_view k, v;
        if (chiaveDi(tutte[i].testo, k, v) && UgualiSenzaCaso(k, Rifila(chiave))) {
            std::string out(testo.substr(0, tutte[i].inizio));
            out += nuovaRiga;
            out += tutte[i].fineRiga;
            out += testo.substr(tutte[i].inizio + tutte[i].testo.size() + tutte[i].fineRiga.size());
            return out;
        }
        if (!Rifila(tutte[i].testo).empty()) dopoUltima = i;
    }

    std::string out;
    if (trovata) {
        const Riga& ultima = tutte[dopoUltima];
        const size_t taglio = ultima.inizio + ultima.testo.size() + ultima.fineRiga.size();
        out.assign(testo.substr(0, taglio));
        if (ultima.fineRiga.empty()) out += a_capo;
        out += nuovaRiga;
        out += a_capo;
        out += testo.substr(taglio);
        return out;
    }
    out.assign(testo);
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += a_capo;
    out += "[" + std::string(Rifila(sezione)) + "]";
    out += a_capo;
    out += nuovaRiga;
    out += a_capo;
    return out;
}

bool LeggiFileIntero(const std::filesystem::path& file, std::uintmax_t limite, std::string& contenuto) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return false;
    const auto dimensione = std::filesystem::file_size(file, ec);
    if (ec || dimensione > limite) return false;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    contenuto.assign(static_cast<size_t>(dimensione), '\0');
    in.read(contenuto.data(), static_cast<std::streamsize>(dimensione));
    contenuto.resize(static_cast<size_t>(in.gcount()));
    return !in.bad();
}

std::string classINI::getProperty(const std::string& sezione, const std::string& chiave,
                                  const std::string& predefinito) const {
    std::string testo;
    if (!LeggiFileIntero(file_, MAX_BYTE_INI, testo)) testo.clear();
    return ValoreINI(testo, sezione, chiave, predefinito, 254);
}

bool classINI::setProperty(const std::string& sezione, const std::string& chiave, const std::string& valore) {
    return setProperties(sezione, {{chiave, valore}});
}

bool classINI::setProperties(const std::string& sezione,
                             const std::vector<std::pair<std::string, std::string>>& valori) {
    errore_.clear();
    numeroErrore_ = 0;
    std::string testo;
    std::error_code ec;
    const bool esiste = std::filesystem::exists(file_, ec);
    if (esiste && !LeggiFileIntero(file_, MAX_BYTE_INI, testo)) {
        // Rewriting a file we could not read whole would lose the part we did not see.
        numeroErrore_ = 75;
        errore_ = "cannot read " + file_.string() + " (missing, unreadable or larger than " +
                  std::to_string(MAX_BYTE_INI) + " bytes)";
        return false;
    }
    for (const auto& [chiave, valore] : valori) {
        std::string pulito = valore;
        for (char& c : pulito)
            if (static_cast<unsigned char>(c) < 32) c = ' ';
        testo = ImpostaValoreINI(testo, sezione, chiave, pulito);
    }
    const std::string& nuovo = testo;
    std::string errore;
    int numero = 0;
    if (!ScriviFileAtomico(file_, nuovo, errore, &numero)) {
        numeroErrore_ = numero ? numero : 75;
        errore_ = errore;
        return false;
    }
    return true;
}

}  // namespace novanta
