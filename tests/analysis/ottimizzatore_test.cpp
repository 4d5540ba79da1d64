#include <random>

#include "analysis/ottimizzatore.h"
#include "engine/comune.h"
#include "engine/motore.h"

namespace novanta::test {
namespace {

class Ottimizzatore : public StatoMotore {};

struct Caso {
    std::vector<int> pronostico;
    int k, x;
    int16_t sommaMin, sommaMax;
    Colonne basi;
    Colonne universo;  // the combinations the conditions accept, by brute force
};

// A random small case: 7..10 numbers, columns of 3..5, a sum range, sometimes a base column
// (which may hold a number outside the prediction).
Caso CasoCasuale(unsigned seme) {
    std::mt19937 rng(seme);
    Caso c;
    const int n = 7 + static_cast<int>(rng() % 4);
    for (int v = 1, presi = 0; presi < n; ++v)
        if (rng() % 3 != 0 || 90 - v < n - presi) {
            c.pronostico.push_back(v);
            ++presi;
        }
    c.k = 3 + static_cast<int>(rng() % 3);
    c.x = 1 + static_cast<int>(rng() % static_cast<unsigned>(c.k - 1));
    int somma = 0;
    for (int i = 0; i < c.k; ++i) somma += c.pronostico[static_cast<size_t>(i * n / c.k)];
    c.sommaMin = static_cast<int16_t>(somma - 8 - static_cast<int>(rng() % 8));
    c.sommaMax = static_cast<int16_t>(somma + 8 + static_cast<int>(rng() % 8));
    if (rng() % 2) {
        std::vector<int> b(c.pronostico.begin(), c.pronostico.begin() + c.k);
        if (rng() % 2) b.back() = 90;
        c.basi.push_back(b);
    }
    for (const auto& col : Combinazioni(c.pronostico, c.k))
        if (const int s = std::accumulate(col.begin(), col.end(), 0); s >= c.sommaMin && s <= c.sommaMax)
            c.universo.push_back(col);
    return c;
}

// The program's N-x run on the case, with the conditions on.
void Genera(const Caso& c) {
    Segna(c.pronostico);
    mLenCol = static_cast<int16_t>(c.k);
    mCondizioni = {.sommaAttiva = true,
                   .sommaMin = c.sommaMin,
                   .sommaMax = c.sommaMax,
                   .ridottoAttivo = true,
                   .ridottoNx = static_cast<uint8_t>(c.x)};
    if (!c.basi.empty()) MettiColonneBase(c.basi);
    CalcolaSistema();
}

// Everything a result must be, checked by brute force.
void Controlla(const Caso& c, const EsitoOttimizzazione& e, int32_t prima) {
    ASSERT_TRUE(e.verificato) << e.errore;
    ASSERT_LE(static_cast<int32_t>(e.sistema.size()), prima);
    EXPECT_EQ(e.colonneFinali, static_cast<int32_t>(e.sistema.size()));
    for (size_t b = 0; b < c.basi.size(); ++b)
        EXPECT_EQ(std::vector<int>(e.sistema[b].begin(), e.sistema[b].end()), c.basi[b]) << "base columns lead";
    for (size_t i = c.basi.size(); i < e.sistema.size(); ++i) {
        const std::vector<int> col(e.sistema[i].begin(), e.sistema[i].end());
        EXPECT_TRUE(std::find(c.universo.begin(), c.universo.end(), col) != c.universo.end()) << "column outside U";
    }
    for (const auto& u : c.universo) {
        bool coperta = false;
        for (const auto& col : e.sistema)
            coperta = coperta || std::count_if(u.begin(), u.end(), [&](int v) {
                                     return std::find(col.begin(), col.end(), v) != col.end();
                                 }) >= c.k - c.x;
        ASSERT_TRUE(coperta) << "a combination of U is not covered";
    }
}

TEST_F(Ottimizzatore, CasiCasualiConCondizioniEColonneBase) {
    int piuPiccoli = 0;
    for (unsigned seme = 1; seme <= 24; ++seme) {
        SCOPED_TRACE(seme);
        StatoIniziale();
        const Caso c = CasoCasuale(seme);
        Genera(c);
        const int32_t prima = mSistema.nColonne;
        OpzioniOttimizzazione o;
        o.seme = seme;
        o.maxMosse = 1500;
        const EsitoOttimizzazione e = OttimizzaSistema(ProblemaDaStato(c.x), o);
        ASSERT_TRUE(e.eseguito) << e.errore;
        EXPECT_EQ(e.universo, static_cast<double>(c.universo.size()));
        Controlla(c, e, prima);
        piuPiccoli += e.colonneFinali < prima;
    }
    // The greedy N-x run leaves room on most of these cases.
    EXPECT_GE(piuPiccoli, 8);
}

// Cancelled at the first yield of a long search: a valid system, no larger than the input. (The
// same seed giving the same system is checked through the command line.)
TEST_F(Ottimizzatore, AnnullareTieneIlMigliore) {
    const Caso c = CasoCasuale(7);
    Genera(c);
    const int32_t prima = mSistema.nColonne;
    OpzioniOttimizzazione o;
    o.maxMosse = 0;
    o.secondi = 120;
    ui.allYield = [](int64_t) { mAnnullaCalcolo = true; };
    const EsitoOttimizzazione e = OttimizzaSistema(ProblemaDaStato(c.x), o);
    EXPECT_TRUE(e.annullato);
    EXPECT_LT(e.secondi, 60);
    Controlla(c, e, prima);
}

TEST_F(Ottimizzatore, RifiutiEDescrizione) {
    // A guarantee above the column length (one equal to it is allowed), a column of the wrong
    // length. (A universe too large for its counts is refused in the command line's table.)
    ProblemaCopertura p;
    p.k = 8;
    for (int v = 1; v <= 12; ++v) p.pronostico.push_back(static_cast<uint8_t>(v));
    p.colonne = {{1, 2, 3}};
    for (const auto& [t, motivo] : {std::pair{9, "guarantee 9"}, {8, "has 3 numbers"}}) {
        p.t = t;
        const EsitoOttimizzazione e = OttimizzaSistema(p, {});
        EXPECT_EQ(e.codice, ErroreOttimizzazione::Dati);
        EXPECT_NE(e.errore.find(motivo), std::string::npos) << e.errore;
    }
    // A system that does not cover U cannot come back larger than it went in.
    p.colonne = {{1, 2, 3, 4, 5, 6, 7, 8}};
    p.t = 7;
    OpzioniOttimizzazione o;
    o.maxMosse = 100;
    const EsitoOttimizzazione e = OttimizzaSistema(p, o);
    EXPECT_TRUE(e.sistema.empty());
    EXPECT_EQ(e.codice, ErroreOttimizzazione::PiuGrande);

    // The verification itself rejects a column outside U and an uncovered combination.
    ProblemaCopertura q;
    q.k = 3;
    q.t = 2;
    q.pronostico = {1, 2, 3, 4, 5};
    q.ammessa = [](const uint8_t* c) { return c[0] != 1 || c[1] != 2; };
    EXPECT_TRUE(VerificaCopertura(q, {{1, 3, 4}, {2, 3, 5}, {1, 4, 5}, {2, 4, 5}}, 0));
    EXPECT_FALSE(VerificaCopertura(q, {{1, 2, 3}, {3, 4, 5}, {1, 4, 5}, {2, 4, 5}}, 0));
    EXPECT_TRUE(VerificaCopertura(q, {{1, 2, 3}, {1, 3, 4}, {2, 3, 5}, {1, 4, 5}, {2, 4, 5}}, 1));
    EXPECT_FALSE(VerificaCopertura(q, {{1, 3, 4}, {1, 4, 5}}, 0));  // {2, 3, 5} shares one number
}

}  // namespace
}  // namespace novanta::test
