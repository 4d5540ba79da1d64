// The generation run. It gives the very system, column for column and in the same order, that
// the step-by-step algorithm gives (tests/support/oracolo.cpp keeps that algorithm word for word,
// and the differential tests hold the two together); it only avoids work whose outcome is
// already known:
// - it walks the combinations as a tree of prefixes and skips a whole subtree when
//   its prefix already decides that no completion can pass (sum, even count and fixed numbers out
//   of reach, a prefix that already shares T numbers with a kept column);
// - at the last position it decides all candidates of a prefix at once, as a mask of the
//   numbers that may complete it;
// - group filters are prepared once per run (see filtri_preparati.h) and the reductions use
//   an index of the kept columns (see riduttore.h).
// The processed count still counts every combination: a skipped subtree advances it by its
// size, and the progress window shows each step it crosses (avanzamento.h). The run yields at
// every change of progress step and also after every few million units of work or ~20 ms of
// walking, so the window stays live however long one step takes; a cancel takes effect at the end of the combination
// (or of the skipped block) in which it was confirmed.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/corpo.h"
#include "engine/avanzamento.h"
#include "engine/filtri_preparati.h"
#include "engine/maschere.h"
#include "engine/motore.h"
#include "engine/motore_interno.h"
#include "engine/riduttore.h"
#include "support/date.h"
#include "support/formato.h"

namespace novanta {

namespace {

using namespace motore;

Maschera MascheraPari() {
    Maschera m = 0;
    for (unsigned v = 2; v <= 90; v += 2) m |= Bit(v);
    return m;
}
Maschera MascheraDispari() {
    Maschera m = 0;
    for (unsigned v = 1; v <= 90; v += 2) m |= Bit(v);
    return m;
}

bool AccettaDistanza(const tFiltroDistanza& f, int lo, int hi) {
    const bool parteMin = f.numDistMin == 0 || (lo >= 1 && lo <= 89 && f.distMin[static_cast<size_t>(lo)]);
    const bool parteMax = f.numDistMax == 0 || (hi >= 1 && hi <= 89 && f.distMax[static_cast<size_t>(hi)]);
    return parteMax && parteMin;
}

class Generatore {
public:
    enum class Esito { Continua, Ferma, Risali };

    Generatore(int n, int k, const std::array<uint8_t, 90>& pronostico, Avanzamento& av, int32_t conta)
        : n_(n), k_(k), av_(av), conta_(conta) {
        for (int j = 0; j < n; ++j) v_[static_cast<size_t>(j)] = pronostico[static_cast<size_t>(j)];
        R_[static_cast<size_t>(n)] = 0;
        for (int j = n - 1; j >= 0; --j)
            R_[static_cast<size_t>(j)] = R_[static_cast<size_t>(j + 1)] | Bit(v_[static_cast<size_t>(j)]);
        for (int j = 0; j <= 90; ++j) indiceDi_[static_cast<size_t>(j)] = -1;
        for (int j = 0; j < n; ++j) indiceDi_[v_[static_cast<size_t>(j)]] = j;
        for (int j = 0; j < n; ++j) {
            const uint8_t x = v_[static_cast<size_t>(j)];
            PS_[static_cast<size_t>(j + 1)] = PS_[static_cast<size_t>(j)] + x;
            EV_[static_cast<size_t>(j + 1)] = EV_[static_cast<size_t>(j)] + (x % 2 == 0);
            FC_[static_cast<size_t>(j + 1)] = FC_[static_cast<size_t>(j)] + (mCondizioni.fisse[x] == 1);
        }
        for (int a = 0; a <= 90; ++a) {
            C_[static_cast<size_t>(a)][0] = 1;
            for (int b = 1; b <= 25; ++b)
                C_[static_cast<size_t>(a)][static_cast<size_t>(b)] =
                    a == 0 ? 0
                           : C_[static_cast<size_t>(a - 1)][static_cast<size_t>(b - 1)] +
                                 C_[static_cast<size_t>(a - 1)][static_cast<size_t>(b)];
        }
        Maschera universo = R_[0];
        somma_ = mCondizioni.sommaAttiva;
        pari_ = mCondizioni.pariAttivo;
        fisse_ = mCondizioni.fisseAttive;
        for (unsigned x = 1; x <= 90; ++x)
            if (mCondizioni.fisse[x] == 1) FM_ |= Bit(x);
        listaAND_ = PreparaLista(mFiltriAND, mNumFiltriAND, true, universo, k);
        listaOR_ = PreparaLista(mFiltriOR, mNumFiltriOR, false, universo, k);
        usaOR_ = mNumFiltriOR > 0 && !listaOR_.sempreVera;
        consecutivi_ = mConsecutivi.attivo;
        flagConsecutivi_ = EspandiConsecutivi(k);
        distanze_ = PreparaDistanze(k);
        rid_.Prepara(k, mCondizioni.ridottoAttivo, mCondizioni.ridottoNx, mDistanzaMinima.attiva,
                     mDistanzaMinima.valore);
        rid_.UsaPronostico(v_.data(), n);
        for (int32_t c = 1; c <= conta_; ++c) rid_.Aggiungi(mArrColonne.colonna(c));
        pariM_ = MascheraPari();
        dispariM_ = MascheraDispari();
    }

