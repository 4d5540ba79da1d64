#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace httplib {
class Server;
}

namespace novanta::server {

// What the server publishes.
struct Contenuti {
    std::string versione;                                // the first line of ver.asp
    std::filesystem::path lingue;                        // the *.lng files, listed as *.txt
    std::vector<std::filesystem::path> cartelleMatrici;  // the *.mzel files, listed as *.DAT
    std::filesystem::path crediti;                       // thankstolingue.txt
};

// The defaults: this build's version, data/lingue, the server's and the shipped matrices.
Contenuti ContenutiPredefiniti();

// Adds the update server's paths to `server`; anything else answers 404.
void ConfiguraServer(httplib::Server& server, const Contenuti& contenuti);

// The published names, as the lists give them.
std::vector<std::string> ElencoLingue(const Contenuti& contenuti);
std::vector<std::string> ElencoMatrici(const Contenuti& contenuti);

}  // namespace novanta::server
