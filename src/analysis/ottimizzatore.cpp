// The search works on indexes into the prediction (0..n-1). Every k-combination of the
// prediction has its colex rank, and the counts live in plain tables by rank: for each member
// of U, how many columns of the current system share at least T numbers with it. A column
// covers its neighbourhood, the combinations with T or more of its numbers.
//
// 1. The start: the input system, columns outside U dropped, then kept in order only while
//    each still covers something new; on small universes a greedy set cover as well, when it
//    comes out smaller. Redundant columns (everything they cover is covered twice) go.
// 2. Stepping down: one column goes (the one, among a few drawn, that alone covers the fewest
//    members), and simulated annealing at that fixed size drives the uncovered count to zero.
//    A move takes an uncovered member u and a column that shares T - 1 numbers with it, and
//    swaps one of the column's numbers for one of u's; only the combinations that hold the
//    old or the new number together with exactly T - 1 others of the column change, so a move
//    costs two small enumerations. Every time the count reaches zero the system is the new best.
// The best valid system is kept at every moment; the end is the time budget, the move limit or
// the cancel button, and the result is offered only after VerificaCopertura agrees.
#include "analysis/ottimizzatore.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <new>
#include <numeric>
#include <queue>
#include <random>

#include "analysis/indice_sottoinsiemi.h"
#include "core/corpo.h"
#include "engine/filtri_preparati.h"
#include "engine/maschere.h"
#include "engine/motore.h"
#include "support/formato.h"

namespace novanta {

namespace {

using motore::Bit;
using motore::Conta;
using motore::Maschera;

constexpr int MAXN = 90;

struct Binomiali {
    uint64_t c[MAXN + 2][27]{};
    Binomiali() {
        for (int n = 0; n <= MAXN + 1; ++n) {
            c[n][0] = 1;
            for (int r = 1; r <= 26 && r <= n; ++r) c[n][r] = c[n - 1][r - 1] + (r <= n - 1 ? c[n - 1][r] : 0);
        }
    }
};
const Binomiali& B() {
    static const Binomiali b;
    return b;
}

// Visits every r-subset of `pool` (ascending indexes), passing it as a pointer to r values.
template <class F>
bool Combinazioni(const std::vector<int>& pool, int r, F&& f) {
    const int m = static_cast<int>(pool.size());
    if (r < 0 || r > m) return true;
    int idx[32];
    int val[32];
    for (int i = 0; i < r; ++i) idx[i] = i;
    for (;;) {
        for (int i = 0; i < r; ++i) val[i] = pool[static_cast<size_t>(idx[i])];
        if (!f(static_cast<const int*>(val))) return false;
        int i = r - 1;
        while (i >= 0 && idx[i] == m - r + i) --i;
        if (i < 0) return true;
        ++idx[i];
        for (int j = i + 1; j < r; ++j) idx[j] = idx[j - 1] + 1;
    }
}

class Ricerca {
public:
    Ricerca(const ProblemaCopertura& p, const OpzioniOttimizzazione& o, EsitoOttimizzazione& e)
        : p_(p), o_(o), e_(e), rng_(o.seme) {}

    void Esegui();
    // The best system found: base columns as given, then the others in ascending order.
    std::vector<ColonnaNumeri> Risultato() const {
        std::vector<ColonnaNumeri> out = p_.basi;
        // Indexes and numbers rise together, so the order of the indexes is that of the numbers.
        std::vector<std::vector<int>> altre = migliore_;
        std::sort(altre.begin(), altre.end());
        for (const auto& c : altre) {
            ColonnaNumeri v;
            for (int i : c) v.push_back(numeri_[static_cast<size_t>(i)]);
            out.push_back(std::move(v));
        }
        return out;
    }

private:
    using Rango = uint32_t;

    // --- ranks and the universe
    Rango rango(const int* s) const {  // s ascending, k indexes
        uint64_t r = 0;
        for (int i = 0; i < k_; ++i) r += B().c[s[i]][i + 1];
        return static_cast<Rango>(r);
    }
    void srango(Rango r, int* s) const {
        uint64_t resto = r;
        int x = n_;
        for (int i = k_ - 1; i >= 0; --i) {
            do --x;
            while (B().c[x][i + 1] > resto);
            s[i] = x;
            resto -= B().c[x][i + 1];
        }
    }
    bool inU(Rango r) const { return tutti_ || ((inU_[r >> 6] >> (r & 63)) & 1u); }

    // Merges the parts of a combination into ascending order and ranks it.
    Rango rangoUnione(const int* a, int na, const int* b, int nb, const int* c, int nc) const {
        int s[32];
        int m = 0;
        for (int i = 0; i < na; ++i) s[m++] = a[i];
        for (int i = 0; i < nb; ++i) s[m++] = b[i];
        for (int i = 0; i < nc; ++i) s[m++] = c[i];
        for (int i = 1; i < m; ++i) {
            const int v = s[i];
            int j = i - 1;
            while (j >= 0 && s[j] > v) {
                s[j + 1] = s[j];
                --j;
            }
            s[j + 1] = v;
        }
        return rango(s);
    }