    int32_t conta() const { return conta_; }

    void Esegui() {
        const double totale = C_[static_cast<size_t>(n_)][static_cast<size_t>(k_)];
        const bool nessuna = listaAND_.sempreFalsa || (mNumFiltriOR > 0 && listaOR_.sempreFalsa) ||
                             (rid_.rifiutaDopoLaPrima() && conta_ >= 1);
        if (!nessuna) {
            F_[0] = rid_.attivo() ? rid_.Proibiti(0, nullptr, -1, 0, 0) : 0;
            if (esplora(0, 0) == Esito::Ferma) return;
        }
        av_.Porta(totale, conta_);
    }

private:
    // Chooses the number at position d (0-based) among indexes inizio..n - (k - d).
    Esito esplora(int d, int inizio) {
        if (d == k_ - 1) return foglia(inizio);
        const int resto = k_ - 1 - d;
        for (int j = inizio; j <= n_ - (k_ - d); ++j) {
            const double base = av_.elaborate();
            const double dimensione = C_[static_cast<size_t>(n_ - 1 - j)][static_cast<size_t>(resto)];
            const uint8_t y = v_[static_cast<size_t>(j)];
            if (entra(d, j, y, resto)) {
                const Esito e = esplora(d + 1, j + 1);
                if (e == Esito::Ferma) return e;
                if (e == Esito::Risali) {
                    if (risaliA_ != d) return e;
                    risaliA_ = -1;
                }
            }
            if (av_.Porta(base + dimensione, conta_)) return Esito::Ferma;
            if (pausa()) return Esito::Ferma;
        }
        return Esito::Continua;
    }

    // Sets the state of depth d + 1 for the number y at index j; false when no completion passes.
    bool entra(int d, int j, uint8_t y, int resto) {
        if (rid_.attivo() && (F_[static_cast<size_t>(d)] & Bit(y))) return false;
        const size_t e = static_cast<size_t>(d + 1);
        const size_t prossimo = static_cast<size_t>(j + 1);
        const int disponibili = n_ - j - 1;
        if (somma_) {
            somma_d_[e] = somma_d_[e - 1] + y;
            const int minimo = somma_d_[e] + PS_[prossimo + static_cast<size_t>(resto)] - PS_[prossimo];
            const int massimo = somma_d_[e] + PS_[static_cast<size_t>(n_)] - PS_[static_cast<size_t>(n_ - resto)];
            if (minimo > mCondizioni.sommaMax || massimo < mCondizioni.sommaMin) return false;
        }
        if (pari_) {
            pari_d_[e] = pari_d_[e - 1] + (y % 2 == 0);
            const int pariDisp = EV_[static_cast<size_t>(n_)] - EV_[prossimo];
            const int dispariDisp = disponibili - pariDisp;
            const int lo = pari_d_[e] + std::max(0, resto - dispariDisp);
            const int hi = pari_d_[e] + std::min(resto, pariDisp);
            bool qualcuno = false;
            for (int x = lo; x <= hi && !qualcuno; ++x) qualcuno = mCondizioni.pari[static_cast<size_t>(x)];
            if (!qualcuno) return false;
        }
        if (fisse_) {
            fisse_d_[e] = fisse_d_[e - 1] + (mCondizioni.fisse[y] == 1);
            const int fisseDisp = FC_[static_cast<size_t>(n_)] - FC_[prossimo];
            const int lo = fisse_d_[e] + std::max(0, resto - (disponibili - fisseDisp));
            const int hi = fisse_d_[e] + std::min(resto, fisseDisp);
            if (mCondizioni.numFisse < lo || mCondizioni.numFisse > hi) return false;
        }
        if (consecutivi_) {
            if (d == 0) {
                run_[e] = 1;
                best_[e] = 1;
            } else if (y == vals_[static_cast<size_t>(d - 1)] + 1) {
                run_[e] = run_[e - 1] + 1;
                best_[e] = std::max(best_[e - 1], run_[e]);
            } else {
                run_[e] = 1;
                best_[e] = best_[e - 1];
            }
        }
        vals_[static_cast<size_t>(d)] = y;
        P_[e] = P_[e - 1] | Bit(y);
        if (rid_.attivo()) F_[e] = rid_.Proibiti(F_[e - 1], vals_.data(), d, y, P_[e]);
        return true;
    }

