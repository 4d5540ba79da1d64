#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "analysis/analisi.h"
#include "analysis/estrazioni.h"
#include "cli/cli.h"
#include "core/corpo.h"
#include "textfiles/colonne_txt.h"

namespace novanta::cli {

namespace {

struct ComandoAnalizza {
    std::string ingresso;
    std::optional<std::string> numeri;
    std::optional<int> estratti;
    bool json = false;
};

struct ComandoControlla {
    std::string ingresso;
    std::optional<std::string> estrazione, fileEstrazioni;
    bool json = false;
};

// The system of a column text file; false (after telling why) when it cannot be read.
bool LeggiSistema(Contesto& ctx, const std::string& file, analisi::SistemaDaAnalizzare& s) {
    ColonneLette lette;
    std::string messaggio;
    if (!LeggiColonneTxt(std::filesystem::path(file), lette, messaggio)) {
        UI().MsgBox(messaggio);
        return false;
    }
    if (lette.righe == 0) {
        ctx.err << "novanta-cli: " << file << " holds no column\n";
        return false;
    }
    s.lunghezza = lette.lenCol;
    s.colonne = std::move(lette.numeri);
    return true;
}

template <typename T>
std::string Elenco(const std::vector<T>& v) {
    std::string t;
    for (size_t i = 0; i < v.size(); ++i) t += fmt::format("{}{}", i ? ", " : "", v[i]);
    return t;
}

std::string Percento(long double p) { return fmt::format("{:.8g} %", static_cast<double>(p * 100)); }

void ScriviAnalisiJson(std::ostream& out, const analisi::RisultatoAnalisi& r) {
    out << fmt::format("{{\"columns\": {}, \"length\": {}, \"numbers\": {}, \"drawn\": {}, \"table\": [", r.colonne,
                       r.lunghezza, r.numeri, r.estratti);
    for (size_t i = 0; i < r.tabella.size(); ++i)
        out << fmt::format("{}{{\"inside\": {}, \"subsets\": {}, \"best\": [{}]}}", i ? ", " : "", r.tabella[i].dentro,
                           r.tabella[i].sottoinsiemi, Elenco(r.tabella[i].migliore));
    out << "], \"guarantee\": [";
    for (size_t i = 0; i < r.tabella.size(); ++i)
        out << fmt::format("{}{{\"inside\": {}, \"hits\": {}}}", i ? ", " : "", r.tabella[i].dentro,
                           r.tabella[i].garanzia);
    out << "], \"probability\": [";
    for (size_t h = 0; h < r.probabilita.size(); ++h)
        out << fmt::format("{}{:.17g}", h ? ", " : "", static_cast<double>(r.probabilita[h]));
    out << "]}\n";
}

void ScriviAnalisiTesto(std::ostream& out, const analisi::RisultatoAnalisi& r) {
    std::string pronostico;
    for (uint8_t v : r.pronostico) pronostico += fmt::format(" {:02d}", v);
    out << fmt::format("Columns: {}  Length: {}  Numbers: {}  Drawn: {} out of 90\nPrediction:{}\n\n", r.colonne,
                       r.lunghezza, r.numeri, r.estratti, pronostico);
    // Rows m (drawn numbers inside the prediction), columns h (the most of them one column holds).
    const int colonneH = std::min(r.estratti, r.lunghezza) + 1;
    size_t larghezza = 6;
    for (const auto& riga : r.tabella)
        for (uint64_t v : riga.migliore) larghezza = std::max(larghezza, fmt::format("{}", v).size());
    size_t larghezzaS = 7;
    for (const auto& riga : r.tabella) larghezzaS = std::max(larghezzaS, fmt::format("{}", riga.sottoinsiemi).size());
    out << "Subsets of the prediction by the most of their numbers one column holds\n";
    out << fmt::format("{:>6} | {:>{}} |", "inside", "subsets", larghezzaS);
    for (int h = 0; h < colonneH; ++h) out << fmt::format(" {:>{}}", fmt::format("best {}", h), larghezza);
    out << " | guarantee\n";
    for (const auto& riga : r.tabella) {
        out << fmt::format("{:>6} | {:>{}} |", riga.dentro, riga.sottoinsiemi, larghezzaS);
        for (int h = 0; h < colonneH; ++h)
            out << (static_cast<size_t>(h) < riga.migliore.size()
                        ? fmt::format(" {:>{}}", riga.migliore[static_cast<size_t>(h)], larghezza)
                        : fmt::format(" {:>{}}", "", larghezza));
        out << fmt::format(" | {} if {}\n", riga.garanzia, riga.dentro);
    }
    out << fmt::format("\nOdds of the best hit, {} numbers drawn out of 90\n", r.estratti);
    out << fmt::format("{:>4} | {:>16} | {}\n", "hits", "probability", "odds");
    for (size_t h = 0; h < r.probabilita.size(); ++h) {
        const std::string unoSu = analisi::UnoSu(r.probabilita[h]);
        out << fmt::format("{:>4} | {:>16} | {}\n", h, Percento(r.probabilita[h]),
                           unoSu.empty() ? "-" : "1 in " + unoSu);
    }
}

int analizza(Contesto& ctx, const ComandoAnalizza& c) {
    analisi::SistemaDaAnalizzare s;
    if (!LeggiSistema(ctx, c.ingresso, s)) return ESITO_ERRORE;
    if (c.numeri)
        for (int v : LeggiListaOpzione("--numbers", *c.numeri, 1, 90)) s.pronostico.push_back(static_cast<uint8_t>(v));
    s.estratti = c.estratti.value_or(0);
    analisi::RisultatoAnalisi r;
    ctx.ui.ProgressoApri();
    const auto esito = analisi::Analizza(s, r, ctx.ui);
    ctx.ui.ProgressoChiudi();
    if (!esito.riuscita()) {
        std::string testo = analisi::TestoEsitoAnalisi(esito);
        for (size_t p = 0; (p = testo.find("\r\n", p)) != std::string::npos;) testo.replace(p, 2, "\n");
        ctx.err << "novanta-cli: " << testo << "\n";
        return esito.errore == analisi::ErroreAnalisi::Annullata ? ESITO_ANNULLATO : ESITO_ERRORE;
    }
    if (c.json)
        ScriviAnalisiJson(ctx.out, r);
    else
        ScriviAnalisiTesto(ctx.out, r);
    return ESITO_OK;
}

std::string Numeri(const uint8_t* v, size_t n) {
    std::string t;
    for (size_t i = 0; i < n; ++i) t += fmt::format("{}{:02d}", i ? " " : "", v[i]);
    return t;
}

std::string PerPunti(const std::vector<int32_t>& v) {
    std::string t;
    for (size_t h = 0; h < v.size(); ++h) t += fmt::format("{}{}: {}", h ? "  " : "", h, v[h]);
    return t;
}

int controlla(Contesto& ctx, const ComandoControlla& c) {
    if (c.estrazione.has_value() == c.fileEstrazioni.has_value())
        throw std::invalid_argument("check: give exactly one of --draw and --draws");
    analisi::SistemaDaAnalizzare s;
    if (!LeggiSistema(ctx, c.ingresso, s)) return ESITO_ERRORE;
    const analisi::ControlloEstrazioni controllo(s.colonne, s.lunghezza);
    const auto k = static_cast<size_t>(s.lunghezza);
    if (c.estrazione) {
        std::vector<uint8_t> numeri;
        std::string motivo;
        if (!analisi::LeggiEstrazione(*c.estrazione, numeri, motivo)) throw std::invalid_argument("--draw: " + motivo);
        const auto e = controllo.Controlla(numeri);
        if (c.json) {
            ctx.out << fmt::format("{{\"columns\": {}, \"best\": {}, \"hits\": [{}]}}\n", controllo.colonne(),
                                   e.migliore, Elenco(e.colpi));
            return ESITO_OK;
        }
        ctx.out << "Draw: " << Numeri(numeri.data(), numeri.size()) << "\n";
        ctx.out << "Best hit: " << e.migliore << "\n";
        ctx.out << "Columns by hits: " << PerPunti(e.colpi) << "\n";
        if (!e.vincenti.empty()) {
            ctx.out << "Columns with the best hit (" << e.vincenti.size() << "):\n";
            constexpr size_t kMostrate = 100;
            for (size_t i = 0; i < std::min(e.vincenti.size(), kMostrate); ++i) {
                const auto col = static_cast<size_t>(e.vincenti[i] - 1);
                ctx.out << fmt::format("{:>9}: {}\n", e.vincenti[i], Numeri(s.colonne.data() + col * k, k));
            }
            if (e.vincenti.size() > kMostrate) ctx.out << "... and " << e.vincenti.size() - kMostrate << " more\n";
        }
        return ESITO_OK;
    }
    std::vector<analisi::Estrazione> estrazioni;
    ErroreLettura errore;
    if (!analisi::LeggiEstrazioni(std::filesystem::path(*c.fileEstrazioni), estrazioni, errore)) {
        UI().MsgBox(errore.descrizione);
        return ESITO_ERRORE;
    }
    const auto r = analisi::ControllaEstrazioni(controllo, estrazioni, ctx.ui);
    if (r.annullato) return ESITO_ANNULLATO;
    if (c.json) {
        ctx.out << "{\"draws\": [";
        for (size_t i = 0; i < r.esiti.size(); ++i) {
            const auto& e = estrazioni[i];
            ctx.out << fmt::format("{}{{\"line\": {}, \"date\": {}, \"best\": {}, \"hits\": [{}]}}", i ? ", " : "",
                                   e.riga, e.data.empty() ? "null" : "\"" + e.data + "\"", r.esiti[i].migliore,
                                   Elenco(r.esiti[i].colpi));
        }
        ctx.out << "]}\n";
        return ESITO_OK;
    }
    ctx.out << fmt::format("{:>6}  {:<10}  {:>4}  columns by hits\n", "line", "date", "best");
    for (size_t i = 0; i < r.esiti.size(); ++i)
        ctx.out << fmt::format("{:>6}  {:<10}  {:>4}  {}\n", estrazioni[i].riga,
                               estrazioni[i].data.empty() ? "-" : estrazioni[i].data, r.esiti[i].migliore,
                               PerPunti(r.esiti[i].colpi));
    ctx.out << "\nDraws: " << r.esiti.size() << "\n";
    ctx.out << "Draws by best hit: " << PerPunti(r.perMigliore) << "\n";
    std::string totali;
    for (size_t h = 0; h < r.colpiTotali.size(); ++h)
        totali += fmt::format("{}{}: {}", h ? "  " : "", h, r.colpiTotali[h]);
    ctx.out << "Columns by hits over every draw: " << totali << "\n";
    return ESITO_OK;
}

}  // namespace

void AggiungiComandiAnalisi(CLI::App& app, Contesto& ctx) {
    auto an = std::make_shared<ComandoAnalizza>();
    auto* a = app.add_subcommand("analyze", "The guarantee table and the exact odds of each best hit of a system");
    a->add_option("--in", an->ingresso, "Column text file")->required();
    a->add_option("--numbers", an->numeri, "The prediction (LIST; default: the numbers the columns use)");
    a->add_option("--drawn", an->estratti, "Numbers drawn out of 90 (default: the column length)")
        ->check(CLI::Range(1, 90));
    a->add_flag("--json", an->json, "Print the result as JSON");
    a->callback([an, &ctx] {
        PreparaCartellaDati(ctx);
        ctx.esito = analizza(ctx, *an);
    });

    auto co = std::make_shared<ComandoControlla>();
    auto* c = app.add_subcommand("check", "What a system wins on one draw or on a file of past draws");
    c->add_option("--in", co->ingresso, "Column text file")->required();
    c->add_option("--draw", co->estrazione, "The drawn numbers, separated by commas or spaces");
    c->add_option("--draws", co->fileEstrazioni,
                  "File of past draws: one per line, an optional date (YYYY-MM-DD or DD/MM/YYYY) first, # comments");
    c->add_flag("--json", co->json, "Print the result as JSON");
    c->callback([co, &ctx] {
        PreparaCartellaDati(ctx);
        ctx.esito = controlla(ctx, *co);
    });
}

}  // namespace novanta::cli
