#pragma once
#include <span>
#include <string_view>

namespace novanta {

// A matrix file shipped inside the program (data/matrici): installed into the data folder's
// "matrici" when missing, so a new user finds matrices to apply.
struct MatriceDistribuita {
    std::string_view nome;       // the file name, ".mzel" included
    std::string_view contenuto;  // the whole file
};

std::span<const MatriceDistribuita> MatriciDistribuite();

}  // namespace novanta
