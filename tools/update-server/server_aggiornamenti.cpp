#include "server_aggiornamenti.h"

#include <httplib.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

#include "versione.h"

namespace novanta::server {

namespace {

std::string maiuscolo(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

bool nomeSemplice(const std::string& nome) {
    if (nome.empty() || nome.size() > 100 || nome.front() == '.' || nome.find("..") != std::string::npos) return false;
    return std::none_of(nome.begin(), nome.end(),
                        [](unsigned char c) { return c < 32 || c == 127 || c == '/' || c == '\\'; });
}

// Files of `cartella` whose extension is `estensione` (letter case ignored), by name.
std::vector<std::filesystem::path> fileCon(const std::filesystem::path& cartella, const std::string& estensione) {
    std::vector<std::filesystem::path> out;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(cartella, ec), fine; !ec && it != fine; it.increment(ec)) {
        std::error_code e2;
        if (it->is_regular_file(e2) && maiuscolo(it->path().extension().string()) == maiuscolo(estensione))
            out.push_back(it->path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool leggi(const std::filesystem::path& file, std::string& dati) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    dati = s.str();
    return true;
}

void invia(httplib::Response& res, const std::filesystem::path& file, const char* tipo) {
    std::string dati;
    if (!leggi(file, dati)) {
        res.status = 404;
        return;
    }
    res.set_content(dati, tipo);
}

std::string unisciRighe(const std::vector<std::string>& righe) {
    std::string out;
    for (const auto& r : righe) out += r + "\r\n";
    return out;
}

}  // namespace

Contenuti ContenutiPredefiniti() {
    Contenuti c;
    c.versione = NOVANTA_VERSIONE;
    c.lingue = NOVANTA_SERVER_LINGUE;
    c.cartelleMatrici = {std::filesystem::path(NOVANTA_SERVER_CONTENUTI) / "matrici",
                         NOVANTA_SERVER_MATRICI_DISTRIBUITE};
    c.crediti = std::filesystem::path(NOVANTA_SERVER_CONTENUTI) / "thankstolingue.txt";
    return c;
}

std::vector<std::string> ElencoLingue(const Contenuti& contenuti) {
    std::vector<std::string> out;
    for (const auto& f : fileCon(contenuti.lingue, ".lng")) out.push_back(f.stem().string() + ".txt");
    return out;
}

std::vector<std::string> ElencoMatrici(const Contenuti& contenuti) {
    std::vector<std::string> out;
    std::set<std::string> visti;
    for (const auto& cartella : contenuti.cartelleMatrici)
        for (const auto& f : fileCon(cartella, ".mzel")) {
            const std::string nome = maiuscolo(f.stem().string()) + ".DAT";
            if (visti.insert(nome).second) out.push_back(nome);
        }
    return out;
}

void ConfiguraServer(httplib::Server& server, const Contenuti& contenuti) {
    server.Get("/public/qiv/ver.asp", [contenuti](const httplib::Request&, httplib::Response& res) {
        res.set_content(contenuti.versione + "\r\n", "text/plain");
    });
    server.Get("/public/qiv/lingue/lista.txt", [contenuti](const httplib::Request&, httplib::Response& res) {
        res.set_content(unisciRighe(ElencoLingue(contenuti)), "text/plain");
    });
    server.Get("/public/qiv/lingue/thankstolingue.txt", [contenuti](const httplib::Request&, httplib::Response& res) {
        invia(res, contenuti.crediti, "text/plain; charset=utf-8");
    });
    server.Get(R"(/public/qiv/lingue/([^/]+)\.txt)", [contenuti](const httplib::Request& req, httplib::Response& res) {
        const std::string nome = req.matches[1];
        res.status = 404;
        if (!nomeSemplice(nome)) return;
        for (const auto& f : fileCon(contenuti.lingue, ".lng"))
            if (f.stem().string() == nome) {
                res.status = 200;
                invia(res, f, "text/plain; charset=utf-8");
                return;
            }
    });
    server.Get("/public/lumora/lista.asp", [contenuti](const httplib::Request&, httplib::Response& res) {
        res.set_content(unisciRighe(ElencoMatrici(contenuti)), "text/plain");
    });
    server.Get("/public/lumora/matrici/download.aspx",
               [contenuti](const httplib::Request& req, httplib::Response& res) {
                   res.status = 404;
                   const std::string nome = maiuscolo(req.get_param_value("file"));
                   if (!nomeSemplice(nome) || nome.size() <= 4 || nome.substr(nome.size() - 4) != ".DAT") return;
                   const std::string radice = nome.substr(0, nome.size() - 4);
                   for (const auto& cartella : contenuti.cartelleMatrici)
                       for (const auto& f : fileCon(cartella, ".mzel"))
                           if (maiuscolo(f.stem().string()) == radice) {
                               res.status = 200;
                               invia(res, f, "application/octet-stream");
                               return;
                           }
               });
}

}  // namespace novanta::server
