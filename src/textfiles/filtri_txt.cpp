#include "textfiles/filtri_txt.h"

#include <algorithm>
#include <fstream>

#include "support/file_atomico.h"
#include "support/righe_testo.h"
#include "textfiles/numeri_riga.h"

namespace novanta {

namespace {
std::string messaggioFiltri(const ErroreLettura& e) {
    return TestoErrore(e, "loadFileToFilters", "Form frmImportFiltri");
}
}  // namespace

bool StringToFiltro(const std::string& riga, int32_t presenze, tFiltroGruppo& filtro, ErroreLettura& errore) {
    filtro = tFiltroGruppo{};
    std::vector<int> numeri;
    // The program converts a token to a Long: only beyond that is it an overflow.
    if (!NumeriDellaRiga(riga, numeri, errore, INT32_MAX)) return false;
    for (int n : numeri) filtro.numeri[static_cast<size_t>(n)] = 1;
    filtro.presenze = presenze;
    filtro.attivo = true;
    return true;
}

bool LeggiFiltriTxt(std::istream& in, int32_t presenze, std::vector<tFiltroGruppo>& filtri, bool& limite,
                    std::string& messaggio, const AvanzamentoFiltri& avanzamento) {
    std::vector<tFiltroGruppo> letti;
    // The share of the file read, for the progress shown while a long file is read.
    std::streamoff dimensione = 0;
    if (avanzamento) {
        const auto inizio = in.tellg();
        if (inizio >= 0 && in.seekg(0, std::ios::end)) {
            dimensione = in.tellg() - inizio;
            in.seekg(inizio);
        }
        in.clear();
        avanzamento(0, 0);
    }
    const auto inizioLettura = in.tellg();
    const auto percento = [&] {
        const auto pos = in.tellg();
        if (dimensione <= 0 || pos < 0) return 100;
        return static_cast<int>(std::min<std::streamoff>(100, (pos - inizioLettura) * 100 / dimensione));
    };
    limite = false;
    LettoreRighe lettore(in);
    std::string riga;
    int64_t numeroRiga = 0;
    ErroreLettura errore;
    while (static_cast<int32_t>(letti.size()) < MAX_FILTRI && lettore.leggi(riga)) {
        ++numeroRiga;
        UI().DoEvents();
        riga = PulisciRiga(riga);
        if (lettore.troppoLunga()) {
            messaggio = messaggioFiltri({ERRORE_APPLICAZIONE, "Line " + std::to_string(numeroRiga) + " too long"});
            return false;
        }
        if (riga.empty()) continue;
        tFiltroGruppo f;
        if (!StringToFiltro(riga, presenze, f, errore)) {
            messaggio = messaggioFiltri({errore.numero, errore.descrizione + " (line " + std::to_string(numeroRiga) +
                                                            ": " + riga.substr(0, 80) + ")"});
            return false;
        }
        letti.push_back(f);
        if (avanzamento && letti.size() % 2000 == 0) avanzamento(static_cast<int32_t>(letti.size()), percento());
    }
    // Full: only a further non-empty line means the file held more than the list takes.
    while (static_cast<int32_t>(letti.size()) >= MAX_FILTRI && !limite && lettore.leggi(riga))
        limite = !PulisciRiga(riga).empty();
    if (avanzamento) avanzamento(static_cast<int32_t>(letti.size()), 100);
    filtri = std::move(letti);
    return true;
}

bool ApriFileFiltri(const std::string& nomeFile, std::ifstream& in, std::string& messaggio) {
    ErroreLettura e{53, "File not found: " + nomeFile};
    if (FileRegolareDaLeggere(nomeFile, e.numero, e.descrizione))
        in.open(std::filesystem::path(nomeFile), std::ios::binary);
    if (in.is_open()) return true;
    messaggio = messaggioFiltri(e);
    return false;
}

std::optional<int32_t> loadFileToFilters(TabellaFiltri& lista, const std::string& nomeFile, int32_t presenze,
                                         const AvanzamentoFiltri& avanzamento) {
    std::ifstream in;
    std::string errore;
    if (!ApriFileFiltri(nomeFile, in, errore)) {
        UI().MsgBox(errore);
        return std::nullopt;
    }
    UI().Clessidra(true);
    std::vector<tFiltroGruppo> filtri;
    bool limite = false;
    std::string messaggio;
    const bool ok = LeggiFiltriTxt(in, presenze, filtri, limite, messaggio, avanzamento);
    UI().Clessidra(false);
    if (!ok) {
        UI().MsgBox(messaggio);
        return std::nullopt;
    }
    lista.Cancella();
    for (size_t i = 0; i < filtri.size(); ++i) lista[static_cast<int32_t>(i) + 1] = filtri[i];
    // The window tells of the full list also when the file held exactly 150,000 filters.
    if (static_cast<int32_t>(filtri.size()) >= MAX_FILTRI) AvvisoLimite(MAX_FILTRI);
    return static_cast<int32_t>(filtri.size());
}

bool ImportaFiltriGruppo(int32_t tipoFiltro, const std::string& nomeFile, int32_t presenze,
                         const AvanzamentoFiltri& avanzamento) {
    const auto n = loadFileToFilters(tipoFiltro != 0 ? mFiltriOR : mFiltriAND, nomeFile, presenze, avanzamento);
    if (!n) return false;
    (tipoFiltro != 0 ? mNumFiltriOR : mNumFiltriAND) = *n;
    return true;
}

}  // namespace novanta