    // The last position: every candidate completing the prefix of k - 1 numbers at once.
    Esito foglia(int inizio) {
        const size_t d = static_cast<size_t>(k_ - 1);
        const double base = av_.elaborate();
        Maschera L = R_[static_cast<size_t>(inizio)];
        if (somma_) L &= Intervallo(mCondizioni.sommaMin - somma_d_[d], mCondizioni.sommaMax - somma_d_[d]);
        if (pari_) {
            const int e = pari_d_[d];
            L &= (mCondizioni.pari[static_cast<size_t>(e)] ? dispariM_ : 0) |
                 (e + 1 <= 25 && mCondizioni.pari[static_cast<size_t>(e + 1)] ? pariM_ : 0);
        }
        if (fisse_) {
            const int c = fisse_d_[d];
            L &= (c == mCondizioni.numFisse ? ~FM_ : 0) | (c + 1 == mCondizioni.numFisse ? FM_ : 0);
        }
        const Maschera P = P_[d];
        for (const auto& f : listaAND_.filtri) {
            if (!L) break;
            const int c = Conta(P & f.gruppo);
            L &= (((f.accettati >> c) & 1u) ? ~f.gruppo : 0) | (((f.accettati >> (c + 1)) & 1u) ? f.gruppo : 0);
        }
        lavoro_ += listaAND_.filtri.size();
        if (usaOR_ && L) {
            Maschera U = 0;
            for (const auto& f : listaOR_.filtri) {
                const int c = Conta(P & f.gruppo);
                U |= (((f.accettati >> c) & 1u) ? ~f.gruppo : 0) | (((f.accettati >> (c + 1)) & 1u) ? f.gruppo : 0);
                if ((U & L) == L) break;
            }
            lavoro_ += listaOR_.filtri.size();
            L &= U;
        }
        const int ultimo = vals_[d - 1];
        if (consecutivi_) {
            const int b = best_[d], r = run_[d];
            Maschera m = flagConsecutivi_[static_cast<size_t>(b)] ? ~Maschera{0} : 0;
            if (ultimo + 1 <= 90) {
                const bool seguito = flagConsecutivi_[static_cast<size_t>(std::max(b, r + 1))];
                m = seguito ? (m | Bit(static_cast<unsigned>(ultimo + 1)))
                            : (m & ~Bit(static_cast<unsigned>(ultimo + 1)));
            }
            L &= m;
        }
        if (rid_.attivo()) L &= ~F_[d];

        // The gaps of each distance filter that do not involve the last number.
        auto& lo0 = lo0_;
        auto& hi0 = hi0_;
        auto& conUltimo = conUltimo_;
        for (size_t f = 0; f < distanze_.size(); ++f) {
            conUltimo[f] = false;
            int lo = 89, hi = 0;
            for (int p : distanze_[f].posizioni) {
                if (p == k_ - 1) {
                    conUltimo[f] = true;
                    continue;
                }
                const int g = vals_[static_cast<size_t>(p)] - vals_[static_cast<size_t>(p - 1)];
                lo = std::min(lo, g);
                hi = std::max(hi, g);
            }
            lo0[f] = lo;
            hi0[f] = hi;
        }

        while (L) {
            const int x = Primo(L);
            L &= L - 1;
            if (!distanze_.empty()) {
                bool ok = false;
                const int g = x - ultimo;
                for (size_t f = 0; f < distanze_.size() && !ok; ++f) {
                    const int lo = conUltimo[f] ? std::min(lo0[f], g) : lo0[f];
                    const int hi = conUltimo[f] ? std::max(hi0[f], g) : hi0[f];
                    ok = AccettaDistanza(*distanze_[f].filtro, lo, hi);
                }
                if (!ok) continue;
            }
            if (rid_.attivo() && rid_.haIrregolari() && rid_.RifiutaIrregolari(P | Bit(static_cast<unsigned>(x))))
                continue;
            const double ordinale = base + (indiceDi_[static_cast<size_t>(x)] - inizio + 1);
            if (av_.Porta(ordinale - 1, conta_)) return Esito::Ferma;
            ++conta_;
            uint8_t* col = mArrColonne.colonnaScrittura(conta_);
            for (size_t p = 0; p < d; ++p) col[p] = vals_[p];
            col[d] = static_cast<uint8_t>(x);
            if (av_.Porta(ordinale, conta_)) return Esito::Ferma;
            if (conta_ >= MAX_COLONNE) {
                av_.Limite(conta_);
                return Esito::Ferma;
            }
            if (rid_.attivo()) {
                rid_.Aggiungi(col);
                // The kept column holds the whole prefix: from now on every candidate that shares
                // its first T numbers is too close to it, so the walk climbs back to depth T - 1.
                const int t = rid_.soglia();
                if (t <= 0) return tuttoRifiutato();
                F_[static_cast<size_t>(t - 1)] |= P | Bit(static_cast<unsigned>(x));
                if (t - 1 < k_ - 1) {
                    risaliA_ = t - 1;
                    return Esito::Risali;
                }
            }
        }
        if (av_.Porta(base + (n_ - inizio), conta_)) return Esito::Ferma;
        return pausa() ? Esito::Ferma : Esito::Continua;
    }

