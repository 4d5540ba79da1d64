#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <memory>

#include "cli/cli.h"
#include "cli/opzioni_progetto.h"
#include "core/corpo.h"
#include "progetto/progetto.h"

namespace novanta::cli {

namespace {

std::string numeri(std::span<const uint8_t> v) {
    std::string t;
    for (uint8_t n : v) t += fmt::format("{}{:02d}", t.empty() ? "" : " ", n);
    return t.empty() ? "-" : t;
}

std::string conteggi(int32_t maschera, int da) {
    std::string t;
    for (int j = da; j <= 25; ++j)
        if (maschera & (1 << j)) t += (t.empty() ? "" : ",") + std::to_string(j);
    return t;
}

std::string gruppo(const tFiltroGruppo& f) {
    std::vector<uint8_t> v;
    for (int n = 1; n <= 90; ++n)
        if (f.numeri[static_cast<size_t>(n)]) v.push_back(static_cast<uint8_t>(n));
    return numeri(v) + " : " + conteggi(f.presenze, 0) + (f.attivo ? "" : " (off)");
}

void stampa(std::ostream& out, const std::string& file, const Lavoro& l) {
    const auto onOff = [](bool b) { return b ? "on" : "off"; };
    const auto& c = l.condizioni;
    out << "File: " << file << "\n";
    out << "Saved: " << l.salvato << " by version " << l.versione << "\n";
    out << "Length: " << l.lenCol << "\n";
    out << "Prediction: " << numeri(l.pronostico) << "\n";
    std::vector<uint8_t> fisse, pari;
    for (int n = 1; n <= 90; ++n)
        if (c.fisse[static_cast<size_t>(n)]) fisse.push_back(static_cast<uint8_t>(n));
    std::string even;
    for (int e = 0; e <= 25; ++e)
        if (c.pari[static_cast<size_t>(e)]) even += (even.empty() ? "" : ",") + std::to_string(e);
    out << "Fixed numbers: " << onOff(c.fisseAttive) << " " << numeri(fisse) << "\n";
    out << "Sum: " << onOff(c.sommaAttiva) << " " << c.sommaMin << "-" << c.sommaMax << "\n";
    out << "Even counts: " << onOff(c.pariAttivo) << " " << (even.empty() ? "-" : even) << "\n";
    out << "Consecutive runs: " << onOff(l.consecutivi.attivo) << " " << conteggi(l.consecutivi.maschera, 1) << "\n";
    out << "Distance filters: " << int(l.numFiltriDistanza) << " on\n";
    for (const auto& [nome, lista, conta] :
         {std::tuple{"AND", &l.filtriAND, l.numFiltriAND}, std::tuple{"OR", &l.filtriOR, l.numFiltriOR}}) {
        out << nome << " group filters: " << conta << " on, " << lista->size() << " in the list\n";
        for (size_t i = 0; i < lista->size() && i < 10; ++i) out << "  " << gruppo((*lista)[i]) << "\n";
        if (lista->size() > 10) out << "  ...\n";
    }
    out << "Base columns: " << onOff(l.colonneBaseAttive) << " " << l.numColonneBase << "\n";
    out << "Reduction N-x: " << onOff(c.ridottoAttivo) << " " << int(c.ridottoNx) << "\n";
    out << "Minimum distance: " << onOff(l.distanzaMinima.attiva) << " " << int(l.distanzaMinima.valore) << "\n";
    out << "Columns: " << l.nColonne << (l.bloccato ? " (locked)" : "") << "\n";
    out << "Description: " << l.descrizione << "\n";
}

struct ComandoMostra {
    std::string file;
    std::optional<std::string> uscita;
};

}  // namespace

std::shared_ptr<OpzioniProgetto> AggiungiOpzioniProgetto(CLI::App& sub) {
    auto opz = std::make_shared<OpzioniProgetto>();
    sub.add_option(
        "--project", opz->progetto,
        "Start from the prediction and every condition of a system file (.lec); options on the line override them");
    sub.add_option("--save", opz->salva,
                   "Write the whole work (prediction, conditions, system) to a system file (.lec) after the run");
    return opz;
}

bool CaricaProgetto(const OpzioniProgetto& opz, const CLI::App& sub, bool conColonne) {
    Lavoro l;
    ErroreLettura errore;
    if (!LeggiProgetto(*opz.progetto, l, errore)) {
        UI().MsgBox(errore.descrizione, Pulsanti::OK, Icona::Critica);
        return false;
    }
    if (conColonne) {
        ApplicaLavoro(std::move(l));
    } else if (mSistema.nColonne > 0) {
        ApplicaCondizioni(std::move(l));
    } else {
        ApplicaLavoro(std::move(l), false);
    }
    // A condition given on the line replaces the file's, lists included.
    auto data = [&](std::initializer_list<const char*> nomi) {
        for (const char* n : nomi)
            if (sub.count(n) > 0) return true;
        return false;
    };
    if (data({"--fixed"})) {
        mCondizioni.fisse.fill(0);
        mCondizioni.numFisse = 0;
    }
    if (data({"--even"})) mCondizioni.pari.fill(false);
    if (data({"--and", "--and-file"})) {
        mFiltriAND.Cancella();
        mNumFiltriAND = 0;
    }
    if (data({"--or", "--or-file"})) {
        mFiltriOR.Cancella();
        mNumFiltriOR = 0;
    }
    if (data({"--gap"})) {
        mFiltriDistanza.fill(tFiltroDistanza{});
        mNumFiltriDistanza = 0;
    }
    return true;
}

bool SalvaDopoIlCalcolo(Contesto& ctx, const OpzioniProgetto& opz) {
    if (!opz.salva) return true;
    if (!SalvaSistema(*opz.salva)) return false;
    ctx.err << "Saved: " << *opz.salva << "\n";
    return true;
}

void AggiungiComandiProgetto(CLI::App& app, Contesto& ctx) {
    auto mostra = std::make_shared<ComandoMostra>();
    auto* s = app.add_subcommand(
        "show", "Print what a system file (.lec) holds: prediction, conditions, column count, description");
    s->add_option("file", mostra->file, "System file (.lec)")->required();
    s->add_option("--out", mostra->uscita, "Write its columns in the column text format to FILE");
    s->callback([mostra, &ctx] {
        PreparaCartellaDati(ctx);
        Lavoro l;
        ErroreLettura errore;
        if (!LeggiProgetto(mostra->file, l, errore)) {
            UI().MsgBox(errore.descrizione, Pulsanti::OK, Icona::Critica);
            ctx.esito = ESITO_ERRORE;
            return;
        }
        stampa(ctx.out, mostra->file, l);
        if (mostra->uscita) {
            ApplicaLavoro(std::move(l));
            if (!ScriviSistema(ctx, mostra->uscita)) ctx.esito = ESITO_ERRORE;
        }
    });
}

}  // namespace novanta::cli
