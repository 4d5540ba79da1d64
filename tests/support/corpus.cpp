#include "support/corpus.h"

#include <algorithm>

namespace novanta::test {

std::vector<std::filesystem::path> FileDelCorpus(const std::string& bersaglio, bool cattivi) {
    std::vector<std::filesystem::path> file;
    for (const auto& voce : std::filesystem::directory_iterator(std::filesystem::path(NOVANTA_FUZZ_CORPUS) / bersaglio))
        if (voce.is_regular_file() && voce.path().filename().string().starts_with("cattivo_") == cattivi)
            file.push_back(voce.path());
    std::sort(file.begin(), file.end());
    return file;
}

}  // namespace novanta::test
