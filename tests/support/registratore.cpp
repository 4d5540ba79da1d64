#include "support/registratore.h"

#include <fstream>
#include <random>
#include <sstream>

#include "cli/cli.h"
#include "core/corpo.h"
#include "progetto/progetto.h"
#include "settings/multiLanguage.h"
#include "support/formato.h"
#include "support/lingua_prova.h"

namespace novanta::test {

InterfacciaRegistrata::InterfacciaRegistrata() { ImpostaInterfaccia(this); }
InterfacciaRegistrata::~InterfacciaRegistrata() { ImpostaInterfaccia(nullptr); }

Risposta InterfacciaRegistrata::MsgBox(const std::string& testo, Pulsanti pulsanti, Icona icona,
                                       const std::string& titolo) {
    messaggi.push_back({testo, pulsanti, icona, titolo});
    if (pulsanti == Pulsanti::OK) return Risposta::OK;
    if (!risposte.empty()) {
        const Risposta r = risposte.front();
        risposte.pop_front();
        return r;
    }
    return pulsanti == Pulsanti::OKAnnulla ? Risposta::OK : Risposta::Si;
}

std::optional<std::string> InterfacciaRegistrata::InputBox(const std::string& p, const std::string&,
                                                           const std::string&) {
    prompt.push_back(p);
    if (input.empty()) return std::nullopt;
    auto r = input.front();
    input.pop_front();
    return r;
}

void InterfacciaRegistrata::DoEvents() {
    ++yield;
    if (allYield) allYield(yield);
}

CartellaTemporanea::CartellaTemporanea() : precedente_(mPathDati) {
    std::random_device rd;
    percorso_ =
        std::filesystem::temp_directory_path() / ("novanta-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(percorso_);
    mPathDati = percorso_;
}

CartellaTemporanea::~CartellaTemporanea() {
    std::error_code ec;
    std::filesystem::remove_all(percorso_, ec);
    mPathDati = precedente_;
}

void CartellaTemporanea::scrivi(const std::string& nome, const std::string& contenuto) const {
    std::ofstream out(percorso_ / nome, std::ios::binary);
    out << contenuto;
}

EsitoCli EseguiCli(const std::filesystem::path& dati, std::vector<std::string> argomenti) {
    argomenti.insert(argomenti.begin(), {"novanta-cli", "--data", dati.string()});
    std::vector<const char*> argv;
    for (const auto& a : argomenti) argv.push_back(a.c_str());
    std::ostringstream out, err;
    const int codice = cli::EseguiCli(static_cast<int>(argv.size()), argv.data(), out, err);
    return {codice, out.str(), err.str()};
}

std::string LeggiFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void StatoIniziale() {
    InizializzaCorpo();
    ResetSistema(false);
    mColonneBase.clear();
    mColonneBaseAttive = false;
    mNumColonneBase = 0;
    mConfig = tConfig{};
    mFileSistema.clear();
    mFileProgetto.clear();
    mNomeFileSistema.clear();
    mAnnullaCalcolo = false;
    mLinguaCorrente.clear();
}

void ScriviLinguaProva(const CartellaTemporanea& cartella) {
    cartella.scrivi("qiv.ini", "[IMPOSTAZIONI]\r\nLINGUA=Prova\r\n");
    std::string lng = "[Strings]\r\n";
    for (int i = 1; i <= 64; ++i) lng += FormatoZeri(i, 4) + "=M" + FormatoZeri(i, 4) + "\r\n";
    // The newer messages take parameters: they show where they go.
    for (int i = 160; i <= 189; ++i) lng += "0" + std::to_string(i) + "=M0" + std::to_string(i) + " %1 %2\r\n";
    cartella.scrivi("Prova.lng", lng);
    mLinguaCorrente.clear();
}

}  // namespace novanta::test
