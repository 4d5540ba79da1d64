#include "support/oracolo.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/corpo.h"
#include "engine/motore.h"
#include "engine/motore_interno.h"
#include "support/date.h"
#include "support/formato.h"

namespace novanta::oracolo {

namespace {

// The N-x test (common >= k - x, signed) and the minimum-distance test (common > k - d, in 8
// bits without sign), newest stored column first, yielding every 50000th column.
bool testNx(const std::array<uint8_t, 91>& flagNumeri, int32_t q, int k) {
    if (q == 0) return true;
    const auto t = static_cast<int16_t>(k - mCondizioni.ridottoNx);
    for (int32_t s = q; s >= 1; --s) {
        int comuni = 0;
        for (int p = 1; p <= k; ++p) comuni += flagNumeri[mArrColonne.valore(s, p)] == 1;
        if (comuni >= t) return false;
        if (s % 50000 == 0) UI().DoEvents();
    }
    return true;
}

bool testDistanzaMinima(const std::array<uint8_t, 91>& flagNumeri, int32_t q, int k) {
    if (q == 0) return true;
    const auto t = static_cast<uint8_t>(k - mDistanzaMinima.valore);
    for (int32_t s = q; s >= 1; --s) {
        int comuni = 0;
        for (int p = 1; p <= k; ++p) comuni += flagNumeri[mArrColonne.valore(s, p)] == 1;
        if (static_cast<uint8_t>(comuni) > t) return false;
        if (s % 50000 == 0) UI().DoEvents();
    }
    return true;
}

// Steps c to f for one column: the conditions in their fixed order, the reductions, the store.
void provaEMemorizza(const std::vector<uint8_t>& colonna, const std::array<bool, 26>& flagConsecutivi,
                     std::array<uint8_t, 91>& flagNumeri, int32_t& conta, int k, int passoAND) {
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
    if (ok && mCondizioni.ridottoAttivo) {
        for (uint8_t v : colonna) flagNumeri[v] = 1;
        ok = testNx(flagNumeri, conta, k);
        for (uint8_t v : colonna) flagNumeri[v] = 0;
    }
    if (ok && mDistanzaMinima.attiva) {
        for (uint8_t v : colonna) flagNumeri[v] = 1;
        ok = testDistanzaMinima(flagNumeri, conta, k);
        for (uint8_t v : colonna) flagNumeri[v] = 0;
    }
    if (ok) {
        ++conta;
        for (int p = 1; p <= k; ++p) mArrColonne(conta, p) = colonna[static_cast<size_t>(p - 1)];
    }
}

std::array<bool, 26> espandiConsecutivi(int k) {
    std::array<bool, 26> flag{};
    for (int j = 1; j <= k; ++j)
        flag[static_cast<size_t>(j)] = (mConsecutivi.maschera & mPotenze2[static_cast<size_t>(j)]) != 0;
    return flag;
}

}  // namespace

EsitoCalcolo GeneraSistema(uint8_t numPronostico, std::array<uint8_t, 90>& pronostico) {
    EsitoCalcolo esito;
    const int k = mLenCol;
    const int n = numPronostico;
    if (!interno::PreparaGenerazione(n, k, esito)) return esito;
    std::vector<uint8_t> colonna(static_cast<size_t>(k));
    mAnnullaCalcolo = false;
    double i = 0;
    int32_t conta = 0;
    int64_t ultimoPasso = -1;
    const auto flagConsecutivi = espandiConsecutivi(k);
    std::array<uint8_t, 91> flagNumeri{};
    const double integrale = ColonneIntegrali(n, k);
    mProgresso = tProgresso{integrale, 0, 0};
    UI().ProgressoRidisegna();
    const double passo = integrale / 250;
    mArrColonne.Cancella();
    conta = interno::CopiaColonneBase(k, esito);
    std::vector<int32_t> indici(static_cast<size_t>(k) + 1);
    mInizioCalcolo = Adesso();
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
            colonna[static_cast<size_t>(p - 1)] = pronostico[static_cast<size_t>(indici[static_cast<size_t>(p)] - 1)];
        provaEMemorizza(colonna, flagConsecutivi, flagNumeri, conta, k, 5000);
        mProgresso.colonneElaborate = i;
        mProgresso.colonneSistema = conta;
        const int64_t step = ArrotondaPari(i / passo);
        if (step != ultimoPasso) {
            ultimoPasso = step;
            UI().ProgressoBarra(static_cast<int>(ArrotondaPari(static_cast<double>(step) * 0.4)));
            interno::MostraConteggi(integrale, i, conta);
            UI().DoEvents();
        }
        if (conta >= MAX_COLONNE) {
            UI().ProgressoAllarme(TestoMessaggio("0012"));
            interno::MostraConteggi(integrale, i, conta);
            AvvisoLimite(MAX_COLONNE);
            mAnnullaCalcolo = true;
            esito.limiteRaggiunto = true;
        }
        if (mAnnullaCalcolo) break;
    }
    if (i > integrale) i = integrale;
    esito.annullato = mAnnullaCalcolo;
    esito.elaborate = i;
    esito.integrale = integrale;
    mSistema.descrizione = RiepilogoSistema();
    if (i < integrale) mSistema.descrizione = DescrizioneInterrotta(mSistema.descrizione, i, integrale);
    mSistema.nColonne = conta;
    interno::MostraConteggi(integrale, i, conta);
    interno::MostraDurata();
    return esito;
}

