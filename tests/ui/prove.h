#pragma once
#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace novanta::test {

// The test classes register themselves here; main runs the one named on the command line.
using FabbricaProva = std::function<std::unique_ptr<QObject>()>;
std::map<std::string, FabbricaProva>& Prove();

struct RegistraProva {
    RegistraProva(const char* nome, FabbricaProva f) { Prove()[nome] = std::move(f); }
};

}  // namespace novanta::test

#define NOVANTA_PROVA(Classe, nome) \
    static novanta::test::RegistraProva registra_##Classe(nome, [] { return std::make_unique<Classe>(); })