    // With a threshold of 0 or less nothing passes after the first kept column: the rest of
    // the walk is skipped, and the processed count goes to the end in one step.
    Esito tuttoRifiutato() {
        av_.Porta(C_[static_cast<size_t>(n_)][static_cast<size_t>(k_)], conta_);
        return Esito::Ferma;
    }

    // Called at every node: yields after a long stretch of work, or every ~20 ms of walking.
    bool pausa() {
        if ((++passi_ & 1023) == 0 && orologio_.scaduto()) return respira();
        if (lavoro_ + rid_.lavoro < kLavoroPerPausa) return false;
        return respira();
    }

    bool respira() {
        lavoro_ = 0;
        rid_.lavoro = 0;
        orologio_.riparti();
        return av_.Respira(conta_);
    }

    int n_, k_;
    Avanzamento& av_;
    int32_t conta_;
    std::array<uint8_t, 90> v_{};
    std::array<Maschera, 91> R_{};
    std::array<int, 91> indiceDi_{};
    std::array<int, 91> PS_{}, EV_{}, FC_{};
    std::array<std::array<double, 26>, 91> C_{};
    bool somma_ = false, pari_ = false, fisse_ = false, consecutivi_ = false, usaOR_ = false;
    Maschera FM_ = 0, pariM_ = 0, dispariM_ = 0;
    ListaPreparata listaAND_, listaOR_;
    std::array<bool, 26> flagConsecutivi_{};
    std::vector<DistanzaPreparata> distanze_;
    Riduttore rid_;
    uint64_t lavoro_ = 0;
    uint64_t passi_ = 0;
    Orologio orologio_;
    int risaliA_ = -1;
    std::array<uint8_t, 26> vals_{};
    std::array<Maschera, 27> P_{}, F_{};
    std::array<int, 26> lo0_{}, hi0_{};
    std::array<bool, 26> conUltimo_{};
    std::array<int, 27> somma_d_{}, pari_d_{}, fisse_d_{}, run_{}, best_{};
};

bool PronosticoCrescente(int n, const std::array<uint8_t, 90>& pronostico) {
    for (int j = 0; j < n; ++j) {
        const uint8_t x = pronostico[static_cast<size_t>(j)];
        if (x < 1 || x > 90 || (j > 0 && x <= pronostico[static_cast<size_t>(j - 1)])) return false;
    }
    return true;
}

}  // namespace

EsitoCalcolo GeneraSistema(uint8_t numPronostico, std::array<uint8_t, 90>& pronostico) {
    const int k = mLenCol;
    const int n = numPronostico;
    EsitoCalcolo esito;
    if (!interno::PreparaGenerazione(n, k, esito)) return esito;
    if (!PronosticoCrescente(n, pronostico))
        return interno::RifiutaCalcolo("GeneraSistema",
                                       "The prediction must hold distinct numbers 1..90 in ascending order");
    mAnnullaCalcolo = false;
    const double integrale = ColonneIntegrali(n, k);
    mProgresso = tProgresso{integrale, 0, 0};
    UI().ProgressoRidisegna();
    mArrColonne.Cancella();
    const int32_t base = interno::CopiaColonneBase(k, esito);
    mInizioCalcolo = Adesso();
    Avanzamento av(integrale, integrale / 250, true);
    Generatore g(n, k, pronostico, av, base);
    g.Esegui();
    double i = av.elaborate();
    if (i > integrale) i = integrale;
    esito.annullato = mAnnullaCalcolo;
    esito.limiteRaggiunto = av.limiteRaggiunto();
    esito.elaborate = i;
    esito.integrale = integrale;
    mSistema.descrizione = RiepilogoSistema();
    if (i < integrale) mSistema.descrizione = DescrizioneInterrotta(mSistema.descrizione, i, integrale);
    mSistema.nColonne = g.conta();
    interno::MostraConteggi(integrale, i, g.conta());
    interno::MostraDurata();
    return esito;
}

}  // namespace novanta
