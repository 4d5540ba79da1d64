#pragma once
#include <cstdint>
#include <string>

namespace novanta {

// VB-style rounding: to the nearest integer, halves to even (CLng, CInt, Round).
int64_t ArrotondaPari(double v);

// The thousands separator that the "#,###" patterns use; taken from the user's locale once,
// and settable so that tests and scripts see a fixed text.
char SeparatoreMigliaia();
void ImpostaSeparatoreMigliaia(char separatore);

// Whole number with thousands separators: the pattern "#,###,###,###,##0" (and "###,##0").
std::string FormatoMigliaia(double valore);
// The panel-counter pattern "###,#00": thousands separators and at least two digits (1 is "01").
std::string FormatoMigliaiaZeri(double valore);
// The count pattern of the runs: " #,###,###,###,##0", one blank before the digits.
std::string FormatoConteggio(double valore);
// "00"-style zero padding: at least `cifre` digits.
std::string FormatoZeri(int64_t valore, int cifre = 2);

}  // namespace novanta
