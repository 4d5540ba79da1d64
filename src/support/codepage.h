#pragma once
#include <string>
#include <string_view>

namespace novanta {

// The text fields of matrix files are single-byte Windows-1252 text, as the program's files
// have always been written; these convert them for display and back.
std::string Cp1252InUtf8(std::string_view testo);
// Characters that Windows-1252 cannot hold become "?".
std::string Utf8InCp1252(std::string_view testo);

}  // namespace novanta
