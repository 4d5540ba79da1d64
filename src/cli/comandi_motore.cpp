#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "analysis/ottimizzatore.h"
#include "cli/cli.h"
#include "cli/opzioni_condizioni.h"
#include "cli/opzioni_progetto.h"
#include "core/corpo.h"
#include "core/regole_condizioni.h"
#include "engine/motore.h"
#include "support/formato.h"
#include "textfiles/colonne_txt.h"

namespace novanta::cli {

namespace {

std::vector<std::string> dividi(const std::string& testo, char sep) {
    std::vector<std::string> parti;
    size_t inizio = 0;
    for (;;) {
        const size_t p = testo.find(sep, inizio);
        parti.push_back(testo.substr(inizio, p == std::string::npos ? std::string::npos : p - inizio));
        if (p == std::string::npos) break;
        inizio = p + 1;
    }
    return parti;
}

int32_t maschera(const std::vector<int>& conteggi) {
    int32_t m = 0;
    for (int c : conteggi) m |= mPotenze2[static_cast<size_t>(c)];
    return m;
}

tFiltroGruppo filtroGruppo(const std::string& opzione, const std::string& testo) {
    const auto parti = dividi(testo, ':');
    if (parti.size() != 2) throw std::invalid_argument(opzione + ": expected GROUP:COUNTS, got '" + testo + "'");
    tFiltroGruppo f;
    for (int n : LeggiListaOpzione(opzione, parti[0], 1, 90)) f.numeri[static_cast<size_t>(n)] = 1;
    f.presenze = maschera(LeggiListaOpzione(opzione, parti[1], 0, 25));
    f.attivo = true;
    return f;
}

tFiltroDistanza filtroDistanza(const std::string& testo) {
    const auto parti = dividi(testo, ':');
    if (parti.size() != 3) throw std::invalid_argument("--gap: expected POS:MIN:MAX, got '" + testo + "'");
    tFiltroDistanza f;
    auto posizioni = LeggiListaOpzione("--gap", parti[0], 1, 24);
    std::sort(posizioni.begin(), posizioni.end());
    posizioni.erase(std::unique(posizioni.begin(), posizioni.end()), posizioni.end());
    for (int p : posizioni) f.posizioni[++f.numPosizioni] = static_cast<uint8_t>(p);
    for (int d : LeggiListaOpzione("--gap", parti[1], 1, 89))
        if (!f.distMin[static_cast<size_t>(d)]) {
            f.distMin[static_cast<size_t>(d)] = true;
            ++f.numDistMin;
        }
    for (int d : LeggiListaOpzione("--gap", parti[2], 1, 89))
        if (!f.distMax[static_cast<size_t>(d)]) {
            f.distMax[static_cast<size_t>(d)] = true;
            ++f.numDistMax;
        }
    f.attivo = true;
    return f;
}

}  // namespace

void OpzioniCondizioni::aggiungi(CLI::App& sub) {
    sub.add_option("--fixed", fisse,
                   "Fixed numbers (condition on), at most K-1; numbers outside the prediction are dropped");
    sub.add_option("--sum", somma, "Sum condition MIN-MAX, within the sums K prediction numbers can make");
    sub.add_option("--even", pari, "Accepted counts of even numbers (LIST)");
    sub.add_option("--runs", consecutivi, "Accepted lengths of the longest run of consecutive numbers (LIST)");
    sub.add_option("--and", filtriAND, "An AND group filter GROUP:COUNTS (repeatable)");
    sub.add_option("--or", filtriOR, "An OR group filter GROUP:COUNTS (repeatable)");
    sub.add_option("--gap", distanze, "A distance filter POS:MIN:MAX (repeatable, up to 25)");
    sub.add_option("--nx", nx, "N-x reduction")->check(CLI::Range(0, 25));
    sub.add_option("--min-distance", distanzaMinima, "Minimum-distance reduction")->check(CLI::Range(0, 25));
}

void OpzioniCondizioni::applica() const {
    // Every value goes through the checked setters; a refusal names the option.
    auto controlla = [](const char* opzione, const EsitoCondizione& esito) {
        if (!esito) throw std::invalid_argument(std::string(opzione) + ": " + esito.errore);
    };
    if (fisse) controlla("--fixed", ImpostaFisse(true, LeggiListaOpzione("--fixed", *fisse, 1, 90)));
    if (somma) {
        const auto parti = dividi(*somma, '-');
        auto numero = [&](const std::string& s) {
            if (s.empty() || s.size() > 5 || s.find_first_not_of("0123456789") != std::string::npos)
                throw std::invalid_argument("--sum: expected MIN-MAX, got '" + *somma + "'");
            return std::stoi(s);
        };
        if (parti.size() != 2) throw std::invalid_argument("--sum: expected MIN-MAX, got '" + *somma + "'");
        controlla("--sum", ImpostaSomma(numero(parti[0]), numero(parti[1])));
        ImpostaSommaAttiva(true);
    }
    if (pari) {
        std::array<bool, 26> conteggi{};
        for (int e : LeggiListaOpzione("--even", *pari, 0, 25)) conteggi[static_cast<size_t>(e)] = true;
        controlla("--even", ImpostaPari(true, conteggi));
    }
    if (consecutivi)
        controlla("--runs", ImpostaConsecutivi(true, maschera(LeggiListaOpzione("--runs", *consecutivi, 1, 25))));
    for (const auto& t : filtriAND) mFiltriAND[++mNumFiltriAND] = filtroGruppo("--and", t);
    for (const auto& t : filtriOR) mFiltriOR[++mNumFiltriOR] = filtroGruppo("--or", t);
    if (distanze.size() > MAX_FILTRI_DISTANZA) throw std::invalid_argument("--gap: at most 25 distance filters");
    int indice = 0;
    for (const auto& t : distanze) controlla("--gap", ImpostaFiltroDistanza(++indice, filtroDistanza(t)));
    CompattaFiltriDistanza();
    if (nx) controlla("--nx", ImpostaRidotto(true, *nx));
    if (distanzaMinima) controlla("--min-distance", ImpostaDistanzaMinima(true, *distanzaMinima));
}

namespace {

int concludi(Contesto& ctx, const EsitoCalcolo& esito, const std::optional<std::string>& fileUscita) {
    if (!esito.eseguito) return ESITO_ERRORE;
    ctx.err << "Description: " << mSistema.descrizione << "\n";
    ctx.err << "Columns: " << mSistema.nColonne << "\n";
    if (!ScriviSistema(ctx, fileUscita)) return ESITO_ERRORE;
    if (esito.limiteRaggiunto) SegnalaTaglio(ctx, "the run stopped at 3,000,000 columns");
    if (esito.annullato && !esito.limiteRaggiunto) return ESITO_ANNULLATO;
    return ESITO_OK;
}

// Base columns come only from this run's options or its --project.
void SenzaColonneBase() {
    mColonneBase.clear();
    mNumColonneBase = 0;
    mColonneBaseAttive = false;
}

// Optimises the system in the store for the guarantee of N-x: the size before, the best size
// as it falls, the verified guarantee at the end; the result replaces the system.
int ottimizza(Contesto& ctx, int x, double secondi, uint64_t seme, uint64_t mosse = 0) {
    const int32_t prima = mSistema.nColonne;
    ctx.err << "Columns before: " << prima << "\n";
    OpzioniOttimizzazione opzioni;
    opzioni.secondi = secondi;
    opzioni.seme = seme;
    opzioni.maxMosse = mosse;
    mAnnullaCalcolo = false;
    const EsitoOttimizzazione esito = OttimizzaSistema(ProblemaDaStato(x), opzioni);
    mAnnullaCalcolo = false;
    if (!esito.eseguito || esito.sistema.empty()) {
        ctx.err << "Not optimised: " << esito.errore << "\n";
        return ESITO_ERRORE;
    }
    ApplicaOttimizzazione(esito, x);
    ctx.err << "Columns after: " << esito.colonneFinali << " (lower bound " << esito.limiteInferiore << ", "
            << esito.mosse << " moves in " << fmt::format("{:.1f}", esito.secondi) << " s)\n";
    ctx.err << "Guarantee verified: each of the " << static_cast<long long>(esito.universo)
            << " combinations the conditions accept shares at least " << (mLenCol - x)
            << " numbers with a column of the system (N-" << x << ")\n";
    return esito.annullato ? ESITO_ANNULLATO : ESITO_OK;
}

struct ComandoOttimizza {
    std::string ingresso;
    std::optional<std::string> numeri;
    double secondi = 60;
    uint64_t seme = 1;
    uint64_t mosse = 0;
    std::optional<std::string> uscita;
    OpzioniCondizioni condizioni;
    std::function<bool()> applicaFile;
};

struct ComandoGenera {
    std::optional<std::string> numeri;
    std::optional<int> lunghezza;
    std::optional<double> ottimizza;
    std::optional<std::string> uscita;
    OpzioniCondizioni condizioni;
    std::function<bool()> applicaFile;
    std::shared_ptr<OpzioniProgetto> progetto;
};

struct ComandoRicalcola {
    std::optional<std::string> ingresso;
    std::optional<int> lunghezza;
    std::optional<std::string> uscita;
    OpzioniCondizioni condizioni;
    std::function<bool()> applicaFile;
    std::shared_ptr<OpzioniProgetto> progetto;
};

}  // namespace

void AggiungiComandiMotore(CLI::App& app, Contesto& ctx) {
    auto genera = std::make_shared<ComandoGenera>();
    auto* g = app.add_subcommand("generate", "Generate a system from a prediction");
    g->add_option("--numbers", genera->numeri,
                  "Prediction numbers (LIST, such as 1-20,33,45); required without --project");
    g->add_option("--length", genera->lunghezza, "Column length K (2..25); required without --project")
        ->check(CLI::Range(2, 25));
    g->add_option("--out", genera->uscita, "Write the columns to FILE instead of standard output");
    g->add_option("--optimize", genera->ottimizza,
                  "After the N-x run, look for a smaller system with the same guarantee for S seconds")
        ->check(CLI::Range(0.0, 86400.0));
    genera->condizioni.aggiungi(*g);
    genera->applicaFile = AggiungiOpzioniFileCondizioni(*g, ctx);
    genera->progetto = AggiungiOpzioniProgetto(*g);
    g->callback([genera, g, &ctx] {
        if (!genera->progetto->progetto && (!genera->numeri || !genera->lunghezza))
            throw std::invalid_argument("generate: --numbers and --length are required without --project");
        PreparaCartellaDati(ctx);
        ResetSistema(false);
        SenzaColonneBase();
        if (genera->progetto->progetto && !CaricaProgetto(*genera->progetto, *g, false)) {
            ctx.esito = ESITO_ERRORE;
            return;
        }
        if (genera->numeri) {
            const auto numeri = LeggiListaOpzione("--numbers", *genera->numeri, 1, 90);
            CancellaPronostico();
            for (int n : numeri)
                if (mGriglia[static_cast<size_t>(n - 1)] == 0) GrigliaNumeriClick(n - 1);
        }
        if (genera->lunghezza) ImpostaLenCol(*genera->lunghezza);
        genera->condizioni.applica();
        if (genera->applicaFile && !genera->applicaFile()) {
            ctx.esito = ESITO_ERRORE;
            return;
        }
        if (genera->ottimizza && !genera->condizioni.nx)
            throw std::invalid_argument("--optimize: needs --nx (the guarantee to keep)");
        const EsitoCalcolo esito = CalcolaSistema();
        if (genera->ottimizza && esito.eseguito && !esito.annullato &&
            ottimizza(ctx, *genera->condizioni.nx, *genera->ottimizza, 1) == ESITO_ERRORE) {
            ctx.esito = ESITO_ERRORE;
            return;
        }
        ctx.esito = concludi(ctx, esito, genera->uscita);
        if (ctx.esito != ESITO_ERRORE && !SalvaDopoIlCalcolo(ctx, *genera->progetto)) ctx.esito = ESITO_ERRORE;
    });

    auto ott = std::make_shared<ComandoOttimizza>();
    auto* o = app.add_subcommand("optimize", "Look for a smaller system with the guarantee of an N-x reduction");
    o->add_option("--in", ott->ingresso, "Column text file holding the system")->required();
    o->add_option("--numbers", ott->numeri, "Prediction (LIST; default: the numbers the columns use)");
    o->add_option("--seconds", ott->secondi, "Time budget in seconds (default 60)")->check(CLI::Range(0.0, 86400.0));
    o->add_option("--seed", ott->seme, "Seed of the search");
    o->add_option("--moves", ott->mosse,
                  "Stop after N search moves instead of at the time budget (the same seed then gives the same system)");
    o->add_option("--out", ott->uscita, "Write the columns to FILE instead of standard output");
    ott->condizioni.aggiungi(*o);
    o->get_option("--nx")->required();
    ott->applicaFile = AggiungiOpzioniFileCondizioni(*o, ctx);
    o->callback([ott, &ctx] {
        PreparaCartellaDati(ctx);
        SenzaColonneBase();
        if (!ImportaColonneTxt(ott->ingresso)) {
            ctx.esito = ESITO_ERRORE;
            return;
        }
        if (ott->numeri) {
            const auto numeri = LeggiListaOpzione("--numbers", *ott->numeri, 1, 90);
            mGriglia.fill(0);
            for (int n : numeri) mGriglia[static_cast<size_t>(n - 1)] = 1;
            mSistema.numPronostico = static_cast<uint8_t>(std::count(mGriglia.begin(), mGriglia.end(), 1));
            CaricaPronostico();
        }
        ott->condizioni.applica();
        if (ott->applicaFile && !ott->applicaFile()) {
            ctx.esito = ESITO_ERRORE;
            return;
        }
        const int e = ottimizza(ctx, *ott->condizioni.nx, ott->secondi, ott->seme, ott->mosse);
        if (e == ESITO_ERRORE) {
            ctx.esito = e;
            return;
        }
        ctx.err << "Description: " << mSistema.descrizione << "\n";
        ctx.esito = ScriviSistema(ctx, ott->uscita) ? e : ESITO_ERRORE;
    });

    auto ricalcola = std::make_shared<ComandoRicalcola>();
    auto* r = app.add_subcommand("recalc", "Recalculate the system of a column text file");
    r->add_option("--in", ricalcola->ingresso,
                  "Column text file holding the system (default: the system of --project)");
    r->add_option("--length", ricalcola->lunghezza, "Column length; refused unless it is that of the file's columns")
        ->check(CLI::Range(2, 25));
    r->add_option("--out", ricalcola->uscita, "Write the columns to FILE instead of standard output");
    ricalcola->condizioni.aggiungi(*r);
    ricalcola->applicaFile = AggiungiOpzioniFileCondizioni(*r, ctx);
    ricalcola->progetto = AggiungiOpzioniProgetto(*r);
    r->callback([ricalcola, r, &ctx] {
        if (!ricalcola->ingresso && !ricalcola->progetto->progetto)
            throw std::invalid_argument("recalc: give --in or --project");
        PreparaCartellaDati(ctx);
        SenzaColonneBase();
        if (ricalcola->ingresso && !ImportaColonneTxt(*ricalcola->ingresso)) {
            ctx.esito = ESITO_ERRORE;
            return;
        }
        if (ricalcola->progetto->progetto && !CaricaProgetto(*ricalcola->progetto, *r, !ricalcola->ingresso)) {
            ctx.esito = ESITO_ERRORE;
            return;
        }
        if (ricalcola->lunghezza) mLenCol = static_cast<int16_t>(*ricalcola->lunghezza);
        ricalcola->condizioni.applica();
        if (ricalcola->applicaFile && !ricalcola->applicaFile()) {
            ctx.esito = ESITO_ERRORE;
            return;
        }
        ctx.esito = concludi(ctx, RicalcolaSistema(), ricalcola->uscita);
        if (ctx.esito != ESITO_ERRORE && !SalvaDopoIlCalcolo(ctx, *ricalcola->progetto)) ctx.esito = ESITO_ERRORE;
    });
}

}  // namespace novanta::cli
