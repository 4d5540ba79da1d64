#pragma once
#include <cstdint>
#include <string>

#include "engine/motore.h"

// Pieces the two runs share; not for the faces.
namespace novanta::interno {

std::string TitoloProgresso();
void MostraConteggi(double integrale, double elaborate, double sistema);
void MostraDurata();
// Refuses a run before it starts, with the error-trap message naming the procedure; returns the
// refused outcome.
EsitoCalcolo RifiutaCalcolo(const std::string& procedura, const std::string& motivo);
// Checks a run's inputs and starts its outcome in `esito`; false (after telling the user, the
// reason in `esito`) when refused.
bool PreparaGenerazione(int n, int k, EsitoCalcolo& esito);
bool PreparaRicalcolo(int k, EsitoCalcolo& esito);
// Puts the active base columns of length k at the head of the store and returns their count;
// base columns of another length are left out, the user is told how many, and so is `esito`.
int32_t CopiaColonneBase(int k, EsitoCalcolo& esito);

}  // namespace novanta::interno
