#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/cli.h"
#include "core/corpo.h"
#include "net/aggiornamenti.h"
#include "settings/impostazioni.h"
#include "settings/multiLanguage.h"
#include "settings/percorsi.h"

namespace novanta::cli {

namespace {

// What the update commands print: the files installed on stdout, the refused and failed ones on
// stderr; exit 1 when the list could not be fetched or a file could not be installed.
int RiferisciAggiornamento(Contesto& ctx, const RisultatoAggiornamento& r, const char* cosa) {
    if (r.cartellaOccupata) {
        ctx.err << "novanta-cli: " << r.errore << "\n";
        return ESITO_ERRORE;
    }
    if (!r.listaScaricata) {
        ctx.err << "novanta-cli: cannot fetch the " << cosa << " list from " << IndirizzoServer()
                << (r.errore.empty() ? "" : ": " + r.errore) << "\n";
        return ESITO_ERRORE;
    }
    for (const auto& n : r.installati) ctx.out << "installed " << n << "\n";
    if (r.listaTagliata)
        SegnalaTaglio(ctx,
                      std::string("the ") + cosa + " list names more than 1,000 files; the first 1,000 were fetched");
    for (const auto& n : r.scartati)
        ctx.err << "novanta-cli: refused the listed name \"" << n << "\" (not a plain file name)\n";
    for (size_t i = 0; i < r.falliti.size(); ++i)
        ctx.err << "novanta-cli: could not install " << r.falliti[i] << (i < r.motivi.size() ? ": " + r.motivi[i] : "")
                << "\n";
    if (!r.errore.empty()) return ESITO_ERRORE;
    return r.falliti.empty() ? ESITO_OK : ESITO_ERRORE;
}

void StampaLingue(Contesto& ctx) {
    const auto elenco = ElencoLingue(mPathDati, mLinguaCorrente);
    if (elenco.nomi.empty()) ctx.err << "Warning files language not found\n";
    for (size_t i = 0; i < elenco.nomi.size(); ++i)
        ctx.out << (static_cast<int>(i) == elenco.selezionata ? "* " : "  ") << elenco.nomi[i] << "\n";
}

}  // namespace

void AggiungiComandiRete(CLI::App& app, Contesto& ctx) {
    static std::string server;
    server.clear();
    auto opzioneServer = [&](CLI::App* sub) {
        sub->add_option("--server", server, "Base address of the update server (instead of the one in qiv.ini)");
    };

    auto* versione = app.add_subcommand("version-check", "Compare this program's version with the update server's");
    opzioneServer(versione);
    versione->callback([&ctx] {
        PreparaCartellaDati(ctx);
        mServerAggiornamentiForzato = server;
        const RisultatoVersione r = NewVersion();
        ctx.out << "local version: " << r.locale << "\n";
        if (r.esito == EsitoVersione::NonRaggiungibile) {
            ctx.err << "novanta-cli: cannot reach the update server " << IndirizzoServer()
                    << (r.errore.empty() ? "" : ": " + r.errore) << "\n";
            ctx.esito = ESITO_ERRORE;
            return;
        }
        ctx.out << "server version: " << r.remota << "\n";
        if (r.esito == EsitoVersione::NuovaVersione) {
            ctx.out << "a newer version is available\n";
            ctx.esito = ESITO_VERSIONE_NUOVA;
        }
    });

    auto* lingue = app.add_subcommand("update-languages", "Download the language files from the update server");
    opzioneServer(lingue);
    lingue->callback([&ctx] {
        PreparaCartellaDati(ctx);
        mServerAggiornamentiForzato = server;
        ctx.esito = RiferisciAggiornamento(ctx, AggiornaLingue(), "language");
        StampaLingue(ctx);
    });

    auto* matrici = app.add_subcommand("update-matrices", "Download the matrices from the update server");
    opzioneServer(matrici);
    matrici->callback([&ctx] {
        PreparaCartellaDati(ctx);
        mServerAggiornamentiForzato = server;
        ctx.esito = RiferisciAggiornamento(ctx, AggiornaMatrici(), "matrix");
    });

    auto* elenco = app.add_subcommand("languages", "List the languages in the data folder (* marks the one in use)");
    opzioneServer(elenco);
    elenco->callback([&ctx] {
        PreparaCartellaDati(ctx);
        StampaLingue(ctx);
    });
}

}  // namespace novanta::cli
