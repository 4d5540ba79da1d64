#pragma once
#include <filesystem>

namespace novanta {

// The data folder: settings, language files, matrices and the user's text files live below it.
// Set once at start-up (or by the command line's --data); empty until then.
inline std::filesystem::path mPathDati;

}  // namespace novanta
