#pragma once
#include <array>
#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "conditions/condizioni.h"
#include "core/interfaccia.h"
#include "settings/multiLanguage.h"
#include "settings/percorsi.h"
#include "support/testo.h"

namespace novanta {

constexpr int32_t MAX_COLONNE = 3000000;
constexpr int MAX_POSIZIONI = 25;
constexpr int32_t MAX_COLONNE_BASE = 2000;
constexpr int LEN_COL_MIN = 2;
constexpr int LEN_COL_MAX = 25;
// The application's own errors: the object-error base plus 10000.
constexpr int32_t ERRORE_APPLICAZIONE = -2147211504;

// The column store: 3,000,000 columns of 25 positions, allocated once for the life of the
// process and addressed (column 1.., position 1..25). Positions above the column length and
// columns above the count are zero. The store remembers how far it has been written, so
// clearing touches only the columns that were used.
class ArchivioColonne {
public:
    ArchivioColonne();
    ArchivioColonne(const ArchivioColonne&) = delete;
    ArchivioColonne& operator=(const ArchivioColonne&) = delete;

    uint8_t& operator()(int32_t c, int p) {
        assert(c >= 1 && c <= MAX_COLONNE && p >= 1 && p <= MAX_POSIZIONI);
        segnaUsata(c);
        return dati_[indice(c, p)];
    }
    uint8_t valore(int32_t c, int p) const {
        assert(c >= 1 && c <= MAX_COLONNE && p >= 1 && p <= MAX_POSIZIONI);
        return dati_[indice(c, p)];
    }
    // The 25 positions of column c (position 1 first), for reading.
    const uint8_t* colonna(int32_t c) const { return dati_.get() + indice(c, 1); }
    // The 25 positions of column c for writing; the column counts as used.
    uint8_t* colonnaScrittura(int32_t c) {
        segnaUsata(c);
        return dati_.get() + indice(c, 1);
    }
    // Every byte back to zero.
    void Cancella();
    // Columns from c on back to zero.
    void CancellaDa(int32_t c);
    int32_t usate() const { return usate_; }

private:
    static size_t indice(int32_t c, int p) {
        return static_cast<size_t>(c - 1) * MAX_POSIZIONI + static_cast<size_t>(p - 1);
    }
    void segnaUsata(int32_t c) {
        if (c > usate_) usate_ = c;
    }
    struct Libera {
        void operator()(uint8_t* p) const { std::free(p); }
    };
    std::unique_ptr<uint8_t[], Libera> dati_;
    int32_t usate_ = 0;
};

// A list of 150,000 group filters (records 1..150000; element 0 unused), allocated once.
// It remembers the highest record handed out for writing, so clearing touches only that part.
class TabellaFiltri {
public:
    TabellaFiltri();
    TabellaFiltri(const TabellaFiltri&) = delete;
    TabellaFiltri& operator=(const TabellaFiltri&) = delete;
    tFiltroGruppo& operator[](int32_t i) {
        assert(i >= 0 && i <= MAX_FILTRI);
        if (i > scritte_) scritte_ = i;
        return dati_[static_cast<size_t>(i)];
    }
    const tFiltroGruppo& operator[](int32_t i) const {
        assert(i >= 0 && i <= MAX_FILTRI);
        return dati_[static_cast<size_t>(i)];
    }
    // Records 1..150000 as a span, for CompattaFiltri and whole-list work.
    std::span<tFiltroGruppo> records() {
        scritte_ = MAX_FILTRI;
        return {dati_.get() + 1, static_cast<size_t>(MAX_FILTRI)};
    }
    // Every record back to the empty filter.
    void Cancella();
    // The highest record handed out for writing: every record above it is empty.
    int32_t scritte() const { return scritte_; }

private:
    struct Libera {
        void operator()(tFiltroGruppo* p) const { std::free(p); }
    };
    std::unique_ptr<tFiltroGruppo[], Libera> dati_;
    int32_t scritte_ = 0;
};

struct tSistema {
    uint8_t numPronostico = 0;
    int32_t nColonne = 0;
    std::string descrizione;
    std::array<uint8_t, 90> pronostico{};
};

struct tCondizioni {
    bool pariAttivo = false;
    bool sommaAttiva = false;
    bool fisseAttive = false;
    std::array<bool, 26> pari{};
    int16_t sommaMin = 0;
    int16_t sommaMax = 0;
    std::array<uint8_t, 91> fisse{};  // 1..90
    uint8_t numFisse = 0;
    bool ridottoAttivo = false;
    uint8_t ridottoNx = 0;
    bool operator==(const tCondizioni&) const = default;
};

struct tConsecutivi {
    int32_t maschera = 0;  // bit j, j = 1..25: a longest run of length j is accepted
    bool attivo = false;
    bool operator==(const tConsecutivi&) const = default;
};

struct tDistanzaMinima {
    uint8_t valore = 0;
    bool attiva = false;
    bool operator==(const tDistanzaMinima&) const = default;
};

// A column read from a text line: up to 25 numbers in the order of the line.
struct tColonna {
    std::array<uint8_t, 26> numeri{};  // 1..25
    uint8_t minimo = 255;
    uint8_t massimo = 0;
    uint8_t lunghezza = 0;
};

struct tConfig {
    std::string stampante;
    std::string intestazione;
    bool modalitaRicalcolo = false;
    uint8_t sorgenteRicalcolo = 0;
    std::string lingua;
};

// What the progress window holds while a run works: the cancel box reads it.
struct tProgresso {
    double colonneIntegrale = 0;
    double colonneElaborate = 0;
    int32_t colonneSistema = 0;
};

// The whole system state of the program, one instance for the life of the process.
inline int16_t mLenCol = 10;
inline int32_t mGUILocked = 0;
inline bool mAnnullaCalcolo = false;
inline std::string mFileSistema;
inline std::string mNomeFileSistema;
inline double mInizioCalcolo = 0;
inline std::array<int32_t, 26> mPotenze2{};
ArchivioColonne& ColonneArchivio();
inline ArchivioColonne& mArrColonne = ColonneArchivio();
inline tSistema mSistema;
inline tCondizioni mCondizioni;
inline tConsecutivi mConsecutivi;
inline std::array<tFiltroDistanza, 26> mFiltriDistanza{};  // 1..25
inline uint8_t mNumFiltriDistanza = 0;
// The two group-filter lists, 150,000 records each (1-based: element 0 unused).
TabellaFiltri& FiltriAND();
TabellaFiltri& FiltriOR();
inline TabellaFiltri& mFiltriAND = FiltriAND();
inline TabellaFiltri& mFiltriOR = FiltriOR();
inline int32_t mNumFiltriAND = 0;
inline int32_t mNumFiltriOR = 0;
inline std::vector<tColonna> mColonneBase;  // 1..mNumColonneBase (element 0 unused)
inline bool mColonneBaseAttive = false;
inline int32_t mNumColonneBase = 0;
inline tDistanzaMinima mDistanzaMinima;
inline tConfig mConfig;
inline tProgresso mProgresso;

// The 90 marks of the number grid: mGriglia[i] = 1 when number i + 1 is marked.
inline std::array<uint8_t, 90> mGriglia{};

// Start-up of the state: powers of two, column length 10.
void InizializzaCorpo();
void ResetSistema(bool mantieniPronostico);
void CaricaPronostico();

// The main window's procedures on the state; each also tells the face to redraw.
void GrigliaNumeriClick(int index);
void CancellaPronostico();
void LockGUI();
void UnlockGUI();
void UnlockMenuConditions();
void Sblocca_x_Ricalcolo();
void ViewStatusBar();
// The current system file: its full path, and its file name in lower case for the status bar.
void ImpostaFileSistema(const std::string& percorso);
// "Nuovo": everything back to the start, the system named "nuovo.lec" in the "sistemi" folder.
void NuovoSistema();
// "Modifica Sistema": after the question "0054", the columns go and the prediction and the
// conditions stay, unlocked for a new calculation. True when the user said Yes.
bool ModificaSistema();
// Sets the column length (the scroll bar's change).
void ImpostaLenCol(int valore);
// True while the calculation commands may be enabled.
bool CalcoloAbilitato();

// The critical box of a reached table limit (messages "0012", "0064" and the count, title
// "0055"): the runs, the readers and the matrix application stop with it.
void AvvisoLimite(double limite);

}  // namespace novanta
