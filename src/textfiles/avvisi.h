#pragma once
#include <string>

namespace novanta {

// The critical box of a reached table limit (messages "0012", "0064" and the count, title
// "0055"), the same box the runs show, for the limits of the readers of this module.
void AvvisoLimiteTabella(double limite);

}  // namespace novanta