EsitoCalcolo RicalcolaColonne() {
    EsitoCalcolo esito;
    const int k = mLenCol;
    if (!interno::PreparaRicalcolo(k, esito)) return esito;
    std::vector<uint8_t> colonna(static_cast<size_t>(k));
    mAnnullaCalcolo = false;
    double elaborate = 0;
    int32_t conta = 0;
    int64_t ultimoPasso = -1;
    const auto flagConsecutivi = espandiConsecutivi(k);
    std::array<uint8_t, 91> flagNumeri{};
    const double totale = mSistema.nColonne;
    mProgresso = tProgresso{totale, 0, 0};
    const double passo = totale / 100;
    std::vector<uint8_t> copia(static_cast<size_t>(mSistema.nColonne) * MAX_POSIZIONI);
    for (int32_t c = 1; c <= mSistema.nColonne; ++c)
        std::copy_n(mArrColonne.colonna(c), MAX_POSIZIONI, copia.data() + static_cast<size_t>(c - 1) * MAX_POSIZIONI);
    mArrColonne.Cancella();
    conta = interno::CopiaColonneBase(k, esito);
    mInizioCalcolo = Adesso();
    const auto righe = static_cast<int32_t>(ArrotondaPari(totale));
    for (int32_t j = 1; j <= righe; ++j) {
        for (int p = 1; p <= k; ++p)
            colonna[static_cast<size_t>(p - 1)] =
                copia[static_cast<size_t>(j - 1) * MAX_POSIZIONI + static_cast<size_t>(p - 1)];
        provaEMemorizza(colonna, flagConsecutivi, flagNumeri, conta, k, 50000);
        elaborate += 1;
        mProgresso.colonneElaborate = elaborate;
        mProgresso.colonneSistema = conta;
        const int64_t step = ArrotondaPari(elaborate / passo);
        if (step != ultimoPasso) {
            ultimoPasso = step;
            UI().ProgressoBarra(static_cast<int>(step));
            interno::MostraConteggi(totale, elaborate, conta);
            UI().ProgressoRidisegna();
            UI().DoEvents();
        }
        if (conta >= MAX_COLONNE) {
            UI().ProgressoAllarme(TestoMessaggio("0012"));
            AvvisoLimite(MAX_COLONNE);
            mAnnullaCalcolo = true;
            esito.limiteRaggiunto = true;
        }
        if (mAnnullaCalcolo) break;
    }
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

}  // namespace novanta::oracolo
