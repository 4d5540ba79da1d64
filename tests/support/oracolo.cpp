#include "support/oracolo.h"

#include <algorithm>
#include <vector>

#include "core/corpo.h"
#include "engine/motore.h"
#include "engine/motore_interno.h"
#include "support/date.h"
#include "support/formato.h"

namespace novanta::oracolo {

namespace {

// A reduction over the stored columns, newest first, yielding every 50000th column: the column
// whose numbers are flagged is rejected as soon as `respinge` says so of its numbers in common
// with a stored one.
template <typename Respinge>
bool testRiduzione(const std::array<uint8_t, 91>& flagNumeri, int32_t q, int k, Respinge respinge) {
    for (int32_t s = q; s >= 1; --s) {
        int comuni = 0;
        for (int p = 1; p <= k; ++p) comuni += flagNumeri[mArrColonne.valore(s, p)] == 1;
        if (respinge(comuni)) return false;
        if (s % 50000 == 0) UI().DoEvents();
    }
    return true;
}

// What the two runs share: the column under test, the kept count and the last progress step.
// A generation shows 250 steps on a bar of 100, a recalculation 100.
struct Corsa {
    Corsa(int k, bool generazione, EsitoCalcolo& esito)
        : k(k),
          generazione(generazione),
          passoAND(generazione ? 5000 : 50000),
          esito(esito),
          colonna(static_cast<size_t>(k)) {
        mAnnullaCalcolo = false;
        for (int j = 1; j <= k; ++j)
            flagConsecutivi[static_cast<size_t>(j)] = (mConsecutivi.maschera & mPotenze2[static_cast<size_t>(j)]) != 0;
    }

    void apri() {
        mArrColonne.Cancella();
        conta = interno::CopiaColonneBase(k, esito);
        mInizioCalcolo = Adesso();
    }

    // Steps c to f for the column: the conditions in their fixed order, the reductions, the store.
    void prova() {
        if (conta >= MAX_COLONNE || mAnnullaCalcolo) return;
        const Colonna col(colonna.data(), colonna.size());
        bool ok = true;
        if (mCondizioni.fisseAttive) ok = TestFisse(col, mCondizioni.fisse, mCondizioni.numFisse);
        if (ok && mCondizioni.sommaAttiva) ok = TestSomma(col, {mCondizioni.sommaMin, mCondizioni.sommaMax});
        if (ok && mCondizioni.pariAttivo) ok = TestPari(col, mCondizioni.pari);
        for (int32_t f = 1; f <= mNumFiltriAND && ok; ++f) {
            ok = TestFiltroGruppo(col, k, mFiltriAND[f]);
            if (f % passoAND == 0) UI().DoEvents();
        }
        if (ok && mNumFiltriOR > 0) {
            ok = false;
            for (int32_t f = 1; f <= mNumFiltriOR && !ok; ++f) {
                ok = TestFiltroGruppo(col, k, mFiltriOR[f]);
                if (f % 5000 == 0) UI().DoEvents();
            }
        }
        if (ok && mConsecutivi.attivo) ok = TestConsecutivi(col, flagConsecutivi);
        if (ok && mNumFiltriDistanza > 0) {
            ok = false;
            for (int f = 1; f <= mNumFiltriDistanza && !ok; ++f) {
                ok = TestDistanza(col, k, mFiltriDistanza[static_cast<size_t>(f)]);
                if (f % 5000 == 0) UI().DoEvents();
            }
        }
        // N-x: common >= k - x, signed; minimum distance: common > k - d, in 8 bits without sign.
        const auto sogliaNx = static_cast<int16_t>(k - mCondizioni.ridottoNx);
        const auto sogliaDistanza = static_cast<uint8_t>(k - mDistanzaMinima.valore);
        for (uint8_t v : colonna) flagNumeri[v] = 1;
        if (ok && mCondizioni.ridottoAttivo)
            ok = testRiduzione(flagNumeri, conta, k, [&](int comuni) { return comuni >= sogliaNx; });
        if (ok && mDistanzaMinima.attiva)
            ok = testRiduzione(flagNumeri, conta, k,
                               [&](int comuni) { return static_cast<uint8_t>(comuni) > sogliaDistanza; });
        for (uint8_t v : colonna) flagNumeri[v] = 0;
        if (ok) {
            ++conta;
            for (int p = 1; p <= k; ++p) mArrColonne(conta, p) = colonna[static_cast<size_t>(p - 1)];
        }
    }

