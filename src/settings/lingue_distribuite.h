#pragma once
#include <span>
#include <string_view>

namespace novanta {

// A language file shipped inside the program ("italiano", "english"): installed into the data
// folder when missing, and the voice of the program until the user chooses a language.
struct LinguaDistribuita {
    std::string_view nome;       // file name without ".lng"
    std::string_view contenuto;  // the whole file
};

std::span<const LinguaDistribuita> LingueDistribuite();

// The shipped language of that name (letter case ignored); nullptr when there is none.
const LinguaDistribuita* LinguaDistribuitaDi(std::string_view nome);

}  // namespace novanta
