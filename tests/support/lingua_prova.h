#pragma once
#include "support/registratore.h"

namespace novanta::test {

// Writes a settings file choosing the language "Prova" and a "Prova.lng" in which every
// message "0001".."0064" reads "M" followed by its id (message "0018" is "M0018"), and each of
// "0160".."0189" also shows its first two parameters ("M0160 %1 %2"), so a test can tell exactly
// which messages a text was built from.
void ScriviLinguaProva(const CartellaTemporanea& cartella);

}  // namespace novanta::test
