#include "cli/cli.h"

#include <fmt/format.h>

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <stdexcept>

#include "core/cartella_dati.h"
#include "core/corpo.h"
#include "textfiles/colonne_txt.h"

namespace novanta::cli {

namespace {
volatile std::sig_atomic_t interrotto = 0;
extern "C" void suInterruzione(int) { interrotto = 1; }
}  // namespace

Risposta InterfacciaCli::MsgBox(const std::string& testo, Pulsanti pulsanti, Icona, const std::string& titolo) {
    if (barraAperta_) {
        err_ << "\n";
        barraAperta_ = false;
    }
    std::string righe = testo;
    for (size_t p = 0; (p = righe.find("\r\n", p)) != std::string::npos;) righe.replace(p, 2, "\n");
    if (!titolo.empty()) err_ << titolo << ": ";
    err_ << righe << "\n";
    if (pulsanti == Pulsanti::SiNo || pulsanti == Pulsanti::SiNoAnnulla) return Risposta::Si;
    return Risposta::OK;
}

std::optional<std::string> InterfacciaCli::InputBox(const std::string& prompt, const std::string&, const std::string&) {
    if (risposteInput.empty()) {
        err_ << prompt << " (no answer given)\n";
        return std::nullopt;
    }
    std::string r = risposteInput.front();
    risposteInput.erase(risposteInput.begin());
    err_ << prompt << " " << r << "\n";
    return r;
}

void InterfacciaCli::DoEvents() {
    // Ctrl+C is the cancel button: the run stops at the end of the combination it is in.
    if (interrotto) mAnnullaCalcolo = true;
}

void InterfacciaCli::ProgressoApri() {
    ultimaBarra_ = -1;
    barraAperta_ = false;
}

void InterfacciaCli::ProgressoChiudi() {
    if (barraAperta_) err_ << "\n";
    barraAperta_ = false;
}

void InterfacciaCli::ProgressoBarra(int valore) {
    if (!barraProgresso || valore == ultimaBarra_) return;
    ultimaBarra_ = valore;
    const int pieni = valore / 2;
    err_ << "\r[" << std::string(static_cast<size_t>(pieni), '#') << std::string(static_cast<size_t>(50 - pieni), ' ')
         << "] " << valore << "%" << std::flush;
    barraAperta_ = true;
}

void InterfacciaCli::ProgressoAggiornamento(const std::string& nome, size_t numero, size_t totale) {
    err_ << "fetching " << numero << "/" << totale << ": " << nome << "\n" << std::flush;
}

void InterfacciaCli::OttimizzazioneProgresso(int32_t migliore, int32_t, double, double secondi) {
    if (migliore == ultimoMigliore_) return;
    ultimoMigliore_ = migliore;
    err_ << "Best: " << migliore << " columns after " << fmt::format("{:.1f}", secondi) << " s\n" << std::flush;
}

std::vector<int> LeggiLista(const std::string& testo) {
    std::vector<int> out;
    if (testo.empty() || testo == "none") return out;
    size_t inizio = 0;
    while (inizio <= testo.size()) {
        const size_t virgola = testo.find(',', inizio);
        const std::string pezzo =
            testo.substr(inizio, virgola == std::string::npos ? std::string::npos : virgola - inizio);
        auto numero = [&](const std::string& s) {
            if (s.empty() || s.size() > 3 || s.find_first_not_of("0123456789") != std::string::npos)
                throw std::invalid_argument("'" + pezzo + "' is not a number or a range");
            return std::stoi(s);
        };
        const size_t trattino = pezzo.find('-');
        if (trattino == std::string::npos) {
            out.push_back(numero(pezzo));
        } else {
            const int da = numero(pezzo.substr(0, trattino));
            const int a = numero(pezzo.substr(trattino + 1));
            if (a < da) throw std::invalid_argument("'" + pezzo + "' is an empty range");
            for (int v = da; v <= a; ++v) out.push_back(v);
        }
        if (virgola == std::string::npos) break;
        inizio = virgola + 1;
    }
    return out;
}

std::vector<int> LeggiListaOpzione(const std::string& opzione, const std::string& testo, int minimo, int massimo) {
    std::vector<int> v;
    try {
        v = LeggiLista(testo);
    } catch (const std::invalid_argument& e) {
        throw std::invalid_argument(opzione + ": " + e.what());
    }
    for (int x : v)
        if (x < minimo || x > massimo)
            throw std::invalid_argument(opzione + ": " + std::to_string(x) + " is outside " + std::to_string(minimo) +
                                        ".." + std::to_string(massimo));
    return v;
}

bool ScriviSistema(Contesto& ctx, const std::optional<std::string>& file) {
    if (file) return SalvaColonneTxt(*file);
    std::string riga;
    for (int32_t i = 1; i <= mSistema.nColonne; ++i) {
        RigaColonnaTxt(i, riga);
        ctx.out << riga;
    }
    ctx.out.flush();
    return static_cast<bool>(ctx.out);
}

void SegnalaTaglio(Contesto& ctx, const std::string& testo) {
    ctx.err << "novanta-cli: " << testo << ": the result is cut (exit 4)\n";
    ctx.tagliato = true;
}

void PreparaCartellaDati(Contesto& ctx) {
    if (!ctx.cartellaDati.empty()) {
        mPathDati = std::filesystem::absolute(ctx.cartellaDati).lexically_normal();
    } else if (mPathDati.empty()) {
        mPathDati = CartellaDati();
    }
    std::string errore;
    if (!PreparaCartelleDati(errore)) {
        ctx.err << "novanta-cli: " << errore << "\n";
        return;
    }
    if (InstallaLingueDistribuite(errore) == 0 && !errore.empty())
        ctx.err << "novanta-cli: cannot install the language files: " << errore << "\n";
    ReadConfiguration();
}

int EseguiCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    InterfacciaCli ui(err);
    ui.barraProgresso = ::isatty(STDERR_FILENO) && &err == &std::cerr;
    ImpostaInterfaccia(&ui);
    InizializzaCorpo();
    ResetSistema(false);
    Contesto ctx{out, err, ui, ESITO_OK, {}, false};
    interrotto = 0;
    auto precedente = std::signal(SIGINT, suInterruzione);

