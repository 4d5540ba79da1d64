#include "settings/impostazioni.h"

#include <algorithm>
#include <cctype>

#include "settings/classINI.h"
#include "support/testo.h"

namespace novanta {

namespace {}  // namespace

tImpostazioni LeggiImpostazioni(const std::filesystem::path& fileIni) {
    const classINI ini(fileIni);
    tImpostazioni t;
    t.intestazione =
        Rifila(ini.getProperty(SEZIONE_IMPOSTAZIONI, "INTESTAZIONE", INTESTAZIONE_PREDEFINITA).substr(0, 55), " ");
    t.stampante = ini.getProperty(SEZIONE_IMPOSTAZIONI, "STAMPANTE TABULATO", "NESSUNA");
    t.sorgenteRicalcolo = ini.getProperty(SEZIONE_IMPOSTAZIONI, "SORGENTE RICALCOLO", "1") == "1" ? 1 : 2;
    t.modalitaRicalcolo = ini.getProperty(SEZIONE_IMPOSTAZIONI, "MODALITA' RICALCOLO", "FALSE") == "TRUE";
    t.lingua = ini.getProperty(SEZIONE_IMPOSTAZIONI, "LINGUA", "");
    t.serverAggiornamenti = ini.getProperty(SEZIONE_IMPOSTAZIONI, "SERVER AGGIORNAMENTI", "");
    return t;
}

bool ScriviImpostazioni(const std::filesystem::path& fileIni, bool modalitaRicalcolo, uint8_t sorgenteRicalcolo,
                        const std::string& lingua, std::string& errore, int& numero) {
    classINI ini(fileIni);
    const bool ok =
        ini.setProperties(SEZIONE_IMPOSTAZIONI, {{"MODALITA' RICALCOLO", modalitaRicalcolo ? "TRUE" : "FALSE"},
                                                 {"SORGENTE RICALCOLO", sorgenteRicalcolo == 2 ? "2" : "1"},
                                                 {"LINGUA", lingua}});
    if (!ok) {
        errore = ini.errore();
        numero = ini.numeroErrore() ? ini.numeroErrore() : 75;
    }
    return ok;
}

tElencoLingue ElencoLingue(const std::filesystem::path& cartella, const std::string& scelta) {
    tElencoLingue out;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(cartella, ec), fine; !ec && it != fine; it.increment(ec)) {
        const std::string nome = it->path().filename().string();
        if (nome.size() <= 4 || Maiuscolo(nome.substr(nome.size() - 4)) != ".LNG") continue;
        std::error_code e2;
        if (!it->is_regular_file(e2)) continue;
        out.nomi.push_back(Maiuscolo(nome.substr(0, nome.size() - 4)));
    }
    std::sort(out.nomi.begin(), out.nomi.end());
    out.nomi.erase(std::unique(out.nomi.begin(), out.nomi.end()), out.nomi.end());
    const std::string cercata = Maiuscolo(scelta);
    for (size_t i = 0; i < out.nomi.size(); ++i)
        if (!cercata.empty() && out.nomi[i] == cercata) out.selezionata = static_cast<int>(i);
    return out;
}

}  // namespace novanta
