#include "core/corpo.h"

#include "support/date.h"
#include "support/formato.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <new>

namespace novanta {

// Both tables come zeroed from calloc, which maps fresh pages for blocks this large: the part
// never written is never resident.
ArchivioColonne::ArchivioColonne()
    : dati_(static_cast<uint8_t*>(std::calloc(static_cast<size_t>(MAX_COLONNE) * MAX_POSIZIONI, 1))) {
    if (!dati_) throw std::bad_alloc();
}

TabellaFiltri::TabellaFiltri()
    : dati_(static_cast<tFiltroGruppo*>(std::calloc(static_cast<size_t>(MAX_FILTRI) + 1, sizeof(tFiltroGruppo)))) {
    if (!dati_) throw std::bad_alloc();
}

void TabellaFiltri::Cancella() {
    if (scritte_ > 0)
        std::memset(static_cast<void*>(dati_.get()), 0, (static_cast<size_t>(scritte_) + 1) * sizeof(tFiltroGruppo));
    scritte_ = 0;
}

void ArchivioColonne::Cancella() { CancellaDa(1); }

void ArchivioColonne::CancellaDa(int32_t c) {
    if (c < 1) c = 1;
    if (c <= usate_) std::memset(dati_.get() + indice(c, 1), 0, static_cast<size_t>(usate_ - c + 1) * MAX_POSIZIONI);
    if (c - 1 < usate_) usate_ = c - 1;
}

ArchivioColonne& ColonneArchivio() {
    static ArchivioColonne archivio;
    return archivio;
}

TabellaFiltri& FiltriAND() {
    static TabellaFiltri lista;
    return lista;
}

TabellaFiltri& FiltriOR() {
    static TabellaFiltri lista;
    return lista;
}

void InizializzaCorpo() {
    for (int i = 0; i <= 25; ++i) mPotenze2[i] = static_cast<int32_t>(std::pow(2.0, i));
    mLenCol = 10;
}

void ResetSistema(bool mantieniPronostico) {
    UnlockGUI();
    UnlockMenuConditions();
    if (!mantieniPronostico) CancellaPronostico();
    mArrColonne.Cancella();
    mSistema.nColonne = 0;
    mSistema.descrizione.clear();
    ViewStatusBar();
    mCondizioni = tCondizioni{};
    mFiltriAND.Cancella();
    mNumFiltriAND = 0;
    mFiltriOR.Cancella();
    mNumFiltriOR = 0;
    mConsecutivi = tConsecutivi{};
    mFiltriDistanza.fill(tFiltroDistanza{});
    mNumFiltriDistanza = 0;
    mDistanzaMinima = tDistanzaMinima{};
    mGUILocked = 0;
}

void CaricaPronostico() {
    int w = 0;
    for (int i = 0; i < 90; ++i) {
        if (mGriglia[i] == 1) {
            mSistema.pronostico[w++] = static_cast<uint8_t>(i + 1);
        } else if (w < 90) {
            mSistema.pronostico[w] = 0;
        }
    }
}

bool CalcoloAbilitato() { return mSistema.numPronostico >= mLenCol; }

void GrigliaNumeriClick(int index) {
    if (index < 0 || index >= 90) return;
    if (mGriglia[index] == 0) {
        mGriglia[index] = 1;
        ++mSistema.numPronostico;
    } else {
        mGriglia[index] = 0;
        --mSistema.numPronostico;
    }
    UI().GrigliaAggiornata();
}

void CancellaPronostico() {
    mSistema.numPronostico = 0;
    mGriglia.fill(0);
    UI().GrigliaAggiornata();
}

void LockGUI() {
    mGUILocked = -1;
    UI().LockGUI();
}

void UnlockGUI() {
    mGUILocked = 0;
    UI().UnlockGUI();
}

void UnlockMenuConditions() { UI().UnlockMenuConditions(); }

void Sblocca_x_Ricalcolo() {
    if (mSistema.numPronostico >= mLenCol) {
        mGUILocked = 0;
        UI().Sblocca_x_Ricalcolo();
    }
}

void ViewStatusBar() { UI().ViewStatusBar(); }

void ImpostaFileSistema(const std::string& percorso) {
    mFileSistema = percorso;
    mNomeFileSistema = Minuscolo(std::filesystem::path(percorso).filename().string());
}

void NuovoSistema() {
    ResetSistema(false);
    ImpostaFileSistema((mPathDati / "sistemi" / "nuovo.lec").string());
    ViewStatusBar();
}

bool ModificaSistema() {
    if (UI().MsgBox(TestoMessaggio("0054"), Pulsanti::SiNo, Icona::Domanda) != Risposta::Si) return false;
    UnlockGUI();
    mArrColonne.Cancella();
    mSistema.nColonne = 0;
    mSistema.descrizione.clear();
    ViewStatusBar();
    return true;
}

void ImpostaLenCol(int valore) {
    if (valore < LEN_COL_MIN) valore = LEN_COL_MIN;
    if (valore > LEN_COL_MAX) valore = LEN_COL_MAX;
    mLenCol = static_cast<int16_t>(valore);
    UI().GrigliaAggiornata();
}

void AvvisoLimite(double limite) {
    // A run's elapsed time leaves out the time the box stayed open.
    const double aperto = Adesso();
    UI().MsgBox(TestoMessaggio("0012") + "\r\n" + TestoMessaggio("0064") + " " + FormatoMigliaia(limite), Pulsanti::OK,
                Icona::Critica, TestoMessaggio("0055"));
    mInizioCalcolo += Adesso() - aperto;
}

}  // namespace novanta