    // Steps g and h after one column: the progress when its step changes, the stop at the
    // limit. False when the run is to stop.
    bool avanza(double elaborate, double totale, double passo) {
        mProgresso.colonneElaborate = elaborate;
        mProgresso.colonneSistema = conta;
        if (const int64_t step = ArrotondaPari(elaborate / passo); step != ultimoPasso) {
            ultimoPasso = step;
            UI().ProgressoBarra(static_cast<int>(generazione ? ArrotondaPari(static_cast<double>(step) * 0.4) : step));
            interno::MostraConteggi(totale, elaborate, conta);
            if (!generazione) UI().ProgressoRidisegna();
            UI().DoEvents();
        }
        if (conta >= MAX_COLONNE) {
            UI().ProgressoAllarme(TestoMessaggio("0012"));
            if (generazione) interno::MostraConteggi(totale, elaborate, conta);
            AvvisoLimite(MAX_COLONNE);
            mAnnullaCalcolo = true;
            esito.limiteRaggiunto = true;
        }
        return !mAnnullaCalcolo;
    }

    EsitoCalcolo chiudi(double elaborate, double totale) const {
        esito.annullato = mAnnullaCalcolo;
        esito.elaborate = elaborate;
        esito.integrale = totale;
        mSistema.descrizione = RiepilogoSistema();
        if (elaborate < totale) mSistema.descrizione = DescrizioneInterrotta(mSistema.descrizione, elaborate, totale);
        mSistema.nColonne = conta;
        interno::MostraConteggi(totale, elaborate, conta);
        interno::MostraDurata();
        return esito;
    }

    const int k;
    const bool generazione;
    const int passoAND;
    EsitoCalcolo& esito;
    std::vector<uint8_t> colonna;
    std::array<bool, 26> flagConsecutivi{};
    std::array<uint8_t, 91> flagNumeri{};
    int32_t conta = 0;
    int64_t ultimoPasso = -1;
};

}  // namespace

EsitoCalcolo GeneraSistema(uint8_t numPronostico, std::array<uint8_t, 90>& pronostico) {
    EsitoCalcolo esito;
    const int k = mLenCol;
    const int n = numPronostico;
    if (!interno::PreparaGenerazione(n, k, esito)) return esito;
    Corsa corsa(k, true, esito);
    const double integrale = ColonneIntegrali(n, k);
    mProgresso = tProgresso{integrale, 0, 0};
    UI().ProgressoRidisegna();
    const double passo = integrale / 250;
    corsa.apri();
    std::vector<int32_t> indici(static_cast<size_t>(k) + 1);
    double i = 0;
    for (i = 1; i <= integrale; i += 1) {
        if (i == 1) {
            for (int j = 1; j <= k; ++j) indici[static_cast<size_t>(j)] = j;
        } else {
            int j = k;
            while (j >= 1 && !(indici[static_cast<size_t>(j)] < j - k + n)) --j;
            if (j < 1) break;
            ++indici[static_cast<size_t>(j)];
            for (int m = j + 1; m <= k; ++m) indici[static_cast<size_t>(m)] = indici[static_cast<size_t>(m - 1)] + 1;
        }
        for (int p = 1; p <= k; ++p)
            corsa.colonna[static_cast<size_t>(p - 1)] =
                pronostico[static_cast<size_t>(indici[static_cast<size_t>(p)] - 1)];
        corsa.prova();
        if (!corsa.avanza(i, integrale, passo)) break;
    }
    return corsa.chiudi(std::min(i, integrale), integrale);
}

EsitoCalcolo RicalcolaColonne() {
    EsitoCalcolo esito;
    const int k = mLenCol;
    if (!interno::PreparaRicalcolo(k, esito)) return esito;
    Corsa corsa(k, false, esito);
    const double totale = mSistema.nColonne;
    mProgresso = tProgresso{totale, 0, 0};
    const double passo = totale / 100;
    std::vector<uint8_t> copia(static_cast<size_t>(mSistema.nColonne) * MAX_POSIZIONI);
    for (int32_t c = 1; c <= mSistema.nColonne; ++c)
        std::copy_n(mArrColonne.colonna(c), MAX_POSIZIONI, copia.data() + static_cast<size_t>(c - 1) * MAX_POSIZIONI);
    corsa.apri();
    double elaborate = 0;
    const auto righe = static_cast<int32_t>(ArrotondaPari(totale));
    for (int32_t j = 1; j <= righe; ++j) {
        std::copy_n(copia.data() + static_cast<size_t>(j - 1) * MAX_POSIZIONI, k, corsa.colonna.data());
        corsa.prova();
        elaborate += 1;
        if (!corsa.avanza(elaborate, totale, passo)) break;
    }
    return corsa.chiudi(elaborate, totale);
}

}  // namespace novanta::oracolo
