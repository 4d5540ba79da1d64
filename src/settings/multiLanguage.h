#pragma once
#include <filesystem>
#include <string>

namespace novanta {

// The language in use (the file name without ".lng"); empty until one is chosen.
inline std::string mLinguaCorrente;

// A value of a language or settings file; "" when the file, the section or the key is missing.
std::string LeggiINI(const std::filesystem::path& file, const std::string& sezione, const std::string& chiave);

// The text of a four-digit message id in the current language ("" when it has none).
std::string TestoMessaggio(const std::string& id);

// The current language file: mPathDati / (mLinguaCorrente + ".lng").
std::filesystem::path FileLinguaCorrente();

}  // namespace novanta
