#include "textfiles/colonne_txt.h"

#include <algorithm>
#include <fstream>

#include "support/file_atomico.h"
#include "support/formato.h"
#include "textfiles/numeri_riga.h"

namespace novanta {

void RigaColonnaTxt(int32_t i, std::string& riga) {
    riga.assign(" ");
    const uint8_t* col = mArrColonne.colonna(i);
    for (int p = 0; p < mLenCol; ++p) {
        const uint8_t v = col[p];
        if (v == 0) continue;
        riga.push_back(static_cast<char>('0' + v / 10 % 10));
        riga.push_back(static_cast<char>('0' + v % 10));
        riga.push_back(' ');
    }
    riga.append("\r\n");
}

bool SalvaColonneTxt(const std::string& nomeFile) {
    UI().Clessidra(true);
    ScrittoreAtomico w{std::filesystem::path(nomeFile)};
    std::string riga;
    bool ok = w.aperto();
    for (int32_t i = 1; ok && i <= mSistema.nColonne; ++i) {
        RigaColonnaTxt(i, riga);
        ok = w.scrivi(riga);
    }
    ok = ok && w.conferma();
    UI().Clessidra(false);
    if (!ok) {
        UI().MsgBox(
            TestoErrore(w.numeroErrore() ? w.numeroErrore() : 75, w.errore(), "SalvaColonneTxt", "Modulo corpo"));
    }
    return ok;
}

bool EsportazionePossibile() {
    if (mSistema.nColonne > 0) return true;
    UI().MsgBox(TestoMessaggio("0162"), Pulsanti::OK, Icona::Esclamazione);
    return false;
}

namespace {

std::string messaggioImport(const ErroreLettura& e, const std::string& testo) {
    return TestoErrore(e, "ImportaColonneTxt", "Modulo corpo ") + "\r\nRiga [" + testo + "]";
}

}  // namespace

bool LeggiColonneTxt(std::istream& in, ColonneLette& ris, std::string& messaggio) {
    ColonneLette letto;
    std::vector<int> numeri;
    ErroreLettura errore;
    LettoreRighe lettore(in);
    std::string riga;
    while (lettore.leggi(riga)) {
        const std::string pezzo = PulisciRiga(riga);
        if (lettore.troppoLunga()) {
            messaggio = messaggioImport({ERRORE_APPLICAZIONE, "Line too long"}, pezzo.substr(0, 80));
            return false;
        }
        if (pezzo.empty()) continue;
        UI().DoEvents();
        if (!NumeriColonnaRiga(pezzo, numeri, errore)) {
            messaggio = messaggioImport(errore, pezzo);
            return false;
        }
        // A line of separators only holds no number: it counts as blank.
        if (numeri.empty()) continue;
        if (letto.righe == 0) {
            if (numeri.size() < static_cast<size_t>(LEN_COL_MIN) || numeri.size() > static_cast<size_t>(LEN_COL_MAX)) {
                messaggio =
                    messaggioImport({ERRORE_APPLICAZIONE, "The first column has " + std::to_string(numeri.size()) +
                                                              " numbers: from 2 to 25 are allowed"},
                                    pezzo);
                return false;
            }
            letto.lenCol = static_cast<int>(numeri.size());
        }
        if (numeri.size() < static_cast<size_t>(letto.lenCol)) {
            messaggio = messaggioImport({9, "Subscript out of range"}, pezzo);
            return false;
        }
        if (letto.righe >= MAX_COLONNE) {
            messaggio = messaggioImport({ERRORE_APPLICAZIONE, "More than 3,000,000 columns"}, pezzo);
            return false;
        }
        ++letto.righe;
        const size_t base = letto.numeri.size();
        for (int j = 0; j < letto.lenCol; ++j) {
            letto.numeri.push_back(static_cast<uint8_t>(numeri[static_cast<size_t>(j)]));
            letto.presenti[static_cast<size_t>(numeri[static_cast<size_t>(j)])] = true;
        }
        std::sort(letto.numeri.begin() + static_cast<std::ptrdiff_t>(base), letto.numeri.end());
    }
    ris = std::move(letto);
    return true;
}

bool LeggiColonneTxt(const std::filesystem::path& file, ColonneLette& ris, std::string& messaggio) {
    ErroreLettura e;
    if (!FileRegolareDaLeggere(file, e.numero, e.descrizione)) {
        messaggio = messaggioImport(e, "");
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        messaggio = messaggioImport({53, "File not found"}, "");
        return false;
    }
    return LeggiColonneTxt(in, ris, messaggio);
}

bool ImportaColonneTxt(const std::string& nomeFile) {
    bool sostituito = false;
    if (!nomeFile.empty()) {
        UI().AbilitaFinestraPrincipale(false);
        UI().Clessidra(true);
        ColonneLette letto;
        std::string messaggio;
        const bool letti = LeggiColonneTxt(std::filesystem::path(nomeFile), letto, messaggio);
        if (letti && letto.righe == 0)
            messaggio = TestoMessaggio("0163", {std::filesystem::path(nomeFile).filename().string()});
        if (!letti || letto.righe == 0) {
            UI().Clessidra(false);
            UI().MsgBox(messaggio, Pulsanti::OK, letti ? Icona::Esclamazione : Icona::Nessuna);
            UI().AbilitaFinestraPrincipale(true);
            return false;
        }
        mFileSistema = nomeFile;
        ResetSistema(false);
        mLenCol = static_cast<int16_t>(letto.lenCol);
        for (int32_t r = 0; r < letto.righe; ++r) {
            uint8_t* col = mArrColonne.colonnaScrittura(r + 1);
            std::copy_n(letto.numeri.data() + static_cast<size_t>(r) * letto.lenCol, letto.lenCol, col);
        }
        for (int n = 1; n <= 90; ++n)
            if (letto.presenti[static_cast<size_t>(n)]) GrigliaNumeriClick(n - 1);
        CaricaPronostico();
        mSistema.descrizione = "FILE TXT";
        mSistema.nColonne = letto.righe;
        LockGUI();
        ImpostaFileSistema(mFileSistema);
        ViewStatusBar();
        UI().Clessidra(false);
        UI().AbilitaFinestraPrincipale(true);
        sostituito = true;
    }
    ImpostaLenCol(mLenCol);
    if (mConfig.modalitaRicalcolo) Sblocca_x_Ricalcolo();
    return sostituito;
}

bool StringToArrayColonna(const std::string& riga, tColonna& colonna, ErroreLettura& errore) {
    colonna = tColonna{};
    std::vector<int> numeri;
    if (!NumeriColonnaRiga(riga, numeri, errore)) return false;
    if (numeri.size() > static_cast<size_t>(MAX_POSIZIONI)) {
        errore = {ERRORE_APPLICAZIONE,
                  "The line has " + std::to_string(numeri.size()) + " numbers: at most 25 are allowed"};
        return false;
    }
    for (size_t i = 0; i < numeri.size(); ++i) {
        const auto v = static_cast<uint8_t>(numeri[i]);
        colonna.numeri[i + 1] = v;
        colonna.massimo = std::max(colonna.massimo, v);
        colonna.minimo = std::min(colonna.minimo, v);
    }
    colonna.lunghezza = static_cast<uint8_t>(numeri.size());
    return true;
}

tColonna StringToArrayColonna(const std::string& riga) {
    tColonna colonna;
    ErroreLettura errore;
    if (StringToArrayColonna(riga, colonna, errore)) return colonna;
    UI().MsgBox(TestoErrore(errore, "StringToArrayColonna", "Modulo corpo") + "\r\nRiga [" +
                riga.substr(0, 80) + "]");
    tColonna vuota;
    vuota.minimo = 0;
    return vuota;
}

std::vector<tColonna> LoadTxtToColonneArray(std::istream& in, int32_t massimo) {
    // Room for 1,000 records, then 5,000 more each time it fills up.
    std::vector<tColonna> risultato;
    risultato.reserve(1001);
    risultato.emplace_back();
    LettoreRighe lettore(in);
    std::string riga;
    while ((massimo <= 0 || static_cast<int32_t>(risultato.size()) - 1 < massimo) && lettore.leggi(riga)) {
        UI().DoEvents();
        riga = PulisciRiga(riga);
        if (riga.empty()) continue;
        if (risultato.size() == risultato.capacity()) risultato.reserve(risultato.capacity() + 5000);
        if (lettore.troppoLunga()) {
            // Far longer than any list of 25 numbers: refused like any unreadable line.
            UI().MsgBox(TestoErrore(ERRORE_APPLICAZIONE, "Line too long", "StringToArrayColonna", "Modulo corpo"));
            tColonna vuota;
            vuota.minimo = 0;
            risultato.push_back(vuota);
            continue;
        }
        risultato.push_back(StringToArrayColonna(riga));
    }
    if (risultato.size() == 1) risultato.front() = tColonna{};
    risultato.shrink_to_fit();
    return risultato;
}

std::vector<tColonna> LoadTxtToColonneArray(const std::string& nomeFile, int32_t massimo, bool* riuscito) {
    int numero = 53;
    std::string descrizione = "File not found";
    std::ifstream in;
    if (FileRegolareDaLeggere(nomeFile, numero, descrizione))
        in.open(std::filesystem::path(nomeFile), std::ios::binary);
    if (!in.is_open()) {
        UI().MsgBox(TestoErrore(numero, descrizione, "LoadTxtToColonneArray", "Module Corpo"));
        if (riuscito) *riuscito = false;
        return std::vector<tColonna>(1);
    }
    UI().Clessidra(true);
    auto risultato = LoadTxtToColonneArray(in, massimo);
    UI().Clessidra(false);
    if (riuscito) *riuscito = true;
    return risultato;
}

std::string ColonnaToString(std::span<const uint8_t> numeri, uint8_t nSpazi) {
    std::string out;
    const std::string spazi(nSpazi, ' ');
    for (uint8_t v : numeri) {
        if (v == 0) continue;
        out += FormatoZeri(v, 2);
        out += spazi;
    }
    const auto fine = out.find_last_not_of(' ');
    return fine == std::string::npos ? "" : out.substr(0, fine + 1);
}

}  // namespace novanta
