#include "matrices/applica_matrice.h"

#include <algorithm>
#include <array>
#include <fstream>

#include "core/corpo.h"
#include "matrices/elenco_matrici.h"
#include "support/file_atomico.h"
#include "support/formato.h"
#include "support/righe_testo.h"
#include "support/testo.h"

namespace novanta {

namespace {

constexpr int32_t MAX_RIGHE_MATRICE_TXT = 100000;

std::string testoLimiteColonne() {
    return TestoMessaggioOPredefinito("0012", "Column limit reached") + "\r" +
           TestoMessaggioOPredefinito("0013", "The matrix has more than 3,000,000 columns");
}

// The numeric value of an answer: digits only, blanks around them allowed.
std::optional<int64_t> valoreNumerico(const std::string& testo) {
    const std::string_view cifre = Rifila(testo);
    if (cifre.empty() || cifre.size() > 9 || cifre.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoll(std::string(cifre));
}

}  // namespace

void MostraErroreMatrice(const ErroreLettura& errore) {
    UI().MsgBox(TestoErrore(errore), Pulsanti::OK, Icona::Nessuna, "");
}

std::string ControllaMatrice(const MATRIX_STRUCTURE& m) {
    const int32_t c = m.COLUMNS_OF_MATRIX_C;
    const int k = m.LENGTH_OF_COLUMN_K;
    const int v = m.NUMBERS_OF_MATRIX_V;
    if (c > MAX_COLONNE) return testoLimiteColonne();
    if (c < 0) return "The matrix claims " + std::to_string(c) + " columns";
    if (c == 0) return "";
    if (!m.colonneAllocate()) return "The matrix holds no columns";
    if (k != mLenCol)
        return "The matrix has columns of " + std::to_string(k) + " numbers, the column length is " +
               std::to_string(mLenCol);
    if (v > mSistema.numPronostico)
        return "The matrix is built on " + std::to_string(v) + " numbers, the prediction has " +
               std::to_string(mSistema.numPronostico);
    if (m.FIXED_NUMBERS_OF_MATRIX_F > v)
        return "The matrix claims " + std::to_string(m.FIXED_NUMBERS_OF_MATRIX_F) + " fixed numbers out of " +
               std::to_string(v);
    if (m.GARANTY_T > k)
        return "The matrix claims a guarantee of " + std::to_string(m.GARANTY_T) + " in columns of " +
               std::to_string(k);
    for (int32_t col = 1; col <= c; ++col) {
        std::array<bool, 256> visto{};
        for (int p = 1; p <= k; ++p) {
            const uint8_t n = m.COLUMS(col, p);
            if (n < 1 || n > v)
                return "Column " + std::to_string(col) + " holds the number " + std::to_string(n) + ", outside 1.." +
                       std::to_string(v);
            if (visto[n]) return "Column " + std::to_string(col) + " holds the number " + std::to_string(n) + " twice";
            visto[n] = true;
        }
    }
    return "";
}

bool VerificaFissa(const std::string& testo, int posizione) {
    const auto n = valoreNumerico(testo);
    if (!n || *n < 1 || *n > 90) return false;
    const int quanti = mSistema.numPronostico;
    if (posizione < 0 || posizione >= quanti) return false;
    for (int j = 0; j < quanti; ++j) {
        if (mSistema.pronostico[static_cast<size_t>(j)] != *n) continue;
        // A number already given for an earlier position would leave two positions claiming it.
        if (j < posizione) return false;
        std::swap(mSistema.pronostico[static_cast<size_t>(j)], mSistema.pronostico[static_cast<size_t>(posizione)]);
        return true;
    }
    return false;
}

std::optional<std::string> ChiediFisse(uint8_t quante, std::vector<uint8_t>& fisseMatrice) {
    std::string elenco;
    fisseMatrice.clear();
    int i = 0;
    while (i < quante) {
        const auto risposta =
            UI().InputBox(TestoMessaggio("0015") + std::to_string(i + 1) + " ?", TestoMessaggio("0016"),
                          std::to_string(mSistema.pronostico[static_cast<size_t>(std::min(i, 89))]));
        if (!risposta || risposta->find_first_not_of(" \t") == std::string::npos) return std::nullopt;
        if (!VerificaFissa(*risposta, i)) continue;
        const auto n = static_cast<uint8_t>(*valoreNumerico(*risposta));
        elenco += FormatoZeri(n, 2) + "   ";
        fisseMatrice.push_back(n);
        ++i;
    }
    return elenco;
}

bool AdattaMatrice(const MATRIX_STRUCTURE& m, std::vector<uint8_t>& fisseMatrice) {
    fisseMatrice.clear();
    const std::string motivo = ControllaMatrice(m);
    if (!motivo.empty()) {
        MostraErroreMatrice({ERRORE_APPLICAZIONE, motivo});
        return false;
    }
    if (m.FIXED_NUMBERS_OF_MATRIX_F > 0) {
        const auto pronostico = mSistema.pronostico;
        const auto elenco = ChiediFisse(m.FIXED_NUMBERS_OF_MATRIX_F, fisseMatrice);
        if (!elenco ||
            UI().MsgBox(TestoMessaggio("0014") + "\r\r" + *elenco + "\r\r", Pulsanti::OKAnnulla) == Risposta::Annulla) {
            mSistema.pronostico = pronostico;
            fisseMatrice.clear();
            return false;
        }
    }
    ResetSistema(true);
    const int32_t c = m.COLUMNS_OF_MATRIX_C;
    const int k = m.LENGTH_OF_COLUMN_K;
    for (int32_t col = 1; col <= c; ++col) {
        UI().DoEvents();
        uint8_t* dest = mArrColonne.colonnaScrittura(col);
        for (int p = 1; p <= k; ++p) dest[p - 1] = mSistema.pronostico[static_cast<size_t>(m.COLUMS(col, p) - 1)];
        std::sort(dest, dest + k);
    }
    mSistema.nColonne = c;
    return true;
}

bool ApplicaMatrice(const MATRIX_STRUCTURE& m) {
    std::vector<uint8_t> fisseMatrice;
    const bool esito = AdattaMatrice(m, fisseMatrice);
    if (esito) {
        mSistema.descrizione = TestoMessaggio("0017");
        if (!fisseMatrice.empty()) {
            mCondizioni.numFisse = static_cast<uint8_t>(fisseMatrice.size());
            for (uint8_t n : fisseMatrice) mCondizioni.fisse[n] = 1;
            mCondizioni.fisseAttive = true;
        }
        if (m.LENGTH_OF_COLUMN_K != m.GARANTY_T) {
            const int x = m.LENGTH_OF_COLUMN_K - m.GARANTY_T;
            mCondizioni.ridottoAttivo = true;
            mCondizioni.ridottoNx = static_cast<uint8_t>(x);
            mSistema.descrizione = TestoMessaggio("0018") + " N-" + std::to_string(x);
        }
        if (mSistema.nColonne > 0) LockGUI();
        ViewStatusBar();
    }
    if (mConfig.modalitaRicalcolo) Sblocca_x_Ricalcolo();
    return esito;
}

bool ApplicaMatriceFile(const std::filesystem::path& percorso, int32_t oggi) {
    // The checks and the columns come from the same bytes, read once.
    std::vector<uint8_t> dati;
    ErroreLettura errore;
    if (!LeggiFileMatrice(percorso, dati, errore)) {
        MostraErroreMatrice(errore);
        return false;
    }
    tElencoMatrice voce;
    voce.nomeFile = percorso.filename().string();
    voce.testata = LeggiTestataMatrice(dati);
    voce.chkVersion = FormatoMatriceValido(voce.testata);
    voce.chkCRC = VerificaCRCMatrice(dati);
    const auto validita = ControllaValidita(voce.testata, oggi);
    voce.scaduta = validita.scaduta;
    voce.entroValidita = validita.entroValidita;
    const std::string motivo = MotivoNonApplicabile(voce);
    if (!motivo.empty()) {
        MostraErroreMatrice({ERRORE_APPLICAZIONE, motivo});
        return false;
    }
    MATRIX_STRUCTURE m;
    if (!LeggiMatrice(dati, m, errore)) {
        MostraErroreMatrice(errore);
        return false;
    }
    return ApplicaMatrice(m);
}

bool ApplicaMatriceSelezionata(size_t indice) {
    if (indice >= mElencoMatrici.size() || mElencoMatrici[indice].nomeFile.empty()) {
        MostraErroreMatrice({9, "Subscript out of range"});
        return false;
    }
    return ApplicaMatriceFile(mPathDati / "matrici" / mElencoMatrici[indice].nomeFile, OggiOLE());
}

bool LeggiMatriceTxt(std::istream& in, MATRIX_STRUCTURE& matrice, ErroreLettura& esito, int32_t oggi, bool* tagliata) {
    MATRIX_STRUCTURE m;
    std::vector<uint8_t> colonne;
    std::array<bool, 91> usato{};
    int massimo = 0, k = 0;
    int32_t c = 0;
    LettoreRighe lettore(in);
    std::string riga;
    auto errore = [&](int32_t n, const std::string& d) {
        esito = {n, d};
        return false;
    };
    while (c < MAX_RIGHE_MATRICE_TXT && lettore.leggi(riga)) {
        UI().DoEvents();
        riga = PulisciRiga(riga);
        if (lettore.troppoLunga()) return errore(ERRORE_APPLICAZIONE, "Line " + std::to_string(c + 1) + " too long");
        if (riga.empty()) continue;
        ++c;
        std::vector<std::string> voci;
        for (size_t inizio = 0;;) {
            const size_t spazio = riga.find(' ', inizio);
            voci.push_back(riga.substr(inizio, spazio == std::string::npos ? std::string::npos : spazio - inizio));
            if (spazio == std::string::npos) break;
            inizio = spazio + 1;
        }
        if (c == 1) {
            k = static_cast<int>(voci.size());
            if (k > MAX_POSIZIONI)
                return errore(ERRORE_APPLICAZIONE,
                              "The first line has " + std::to_string(k) + " numbers: at most 25 are allowed");
        }
        // A line longer or shorter than the first would leave columns of another length.
        if (static_cast<int>(voci.size()) != k)
            return errore(ERRORE_APPLICAZIONE, "Matrice con colonne a lunghezza multipla");
        for (const auto& voce : voci) {
            if (voce.find_first_not_of("0123456789") != std::string::npos) return errore(13, "Type mismatch");
            const auto primaCifra = voce.find_first_not_of('0');
            const std::string cifre = primaCifra == std::string::npos ? "0" : voce.substr(primaCifra);
            if (cifre.size() > 3) return errore(6, "Overflow");
            const int v = std::stoi(cifre);
            if (v > 255) return errore(6, "Overflow");
            if (v < 1 || v > 90)
                return errore(ERRORE_APPLICAZIONE,
                              "Number " + std::to_string(v) + " outside 1..90 in line " + std::to_string(c));
            colonne.push_back(static_cast<uint8_t>(v));
            usato[static_cast<size_t>(v)] = true;
            massimo = std::max(massimo, v);
        }
    }
    if (tagliata) {
        // Any further non-empty line means the file was cut at the cap.
        *tagliata = false;
        while (!*tagliata && lettore.leggi(riga)) *tagliata = !PulisciRiga(riga).empty();
    }
    for (int n = 1; n <= massimo; ++n)
        if (!usato[static_cast<size_t>(n)]) return errore(ERRORE_APPLICAZIONE, "Matrice con sviluppo non sequenziale");
    m.COLUMNS_OF_MATRIX_C = c;
    m.LENGTH_OF_COLUMN_K = static_cast<uint8_t>(k);
    m.NUMBERS_OF_MATRIX_V = static_cast<uint8_t>(massimo);
    m.VALID_FROM = oggi;
    m.VALID_TO = oggi;
    m.CUSTOM_MATRIX = -1;
    m.AllocaColonne();
    for (int32_t col = 1; col <= c; ++col)
        for (int p = 1; p <= k; ++p)
            m.COLUMS(col, p) = colonne[static_cast<size_t>(col - 1) * k + static_cast<size_t>(p - 1)];
    matrice = std::move(m);
    return true;
}

MATRIX_STRUCTURE CaricaMatriceTxt(const std::string& percorso, bool* tagliata) {
    if (percorso.empty()) return {};
    ErroreLettura errore{53, "File not found"};
    MATRIX_STRUCTURE m;
    UI().Clessidra(true);
    std::ifstream in;
    bool ok = false;
    if (FileRegolareDaLeggere(percorso, errore.numero, errore.descrizione))
        in.open(std::filesystem::path(percorso), std::ios::binary);
    if (in.is_open()) ok = LeggiMatriceTxt(in, m, errore, OggiOLE(), tagliata);
    UI().Clessidra(false);
    if (ok) return m;
    UI().MsgBox(TestoErrore(errore) + " ", Pulsanti::OK, Icona::Esclamazione, "ERROR");
    return {};
}

bool ControllaMatriceTxt(const MATRIX_STRUCTURE& m) {
    if (m.LENGTH_OF_COLUMN_K == mLenCol && m.NUMBERS_OF_MATRIX_V == mSistema.numPronostico) return true;
    MostraErroreMatrice(
        {ERRORE_APPLICAZIONE,
         TestoMessaggioOPredefinito("0008", "The matrix does not fit") + "\r" +
             TestoMessaggioOPredefinito("0013", "columns of " + std::to_string(m.LENGTH_OF_COLUMN_K) + " over " +
                                                    std::to_string(m.NUMBERS_OF_MATRIX_V) +
                                                    " numbers, the system wants columns of " + std::to_string(mLenCol) +
                                                    " over " + std::to_string(mSistema.numPronostico))});
    return false;
}

bool ApplicaMatriceCaricata(const MATRIX_STRUCTURE& m, bool caricata) {
    std::vector<uint8_t> fisseMatrice;
    const bool esito = AdattaMatrice(m, fisseMatrice);
    if (esito && caricata) {
        mSistema.descrizione = TestoMessaggio("0017");
        if (mSistema.nColonne > 0) LockGUI();
        ViewStatusBar();
    }
    if (mConfig.modalitaRicalcolo) Sblocca_x_Ricalcolo();
    return esito;
}

bool ApplicaMatriceTxt(const std::string& percorso) {
    if (percorso.empty()) return ApplicaMatriceCaricata(MATRIX_STRUCTURE{}, false);
    const MATRIX_STRUCTURE m = CaricaMatriceTxt(percorso);
    if (!ControllaMatriceTxt(m)) return false;
    return ApplicaMatriceCaricata(m, true);
}

}  // namespace novanta
