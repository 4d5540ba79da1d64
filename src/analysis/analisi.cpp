#include "analysis/analisi.h"

#include <fmt/format.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <optional>

#include "analysis/indice_sottoinsiemi.h"
#include "core/corpo.h"
#include "settings/multiLanguage.h"
#include "support/formato.h"

namespace novanta::analisi {

uint64_t SottoinsiemiDaEsaminare(int n, int d) {
    uint64_t somma = 0;
    for (int m = 0; m <= std::min(d, n); ++m) {
        const uint64_t c = Binomiale(n, m);
        if (c > UINT64_MAX - somma) return UINT64_MAX;
        somma += c;
    }
    return somma;
}

EsitoAnalisi ControllaAnalisi(const SistemaDaAnalizzare& s, std::vector<uint8_t>& pronostico, int& estratti) {
    EsitoAnalisi e;
    const int k = s.lunghezza;
    if (k < 1 || k > 25) return {ErroreAnalisi::LunghezzaNonValida, k, 0};
    if (s.colonne.size() < static_cast<size_t>(k)) return {ErroreAnalisi::SistemaVuoto, 0, 0};
    std::array<bool, 91> usati{};
    for (uint8_t v : s.colonne) {
        if (v > 90) return {ErroreAnalisi::NumeroFuori, v, 0};
        usati[v] = true;
    }
    usati[0] = false;
    if (s.pronostico.empty()) {
        pronostico.clear();
        for (int v = 1; v <= 90; ++v)
            if (usati[static_cast<size_t>(v)]) pronostico.push_back(static_cast<uint8_t>(v));
    } else {
        const MappaPronostico mappa(s.pronostico);
        if (!mappa.valida()) return {ErroreAnalisi::PronosticoNonValido, 0, 0};
        for (int v = 1; v <= 90; ++v)
            if (usati[static_cast<size_t>(v)] && mappa.Posizione(v) < 0) return {ErroreAnalisi::NumeroFuori, v, 0};
        pronostico = mappa.numeri();
    }
    estratti = s.estratti ? s.estratti : k;
    if (estratti < 1 || estratti > 90) return {ErroreAnalisi::EstrattiFuori, estratti, 0};
    e.sottoinsiemi = SottoinsiemiDaEsaminare(static_cast<int>(pronostico.size()), estratti);
    if (e.sottoinsiemi > kSottoinsiemiMassimi) e.errore = ErroreAnalisi::TroppiSottoinsiemi;
    return e;
}

namespace {

// The yields of a long analysis: the bar and the cancel flag every 2^18 units of work.
class Avanzamento {
public:
    Avanzamento(Interfaccia& ui, double totale) : ui_(ui), totale_(std::max(totale, 1.0)) {}
    // False when the user cancelled.
    bool Passo(uint64_t lavoro) {
        fatto_ += static_cast<double>(lavoro);
        const int barra = static_cast<int>(std::min(100.0, fatto_ * 100.0 / totale_));
        if (barra != barra_) {
            barra_ = barra;
            ui_.ProgressoBarra(barra);
        }
        ui_.DoEvents();
        return !mAnnullaCalcolo;
    }

private:
    Interfaccia& ui_;
    double totale_;
    double fatto_ = 0;
    int barra_ = -1;
};

constexpr uint64_t kPassoYield = uint64_t{1} << 18;

// Walks the m-subsets of 0..n-1 in colex order, so the rank is the loop counter:
// f(rank, members) for each, with a yield every kPassoYield subsets. False when cancelled.
template <typename F>
bool PerOgniSottoinsiemeColex(int n, int m, Avanzamento& avanzamento, F&& f) {
    const uint64_t quanti = Binomiale(n, m);
    int sc[92];
    for (int i = 0; i < m; ++i) sc[i] = i;
    sc[m] = n;
    for (uint64_t rango = 0;;) {
        f(rango, static_cast<const int*>(sc));
        if (++rango == quanti) break;
        int i = 0;
        while (sc[i] + 1 == sc[i + 1]) ++i;
        ++sc[i];
        for (int j = 0; j < i; ++j) sc[j] = j;
        if ((rango & (kPassoYield - 1)) == 0 && !avanzamento.Passo(kPassoYield)) return false;
    }
    return avanzamento.Passo(quanti & (kPassoYield - 1));
}

// g(rank) for the subsets one smaller of the m-subset `sc` of rank `rango`, last member dropped
// first; g returns false to stop. Dropping member j leaves sum_{i<j} C(c_i, i+1) + sum_{i>j} C(c_i, i).
template <typename G>
inline void PerOgniFiglio(const int* sc, int m, uint64_t rango, G&& g) {
    const auto& b = Binomiali().c;
    uint64_t prima = rango, dopo = 0;
    for (int j = m - 1; j >= 0; --j) {
        prima -= b[sc[j]][j + 1];
        if (!g(prima + dopo)) return;
        dopo += b[sc[j]][j];
    }
}

}  // namespace

EsitoAnalisi Analizza(const SistemaDaAnalizzare& s, RisultatoAnalisi& r, Interfaccia& ui) {
    std::vector<uint8_t> pronostico;
    int d = 0;
    EsitoAnalisi esito = ControllaAnalisi(s, pronostico, d);
    if (!esito.riuscita()) return esito;
    mAnnullaCalcolo = false;
    const EsitoAnalisi annullata{ErroreAnalisi::Annullata, 0, esito.sottoinsiemi};

    RisultatoAnalisi ris;
    const int k = s.lunghezza;
    // The counting runs over the numbers the columns use: a prediction number no column holds
    // adds nothing to any best, so the table over the whole prediction follows from that one
    // by counting, and the levels of held subsets can fill up (and stop early).
    std::array<bool, 91> usato{};
    for (uint8_t v : s.colonne) usato[v] = true;
    std::vector<uint8_t> usati;
    for (uint8_t v : pronostico)
        if (usato[v]) usati.push_back(v);
    const MappaPronostico mappa(usati);
    const int n = mappa.n();
    const int nP = static_cast<int>(pronostico.size());
    const auto c = static_cast<int32_t>(s.colonne.size() / static_cast<size_t>(k));
    std::vector<Insieme> insiemi(static_cast<size_t>(c));
    int kMassimo = 0;
    for (int32_t i = 0; i < c; ++i) {
        // An empty position (0) maps to nothing.
        mappa.Mappa(s.colonne.data() + static_cast<size_t>(i) * static_cast<size_t>(k), k,
                    insiemi[static_cast<size_t>(i)]);
        kMassimo = std::max(kMassimo, Cardinalita(insiemi[static_cast<size_t>(i)]));
    }
    const int livelli = std::min(d, n);
    const int alto = std::min(livelli, kMassimo);
    ris.colonne = c;
    ris.lunghezza = k;
    ris.numeri = nP;
    ris.estratti = d;
    ris.pronostico = pronostico;

    // Marking a level straight from the columns costs C x C(k, j); deriving it from the level
    // above (every j-subset of a held (j+1)-subset is held) costs about C(n, j+1) x 2. The top
    // level always comes from the columns.
    auto diretto = [&](int j) {
        return j == alto || static_cast<double>(c) * static_cast<double>(Binomiale(kMassimo, j)) <=
                                2.0 * static_cast<double>(Binomiale(n, j + 1));
    };
    double totale = static_cast<double>(SottoinsiemiDaEsaminare(n, d));
    for (int j = 1; j <= alto; ++j)
        totale += diretto(j) ? static_cast<double>(c) * static_cast<double>(Binomiale(kMassimo, j))
                             : static_cast<double>(Binomiale(n, j + 1));
    Avanzamento avanzamento(ui, totale);

    try {
        // The subsets the columns hold, level by level from the top.
        std::vector<std::optional<IndiceSottoinsiemi>> tenuti(static_cast<size_t>(alto + 1));
        for (int j = alto; j >= 1; --j) {
            IndiceSottoinsiemi& indice = tenuti[static_cast<size_t>(j)].emplace(n, j);
            const bool daColonne = diretto(j);
            uint64_t lavoro = 0;
            for (const Insieme col : insiemi) {
                const int quanti = Cardinalita(col);
                // A column as large as the level is itself a held subset, whatever the route.
                if (quanti < j || (quanti > j && !daColonne)) continue;
                indice.Aggiungi(col);
                lavoro += Binomiale(quanti, j);
                if (indice.Pieno()) break;
                if (lavoro >= kPassoYield) {
                    if (!avanzamento.Passo(lavoro)) return annullata;
                    lavoro = 0;
                }
            }
            if (!avanzamento.Passo(lavoro)) return annullata;
            if (daColonne || indice.Pieno()) continue;
            const IndiceSottoinsiemi& sopra = *tenuti[static_cast<size_t>(j + 1)];
            const bool ok = PerOgniSottoinsiemeColex(n, j + 1, avanzamento, [&](uint64_t rango, const int* sc) {
                if (sopra.Tenuto(rango))
                    PerOgniFiglio(sc, j + 1, rango, [&](uint64_t figlio) {
                        indice.Segna(figlio);
                        return true;
                    });
            });
            if (!ok) return annullata;
        }

        // best(X) level by level: |X| when X is held, else the largest best of its subsets one smaller.
        ris.tabella.push_back({0, 1, {1}, 0});
        std::vector<uint8_t> precedente{0}, corrente;
        for (int m = 1; m <= livelli; ++m) {
            const bool ultimo = m == livelli;
            const uint64_t quanti = Binomiale(n, m);
            const IndiceSottoinsiemi* indice = m <= alto ? &*tenuti[static_cast<size_t>(m)] : nullptr;
            std::vector<uint64_t> conta(static_cast<size_t>(std::min(m, k) + 1), 0);
            if (indice && indice->Pieno()) {
                conta[static_cast<size_t>(m)] = quanti;
                if (!ultimo) corrente.assign(static_cast<size_t>(quanti), static_cast<uint8_t>(m));
                if (!avanzamento.Passo(quanti)) return annullata;
            } else {
                if (!ultimo) corrente.assign(static_cast<size_t>(quanti), 0);
                const int tetto = std::min(m - 1, k);
                const uint8_t* prec = precedente.data();
                uint8_t* corr = corrente.data();
                uint64_t* cn = conta.data();
                const bool ok = PerOgniSottoinsiemeColex(n, m, avanzamento, [&](uint64_t rango, const int* sc) {
                    int migliore = 0;
                    if (indice && indice->Tenuto(rango)) {
                        migliore = m;
                    } else {
                        PerOgniFiglio(sc, m, rango, [&](uint64_t figlio) {
                            migliore = std::max<int>(migliore, prec[figlio]);
                            return migliore < tetto;
                        });
                    }
                    ++cn[migliore];
                    if (!ultimo) corr[rango] = static_cast<uint8_t>(migliore);
                });
                if (!ok) return annullata;
            }
            tenuti[static_cast<size_t>(std::min(m, alto))].reset();
            ris.tabella.push_back({m, quanti, std::move(conta), 0});
            precedente.swap(corrente);
            corrente.clear();
            corrente.shrink_to_fit();
        }
    } catch (const std::bad_alloc&) {
        return {ErroreAnalisi::Memoria, 0, esito.sottoinsiemi};
    } catch (const std::length_error&) {
        return {ErroreAnalisi::Memoria, 0, esito.sottoinsiemi};
    }

    // An m-subset of the prediction is j numbers the columns use and m - j they do not.
    if (nP > n) {
        std::vector<RigaAnalisi> tabella;
        for (int m = 0; m <= std::min(d, nP); ++m) {
            RigaAnalisi riga{m, Binomiale(nP, m), std::vector<uint64_t>(static_cast<size_t>(std::min(m, k) + 1), 0), 0};
            for (int j = std::max(0, m - (nP - n)); j <= std::min(m, livelli); ++j) {
                const uint64_t fuori = Binomiale(nP - n, m - j);
                const auto& dentro = ris.tabella[static_cast<size_t>(j)].migliore;
                for (size_t h = 0; h < dentro.size(); ++h) riga.migliore[h] += fuori * dentro[h];
            }
            tabella.push_back(std::move(riga));
        }
        ris.tabella = std::move(tabella);
    }
    for (auto& riga : ris.tabella)
        while (riga.garanzia < static_cast<int>(riga.migliore.size()) - 1 &&
               riga.migliore[static_cast<size_t>(riga.garanzia)] == 0)
            ++riga.garanzia;

    const int h = std::min(d, k);
    ris.favorevoli.assign(static_cast<size_t>(h + 1), 0);
    for (const auto& riga : ris.tabella) {
        const unsigned __int128 fuori = Binomiale128(90 - nP, d - riga.dentro);
        for (size_t i = 0; i < riga.migliore.size() && i < ris.favorevoli.size(); ++i)
            ris.favorevoli[i] += fuori * riga.migliore[i];
    }
    ris.estrazioni = Binomiale128(90, d);
    for (const auto f : ris.favorevoli)
        ris.probabilita.push_back(static_cast<long double>(f) / static_cast<long double>(ris.estrazioni));
    r = std::move(ris);
    return esito;
}

std::string TestoEsitoAnalisi(const EsitoAnalisi& e) {
    switch (e.errore) {
        case ErroreAnalisi::Nessuno:
            return "";
        case ErroreAnalisi::SistemaVuoto:
            return TestoMessaggio("0210");
        case ErroreAnalisi::LunghezzaNonValida:
            return TestoMessaggio("0211") + " " + std::to_string(e.numero);
        case ErroreAnalisi::PronosticoNonValido:
            return TestoMessaggio("0212");
        case ErroreAnalisi::NumeroFuori:
            return TestoMessaggio("0213") + " " + std::to_string(e.numero);
        case ErroreAnalisi::EstrattiFuori:
            return TestoMessaggio("0214") + " " + std::to_string(e.numero);
        case ErroreAnalisi::TroppiSottoinsiemi:
            return TestoMessaggio("0215") + " " + FormatoMigliaia(static_cast<double>(e.sottoinsiemi)) + "\r\n" +
                   TestoMessaggio("0216");
        case ErroreAnalisi::Memoria:
            return TestoMessaggio("0217");
        case ErroreAnalisi::Annullata:
            return TestoMessaggio("0218");
    }
    return "";
}

SistemaDaAnalizzare SistemaCorrente() {
    SistemaDaAnalizzare s;
    s.lunghezza = mLenCol;
    s.colonne.reserve(static_cast<size_t>(std::max(mSistema.nColonne, 0)) *
                      static_cast<size_t>(std::max<int>(mLenCol, 0)));
    std::array<bool, 256> usati{};
    for (int32_t i = 1; i <= mSistema.nColonne; ++i) {
        const uint8_t* col = mArrColonne.colonna(i);
        for (int p = 0; p < mLenCol; ++p) {
            s.colonne.push_back(col[p]);
            usati[col[p]] = true;
        }
    }
    usati[0] = false;
    std::array<bool, 256> nelPronostico{};
    for (int i = 0; i < mSistema.numPronostico; ++i) nelPronostico[mSistema.pronostico[static_cast<size_t>(i)]] = true;
    bool tutti = mSistema.numPronostico > 0;
    for (int v = 1; v < 256; ++v)
        tutti = tutti && (!usati[static_cast<size_t>(v)] || nelPronostico[static_cast<size_t>(v)]);
    if (tutti) s.pronostico.assign(mSistema.pronostico.begin(), mSistema.pronostico.begin() + mSistema.numPronostico);
    return s;
}

std::string UnoSu(long double p) {
    if (!(p > 0)) return "";
    const long double x = 1.0L / p;
    if (x >= 100) return FormatoMigliaia(std::round(static_cast<double>(x)));
    return fmt::format("{:.2f}", static_cast<double>(x));
}

}  // namespace novanta::analisi
