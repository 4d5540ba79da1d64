#include "core/interfaccia.h"

namespace novanta {

namespace {
InterfacciaSilenziosa silenziosa;
Interfaccia* corrente = &silenziosa;
}  // namespace

Interfaccia& UI() { return *corrente; }
void ImpostaInterfaccia(Interfaccia* interfaccia) { corrente = interfaccia ? interfaccia : &silenziosa; }

}  // namespace novanta
