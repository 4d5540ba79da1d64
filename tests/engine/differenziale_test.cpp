// The production runs against the literal oracle: random predictions and condition sets, every
// condition kind, both reductions, base columns, cancel, and the cases random draws reach rarely.
// The two must give the same system, column for column and in the same order.
#include <random>
#include <set>

#include "engine/comune.h"
#include "engine/motore.h"
#include "engine/riduttore.h"
#include "support/oracolo.h"

namespace novanta {
namespace {

struct Istantanea {
    int32_t nColonne = 0;
    std::vector<uint8_t> colonne;  // 25 positions per column
    std::string descrizione;
    double elaborate = 0;
    bool annullato = false;
    bool eseguito = false;
    size_t messaggi = 0;
};

// A face that cancels at the first progress step that reaches a given processed count. The
// count is one at which the oracle shows a step: the engine shows the same steps, except that a
// block of combinations it decides at once (all rejected) shows the step where the block ends,
// so the two cancel at the same stored column.
class InterfacciaAnnulla : public test::InterfacciaRegistrata {
public:
    double soglia = -1;
    std::vector<double> passiMostrati;
    void DoEvents() override {
        InterfacciaRegistrata::DoEvents();
        if (etichette.size() == mostrate_) return;  // no step shown since the last yield
        mostrate_ = etichette.size();
        passiMostrati.push_back(etichette.back().elaborate);
        if (soglia >= 0 && etichette.back().elaborate >= soglia) mAnnullaCalcolo = true;
    }

private:
    size_t mostrate_ = 0;
};

class Casuale {
public:
    explicit Casuale(uint32_t seme) : rng_(seme) {}
    int tra(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng_); }
    bool moneta(double p = 0.5) { return std::bernoulli_distribution(p)(rng_); }
    // `quanti` numbers of `v` (all when fewer) in random order, and one of them.
    std::vector<int> scelti(std::vector<int> v, int quanti) {
        std::shuffle(v.begin(), v.end(), rng_);
        v.resize(static_cast<size_t>(std::min<int>(quanti, static_cast<int>(v.size()))));
        return v;
    }
    int unoDi(const std::vector<int>& v) { return v[static_cast<size_t>(tra(0, static_cast<int>(v.size()) - 1))]; }

private:
    std::mt19937 rng_;
};

// Prediction and conditions drawn at random; `k` and the prediction size keep the oracle fast.
void CondizioniCasuali(Casuale& r, int k, const std::vector<int>& pronostico) {
    if (r.moneta(0.3)) {
        mCondizioni.fisseAttive = true;
        for (int v : r.scelti(pronostico, r.tra(0, std::min(3, k - 1))))
            mCondizioni.fisse[static_cast<size_t>(v)] = 1, ++mCondizioni.numFisse;
    }
    if (r.moneta(0.35)) {
        mCondizioni.sommaAttiva = true;
        const int media =
            std::accumulate(pronostico.begin(), pronostico.end(), 0) * k / static_cast<int>(pronostico.size());
        mCondizioni.sommaMin = static_cast<int16_t>(media - r.tra(0, 60));
        mCondizioni.sommaMax = static_cast<int16_t>(media + r.tra(-20, 60));
    }
    if (r.moneta(0.35)) {
        mCondizioni.pariAttivo = true;
        for (int e = 0; e <= k; ++e) mCondizioni.pari[static_cast<size_t>(e)] = r.moneta(0.6);
    }
    auto filtri = [&](TabellaFiltri& lista, int32_t& quanti) {
        const int n = r.moneta(0.15) ? r.tra(20, 300) : r.tra(0, 4);
        for (int f = 1; f <= n; ++f) {
            const bool dalPronostico = r.moneta(0.7);
            const int dimensione = r.tra(0, 12);
            const auto numeri =
                dalPronostico ? r.scelti(pronostico, dimensione) : r.scelti(test::Da(1, 90), dimensione * 3);
            uint32_t presenze = 0;
            for (int j = 0; j <= 25; ++j)
                if (r.moneta(j <= k ? 0.55 : 0.1)) presenze |= 1u << j;
            lista[f] = test::Gruppo(numeri, presenze);
        }
        quanti = n;
    };
    if (r.moneta(0.3)) filtri(mFiltriAND, mNumFiltriAND);
    if (r.moneta(0.3)) filtri(mFiltriOR, mNumFiltriOR);
    if (r.moneta(0.3)) {
        mConsecutivi.attivo = true;
        for (int j = 1; j <= k; ++j)
            if (r.moneta(0.6)) mConsecutivi.maschera |= mPotenze2[static_cast<size_t>(j)];
    }
    if (r.moneta(0.3)) {
        const int n = r.tra(1, 3);
        for (int f = 1; f <= n; ++f) {
            auto posizioni = r.scelti(test::Da(1, std::min(24, k + 2)), r.tra(0, 3));
            std::sort(posizioni.begin(), posizioni.end());
            std::vector<int> minimi, massimi;
            if (r.moneta(0.7)) minimi = r.scelti(test::Da(1, 40), r.tra(1, 25));
            if (r.moneta(0.6)) massimi = r.scelti(test::Da(1, 60), r.tra(1, 40));
            mFiltriDistanza[static_cast<size_t>(f)] = test::Distanza(posizioni, minimi, massimi);
        }
        mNumFiltriDistanza = static_cast<uint8_t>(n);
    }
    if (r.moneta(0.6)) {
        mCondizioni.ridottoAttivo = true;
        mCondizioni.ridottoNx = static_cast<uint8_t>(r.moneta(0.9) ? r.tra(0, k - 1) : r.tra(k, k + 2));
    }
    if (r.moneta(0.4)) {
        mDistanzaMinima.attiva = true;
        mDistanzaMinima.valore = static_cast<uint8_t>(r.moneta(0.9) ? r.tra(1, k) : r.tra(0, k + 3));
    }
    if (r.moneta(0.25)) {
        mColonneBaseAttive = true;
        const int n = r.tra(1, 5);
        mColonneBase.assign(static_cast<size_t>(n) + 1, tColonna{});
        for (int b = 1; b <= n; ++b) {
            tColonna& c = mColonneBase[static_cast<size_t>(b)];
            const int lunghezza = r.moneta(0.8) ? k : r.tra(2, 8);
            c.lunghezza = static_cast<uint8_t>(lunghezza);
            const bool ripetuti = r.moneta(0.15);
            auto numeri = r.scelti(test::Da(1, 90), lunghezza);
            if (r.moneta(0.6))  // mostly numbers of the prediction, so the reductions bite
                for (int& v : numeri) v = r.unoDi(pronostico);
            if (ripetuti && lunghezza >= 2) numeri[1] = numeri[0];
            std::copy(numeri.begin(), numeri.end(), c.numeri.begin() + 1);
        }
        mNumColonneBase = n;
    }
}

void ImpostaPronostico(const std::vector<int>& pronostico, int k) {
    for (int v : pronostico) GrigliaNumeriClick(v - 1);
    mLenCol = static_cast<int16_t>(k);
    CaricaPronostico();
}

// What the random cases covered, so a generator that drifts into trivial cases fails loudly.
struct Copertura {
    int casi = 0, conColonne = 0, annullati = 0, ridotti = 0, vuoti = 0;
};
Copertura copertura;

// One run on the state `prepara` leaves: the oracle's (giro 0) or the engine's (giro 1), with a
// face that cancels at `soglia` and lists the steps it showed in `passi`.
Istantanea Corri(int giro, bool ricalcolo, const std::function<void()>& prepara, double soglia = -1,
                 std::vector<double>* passi = nullptr) {
    InterfacciaAnnulla ui;
    test::StatoIniziale();
    prepara();
    ui.soglia = soglia;
    const EsitoCalcolo esito = ricalcolo
                                   ? (giro == 0 ? oracolo::RicalcolaColonne() : RicalcolaColonne())
                                   : (giro == 0 ? oracolo::GeneraSistema(mSistema.numPronostico, mSistema.pronostico)
                                                : GeneraSistema(mSistema.numPronostico, mSistema.pronostico));
    if (passi) *passi = ui.passiMostrati;
    // Columns above the count must be zero.
    for (int32_t c = mSistema.nColonne + 1; c <= mSistema.nColonne + 3 && c <= MAX_COLONNE; ++c)
        for (int p = 1; p <= MAX_POSIZIONI; ++p) EXPECT_EQ(mArrColonne.valore(c, p), 0) << "column " << c;
    const uint8_t* colonne = mArrColonne.colonna(1);
    return {mSistema.nColonne,    {colonne, colonne + static_cast<size_t>(mSistema.nColonne) * MAX_POSIZIONI},
            mSistema.descrizione, esito.elaborate,
            esito.annullato,      esito.eseguito,
            ui.messaggi.size()};
}

// Both runs on the same state, compared; the oracle's for the caller.
Istantanea Confronta(bool ricalcolo, const std::function<void()>& prepara, double soglia, bool conteggi,
                     const std::string& caso) {
    const Istantanea o = Corri(0, ricalcolo, prepara, soglia);
    const Istantanea m = Corri(1, ricalcolo, prepara, soglia);
    ++copertura.casi;
    copertura.conColonne += o.nColonne > 1;
    copertura.vuoti += o.nColonne == 0;
    copertura.annullati += o.annullato;
    copertura.ridotti += (mCondizioni.ridottoAttivo || mDistanzaMinima.attiva) && o.nColonne > 1;
    EXPECT_EQ(o.eseguito, m.eseguito) << caso;
    EXPECT_TRUE(o.colonne == m.colonne) << caso << ": the columns differ (" << o.nColonne << " and " << m.nColonne
                                        << ")";
    EXPECT_EQ(o.annullato, m.annullato) << caso;
    EXPECT_EQ(o.messaggi, m.messaggi) << caso;
    if (conteggi) {
        EXPECT_EQ(o.elaborate, m.elaborate) << caso;
        EXPECT_EQ(o.descrizione, m.descrizione) << caso;
    } else {
        // A cancelled generation stops where the engine's walk was, which may be further on:
        // the summary agrees, the "(stopped: ...)" count may not.
        auto riepilogo = [](const std::string& d) { return d.substr(0, d.find(" (")); };
        EXPECT_EQ(riepilogo(o.descrizione), riepilogo(m.descrizione)) << caso;
    }
    return o;
}

void CasoGenerazione(uint32_t seme, bool annulla) {
    Casuale r(seme);
    const int k = r.tra(2, 7);
    int n = r.tra(k, k + 11);
    if (k >= 6) n = std::min(n, k + 9);
    auto pronostico = r.scelti(test::Da(1, 90), n);
    if (r.moneta(0.3)) {  // a run of neighbours, so consecutive numbers and small gaps occur
        const int inizio = r.tra(1, 90 - n + 1);
        for (int i = 0; i < n; ++i) pronostico[static_cast<size_t>(i)] = inizio + i;
    }
    std::sort(pronostico.begin(), pronostico.end());
    const auto prepara = [&] {
        Casuale rc(seme * 7919u + 1);
        ImpostaPronostico(pronostico, k);
        CondizioniCasuali(rc, k, pronostico);
    };
    double soglia = -1;
    if (annulla) {  // a first oracle run lists the steps it shows, and one of them is chosen
        std::vector<double> passi;
        Corri(0, false, prepara, -1, &passi);
        if (passi.empty()) return;
        soglia = passi[static_cast<size_t>(r.tra(0, static_cast<int>(passi.size()) - 1))];
    }
    Confronta(false, prepara, soglia, !annulla, "generation seed " + std::to_string(seme));
}

void CasoRicalcolo(uint32_t seme, bool annulla) {
    Casuale r(seme);
    const int lunghezza = r.tra(2, 8);
    const int k = r.moneta(0.8) ? lunghezza : r.tra(2, lunghezza + 1);
    // A stored system to recalculate: a generated one, sometimes with repeated numbers slipped in.
    const int32_t quante = r.tra(0, 1500);
    std::vector<uint8_t> colonne(static_cast<size_t>(quante) * MAX_POSIZIONI, 0);
    const auto universo = r.scelti(test::Da(1, 90), r.tra(lunghezza + 2, 40));
    for (int32_t c = 0; c < quante; ++c) {
        auto v = r.scelti(universo, lunghezza);
        std::sort(v.begin(), v.end());
        if (r.moneta(0.03)) v[1] = v[0];
        std::copy(v.begin(), v.end(), colonne.begin() + static_cast<std::ptrdiff_t>(c) * MAX_POSIZIONI);
    }
    // The numbers the stored columns use, in ascending order.
    std::set<int> usati(colonne.begin(), colonne.end());
    usati.erase(0);
    std::vector<int> pronostico(usati.begin(), usati.end());
    if (pronostico.empty()) pronostico = test::Da(1, 10);
    // In a recalculation every column is examined one by one, so any count will do.
    const double soglia = annulla ? r.tra(1, std::max(1, quante)) : -1;
    const auto prepara = [&] {
        Casuale rc(seme * 104729u + 3);
        for (int32_t c = 0; c < quante; ++c)
            std::copy_n(colonne.data() + static_cast<size_t>(c) * MAX_POSIZIONI, MAX_POSIZIONI,
                        mArrColonne.colonnaScrittura(c + 1));
        mSistema.nColonne = quante;
        mLenCol = static_cast<int16_t>(k);
        CondizioniCasuali(rc, k, pronostico);
    };
    Confronta(true, prepara, soglia, true, "recalculation seed " + std::to_string(seme));
}

void CasiCasuali(uint32_t da, uint32_t a, void (*caso)(uint32_t, bool), bool annulla) {
    copertura = Copertura{};
    for (uint32_t seme = da; seme <= a; ++seme) {
        caso(seme, annulla);
        if (::testing::Test::HasFailure()) return;  // the first differing seed is enough
    }
    const int casi = copertura.casi;
    EXPECT_GT(copertura.conColonne, casi / 3) << "too few cases kept more than one column";
    EXPECT_GT(copertura.vuoti, 0) << "no case rejected every column";
    EXPECT_GT(copertura.ridotti, casi / 8) << "too few reduced systems";
    if (annulla) {
        EXPECT_GT(copertura.annullati, casi / 3) << "too few cancelled runs";
    }
}

TEST(Differenziale, GenerazioneCondizioniCasuali) { CasiCasuali(1, 1200, CasoGenerazione, false); }
// Large predictions index the kept columns in a hash map rather than a table by rank.
TEST(Differenziale, GenerazioneConLaMappaDegliInsiemi) {
    const uint64_t prima = motore::gVociTabellaDensa;
    motore::gVociTabellaDensa = 0;
    CasiCasuali(5001, 5400, CasoGenerazione, false);
    motore::gVociTabellaDensa = prima;
}

// Long columns (the popcount scan instead of the subset index), thresholds outside 1..k, filter
// lists past any 16-bit count and an OR list that accepts everything. `atteso` pins the oracle.
TEST(Differenziale, CasiRari) {
    struct Caso {
        std::string nome;
        int da, a, k;  // the prediction da..a, columns of k
        std::function<void()> imposta;
        int32_t atteso;  // -1: any count above none
        int primo = 0;   // the first number of the system, when it matters
    };
    using test::RiduzioneDistanza, test::RiduzioneNx;
    std::vector<Caso> casi;
    for (int x : {2, 4, 6, 8})  // k = 12: C(12, 5) = 792 subsets of five per kept column, past the index
        casi.push_back({"N-" + std::to_string(x) + " k 12", 1, 16, 12, RiduzioneNx(x), -1});
    casi.push_back({"distance 5 k 11", 20, 35, 11,
                    [=] {
                        mDistanzaMinima = {5, true};
                        mCondizioni = {.sommaAttiva = true, .sommaMin = 280, .sommaMax = 320};
                    },
                    -1});
    // N-x with x > k: a negative threshold keeps only the first column; a base column in front takes its place.
    casi.push_back({"N-6 k 4", 1, 12, 4, RiduzioneNx(6), 1, 1});
    casi.push_back({"N-6 k 4 base", 1, 12, 4,
                    [=] {
                        RiduzioneNx(6)();
                        test::MettiColonneBase({{50, 60, 70, 80}});
                    },
                    1, 50});
    for (int d : {0, 7, 200})  // minimum distance 0 or past k wraps in 8 bits: nothing dropped
        casi.push_back({"distance " + std::to_string(d), 1, 10, 4, RiduzioneDistanza(d), 210});
    casi.push_back({"6000 AND, OR always true", 30, 51, 5,
                    [] {
                        Casuale r(7);
                        for (int32_t f = 1; f <= 6000; ++f) {
                            std::vector<int> g(8);
                            for (int& x : g) x = r.tra(1, 90);
                            mFiltriAND[f] = test::Gruppo(g, 0b111u | static_cast<uint32_t>(r.tra(0, 1)) << 3);
                        }
                        mNumFiltriAND = 6000;
                        mFiltriOR[1] = test::Gruppo({30}, 0b11);
                        mNumFiltriOR = 1;
                    },
                    -1});
    // Only the last of 60,000 AND filters rejects anything (columns holding 5): C(5, 3) left.
    casi.push_back({"60000 AND", 1, 6, 3,
                    [] {
                        for (int32_t f = 1; f < 60000; ++f) mFiltriAND[f] = test::Gruppo({f % 90 + 1}, 0b11);
                        mFiltriAND[60000] = test::Gruppo({5}, 0b1);
                        mNumFiltriAND = 60000;
                    },
                    10});
    for (const auto& caso : casi) {
        const auto prepara = [&] {
            ImpostaPronostico(test::Da(caso.da, caso.a), caso.k);
            caso.imposta();
        };
        const Istantanea o = Confronta(false, prepara, -1, true, caso.nome);
        if (caso.atteso < 0) {
            EXPECT_GT(o.nColonne, 0) << caso.nome;
        } else {
            EXPECT_EQ(o.nColonne, caso.atteso) << caso.nome;
        }
        EXPECT_EQ(caso.primo ? o.colonne[0] : 0, caso.primo) << caso.nome;
    }
}

TEST(Differenziale, GenerazioneAnnullata) { CasiCasuali(1001, 1150, CasoGenerazione, true); }
TEST(Differenziale, RicalcoloCondizioniCasuali) { CasiCasuali(2001, 2600, CasoRicalcolo, false); }
TEST(Differenziale, RicalcoloAnnullato) { CasiCasuali(3001, 3100, CasoRicalcolo, true); }

}  // namespace
}  // namespace novanta
