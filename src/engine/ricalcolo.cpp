// The recalculation: the stored columns, one by one and in their order, through the conditions
// and reductions; the survivors are compacted in place. It keeps the very columns the
// step-by-step algorithm keeps (tests/support/oracolo.cpp; the differential tests hold the two
// together): group filters are prepared once per run (filtri_preparati.h) and the reductions
// use an index of the kept columns (riduttore.h).
#include <algorithm>
#include <array>
#include <vector>

#include "core/corpo.h"
#include "engine/avanzamento.h"
#include "engine/filtri_preparati.h"
#include "engine/maschere.h"
#include "engine/motore.h"
#include "engine/motore_interno.h"
#include "engine/riduttore.h"
#include "support/date.h"

namespace novanta {

EsitoCalcolo RicalcolaColonne() {
    using namespace motore;
    const int k = mLenCol;
    EsitoCalcolo esito;
    if (!interno::PreparaRicalcolo(k, esito)) return esito;
    mAnnullaCalcolo = false;
    const int32_t totaleColonne = mSistema.nColonne;
    const double totale = totaleColonne;
    mProgresso = tProgresso{totale, 0, 0};
    const auto flagConsecutivi = EspandiConsecutivi(k);

    // Base columns at the head push the kept columns forward, so the stored ones are copied
    // aside first; without them the survivors are compacted in place, a column never moving up.
    int32_t basi = 0;
    if (mColonneBaseAttive)
        for (int32_t b = 1; b <= mNumColonneBase && b < static_cast<int32_t>(mColonneBase.size()); ++b)
            basi += mColonneBase[static_cast<size_t>(b)].lunghezza == k;
    std::vector<uint8_t> copia;
    if (basi > 0) {
        copia.resize(static_cast<size_t>(totaleColonne) * static_cast<size_t>(k));
        for (int32_t c = 1; c <= totaleColonne; ++c)
            std::copy_n(mArrColonne.colonna(c), k, copia.data() + static_cast<size_t>(c - 1) * static_cast<size_t>(k));
        mArrColonne.Cancella();
    }
    int32_t conta = interno::CopiaColonneBase(k, esito);
    mInizioCalcolo = Adesso();

    const ListaPreparata listaAND = PreparaLista(mFiltriAND, mNumFiltriAND, true, 0, k);
    const ListaPreparata listaOR = PreparaLista(mFiltriOR, mNumFiltriOR, false, 0, k);
    const bool usaOR = mNumFiltriOR > 0 && !listaOR.sempreVera;
    const auto distanze = PreparaDistanze(k);
    Riduttore rid;
    rid.Prepara(k, mCondizioni.ridottoAttivo, mCondizioni.ridottoNx, mDistanzaMinima.attiva, mDistanzaMinima.valore);
    for (int32_t c = 1; c <= conta; ++c) rid.Aggiungi(mArrColonne.colonna(c));
    const bool nessuna = listaAND.sempreFalsa || (mNumFiltriOR > 0 && listaOR.sempreFalsa);
    const std::array<int16_t, 2> limiti{mCondizioni.sommaMin, mCondizioni.sommaMax};

    Avanzamento av(totale, totale / 100, false);
    Orologio orologio;
    uint64_t lavoro = 0;
    std::array<uint8_t, MAX_POSIZIONI> col{};
    for (int32_t j = 1; j <= totaleColonne; ++j) {
        const uint8_t* sorgente =
            basi > 0 ? copia.data() + static_cast<size_t>(j - 1) * static_cast<size_t>(k) : mArrColonne.colonna(j);
        std::copy_n(sorgente, k, col.data());
        const Colonna c(col.data(), static_cast<size_t>(k));
        bool ok = !nessuna && conta < MAX_COLONNE && !mAnnullaCalcolo;
        if (ok && mCondizioni.fisseAttive) ok = TestFisse(c, mCondizioni.fisse, mCondizioni.numFisse);
        if (ok && mCondizioni.sommaAttiva) ok = TestSomma(c, limiti);
        if (ok && mCondizioni.pariAttivo) ok = TestPari(c, mCondizioni.pari);
        if (ok && (!listaAND.filtri.empty() || usaOR)) {
            Maschera m = 0;
            bool regolare = true;
            for (uint8_t v : c) {
                if (m & Bit(v)) regolare = false;
                m |= Bit(v);
            }
            auto quanti = [&](Maschera g) {
                if (regolare) return Conta(m & g);
                int q = 0;
                for (uint8_t v : c) q += (g & Bit(v)) != 0;
                return q;
            };
            for (size_t f = 0; f < listaAND.filtri.size() && ok; ++f)
                ok = (listaAND.filtri[f].accettati >> quanti(listaAND.filtri[f].gruppo)) & 1u;
            lavoro += listaAND.filtri.size();
            if (ok && usaOR) {
                ok = false;
                for (size_t f = 0; f < listaOR.filtri.size() && !ok; ++f)
                    ok = (listaOR.filtri[f].accettati >> quanti(listaOR.filtri[f].gruppo)) & 1u;
                lavoro += listaOR.filtri.size();
            }
        }
        if (ok && mConsecutivi.attivo) ok = TestConsecutivi(c, flagConsecutivi);
        if (ok && !distanze.empty()) {
            ok = false;
            for (size_t f = 0; f < distanze.size() && !ok; ++f) ok = TestDistanza(c, k, *distanze[f].filtro);
        }
        if (ok && rid.attivo()) ok = !rid.Rifiuta(col.data());
        if (ok) {
            ++conta;
            uint8_t* dest = mArrColonne.colonnaScrittura(conta);
            std::copy_n(col.data(), k, dest);
            std::fill(dest + k, dest + MAX_POSIZIONI, uint8_t{0});
            if (rid.attivo()) rid.Aggiungi(dest);
        }
        av.Porta(j, conta);
        if (conta >= MAX_COLONNE) av.Limite(conta);
        if (mAnnullaCalcolo) break;
        if (lavoro + rid.lavoro >= kLavoroPerPausa || ((j & 1023) == 0 && orologio.scaduto())) {
            lavoro = 0;
            rid.lavoro = 0;
            orologio.riparti();
            if (av.Respira(conta)) break;
        }
    }
    // The columns that were not kept (and, after a cancel, those not yet examined) go.
    mArrColonne.CancellaDa(conta + 1);
    esito.annullato = mAnnullaCalcolo;
    esito.limiteRaggiunto = av.limiteRaggiunto();
    esito.elaborate = av.elaborate();
    esito.integrale = totale;
    mSistema.descrizione = RiepilogoSistema();
    if (av.elaborate() < totale)
        mSistema.descrizione = DescrizioneInterrotta(mSistema.descrizione, av.elaborate(), totale);
    mSistema.nColonne = conta;
    interno::MostraConteggi(totale, av.elaborate(), conta);
    interno::MostraDurata();
    return esito;
}

}  // namespace novanta
