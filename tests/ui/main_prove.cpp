#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ambiente.h"

namespace novanta::test {
std::map<std::string, FabbricaProva>& Prove() {
    static std::map<std::string, FabbricaProva> prove;
    return prove;
}
}  // namespace novanta::test

int ProvaIstanza(const char* cartella, int attese);

// novanta_gui_tests CLASS [QtTest options]: runs one test class; with no class, runs them all.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A copy of the program for the single-instance test, started by the test itself.
    if (argc == 4 && std::strcmp(argv[1], "--istanza") == 0) return ProvaIstanza(argv[2], std::atoi(argv[3]));
    novanta::ImpostaSeparatoreMigliaia(',');
    const bool conClasse = argc > 1 && argv[1][0] != '-';
    const std::string scelta = conClasse ? argv[1] : "";
    std::vector<char*> argomenti{argv[0]};
    for (int i = conClasse ? 2 : 1; i < argc; ++i) argomenti.push_back(argv[i]);
    auto& prove = novanta::test::Prove();
    if (conClasse && !prove.count(scelta)) {
        std::fprintf(stderr, "No test class %s\n", scelta.c_str());
        return 2;
    }
    int esito = 0;
    for (auto& [nome, fabbrica] : prove)
        if (!conClasse || nome == scelta)
            esito |= QTest::qExec(fabbrica().get(), static_cast<int>(argomenti.size()), argomenti.data());
    return esito;
}
