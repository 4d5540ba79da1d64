#pragma once
#include <cstdint>
#include <string>

#include "engine/motore.h"

// Pieces the two runs share; not for the faces.
namespace novanta::interno {

EsitoCalcolo& Esito();
std::string TitoloProgresso();
void MostraConteggi(double integrale, double elaborate, double sistema);
void MostraDurata();
// Refuses a run before it starts, with the error-trap message naming the procedure.
void RifiutaCalcolo(const std::string& procedura, const std::string& motivo);
// Checks a run's inputs and starts its result record; false (after telling the user) when refused.
bool PreparaGenerazione(int n, int k);
bool PreparaRicalcolo(int k);
// Puts the active base columns of length k at the head of the store and returns their count;
// base columns of another length are left out, and the user is told how many.
int32_t CopiaColonneBase(int k);

}  // namespace novanta::interno
