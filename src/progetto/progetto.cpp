#include "progetto/progetto.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <random>

#include "progetto/sqlite.h"
#include "settings/classINI.h"
#include "settings/multiLanguage.h"
#include "support/cCRC32.h"
#include "versione.h"

namespace novanta {

namespace {

// Columns go to the file in blocks of this many, one blob each.
constexpr int32_t COLONNE_PER_BLOCCO = 65536;
constexpr size_t MAX_DESCRIZIONE = 1 << 16;
constexpr size_t BYTE_GRUPPO = 12;  // bit n - 1 of the blob for number n

// A fault found while reading: the message id of its kind and where it is.
struct Difetto {
    const char* id;
    std::string dove;
};

[[noreturn]] void difetto(const char* id, const std::string& dove) { throw Difetto{id, dove}; }

std::string campo(const std::string& nome, int64_t indice, int64_t valore) {
    return nome + "(" + std::to_string(indice) + ") = " + std::to_string(valore);
}

bool filtroVuoto(const tFiltroGruppo& f) {
    if (f.presenze != 0 || f.attivo) return false;
    return std::all_of(f.numeri.begin(), f.numeri.end(), [](uint8_t v) { return v == 0; });
}

int32_t ultimoFiltro(const TabellaFiltri& t, int32_t conta) {
    for (int32_t i = t.scritte(); i > conta; --i)
        if (!filtroVuoto(t[i])) return i;
    return conta;
}

// The prediction in its order when mSistema.pronostico still lists the marked numbers (the
// order window or a matrix may have left them in another order); ascending otherwise.
std::vector<uint8_t> pronosticoOrdinato() {
    std::vector<uint8_t> segnati;
    for (int i = 0; i < 90; ++i)
        if (mGriglia[static_cast<size_t>(i)] == 1) segnati.push_back(static_cast<uint8_t>(i + 1));
    std::vector<uint8_t> ordine(mSistema.pronostico.begin(),
                                mSistema.pronostico.begin() + std::min<size_t>(segnati.size(), 90));
    std::vector<uint8_t> ordinati = ordine;
    std::sort(ordinati.begin(), ordinati.end());
    return ordinati == segnati ? ordine : segnati;
}

// The widest position any stored column uses.
int larghezzaColonne() {
    int w = 0;
    for (int32_t c = 1; c <= mSistema.nColonne; ++c) {
        const uint8_t* col = mArrColonne.colonna(c);
        for (int p = MAX_POSIZIONI; p > w; --p)
            if (col[p - 1]) {
                w = p;
                break;
            }
    }
    return w;
}

std::vector<uint8_t> gruppoInBit(const tFiltroGruppo& f) {
    std::vector<uint8_t> b(BYTE_GRUPPO, 0);
    for (int n = 1; n <= 90; ++n)
        if (f.numeri[static_cast<size_t>(n)])
            b[static_cast<size_t>((n - 1) / 8)] |= static_cast<uint8_t>(1u << ((n - 1) % 8));
    return b;
}

template <size_t N>
std::vector<uint8_t> indiciVeri(const std::array<bool, N>& a, size_t da) {
    std::vector<uint8_t> v;
    for (size_t i = da; i < N; ++i)
        if (a[i]) v.push_back(static_cast<uint8_t>(i));
    return v;
}

std::string adesso() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char b[32];
    std::strftime(b, sizeof b, "%Y-%m-%d %H:%M:%S", &tm);
    return b;
}

bool sincronizza(const std::filesystem::path& percorso, bool cartella) {
    const int fd = ::open(percorso.c_str(), (cartella ? O_RDONLY | O_DIRECTORY : O_RDWR) | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

const char* SCHEMA = R"(
CREATE TABLE lavoro(
  salvato TEXT, versione TEXT, file TEXT,
  len_col INTEGER, pronostico BLOB,
  pari_attivo INTEGER, pari BLOB, somma_attiva INTEGER, somma_min INTEGER, somma_max INTEGER,
  fisse_attive INTEGER, fisse BLOB, ridotto_attivo INTEGER, ridotto_nx INTEGER,
  consecutivi_attivo INTEGER, consecutivi_maschera INTEGER,
  distanza_minima_attiva INTEGER, distanza_minima INTEGER,
  num_filtri_distanza INTEGER, num_filtri_and INTEGER, num_filtri_or INTEGER,
  colonne_base_attive INTEGER, num_colonne_base INTEGER,
  descrizione TEXT, n_colonne INTEGER, larghezza INTEGER, bloccato INTEGER, crc_colonne INTEGER);
CREATE TABLE filtri_distanza(indice INTEGER PRIMARY KEY, posizioni BLOB, dist_min BLOB, dist_max BLOB, attivo INTEGER);
CREATE TABLE filtri_and(indice INTEGER PRIMARY KEY, numeri BLOB, presenze INTEGER, attivo INTEGER);
CREATE TABLE filtri_or(indice INTEGER PRIMARY KEY, numeri BLOB, presenze INTEGER, attivo INTEGER);
CREATE TABLE colonne_base(indice INTEGER PRIMARY KEY, numeri BLOB, minimo INTEGER, massimo INTEGER);
CREATE TABLE colonne(blocco INTEGER PRIMARY KEY, dati BLOB);
)";

void scriviSu(sql::Database& db, const Lavoro& l) {
    db.esegui("PRAGMA page_size=8192; PRAGMA journal_mode=MEMORY; PRAGMA synchronous=OFF;");
    db.esegui(("PRAGMA application_id=" + std::to_string(APPLICAZIONE_LEC) +
               "; PRAGMA user_version=" + std::to_string(FORMATO_LEC) + ";")
                  .c_str());
    sql::Transazione t(db);
    db.esegui(SCHEMA);
    const auto& c = l.condizioni;
    const uint32_t crc = cCRC32().crc(l.colonne);
    sql::Istruzione testa(db, "INSERT INTO lavoro VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    std::vector<uint8_t> fisse;
    for (int n = 1; n <= 90; ++n)
        if (c.fisse[static_cast<size_t>(n)]) fisse.push_back(static_cast<uint8_t>(n));
    testa.lega(1, l.salvato).lega(2, l.versione).lega(3, l.fileOrigine).lega(4, l.lenCol).legaBlob(5, l.pronostico);
    testa.lega(6, c.pariAttivo).legaBlob(7, indiciVeri(c.pari, 0)).lega(8, c.sommaAttiva).lega(9, c.sommaMin);
    testa.lega(10, c.sommaMax)
        .lega(11, c.fisseAttive)
        .legaBlob(12, fisse)
        .lega(13, c.ridottoAttivo)
        .lega(14, c.ridottoNx);
    testa.lega(15, l.consecutivi.attivo).lega(16, l.consecutivi.maschera);
    testa.lega(17, l.distanzaMinima.attiva).lega(18, l.distanzaMinima.valore);
    testa.lega(19, l.numFiltriDistanza).lega(20, l.numFiltriAND).lega(21, l.numFiltriOR);
    testa.lega(22, l.colonneBaseAttive).lega(23, l.numColonneBase);
    testa.lega(24, l.descrizione).lega(25, l.nColonne).lega(26, l.larghezza).lega(27, l.bloccato).lega(28, crc);
    testa.esegui();

    sql::Istruzione dist(db, "INSERT INTO filtri_distanza VALUES(?,?,?,?,?)");
    for (int f = 1; f <= MAX_FILTRI_DISTANZA; ++f) {
        const auto& d = l.filtriDistanza[static_cast<size_t>(f)];
        const std::vector<uint8_t> pos(d.posizioni.begin() + 1,
                                       d.posizioni.begin() + 1 + std::min<int>(d.numPosizioni, 25));
        dist.lega(1, f)
            .legaBlob(2, pos)
            .legaBlob(3, indiciVeri(d.distMin, 1))
            .legaBlob(4, indiciVeri(d.distMax, 1))
            .lega(5, d.attivo);
        dist.esegui();
    }
    for (const auto& [tabella, lista] : {std::pair{"filtri_and", &l.filtriAND}, std::pair{"filtri_or", &l.filtriOR}}) {
        sql::Istruzione ins(db, (std::string("INSERT INTO ") + tabella + " VALUES(?,?,?,?)").c_str());
        int64_t indice = 0;
        for (const auto& f : *lista) {
            ins.lega(1, ++indice).legaBlob(2, gruppoInBit(f)).lega(3, f.presenze).lega(4, f.attivo);
            ins.esegui();
        }
    }
    sql::Istruzione base(db, "INSERT INTO colonne_base VALUES(?,?,?,?)");
    for (int32_t b = 1; b <= l.numColonneBase; ++b) {
        const tColonna& col = l.colonneBase[static_cast<size_t>(b)];
        base.lega(1, b).legaBlob(2, std::span(col.numeri.data() + 1, std::min<size_t>(col.lunghezza, 25)));
        base.lega(3, col.minimo).lega(4, col.massimo);
        base.esegui();
    }
    sql::Istruzione blocchi(db, "INSERT INTO colonne VALUES(?,?)");
    const size_t perBlocco = static_cast<size_t>(COLONNE_PER_BLOCCO) * static_cast<size_t>(l.larghezza);
    for (size_t da = 0, b = 0; da < l.colonne.size(); da += perBlocco, ++b) {
        blocchi.lega(1, static_cast<int64_t>(b))
            .legaBlob(2, std::span(l.colonne).subspan(da, std::min(perBlocco, l.colonne.size() - da)));
        blocchi.esegui();
    }
    t.conferma();
}

int64_t intervallo(const sql::Istruzione& st, int c, int64_t minimo, int64_t massimo, const char* id,
                   const char* nome) {
    const int64_t v = st.intero(c);
    if (v < minimo || v > massimo) difetto(id, std::string(nome) + " = " + std::to_string(v));
    return v;
}

// Numbers of a blob, each within minimo..massimo.
std::span<const uint8_t> numeriBlob(const sql::Istruzione& st, int c, int minimo, int massimo, size_t quanti,
                                    const std::string& nome) {
    const auto b = st.blob(c);
    if (b.size() > quanti) difetto("0246", nome + ": " + std::to_string(b.size()));
    for (size_t i = 0; i < b.size(); ++i)
        if (b[i] < minimo || b[i] > massimo) difetto("0245", campo(nome, static_cast<int64_t>(i + 1), b[i]));
    return b;
}

void leggiGruppi(sql::Database& db, const char* tabella, std::vector<tFiltroGruppo>& lista, int32_t conta) {
    const int64_t righe = db.intero((std::string("SELECT count(*) FROM ") + tabella).c_str());
    if (righe > MAX_FILTRI) difetto("0246", std::string(tabella) + ": " + std::to_string(righe));
    if (conta > righe)
        difetto("0246", std::string(tabella) + ": " + std::to_string(conta) + " > " + std::to_string(righe));
    lista.assign(static_cast<size_t>(righe), tFiltroGruppo{});
    sql::Istruzione st(
        db, (std::string("SELECT indice, numeri, presenze, attivo FROM ") + tabella + " ORDER BY indice").c_str());
    int64_t atteso = 0;
    while (st.passo()) {
        if (++atteso > righe || st.intero(0) != atteso)
            difetto("0244", std::string(tabella) + ": " + std::to_string(st.intero(0)));
        tFiltroGruppo& f = lista[static_cast<size_t>(atteso - 1)];
        const auto b = st.blob(1);
        if (b.size() != BYTE_GRUPPO) difetto("0244", campo(tabella, atteso, static_cast<int64_t>(b.size())));
        for (int bit = 0; bit < static_cast<int>(BYTE_GRUPPO) * 8; ++bit) {
            if (!(b[static_cast<size_t>(bit / 8)] & (1u << (bit % 8)))) continue;
            if (bit >= 90) difetto("0245", campo(tabella, atteso, bit + 1));
            f.numeri[static_cast<size_t>(bit + 1)] = 1;
        }
        f.presenze = static_cast<int32_t>(intervallo(st, 2, 0, (1 << 26) - 1, "0245", tabella));
        f.attivo = st.intero(3) != 0;
    }
    if (atteso != righe) difetto("0244", tabella);
}

void leggiDa(sql::Database& db, Lavoro& l) {
    const int64_t applicazione = db.intero("PRAGMA application_id");
    const int64_t formato = db.intero("PRAGMA user_version");
    if (applicazione != APPLICAZIONE_LEC || formato < 1) difetto("0243", "");
    if (formato > FORMATO_LEC) difetto("0242", std::to_string(formato));

    sql::Istruzione st(
        db,
        "SELECT salvato, versione, file, len_col, pronostico, pari_attivo, pari, somma_attiva, somma_min, somma_max, "
        "fisse_attive, fisse, ridotto_attivo, ridotto_nx, consecutivi_attivo, consecutivi_maschera, "
        "distanza_minima_attiva, distanza_minima, num_filtri_distanza, num_filtri_and, num_filtri_or, "
        "colonne_base_attive, num_colonne_base, descrizione, n_colonne, larghezza, bloccato, crc_colonne FROM lavoro");
    if (!st.passo()) difetto("0244", "lavoro");
    l.salvato = st.testo(0);
    l.versione = st.testo(1);
    l.fileOrigine = st.testo(2);
    l.lenCol = static_cast<int16_t>(intervallo(st, 3, LEN_COL_MIN, LEN_COL_MAX, "0246", "len_col"));
    const auto pron = numeriBlob(st, 4, 1, 90, 90, "pronostico");
    std::array<bool, 91> visto{};
    for (uint8_t n : pron) {
        if (visto[n]) difetto("0245", "pronostico: " + std::to_string(n) + " x2");
        visto[n] = true;
    }
    l.pronostico.assign(pron.begin(), pron.end());
    auto& c = l.condizioni;
    c.pariAttivo = st.intero(5) != 0;
    for (uint8_t e : numeriBlob(st, 6, 0, 25, 26, "pari")) c.pari[e] = true;
    c.sommaAttiva = st.intero(7) != 0;
    c.sommaMin = static_cast<int16_t>(intervallo(st, 8, INT16_MIN, INT16_MAX, "0245", "somma_min"));
    c.sommaMax = static_cast<int16_t>(intervallo(st, 9, INT16_MIN, INT16_MAX, "0245", "somma_max"));
    c.fisseAttive = st.intero(10) != 0;
    for (uint8_t n : numeriBlob(st, 11, 1, 90, 90, "fisse")) c.fisse[n] = 1;
    c.numFisse = static_cast<uint8_t>(std::count(c.fisse.begin(), c.fisse.end(), 1));
    c.ridottoAttivo = st.intero(12) != 0;
    c.ridottoNx = static_cast<uint8_t>(intervallo(st, 13, 0, LEN_COL_MAX, "0245", "ridotto_nx"));
    l.consecutivi.attivo = st.intero(14) != 0;
    l.consecutivi.maschera = static_cast<int32_t>(intervallo(st, 15, 0, (1 << 26) - 1, "0245", "consecutivi_maschera"));
    l.distanzaMinima.attiva = st.intero(16) != 0;
    l.distanzaMinima.valore = static_cast<uint8_t>(intervallo(st, 17, 0, LEN_COL_MAX, "0245", "distanza_minima"));
    l.numFiltriDistanza =
        static_cast<uint8_t>(intervallo(st, 18, 0, MAX_FILTRI_DISTANZA, "0246", "num_filtri_distanza"));
    l.numFiltriAND = static_cast<int32_t>(intervallo(st, 19, 0, MAX_FILTRI, "0246", "num_filtri_and"));
    l.numFiltriOR = static_cast<int32_t>(intervallo(st, 20, 0, MAX_FILTRI, "0246", "num_filtri_or"));
    l.colonneBaseAttive = st.intero(21) != 0;
    l.numColonneBase = static_cast<int32_t>(intervallo(st, 22, 0, MAX_COLONNE_BASE, "0246", "num_colonne_base"));
    l.descrizione = st.testo(23);
    if (l.descrizione.size() > MAX_DESCRIZIONE) difetto("0246", "descrizione");
    l.nColonne = static_cast<int32_t>(intervallo(st, 24, 0, MAX_COLONNE, "0246", "n_colonne"));
    l.larghezza =
        static_cast<int>(intervallo(st, 25, l.nColonne ? 1 : 0, l.nColonne ? MAX_POSIZIONI : 0, "0246", "larghezza"));
    l.bloccato = st.intero(26) != 0;
    const auto crc = static_cast<uint32_t>(st.intero(27));

    sql::Istruzione dist(db,
                         "SELECT indice, posizioni, dist_min, dist_max, attivo FROM filtri_distanza ORDER BY indice");
    while (dist.passo()) {
        const int64_t f = intervallo(dist, 0, 1, MAX_FILTRI_DISTANZA, "0246", "filtri_distanza");
        auto& d = l.filtriDistanza[static_cast<size_t>(f)];
        const auto pos = numeriBlob(dist, 1, 1, 24, 25, "filtri_distanza(" + std::to_string(f) + ").posizioni");
        d.numPosizioni = static_cast<uint8_t>(pos.size());
        std::copy(pos.begin(), pos.end(), d.posizioni.begin() + 1);
        for (uint8_t g : numeriBlob(dist, 2, 1, 89, 89, "filtri_distanza(" + std::to_string(f) + ").dist_min"))
            d.distMin[g] = true;
        for (uint8_t g : numeriBlob(dist, 3, 1, 89, 89, "filtri_distanza(" + std::to_string(f) + ").dist_max"))
            d.distMax[g] = true;
        d.numDistMin = static_cast<uint8_t>(std::count(d.distMin.begin(), d.distMin.end(), true));
        d.numDistMax = static_cast<uint8_t>(std::count(d.distMax.begin(), d.distMax.end(), true));
        d.attivo = dist.intero(4) != 0;
    }
    leggiGruppi(db, "filtri_and", l.filtriAND, l.numFiltriAND);
    leggiGruppi(db, "filtri_or", l.filtriOR, l.numFiltriOR);

    l.colonneBase.assign(static_cast<size_t>(l.numColonneBase) + 1, tColonna{});
    if (l.numColonneBase == 0) l.colonneBase.clear();
    sql::Istruzione base(db, "SELECT indice, numeri, minimo, massimo FROM colonne_base ORDER BY indice");
    int32_t basi = 0;
    while (base.passo()) {
        if (++basi > l.numColonneBase || base.intero(0) != basi)
            difetto("0246", campo("colonne_base", basi, base.intero(0)));
        tColonna& col = l.colonneBase[static_cast<size_t>(basi)];
        const auto num = numeriBlob(base, 1, 1, 90, 25, "colonne_base(" + std::to_string(basi) + ")");
        col.lunghezza = static_cast<uint8_t>(num.size());
        std::copy(num.begin(), num.end(), col.numeri.begin() + 1);
        col.minimo = static_cast<uint8_t>(intervallo(base, 2, 0, 255, "0245", "colonne_base.minimo"));
        col.massimo = static_cast<uint8_t>(intervallo(base, 3, 0, 255, "0245", "colonne_base.massimo"));
    }
    if (basi != l.numColonneBase) difetto("0244", "colonne_base: " + std::to_string(basi));

    const size_t totale = static_cast<size_t>(l.nColonne) * static_cast<size_t>(l.larghezza);
    l.colonne.clear();
    l.colonne.reserve(totale);
    sql::Istruzione blocchi(db, "SELECT blocco, dati FROM colonne ORDER BY blocco");
    int64_t atteso = 0;
    while (blocchi.passo()) {
        const auto b = blocchi.blob(1);
        if (blocchi.intero(0) != atteso++ || b.size() > totale - l.colonne.size())
            difetto("0244", campo("colonne", atteso - 1, static_cast<int64_t>(b.size())));
        l.colonne.insert(l.colonne.end(), b.begin(), b.end());
    }
    if (l.colonne.size() != totale)
        difetto("0244", "colonne: " + std::to_string(l.colonne.size()) + " / " + std::to_string(totale));
    if (cCRC32().crc(l.colonne) != crc) difetto("0244", "colonne: CRC");
    // Positions up to the column length hold numbers; any beyond it (a length lowered for a
    // recalculation) may also be empty.
    const int piene = std::min<int>(l.larghezza, l.lenCol);
    for (int32_t col = 0; col < l.nColonne; ++col) {
        const uint8_t* p = l.colonne.data() + static_cast<size_t>(col) * static_cast<size_t>(l.larghezza);
        for (int q = 0; q < l.larghezza; ++q)
            if (p[q] > 90 || (q < piene && p[q] == 0))
                difetto("0245", "colonne(" + std::to_string(col + 1) + ", " + std::to_string(q + 1) +
                                    ") = " + std::to_string(p[q]));
    }
}

// The fault as the reader reports it: the run-time error number that fits the message, and the
// message naming the file.
ErroreLettura erroreDifetto(const std::string& file, const std::string& id, const std::string& dove) {
    std::string t = TestoMessaggio("0241") + " " + file + "\r\n" + TestoMessaggio(id);
    if (!dove.empty()) t += " " + dove;
    const int32_t numero = id == "0249"                   ? 53
                           : id == "0243"                 ? 13
                           : id == "0245" || id == "0246" ? 6
                                                          : ERRORE_APPLICAZIONE;
    return {numero, std::move(t)};
}

template <typename Apri>
bool leggi(const std::string& nome, Lavoro& lavoro, ErroreLettura& errore, Apri apri) {
    Lavoro l;
    try {
        auto db = apri();
        leggiDa(*db, l);
    } catch (const Difetto& d) {
        errore = erroreDifetto(nome, d.id, d.dove);
        return false;
    } catch (const sql::Errore& e) {
        const int base = e.codice() & 0xFF;
        errore = erroreDifetto(nome, base == SQLITE_NOTADB ? "0243" : "0244", e.what());
        return false;
    } catch (const std::bad_alloc&) {
        errore = erroreDifetto(nome, "0246", "memory");
        return false;
    }
    lavoro = std::move(l);
    return true;
}

// Words of eight bytes at a time: the fingerprint of a 3,000,000-column store takes milliseconds.
class Impronta {
public:
    void aggiungi(const void* dati, size_t n) {
        const auto* p = static_cast<const uint8_t*>(dati);
        for (; n >= 8; n -= 8, p += 8) {
            uint64_t w;
            std::memcpy(&w, p, 8);
            mescola(w);
        }
        uint64_t w = 0;
        // An empty store hands a null pointer, which memcpy may not take even for 0 bytes.
        if (n > 0) std::memcpy(&w, p, n);
        mescola(w ^ (static_cast<uint64_t>(n) << 56));
    }
    template <typename T>
    void valore(T v) {
        mescola(static_cast<uint64_t>(v));
    }
    uint64_t fine() const { return h_ ^ (h_ >> 31); }

private:
    void mescola(uint64_t w) {
        h_ = (h_ ^ w) * 0x9E3779B97F4A7C15ull;
        h_ ^= h_ >> 29;
    }
    uint64_t h_ = 0xCBF29CE484222325ull;
};

uint64_t mImprontaSalvata = 0;
uint64_t mImprontaRecupero = 0;

const char* FILTRO_LEC = "File LEC (*.lec)|*.lec";

}  // namespace

Lavoro FotografiaLavoro() {
    Lavoro l;
    l.lenCol = mLenCol;
    l.pronostico = pronosticoOrdinato();
    l.condizioni = mCondizioni;
    l.consecutivi = mConsecutivi;
    l.filtriDistanza = mFiltriDistanza;
    l.numFiltriDistanza = mNumFiltriDistanza;
    const TabellaFiltri& and_ = mFiltriAND;
    const TabellaFiltri& or_ = mFiltriOR;
    for (int32_t i = 1, n = ultimoFiltro(and_, mNumFiltriAND); i <= n; ++i) l.filtriAND.push_back(and_[i]);
    for (int32_t i = 1, n = ultimoFiltro(or_, mNumFiltriOR); i <= n; ++i) l.filtriOR.push_back(or_[i]);
    l.numFiltriAND = mNumFiltriAND;
    l.numFiltriOR = mNumFiltriOR;
    l.numColonneBase =
        std::min<int32_t>(mNumColonneBase, mColonneBase.empty() ? 0 : static_cast<int32_t>(mColonneBase.size()) - 1);
    if (l.numColonneBase > 0) l.colonneBase.assign(mColonneBase.begin(), mColonneBase.begin() + l.numColonneBase + 1);
    l.colonneBaseAttive = mColonneBaseAttive;
    l.distanzaMinima = mDistanzaMinima;
    l.nColonne = mSistema.nColonne;
    l.larghezza = larghezzaColonne();
    l.colonne.resize(static_cast<size_t>(l.nColonne) * static_cast<size_t>(l.larghezza));
    for (int32_t c = 1; c <= l.nColonne; ++c)
        std::memcpy(l.colonne.data() + static_cast<size_t>(c - 1) * static_cast<size_t>(l.larghezza),
                    mArrColonne.colonna(c), static_cast<size_t>(l.larghezza));
    l.descrizione = mSistema.descrizione;
    l.bloccato = mGUILocked == -1;
    return l;
}

void ApplicaCondizioni(Lavoro&& l) {
    mCondizioni = l.condizioni;
    mConsecutivi = l.consecutivi;
    mFiltriDistanza = l.filtriDistanza;
    mNumFiltriDistanza = l.numFiltriDistanza;
    mFiltriAND.Cancella();
    mFiltriOR.Cancella();
    for (size_t i = 0; i < l.filtriAND.size(); ++i) mFiltriAND[static_cast<int32_t>(i + 1)] = l.filtriAND[i];
    for (size_t i = 0; i < l.filtriOR.size(); ++i) mFiltriOR[static_cast<int32_t>(i + 1)] = l.filtriOR[i];
    mNumFiltriAND = l.numFiltriAND;
    mNumFiltriOR = l.numFiltriOR;
    mColonneBase = std::move(l.colonneBase);
    mNumColonneBase = l.numColonneBase;
    mColonneBaseAttive = l.colonneBaseAttive;
    mDistanzaMinima = l.distanzaMinima;
}

void ApplicaLavoro(Lavoro&& l, bool conColonne) {
    ResetSistema(false);
    mLenCol = l.lenCol;
    for (uint8_t n : l.pronostico) mGriglia[static_cast<size_t>(n - 1)] = 1;
    mSistema.numPronostico = static_cast<uint8_t>(l.pronostico.size());
    mSistema.pronostico.fill(0);
    std::copy(l.pronostico.begin(), l.pronostico.end(), mSistema.pronostico.begin());
    const bool bloccato = l.bloccato;
    if (conColonne) {
        for (int32_t c = 1; c <= l.nColonne; ++c)
            std::memcpy(mArrColonne.colonnaScrittura(c),
                        l.colonne.data() + static_cast<size_t>(c - 1) * static_cast<size_t>(l.larghezza),
                        static_cast<size_t>(l.larghezza));
        mSistema.nColonne = l.nColonne;
        mSistema.descrizione = std::move(l.descrizione);
    }
    ApplicaCondizioni(std::move(l));
    UI().GrigliaAggiornata();
    if (mSistema.nColonne > 0) {
        LockGUI();
        // A system saved while unlocked for a recalculation opens the same way.
        if (!bloccato) {
            Sblocca_x_Ricalcolo();
            mGUILocked = 0;
        }
    }
    ViewStatusBar();
}

bool ScriviProgetto(const std::filesystem::path& file, const Lavoro& lavoro, std::string& errore) {
    std::filesystem::path temporaneo;
    std::random_device rd;
    std::error_code ec;
    do {
        temporaneo = file.parent_path() / (file.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
    } while (std::filesystem::exists(temporaneo, ec));
    try {
        {
            sql::Database db(temporaneo, sql::Database::Modo::Creazione);
            scriviSu(db, lavoro);
        }
        // The new file is on the disk before it takes the old one's name.
        if (!sincronizza(temporaneo, false)) throw sql::Errore(errno, std::string("fsync: ") + std::strerror(errno));
        if (::rename(temporaneo.c_str(), file.c_str()) != 0)
            throw sql::Errore(errno, std::string("rename: ") + std::strerror(errno));
        sincronizza(file.parent_path().empty() ? "." : file.parent_path(), true);
    } catch (const std::exception& e) {
        std::filesystem::remove(temporaneo, ec);
        std::filesystem::remove(temporaneo.string() + "-journal", ec);
        errore = TestoMessaggio("0247") + " " + file.string() + "\r\n" + e.what();
        return false;
    }
    return true;
}

bool LeggiProgetto(const std::filesystem::path& file, Lavoro& lavoro, ErroreLettura& errore) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        errore = erroreDifetto(file.string(), "0249", "");
        return false;
    }
    return leggi(file.string(), lavoro, errore,
                 [&] { return std::make_unique<sql::Database>(file, sql::Database::Modo::Lettura); });
}

bool LeggiProgetto(std::span<const uint8_t> immagine, Lavoro& lavoro, ErroreLettura& errore) {
    return leggi("-", lavoro, errore, [&] { return std::make_unique<sql::Database>(immagine); });
}

uint64_t ImprontaLavoro() {
    Impronta h;
    h.valore(mLenCol);
    const auto pron = pronosticoOrdinato();
    h.aggiungi(pron.data(), pron.size());
    const auto& c = mCondizioni;
    for (bool b : c.pari) h.valore(b);
    h.aggiungi(c.fisse.data(), c.fisse.size());
    for (int v :
         {int(c.pariAttivo), int(c.sommaAttiva), int(c.fisseAttive), int(c.sommaMin), int(c.sommaMax), int(c.numFisse),
          int(c.ridottoAttivo), int(c.ridottoNx), int(mConsecutivi.attivo), int(mConsecutivi.maschera),
          int(mDistanzaMinima.attiva), int(mDistanzaMinima.valore), int(mNumFiltriDistanza)})
        h.valore(v);
    for (const auto& d : mFiltriDistanza) {
        h.valore(d.numPosizioni);
        h.aggiungi(d.posizioni.data(), d.posizioni.size());
        for (bool b : d.distMin) h.valore(b);
        for (bool b : d.distMax) h.valore(b);
        h.valore(d.attivo);
    }
    for (const TabellaFiltri* t : {&mFiltriAND, &mFiltriOR}) {
        const int32_t conta = t == &mFiltriAND ? mNumFiltriAND : mNumFiltriOR;
        const int32_t n = ultimoFiltro(*t, conta);
        h.valore(conta);
        h.valore(n);
        for (int32_t i = 1; i <= n; ++i) {
            const auto& f = (*t)[i];
            h.aggiungi(f.numeri.data(), f.numeri.size());
            h.valore(f.presenze);
            h.valore(f.attivo);
        }
    }
    h.valore(mColonneBaseAttive);
    h.valore(mNumColonneBase);
    const size_t basi = std::min<size_t>(static_cast<size_t>(std::max(mNumColonneBase, 0)) + 1, mColonneBase.size());
    for (size_t i = 1; i < basi; ++i) {
        const tColonna& b = mColonneBase[i];
        h.aggiungi(b.numeri.data(), b.numeri.size());
        h.valore(b.minimo);
        h.valore(b.massimo);
        h.valore(b.lunghezza);
    }
    h.valore(mSistema.nColonne);
    if (mSistema.nColonne > 0)
        h.aggiungi(mArrColonne.colonna(1), static_cast<size_t>(mSistema.nColonne) * MAX_POSIZIONI);
    h.aggiungi(mSistema.descrizione.data(), mSistema.descrizione.size());
    h.valore(mGUILocked == -1);
    return h.fine();
}

bool LavoroModificato() { return ImprontaLavoro() != mImprontaSalvata; }

void SegnaLavoroSalvato() { mImprontaSalvata = ImprontaLavoro(); }

namespace {

// Opening and saving share their frame: the hourglass around the file work, the error in a box,
// and on success the file becomes the work's own (name, saved mark, recovery dropped, recent list).
template <typename Lavora>
bool ConFileSistema(const std::string& file, Lavora lavora) {
    std::string errore;
    UI().Clessidra(true);
    const bool riuscito = lavora(errore);
    UI().Clessidra(false);
    if (!riuscito) {
        UI().MsgBox(errore, Pulsanti::OK, Icona::Critica);
        return false;
    }
    ImpostaFileSistema(file);
    mFileProgetto = mFileSistema;
    SegnaLavoroSalvato();
    RimuoviRecupero();
    AggiungiFileRecente(file);
    ViewStatusBar();
    return true;
}

}  // namespace

bool ApriSistema(const std::string& file) {
    return ConFileSistema(file, [&](std::string& errore) {
        Lavoro l;
        ErroreLettura letto;
        if (!LeggiProgetto(file, l, letto)) {
            errore = std::move(letto.descrizione);
            return false;
        }
        ApplicaLavoro(std::move(l));
        return true;
    });
}

bool SalvaSistema(const std::string& file) {
    return ConFileSistema(file, [&](std::string& errore) {
        Lavoro l = FotografiaLavoro();
        l.salvato = adesso();
        l.versione = NOVANTA_VERSIONE;
        return ScriviProgetto(file, l, errore);
    });
}

bool ApriSistemaComando() {
    if (!ChiediSalvataggio()) return false;
    const auto file = UI().ScegliFileApri(FILTRO_LEC, (mPathDati / "sistemi").string());
    return file && !file->empty() && ApriSistema(*file);
}

bool SalvaSistemaComando() {
    if (mFileProgetto.empty() || mFileProgetto != mFileSistema) return SalvaSistemaConNome();
    return SalvaSistema(mFileSistema);
}

bool SalvaSistemaConNome() {
    // An imported text file proposes its own name as a system file.
    std::string nome = std::filesystem::path(mFileSistema).stem().string();
    if (nome.empty()) nome = "nuovo";
    const auto file = UI().ScegliFileSalva(FILTRO_LEC, (mPathDati / "sistemi").string(), nome + ".lec", ".lec");
    return file && !file->empty() && SalvaSistema(*file);
}

bool ChiediSalvataggio() {
    if (!LavoroModificato()) return true;
    switch (UI().MsgBox(TestoMessaggio("0240"), Pulsanti::SiNoAnnulla, Icona::Domanda)) {
        case Risposta::Si:
            return SalvaSistemaComando();
        case Risposta::No:
            return true;
        default:
            return false;
    }
}

bool NuovoLavoro() {
    if (!ChiediSalvataggio()) return false;
    NuovoSistema();
    mFileProgetto.clear();
    SegnaLavoroSalvato();
    RimuoviRecupero();
    return true;
}

std::filesystem::path FileRecupero() { return mPathDati / NOME_FILE_RECUPERO; }

bool Autosalva() {
    const uint64_t impronta = ImprontaLavoro();
    if (impronta == mImprontaSalvata) {
        RimuoviRecupero();
        return false;
    }
    std::error_code ec;
    if (impronta == mImprontaRecupero && std::filesystem::exists(FileRecupero(), ec)) return false;
    Lavoro l = FotografiaLavoro();
    l.salvato = adesso();
    l.versione = NOVANTA_VERSIONE;
    l.fileOrigine = mFileProgetto == mFileSistema ? mFileProgetto : std::string();
    std::string errore;
    // A failed autosave says nothing: the user's own save will report the same fault.
    if (!ScriviProgetto(FileRecupero(), l, errore)) return false;
    mImprontaRecupero = impronta;
    return true;
}

void RimuoviRecupero() {
    std::error_code ec;
    std::filesystem::remove(FileRecupero(), ec);
    mImprontaRecupero = 0;
}

bool OffriRecupero() {
    std::error_code ec;
    if (!std::filesystem::exists(FileRecupero(), ec)) return false;
    if (UI().MsgBox(TestoMessaggio("0248"), Pulsanti::SiNo, Icona::Domanda) != Risposta::Si) {
        RimuoviRecupero();
        return false;
    }
    Lavoro l;
    ErroreLettura errore;
    if (!LeggiProgetto(FileRecupero(), l, errore)) {
        UI().MsgBox(errore.descrizione, Pulsanti::OK, Icona::Critica);
        // Kept aside for whoever wants to look at it, and not offered again.
        std::filesystem::rename(FileRecupero(), FileRecupero().string() + ".danneggiato", ec);
        return false;
    }
    const std::string origine = l.fileOrigine;
    // The restored work is unsaved: its baseline is the empty work it replaces.
    SegnaLavoroSalvato();
    ApplicaLavoro(std::move(l));
    ImpostaFileSistema(origine.empty() ? (mPathDati / "sistemi" / "nuovo.lec").string() : origine);
    mFileProgetto = origine;
    ViewStatusBar();
    return true;
}

std::vector<std::string> FileRecenti() {
    classINI ini(mPathDati / "qiv.ini");
    std::vector<std::string> elenco;
    for (int i = 1; i <= MAX_FILE_RECENTI; ++i) {
        const std::string f = ini.getProperty("FILE RECENTI", "FILE" + std::to_string(i), "");
        if (!f.empty()) elenco.push_back(f);
    }
    return elenco;
}

void AggiungiFileRecente(const std::string& file) {
    // Without a data folder (a benchmark, a tool) there is no settings file to keep the list in:
    // writing "qiv.ini" into the current folder would leave one wherever the process ran.
    if (mPathDati.empty()) return;
    if (std::filesystem::path(file).lexically_normal() == FileRecupero().lexically_normal()) return;
    auto elenco = FileRecenti();
    elenco.erase(std::remove(elenco.begin(), elenco.end(), file), elenco.end());
    elenco.insert(elenco.begin(), file);
    std::vector<std::pair<std::string, std::string>> valori;
    for (int i = 0; i < MAX_FILE_RECENTI; ++i)
        valori.emplace_back("FILE" + std::to_string(i + 1),
                            i < static_cast<int>(elenco.size()) ? elenco[static_cast<size_t>(i)] : "");
    classINI(mPathDati / "qiv.ini").setProperties("FILE RECENTI", valori);
}

}  // namespace novanta
