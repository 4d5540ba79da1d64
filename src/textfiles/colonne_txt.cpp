#include "textfiles/colonne_txt.h"

#include <algorithm>
#include <charconv>
#include <fstream>

#include "support/file_atomico.h"

namespace novanta {

std::string PulisciRiga(std::string riga) {
    std::replace(riga.begin(), riga.end(), '\t', ' ');
    std::string out;
    out.reserve(riga.size());
    for (size_t i = 0; i < riga.size(); ++i) {
        char c = riga[i];
        if (c == '\r' && i + 1 < riga.size() && riga[i + 1] == '\n') {
            c = ' ';
            ++i;
        }
        if (c == ' ' && !out.empty() && out.back() == ' ') continue;
        out.push_back(c);
    }
    const auto inizio = out.find_first_not_of(' ');
    if (inizio == std::string::npos) return "";
    const auto fine = out.find_last_not_of(' ');
    return out.substr(inizio, fine - inizio + 1);
}

bool SalvaColonneTxt(const std::string& nomeFile) {
    UI().Clessidra(true);
    ScrittoreAtomico w{std::filesystem::path(nomeFile)};
    std::string riga;
    bool ok = w.aperto();
    for (int32_t i = 1; ok && i <= mSistema.nColonne; ++i) {
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
        ok = w.scrivi(riga);
    }
    ok = ok && w.conferma();
    UI().Clessidra(false);
    if (!ok) {
        UI().MsgBox(TestoErrore(w.numeroErrore() ? w.numeroErrore() : 75, w.errore(), "SalvaColonneTxt", "Modulo corpo"));
    }
    return ok;
}

namespace {

struct ErroreRiga {
    int32_t numero;
    std::string descrizione;
};

bool separatore(char c) { return c == ' ' || c == '\t' || c == '-' || c == ',' || c == ';' || c == '.'; }

// Splits a cleaned piece into number tokens; an empty token next to a separator is skipped.
bool tokenizza(const std::string& pezzo, std::vector<int>& numeri, ErroreRiga& errore) {
    numeri.clear();
    size_t i = 0;
    while (i < pezzo.size()) {
        while (i < pezzo.size() && separatore(pezzo[i])) ++i;
        if (i >= pezzo.size()) break;
        size_t j = i;
        while (j < pezzo.size() && !separatore(pezzo[j])) ++j;
        const std::string_view tok(pezzo.data() + i, j - i);
        int valore = 0;
        bool cifre = std::all_of(tok.begin(), tok.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!cifre) {
            errore = {13, "Type mismatch"};
            return false;
        }
        const auto [ptr, ec] = std::from_chars(tok.data(), tok.data() + tok.size(), valore);
        if (ec != std::errc() || ptr != tok.data() + tok.size() || valore > 255) {
            errore = {6, "Overflow"};
            return false;
        }
        if (valore < 1 || valore > 90) {
            errore = {ERRORE_APPLICAZIONE, "Number " + std::to_string(valore) + " outside 1..90"};
            return false;
        }
        numeri.push_back(valore);
        i = j;
    }
    return true;
}

std::string messaggioImport(const ErroreRiga& e, const std::string& testo) {
    return TestoErrore(e.numero, e.descrizione, "ImportaColonneTxt", "Modulo corpo ") + "\r\nRiga [" + testo + "]";
}

}  // namespace

bool LeggiColonneTxt(std::istream& in, ColonneLette& ris, std::string& messaggio) {
    ColonneLette letto;
    std::string riga;
    std::vector<int> numeri;
    ErroreRiga errore{};
    // A line ends at CR, LF or CR LF; pieces that are empty after cleaning are skipped.
    auto elabora = [&](const std::string& grezza) -> bool {
        const std::string pezzo = PulisciRiga(grezza);
        if (pezzo.empty()) return true;
        if (!tokenizza(pezzo, numeri, errore)) {
            messaggio = messaggioImport(errore, pezzo);
            return false;
        }
        if (letto.righe == 0) {
            if (numeri.size() < static_cast<size_t>(LEN_COL_MIN) || numeri.size() > static_cast<size_t>(LEN_COL_MAX)) {
                messaggio = messaggioImport({ERRORE_APPLICAZIONE, "The first column has " + std::to_string(numeri.size()) +
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
        return true;
    };
    char c;
    riga.clear();
    while (in.get(c)) {
        if (c == '\r' || c == '\n') {
            if (!riga.empty()) {
                UI().DoEvents();
                if (!elabora(riga)) return false;
                riga.clear();
            }
            continue;
        }
        riga.push_back(c);
        if (riga.size() > (1u << 20)) {
            messaggio = messaggioImport({ERRORE_APPLICAZIONE, "Line too long"}, riga.substr(0, 80));
            return false;
        }
    }
    if (!riga.empty() && !elabora(riga)) return false;
    ris = std::move(letto);
    return true;
}

bool LeggiColonneTxt(const std::filesystem::path& file, ColonneLette& ris, std::string& messaggio) {
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
        UI().Clessidra(true);
        ColonneLette letto;
        std::string messaggio;
        if (!LeggiColonneTxt(std::filesystem::path(nomeFile), letto, messaggio)) {
            UI().Clessidra(false);
            UI().MsgBox(messaggio);
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
        if (letto.righe > 0) LockGUI();
        std::string titolo = std::filesystem::path(mFileSistema).filename().string();
        std::transform(titolo.begin(), titolo.end(), titolo.begin(), [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        mNomeFileSistema = titolo;
        ViewStatusBar();
        UI().Clessidra(false);
        sostituito = true;
    }
    ImpostaLenCol(mLenCol);
    if (mConfig.modalitaRicalcolo) Sblocca_x_Ricalcolo();
    return sostituito;
}

void QuickSortColonna(ArchivioColonne& arr, int32_t colonna, int32_t da, int32_t a) {
    const int32_t pivot = arr(colonna, static_cast<int>((da + a) / 2));
    int32_t i = da, j = a;
    while (i <= j) {
        while (arr(colonna, static_cast<int>(i)) < pivot) ++i;
        while (pivot < arr(colonna, static_cast<int>(j))) --j;
        if (i <= j) {
            std::swap(arr(colonna, static_cast<int>(i)), arr(colonna, static_cast<int>(j)));
            ++i;
            --j;
        }
    }
    if (da < j) QuickSortColonna(arr, colonna, da, j);
    if (i < a) QuickSortColonna(arr, colonna, i, a);
}

}  // namespace novanta
