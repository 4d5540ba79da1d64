// The reference update server: `make serve-updates` starts it on 127.0.0.1:18090, the address the
// program uses when "qiv.ini" names no other.
#include <httplib.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>

#include "server_aggiornamenti.h"

namespace {
httplib::Server* attivo = nullptr;
extern "C" void suSegnale(int) {
    if (attivo) attivo->stop();
}
}  // namespace

int main(int argc, char** argv) {
    std::string indirizzo = "127.0.0.1";
    int porta = 18090;
    auto contenuti = novanta::server::ContenutiPredefiniti();
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto valore = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::cerr << "novanta-update-server: " << a << " needs a value\n";
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--port")
            porta = std::atoi(valore().c_str());
        else if (a == "--bind")
            indirizzo = valore();
        else if (a == "--version")
            contenuti.versione = valore();
        else if (a == "--languages")
            contenuti.lingue = valore();
        else if (a == "--matrices")
            contenuti.cartelleMatrici = {valore()};
        else if (a == "--credits")
            contenuti.crediti = valore();
        else {
            std::cout << "usage: novanta-update-server [--port N] [--bind ADDRESS] [--version X.Y.Z]\n"
                         "                             [--languages DIR] [--matrices DIR] [--credits FILE]\n";
            return a == "--help" || a == "-h" ? 0 : 2;
        }
    }
    if (porta <= 0 || porta > 65535) {
        std::cerr << "novanta-update-server: bad port\n";
        return 2;
    }

    httplib::Server server;
    novanta::server::ConfiguraServer(server, contenuti);
    server.set_logger([](const httplib::Request& req, const httplib::Response& res) {
        std::cout << res.status << " " << req.method << " " << req.target << std::endl;
    });
    attivo = &server;
    std::signal(SIGINT, suSegnale);
    std::signal(SIGTERM, suSegnale);
    std::cout << "Novanta update server on http://" << indirizzo << ":" << porta << " (version " << contenuti.versione
              << ", " << novanta::server::ElencoLingue(contenuti).size() << " languages, "
              << novanta::server::ElencoMatrici(contenuti).size() << " matrices); Ctrl+C stops it" << std::endl;
    if (!server.listen(indirizzo.c_str(), porta)) {
        std::cerr << "novanta-update-server: cannot listen on " << indirizzo << ":" << porta << "\n";
        return 1;
    }
    return 0;
}
