#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace novanta::test {

// The files of the fuzz corpus of one reader (fuzz/corpus/<bersaglio>), sorted by name: the bad
// inputs, named "cattivo_...", that the reader must refuse, or the good ones it must take.
std::vector<std::filesystem::path> FileDelCorpus(const std::string& bersaglio, bool cattivi);

}  // namespace novanta::test