    CLI::App app{"Novanta: betting systems for the lottery of the numbers 1 to 90", "novanta-cli"};
    app.require_subcommand(1);
    app.footer(
        "Exit codes:\n"
        "  0    success\n"
        "  1    the command failed (a file refused or not written, a download that failed)\n"
        "  2    wrong options or values on the command line\n"
        "  3    version-check: a newer version is on the update server\n"
        "  4    a limit cut the input or the result (3,000,000 columns, 150,000 filters in a file,\n"
        "       1,000 names in an update list, 100,000 lines in a text matrix); the output is written\n"
        "  130  interrupted by Ctrl+C; the columns kept so far are written");
    app.fallthrough();
    app.add_option("--data", ctx.cartellaDati, "Data folder to use instead of the default");
    AggiungiComandiMotore(app, ctx);
    AggiungiComandiFile(app, ctx);
    AggiungiComandiRete(app, ctx);
    AggiungiComandiAnalisi(app, ctx);
    AggiungiComandiProgetto(app, ctx);

    int esito = ESITO_OK;
    try {
        app.parse(argc, argv);
        esito = ctx.esito;
        if (esito == ESITO_OK && ctx.tagliato) esito = ESITO_TAGLIATO;
    } catch (const CLI::CallForHelp& e) {
        // The whole tool on one page: every command with all of its options.
        out << app.help("", CLI::AppFormatMode::All);
        esito = ESITO_OK;
    } catch (const CLI::CallForAllHelp& e) {
        out << app.help("", CLI::AppFormatMode::All);
        esito = ESITO_OK;
    } catch (const CLI::ParseError& e) {
        err << "novanta-cli: " << e.what() << "\n";
        esito = ESITO_USO;
    } catch (const std::invalid_argument& e) {
        err << "novanta-cli: " << e.what() << "\n";
        esito = ESITO_USO;
    }
    std::signal(SIGINT, precedente);
    ImpostaInterfaccia(nullptr);
    return esito;
}

}  // namespace novanta::cli