    // Every member of U that shares at least T indexes with `col` (indexes of the prediction,
    // possibly fewer than k for a base column with numbers outside it), the column itself
    // first. `f` returns false to stop the walk; so does vicinato.
    template <class F>
    bool vicinato(const std::vector<int>& col, F&& f) const {
        const Maschera m = maschera(col);
        int fuori[MAXN];
        int nf = 0;
        for (int i = 0; i < n_; ++i)
            if (!(m & Bit(static_cast<unsigned>(i)))) fuori[nf++] = i;
        const std::vector<int> resto(fuori, fuori + nf);
        const int c = static_cast<int>(col.size());
        for (int j = std::min(c, k_); j >= std::max(t_, 0); --j) {
            const bool avanti = Combinazioni(col, j, [&](const int* a) {
                return Combinazioni(resto, k_ - j, [&](const int* b) {
                    const Rango r = rangoUnione(a, j, b, k_ - j, nullptr, 0);
                    return !inU(r) || f(r);
                });
            });
            if (!avanti) return false;
        }
        return true;
    }

    // --- counts
    void aggiungi(Rango r) {
        if (cov_[r]++ == 0) togliScoperto(r);
    }
    void togli(Rango r) {
        if (--cov_[r] == 0) mettiScoperto(r);
    }
    void mettiScoperto(Rango r) {
        pos_[r] = static_cast<uint32_t>(scoperti_.size());
        scoperti_.push_back(r);
    }
    void togliScoperto(Rango r) {
        const uint32_t i = pos_[r];
        const Rango ultimo = scoperti_.back();
        scoperti_[i] = ultimo;
        pos_[ultimo] = i;
        scoperti_.pop_back();
    }
    // The neighbourhood of a column as a list of ranks (see mossa for why a list).
    const std::vector<Rango>& listaVicinato(const std::vector<int>& col) {
        bufVicini_.clear();
        vicinato(col, [&](Rango r) {
            bufVicini_.push_back(r);
            return true;
        });
        return bufVicini_;
    }
    template <class F>
    void perOgniConAnticipo(const std::vector<Rango>& lista, F&& f) {
        for (size_t i = 0; i < lista.size(); ++i) {
            if (i + 16 < lista.size()) __builtin_prefetch(&cov_[lista[i + 16]]);
            f(lista[i]);
        }
    }
    void aggiungiColonna(const std::vector<int>& col) {
        perOgniConAnticipo(listaVicinato(col), [&](Rango r) { aggiungi(r); });
    }
    void togliColonna(const std::vector<int>& col) {
        perOgniConAnticipo(listaVicinato(col), [&](Rango r) { togli(r); });
    }
    // Members of U that only `col` covers.
    int64_t unici(const std::vector<int>& col) {
        int64_t u = 0;
        perOgniConAnticipo(listaVicinato(col), [&](Rango r) { u += cov_[r] == 1; });
        return u;
    }

    // --- the pieces of the search
    bool prepara();
    void avvio();
    void greedy();
    void togliRidondanti();
    bool scendi();
    bool mossa(double temperatura);
    void registraMigliore();
    bool fermati();
    void pausa();
    Maschera maschera(const std::vector<int>& c) const {
        Maschera m = 0;
        for (int v : c) m |= Bit(static_cast<unsigned>(v));
        return m;
    }

