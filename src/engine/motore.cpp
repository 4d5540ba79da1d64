#include "engine/motore.h"

#include <cmath>

#include "core/corpo.h"
#include "engine/motore_interno.h"
#include "support/binomiale.h"
#include "support/date.h"
#include "support/formato.h"

namespace novanta {

double Fattoriale(int k) {
    double f = 1;
    for (int i = 2; i <= k; ++i) f *= i;
    return f;
}

// C(n, k) in whole numbers: the product n x ... x (n - k + 1) divided by k! in doubles comes out
// a hair below the whole number for many lengths (C(25, 25) gives 0.9999999999999999), and a
// run counting "for i = 1 to integrale" would then miss its last combination.
double ColonneIntegrali(int n, int k) {
    if (k <= 0) return 1;
    return static_cast<double>(Binomiale128(n, k));
}

std::string RiepilogoSistema() {
    const bool altre = mNumFiltriAND >= 1 || mNumFiltriOR >= 1 || mConsecutivi.attivo || mColonneBaseAttive ||
                       mNumFiltriDistanza > 0 || mCondizioni.fisseAttive || mCondizioni.pariAttivo ||
                       mCondizioni.sommaAttiva;
    if (mCondizioni.ridottoAttivo) {
        std::string t = TestoMessaggio("0018") + " N-" + std::to_string(mCondizioni.ridottoNx);
        return altre ? t + " " + TestoMessaggio("0060") : t;
    }
    if (mDistanzaMinima.attiva) {
        std::string t = TestoMessaggio("0061") + " [" + std::to_string(mDistanzaMinima.valore) + "]";
        return altre ? t + " - " + TestoMessaggio("0060") : t;
    }
    return altre ? TestoMessaggio("0060") : TestoMessaggio("0062");
}

std::string DescrizioneInterrotta(const std::string& descrizione, double elaborate, double totale) {
    return descrizione + " (" + TestoMessaggio("0160", {FormatoMigliaia(elaborate), FormatoMigliaia(totale)}) + ")";
}

int LunghezzaColonneSistema() {
    if (mSistema.nColonne < 1) return 0;
    const uint8_t* col = mArrColonne.colonna(1);
    int k = 0;
    while (k < MAX_POSIZIONI && col[k] != 0) ++k;
    return k;
}

bool RicalcoloConsentito(std::string* errore) {
    const int memorizzata = LunghezzaColonneSistema();
    if (mSistema.nColonne < 1 || memorizzata == mLenCol) return true;
    const std::string testo = TestoMessaggio("0161", {std::to_string(memorizzata), std::to_string(mLenCol)});
    if (errore) *errore = testo;
    UI().MsgBox(testo, Pulsanti::OK, Icona::Esclamazione);
    return false;
}

std::string FormatoDurata(double inizio, double fine, const std::string& formato) {
    // Whole seconds as a date difference counts them: each date to its nearest second first,
    // so two dates a whole number of seconds apart never lose one to the fractions of a day.
    // The parts then come from the whole seconds: splitting them through fractions of hours
    // and minutes in floating point would turn 14:46:00 into 14:45:00.
    int64_t s = std::llround(fine * 86400.0) - std::llround(inizio * 86400.0);
    if (s < 0) s = 0;
    const int64_t giorni = s / 86400;
    const int64_t ore = s % 86400 / 3600;
    const int64_t minuti = s % 3600 / 60;
    const int64_t secondi = s % 60;
    if (formato == "HH:MM:SS")
        return FormatoZeri(giorni * 24 + ore) + ":" + FormatoZeri(minuti) + ":" + FormatoZeri(secondi);
    const std::string unita = giorni == 1 ? "Day" : "Days";
    return std::to_string(giorni) + " " + unita + " " + FormatoZeri(ore) + ":" + FormatoZeri(minuti) + ":" +
           FormatoZeri(secondi);
}

void ChiediAnnullamento() {
    UI().Beep();
    const std::string testo = TestoMessaggio("0001") + FormatoConteggio(mProgresso.colonneIntegrale) + "\r\n" +
                              TestoMessaggio("0002") + FormatoConteggio(mProgresso.colonneElaborate) + "\r\n" +
                              TestoMessaggio("0003") + FormatoConteggio(mProgresso.colonneSistema) + "\r\n" +
                              TestoMessaggio("0004");
    // The run's elapsed time leaves out the time the question stayed open.
    const double aperta = Adesso();
    const Risposta r = UI().MsgBox(testo, Pulsanti::SiNo, Icona::Domanda, interno::TitoloProgresso());
    mInizioCalcolo += Adesso() - aperta;
    if (r == Risposta::Si) mAnnullaCalcolo = true;
}

std::string interno::TitoloProgresso() {
    const std::string t = LeggiINI(FileLinguaCorrente(), "frmCalcolo", "frmCalcolo.Caption");
    return t.empty() ? "Elaborazione in corso..." : t;
}

namespace {
// Drops the fixed numbers whose grid label is no longer marked. The count never goes below
// zero: wrapped round to 255 it would make the fixed-numbers test reject every column.
void eliminaFisseObsolete() {
    for (int v = 1; v <= 90; ++v) {
        if (mCondizioni.fisse[static_cast<size_t>(v)] == 1 && mGriglia[static_cast<size_t>(v - 1)] != 1) {
            mCondizioni.fisse[static_cast<size_t>(v)] = 0;
            if (mCondizioni.numFisse != 0) --mCondizioni.numFisse;
        }
    }
}

void chiudiCalcolo() {
    ViewStatusBar();
    UI().ProgressoChiudi();
    UI().AbilitaFinestraPrincipale(true);
    if (mSistema.nColonne >= 1) LockGUI();
}
}  // namespace

EsitoCalcolo CalcolaSistema() {
    CaricaPronostico();
    eliminaFisseObsolete();
    UI().AbilitaFinestraPrincipale(false);
    UI().ProgressoApri();
    const EsitoCalcolo esito = GeneraSistema(mSistema.numPronostico, mSistema.pronostico);
    chiudiCalcolo();
    return esito;
}

EsitoCalcolo RicalcolaSistema() {
    EsitoCalcolo rifiutato;
    if (!RicalcoloConsentito(&rifiutato.errore)) return rifiutato;
    eliminaFisseObsolete();
    UI().AbilitaFinestraPrincipale(false);
    UI().ProgressoApri();
    const EsitoCalcolo esito = RicalcolaColonne();
    chiudiCalcolo();
    return esito;
}

EsitoCalcolo CalcoloComando() {
    const EsitoCalcolo esito = mSistema.nColonne != 0 ? RicalcolaSistema() : CalcolaSistema();
    if (mConfig.modalitaRicalcolo) Sblocca_x_Ricalcolo();
    return esito;
}

namespace interno {

void MostraConteggi(double integrale, double elaborate, double sistema) {
    UI().ProgressoEtichette(integrale, elaborate, sistema);
}

void MostraDurata() { UI().MsgBox(FormatoDurata(mInizioCalcolo, Adesso(), "D HH:MM:SS")); }

EsitoCalcolo RifiutaCalcolo(const std::string& procedura, const std::string& motivo) {
    UI().MsgBox(TestoErrore(ERRORE_APPLICAZIONE, motivo, procedura, "Modulo corpo"), Pulsanti::OK, Icona::Critica);
    EsitoCalcolo esito;
    esito.errore = motivo;
    return esito;
}

bool PreparaGenerazione(int n, int k, EsitoCalcolo& esito) {
    if (k < LEN_COL_MIN || k > LEN_COL_MAX) {
        esito = RifiutaCalcolo("GeneraSistema", "Column length " + std::to_string(k) + " outside 2..25");
        return false;
    }
    if (n < k) {
        esito = RifiutaCalcolo("GeneraSistema", "The prediction has " + std::to_string(n) +
                                                    " numbers, fewer than the column length " + std::to_string(k));
        return false;
    }
    esito = EsitoCalcolo{};
    esito.eseguito = true;
    return true;
}

bool PreparaRicalcolo(int k, EsitoCalcolo& esito) {
    if (k < LEN_COL_MIN || k > LEN_COL_MAX) {
        esito = RifiutaCalcolo("RicalcolaColonne", "Column length " + std::to_string(k) + " outside 2..25");
        return false;
    }
    // A length raised above that of the stored columns would read positions that hold no number.
    for (int32_t c = 1; c <= mSistema.nColonne; ++c) {
        const uint8_t* col = mArrColonne.colonna(c);
        for (int p = 0; p < k; ++p) {
            if (col[p] == 0) {
                esito = RifiutaCalcolo("RicalcolaColonne",
                                       "The stored columns are shorter than the column length " + std::to_string(k));
                return false;
            }
            if (col[p] > 90) {
                esito = RifiutaCalcolo("RicalcolaColonne", "Column " + std::to_string(c) + " holds the number " +
                                                               std::to_string(col[p]) + ", outside 1..90");
                return false;
            }
        }
    }
    esito = EsitoCalcolo{};
    esito.eseguito = true;
    return true;
}

int32_t CopiaColonneBase(int k, EsitoCalcolo& esito) {
    if (!mColonneBaseAttive || mNumColonneBase < 1) return 0;
    int32_t conta = 0, escluse = 0;
    for (int32_t b = 1; b <= mNumColonneBase && b < static_cast<int32_t>(mColonneBase.size()); ++b) {
        const tColonna& base = mColonneBase[static_cast<size_t>(b)];
        // A base column goes in only when it has exactly k numbers, each in 1..90: the
        // reductions read every stored number as an index of the 90.
        bool valida = base.lunghezza == k;
        for (int p = 1; valida && p <= k; ++p)
            valida = base.numeri[static_cast<size_t>(p)] >= 1 && base.numeri[static_cast<size_t>(p)] <= 90;
        if (!valida) {
            ++escluse;
            continue;
        }
        uint8_t* col = mArrColonne.colonnaScrittura(++conta);
        for (int p = 1; p <= k; ++p) col[p - 1] = base.numeri[static_cast<size_t>(p)];
    }
    esito.colonneBaseEscluse = escluse;
    if (escluse > 0)
        UI().MsgBox("Colonne Base escluse: " + std::to_string(escluse) + " (lunghezza diversa da Lunghezza Colonna [" +
                        std::to_string(k) + "] o numeri fuori da 1..90)",
                    Pulsanti::OK, Icona::Esclamazione);
    return conta;
}

}  // namespace interno

}  // namespace novanta