    const ProblemaCopertura& p_;
    const OpzioniOttimizzazione& o_;
    EsitoOttimizzazione& e_;
    std::mt19937_64 rng_;
    int n_ = 0, k_ = 0, t_ = 0;
    std::vector<uint8_t> numeri_;  // the prediction, ascending
    uint64_t totale_ = 0;
    std::vector<uint64_t> inU_;
    std::vector<uint16_t> cov_;
    std::vector<uint32_t> pos_;
    std::vector<Rango> scoperti_;
    std::vector<std::vector<int>> basi_;  // as indexes (numbers outside the prediction left out)
    std::vector<std::vector<int>> colonne_;
    std::vector<Maschera> maschere_;
    std::vector<std::vector<int>> migliore_;
    std::vector<Rango> bufPersi_, bufNuovi_, bufVicini_;
    std::vector<int> candidate_;
    std::chrono::steady_clock::time_point inizio_, ultimaPausa_;
    bool fermo_ = false;
    bool fallito_ = false;  // the start could not be completed into a valid system
    bool tutti_ = false;    // every combination is in U: no look-up needed
    double vicini_ = 1;
};

bool Ricerca::prepara() {
    k_ = p_.k;
    t_ = p_.t;
    numeri_ = p_.pronostico;
    std::sort(numeri_.begin(), numeri_.end());
    numeri_.erase(std::unique(numeri_.begin(), numeri_.end()), numeri_.end());
    n_ = static_cast<int>(numeri_.size());
    e_.codice = ErroreOttimizzazione::Dati;
    if (k_ < 1 || k_ > 25 || n_ < k_ || n_ > MAXN) {
        e_.errore = "The prediction has " + std::to_string(n_) + " numbers for columns of " + std::to_string(k_);
        return false;
    }
    if (t_ > k_) {
        e_.errore = "The guarantee " + std::to_string(t_) + " exceeds the column length " + std::to_string(k_);
        return false;
    }
    const double combinazioni = ColonneIntegrali(n_, k_);
    const double memoria = combinazioni * (sizeof(uint16_t) + sizeof(uint32_t) + 1.0 / 8);
    e_.memoriaMB = std::ceil(memoria / 1048576);
    if (combinazioni > 4.0e9 || memoria > MEMORIA_MASSIMA_OTTIMIZZATORE) {
        e_.codice = ErroreOttimizzazione::Memoria;
        e_.errore = "The " + std::to_string(static_cast<long long>(combinazioni)) + " combinations of " +
                    std::to_string(n_) + " numbers in columns of " + std::to_string(k_) + " need " +
                    std::to_string(static_cast<long long>(memoria / 1048576)) +
                    " MB of coverage counts, more than the 1024 MB allowed";
        return false;
    }
    totale_ = static_cast<uint64_t>(combinazioni);
    for (const auto& c : p_.colonne)
        if (static_cast<int>(c.size()) != k_) {
            e_.errore =
                "A column of the system has " + std::to_string(c.size()) + " numbers instead of " + std::to_string(k_);
            return false;
        }
    e_.codice = ErroreOttimizzazione::Nessuno;
    return true;
}

// A yield during the preparation, which cannot stop half-way: a cancel takes effect after it.
void Ricerca::pausa() {
    const auto ora = std::chrono::steady_clock::now();
    if (ora - ultimaPausa_ > std::chrono::milliseconds(20)) {
        ultimaPausa_ = ora;
        UI().DoEvents();
    }
}

bool Ricerca::fermati() {
    if (fermo_) return true;
    if (o_.maxMosse != 0 && e_.mosse >= o_.maxMosse) return fermo_ = true;
    const auto ora = std::chrono::steady_clock::now();
    if (o_.maxMosse == 0 && std::chrono::duration<double>(ora - inizio_).count() >= o_.secondi) return fermo_ = true;
    if (ora - ultimaPausa_ > std::chrono::milliseconds(20)) {
        ultimaPausa_ = ora;
        UI().OttimizzazioneProgresso(
            migliore_.empty() ? e_.colonneIniziali : static_cast<int32_t>(basi_.size() + migliore_.size()),
            static_cast<int32_t>(colonne_.size() + basi_.size()), static_cast<double>(scoperti_.size()),
            std::chrono::duration<double>(ora - inizio_).count());
        UI().DoEvents();
    }
    if (mAnnullaCalcolo) {
        e_.annullato = true;
        return fermo_ = true;
    }
    return false;
}

void Ricerca::registraMigliore() {
    migliore_ = colonne_;
    UI().OttimizzazioneProgresso(static_cast<int32_t>(basi_.size() + migliore_.size()),
                                 static_cast<int32_t>(basi_.size() + migliore_.size()), 0,
                                 std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio_).count());
}

void Ricerca::avvio() {
    inU_.assign((totale_ + 63) / 64, 0);
    cov_.assign(totale_, 0);
    pos_.assign(totale_, 0);
    scoperti_.clear();
    // U, walked in colex order of the index combinations.
    std::vector<int> s(static_cast<size_t>(k_));
    std::vector<uint8_t> col(static_cast<size_t>(k_));
    for (uint64_t r = 0; r < totale_; ++r) {
        if ((r & 0xFFFF) == 0) pausa();
        bool ammessa = true;
        if (p_.ammessa) {
            srango(static_cast<Rango>(r), s.data());
            for (int i = 0; i < k_; ++i)
                col[static_cast<size_t>(i)] = numeri_[static_cast<size_t>(s[static_cast<size_t>(i)])];
            ammessa = p_.ammessa(col.data());
        }
        if (ammessa) {
            inU_[r >> 6] |= uint64_t{1} << (r & 63);
            mettiScoperto(static_cast<Rango>(r));
            e_.universo += 1;
        }
    }
    tutti_ = e_.universo == static_cast<double>(totale_);
    auto indici = [&](const ColonnaNumeri& c, bool soloCompleta) {
        std::vector<int> v;
        for (uint8_t x : c) {
            auto it = std::lower_bound(numeri_.begin(), numeri_.end(), x);
            if (it != numeri_.end() && *it == x) v.push_back(static_cast<int>(it - numeri_.begin()));
        }
        std::sort(v.begin(), v.end());
        v.erase(std::unique(v.begin(), v.end()), v.end());
        if (soloCompleta && static_cast<int>(v.size()) != k_) v.clear();
        return v;
    };
    // Base columns: fixed, they cover what they cover.
    std::vector<std::vector<uint8_t>> basiOrdinate;
    for (const auto& b : p_.basi) {
        basi_.push_back(indici(b, false));
        aggiungiColonna(basi_.back());
        auto o = b;
        std::sort(o.begin(), o.end());
        basiOrdinate.push_back(o);
    }
    // The input: its copies of the base columns are the base columns themselves; columns outside U go.
    std::vector<bool> basiUsate(p_.basi.size(), false);
    for (const auto& c : p_.colonne) {
        auto o = c;
        std::sort(o.begin(), o.end());
        bool base = false;
        for (size_t b = 0; b < basiOrdinate.size() && !base; ++b)
            if (!basiUsate[b] && basiOrdinate[b] == o) base = basiUsate[b] = true;
        if (base) continue;
        pausa();
        auto v = indici(c, true);
        if (v.empty() || !inU(rango(v.data()))) continue;
        // Kept only while it still covers something new.
        // (Past 60000 columns, only while it still covers something new: the counts are 16-bit.)
        if (p_.colonne.size() > 60000 && vicinato(v, [&](Rango r) { return cov_[r] != 0; })) continue;
        aggiungiColonna(v);
        colonne_.push_back(std::move(v));
    }
    // What the input leaves uncovered is covered by the uncovered members themselves, while
    // that can still end no larger than the input (past that the search gives up).
    while (!scoperti_.empty()) {
        if (colonne_.size() + basi_.size() > 2 * p_.colonne.size() + 16 || fermati()) {
            fallito_ = true;
            return;
        }
        std::vector<int> v(static_cast<size_t>(k_));
        srango(scoperti_.front(), v.data());
        aggiungiColonna(v);
        colonne_.push_back(std::move(v));
    }
}

// Lazy greedy set cover over every member of U as a candidate, on a copy of the counts of the
// base columns; taken when it beats the start.
void Ricerca::greedy() {
    const double candidati = e_.universo;
    double vicini = 0;
    for (int j = std::max(t_, 0); j <= k_; ++j) vicini += ColonneIntegrali(k_, j) * ColonneIntegrali(n_ - k_, k_ - j);
    // Past a few million look-ups the annealing does more with the time than the greedy start.
    if (candidati * vicini > 5e6 || fermati()) return;
    std::vector<uint8_t> coperto(totale_, 0);
    int64_t daCoprire = static_cast<int64_t>(e_.universo);
    for (const auto& b : basi_)
        vicinato(b, [&](Rango r) {
            if (!coperto[r]) {
                coperto[r] = 1;
                --daCoprire;
            }
            return true;
        });
    using Voce = std::pair<int64_t, int64_t>;  // gain, -rank: the smallest rank wins a tie
    std::priority_queue<Voce> coda;
    std::vector<int> s(static_cast<size_t>(k_));
    auto guadagno = [&](Rango r) {
        srango(r, s.data());
        int64_t g = 0;
        vicinato(s, [&](Rango q) {
            g += !coperto[q];
            return true;
        });
        return g;
    };
    for (uint64_t r = 0; r < totale_; ++r)
        if (inU(static_cast<Rango>(r))) coda.push({guadagno(static_cast<Rango>(r)), -static_cast<int64_t>(r)});
    std::vector<std::vector<int>> scelte;
    while (daCoprire > 0 && !coda.empty()) {
        if (scelte.size() + basi_.size() >= colonne_.size() + basi_.size() || fermati()) return;
        const Voce v = coda.top();
        coda.pop();
        const Rango r = static_cast<Rango>(-v.second);
        const int64_t g = guadagno(r);
        if (g == 0) continue;
        if (!coda.empty() && g < coda.top().first) {
            coda.push({g, v.second});
            continue;
        }
        srango(r, s.data());
        vicinato(s, [&](Rango q) {
            if (!coperto[q]) {
                coperto[q] = 1;
                --daCoprire;
            }
            return true;
        });
        scelte.push_back(s);
    }
    if (daCoprire > 0 || scelte.size() >= colonne_.size()) return;
    for (const auto& c : colonne_) togliColonna(c);
    colonne_ = std::move(scelte);
    for (const auto& c : colonne_) aggiungiColonna(c);
}

void Ricerca::togliRidondanti() {
    for (size_t i = colonne_.size(); i-- > 0;) {
        pausa();
        if (!vicinato(colonne_[i], [&](Rango r) { return cov_[r] != 1; })) continue;
        togliColonna(colonne_[i]);
        colonne_.erase(colonne_.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

// One column fewer: among a few drawn, the one that alone covers the fewest members.
bool Ricerca::scendi() {
    if (colonne_.empty()) return false;
    size_t scelta = 0;
    int64_t meno = INT64_MAX;
    // On large neighbourhoods each look costs as much as many moves: fewer looks, down to one.
    const size_t prove = std::min<size_t>(
        colonne_.size(), colonne_.size() <= 64
                             ? colonne_.size()
                             : std::max<size_t>(1, std::min<size_t>(12, static_cast<size_t>(2e5 / vicini_))));
    for (size_t j = 0; j < prove; ++j) {
        const size_t i = prove == colonne_.size() ? j : static_cast<size_t>(rng_() % colonne_.size());
        const int64_t u = prove == 1 ? 0 : unici(colonne_[i]);
        if (u < meno) {
            meno = u;
            scelta = i;
        }
    }
    togliColonna(colonne_[scelta]);
    colonne_.erase(colonne_.begin() + static_cast<std::ptrdiff_t>(scelta));
    maschere_.clear();
    for (const auto& c : colonne_) maschere_.push_back(maschera(c));
    return true;
}

// One annealing move; true when it was taken.
bool Ricerca::mossa(double temperatura) {
    ++e_.mosse;
    int u[32];
    srango(scoperti_[static_cast<size_t>(rng_() % scoperti_.size())], u);
    const Maschera mu = maschera(std::vector<int>(u, u + k_));
    // The columns nearest to u (T - 1 shared numbers when any has them).
    int vicino = -1;
    std::vector<int>& candidate = candidate_;
    candidate.clear();
    for (size_t i = 0; i < maschere_.size(); ++i) {
        const int q = Conta(maschere_[i] & mu);
        if (q > vicino) {
            vicino = q;
            candidate.clear();
        }
        if (q == vicino) candidate.push_back(static_cast<int>(i));
    }
    if (candidate.empty()) return false;
    const int ci = candidate[static_cast<size_t>(rng_() % candidate.size())];
    std::vector<int>& c = colonne_[static_cast<size_t>(ci)];
    const Maschera mc = maschere_[static_cast<size_t>(ci)];
    // a: a number of the column outside u; b: a number of u outside the column.
    int fuoriU[32], fuoriC[32];
    int nf = 0, nb = 0;
    for (int v : c)
        if (!(mu & Bit(static_cast<unsigned>(v)))) fuoriU[nf++] = v;
    for (int i = 0; i < k_; ++i)
        if (!(mc & Bit(static_cast<unsigned>(u[i])))) fuoriC[nb++] = u[i];
    if (nf == 0 || nb == 0) return false;
    const int a = fuoriU[rng_() % static_cast<uint64_t>(nf)];
    const int b = fuoriC[rng_() % static_cast<uint64_t>(nb)];
    std::vector<int> nuova = c;
    *std::find(nuova.begin(), nuova.end(), a) = b;
    std::sort(nuova.begin(), nuova.end());
    if (!inU(rango(nuova.data()))) return false;
    // The combinations that change: a or b, T - 1 of the column's other numbers, the rest from outside.
    std::vector<int> resto, altri;
    const Maschera mn = mc | Bit(static_cast<unsigned>(b));
    for (int i = 0; i < n_; ++i)
        if (!(mn & Bit(static_cast<unsigned>(i)))) resto.push_back(i);
    for (int v : c)
        if (v != a) altri.push_back(v);
    // The ranks first, the counts after: on a large universe the counts are scattered over more
    // memory than the caches hold, and reading them from a list lets the next ones be fetched
    // while the current ones are compared.
    bufPersi_.clear();
    bufNuovi_.clear();
    Combinazioni(altri, t_ - 1, [&](const int* x) {
        Combinazioni(resto, k_ - t_, [&](const int* y) {
            const Rango rp = rangoUnione(&a, 1, x, t_ - 1, y, k_ - t_);
            if (inU(rp)) bufPersi_.push_back(rp);
            const Rango rn = rangoUnione(&b, 1, x, t_ - 1, y, k_ - t_);
            if (inU(rn)) bufNuovi_.push_back(rn);
            return true;
        });
        return true;
    });
    int64_t delta = 0;
    constexpr size_t avanti = 16;
    for (size_t i = 0; i < bufPersi_.size(); ++i) {
        if (i + avanti < bufPersi_.size()) __builtin_prefetch(&cov_[bufPersi_[i + avanti]]);
        delta += cov_[bufPersi_[i]] == 1;
    }
    for (size_t i = 0; i < bufNuovi_.size(); ++i) {
        if (i + avanti < bufNuovi_.size()) __builtin_prefetch(&cov_[bufNuovi_[i + avanti]]);
        delta -= cov_[bufNuovi_[i]] == 0;
    }
    if (delta > 0) {
        const double p = std::exp(-static_cast<double>(delta) / temperatura);
        if (std::uniform_real_distribution<double>(0, 1)(rng_) >= p) return false;
    }
    for (Rango r : bufNuovi_) aggiungi(r);
    for (Rango r : bufPersi_) togli(r);
    c = std::move(nuova);
    maschere_[static_cast<size_t>(ci)] = maschera(c);
    return true;
}

void Ricerca::Esegui() {
    inizio_ = ultimaPausa_ = std::chrono::steady_clock::now();
    e_.colonneIniziali = static_cast<int32_t>(p_.colonne.size());
    if (!prepara()) return;
    e_.eseguito = true;
    avvio();
    if (fallito_) {
        e_.codice = ErroreOttimizzazione::PiuGrande;
        e_.errore = "The system does not cover the combinations the conditions accept with that guarantee";
        return;
    }
    double vicini = 0;
    for (int j = std::max(t_, 0); j <= k_; ++j) vicini += ColonneIntegrali(k_, j) * ColonneIntegrali(n_ - k_, k_ - j);
    e_.limiteInferiore = std::ceil(e_.universo / vicini);
    vicini_ = vicini;
    greedy();
    togliRidondanti();
    registraMigliore();
    maschere_.clear();
    for (const auto& c : colonne_) maschere_.push_back(maschera(c));
    // A guarantee of 1 or less, or T = k (every member must be a column), leaves nothing to swap.
    const bool ricerca = t_ >= 1 && t_ < k_;
    while (ricerca && !fermati() && scendi()) {
        constexpr double T0 = 1.0, TMIN = 0.3, RAFF = 0.9995;
        constexpr uint64_t STALLO = 20000;
        double temperatura = T0;
        uint64_t mosseLivello = 0;
        size_t migliorLivello = scoperti_.size();
        uint64_t ultimoMiglioramento = 0;
        while (!scoperti_.empty() && !fermati()) {
            mossa(temperatura);
            ++mosseLivello;
            if (scoperti_.size() < migliorLivello) {
                migliorLivello = scoperti_.size();
                ultimoMiglioramento = mosseLivello;
            }
            // Cooling, and a little heat again when the count stalls for long.
            temperatura = std::max(TMIN, temperatura * RAFF);
            if (mosseLivello - ultimoMiglioramento > STALLO) {
                temperatura = T0;
                ultimoMiglioramento = mosseLivello;
            }
        }
        if (!scoperti_.empty()) break;
        registraMigliore();
    }
    e_.secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio_).count();
}

}  // namespace

EsitoOttimizzazione OttimizzaSistema(const ProblemaCopertura& problema, const OpzioniOttimizzazione& opzioni) {
    EsitoOttimizzazione esito;
    try {
        Ricerca r(problema, opzioni, esito);
        r.Esegui();
        if (!esito.eseguito || esito.codice != ErroreOttimizzazione::Nessuno) return esito;
        esito.sistema = r.Risultato();
    } catch (const std::bad_alloc&) {
        // Within the 1 GB the counts may take, the machine may still have less to give.
        EsitoOttimizzazione rifiuto;
        rifiuto.colonneIniziali = esito.colonneIniziali;
        rifiuto.codice = ErroreOttimizzazione::Memoria;
        rifiuto.memoriaMB = esito.memoriaMB;
        rifiuto.errore = "Not enough memory for the coverage counts (" +
                         std::to_string(static_cast<long long>(esito.memoriaMB)) + " MB)";
        return rifiuto;
    }
    const int32_t numBasi = static_cast<int32_t>(problema.basi.size());
    esito.colonneFinali = static_cast<int32_t>(esito.sistema.size());
    esito.verificato = VerificaCopertura(problema, esito.sistema, numBasi);
    if (!esito.verificato) {
        esito.codice = ErroreOttimizzazione::Verifica;
        esito.errore = "The system found failed the independent check of its guarantee";
        esito.sistema.clear();
    } else if (esito.colonneFinali > esito.colonneIniziali) {
        esito.codice = ErroreOttimizzazione::PiuGrande;
        esito.errore = "No system of at most " + std::to_string(esito.colonneIniziali) + " columns was found";
        esito.sistema.clear();
    }
    return esito;
}

}  // namespace novanta

namespace novanta {

std::function<bool(const uint8_t*)> CondizioniDaStato(int k, const std::vector<uint8_t>& pronostico) {
    using namespace motore;
    // With no condition on, every combination passes, and U needs no test at all.
    if (!mCondizioni.fisseAttive && !mCondizioni.sommaAttiva && !mCondizioni.pariAttivo && mNumFiltriAND == 0 &&
        mNumFiltriOR == 0 && !mConsecutivi.attivo && mNumFiltriDistanza == 0)
        return {};
    struct Stato {
        int k;
        tCondizioni cond;
        tConsecutivi consecutivi;
        std::array<bool, 26> flagConsecutivi{};
        ListaPreparata listaAND, listaOR;
        bool usaOR = false, nessuna = false;
        std::vector<tFiltroDistanza> distanze;
    };
    auto st = std::make_shared<Stato>();
    st->k = k;
    st->cond = mCondizioni;
    st->consecutivi = mConsecutivi;
    for (int j = 1; j <= k && j <= 25; ++j)
        st->flagConsecutivi[static_cast<size_t>(j)] = (mConsecutivi.maschera & (int32_t{1} << j)) != 0;
    Maschera universo = 0;
    for (uint8_t v : pronostico) universo |= Bit(v);
    st->listaAND = PreparaLista(mFiltriAND, mNumFiltriAND, true, universo, k);
    st->listaOR = PreparaLista(mFiltriOR, mNumFiltriOR, false, universo, k);
    st->usaOR = mNumFiltriOR > 0 && !st->listaOR.sempreVera;
    st->nessuna = st->listaAND.sempreFalsa || (mNumFiltriOR > 0 && st->listaOR.sempreFalsa);
    for (int f = 1; f <= mNumFiltriDistanza && f <= MAX_FILTRI_DISTANZA; ++f)
        st->distanze.push_back(mFiltriDistanza[static_cast<size_t>(f)]);
    return [st](const uint8_t* numeri) {
        const Colonna c(numeri, static_cast<size_t>(st->k));
        if (st->nessuna) return false;
        if (st->cond.fisseAttive && !TestFisse(c, st->cond.fisse, st->cond.numFisse)) return false;
        if (st->cond.sommaAttiva && !TestSomma(c, {st->cond.sommaMin, st->cond.sommaMax})) return false;
        if (st->cond.pariAttivo && !TestPari(c, st->cond.pari)) return false;
        Maschera m = 0;
        for (uint8_t v : c) m |= Bit(v);
        for (const auto& f : st->listaAND.filtri)
            if (!((f.accettati >> Conta(m & f.gruppo)) & 1u)) return false;
        if (st->usaOR) {
            bool una = false;
            for (size_t f = 0; f < st->listaOR.filtri.size() && !una; ++f)
                una = (st->listaOR.filtri[f].accettati >> Conta(m & st->listaOR.filtri[f].gruppo)) & 1u;
            if (!una) return false;
        }
        if (st->consecutivi.attivo && !TestConsecutivi(c, st->flagConsecutivi)) return false;
        if (!st->distanze.empty()) {
            bool una = false;
            for (size_t f = 0; f < st->distanze.size() && !una; ++f) una = TestDistanza(c, st->k, st->distanze[f]);
            if (!una) return false;
        }
        return true;
    };
}

ProblemaCopertura ProblemaDaStato(int x) {
    ProblemaCopertura p;
    p.k = mLenCol;
    p.t = mLenCol - x;
    for (int i = 0; i < 90; ++i)
        if (mGriglia[static_cast<size_t>(i)] == 1) p.pronostico.push_back(static_cast<uint8_t>(i + 1));
    if (static_cast<int>(p.pronostico.size()) < p.k) {
        std::array<bool, 91> usati{};
        for (int32_t c = 1; c <= mSistema.nColonne; ++c)
            for (int q = 1; q <= p.k; ++q) {
                const uint8_t v = mArrColonne.valore(c, q);
                if (v >= 1 && v <= 90) usati[v] = true;
            }
        p.pronostico.clear();
        for (int v = 1; v <= 90; ++v)
            if (usati[static_cast<size_t>(v)]) p.pronostico.push_back(static_cast<uint8_t>(v));
    }
    if (mColonneBaseAttive)
        for (int32_t b = 1; b <= mNumColonneBase && b < static_cast<int32_t>(mColonneBase.size()); ++b) {
            const tColonna& base = mColonneBase[static_cast<size_t>(b)];
            if (base.lunghezza != p.k) continue;
            p.basi.emplace_back(base.numeri.begin() + 1, base.numeri.begin() + 1 + p.k);
        }
    for (int32_t c = 1; c <= mSistema.nColonne; ++c) {
        const uint8_t* col = mArrColonne.colonna(c);
        p.colonne.emplace_back(col, col + p.k);
    }
    p.ammessa = CondizioniDaStato(p.k, p.pronostico);
    return p;
}

namespace {
std::string Sostituisci(std::string t, const std::vector<std::string>& valori);
}

std::string DescrizioneOttimizzato(int x, int32_t da, int32_t a) {
    return Sostituisci(TestoMessaggio("0270"), {std::to_string(x), std::to_string(da), std::to_string(a)});
}

bool VerificaCopertura(const ProblemaCopertura& problema, const std::vector<ColonnaNumeri>& sistema, int32_t numBasi) {
    using namespace motore;
    const int k = problema.k;
    std::vector<uint8_t> numeri = problema.pronostico;
    std::sort(numeri.begin(), numeri.end());
    numeri.erase(std::unique(numeri.begin(), numeri.end()), numeri.end());
    const int n = static_cast<int>(numeri.size());
    if (numBasi < 0 || static_cast<size_t>(numBasi) > sistema.size() || n < k) return false;
    Maschera pron = 0;
    for (uint8_t v : numeri) pron |= Bit(v);
    for (size_t i = static_cast<size_t>(numBasi); i < sistema.size(); ++i) {
        Maschera m = 0;
        for (uint8_t v : sistema[i]) m |= Bit(v);
        {
            // A column of the result is k ascending numbers of the prediction that pass the conditions.
            if (static_cast<int>(sistema[i].size()) != k || Conta(m) != k || (m & ~pron) != 0) return false;
            if (!std::is_sorted(sistema[i].begin(), sistema[i].end())) return false;
            if (problema.ammessa && !problema.ammessa(sistema[i].data())) return false;
        }
    }
    // The coverage itself: every combination of the prediction that passes the conditions,
    // through the index of the T-subsets the columns hold.
    std::vector<int> idx(static_cast<size_t>(k));
    bool primo = true;
    auto prossimo = [&](std::vector<uint8_t>& bersaglio) {
        bersaglio.resize(static_cast<size_t>(k));
        for (;;) {
            if (primo) {
                std::iota(idx.begin(), idx.end(), 0);
                primo = false;
            } else {
                int i = k - 1;
                while (i >= 0 && idx[static_cast<size_t>(i)] == n - k + i) --i;
                if (i < 0) return false;
                ++idx[static_cast<size_t>(i)];
                for (int j = i + 1; j < k; ++j) idx[static_cast<size_t>(j)] = idx[static_cast<size_t>(j - 1)] + 1;
            }
            for (int i = 0; i < k; ++i)
                bersaglio[static_cast<size_t>(i)] = numeri[static_cast<size_t>(idx[static_cast<size_t>(i)])];
            if (!problema.ammessa || problema.ammessa(bersaglio.data())) return true;
        }
    };
    const analisi::EsitoCopertura esito = analisi::VerificaCopertura(sistema, numeri, problema.t, prossimo);
    return esito.valido && esito.coperto;
}

namespace {
std::string Sostituisci(std::string t, const std::vector<std::string>& valori) {
    for (size_t i = 0; i < valori.size(); ++i) {
        const std::string segno = "%" + std::to_string(i + 1);
        const size_t p = t.find(segno);
        if (p != std::string::npos) t.replace(p, segno.size(), valori[i]);
    }
    return t;
}
}  // namespace

std::string DescrizioneGaranziaVerificata(const EsitoOttimizzazione& esito, int t) {
    return Sostituisci(TestoMessaggio("0276"), {FormatoMigliaia(esito.universo), std::to_string(t)});
}

std::string TestoErroreOttimizzazione(const EsitoOttimizzazione& esito) {
    switch (esito.codice) {
        case ErroreOttimizzazione::Memoria:
            return Sostituisci(TestoMessaggio("0274"), {FormatoMigliaia(esito.memoriaMB)});
        case ErroreOttimizzazione::Verifica:
            return TestoMessaggio("0275");
        case ErroreOttimizzazione::PiuGrande:
            return Sostituisci(TestoMessaggio("0272"), {std::to_string(esito.colonneIniziali)});
        case ErroreOttimizzazione::Dati:
            return TestoMessaggio("0273");
        case ErroreOttimizzazione::Nessuno:
            break;
    }
    return {};
}

EsitoOttimizzazione OttimizzaSistemaCorrente(double secondi, uint64_t seme) {
    const int x = mCondizioni.ridottoNx;
    OpzioniOttimizzazione opzioni;
    opzioni.secondi = secondi;
    opzioni.seme = seme;
    mAnnullaCalcolo = false;
    EsitoOttimizzazione esito = OttimizzaSistema(ProblemaDaStato(x), opzioni);
    mAnnullaCalcolo = false;
    if (esito.sistema.empty()) {
        UI().MsgBox(TestoErroreOttimizzazione(esito), Pulsanti::OK, Icona::Esclamazione);
        return esito;
    }
    if (esito.colonneFinali >= mSistema.nColonne) {
        UI().MsgBox(Sostituisci(TestoMessaggio("0272"), {std::to_string(mSistema.nColonne)}), Pulsanti::OK,
                    Icona::Informazione);
        return esito;
    }
    const std::string domanda =
        Sostituisci(TestoMessaggio("0271"), {std::to_string(mSistema.nColonne), std::to_string(esito.colonneFinali)});
    if (UI().MsgBox(domanda, Pulsanti::SiNo, Icona::Domanda) != Risposta::Si) return esito;
    ApplicaOttimizzazione(esito, x);
    esito.applicato = true;
    return esito;
}

bool OttimizzazionePossibile() {
    return mSistema.nColonne > 0 && mCondizioni.ridottoAttivo && mCondizioni.ridottoNx >= 1 &&
           mCondizioni.ridottoNx < mLenCol;
}

void ApplicaOttimizzazione(const EsitoOttimizzazione& esito, int x) {
    if (!esito.verificato || esito.sistema.empty()) return;
    mArrColonne.Cancella();
    int32_t c = 0;
    for (const auto& col : esito.sistema) {
        uint8_t* dest = mArrColonne.colonnaScrittura(++c);
        std::copy(col.begin(), col.end(), dest);
    }
    mSistema.nColonne = c;
    mSistema.descrizione = DescrizioneOttimizzato(x, esito.colonneIniziali, esito.colonneFinali);
    ViewStatusBar();
}

}  // namespace novanta
